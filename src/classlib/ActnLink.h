// Buttons, check boxes and menu items bound to an action: the action owns
// their caption, hint, shortcut, checked, enabled and visible state, and a
// click on them executes it. A link belongs to the control or item it serves
// and ends with it; an action that goes first leaves its links idle.
#pragma once

#include "ActnList.h"
#include "ChoiceCtrls.h"

class TActionLink : public TComponent {
public:
    // Owned by Client; Show puts the action's state on it, now and on every change.
    TActionLink(TComponent* client, TAction& action, std::function<void(const TAction&)> show);
    ~TActionLink() override;
    String ClassName() const override { return L"TActionLink"; }
    TAction* Action() const { return fAction; }
    void Show();
    // Executes the action; a control that changed itself in vain is put back.
    void Execute();

private:
    TAction* fAction;
    std::function<void(const TAction&)> fShow;
    friend class TAction;
};

void Action_Bind(TButton& button, TAction& action);
void Action_Bind(TCheckBox& checkBox, TAction& action);
void Action_Bind(TMenuItem& item, TAction& action);
