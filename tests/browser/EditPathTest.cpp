// The path box on a real window above a real list view: the painted segment,
// clicks on segments, Enter, Ctrl+Delete and the Alt keys it hands on.
#include "ShellDoor.h"
#include "WindowDriver.h"
#include "xaEditPath.h"
#include "xaModulControls.h"

namespace {
struct TRecordingView : TxaShellListView {
    using TxaShellListView::TxaShellListView;
    String Keys;  // the keys that came with Alt alone; "!" for one with other modifiers
    void KeyDown(WORD& key, TShiftState shift) override { Keys += shift == ssAlt ? String(1, key) : L"!"; }
};
struct TBox {
    TForm form{nullptr};
    TTempDir dir;
    TxaEditPath* ep = Ui_Add<TxaEditPath>(&form, 0, 0, 900, 21);
    TRecordingView* lv = Ui_Add<TRecordingView>(&form, 0, 30, 900, 200);
    String alpha = dir / L"Alpha";
    TBox()
    {
        ep->SetXaShellListView(lv);
        lv->SetXaEditPath(ep);
        ep->Loaded();
        CreateDirectoryW(alpha.c_str(), nullptr);
        CreateDirectoryW((alpha + L"\\Beta").c_str(), nullptr);
        lv->SetPath(alpha + L"\\Beta");
        form.SetBounds(10, 10, 920, 280);
        form.Show();
    }
    // The mouse where the character look-up answers the second character of the
    // segment starting at Start (-1: past the end), optionally pressing a button.
    void mouse(int start, UINT down = 0, WPARAM keys = 0)
    {
        int x = start < 0 ? 880 : (short)LOWORD(SendMessageW(ep->Handle(), EM_POSFROMCHAR, start + 1, 0)) - 4;
        for (UINT m : {(UINT)WM_MOUSEMOVE, down, down + 1})
            if (m > 1) PostMessageW(ep->Handle(), m, m == down ? keys : 0, MAKELPARAM(x, 8));
        Application.ProcessMessages();
    }
    // The bounds of the pixels in the highlight colour.
    RECT hot() const
    {
        RECT box{}, dot;
        HDC dc = GetDC(ep->Handle());
        for (int y = 0; y < ep->ClientHeight(); ++y)
            for (int x = 0; x < ep->ClientWidth(); ++x)
                if (GetPixel(dc, x, y) == ColorToRGB(ep->HotColor()))
                    SetRect(&dot, x, y, x + 1, y + 1), UnionRect(&box, &box, &dot);
        ReleaseDC(ep->Handle(), dc);
        return box;
    }
};
}  // namespace

TEST(EditPath, TheSegmentUnderThePointerIsPaintedOnlyWhileTheBoxHasNoFocus)
{
    TBox b;
    b.lv->SetFocus();
    String t = b.ep->Text();
    int alpha = (int)t.size() - 10, beta = (int)t.size() - 4;
    // Border style, 3-D, inset, where the segment starts (-1: the pointer past the end), the segment.
    for (auto [border, ctl3D, bevel, start, segment] :
         {std::tuple{bsSingle, true, 0, 0, L"C:"}, {bsSingle, true, 2, 0, L"C:"}, {bsSingle, false, 0, alpha, L"Alpha"},
          {bsNone, false, 2, alpha, L"Alpha"}, {bsNone, true, 2, 0, L"C:"}, {bsSingle, true, 1, -1, L"Beta"}}) {
        b.ep->SetBorderStyle(border);
        b.ep->SetCtl3D(ctl3D);
        b.ep->SetHotBevel(bevel);
        b.mouse(start);
        int before = start < 0 ? beta : start, inset = before ? 0 : bevel, h = b.ep->Height();
        int x = (border == bsNone ? 0 : ctl3D ? 1 : 2) + Text_Width(t.substr(0, before), b.ep->Font);
        int bottom = border == bsNone ? Text_Height(segment + String(L"||FI"), b.ep->Font) + 2 : ctl3D ? h - 4 : h - 1;
        RECT got = b.hot(), want{x - 1 + inset + (border == bsNone && inset), (border == bsSingle && !ctl3D) + bevel,
                                 x + Text_Width(segment, b.ep->Font) + 1 - inset,
                                 std::min(bottom - bevel, b.ep->ClientHeight())};
        EXPECT_TRUE(EqualRect(&got, &want)) << N(segment) << bevel << ": " << got.left << "," << got.bottom;
    }
    b.ep->SetFocus();
    b.mouse(alpha);
    EXPECT_EQ(b.hot().right, 0) << "painted while focused";
}

TEST(EditPath, ClicksOnSegmentsEnterAndTheKeyTable)
{
    TBox b;
    int at = (int)b.ep->Text().size() - 10;
    std::vector<String> opened;
    TShellDoorScope door([&](const TShellExecuteRequest& r) { return opened.push_back(r.Verb + L" " + r.File), true; });
    b.mouse(at, WM_LBUTTONDOWN, MK_LBUTTON);  // a plain click only places the caret
    b.mouse(at, WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL);
    EXPECT_EQ(opened, std::vector<String>{L"open " + b.alpha});
    EXPECT_EQ(b.ep->HotPath(), b.alpha);
    EXPECT_EQ(b.hot().right, 0) << "the click repaints the box";
    auto* button = Ui_Add<TButton>(&b.form, 0, 240, 80, 24);
    button->Default = true;
    int pressed = 0, changes = 0;
    button->OnClick = [&](TObject*) { ++pressed; };
    b.lv->OnPathChange = [&](TObject*, const String&, const String&, bool&) { ++changes; };
    b.ep->SetFocus();
    for (auto [key, path, change] :
         {std::tuple{VK_RETURN, b.alpha + L"\\Beta", 0}, {VK_F5, b.dir.Path(), 1}, {VK_RETURN, b.alpha, 2}}) {
        b.ep->SetText(path);
        Ui_Key(key);
        EXPECT_EQ(changes, change);
        EXPECT_EQ(b.lv->Path(), path);
        EXPECT_EQ(b.ep->SelLength(), change ? (int)path.size() : 0);
    }
    EXPECT_EQ(pressed, 0) << "Enter is the box's own";
    b.ep->SetText(L"C:\\abc\\def");
    b.ep->SetSelStart(3);
    Ui_Key(VK_DELETE, ssCtrl);
    EXPECT_EQ(b.ep->Text(), L"C:\\\\def");
    for (wchar_t key : String(L"EOQCD\bVX")) Ui_Key(key, ssAlt);
    EXPECT_EQ(b.ep->SelLength(), (int)b.ep->Text().size()) << "Alt+V selects the whole text";
    Ui_Key('E');
    EXPECT_EQ(b.lv->Keys, L"EOQCD\bV");
    b.lv->SetPathFixRoot(b.dir.Path());
    for (auto [name, at, shown] : {std::tuple{L"Base", 6, L"Base:\\Alpha"}, {L"", 1, L"\\Alpha"}}) {
        b.lv->SetRootName(name);  // the box shows the root's name, if any, in place of the root
        b.lv->SetPath(b.alpha + L"\\Beta");
        b.mouse(at, WM_MBUTTONDOWN, MK_MBUTTON);
        EXPECT_EQ(b.lv->Path(), b.alpha);
        EXPECT_TRUE(b.lv->Focused());
        EXPECT_EQ(b.ep->Text(), shown);
    }
}

namespace {
// A folder with one subfolder Beta, beside the test program, and the same
// folder named by a full path without a drive letter: by its volume's name,
// or, where the platform does not open those (Wine answers "not supported"),
// through Wine's own namespace for the host's files (the program's folder is
// on the host, so its name there holds no colon). Either begins with two
// backslashes and holds no colon, as \\server\share does.
struct TDriveLessFolder {
    String Dos, Full;
    TDriveLessFolder()
    {
        wchar_t exe[MAX_PATH];
        GetModuleFileNameW(nullptr, exe, MAX_PATH);
        Dos = ExtractFilePath(exe) + L"noletter-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(Dos.c_str(), nullptr);
        CreateDirectoryW((Dos + L"\\Beta").c_str(), nullptr);
        wchar_t volume[MAX_PATH] = L"";
        if (GetVolumeNameForVolumeMountPointW(Dos.substr(0, 3).c_str(), volume, MAX_PATH) &&
            DirectoryExists(volume + Dos.substr(3))) {
            Full = volume + Dos.substr(3);
            return;
        }
        using TUnixName = char*(CDECL*)(const wchar_t*);
        auto unixName = reinterpret_cast<TUnixName>(
            reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
        if (char* name = unixName ? unixName(Dos.c_str()) : nullptr) {
            Full = L"\\\\?\\unix" + FromUtf8(name);
            HeapFree(GetProcessHeap(), 0, name);
            for (wchar_t& c : Full)
                if (c == L'/') c = L'\\';
        }
    }
    ~TDriveLessFolder() { RemoveTree(Dos); }
};
}  // namespace

TEST(EditPath, AFolderNamedWithoutADriveLetterIsListedNotTakenAsRelative)
{
    TBox b;
    TDriveLessFolder folder;
    const String& full = folder.Full;
    ASSERT_TRUE(full.starts_with(L"\\\\") && full.find(L':') == String::npos && DirectoryExists(full)) << N(full);
    b.ep->SetFocus();
    b.ep->SetText(full);
    Ui_Key(VK_RETURN);
    EXPECT_EQ(N(b.lv->Path()), N(full));
    ASSERT_EQ(b.lv->Items.Count(), 1);
    EXPECT_EQ(N(b.lv->Items[0].Caption), "Beta");
}
