// OLE for the program's lifetime, the OLE error, and the guard every COM
// callback of ours runs behind.
#pragma once

#include "Controls.h"
#include "SysUtils.h"

#include <ole2.h>

// A failed OLE call: the platform's text for the code.
class EOleSysError : public Exception {
public:
    explicit EOleSysError(HRESULT code);
    HRESULT ErrorCode() const { return fCode; }

private:
    HRESULT fCode;
};

// Raises EOleSysError when Result is a failure code.
void OleCheck(HRESULT result);

// OLE (and COM) on this thread from construction to destruction: the program's
// main block holds one, so that drag and drop, the clipboard's data objects
// and the shell's interfaces work everywhere in between.
class TOleScope {
public:
    TOleScope() noexcept : fResult(OleInitialize(nullptr)) {}
    // Only a successful initialisation (S_OK or S_FALSE) is balanced.
    ~TOleScope() { if (SUCCEEDED(fResult)) OleUninitialize(); }
    TOleScope(const TOleScope&) = delete;
    TOleScope& operator=(const TOleScope&) = delete;
    HRESULT Result() const noexcept { return fResult; }

private:
    HRESULT fResult;
};

// Runs the body of a COM method that the platform calls back: an exception
// goes to the application's handler, as at a window procedure, and the
// caller gets E_UNEXPECTED instead of an exception crossing into its frames.
template <class F>
HRESULT Com_Guard(F&& body) noexcept
{
    try {
        return body();
    } catch (...) {
        Control_HandleException();
        return E_UNEXPECTED;
    }
}
