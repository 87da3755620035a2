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
    TButton* Ok;
    TButton* Cancel;
    TPanel* Strip;
    explicit TAskForm(TComponent* owner) : TForm(owner)
    {
        SetCaption(L"Ask");
        SetBorderStyle(bsSizeToolWin);
        SetClientSize(300, 120);
        Constraints.MinWidth = 200;
        Constraints.MinHeight = 150;
        Edit = new TEdit(this);
        Edit->SetParent(this);
        Edit->SetBounds(8, 8, 284, 24);
        Edit->SetAnchors(akLeft | akTop | akRight);
        Strip = new TPanel(this);
        Strip->SetParent(this);
        Strip->SetBounds(0, 0, 10, 44);
        Strip->SetAlign(alBottom);
        Ok = new TButton(this);
        Ok->SetParent(Strip);
        Ok->SetCaption(L"OK");
        Ok->SetBounds(120, 8, 80, 28);
        Ok->SetAnchors(akRight | akBottom);
        Ok->Default = true;
        Ok->ModalResult = mrOk;
        Cancel = new TButton(this);
        Cancel->SetParent(Strip);
        Cancel->SetCaption(L"Cancel");
        Cancel->SetBounds(210, 8, 80, 28);
        Cancel->SetAnchors(akRight | akBottom);
        Cancel->Cancel = true;
        Cancel->ModalResult = mrCancel;
        SetActiveControl(Edit);
    }
    String ClassName() const override { return L"TAskForm"; }
};

TAskForm* askOf(HWND w) { return dynamic_cast<TAskForm*>(TControl::FromHandle(w)); }
}  // namespace

TEST(Windows, ModalFormTypedIntoAndConfirmedWithEnter)
{
    String typed;
    TModalDriver driver(L"TAskForm", [&](HWND w) {
        TAskForm* f = askOf(w);
        ASSERT_NE(f, nullptr);
        EXPECT_TRUE(IsWindowVisible(w));
        EXPECT_EQ(GetFocus(), f->Edit->Handle());
        Ui_Type(L"hello");
        Ui_Key(VK_RETURN);
        typed = f->Edit->Text();
    });
    TAskForm form(nullptr);
    EXPECT_EQ(form.ShowModal(), mrOk);
    EXPECT_EQ(typed, L"hello");
    ASSERT_EQ(driver.Seen.size(), 1u);
    EXPECT_EQ(driver.Seen[0].Caption, L"Ask");
    EXPECT_FALSE(IsWindowVisible(form.Handle()));
}

TEST(Windows, EscPressesTheCancelButtonAndTabWalksTheControls)
{
    TModalDriver driver(L"TAskForm", [&](HWND w) {
        TAskForm* f = askOf(w);
        Ui_Key(VK_TAB);
        EXPECT_EQ(GetFocus(), f->Ok->Handle());
        Ui_Key(VK_TAB);
        EXPECT_EQ(GetFocus(), f->Cancel->Handle());
        Ui_Key(VK_TAB, ssShift);
        EXPECT_EQ(GetFocus(), f->Ok->Handle());
        Ui_Key(VK_ESCAPE);
    });
    TAskForm form(nullptr);
    EXPECT_EQ(form.ShowModal(), mrCancel);
}

TEST(Windows, AWindowLeftOpenByTheTestIsCancelledNotHung)
{
    TModalDriver driver(L"TAskForm", [](HWND) {});
    TAskForm form(nullptr);
    EXPECT_EQ(form.ShowModal(), mrCancel);
}

TEST(Windows, AnAnswerWithoutDriveDoesNotShowTheWindow)
{
    TModalRecorder recorder(IDOK);
    TAskForm form(nullptr);
    EXPECT_EQ(form.ShowModal(), mrOk);
    EXPECT_FALSE(IsWindowVisible(form.Handle()));
    ASSERT_EQ(recorder.Seen.size(), 1u);
    EXPECT_EQ(recorder.Seen[0].Kind, L"TAskForm");
}

TEST(Windows, AnchorsAndAlignFollowAResize)
{
    TAskForm form(nullptr);
    form.Show();
    int editWidth = form.Edit->Width();
    int okRightGap = form.Strip->ClientWidth() - form.Ok->Left();
    int okBottomGap = form.Strip->ClientHeight() - form.Ok->Top();
    SetWindowPos(form.Handle(), nullptr, 0, 0, form.Width() + 100, form.Height() + 60, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(form.Edit->Width(), editWidth + 100);
    EXPECT_EQ(form.Strip->Top() + form.Strip->Height(), form.ClientHeight());
    EXPECT_EQ(form.Strip->Width(), form.ClientWidth());
    EXPECT_EQ(form.Strip->ClientWidth() - form.Ok->Left(), okRightGap);
    EXPECT_EQ(form.Strip->ClientHeight() - form.Ok->Top(), okBottomGap);
    // The minimum size holds against a smaller request.
    SetWindowPos(form.Handle(), nullptr, 0, 0, 50, 50, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(form.Width(), 200);
    EXPECT_EQ(form.Height(), 150);
    form.Hide();
}

TEST(Windows, ControlWithoutHorizontalAnchorsStaysCentred)
{
    TForm form(nullptr);
    form.SetClientSize(400, 200);
    auto* p = new TPanel(&form);
    p->SetParent(&form);
    p->SetBounds(150, 50, 100, 40);
    p->SetAnchors(akBottom);
    form.SetClientSize(600, 300);
    EXPECT_EQ(p->Left() + p->Width() / 2, 300);
    EXPECT_EQ(form.ClientHeight() - p->Top(), 150);
}

TEST(Windows, PopupMenuShortcutsWorkWhileTheMenuIsHidden)
{
    int selectAll = 0, copyAll = 0, shown = 0;
    TModalDriver driver(L"TAskForm", [&](HWND w) {
        TAskForm* f = askOf(w);
        auto* pm = new TPopupMenu(f);
        pm->Add(L"pmSelectAll", L"Select all", ShortCut('A', ssCtrl), -1, [&](TObject*) { ++selectAll; });
        pm->Add(L"pmCopyAll", L"Copy all", ShortCut('C', ssAlt), -1, [&](TObject*) { ++copyAll; });
        auto* off = pm->Add(L"pmOff", L"Off", ShortCut('Q', ssCtrl), -1, [&](TObject*) { ++shown; });
        off->Enabled = false;
        f->PopupMenu = pm;  // the form's menu: its keys work from any control
        Ui_Key('A', ssCtrl);
        Ui_Key('C', ssAlt);
        Ui_Key('C', ssAlt);
        Ui_Key('Q', ssCtrl);
        EXPECT_EQ(f->Edit->Text(), L"");  // the shortcut keys typed nothing
        Ui_Key(VK_ESCAPE);
    });
    TAskForm form(nullptr);
    form.ShowModal();
    EXPECT_EQ(selectAll, 1);
    EXPECT_EQ(copyAll, 2);
    EXPECT_EQ(shown, 0);
}

TEST(Windows, ActionListsAnswerShortcutsInOrderUnlessSuspended)
{
    std::vector<String> ran;
    TActionList* list = nullptr;
    TAction* toggle = nullptr;
    TModalDriver driver(L"TAskForm", [&](HWND) {
        Ui_Key(VK_F5);
        list->State = asSuspended;
        Ui_Key(VK_F5);
        list->State = asNormal;
        Ui_Key('T', ssCtrl);
        Ui_Key('T', ssCtrl);
        Ui_Key(VK_ESCAPE);
    });
    TAskForm form(nullptr);
    list = new TActionList(&form);
    auto* first = new TAction(&form, list);
    first->ShortCut = VK_F5;
    first->OnExecute = [&](TObject*) { ran.push_back(L"first"); };
    auto* second = new TAction(&form, list);
    second->ShortCut = VK_F5;
    second->OnExecute = [&](TObject*) { ran.push_back(L"second"); };
    toggle = new TAction(&form, list);
    toggle->ShortCut = ShortCut('T', ssCtrl);
    toggle->AutoCheck = true;
    toggle->OnExecute = [&](TObject*) { ran.push_back(toggle->Checked ? L"on" : L"off"); };
    form.ShowModal();
    EXPECT_EQ(ran, (std::vector<String>{L"first", L"on", L"off"}));
}

TEST(Windows, MessageHooksSeeMessagesFirst)
{
    int seen = 0;
    int id = Application.HookMainWindow([&](MSG& m, bool& handled) {
        if (m.message == WM_KEYDOWN && m.wParam == VK_RETURN) {
            ++seen;
            handled = true;  // Enter no longer reaches the default button
        }
    });
    TModalDriver driver(L"TAskForm", [&](HWND) {
        Ui_Key(VK_RETURN);
        Ui_Key(VK_ESCAPE);
    });
    TAskForm form(nullptr);
    EXPECT_EQ(form.ShowModal(), mrCancel);
    Application.UnhookMainWindow(id);
    EXPECT_EQ(seen, 1);
}

TEST(Windows, AnExceptionInAHandlerIsShownNotPropagated)
{
    TModalRecorder recorder(IDOK);  // answers the error box
    TForm form(nullptr);
    auto* p = new TPanel(&form);
    p->SetParent(&form);
    p->SetBounds(0, 0, 50, 50);
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
    auto* p = new TPanel(&form);
    p->SetParent(&form);
    p->SetBounds(0, 0, 50, 50);
    p->Cursor = crHandPoint;
    std::vector<String> events;
    p->OnMouseEnter = [&](TObject*) { events.push_back(L"enter"); };
    p->OnMouseLeave = [&](TObject*) { events.push_back(L"leave"); };
    form.Show();
    Ui_MouseEnter(p->Handle());
    Ui_MouseEnter(p->Handle());  // moving inside is no second entry
    Ui_MouseLeave(p->Handle());
    EXPECT_EQ(events, (std::vector<String>{L"enter", L"leave"}));
    SendMessageW(p->Handle(), WM_SETCURSOR, (WPARAM)p->Handle(), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
    {
        TScreenCursor busy;
        SendMessageW(p->Handle(), WM_SETCURSOR, (WPARAM)p->Handle(), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_WAIT));
    }
    EXPECT_EQ(Screen.Cursor(), crDefault);
    form.Hide();
}

TEST(Windows, RichEditKeepsColoursAndSelection)
{
    TForm form(nullptr);
    form.SetColor(0xC6E7FB);
    auto* r = new TRichEdit(&form);
    r->SetParent(&form);
    r->SetParentColor(true);
    r->SetBounds(0, 0, 200, 100);
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
    EXPECT_EQ(r->Text(), L"one two three");
    r->SelectAll();
    EXPECT_GE(r->SelLength(), 13);  // the control counts its closing paragraph mark too
    // A text longer than the box scrolls vertically.
    String lines;
    for (int i = 0; i < 60; ++i) lines += L"line\r\n";
    r->SetText(lines);
    EXPECT_TRUE(GetWindowLongPtrW(r->Handle(), GWL_STYLE) & WS_VSCROLL);
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE;
    ASSERT_TRUE(GetScrollInfo(r->Handle(), SB_VERT, &si));
    EXPECT_GT(si.nMax, (int)si.nPage);
}

TEST(Windows, RealOpenDialogIsDrivenAndCannotHang)
{
    TTempDir dir;
    WriteFileBytes(dir / L"pick.ico", "x");
    bool up = false;
    TModalDriver driver(L"TOpenDialog", [&](HWND dialog) {
        up = IsWindow(dialog) != FALSE;
        // Left open: the door cancels it.
    });
    TOpenDialog d;
    d.InitialDir = dir.Path();
    d.Filter = L"Icons|*.ico";
    EXPECT_FALSE(d.Execute());
    EXPECT_TRUE(up);
}

namespace {
struct TMenuForm : TForm {
    TPopupMenu* Menu;
    std::vector<String> Clicked;
    TMenuForm() : TForm(nullptr)
    {
        Menu = new TPopupMenu(this);
        Menu->Name = L"pmTest";
        for (const wchar_t* c : {L"One", L"Hidden", L"Two", L"Three"}) {
            TMenuItem* item = Menu->Add(c, c, scNone, -1, [this, c](TObject*) { Clicked.push_back(c); });
            item->Visible = String(c) != L"Hidden";
        }
        PopupMenu = Menu;
        SetBounds(100, 100, 300, 200);
    }
};
}  // namespace

TEST(Windows, RightClickMenuThroughTheDoor)
{
    TMenuForm form;
    form.Show();
    {
        TModalResponderScope scope([](const TModalRequest& r) {
            EXPECT_EQ(r.Kind, L"TPopupMenu");
            EXPECT_EQ(r.Caption, L"pmTest");
            EXPECT_EQ(r.Text, L"One\nTwo\nThree");
            TModalAnswer a;
            a.Result = 2;  // the second visible item
            return a;
        });
        SendMessageW(form.Handle(), WM_CONTEXTMENU, (WPARAM)form.Handle(), MAKELPARAM(150, 150));
    }
    EXPECT_EQ(form.Clicked, (std::vector<String>{L"Two"}));
    {
        TModalRecorder none(0);  // dismissed
        SendMessageW(form.Handle(), WM_CONTEXTMENU, (WPARAM)form.Handle(), MAKELPARAM(150, 150));
    }
    EXPECT_EQ(form.Clicked.size(), 1u);
    form.Hide();
}

TEST(Windows, RealPopupMenuIsWorkedWithKeys)
{
    TMenuForm form;
    form.Show();
    HWND menuWindow = nullptr;
    TModalDriver driver(L"TPopupMenu", [&](HWND menu) {
        menuWindow = menu;
        for (WORD k : {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}) {
            PostMessageW(menu, WM_KEYDOWN, k, 0);
            PostMessageW(menu, WM_KEYUP, k, 0xC0000001);
        }
    });
    SendMessageW(form.Handle(), WM_CONTEXTMENU, (WPARAM)form.Handle(), MAKELPARAM(150, 150));
    EXPECT_NE(menuWindow, nullptr);
    EXPECT_EQ(form.Clicked, (std::vector<String>{L"Three"}));
    form.Hide();
}

TEST(Windows, RealPopupMenuLeftOpenIsClosed)
{
    TMenuForm form;
    form.Show();
    TModalDriver driver(L"TPopupMenu", [](HWND) {});
    DWORD start = GetTickCount();
    SendMessageW(form.Handle(), WM_CONTEXTMENU, (WPARAM)form.Handle(), MAKELPARAM(150, 150));
    EXPECT_LT(GetTickCount() - start, 8000u);
    EXPECT_TRUE(form.Clicked.empty());
    form.Hide();
}
