#include "xaModulColor.h"

TColor Color_Lighten(TColor color, int percent)
{
    COLORREF rgb = ColorToRGB(color);
    int out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        int c = (rgb >> shift) & 0xFF;
        int n = (c + MulDiv(255 - c, percent, 100)) & 0xFF;
        out |= (n <= c ? 255 : n) << shift;
    }
    return out;
}

TColor Color_Darken(TColor color, int percent)
{
    COLORREF rgb = ColorToRGB(color);
    int out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        int c = (rgb >> shift) & 0xFF;
        out |= ((c - MulDiv(c, percent, 100)) & 0xFF) << shift;
    }
    return out;
}
