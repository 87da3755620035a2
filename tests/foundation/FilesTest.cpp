// File routines on real files in temporary folders: folder emptiness, sizes,
// shortcuts made and read back, and the shell's own file operation with its
// questions answered by the test.
#include "ShellOpSupport.h"
#include "xaModul.h"

#include <objbase.h>
#include <shlobj.h>
#include <winioctl.h>

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
    WriteFileBytes(links / L"zero.lnk", "");
    // A shortcut to a shell item that has no file-system path (the Control Panel).
    String cpl = links / L"panel.lnk";
    TCoTaskMem<ITEMIDLIST> pidl;
    ASSERT_HRESULT_SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_CONTROLS, pidl.Put()));
    link->SetIDList(pidl.Get());
    ASSERT_HRESULT_SUCCEEDED(file->Save(cpl.c_str(), TRUE));
    for (const String& p : {links / L"missing.lnk", String(), links.Path(), links / L"junk.lnk", links / L"zero.lnk", cpl})
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

TEST(FileOperation, CopyMoveListsAndTheirNulls)
{
    TTempDir src, dst;
    for (const wchar_t* n : {L"a.txt", L"b c.txt", L"1.txt", L"2.txt", L"3.txt", L"4.txt"}) WriteFileBytes(src / n, "x");
    EXPECT_TRUE(File_Operation_One(src / L"a.txt", dst.Path(), kFoCopy, FOF_SIMPLEPROGRESS));
    EXPECT_TRUE(FileExists(dst / L"a.txt") && FileExists(src / L"a.txt"));
    EXPECT_TRUE(File_Operation_One(src / L"b c.txt", dst.Path(), kFoMove, FOF_SIMPLEPROGRESS));
    EXPECT_TRUE(FileExists(dst / L"b c.txt") && !FileExists(src / L"b c.txt"));

    TStringList list;
    for (const String& p : {src / L"1.txt", String(), src / L"2.txt"}) list.Add(p);  // "" would end the shell's list
    EXPECT_TRUE(File_Operation_List(list, dst.Path(), kFoCopy, 0));
    // A source text without its final nulls is completed, not over-read.
    EXPECT_TRUE(File_Operation(src / L"3.txt" + String(1, L'\0') + src / L"4.txt", dst.Path(), kFoCopy, 0));
    for (const wchar_t* n : {L"1.txt", L"2.txt", L"3.txt", L"4.txt"}) EXPECT_TRUE(FileExists(dst / n)) << N(n);

    // Nothing to do is not success, and the shell is not asked.
    EXPECT_FALSE(File_Operation_List(TStringList(), dst.Path(), kFoCopy, 0));
    EXPECT_FALSE(File_Operation(String(2, L'\0'), dst.Path(), kFoDelete, FOF_NOCONFIRMATION));
    EXPECT_FALSE(File_Operation_One(L"", dst.Path(), kFoDelete, FOF_NOCONFIRMATION));

    TDialogAnswerer ok(IDOK, 10000);  // the shell may tell of the error in a box
    EXPECT_FALSE(File_Operation_One(src / L"missing.txt", dst.Path(), kFoCopy, FOF_SIMPLEPROGRESS));
}

// Wine sends deleted files to the desktop's trash of the Unix user.
String WineTrashFiles()
{
    wchar_t buf[1024] = {};
    if (GetEnvironmentVariableW(L"XDG_DATA_HOME", buf, 1024) && buf[0] == L'/') {
        String p = L"Z:" + String(buf) + L"/Trash/files/";
        for (wchar_t& c : p)
            if (c == L'/') c = L'\\';
        return p;
    }
    if (!GetEnvironmentVariableW(L"WINEHOMEDIR", buf, 1024)) return String();
    String home = buf;
    return (home.rfind(L"\\??\\", 0) == 0 ? home.substr(4) : home) + L"\\.local\\share\\Trash\\files\\";
}

TEST(FileOperation, DeleteAsksOnlyWithoutNoConfirmationAndRecycles)
{
    TTempDir src;
    String trash = WineTrashFiles();
    if (!UnderWine() || trash.empty()) GTEST_SKIP() << "the trash is looked for where Wine keeps it";
    struct {
        const wchar_t* stem;
        UINT flags;
        int answer, asked;
        bool deleted;
    } cases[] = {
        {L"dolv-quiet", FOF_ALLOWUNDO | FOF_NOCONFIRMATION, IDYES, 0, true},
        {L"dolv-no", FOF_ALLOWUNDO, IDNO, 1, false},  // how the file list view deletes: the shell asks
        {L"dolv-yes", FOF_ALLOWUNDO, IDYES, 1, true},
    };
    for (auto& c : cases) {
        String name = Format(L"%s-%lu.txt", c.stem, GetCurrentProcessId());
        WriteFileBytes(src / name, "R");
        TDialogAnswerer answerer(c.answer);
        EXPECT_EQ(File_Operation_One(src / name, L"", kFoDelete, c.flags), c.deleted) << N(name);
        EXPECT_EQ(answerer.Answered(), c.asked) << N(name);
        EXPECT_EQ(FileExists(src / name), !c.deleted) << N(name);
        EXPECT_EQ(FileExists(trash + name), c.deleted) << "not in the trash: " << N(name);
        DeleteFileW((trash + name).c_str());
        DeleteFileW((trash + L"..\\info\\" + name + L".trashinfo").c_str());
    }
}

}  // namespace
