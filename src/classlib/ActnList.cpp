#include "ActnList.h"

#include <algorithm>

TAction::TAction(TComponent* owner, TActionList* list) : TComponent(owner), fList(list)
{
    if (fList) fList->fActions.push_back(this);
}

TAction::~TAction()
{
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
    if (AutoCheck) Checked = !Checked;
    if (OnExecute) OnExecute(this);
    return true;
}

bool TActionList::IsShortCut(TShortCut shortCut)
{
    if (State == asSuspended || shortCut == scNone) return false;
    for (TAction* a : fActions)
        if (a->ShortCut == shortCut && a->Enabled) return a->Execute();
    return false;
}
