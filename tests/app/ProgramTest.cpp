// The built dolv.exe: its resources as Windows reads them, and the program
// started from a copy of its folder with command lines and settings.ini
// files, its windows seen and closed from outside, its results on disk.
#include "ProgramRun.h"
#include "xaIconize.h"

#include <shellapi.h>

#include <algorithm>

namespace {

TEST(Program, CarriesVersionManifestAndIcon)
{
    String exe = DolvExe();
    DWORD size = GetFileVersionInfoSizeW(exe.c_str(), nullptr);
    ASSERT_GT(size, 0u) << N(exe);
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoW(exe.c_str(), 0, size, block.data()));
    for (auto [name, expected] : {std::pair{L"ProductName", "Dolv"}, std::pair{L"ProductVersion", "2021.11"}}) {
        wchar_t* value = nullptr;
        UINT len = 0;
        VerQueryValueW(block.data(), (String(L"\\StringFileInfo\\040904B0\\") + name).c_str(), (void**)&value, &len);
        EXPECT_EQ(N(value ? value : L"<none>"), expected) << N(name);
    }

    HMODULE image = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(image, nullptr);
    HRSRC manifest = FindResourceW(image, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
    ASSERT_NE(manifest, nullptr);
    std::string text((const char*)LockResource(LoadResource(image, manifest)), SizeofResource(image, manifest));
    FreeLibrary(image);
    for (const char* part : {"Microsoft.Windows.Common-Controls", "version=\"6.0.0.0\"", "asInvoker", "dpiAware"})
        EXPECT_NE(text.find(part), std::string::npos) << part;
    EXPECT_GE((UINT_PTR)ExtractIconW(GetModuleHandleW(nullptr), exe.c_str(), (UINT)-1), 1u);
}

// Mode 0 never shows the main window and never writes settings.ini; its exit
// code tells a script whether the element was iconized.
TEST(Program, ModeZeroIconizesWithoutWindow)
{
    struct TCase {
        const wchar_t* Args;  // %d: the program's folder
        DWORD Code;
        const wchar_t* IconFile;  // in test\Desktop.ini; empty: none
    } cases[] = {
        {L"0 \"%d\\test\" \"%d\\a.ico\" 0 0", 0, L"a.ico"},
        {L"0 \"%d\\test\" \"%d\\a.ico\" 0", 0, L"Desktop.ico"},
        {L"0 \"%%exe\\test\" a.ico 0 0", 0, L"a.ico"},
        {L"0 test a.ico 0 0", 0, L"a.ico"},
        {L"0 missing a.ico 0 0", 1, L""},
    };
    for (const TCase& c : cases) {
        TProgFolder prog;
        String args = c.Args;
        for (size_t at; (at = args.find(L"%d")) != String::npos;) args.replace(at, 2, prog.Dir.Path());
        if (size_t at = args.find(L"%%"); at != String::npos) args.erase(at, 1);
        TRunResult r = RunDolv(prog, args);
        EXPECT_EQ(r.Code, c.Code) << N(args);
        EXPECT_TRUE(r.Windows.empty()) << N(args) << ": " << N(r.Windows.empty() ? L"" : r.Windows[0]);
        wchar_t icon[MAX_PATH] = L"";
        GetPrivateProfileStringW(L".ShellClassInfo", L"IconFile", L"", icon, MAX_PATH, (prog.Dir / L"test\\Desktop.ini").c_str());
        EXPECT_EQ(N(icon), N(c.IconFile)) << N(args);
        EXPECT_FALSE(FileExists(prog.Settings())) << N(args);
    }
}

// A type named as the element is taken as the type; an index that is no
// number is told and reported to the caller, never a crash.
TEST(Program, ModeZeroFileTypeAndBadIndex)
{
    TProgFolder prog;
    String ico = prog.Dir / L"a.ico";
    TRunResult r = RunDolv(prog, L"0 .dolvtest \"" + ico + L"\" 0 0");
    EXPECT_EQ(r.Code, 0u);
    String file;
    int index = -5;
    EXPECT_TRUE(Iconize_Get_Ext(L"dolvtest", file, index));
    EXPECT_EQ(N(file), N(ico));
    r = RunDolv(prog, L"0 .dolvtest \"" + ico + L"\" abc 0");
    EXPECT_EQ(r.Code, 1u);
    EXPECT_EQ(r.Windows.size(), 1u) << "the conversion error is shown once";
    Iconize_Clear_Ext(L"dolvtest");
}

// The window's own runs: a first start, the close list, a second start, and
// settings.ini files a user or another program may have left.
TEST(Program, StartsClosesAndSurvivesSettings)
{
    TProgFolder prog;
    bool maximized = false;
    TRunResult r = RunDolv(prog, L"", [&](HWND w) { maximized = IsZoomed(w); });
    EXPECT_EQ(r.Code, 0u);
    ASSERT_EQ(r.Windows.size(), 1u);
    EXPECT_EQ(N(r.Windows[0]), "Dolv 2021.11");
    EXPECT_TRUE(maximized) << "first start without settings.ini";
    std::string ini = ReadFileBytes(prog.Settings());
    EXPECT_EQ(ini.substr(0, 2), "\xFF\xFE") << "settings.ini is made as UTF-16";
    String text((const wchar_t*)ini.data() + 1, ini.size() / 2 - 1);
    for (const wchar_t* key : {L"FontSize=", L"SplitMain=", L"SplitSpec=", L"IconizeCopyIco=", L"FontTransparent=",
                               L"ExecuteByDblClick=", L"IcoBaza=", L"All.Name=", L"All.Strike=", L"[Colors]",
                               L"Form1=", L"List=", L"[Form1]", L"[elmLVS]", L"[icoLVS]"})
        EXPECT_NE(text.find(key), String::npos) << N(key);
    EXPECT_LT(text.find(L"FontSize="), text.find(L"IcoBaza=")) << "written in the close's order";
    r = RunDolv(prog, L"", [&](HWND w) { maximized = IsZoomed(w); });
    EXPECT_TRUE(maximized) << "the second start restores the placement";

    // A settings file that cannot be written (a folder of that name): told
    // once, and the program still ends.
    DeleteFileW(prog.Settings().c_str());
    CreateDirectoryW(prog.Settings().c_str(), nullptr);
    r = RunDolv(prog, L"");
    RemoveDirectoryW(prog.Settings().c_str());
    EXPECT_EQ(r.Code, 0u);
    EXPECT_EQ(r.Windows.size(), 2u) << "the main window, then the write error";

    for (const char* settings : {"", "[Settings]\r\nSplitMain=x\r\nSplitSpec=\r\nFontSize=q\r\nIconizeCopyIco=yes\r\n"
                                     "FontTransparent=-\r\nLanguage=Language\\none.lng\r\n[Font]\r\nAll.Size=z\r\n"
                                     "All.Color=nocolor\r\nAll.Name=\r\n[Colors]\r\nForm1=red\r\nList=%\r\n"
                                     "[elmLVS]\r\nStyle=9\r\nPath=Q:\\nowhere\r\nKolWidth0=-3\r\n[Form1]\r\nTop=x\r\nWidth=-5\r\n"}) {
        WriteFileBytes(prog.Settings(), settings);
        r = RunDolv(prog, L"");
        EXPECT_EQ(r.Code, 0u);
        ASSERT_EQ(r.Windows.size(), 1u) << "no message or exception box: " << settings;
        EXPECT_EQ(N(r.Windows[0]), "Dolv 2021.11");
    }
}

}  // namespace
