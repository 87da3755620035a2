// The path box on a real window above a real list view: the painted segment,
// clicks on segments, Enter, Ctrl+Delete and the Alt keys it hands on.
#include "ShellDoor.h"
#include "WindowDriver.h"
#include "xaEditPath.h"

namespace {
struct TRecordingView : TxaShellListView {
    using TxaShellListView::TxaShellListView;
    std::vector<std::pair<WORD, TShiftState>> Keys;
    void KeyDown(WORD& key, TShiftState shift) override { Keys.emplace_back(key, shift); }
};
struct TBox {
    TForm form{nullptr};
    TTempDir dir;
    TxaEditPath* ep = Ui_Add<TxaEditPath>(&form, 0, 0, 900, 21);
    TRecordingView* lv = Ui_Add<TRecordingView>(&form, 0, 30, 900, 200);
    TBox()
    {
        form.SetBounds(10, 10, 920, 280);
        ep->SetXaShellListView(lv);
        lv->SetXaEditPath(ep);
        CreateDirectoryW((dir / L"Alpha").c_str(), nullptr);
        CreateDirectoryW((dir / L"Alpha\\Beta").c_str(), nullptr);
        lv->SetPath(dir / L"Alpha\\Beta");
        form.Show();
        lv->SetFocus();
    }
    // A point whose character look-up answers the second character of the segment before Tail.
    int at(const String& tail) const
    {
        int start = (int)(ep->Text().size() - tail.size());
        return (short)LOWORD(SendMessageW(ep->Handle(), EM_POSFROMCHAR, start + 1, 0)) - 4;
    }
    void mouse(UINT down, WPARAM keys, int x, int y = 8)
    {
        PostMessageW(ep->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        if (down) PostMessageW(ep->Handle(), down, keys, MAKELPARAM(x, y));
        if (down) PostMessageW(ep->Handle(), down + 1, 0, MAKELPARAM(x, y));
        Application.ProcessMessages();
    }
    // The bounds of the pixels in the highlight colour (empty when none).
    RECT hot() const
    {
        RECT c, box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
        GetClientRect(ep->Handle(), &c);
        HDC dc = GetDC(ep->Handle());
        for (int y = 0; y < c.bottom; ++y)
            for (int x = 0; x < c.right; ++x)
                if (GetPixel(dc, x, y) == ColorToRGB(ep->HotColor()))
                    box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x + 1),
                           std::max<LONG>(box.bottom, y + 1)};
        ReleaseDC(ep->Handle(), dc);
        return box.left == INT_MAX ? RECT{} : box;
    }
    SIZE extent(const String& s) const
    {
        HDC dc = GetDC(ep->Handle());
        HGDIOBJ old = SelectObject(dc, ep->Font.Handle());
        SIZE z{};
        GetTextExtentPoint32W(dc, s.c_str(), (int)s.size(), &z);
        SelectObject(dc, old);
        ReleaseDC(ep->Handle(), dc);
        return z;
    }
};
}  // namespace

TEST(EditPath, TheSegmentUnderThePointerIsPaintedOnlyWhileTheBoxHasNoFocus)
{
    TBox b;
    String text = b.ep->Text();
    size_t lastSlash = text.rfind(L'\\'), alpha = text.size() - 10;
    struct {
        TBorderStyle border;
        bool ctl3D;
        int bevel;
        size_t before;  // the segment's first character; the pointer goes past the end for the last one
        String segment;
    } cases[] = {{bsSingle, true, 0, 0, L"C:"},        {bsSingle, true, 2, 0, L"C:"},
                 {bsSingle, false, 0, alpha, L"Alpha"}, {bsNone, false, 2, alpha, L"Alpha"},
                 {bsNone, true, 2, 0, L"C:"},           {bsSingle, true, 1, lastSlash + 1, L"Beta"}};
    for (auto& c : cases) {
        b.ep->SetBorderStyle(c.border);
        b.ep->SetCtl3D(c.ctl3D);
        b.ep->SetHotBevel(c.bevel);
        b.mouse(0, 0, c.segment == L"Beta" ? 880 : b.at(text.substr(c.before)));
        int origin = c.border == bsNone ? 0 : c.ctl3D ? 1 : 2, h = b.ep->Height(), inset = c.before ? 0 : c.bevel;
        int x = origin + b.extent(text.substr(0, c.before)).cx, w = b.extent(c.segment).cx;
        RECT want{x - 1 + inset + (c.border == bsNone && inset), c.ctl3D || c.border == bsNone ? 0 : 1,
                  x + w + 1 - inset, c.border == bsNone ? b.extent(c.segment + L"||FI").cy + 2 : c.ctl3D ? h - 4 : h - 1};
        want.top += c.bevel;
        want.bottom = std::min<LONG>(want.bottom - c.bevel, b.ep->ClientHeight());
        RECT got = b.hot();
        EXPECT_TRUE(EqualRect(&got, &want)) << N(c.segment) << " bevel " << c.bevel << ": " << got.left << ","
                                            << got.top << "," << got.right << "," << got.bottom;
        EXPECT_EQ(b.ep->HotPath(), L"") << "a move sets no path";
    }
    b.ep->SetFocus();
    b.mouse(0, 0, b.at(L"Alpha\\Beta"));
    EXPECT_EQ(b.hot().right, 0) << "painted while focused";
    b.mouse(WM_LBUTTONDOWN, MK_LBUTTON, b.at(L"Alpha\\Beta"));
    EXPECT_EQ(b.ep->HotPath(), b.dir / L"Alpha");
    EXPECT_EQ(b.hot().right, 0) << "the click repaints the box";
}

TEST(EditPath, CtrlClickOpensMiddleClickListsWithTheFixedRootMapped)
{
    TBox b;
    std::vector<String> opened;
    TShellDoorScope door([&](const TShellExecuteRequest& r) { return opened.push_back(r.Verb + L" " + r.File), true; });
    b.mouse(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, b.at(L"Alpha\\Beta"));
    EXPECT_EQ(opened, std::vector<String>{L"open " + (b.dir / L"Alpha")});
    for (String root : {L"", L"Base"}) {
        b.lv->SetRootName(root);
        b.lv->SetPathFixRoot(root.empty() ? L"" : b.dir.Path());
        b.lv->SetPath(b.dir / L"Alpha\\Beta");
        b.ep->SetFocus();
        b.mouse(WM_MBUTTONDOWN, MK_MBUTTON, b.at(L"Alpha\\Beta"));
        EXPECT_EQ(b.lv->Path(), b.dir / L"Alpha") << N(root);
        EXPECT_TRUE(b.lv->Focused());
        EXPECT_EQ(b.ep->Text(), root.empty() ? b.dir / L"Alpha" : L"Base:\\Alpha");
    }
}

TEST(EditPath, EnterListsChangedTextOnlyAndOtherKeysFollowTheTable)
{
    TBox b;
    auto* button = Ui_Add<TButton>(&b.form, 0, 240, 80, 24);
    button->Default = true;
    int pressed = 0, changes = 0;
    button->OnClick = [&](TObject*) { ++pressed; };
    b.lv->OnPathChange = [&](TObject*, const String&, const String&, bool&) { ++changes; };
    b.ep->SetFocus();
    Ui_Key(VK_RETURN);
    EXPECT_EQ(changes, 0) << "unchanged text";
    b.ep->SetText(b.dir / L"Alpha");
    Ui_Key(VK_F5);
    EXPECT_EQ(b.lv->Path(), b.dir / L"Alpha");
    EXPECT_EQ(b.ep->SelLength(), (int)b.ep->Text().size());
    b.ep->SetText(b.dir.Path());
    Ui_Key(VK_RETURN);
    EXPECT_EQ(b.lv->Path(), b.dir.Path());
    EXPECT_EQ(pressed, 0) << "Enter is the box's own";
    b.ep->SetText(L"C:\\abc\\def");
    b.ep->SetSelStart(3);
    Ui_Key(VK_DELETE, ssCtrl);
    EXPECT_EQ(b.ep->Text(), L"C:\\\\def");
    for (WORD key : std::initializer_list<WORD>{'E', 'O', 'Q', 'C', 'D', VK_BACK, 'V', 'X'}) Ui_Key(key, ssAlt);
    EXPECT_EQ(b.ep->SelLength(), (int)b.ep->Text().size()) << "Alt+V selects the whole text";
    Ui_Key('E');
    std::vector<std::pair<WORD, TShiftState>> want;
    for (WORD key : std::initializer_list<WORD>{'E', 'O', 'Q', 'C', 'D', VK_BACK, 'V'}) want.emplace_back(key, ssAlt);
    EXPECT_EQ(b.lv->Keys, want);
}
