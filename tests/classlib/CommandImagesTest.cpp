// The command images linked into the program and the icons base beside it.
#include "CommandImages.h"
#include "Handles.h"
#include "SysUtils.h"
#include "TestSupport.h"

#include <shellapi.h>

namespace {
// Pixels of image Index that show something: not transparent, not black.
int VisiblePixels(HIMAGELIST list, int index)
{
    IMAGEINFO info{};
    if (!ImageList_GetImageInfo(list, index, &info)) return -1;
    const int w = info.rcImage.right - info.rcImage.left, h = info.rcImage.bottom - info.rcImage.top;
    BITMAP bm{};
    GetObjectW(info.hbmImage, sizeof bm, &bm);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), bm.bmWidth, -bm.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<uint32_t> px((size_t)bm.bmWidth * bm.bmHeight);
    HDC dc = GetDC(nullptr);
    GetDIBits(dc, info.hbmImage, 0, bm.bmHeight, px.data(), &bi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    int visible = 0;
    for (int y = info.rcImage.top; y < info.rcImage.top + h; ++y)
        for (int x = info.rcImage.left; x < info.rcImage.left + w; ++x) {
            uint32_t p = px[(size_t)y * bm.bmWidth + x];
            visible += (p >> 24) != 0 && (p & 0xFFFFFF) != 0;
        }
    return visible;
}
}  // namespace

TEST(CommandImages, EveryStripLoadsInEverySizeWithVisiblePictures)
{
    for (TCommandStrip strip : {TCommandStrip::Pane, TCommandStrip::Main, TCommandStrip::Message, TCommandStrip::Chooser})
        for (int size : {16, 24, 32}) {
            HIMAGELIST list = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 4, 4);
            ASSERT_TRUE(CommandImages_Load(list, strip)) << (int)strip << " at " << size;
            ASSERT_EQ(ImageList_GetImageCount(list), CommandImages_Count(strip));
            for (int i = 0; i < CommandImages_Count(strip); ++i)
                EXPECT_GT(VisiblePixels(list, i), size * size / 8) << (int)strip << " image " << i << " at " << size;
            ImageList_Destroy(list);
        }
    EXPECT_EQ(CommandImages_Count(TCommandStrip::Pane), 17);
    HIMAGELIST odd = ImageList_Create(20, 20, ILC_COLOR32, 4, 4);  // no strip of that size
    EXPECT_FALSE(CommandImages_Load(odd, TCommandStrip::Pane));
    EXPECT_EQ(ImageList_GetImageCount(odd), 0);
    ImageList_Destroy(odd);
}

TEST(CommandImages, IconsBaseBesideTheProgramHoldsMultiSizeIcons)
{
    wchar_t me[MAX_PATH];
    GetModuleFileNameW(nullptr, me, MAX_PATH);
    // ...\build\tests\test_classlib.exe -> ...\build\icons
    const String dir = ExtractFilePath(ExcludeTrailingPathDelimiter(ExtractFilePath(me))) + L"icons\\";
    WIN32_FIND_DATAW fd;
    TFindHandle find(FindFirstFileW((dir + L"*.ico").c_str(), &fd));
    ASSERT_TRUE(find) << N(dir) << " has no icons";
    int files = 0;
    do {
        const String path = dir + fd.cFileName;
        const std::string b = ReadFileBytes(path);
        ASSERT_GE(b.size(), 6u) << N(path);
        auto u16 = [&](size_t at) { return (unsigned)(uint8_t)b[at] | (unsigned)(uint8_t)b[at + 1] << 8; };
        auto u32 = [&](size_t at) { return u16(at) | u16(at + 2) << 16; };
        ASSERT_EQ(u16(0), 0u);
        ASSERT_EQ(u16(2), 1u);  // an icon, not a cursor
        const unsigned count = u16(4);
        ASSERT_EQ(count, 5u) << N(path);  // 16, 24, 32, 48 and 256 pixels
        ASSERT_GE(b.size(), 6 + 16 * count);
        for (unsigned i = 0; i < count; ++i) {
            const size_t e = 6 + 16 * i;
            EXPECT_LE((uint64_t)u32(e + 12) + u32(e + 8), b.size()) << N(path) << " entry " << i;
        }
        EXPECT_EQ((uint8_t)b[6 + 16 * 4], 0) << "the last entry is 256 pixels wide";
        EXPECT_EQ(ExtractIconExW(path.c_str(), -1, nullptr, nullptr, 0), 1u) << N(path);
        for (int size : {16, 32, 48}) {
            THIcon icon((HICON)LoadImageW(nullptr, path.c_str(), IMAGE_ICON, size, size, LR_LOADFROMFILE));
            EXPECT_TRUE(icon) << N(path) << " at " << size;
        }
        ++files;
    } while (FindNextFileW(find.Get(), &fd));
    EXPECT_GE(files, 10);
}
