#include "ProgramRun.h"

#include "Handles.h"

#include <algorithm>

String DolvExe()
{
    wchar_t me[MAX_PATH];
    GetModuleFileNameW(nullptr, me, MAX_PATH);
    String dir = ExtractFilePath(me);  // ...\build\tests\ -> ...\build\dolv.exe
    return ExtractFilePath(ExcludeTrailingPathDelimiter(dir)) + L"dolv.exe";
}

TProgFolder::TProgFolder()
{
    CopyFileW(DolvExe().c_str(), (Dir / L"dolv.exe").c_str(), FALSE);
    CopyFileW((ExtractFilePath(DolvExe()) + L"icons\\folder.ico").c_str(), (Dir / L"a.ico").c_str(), FALSE);
    CreateDirectoryW((Dir / L"test").c_str(), nullptr);
}

namespace {
struct TSeen {
    DWORD Pid = 0;
    HWND Found = nullptr;
    std::vector<HWND> Closed;  // asked to close already
};

BOOL CALLBACK findShown(HWND w, LPARAM p)
{
    auto* s = (TSeen*)p;
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid == s->Pid && IsWindowVisible(w) && std::find(s->Closed.begin(), s->Closed.end(), w) == s->Closed.end())
        s->Found = w;
    return !s->Found;
}

}  // namespace

TRunResult RunDolv(const TProgFolder& prog, const String& args, const std::function<void(HWND)>& onWindow)
{
    String exe = prog.Dir / L"dolv.exe", cmd = L"\"" + exe + L"\" " + args;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    TRunResult r;
    if (!CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        ADD_FAILURE() << "cannot start " << N(exe);
        return r;
    }
    THandle process(pi.hProcess), thread(pi.hThread);
    TSeen seen;
    seen.Pid = pi.dwProcessId;
    DWORD start = GetTickCount();
    while (WaitForSingleObject(pi.hProcess, 20) == WAIT_TIMEOUT) {
        if (GetTickCount() - start > 30000) {
            TerminateProcess(pi.hProcess, 99);
            ADD_FAILURE() << "dolv.exe " << N(args) << " did not end within 30 s";
            break;
        }
        seen.Found = nullptr;
        EnumWindows(findShown, (LPARAM)&seen);
        if (!seen.Found) continue;
        DWORD_PTR idle;
        SendMessageTimeoutW(seen.Found, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &idle);
        wchar_t text[256] = L"";
        GetWindowTextW(seen.Found, text, 256);
        r.Windows.push_back(text);
        if (onWindow) onWindow(seen.Found);
        PostMessageW(seen.Found, WM_CLOSE, 0, 0);
        seen.Closed.push_back(seen.Found);
    }
    GetExitCodeProcess(pi.hProcess, &r.Code);
    return r;
}
