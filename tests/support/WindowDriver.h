// Works real windows as a user would, from inside a test: keys to the focused
// control (with the modifier keys in the thread's key state, as real input
// leaves them), mouse clicks, and waiting with a timeout while the message
// loop runs. Every key and click goes through Application's message loop, so
// hooks, shortcuts and dialog keys see it as they would see the user's.
#pragma once

#include "Forms.h"
#include "TestSupport.h"

// Presses and releases a key at the focused window (or at Target).
void Ui_Key(WORD vk, TShiftState shift = 0, HWND target = nullptr);
// Types the characters into the focused window.
void Ui_Type(const String& text, HWND target = nullptr);
// Moves the mouse onto the window and clicks at the client point (centre by default).
void Ui_Click(HWND window, int x = -1, int y = -1, bool right = false);
// The mouse enters or leaves a window.
void Ui_MouseEnter(HWND window);
void Ui_MouseLeave(HWND window);
// Lets the message loop run until Condition holds; false when TimeoutMs passes first.
bool Ui_WaitFor(const std::function<bool()>& condition, int timeoutMs = 5000);
// Saves what the screen shows of the window as a BMP file (screenshots for the documentation).
bool Ui_SaveWindowBitmap(HWND window, const String& fileName);
// Saves the window as Name.bmp in the screenshot folder, when one is given.
void Ui_Shot(HWND window, const String& name);
// The process's GDI (GR_GDIOBJECTS) or USER (GR_USEROBJECTS) objects, or -1
// when they cannot be counted. Wine does not count them; there the GDI objects
// are the live entries of its handle table.
int Ui_GuiObjects(DWORD which);
// The folder screenshots go to (environment variable DOLV_SHOT_DIR), or empty.
String Ui_ShotDir();
// Runs Once a first time (what the process keeps for good: classes, caches),
// then three times more, and expects the GDI and USER objects back where they
// were. Skips the test where the platform cannot count them.
void Ui_ExpectNoHandleLeak(const std::function<void()>& once);

// A control of type T on Parent (which owns it), at the given bounds.
template <class T>
T* Ui_Add(TWinControl* parent, int left, int top, int width, int height)
{
    T* c = new T(parent);
    c->SetParent(parent);
    c->SetBounds(left, top, width, height);
    return c;
}

// Answers the modal windows of one kind by working the real window: Drive is
// called with the window once it is up. Other kinds fail the test.
class TModalDriver {
public:
    TModalDriver(const String& kind, std::function<void(HWND)> drive);
    ~TModalDriver();
    TModalDriver(const TModalDriver&) = delete;
    TModalDriver& operator=(const TModalDriver&) = delete;
    std::vector<TModalRequest> Seen;

private:
    TModalResponder fPrevious;
};
