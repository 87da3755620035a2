// The colour button: a click asks the colour dialog through the modal door
// and takes a new colour, raising OnClick only then.
#include "ButtonColor.h"
#include "WindowDriver.h"

#include <memory>

TEST(ButtonColor, ClickAsksTheDialogAndTakesOnlyANewColour)
{
    const struct {
        int result;
        const wchar_t* answer;
        TColor after;
        int clicks;
    } cases[] = {
        {IDOK, L"clRed", clRed, 1},
        {IDOK, L"$00C0FFEE", (TColor)0x00C0FFEE, 1},
        {IDOK, L"clBlue", clBlue, 0},  // the colour shown already
        {IDCANCEL, L"clRed", clBlue, 0},
    };
    for (const auto& c : cases) {
        auto form = std::make_unique<TForm>(nullptr);
        auto* button = Ui_Add<TButtonColor>(form.get(), 10, 10, 200, 30);
        button->SetSymbolColor(clBlue);
        int clicks = 0;
        button->OnClick = [&](TObject*) { ++clicks; };
        form->Show();
        std::vector<TModalRequest> seen;
        TModalResponderScope door([&](const TModalRequest& r) {
            seen.push_back(r);
            return TModalAnswer{c.result, c.answer, {}};
        });
        Ui_Click(button->Handle());
        ASSERT_EQ(seen.size(), 1u) << N(c.answer);
        EXPECT_EQ(N(seen[0].Kind + L" " + seen[0].Text), "TColorDialog clBlue");
        EXPECT_EQ(button->SymbolColor(), c.after) << N(c.answer);
        EXPECT_EQ(clicks, c.clicks) << N(c.answer);
    }
}
