// A form built before its windows exist: laid out as it is built, and once
// made, its windows show what a form built with its windows shows.
#include "ChoiceCtrls.h"
#include "Forms.h"
#include "WindowDriver.h"

namespace {
struct TWaitingForm : TForm {
    TWaitingForm() : TForm(nullptr, TWindowWaits{}) {}
};

struct TBuilt {
    std::vector<TControl*> Controls;  // the form first
    int Resizes = 0;
};

// The same window on either form: aligned panels, one with a border and one
// with padding, anchored controls (one centred), a resize handler that lays
// out, a minimum size above the design size, a text, a font and a check mark.
void build(TForm& form, TBuilt& b)
{
    form.SetClientSize(300, 200);
    form.Constraints.MinWidth = 420;
    form.Constraints.MinHeight = 330;
    form.Font.SetName(L"Courier New");
    form.Font.SetHeight(-17);
    auto* top = new TPanel(&form);
    top->SetHeight(40);
    top->SetParent(&form);
    top->SetAlign(alTop);
    auto* bottom = new TPanel(&form);
    bottom->SetHeight(30);
    bottom->SetBorderStyle(bsSingle);
    bottom->SetParent(&form);
    bottom->SetAlign(alBottom);
    auto* client = new TPanel(&form);
    client->Padding.Left = 7;
    client->Padding.Right = 5;
    client->SetParent(&form);
    client->SetAlign(alClient);
    auto* left = new TPanel(&form);
    left->SetWidth(90);
    left->SetParent(client);
    left->SetAlign(alLeft);
    auto* rest = new TPanel(&form);
    rest->SetParent(client);
    rest->SetAlign(alClient);
    auto* ok = new TButton(&form);
    ok->SetBounds(200, 4, 80, 20);
    ok->SetParent(bottom);
    ok->SetAnchors(akRight | akBottom);
    ok->SetCaption(L"OK");
    // Stretched by its anchors, it lays out its own aligned child.
    auto* strip = new TPanel(&form);
    strip->SetBounds(90, 2, 100, 24);
    strip->SetParent(bottom);
    strip->SetAnchors(akLeft | akTop | akRight);
    auto* inner = new TPanel(&form);
    inner->SetWidth(30);
    inner->SetParent(strip);
    inner->SetAlign(alRight);
    auto* edit = new TEdit(&form);
    edit->SetBounds(10, 10, 250, 22);
    edit->SetParent(top);
    edit->SetAnchors(akLeft | akTop | akRight);
    edit->SetText(L"typed");
    auto* check = new TCheckBox(&form);
    check->SetBounds(20, 100, 120, 20);
    check->SetParent(rest);
    check->SetAnchors(akBottom);
    check->SetChecked(true);
    check->SetCaption(L"mark");
    form.OnResize = [&b, left, client](TObject*) {
        ++b.Resizes;
        left->SetWidth(client->ClientWidth() / 3);
    };
    form.SetBounds(10, 20, 400, 300);  // below the minimum size
    b.Controls = {&form, top, bottom, client, left, rest, ok, strip, inner, edit, check};
}

// What the window shows: its place in its parent, client size, text, font,
// border and check mark.
String seen(TControl* c)
{
    HWND h = c->Handle();
    RECT r, client;
    GetWindowRect(h, &r);
    if (HWND parent = GetParent(h); parent && (GetWindowLongW(h, GWL_STYLE) & WS_CHILD))
        MapWindowPoints(nullptr, parent, (POINT*)&r, 2);
    GetClientRect(h, &client);
    LOGFONTW lf{};
    GetObjectW((HFONT)SendMessageW(h, WM_GETFONT, 0, 0), sizeof lf, &lf);
    wchar_t text[64] = L"";
    GetWindowTextW(h, text, 64);
    return Format(L"%s %d,%d %dx%d client %dx%d \"%s\" %s %d border %d check %d", c->ClassName().c_str(), r.left,
                  r.top, r.right - r.left, r.bottom - r.top, client.right, client.bottom, text, lf.lfFaceName,
                  lf.lfHeight, (GetWindowLongW(h, GWL_STYLE) & WS_BORDER) != 0,
                  (int)SendMessageW(h, BM_GETCHECK, 0, 0));
}

String model(TControl* c)
{
    return Format(L"%d,%d %dx%d client %dx%d", c->Left(), c->Top(), c->Width(), c->Height(), c->ClientWidth(),
                  c->ClientHeight());
}
}  // namespace

TEST(WaitingForm, LaidOutWithoutWindowsThenMadeAtOnceItShowsWhatAFormBuiltWithItsWindowsShows)
{
    TForm plain(nullptr);
    TBuilt p;
    build(plain, p);
    TWaitingForm waiting;
    TBuilt w;
    build(waiting, w);
    // Laid out without a window: the same bounds and client sizes, the resize handler run.
    for (size_t i = 0; i < w.Controls.size(); ++i) {
        EXPECT_FALSE(w.Controls[i]->HandleAllocated()) << i;
        EXPECT_EQ(model(w.Controls[i]), model(p.Controls[i])) << i;
    }
    EXPECT_GT(w.Resizes, 0);
    // Asked for by the last control, every window is made, each where the plain form has it.
    w.Controls.back()->HandleNeeded();
    for (size_t i = 0; i < w.Controls.size(); ++i) {
        ASSERT_TRUE(w.Controls[i]->HandleAllocated()) << i;
        EXPECT_EQ(seen(w.Controls[i]), seen(p.Controls[i])) << i;
        EXPECT_EQ(model(w.Controls[i]), model(p.Controls[i])) << i;
    }
    EXPECT_FALSE(IsWindowVisible(waiting.Handle()));
}

TEST(WaitingForm, ShowingItOrSizingItForAMaximizedShowMakesItsWindow)
{
    TWaitingForm shown;
    auto* panel = Ui_Add<TPanel>(&shown, 0, 0, 50, 20);
    EXPECT_FALSE(panel->HandleAllocated());
    shown.Show();
    ASSERT_TRUE(panel->HandleAllocated());
    EXPECT_TRUE(IsWindowVisible(panel->Handle()));
    shown.Hide();

    // Sized for a maximized show, the window takes its size before its
    // controls' windows are made: they are made there and never moved.
    struct TSizeCounter : TPanel {
        using TPanel::TPanel;
        int Sizes = 0;
        LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override
        {
            if (msg == WM_SIZE) ++Sizes;
            return TPanel::WndProc(msg, wp, lp);
        }
    };
    TWaitingForm sized;
    sized.SetWindowState(wsMaximized);
    auto* all = new TSizeCounter(&sized);
    all->SetParent(&sized);
    all->SetAlign(alClient);
    auto* corner = Ui_Add<TSizeCounter>(all, 10, 10, 40, 20);
    corner->SetAnchors(akRight | akBottom);
    sized.SizeForShow();
    ASSERT_TRUE(all->HandleAllocated());
    EXPECT_FALSE(IsWindowVisible(sized.Handle()));
    EXPECT_GT(sized.Width(), 320);  // taken the maximized size while hidden
    RECT client;
    GetClientRect(sized.Handle(), &client);
    EXPECT_EQ(all->Width(), client.right);
    int frame = sized.Width() - client.right;  // the same at either size
    EXPECT_EQ(corner->Left(), 10 + client.right - (320 - frame));  // kept its distance from the right edge
    EXPECT_EQ(all->Sizes, 1);
    EXPECT_EQ(corner->Sizes, 1);

    // A control of a form that does not wait keeps waiting for its parent's window.
    TPanel loose(nullptr);
    loose.HandleNeeded();
    EXPECT_FALSE(loose.HandleAllocated());
}

TEST(WaitingForm, WhatIsToBelongToAWaitingMainFormMakesItsWindow)
{
    TWaitingForm main;
    TForm* before = std::exchange(Application.MainForm, &main);
    HWND application = Application.Handle();
    EXPECT_TRUE(main.HandleAllocated());
    EXPECT_EQ(application, main.Handle());
    Application.MainForm = before;

    TWaitingForm other;
    Application.MainForm = &other;
    TForm dialog(nullptr);
    EXPECT_TRUE(other.HandleAllocated());
    EXPECT_EQ(GetWindow(dialog.Handle(), GW_OWNER), other.Handle());
    Application.MainForm = before;
}
