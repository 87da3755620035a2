// What the benchmarks share: the clock, and the reference that icon loading
// is measured against.
#pragma once
#include "SysUtils.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <chrono>
#include <vector>

inline double msSince(std::chrono::steady_clock::time_point t0)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

// The best times of two timed works run in turns: both once untimed first,
// so that neither pays for a first reading alone, then each going first
// every other round; the best is kept, since other work on the machine only
// ever adds time. Each work is timed here, in milliseconds.
template <class Ours, class Floor>
void Bench_BestInTurns(Ours ours, Floor floor, int rounds, double& oursMs, double& floorMs)
{
    auto timed = [](auto& work) {
        auto t0 = std::chrono::steady_clock::now();
        work();
        return msSince(t0);
    };
    ours();
    floor();
    oursMs = floorMs = 1e300;
    for (int r = 0; r < rounds; ++r) {
        if (r % 2) floorMs = std::min(floorMs, timed(floor));
        oursMs = std::min(oursMs, timed(ours));
        if (r % 2 == 0) floorMs = std::min(floorMs, timed(floor));
    }
}

// Every icon of File extracted in one call into a bare 32-pixel image list
// with a mask, as the program's own lists are made; returns the count. The
// icons' bitmaps go into the list as one strip: a list given one icon at a
// time makes its own copy of each first (under Wine several milliseconds an
// icon), and the strip gives the same pictures. The bitmaps are taken as the
// icons hold them: drawing an icon with an alpha channel would blend it.
inline int Bench_BatchLoad(const String& file)
{
    UINT count = ExtractIconExW(file.c_str(), -1, nullptr, nullptr, 0);
    std::vector<HICON> icons(count);
    UINT got = count ? ExtractIconExW(file.c_str(), 0, icons.data(), nullptr, count) : 0;
    icons.resize(got);
    std::erase(icons, nullptr);
    const int side = 32, n = (int)icons.size();
    HIMAGELIST list = ImageList_Create(side, side, ILC_COLOR32 | ILC_MASK, n, 4);
    if (n) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), side * n, -side, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        HBITMAP colours = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HBITMAP masks = CreateBitmap(side * n, side, 1, 1, nullptr);
        HDC to = CreateCompatibleDC(nullptr), maskTo = CreateCompatibleDC(nullptr), from = CreateCompatibleDC(nullptr);
        HGDIOBJ oldTo = SelectObject(to, colours), oldMaskTo = SelectObject(maskTo, masks);
        for (int i = 0; i < n; ++i) {
            ICONINFO ii{};
            BITMAP bm{};
            if (GetIconInfo(icons[i], &ii) && ii.hbmColor && GetObjectW(ii.hbmColor, sizeof bm, &bm)) {
                HGDIOBJ oldFrom = SelectObject(from, ii.hbmColor);
                StretchBlt(to, side * i, 0, side, side, from, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
                SelectObject(from, ii.hbmMask);
                StretchBlt(maskTo, side * i, 0, side, side, from, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
                SelectObject(from, oldFrom);
            } else {  // a two-colour icon: its picture and mask share one bitmap
                DrawIconEx(to, side * i, 0, icons[i], side, side, 0, nullptr, DI_IMAGE);
                DrawIconEx(maskTo, side * i, 0, icons[i], side, side, 0, nullptr, DI_MASK);
            }
            if (ii.hbmColor) DeleteObject(ii.hbmColor);
            if (ii.hbmMask) DeleteObject(ii.hbmMask);
            DestroyIcon(icons[i]);
        }
        SelectObject(to, oldTo);
        SelectObject(maskTo, oldMaskTo);
        DeleteDC(to);
        DeleteDC(maskTo);
        DeleteDC(from);
        ImageList_Add(list, colours, masks);
        DeleteObject(colours);
        DeleteObject(masks);
    }
    int added = ImageList_GetImageCount(list);
    ImageList_Destroy(list);
    return added;
}

// Makes the entries that bench/listview_setup.sh left for the platform: the
// shortcuts a1.lnk to a4.lnk, each to the program beside it, and the folder
// "marked" given an icon of its own as the program marks one.
inline void Bench_MakeOwnIconEntries(const String& folder)
{
    for (int i = 1; i <= 4; ++i) {
        String n = IntToStr(i), link = folder + L"\\a" + n + L".lnk";
        WIN32_FILE_ATTRIBUTE_DATA a{};
        if (!GetFileAttributesExW(link.c_str(), GetFileExInfoStandard, &a) || a.nFileSizeLow > 0) continue;
        IShellLinkW* sl = nullptr;
        if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, (void**)&sl))) continue;
        IPersistFile* pf = nullptr;
        sl->SetPath((folder + L"\\a" + n + L".exe").c_str());
        if (SUCCEEDED(sl->QueryInterface(IID_IPersistFile, (void**)&pf))) {
            pf->Save(link.c_str(), TRUE);
            pf->Release();
        }
        sl->Release();
    }
    String marked = folder + L"\\marked", ini = marked + L"\\Desktop.ini";
    if (GetFileAttributesW(ini.c_str()) == INVALID_FILE_ATTRIBUTES) {
        WritePrivateProfileStringW(L".ShellClassInfo", L"IconResource", (folder + L"\\a1.ico,0").c_str(), ini.c_str());
        SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    }
    SetFileAttributesW(marked.c_str(), FILE_ATTRIBUTE_SYSTEM);
}
