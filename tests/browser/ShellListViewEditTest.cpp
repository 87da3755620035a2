// The list view's rename, delete, new items, drops and texts over real
// folders; the program's boxes answered through the modal door, the shell's
// dialogs by a thread that presses their buttons.
#include "../foundation/ShellOpSupport.h"
#include "WindowDriver.h"
#include "xaDrag.h"
#include "xaDrop.h"
#include "xaIconize.h"
#include "xaModulStrings.h"
#include "xaRename.h"
#include "xaShell.h"
#include "xaShellListView.h"

#include <shlobj.h>

#include <set>

namespace {
TModalAnswer ok(const String& text, int button = IDOK)
{
    TModalAnswer a;
    a.Result = button, a.Text = text;
    return a;
}
const TModalAnswer yes = ok(L"", IDYES), no = ok(L"", IDNO), cancel = ok(L"", IDCANCEL), done = ok(L"");

// A view on a fresh folder; the program's boxes answered in turn and recorded
// as "Kind:Text" (12 characters), the rename box with its selection.
struct TEditView {
    TForm form{nullptr};
    TxaShellListView* lv = Ui_Add<TxaShellListView>(&form, 0, 0, 600, 400);
    TTempDir dir;
    std::vector<TModalAnswer> answers;
    String seen, shown;  // shown: the whole text of the last message
    TModalResponderScope door{[this](const TModalRequest& r) {
        seen += r.Kind.substr(5) + L":" + r.Text.substr(0, 12) + L"|";
        if (r.Kind == L"TFormY") shown = r.Text;
        if (FormRenamer) seen.insert(seen.size() - 1, Format(L" %d,%d", FormRenamer->Edit1->SelStart(), FormRenamer->Edit1->SelLength()));
        return answers.empty() ? cancel : std::exchange(answers, {answers.begin() + 1, answers.end()})[0];
    }};
    TEditView(std::initializer_list<const char*> items)
    {
        lv->Name = L"LVS";
        lv->Loaded();
        for (const char* s : items) {
            String n(s, s + strlen(s));
            n.back() == L'\\' ? (void)CreateDirectoryW((dir / n).c_str(), nullptr) : WriteFileBytes(dir / n, s);
        }
        form.Show();
        lv->SetPath(dir.Path());
    }
    std::string ids() const
    {
        String s;
        for (int i = 0; i < lv->Items.Count(); ++i) s += lv->TeloID(i, L"") + (lv->Items[i].Selected ? L"* " : L" ");
        return N(s);
    }
};
}  // namespace

TEST(ShellListViewEdit, RenameNewItemsAndDeleteWithTheirQuestions)
{
    TEditView v{"readme.txt", "other.txt", "readme", "b.bat", "1.txt", "Docs\\", "Music\\"};
    using C = void (TxaShellListView::*)();
    C ren = &TxaShellListView::Rename, dir = &TxaShellListView::CreateNewFolder, txt = &TxaShellListView::CreateNewTxt;
    const struct { C command; const wchar_t* select; std::vector<TModalAnswer> answers; int shell; const char *seen, *ids; } cases[] = {
        {ren, L"readme.", {ok(L"zz.chm")}, 0, "Renamer:readme 0,6|", "Docs.*dir Music.*dir b.bat zz.chm* 1.txt other.txt readme.txt "},
        {ren, L"Docs.*dir", {ok(L"Music"), done}, 0, "Renamer:Docs 0,4|Y:Folder with |Renamer:Music 0,5|", nullptr},
        {ren, L"readme.txt", {ok(L"Docs/x.txt"), done, ok(L"............"), done}, 0,  // refused, said why, asked again
         "Renamer:readme.txt 0,6|Y:Docs/x.txt\r\n|Renamer:Docs/x.txt 0,6|Y:............|Renamer:............ 0,11|", nullptr},
        // Yes: the other row goes once the other file has; Wine's shell
        // refuses and says nothing, so the refusal is told here.
        {ren, L"readme.txt", {ok(L"other.txt"), no, ok(L"other.txt"), yes, done}, 0,
         "Renamer:readme.txt 0,6|YN:File with su|Renamer:other.txt 0,5|YN:File with su|{Y:other.txt\r\n\r|~}",
         "Docs.*dir Music.*dir b.bat zz.chm 1.txt {other.txt readme.txt~other.txt}* "},
        {dir, L"Docs.*dir", {ok(L"Music"), done, ok(L"a\\b"), done, ok(L"New")}, 0,
         "Renamer:Docs 0,4|Y:Music\r\n\r\nFol|Renamer:Music 0,5|Y:Can not to c|Renamer:Music 0,5|", "Docs.*dir Music.*dir New.*dir* "},
        {dir, nullptr, {ok(L"NUL"), done}, 0, "Renamer:New Folder 0,10|Y:Can not to c|Renamer:New Folder 0,10|", nullptr},
        {txt, L"Docs.*dir", {ok(L"1.txt"), no}, 0, "Renamer:1.txt 0,1|YN:Файл с таким|", nullptr},
        {txt, L"Docs.*dir", {ok(L"1.txt"), yes}, 0, "Renamer:1.txt 0,1|YN:Файл с таким|", "Docs.*dir Music.*dir New.*dir b.bat zz.chm 1.txt* "},
        {txt, nullptr, {ok(L"2.txt")}, 0, "Renamer:1.txt 0,1|", "Docs.*dir Music.*dir New.*dir b.bat zz.chm 1.txt 2.txt* "},
        {&TxaShellListView::DeleteSelected, L"1.txt", {}, IDNO, "", "Docs.*dir Music.*dir New.*dir b.bat zz.chm 1.txt* "},
        {&TxaShellListView::DeleteSelected, L"1.txt", {}, IDYES, "", "Docs.*dir Music.*dir New.*dir b.bat zz.chm 2.txt other.txt "},
        // The item itself under another spelling: a change of letter case
        // renames; dots or blanks the file system drops change nothing.
        {ren, L"zz.chm", {ok(L"ZZ.chm")}, 0, "Renamer:zz.chm 0,2|", "Docs.*dir Music.*dir New.*dir b.bat ZZ.chm* "},
        {ren, L"Music.*dir", {ok(L"MUSIC.")}, 0, "Renamer:Music 0,5|", "Docs.*dir MUSIC.*dir* New.*dir "},
        {txt, nullptr, {ok(L"notes")}, 0, "Renamer:1.txt 0,1|", "Docs.*dir MUSIC.*dir New.*dir notes.* b.bat "},
        {ren, L"notes.", {ok(L"notes. .")}, 0, "Renamer:notes 0,5|", "Docs.*dir MUSIC.*dir New.*dir notes.* b.bat "},
        {ren, L"b.bat", {ok(L"b.bat ")}, 0, "Renamer:b.bat 0,1|", "Docs.*dir MUSIC.*dir New.*dir notes. b.bat* "},
        {ren, L"notes.", {ok(L"Notes.txt")}, 0, "Renamer:notes 0,5|", "Docs.*dir MUSIC.*dir New.*dir b.bat ZZ.chm 2.txt Notes.txt* "},
    };
    for (auto& c : cases) {
        v.answers = c.answers, v.seen.clear();
        v.lv->ClearSelection();
        TListItem* row = c.select ? v.lv->FindTeloID(c.select) : nullptr;
        ASSERT_TRUE(row || !c.select) << N(c.select) << " is gone";  // an earlier case took it away
        if (row) row->Selected = true;
        TDialogAnswerer shell(c.shell ? c.shell : IDCANCEL);
        (v.lv->*c.command)();
        EXPECT_EQ(shell.Answered(), c.shell != 0);
        // {Wine~Windows}: Wine's shell renames neither onto another file nor by letter case alone.
        auto onThisPlatform = [](std::string want) {
            if (size_t a = want.find('{'), b = want.find('~', a), e = want.find('}', a); a != want.npos)
                want = want.substr(0, a) + (UnderWine() ? want.substr(a + 1, b - a - 1) : want.substr(b + 1, e - b - 1)) +
                       want.substr(e + 1);
            return want;
        };
        EXPECT_EQ(N(v.seen), onThisPlatform(c.seen));
        std::string want = onThisPlatform(c.ids ? c.ids : "");
        EXPECT_EQ(v.ids().substr(0, want.size()), want) << c.seen;
        if (TListItem* row = v.lv->Selected()) {  // a renamed row shows its new type's icon
            EXPECT_EQ(row->ImageIndex(), Ico_GetSysIndex(v.lv->TeloNameB(row, true))) << c.seen;
        }
    }
    // The rows are what is on disk, spelling and all.
    std::string rows = v.ids();
    v.lv->Reload();
    EXPECT_EQ(v.ids(), rows);
    EXPECT_EQ(ReadFileBytes(v.dir / L"Notes.txt") + ReadFileBytes(v.dir / L"b.bat"), "b.bat");
    v.answers = {ok(L"NUL")};  // a device: no file would appear, and a port may never answer
    EXPECT_THROW(v.lv->CreateNewTxt(), EFCreateError);
    // On disk: nothing went into Docs; the user's files kept or replaced only after Yes.
    EXPECT_FALSE(FileExists(v.dir / L"Docs\\x.txt") || FileExists(v.dir / L"1.txt"));
    std::string other = ReadFileBytes(v.dir / L"readme.txt") + "|" + ReadFileBytes(v.dir / L"other.txt");
    EXPECT_TRUE(other == "readme.txt|other.txt" || other == "|readme.txt") << other;
}

// A rename the file system refuses is told with its reason, whether the
// shell says anything or not, and leaves every row as the disk has it: the
// row of a file the user agreed to replace goes only with that file.
TEST(ShellListViewEdit, ARenameRefusedSaysWhyAndTheRowsFollowTheDisk)
{
    TEditView v{"report.final.txt", "readme.txt", "a.txt", "strasse.txt"};
    WriteFileBytes(v.dir / L"stra\u00DFe.txt", "eszett");
    // b.txt is a second name of a.txt: the same file, yet another name.
    ASSERT_TRUE(CreateHardLinkW((v.dir / L"b.txt").c_str(), (v.dir / L"a.txt").c_str(), nullptr));
    v.lv->Reload();
    const String tooLong = String(300, L'x') + L".txt";
    const struct { const wchar_t *select, *typed; bool asked; DWORD why; } cases[] = {
        {L"report.final.txt", L"readme.txt", true, ERROR_ALREADY_EXISTS},
        {L"a.txt", L"b.txt", true, ERROR_ALREADY_EXISTS},
        // Equal to the old name only as the locale sorts: another file.
        {L"strasse.txt", L"stra\u00DFe.txt", true, ERROR_ALREADY_EXISTS},
        {L"readme.txt", tooLong.c_str(), false, ERROR_FILENAME_EXCED_RANGE},
        {L"readme.txt", L"a<b.txt", false, ERROR_INVALID_NAME},
    };
    for (auto& c : cases) {
        String from = v.dir / c.select;
        v.lv->ClearSelection();
        TListItem* row = v.lv->FindTeloID(c.select);
        ASSERT_TRUE(row) << N(c.select);
        row->Selected = true;
        v.answers = {ok(c.typed), yes, done}, v.seen.clear(), v.shown.clear();
        v.lv->Rename();
        EXPECT_EQ(v.seen.find(L"|YN:") != String::npos, c.asked) << N(v.seen);
        // Wine's shell refuses the first two; a shell that renames leaves no message.
        if (FileExists(from)) {
            EXPECT_EQ(v.shown, c.typed + String(L"\r\n\r\n") + SysErrorMessage(c.why)) << N(c.select);
        } else
            EXPECT_EQ(v.shown, L"") << N(c.select);
        std::string rows = v.ids();
        v.lv->Reload();
        EXPECT_EQ(rows, v.ids()) << N(c.select) << " to " << N(c.typed).substr(0, 12);
    }
    // A shell that gives a code of its own kind: told in the system's words,
    // also when it says it stopped as well; its own code for a stop, or a
    // replacement the user stopped: nothing to tell, both rows stay. The
    // longest name a file may bear is no name too long.
    const String longest = String(251, L'c') + L".txt";
    const struct { int code; bool aborted; const wchar_t* typed; DWORD why; } codes[] = {
        {0x78, false, longest.c_str(), ERROR_ACCESS_DENIED},
        {0x7C, true, L"c.txt", ERROR_INVALID_NAME},
        {0x75, false, L"c.txt", 0},
        {0, true, L"a.txt", 0},
    };
    for (auto [code, aborted, typed, why] : codes) {
        TFileOpRecorder shell(code, aborted);
        v.lv->ClearSelection();
        ASSERT_TRUE(v.lv->FindTeloID(L"readme.txt"));
        v.lv->FindTeloID(L"readme.txt")->Selected = true;
        std::string rows = v.ids();
        v.answers = {ok(typed), yes, done}, v.shown.clear();
        v.lv->Rename();
        ASSERT_EQ(shell.Calls.size(), 1u);
        EXPECT_EQ(shell.Calls[0].substr(0, 5), "4 10 ") << "the shell asks no question of its own";
        EXPECT_EQ(v.shown, why ? typed + String(L"\r\n\r\n") + SysErrorMessage(why) : L"") << code;
        EXPECT_EQ(v.ids(), rows);
    }
    // The item gone meanwhile (another program took it): told as not found,
    // whatever the shell's code says.
    {
        TFileOpDoorScope takes{[](SHFILEOPSTRUCTW& op) { return DeleteFileW(op.pFrom) ? 0x7C : -1; }};
        v.lv->ClearSelection();
        v.lv->FindTeloID(L"report.final.txt")->Selected = true;
        v.answers = {ok(L"c.txt"), done}, v.shown.clear();
        v.lv->Rename();
        EXPECT_EQ(v.shown, L"c.txt\r\n\r\n" + SysErrorMessage(ERROR_FILE_NOT_FOUND));
        v.lv->Reload();
    }
    // A letter-case rename of a file another program holds open, sharing
    // nothing: refused with that reason, under its old name.
    {
        HANDLE held = CreateFileW((v.dir / L"a.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        v.lv->ClearSelection();
        v.lv->FindTeloID(L"a.txt")->Selected = true;
        std::string rows = v.ids();
        v.answers = {ok(L"A.txt"), done}, v.shown.clear();
        v.lv->Rename();
        CloseHandle(held);
        WIN32_FIND_DATAW fd;
        TFindHandle find(FindFirstFileW((v.dir / L"a.txt").c_str(), &fd));
        EXPECT_EQ(N(fd.cFileName), "a.txt");
        EXPECT_EQ(v.shown, L"A.txt\r\n\r\n" + SysErrorMessage(ERROR_SHARING_VIOLATION));
        EXPECT_EQ(v.ids(), rows);
    }
    // A shell that renames over the other file, as some do: its row goes with it.
    TFileOpDoorScope replaces{[](SHFILEOPSTRUCTW& op) {
        return MoveFileExW(op.pFrom, op.pTo, MOVEFILE_REPLACE_EXISTING) ? 0 : (int)GetLastError();
    }};
    for (auto [from, to] : {std::pair{L"readme.txt", L"a.txt"}, {L"strasse.txt", L"stra\u00DFe.txt"}}) {
        v.lv->ClearSelection();
        ASSERT_TRUE(v.lv->FindTeloID(from));
        v.lv->FindTeloID(from)->Selected = true;
        v.answers = {ok(to), yes}, v.shown.clear();
        v.lv->Rename();
        EXPECT_EQ(ReadFileBytes(v.dir / to), N(from));
        std::string rows = v.ids();
        v.lv->Reload();
        EXPECT_EQ(rows, v.ids()) << N(to);
    }
}

// In a folder that tells letter case apart, a.txt beside A.TXT is another
// file: a letter-case rename of A.TXT to a.TXT ends with the file under its
// old name or its new one, never under a name of ours, and a refusal is told.
TEST(ShellListViewEdit, ALetterCaseRenameBesideAnotherSpellingKeepsTheFileUnderOneOfItsNames)
{
    // Wine's folders are Linux's, which tell case apart, but every Win32 call
    // takes A.TXT for a.txt: the second spelling is made from Linux.
    if (!UnderWine()) GTEST_SKIP() << "the second spelling is made from Linux, under Wine";
    TEditView v{"a.txt"};
    WriteFileBytes(v.dir / L"upper", "UPPER");
    using TUnixName = char*(CDECL*)(const wchar_t*);
    auto unixName = reinterpret_cast<TUnixName>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    char* linuxDir = unixName(v.dir.Path().c_str());
    String command = L"/bin/mv upper A.TXT", dir = FromUtf8(linuxDir);
    HeapFree(GetProcessHeap(), 0, linuxDir);
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &pi));
    // A Linux process gives no handle to wait on: its work is waited for.
    Ui_WaitFor([&] { return !FileExists(v.dir / L"upper"); }, 10000);
    auto names = [&] {  // as the folder spells them, in byte order
        std::set<std::string> all;
        WIN32_FIND_DATAW fd;
        TFindHandle find(FindFirstFileW((v.dir / L"*").c_str(), &fd));
        do
            if (fd.cFileName[0] != L'.') all.insert(N(fd.cFileName));
        while (find && FindNextFileW(find.Get(), &fd));
        std::string s;
        for (const std::string& n : all) s += n + " ";
        return s;
    };
    ASSERT_EQ(names(), "A.TXT a.txt ") << "the second spelling was not made";
    v.lv->Reload();
    for (int i = 0; i < v.lv->Items.Count(); ++i) v.lv->Items[i].Selected = v.lv->Items[i].Caption == L"A";
    std::string rows = v.ids();
    v.answers = {ok(L"a.TXT"), done};
    v.lv->Rename();
    // Wine resolves either spelling to either file: it refuses.
    EXPECT_EQ(names(), "A.TXT a.txt ");
    EXPECT_EQ(ReadFileBytes(v.dir / L"A.TXT") + ReadFileBytes(v.dir / L"a.txt"), "UPPERa.txt");
    EXPECT_EQ(v.shown, L"a.TXT\r\n\r\n" + SysErrorMessage(ERROR_ALREADY_EXISTS));
    EXPECT_EQ(v.ids(), rows);
    EXPECT_NE(rows.find("A.TXT*"), std::string::npos);
}

TEST(ShellListViewEdit, DropsCopyMoveOrLinkByModifierKeysAndOnlyReportInTheDriveList)
{
    const struct { TShiftState keys; int shell; const char *from, *here, *seen; bool own = false; } cases[] = {
        {0, IDNO, "ab", "aold", "Y:LVS Drop|"},  // the shell asks about b.txt
        {ssShift, IDCANCEL, "-b", "aold", "YN:b.txt\r\n\r\nFil|"},  // asked here: the shell may not
        {ssAlt, IDCANCEL, "ab", "-old", "YN:b.lnk\r\n\r\nFil|"},  // b.lnk is there: asked, kept
        {ssShift | ssAlt, IDCANCEL, "ab", "-old", ""},
        {0, IDYES, "ab", "ab.t", "", true}};  // into the items' own folder: Wine's shell asks, and loses nothing
    for (auto& c : cases) {
        TEditView v{"a.txt", "b.txt"};
        TTempDir other;
        const TTempDir& here = c.own ? v.dir : other;
        for (const wchar_t* f : {L"b.txt", L"b.lnk"}) WriteFileBytes(other / f, "old");
        int dropped = 0;
        v.lv->OnDrop = [&](TObject* s) { dropped += dynamic_cast<TxaDrop*>(s) && ((TxaDrop*)s)->Owner() == v.lv; };
        BYTE keys[256] = {}, saved[256];
        GetKeyboardState(saved);
        keys[VK_SHIFT] = c.keys & ssShift ? 0x80 : 0, keys[VK_MENU] = c.keys & ssAlt ? 0x80 : 0;
        TStringList names;
        names.SetText(L"a.txt\nb.txt");
        FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        STGMEDIUM blocks[2] = {};
        for (STGMEDIUM& m : blocks) ASSERT_EQ(Drag_DataObject(v.dir.Path(), names)->GetData(&format, &m), S_OK);
        for (const STGMEDIUM& medium : blocks) {
            v.lv->SetPath(&medium == blocks ? here.Path() : String());
            SetKeyboardState(keys);
            TDialogAnswerer shell(c.shell, 5000);
            v.answers = {no};
            PostMessageW(v.lv->Handle(), WM_DROPFILES, (WPARAM)medium.hGlobal, 0);
            Application.ProcessMessages();
            if (&medium == blocks) {  // the view shows what the drop made
                EXPECT_EQ(!!v.lv->FindTeloID(L"a.txt") + !!v.lv->FindTeloID(L"a.lnk"),
                          FileExists(here / L"a.txt") + FileExists(here / L"a.lnk"));
            }
            SetKeyboardState(saved);
        }
        auto held = [](const String& f, size_t n) { return FileExists(f) ? ReadFileBytes(f).substr(0, n) : "-"; };
        EXPECT_EQ(held(v.dir / L"a.txt", 1) + held(v.dir / L"b.txt", 1), c.from) << c.keys;
        EXPECT_EQ(held(here / L"a.txt", 1) + held(here / L"b.txt", 3), c.here) << c.keys << c.own;
        EXPECT_EQ(held(here / L"a.lnk", 0) + held(here / L"b.lnk", 3), c.keys == ssAlt ? "old" : c.own ? "--" : "-old");
        EXPECT_EQ(N(v.seen), c.seen) << "the drive list raised OnDrop and nothing else";
        EXPECT_EQ(dropped, 2);
    }
}

TEST(ShellListViewEdit, PasteAndDropsOfNamesFromOthers)
{
    // A cut moves over an item of the same name only after the user's Yes.
    TEditView v{"a.txt", "b.txt"};
    TTempDir other;
    WriteFileBytes(other / L"a.txt", "old");
    v.lv->SetPath(other.Path());
    TStringList cut;
    cut.Add(v.dir / L"a.txt");
    for (bool replace : {false, true}) {
        Clipboard_CopyFiles(cut, kDropEffectMove);
        v.answers = {replace ? yes : no}, v.seen.clear();
        v.lv->PasteData();
        EXPECT_EQ(N(v.seen), "YN:a.txt\r\n\r\nFil|");
        EXPECT_EQ(ReadFileBytes(other / L"a.txt"), replace ? "a.txt" : "old");
        EXPECT_NE(FileExists(v.dir / L"a.txt"), replace);
    }
    // A dropped name that is no full path refuses the whole drop: nothing is
    // taken from the current folder.
    SetCurrentDirectoryW(v.dir.Path().c_str());
    String list = v.dir / L"b.txt" + String(1, L'\0') + L"*" + String(2, L'\0');
    DROPFILES head{sizeof(DROPFILES), {0, 0}, FALSE, TRUE};
    HGLOBAL h = GlobalAlloc(GHND, sizeof head + list.size() * 2);
    BYTE* block = (BYTE*)TGlobalLock(h).Get();  // a moveable block that nobody moves: its place stays
    memcpy(block, &head, sizeof head);
    memcpy(block + sizeof head, list.data(), list.size() * 2);
    v.seen.clear();
    {
        TDialogAnswerer shell(IDCANCEL, 5000);  // the shell's question of a name listed twice
        PostMessageW(v.lv->Handle(), WM_DROPFILES, (WPARAM)h, 0);
        Application.ProcessMessages();
    }
    SetCurrentDirectoryW(L"C:\\");
    EXPECT_EQ(N(v.seen), "Y:*\r\n\r\nInvalid|");
    EXPECT_EQ(FileCount(other.Path()), 1);
}

TEST(ShellListViewEdit, LanguageFileGivesTheFolderTypeOneBackslashAndListsMissingKeys)
{
    for (const wchar_t* file : {L"lvs_FolderType=Ordner", L"lvs_FolderType=Ordner", L"LV_Style=Stil"}) {
        TStringList lines;
        lines.Add(file);
        Lng_Read_ListView(lines);
        EXPECT_EQ(lvs_FolderType, L"\\Ordner");
        EXPECT_EQ(lines.Count(), 15) << "the line, [Untranslated] and the thirteen keys the file lacks";
        EXPECT_EQ(lines[2], String(file).starts_with(L"lvs") ? L"lvs_NewFolderName=" : L"lvs_FolderType=");
    }
    lvs_FolderType_Set(L"Folder");
    LV_Style = L"Style";
}
