#include "ActnList.h"

#include "ActnLink.h"

#include <algorithm>

TAction::TAction(TComponent* owner, TActionList* list) : TComponent(owner), fList(list)
{
    if (fList) fList->fActions.push_back(this);
}

TAction::~TAction()
{
    for (TActionLink* l : fLinks) l->fAction = nullptr;
    if (!fList) return;
    auto& v = fList->fActions;
    v.erase(std::remove(v.begin(), v.end(), this), v.end());
}

TActionList::~TActionList()
{
    for (TAction* a : fActions) a->fList = nullptr;
}

bool TAction::Execute()
{
    if (!Enabled) return false;
    if (AutoCheck && (!Checked || GroupIndex == 0)) SetChecked(!Checked);
    if (OnExecute) OnExecute(this);
    return true;
}

void TAction::SetChecked(bool value)
{
    Checked = value;
    if (value && GroupIndex > 0 && fList)
        for (TAction* a : fList->fActions)
            if (a != this && a->GroupIndex == GroupIndex && a->Checked) {
                a->Checked = false;
                a->Change();
            }
    Change();
}

void TAction::Change()
{
    for (TActionLink* l : fLinks) l->Show();
}

bool TActionList::IsShortCut(TShortCut shortCut)
{
    if (State == asSuspended || shortCut == scNone) return false;
    for (TAction* a : fActions)
        if (a->Enabled && (a->ShortCut == shortCut || std::find(a->SecondaryShortCuts.begin(),
                                                                  a->SecondaryShortCuts.end(),
                                                                  shortCut) != a->SecondaryShortCuts.end()))
            return a->Execute();
    return false;
}
