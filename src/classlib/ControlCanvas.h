// Drawing on a control's window outside its own painting, over what the
// control drew there: the control's font and text colour are selected, and
// the device context goes back to the window when the canvas goes.
#pragma once

#include "Controls.h"
#include "Handles.h"

class TControlCanvas {
public:
    explicit TControlCanvas(const TControl& control);
    TControlCanvas(const TControlCanvas&) = delete;
    TControlCanvas& operator=(const TControlCanvas&) = delete;

    HDC Handle() const { return fWindowDC.DC; }
    int TextWidth(const String& text) const;
    int TextHeight(const String& text) const;
    void FillRect(const RECT& rect, TColor color);
    // The text on a clear background: what lies under it stays visible.
    void TextOutClear(int x, int y, const String& text);

private:
    // Declared before the font, so that the font is put back before the
    // device context goes back to the window.
    struct TWindowDC {
        explicit TWindowDC(HWND window) : Window(window), DC(GetDC(window)) {}
        ~TWindowDC() { if (DC) ReleaseDC(Window, DC); }
        TWindowDC(const TWindowDC&) = delete;
        TWindowDC& operator=(const TWindowDC&) = delete;
        HWND Window;
        HDC DC;
    } fWindowDC;
    HDC fDC;
    TSelectScope fFont;
    SIZE extent(const String& text) const;
};
