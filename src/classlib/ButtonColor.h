// A push button that shows a colour in a swatch beside its caption; a click
// opens the colour dialog and, when the user confirms another colour, takes
// it and only then raises OnClick.
#pragma once

#include "StdCtrls.h"

class TButtonColor : public TButton {
public:
    explicit TButtonColor(TComponent* owner);
    String ClassName() const override { return L"TButtonColor"; }

    TColor SymbolColor() const { return fSymbolColor; }
    void SetSymbolColor(TColor color);
    // The swatch's width in pixels, at the button's right end.
    int SymbolWidth = 100;
    // The dialog opens with its custom-colour part shown.
    bool FullOpen = true;

    void Click() override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

protected:
    void CreateParams(TCreateParams& params) override;

private:
    TColor fSymbolColor = clBlack;
};
