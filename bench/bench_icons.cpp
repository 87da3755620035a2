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
        auto t0 = std::chrono::steady_clock::now();
        ImageList_LoadIcoFile(file, list);
        ours = list.Count();
        return msSince(t0);
    };
    auto loadBatch = [&] {
        auto t0 = std::chrono::steady_clock::now();
        raw = Bench_BatchLoad(file);
        return msSince(t0);
    };
    // Both read the file once untimed, so that neither pays for its first
    // reading alone; then in turns, each going first every other round, and
    // the best of each kept: other work on the machine only ever adds time.
    loadOurs();
    loadBatch();
    double oursMs = 1e300, rawMs = 1e300;
    for (int r = 0; r < rounds; ++r) {
        if (r % 2) rawMs = std::min(rawMs, loadBatch());
        oursMs = std::min(oursMs, loadOurs());
        if (r % 2 == 0) rawMs = std::min(rawMs, loadBatch());
    }

    std::printf("file: %ls\n", file.c_str());
    std::printf("ImageList_LoadIcoFile: %d icons, %.2f ms per load (best)\n", ours, oursMs);
    std::printf("batch ExtractIconExW:  %d icons, %.2f ms per load (best)\n", raw, rawMs);
    std::printf("ratio icons_load_vs_batch %.2f 1.5\n", rawMs > 0 ? oursMs / rawMs : 0.0);
    return ours == raw ? 0 : 1;
}
