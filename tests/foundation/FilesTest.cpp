// File routines on real files in temporary folders: folder emptiness, sizes,
// devices, shortcuts made and read back, and what the shell's file operation
// is asked.
#include "ShellOpSupport.h"
#include "xaModul.h"

#include <objbase.h>
#include <shlobj.h>
#include <winioctl.h>

#include <algorithm>
#include <functional>

namespace {

TEST(FolderEntriesAndFileSizes, AnyEntryCountsSizesKeepEveryBit)
{
    TTempDir empty, hidden, sub;
    WriteFileBytes(hidden / L"h.txt", "x");
    SetFileAttributesW((hidden / L"h.txt").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    CreateDirectoryW((sub / L"sub").c_str(), nullptr);
    const struct {
        String path;
        bool has;
    } cases[] = {
        {empty.Path(), false}, {empty / L"missing", false}, {L"", false},  // "" is not the current drive's root
        {hidden.Path(), true}, {hidden.Path() + L"\\", true}, {sub.Path(), true},
        {hidden / L"h.txt", false},  // a file is not a folder to search
    };
    for (const auto& c : cases) EXPECT_EQ(Dir_HasItems(c.path), c.has) << N(c.path);

    WriteFileBytes(empty / L"five.bin", "12345");
    SetFileAttributesW((empty / L"five.bin").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
    WriteFileBytes(empty / L"empty.bin", "");
    for (auto [name, size] : {std::pair{L"missing.bin", -1}, std::pair{L"", -1}, std::pair{L"five.bin", 5},
                              std::pair{L"empty.bin", 0}})
        EXPECT_EQ(File_GetSize(*name ? empty / name : String()), size) << N(name);

    // Sizes past 2 GiB and 4 GiB keep every bit (a sparse file: no disk used).
    for (int64_t size : {int64_t(3) << 30, (int64_t(4) << 30) + 7}) {
        String big = empty / L"big.bin";
        TFileHandle h(CreateFileW(big.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(h);
        DWORD ret = 0;
        DeviceIoControl(h.Get(), FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &ret, nullptr);
        LARGE_INTEGER at;
        at.QuadPart = size;
        ASSERT_TRUE(SetFilePointerEx(h.Get(), at, nullptr, FILE_BEGIN) && SetEndOfFile(h.Get())) << size;
        h.Reset();
        EXPECT_EQ(File_GetSize(big), size);
    }
}

// A folder read in batches gives what the find functions give, over more
// than one batch, with sizes and marks; what is no folder to list is not open.
TEST(FolderEntriesAndFileSizes, BatchesGiveWhatTheFindFunctionsGive)
{
    TTempDir dir;
    // Names long enough that the entries take more than one batch.
    const String pad(240, L'n');
    for (int i = 0; i < 2000; ++i) WriteFileBytes(dir / (pad + std::to_wstring(i)), std::string(i % 7, 'x'));
    CreateDirectoryW((dir / L"sub").c_str(), nullptr);
    SetFileAttributesW((dir / (pad + L"3")).c_str(), FILE_ATTRIBUTE_HIDDEN);
    auto line = [](std::wstring_view name, DWORD attributes, int64_t size) {
        return N(String(name)) + "|" + std::to_string(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN)) +
               "|" + std::to_string(size);
    };
    std::vector<std::string> found, batched;
    WIN32_FIND_DATAW fd;
    TFindHandle find(FindFirstFileW((dir / L"*.*").c_str(), &fd));
    ASSERT_TRUE(find);
    do found.push_back(line(fd.cFileName, fd.dwFileAttributes, (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : fd.nFileSizeLow));
    while (FindNextFileW(find.Get(), &fd));
    TFolderEntries entries(dir.Path());
    ASSERT_TRUE(entries.Open());
    for (TFolderEntry e; entries.Next(e);)
        batched.push_back(line(e.Name, e.Attributes, (e.Attributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : e.Size));
    std::sort(found.begin(), found.end());
    std::sort(batched.begin(), batched.end());
    EXPECT_EQ(found.size(), 2000u + 3);  // ".", "..", the files and "sub"
    EXPECT_TRUE(found == batched) << found.size() << " against " << batched.size();

    for (const String& none : {dir / L"missing", dir / (pad + L"1"), String()}) {  // a file is no folder to list
        TFolderEntries e(none);
        EXPECT_FALSE(e.Open()) << N(none);
        TFolderEntry entry;
        EXPECT_FALSE(e.Next(entry)) << N(none);
    }
}

// Only a regular file exists as a file: a device answers to its name in any
// folder and with any extension, and reading one may never end.
TEST(FileExists, DevicesAreNoFiles)
{
    TTempDir dir;
    for (const wchar_t* name : {L"COM10.ico", L"nul_x.ico", L"CONSOLE.ico", L"x.NUL", L"AUXX"}) WriteFileBytes(dir / name, "x");
    const struct {
        String path;
        bool device;
    } cases[] = {
        {L"NUL", true}, {L"nul", true}, {L"CON", true}, {L"PRN", true}, {L"aux", true}, {L"COM1", true},
        {L"com9", true}, {L"LPT1.ico", true}, {dir / L"NUL.ico", true}, {dir / L"Con.tar.gz", true},
        {L"NUL  ", true}, {L"NUL. .", true}, {L"COM1:", true}, {L"C:nul", true}, {L"CONIN$", true},
        {L"conout$", true}, {L"\\\\.\\NUL", true}, {L"\\\\.\\COM1", true}, {L"\\\\?\\NUL", true}, {L"//./nul", true},
        {L"\\\\.\\C:", true}, {L"\\\\?\\GLOBALROOT\\Device\\Null", true}, {L"lpt\u00B3.txt", true},
        {dir / L"COM10.ico", false}, {dir / L"nul_x.ico", false}, {dir / L"CONSOLE.ico", false},
        {dir / L"x.NUL", false}, {dir / L"AUXX", false}, {L"\\\\?\\" + dir / L"COM10.ico", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FileIsDevice(c.path), c.device) << N(c.path);
        EXPECT_EQ(FileExists(c.path), !c.device) << N(c.path);
    }
}

TEST(SizeToText, UnitsRoundingAndSeparator)
{
    constexpr int64_t Mb = 1048576, Gb = 1073741824;
    const struct {
        int64_t size;
        const wchar_t* text;
    } cases[] = {
        {0, L"0 byte"}, {1023, L"1023 byte"}, {-1, L"-1 byte"},
        {1024, L"0,1 Mb"},  // kilobytes show as tenths of a Mb, never as nothing
        {157286, L"0,1 Mb"}, {157287, L"0,2 Mb"},  // 0.149999... and 0.150000...
        {1048575, L"1,0 Mb"}, {Mb, L"1 Mb"}, {Mb + Mb / 2 - 1, L"1 Mb"}, {Mb + Mb / 2, L"2 Mb"},
        {Gb - 1, L"1024 Mb"}, {Gb, L"1,0 Gb"},
        {Gb + Gb / 20, L"1,0 Gb"}, {Gb + Gb / 20 + 1, L"1,1 Gb"},  // 1.0499999... and 1.05000...
        {INT64_MAX, L"8589934592,0 Gb"},
    };
    for (const auto& c : cases) EXPECT_EQ(N(Size_ToText(c.size, L",")), N(c.text)) << "size " << c.size;
    wchar_t sep[8] = {};
    ASSERT_GT(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, sep, 8), 1);
    EXPECT_EQ(N(Size_ToText(734003)), N(String(L"0") + sep + L"7 Mb")) << "the user's decimal separator";
}

TEST(Shortcut, MadeReadBackAndEmptyForWhatIsNoShortcut)
{
    TTempDir docs, links;
    String target = docs / L"report.final.txt";
    WriteFileBytes(target, "report");
    Lnk_Create(target, links.Path() + L"\\", L"The report", L"/p \"x y\"");
    String lnk = links / L"report.final.lnk";
    ASSERT_TRUE(FileExists(lnk)) << "the name is the target's name without its last extension";
    EXPECT_TRUE(AnsiSameText(Lnk_GetTarget(lnk), target)) << N(Lnk_GetTarget(lnk));
    TComPtr<IShellLinkW> link;
    TComPtr<IPersistFile> file;
    ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.PutVoid()));
    link->QueryInterface(IID_IPersistFile, file.PutVoid());
    ASSERT_HRESULT_SUCCEEDED(file->Load(lnk.c_str(), STGM_READ));
    wchar_t args[64] = {}, desc[64] = {};
    link->GetArguments(args, 64);
    link->GetDescription(desc, 64);
    EXPECT_EQ(N(args), "/p \"x y\"");
    EXPECT_EQ(N(desc), "The report");

    WriteFileBytes(links / L"junk.lnk", "this is not a shell link");
    for (const String& p : {links / L"missing.lnk", String(), links.Path(), links / L"junk.lnk"})
        EXPECT_EQ(N(Lnk_GetTarget(p)), "") << N(p);
}

TEST(Shortcut, LongShortcutPathIsLoadedWhole)
{
    // Past 260 characters a cut path would name another file.
    TTempDir dir;
    String deep = dir.Path();
    while (deep.size() < 300) {
        deep += L"\\" + String(40, L'd');
        ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + deep).c_str(), nullptr)) << N(deep);
    }
    String target = dir / L"t.txt";
    WriteFileBytes(target, "t");
    Lnk_Create(target, L"\\\\?\\" + deep, L"", L"");
    String lnk = L"\\\\?\\" + deep + L"\\t.lnk";
    ASSERT_NE(GetFileAttributesW(lnk.c_str()), INVALID_FILE_ATTRIBUTES) << "the shell link did not save past 260 characters";
    EXPECT_TRUE(AnsiSameText(Lnk_GetTarget(lnk), target)) << N(Lnk_GetTarget(lnk));
    EXPECT_EQ(Lnk_GetTarget(lnk.substr(0, 260)), L"");
}

TEST(FileOperation, WhatTheShellIsAskedAndItsAnswer)
{
    TStringList list;
    for (const wchar_t* p : {L"C:\\1.txt", L"", L"C:\\2.txt"}) list.Add(p);  // "" would end the shell's list
    const struct {
        std::function<bool()> call;
        const char* asked;  // null: the shell is not asked, and nothing to do is no success
    } cases[] = {
        {[] { return File_Operation_One(L"C:\\a b.txt", L"D:\\to", kFoCopy, FOF_SIMPLEPROGRESS); }, "2 100 C:\\a b.txt|>D:\\to|"},
        {[&] { return File_Operation_List(list, L"D:\\", kFoMove, 0); }, "1 0 C:\\1.txt|C:\\2.txt|>D:\\|"},
        // A source text without its final nulls is completed, not over-read.
        {[] { return File_Operation(String(L"C:\\3\0C:\\4", 9), L"", kFoDelete, FOF_ALLOWUNDO); }, "3 40 C:\\3|C:\\4|>|"},
        {[] { return File_Operation_List(TStringList(), L"D:\\", kFoCopy, 0); }, nullptr},
        {[] { return File_Operation(String(2, L'\0'), L"", kFoDelete, FOF_NOCONFIRMATION); }, nullptr},
        {[] { return File_Operation_One(L"", L"", kFoDelete, FOF_NOCONFIRMATION); }, nullptr},
    };
    for (const auto& c : cases) {
        TFileOpRecorder shell;
        EXPECT_EQ(c.call(), c.asked != nullptr) << (c.asked ? c.asked : "nothing");
        EXPECT_EQ(shell.Calls, c.asked ? std::vector<std::string>{c.asked} : std::vector<std::string>{});
    }
    // A failure, or an operation the user cut short, is no success.
    for (auto [rc, aborted] : {std::pair{2, false}, std::pair{0, true}}) {
        TFileOpRecorder shell(rc, aborted);
        EXPECT_FALSE(File_Operation_One(L"C:\\a.txt", L"D:\\", kFoCopy, 0)) << rc;
    }
}

TEST(FileOperation, TheShellTakesTheListsAsMade)
{
    TTempDir src, dst;
    TStringList list;
    for (const wchar_t* n : {L"1.txt", L"", L"2 two.txt"}) {
        if (*n) WriteFileBytes(src / n, "x");
        list.Add(*n ? src / n : String());
    }
    WriteFileBytes(src / L"3.txt", "3");
    EXPECT_TRUE(File_Operation_List(list, dst.Path(), kFoCopy, 0));
    EXPECT_TRUE(File_Operation_One(src / L"3.txt", dst.Path(), kFoMove, 0));
    EXPECT_TRUE(FileExists(dst / L"1.txt") && FileExists(dst / L"2 two.txt") && FileExists(dst / L"3.txt"));
    EXPECT_TRUE(FileExists(src / L"1.txt") && !FileExists(src / L"3.txt"));
}

}  // namespace
