// The image list component's strip of images added at once.
#include "Handles.h"
#include "ImgList.h"
#include "TestSupport.h"

TEST(ImageListStrip, TakesOnlyARowOfItsOwnSizeWithAMaskToMatch)
{
    auto dib = [](int width, int height, WORD bits) {
        BITMAPINFO bi{{sizeof(BITMAPINFOHEADER), width, -height, 1, bits, BI_RGB, 0, 0, 0, 0, 0}, {}};
        void* px = nullptr;
        return (HBITMAP)CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &px, nullptr, 0);
    };
    auto mono = [](int width, int height) { return CreateBitmap(width, height, 1, 1, nullptr); };
    const struct { const char* what; TGdiObject colours, masks; int added; } cases[] = {
        {"three images", TGdiObject(dib(96, 32, 32)), TGdiObject(mono(96, 32)), 3},
        {"a width between images", TGdiObject(dib(80, 32, 32)), TGdiObject(mono(80, 32)), 0},
        {"too high", TGdiObject(dib(64, 48, 32)), TGdiObject(mono(64, 48)), 0},
        {"no alpha", TGdiObject(dib(64, 32, 24)), TGdiObject(mono(64, 32)), 0},
        {"a shorter mask", TGdiObject(dib(64, 32, 32)), TGdiObject(mono(32, 32)), 0},
        {"a mask in colour", TGdiObject(dib(64, 32, 32)), TGdiObject(dib(64, 32, 32)), 0},
        {"no mask", TGdiObject(dib(64, 32, 32)), TGdiObject(), 0},
    };
    for (const auto& c : cases) {
        TImageList list(nullptr, 32, 32);
        TGdiObject two(dib(64, 32, 32)), twoMasks(mono(64, 32));
        ASSERT_EQ(list.AddStrip((HBITMAP)two.Get(), (HBITMAP)twoMasks.Get()), 0);
        EXPECT_EQ(list.AddStrip((HBITMAP)c.colours.Get(), (HBITMAP)c.masks.Get()), c.added ? 2 : -1) << c.what;
        EXPECT_EQ(list.Count(), 2 + c.added) << c.what;
    }
}
