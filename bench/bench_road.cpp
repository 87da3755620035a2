// Iconizing and clearing 1,000 folders through the main window's commands
// (copy option on) against the bare work with plain Win32 calls in the same
// run: copy the icon, write the two Desktop.ini keys, set the attributes;
// clearing: remove the keys, the file and the copy, reset the attributes.
// Prints both times and their ratios (ours / bare).
//
//   wine build/bench/bench_road.exe ELMDIR BAREDIR ICODIR   (bench/road_setup.sh makes them)
#include "BenchSupport.h"
#include "ComObj.h"
#include "Main.h"
#include "Program.h"
#include "xaModul.h"

#include <commctrl.h>

#include <chrono>
#include <cstdio>

namespace {

std::vector<String> subfolders(const String& dir)
{
    std::vector<String> out;
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((dir + L"\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return out;
    do {
        if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && fd.cFileName[0] != L'.')
            out.push_back(dir + L"\\" + fd.cFileName);
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    return out;
}

void bareIconize(const std::vector<String>& folders, const String& ico)
{
    for (const String& f : folders) {
        String copy = f + L"\\Desktop.ico", ini = f + L"\\Desktop.ini";
        CopyFileW(ico.c_str(), copy.c_str(), FALSE);
        SetFileAttributesW(copy.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
        WritePrivateProfileStringW(L".ShellClassInfo", L"IconFile", L"Desktop.ico", ini.c_str());
        WritePrivateProfileStringW(L".ShellClassInfo", L"IconIndex", L"0", ini.c_str());
        SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
        SetFileAttributesW(f.c_str(), FILE_ATTRIBUTE_NORMAL);
        SetFileAttributesW(f.c_str(), FILE_ATTRIBUTE_READONLY);
    }
}

void bareClear(const std::vector<String>& folders)
{
    for (const String& f : folders) {
        String copy = f + L"\\Desktop.ico", ini = f + L"\\Desktop.ini";
        SetFileAttributesW(f.c_str(), FILE_ATTRIBUTE_NORMAL);
        SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_ARCHIVE);
        WritePrivateProfileStringW(L".ShellClassInfo", nullptr, nullptr, ini.c_str());
        DeleteFileW(ini.c_str());
        SetFileAttributesW(copy.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(copy.c_str());
    }
}

bool iconized(const String& folder) { return GetFileAttributesW((folder + L"\\Desktop.ini").c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 4) {
        std::printf("usage: bench_road ELMDIR BAREDIR ICODIR\n");
        return 2;
    }
    TOleScope ole;
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    String elmDir = argv[1], bareDir = argv[2], icoDir = argv[3];
    int boxes = 0;
    TModalResponderScope noBoxes([&](const TModalRequest& r) {
        std::printf("message: %ls\n", r.Text.c_str());
        ++boxes;
        return TModalAnswer{};
    });
    // The program's own start, without settings.ini (none is left behind).
    String settings = Settings_FileName();
    DeleteFileW(settings.c_str());
    Program_Start({L"dolv.exe"});
    TxaShellListView& elm = *Form1->FrElm->LVS;
    TxaShellListView& ico = *Form1->FrIco->LVS;
    elm.SetPath(elmDir);
    ico.SetPath(icoDir);
    ico.FindTeloID(L"x.ico")->Selected = true;
    Form1->Act_Iconize_CopyIco->Checked = true;
    std::vector<String> bare = subfolders(bareDir);
    String icoFile = icoDir + L"\\x.ico";

    // Ten rounds of 100 folders, ours and the bare work in turn, so that a
    // change in the machine's load meets both alike.
    const int kRounds = 10;
    int perRound = elm.Items.Count() / kRounds;
    double oursIconizeMs = 0, bareIconizeMs = 0, oursClearMs = 0, bareClearMs = 0;
    auto round = [&](int r, void (*command)(), double& oursMs, double& bareMs, auto bareWork) {
        elm.ClearSelection();
        for (int i = r * perRound; i < (r + 1) * perRound; ++i) elm.Items[i].Selected = true;
        std::vector<String> part(bare.begin() + r * perRound, bare.begin() + (r + 1) * perRound);
        auto t0 = std::chrono::steady_clock::now();
        command();
        oursMs += msSince(t0);
        t0 = std::chrono::steady_clock::now();
        bareWork(part);
        bareMs += msSince(t0);
    };
    for (int r = 0; r < kRounds; ++r)
        round(r, [] { Form1_Iconize(*Form1); }, oursIconizeMs, bareIconizeMs, [&](const std::vector<String>& p) { bareIconize(p, icoFile); });
    int done = 0;
    for (const String& f : subfolders(elmDir)) done += iconized(f);
    for (int r = 0; r < kRounds; ++r) round(r, [] { Form1_Clear(*Form1); }, oursClearMs, bareClearMs, bareClear);
    int left = 0;
    for (const String& f : subfolders(elmDir)) left += iconized(f);

    int rows = elm.Items.Count();
    Program_End();
    DeleteFileW(settings.c_str());
    std::printf("folders: %d (bare %d), iconized %d, left after clear %d, messages %d\n", rows,
                (int)bare.size(), done, left, boxes);
    std::printf("iconize: ours %.0f ms, bare %.0f ms\n", oursIconizeMs, bareIconizeMs);
    std::printf("clear:   ours %.0f ms, bare %.0f ms\n", oursClearMs, bareClearMs);
    if (done != (int)bare.size() || rows != (int)bare.size() || left != 0 || boxes) {
        std::printf("the commands did not do the work\n");
        return 1;
    }
    std::printf("ratio road_iconize_1000 %.2f 2\n", oursIconizeMs / bareIconizeMs);
    std::printf("ratio road_clear_1000 %.2f 2\n", oursClearMs / bareClearMs);
    return 0;
}
