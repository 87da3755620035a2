// The one process-wide door that every modal window passes. A test installs
// a responder that is told of each modal window (its kind, caption and text)
// and answers it; production code installs none and never asks whether one is
// there: the door itself decides.
#pragma once

#include "Doors.h"
#include "SysUtils.h"

#include <exception>
#include <functional>

struct TModalRequest {
    String Kind;     // the window's class: "ShowMessage", "TFormY", "MessageBox", ...
    String Caption;
    String Text;
    int Color = -1;  // the background colour a coloured box was asked for
};

struct TModalAnswer {
    int Result = IDOK;  // the button (IDOK, IDYES, IDNO, IDCANCEL, ...)
    String Text;        // typed text, for input boxes
    // When set, the door shows the real window and, once it is up, calls Drive
    // with its window handle from inside the window's own message loop; Drive
    // works the window as a user would (keys to the focused control, clicks)
    // and lets the loop run with Application.ProcessMessages. A window still
    // open when Drive returns is cancelled, so a test can never hang on it.
    std::function<void(HWND window)> Drive;
};

using TModalResponder = std::function<TModalAnswer(const TModalRequest&)>;

// Installs a responder (an empty one removes it); returns the one it replaces.
TModalResponder Modal_SetResponder(TModalResponder responder);

// Called by every modal door before it shows its window. True when a responder
// answered, in which case the door does not show the window and returns Answer.
bool Modal_Intercept(const TModalRequest& request, TModalAnswer& answer);

// Installs a responder for the lifetime of the object (tests).
using TModalResponderScope = TDoorScope<TModalResponder, Modal_SetResponder>;

// Works a real modal window for a responder's Drive. Made just before the
// caller enters the window's own modal loop (a form's, a popup menu's): the
// loop dispatches a message posted now, which calls Drive with the window that
// Window finds (while Window finds none, it asks again every 10 ms; after two
// seconds Drive runs regardless). When Drive
// returns and the window is still up, End is called after Grace milliseconds,
// so that a test can never hang on it. An exception from Drive never leaves
// the loop's dispatch: it ends the window, and RaiseError, called by the door
// once the window's loop is over, raises it again.
class TModalDrive {
public:
    TModalDrive(std::function<void(HWND)> drive, std::function<HWND()> window, std::function<void()> end,
                unsigned graceMs = 0);
    ~TModalDrive();
    void RaiseError();
    TModalDrive(const TModalDrive&) = delete;
    TModalDrive& operator=(const TModalDrive&) = delete;

private:
    std::function<void(HWND)> fDrive;
    std::function<HWND()> fWindow;
    std::function<void()> fEnd;
    unsigned fGraceMs;
    int fWaits = 0;
    std::exception_ptr fError;
    UINT_PTR fPosted = 0;
    UINT_PTR fTimer = 0;
    void run();
    static LRESULT CALLBACK postedProc(HWND, UINT, WPARAM, LPARAM);
    static void CALLBACK driveTick(HWND, UINT, UINT_PTR id, DWORD);
    static void CALLBACK endTick(HWND, UINT, UINT_PTR id, DWORD);
};
