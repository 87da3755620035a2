// The file list view against the limits the platform sets, side by side in
// one run: listing a folder until its first screenful is drawn with icons,
// sorting by size against sorting by name, re-listing with a thousand rows
// selected against none, and the growth from 10,000 to 40,000 entries.
// The folders are made beforehand by bench/listview_setup.sh.
//
//   wine bench_listview.exe FOLDER_10K [FOLDER_40K]
#include "xaIconize.h"
#include "xaShellListView.h"

#include "Forms.h"
#include "Handles.h"

#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

double msOf(const std::function<void()>& body)
{
    auto t0 = std::chrono::steady_clock::now();
    body();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

// The best of Rounds runs of Body, each after an untimed Setup: the run
// least disturbed by the rest of the machine.
double bestOf(int rounds, const std::function<void()>& body, const std::function<void()>& setup = [] {})
{
    double best = 1e300;
    for (int i = 0; i < rounds; ++i) {
        setup();
        best = std::min(best, msOf(body));
    }
    return best;
}

size_t workingSet()
{
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof pmc;
    GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc);
    return pmc.WorkingSetSize;
}

// The platform's floor for showing a folder: enumerate every entry and ask
// the shell for the icons of the rows on the first screen (the same rows the
// view shows there: a folder's icon costs the shell twice a file's).
int rawListing(const String& folder, const std::vector<String>& shown)
{
    WIN32_FIND_DATAW fd;
    TFindHandle find(FindFirstFileW((folder + L"\\*.*").c_str(), &fd));
    std::vector<String> names;
    if (find)
        do names.push_back(fd.cFileName);
        while (FindNextFileW(find.Get(), &fd));
    int sum = 0;
    for (const String& path : shown) sum += Ico_GetSysIndex(path);
    return sum + (int)names.size();
}

void ratio(const char* name, double value, double goal)
{
    std::printf("ratio %s %.2f %g\n", name, value, goal);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        std::printf("usage: bench_listview FOLDER_10K [FOLDER_40K]\n");
        return 2;
    }
    CoInitialize(nullptr);
    String small = argv[1], large = argc > 2 ? argv[2] : String();

    TForm form(nullptr);
    form.SetBounds(0, 0, 800, 600);
    auto* lv = new TxaShellListView(&form);
    lv->SetParent(&form);
    lv->SetBounds(0, 0, 780, 560);
    lv->SetViewStyle(vsReport);
    form.Show();
    Application.ProcessMessages();
    HWND h = lv->Handle();
    auto show = [&](const String& path) {
        lv->SetPath(L"");
        lv->SetPath(path);
        UpdateWindow(h);  // the first screenful, drawn with its icons
    };
    show(small);  // warms the shell's caches for both sides
    std::vector<String> shown;
    for (int i = 0; i < lv->Items.Count() && lv->Items[i].ImageResolved(); ++i) shown.push_back(lv->TeloName(i, small));
    int screenful = (int)shown.size();
    rawListing(small, shown);

    double listMs = bestOf(3, [&] { show(small); });
    int rows = lv->Items.Count();
    double rawMs = bestOf(3, [&] { rawListing(small, shown); });

    // The two sorts alternate, each from the other's order, so that a slow
    // moment of the machine falls on both alike; the best round of each counts.
    int nap = 1;
    double captionMs = 1e300, sizeMs = 1e300;
    for (int i = 0; i < 15; ++i) {
        captionMs = std::min(captionMs, msOf([&] { lv->Sort(0, nap = -nap); }));
        sizeMs = std::min(sizeMs, msOf([&] { lv->Sort(2, nap); }));
    }

    double reloadNone = bestOf(3, [&] { lv->Reload(); }, [&] { lv->DeselectAll(); });
    double reload1000 = bestOf(3, [&] { lv->Reload(); }, [&] {
        lv->DeselectAll();
        for (int i = 0; i < rows; i += std::max(1, rows / 1000)) lv->Items[i].Selected = true;
    });
    int reselected = lv->SelCount();

    std::printf("%-40s %10s\n", "measure", "ms");
    std::printf("%-40s %10.1f\n", "list folder, first screenful drawn", listMs);
    std::printf("%-40s %10.1f\n", "raw enumeration + icons of a screenful", rawMs);
    std::printf("%-40s %10.1f\n", "sort by caption", captionMs);
    std::printf("%-40s %10.1f\n", "sort by size", sizeMs);
    std::printf("%-40s %10.1f\n", "reload, nothing selected", reloadNone);
    std::printf("%-40s %10.1f\n", "reload, 1000 selected", reload1000);
    std::printf("rows %d, screenful %d, reselected %d\n", rows, screenful, reselected);

    double growth = 0, perRow = 0;
    if (!large.empty()) {
        lv->SetPath(L"");
        size_t before = workingSet();
        show(large);
        int largeRows = lv->Items.Count();
        perRow = largeRows ? double(workingSet() - before) / largeRows : 0;
        double largeMs = bestOf(3, [&] { show(large); });
        growth = (largeMs / largeRows) / (listMs / rows);
        std::printf("%-40s %10.1f\n", "list 40k folder, first screenful drawn", largeMs);
        std::printf("rows %d, per row %.1f ms small, %.4f ms large, memory %.0f bytes\n", largeRows, listMs / rows,
                    largeMs / largeRows, perRow);
    }
    ratio("list_10k_vs_limit", listMs / rawMs, 1.5);
    ratio("sort_size_vs_caption", sizeMs / captionMs, 1.2);
    ratio("reload_1000_selected_vs_none", reload1000 / reloadNone, 1.3);
    if (!large.empty()) {
        ratio("list_growth_40k_vs_10k", growth, 1.3);
        ratio("memory_per_row_kib", perRow / 1024, 1);
    }
    CoUninitialize();
    return 0;
}
