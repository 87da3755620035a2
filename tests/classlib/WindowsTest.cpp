// Real windows on the display, worked with keys and clicks through the
// application's message loop.
#include "ComCtrls.h"
#include "Dialogs.h"
#include "Forms.h"
#include "WindowDriver.h"

namespace {
// A small dialog: an edit box, an OK (default) and a Cancel button.
struct TAskForm : TForm {
    TEdit* Edit;
    TPanel* Strip;
    TButton *Ok, *Cancel;
    explicit TAskForm(TComponent* owner) : TForm(owner)
    {
        SetCaption(L"Ask");
        SetBorderStyle(bsSizeToolWin);
        SetClientSize(300, 120);
        Constraints.MinWidth = 200;
        Constraints.MinHeight = 150;
        Edit = Ui_Add<TEdit>(this, 8, 8, 284, 24);
        Edit->SetAnchors(akLeft | akTop | akRight);
        Strip = Ui_Add<TPanel>(this, 0, 0, 10, 44);
        Strip->SetAlign(alBottom);
        Ok = button(L"OK", 120, mrOk);
        Ok->Default = true;
        Cancel = button(L"Cancel", 210, mrCancel);
        Cancel->Cancel = true;
        SetActiveControl(Edit);
    }
    TButton* button(const String& caption, int left, int result)
    {
        auto* b = Ui_Add<TButton>(Strip, left, 8, 80, 28);
        b->SetCaption(caption);
        b->SetAnchors(akRight | akBottom);
        b->ModalResult = result;
        return b;
    }
    String ClassName() const override { return L"TAskForm"; }
};

TAskForm* askOf(HWND w) { return dynamic_cast<TAskForm*>(TControl::FromHandle(w)); }
}  // namespace

TEST(Windows, ModalFormWalkedWithTabTypedIntoAndConfirmedWithEnter)
{
    String typed;
    TModalDriver driver(L"TAskForm", [&](HWND w) {
        TAskForm* f = askOf(w);
        ASSERT_NE(f, nullptr);
        EXPECT_TRUE(IsWindowVisible(w));
        EXPECT_EQ(GetFocus(), f->Edit->Handle());
        for (auto [shift, to] : {std::pair{0u, f->Ok->Handle()}, {0u, f->Cancel->Handle()}, {ssShift, f->Ok->Handle()},
                                 {ssShift, f->Edit->Handle()}}) {
            Ui_Key(VK_TAB, shift);
            EXPECT_EQ(GetFocus(), to);
        }
        Ui_Type(L"hello");
        Ui_Key(VK_RETURN);  // from the edit box: the default button
        typed = f->Edit->Text();
    });
    TAskForm form(nullptr);
    EXPECT_EQ(form.ShowModal(), mrOk);
    EXPECT_EQ(typed, L"hello");
    ASSERT_EQ(driver.Seen.size(), 1u);
    EXPECT_EQ(driver.Seen[0].Caption, L"Ask");
    EXPECT_FALSE(IsWindowVisible(form.Handle()));
}

TEST(Windows, TheDoorCancelsAWindowLeftOpenAndAnswersOneUnseenAsAUserWould)
{
    {
        TModalDriver driver(L"TAskForm", [](HWND) {});
        TAskForm form(nullptr);
        EXPECT_EQ(form.ShowModal(), mrCancel);
    }
    // An answer without Drive: the window is never shown, the text goes into
    // the focused edit and the button that gives the answer is pressed.
    for (int answer : {IDOK, IDCANCEL, IDRETRY}) {
        std::vector<String> seen;
        TModalResponderScope scope([&](const TModalRequest& r) {
            seen.push_back(r.Kind);
            TModalAnswer a;
            a.Result = answer;
            a.Text = L"typed";
            return a;
        });
        TAskForm form(nullptr);
        int pressed = 0;
        form.Ok->OnClick = form.Cancel->OnClick = [&](TObject*) { ++pressed; };
        EXPECT_EQ(form.ShowModal(), answer);
        EXPECT_EQ(pressed, answer == IDRETRY ? 0 : 1) << answer;
        EXPECT_EQ(form.Edit->Text(), L"typed");
        EXPECT_FALSE(IsWindowVisible(form.Handle()));
        EXPECT_EQ(seen, (std::vector<String>{L"TAskForm"}));
    }
}

TEST(Windows, AnchorsAndAlignFollowAResize)
{
    TAskForm form(nullptr);
    auto* centred = Ui_Add<TPanel>(&form, 100, 40, 100, 20);  // no horizontal anchor: stays centred
    centred->SetAnchors(akBottom);
    form.Show();
    int editWidth = form.Edit->Width();
    int okRightGap = form.Strip->ClientWidth() - form.Ok->Left();
    int okBottomGap = form.Strip->ClientHeight() - form.Ok->Top();
    int centredBottomGap = form.ClientHeight() - centred->Top();
    SetWindowPos(form.Handle(), nullptr, 0, 0, form.Width() + 100, form.Height() + 60, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(form.Edit->Width(), editWidth + 100);
    EXPECT_EQ(form.Strip->Top() + form.Strip->Height(), form.ClientHeight());
    EXPECT_EQ(form.Strip->Width(), form.ClientWidth());
    EXPECT_EQ(form.Strip->ClientWidth() - form.Ok->Left(), okRightGap);
    EXPECT_EQ(form.Strip->ClientHeight() - form.Ok->Top(), okBottomGap);
    EXPECT_EQ(centred->Left() + centred->Width() / 2, form.ClientWidth() / 2);
    EXPECT_EQ(form.ClientHeight() - centred->Top(), centredBottomGap);
    // The minimum size holds against a smaller request.
    SetWindowPos(form.Handle(), nullptr, 0, 0, 50, 50, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(form.Width(), 200);
    EXPECT_EQ(form.Height(), 150);
    form.Hide();
}

TEST(Windows, HooksThenHiddenPopupMenuAndActionListsAnswerShortcuts)
{
    int selectAll = 0, copyAll = 0, off = 0;
    std::vector<String> ran;
    TAskForm form(nullptr);
    auto* pm = new TPopupMenu(&form);
    pm->Add(L"pmSelectAll", L"Select all", ShortCut('A', ssCtrl), -1, [&](TObject*) { ++selectAll; });
    pm->Add(L"pmCopyAll", L"Copy all", ShortCut('C', ssAlt), -1, [&](TObject*) { ++copyAll; });
    pm->Add(L"pmOff", L"Off", ShortCut('Q', ssCtrl), -1, [&](TObject*) { ++off; })->Enabled = false;
    form.PopupMenu = pm;  // the form's menu: its keys work from any control
    // Actions sharing a key: the first one takes it.
    auto* list = new TActionList(&form);
    auto action = [&](TShortCut key, std::function<String()> says) {
        auto* a = new TAction(&form, list);
        a->ShortCut = key;
        a->OnExecute = [&ran, says](TObject*) { ran.push_back(says()); };
        return a;
    };
    action(VK_F5, [] { return L"first"; });
    action(VK_F5, [] { return L"second"; });
    TAction* toggle = nullptr;
    toggle = action(ShortCut('T', ssCtrl), [&] { return toggle->Checked ? L"on" : L"off"; });
    toggle->AutoCheck = true;
    // The application's message hooks see each message first.
    int hooked = 0;
    int id = Application.HookMainWindow([&](MSG& m, bool& handled) {
        if (m.message == WM_KEYDOWN && m.wParam == VK_RETURN) handled = ++hooked > 0;  // the default button never sees it
    });
    TModalDriver driver(L"TAskForm", [&](HWND) {
        Ui_Key(VK_RETURN);
        for (auto [key, shift] : {std::pair{'A', ssCtrl}, {'C', ssAlt}, {'C', ssAlt}, {'Q', ssCtrl}})
            Ui_Key(key, shift);
        EXPECT_EQ(form.Edit->Text(), L"");  // the shortcut keys typed nothing
        Ui_Key(VK_F5);
        list->State = asSuspended;
        Ui_Key(VK_F5);
        list->State = asNormal;
        Ui_Key('T', ssCtrl);
        Ui_Key('T', ssCtrl);
        Ui_Key(VK_ESCAPE);
    });
    EXPECT_EQ(form.ShowModal(), mrCancel);
    Application.UnhookMainWindow(id);
    EXPECT_EQ(hooked, 1);
    EXPECT_EQ(selectAll, 1);
    EXPECT_EQ(copyAll, 2);
    EXPECT_EQ(off, 0);
    EXPECT_EQ(ran, (std::vector<String>{L"first", L"on", L"off"}));
}

TEST(Windows, AnExceptionInAHandlerIsShownNotPropagated)
{
    TModalRecorder recorder(IDOK);  // answers the error box
    TForm form(nullptr);
    auto* p = Ui_Add<TPanel>(&form, 0, 0, 50, 50);
    p->OnClick = [](TObject*) { throw EConvertError(L"'x' is not a valid integer value"); };
    form.Show();
    Ui_Click(p->Handle());
    form.Hide();
    ASSERT_EQ(recorder.Seen.size(), 1u);
    EXPECT_EQ(recorder.Seen[0].Kind, L"MessageBox");
    EXPECT_EQ(recorder.Seen[0].Text, L"'x' is not a valid integer value");
}

TEST(Windows, MouseEnterLeaveAndTheHandCursor)
{
    TForm form(nullptr);
    auto* p = Ui_Add<TPanel>(&form, 0, 0, 50, 50);
    p->Cursor = crHandPoint;
    std::vector<String> events;
    p->OnMouseEnter = [&](TObject*) { events.push_back(L"enter"); };
    p->OnMouseLeave = [&](TObject*) { events.push_back(L"leave"); };
    form.Show();
    Ui_MouseEnter(p->Handle());
    Ui_MouseEnter(p->Handle());  // moving inside is no second entry
    Ui_MouseLeave(p->Handle());
    EXPECT_EQ(events, (std::vector<String>{L"enter", L"leave"}));
    auto cursorOver = [p] {
        SendMessageW(p->Handle(), WM_SETCURSOR, (WPARAM)p->Handle(), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return GetCursor();
    };
    EXPECT_EQ(cursorOver(), LoadCursorW(nullptr, IDC_HAND));
    {
        TScreenCursor busy;
        EXPECT_EQ(cursorOver(), LoadCursorW(nullptr, IDC_WAIT));
    }
    EXPECT_EQ(Screen.Cursor(), crDefault);
    form.Hide();
}

TEST(Windows, RichEditKeepsColoursAndSelection)
{
    TForm form(nullptr);
    form.SetColor(0xC6E7FB);
    auto* r = Ui_Add<TRichEdit>(&form, 0, 0, 200, 100);
    r->SetParentColor(true);
    r->SetReadOnly(true);
    r->SetScrollBars(ssVertical);
    r->SetBorderStyle(bsNone);
    r->SetText(L"one two three");
    int changes = 0;
    r->OnSelectionChange = [&](TObject*) { ++changes; };
    r->SetSelStart(4);
    r->SetSelLength(3);
    EXPECT_EQ(r->SelText(), L"two");
    EXPECT_GT(changes, 0);
    EXPECT_TRUE(GetWindowLongPtrW(r->Handle(), GWL_STYLE) & ES_READONLY);
    EXPECT_FALSE(GetWindowLongPtrW(r->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    r->SelectAll();
    EXPECT_GE(r->SelLength(), 13);  // the control counts its closing paragraph mark too
    // A text longer than the box scrolls vertically; the bar goes with a text
    // that fits, also one that looks long by its count of characters.
    String lines, wide = L"x";
    for (int i = 0; i < 60; ++i) lines += L"line\r\n";
    for (int i = 0; i < 3000; ++i) wide += L"\u200B";
    const struct {
        String text;
        bool bar;
    } cases[] = {{lines, true}, {L"short", false}, {lines, true}, {wide, false}};
    for (const auto& c : cases) {
        r->SetText(c.text);
        SCOPED_TRACE(c.text.size());
        EXPECT_EQ((GetWindowLongPtrW(r->Handle(), GWL_STYLE) & WS_VSCROLL) != 0, c.bar);
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_RANGE | SIF_PAGE;
        if (c.bar) {
            EXPECT_TRUE(GetScrollInfo(r->Handle(), SB_VERT, &si) && si.nMax > (int)si.nPage);
        }
    }
}

TEST(Windows, RealOpenDialogIsDrivenAndCannotHang)
{
    TTempDir dir;
    WriteFileBytes(dir / L"pick.ico", "x");
    bool up = false;
    // Left open: the door cancels it.
    TModalDriver driver(L"TOpenDialog", [&](HWND dialog) { up = IsWindow(dialog) != FALSE; });
    TOpenDialog d;
    d.InitialDir = dir.Path();
    d.Filter = L"Icons|*.ico";
    EXPECT_FALSE(d.Execute());
    EXPECT_TRUE(up);
}

namespace {
// A shown form whose right-click menu has a hidden item between its first two.
struct PopupMenus : testing::Test {
    struct TMenuForm : TForm {
        std::vector<String> Clicked;
        TMenuForm() : TForm(nullptr)
        {
            auto* menu = new TPopupMenu(this);
            menu->Name = L"pmTest";
            for (const wchar_t* c : {L"One", L"Hidden", L"Two", L"Three"})
                menu->Add(c, c, scNone, -1, [this, c](TObject*) { Clicked.push_back(c); })->Visible =
                    String(c) != L"Hidden";
            PopupMenu = menu;
            SetBounds(100, 100, 300, 200);
        }
    } Form;
    PopupMenus() { Form.Show(); }
    ~PopupMenus() override { Form.Hide(); }
    void RightClick() { SendMessageW(Form.Handle(), WM_CONTEXTMENU, (WPARAM)Form.Handle(), MAKELPARAM(150, 150)); }
};
}  // namespace

TEST_F(PopupMenus, RightClickMenuThroughTheDoor)
{
    {
        TModalResponderScope scope([](const TModalRequest& r) {
            EXPECT_EQ(r.Kind, L"TPopupMenu");
            EXPECT_EQ(r.Caption, L"pmTest");
            EXPECT_EQ(r.Text, L"One\nTwo\nThree");
            TModalAnswer a;
            a.Result = 2;  // the second visible item
            return a;
        });
        RightClick();
    }
    EXPECT_EQ(Form.Clicked, (std::vector<String>{L"Two"}));
    TModalRecorder none(0);  // dismissed
    RightClick();
    EXPECT_EQ(Form.Clicked.size(), 1u);
}

TEST_F(PopupMenus, RealPopupMenuIsWorkedWithKeysOrClosedWhenLeftOpen)
{
    HWND menuWindow = nullptr;
    TModalDriver driver(L"TPopupMenu", [&](HWND menu) {
        menuWindow = menu;
        for (WORD k : {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}) {
            PostMessageW(menu, WM_KEYDOWN, k, 0);
            PostMessageW(menu, WM_KEYUP, k, 0xC0000001);
        }
    });
    RightClick();
    EXPECT_NE(menuWindow, nullptr);
    EXPECT_EQ(Form.Clicked, (std::vector<String>{L"Three"}));

    TModalDriver idle(L"TPopupMenu", [](HWND) {});
    DWORD start = GetTickCount();
    RightClick();
    EXPECT_LT(GetTickCount() - start, 8000u);
    EXPECT_EQ(Form.Clicked.size(), 1u);
}

// An auto-arranged icon view filled while its window is hidden is arranged at
// the size the window is shown with, and draws: its icons wrap at the shown
// width, row after row.
TEST(Windows, IconViewFilledHiddenIsArrangedAtItsShownSize)
{
    TForm form(nullptr);
    form.SetBounds(40, 40, 200, 300);
    auto* lv = new TListView(&form);
    lv->IconOptions.AutoArrange = true;
    lv->SetParent(&form);
    lv->SetAlign(alClient);
    lv->SetViewStyle(vsIcon);
    lv->Items.BeginUpdate();
    for (int i = 0; i < 60; ++i) lv->Items.Add()->Caption = L"row " + IntToStr(i);
    lv->Items.EndUpdate();
    form.SetBounds(40, 40, 700, 300);
    form.Show();
    HWND h = lv->Handle();
    auto at = [h](int row) {
        POINT p{-1, -1};
        ListView_GetItemPosition(h, row, &p);
        return p;
    };
    // The row that starts the second line of icons at the shown width.
    auto secondLine = [&] {
        for (int row = 1; row < 60; ++row)
            if (at(row).y > at(0).y) return row;
        return 0;
    };
    RECT client;
    GetClientRect(h, &client);
    ASSERT_TRUE(Ui_WaitFor([&] { return secondLine() > 0 && !GetUpdateRect(h, nullptr, FALSE); }));
    int perLine = secondLine();
    EXPECT_GT(perLine, 4) << "more icons on a line than the hidden width held";
    RECT icon{};
    ListView_GetItemRect(h, perLine - 1, &icon, LVIR_ICON);
    EXPECT_LE(icon.right, client.right) << "the line ends inside the shown width";
    EXPECT_EQ(at(perLine).x, at(0).x);
}
