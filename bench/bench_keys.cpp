// The keyboard in a big folder: Down and Page Down with a focused row in the
// file list's report view, in a 100,000-entry folder against a 1,000-entry
// one. A key costs the same whatever the folder's size, as a user expects.
// The folders are made beforehand by bench/keys_setup.sh.
//
//   wine bench_keys.exe FOLDER_1K FOLDER_100K
#include "BenchSupport.h"
#include "xaShellListView.h"

#include "Forms.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// One key as the user presses it: through the message loop, until the view
// is drawn again and nothing is left in the queue.
double keyMs(HWND h, WORD key)
{
    auto t0 = std::chrono::steady_clock::now();
    PostMessageW(h, WM_KEYDOWN, key, 1);
    PostMessageW(h, WM_KEYUP, key, 0xC0000001);
    Application.ProcessMessages();
    UpdateWindow(h);
    return msSince(t0);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3) {
        std::printf("usage: bench_keys FOLDER_1K FOLDER_100K\n");
        return 2;
    }
    CoInitialize(nullptr);
    // One view per folder, each listed once; the keys go to them in turn, so
    // that the machine's slow moments fall on both alike.
    TForm form(nullptr);
    form.SetBounds(0, 0, 1200, 600);
    TxaShellListView* views[2];
    HWND handles[2];
    for (int f = 0; f < 2; ++f) {
        views[f] = new TxaShellListView(&form);
        views[f]->SetParent(&form);
        views[f]->SetBounds(f * 600, 0, 590, 560);
        views[f]->SetViewStyle(vsReport);
    }
    form.Show();
    Application.ProcessMessages();
    for (int f = 0; f < 2; ++f) {
        views[f]->SetPath(argv[1 + f]);
        handles[f] = views[f]->Handle();
        views[f]->Items[0].Selected = true;
        views[f]->Items[0].Focused = true;
        UpdateWindow(handles[f]);
    }
    Application.ProcessMessages();
    const int kRounds = 15;
    std::vector<double> ms[2][2];  // per folder and key
    const WORD keys[2] = {VK_DOWN, VK_NEXT};
    for (int r = 0; r < kRounds; ++r)
        for (int k = 0; k < 2; ++k)
            for (int f = 0; f < 2; ++f) {
                SetFocus(handles[f]);
                Application.ProcessMessages();
                ms[f][k].push_back(keyMs(handles[f], keys[k]));
            }
    int rows[2] = {views[0]->Items.Count(), views[1]->Items.Count()};
    TListView* lv = views[1];
    int focused = lv->ItemFocused() ? lv->ItemFocused()->Index() : -1;
    std::printf("%-28s %10s %10s\n", "median ms per key", "Down", "Page Down");
    for (int f = 0; f < 2; ++f)
        std::printf("%-28s %10.2f %10.2f\n", f ? "100,000 entries" : "1,000 entries", median(ms[f][0]),
                    median(ms[f][1]));
    std::printf("rows %d and %d, focused row after the keys %d\n", rows[0], rows[1], focused);
    if (focused <= 0) {
        std::printf("the keys did not move the focus\n");
        return 1;
    }
    std::printf("ratio keys_down_100k_vs_1k %.2f 1.5\n", median(ms[1][0]) / median(ms[0][0]));
    std::printf("ratio keys_pagedown_100k_vs_1k %.2f 1.5\n", median(ms[1][1]) / median(ms[0][1]));
    CoUninitialize();
    return 0;
}
