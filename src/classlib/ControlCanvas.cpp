#include "ControlCanvas.h"

TControlCanvas::TControlCanvas(const TControl& control)
    : fWindowDC(control.Handle()), fDC(fWindowDC.DC), fFont(fDC, control.Font.Handle())
{
    SetTextColor(fDC, ColorToRGB(control.Font.Color()));
}

SIZE TControlCanvas::extent(const String& text) const
{
    SIZE s{0, 0};
    if (fDC) GetTextExtentPoint32W(fDC, text.c_str(), (int)text.size(), &s);
    return s;
}

int TControlCanvas::TextWidth(const String& text) const { return extent(text).cx; }
int TControlCanvas::TextHeight(const String& text) const { return extent(text).cy; }

void TControlCanvas::FillRect(const RECT& rect, TColor color)
{
    if (!fDC) return;
    TGdiObject brush(CreateSolidBrush(ColorToRGB(color)));
    ::FillRect(fDC, &rect, (HBRUSH)brush.Get());
}

void TControlCanvas::TextOutClear(int x, int y, const String& text)
{
    if (!fDC) return;
    int mode = SetBkMode(fDC, TRANSPARENT);
    TextOutW(fDC, x, y, text.c_str(), (int)text.size());
    SetBkMode(fDC, mode);
}
