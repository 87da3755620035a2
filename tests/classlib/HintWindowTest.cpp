// Hints: one tooltip window per form, each control a tool of it once, the
// text asked for when a tip shows.
#include "Forms.h"
#include "Frames.h"
#include "WindowDriver.h"

#include <commctrl.h>

namespace {
using TOwned = std::pair<HWND, std::vector<HWND>>;

BOOL CALLBACK collectTips(HWND h, LPARAM lp)
{
    auto& f = *(TOwned*)lp;
    wchar_t name[64] = L"";
    GetClassNameW(h, name, 64);
    if (!lstrcmpiW(name, TOOLTIPS_CLASSW) && GetWindow(h, GW_OWNER) == f.first) f.second.push_back(h);
    return TRUE;
}

// The tooltip windows a form owns, and the text each shows for a control.
std::vector<HWND> tipsOf(const TForm& form)
{
    TOwned found{form.Handle(), {}};
    EnumThreadWindows(GetCurrentThreadId(), collectTips, (LPARAM)&found);
    return found.second;
}

String tipText(HWND tip, const TControl& control)
{
    wchar_t text[256] = L"?";
    TOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.hwnd = control.Handle();
    ti.uId = (UINT_PTR)control.Handle();
    ti.lpszText = text;
    SendMessageW(tip, TTM_GETTEXTW, 256, (LPARAM)&ti);
    return text;
}
}  // namespace

TEST(Hints, OneTooltipWindowPerFormFollowsEachControlsHint)
{
    TForm form(nullptr), other(nullptr);
    auto* a = Ui_Add<TButton>(&form, 8, 8, 80, 28);
    auto* b = Ui_Add<TPanel>(&form, 8, 40, 80, 28);
    auto* c = Ui_Add<TButton>(&other, 8, 8, 80, 28);
    a->Hint = L"first";
    b->Hint = L"second";
    c->Hint = L"elsewhere";
    for (TControl* control : std::initializer_list<TControl*>{a, b, a, c}) Control_ShowHint(*control);
    std::vector<HWND> tips = tipsOf(form);
    ASSERT_EQ(tips.size(), 1u);
    EXPECT_EQ(SendMessageW(tips[0], TTM_GETTOOLCOUNT, 0, 0), 2) << "each control once";
    a->Hint = L"changed";
    EXPECT_EQ(N(tipText(tips[0], *a) + L"|" + tipText(tips[0], *b)), "changed|second");
    ASSERT_EQ(tipsOf(other).size(), 1u);
    EXPECT_EQ(N(tipText(tipsOf(other)[0], *c)), "elsewhere");
}
