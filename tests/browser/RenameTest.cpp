// The rename box, worked with the keys a user presses.
#include "WindowDriver.h"
#include "xaRename.h"
#include "xaLanguageUni.h"

namespace {
using TSel = std::pair<int, int>;  // start, length
TSel sel() { return {FormRenamer->Edit1->SelStart(), FormRenamer->Edit1->SelLength()}; }

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

TEST(Rename, F2SelectsTheNameFromAnySelectionThenCyclesAndNeedsADot)
{
    const struct { const wchar_t* text; int start, length; std::vector<TSel> afterEachF2; } cases[] = {
        {L"report.final.txt", -1, -1, {{0, 12}, {13, 3}, {0, 12}, {13, 3}}},  // the last dot counts
        {L"photo.jpeg", 3, 0, {{0, 5}}}, {L"photo.jpeg", 5, 2, {{0, 5}}},
        {L"photo.jpeg", 0, 3, {{0, 5}}}, {L"photo.jpeg", 1, 5, {{0, 5}}},
        {L"Folder name", 2, 3, {{2, 3}}},  // no dot: nothing happens
    };
    for (auto& c : cases)
        ask(c.text, c.start, c.length, [&] {
            for (const TSel& after : c.afterEachF2) {
                Ui_Key(VK_F2);
                EXPECT_EQ(sel(), after) << N(c.text) << " " << c.start << "," << c.length;
            }
            Ui_Key(VK_ESCAPE);
        });
}

TEST(Rename, ArrowsCollapseASelectionToItsEnds)
{
    const struct { int start, length; /* -1: selected with Ctrl+A */ WORD key; TShiftState shift; TSel after; } cases[] = {
        {-1, 0, VK_RIGHT, 0, {16, 0}}, {-1, 0, VK_LEFT, 0, {0, 0}},
        {3, 4, VK_RIGHT, 0, {7, 0}},   {3, 4, VK_LEFT, 0, {3, 0}},  // inside the text: the former selection's ends
        {2, 3, VK_RIGHT, ssShift, {2, 4}},                          // Shift still extends
        {2, 3, VK_UP, 0, {2, 0}},      {2, 3, VK_DOWN, 0, {2, 0}},
    };
    ask(L"report.final.txt", 0, 0, [&] {
        TEdit* e = FormRenamer->Edit1;
        for (auto& c : cases) {
            if (c.start < 0) {
                Ui_Key('A', ssCtrl);
                EXPECT_EQ(sel(), (TSel{0, 16}));
            } else {
                e->SetSelStart(c.start);
                e->SetSelLength(c.length);
            }
            Ui_Key(c.key, c.shift);
            EXPECT_EQ(sel(), c.after) << c.start << "," << c.length << " key " << c.key << " shift " << c.shift;
        }
        Ui_Key(VK_ESCAPE);
    });
}

TEST(Rename, EnterCtrlEnterAndYesConfirmEscCloseAndNoCancel)
{
    const String yes = xaLanguageUni::Yes, no = xaLanguageUni::No;
    xaLanguageUni::Yes = L"Da";  // the buttons show the language's words
    xaLanguageUni::No = L"Net";
    const struct { const char* way; int start, length; std::function<void()> steps; bool result; const wchar_t* newText; } cases[] = {
        {"Enter", -1, -1, [] { Ui_Type(L"new.txt"); Ui_Key(VK_RETURN); }, true, L"new.txt"},
        {"Ctrl+Enter", 0, 3, [] { Ui_Type(L"older"); Ui_Key(VK_RETURN, ssCtrl); }, true, L"older.txt"},
        {"Esc", -1, -1, [] { Ui_Type(L"typed"); Ui_Key(VK_ESCAPE); }, false, L"unchanged"},
        {"closed", -1, -1,  // Alt+F4 and the like
         [] { PostMessageW(FormRenamer->Handle(), WM_CLOSE, 0, 0); Application.ProcessMessages(); }, false,
         L"unchanged"},
        {"Yes", -1, -1,
         [] {
             EXPECT_EQ(N(FormRenamer->Caption() + L" " + FormRenamer->btnY->Caption() + L" " + FormRenamer->btnN->Caption()),
                       "Rename Da Net");
             Ui_Click(FormRenamer->btnY->Handle());
         },
         true, L"old.txt"},
        {"No", -1, -1, [] { Ui_Click(FormRenamer->btnN->Handle()); }, false, L"unchanged"},
    };
    for (auto& c : cases) {
        TAsk a = ask(L"old.txt", c.start, c.length, c.steps);
        EXPECT_EQ(a.Result, c.result) << c.way;
        EXPECT_EQ(a.NewText, c.newText) << c.way;
    }
    xaLanguageUni::Yes = yes;
    xaLanguageUni::No = no;
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
        Ui_Shot(w, L"rename");
        Ui_Key(VK_ESCAPE);
    });
}

TEST(Rename, BoxesShownAgainAndAgainKeepNoHandles)
{
    Ui_ExpectNoHandleLeak([] { ask(L"report.txt", -1, -1, [] { Ui_Key(VK_ESCAPE); }); });
}

TEST(Rename, AnsweredUnseenByAResponder)
{
    TModalResponderScope scope([](const TModalRequest& r) {
        EXPECT_EQ(N(r.Kind + L"|" + r.Caption + L"|" + r.Text), "TFormRenamer|New folder|New folder");
        TModalAnswer a;
        a.Result = IDOK;
        a.Text = L"Icons";
        return a;
    });
    String name = L"New folder";
    EXPECT_TRUE(Renamer_Ask(L"New folder", name, name, -1, -1));
    EXPECT_EQ(name, L"Icons");
}
