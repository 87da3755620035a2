// The main road in the running main window: rows selected in the two panes,
// then the keys and clicks a user gives; results on disk, in the prefix's
// registry and in the rows.
#include "IconizeReport.h"
#include "IconizeTestSupport.h"
#include "Main.h"
#include "Program.h"
#include "WindowDriver.h"
#include "xaModul.h"
#include "xaY.h"

namespace {

// The window started without settings.ini; elm holds folders a, b, c (a with
// a file of the user's) and files of several types, ico an icon x.ico.
struct TRoad {
    TTempDir Dir;
    TModalRecorder Boxes;
    TNoticeRecorder Marks;
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
        Form1->Show();
    }
    ~TRoad()
    {
        Program_End();
        DeleteFileW(Settings_FileName().c_str());
    }
    // The pane lists Dir\Sub ("*" the drives) with the rows Ids selected, then gets the key.
    TxaShellListView& Pick(TFrExplorer* pane, const String& sub, std::vector<String> ids, WORD key = 0,
                           TShiftState shift = 0)
    {
        TxaShellListView& lv = *pane->LVS;
        if (String path = sub == L"*" ? L"" : Dir / sub; lv.Path() != path) lv.SetPath(path);
        lv.ClearSelection();
        for (const String& id : ids) lv.FindTeloID(id)->Selected = true;
        lv.SetFocus();
        if (key) Ui_Key(key, shift);
        return lv;
    }
    int Image(const String& id) { return Form1->FrElm->LVS->FindTeloID(id)->ImageIndex(); }
    void Middle(TxaShellListView& lv, const String& id)
    {
        POINT at = lv.FindTeloID(id)->Position();
        SendMessageW(lv.Handle(), WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(at.x + 8, at.y + 8));
    }
};

// Nothing selected in a pane is told and changes nothing; then three folders.
TEST(IconizeRoad, FoldersGetTheIconAndLoseIt)
{
    TRoad r;
    for (auto [elm, ico, shift, text] :
         {std::tuple{L"", L"x.ico", ssCtrl, "No elements selected for iconize"},
          {L"a.*dir", L"", ssCtrl, "ico not select"}, {L"", L"x.ico", ssShift, "No elements selected for clear"}}) {
        r.Pick(Form1->FrIco, L"ico", *ico ? std::vector<String>{ico} : std::vector<String>{});
        r.Pick(Form1->FrElm, L"elm", *elm ? std::vector<String>{elm} : std::vector<String>{}, VK_RETURN, shift);
        EXPECT_EQ(N(r.Boxes.Seen.empty() ? L"" : r.Boxes.Seen.back().Text), text);
    }
    EXPECT_FALSE(FileExists(r.Dir / L"elm\\a\\Desktop.ini"));
    r.Boxes.Seen.clear();
    r.Pick(Form1->FrIco, L"ico", {L"x.ico"});
    r.Pick(Form1->FrElm, L"elm", {L"a.*dir", L"b.*dir"}, VK_RETURN, ssCtrl);
    EXPECT_EQ(r.Marks.Seen().size(), 11u) << "the shell told once for the command";
    // F4 turns the copy option off (the icon keeps its name); a middle click on the icon's row iconizes.
    r.Pick(Form1->FrElm, L"elm", {L"c.*dir"}, VK_F4);
    r.Middle(*Form1->FrIco->LVS, L"x.ico");
    for (const wchar_t* d : {L"a", L"b", L"c"}) {
        String folder = r.Dir / L"elm\\" + d, copy = *d == L'c' ? L"x.ico" : L"Desktop.ico";
        EXPECT_EQ(N(IniValue(folder + L"\\Desktop.ini", L".ShellClassInfo", L"IconFile")), N(copy)) << N(d);
        EXPECT_EQ(FileExists(folder + L"\\Desktop.ico"), *d != L'c') << N(d);
        EXPECT_EQ(r.Marks.Marks(folder) & FILE_ATTRIBUTE_READONLY, DWORD(FILE_ATTRIBUTE_READONLY));
        EXPECT_NE(r.Image(String(d) + L".*dir"), Ico_GetSysIndex(folder)) << "the new picture at once";
    }
    // The cleared rows are drawn again: the pane paints where they stand.
    TxaShellListView& elm = r.Pick(Form1->FrElm, L"elm", {L"a.*dir", L"b.*dir"});
    UpdateWindow(elm.Handle());
    RECT repainted{};
    int hook = Application.HookMainWindow([&](MSG& m, bool&) {
        RECT dirty;
        if (m.message == WM_PAINT && m.hwnd == elm.Handle() && GetUpdateRect(m.hwnd, &dirty, FALSE))
            UnionRect(&repainted, &repainted, &dirty);
    });
    Ui_Key(VK_RETURN, ssShift);
    Application.UnhookMainWindow(hook);
    r.Middle(elm, L"c.*dir");
    for (const wchar_t* d : {L"a", L"b"}) {
        RECT row{}, both;
        ListView_GetItemRect(elm.Handle(), elm.FindTeloID(String(d) + L".*dir")->Index(), &row, LVIR_BOUNDS);
        EXPECT_TRUE(IntersectRect(&both, &row, &repainted)) << N(d) << ": the row was not drawn again";
    }
    for (const wchar_t* d : {L"a", L"b", L"c"}) {
        String folder = r.Dir / L"elm\\" + d;
        EXPECT_FALSE(FileExists(folder + L"\\Desktop.ini") || FileExists(folder + L"\\Desktop.ico")) << N(d);
        EXPECT_EQ(r.Marks.Marks(folder) & FILE_ATTRIBUTE_READONLY, 0u) << N(d);
    }
    EXPECT_TRUE(FileExists(r.Dir / L"elm\\a\\notes.txt") && r.Boxes.Seen.empty());
    // Transparent names (the start's state): a file's row shows its icon alone, a folder's keeps its name.
    TxaShellListView& ico = *Form1->FrIco->LVS;
    auto ink = [&](const wchar_t* id) {
        bool draw = true;
        ico.Canvas.Font.Color = ico.Font.Color();  // as the row's drawing begins
        ico.OnCustomDrawItem(&ico, ico.FindTeloID(id), 0, draw);
        return ico.Canvas.Font.Color;
    };
    EXPECT_EQ(ink(L"x.ico"), ico.Color());
    EXPECT_NE(ink(L"src.*dir"), ico.Color());
    // A Desktop.ini that is not ours to replace: the engine's refusal in its box, the other folder done.
    String ini = r.Dir / L"elm\\b\\Desktop.ini";
    WriteFileBytes(ini, "[x]\r\n");
    SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_READONLY);
    r.Pick(Form1->FrElm, L"elm", {L"b.*dir", L"c.*dir"}, VK_RETURN, ssCtrl);
    SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_EQ(r.Boxes.Seen.size(), 1u);
    EXPECT_EQ(N(r.Boxes.Seen[0].Caption + L"|" + r.Boxes.Seen[0].Text.substr(0, 19)), "Iconize_Folder|Unable to write to ");
    EXPECT_TRUE(FileExists(r.Dir / L"elm\\c\\Desktop.ini"));
    EXPECT_NE(r.Image(L"b.*dir"), r.Image(L"c.*dir")) << "the refused folder's row keeps its picture";
}

// Drives and types get the file alone for its first icon and the index for
// any other; .ico, .exe and .lnk rows are passed over.
TEST(IconizeRoad, DrivesAndTypes)
{
    TRegSnapshot keep(HKEY_CLASSES_ROOT, {L"Applications\\Explorer.exe", L"Applications\\Explorer.exe\\Drives",
                                          L".dolvtst", L"dolvtstfile"});
    TRoad r;
    String shell32 = SystemFile(L"shell32.dll"), drive = L"Applications\\Explorer.exe\\Drives\\C\\DefaultIcon";
    ASSERT_TRUE(Iconize_Folder(r.Dir / L"ico\\src", shell32, L"4", false));
    for (auto [source, value] : {std::pair{L"x.ico", r.Dir / L"ico\\x.ico"}, {L"src.*dir", shell32 + L",4"}}) {
        r.Pick(Form1->FrIco, L"ico", {source});
        r.Pick(Form1->FrElm, L"*", {L"C:.*dir"}, VK_RETURN, ssCtrl);
        EXPECT_EQ(N(RegValue(HKEY_CLASSES_ROOT, drive)), N(value));
        r.Pick(Form1->FrElm, L"*", {L"C:.*dir"}, VK_RETURN, ssShift);
        EXPECT_EQ(N(RegValue(HKEY_CLASSES_ROOT, drive)), "<none>");
        EXPECT_EQ(r.Image(L"C:.*dir"), Ico_GetSysIndex(L"C:\\")) << "the drive's own picture again";
        int low = r.Pick(Form1->FrElm, L"elm", {}).FindTeloID(L"low.dolvtst")->ImageIndex();
        r.Marks.Seen().clear();
        r.Pick(Form1->FrElm, L"elm", {L"Readme.DOLVTST", L"p.ico", L"p.exe", L"p.lnk"}, VK_RETURN, ssCtrl);
        EXPECT_EQ(N(RegValue(HKEY_CLASSES_ROOT, L".dolvtst\\DefaultIcon")), N(value));
        EXPECT_EQ(r.Marks.Seen().size(), 1u) << "one type told to the shell";
        EXPECT_NE(r.Image(L"low.dolvtst"), low) << "the shell's new picture of the type";
        r.Middle(*Form1->FrElm->LVS, L"low.dolvtst");
        EXPECT_EQ(N(RegValue(HKEY_CLASSES_ROOT, L".dolvtst\\DefaultIcon")), N(value)) << "a file's row clears nothing";
        r.Pick(Form1->FrElm, L"elm", {L"low.dolvtst"}, VK_RETURN, ssShift);
        EXPECT_EQ(N(RegValue(HKEY_CLASSES_ROOT, L".dolvtst\\DefaultIcon")), "<none>");
    }
    EXPECT_TRUE(r.Boxes.Seen.empty());
}

// Ctrl+C or Ctrl+X in the icon pane, Ctrl+V in the element pane (or in the drive list).
TEST(IconizeRoad, PasteFromTheOtherPane)
{
    TRoad r;
    // The second cut finds the copy in the way; the user declines, and the file keeps its row.
    for (auto [key, to, moved] :
         {std::tuple{'C', L"elm", false}, {'X', L"elm", false}, {'X', L"*", false}, {'X', L"elm\\b", true}}) {
        TxaShellListView& ico = r.Pick(Form1->FrIco, L"ico", {L"f.txt"}, key, ssCtrl);
        TxaShellListView& elm = r.Pick(Form1->FrElm, to, {}, 'V', ssCtrl);
        EXPECT_EQ(ico.FindTeloID(L"f.txt") == nullptr, moved) << N(to);
        EXPECT_EQ(FileExists(r.Dir / L"ico\\f.txt"), !moved) << N(to);
        EXPECT_EQ(elm.FindTeloID(L"f.txt") != nullptr, !elm.Path().empty()) << N(to);
    }
    EXPECT_TRUE(FileExists(r.Dir / L"elm\\f.txt"));
    // Ctrl+Left sends the element pane to the icon pane's folder, Ctrl+Right the other way.
    for (auto [key, from, to] : {std::tuple{VK_LEFT, Form1->FrIco, Form1->FrElm}, {VK_RIGHT, Form1->FrElm, Form1->FrIco}}) {
        r.Pick(to, L"elm\\b", {});
        r.Pick(from, L"ico", {}, key, ssCtrl);
        EXPECT_EQ(N(to->LVS->Path()), N(r.Dir / L"ico")) << key;
    }
}

// Every road's refusals are told in the engine's boxes; what it passes over is not told.
TEST(IconizeRoad, EachReasonInItsBox)
{
    const struct {
        TIconizeWhy Why;
        const char* Kind;  // "": no box
        int Color;
    } rows[] = {
        {TIconizeWhy::Done, "", 0},
        {TIconizeWhy::Nothing, "", 0},
        {TIconizeWhy::PassedOver, "", 0},
        {TIconizeWhy::NoFolder, "TFormY", clYDefault},
        {TIconizeWhy::NoIcon, "TFormY", clYDefault},
        {TIconizeWhy::Refused, "TFormY", clYError},
        {TIconizeWhy::NoFolderClear, "ShowMessage", 0},
    };
    for (const auto& row : rows) {
        TModalRecorder boxes;
        TElementResult r;
        r.Outcome = {row.Why, L"why"};
        EXPECT_EQ(Iconize_Report(r), row.Why == TIconizeWhy::Done);
        ASSERT_EQ(boxes.Seen.size(), *row.Kind ? 1u : 0u) << row.Kind;
        if (!*row.Kind) continue;
        EXPECT_EQ(N(boxes.Seen[0].Kind + L"|" + boxes.Seen[0].Text), std::string(row.Kind) + "|why");
        if (row.Color) {
            EXPECT_EQ(N(boxes.Seen[0].Caption) + std::to_string(boxes.Seen[0].Color),
                      "Iconize_Folder" + std::to_string(row.Color));
        }
    }
    DeleteFileW(Settings_FileName().c_str());  // where the box kept its place
}

// The picture a pane shows for a row, as pixels: the middle of the row's
// icon in the window, with no row selected (a selected row's icon is drawn
// blended with the highlight), and the middle of the row's image in the
// pane's small and large lists, which the other view styles draw.
std::vector<COLORREF> shownColours(TxaShellListView& lv, const String& id)
{
    lv.ClearSelection();
    EXPECT_TRUE(Ui_WaitFor([&] {
        for (int i = 0; i < lv.Items.Count(); ++i)
            if (lv.Items[i].ImageStandIn()) return false;
        return true;
    })) << "every row drawn with its own picture";
    const TListItem& row = *lv.FindTeloID(id);
    UpdateWindow(lv.Handle());
    RECT r{};
    ListView_GetItemRect(lv.Handle(), row.Index(), &r, LVIR_ICON);
    HDC dc = GetDC(lv.Handle());
    std::vector<COLORREF> shown{GetPixel(dc, (r.left + r.right) / 2, (r.top + r.bottom) / 2)};
    ReleaseDC(lv.Handle(), dc);
    LVITEMW it{};
    it.mask = LVIF_IMAGE;
    it.iItem = row.Index();
    ListView_GetItem(lv.Handle(), &it);
    for (int which : {LVSIL_SMALL, LVSIL_NORMAL}) {
        HIMAGELIST list = ListView_GetImageList(lv.Handle(), which);
        int cx = 0, cy = 0;
        ImageList_GetIconSize(list, &cx, &cy);
        TBitmap canvas;
        canvas.SetSize(cx, cy);
        ImageList_Draw(list, it.iImage, canvas.Canvas(), 0, 0, ILD_NORMAL);
        shown.push_back(GetPixel(canvas.Canvas(), cx / 2, cy / 2));
    }
    return shown;
}

// TinyIco's colour for a shade.
std::vector<COLORREF> tinyColours(unsigned char shade) { return std::vector<COLORREF>(3, RGB(0xC0, 0x80, shade)); }

// An iconized folder's row shows the chosen picture, and the icon files
// listed after it, which the shell has not seen before, each show their own:
// the picture joined the shell's lists as the shell adds one, to all of them.
TEST(IconizeRoad, AfterAnIconizeEveryIconFileShowsItsOwnPicture)
{
    TRoad r;
    const unsigned char shades[] = {0x00, 0x20, 0x60, 0x80, 0xA0};
    // Twice: a folder takes an icon, then a folder of icon files new to the
    // shell is listed; the second round's pictures differ from the first's.
    const struct {
        const wchar_t *folder, *icons, *sourceDir, *source;
        unsigned char shade;
    } rounds[] = {{L"a", L"one", L"ico", L"x.ico", 0x40}, {L"b", L"two", L"one", L"i3.ico", 0x80}};
    for (int k = 0; k < 2; ++k) {
        const auto& round = rounds[k];
        CreateDirectoryW((r.Dir / round.icons).c_str(), nullptr);
        for (int i = 0; i < (int)std::size(shades); ++i)
            WriteFileBytes(r.Dir / round.icons + L"\\i" + IntToStr(i) + L".ico", TinyIco(shades[i] + k));
        r.Pick(Form1->FrIco, round.sourceDir, {round.source});
        r.Pick(Form1->FrElm, L"elm", {String(round.folder) + L".*dir"}, VK_RETURN, ssCtrl);
        EXPECT_EQ(shownColours(*Form1->FrElm->LVS, String(round.folder) + L".*dir"), tinyColours(round.shade))
            << N(round.folder) << ": the chosen picture";
        TxaShellListView& ico = r.Pick(Form1->FrIco, round.icons, {});
        for (int i = 0; i < (int)std::size(shades); ++i)
            EXPECT_EQ(shownColours(ico, L"i" + IntToStr(i) + L".ico"), tinyColours(shades[i] + k))
                << N(round.icons) << "\\i" << i << ".ico";
    }
    // A module's icon other than its first, as an iconized folder of the icon pane names it.
    ASSERT_TRUE(WriteIconModule(r.Dir / L"ico\\two.dll", {{7, 0x50}, {9, 0x70}}));
    ASSERT_TRUE(Iconize_Folder(r.Dir / L"ico\\src", r.Dir / L"ico\\two.dll", L"1", false));
    r.Pick(Form1->FrIco, L"ico", {L"src.*dir"});
    r.Pick(Form1->FrElm, L"elm", {L"c.*dir"}, VK_RETURN, ssCtrl);
    EXPECT_EQ(shownColours(*Form1->FrElm->LVS, L"c.*dir"), tinyColours(0x70)) << "the module's icon 1";
    // An icon the module has not: the row, still selected, is drawn again at
    // once with a picture, the shell's.
    ASSERT_TRUE(Iconize_Folder(r.Dir / L"ico\\src", r.Dir / L"ico\\two.dll", L"5", false));
    r.Pick(Form1->FrIco, L"ico", {L"src.*dir"});
    TxaShellListView& elm = r.Pick(Form1->FrElm, L"elm", {L"b.*dir"});
    auto drawn = [&] {
        UpdateWindow(elm.Handle());
        RECT at{};
        ListView_GetItemRect(elm.Handle(), elm.FindTeloID(L"b.*dir")->Index(), &at, LVIR_ICON);
        HDC dc = GetDC(elm.Handle());
        COLORREF c = GetPixel(dc, (at.left + at.right) / 2, (at.top + at.bottom) / 2);
        ReleaseDC(elm.Handle(), dc);
        return c;
    };
    COLORREF before = drawn();
    Ui_Key(VK_RETURN, ssCtrl);
    EXPECT_NE(drawn(), before);
    shownColours(elm, L"b.*dir");
    EXPECT_GE(r.Image(L"b.*dir"), 0);
    EXPECT_TRUE(r.Boxes.Seen.empty());
}

// Rows of the test's own type .dolvrow in both panes, each drawn with the
// type's plain picture: one.dolvrow and two.DOLVROW (a name in capitals) in
// the element pane, three.dolvrow in the icon pane; then x.ico is picked.
struct TTypeRows {
    TxaShellListView *Elm = nullptr, *Ico = nullptr;
    std::vector<COLORREF> Plain, PlainIco;  // the icon pane draws them large
};

void MakeTypeRows(TRoad& r, TTypeRows& rows)
{
    for (const wchar_t* f : {L"elm\\one.dolvrow", L"elm\\two.DOLVROW", L"ico\\three.dolvrow"})
        WriteFileBytes(r.Dir / f, "x");
    rows.Elm = &r.Pick(Form1->FrElm, L"elm", {});
    rows.Plain = shownColours(*rows.Elm, L"two.DOLVROW");
    ASSERT_NE(rows.Plain, tinyColours(0x40));
    rows.Ico = &r.Pick(Form1->FrIco, L"ico", {});
    rows.PlainIco = shownColours(*rows.Ico, L"three.dolvrow");
    ASSERT_NE(rows.PlainIco, tinyColours(0x40));
    r.Pick(Form1->FrIco, L"ico", {L"x.ico"});
}

// The rows of a file type show its new picture as soon as it has one, and
// their old one as soon as it is cleared: as drawn, not only as marked; in
// the icon pane too, where a file is picked by the picture it shows. A name
// whose extension is written in capitals (a camera's IMG_0001.JPG) is of the
// same type, whichever spelling was picked.
TEST(IconizeRoad, ATypesRowsAreDrawnWithItsPresentPicture)
{
    TRegSnapshot keep(HKEY_CLASSES_ROOT, {L".dolvrow", L"dolvrowfile"});
    TRoad r;
    TTypeRows rows;
    ASSERT_NO_FATAL_FAILURE(MakeTypeRows(r, rows));
    TxaShellListView &elm = *rows.Elm, &ico = *rows.Ico;
    const std::vector<COLORREF> &plain = rows.Plain, &plainIco = rows.PlainIco;
    // Before the Clear the listing is made again (F5), so that the rows are
    // drawn with the new picture whatever Iconize did.
    for (auto [key, picked, shown] :
         {std::tuple{ssCtrl, L"one.dolvrow", tinyColours(0x40)}, {ssShift, L"two.DOLVROW", plain}}) {
        if (key == ssShift) r.Pick(Form1->FrElm, L"elm", {}, VK_F5);
        ASSERT_EQ(shownColours(elm, L"one.dolvrow"), key == ssShift ? tinyColours(0x40) : plain);
        r.Pick(Form1->FrElm, L"elm", {picked}, VK_RETURN, key);
        for (const wchar_t* id : {L"one.dolvrow", L"two.DOLVROW"})
            EXPECT_EQ(shownColours(elm, id), shown) << N(id) << (key == ssCtrl ? " after Iconize" : " after Clear");
        EXPECT_EQ(shownColours(ico, L"three.dolvrow"), key == ssCtrl ? shown : plainIco)
            << "icon pane" << (key == ssCtrl ? " after Iconize" : " after Clear");
    }
    EXPECT_TRUE(r.Boxes.Seen.empty());
}

// A type iconized in the special view: back in the main view, the panes'
// rows of that type are drawn with the new picture.
TEST(IconizeRoad, ATypeIconizedInTheSpecialViewShowsInThePane)
{
    TRegSnapshot keep(HKEY_CLASSES_ROOT, {L".dolvrow", L"dolvrowfile"});
    TRoad r;
    TTypeRows rows;
    ASSERT_NO_FATAL_FAILURE(MakeTypeRows(r, rows));
    TxaShellListView &elm = *rows.Elm, &ico = *rows.Ico;
    r.Pick(Form1->FrElm, L"elm", {L"one.dolvrow"}, VK_TAB, ssCtrl);
    ASSERT_TRUE(Form1->Panel_Spec->Visible());
    Ui_Key(VK_RETURN, ssCtrl);
    Ui_Key(VK_TAB, ssCtrl);
    ASSERT_FALSE(Form1->Panel_Spec->Visible());
    for (const wchar_t* id : {L"one.dolvrow", L"two.DOLVROW"})
        EXPECT_EQ(shownColours(elm, id), tinyColours(0x40)) << N(id);
    EXPECT_EQ(shownColours(ico, L"three.dolvrow"), tinyColours(0x40)) << "in the icon pane";
    ASSERT_EQ(r.Boxes.Seen.size(), 1u);
    EXPECT_EQ(N(r.Boxes.Seen[0].Text), N(L"Иконка успешно назначена!"));
}

}  // namespace
