// The class library's clipboard object and the runtime's operating-system
// error, as the clipboard routines use them.
#pragma once

#include "SysUtils.h"

#include <functional>

// "Cannot open clipboard: %s" with the system's text for the failure.
class EClipboardException : public Exception {
public:
    using Exception::Exception;
};

// A failed system call: "System Error.  Code: %d." and the system's text on the next line.
class EOSError : public Exception {
public:
    EOSError(DWORD code);
    DWORD ErrorCode;
};
[[noreturn]] void RaiseLastOSError();

// Opens are counted: only the outermost Open opens the system clipboard and
// only the matching Close closes it. The clipboard is opened for a hidden
// window of its own, which becomes the owner of what is put on it.
class TClipboard {
public:
    TClipboard() = default;
    ~TClipboard();
    TClipboard(const TClipboard&) = delete;
    TClipboard& operator=(const TClipboard&) = delete;

    // Raises EClipboardException when the clipboard stays held by someone else.
    void Open();
    void Close();
    // Empties the clipboard and takes ownership of it (opens it around the call when needed).
    void Clear();
    bool HasFormat(UINT format) const { return IsClipboardFormatAvailable(format) != FALSE; }
    // The data handle of Format, or null; the handle belongs to the clipboard.
    HANDLE GetAsHandle(UINT format);
    // Puts Data on the clipboard; the clipboard owns it from then on.
    void SetAsHandle(UINT format, HANDLE data);
    // The clipboard's Unicode text; empty when it holds none.
    String AsText();
    void SetAsText(const String& text);

private:
    HWND fWindow = nullptr;
    int fOpenCount = 0;
    HWND window();
};

// The platform's OpenClipboard, replaceable so that a test can hold the
// clipboard for some attempts (Wine lets it go at once). An empty target is
// the platform again; returns the previous target.
using TClipboardOpenDoor = std::function<BOOL(HWND)>;
TClipboardOpenDoor Clipboard_SetOpenDoor(TClipboardOpenDoor door);

// The process's one clipboard object, made on first use.
TClipboard& Clipboard();

// Opens the clipboard for a scope.
class TClipboardOpen {
public:
    TClipboardOpen() { Clipboard().Open(); }
    ~TClipboardOpen() { Clipboard().Close(); }
    TClipboardOpen(const TClipboardOpen&) = delete;
    TClipboardOpen& operator=(const TClipboardOpen&) = delete;
};
