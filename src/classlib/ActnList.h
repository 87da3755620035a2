// Actions: one command with its caption, hint, shortcut and state, shared by
// menus, buttons and keys. An action list answers shortcuts for its form's
// message loop, unless it is suspended.
#pragma once

#include "Menus.h"

class TActionList;
class TActionLink;  // ActnLink.h

class TAction : public TComponent {
public:
    // The action joins List (when given) at its end.
    TAction(TComponent* owner, TActionList* list);
    ~TAction() override;
    String ClassName() const override { return L"TAction"; }

    String Caption, Hint;
    TShortCut ShortCut = scNone;
    bool Checked = false;
    bool AutoCheck = false;
    bool Enabled = true;
    bool Visible = true;
    int ImageIndex = -1;
    // Actions of one list with the same group (above 0) are checked one at a time.
    int GroupIndex = 0;
    // Further keys that run the action; only ShortCut is shown.
    std::vector<TShortCut> SecondaryShortCuts;
    TNotifyEvent OnExecute;
    TActionList* ActionList() const { return fList; }

    // Runs the action when enabled (an auto-check action flips Checked first;
    // one of a group is only ever checked by it); true when it ran.
    bool Execute();
    // Sets Checked and shows it; checking one of a group unchecks the others.
    void SetChecked(bool value);
    // Shows the fields on every control and menu item bound to the action;
    // call it after setting them from outside.
    void Change();

private:
    TActionList* fList;
    std::vector<TActionLink*> fLinks;
    friend class TActionList;
    friend class TActionLink;
};

enum TActionListState { asNormal, asSuspended };

class TActionList : public TComponent {
public:
    explicit TActionList(TComponent* owner) : TComponent(owner) {}
    ~TActionList() override;
    String ClassName() const override { return L"TActionList"; }

    TActionListState State = asNormal;
    TImageList* Images = nullptr;
    int ActionCount() const { return (int)fActions.size(); }
    TAction* Actions(int index) const { return fActions.at(index); }

    // The first enabled action with the shortcut runs; a suspended list answers nothing.
    bool IsShortCut(TShortCut shortCut);

private:
    std::vector<TAction*> fActions;
    friend class TAction;
};

// A list of actions that a window keeps for its buttons and keys; it answers
// shortcuts as an action list does.
class TActionManager : public TActionList {
public:
    using TActionList::TActionList;
    String ClassName() const override { return L"TActionManager"; }
};
