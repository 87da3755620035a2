// Controls that only draw: a picture and a flat push button. Each is one
// window of the class layer's own class that paints itself.
#pragma once

#include "Controls.h"
#include "Handles.h"

// Shows an icon. Stretched, it fills the control (keeping its shape when
// Proportional); otherwise it keeps the icon's own size. Transparent shows the
// parent's colour around and through it.
class TImage : public TControl {
public:
    explicit TImage(TComponent* owner);
    String ClassName() const override { return L"TImage"; }
    bool Stretch = false;
    bool Proportional = false;
    bool Center = false;
    bool Transparent() const { return ParentColor(); }
    void SetTransparent(bool value) { SetParentColor(value); }
    // The picture: an icon the image owns from now on (none clears it).
    void SetIcon(HICON icon);
    HICON Icon() const { return fIcon.Get(); }
    // Where the picture is drawn, in client coordinates.
    RECT DestRect() const;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

protected:
    bool ClicksOnMouseUp() const override { return true; }

private:
    THIcon fIcon;
};

// A button that never takes the focus. Flat, it shows its edge only while
// the mouse is over it.
class TSpeedButton : public TControl {
public:
    explicit TSpeedButton(TComponent* owner);
    String ClassName() const override { return L"TSpeedButton"; }
    bool Flat = false;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

protected:
    bool ClicksOnMouseUp() const override { return true; }

private:
    bool fHot = false, fPressed = false;
};
