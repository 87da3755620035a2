// The shell's system image list and the icons inside icon files.
#include "Handles.h"
#include "IconizeTestSupport.h"

#include <shellapi.h>

namespace {

String Shell32() { return SystemFile(L"shell32.dll"); }

TEST(SystemImageList, AttachedWithoutOwningAndRowIndexesAreTheShells)
{
    SHFILEINFOW info{};
    auto small = (HIMAGELIST)SHGetFileInfoW(L"", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    auto large = (HIMAGELIST)SHGetFileInfoW(L"", 0, &info, sizeof info, SHGFI_SYSICONINDEX);
    ASSERT_TRUE(small && large);
    {
        TImageList a(nullptr), b(nullptr);
        ImageList_AttachSys(a, true);
        ImageList_AttachSys(b, false);
        EXPECT_EQ(a.Handle(), small);
        EXPECT_EQ(b.Handle(), large);
        EXPECT_EQ(a.Width(), GetSystemMetrics(SM_CXSMICON));
        ImageList_AttachSys(a, false);  // the other size, still only referred to
        EXPECT_EQ(a.Handle(), large);
    }
    int cx = 0, cy = 0;
    EXPECT_TRUE(ImageList_GetIconSize(small, &cx, &cy)) << "the system list was destroyed with a component";
    EXPECT_GT(ImageList_GetImageCount(large), 0);

    TTempDir dir;
    WriteFileBytes(dir / L"a.txt", "x");
    for (const String& p : {dir.Path(), dir / L"a.txt", Shell32()}) {
        SHGetFileInfoW(p.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX);
        EXPECT_EQ(Ico_GetSysIndex(p), info.iIcon) << N(p);
    }
    EXPECT_NE(Ico_GetSysIndex(dir.Path()), Ico_GetSysIndex(dir / L"a.txt"));
}

constexpr COLORREF kInk = RGB(200, 30, 30);

// A 32 by 32 icon of Bits per pixel: a square of kInk in the middle, the
// border transparent by its mask, or for 32 bits by its alpha alone.
std::string MakeIco(int bits)
{
    std::string s;
    auto u16 = [&](unsigned v) { s += (char)(v & 0xFF); s += (char)(v >> 8 & 0xFF); };
    auto u32 = [&](unsigned v) { u16(v & 0xFFFF); u16(v >> 16); };
    auto inside = [](int x, int y) { return x >= 8 && x < 24 && y >= 8 && y < 24; };
    const unsigned stride = (32 * bits + 31) / 32 * 4, colours = bits == 8 ? 256 : 0;
    const unsigned image = 40 + colours * 4 + stride * 32 + 4 * 32;
    u16(0), u16(1), u16(1);
    s += std::string{32, 32, 0, 0};
    u16(1), u16(bits), u32(image), u32(22);
    u32(40), u32(32), u32(64), u16(1), u16(bits), u32(0), u32(0), u32(0), u32(0), u32(colours), u32(0);
    for (unsigned i = 0; i < colours; ++i) u32(i == 1 ? (GetBValue(kInk) | GetGValue(kInk) << 8 | GetRValue(kInk) << 16) : 0);
    for (int y = 31; y >= 0; --y) {
        std::string row;
        for (int x = 0; x < 32; ++x) {
            bool in = inside(x, y);
            if (bits == 8) row += (char)in;
            else {
                std::string px{(char)(in ? GetBValue(kInk) : 0), (char)(in ? GetGValue(kInk) : 0), (char)(in ? GetRValue(kInk) : 0)};
                if (bits == 32) px += (char)(in ? 0xFF : 0);
                row += px;
            }
        }
        s += row + std::string(stride - row.size(), '\0');
    }
    for (int y = 31; y >= 0; --y)
        for (int b = 0; b < 4; ++b) s += (char)(bits == 32 || inside(b * 8, y) ? 0 : 0xFF);
    return s;
}

TEST(IconFileContents, DrawnWithTheirTransparency)
{
    TTempDir dir;
    for (int bits : {24, 8, 32}) {
        String file = dir / (L"i" + IntToStr(bits) + L".ico");
        WriteFileBytes(file, MakeIco(bits));
        TImageList list(nullptr, 32, 32);
        ASSERT_TRUE(ImageList_LoadIcoFile(file, list));
        ASSERT_EQ(list.Count(), 1) << bits;
        TBitmap canvas;
        canvas.SetSize(32, 32);
        TGdiObject back(CreateSolidBrush(RGB(0, 128, 255)));
        RECT all{0, 0, 32, 32};
        FillRect(canvas.Canvas(), &all, (HBRUSH)back.Get());
        list.Draw(canvas.Canvas(), 0, 0, 0);
        EXPECT_EQ(GetPixel(canvas.Canvas(), 2, 2), RGB(0, 128, 255)) << bits << "-bit icon: the background shows";
        EXPECT_EQ(GetPixel(canvas.Canvas(), 16, 16), kInk) << bits << "-bit icon: its own colour";
    }
}

TEST(IconFileContents, LoadsEveryIconOrNothing)
{
    TImageList list(nullptr, 32, 32);
    UINT expected = (UINT)(UINT_PTR)ExtractIconW(GetModuleHandleW(nullptr), Shell32().c_str(), (UINT)-1);
    ASSERT_GT(expected, 1u);
    EXPECT_TRUE(ImageList_LoadIcoFile(Shell32(), list));
    EXPECT_EQ((UINT)list.Count(), expected);

    TTempDir dir;
    WriteFileBytes(dir / L"one.ico", TinyIco());
    ImageList_LoadIcoFile(dir / L"one.ico", list);
    EXPECT_EQ(list.Count(), 1) << "loading replaces the list's icons";
    EXPECT_TRUE(ImageList_LoadIcoFile(dir / L"missing.ico", list));
    EXPECT_EQ(list.Count(), 1) << "a missing file changes nothing";

    // A real module without icon resources (the test programs carry the
    // program's resources, so a system library serves), and a text file.
    WriteFileBytes(dir / L"text.txt", "not an icon");
    for (const String& p : {SystemFile(L"ntdll.dll"), dir / L"text.txt"}) {
        if (ExtractIconW(GetModuleHandleW(nullptr), p.c_str(), (UINT)-1) != nullptr) continue;
        ImageList_LoadIcoFile(dir / L"one.ico", list);
        EXPECT_TRUE(ImageList_LoadIcoFile(p, list)) << N(p);
        EXPECT_EQ(list.Count(), 0) << N(p);
    }
}

TEST(IconFileContents, DirectoriesThatLieGiveNoIconsAndAMessage)
{
    TTempDir dir;
    std::string lots = TinyIco();
    lots[4] = lots[5] = '\xFF';  // 65,535 entries in a small file
    lots.resize(2048, '\0');
    std::string farOffset = TinyIco(), bigSize = TinyIco(), liarHeader = TinyIco();
    farOffset.replace(18, 4, "\xF0\xFF\xFF\x7F", 4);
    bigSize.replace(14, 4, "\x00\x00\x00\x10", 4);
    liarHeader.replace(22 + 8, 4, "\x00\x10\x00\x00", 4);  // 4096 rows high in a 16-row image
    std::string dll = ReadFileBytes(Shell32());
    const std::pair<const wchar_t*, std::string> files[] = {
        {L"lots.ico", lots}, {L"far.ico", farOffset}, {L"big.ico", bigSize}, {L"tall.ico", liarHeader},
        {L"cut.dll", dll.substr(0, dll.size() / 2)},
    };
    for (const auto& [name, bytes] : files) {
        WriteFileBytes(dir / name, bytes);
        TImageList list(nullptr, 32, 32);
        WriteFileBytes(dir / L"one.ico", TinyIco());
        ImageList_LoadIcoFile(dir / L"one.ico", list);
        EXPECT_FALSE(ImageList_LoadIcoFile(dir / name, list)) << N(name);
        EXPECT_EQ(list.Count(), 0) << N(name);
        TModalRecorder told;
        ImageList_LoadIcoFile(dir / name, list, true);
        ASSERT_EQ(told.Seen.size(), 1u) << N(name);
        EXPECT_NE(told.Seen[0].Text.find(dir / name), String::npos) << N(told.Seen[0].Text);
        EXPECT_EQ(told.Seen[0].Color, 0xC4D1F4);
    }
}

}  // namespace
