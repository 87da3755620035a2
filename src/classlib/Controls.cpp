#include "Controls.h"


#include <commctrl.h>

#include <algorithm>
#include <unordered_map>

namespace {
// The controls by window. Every message looks its control up here: a window
// property would cost a server round trip per message under Wine (about
// 85 us). One thread makes and uses all windows. Never freed: windows may
// still go while static objects are destroyed at program end.
std::unordered_map<HWND, TControl*>& controlOf()
{
    static auto* map = new std::unordered_map<HWND, TControl*>;
    return *map;
}
TControl* lookUp(HWND hwnd)
{
    auto it = controlOf().find(hwnd);
    return it == controlOf().end() ? nullptr : it->second;
}
TControl* gCreating = nullptr;  // the control whose own-class window is being made
}  // namespace

// ---- TComponent ------------------------------------------------------------

TComponent::TComponent(TComponent* owner) : fOwner(owner)
{
    if (fOwner) fOwner->fComponents.emplace_back(this);
}

TComponent::~TComponent()
{
    while (!fComponents.empty()) {
        std::unique_ptr<TComponent> c = std::move(fComponents.back());
        fComponents.pop_back();
        c->fOwner = nullptr;
    }
    if (fOwner) {
        auto& v = fOwner->fComponents;
        for (auto it = v.begin(); it != v.end(); ++it)
            if (it->get() == this) {
                (void)it->release();
                v.erase(it);
                break;
            }
    }
}

TComponent* TComponent::FindComponent(const String& name) const
{
    for (const auto& c : fComponents)
        if (AnsiSameText(c->Name, name)) return c.get();
    return nullptr;
}

TShiftState KeyboardShiftState()
{
    TShiftState s = 0;
    if (GetKeyState(VK_SHIFT) & 0x8000) s |= ssShift;
    if (GetKeyState(VK_CONTROL) & 0x8000) s |= ssCtrl;
    if (GetKeyState(VK_MENU) & 0x8000) s |= ssAlt;
    return s;
}

HCURSOR Cursor_Handle(TCursor cursor)
{
    const wchar_t* id = IDC_ARROW;
    switch (cursor) {
    case crIBeam: id = IDC_IBEAM; break;
    case crSizeAll: id = IDC_SIZEALL; break;
    case crHourGlass: id = IDC_WAIT; break;
    case crHandPoint: id = IDC_HAND; break;
    case crNo: id = IDC_NO; break;
    default: break;
    }
    return LoadCursorW(nullptr, id);
}

// ---- the trampoline ----------------------------------------------------------

// Every window of the class layer runs through here: the control is found by
// its window, and no exception leaves for the platform's code.
LRESULT CALLBACK Control_Trampoline(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    TControl* c = lookUp(hwnd);
    if (!c) {
        if (!gCreating) return DefWindowProcW(hwnd, msg, wp, lp);
        c = gCreating;
        gCreating = nullptr;
        c->fHandle = hwnd;
        controlOf()[hwnd] = c;
    }
    if (msg == WM_NCDESTROY) {
        LRESULT r = c->DefaultHandler(msg, wp, lp);
        controlOf().erase(hwnd);
        c->fHandle = nullptr;
        c->fOldProc = nullptr;
        return r;
    }
    try {
        return c->WndProc(msg, wp, lp);
    } catch (...) {
        Control_HandleException();
        return 0;
    }
}

void (*Control_ExceptionHandler)() = nullptr;

void Control_HandleException()
{
    if (Control_ExceptionHandler) Control_ExceptionHandler();
}

namespace {
TCursor gScreenCursor = crDefault;
}

TCursor Screen_Cursor() { return gScreenCursor; }

void Screen_CursorStore(TCursor cursor) { gScreenCursor = cursor; }

const wchar_t* Control_WindowClass()
{
    static const wchar_t* name = [] {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&icc);
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
        wc.lpfnWndProc = Control_Trampoline;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
        wc.lpszClassName = L"DolvWindow";
        RegisterClassExW(&wc);
        return L"DolvWindow";
    }();
    return name;
}

// ---- TControl ----------------------------------------------------------------

TControl::TControl(TComponent* owner) : TComponent(owner)
{
    Font.OnChange = [this] {
        if (!fInheriting) fParentFont = false;
        FontChanged();
    };
}

TControl::~TControl()
{
    DestroyHandle();
    if (fParent) {
        auto& v = fParent->fControls;
        v.erase(std::remove(v.begin(), v.end(), this), v.end());
    }
}

TControl* TControl::FromHandle(HWND hwnd) { return hwnd ? lookUp(hwnd) : nullptr; }

TForm* TControl::ParentForm() const
{
    const TControl* c = this;
    while (c->fParent) c = c->fParent;
    return const_cast<TControl*>(c)->AsForm();
}

void TControl::SetParent(TWinControl* parent)
{
    if (parent == fParent) return;
    if (fParent) {
        auto& v = fParent->fControls;
        v.erase(std::remove(v.begin(), v.end(), this), v.end());
    }
    fParent = parent;
    if (!fParent) {
        DestroyHandle();
        return;
    }
    fParent->fControls.push_back(this);
    if (fParentColor) inheritColor(fParent->fColor);
    if (fParentFont) inheritFont(fParent->Font);
    if (fParent->fHandle) {
        if (!fHandle)
            CreateHandle();
        else
            ::SetParent(fHandle, fParent->fHandle);
    }
    RememberAnchorOrigin();
    if (fAlign != alNone) fParent->Realign();
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    moveTo(left, top, width, height);
    RememberAnchorOrigin();
    if (fAlign != alNone && fParent) fParent->Realign();
}

void TControl::UpdateBoundsFromWindow()
{
    if (!fHandle) return;
    RECT r;
    GetWindowRect(fHandle, &r);
    if (fParent && fParent->fHandle) MapWindowPoints(nullptr, fParent->fHandle, (POINT*)&r, 2);
    fLeft = r.left;
    fTop = r.top;
    fWidth = r.right - r.left;
    fHeight = r.bottom - r.top;
}

int TControl::ClientWidth() const
{
    if (!fHandle) return standsOnWaitingWindows() ? clientRectToBe().right : fWidth;
    RECT r;
    GetClientRect(fHandle, &r);
    return r.right;
}

int TControl::ClientHeight() const
{
    if (!fHandle) return standsOnWaitingWindows() ? clientRectToBe().bottom : fHeight;
    RECT r;
    GetClientRect(fHandle, &r);
    return r.bottom;
}

bool TControl::standsOnWaitingWindows() const
{
    if (fHandle) return false;
    const TControl* c = this;
    while (c->fParent) c = c->fParent;
    return c->WindowsWait();
}

RECT TControl::FrameAround(RECT client) const
{
    DWORD style, ex;
    if (fHandle) {
        style = (DWORD)GetWindowLongPtrW(fHandle, GWL_STYLE);
        ex = (DWORD)GetWindowLongPtrW(fHandle, GWL_EXSTYLE);
    } else {
        TCreateParams cp;
        const_cast<TControl*>(this)->CreateParams(cp);
        style = cp.Style;
        ex = cp.ExStyle;
    }
    AdjustWindowRectEx(&client, style, FALSE, ex);
    return client;
}

RECT TControl::clientRectToBe() const
{
    RECT frame = FrameAround(RECT{0, 0, 0, 0});
    return RECT{0, 0, std::max(0, fWidth - (int)(frame.right - frame.left)),
                std::max(0, fHeight - (int)(frame.bottom - frame.top))};
}

void TControl::moveTo(int left, int top, int width, int height)
{
    bool resized = width != fWidth || height != fHeight;
    fLeft = left;
    fTop = top;
    fWidth = width;
    fHeight = height;
    if (fHandle) {
        SetWindowPos(fHandle, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    // What the platform's WM_SIZE would do, for a control whose window waits.
    if (!resized || !standsOnWaitingWindows()) return;
    if (auto* w = dynamic_cast<TWinControl*>(this)) {
        w->Realign();
        if (OnResize) OnResize(this);
    }
}

void TControl::HandleNeeded()
{
    if (fHandle) return;
    TControl* root = this;
    while (root->fParent) root = root->fParent;
    if (root->WindowsWait()) root->CreateHandle();
}

void TControl::SetAlign(TAlign align)
{
    fAlign = align;
    if (fParent) fParent->Realign();
}

void TControl::SetAnchors(TAnchors anchors)
{
    fAnchors = anchors;
    RememberAnchorOrigin();
}

void TControl::RememberAnchorOrigin()
{
    if (!fParent) return;
    fOrigin = {fLeft, fTop, fWidth, fHeight, fParent->ClientWidth(), fParent->ClientHeight(), true};
}

void TControl::anchorTo(int pw, int ph)
{
    if (!fOrigin.Valid) return;
    auto axis = [](bool lo, bool hi, int pos, int size, int parentNow, int parentThen, int& newPos, int& newSize) {
        newPos = pos;
        newSize = size;
        int delta = parentNow - parentThen;
        if (lo && hi)
            newSize = std::max(0, size + delta);
        else if (hi)
            newPos = pos + delta;
        else if (!lo && parentThen > 0)  // neither edge: keep the centre's share of the parent
            newPos = MulDiv(pos + size / 2, parentNow, parentThen) - size / 2;
    };
    int l, t, w, h;
    axis(fAnchors & akLeft, fAnchors & akRight, fOrigin.Left, fOrigin.Width, pw, fOrigin.ParentWidth, l, w);
    axis(fAnchors & akTop, fAnchors & akBottom, fOrigin.Top, fOrigin.Height, ph, fOrigin.ParentHeight, t, h);
    if (l == fLeft && t == fTop && w == fWidth && h == fHeight) return;
    moveTo(l, t, w, h);
}

void TControl::SetColor(TColor color)
{
    fParentColor = false;
    applyColor(color);
}

void TControl::SetParentColor(bool value)
{
    fParentColor = value;
    if (value && fParent) applyColor(fParent->fColor);
}

void TControl::inheritColor(TColor color) { applyColor(color); }

void TControl::applyColor(TColor color)
{
    fColor = color;
    ColorChanged();
    if (auto* w = dynamic_cast<TWinControl*>(this))
        for (TControl* c : w->fControls)
            if (c->fParentColor) c->inheritColor(color);
}

void TControl::ColorChanged() { Invalidate(); }

void TControl::SetParentFont(bool value)
{
    fParentFont = value;
    if (value && fParent) inheritFont(fParent->Font);
}

void TControl::inheritFont(const TFont& font)
{
    // A control that already shows the font has nothing to take: its window
    // and its children's keep theirs, and the start, which sets the same
    // font again on a form full of windows, is spared a message to each.
    if (Font.SameAs(font)) return;
    fInheriting = true;
    Font.Assign(font);
    fInheriting = false;
}

void TControl::FontChanged()
{
    if (fHandle) {
        SendMessageW(fHandle, WM_SETFONT, (WPARAM)Font.Handle(), TRUE);
        Invalidate();
    }
}

void TControl::SetVisible(bool visible)
{
    fVisible = visible;
    if (fHandle) ShowWindow(fHandle, visible ? SW_SHOWNA : SW_HIDE);
    if (fAlign != alNone && fParent) fParent->Realign();
}

void TControl::SetEnabled(bool enabled)
{
    fEnabled = enabled;
    if (fHandle) EnableWindow(fHandle, enabled);
}

String TControl::Caption() const
{
    if (!fHandle) return fCaption;
    int n = GetWindowTextLengthW(fHandle);
    String s(n + 1, L'\0');
    n = GetWindowTextW(fHandle, s.data(), n + 1);
    s.resize(n > 0 ? n : 0);
    return s;
}

void TControl::SetCaption(const String& caption)
{
    fCaption = caption;
    if (fHandle) SetWindowTextW(fHandle, caption.c_str());
    Invalidate();
}

void TControl::Invalidate()
{
    if (fHandle) InvalidateRect(fHandle, nullptr, TRUE);
}

void TControl::Repaint()
{
    if (fHandle) RedrawWindow(fHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void TControl::Click()
{
    if (OnClick) OnClick(this);
}

void TControl::CreateParams(TCreateParams& params)
{
    if (fVisible) params.Style |= WS_VISIBLE;
    if (!fEnabled) params.Style |= WS_DISABLED;
}

HWND TControl::CreationParent() const { return fParent ? fParent->fHandle : nullptr; }

void TControl::CreateHandle()
{
    if (fHandle) return;
    TCreateParams cp;
    CreateParams(cp);
    if (fAcceptFiles) cp.ExStyle |= WS_EX_ACCEPTFILES;
    HWND parentWnd = CreationParent();
    if (!cp.ClassName) {
        gCreating = this;
        CreateWindowExW(cp.ExStyle, Control_WindowClass(), fCaption.c_str(), cp.Style, fLeft, fTop, fWidth,
                        fHeight, parentWnd, nullptr, GetModuleHandleW(nullptr), nullptr);
        gCreating = nullptr;
    } else {
        HWND h = CreateWindowExW(cp.ExStyle, cp.ClassName, fCaption.c_str(), cp.Style, fLeft, fTop, fWidth,
                                 fHeight, parentWnd, nullptr, GetModuleHandleW(nullptr), nullptr);
        AttachHandle(h);
    }
    if (!fHandle) throw Exception(Format(L"Error creating window: %s", SysErrorMessage(GetLastError()).c_str()));
    HandleCreated();
}

void TControl::AttachHandle(HWND hwnd)
{
    if (!hwnd) return;
    fHandle = hwnd;
    controlOf()[hwnd] = this;
    fOldProc = (WNDPROC)SetWindowLongPtrW(hwnd, GWLP_WNDPROC, (LONG_PTR)Control_Trampoline);
}

void TControl::HandleCreated()
{
    SendMessageW(fHandle, WM_SETFONT, (WPARAM)Font.Handle(), FALSE);
    if (auto* w = dynamic_cast<TWinControl*>(this))
        for (TControl* c : w->fControls)
            if (!c->fHandle) c->CreateHandle();
}

void TControl::DestroyHandle()
{
    if (fHandle) DestroyWindow(fHandle);  // WM_NCDESTROY clears fHandle
    fHandle = nullptr;
}

void TControl::RecreateWnd()
{
    if (!fHandle) return;
    fCaption = Caption();
    DestroyHandle();
    CreateHandle();
}

LRESULT TControl::DefaultHandler(UINT msg, WPARAM wp, LPARAM lp)
{
    return fOldProc ? CallWindowProcW(fOldProc, fHandle, msg, wp, lp) : DefWindowProcW(fHandle, msg, wp, lp);
}

HBRUSH TControl::CtlColor(HDC dc)
{
    SetTextColor(dc, ColorToRGB(Font.Color()));
    SetBkColor(dc, ColorToRGB(fColor));
    return fBrush.Get(fColor);
}

bool TControl::Reflected(UINT msg, WPARAM wp, LPARAM, LRESULT& result)
{
    if (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC) {
        result = (LRESULT)CtlColor((HDC)wp);
        return true;
    }
    return false;
}

LRESULT TControl::WndProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_SETCURSOR:
        if ((HWND)wp == fHandle && LOWORD(lp) == HTCLIENT) {
            TCursor cur = Screen_Cursor() != crDefault ? Screen_Cursor() : Cursor;
            if (cur != crDefault) {
                ::SetCursor(Cursor_Handle(cur));
                return TRUE;
            }
        }
        break;
    case WM_WINDOWPOSCHANGED:
        UpdateBoundsFromWindow();
        break;
    case WM_MOUSEMOVE:
        if (!fMouseInside) {
            fMouseInside = true;
            TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, fHandle, 0};
            TrackMouseEvent(&tme);
            if (OnMouseEnter) OnMouseEnter(this);
        }
        break;
    case WM_MOUSELEAVE:
        fMouseInside = false;
        if (OnMouseLeave) OnMouseLeave(this);
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        TMouseButton b = msg == WM_LBUTTONDOWN ? mbLeft : msg == WM_RBUTTONDOWN ? mbRight : mbMiddle;
        if (b == mbLeft && ClicksOnMouseUp()) {
            fMouseDown = true;
            SetCapture(fHandle);
        }
        if (OnMouseDown)
            OnMouseDown(this, b, KeyboardShiftState(), (short)LOWORD(lp), (short)HIWORD(lp));
        break;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        TMouseButton b = msg == WM_LBUTTONUP ? mbLeft : msg == WM_RBUTTONUP ? mbRight : mbMiddle;
        if (OnMouseUp) OnMouseUp(this, b, KeyboardShiftState(), (short)LOWORD(lp), (short)HIWORD(lp));
        if (b == mbLeft && fMouseDown) {
            fMouseDown = false;
            if (GetCapture() == fHandle) ReleaseCapture();
            POINT p{(short)LOWORD(lp), (short)HIWORD(lp)};
            RECT r;
            GetClientRect(fHandle, &r);
            if (PtInRect(&r, p)) Click();
            return 0;
        }
        break;
    }
    case WM_CONTEXTMENU:
        if (PopupMenu) {
            int x = (short)LOWORD(lp), y = (short)HIWORD(lp);
            if (x == -1 && y == -1) {  // from the keyboard: at the control
                POINT p{4, 4};
                ClientToScreen(fHandle, &p);
                x = p.x;
                y = p.y;
            }
            PopupMenu->Popup(x, y);
            return 0;
        }
        break;
    case WM_ERASEBKGND:
        if (!fOldProc) {
            RECT r;
            GetClientRect(fHandle, &r);
            FillRect((HDC)wp, &r, fBrush.Get(fColor));
            return 1;
        }
        break;
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
        HWND from = msg == WM_NOTIFY     ? ((NMHDR*)lp)->hwndFrom
                    : msg == WM_DRAWITEM ? ((DRAWITEMSTRUCT*)lp)->hwndItem
                                         : (HWND)lp;
        TControl* child = from != fHandle ? FromHandle(from) : nullptr;
        LRESULT r = 0;
        if (child && child->Reflected(msg, wp, lp, r)) return r;
        break;
    }
    default:
        break;
    }
    return DefaultHandler(msg, wp, lp);
}

// ---- TWinControl -------------------------------------------------------------

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl()
{
    DestroyHandle();
    for (TControl* c : fControls) c->fParent = nullptr;
    fControls.clear();
}

void TWinControl::CreateParams(TCreateParams& params)
{
    TControl::CreateParams(params);
    params.Style |= WS_CLIPCHILDREN;
    if (fTabStop) params.Style |= WS_TABSTOP;
    params.ExStyle |= WS_EX_CONTROLPARENT;
}

void TWinControl::SetAcceptFiles(bool value)
{
    fAcceptFiles = value;
    if (fHandle) DragAcceptFiles(fHandle, value);
}

void TWinControl::SetTabStop(bool value)
{
    fTabStop = value;
    if (!fHandle) return;
    LONG_PTR s = GetWindowLongPtrW(fHandle, GWL_STYLE);
    SetWindowLongPtrW(fHandle, GWL_STYLE, value ? s | WS_TABSTOP : s & ~WS_TABSTOP);
}

bool TWinControl::Focused() const { return fHandle && GetFocus() == fHandle; }

bool TWinControl::CanFocus() const { return fHandle && IsWindowVisible(fHandle) && IsWindowEnabled(fHandle); }

void TWinControl::SetFocus()
{
    if (fHandle) ::SetFocus(fHandle);
}

void TWinControl::FontChanged()
{
    TControl::FontChanged();
    for (TControl* c : fControls)
        if (c->fParentFont) c->inheritFont(Font);
}

void TWinControl::Realign()
{
    RECT rest;
    if (fHandle)
        GetClientRect(fHandle, &rest);
    else if (standsOnWaitingWindows())
        rest = clientRectToBe();
    else
        return;
    int cw = rest.right, ch = rest.bottom;
    rest.left += Padding.Left;
    rest.top += Padding.Top;
    rest.right = std::max(rest.left, rest.right - Padding.Right);
    rest.bottom = std::max(rest.top, rest.bottom - Padding.Bottom);
    auto place = [](TControl* c, int l, int t, int w, int h) {
        // A control already in its place is left alone: moving it to where it
        // is still costs the platform a round of position messages, and every
        // child added while a form is built realigns all its siblings.
        if (c->fHandle && c->fLeft == l && c->fTop == t && c->fWidth == w && c->fHeight == h) return;
        c->moveTo(l, t, w, h);
    };
    for (TAlign a : {alTop, alBottom, alLeft, alRight, alClient})
        for (TControl* c : fControls) {
            if (c->fAlign != a || !c->fVisible) continue;
            // The control's share of the rest, margins included.
            TMargins m = c->AlignWithMargins ? c->Margins : TMargins{0, 0, 0, 0};
            RECT r = rest;
            switch (a) {
            case alTop: r.bottom = r.top + c->fHeight + m.Top + m.Bottom; rest.top = r.bottom; break;
            case alBottom: r.top = r.bottom - c->fHeight - m.Top - m.Bottom; rest.bottom = r.top; break;
            case alLeft: r.right = r.left + c->fWidth + m.Left + m.Right; rest.left = r.right; break;
            case alRight: r.left = r.right - c->fWidth - m.Left - m.Right; rest.right = r.left; break;
            default: break;
            }
            place(c, r.left + m.Left, r.top + m.Top, std::max(0, (int)(r.right - r.left) - m.Left - m.Right),
                  std::max(0, (int)(r.bottom - r.top) - m.Top - m.Bottom));
        }
    for (TControl* c : fControls)
        if (c->fAlign == alNone) c->anchorTo(cw, ch);
}

void TWinControl::KeyDown(WORD& key, TShiftState shift)
{
    if (OnKeyDown) OnKeyDown(this, key, shift);
}

LRESULT TWinControl::WndProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_SIZE: {
        Realign();
        LRESULT r = TControl::WndProc(msg, wp, lp);
        if (OnResize) OnResize(this);
        return r;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        WORD key = (WORD)wp;
        KeyDown(key, KeyboardShiftState());
        if (!key) return 0;
        wp = key;
        break;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP:
        if (OnKeyUp) {
            WORD key = (WORD)wp;
            OnKeyUp(this, key, KeyboardShiftState());
            if (!key) return 0;
            wp = key;
        }
        break;
    case WM_CHAR:
        if (OnKeyPress) {
            wchar_t ch = (wchar_t)wp;
            OnKeyPress(this, ch);
            if (!ch) return 0;
            wp = ch;
        }
        break;
    case WM_SETFOCUS: {
        // OnEnter runs once the control has taken the focus (and made its caret).
        LRESULT r = TControl::WndProc(msg, wp, lp);
        if (OnEnter) OnEnter(this);
        return r;
    }
    case WM_KILLFOCUS:
        if (OnExit) OnExit(this);
        break;
    default:
        break;
    }
    return TControl::WndProc(msg, wp, lp);
}
