#include "ButtonColor.h"

#include "ColorDlg.h"

#include <algorithm>

TButtonColor::TButtonColor(TComponent* owner) : TButton(owner) {}

void TButtonColor::CreateParams(TCreateParams& params)
{
    TButton::CreateParams(params);
    params.Style |= BS_LEFT;  // the caption keeps clear of the swatch
}

void TButtonColor::SetSymbolColor(TColor color)
{
    fSymbolColor = color;
    Invalidate();
}

void TButtonColor::Click()
{
    TColorDialog dialog(nullptr);
    dialog.Color = fSymbolColor;
    dialog.Options = FullOpen ? CC_FULLOPEN : 0;
    if (!dialog.Execute() || ColorToRGB(dialog.Color) == ColorToRGB(fSymbolColor)) return;
    SetSymbolColor(dialog.Color);
    TButton::Click();
}

LRESULT TButtonColor::WndProc(UINT msg, WPARAM wp, LPARAM lp)
{
    LRESULT result = TButton::WndProc(msg, wp, lp);
    if (msg == WM_PAINT && fHandle) {
        RECT r;
        GetClientRect(fHandle, &r);
        r.right -= 6;
        r.left = std::max(r.right - SymbolWidth, r.left + 6);
        r.top += 6;
        r.bottom -= 6;
        if (r.right > r.left && r.bottom > r.top) {
            HDC dc = GetDC(fHandle);
            TGdiObject brush(CreateSolidBrush(ColorToRGB(fSymbolColor)));
            FillRect(dc, &r, (HBRUSH)brush.Get());
            FrameRect(dc, &r, (HBRUSH)GetStockObject(GRAY_BRUSH));
            ReleaseDC(fHandle, dc);
        }
    }
    return result;
}
