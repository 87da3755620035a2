#include "Frames.h"

#include <commctrl.h>

TFrame::TFrame(TComponent* owner) : TWinControl(owner) { SetParentColor(true); }

THintWindow::THintWindow(TControl& form) : TControl(&form), fForm(form)
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

HWND THintWindow::CreationParent() const { return fForm.Handle(); }

void THintWindow::HandleCreated() { SendMessageW(fHandle, TTM_SETMAXTIPWIDTH, 0, 600); }

void THintWindow::Add(TControl& control)
{
    if (!fHandle || !control.Handle()) return;
    TOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.hwnd = control.Handle();
    ti.uId = (UINT_PTR)control.Handle();
    // The tip asks the control's window for its text (TTN_GETDISPINFO), which
    // reflects it here; the tool's id is that window.
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.lpszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(fHandle, TTM_ADDTOOLW, 0, (LPARAM)&ti);
}

bool THintWindow::Reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    if (msg == WM_NOTIFY && ((NMHDR*)lp)->code == TTN_GETDISPINFOW) {
        auto* info = (NMTTDISPINFOW*)lp;
        // A control gone since (its window with it) has nothing to show.
        TControl* control = FromHandle((HWND)info->hdr.idFrom);
        info->lpszText = const_cast<wchar_t*>(control ? control->Hint.c_str() : L"");
        result = 0;
        return true;
    }
    return TControl::Reflected(msg, wp, lp, result);
}

void Control_ShowHint(TControl& control)
{
    if (!control.Handle()) return;
    TControl* form = TControl::FromHandle(GetAncestor(control.Handle(), GA_ROOT));
    if (!form || !form->Handle()) return;
    THintWindow* hints = nullptr;
    for (int i = 0; i < form->ComponentCount() && !hints; ++i) hints = dynamic_cast<THintWindow*>(form->Components(i));
    if (!hints) hints = new THintWindow(*form);
    hints->Add(control);
}
