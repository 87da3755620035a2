// The application's events as a component: while it lives, OnMessage sees
// every message the application's message loop takes, before anything else.
#pragma once

#include "Forms.h"

class TApplicationEvents : public TComponent {
public:
    explicit TApplicationEvents(TComponent* owner);
    ~TApplicationEvents() override;
    String ClassName() const override { return L"TApplicationEvents"; }

    // Setting Handled keeps the message from going further down the loop.
    TMessageHook OnMessage;

private:
    int fHook;
};
