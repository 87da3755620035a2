// Frames (a group of controls made as one part of a form, several of which a
// form may hold) and hints (a control's Hint shown as a tooltip).
#pragma once

#include "Controls.h"

class TFrame : public TWinControl {
public:
    explicit TFrame(TComponent* owner);
    String ClassName() const override { return L"TFrame"; }
};

// The tooltip of one control: shows the control's current Hint while the
// pointer rests on it. Owned by the control and gone with it.
class THintWindow : public TControl {
public:
    explicit THintWindow(TControl& control);
    String ClassName() const override { return L"THintWindow"; }
    bool Reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

protected:
    void CreateParams(TCreateParams& params) override;
    HWND CreationParent() const override;
    void HandleCreated() override;

private:
    TControl& fControl;
};

// Shows the control's hints (the control must have its window).
void Control_ShowHint(TControl& control);
