// The built program fed what a careless user or a hostile file leaves
// behind: settings.ini, language files, command lines and icon files. It must
// end normally, tell what it refuses, and never lose what the user had set.
#include "Handles.h"
#include "ProgramRun.h"

namespace {

std::string Utf16(const String& s) { return std::string((const char*)s.data(), s.size() * 2); }

String IniRead(const String& file, const wchar_t* section, const wchar_t* key)
{
    wchar_t v[MAX_PATH] = L"";
    GetPrivateProfileStringW(section, key, L"", v, MAX_PATH, file.c_str());
    return v;
}

// Whatever settings.ini holds, every window opens on the screen with a usable
// size, and the program ends normally and writes the file again.
TEST(BadInput, SettingsIniGarbage)
{
    const String big(5000, L'x');
    std::string bin;
    for (int i = 0; i < 4096; ++i) bin += (char)(i * 37 + 11);
    const std::string max = "2147483647", min = "-2147483648";
    const struct {
        const char* Name;
        std::string Bytes;
    } cases[] = {
        {"huge", "[Form1]\r\nTop=" + max + "\r\nLeft=" + max + "\r\nHeight=" + max + "\r\nWidth=" + max +
                     "\r\n[Settings]\r\nSplitMain=" + max + "\r\nSplitSpec=" + max + "\r\nFontSize=" + max +
                     "\r\n[Font]\r\nAll.Size=" + max + "\r\n[elmLVS]\r\nStyle=" + max + "\r\nKolWidth0=" + max +
                     "\r\nKolWidth1=" + max + "\r\nSortCol=" + max + "\r\nSortNap=" + max + "\r\n"},
        {"negative", "[Form1]\r\nTop=-99999\r\nLeft=" + min + "\r\nHeight=-5\r\nWidth=-5\r\n[Settings]\r\n"
                     "SplitMain=-1\r\nSplitSpec=" + min + "\r\n[Font]\r\nAll.Size=" + min + "\r\n"
                     "[icoLVS]\r\nKolWidth0=" + min + "\r\nSortCol=" + min + "\r\n"},
        {"zero", "[Form1]\r\nHeight=0\r\nWidth=0\r\n[Settings]\r\nSplitMain=0\r\n[Font]\r\nAll.Size=0\r\nAll.Name=\r\n"},
        {"off screen", "[Form1]\r\nTop=30000\r\nLeft=-30000\r\nHeight=300\r\nWidth=300\r\n"},
        {"hex", "[Form1]\r\nTop=$FFFFFFFF\r\nLeft=-$80000000\r\nWidth=0x7FFFFFFF\r\n[Colors]\r\nForm1=$FFFFFFFF\r\n"
                "List=-$80000000\r\n[Font]\r\nAll.Color=$FFFFFFFF\r\n"},
        {"long texts", "\xFF\xFE" + Utf16(L"[Settings]\r\nLanguage=" + big + L"\r\nIcoBaza=" + big + L"\r\n[elmLVS]\r\n"
                                          L"Path=C:\\" + big + L"\r\n[Font]\r\nAll.Name=" + big + L"\r\n")},
        {"binary", bin},
        {"binary values", "[FormY]\r\nTop=" + max + "\r\nLeft=" + min + "\r\nHeight=" + max + "\r\n[Settings]\r\n"
                          "IcoBaza=\x01\x02\xFF\r\nLanguage=\x7F\x80\r\n[elmLVS]\r\nPath=\x01\r\n[Font]\r\nAll.Name=\xFF\r\n"},
        {"utf16 without mark", Utf16(L"[Form1]\r\nTop=50\r\n[Settings]\r\nSplitMain=999\r\n")},
        {"lone mark", "\xFF\xFE"},
        {"odd utf16", std::string("\xFF\xFE[\0F\0o\0r\0m\0001\0]\0\r\0\n\0T\0o\0p\0=\0x", 29)},
        {"duplicates", "[Form1]\r\nWidth=-1\r\n[Form1]\r\nWidth=500\r\n[Settings]\r\n[Settings]\r\nSplitMain=5\r\n"},
        {"odd paths", "[FormY]\r\nTop=-99999\r\nLeft=99999\r\nHeight=-1\r\nWidth=0\r\n[elmLVS]\r\nPath=\\\\?\\C:\\x\r\n"
                      "[icoLVS]\r\nPath=\\\\nohost\\share\r\n[Settings]\r\nIcoBaza=CON\r\nLanguage=NUL\r\n"},
    };
    const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    for (const auto& c : cases) {
        TProgFolder prog;
        WriteFileBytes(prog.Settings(), c.Bytes);
        std::vector<RECT> shown;
        TRunResult run = RunDolv(prog, L"", [&](HWND w) { GetWindowRect(w, &shown.emplace_back()); });
        EXPECT_EQ(run.Code, 0u) << c.Name;
        EXPECT_FALSE(shown.empty()) << c.Name;
        for (const RECT& r : shown) {
            EXPECT_TRUE(r.right - r.left >= 100 && r.bottom - r.top >= 50) << c.Name;
            EXPECT_TRUE(r.right > 0 && r.bottom > 0 && r.left < sw && r.top < sh) << c.Name;
        }
        EXPECT_NE(IniRead(prog.Settings(), L"Settings", L"SplitMain"), L"") << c.Name;
    }
}

// A language file that cannot be read as one: told at most, never the end
// of the start, and its own lines stay as they were.
TEST(BadInput, LanguageFiles)
{
    const std::string mb(1 << 20, 'A');
    const std::pair<const char*, std::string> files[] = {
        {"cut utf8", "\xEF\xBB\xBFSet=\xD0\xA3\xD1\r\nBaza=\xE2\x82\r\nIconize=\xF0\x9F\x98"},
        {"lone utf8 mark", "\xEF\xBB\xBF"},
        {"lone utf16 mark", "\xFF\xFE"},
        {"odd utf16", std::string("\xFF\xFES\0e\0t\0=\0X\0\r", 14)},
        {"utf16 big end", std::string("\xFE\xFF\0S\0e\0t\0=\0Y", 12)},
        {"megabyte lines", "Set=" + mb + "\r\n" + mb + "\r\nBaza=" + mb},
        {"no equals", "Set\r\n=\r\n==\r\nBaza\r\n[\r\nLng_RedLineDelimiter=\r\nSet=a%%%b\r\n"},
        {"binary", std::string("\0\1\2\3\xFF\xFE\0\0", 8) + std::string(5000, '\0')},
        {"empty", ""},
    };
    TProgFolder prog;
    CreateDirectoryW((prog.Dir / L"Language").c_str(), nullptr);
    CreateDirectoryW((prog.Dir / L"Language\\dir.lng").c_str(), nullptr);
    for (auto& [name, bytes] : files) {
        WriteFileBytes(prog.Dir / L"Language\\x.lng", bytes);
        WriteFileBytes(prog.Settings(), "[Settings]\r\nLanguage=Language\\x.lng\r\n");
        TRunResult r = RunDolv(prog, L"");
        EXPECT_EQ(r.Code, 0u) << name;
        EXPECT_EQ(r.Windows.size(), 1u) << name;
        EXPECT_EQ(ReadFileBytes(prog.Dir / L"Language\\x.lng").compare(0, bytes.size(), bytes), 0) << name;
    }
    WriteFileBytes(prog.Settings(), "[Settings]\r\nLanguage=Language\\dir.lng\r\n");
    TRunResult r = RunDolv(prog, L"");
    EXPECT_EQ(r.Windows.size(), 1u) << "a language path naming a folder is passed over";
}

// A language file that cannot be opened is told, and the rest of the start
// still reads the user's settings, which the close then keeps.
TEST(BadInput, UnreadableLanguageKeepsTheSettings)
{
    TProgFolder prog;
    WriteFileBytes(prog.Dir / L"x.lng", "Set=S");
    WriteFileBytes(prog.Settings(), "[Settings]\r\nLanguage=x.lng\r\nIconizeCopyIco=0\r\nSplitMain=30\r\n"
                                    "FontTransparent=0\r\n[Colors]\r\nForm1=255\r\n");
    TRunResult r;
    {
        TFileHandle locked(CreateFileW((prog.Dir / L"x.lng").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(locked);
        r = RunDolv(prog, L"");
    }
    EXPECT_EQ(r.Code, 0u);
    EXPECT_EQ(r.Windows.size(), 2u) << "the open error, then the main window";
    for (auto [key, value] : {std::pair{L"IconizeCopyIco", "0"}, std::pair{L"SplitMain", "30"},
                              std::pair{L"FontTransparent", "0"}})
        EXPECT_EQ(N(IniRead(prog.Settings(), L"Settings", key)), value) << N(key);
    EXPECT_EQ(N(IniRead(prog.Settings(), L"Colors", L"Form1")), "255");
}

// Command lines a script or a user may get wrong. A network path is a place
// of its own, never a folder inside the program's folder.
TEST(BadInput, CommandLines)
{
    const struct {
        const wchar_t* Args;  // %d: the program's folder
        DWORD Code;
        size_t Windows;
        const wchar_t* IconFile;  // in test\Desktop.ini; empty: none
    } cases[] = {
        {L"0", 1, 0, L""},
        {L"0 test", 1, 1, L""},
        {L"0 test a.ico 99999999999 0", 1, 1, L""},
        {L"0 test a.ico \"1\r\n[x]\" 0", 1, 1, L""},
        {L"0 test a.ico -2147483648 0", 0, 0, L"a.ico"},
        {L"-0 test a.ico 0 0 extra more", 0, 0, L"a.ico"},
        {L"0 \\\\?\\%d\\test a.ico 0 0", 0, 0, L"a.ico"},
        {L"0 test test 0 0", 1, 1, L""},
        {L"0 C: a.ico x 0", 1, 1, L""},
        {L"0 \\\\nohost\\share a.ico 0 0", 1, 0, L""},
        {L"0 test \\\\nohost\\share\\a.ico 0 0", 1, 1, L""},
        {L"\" 1\" test a.ico 0 0", 0, 1, L""},
        {L"x test a.ico 0 0", 0, 1, L""},
        {L"-1 test a.ico 0 0", 0, 1, L""},
        {L"9999999999", 0, 1, L""},
        {L"1 \\\\?\\C:\\x", 0, 1, L""},
        {L"1 \\\\nohost\\share\\x", 0, 1, L""},
    };
    for (const auto& c : cases) {
        TProgFolder prog;
        for (const wchar_t* d : {L"nohost", L"nohost\\share"}) CreateDirectoryW((prog.Dir / d).c_str(), nullptr);
        CopyFileW((prog.Dir / L"a.ico").c_str(), (prog.Dir / L"nohost\\share\\a.ico").c_str(), FALSE);
        String args = c.Args;
        if (size_t at = args.find(L"%d"); at != String::npos) args.replace(at, 2, prog.Dir.Path());
        TRunResult r = RunDolv(prog, args);
        EXPECT_EQ(r.Code, c.Code) << N(args);
        EXPECT_EQ(r.Windows.size(), c.Windows) << N(args);
        EXPECT_EQ(N(IniRead(prog.Dir / L"test\\Desktop.ini", L".ShellClassInfo", L"IconFile")), N(c.IconFile)) << N(args);
        EXPECT_FALSE(FileExists(prog.Dir / L"nohost\\share\\Desktop.ini")) << N(args);
    }
}

// Icon files that lie about their contents, in the panes and given to mode 0.
TEST(BadInput, BrokenIconFiles)
{
    TProgFolder prog;
    std::string good = ReadFileBytes(prog.Dir / L"a.ico"), distant = good, lots = good;
    distant.replace(18, 4, "\xF0\xFF\xFF\x7F", 4);
    lots[4] = lots[5] = '\xFF';
    const std::pair<const wchar_t*, std::string> files[] = {
        {L"far.ico", distant}, {L"lots.ico", lots}, {L"zero.ico", ""}, {L"head.ico", std::string("\0\0\1\0\1\0", 6)},
        {L"bare.dll", "MZ"}, {L"junk.lnk", std::string(100, '\xFF')}};
    for (auto& [name, bytes] : files) {
        WriteFileBytes(prog.Dir / name, bytes);
        String folder = prog.Dir / (String(L"f_") + name);
        CreateDirectoryW(folder.c_str(), nullptr);
        EXPECT_EQ(RunDolv(prog, L"0 \"" + folder + L"\" \"" + prog.Dir / name + L"\" 0 1").Code, 0u) << N(name);
    }
    WriteFileBytes(prog.Settings(), "[elmLVS]\r\nPath=" + N(prog.Dir.Path()) + "\r\nStyle=1\r\n");
    TRunResult r = RunDolv(prog, L"", [](HWND w) {
        RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    });
    EXPECT_EQ(r.Code, 0u);
    EXPECT_EQ(r.Windows.size(), 1u);
}

}  // namespace

namespace {
BOOL CALLBACK findText(HWND w, LPARAM p)
{
    wchar_t t[64] = L"";
    GetWindowTextW(w, t, 64);
    if (String(t) == L"Kopie") *(bool*)p = true;
    return TRUE;
}

// A settings.ini that may not be written (another program holds it, or the
// user keeps it read-only) still gives its language; only the close tells.
TEST(BadInput, UnwritableSettingsKeepTheirLanguage)
{
    TProgFolder prog;
    WriteFileBytes(prog.Dir / L"x.lng", "Iconize_CopyIco=Kopie\r\n");
    WriteFileBytes(prog.Settings(), "[Settings]\r\nLanguage=x.lng\r\n");
    bool translated = false;
    TRunResult r;
    {
        TFileHandle held(CreateFileW(prog.Settings().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        r = RunDolv(prog, L"", [&](HWND w) { EnumChildWindows(w, findText, (LPARAM)&translated); });
    }
    EXPECT_EQ(r.Code, 0u);
    EXPECT_TRUE(translated);
    ASSERT_EQ(r.Windows.size(), 2u) << "the main window, then the close's write error";
    EXPECT_EQ(N(r.Windows[0]), "Dolv 2021.11");
}

}  // namespace
