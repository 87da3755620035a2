// The file list view on a real window, over real folders of the test prefix.
#include "Handles.h"
#include "WindowDriver.h"
#include "xaIconize.h"
#include "xaLanguageUni.h"
#include "xaModulFiles.h"
#include "xaModulPath.h"
#include "xaModulStrings.h"
#include "xaShellListView.h"

#include <functional>
#include <set>

namespace {
struct TView {
    TForm form{nullptr};
    TxaShellListView* lv;
    TTempDir dir;
    TView()
    {
        form.SetBounds(40, 40, 640, 420);
        lv = Ui_Add<TxaShellListView>(&form, 0, 0, 620, 380);
        lv->Name = L"LVS";
        lv->Loaded();
        lv->SetViewStyle(vsReport);
        form.Show();
    }
    void file(const String& name, int64_t size = 0, DWORD attrs = 0)
    {
        TFileHandle h(CreateFileW((dir / name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        LARGE_INTEGER at{};
        at.QuadPart = size;
        SetFilePointerEx(h.Get(), at, nullptr, FILE_BEGIN);
        SetEndOfFile(h.Get());
        h.Reset();
        if (attrs) SetFileAttributesW((dir / name).c_str(), attrs);
    }
    void folder(const String& name, DWORD attrs = 0)
    {
        CreateDirectoryW((dir / name).c_str(), nullptr);
        if (attrs) SetFileAttributesW((dir / name).c_str(), attrs);
    }
    // The rows' identities in row order, joined by blanks.
    std::string ids() const
    {
        String s;
        for (int i = 0; i < lv->Items.Count(); ++i) s += (i ? L" " : L"") + lv->TeloID(i, L"");
        return N(s);
    }
    std::string selected() const
    {
        TStringList l;
        lv->SelectedListID(l, L"");
        return N(Strs_Join(l, L" "));
    }
};

// An icon file of one 16x16 image in 32 bits (1128 bytes from offset 22).
std::string oneIcon()
{
    std::string ico("\0\0\1\0\1\0\x10\x10\0\0\1\0\x20\0\x68\4\0\0\x16\0\0\0\x28\0\0\0\x10\0\0\0\x20\0\0\0\1\0\x20\0", 38);
    ico.resize(22 + 40, '\0');
    return ico.append(16 * 16 * 4, '\x80').append(16 * 4, '\0');
}

// The picture the control draws for a row.
int drawnImage(const TListItem& row)
{
    LVITEMW it{};
    it.mask = LVIF_IMAGE;
    it.iItem = row.Index();
    ListView_GetItem(row.Owner()->Handle(), &it);
    return it.iImage;
}
}  // namespace

TEST(ShellListView, FilePathListsItsFolderWithTheFileSelectedAndEventsInOrder)
{
    TView v;
    for (int i = 0; i < 100; ++i) v.file(Format(L"f%02d.txt", i));
    std::vector<String> events;
    v.lv->OnPathChange = [&](TObject*, const String& from, const String& to, bool&) {
        events.push_back(L"change " + from + L" > " + to);
    };
    v.lv->OnPathChanged = [&](TObject*, const String& to) { events.push_back(L"changed " + to); };
    v.lv->SetPath(v.dir / L"f40.txt");
    std::vector<String> want = {L"change  > " + (v.dir / L"f40.txt"), L"change  > " + v.dir.Path(),
                                L"changed " + v.dir.Path(), L"changed " + v.dir.Path()};
    EXPECT_EQ(events, want);
    EXPECT_EQ(v.lv->Path(), v.dir.Path());
    EXPECT_EQ(v.selected(), "f40.txt");
    ASSERT_TRUE(v.lv->ItemFocused());
    EXPECT_EQ(v.lv->ItemFocused()->Caption, L"f40");
    EXPECT_EQ(ListView_GetTopIndex(v.lv->Handle()), 40);
}

// The start sets each pane several times before its window shows: under a
// deferral a view lists only the last folder that is there, once, sorted as
// last asked; a file's path lists at once, for its row is selected.
TEST(ShellListView, UnderADeferralTheLastFolderIsListedOnce)
{
    TView v;
    v.folder(L"A");
    v.file(L"A\\a1.txt");
    v.folder(L"B");
    v.file(L"B\\b1.txt", 1);
    v.file(L"B\\b2.txt", 9);
    TxaShellListView::TListingDeferral deferral;
    for (const wchar_t* folder : {L"A", L"B", L"Missing"}) v.lv->SetPath(v.dir / folder);
    v.lv->Sort(2, -1);
    EXPECT_EQ(v.lv->Path(), v.dir / L"B");
    EXPECT_EQ(v.ids(), "") << "listed before the end";
    deferral.End();
    EXPECT_EQ(v.ids(), "b2.txt b1.txt");

    TxaShellListView::TListingDeferral again;
    v.lv->SetPath(v.dir / L"A\\a1.txt");
    EXPECT_EQ(v.selected(), "a1.txt");
    again.End();
    EXPECT_EQ(v.selected(), "a1.txt");
}

namespace {
// Counts the times drawing is turned back on in one window.
struct TRedrawWatch {
    static inline HWND Window = nullptr;
    static inline int On = 0;
    static LRESULT CALLBACK Sent(int code, WPARAM wp, LPARAM lp)
    {
        auto* m = (CWPSTRUCT*)lp;
        if (code == HC_ACTION && m->hwnd == Window && m->message == WM_SETREDRAW && m->wParam) ++On;
        return CallNextHookEx(nullptr, code, wp, lp);
    }
};
}  // namespace

// Each time drawing is turned back on costs the control about a screenful's
// drawing: a listing turns it on once, after its rows are sorted (and
// selected again), and leaves it on.
TEST(ShellListView, AListingTurnsDrawingOnOnceAndLeavesItOn)
{
    TView v;
    v.file(L"b.txt");
    v.file(L"a.txt");
    v.folder(L"Z");
    TRedrawWatch::Window = v.lv->Handle();
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, TRedrawWatch::Sent, nullptr, GetCurrentThreadId());
    struct TUnhook {
        HHOOK h;
        ~TUnhook() { UnhookWindowsHookEx(h); }
    } unhook{hook};
    ASSERT_TRUE(hook);
    struct {
        const char* what;
        std::function<void()> run;
        int turnsOn;
        const char* rows;
    } cases[] = {
        {"a folder", [&] { v.lv->SetPath(v.dir.Path()); }, 1, "Z.*dir a.txt b.txt"},
        {"a reload with a row selected",
         [&] {
             v.lv->Items[2].Selected = true;
             v.lv->Reload();
             EXPECT_EQ(v.selected(), "b.txt");
         },
         1, "Z.*dir a.txt b.txt"},
        {"the drives", [&] { v.lv->SetPath(L""); }, 1, nullptr},
        {"a folder listed at the end of a deferral",
         [&] {
             TxaShellListView::TListingDeferral deferral;
             v.lv->SetPath(v.dir.Path());
             deferral.End();
         },
         1, "Z.*dir a.txt b.txt"},
    };
    for (auto& c : cases) {
        TRedrawWatch::On = 0;
        c.run();
        EXPECT_EQ(TRedrawWatch::On, c.turnsOn) << c.what;
        EXPECT_TRUE(GetWindowLongPtrW(v.lv->Handle(), GWL_STYLE) & WS_VISIBLE) << c.what << ": drawing left on";
        if (c.rows) {
            EXPECT_EQ(v.ids(), c.rows) << c.what;
        }
    }
}

// The shell's image lists are bound once; lists put in their place are
// replaced by the next listing.
TEST(ShellListView, ImageListsPutInPlaceOfTheShellsAreBoundAnewByTheNextListing)
{
    TView v;
    v.file(L"a.txt");
    SHFILEINFOW info{};
    auto small = (HIMAGELIST)SHGetFileInfoW(L"", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    auto large = (HIMAGELIST)SHGetFileInfoW(L"", 0, &info, sizeof info, SHGFI_SYSICONINDEX);
    for (int turn = 0; turn < 3; ++turn) {
        v.lv->SetPath(turn == 1 ? String() : v.dir.Path());
        EXPECT_EQ(ListView_GetImageList(v.lv->Handle(), LVSIL_SMALL), small) << turn;
        EXPECT_EQ(ListView_GetImageList(v.lv->Handle(), LVSIL_NORMAL), large) << turn;
        if (turn % 2 == 0)
            v.lv->SetSmallImages(new TImageList(&v.form, 16, 16));
        else
            v.lv->SetLargeImages(new TImageList(&v.form, 32, 32));
        ASSERT_NE(ListView_GetImageList(v.lv->Handle(), turn % 2 ? LVSIL_NORMAL : LVSIL_SMALL), turn % 2 ? large : small);
    }
}

TEST(ShellListView, VetoConfinementAndDirUp)
{
    TView v;
    v.folder(L"Sub");
    v.folder(L"Sub\\Deeper");
    v.lv->SetPath(v.dir / L"Sub\\Deeper");
    v.lv->DirUp();
    EXPECT_EQ(v.lv->Path(), v.dir / L"Sub");
    EXPECT_EQ(v.selected(), "Deeper.*dir");

    v.lv->OnPathChange = [](TObject*, const String&, const String&, bool& can) { can = false; };
    v.lv->SetPath(v.dir.Path());
    EXPECT_EQ(v.lv->Path(), v.dir / L"Sub") << "vetoed";
    v.lv->OnPathChange = nullptr;

    v.lv->SetPathFixRoot(v.dir / L"Sub\\");
    EXPECT_EQ(v.lv->PathFixRoot(), v.dir / L"Sub");
    for (const String& p : {v.dir.Path(), String(), String(L"C:\\")}) {
        v.lv->SetPath(p);
        EXPECT_EQ(v.lv->Path(), v.dir / L"Sub") << "above the root: " << N(p);
    }
    v.lv->SetRootName(L"Base");
    auto* edit = Ui_Add<TEdit>(&v.form, 0, 390, 200, 20);
    v.lv->SetXaEditPath(edit);
    v.lv->SetPath(v.dir / L"Sub\\Deeper");
    EXPECT_EQ(edit->Text(), L"Base:\\Deeper");
    v.lv->SetClearView(true);
    v.lv->SetPath(v.dir / L"Sub");
    EXPECT_EQ(v.lv->Items.Count() * 10 + edit->Text().size(), 0u) << "a cleared view stays empty";
    v.lv->SetClearView(false);
    EXPECT_EQ(v.lv->Path(), L"") << "turned on, the view forgot its folder";
    EXPECT_NE(v.lv->FindTeloID(L"c:.*dir"), nullptr);
    v.lv->SetPathFixRoot(L"");
    EXPECT_EQ(v.lv->Path(), L"") << "no root: the drive list";

    v.lv->SetPath(L"C:\\");
    v.lv->DirUp();
    EXPECT_EQ(v.lv->Path(), L"");
    EXPECT_EQ(v.selected(), "C:.*dir");
}

TEST(ShellListView, RowsFiltersAndIdentities)
{
    TView v;
    v.file(L"readme");
    v.file(L"archive.tar.gz", 10);
    v.file(L"hidden.txt", 0, FILE_ATTRIBUTE_HIDDEN);
    v.file(L"system.txt", 0, FILE_ATTRIBUTE_SYSTEM);
    v.folder(L"HiddenDir", FILE_ATTRIBUTE_HIDDEN);
    v.folder(L"Docs");
    v.lv->SetPath(v.dir.Path());
    EXPECT_FALSE(v.lv->Items[2].ImageResolved()) << "icons wait for the row to be drawn or read";
    EXPECT_EQ(v.ids(), "Docs.*dir readme. archive.tar.gz");
    const TListItem& tar = v.lv->Items[2];
    EXPECT_EQ(tar.Caption, L"archive.tar");
    EXPECT_EQ(tar.SubItems[0], L"gz");
    EXPECT_EQ(tar.SubItems[1], Size_ToText(10));
    EXPECT_EQ(v.lv->Items[0].SubItems[1], L"---");
    EXPECT_EQ(v.lv->TeloName(1, v.dir.Path()), v.dir / L"readme");
    for (const wchar_t* id : {L"README.", L"readme", L"ARCHIVE.TAR.GZ", L"docs.*dir"})
        EXPECT_NE(v.lv->FindTeloID(id), nullptr) << N(id);
    EXPECT_EQ(v.lv->FindTeloID(L"Docs"), nullptr) << "a folder is found by .*dir only";
    EXPECT_EQ(v.lv->FindItem(v.dir / L"DOCS\\"), &v.lv->Items[0]);
    lvs_FolderType_Set(L"Ordner");  // a translated folder type keeps the marker that tells folders from files
    v.lv->Reload();
    EXPECT_EQ(v.lv->FindTeloID(L"Docs.*dir"), &v.lv->Items[0]);
    lvs_FolderType_Set(L"Folder");


    v.lv->SetShowHide(true);
    EXPECT_EQ(v.ids(), "Docs.*dir HiddenDir.*dir readme. archive.tar.gz hidden.txt system.txt");
    v.lv->SetShowElements(seFolders);
    EXPECT_EQ(v.ids(), "Docs.*dir HiddenDir.*dir");
    v.lv->SetShowElements(seFiles);
    EXPECT_EQ(v.ids(), "readme. archive.tar.gz hidden.txt system.txt");
    // A row is found by what it is, also once its item has left the disk.
    v.lv->SetShowElements(seAll);
    ASSERT_TRUE(RemoveDirectoryW((v.dir / L"Docs").c_str()) && DeleteFileW((v.dir / L"readme").c_str()));
    for (const wchar_t* gone : {L"docs", L"docs\\", L"README"})
        EXPECT_EQ(v.lv->FindItem(v.dir / gone), v.lv->FindTeloID(String(gone).starts_with(L"d") ? L"Docs.*dir" : L"readme."))
            << N(gone);
}

TEST(ShellListView, RowsDrawnWithTheirTypeIconGetTheirOwnAtIdleTime)
{
    TView v;
    std::string ico = oneIcon();
    // The test prefix has no icon file type: one of the test's own, whose
    // icon is the file's, as the shell registers .ico.
    RegSetValueW(HKEY_CLASSES_ROOT, L".dlvi", REG_SZ, L"dlvifile", 8);
    RegSetValueW(HKEY_CLASSES_ROOT, L"dlvifile\\DefaultIcon", REG_SZ, L"%1", 2);
    struct TTypeGone {
        ~TTypeGone()
        {
            RegDeleteTreeW(HKEY_CLASSES_ROOT, L".dlvi");
            RegDeleteTreeW(HKEY_CLASSES_ROOT, L"dlvifile");
        }
    } typeGone;
    for (const wchar_t* name : {L"own.dlvi", L"read.dlvi", L"own.ico"}) WriteFileBytes(v.dir / name, ico);
    v.file(L"plain.txt");
    v.file(L"noext");
    v.folder(L"Plain");
    v.folder(L"Marked", FILE_ATTRIBUTE_SYSTEM);
    Application.ProcessMessages();  // the window on screen, ready to draw rows
    v.lv->SetShowHide(true);        // the system folder is listed
    v.lv->SetPath(v.dir.Path());
    UpdateWindow(v.lv->Handle());
    for (auto [which, flag] : {std::pair{LVSIL_SMALL, UINT(SHGFI_SMALLICON)}, std::pair{LVSIL_NORMAL, 0u}}) {
        SHFILEINFOW info{};
        EXPECT_EQ(ListView_GetImageList(v.lv->Handle(), which),
                  (HIMAGELIST)SHGetFileInfoW(L"", 0, &info, sizeof info, SHGFI_SYSICONINDEX | flag))
            << "the control draws from the system's list " << which;
    }
    auto drawn = [](TListItem* row) { return drawnImage(*row); };
    struct {
        const wchar_t *id, *path;
        bool standIn;
    } rows[] = {{L"Marked.*dir", L"Marked", true}, {L"Plain.*dir", L"Plain", false}, {L"noext.", L"noext", false},
                {L"plain.txt", L"plain.txt", false}, {L"own.ico", L"own.ico", true},
                {L"own.dlvi", L"own.dlvi", true}, {L"read.dlvi", L"read.dlvi", true}};
    for (auto& r : rows) {
        TListItem* row = v.lv->FindTeloID(r.id);
        ASSERT_TRUE(row && row->ImageResolved()) << N(r.id);
        EXPECT_EQ(row->ImageStandIn(), r.standIn) << N(r.id);
        EXPECT_EQ(drawn(row), Ico_GetTypeSysIndex(r.path, r.id[0] < L'a')) << N(r.id) << ": first its type's icon";
    }
    TListItem* read = v.lv->FindTeloID(L"read.dlvi");
    EXPECT_EQ(read->ImageIndex(), Ico_GetSysIndex(v.dir / L"read.dlvi")) << "a read resolves at once";
    EXPECT_NE(read->ImageIndex(), Ico_GetTypeSysIndex(L"read.dlvi", false));
    EXPECT_TRUE(Ui_WaitFor([&] {
        for (auto& r : rows)
            if (v.lv->FindTeloID(r.id)->ImageStandIn()) return false;
        return true;
    }));
    for (auto& r : rows) EXPECT_EQ(drawn(v.lv->FindTeloID(r.id)), Ico_GetSysIndex(v.dir / r.path)) << N(r.id);
}

TEST(ShellListView, ReloadKeepsTheSelectionOfRowsStillThere)
{
    TView v;
    for (const wchar_t* n : {L"a.txt", L"b.txt", L"c.txt"}) v.file(n);
    v.folder(L"Dir");
    v.lv->SetPath(v.dir.Path());
    v.lv->SelectInvers();
    EXPECT_EQ(v.selected(), "Dir.*dir a.txt b.txt c.txt");
    DeleteFileW((v.dir / L"b.txt").c_str());
    v.lv->Reload();
    EXPECT_EQ(v.selected(), "Dir.*dir a.txt c.txt");
    v.lv->DeselectAll();
    EXPECT_EQ(v.lv->SelCount(), 0);
}

TEST(ShellListView, PlainKeysMoveTheOneSelectedRowWhoseHighlightFillsTheRow)
{
    TView v;
    for (const wchar_t* n : {L"a.txt", L"b.txt", L"c.txt", L"d.txt", L"e.txt"}) v.file(n);
    v.lv->SetPath(v.dir.Path());
    SetFocus(v.lv->Handle());
    const struct { std::set<int> from; int focused; WORD key; int to; } cases[] = {
        {{0}, 0, VK_DOWN, 1}, {{1}, 1, VK_UP, 0}, {{0}, 0, VK_NEXT, 4}, {{4}, 4, VK_HOME, 0},
        {{4}, 4, VK_DOWN, 4}, {{0}, 0, VK_PRIOR, 0},  // nowhere to go: the row stays selected
        {{1, 3}, 3, VK_END, 4},                       // several selected: only the row gone to is left
    };
    for (auto& c : cases) {
        v.lv->ClearSelection();
        for (int i : c.from) v.lv->Items[i].Selected = true;
        v.lv->Items[c.focused].Focused = true;
        Ui_Key(c.key);
        std::set<int> selected;
        for (int i = 0; i < v.lv->Items.Count(); ++i)
            if (v.lv->Items[i].Selected) selected.insert(i);
        EXPECT_EQ(selected, std::set<int>{c.to}) << c.key << " from " << c.focused;
        EXPECT_EQ(v.lv->ItemFocused(), &v.lv->Items[c.to]) << c.key << " from " << c.focused;
    }
    // The highlight of the focused view covers the last column too.
    UpdateWindow(v.lv->Handle());
    RECT r{};
    ListView_GetItemRect(v.lv->Handle(), 4, &r, LVIR_BOUNDS);
    HDC dc = GetDC(v.lv->Handle());
    COLORREF inSize = GetPixel(dc, 400 + 80 + 3, (r.top + r.bottom) / 2);
    ReleaseDC(v.lv->Handle(), dc);
    EXPECT_EQ(inSize, GetSysColor(COLOR_HIGHLIGHT));
}

TEST(ShellListView, SortByCaptionTypeAndSizeInBothDirections)
{
    TView v;
    v.file(L"big.iso", (1LL << 32) + 500);  // over 4 GiB: the low 32 bits alone would say 500 bytes
    v.file(L"small.txt", 1000);
    v.file(L"b.dat", 2040);
    v.file(L"a.dat", 2000);  // the same size text as b.dat
    v.folder(L"Zeta");
    v.folder(L"alpha");
    v.lv->SetPath(v.dir.Path());
    struct {
        int col, nap;
        const char* order;
    } cases[] = {
        {1, 1, "alpha.*dir Zeta.*dir a.dat b.dat big.iso small.txt"},
        {1, -1, "Zeta.*dir alpha.*dir small.txt big.iso b.dat a.dat"},
        {0, 1, "alpha.*dir Zeta.*dir a.dat b.dat big.iso small.txt"},
        {0, -1, "Zeta.*dir alpha.*dir small.txt big.iso b.dat a.dat"},
        {2, 1, "alpha.*dir Zeta.*dir small.txt a.dat b.dat big.iso"},
        {2, -1, "Zeta.*dir alpha.*dir big.iso b.dat a.dat small.txt"},
        {4, 1, "Zeta.*dir alpha.*dir big.iso b.dat a.dat small.txt"},  // ignored
        {2, 0, "Zeta.*dir alpha.*dir big.iso b.dat a.dat small.txt"},
        {3, -1, "Zeta.*dir alpha.*dir big.iso b.dat a.dat small.txt"},  // folders first only
    };
    for (auto& c : cases) {
        v.lv->Sort(c.col, c.nap);
        EXPECT_EQ(v.ids(), c.order) << c.col << " " << c.nap;
    }
    EXPECT_EQ(v.lv->SortCol(), 3);
    EXPECT_EQ(v.lv->Items[3].SubItems[1], v.lv->Items[4].SubItems[1]);
    EXPECT_EQ(v.lv->Items[2].SubItems[1], Size_ToText((1LL << 32) + 500));
    // A click on another column sorts by it in the direction shown; a second click turns the direction.
    v.lv->Sort(1, -1);
    v.lv->ColClick(v.lv->Columns[2]);
    EXPECT_EQ(v.ids(), "Zeta.*dir alpha.*dir big.iso b.dat a.dat small.txt");
    v.lv->ColClick(v.lv->Columns[2]);
    EXPECT_EQ(v.ids(), "alpha.*dir Zeta.*dir small.txt a.dat b.dat big.iso");
}

TEST(ShellListView, StyleCycleRaisesTheEventBeforeTheChangeAndStripesOddRows)
{
    TView v;
    std::vector<std::pair<TViewStyle, TViewStyle>> seen;  // (new, shown while told)
    v.lv->OnStyleChange = [&](TViewStyle s) { seen.push_back({s, v.lv->ViewStyle()}); };
    for (int i = 0; i < 4; ++i) v.lv->StyleNext();
    using P = std::pair<TViewStyle, TViewStyle>;
    EXPECT_EQ(seen, (std::vector<P>{{vsIcon, vsReport}, {vsList, vsIcon}, {vsSmallIcon, vsList}, {vsReport, vsSmallIcon}}));
    v.lv->StylePrev();
    EXPECT_EQ(v.lv->ViewStyle(), vsSmallIcon);
    EXPECT_EQ(v.lv->TxaShellListView_StyleCode(), 3);

    v.file(L"a.txt");
    v.file(L"b.txt");
    v.lv->SetPath(v.dir.Path());
    for (TViewStyle style : {vsReport, vsIcon})
        for (int row : {0, 1}) {
            v.lv->SetViewStyle(style);
            v.lv->Canvas.Brush.Color = clWhite;
            LV_DrawItemStripe(*v.lv, &v.lv->Items[row], -1);
            EXPECT_EQ(v.lv->Canvas.Brush.Color, style == vsReport && row == 1 ? 0xFAFAFA : clWhite);
        }
}

TEST(ShellListView, SettingsRoundTripAndGarbage)
{
    TView v;
    TProgDirOverride prog(v.dir.Path() + L"\\");
    v.folder(L"Shown");
    TIniFile ini(Settings_FileName());
    v.lv->iniLoad(L"elmLVS", nullptr, v.dir.Path());
    EXPECT_EQ(v.lv->Path(), L"") << "no settings.ini: nothing is loaded";

    v.lv->SetPath(v.dir / L"Shown");
    v.lv->Sort(2, -1);
    v.lv->SetShowHide(true);
    v.lv->Columns[1].SetWidth(90);
    v.lv->iniSave(L"elmLVS", nullptr);
    TStringList keys;
    ini.ReadSection(L"elmLVS", keys);
    EXPECT_EQ(N(Strs_Join(keys, L" ")), "Style KolWidth0 KolWidth1 KolWidth2 SortCol SortNap Path HideVisible");
    EXPECT_EQ(ini.ReadString(L"elmLVS", L"HideVisible", L""), L"1");

    TView w;
    w.lv->iniLoad(L"elmLVS", &ini, L"*");
    EXPECT_EQ(w.lv->Path(), v.dir / L"Shown");
    EXPECT_EQ(w.lv->SortCol() * 10 + w.lv->SortNap(), 19);
    EXPECT_EQ(w.lv->Columns[1].Width(), 90);
    EXPECT_TRUE(w.lv->ShowHide());

    struct {
        const wchar_t *key, *value;
    } garbage[] = {{L"Style", L"abc"}, {L"Style", L"7"}, {L"SortNap", L"0"}, {L"KolWidth0", L"-5"},
                   {L"KolWidth0", L"40000"}, {L"Path", nullptr}, {L"Path", L"C:\\no\\such\\folder"}};
    for (auto& g : garbage) {
        TView x;
        x.lv->SetPath(x.dir.Path());
        ini.EraseSection(L"g");
        ini.WriteString(L"g", g.key, g.value ? g.value : String(5000, L'x').c_str());
        x.lv->iniLoad(L"g", &ini, L"*");
        EXPECT_EQ(x.lv->ViewStyle(), vsReport) << N(g.key);
        EXPECT_EQ(x.lv->SortCol() * 100 + x.lv->SortNap() * 10 + x.lv->ShowHide(), 110) << N(g.key);
        EXPECT_EQ(x.lv->Columns[0].Width(), 620 - 80 - 80 - 20) << N(g.key);
        // Without a Path key "*" reopens the drive list; a Path that is not there leaves the view.
        EXPECT_EQ(x.lv->Path(), String(g.key) == L"Path" ? x.dir.Path() : L"") << N(g.key);
    }
}

TEST(ShellListView, ComboBoxTakesTheFileNames)
{
    TView v;
    v.file(L"English.lng");
    v.file(L"Deutsch.lng");
    v.file(L"secret.lng", 0, FILE_ATTRIBUTE_HIDDEN);
    v.folder(L"Sub.lng");
    auto* cb = Ui_Add<TComboBox>(&v.form, 0, 0, 100, 200);
    EXPECT_TRUE(ComboBox_FillFileNames(*cb, v.dir.Path(), false));
    std::set<String> names;
    for (int i = 0; i < cb->Count(); ++i) names.insert(cb->Items(i));
    EXPECT_EQ(names, (std::set<String>{L"English", L"Deutsch"}));
    EXPECT_FALSE(ComboBox_FillFileNames(*cb, v.dir / L"none", true));
    EXPECT_EQ(cb->Count(), 2);
}

TEST(ShellListView, Screenshots)
{
    if (Ui_ShotDir().empty()) GTEST_SKIP() << "no DOLV_SHOT_DIR";
    TView v;
    v.lv->OnCustomDrawItem = [](TListView* s, TListItem* item, TCustomDrawState, bool&) {
        LV_DrawItemStripe(*s, item, -1);
    };
    for (const wchar_t* n : {L"Documents", L"Music", L"Pictures"}) v.folder(n);
    v.form.SetCaption(L"Dolv");
    const String* captions[] = {&xaLanguageUni::Name, &xaLanguageUni::Type, &xaLanguageUni::Size};
    for (int c = 0; c < 3; ++c) v.lv->Columns[c].SetCaption(*captions[c]);
    int64_t size = 700;
    for (const wchar_t* n : {L"notes.txt", L"setup.exe", L"archive.zip", L"readme", L"photo.bmp", L"page.html"})
        v.file(n, size *= 9);
    v.lv->SetPath(v.dir / L"notes.txt");
    Ui_Shot(v.form.Handle(), L"listview-report");
    v.lv->SetViewStyle(vsIcon);
    v.lv->Reload();
    Ui_Shot(v.form.Handle(), L"listview-icons");
}

// An icon file whose directory runs past its end makes the shell read past
// it when asked for the file's own picture: such a row keeps its type's
// picture, and the rows around it are all drawn with theirs.
TEST(ShellListView, ABrokenIconFileShowsItsTypesPictureAndTheOthersTheirOwn)
{
    TView v;
    std::string count = oneIcon(), offset = oneIcon();
    count[4] = count[5] = '\xFF';                   // 65,535 entries in a small file
    offset.replace(18, 4, "\xF0\xFF\xFF\x7F", 4);  // the image far past the end
    const struct {
        const wchar_t* name;
        std::string bytes;
        bool broken;
    } files[] = {{L"count.ico", count, true}, {L"good.ico", oneIcon(), false}, {L"offset.ico", offset, true},
                 {L"zz.txt", "text", false}};
    for (auto& f : files) WriteFileBytes(v.dir / f.name, f.bytes);
    // The shell looks for bare names in the current folder.
    SetCurrentDirectoryW(v.dir.Path().c_str());
    struct TBack {
        ~TBack() { SetCurrentDirectoryW(L"C:\\"); }
    } back;
    Application.ProcessMessages();
    v.lv->SetPath(v.dir.Path());
    UpdateWindow(v.lv->Handle());
    ASSERT_EQ(v.ids(), "count.ico good.ico offset.ico zz.txt");
    EXPECT_TRUE(Ui_WaitFor([&] {
        for (int i = 0; i < v.lv->Items.Count(); ++i)
            if (!v.lv->Items[i].ImageResolved() || v.lv->Items[i].ImageStandIn()) return false;
        return true;
    })) << "every row drawn with its own picture";
    const int icoType = Ico_GetTypeSysIndex(L"x.ico", false);
    for (auto& f : files) {
        const TListItem& row = *v.lv->FindTeloID(f.name);
        if (String(f.name).ends_with(L".ico")) {
            EXPECT_EQ(drawnImage(row) == icoType, f.broken) << N(f.name);
        }
        EXPECT_EQ(drawnImage(row), Ico_GetSysIndex(v.dir / f.name)) << N(f.name);
    }
}

// A row renamed after it was drawn shows the picture of its new name.
TEST(ShellListView, ADrawnRowRenamedTakesItsNewPicture)
{
    TView v;
    for (const wchar_t* n : {L"a.txt", L"b.ico"}) WriteFileBytes(v.dir / n, oneIcon());
    const struct {
        const wchar_t *from, *to;
    } cases[] = {{L"a.txt", L"a.ico"}, {L"b.ico", L"b.txt"}};
    Application.ProcessMessages();
    v.lv->SetPath(v.dir.Path());
    UpdateWindow(v.lv->Handle());
    ASSERT_TRUE(Ui_WaitFor([&] { return !v.lv->Items[0].ImageStandIn() && !v.lv->Items[1].ImageStandIn(); }));
    for (auto& c : cases) {
        TListItem* row = v.lv->FindTeloID(c.from);
        int before = drawnImage(*row);
        ASSERT_EQ(before, Ico_GetSysIndex(v.dir / c.from)) << N(c.from) << " drawn";
        v.lv->ClearSelection();
        row->Selected = true;
        TModalAnswer typed;
        typed.Result = IDOK, typed.Text = c.to;
        TModalResponderScope door{[&](const TModalRequest&) { return typed; }};
        v.lv->Rename();
        ASSERT_EQ(v.lv->FindTeloID(c.to), row) << N(c.to);
        EXPECT_EQ(drawnImage(*row), Ico_GetSysIndex(v.dir / c.to)) << N(c.to);
        EXPECT_NE(drawnImage(*row), before) << N(c.to);
    }
}
