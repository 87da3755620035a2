// Dialog keys in the message loop: they act only where the focused control
// does not claim them through WM_GETDLGCODE.
#include "ComCtrls.h"
#include "Forms.h"
#include "WindowDriver.h"

TEST(DialogKeys, ActOnlyWhereTheFocusedControlLeavesThem)
{
    TForm form(nullptr);
    auto* edit = Ui_Add<TEdit>(&form, 8, 8, 200, 24);
    auto* rich = Ui_Add<TRichEdit>(&form, 8, 40, 200, 60);  // multi-line: claims every key
    auto* list = Ui_Add<TListBox>(&form, 8, 110, 200, 60);  // claims the arrows
    auto* ok = Ui_Add<TButton>(&form, 8, 180, 80, 28);
    auto* cancel = Ui_Add<TButton>(&form, 100, 180, 80, 28);
    ok->Default = cancel->Cancel = true;
    String clicked;
    ok->OnClick = [&](TObject*) { clicked += L"ok"; };
    cancel->OnClick = [&](TObject*) { clicked += L"cancel"; };
    form.Show();
    for (auto [from, key, to, click] : {std::tuple<TWinControl*, WORD, TWinControl*, String>{edit, VK_TAB, rich, L""},
                                        {rich, VK_TAB, rich, L""},       {rich, VK_RETURN, rich, L""},
                                        {rich, VK_ESCAPE, rich, L""},    {edit, VK_RETURN, edit, L"ok"},
                                        {edit, VK_ESCAPE, edit, L"cancel"}, {edit, VK_DOWN, edit, L""},
                                        {list, VK_DOWN, list, L""},      {ok, VK_RIGHT, cancel, L""},
                                        {ok, VK_LEFT, list, L""},        {cancel, VK_DOWN, edit, L""},
                                        {cancel, VK_RETURN, cancel, L"cancel"}}) {
        SCOPED_TRACE(testing::Message() << N(from->ClassName()) << " key " << key);
        clicked.clear();
        from->SetFocus();
        Ui_Key(key);
        EXPECT_EQ(GetFocus(), to->Handle());
        EXPECT_EQ(clicked, click);
    }
}
