// The rename box, worked with the keys a user presses.
#include "WindowDriver.h"
#include "xaRename.h"
#include "xaLanguageUni.h"

namespace {
struct TSel {
    int start, length;
    bool operator==(const TSel&) const = default;
};
std::ostream& operator<<(std::ostream& o, const TSel& s) { return o << "(" << s.start << "," << s.length << ")"; }
TSel sel()
{
    TEdit* e = FormRenamer->Edit1;
    return {e->SelStart(), e->SelLength()};
}

// Runs Renamer_Ask with the box worked by Steps; the result and the text.
struct TAsk {
    bool Result = false;
    String NewText = L"unchanged";
    bool Shown = false;
};
TAsk ask(const String& text, int selStart, int selLength, const std::function<void()>& steps)
{
    TAsk r;
    TModalDriver driver(L"TFormRenamer", [&](HWND) {
        r.Shown = true;
        EXPECT_EQ(GetFocus(), FormRenamer->Edit1->Handle());
        steps();
        EXPECT_NE(FormRenamer->ModalResult, mrNone) << "the box was left open";
    });
    r.Result = Renamer_Ask(L"Rename", text, r.NewText, selStart, selLength);
    EXPECT_TRUE(r.Shown);
    return r;
}
}  // namespace

TEST(Rename, F2CyclesNameAndExtension)
{
    ask(L"report.final.txt", -1, -1, [] {
        EXPECT_EQ(sel(), (TSel{0, 16}));
        Ui_Key(VK_F2);
        EXPECT_EQ(sel(), (TSel{0, 12}));  // report.final: the last dot counts
        EXPECT_EQ(FormRenamer->Edit1->SelText(), L"report.final");
        Ui_Key(VK_F2);
        EXPECT_EQ(FormRenamer->Edit1->SelText(), L"txt");
        Ui_Key(VK_F2);
        EXPECT_EQ(FormRenamer->Edit1->SelText(), L"report.final");
        Ui_Key(VK_F2);
        EXPECT_EQ(FormRenamer->Edit1->SelText(), L"txt");
        Ui_Key(VK_ESCAPE);
    });
}

TEST(Rename, F2StartsWithTheNameFromAnySelection)
{
    struct {
        int start, length;
    } cases[] = {{3, 0}, {5, 2}, {0, 3}, {0, 0}};
    for (auto& c : cases)
        ask(L"photo.jpeg", c.start, c.length, [&] {
            EXPECT_EQ(sel(), (TSel{c.start, c.length}));
            Ui_Key(VK_F2);
            EXPECT_EQ(sel(), (TSel{0, 5})) << c.start << "," << c.length;
            Ui_Key(VK_ESCAPE);
        });
}

TEST(Rename, F2WithoutADotDoesNothing)
{
    ask(L"Folder name", 2, 3, [] {
        Ui_Key(VK_F2);
        EXPECT_EQ(sel(), (TSel{2, 3}));
        Ui_Key(VK_ESCAPE);
    });
}

TEST(Rename, LeftAndRightCollapseASelectionToItsEnds)
{
    ask(L"report.final.txt", 0, 0, [] {
        Ui_Key('A', ssCtrl);
        EXPECT_EQ(sel(), (TSel{0, 16}));
        Ui_Key(VK_RIGHT);
        EXPECT_EQ(sel(), (TSel{16, 0}));
        Ui_Key('A', ssCtrl);
        Ui_Key(VK_LEFT);
        EXPECT_EQ(sel(), (TSel{0, 0}));
        // Inside the text: to the ends of the former selection.
        FormRenamer->Edit1->SetSelStart(3);
        FormRenamer->Edit1->SetSelLength(4);
        Ui_Key(VK_RIGHT);
        EXPECT_EQ(sel(), (TSel{7, 0}));
        FormRenamer->Edit1->SetSelStart(3);
        FormRenamer->Edit1->SetSelLength(4);
        Ui_Key(VK_LEFT);
        EXPECT_EQ(sel(), (TSel{3, 0}));
        // One character selected: the keys work as usual.
        FormRenamer->Edit1->SetSelStart(3);
        FormRenamer->Edit1->SetSelLength(1);
        Ui_Key(VK_RIGHT);
        EXPECT_EQ(sel().length, 0);
        Ui_Key(VK_ESCAPE);
    });
}

TEST(Rename, ShiftRightStillExtendsTheSelection)
{
    ask(L"abcdefgh", 2, 3, [] {
        Ui_Key(VK_RIGHT, ssShift);
        EXPECT_EQ(sel(), (TSel{2, 4}));
        Ui_Key(VK_ESCAPE);
    });
}

TEST(Rename, UpAndDownDeselect)
{
    for (WORD key : {VK_UP, VK_DOWN})
        ask(L"abcdefgh", 2, 3, [&] {
            Ui_Key(key);
            EXPECT_EQ(sel(), (TSel{2, 0}));
            Ui_Key(VK_ESCAPE);
        });
}

TEST(Rename, EnterAndCtrlEnterConfirmEscCancels)
{
    TAsk a = ask(L"old.txt", -1, -1, [] {
        Ui_Type(L"new.txt");
        Ui_Key(VK_RETURN);
    });
    EXPECT_TRUE(a.Result);
    EXPECT_EQ(a.NewText, L"new.txt");

    TAsk b = ask(L"old.txt", 0, 3, [] {
        Ui_Type(L"older");
        Ui_Key(VK_RETURN, ssCtrl);
    });
    EXPECT_TRUE(b.Result);
    EXPECT_EQ(b.NewText, L"older.txt");

    TAsk c = ask(L"old.txt", -1, -1, [] {
        Ui_Type(L"typed");
        Ui_Key(VK_ESCAPE);
    });
    EXPECT_FALSE(c.Result);
    EXPECT_EQ(c.NewText, L"unchanged");

    TAsk d = ask(L"old.txt", -1, -1, [] {  // Alt+F4 and the like: cancelled
        PostMessageW(FormRenamer->Handle(), WM_CLOSE, 0, 0);
        Application.ProcessMessages();
    });
    EXPECT_FALSE(d.Result);
    EXPECT_EQ(d.NewText, L"unchanged");
}

TEST(Rename, ButtonsReadYesAndNoAndAnswer)
{
    TAsk a = ask(L"x", -1, -1, [] {
        EXPECT_EQ(FormRenamer->btnY->Caption(), L"Yes");
        EXPECT_EQ(FormRenamer->btnN->Caption(), L"No");
        EXPECT_EQ(FormRenamer->Caption(), L"Rename");
        EXPECT_EQ(FormRenamer->Color(), 0xEEE3E4);
        Ui_Click(FormRenamer->btnY->Handle());
    });
    EXPECT_TRUE(a.Result);
    EXPECT_EQ(a.NewText, L"x");
    TAsk b = ask(L"x", -1, -1, [] { Ui_Click(FormRenamer->btnN->Handle()); });
    EXPECT_FALSE(b.Result);
}

TEST(Rename, TranslatedButtons)
{
    String yes = Yes, no = No;
    Yes = L"Da";
    No = L"Net";
    ask(L"x", -1, -1, [] {
        EXPECT_EQ(FormRenamer->btnY->Caption(), L"Da");
        EXPECT_EQ(FormRenamer->btnN->Caption(), L"Net");
        Ui_Key(VK_ESCAPE);
    });
    Yes = yes;
    No = no;
}

TEST(Rename, ResizedBoxKeepsItsEditAndButtons)
{
    ask(L"report.final.txt", 0, 6, [] {
        HWND w = FormRenamer->Handle();
        int editGap = FormRenamer->ClientWidth() - FormRenamer->Edit1->Left() - FormRenamer->Edit1->Width();
        SetWindowPos(w, nullptr, 0, 0, 600, 200, SWP_NOMOVE | SWP_NOZORDER);
        EXPECT_EQ(FormRenamer->ClientWidth() - FormRenamer->Edit1->Left() - FormRenamer->Edit1->Width(), editGap);
        EXPECT_NEAR(FormRenamer->Panel1->Left() + FormRenamer->Panel1->Width() / 2, FormRenamer->ClientWidth() / 2, 2);
        SetWindowPos(w, nullptr, 0, 0, 380, 150, SWP_NOMOVE | SWP_NOZORDER);
        String dir = Ui_ShotDir();
        if (!dir.empty()) Ui_SaveWindowBitmap(w, dir + L"\\rename.bmp");
        Ui_Key(VK_ESCAPE);
    });
}

TEST(Rename, BoxesShownAgainAndAgainKeepNoHandles)
{
    auto once = [] { ask(L"report.txt", -1, -1, [] { Ui_Key(VK_ESCAPE); }); };
    once();
    int gdi = Ui_GuiObjects(GR_GDIOBJECTS), user = Ui_GuiObjects(GR_USEROBJECTS);
    if (gdi < 0) GTEST_SKIP() << "the platform does not count this process's GDI objects";
    for (int i = 0; i < 3; ++i) once();
    EXPECT_EQ(Ui_GuiObjects(GR_GDIOBJECTS), gdi);
    if (user >= 0) {
        EXPECT_EQ(Ui_GuiObjects(GR_USEROBJECTS), user);
    }
}

TEST(Rename, AnsweredUnseenByAResponder)
{
    TModalResponderScope scope([](const TModalRequest& r) {
        EXPECT_EQ(r.Kind, L"TFormRenamer");
        EXPECT_EQ(r.Caption, L"New folder");
        EXPECT_EQ(r.Text, L"New folder");
        TModalAnswer a;
        a.Result = IDOK;
        a.Text = L"Icons";
        return a;
    });
    String name = L"New folder";
    EXPECT_TRUE(Renamer_Ask(L"New folder", name, name, -1, -1));
    EXPECT_EQ(name, L"Icons");
}
