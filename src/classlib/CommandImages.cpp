#include "CommandImages.h"

#include "Handles.h"

#include <cstdint>
#include <string>
#include <vector>

namespace {
// The strip's name in its resources' names.
const wchar_t* StripName(TCommandStrip strip)
{
    switch (strip) {
    case TCommandStrip::Pane: return L"PANE";
    case TCommandStrip::Main: return L"MAIN";
    case TCommandStrip::Message: return L"MESSAGE";
    case TCommandStrip::Chooser: return L"CHOOSER";
    }
    return L"";
}

// A monochrome mask, set where the picture is fully transparent. The section's
// rows are bottom-up when its height is positive; a bitmap's rows are top-down
// and padded to 16 bits.
HBITMAP MaskFromAlpha(const DIBSECTION& dib)
{
    const int w = dib.dsBm.bmWidth, h = dib.dsBm.bmHeight;
    const bool bottomUp = dib.dsBmih.biHeight > 0;
    const int stride = (w + 15) / 16 * 2;
    std::vector<uint8_t> bits((size_t)stride * h, 0);
    auto* pixels = static_cast<const uint8_t*>(dib.dsBm.bmBits);
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<const uint32_t*>(pixels + (size_t)dib.dsBm.bmWidthBytes * (bottomUp ? h - 1 - y : y));
        for (int x = 0; x < w; ++x)
            if ((row[x] >> 24) == 0) bits[(size_t)y * stride + x / 8] |= (uint8_t)(0x80 >> (x % 8));
    }
    return CreateBitmap(w, h, 1, 1, bits.data());
}
}  // namespace

bool CommandImages_Load(HIMAGELIST list, TCommandStrip strip)
{
    int cx = 0, cy = 0;
    if (!list || !ImageList_GetIconSize(list, &cx, &cy) || cx != cy) return false;
    if (cx != 16 && cx != 24 && cx != 32) return false;
    const int count = CommandImages_Count(strip);
    const std::wstring name = std::wstring(L"CMDIMG_") + StripName(strip) + L"_" + std::to_wstring(cx);
    TGdiObject strip32(LoadImageW(GetModuleHandleW(nullptr), name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    DIBSECTION dib{};
    // Only the strip the build made is taken: 32 bits, one picture per index.
    if (!strip32 || GetObjectW(strip32.Get(), sizeof dib, &dib) != sizeof dib || !dib.dsBm.bmBits) return false;
    if (dib.dsBm.bmBitsPixel != 32 || dib.dsBm.bmWidth != cx * count || dib.dsBm.bmHeight != cy) return false;
    TGdiObject mask(MaskFromAlpha(dib));
    if (!mask) return false;
    const int before = ImageList_GetImageCount(list);
    if (ImageList_Add(list, (HBITMAP)strip32.Get(), (HBITMAP)mask.Get()) < 0) return false;
    if (ImageList_GetImageCount(list) == before + count) return true;
    // A partial append would shift every index after it: take it back.
    while (ImageList_GetImageCount(list) > before) ImageList_Remove(list, ImageList_GetImageCount(list) - 1);
    return false;
}
