// Shared by the tests that drive the shell's file operations: Wine detection,
// a file count, and an answerer for the dialogs the shell opens on its own.
#pragma once

#include "TestSupport.h"

#include <atomic>
#include <mutex>
#include <thread>

inline bool UnderWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

// Answers the shell's dialogs from another thread: the shell asks its
// questions from inside SHFileOperationW on the test's own thread. Finds a
// visible dialog of this process that has the button, presses it, and gives
// up after the timeout; a dialog still open then is cancelled, so nothing hangs.
class TDialogAnswerer {
public:
    TDialogAnswerer(int button, DWORD timeoutMs = 15000) : fButton(button)
    {
        fStop = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        fThread = std::thread([this, timeoutMs] { run(timeoutMs); });
    }
    ~TDialogAnswerer()
    {
        SetEvent(fStop);
        fThread.join();
        CloseHandle(fStop);
    }
    TDialogAnswerer(const TDialogAnswerer&) = delete;
    TDialogAnswerer& operator=(const TDialogAnswerer&) = delete;
    int Answered() const { return fAnswered; }
    std::string Texts() const
    {
        std::lock_guard<std::mutex> lock(fTextsLock);
        return N(fTexts);
    }

private:
    int fButton;
    HANDLE fStop;
    std::thread fThread;
    std::atomic<int> fAnswered{0};
    mutable std::mutex fTextsLock;
    String fTexts;

    struct Search {
        int button;
        HWND found = nullptr;
    };
    static BOOL CALLBACK enumProc(HWND w, LPARAM lp)
    {
        Search* s = reinterpret_cast<Search*>(lp);
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        wchar_t cls[32] = {};
        GetClassNameW(w, cls, 32);
        if (pid == GetCurrentProcessId() && IsWindowVisible(w) && wcscmp(cls, L"#32770") == 0 &&
            (s->button < 0 || GetDlgItem(w, s->button))) {
            s->found = w;
            return FALSE;
        }
        return TRUE;
    }
    static BOOL CALLBACK textProc(HWND w, LPARAM lp)
    {
        wchar_t buf[512] = {};
        GetWindowTextW(w, buf, 512);
        if (buf[0]) *reinterpret_cast<String*>(lp) += String(buf) + L" | ";
        return TRUE;
    }
    void run(DWORD timeoutMs)
    {
        ULONGLONG deadline = GetTickCount64() + timeoutMs;
        HWND last = nullptr;
        while (WaitForSingleObject(fStop, 10) == WAIT_TIMEOUT) {
            Search s{fButton};
            EnumWindows(enumProc, reinterpret_cast<LPARAM>(&s));
            if (s.found && s.found != last) {
                wchar_t cap[256] = {};
                GetWindowTextW(s.found, cap, 256);
                String texts = String(cap) + L": ";
                EnumChildWindows(s.found, textProc, reinterpret_cast<LPARAM>(&texts));
                {
                    std::lock_guard<std::mutex> lock(fTextsLock);
                    fTexts += texts;
                }
                last = s.found;
                // Counted before the press: once pressed, the shell's call may
                // return and the test read the count before this thread runs on.
                ++fAnswered;
                PostMessageW(s.found, WM_COMMAND, MAKEWPARAM(fButton, BN_CLICKED),
                             (LPARAM)GetDlgItem(s.found, fButton));
            }
            if (GetTickCount64() > deadline) {
                Search any{-1};
                EnumWindows(enumProc, reinterpret_cast<LPARAM>(&any));
                if (any.found) PostMessageW(any.found, WM_COMMAND, IDCANCEL, 0);
            }
        }
    }
};

// The files (not folders) directly in Dir.
inline int FileCount(const String& dir)
{
    int n = 0;
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((dir + L"\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return 0;
    do
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++n;
    while (FindNextFileW(h, &fd));
    FindClose(h);
    return n;
}
