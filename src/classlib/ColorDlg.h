// The platform's colour dialog. Through the modal door it is the request kind
// "TColorDialog" with the starting colour's text (ColorToString) as text; a
// responder's answer IDOK with a colour text (StringToColor) picks that colour.
#pragma once

#include "Controls.h"
#include "ModalHook.h"

#include <commdlg.h>

#include <vector>

class TColorDialog : public TComponent {
public:
    explicit TColorDialog(TComponent* owner) : TComponent(owner) {}
    String ClassName() const override { return L"TColorDialog"; }
    // In: the colour to start from; out: the colour chosen, when confirmed.
    TColor Color = clBlack;
    // The sixteen custom colours the dialog offers (missing ones are white).
    std::vector<TColor> CustomColors;
    // CC_* flags besides the starting colour's.
    DWORD Options = 0;
    // True, with Color set, when the user confirms.
    bool Execute();
};
