#include "AppEvnts.h"

TApplicationEvents::TApplicationEvents(TComponent* owner) : TComponent(owner)
{
    fHook = Application.HookMainWindow([this](MSG& msg, bool& handled) {
        // A copy: the handler may replace OnMessage or free this object.
        if (TMessageHook hook = OnMessage) hook(msg, handled);
    });
}

TApplicationEvents::~TApplicationEvents() { Application.UnhookMainWindow(fHook); }
