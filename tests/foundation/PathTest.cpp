// Paths, path macros and file names, seen with the program folder C:\Tools\App\.
#include "TestSupport.h"
#include "xaModul.h"

#include <shlobj.h>

namespace {

class PathTest : public ::testing::Test {
protected:
    TProgDirOverride dir{L"C:\\Tools\\App\\"};
};

struct Case {
    const wchar_t* in;
    const wchar_t* out;
};

TEST_F(PathTest, ExpandMacrosRelativeAndDots)
{
    const Case cases[] = {
        {L"", L""}, {L"%exe", L"C:\\Tools\\App"}, {L"%EXE\\icons\\", L"C:\\Tools\\App\\icons"},
        {L"%AppDir\\help", L"C:\\Tools\\App\\help"}, {L"%progdir\\help", L"C:\\Tools\\App\\help"},
        {L"%exeX\\y", L"C:\\Tools\\AppX\\y"},  // a macro is a character prefix, not a whole component
        {L"%DOLV_TEST_NOPE%\\x", L"C:\\Tools\\App\\%DOLV_TEST_NOPE%\\x"},
        {L"icons", L"C:\\Tools\\App\\icons"}, {L"\\icons", L"C:\\Tools\\App\\icons"}, {L"/icons", L"C:\\Tools\\App\\icons"},
        {L"icons\\", L"C:\\Tools\\App\\icons\\"},  // a relative path keeps its trailing backslash; a macro path does not
        {L"C:\\a\\b\\..\\c", L"C:\\a\\c"}, {L"..\\Other\\x", L"C:\\Tools\\Other\\x"}, {L"%exe\\..\\x", L"C:\\Tools\\x"},
    };
    for (const Case& c : cases) EXPECT_EQ(N(Path_Expand(c.in)), N(c.out)) << "input " << N(c.in);
}

TEST_F(PathTest, ExpandEnvironmentVariablesInTheFirstComponentOnly)
{
    // 255 characters fit the 256-character buffer; 256 do not. A cut value
    // could name another folder, so a value that does not fit is not used.
    const String fits = L"E:\\" + String(252, L'f'), tooLong = L"E:\\" + String(253, L'g');
    const wchar_t* vars[][2] = {{L"DOLV_A", L"D:\\Data"}, {L"DOLV_B", L"Second"},
                                {L"DOLV_FITS", fits.c_str()}, {L"DOLV_LONG", tooLong.c_str()}};
    for (auto& v : vars) SetEnvironmentVariableW(v[0], v[1]);
    const struct { const wchar_t* in; String out; } cases[] = {
        {L"%dolv_a%\\x\\", L"D:\\Data\\x"},
        {L"%DOLV_A%\\%DOLV_B%\\y", L"D:\\Data\\%DOLV_B%\\y"},  // a second variable further on stays as written
        {L"%DOLV_A%%DOLV_B%\\y", L"D:\\DataSecond\\y"},        // both in the first component are expanded
        {L"%DOLV_B%\\z", L"C:\\Tools\\App\\Second\\z"},       // a value without a colon is relative
        {L"%exe%\\z", L"C:\\Tools\\App%\\z"},                  // the macros win over a variable of the same name
        {L"%DOLV_FITS%\\x", fits + L"\\x"},
        {L"%DOLV_LONG%\\x", L"C:\\Tools\\App\\%DOLV_LONG%\\x"},
        // A long value in a later component is never expanded, so it cannot overflow.
        {L"%DOLV_FITS%\\%DOLV_LONG%", fits + L"\\%DOLV_LONG%"},
    };
    for (const auto& c : cases) EXPECT_EQ(N(Path_Expand(c.in)), N(c.out)) << "input " << N(c.in);
    for (auto& v : vars) SetEnvironmentVariableW(v[0], nullptr);
}

// A colon anywhere, or two backslashes in front (a network share), make a
// path full; everything else is taken from the program folder, one leading
// backslash included, as stored files have it.
TEST_F(PathTest, FullPathsHaveAColonOrBeginWithTwoBackslashes)
{
    SetEnvironmentVariableW(L"DOLV_SHARE", L"\\\\files\\pub");
    const struct { const wchar_t* in; bool full; const wchar_t* out; } cases[] = {
        {L"\\\\server\\share\\x", true, L"\\\\server\\share\\x"},
        {L"\\\\server\\share\\a\\..\\b\\", true, L"\\\\server\\share\\b\\"},
        {L"\\\\icons", true, L"\\\\icons"},
        {L"%DOLV_SHARE%\\x", false, L"\\\\files\\pub\\x"},  // full once expanded
        {L"\\icons", false, L"C:\\Tools\\App\\icons"},
        {L"D:x", true, L"D:x"},
        {L"", false, L""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Path_IsFull(c.in), c.full) << "input " << N(c.in);
        EXPECT_EQ(N(Path_Expand(c.in)), N(c.out)) << "input " << N(c.in);
    }
    SetEnvironmentVariableW(L"DOLV_SHARE", nullptr);
}

TEST_F(PathTest, DesktopMacroAndRebasing)
{
    String desktop = Desktop_Path();
    ASSERT_FALSE(desktop.empty()) << "the prefix has no desktop folder";
    EXPECT_EQ(N(Path_Expand(L"%DESKTOP\\a\\b.ico")), N(desktop + L"\\a\\b.ico"));
    // "%Desktop" is tried before "%exe" and is a character prefix too.
    EXPECT_EQ(N(Path_Expand(L"%desktop2\\x")), N(desktop + L"2\\x"));

    EXPECT_EQ(N(Path_Expand(L"D:\\old\\x\\y", L"D:\\old", L"E:\\new\\")), N(L"E:\\new\\x\\y"));
    EXPECT_EQ(N(Path_Expand(L"D:\\other\\y", L"D:\\old", L"E:\\new")), N(L"D:\\other\\y"));
    // The rebased result still goes through the relative and dots steps.
    EXPECT_EQ(N(Path_Expand(L"D:\\old\\..\\y", L"D:\\old", L"sub")), N(L"C:\\Tools\\App\\y"));
}

TEST_F(PathTest, Collapse)
{
    const struct { const wchar_t *in, *macro, *out; } cases[] = {
        {L"C:\\Tools\\App\\icons\\", L"%exe", L"%exe\\icons"}, {L"C:\\Tools\\App\\", L"%exe", L"%exe"},
        {L"c:\\tools\\app\\Icons", L"%exe", L"%exe\\Icons"},  {L"D:\\x", L"%exe", L"D:\\x"},
        {L"C:\\Tools\\App2\\x", L"%exe", L"%exe2\\x"},
        {L"C:\\Tools\\App2\\x", L"", L"C:\\Tools\\App2\\x"},  // without a macro a sibling folder stays absolute
        {L"C:\\Tools\\App\\Language\\de.lng", L"", L"Language\\de.lng"}, {L"C:\\Tools\\App\\", L"", L""},
        {L"D:\\x", L"", L"D:\\x"},
    };
    for (const auto& c : cases) EXPECT_EQ(N(Path_Collapse(c.in, c.macro)), N(c.out)) << N(c.in) << " " << N(c.macro);
}

TEST_F(PathTest, IsUnderAndRebase)
{
    const struct { const wchar_t *base, *path; bool under; const char* rest; /* emptied when not under */ } cases[] = {
        {L"", L"C:\\a", false, ""},
        {L"C:\\Tools\\App", L"C:\\Tools\\AppData\\x", true, "Data\\x"},
        {L"c:\\TOOLS\\", L"C:\\Tools\\", true, ""},
        {L"C:\\Tools\\App", L"C:\\Tool", false, ""},
        {L"C:\\A", L"C:\\B\\x", false, ""},
        // Locale-aware upper-casing: non-ASCII letters match in either case.
        {L"C:\\\u041F\u0430\u043F\u043A\u0430", L"c:\\\u043F\u0410\u041F\u041A\u0410\\x", true, "\\x"},
    };
    for (const auto& c : cases) {
        String rest = L"junk";
        EXPECT_EQ(Path_IsUnder(c.base, c.path, rest), c.under) << N(c.path) << " under " << N(c.base);
        EXPECT_EQ(N(rest), c.rest) << N(c.path) << " under " << N(c.base);
    }
    EXPECT_EQ(N(Path_Rebase(L"C:\\a\\b", L"", L"X:")), "C:\\a\\b");
    EXPECT_EQ(N(Path_Rebase(L"C:\\a\\b", L"C:\\a", L"")), "b");
    EXPECT_EQ(N(Path_Rebase(L"C:\\a/b", L"C:\\a", L"")), "b");
    EXPECT_EQ(N(Path_Rebase(L"C:\\a\\b\\", L"C:\\a\\", L"X:\\y\\")), "X:\\y\\b");
}

TEST_F(PathTest, ResolveDotsKeepsNamesWithTwoDots)
{
    const Case cases[] = {
        {L"C:\\a\\b..c.txt", L"C:\\a\\b..c.txt"}, {L"C:\\a\\..b\\c", L"C:\\a\\..b\\c"},
        {L"C:\\a\\b..\\c", L"C:\\a\\b..\\c"},     {L"C:\\a\\...\\c", L"C:\\a\\...\\c"},
        {L"C:\\a\\b\\..", L"C:\\a\\"},            {L"C:\\a\\b..c\\..\\d", L"C:\\a\\d"},
        {L"C:\\a\\b\\c\\..\\..\\d", L"C:\\a\\d"}, {L"..\\x", L"\\x"}, {L"no dots", L"no dots"},
    };
    for (const Case& c : cases) EXPECT_EQ(N(Path_ResolveDots(c.in)), N(c.out)) << "input " << N(c.in);
}

// ".." stops at the root of a path: a drive, a share, or a volume or share
// in the long form. Climbing past a share's root would name a folder of the
// current drive, which is what a mode 0 call then iconized.
TEST_F(PathTest, ResolveDotsNeverClimbsAboveTheRoot)
{
    const struct { const wchar_t *in, *out; bool platform; /* as GetFullPathNameW gives it */ } cases[] = {
        {L"\\\\srv\\share\\..\\..\\Folder", L"\\\\srv\\share\\Folder", true},
        {L"\\\\srv\\a\\..\\b", L"\\\\srv\\a\\b", true},
        {L"\\\\srv\\share\\..", L"\\\\srv\\share\\", true},
        {L"\\\\srv\\share\\x\\y\\..\\..\\..\\z", L"\\\\srv\\share\\z", true},
        {L"\\\\srv\\share\\x\\..\\y\\", L"\\\\srv\\share\\y\\", true},
        {L"C:\\x\\..\\..\\y", L"C:\\y", true},
        {L"C:\\..", L"C:\\", true},
        {L"\\\\?\\UNC\\srv\\share\\..", L"\\\\?\\UNC\\srv\\share\\", false},
        {L"\\\\?\\unc\\srv\\share\\a\\..\\..\\b", L"\\\\?\\unc\\srv\\share\\b", false},
        {L"\\\\?\\C:\\a\\..\\..\\b", L"\\\\?\\C:\\b", false},
        {L"\\\\.\\C:\\..\\b", L"\\\\.\\C:\\b", false},
        {L"\\\\.\\UNC\\srv\\share\\..\\..\\b", L"\\\\.\\UNC\\srv\\share\\b", false},
        {L"\\\\srv\\..\\x", L"\\\\srv\\..\\x", false},  // ".." as a share's name is no step
        {L"\\\\srv", L"\\\\srv", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(N(Path_ResolveDots(c.in)), N(c.out)) << "input " << N(c.in);
        EXPECT_EQ(N(Path_Expand(c.in)), N(c.out)) << "input " << N(c.in);
        if (!c.platform) continue;
        wchar_t full[MAX_PATH] = L"";
        GetFullPathNameW(c.in, MAX_PATH, full, nullptr);
        EXPECT_EQ(N(full), N(c.out)) << "the platform takes " << N(c.in) << " otherwise";
    }
}

TEST_F(PathTest, SplitParentExtensionAndNameWithoutIt)
{
    const struct { const wchar_t* in; bool delim; const wchar_t *folder, *name; } split[] = {
        {L"C:\\a\\b\\", false, L"C:\\a", L"b"}, {L"C:\\a\\b\\", true, L"C:\\a\\", L"b"},
        {L"C:\\a", true, L"C:\\", L"a"},        {L"C:\\a", false, L"C:", L"a"},
        {L"C:\\", false, L"", L"C:"},           {L"C:\\", true, L"\\", L"C:"},
        {L"name", false, L"", L"name"},         {L"", true, L"", L""},
        {L"\\\\server\\share", false, L"\\\\server", L"share"},
    };
    for (const auto& c : split) {
        String name = L"junk";
        EXPECT_EQ(N(Path_Split(c.in, name, c.delim)), N(c.folder)) << "input " << N(c.in);
        EXPECT_EQ(N(name), N(c.name)) << "input " << N(c.in);
        EXPECT_EQ(N(Path_Parent(c.in, c.delim)), N(c.folder)) << "input " << N(c.in);
    }
    const Case ext[] = {
        {L"archive.tar.gz", L"gz"}, {L".hidden", L"hidden"}, {L"C:\\dir.x\\file", L""}, {L"C:\\a\\file.", L""},
        {L"D:file.txt", L"txt"},    {L"C:.x", L"x"},         {L"C:\\a.b\\", L""},       {L"", L""},
    };
    for (const Case& c : ext) EXPECT_EQ(N(File_Ext(c.in)), N(c.out)) << "input " << N(c.in);
    const Case name[] = {
        {L"C:\\a\\Pic.ico", L"Pic"}, {L"C:\\a\\file.", L"file"}, {L".hidden", L""},    {L"C:\\a\\", L""},
        {L"C:\\dir.x\\file", L"file"}, {L"a.b.c", L"a.b"},       {L"D:x.y", L"x"},     {L"", L""},
    };
    for (const Case& c : name) EXPECT_EQ(N(File_NameNoExt(c.in)), N(c.out)) << "input " << N(c.in);
}

TEST(Folders, TheProgramsIsTheRunningModulesSpecialOnesResolveOrGiveEmpty)
{
    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    EXPECT_EQ(N(Prog_Dir() + ExtractFileName(exe)), N(exe));
    String windows = SpecialFolder_Path(CSIDL_WINDOWS);
    EXPECT_TRUE(DirectoryExists(windows) && windows.back() != L'\\') << N(windows);
    EXPECT_EQ(N(SpecialFolder_Path(0x7F)), "");  // no such folder
}

}  // namespace
