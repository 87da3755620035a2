#include "Frames.h"

#include <commctrl.h>

TFrame::TFrame(TComponent* owner) : TWinControl(owner) { SetParentColor(true); }

THintWindow::THintWindow(TControl& control) : TControl(&control), fControl(control)
{
    SetVisibleFlag(false);
    CreateHandle();
}

void THintWindow::CreateParams(TCreateParams& params)
{
    params.ClassName = TOOLTIPS_CLASSW;
    params.Style = WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX;
    params.ExStyle = WS_EX_TOPMOST;
}

HWND THintWindow::CreationParent() const { return fControl.Handle() ? GetAncestor(fControl.Handle(), GA_ROOT) : nullptr; }

void THintWindow::HandleCreated()
{
    // The text is asked for each time the tip shows (TTN_GETDISPINFO, which
    // reaches the control's window and is reflected here), so it follows Hint.
    TOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = fControl.Handle();
    ti.uId = (UINT_PTR)fControl.Handle();
    ti.lpszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(fHandle, TTM_ADDTOOLW, 0, (LPARAM)&ti);
    SendMessageW(fHandle, TTM_SETMAXTIPWIDTH, 0, 600);
}

bool THintWindow::Reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    if (msg == WM_NOTIFY && ((NMHDR*)lp)->code == TTN_GETDISPINFOW) {
        auto* info = (NMTTDISPINFOW*)lp;
        info->lpszText = const_cast<wchar_t*>(fControl.Hint.c_str());
        result = 0;
        return true;
    }
    return TControl::Reflected(msg, wp, lp, result);
}

void Control_ShowHint(TControl& control)
{
    for (int i = 0; i < control.ComponentCount(); ++i)
        if (dynamic_cast<THintWindow*>(control.Components(i))) return;
    if (control.Handle()) new THintWindow(control);
}
