// The command images linked into the program and the icons base beside it.
#include "CommandImages.h"
#include "Handles.h"
#include "SysUtils.h"
#include "TestSupport.h"

#include <shellapi.h>

TEST(CommandImages, EveryStripLoadsInEverySizeWithVisiblePictures)
{
    for (TCommandStrip strip : {TCommandStrip::Pane, TCommandStrip::Main, TCommandStrip::Message, TCommandStrip::Chooser})
        for (int size : {16, 24, 32}) {
            HIMAGELIST list = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 4, 4);
            ASSERT_TRUE(CommandImages_Load(list, strip)) << (int)strip << " at " << size;
            const int n = ImageList_GetImageCount(list);
            ASSERT_EQ(n, CommandImages_Count(strip));
            // The list's own pixels, read back: each picture shows something (not transparent, not black).
            IMAGEINFO info{};
            ImageList_GetImageInfo(list, 0, &info);
            BITMAP bm{};
            GetObjectW(info.hbmImage, sizeof bm, &bm);
            BITMAPINFO bi{{sizeof(BITMAPINFOHEADER), bm.bmWidth, -bm.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
            std::vector<uint32_t> px((size_t)bm.bmWidth * bm.bmHeight);
            HDC dc = GetDC(nullptr);
            GetDIBits(dc, info.hbmImage, 0, bm.bmHeight, px.data(), &bi, DIB_RGB_COLORS);
            ReleaseDC(nullptr, dc);
            for (int i = 0; i < n; ++i) {
                ImageList_GetImageInfo(list, i, &info);
                int visible = 0;
                for (int y = info.rcImage.top; y < info.rcImage.bottom; ++y)
                    for (int x = info.rcImage.left; x < info.rcImage.right; ++x)
                        visible += px[(size_t)y * bm.bmWidth + x] >> 24 && px[(size_t)y * bm.bmWidth + x] & 0xFFFFFF;
                EXPECT_GT(visible, size * size / 8) << (int)strip << " image " << i << " at " << size;
            }
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
    GetModuleFileNameW(nullptr, me, MAX_PATH);  // ...\build\tests\test_classlib.exe -> ...\build\icons
    const String dir = ExtractFilePath(ExcludeTrailingPathDelimiter(ExtractFilePath(me))) + L"icons\\";
    WIN32_FIND_DATAW fd;
    TFindHandle find(FindFirstFileW((dir + L"*.ico").c_str(), &fd));
    ASSERT_TRUE(find) << N(dir) << " has no icons";
    int files = 0;
    do {
        const String path = dir + fd.cFileName;
        const std::string b = ReadFileBytes(path);
        auto u32 = [&](size_t at) { return *reinterpret_cast<const uint32_t*>(b.data() + at); };
        ASSERT_GE(b.size(), 6 + 16 * 5u);
        ASSERT_EQ(u32(0), 0x10000u) << N(path);  // reserved 0, type 1: an icon
        ASSERT_EQ(b[4] + 256 * b[5], 5) << N(path);  // 16, 24, 32, 48 and 256 pixels
        for (size_t e = 6; e < 6 + 16 * 5; e += 16)
            EXPECT_LE((uint64_t)u32(e + 12) + u32(e + 8), b.size()) << N(path) << " entry at " << e;
        EXPECT_EQ(b[6 + 16 * 4], 0) << "the last entry is 256 pixels wide";
        EXPECT_EQ(ExtractIconExW(path.c_str(), -1, nullptr, nullptr, 0), 1u) << N(path);
        for (int size : {16, 32, 48})
            EXPECT_TRUE(THIcon((HICON)LoadImageW(nullptr, path.c_str(), IMAGE_ICON, size, size, LR_LOADFROMFILE)))
                << N(path) << " at " << size;
        ++files;
    } while (FindNextFileW(find.Get(), &fd));
    EXPECT_GE(files, 10);
}
