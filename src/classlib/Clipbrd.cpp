#include "Clipbrd.h"

#include "Doors.h"
#include "Handles.h"

EOSError::EOSError(DWORD code)
    : Exception(Format(L"System Error.  Code: %lu.\r\n%s", code, SysErrorMessage(code).c_str())), ErrorCode(code)
{
}

void RaiseLastOSError() { throw EOSError(GetLastError()); }

namespace {
TClipboardOpenDoor& openDoor()
{
    static TClipboardOpenDoor d;
    return d;
}
}  // namespace

TClipboardOpenDoor Clipboard_SetOpenDoor(TClipboardOpenDoor door) { return Door_Replace(openDoor(), std::move(door)); }

TClipboard::~TClipboard()
{
    if (fOpenCount > 0) CloseClipboard();
    if (fWindow) DestroyWindow(fWindow);
}

HWND TClipboard::window()
{
    // EmptyClipboard with no window leaves the clipboard without owner, and
    // then SetClipboardData fails: a message-only window of our own owns it.
    if (!fWindow)
        fWindow = CreateWindowExW(0, L"STATIC", L"DolvClipboard", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    return fWindow;
}

void TClipboard::Open()
{
    if (fOpenCount == 0) {
        // Another program (a clipboard viewer, mostly) may hold it for a moment.
        BOOL ok = FALSE;
        DWORD error = 0;
        for (int attempt = 0; attempt < 5 && !ok; ++attempt) {
            if (attempt) Sleep(20);
            ok = openDoor() ? openDoor()(window()) : OpenClipboard(window());
            if (!ok) error = GetLastError();
        }
        if (!ok) throw EClipboardException(Format(L"Cannot open clipboard: %s", SysErrorMessage(error).c_str()));
    }
    ++fOpenCount;
}

void TClipboard::Close()
{
    if (fOpenCount == 0) return;
    if (--fOpenCount == 0) CloseClipboard();
}

void TClipboard::Clear()
{
    Open();
    EmptyClipboard();
    Close();
}

HANDLE TClipboard::GetAsHandle(UINT format)
{
    Open();
    HANDLE h = GetClipboardData(format);
    Close();
    return h;
}

void TClipboard::SetAsHandle(UINT format, HANDLE data)
{
    Open();
    HANDLE put = SetClipboardData(format, data);
    DWORD error = GetLastError();
    Close();
    if (!put) {
        GlobalFree(data);  // not taken: still ours
        throw EOSError(error);
    }
}

String TClipboard::AsText()
{
    TClipboardOpen open;
    HANDLE h = GetClipboardData(CF_UNICODETEXT);
    if (!h) return String();
    TGlobalLock lock(h);
    const wchar_t* p = static_cast<const wchar_t*>(lock.Get());
    if (!p) return String();
    // Bounded by the block: a text without its terminating null must not be over-read.
    size_t max = lock.Size() / sizeof(wchar_t);
    size_t n = 0;
    while (n < max && p[n]) ++n;
    return String(p, n);
}

void TClipboard::SetAsText(const String& text)
{
    TClipboardOpen open;
    EmptyClipboard();
    size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    THGlobal h(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!h) RaiseLastOSError();
    {
        TGlobalLock lock(h.Get());
        if (!lock.Get()) RaiseLastOSError();
        memcpy(lock.Get(), text.c_str(), bytes);
    }
    SetAsHandle(CF_UNICODETEXT, h.Release());
}

TClipboard& Clipboard()
{
    static TClipboard c;
    return c;
}
