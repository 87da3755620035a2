// The application object: title, the application window handle that the
// platform calls take as owner, and the default exception handler.
#pragma once

#include "SysUtils.h"

class TApplication {
public:
    String Title = L"Dolv";
    // The owner window of the program's top-level windows; none until a main form exists.
    HWND Handle() const { return fHandle; }
    void SetHandle(HWND h) { fHandle = h; }

    // The default handler: shows the exception's text in the plain message box.
    void ShowException(const std::exception& e);
    // Runs Body and hands any exception to ShowException, as the message loop does.
    template <class F>
    void Guard(F&& body)
    {
        try {
            body();
        } catch (const std::exception& e) {
            ShowException(e);
        }
    }

private:
    HWND fHandle = nullptr;
};

extern TApplication Application;
