// What the benchmarks share: the clock, and the reference that icon loading
// is measured against.
#pragma once
#include "SysUtils.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <chrono>
#include <vector>

inline double msSince(std::chrono::steady_clock::time_point t0)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

// Every icon of File extracted in one call into a bare 32-pixel image list
// with a mask, as the program's own lists are made; returns the count.
inline int Bench_BatchLoad(const String& file)
{
    HIMAGELIST list = ImageList_Create(32, 32, ILC_COLOR32 | ILC_MASK, 4, 4);
    UINT count = ExtractIconExW(file.c_str(), -1, nullptr, nullptr, 0);
    std::vector<HICON> icons(count);
    UINT got = count ? ExtractIconExW(file.c_str(), 0, icons.data(), nullptr, count) : 0;
    for (UINT i = 0; i < got; ++i) {
        if (icons[i]) ImageList_AddIcon(list, icons[i]);
        DestroyIcon(icons[i]);
    }
    int n = ImageList_GetImageCount(list);
    ImageList_Destroy(list);
    return n;
}
