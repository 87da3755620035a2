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
    WriteFileBytes(dir / L"a.ico", TinyIco(0x10));
    WriteFileBytes(dir / L"b.ico", TinyIco(0xE0));
    for (const String& p : {dir.Path(), dir / L"a.txt", Shell32()}) {
        SHGetFileInfoW(p.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX);
        EXPECT_EQ(Ico_GetSysIndex(p), info.iIcon) << N(p);
    }
    EXPECT_NE(Ico_GetSysIndex(dir.Path()), Ico_GetSysIndex(dir / L"a.txt"));
    // Each icon file is its own picture, as on every Windows (the icons base
    // lists nothing else).
    EXPECT_NE(Ico_GetSysIndex(dir / L"a.ico"), Ico_GetSysIndex(dir / L"b.ico"));
}

// The colour in the middle of image Index of the shell's small or large list.
COLORREF SysListColour(bool small, int index)
{
    SHFILEINFOW info{};
    UINT flags = SHGFI_SYSICONINDEX | (small ? SHGFI_SMALLICON : 0);
    auto list = (HIMAGELIST)SHGetFileInfoW(L"", 0, &info, sizeof info, flags);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(list, &cx, &cy);
    TBitmap canvas;
    canvas.SetSize(cx, cy);
    ImageList_Draw(list, index, canvas.Canvas(), 0, 0, ILD_NORMAL);
    return GetPixel(canvas.Canvas(), cx / 2, cy / 2);
}

// The picture of an icon location is had from the shell, which keeps its
// lists in step: each location's own picture, once, and the files the shell
// is asked about afterwards still show theirs.
TEST(SystemImageList, AnIconLocationsPictureIsTheShells)
{
    TTempDir dir;
    String ico = dir / L"a.ico", module = dir / L"two.dll";
    WriteFileBytes(ico, TinyIco(0x30));
    // A module whose icons 0 and 1 have the resource numbers 7 and 9.
    ASSERT_TRUE(WriteIconModule(module, {{7, 0x50}, {9, 0x70}}));
    const struct {
        String file;
        int index;
        unsigned char shade;
    } located[] = {{ico, 0, 0x30}, {module, 0, 0x50}, {module, 1, 0x70}, {module, -9, 0x70}};
    for (const auto& l : located) {
        int at = Ico_GetIconSysIndex(l.file, l.index);
        ASSERT_GE(at, 0) << N(l.file) << "," << l.index;
        for (bool small : {true, false})
            EXPECT_EQ(SysListColour(small, at), RGB(0xC0, 0x80, l.shade)) << N(l.file) << "," << l.index << small;
        EXPECT_EQ(Ico_GetIconSysIndex(l.file, l.index), at) << "the same picture, once";
    }
    EXPECT_EQ(Ico_GetIconSysIndex(ico, 0), Ico_GetSysIndex(ico)) << "the picture the shell shows for the file";
    WriteFileBytes(dir / L"b.ico", TinyIco(0x90));
    for (bool small : {true, false})
        EXPECT_EQ(SysListColour(small, Ico_GetSysIndex(dir / L"b.ico")), RGB(0xC0, 0x80, 0x90)) << small;
    // Nothing the shell could show: no index, and the shell is not given a
    // broken icon file to read.
    std::string lying = TinyIco();
    lying.replace(18, 4, "\xF0\xFF\xFF\x7F", 4);
    WriteFileBytes(dir / L"far.ico", lying);
    for (const String& none : {dir / L"missing.ico", dir / L"far.ico"})
        EXPECT_EQ(Ico_GetIconSysIndex(none, 0), -1) << N(none);
}

constexpr COLORREF kInk = RGB(200, 30, 30);

// A 32 by 32 icon of Bits per pixel: a square of kInk in the middle, the
// border transparent by its mask, or for 32 bits by its alpha alone.
std::string MakeIco(int bits)
{
    std::string s;
    auto put = [&](unsigned v, int bytes) { for (; bytes > 0; --bytes, v >>= 8) s += (char)(v & 0xFF); };
    auto inside = [](int x, int y) { return x >= 8 && x < 24 && y >= 8 && y < 24; };
    const unsigned ink = GetBValue(kInk) | GetGValue(kInk) << 8 | GetRValue(kInk) << 16;  // as files store it
    const unsigned colours = bits == 8 ? 256 : bits == 1 ? 2 : 0, row = 32 * bits / 8;  // already a multiple of 4
    put(0, 2), put(1, 2), put(1, 2), put(32 | 32 << 8, 4), put(1, 2), put(bits, 2);
    put(40 + colours * 4 + row * 32 + 4 * 32, 4), put(22, 4);
    put(40, 4), put(32, 4), put(64, 4), put(1, 2), put(bits, 2), put(0, 16), put(colours, 4), put(0, 4);
    for (unsigned i = 0; i < colours; ++i) put(i == 1 ? bits == 1 ? 0xFFFFFF : ink : 0, 4);
    for (int y = 31; y >= 0; --y)
        if (bits == 1)  // two colours: a white square on black
            for (int b = 0; b < 4; ++b) put(inside(b * 8, y) ? 0xFF : 0, 1);
        else
            for (int x = 0; x < 32; ++x) put(bits == 8 ? inside(x, y) : inside(x, y) ? ink | 0xFF000000 : 0, bits / 8);
    for (int y = 31; y >= 0; --y)  // the mask: 1 is transparent
        for (int b = 0; b < 4; ++b) put(bits == 32 || inside(b * 8, y) ? 0 : 0xFF, 1);
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

// Every image of a list as the list holds it: its colour pixels (alpha
// included), then its mask's.
std::vector<std::vector<uint32_t>> HeldImages(const TImageList& list)
{
    std::vector<std::vector<uint32_t>> images;
    IMAGEINFO info{};
    if (!list.Count() || !ImageList_GetImageInfo(list.Handle(), 0, &info)) return images;
    BITMAP bm{};
    GetObjectW(info.hbmImage, sizeof bm, &bm);
    BITMAPINFO bi{{sizeof(BITMAPINFOHEADER), bm.bmWidth, -bm.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    std::vector<uint32_t> colours((size_t)bm.bmWidth * bm.bmHeight), masks(colours.size());
    HDC dc = GetDC(nullptr);
    GetDIBits(dc, info.hbmImage, 0, bm.bmHeight, colours.data(), &bi, DIB_RGB_COLORS);
    GetDIBits(dc, info.hbmMask, 0, bm.bmHeight, masks.data(), &bi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    for (int i = 0; i < list.Count(); ++i) {
        ImageList_GetImageInfo(list.Handle(), i, &info);
        std::vector<uint32_t> image;
        for (const auto* from : {&colours, &masks})
            for (LONG y = info.rcImage.top; y < info.rcImage.bottom; ++y)
                image.insert(image.end(), from->begin() + y * bm.bmWidth + info.rcImage.left,
                             from->begin() + y * bm.bmWidth + info.rcImage.right);
        images.push_back(std::move(image));
    }
    return images;
}

TEST(IconFileContents, TheSamePicturesAsTheShellGivesOneAtATime)
{
    TTempDir dir;
    std::vector<String> files{Shell32()};  // more icons than the shell is asked for at once
    for (int bits : {1, 8, 24, 32}) {
        files.push_back(dir / (L"i" + IntToStr(bits) + L".ico"));
        WriteFileBytes(files.back(), MakeIco(bits));
    }
    ICONINFO ii{};
    THIcon two(ExtractIconW(nullptr, files[1].c_str(), 0));
    ASSERT_TRUE(GetIconInfo(two.Get(), &ii));
    TGdiObject twoColour(ii.hbmColor), twoMask(ii.hbmMask);
    if (ii.hbmColor) std::printf("note: this platform gives a two-colour icon a colour bitmap\n");
    for (const String& file : files) {
        TImageList ours(nullptr, 32, 32), one(nullptr, 32, 32);
        ASSERT_TRUE(ImageList_LoadIcoFile(file, ours));
        const UINT count = (UINT)(UINT_PTR)ExtractIconW(nullptr, file.c_str(), (UINT)-1);
        for (UINT i = 0; i < count; ++i) {
            THIcon icon(ExtractIconW(nullptr, file.c_str(), i));
            ASSERT_GE(one.AddIcon(icon.Get()), 0) << N(file) << " icon " << i;
        }
        auto held = HeldImages(ours), expected = HeldImages(one);
        ASSERT_EQ(held.size(), count) << N(file);
        ASSERT_EQ(expected.size(), count) << N(file);
        for (UINT i = 0; i < count; ++i) ASSERT_TRUE(held[i] == expected[i]) << N(file) << " image " << i;
    }
}

// An icon file of one square image Width wide of Bits per pixel, all its
// pixels 0, whose colour table its bit count implies (ClrUsed 0); the
// directory's size is the image's exact length.
std::string BareIco(unsigned width, unsigned bits)
{
    std::string s;
    auto put = [&](unsigned v, int bytes) { for (; bytes > 0; --bytes, v >>= 8) s += (char)(v & 0xFF); };
    const unsigned colours = bits <= 8 ? 1u << bits : 0, rows = (width * bits + 31) / 32 * 4 + (width + 31) / 32 * 4;
    const unsigned image = 40 + colours * 4 + rows * width;
    put(0, 2), put(1, 2), put(1, 2), put(width | width << 8, 4), put(1, 2), put(bits, 2), put(image, 4), put(22, 4);
    put(40, 4), put(width, 4), put(2 * width, 4), put(1, 2), put(bits, 2), put(0, 24);
    s.resize(22 + image, '\0');
    return s;
}

// Ico with its directory's size of the image set to Size, cut to its first Keep bytes.
std::string Reshaped(std::string ico, unsigned size, size_t keep)
{
    for (int i = 0; i < 4; ++i) ico[14 + i] = (char)(size >> 8 * i);
    return ico.substr(0, keep);
}

TEST(IconFileContents, EveryIconOfASoundFileNoneOfABrokenOne)
{
    TTempDir dir;
    std::string lots = TinyIco();
    lots[4] = lots[5] = '\xFF';  // 65,535 entries in a small file
    lots.resize(2048, '\0');
    std::string farOffset = TinyIco(), bigSize = TinyIco(), tall = TinyIco();
    farOffset.replace(18, 4, "\xF0\xFF\xFF\x7F", 4);
    bigSize.replace(14, 4, "\x00\x00\x00\x10", 4);
    tall.replace(22 + 8, 4, "\x00\x10\x00\x00", 4);  // 2048 rows in a 16-row image
    std::string dll = ReadFileBytes(Shell32());
    // Images that end with the file, and the same one byte short (its size
    // in the directory too): a two-colour one, whose rows are padded, and one
    // of 256 colours that its header does not count.
    const std::string bare1 = BareIco(16, 1), bare8 = BareIco(16, 8), tiny = TinyIco();
    const int inShell32 = (int)(UINT_PTR)ExtractIconW(GetModuleHandleW(nullptr), Shell32().c_str(), (UINT)-1);
    ASSERT_GT(inShell32, 1);
    const struct {
        String file;
        std::string bytes;  // written first unless empty
        int count;          // the list held one icon before
        bool sound;
    } cases[] = {
        {Shell32(), "", inShell32, true},
        {dir / L"one.ico", TinyIco(0x80), 1, true},
        {dir / L"missing.ico", "", 1, true},
        // A module without icon resources (the test programs carry the program's).
        {SystemFile(L"ntdll.dll"), "", 0, true},
        {dir / L"text.txt", "not an icon", 0, true},
        {dir / L"lots.ico", lots, 0, false},
        {dir / L"far.ico", farOffset, 0, false},
        {dir / L"big.ico", bigSize, 0, false},
        {dir / L"tall.ico", tall, 0, false},
        {dir / L"cut.dll", dll.substr(0, dll.size() / 2), 0, false},
        {dir / L"bare1.ico", bare1, 1, true},
        {dir / L"bare8.ico", bare8, 1, true},
        {dir / L"short1.ico", Reshaped(bare1, (unsigned)bare1.size() - 23, bare1.size() - 1), 0, false},
        {dir / L"short8.ico", Reshaped(bare8, (unsigned)bare8.size() - 23, bare8.size() - 1), 0, false},
        {dir / L"short.ico", Reshaped(tiny, (unsigned)tiny.size() - 23, tiny.size() - 1), 0, false},
        // The directory's size one byte short of the pixels, or one past the file.
        {dir / L"small.ico", Reshaped(tiny, 40 + 16 * 16 * 4 - 1, tiny.size()), 0, false},
        {dir / L"long.ico", Reshaped(tiny, (unsigned)tiny.size() - 21, tiny.size()), 0, false},
    };
    WriteFileBytes(dir / L"tiny.ico", TinyIco());
    for (const auto& c : cases) {
        if (!c.bytes.empty()) WriteFileBytes(c.file, c.bytes);
        TImageList list(nullptr, 32, 32);
        ImageList_LoadIcoFile(dir / L"tiny.ico", list);
        TModalRecorder told;
        EXPECT_EQ(ImageList_LoadIcoFile(c.file, list, true), c.sound) << N(c.file);
        EXPECT_EQ(list.Count(), c.count) << N(c.file);
        ASSERT_EQ(told.Seen.size(), c.sound ? 0u : 1u) << N(c.file);
        if (!c.sound) {
            EXPECT_EQ(Ico_GetIconSysIndex(c.file, 0), -1) << N(c.file) << ": the shell is not given it";
            EXPECT_NE(told.Seen[0].Text.find(c.file), String::npos) << N(told.Seen[0].Text);
            EXPECT_EQ(told.Seen[0].Color, 0xC4D1F4);
        }
    }
}

TEST(IconFileContents, AnIconThatCannotBeReadKeepsItsPlace)
{
    // A module of three icons whose middle one is damaged inside its image
    // (its directories all fit): images 0 and 2 must stay icons 0 and 2.
    TTempDir dir;
    String file = dir / L"three.dll";
    ASSERT_TRUE(CopyFileW(SystemFile(L"ntdll.dll").c_str(), file.c_str(), FALSE));
    HANDLE update = BeginUpdateResourceW(file.c_str(), TRUE);
    ASSERT_NE(update, nullptr);
    const std::string images[] = {TinyIco(0x20).substr(22), std::string("\x89PNG\r\n\x1A\nbroken", 14),
                                  TinyIco(0xE0).substr(22)};
    for (WORD id = 1; id <= 3; ++id) {
        std::string image = images[id - 1], group("\0\0\1\0\1\0\x10\x10\0\0\1\0\x20\0", 14);
        for (unsigned v : {(unsigned)image.size(), (unsigned)id}) group += std::string((const char*)&v, 4);
        group.resize(20);
        ASSERT_TRUE(UpdateResourceW(update, RT_ICON, MAKEINTRESOURCEW(id), 0, image.data(), (DWORD)image.size()));
        ASSERT_TRUE(UpdateResourceW(update, RT_GROUP_ICON, MAKEINTRESOURCEW(id), 0, group.data(), 20));
    }
    ASSERT_TRUE(EndUpdateResourceW(update, FALSE));
    ASSERT_EQ((UINT_PTR)ExtractIconW(nullptr, file.c_str(), (UINT)-1), 3u);
    if (THIcon(ExtractIconW(nullptr, file.c_str(), 1))) GTEST_SKIP() << "the platform reads the damaged icon";
    TImageList list(nullptr, 32, 32);
    ASSERT_TRUE(ImageList_LoadIcoFile(file, list));
    ASSERT_EQ(list.Count(), 3);
    TBitmap canvas;
    canvas.SetSize(96, 32);  // white; the empty middle image shows it
    const COLORREF expected[] = {RGB(0xC0, 0x80, 0x20), RGB(0xFF, 0xFF, 0xFF), RGB(0xC0, 0x80, 0xE0)};
    for (int i = 0; i < 3; ++i) list.Draw(canvas.Canvas(), 32 * i, 0, i);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(GetPixel(canvas.Canvas(), 32 * i + 16, 16), expected[i]) << "image " << i;
}

}  // namespace
