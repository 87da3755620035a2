// The main road in the running main window: rows selected in the two panes,
// then the keys and clicks a user gives; results on disk, in the prefix's
// registry and in the rows.
#include "IconizeTestSupport.h"
#include "Main.h"
#include "Program.h"
#include "WindowDriver.h"
#include "xaModul.h"

namespace {

// The window started without settings.ini on an element folder holding
// folders a, b, c (a with a file of the user's) and an icon folder with x.ico.
struct TRoad {
    TTempDir Dir;
    TModalRecorder Boxes;
    TNoticeRecorder Marks;
    TxaShellListView *Elm, *Ico;
    TRoad()
    {
        for (const wchar_t* d : {L"elm", L"elm\\a", L"elm\\b", L"elm\\c", L"ico", L"ico\\src"})
            CreateDirectoryW((Dir / d).c_str(), nullptr);
        for (const wchar_t* f : {L"elm\\a\\notes.txt", L"elm\\Readme.DOLVTST", L"elm\\low.dolvtst", L"elm\\p.ico",
                                 L"elm\\p.exe", L"elm\\p.lnk", L"ico\\f.txt"})
            WriteFileBytes(Dir / f, "x");
        WriteFileBytes(Dir / L"ico\\x.ico", TinyIco());
        DeleteFileW(Settings_FileName().c_str());
        Program_Start({L"dolv.exe"});
        Elm = Form1->FrElm->LVS;
        Ico = Form1->FrIco->LVS;
        Form1->Show();
        Pick(*Elm, Dir / L"elm", {});
        Pick(*Ico, Dir / L"ico", {L"x.ico"});
    }
    ~TRoad()
    {
        Program_End();
        DeleteFileW(Settings_FileName().c_str());
    }
    static void Pick(TxaShellListView& lv, const String& path, std::vector<String> ids)
    {
        if (lv.Path() != path) lv.SetPath(path);
        lv.ClearSelection();
        for (const String& id : ids) lv.FindTeloID(id)->Selected = true;
    }
    void Key(TxaShellListView& lv, WORD vk, TShiftState shift)
    {
        lv.SetFocus();
        Ui_Key(vk, shift);
    }
    int Image(const String& id) { return Elm->FindTeloID(id)->ImageIndex(); }
};

TEST(IconizeRoad, FoldersGetTheIconAndLoseIt)
{
    TRoad r;
    TRoad::Pick(*r.Elm, r.Dir / L"elm", {L"a.*dir", L"b.*dir", L"c.*dir"});
    int before = r.Image(L"a.*dir");
    r.Key(*r.Elm, VK_RETURN, ssCtrl);
    EXPECT_EQ(r.Marks.Seen().size(), 11u) << "the shell told once for the command";
    for (const wchar_t* d : {L"a", L"b", L"c"}) {
        String folder = r.Dir / L"elm\\" + d;
        EXPECT_EQ(N(IniValue(folder + L"\\Desktop.ini", L".ShellClassInfo", L"IconFile")), "Desktop.ico") << N(d);
        EXPECT_EQ(ReadFileBytes(folder + L"\\Desktop.ico"), TinyIco());
        EXPECT_EQ(r.Marks.Marks(folder + L"\\Desktop.ico"), DWORD(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
        EXPECT_EQ(r.Marks.Marks(folder) & FILE_ATTRIBUTE_READONLY, DWORD(FILE_ATTRIBUTE_READONLY));
        EXPECT_NE(r.Image(String(d) + L".*dir"), before) << "the new picture at once";
    }
    TRoad::Pick(*r.Elm, r.Dir / L"elm", {L"a.*dir", L"b.*dir"});
    r.Key(*r.Elm, VK_RETURN, ssShift);
    POINT c = r.Elm->FindTeloID(L"c.*dir")->Position();
    SendMessageW(r.Elm->Handle(), WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(c.x + 8, c.y + 8));
    for (const wchar_t* d : {L"a", L"b", L"c"}) {
        String folder = r.Dir / L"elm\\" + d;
        EXPECT_FALSE(FileExists(folder + L"\\Desktop.ini") || FileExists(folder + L"\\Desktop.ico")) << N(d);
        EXPECT_EQ(r.Marks.Marks(folder) & FILE_ATTRIBUTE_READONLY, 0u) << N(d);
    }
    EXPECT_TRUE(FileExists(r.Dir / L"elm\\a\\notes.txt"));
    EXPECT_TRUE(r.Boxes.Seen.empty());
}

// Drives and types get the file alone for its first icon and the index for
// any other; .ico, .exe and .lnk rows are passed over.
TEST(IconizeRoad, DrivesAndTypes)
{
    TRegSnapshot keep(HKEY_CLASSES_ROOT, {L"Applications\\Explorer.exe", L"Applications\\Explorer.exe\\Drives",
                                          L".dolvtst", L"dolvtstfile"});
    TRoad r;
    String shell32 = SystemFile(L"shell32.dll"), x = r.Dir / L"ico\\x.ico";
    ASSERT_TRUE(Iconize_Folder(r.Dir / L"ico\\src", shell32, L"4", false));
    struct TCase {
        String Source, Value;
    } cases[] = {{L"x.ico", x}, {L"src.*dir", shell32 + L",4"}};
    for (const TCase& c : cases) {
        TRoad::Pick(*r.Ico, r.Dir / L"ico", {c.Source});
        TRoad::Pick(*r.Elm, L"", {L"C:.*dir"});
        r.Key(*r.Elm, VK_RETURN, ssCtrl);
        EXPECT_EQ(N(RegValue(HKEY_CLASSES_ROOT, L"Applications\\Explorer.exe\\Drives\\C\\DefaultIcon")), N(c.Value));
        r.Key(*r.Elm, VK_RETURN, ssShift);
        EXPECT_EQ(N(RegValue(HKEY_CLASSES_ROOT, L"Applications\\Explorer.exe\\Drives\\C\\DefaultIcon")), "<none>");

        TRoad::Pick(*r.Elm, r.Dir / L"elm", {L"Readme.DOLVTST", L"p.ico", L"p.exe", L"p.lnk"});
        int low = r.Image(L"low.dolvtst"), readme = r.Image(L"Readme.DOLVTST");
        r.Marks.Seen().clear();
        r.Key(*r.Elm, VK_RETURN, ssCtrl);
        EXPECT_EQ(N(RegValue(HKEY_CLASSES_ROOT, L".dolvtst\\DefaultIcon")), N(c.Value));
        EXPECT_EQ(r.Marks.Seen().size(), 1u) << "one type told to the shell";
        EXPECT_NE(r.Image(L"low.dolvtst"), low) << "the shell's new picture of the type";
        EXPECT_EQ(r.Image(L"Readme.DOLVTST"), readme) << "another type text";
        TRoad::Pick(*r.Elm, r.Dir / L"elm", {L"low.dolvtst"});
        r.Key(*r.Elm, VK_RETURN, ssShift);
        EXPECT_EQ(N(RegValue(HKEY_CLASSES_ROOT, L".dolvtst\\DefaultIcon")), "<none>");
    }
    EXPECT_TRUE(r.Boxes.Seen.empty());
}

TEST(IconizeRoad, NothingSelectedIsTold)
{
    TRoad r;
    struct TCase {
        std::vector<String> Elm, Ico;
        TShiftState Shift;
        const char* Text;
    } cases[] = {{{}, {L"x.ico"}, ssCtrl, "No elements selected for iconize"},
                 {{L"a.*dir"}, {}, ssCtrl, "ico not select"},
                 {{}, {L"x.ico"}, ssShift, "No elements selected for clear"}};
    for (const TCase& c : cases) {
        TRoad::Pick(*r.Elm, r.Dir / L"elm", c.Elm);
        TRoad::Pick(*r.Ico, r.Dir / L"ico", c.Ico);
        r.Boxes.Seen.clear();
        r.Key(*r.Elm, VK_RETURN, c.Shift);
        ASSERT_EQ(r.Boxes.Seen.size(), 1u) << c.Text;
        EXPECT_EQ(N(r.Boxes.Seen[0].Text), c.Text);
    }
    EXPECT_FALSE(FileExists(r.Dir / L"elm\\a\\Desktop.ini"));
}

// Ctrl+X or Ctrl+C in the icon pane, Ctrl+V in the element pane (or in the drive list).
TEST(IconizeRoad, PasteFromTheOtherPane)
{
    TRoad r;
    struct TCase {
        WORD Key;
        String To;
        bool Moved;
    } cases[] = {{'C', r.Dir / L"elm", false}, {'X', L"", false}, {'X', r.Dir / L"elm\\b", true}};
    for (const TCase& c : cases) {
        TRoad::Pick(*r.Ico, r.Dir / L"ico", {L"f.txt"});
        r.Key(*r.Ico, c.Key, ssCtrl);
        TRoad::Pick(*r.Elm, c.To, {});
        r.Key(*r.Elm, 'V', ssCtrl);
        EXPECT_EQ(r.Ico->FindTeloID(L"f.txt") == nullptr, c.Moved) << N(c.To);
        EXPECT_EQ(FileExists(r.Dir / L"ico\\f.txt"), !c.Moved) << N(c.To);
        EXPECT_EQ(r.Elm->FindTeloID(L"f.txt") != nullptr, !c.To.empty()) << N(c.To);
    }
    EXPECT_TRUE(FileExists(r.Dir / L"elm\\f.txt"));
}

}  // namespace
