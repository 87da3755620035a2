#include "ExtCtrls.h"

#include <windowsx.h>

#include <algorithm>

TSplitter::TSplitter(TComponent* owner) : TControl(owner)
{
    SetParentColor(true);
    SetAlign(alLeft);
}

TControl* TSplitter::findControl() const
{
    if (!Parent()) return nullptr;
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        TControl* c = Parent()->Controls(i);
        if (c == this || !c->Visible() || c->Align() != Align()) continue;
        if (vertical() ? c->Top() + c->Height() == Top() : c->Left() + c->Width() == Left()) return c;
    }
    return nullptr;
}

void TSplitter::moveTo(int screenPos)
{
    TWinControl* p = Parent();
    int size = fStartSize + screenPos - fDownPos;
    // The room after the splitter: up to the far edge, less the padding.
    int farEdge = vertical() ? p->ClientHeight() - p->Padding.Bottom : p->ClientWidth() - p->Padding.Right;
    int start = vertical() ? fControl->Top() : fControl->Left();
    int thickness = vertical() ? Height() : Width();
    size = std::min(size, farEdge - start - thickness - MinSize);
    size = std::max(size, MinSize);
    if (vertical())
        fControl->SetHeight(size);
    else
        fControl->SetWidth(size);
}

LRESULT TSplitter::WndProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_SETCURSOR:
        if (LOWORD(lp) == HTCLIENT) {
            ::SetCursor(LoadCursorW(nullptr, vertical() ? IDC_SIZENS : IDC_SIZEWE));
            return TRUE;
        }
        break;
    case WM_LBUTTONDOWN: {
        fControl = findControl();
        if (!fControl) break;
        POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        ClientToScreen(fHandle, &pt);
        fDownPos = vertical() ? pt.y : pt.x;
        fStartSize = vertical() ? fControl->Height() : fControl->Width();
        SetCapture(fHandle);
        return 0;
    }
    case WM_MOUSEMOVE:
        if (fControl && GetCapture() == fHandle) {
            POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
            ClientToScreen(fHandle, &pt);
            moveTo(vertical() ? pt.y : pt.x);
        }
        break;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        if (fControl) {
            fControl = nullptr;
            if (msg == WM_LBUTTONUP && GetCapture() == fHandle) ReleaseCapture();
            if (OnMoved) OnMoved(this);
        }
        if (msg == WM_LBUTTONUP) return 0;
        break;
    default:
        break;
    }
    return TControl::WndProc(msg, wp, lp);
}
