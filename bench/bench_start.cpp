// The program's start against its floors, side by side in one run, the
// programs started in turns: from process start until the main window is
// shown, painted and answers messages (both panes listed: the drive list, and
// a 2,000-icon folder in icon view) against start_floor.exe, the least a
// window written straight on Win32 does for the same picture (its panes placed
// at their final size before they are filled, the icon view arranged with
// drawing off);
// and command-line mode 0 iconizing one folder, from process start to exit,
// against mode0_floor.exe, a windowless program doing the same file work with
// the same guarantees and notices. The icons folder is made beforehand by
// bench/start_setup.sh.
//
//   wine bench_start.exe ICONS_FOLDER
#include "Handles.h"
#include "SysUtils.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

String here()
{
    wchar_t me[MAX_PATH];
    GetModuleFileNameW(nullptr, me, MAX_PATH);
    return ExtractFilePath(me);
}

struct TRun {
    THandle Process;
    Clock::time_point Start;
};

TRun launch(const String& exe, const String& args)
{
    String cmd = L"\"" + exe + L"\" " + args;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    TRun run{THandle(nullptr), Clock::now()};
    if (!CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        std::printf("cannot start %ls\n", exe.c_str());
        std::exit(1);
    }
    CloseHandle(pi.hThread);
    run.Process = THandle(pi.hProcess);
    return run;
}

double msSince(Clock::time_point t) { return std::chrono::duration<double, std::milli>(Clock::now() - t).count(); }

struct TFind {
    DWORD Pid;
    const wchar_t* Caption;
    HWND Found;
};

BOOL CALLBACK findShown(HWND w, LPARAM p)
{
    auto* f = (TFind*)p;
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    wchar_t text[64];
    GetWindowTextW(w, text, 64);
    if (pid == f->Pid && IsWindowVisible(w) && String(text) == f->Caption) f->Found = w;
    return !f->Found;
}

BOOL CALLBACK findUnpainted(HWND w, LPARAM p)
{
    if (IsWindowVisible(w) && GetUpdateRect(w, nullptr, FALSE)) *(bool*)p = true;
    return !*(bool*)p;
}

// Whether the window or a child of it still waits to be painted.
bool unpainted(HWND w)
{
    bool any = IsWindowVisible(w) && GetUpdateRect(w, nullptr, FALSE);
    if (!any) EnumChildWindows(w, findUnpainted, (LPARAM)&any);
    return any;
}

// Milliseconds from process start until its window Caption is visible,
// painted (its rows drawn) and has answered a message; the window is then
// closed. A message sent is answered before a paint that waits, so the
// answer alone may come before the window is drawn.
double untilShown(const String& exe, const String& args, const wchar_t* caption)
{
    TRun run = launch(exe, args);
    TFind f{GetProcessId(run.Process.Get()), caption, nullptr};
    while (!f.Found) {
        EnumWindows(findShown, (LPARAM)&f);
        if (!f.Found) {
            if (WaitForSingleObject(run.Process.Get(), 1) == WAIT_OBJECT_0 || msSince(run.Start) > 60000) {
                std::printf("no window from %ls\n", exe.c_str());
                std::exit(1);
            }
        }
    }
    DWORD_PTR answer;
    do SendMessageTimeoutW(f.Found, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &answer);
    while (unpainted(f.Found) && msSince(run.Start) < 60000);
    double ms = msSince(run.Start);
    PostMessageW(f.Found, WM_CLOSE, 0, 0);
    WaitForSingleObject(run.Process.Get(), 60000);
    return ms;
}

// The shell's notices that mode 0 and its floor send keep the desktop busy
// for a while after they end (it reloads its icons), and on the benchmark's
// one processor that delays whatever process starts next by tens of
// milliseconds: every run waits for that to pass, so that no run, of either
// program, starts in another's aftermath.
void settle() { Sleep(400); }

double untilEnd(const String& exe, const String& args)
{
    TRun run = launch(exe, args);
    WaitForSingleObject(run.Process.Get(), 60000);
    double ms = msSince(run.Start);
    settle();
    DWORD code = 1;
    GetExitCodeProcess(run.Process.Get(), &code);
    if (code != 0) {
        std::printf("%ls %ls ended with %lu\n", exe.c_str(), args.c_str(), code);
        std::exit(1);
    }
    return ms;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void writeUtf16(const String& path, const String& text)
{
    TFileHandle f(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD n;
    WriteFile(f.Get(), "\xFF\xFE", 2, &n, nullptr);
    WriteFile(f.Get(), text.data(), (DWORD)(text.size() * 2), &n, nullptr);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        std::printf("usage: bench_start.exe ICONS_FOLDER\n");
        return 2;
    }
    String icons = ExcludeTrailingPathDelimiter(argv[1]);
    String bench = here(), build = ExtractFilePath(ExcludeTrailingPathDelimiter(bench));
    // The program in a folder of its own, with settings.ini that lists the icons folder.
    wchar_t tmp[MAX_PATH];
    GetTempPathW(MAX_PATH, tmp);
    String prog = String(tmp) + L"dolv_bench_start\\";
    CreateDirectoryW(prog.c_str(), nullptr);
    CopyFileW((build + L"dolv.exe").c_str(), (prog + L"dolv.exe").c_str(), FALSE);
    String settings = L"[Settings]\r\nIcoBaza=" + icons + L"\r\n[elmLVS]\r\nStyle=0\r\nPath=\r\n[icoLVS]\r\nStyle=1\r\nPath=" +
                      icons + L"\r\n";
    String target = prog + L"target", floorTarget = prog + L"target_floor";
    CreateDirectoryW(target.c_str(), nullptr);
    CreateDirectoryW(floorTarget.c_str(), nullptr);
    String icon = L"\" \"" + icons + L"\\icon0.ico\" 0 0";
    String mode0 = L"0 \"" + target + icon, floorMode0 = L"0 \"" + floorTarget + icon;
    String dolv = prog + L"dolv.exe", floor = bench + L"start_floor.exe", mode0Floor = bench + L"mode0_floor.exe";
    String floorArgs = L"\"" + icons + L"\"";

    const int kRounds = 11;
    std::vector<double> shownDolv, shownFloor, endDolv, endFloor;
    untilShown(floor, floorArgs, L"Floor");  // warm the file cache for both
    writeUtf16(prog + L"settings.ini", settings);
    untilShown(dolv, L"", L"Dolv 2021.11");
    untilEnd(dolv, mode0);
    untilEnd(mode0Floor, floorMode0);
    for (int round = 0; round < kRounds; ++round) {
        writeUtf16(prog + L"settings.ini", settings);
        // Each goes first every other round.
        if (round % 2) shownFloor.push_back(untilShown(floor, floorArgs, L"Floor"));
        shownDolv.push_back(untilShown(dolv, L"", L"Dolv 2021.11"));
        if (round % 2 == 0) shownFloor.push_back(untilShown(floor, floorArgs, L"Floor"));
        // Mode 0 many times a round: it is short, and the machine's moments vary.
        for (int i = 0; i < 3; ++i) {
            if ((round + i) % 2) endFloor.push_back(untilEnd(mode0Floor, floorMode0));
            endDolv.push_back(untilEnd(dolv, mode0));
            if ((round + i) % 2 == 0) endFloor.push_back(untilEnd(mode0Floor, floorMode0));
        }
    }
    // The best of the rounds sets the ratio: other work on the machine only
    // ever adds time, and a start is long enough for it to fall on one side.
    auto best = [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); };
    double sd = best(shownDolv), sf = best(shownFloor), ed = best(endDolv), ef = best(endFloor);
    std::printf("%-52s %10s %10s\n", "ms", "best", "median");
    std::printf("%-52s %10.1f %10.1f\n", "dolv.exe: main window shown, painted and idle", sd, median(shownDolv));
    std::printf("%-52s %10.1f %10.1f\n", "floor: same panes and content, maximized", sf, median(shownFloor));
    std::printf("%-52s %10.1f %10.1f\n", "dolv.exe mode 0: one folder, start to exit", ed, median(endDolv));
    std::printf("%-52s %10.1f %10.1f\n", "floor: windowless, same file work and notices", ef, median(endFloor));
    std::printf("ratio start_shown_vs_floor %.2f 0.9\n", sd / sf);
    std::printf("ratio start_mode0_vs_floor %.2f 1.3\n", ed / ef);
    return 0;
}
