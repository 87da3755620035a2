#include "GraphicCtrls.h"

// ---- TImage -----------------------------------------------------------------

TImage::TImage(TComponent* owner) : TControl(owner) {}

void TImage::SetIcon(HICON icon)
{
    fIcon.Reset(icon);
    Invalidate();
}

RECT TImage::DestRect() const
{
    RECT r{0, 0, 0, 0};
    if (!fIcon || !fHandle) return r;
    ICONINFO info{};
    int w = 32, h = 32;
    if (GetIconInfo(fIcon.Get(), &info)) {
        TGdiObject mask(info.hbmMask), colour(info.hbmColor);
        BITMAP bm{};
        if (GetObjectW(info.hbmMask, sizeof bm, &bm)) {
            w = bm.bmWidth;
            h = info.hbmColor ? bm.bmHeight : bm.bmHeight / 2;  // a monochrome icon stacks its two masks
        }
    }
    RECT client;
    GetClientRect(fHandle, &client);
    int cw = client.right, ch = client.bottom;
    if (Stretch && w > 0 && h > 0) {
        if (Proportional) {
            // The larger of the two ratios that still fits decides both sides.
            if ((long long)cw * h > (long long)ch * w) {
                w = (int)((long long)w * ch / h);
                h = ch;
            } else {
                h = (int)((long long)h * cw / w);
                w = cw;
            }
        } else {
            w = cw;
            h = ch;
        }
    }
    r.left = Center ? (cw - w) / 2 : 0;
    r.top = Center ? (ch - h) / 2 : 0;
    r.right = r.left + w;
    r.bottom = r.top + h;
    return r;
}

LRESULT TImage::WndProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(fHandle, &ps);
        if (fIcon) {
            RECT r = DestRect();
            DrawIconEx(dc, r.left, r.top, fIcon.Get(), r.right - r.left, r.bottom - r.top, 0, nullptr, DI_NORMAL);
        }
        EndPaint(fHandle, &ps);
        return 0;
    }
    if (msg == WM_SIZE) Invalidate();
    return TControl::WndProc(msg, wp, lp);
}

// ---- TSpeedButton -----------------------------------------------------------

TSpeedButton::TSpeedButton(TComponent* owner) : TControl(owner) {}

LRESULT TSpeedButton::WndProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(fHandle, &ps);
        RECT r;
        GetClientRect(fHandle, &r);
        if (!Flat || fHot || fPressed) DrawEdge(dc, &r, fPressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
        if (fPressed) OffsetRect(&r, 1, 1);
        String text = Caption();
        TSelectScope selected(dc, Font.Handle());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, ColorToRGB(Enabled() ? Font.Color() : clGrayText));
        DrawTextW(dc, text.c_str(), (int)text.size(), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        EndPaint(fHandle, &ps);
        return 0;
    }
    case WM_SETTEXT: {
        LRESULT res = TControl::WndProc(msg, wp, lp);
        Invalidate();
        return res;
    }
    case WM_MOUSEMOVE:
        if (!fHot) {
            fHot = true;
            Invalidate();
        }
        break;
    case WM_MOUSELEAVE:
        fHot = false;
        Invalidate();
        break;
    case WM_LBUTTONDOWN:
        fPressed = true;
        Invalidate();
        break;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        if (fPressed) {
            fPressed = false;
            Invalidate();
        }
        break;
    default: break;
    }
    return TControl::WndProc(msg, wp, lp);
}
