// A file-drop target for one windowed control: registers the control for
// dropped files, takes that control's WM_DROPFILES from the application's
// message stream, collects the full paths into Files and raises OnDropFiles.
#pragma once

#include "AppEvnts.h"
#include "Classes.h"

class TxaDrop : public TApplicationEvents {
public:
    // The owner is the control whose drops are taken; it must be windowed.
    explicit TxaDrop(TComponent* owner);
    String ClassName() const override { return L"TxaDrop"; }

    // The full paths of the last drop, in the order the shell lists them.
    TStringList Files;
    // Without a handler, the control's drops are taken and dropped silently.
    TNotifyEvent OnDropFiles;

    // The hook installed as OnMessage: handles only WM_DROPFILES of the
    // owner's current window.
    virtual void AppMessage(MSG& msg, bool& handled);

private:
    TWinControl* fControl;
};
