// The built dolv.exe: its resources as Windows reads them, and the program
// started from a copy of its folder with command lines and settings.ini
// files, its windows seen and closed from outside, its results on disk.
#include "Classes.h"
#include "Handles.h"
#include "IconizeTestSupport.h"
#include "TestSupport.h"
#include "xaIconize.h"

#include <shellapi.h>

#include <algorithm>

namespace {

String DolvExe()
{
    wchar_t me[MAX_PATH];
    GetModuleFileNameW(nullptr, me, MAX_PATH);
    String dir = ExtractFilePath(me);  // ...\build\tests\ -> ...\build\dolv.exe
    return ExtractFilePath(ExcludeTrailingPathDelimiter(dir)) + L"dolv.exe";
}

// The program's folder as a user has it: dolv.exe, an icon, a folder "test".
struct TProgFolder {
    TTempDir Dir;
    TProgFolder()
    {
        CopyFileW(DolvExe().c_str(), (Dir / L"dolv.exe").c_str(), FALSE);
        CopyFileW((ExtractFilePath(DolvExe()) + L"icons\\folder.ico").c_str(), (Dir / L"a.ico").c_str(), FALSE);
        CreateDirectoryW((Dir / L"test").c_str(), nullptr);
    }
    String Settings() const { return Dir / L"settings.ini"; }
};

struct TSeen {
    DWORD Pid = 0;
    HWND Found = nullptr;
    std::vector<HWND> Closed;  // asked to close already
};

BOOL CALLBACK findShown(HWND w, LPARAM p)
{
    auto* s = (TSeen*)p;
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid == s->Pid && IsWindowVisible(w) && std::find(s->Closed.begin(), s->Closed.end(), w) == s->Closed.end())
        s->Found = w;
    return !s->Found;
}

struct TRunResult {
    DWORD Code = 99;
    std::vector<String> Windows;  // captions of the windows it showed, in order
};

// Runs dolv.exe with Args; every window it shows is recorded, handed to
// OnWindow and closed. Ends it (a failure) when it runs past 30 s.
TRunResult RunDolv(const TProgFolder& prog, const String& args,
                   const std::function<void(HWND)>& onWindow = nullptr)
{
    String exe = prog.Dir / L"dolv.exe", cmd = L"\"" + exe + L"\" " + args;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    TRunResult r;
    if (!CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        ADD_FAILURE() << "cannot start " << N(exe);
        return r;
    }
    THandle process(pi.hProcess), thread(pi.hThread);
    TSeen seen;
    seen.Pid = pi.dwProcessId;
    DWORD start = GetTickCount();
    while (WaitForSingleObject(pi.hProcess, 20) == WAIT_TIMEOUT) {
        if (GetTickCount() - start > 30000) {
            TerminateProcess(pi.hProcess, 99);
            ADD_FAILURE() << "dolv.exe " << N(args) << " did not end within 30 s";
            break;
        }
        seen.Found = nullptr;
        EnumWindows(findShown, (LPARAM)&seen);
        if (!seen.Found) continue;
        DWORD_PTR idle;
        SendMessageTimeoutW(seen.Found, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &idle);
        wchar_t text[256] = L"";
        GetWindowTextW(seen.Found, text, 256);
        r.Windows.push_back(text);
        if (onWindow) onWindow(seen.Found);
        PostMessageW(seen.Found, WM_CLOSE, 0, 0);
        seen.Closed.push_back(seen.Found);
    }
    GetExitCodeProcess(pi.hProcess, &r.Code);
    return r;
}

BOOL CALLBACK addText(HWND w, LPARAM texts)
{
    wchar_t t[512] = L"";
    DWORD_PTR got;  // asked of the window itself: another process's edit keeps its text there
    SendMessageTimeoutW(w, WM_GETTEXT, 512, (LPARAM)t, SMTO_NORMAL, 5000, &got);
    *(String*)texts += String(t) + L"|";
    return TRUE;
}

// The texts of a window's controls.
String WindowTexts(HWND w)
{
    String texts;
    EnumChildWindows(w, addText, (LPARAM)&texts);
    return texts;
}

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

    // Mode 0 shows no window: the window layer's libraries are not loaded with the program.
    image = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(image, nullptr);
    auto* base = (const BYTE*)((UINT_PTR)image & ~(UINT_PTR)3);
    auto* nt = (const IMAGE_NT_HEADERS*)(base + ((const IMAGE_DOS_HEADER*)base)->e_lfanew);
    DWORD at = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    std::string imports;
    for (auto* d = (const IMAGE_IMPORT_DESCRIPTOR*)(base + at); at && d->Name; ++d)
        imports += std::string(" ") + (const char*)(base + d->Name);
    FreeLibrary(image);
    EXPECT_NE(imports.find("USER32"), std::string::npos) << imports;
    for (const char* dll : {"COMCTL32", "COMDLG32"}) EXPECT_EQ(imports.find(dll), std::string::npos) << imports;
}

// Mode 0 never shows the main window and never writes settings.ini; its exit
// code tells a script whether the element was iconized.
TEST(Program, ModeZeroIconizesWithoutWindow)
{
    struct TCase {
        const wchar_t* Args;  // %d: the program's folder
        DWORD Code;
        const wchar_t* IconFile;  // in test\Desktop.ini; empty: none
        bool NoIcon = false;      // told that the icon does not exist
    } cases[] = {
        {L"0 \"%d\\test\" \"%d\\a.ico\" 0 0", 0, L"a.ico"},
        {L"0 \"%d\\test\" \"%d\\a.ico\" 0", 0, L"Desktop.ico"},
        {L"0 \"%%exe\\test\" a.ico 0 0", 0, L"a.ico"},
        {L"0 test a.ico 0 0", 0, L"a.ico"},
        {L"0 missing a.ico 0 0", 1, L""},
        {L"0 \\\\nohost\\share a.ico 0 0", 1, L""},  // a network path, never a folder of the program's
        // Steps above the share stay on it: never the current drive's folder of that path (%r: %d less its drive).
        {L"0 \"\\\\nohost\\share\\..\\..%r\\test\" a.ico 0 0", 1, L""},
        // A device is no icon file: reading one may never end.
        {L"0 test NUL 0 0", 1, L"", true},
        {L"0 test con 0 0", 1, L"", true},
        {L"0 test COM1 0", 1, L"", true},
        {L"0 test LPT1.ico 0 0", 1, L"", true},
        {L"0 test \"%d\\test\\NUL.ico\" 0 0", 1, L"", true},
    };
    for (const TCase& c : cases) {
        TProgFolder prog;
        for (const wchar_t* d : {L"nohost", L"nohost\\share"}) CreateDirectoryW((prog.Dir / d).c_str(), nullptr);
        // The program runs on the drive of its folder.
        struct TCurrentDir {
            wchar_t Was[MAX_PATH] = L"";
            explicit TCurrentDir(const String& dir) { GetCurrentDirectoryW(MAX_PATH, Was), SetCurrentDirectoryW(dir.c_str()); }
            ~TCurrentDir() { SetCurrentDirectoryW(Was); }
        } current(prog.Dir.Path());
        String args = c.Args;
        for (size_t at; (at = args.find(L"%d")) != String::npos;) args.replace(at, 2, prog.Dir.Path());
        if (size_t at = args.find(L"%r"); at != String::npos) args.replace(at, 2, prog.Dir.Path().substr(2));
        if (size_t at = args.find(L"%%"); at != String::npos) args.erase(at, 1);
        String told;
        TRunResult r = RunDolv(prog, args, [&](HWND w) { told += WindowTexts(w); });
        EXPECT_EQ(r.Code, c.Code) << N(args);
        EXPECT_EQ(r.Windows.size(), c.NoIcon ? 1u : 0u) << N(args) << ": " << N(told);
        EXPECT_EQ(told.find(Iconize_Msg_NoIcon) != String::npos, c.NoIcon) << N(args) << ": " << N(told);
        wchar_t icon[MAX_PATH] = L"";
        GetPrivateProfileStringW(L".ShellClassInfo", L"IconFile", L"", icon, MAX_PATH, (prog.Dir / L"test\\Desktop.ini").c_str());
        EXPECT_EQ(N(icon), N(c.IconFile)) << N(args);
        EXPECT_EQ(FileExists(prog.Settings()), c.NoIcon) << "only the message box keeps its place: " << N(args);
        EXPECT_FALSE(FileExists(prog.Dir / L"nohost\\share\\Desktop.ini")) << N(args);
    }
}

// A type named as the element is taken as the type; an index that is no
// number is told and reported to the caller, never a crash.
TEST(Program, ModeZeroFileTypeAndBadIndex)
{
    TRegSnapshot keep(HKEY_CLASSES_ROOT, {L".dolvtest", L"dolvtestfile"});
    TProgFolder prog;
    String ico = prog.Dir / L"a.ico";
    TRunResult r = RunDolv(prog, L"0 .dolvtest \"" + ico + L"\" 0 0");
    EXPECT_EQ(r.Code, 0u);
    String file;
    int index = -5;
    EXPECT_TRUE(Iconize_Get_Ext(L"dolvtest", file, index));
    EXPECT_EQ(N(file), N(ico));
    EXPECT_EQ(RunDolv(prog, L"0 .EXE \"" + ico + L"\" 0 0").Code, 1u) << "a type left alone is not done";
    r = RunDolv(prog, L"0 .dolvtest \"" + ico + L"\" abc 0");
    EXPECT_EQ(r.Code, 1u);
    EXPECT_EQ(r.Windows.size(), 1u) << "the conversion error is shown once";
    Iconize_Clear_Ext(L"dolvtest");
    r = RunDolv(prog, L"0 .dolvdevice NUL 0 0");
    EXPECT_EQ(r.Code, 1u) << "a device is no icon, for a type either";
    EXPECT_EQ(r.Windows.size(), 1u);
    // Written as a type, yet no file has it: told, nothing written; taken as a
    // path, it would be the program's folder.
    for (const wchar_t* element : {L"...", L"\". \"", L".*"}) {
        r = RunDolv(prog, String(L"0 ") + element + L" \"" + ico + L"\" 0 0");
        EXPECT_EQ(r.Code, 1u) << N(element);
        EXPECT_EQ(r.Windows.size(), 1u) << N(element);
    }
    for (const wchar_t* key : {L".dolvdevice", L"...", L"..file", L". ", L" file", L".*", L"*file"}) {
        THKey k;
        EXPECT_NE(RegOpenKeyExW(HKEY_CLASSES_ROOT, key, 0, KEY_READ, k.Put()), ERROR_SUCCESS) << N(key);
    }
    EXPECT_FALSE(FileExists(prog.Dir / L"Desktop.ini"));
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
    // The settings window was never opened: no place of its own, so it opens centred.
    EXPECT_EQ(text.find(L"[FormSettings]"), String::npos);
    WritePrivateProfileStringW(L"FormSettings", L"Left", L"60", prog.Settings().c_str());
    r = RunDolv(prog, L"", [&](HWND w) { maximized = IsZoomed(w); });
    EXPECT_TRUE(maximized) << "the second start restores the placement";
    EXPECT_EQ(N(IniValue(prog.Settings(), L"FormSettings", L"Left") + L"|" +
                IniValue(prog.Settings(), L"FormSettings", L"Top")),
              "60|<none>")
        << "a place left by an earlier run stays as it was";

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
                                     "[elmLVS]\r\nStyle=9\r\nPath=Q:\\nowhere\r\nKolWidth0=-3\r\n[Form1]\r\nTop=x\r\nWidth=-5\r\n",
                                 "[Settings]\r\nLanguage=COM1\r\n"}) {  // a device, which may never answer
        WriteFileBytes(prog.Settings(), settings);
        r = RunDolv(prog, L"");
        EXPECT_EQ(r.Code, 0u);
        ASSERT_EQ(r.Windows.size(), 1u) << "no message or exception box: " << settings;
        EXPECT_EQ(N(r.Windows[0]), "Dolv 2021.11");
    }
}

// A pane's folder outside the code page of an ANSI settings.ini: the file
// turns UTF-16 with every other line kept, and the next start opens there.
TEST(Program, AnAnsiSettingsFileTakesAFolderOutsideItsCodePage)
{
    TProgFolder prog;
    String photos = prog.Dir / L"\u0424\u043E\u0442\u043E \u65E5\u672C";  // "Фото 日本"
    CreateDirectoryW(photos.c_str(), nullptr);
    WriteFileBytes(photos + L"\\a.txt", "a");
    const std::string theirs = "; kept by hand\r\n[Mine]\r\nNote=caf\xE9\r\n[Settings]\r\nSplitMain=30\r\n";
    WriteFileBytes(prog.Settings(), theirs);
    RunDolv(prog, L"\"" + photos + L"\\a.txt\"");  // the element pane opens at the element's folder
    RunDolv(prog, L"");
    EXPECT_EQ(N(IncludeTrailingPathDelimiter(IniValue(prog.Settings(), L"elmLVS", L"Path"))),
              N(IncludeTrailingPathDelimiter(photos)));
    std::string bytes = ReadFileBytes(prog.Settings());
    TTextEncoding encoding;
    String now = DecodeText(bytes, encoding), before = DecodeText(theirs, encoding);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(N(now.substr(0, before.find(L"SplitMain"))), N(before.substr(0, before.find(L"SplitMain"))));
    EXPECT_EQ(GetPrivateProfileIntW(L"Settings", L"SplitMain", 0, prog.Settings().c_str()), 30u);
}

BOOL CALLBACK findKopie(HWND w, LPARAM found)
{
    wchar_t t[16] = L"";
    GetWindowTextW(w, t, 16);
    *(bool*)found |= String(t) == L"Kopie";
    return TRUE;
}

// A language file another program holds is told, and the settings after it
// are still read (the close would write defaults over them); a settings.ini
// that may not be written still gives its language, and only the close tells.
TEST(Program, HeldFilesLoseNoSettings)
{
    TProgFolder prog;
    WriteFileBytes(prog.Dir / L"x.lng", "Iconize_CopyIco=Kopie\r\n");
    WriteFileBytes(prog.Settings(), "[Settings]\r\nLanguage=x.lng\r\nIconizeCopyIco=0\r\nSplitMain=30\r\n");
    for (bool holdLanguage : {true, false}) {
        bool translated = false;
        TRunResult r;
        {
            TFileHandle held(CreateFileW((holdLanguage ? prog.Dir / L"x.lng" : prog.Settings()).c_str(), GENERIC_READ,
                                         holdLanguage ? 0 : FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
            r = RunDolv(prog, L"", [&](HWND w) { EnumChildWindows(w, findKopie, (LPARAM)&translated); });
        }
        EXPECT_EQ(r.Code, 0u);
        EXPECT_EQ(r.Windows.size(), 2u) << holdLanguage;
        EXPECT_EQ(translated, !holdLanguage);
        EXPECT_EQ(GetPrivateProfileIntW(L"Settings", L"IconizeCopyIco", 9, prog.Settings().c_str()), 0u) << holdLanguage;
        EXPECT_EQ(GetPrivateProfileIntW(L"Settings", L"SplitMain", 9, prog.Settings().c_str()), 30u) << holdLanguage;
    }
}

}  // namespace
