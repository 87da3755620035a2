// What the benchmarks share: the clock, and the reference that icon loading
// is measured against.
#pragma once
#include "SysUtils.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

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
