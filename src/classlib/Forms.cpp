#include "Forms.h"

#include "Dialogs.h"

#include <commctrl.h>
#include <algorithm>
#include <windowsx.h>

TApplication Application;
TScreen Screen;

TApplication::TApplication()
{
    Control_ExceptionHandler = [] { Application.HandleException(); };
}

namespace {

// Every window a control may stand on that is a TForm.
TForm* formOf(HWND hwnd)
{
    HWND root = hwnd ? GetAncestor(hwnd, GA_ROOT) : nullptr;
    return dynamic_cast<TForm*>(TControl::FromHandle(root));
}

// The innermost control of the class layer a window belongs to.
TControl* controlOf(HWND hwnd)
{
    for (HWND h = hwnd; h; h = GetParent(h))
        if (TControl* c = TControl::FromHandle(h)) return c;
    return nullptr;
}

void findActionLists(const TComponent* owner, std::vector<TActionList*>& out)
{
    for (int i = 0; i < owner->ComponentCount(); ++i) {
        TComponent* c = owner->Components(i);
        if (auto* list = dynamic_cast<TActionList*>(c)) out.push_back(list);
        findActionLists(c, out);
    }
}

template <class Pred>
TButton* findButton(const TWinControl* parent, Pred pred)
{
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* c = parent->Controls(i);
        if (auto* b = dynamic_cast<TButton*>(c))
            if (pred(b) && b->Visible() && b->Enabled()) return b;
        if (auto* w = dynamic_cast<TWinControl*>(c))
            if (TButton* b = findButton(w, pred)) return b;
    }
    return nullptr;
}
// Whether the focused window takes a dialog key itself (WM_GETDLGCODE):
// DLGC_WANTMESSAGE claims every key, DLGC_WANTTAB the Tab key, DLGC_WANTARROWS
// the arrows. The key goes in wParam and lParam stays null: the platform's
// edit controls take a message there as the sign that they stand in a dialog
// box, and from then on act on their parent window themselves (a multi-line
// edit posts WM_CLOSE to it on Esc, which would destroy a panel).
bool claimsKey(HWND focus, WORD vk)
{
    LRESULT code = SendMessageW(focus, WM_GETDLGCODE, vk, 0);
    if (code & DLGC_WANTMESSAGE) return true;
    switch (vk) {
    case VK_TAB: return (code & DLGC_WANTTAB) != 0;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: return (code & DLGC_WANTARROWS) != 0;
    default: return false;
    }
}

// The arrows move the focus among the controls standing on the same parent
// as the focused one (its group), wrapping around; none when it stands alone
// or is a window of its own (a form's siblings are other programs' windows).
HWND nextSibling(HWND focus, bool previous)
{
    if (!(GetWindowLongW(focus, GWL_STYLE) & WS_CHILD)) return nullptr;
    for (HWND h = focus;;) {
        h = GetWindow(h, previous ? GW_HWNDPREV : GW_HWNDNEXT);
        if (!h) h = GetWindow(focus, previous ? GW_HWNDLAST : GW_HWNDFIRST);
        if (!h || h == focus) return nullptr;
        LONG style = GetWindowLongW(h, GWL_STYLE);
        if ((style & (WS_TABSTOP | WS_VISIBLE | WS_DISABLED)) == (WS_TABSTOP | WS_VISIBLE)) return h;
    }
}

struct TCollect {
    HWND Self;
    std::vector<HWND>* Out;
};

// While a modal form is up, the window it was opened from owns it, so that it
// stands above that window (and on top with it, when that one stays on top).
// Opened from the stay-on-top settings window, a dialog owned by the main
// window would open behind it, and the disabled settings window would look
// frozen. Afterwards the form goes back to the owner it was made with, so
// that no window it was opened from takes it along when that one is
// destroyed, and to the stacking it had.
class TOpenedFromScope {
public:
    TOpenedFromScope(HWND form, HWND opener)
        : fForm(form), fOwner(GetWindow(form, GW_OWNER)), fOnTop(isOnTop(form))
    {
        if (!opener || opener == form || opener == fOwner || ownedBy(opener, form)) return;
        SetWindowLongPtrW(form, GWLP_HWNDPARENT, (LONG_PTR)opener);
        fChanged = true;
    }
    ~TOpenedFromScope()
    {
        if (!fChanged || !IsWindow(fForm)) return;
        // The owner first: a window taken off the top takes its owners along.
        SetWindowLongPtrW(fForm, GWLP_HWNDPARENT, (LONG_PTR)fOwner);
        if (!fOnTop && isOnTop(fForm))
            SetWindowPos(fForm, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    TOpenedFromScope(const TOpenedFromScope&) = delete;
    TOpenedFromScope& operator=(const TOpenedFromScope&) = delete;

private:
    HWND fForm, fOwner;
    bool fOnTop, fChanged = false;
    static bool isOnTop(HWND h) { return (GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }
    // An owner chain must not come back to the form.
    static bool ownedBy(HWND window, HWND owner)
    {
        for (HWND h = window; h; h = GetWindow(h, GW_OWNER))
            if (h == owner) return true;
        return false;
    }
};

BOOL CALLBACK collectEnabled(HWND h, LPARAM lp)
{
    auto* c = (TCollect*)lp;
    try {
        if (h != c->Self && IsWindowVisible(h) && IsWindowEnabled(h)) c->Out->push_back(h);
        return TRUE;
    } catch (...) {  // out of memory: no exception may cross the platform's enumeration
        return FALSE;
    }
}
}  // namespace


// ---- TForm ------------------------------------------------------------------

TForm::TForm(TComponent* owner) : TWinControl(owner)
{
    fWidth = 320;
    fHeight = 240;
    SetVisible(false);
    CreateHandle();
}

TForm::TForm(TComponent* owner, TWindowWaits) : TWinControl(owner), fWindowWaits(true)
{
    fWidth = 320;
    fHeight = 240;
    SetVisible(false);
}

TForm::~TForm()
{
    if (Application.MainForm == this) Application.MainForm = nullptr;
    DestroyHandle();
}

HWND TForm::CreationParent() const
{
    if (!Application.MainForm || Application.MainForm == this) return nullptr;
    Application.MainForm->HandleNeeded();
    return Application.MainForm->Handle();
}

void TForm::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.Style &= ~(WS_CHILD | WS_VISIBLE | WS_TABSTOP);
    params.ExStyle &= ~(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_DLGMODALFRAME);
    switch (fBorderStyle) {
    case bsNone: params.Style |= WS_POPUP; break;
    case bsSingle: params.Style |= WS_CAPTION | WS_BORDER; break;
    case bsSizeable: params.Style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog: params.Style |= WS_CAPTION; params.ExStyle |= WS_EX_DLGMODALFRAME; break;
    case bsToolWindow: params.Style |= WS_CAPTION; params.ExStyle |= WS_EX_TOOLWINDOW; break;
    case bsSizeToolWin: params.Style |= WS_CAPTION | WS_THICKFRAME; params.ExStyle |= WS_EX_TOOLWINDOW; break;
    }
    if (fBorderStyle != bsNone && (fBorderIcons & biSystemMenu)) {
        params.Style |= WS_SYSMENU;
        if (fBorderStyle == bsSingle || fBorderStyle == bsSizeable) {
            if (fBorderIcons & biMinimize) params.Style |= WS_MINIMIZEBOX;
            if (fBorderIcons & biMaximize) params.Style |= WS_MAXIMIZEBOX;
        }
    }
    if (fFormStyle == fsStayOnTop) params.ExStyle |= WS_EX_TOPMOST;
}

void TForm::styleChanged()
{
    if (!fHandle) return;
    TCreateParams cp;
    CreateParams(cp);
    LONG_PTR keep = GetWindowLongPtrW(fHandle, GWL_STYLE) & (WS_VISIBLE | WS_MAXIMIZE | WS_MINIMIZE | WS_DISABLED);
    SetWindowLongPtrW(fHandle, GWL_STYLE, (LONG_PTR)cp.Style | keep);
    SetWindowLongPtrW(fHandle, GWL_EXSTYLE, (LONG_PTR)cp.ExStyle);
    SetWindowPos(fHandle, fFormStyle == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TForm::SetBorderStyle(TBorderStyle style)
{
    fBorderStyle = style;
    styleChanged();
}

void TForm::SetBorderIcons(TBorderIcons icons)
{
    fBorderIcons = icons;
    styleChanged();
}

void TForm::SetFormStyle(TFormStyle style)
{
    fFormStyle = style;
    styleChanged();
}

TWindowState TForm::WindowState() const
{
    if (fHandle && IsWindowVisible(fHandle))
        return IsZoomed(fHandle) ? wsMaximized : IsIconic(fHandle) ? wsMinimized : wsNormal;
    return fWindowState;
}

void TForm::SetWindowState(TWindowState state)
{
    fWindowState = state;
    if (state != wsMaximized) unsizeForShow();
    if (fHandle && IsWindowVisible(fHandle))
        ShowWindow(fHandle, state == wsMaximized ? SW_MAXIMIZE : state == wsMinimized ? SW_MINIMIZE : SW_RESTORE);
}

void TForm::SetClientSize(int width, int height)
{
    RECT r = FrameAround(RECT{0, 0, width, height});
    SetBounds(fLeft, fTop, r.right - r.left, r.bottom - r.top);
}

TWinControl* TForm::ActiveControl() const
{
    if (TControl* c = controlOf(GetFocus()))
        if (c != this && c->ParentForm() == this) return dynamic_cast<TWinControl*>(c);
    return fActiveControl;
}

void TForm::SetActiveControl(TWinControl* control)
{
    fActiveControl = control;
    if (control && fHandle && IsWindowVisible(fHandle) && control->CanFocus()) control->SetFocus();
}

void TForm::applyPosition()
{
    // A form about to be shown maximized is placed too: that place is the one
    // it restores to. One maximized already keeps the place it restores to.
    if (fWindowState == wsMaximized && IsZoomed(fHandle)) return;
    RECT over{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    TForm* around = nullptr;
    if (Position == poOwnerFormCenter) around = dynamic_cast<TForm*>(Owner());
    if ((Position == poOwnerFormCenter || Position == poMainFormCenter) && !around) around = Application.MainForm;
    if (around == this) around = nullptr;
    switch (Position) {
    case poScreenCenter:
    case poDesktopCenter:
        break;
    case poMainFormCenter:
    case poOwnerFormCenter:
        if (around && around->Handle() && IsWindowVisible(around->Handle())) GetWindowRect(around->Handle(), &over);
        break;
    default:
        return;
    }
    int l = over.left + (over.right - over.left - fWidth) / 2;
    int t = over.top + (over.bottom - over.top - fHeight) / 2;
    SetBounds(l < 0 && Position != poScreenCenter ? 0 : l, t < 0 ? 0 : t, fWidth, fHeight);
}

void TForm::focusFirst()
{
    if (fActiveControl && fActiveControl->CanFocus()) {
        fActiveControl->SetFocus();
        return;
    }
    HWND first = GetNextDlgTabItem(fHandle, nullptr, FALSE);
    if (first && first != fHandle && (GetWindowLongPtrW(first, GWL_STYLE) & WS_TABSTOP))
        ::SetFocus(first);
    else
        ::SetFocus(fHandle);
}

RECT TForm::maximizedGuess() const
{
    // Where the platform puts a maximized window: the work area of its
    // monitor, with the sizing frame pushed past the edges.
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    GetMonitorInfoW(MonitorFromWindow(fHandle, MONITOR_DEFAULTTOPRIMARY), &mi);
    LONG style = (LONG)GetWindowLongPtrW(fHandle, GWL_STYLE);
    if ((style & WS_CAPTION) == WS_CAPTION) style &= ~WS_BORDER;
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, (DWORD)style, FALSE, (DWORD)GetWindowLongPtrW(fHandle, GWL_EXSTYLE));
    RECT r = mi.rcWork;
    r.left += frame.left;
    r.top += frame.top;
    r.right += frame.right;
    r.bottom += frame.bottom;
    return r;
}

void TForm::SizeForShow()
{
    if (!fHandle && fWindowWaits) {
        fSizeWhenMade = true;
        HandleNeeded();
        return;
    }
    sizeForShow();
}

void TForm::HandleCreated()
{
    // The window alone is sized first: its controls are then made once, at
    // the size they will show at.
    if (std::exchange(fSizeWhenMade, false)) sizeForShow();
    TWinControl::HandleCreated();
    fWindowWaits = false;
}

void TForm::sizeForShow()
{
    if (!fHandle || fSizedForShow || fWindowState != wsMaximized || IsWindowVisible(fHandle) || IsZoomed(fHandle))
        return;
    // The place it restores to is the one a show would give it.
    applyPosition();
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    if (!GetWindowPlacement(fHandle, &wp)) return;
    RECT r = maximizedGuess();
    SetWindowPos(fHandle, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    fSizedForShow = wp;
}

// Back to the restored place, for a form that will not show maximized after
// all, or is given bounds of its own before its show.
void TForm::unsizeForShow()
{
    if (!fSizedForShow) return;
    WINDOWPLACEMENT wp = *fSizedForShow;
    fSizedForShow.reset();
    wp.flags = 0;
    wp.showCmd = SW_HIDE;
    SetWindowPlacement(fHandle, &wp);
    UpdateBoundsFromWindow();
}

// The form's size constraints over the platform's own limits.
void TForm::sizeLimits(MINMAXINFO& mm) const
{
    if (Constraints.MinWidth > 0) mm.ptMinTrackSize.x = Constraints.MinWidth;
    if (Constraints.MinHeight > 0) mm.ptMinTrackSize.y = Constraints.MinHeight;
    if (Constraints.MaxWidth > 0) mm.ptMaxTrackSize.x = Constraints.MaxWidth;
    if (Constraints.MaxHeight > 0) mm.ptMaxTrackSize.y = Constraints.MaxHeight;
}

void TForm::SetBounds(int left, int top, int width, int height)
{
    unsizeForShow();
    if (!fHandle) {
        // The limits the platform puts on a window's size (its WM_GETMINMAXINFO
        // answer), for a window that can be sized or is no pop-up.
        TCreateParams cp;
        CreateParams(cp);
        if ((cp.Style & WS_THICKFRAME) || !(cp.Style & WS_POPUP)) {
            MINMAXINFO mm{};
            mm.ptMinTrackSize = {GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
            mm.ptMaxTrackSize = {GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
            sizeLimits(mm);
            width = std::max(std::min<LONG>(width, mm.ptMaxTrackSize.x), mm.ptMinTrackSize.x);
            height = std::max(std::min<LONG>(height, mm.ptMaxTrackSize.y), mm.ptMinTrackSize.y);
        }
    }
    TWinControl::SetBounds(left, top, width, height);
}

void TForm::showMaximized()
{
    // Laid out at the full size while still hidden, the controls are placed
    // once and without repainting; showing then finds them in place. The
    // placement keeps the restored bounds, which showing maximized would
    // otherwise take from the hidden window's size.
    sizeForShow();
    std::optional<WINDOWPLACEMENT> wp = std::exchange(fSizedForShow, std::nullopt);
    ShowWindow(fHandle, SW_SHOWMAXIMIZED);
    if (wp) {
        wp->flags = 0;
        wp->showCmd = SW_SHOWMAXIMIZED;
        SetWindowPlacement(fHandle, &*wp);
    }
}

void TForm::SetVisible(bool visible)
{
    if (visible) HandleNeeded();
    if (!fHandle) {
        SetVisibleFlag(visible);
        return;
    }
    bool shown = IsWindowVisible(fHandle);
    if (visible && !shown) {
        SetVisibleFlag(true);
        fEverShown = true;
        if (fWindowState == wsMaximized) {
            showMaximized();
        } else {
            applyPosition();
            ShowWindow(fHandle, SW_SHOWNORMAL);
        }
        if (KeepPlaceOnceShown) Position = poDesigned;
        SetForegroundWindow(fHandle);
        focusFirst();
        if (OnShow) OnShow(this);
    } else if (!visible && shown) {
        fWindowState = WindowState();
        SetVisibleFlag(false);
        ShowWindow(fHandle, SW_HIDE);
    }
}

void TForm::Show() { SetVisible(true); }
void TForm::Hide() { SetVisible(false); }

void TForm::Close()
{
    bool can = true;
    if (OnCloseQuery) OnCloseQuery(this, can);
    if (!can) return;
    TCloseAction action = caHide;
    if (OnClose) OnClose(this, action);
    if (action == caNone) return;
    if (fModal) {
        if (ModalResult == mrNone) ModalResult = mrCancel;
        return;
    }
    if (action == caMinimize)
        SetWindowState(wsMinimized);
    else
        Hide();
    if (Application.MainForm == this) Application.Terminate();
}

void TForm::answerUnseen(const TModalAnswer& answer)
{
    // As a user would: the typed text into the focused edit, then the button
    // that gives the answer pressed, so that the form's own handlers run.
    if (auto* edit = dynamic_cast<TEdit*>(ActiveControl()); edit && !answer.Text.empty()) edit->SetText(answer.Text);
    if (answer.Result != mrNone)
        if (TButton* b = findButton(this, [&](TButton* c) { return c->ModalResult == answer.Result; })) b->Click();
    if (ModalResult == mrNone) ModalResult = answer.Result;
}

int TForm::ShowModal()
{
    ModalResult = mrNone;
    TModalAnswer answer;
    if (Modal_Intercept({ClassName(), Caption(), ModalText, ModalColor}, answer) && !answer.Drive) {
        answerUnseen(answer);
        return ModalResult;
    }

    TOpenedFromScope openedFrom(fHandle, GetActiveWindow());
    // Every other window of the thread waits while the form is up.
    std::vector<HWND> disabled;
    TCollect collect{fHandle, &disabled};
    EnumThreadWindows(GetCurrentThreadId(), collectEnabled, (LPARAM)&collect);
    for (HWND h : disabled) EnableWindow(h, FALSE);
    HWND wasActive = GetActiveWindow();

    fModal = true;
    try {
        Show();
        // A responder that works the real window does it from inside the loop
        // below, once the window is up; whatever it leaves open is cancelled.
        TModalDrive drive(std::move(answer.Drive), [this] { return fHandle; }, [this] {
            if (fModal && ModalResult == mrNone) ModalResult = mrCancel;
        });
        while (ModalResult == mrNone) {
            if (!Application.HandleMessage()) ModalResult = mrCancel;
        }
        drive.RaiseError();
    } catch (...) {
        fModal = false;
        for (HWND h : disabled) EnableWindow(h, TRUE);
        throw;
    }
    fModal = false;
    for (HWND h : disabled) EnableWindow(h, TRUE);
    Hide();
    if (wasActive && IsWindow(wasActive) && wasActive != fHandle) SetActiveWindow(wasActive);
    return ModalResult;
}

bool TForm::IsShortCut(TShortCut shortCut)
{
    std::vector<TActionList*> lists;
    findActionLists(this, lists);
    for (TActionList* l : lists)
        if (l->IsShortCut(shortCut)) return true;
    return false;
}

TButton* TForm::DefaultButton() const
{
    return findButton(this, [](TButton* b) { return b->Default; });
}

TButton* TForm::CancelButton() const
{
    return findButton(this, [](TButton* b) { return b->Cancel; });
}

LRESULT TForm::WndProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_CLOSE:
        Close();
        return 0;
    case WM_GETMINMAXINFO: {
        sizeLimits(*(MINMAXINFO*)lp);
        return 0;
    }
    case WM_ACTIVATE:
        if (LOWORD(wp) == WA_INACTIVE) {
            HWND f = GetFocus();
            if (f && IsChild(fHandle, f)) fLastFocus = f;
        } else {
            if (fLastFocus && IsWindow(fLastFocus) && IsChild(fHandle, fLastFocus)) {
                ::SetFocus(fLastFocus);
                if (OnActivate) OnActivate(this);
                return 0;
            }
            if (OnActivate) OnActivate(this);
        }
        break;
    default:
        break;
    }
    return TWinControl::WndProc(msg, wp, lp);
}

// ---- TApplication -------------------------------------------------------------

HWND TApplication::Handle() const
{
    if (fHandle) return fHandle;
    if (!MainForm) return nullptr;
    // Whatever is to belong to the main window needs it made.
    MainForm->HandleNeeded();
    return MainForm->Handle();
}

void TApplication::ShowException(const std::exception& e)
{
    const Exception* ours = dynamic_cast<const Exception*>(&e);
    String text = ours ? ours->Message() : FromUtf8(e.what());
    MessageDlg(text, Title, MB_OK | MB_ICONERROR);
}

void TApplication::HandleException()
{
    try {
        throw;
    } catch (const std::exception& e) {
        ShowException(e);
    } catch (...) {
        ShowException(Exception(L"Unknown exception"));
    }
}

int TApplication::HookMainWindow(TMessageHook hook)
{
    fHooks.emplace_back(fNextHook, std::move(hook));
    return fNextHook++;
}

void TApplication::UnhookMainWindow(int id)
{
    for (auto it = fHooks.begin(); it != fHooks.end(); ++it)
        if (it->first == id) {
            fHooks.erase(it);
            return;
        }
}

bool TApplication::isKeyMsg(MSG& msg)
{
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
    TControl* target = controlOf(msg.hwnd);
    TForm* form = formOf(msg.hwnd);
    if (!target || !form) return false;
    WORD vk = (WORD)msg.wParam;
    TShiftState shift = KeyboardShiftState();
    TShortCut sc = ShortCut(vk, shift);
    // The form's actions own their keys: a menu that shows one of them (a pane's
    // menu offering a command of its window) must not run another action on it.
    bool taken = form->IsShortCut(sc);
    // Then the popup menus of the focused control and of everything it stands on.
    for (TControl* c = target; c && !taken; c = c->Parent())
        taken = c->PopupMenu && c->PopupMenu->IsShortCut(sc);
    if (taken) {
        if (shift & ssAlt) altKeyTaken(msg);
        return true;
    }
    bool dialogKey = vk == VK_TAB || vk == VK_RETURN || vk == VK_ESCAPE || (vk >= VK_LEFT && vk <= VK_DOWN);
    if (!dialogKey || (shift & (ssCtrl | ssAlt))) return false;
    HWND focus = msg.hwnd;
    if (claimsKey(focus, vk)) return false;
    // Dialog keys the focused control leaves to its form.
    switch (vk) {
    case VK_TAB:
        if (HWND next = GetNextDlgTabItem(form->Handle(), focus, (shift & ssShift) != 0)) ::SetFocus(next);
        return true;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        if (HWND next = nextSibling(focus, vk == VK_LEFT || vk == VK_UP)) {
            ::SetFocus(next);
            return true;
        }
        return false;
    case VK_RETURN: {
        TButton* b = dynamic_cast<TButton*>(target);
        if (!b) b = form->DefaultButton();
        if (b && b->Enabled()) {
            b->Click();
            return true;
        }
        return false;
    }
    case VK_ESCAPE:
        if (TButton* b = shift ? nullptr : form->CancelButton()) {
            b->Click();
            return true;
        }
        return false;
    default:
        return false;
    }
}

void TApplication::altKeyTaken(const MSG& msg)
{
    // Alt going up opens the window menu unless another key came since Alt
    // went down; the platform learns of such a key in its default handling,
    // which a key taken as a command never reaches, and the user's next keys
    // would go to the menu. The key's release tells it the same and does
    // nothing more; the release itself may still be on its way, after Alt's.
    HWND h = IsWindow(msg.hwnd) ? msg.hwnd : GetFocus();
    if (h) DefWindowProcW(h, msg.message == WM_SYSKEYDOWN ? WM_SYSKEYUP : WM_KEYUP, msg.wParam, msg.lParam | 0xC0000000);
}

void TApplication::Dispatch(MSG& msg)
{
    try {
        bool handled = false;
        for (size_t i = 0; i < fHooks.size() && !handled; ++i) {
            TMessageHook hook = fHooks[i].second;  // a hook may unhook itself
            hook(msg, handled);
        }
        if (handled || isKeyMsg(msg) || isFormWheel(msg)) return;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    } catch (...) {
        HandleException();
    }
}

bool TApplication::isFormWheel(MSG& msg)
{
    if (msg.message != WM_MOUSEWHEEL) return false;
    TControl* c = TControl::FromHandle(GetAncestor(msg.hwnd, GA_ROOT));
    TForm* form = c ? c->AsForm() : nullptr;
    if (!form || !form->OnMouseWheel) return false;
    bool handled = false;
    TShiftState shift = KeyboardShiftState();
    WORD keys = GET_KEYSTATE_WPARAM(msg.wParam);
    if (keys & MK_LBUTTON) shift |= ssLeft;
    if (keys & MK_RBUTTON) shift |= ssRight;
    if (keys & MK_MBUTTON) shift |= ssMiddle;
    form->OnMouseWheel(form, shift, GET_WHEEL_DELTA_WPARAM(msg.wParam),
                       POINT{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)}, handled);
    return handled;
}

void TApplication::ProcessMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            fTerminated = true;
            break;
        }
        Dispatch(msg);
    }
}

bool TApplication::HandleMessage()
{
    MSG msg;
    if (fTerminated || GetMessageW(&msg, nullptr, 0, 0) <= 0) {
        fTerminated = true;
        return false;
    }
    Dispatch(msg);
    return true;
}

void TApplication::Run()
{
    if (MainForm) MainForm->Show();
    while (HandleMessage()) {
    }
}

void TApplication::Terminate()
{
    if (!fTerminated) PostQuitMessage(0);
}

// ---- TScreen ------------------------------------------------------------------

void TScreen::SetCursor(TCursor cursor)
{
    Screen_CursorStore(cursor);
    ::SetCursor(Cursor_Handle(cursor == crDefault ? crArrow : cursor));
}

TForm* TScreen::ActiveForm() const { return formOf(GetActiveWindow()); }
