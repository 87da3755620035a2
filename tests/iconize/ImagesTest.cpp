// The shell's system image list and the icons inside icon files.
#include "IconizeTestSupport.h"

#include <shellapi.h>

namespace {

String Shell32() { return SystemFile(L"shell32.dll"); }

TEST(SystemImageList, AttachesSmallAndLargeWithoutOwningThem)
{
    SHFILEINFOW info{};
    auto small = (HIMAGELIST)SHGetFileInfoW(L"", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    auto large = (HIMAGELIST)SHGetFileInfoW(L"", 0, &info, sizeof info, SHGFI_SYSICONINDEX);
    ASSERT_NE(small, nullptr);
    ASSERT_NE(large, nullptr);
    {
        TImageList a(nullptr), b(nullptr);
        ImageList_AttachSys(a, true);
        ImageList_AttachSys(b, false);
        EXPECT_EQ(a.Handle(), small);
        EXPECT_EQ(b.Handle(), large);
        EXPECT_EQ(a.Width(), GetSystemMetrics(SM_CXSMICON));
        EXPECT_EQ(b.Width(), GetSystemMetrics(SM_CXICON));
        EXPECT_TRUE(a.ShareImages());
        // Attaching again, or the other size, keeps referring without owning.
        ImageList_AttachSys(a, false);
        EXPECT_EQ(a.Handle(), large);
    }
    // The components are gone; the shell's lists must still be alive.
    int cx = 0, cy = 0;
    EXPECT_TRUE(ImageList_GetIconSize(small, &cx, &cy)) << "the system list was destroyed with a component";
    EXPECT_GT(ImageList_GetImageCount(large), 0);
}

TEST(SystemImageList, RowIndexesAreTheShellsOwn)
{
    TTempDir dir;
    WriteFileBytes(dir / L"a.txt", "x");
    for (const String& p : {dir.Path(), dir / L"a.txt", Shell32()}) {
        SHFILEINFOW info{};
        SHGetFileInfoW(p.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX);
        EXPECT_EQ(Ico_GetSysIndex(p), info.iIcon) << N(p);
        EXPECT_GE(Ico_GetSysIndex(p), 0) << N(p);
    }
    EXPECT_NE(Ico_GetSysIndex(dir.Path()), Ico_GetSysIndex(dir / L"a.txt"));
}

TEST(IconFileContents, LoadsEveryIconOrNothing)
{
    TImageList list(nullptr, 32, 32);
    UINT expected = (UINT)(UINT_PTR)ExtractIconW(GetModuleHandleW(nullptr), Shell32().c_str(), (UINT)-1);
    ASSERT_GT(expected, 1u);
    ImageList_LoadIcoFile(Shell32(), list);
    EXPECT_EQ((UINT)list.Count(), expected);

    TTempDir dir;
    WriteFileBytes(dir / L"one.ico", TinyIco());
    ImageList_LoadIcoFile(dir / L"one.ico", list);
    EXPECT_EQ(list.Count(), 1) << "loading replaces the list's icons";

    ImageList_LoadIcoFile(dir / L"missing.ico", list);
    EXPECT_EQ(list.Count(), 1) << "a missing file changes nothing";

    // A real module without icon resources (the test programs carry the
    // program's resources, so a system library serves).
    String noIcons;
    for (const wchar_t* name : {L"ntdll.dll", L"kernel32.dll", L"advapi32.dll"}) {
        String p = SystemFile(name);
        if (FileExists(p) && ExtractIconW(GetModuleHandleW(nullptr), p.c_str(), (UINT)-1) == nullptr) {
            noIcons = p;
            break;
        }
    }
    ASSERT_FALSE(noIcons.empty()) << "no system library without icons found";
    ImageList_LoadIcoFile(noIcons, list);
    EXPECT_EQ(list.Count(), 0);

    WriteFileBytes(dir / L"text.txt", "not an icon");
    ImageList_LoadIcoFile(dir / L"text.txt", list);
    EXPECT_EQ(list.Count(), 0);
}

}  // namespace
