// The list view's rename, delete, new items, drops and texts, over real
// folders; the program's boxes answered through the modal door, the shell's
// dialogs by a thread that presses their buttons.
#include "../foundation/ShellOpSupport.h"
#include "WindowDriver.h"
#include "xaDrop.h"
#include "xaShellListView.h"
#include "xaModulStrings.h"

#include <shlobj.h>

namespace {
TModalAnswer press(int button, const String& text = L"")
{
    TModalAnswer a;
    a.Result = button;
    a.Text = text;
    return a;
}
TModalAnswer ok(const String& text) { return press(IDOK, text); }
const TModalAnswer yes = press(IDYES), no = press(IDNO), cancel = press(IDCANCEL);

// A view on a fresh folder; the program's boxes answered in turn, each one recorded as "Kind:Text".
struct TEditView {
    TForm form{nullptr};
    TxaShellListView* lv = Ui_Add<TxaShellListView>(&form, 0, 0, 600, 400);
    TTempDir dir;
    std::vector<TModalAnswer> answers;
    std::vector<String> seen;
    TModalResponderScope door{[this](const TModalRequest& r) {
        seen.push_back(r.Kind + L":" + r.Text);
        return seen.size() <= answers.size() ? answers[seen.size() - 1] : press(IDCANCEL);
    }};
    TEditView(std::initializer_list<const wchar_t*> items)
    {
        lv->Name = L"LVS";
        for (String n : items)
            n.back() == L'\\' ? (void)CreateDirectoryW((dir / n).c_str(), nullptr) : WriteFileBytes(dir / n, N(n));
        form.Show();
        lv->SetPath(dir.Path());
    }
    void run(void (TxaShellListView::*command)(), const wchar_t* select, std::vector<TModalAnswer> a)
    {
        answers = std::move(a);
        seen.clear();
        lv->ClearSelection();
        if (select) lv->FindTeloID(select)->Selected = true;
        (lv->*command)();
    }
    std::string ids()
    {
        TStringList l;
        for (int i = 0; i < lv->Items.Count(); ++i) l.Add(lv->TeloID(i, L"") + (lv->Items[i].Selected ? L"*" : L""));
        return N(Strs_Join(l, L" "));
    }
};
String box(const String& kind, const String& text) { return kind + L":" + text; }
// Drops the files on the window as the shell does: a DROPFILES block with a double-null wide list.
void postDrop(HWND window, const String& a, const String& b)
{
    String files = a + L'\0' + b + L'\0' + L'\0';
    DROPFILES head{sizeof(DROPFILES), {0, 0}, FALSE, TRUE};
    HGLOBAL h = GlobalAlloc(GHND, sizeof head + files.size() * 2);
    char* p = (char*)TGlobalLock(h).Get();
    memcpy(p, &head, sizeof head);
    memcpy(p + sizeof head, files.data(), files.size() * 2);
    PostMessageW(window, WM_DROPFILES, (WPARAM)h, 0);
    Application.ProcessMessages();
}
}  // namespace

TEST(ShellListViewEdit, RenameLoopsAndTheFilesOnDisk)
{
    TEditView v{L"readme.txt", L"other.txt", L"readme", L"Docs\\", L"Music\\"};
    const String q = lvs_FileAlreadyExistOwerwrite_Q;
    v.run(&TxaShellListView::Rename, L"readme.", {ok(L"readme.md")});
    EXPECT_EQ(v.ids(), "Docs.*dir Music.*dir readme.md* other.txt readme.txt");
    v.run(&TxaShellListView::Rename, L"Docs.*dir", {ok(L"Music"), {}, cancel});
    EXPECT_EQ(v.seen, (std::vector<String>{box(L"TFormRenamer", L"Docs"), box(L"TFormY", lvs_DirAlreadyExist),
                                           box(L"TFormRenamer", L"Music")}));
    // A name with a path delimiter is asked again: nothing goes into Docs.
    v.run(&TxaShellListView::Rename, L"readme.txt", {ok(L"Docs\\x.txt"), cancel});
    EXPECT_EQ(v.seen.size() * 10 + FileExists(v.dir / L"Docs\\x.txt"), 20u);
    v.run(&TxaShellListView::Rename, L"readme.txt", {ok(L"other.txt"), no, ok(L"other.txt"), yes});
    EXPECT_EQ(v.seen, (std::vector<String>{box(L"TFormRenamer", L"readme.txt"), box(L"TFormYN", q),
                                           box(L"TFormRenamer", L"other.txt"), box(L"TFormYN", q)}));
    TListItem* other = v.lv->FindTeloID(L"other.txt");
    EXPECT_TRUE(!other || other == v.lv->Selected()) << "the other file's row went";
    // The shell may refuse to rename onto a file (Wine does); the user's files are then both kept.
    std::string onDisk = ReadFileBytes(v.dir / L"readme.txt") + "|" + ReadFileBytes(v.dir / L"other.txt");
    EXPECT_TRUE(onDisk == "readme.txt|other.txt" || onDisk == "|readme.txt") << onDisk;
    v.lv->Reload();
    v.run(&TxaShellListView::Rename, L"readme.md", {ok(L"README.md")});
    WIN32_FIND_DATAW fd;
    TFindHandle f(FindFirstFileW((v.dir / L"readme.md").c_str(), &fd));
    EXPECT_EQ(v.lv->Selected()->Caption + L".md", String(fd.cFileName)) << "the row shows the name on disk";
    EXPECT_EQ(v.seen.size(), 1u);
}

TEST(ShellListViewEdit, NewFolderAndTextFileLoopsAndDelete)
{
    TEditView v{L"1.txt", L"Docs\\"};
    v.run(&TxaShellListView::CreateNewFolder, L"Docs.*dir", {ok(L"Docs"), {}, ok(L"a\\b"), {}, ok(L"New")});
    EXPECT_EQ(v.seen, (std::vector<String>{box(L"TFormRenamer", L"Docs"), box(L"TFormY", L"Docs\r\n\r\n" + lvs_DirAlreadyExist),
                                           box(L"TFormRenamer", L"Docs"), box(L"TFormY", lvs_DirCanNotCreate),
                                           box(L"TFormRenamer", L"Docs")}));
    EXPECT_EQ(v.ids(), "Docs.*dir New.*dir* 1.txt");
    v.run(&TxaShellListView::CreateNewFolder, nullptr, {});
    EXPECT_EQ(v.seen, std::vector<String>{box(L"TFormRenamer", lvs_NewFolderName)});
    for (const TModalAnswer& answer : {no, yes}) {
        v.run(&TxaShellListView::CreateNewTxt, L"Docs.*dir", {ok(L"1.txt"), answer});
        EXPECT_EQ(v.seen[1], box(L"TFormYN", L"Файл с таким именем уже существует. Желатете перезаписать?"));
        EXPECT_EQ(ReadFileBytes(v.dir / L"1.txt"), answer.Result == IDYES ? "" : "1.txt");
    }
    EXPECT_EQ(v.ids(), "Docs.*dir New.*dir 1.txt*");
    for (int button : {IDNO, IDYES}) {
        TDialogAnswerer shell(button);
        v.run(&TxaShellListView::DeleteSelected, L"1.txt", {});
        EXPECT_EQ(shell.Answered(), 1);
        EXPECT_EQ(v.ids(), button == IDNO ? "Docs.*dir New.*dir 1.txt*" : "Docs.*dir New.*dir");
        EXPECT_EQ(FileExists(v.dir / L"1.txt"), button == IDNO);
    }
}

TEST(ShellListViewEdit, DropsByModifierKeys)
{
    struct {
        TShiftState keys;
        int shellButton;
        const char *source, *target;  // after the drop: what a.txt and b.txt hold there, "-" when gone
        const wchar_t* box;            // the program's box, when one is shown
    } cases[] = {{0, IDNO, "ab", "a" "old", L"TFormY:LVS Drop"}, {ssShift, IDCANCEL, "-b", "a" "old", L"TFormYN:b.txt\r\n"},
                 {ssAlt, IDCANCEL, "ab", "-old", L""}, {ssShift | ssAlt, IDCANCEL, "ab", "-old", L""}};
    for (auto& c : cases) {
        TEditView v{L"sub\\"};
        TTempDir from;
        for (const char* f : {"a.txt", "b.txt"}) WriteFileBytes(from / String(f, f + 5), f);
        WriteFileBytes(v.dir / L"b.txt", "old");
        auto* drop = new TxaDrop(v.lv);
        int dropped = 0;
        v.lv->OnDrop = [&](TObject* s) { dropped += s == drop; };
        drop->OnDropFiles = [&](TObject* s) { v.lv->TxaShellListView_DropFiles(s); };
        BYTE keys[256] = {}, saved[256];
        GetKeyboardState(saved);
        keys[VK_SHIFT] = c.keys & ssShift ? 0x80 : 0;
        keys[VK_MENU] = c.keys & ssAlt ? 0x80 : 0;
        SetKeyboardState(keys);
        v.answers = {no};  // the move asks about b.txt here
        TDialogAnswerer shell(c.shellButton, 5000);
        postDrop(v.lv->Handle(), from / L"a.txt", from / L"b.txt");
        SetKeyboardState(saved);
        auto held = [](const String& f) { return FileExists(f) ? ReadFileBytes(f).substr(0, 3) : "-"; };
        EXPECT_EQ(held(from / L"a.txt").substr(0, 1) + held(from / L"b.txt").substr(0, 1), c.source);
        EXPECT_EQ(held(v.dir / L"a.txt").substr(0, 1) + held(v.dir / L"b.txt"), c.target) << c.keys;
        EXPECT_EQ(FileExists(v.dir / L"a.lnk") + FileExists(v.dir / L"b.lnk"), c.keys == ssAlt ? 2 : 0);
        EXPECT_EQ(dropped, 1);
        EXPECT_TRUE(v.seen.size() == (*c.box != 0) && (v.seen.empty() || v.seen[0].starts_with(c.box))) << c.keys;
        // The drive list raises OnDrop and nothing else.
        v.lv->SetPath(L"");
        postDrop(v.lv->Handle(), from / L"a.txt", from / L"b.txt");
        EXPECT_EQ(dropped * 10 + FileExists(from / L"a.txt"), c.keys == ssShift ? 20 : 21);
    }
}

TEST(ShellListViewEdit, LanguageFileGivesTheFolderTypeOneBackslash)
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
