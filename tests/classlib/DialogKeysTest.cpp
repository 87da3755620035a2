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
    for (TWinControl* c : std::initializer_list<TWinControl*>{edit, rich, list, ok, cancel}) c->SetTabStop(true);
    for (const wchar_t* s : {L"one", L"two", L"three"}) list->AddItem(s);
    ok->Default = cancel->Cancel = true;
    int okClicks = 0, cancelClicks = 0;
    ok->OnClick = [&](TObject*) { ++okClicks; };
    cancel->OnClick = [&](TObject*) { ++cancelClicks; };
    form.Show();
    const struct {
        TWinControl* from;
        WORD key;
        TWinControl* to;
        int ok, cancel;
    } cases[] = {
        {edit, VK_TAB, rich, 0, 0},      {rich, VK_TAB, rich, 0, 0},    {rich, VK_RETURN, rich, 0, 0},
        {rich, VK_ESCAPE, rich, 0, 0},   {edit, VK_RETURN, edit, 1, 0}, {edit, VK_ESCAPE, edit, 0, 1},
        {edit, VK_DOWN, edit, 0, 0},     {list, VK_DOWN, list, 0, 0},   {ok, VK_RIGHT, cancel, 0, 0},
        {ok, VK_LEFT, list, 0, 0},       {cancel, VK_DOWN, edit, 0, 0}, {cancel, VK_RETURN, cancel, 0, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << N(c.from->ClassName()) << " key " << c.key);
        okClicks = cancelClicks = 0;
        c.from->SetFocus();
        Ui_Key(c.key);
        EXPECT_EQ(GetFocus(), c.to->Handle());
        EXPECT_EQ(okClicks, c.ok);
        EXPECT_EQ(cancelClicks, c.cancel);
    }
    list->SetFocus();
    list->SetItemIndex(0);
    Ui_Key(VK_DOWN);
    EXPECT_EQ(list->ItemIndex(), 1) << "the arrow reached the list";
    form.Hide();
}
