// The special-iconize frame listing every icon of a file with 300 icons (the
// user's Enter in the icon path box), against the platform's batch extraction
// of the same icons into a bare image list. The file is made here: a copy of
// a library without icons given 300 icon resources. Prints both times and
// their ratio (frame / batch).
//
//   wine build/bench/bench_special.exe [ROUNDS]
#include "BenchSupport.h"
#include "Forms.h"
#include "xaFrameSpec.h"

#include <shellapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {
constexpr int kIcons = 300;

// A 16 x 16 32-bit icon image as a module stores it: header, colours, mask.
std::string iconImage(int shade)
{
    BITMAPINFOHEADER h{sizeof h, 16, 32, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::string s((const char*)&h, sizeof h);
    for (int i = 0; i < 16 * 16; ++i) s += std::string{(char)shade, (char)(shade * 3), (char)(255 - shade), '\xFF'};
    return s + std::string(16 * 4, '\0');
}

// Copies a library without icons and gives it kIcons icon groups of one image each.
bool makeIconLibrary(const String& file)
{
    wchar_t sys[MAX_PATH];
    GetSystemDirectoryW(sys, MAX_PATH);
    if (!CopyFileW((String(sys) + L"\\version.dll").c_str(), file.c_str(), FALSE)) return false;
    HANDLE update = BeginUpdateResourceW(file.c_str(), FALSE);
    if (!update) return false;
    for (int i = 1; i <= kIcons; ++i) {
        std::string image = iconImage(i % 256);
        // The group: a directory of one entry that names image i.
        std::string group("\0\0\1\0\1\0\x10\x10\0\0\1\0\x20\0", 14);
        DWORD size = (DWORD)image.size();
        group.append((const char*)&size, 4).append({(char)(i & 0xFF), (char)(i >> 8)});
        if (!UpdateResourceW(update, RT_ICON, MAKEINTRESOURCEW(i), 0, image.data(), size) ||
            !UpdateResourceW(update, RT_GROUP_ICON, MAKEINTRESOURCEW(i), 0, group.data(), (DWORD)group.size()))
            return EndUpdateResourceW(update, TRUE), false;
    }
    return EndUpdateResourceW(update, FALSE);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    int rounds = argc > 1 ? std::max(1, _wtoi(argv[1])) : 5;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    String file = String(temp) + L"dolv-bench-icons300.dll";
    if (!makeIconLibrary(file)) {
        std::printf("cannot make %ls\n", file.c_str());
        return 1;
    }
    TForm form(nullptr);
    form.SetBounds(0, 0, 700, 600);
    auto* frame = new TFrSpec(&form);
    frame->SetParent(&form);
    frame->SetAlign(alClient);
    form.Show();

    int ours = 0, raw = 0;
    auto listOurs = [&] {
        frame->icoListRefresh(file, 0);
        ours = frame->icoList->Items.Count();
    };
    auto loadBatch = [&] { raw = Bench_BatchLoad(file); };
    double oursMs, rawMs;
    Bench_BestInTurns(listOurs, loadBatch, rounds, oursMs, rawMs);
    DeleteFileW(file.c_str());

    std::printf("file with %d icons: %ls\n", kIcons, file.c_str());
    std::printf("frame's icon list:    %d icons, %.2f ms per load (best)\n", ours, oursMs);
    std::printf("batch ExtractIconExW: %d icons, %.2f ms per load (best)\n", raw, rawMs);
    std::printf("ratio special_icon_list_vs_batch %.2f 1.5\n", rawMs > 0 ? oursMs / rawMs : 0.0);
    return ours == kIcons && raw == kIcons ? 0 : 1;
}
