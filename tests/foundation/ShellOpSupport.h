// Shared by the tests that drive the shell's file operations: Wine detection,
// a file count, an answerer for the dialogs the shell opens on its own, and a
// stand-in for the shell that records what it was asked.
#pragma once

#include "Handles.h"
#include "ShellDoor.h"
#include "TestSupport.h"

#include <atomic>
#include <cstdio>
#include <thread>

inline bool UnderWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

// Answers the shell's dialogs from another thread: the shell asks its
// questions from inside SHFileOperationW on the test's own thread. Finds a
// visible dialog of this process that has the button, presses it, and gives
// up after the timeout; a dialog still open then is cancelled, so nothing hangs.
class TDialogAnswerer {
public:
    TDialogAnswerer(int button, DWORD timeoutMs = 15000)
        : fButton(button), fStop(CreateEventW(nullptr, TRUE, FALSE, nullptr)), fThread([this, timeoutMs] { run(timeoutMs); })
    {
    }
    ~TDialogAnswerer()
    {
        SetEvent(fStop.Get());
        fThread.join();
    }
    int Answered() const { return fAnswered; }

private:
    int fButton;
    THandle fStop;
    std::atomic<int> fAnswered{0};
    std::thread fThread;  // last: it starts at once and uses the members above

    static BOOL CALLBACK dialogProc(HWND w, LPARAM lp)
    {
        auto* s = reinterpret_cast<std::pair<int, HWND>*>(lp);
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        wchar_t cls[32] = {};
        GetClassNameW(w, cls, 32);
        bool hit = pid == GetCurrentProcessId() && IsWindowVisible(w) && wcscmp(cls, L"#32770") == 0 &&
                   (s->first < 0 || GetDlgItem(w, s->first));
        if (hit) s->second = w;
        return !hit;
    }
    // A visible dialog of this process with Button (any dialog when Button < 0).
    static HWND findDialog(int button)
    {
        std::pair<int, HWND> search{button, nullptr};
        EnumWindows(dialogProc, reinterpret_cast<LPARAM>(&search));
        return search.second;
    }
    void run(DWORD timeoutMs)
    {
        ULONGLONG deadline = GetTickCount64() + timeoutMs;
        HWND last = nullptr;
        while (WaitForSingleObject(fStop.Get(), 10) == WAIT_TIMEOUT) {
            HWND found = findDialog(fButton);
            if (found && found != last) {
                last = found;
                // Counted before the press: once pressed, the shell's call may
                // return and the test read the count before this thread runs on.
                ++fAnswered;
                PostMessageW(found, WM_COMMAND, MAKEWPARAM(fButton, BN_CLICKED), (LPARAM)GetDlgItem(found, fButton));
            }
            if (GetTickCount64() > deadline)
                if (HWND any = findDialog(-1)) PostMessageW(any, WM_COMMAND, IDCANCEL, 0);
        }
    }
};

// The files (not folders) directly in Dir.
inline int FileCount(const String& dir)
{
    int n = 0;
    WIN32_FIND_DATAW fd;
    TFindHandle h(FindFirstFileW((dir + L"\\*").c_str(), &fd));
    if (!h) return 0;
    do
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++n;
    while (FindNextFileW(h.Get(), &fd));
    return n;
}

// Stands in for the shell's file operation, doing nothing: each request as
// "operation flags from>to", the lists' nulls shown as |, flags in hex.
class TFileOpRecorder {
public:
    explicit TFileOpRecorder(int result = 0, bool aborted = false)
        : fScope([this, result, aborted](SHFILEOPSTRUCTW& op) {
              auto list = [](const wchar_t* p) {
                  String s;
                  for (; p && (*p || p[1]); ++p) s += *p ? *p : L'|';
                  return N(s) + "|";
              };
              char flags[16];
              snprintf(flags, sizeof flags, "%x", op.fFlags);
              Calls.push_back(std::to_string(op.wFunc) + " " + flags + " " + list(op.pFrom) + ">" + list(op.pTo));
              op.fAnyOperationsAborted = aborted;
              return result;
          })
    {
    }
    std::vector<std::string> Calls;

private:
    TFileOpDoorScope fScope;
};
