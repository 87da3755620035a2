// The colour button: a click asks the colour dialog through the modal door
// and takes a new colour, raising OnClick only then.
#include "ButtonColor.h"
#include "WindowDriver.h"

TEST(ButtonColor, ClickAsksTheDialogAndTakesOnlyANewColour)
{
    const struct { int result; const wchar_t* answer; TColor after; int clicks; } cases[] = {{IDOK, L"clRed", clRed, 1},
                 {IDOK, L"clBlue", clBlue, 0},  // the colour shown already
                 {IDCANCEL, L"clRed", clBlue, 0}};
    TForm form(nullptr);
    auto* button = Ui_Add<TButtonColor>(&form, 10, 10, 200, 30);
    form.Show();
    for (const auto& c : cases) {
        button->SetSymbolColor(clBlue);
        int clicks = 0;
        button->OnClick = [&](TObject*) { ++clicks; };
        std::vector<String> asked;
        TModalResponderScope door([&](const TModalRequest& r) {
            asked.push_back(r.Kind + L" " + r.Text);
            return TModalAnswer{c.result, c.answer, {}};
        });
        Ui_Click(button->Handle());
        EXPECT_EQ(asked, std::vector<String>{L"TColorDialog clBlue"}) << N(c.answer);
        EXPECT_EQ(button->SymbolColor(), c.after) << N(c.answer);
        EXPECT_EQ(clicks, c.clicks) << N(c.answer);
    }
}
