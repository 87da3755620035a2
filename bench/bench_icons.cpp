// Loading every icon of a file into an image list, as the special-iconize
// view does when a file is chosen, against the platform's batch extraction of
// the same icons into a bare image list. Prints both times and their ratio
// (ours / batch).
//
//   wine build/bench/bench_icons.exe [FILE] [ROUNDS]
#include "BenchSupport.h"
#include "xaIconize.h"

#include <shellapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

int wmain(int argc, wchar_t** argv)
{
    wchar_t sys[MAX_PATH];
    GetSystemDirectoryW(sys, MAX_PATH);
    String file = argc > 1 ? String(argv[1]) : String(sys) + L"\\shell32.dll";
    int rounds = argc > 2 ? _wtoi(argv[2]) : 10;
    if (rounds < 1) rounds = 1;

    TImageList list(nullptr, 32, 32);
    int ours = 0, raw = 0;
    auto loadOurs = [&] {
        ImageList_LoadIcoFile(file, list);
        ours = list.Count();
    };
    auto loadBatch = [&] { raw = Bench_BatchLoad(file); };
    double oursMs, rawMs;
    Bench_BestInTurns(loadOurs, loadBatch, rounds, oursMs, rawMs);

    std::printf("file: %ls\n", file.c_str());
    std::printf("ImageList_LoadIcoFile: %d icons, %.2f ms per load (best)\n", ours, oursMs);
    std::printf("batch ExtractIconExW:  %d icons, %.2f ms per load (best)\n", raw, rawMs);
    std::printf("ratio icons_load_vs_batch %.2f 1.5\n", rawMs > 0 ? oursMs / rawMs : 0.0);
    return ours == raw ? 0 : 1;
}
