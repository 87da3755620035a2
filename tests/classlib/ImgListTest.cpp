// The image list component's strip of images added at once.
#include "Handles.h"
#include "ImgList.h"
#include "TestSupport.h"

namespace {

TEST(ImageListStrip, TakesOnlyARowOfItsOwnSizeWithAMaskToMatch)
{
    auto dib = [](int width, int height, WORD bits) {
        BITMAPINFO bi{{sizeof(BITMAPINFOHEADER), width, -height, 1, bits, BI_RGB, 0, 0, 0, 0, 0}, {}};
        void* px = nullptr;
        return TGdiObject(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &px, nullptr, 0));
    };
    auto mono = [](int width, int height) { return TGdiObject(CreateBitmap(width, height, 1, 1, nullptr)); };
    const struct {
        const char* what;
        TGdiObject colours, masks;
        int first;  // the list held two images before
    } cases[] = {
        {"three images", dib(96, 32, 32), mono(96, 32), 2},
        {"one image", dib(32, 32, 32), mono(32, 32), 2},
        {"a width between images", dib(80, 32, 32), mono(80, 32), -1},
        {"too low", dib(64, 16, 32), mono(64, 16), -1},
        {"too high", dib(64, 48, 32), mono(64, 48), -1},
        {"no alpha", dib(64, 32, 24), mono(64, 32), -1},
        {"a shorter mask", dib(64, 32, 32), mono(32, 32), -1},
        {"a mask in colour", dib(64, 32, 32), dib(64, 32, 32), -1},
        {"no mask", dib(64, 32, 32), TGdiObject(), -1},
    };
    for (const auto& c : cases) {
        TImageList list(nullptr, 32, 32);
        TGdiObject two = dib(64, 32, 32), twoMasks = mono(64, 32);
        ASSERT_EQ(list.AddStrip((HBITMAP)two.Get(), (HBITMAP)twoMasks.Get()), 0);
        EXPECT_EQ(list.AddStrip((HBITMAP)c.colours.Get(), (HBITMAP)c.masks.Get()), c.first) << c.what;
        BITMAP bm{};
        GetObjectW(c.colours.Get(), sizeof bm, &bm);
        EXPECT_EQ(list.Count(), c.first < 0 ? 2 : 2 + bm.bmWidth / 32) << c.what;
    }
}

}  // namespace
