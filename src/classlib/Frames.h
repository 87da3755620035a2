// Frames (a group of controls made as one part of a form, several of which a
// form may hold) and hints (the controls' Hints shown as tooltips, one tooltip
// window per form).
#pragma once

#include "Controls.h"

class TFrame : public TWinControl {
public:
    explicit TFrame(TComponent* owner);
    String ClassName() const override { return L"TFrame"; }
};

// The tooltip of a form: one window for every control of the form that shows
// its Hint. The text is asked for each time a tip shows, so that it follows
// the control's Hint (an action's, when the control is bound to one). Owned
// by the form and gone with it.
class THintWindow : public TControl {
public:
    explicit THintWindow(TControl& form);
    String ClassName() const override { return L"THintWindow"; }
    bool Reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    // Shows the control's Hint while the pointer rests on it.
    void Add(TControl& control);

protected:
    void CreateParams(TCreateParams& params) override;
    HWND CreationParent() const override;
    void HandleCreated() override;

private:
    TControl& fForm;
};

// Shows the control's hints, through its form's hint window (the control must
// have its window, standing on the form).
void Control_ShowHint(TControl& control);
