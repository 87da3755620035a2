// The tool bar the user customizes: the platform's own dialog, opened by a
// double click through the modal door, worked with its lists and buttons.
#include "Forms.h"
#include "ToolWin.h"
#include "WindowDriver.h"

#include <commctrl.h>

namespace {
// The controls of the platform's customize dialog, by their ids in its template.
constexpr int kAvailable = 201, kOnBar = 203, kAdd = 1, kRemove = 204, kReset = 202, kHelp = 205;

int listCount(HWND dialog, int list) { return (int)SendDlgItemMessageW(dialog, list, LB_GETCOUNT, 0, 0); }

// Picks a row of one of the dialog's lists, or presses one of its buttons, as a user does.
void pick(HWND dialog, int list, int row)
{
    SendDlgItemMessageW(dialog, list, LB_SETCURSEL, row, 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(list, LBN_SELCHANGE), (LPARAM)GetDlgItem(dialog, list));
}

void press(HWND dialog, int button)
{
    ASSERT_NE(GetDlgItem(dialog, button), nullptr) << "the platform's dialog has no control " << button;
    SendMessageW(GetDlgItem(dialog, button), BM_CLICK, 0, 0);
}

// The bar as the platform holds it: each button's id ("|" a separator), "-" when disabled, "+" when checked.
std::string onBar(const TToolBar& bar)
{
    std::string s;
    for (int i = 0, n = (int)SendMessageW(bar.Handle(), TB_BUTTONCOUNT, 0, 0); i < n; ++i) {
        TBBUTTON b{};
        SendMessageW(bar.Handle(), TB_GETBUTTON, i, (LPARAM)&b);
        s += i ? " " : "";
        if (b.fsStyle & BTNS_SEP)
            s += "|";
        else
            s += std::to_string(b.idCommand) + (b.fsState & TBSTATE_ENABLED ? "" : "-") + (b.fsState & TBSTATE_CHECKED ? "+" : "");
    }
    return s;
}
}  // namespace

TEST(ToolBar, CustomizableBarOffersTheButtonsTakenOffAndPutsThemBack)
{
    for (bool customizable : {false, true}) {
        SCOPED_TRACE(customizable ? "customizable" : "fixed");
        TForm form(nullptr);
        auto* bar = new TToolBar(&form);
        bar->Customizable = customizable;
        bar->SetBounds(0, 0, 300, 30);
        bar->SetParent(&form);
        for (const wchar_t* name : {L"one", L"", L"two", L"three"}) {
            TToolButton* b = bar->AddButton(name, *name ? tbsCheck : tbsSeparator);
            b->Caption = name;
        }
        TToolButton& one = *bar->Buttons(0);
        bar->Buttons(3)->SetEnabled(false);
        form.Show();
        EXPECT_EQ((GetWindowLongW(bar->Handle(), GWL_STYLE) & CCS_ADJUSTABLE) != 0, customizable);
        // Shift+drag takes a button off the bar, out of the dialog too.
        RECT r = bar->ButtonRect(one);
        PostMessageW(bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(r.left + 4, r.top + 4));
        PostMessageW(bar->Handle(), WM_MOUSEMOVE, MK_LBUTTON | MK_SHIFT, MAKELPARAM(r.left + 4, 200));
        PostMessageW(bar->Handle(), WM_LBUTTONUP, MK_SHIFT, MAKELPARAM(r.left + 4, 200));
        Application.ProcessMessages();
        std::string steps = onBar(*bar) + "; ";
        one.SetDown(true);  // its action checks it while it is off the bar

        // Twice: the first puts "one" back and takes the separator off, the
        // second (which offers no separator of the bar's) resets the bar.
        std::vector<String> seen;
        TModalResponderScope door([&](const TModalRequest& r) {
            seen.push_back(r.Kind);
            return TModalAnswer{IDCANCEL, L"", [&, first = seen.size() == 1](HWND dialog) {
                EXPECT_EQ(GetWindow(dialog, GW_OWNER), form.Handle());
                EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, kHelp))) << "no help to offer";
                // Its first row is the separator the dialog always offers.
                steps += "offered " + std::to_string(listCount(dialog, kAvailable) - 1) + "; ";
                if (first) {
                    pick(dialog, kAvailable, 1);
                    pick(dialog, kOnBar, 0);
                    press(dialog, kAdd);
                    steps += onBar(*bar) + "; ";
                    pick(dialog, kOnBar, 1);
                    press(dialog, kRemove);
                } else {
                    press(dialog, kReset);
                }
                steps += onBar(*bar) + "; ";
            }};
        });
        for (int i = 0; i < 2; ++i) {
            PostMessageW(bar->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(280, 10));
            Application.ProcessMessages();
        }
        if (!customizable) {
            EXPECT_TRUE(seen.empty());
            EXPECT_EQ(steps, "1+ | 3 4-; ") << "a fixed bar keeps its buttons";
            continue;
        }
        EXPECT_EQ(seen, std::vector<String>(2, L"CustomizeToolbar"));
        // Taken off, a button is offered; put back, it shows the state it has
        // now; Reset puts back the bar as it was made.
        EXPECT_EQ(steps, "| 3 4-; offered 1; 1+ | 3 4-; 1+ 3 4-; offered 0; 1+ | 3 4-; ");
        EXPECT_TRUE(IsWindowEnabled(form.Handle())) << "the dialog is gone";
    }
}
