#include "ActnLink.h"

#include <algorithm>

TActionLink::TActionLink(TComponent* client, TAction& action, std::function<void(const TAction&)> show)
    : TComponent(client), fAction(&action), fShow(std::move(show))
{
    action.fLinks.push_back(this);
    Show();
}

TActionLink::~TActionLink()
{
    if (!fAction) return;
    auto& v = fAction->fLinks;
    v.erase(std::remove(v.begin(), v.end(), this), v.end());
}

void TActionLink::Show()
{
    if (fAction && fShow) fShow(*fAction);
}

void TActionLink::Execute()
{
    if (fAction && !fAction->Execute()) Show();
}

namespace {
void showOnControl(TControl& c, const TAction& a)
{
    c.SetCaption(a.Caption);
    c.Hint = a.Hint;
    c.SetEnabled(a.Enabled);
    if (c.Visible() != a.Visible) c.SetVisible(a.Visible);
}
}  // namespace

void Action_Bind(TButton& button, TAction& action)
{
    auto* link = new TActionLink(&button, action, [&button](const TAction& a) { showOnControl(button, a); });
    button.OnClick = [link](TObject*) { link->Execute(); };
}

void Action_Bind(TCheckBox& checkBox, TAction& action)
{
    auto* link = new TActionLink(&checkBox, action, [&checkBox](const TAction& a) {
        showOnControl(checkBox, a);
        checkBox.SetChecked(a.Checked);
    });
    checkBox.OnClick = [link](TObject*) { link->Execute(); };
}

void Action_Bind(TMenuItem& item, TAction& action)
{
    auto* link = new TActionLink(&item, action, [&item](const TAction& a) {
        item.Caption = a.Caption;
        item.ShortCut = a.ShortCut;
        item.ImageIndex = a.ImageIndex;
        item.Checked = a.Checked;
        item.Enabled = a.Enabled;
        item.Visible = a.Visible;
    });
    item.OnClick = [link](TObject*) { link->Execute(); };
}
