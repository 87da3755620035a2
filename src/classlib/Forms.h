// Forms, the application object with its message loop, and the screen.
#pragma once

#include "ActnList.h"
#include "ModalHook.h"
#include "StdCtrls.h"

#include <optional>

enum TPosition { poDesigned, poDefault, poScreenCenter, poDesktopCenter, poMainFormCenter, poOwnerFormCenter };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TFormStyle { fsNormal, fsStayOnTop };
using TBorderIcons = unsigned;
constexpr TBorderIcons biSystemMenu = 1, biMinimize = 2, biMaximize = 4;
enum TCloseAction { caNone, caHide, caFree, caMinimize };

class TForm : public TWinControl {
public:
    // The window is made at once, hidden; the layout then sets it up.
    explicit TForm(TComponent* owner);
    ~TForm() override;
    String ClassName() const override { return L"TForm"; }
    TForm* AsForm() override { return this; }

    TBorderStyle BorderStyle() const { return fBorderStyle; }
    void SetBorderStyle(TBorderStyle style);
    TBorderIcons BorderIcons() const { return fBorderIcons; }
    void SetBorderIcons(TBorderIcons icons);
    TFormStyle FormStyle() const { return fFormStyle; }
    void SetFormStyle(TFormStyle style);
    // Where the window goes each time it is shown.
    TPosition Position = poDesigned;
    // Once shown, the window is left where it is for later shows (Position
    // becomes poDesigned): a window whose place the program keeps stays where
    // the user put it.
    bool KeepPlaceOnceShown = false;
    TWindowState WindowState() const;
    void SetWindowState(TWindowState state);
    void SetClientSize(int width, int height);
    void SetClientWidth(int width) { SetClientSize(width, ClientHeight()); }
    void SetClientHeight(int height) { SetClientSize(ClientWidth(), height); }

    // The control that gets the focus when the form is shown or activated.
    TWinControl* ActiveControl() const;
    void SetActiveControl(TWinControl* control);

    void Show();
    void Hide();
    // A hidden form that will show maximized takes that size now, so that
    // what is put in it before the show is laid out once, at the size it
    // will have; the place it restores to is kept.
    void SizeForShow();
    // Asks OnCloseQuery, then OnClose; a modal form ends with mrCancel.
    void Close();
    // Shows the form modally through the modal door; returns ModalResult.
    int ShowModal();
    bool Modal() const { return fModal; }
    // Whether the window has been on the screen since it was made.
    bool EverShown() const { return fEverShown; }
    int ModalResult = mrNone;
    // What the modal door tells a responder about this window besides its class and caption.
    String ModalText;
    int ModalColor = -1;

    TNotifyEvent OnShow, OnActivate;
    // The wheel turned over any control of the form (before the control sees it);
    // a handled turn goes no further.
    std::function<void(TObject* sender, TShiftState shift, int wheelDelta, POINT mousePos, bool& handled)>
        OnMouseWheel;
    std::function<void(TObject* sender, bool& canClose)> OnCloseQuery;
    std::function<void(TObject* sender, TCloseAction& action)> OnClose;

    // The form's keys: action lists (in the order the form owns them), then
    // the default and cancel buttons. True when the key was used.
    bool IsShortCut(TShortCut shortCut);
    TButton* DefaultButton() const;
    TButton* CancelButton() const;

    void SetVisible(bool visible) override;
    void SetBounds(int left, int top, int width, int height) override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

protected:
    // A form that waits with its window: its controls are put in place and
    // given their state without windows, and everything is made at once, at
    // the final size, by HandleNeeded.
    struct TWindowWaits {};
    TForm(TComponent* owner, TWindowWaits);
    void CreateParams(TCreateParams& params) override;
    HWND CreationParent() const override;
    bool WindowsWait() const override { return fWindowWaits; }
    void HandleCreated() override;

private:
    TBorderStyle fBorderStyle = bsSizeable;
    TBorderIcons fBorderIcons = biSystemMenu | biMinimize | biMaximize;
    TFormStyle fFormStyle = fsNormal;
    TWindowState fWindowState = wsNormal;
    TWinControl* fActiveControl = nullptr;
    HWND fLastFocus = nullptr;
    bool fModal = false;
    bool fEverShown = false;
    // Until its controls' windows are made.
    bool fWindowWaits = false;
    bool fSizeWhenMade = false;
    // The placement taken while hidden by SizeForShow: the restored place.
    std::optional<WINDOWPLACEMENT> fSizedForShow;
    void answerUnseen(const TModalAnswer& answer);
    void styleChanged();
    void applyPosition();
    RECT maximizedGuess() const;
    void showMaximized();
    void sizeForShow();
    void unsizeForShow();
    void sizeLimits(MINMAXINFO& mm) const;
    void focusFirst();
};

using TMessageHook = std::function<void(MSG& msg, bool& handled)>;

class TApplication {
public:
    // Becomes the handler of the exceptions that the controls catch.
    TApplication();
    String Title = L"Dolv";
    // The owner window of the program's top-level windows: the one set, or the main form's.
    HWND Handle() const;
    void SetHandle(HWND h) { fHandle = h; }
    TForm* MainForm = nullptr;

    // The default handler: shows the exception's text in the plain message box.
    void ShowException(const std::exception& e);
    // Hands the exception being handled (inside a catch) to ShowException.
    void HandleException();
    // Runs Body and hands any exception to ShowException, as the message loop does.
    template <class F>
    void Guard(F&& body)
    {
        try {
            body();
        } catch (...) {
            HandleException();
        }
    }

    // Hooks see every message the loop takes before anything else does.
    int HookMainWindow(TMessageHook hook);
    void UnhookMainWindow(int id);

    // One message through the loop's order: hooks, shortcuts, the dialog keys
    // the focused control does not claim (WM_GETDLGCODE), dispatch.
    void Dispatch(MSG& msg);
    // Handles every waiting message, then returns.
    void ProcessMessages();
    // Waits for one message and handles it; false once the program is to end.
    bool HandleMessage();
    // Shows the main form and runs the loop until the program ends.
    void Run();
    void Terminate();
    bool Terminated() const { return fTerminated; }

private:
    HWND fHandle = nullptr;
    bool fTerminated = false;
    int fNextHook = 1;
    std::vector<std::pair<int, TMessageHook>> fHooks;
    bool isKeyMsg(MSG& msg);
    void altKeyTaken(const MSG& msg);
    bool isFormWheel(MSG& msg);
};

extern TApplication Application;

class TScreen {
public:
    TCursor Cursor() const { return Screen_Cursor(); }
    void SetCursor(TCursor cursor);
    // The primary display, in pixels.
    int Width() const { return GetSystemMetrics(SM_CXSCREEN); }
    int Height() const { return GetSystemMetrics(SM_CYSCREEN); }
    TForm* ActiveForm() const;
};

extern TScreen Screen;

// Shows the hourglass (or another cursor) for the lifetime of the object.
class TScreenCursor {
public:
    explicit TScreenCursor(TCursor cursor = crHourGlass) : fPrevious(Screen.Cursor()) { Screen.SetCursor(cursor); }
    ~TScreenCursor() { Screen.SetCursor(fPrevious); }
    TScreenCursor(const TScreenCursor&) = delete;
    TScreenCursor& operator=(const TScreenCursor&) = delete;

private:
    TCursor fPrevious;
};

// Points a unit's global form variable at a dialog while it is shown and puts
// back what it pointed at before, so that a box opened from inside another
// box hands the global back to the outer one when it closes.
template <class T>
class TFormGlobalScope {
public:
    TFormGlobalScope(T*& global, T* form) : fGlobal(global), fOuter(global) { fGlobal = form; }
    ~TFormGlobalScope() { fGlobal = fOuter; }
    TFormGlobalScope(const TFormGlobalScope&) = delete;
    TFormGlobalScope& operator=(const TFormGlobalScope&) = delete;

private:
    T*& fGlobal;
    T* fOuter;
};
