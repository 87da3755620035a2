// Iconizing and clearing 1,000 folders through the main window's commands
// (copy option on) against their floor in the same run: the least work with
// the same guarantees, written straight on Win32 (bench/LeanIconize.h): the
// copy and one Desktop.ini each made under a temporary name, flushed and put
// in place, the marks, and the command's one series of notices; clearing:
// Desktop.ini read and deleted, the copy deleted when it is ours, the mark
// taken off.
// Prints both times and their ratios (ours / floor).
//
//   wine build/bench/bench_road.exe ELMDIR FLOORDIR ICODIR   (bench/road_setup.sh makes them)
#include "BenchSupport.h"
#include "LeanIconize.h"
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

void floorIconize(const std::vector<String>& folders, const String& ico)
{
    for (const String& f : folders) Lean_IconizeFolder(f, ico, L"0", true);
    Lean_Notices();
}

void floorClear(const std::vector<String>& folders)
{
    for (const String& f : folders) Lean_ClearFolder(f);
}

// What a folder holds of an icon: its Desktop.ini and the copy. (Its
// read-only mark cannot be told: Wine keeps none on a folder.)
int iconParts(const String& folder)
{
    auto there = [&](const wchar_t* name) { return GetFileAttributesW((folder + name).c_str()) != INVALID_FILE_ATTRIBUTES; };
    return there(L"\\Desktop.ini") + there(L"\\Desktop.ico");
}

// Folders under Dir with both, and with either.
std::pair<int, int> iconizedFolders(const String& dir)
{
    std::pair<int, int> n;
    for (const String& f : subfolders(dir)) {
        int m = iconParts(f);
        n.first += m == 2;
        n.second += m > 0;
    }
    return n;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 4) {
        std::printf("usage: bench_road ELMDIR FLOORDIR ICODIR\n");
        return 2;
    }
    TOleScope ole;
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    String elmDir = argv[1], floorDir = argv[2], icoDir = argv[3];
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
    std::vector<String> floorFolders = subfolders(floorDir);
    String icoFile = icoDir + L"\\x.ico";

    // Ten rounds of 100 folders, ours and the floor in turn, each going first
    // every other round, so that a change in the machine's load (or the disk
    // still writing what the other side left) meets both alike.
    const int kRounds = 10;
    int perRound = elm.Items.Count() / kRounds;
    double oursIconizeMs = 0, floorIconizeMs = 0, oursClearMs = 0, floorClearMs = 0;
    auto round = [&](int r, void (*command)(), double& oursMs, double& floorMs, auto floorWork) {
        elm.ClearSelection();
        for (int i = r * perRound; i < (r + 1) * perRound; ++i) elm.Items[i].Selected = true;
        std::vector<String> part(floorFolders.begin() + r * perRound, floorFolders.begin() + (r + 1) * perRound);
        auto timeFloor = [&] {
            auto t0 = std::chrono::steady_clock::now();
            floorWork(part);
            floorMs += msSince(t0);
        };
        if (r % 2) timeFloor();
        auto t0 = std::chrono::steady_clock::now();
        command();
        oursMs += msSince(t0);
        if (r % 2 == 0) timeFloor();
    };
    for (int r = 0; r < kRounds; ++r)
        round(r, [] { Form1_Iconize(*Form1); }, oursIconizeMs, floorIconizeMs, [&](const std::vector<String>& p) { floorIconize(p, icoFile); });
    int done = iconizedFolders(elmDir).first, floorDone = iconizedFolders(floorDir).first;
    for (int r = 0; r < kRounds; ++r) round(r, [] { Form1_Clear(*Form1); }, oursClearMs, floorClearMs, floorClear);
    int left = iconizedFolders(elmDir).second, floorLeft = iconizedFolders(floorDir).second;

    int rows = elm.Items.Count();
    Program_End();
    DeleteFileW(settings.c_str());
    std::printf("folders: %d (floor %d), iconized %d (floor %d), left after clear %d (floor %d), messages %d\n", rows,
                (int)floorFolders.size(), done, floorDone, left, floorLeft, boxes);
    std::printf("iconize: ours %.0f ms, floor %.0f ms\n", oursIconizeMs, floorIconizeMs);
    std::printf("clear:   ours %.0f ms, floor %.0f ms\n", oursClearMs, floorClearMs);
    if (done != rows || floorDone != rows || rows != (int)floorFolders.size() || left || floorLeft || boxes) {
        std::printf("the commands did not do the work\n");
        return 1;
    }
    std::printf("ratio road_iconize_1000_vs_floor %.2f 1.3\n", oursIconizeMs / floorIconizeMs);
    std::printf("ratio road_clear_1000_vs_floor %.2f 1.3\n", oursClearMs / floorClearMs);
    return 0;
}
