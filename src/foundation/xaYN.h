// Unit xaYN: the question box, Yes or No.
#pragma once

#include "Forms.h"
#include "xaModulControls.h"

#include <tuple>

// Shows the question Text under Caption; true when the user chose Yes, false
// for No and any other way of closing.
bool YN_Ask(const String& text, const String& caption);

class TFormYN : public TForm {
public:
    explicit TFormYN(TComponent* owner);  // the layout: xaYNLayout.cpp
    String ClassName() const override { return L"TFormYN"; }

    TLabel* Label1;
    TPanel* PanelDown;
    TPanel* Panel1;
    TBitBtn* btnY;
    TBitBtn* btnN;

    void FormKeyDown(TObject* sender, WORD& key, TShiftState shift);
    void btnYClick(TObject* sender);
    void btnNClick(TObject* sender);
    // A responder's IDYES answers Yes.
};

extern TFormYN* FormYN;
// Puts the Language texts on the question box's buttons.
void Lng_FormYN_Set();

// The glyphs of the Yes and No buttons (a tick and a cross on the button face).
void Glyph_Yes(TBitmap& glyph);
void Glyph_No(TBitmap& glyph);

// One answer button: its caption and the modal result it gives.
struct TYNAnswer {
    const wchar_t* Caption;
    TModalResult Result;
};
// The answer buttons the question and rename boxes share: btnY with the Yes
// glyph left of btnN with the No glyph, each ButtonWidth x ButtonHeight, 4
// pixels down and 10 apart, on a frameless panel Panel1 at Bounds on Parent
// that keeps to the bottom middle as the box is resized.
std::tuple<TPanel*, TBitBtn*, TBitBtn*> YN_Buttons(TComponent* owner, TWinControl* parent, TBounds bounds,
                                                   int buttonWidth, int buttonHeight, TYNAnswer yes, TYNAnswer no);
