#include "ToolWin.h"

#include "ActnLink.h"
#include "Handles.h"
#include "ModalHook.h"

#include <algorithm>

#include <commctrl.h>

// ---- TToolButton -------------------------------------------------------------

TToolButton::TToolButton(TToolBar& toolBar, TToolButtonStyle style)
    : TComponent(&toolBar), fToolBar(toolBar), fStyle(style), fId((int)toolBar.fButtons.size() + 1)
{
}

void TToolButton::apply() const
{
    HWND h = fToolBar.Handle();
    if (!h || fStyle == tbsSeparator) return;
    TBBUTTONINFOW bi{};
    bi.cbSize = sizeof bi;
    bi.dwMask = TBIF_IMAGE | TBIF_STATE;
    bi.iImage = fImageIndex >= 0 ? fImageIndex : I_IMAGENONE;
    bi.fsState = platformState();
    SendMessageW(h, TB_SETBUTTONINFOW, fId, (LPARAM)&bi);
}

BYTE TToolButton::platformStyle() const
{
    return (BYTE)(fStyle == tbsSeparator ? BTNS_SEP : fStyle == tbsCheck ? BTNS_CHECK
                  : fStyle == tbsDropDown ? BTNS_DROPDOWN : BTNS_BUTTON);
}

BYTE TToolButton::platformState() const
{
    return (BYTE)((fEnabled ? TBSTATE_ENABLED : 0) | (fDown ? TBSTATE_CHECKED : 0) | (fVisible ? 0 : TBSTATE_HIDDEN));
}

void TToolButton::SetImageIndex(int index)
{
    fImageIndex = index;
    apply();
}

bool TToolButton::Down() const
{
    if (HWND h = fToolBar.Handle()) return SendMessageW(h, TB_ISBUTTONCHECKED, fId, 0) != 0;
    return fDown;
}

void TToolButton::SetDown(bool down)
{
    fDown = down;
    apply();
}

void TToolButton::SetEnabled(bool enabled)
{
    fEnabled = enabled;
    apply();
}

void TToolButton::SetVisible(bool visible)
{
    fVisible = visible;
    apply();
}

void TToolButton::Click()
{
    if (fStyle == tbsCheck) fDown = Down();
    if (OnClick) OnClick(this);
}

void Action_Bind(TToolButton& button, TAction& action)
{
    auto* link = new TActionLink(&button, action, [&button](const TAction& a) {
        button.Caption = a.Caption;
        button.Hint = a.Hint;
        button.SetImageIndex(a.ImageIndex);
        button.SetEnabled(a.Enabled);
        button.SetVisible(a.Visible);
        if (button.Style() == tbsCheck) button.SetDown(a.Checked);
    });
    button.OnClick = [link](TObject*) { link->Execute(); };
}

// ---- TToolBar ----------------------------------------------------------------

TToolBar::TToolBar(TComponent* owner) : TWinControl(owner) { SetParentColor(true); }

void TToolBar::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.ClassName = TOOLBARCLASSNAMEW;
    // The bar is placed and sized by its parent's layout, not by itself.
    params.Style |= TBSTYLE_FLAT | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER;
    if (List) params.Style |= TBSTYLE_LIST;
    if (ShowHint) params.Style |= TBSTYLE_TOOLTIPS;
    if (Wrapable) params.Style |= TBSTYLE_WRAPABLE;
    if (Customizable) params.Style |= CCS_ADJUSTABLE;
    params.ExStyle &= ~WS_EX_CONTROLPARENT;
}

void TToolBar::HandleCreated()
{
    SendMessageW(fHandle, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(fHandle, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    TWinControl::HandleCreated();
    SetImages(fImages);
    SetButtonSize(fButtonWidth, fButtonHeight);
    for (TToolButton* b : fButtons) insert(*b);
    autoSize();
}

void TToolBar::SetImages(TImageList* images)
{
    fImages = images;
    if (!fHandle) return;
    if (fImages) SendMessageW(fHandle, TB_SETBITMAPSIZE, 0, MAKELPARAM(fImages->Width(), fImages->Height()));
    SendMessageW(fHandle, TB_SETIMAGELIST, 0, (LPARAM)(fImages ? fImages->Handle() : nullptr));
}

void TToolBar::SetButtonSize(int width, int height)
{
    fButtonWidth = width;
    fButtonHeight = height;
    if (!fHandle) return;
    SendMessageW(fHandle, TB_SETBUTTONSIZE, 0, MAKELPARAM(width, height));
    autoSize();
}

void TToolBar::autoSize()
{
    if (!AutoSize || !fHandle) return;
    int h = HIWORD(SendMessageW(fHandle, TB_GETBUTTONSIZE, 0, 0));
    if (h > 0 && h != fHeight) SetHeight(h);
}

TToolButton* TToolBar::AddButton(const String& name, TToolButtonStyle style)
{
    auto* b = new TToolButton(*this, style);
    b->Name = name;
    fButtons.push_back(b);
    if (fHandle) {
        insert(*b);
        autoSize();
    }
    return b;
}

void TToolBar::insert(const TToolButton& b)
{
    TBBUTTON tb{};
    tb.idCommand = b.fId;
    tb.iBitmap = b.fStyle == tbsSeparator ? 6 : b.fImageIndex >= 0 ? b.fImageIndex : I_IMAGENONE;
    tb.fsStyle = b.platformStyle();
    tb.iString = -1;
    SendMessageW(fHandle, TB_INSERTBUTTONW, SendMessageW(fHandle, TB_BUTTONCOUNT, 0, 0), (LPARAM)&tb);
    b.apply();
}

TToolButton* TToolBar::byId(int id) const
{
    return id >= 1 && id <= (int)fButtons.size() ? fButtons[id - 1] : nullptr;
}

TToolButton* TToolBar::ButtonAt(int x, int y) const
{
    if (!fHandle) return nullptr;
    POINT p{x, y};
    int index = (int)SendMessageW(fHandle, TB_HITTEST, 0, (LPARAM)&p);
    if (index < 0) return nullptr;
    TBBUTTON tb{};
    if (!SendMessageW(fHandle, TB_GETBUTTON, index, (LPARAM)&tb)) return nullptr;
    TToolButton* b = byId(tb.idCommand);
    return b && b->fStyle != tbsSeparator ? b : nullptr;
}

RECT TToolBar::ButtonRect(const TToolButton& button) const
{
    RECT r{};
    if (fHandle) SendMessageW(fHandle, TB_GETRECT, button.fId, (LPARAM)&r);
    return r;
}

namespace {
struct TDialogOf {
    HWND Owner, Found;
};

BOOL CALLBACK findDialogOf(HWND h, LPARAM lp)
{
    auto* d = (TDialogOf*)lp;
    wchar_t name[8] = L"";
    GetClassNameW(h, name, 8);
    if (!IsWindowVisible(h) || wcscmp(name, L"#32770") != 0 || GetWindow(h, GW_OWNER) != d->Owner) return TRUE;
    d->Found = h;
    return FALSE;
}
}  // namespace

void TToolBar::Customize()
{
    if (!fHandle) return;
    TModalAnswer answer;
    if (Modal_Intercept({L"CustomizeToolbar", Name, L""}, answer) && !answer.Drive) return;
    // The platform's dialog belongs to the bar's window, whose top-level window owns it.
    auto dialog = [this] {
        TDialogOf d{GetAncestor(fHandle, GA_ROOT), nullptr};
        EnumThreadWindows(GetCurrentThreadId(), findDialogOf, (LPARAM)&d);
        return d.Found;
    };
    TModalDrive drive(std::move(answer.Drive), dialog, [&] {
        if (HWND d = dialog()) PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
    });
    SendMessageW(fHandle, TB_CUSTOMIZE, 0, 0);
    drive.RaiseError();
}

void TToolBar::resetButtons()
{
    while (SendMessageW(fHandle, TB_BUTTONCOUNT, 0, 0) > 0) SendMessageW(fHandle, TB_DELETEBUTTON, 0, 0);
    for (TToolButton* b : fButtons) insert(*b);
    autoSize();
}

bool TToolBar::customizeNotify(NMHDR& nm, LRESULT& result)
{
    switch (nm.code) {
    case TBN_QUERYINSERT:
    case TBN_QUERYDELETE:
        // Every button may go anywhere and leave the bar: the dialog offers it again.
        result = TRUE;
        return true;
    case TBN_INITCUSTOMIZE:
        result = TBNRF_HIDEHELP;  // there is no help to show
        return true;
    case TBN_GETBUTTONINFOW: {
        // The dialog asks for the buttons the bar may hold, one by one, until
        // it gets a no, and offers those not on the bar, in the state they
        // have now (an action may have changed it while the button was off
        // the bar). Separators it makes itself.
        auto& tb = (NMTOOLBARW&)nm;
        int n = tb.iItem;
        for (TToolButton* b : fButtons) {
            if (b->fStyle == tbsSeparator || n-- > 0) continue;
            tb.tbButton = TBBUTTON{};
            tb.tbButton.idCommand = b->fId;
            tb.tbButton.iBitmap = b->fImageIndex >= 0 ? b->fImageIndex : I_IMAGENONE;
            tb.tbButton.fsStyle = b->platformStyle();
            tb.tbButton.fsState = b->platformState();
            tb.tbButton.iString = -1;
            const String& text = b->Caption.empty() ? b->Hint : b->Caption;
            if (tb.pszText && tb.cchText > 0) lstrcpynW(tb.pszText, text.c_str(), tb.cchText);
            result = TRUE;
            return true;
        }
        result = FALSE;
        return true;
    }
    case TBN_RESET:
        resetButtons();
        result = 0;
        return true;
    default:
        return false;
    }
}

void TToolBar::dropDown(TToolButton& button)
{
    if (!button.DropdownMenu) return;
    RECT r = ButtonRect(button);
    POINT p{r.left, r.bottom};
    ClientToScreen(fHandle, &p);
    button.DropdownMenu->PopupComponent = this;
    button.DropdownMenu->Popup(p.x, p.y);
}

bool TToolBar::Reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    if (msg == WM_COMMAND) {
        if (TToolButton* b = byId(LOWORD(wp))) b->Click();
        result = 0;
        return true;
    }
    if (msg == WM_NOTIFY) {
        auto* nm = (NMHDR*)lp;
        if (nm->code == TBN_DROPDOWN) {
            if (TToolButton* b = byId(((NMTOOLBARW*)lp)->iItem)) dropDown(*b);
            result = TBDDRET_DEFAULT;
            return true;
        }
        if (Customizable && customizeNotify(*nm, result)) return true;
        if (nm->code == TBN_GETINFOTIPW) {
            auto* tip = (NMTBGETINFOTIPW*)lp;
            if (TToolButton* b = byId(tip->iItem); b && tip->pszText && tip->cchTextMax > 0) {
                lstrcpynW(tip->pszText, b->Hint.c_str(), tip->cchTextMax);
            }
            result = 0;
            return true;
        }
    }
    return TWinControl::Reflected(msg, wp, lp, result);
}

LRESULT TToolBar::WndProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_ERASEBKGND:
        if (GradientDrawing) {
            // Top to bottom from a lighter to a darker shade of the bar's colour.
            RECT r;
            GetClientRect(fHandle, &r);
            COLORREF c = ColorToRGB(fColor);
            int h = std::max(1, (int)r.bottom);
            for (int y = 0; y < r.bottom; ++y) {
                int shift = 24 - 40 * y / h;  // +24 .. -16
                auto ch = [shift](int v) { return std::clamp(v + shift, 0, 255); };
                TGdiObject brush(CreateSolidBrush(RGB(ch(GetRValue(c)), ch(GetGValue(c)), ch(GetBValue(c)))));
                RECT line{0, y, r.right, y + 1};
                FillRect((HDC)wp, &line, (HBRUSH)brush.Get());
            }
            return 1;
        }
        break;
    case WM_SETCURSOR:
        if ((HWND)wp == fHandle && LOWORD(lp) == HTCLIENT) {
            POINT p;
            GetCursorPos(&p);
            ScreenToClient(fHandle, &p);
            if (TToolButton* b = ButtonAt(p.x, p.y); b && b->Cursor != crDefault) {
                ::SetCursor(Cursor_Handle(b->Cursor));
                return TRUE;
            }
        }
        break;
    case WM_LBUTTONDBLCLK:
        // The platform would open its dialog itself, past the modal door.
        if (Customizable) {
            Customize();
            return 0;
        }
        break;
    case WM_CONTEXTMENU: {
        POINT p{(short)LOWORD(lp), (short)HIWORD(lp)};
        ScreenToClient(fHandle, &p);
        if (TToolButton* b = ButtonAt(p.x, p.y); b && b->PopupMenu) {
            b->PopupMenu->PopupComponent = this;
            b->PopupMenu->Popup((short)LOWORD(lp), (short)HIWORD(lp));
            return 0;
        }
        break;
    }
    default:
        break;
    }
    return TWinControl::WndProc(msg, wp, lp);
}
