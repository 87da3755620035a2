#include "ActnMenus.h"

#include "Handles.h"

#include <windowsx.h>

#include <algorithm>

namespace {
constexpr int kItemPadX = 8, kItemPadY = 3;
// The screen's device context, given back at the end of the scope.
struct TScreenDC {
    HDC dc = GetDC(nullptr);
    ~TScreenDC() { ReleaseDC(nullptr, dc); }
};
}  // namespace

TActionMainMenuBar::TActionMainMenuBar(TComponent* owner) : TControl(owner) {}

void TActionMainMenuBar::AddMenu(const String& caption, TPopupMenu* menu)
{
    fItems.push_back({caption, menu});
    FitToItems();
}

SIZE TActionMainMenuBar::textSize(const String& caption) const
{
    TScreenDC screen;
    TSelectScope selected(screen.dc, Font.Handle());
    RECT r{0, 0, 0, 0};
    DrawTextW(screen.dc, caption.c_str(), (int)caption.size(), &r, DT_CALCRECT | DT_SINGLELINE);
    return SIZE{r.right, r.bottom};
}

RECT TActionMainMenuBar::ItemRect(int index) const
{
    // Right to left: the first item stands at the right edge.
    int x = BiDiMode == bdRightToLeft ? ClientWidth() : 0;
    for (int i = 0; i < (int)fItems.size(); ++i) {
        SIZE s = textSize(fItems[i].Caption);
        int w = s.cx + 2 * kItemPadX, h = s.cy + 2 * kItemPadY;
        RECT r = BiDiMode == bdRightToLeft ? RECT{x - w, 0, x, h} : RECT{x, 0, x + w, h};
        if (i == index) return r;
        x = BiDiMode == bdRightToLeft ? x - w : x + w;
    }
    return RECT{0, 0, 0, 0};
}

void TActionMainMenuBar::FitToItems()
{
    int w = 0, h = 0;
    for (const TItem& item : fItems) {
        SIZE s = textSize(item.Caption);
        w += s.cx + 2 * kItemPadX;
        h = std::max<int>(h, s.cy + 2 * kItemPadY);
    }
    if (BiDiMode == bdRightToLeft)  // keep the right edge
        SetBounds(Left() + Width() - w, Top(), w, h);
    else
        SetBounds(Left(), Top(), w, h);
}

int TActionMainMenuBar::itemAt(int x, int y) const
{
    POINT p{x, y};
    for (int i = 0; i < (int)fItems.size(); ++i) {
        RECT r = ItemRect(i);
        if (PtInRect(&r, p)) return i;
    }
    return -1;
}

void TActionMainMenuBar::OpenMenu(int index)
{
    if (index < 0 || index >= (int)fItems.size() || !fItems[index].Menu) return;
    RECT r = ItemRect(index);
    POINT p{r.left, r.bottom};
    ClientToScreen(fHandle, &p);
    fItems[index].Menu->PopupComponent = this;
    fItems[index].Menu->Popup(p.x, p.y);
}

LRESULT TActionMainMenuBar::WndProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(fHandle, &ps);
        RECT all;
        GetClientRect(fHandle, &all);
        FillRect(dc, &all, fBrush.Get(fColor));
        TSelectScope selected(dc, Font.Handle());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, ColorToRGB(Font.Color()));
        for (int i = 0; i < (int)fItems.size(); ++i) {
            RECT r = ItemRect(i);
            if (i == fHot) DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
            DrawTextW(dc, fItems[i].Caption.c_str(), (int)fItems[i].Caption.size(), &r,
                      DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        }
        EndPaint(fHandle, &ps);
        return 0;
    }
    case WM_MOUSEMOVE: {
        int hot = itemAt(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
        if (hot != fHot) {
            fHot = hot;
            Invalidate();
        }
        break;
    }
    case WM_MOUSELEAVE:
        fHot = -1;
        Invalidate();
        break;
    case WM_LBUTTONDOWN:
        OpenMenu(itemAt(GET_X_LPARAM(lp), GET_Y_LPARAM(lp)));
        return 0;
    default:
        break;
    }
    return TControl::WndProc(msg, wp, lp);
}
