// File routines on real files in temporary folders: folder emptiness, sizes,
// shortcuts made and read back, and the shell's own file operation with its
// questions answered by the test.
#include "ShellOpSupport.h"
#include "xaModul.h"

#include <objbase.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <winioctl.h>

#include <cstdio>

namespace {

// Wine sends deleted files to the desktop's trash of the Unix user; the test
// finds its file there (or, on Windows, leaves it in the Recycle Bin).
String WineTrashFolder()
{
    wchar_t buf[1024] = {};
    if (GetEnvironmentVariableW(L"XDG_DATA_HOME", buf, 1024) && buf[0] == L'/') {
        String p = L"Z:" + String(buf) + L"/Trash";
        for (wchar_t& c : p)
            if (c == L'/') c = L'\\';
        return p;
    }
    if (!GetEnvironmentVariableW(L"WINEHOMEDIR", buf, 1024)) return String();
    String home = buf;
    if (home.rfind(L"\\??\\", 0) == 0) home = home.substr(4);
    return home + L"\\.local\\share\\Trash";
}

// Whether the shell's Recycle Bin lists an item named Name.
bool RecycleBinHolds(const String& name)
{
    IShellFolder* desktop = nullptr;
    if (FAILED(SHGetDesktopFolder(&desktop))) return false;
    LPITEMIDLIST binPidl = nullptr;
    bool found = false;
    IShellFolder* bin = nullptr;
    if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_BITBUCKET, &binPidl)) &&
        SUCCEEDED(desktop->BindToObject(binPidl, nullptr, IID_IShellFolder, (void**)&bin))) {
        IEnumIDList* items = nullptr;
        if (bin->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN, &items) == S_OK) {
            LPITEMIDLIST item;
            while (!found && items->Next(1, &item, nullptr) == S_OK) {
                STRRET sr;
                wchar_t* text = nullptr;
                if (SUCCEEDED(bin->GetDisplayNameOf(item, SHGDN_INFOLDER, &sr)) &&
                    SUCCEEDED(StrRetToStrW(&sr, item, &text))) {
                    found = ExtractFileName(text) == name || String(text) == File_NameNoExt(name);
                    CoTaskMemFree(text);
                }
                CoTaskMemFree(item);
            }
            items->Release();
        }
        bin->Release();
    }
    CoTaskMemFree(binPidl);
    desktop->Release();
    return found;
}

void PurgeFromWineTrash(const String& name)
{
    String trash = WineTrashFolder();
    if (trash.empty()) return;
    SetFileAttributesW((trash + L"\\files\\" + name).c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW((trash + L"\\files\\" + name).c_str());
    DeleteFileW((trash + L"\\info\\" + name + L".trashinfo").c_str());
}

String UniqueName(const wchar_t* stem)
{
    static int n = 0;
    return Format(L"%s-%lu-%d.txt", stem, GetCurrentProcessId(), ++n);
}

TEST(DirHasItems, EmptyHiddenSubfolderAndMissing)
{
    TTempDir dir;
    EXPECT_FALSE(Dir_HasItems(dir.Path()));
    EXPECT_FALSE(Dir_HasItems(dir.Path() + L"\\"));
    EXPECT_FALSE(Dir_HasItems(dir / L"missing"));
    EXPECT_FALSE(Dir_HasItems(L""));

    WriteFileBytes(dir / L"h.txt", "x");
    SetFileAttributesW((dir / L"h.txt").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    EXPECT_TRUE(Dir_HasItems(dir.Path())) << "a hidden system file is an entry";
    EXPECT_TRUE(Dir_HasItems(dir.Path() + L"\\"));

    TTempDir other;
    CreateDirectoryW((other / L"sub").c_str(), nullptr);
    EXPECT_TRUE(Dir_HasItems(other.Path())) << "a subfolder is an entry";
    // A file is not a folder to search.
    EXPECT_FALSE(Dir_HasItems(dir / L"h.txt"));
}

TEST(FileGetSize, SizesMissingAndOver4GiB)
{
    TTempDir dir;
    EXPECT_EQ(File_GetSize(dir / L"missing.bin"), -1);
    EXPECT_EQ(File_GetSize(L""), -1);
    WriteFileBytes(dir / L"empty.bin", "");
    EXPECT_EQ(File_GetSize(dir / L"empty.bin"), 0);
    WriteFileBytes(dir / L"five.bin", "12345");
    EXPECT_EQ(File_GetSize(dir / L"five.bin"), 5);
    WriteFileBytes(dir / L"hidden.bin", "123");
    SetFileAttributesW((dir / L"hidden.bin").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(File_GetSize(dir / L"hidden.bin"), 3);

    // Sizes past 2 GiB and 4 GiB keep every bit (a sparse file: no disk used).
    for (int64_t size : {int64_t(3) << 30, (int64_t(4) << 30) + 7}) {
        String big = dir / L"big.bin";
        HANDLE h = CreateFileW(big.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        DWORD ret = 0;
        DeviceIoControl(h, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &ret, nullptr);
        LARGE_INTEGER at;
        at.QuadPart = size;
        bool sized = SetFilePointerEx(h, at, nullptr, FILE_BEGIN) && SetEndOfFile(h);
        CloseHandle(h);
        ASSERT_TRUE(sized) << "cannot make a file of " << size << " bytes here";
        EXPECT_EQ(File_GetSize(big), size);
        DeleteFileW(big.c_str());
    }
}

TEST(SizeToText, UnitsRoundingAndSeparator)
{
    constexpr int64_t Mb = 1048576, Gb = 1073741824;
    // Written with a comma; each is checked with a dot as well.
    const struct {
        int64_t size;
        const wchar_t* text;
    } cases[] = {
        {0, L"0 byte"}, {1, L"1 byte"}, {1023, L"1023 byte"}, {-1, L"-1 byte"}, {-5000, L"-5000 byte"},
        // Kilobytes show as tenths of a Mb, never as nothing.
        {1024, L"0,1 Mb"}, {52428, L"0,1 Mb"}, {104857, L"0,1 Mb"},
        {157286, L"0,1 Mb"},  // 0.149999...
        {157287, L"0,2 Mb"},  // 0.150000...
        {734003, L"0,7 Mb"}, {1048575, L"1,0 Mb"}, {Mb, L"1 Mb"}, {Mb + Mb / 2, L"2 Mb"}, {Mb + Mb / 2 - 1, L"1 Mb"},
        {500 * Mb, L"500 Mb"}, {Gb - 1, L"1024 Mb"}, {Gb, L"1,0 Gb"},
        {Gb + Gb / 20, L"1,0 Gb"},  // 1.0499999...
        {Gb + Gb / 20 + 1, L"1,1 Gb"}, {3 * Gb, L"3,0 Gb"}, {1024 * Gb, L"1024,0 Gb"},
        {INT64_MAX, L"8589934592,0 Gb"},
    };
    for (const auto& c : cases) {
        String dot = c.text;
        for (wchar_t& ch : dot)
            if (ch == L',') ch = L'.';
        EXPECT_EQ(N(Size_ToText(c.size, L",")), N(c.text)) << "size " << c.size;
        EXPECT_EQ(N(Size_ToText(c.size, L".")), N(dot)) << "size " << c.size;
    }
}

TEST(SizeToText, UsesTheUsersDecimalSeparator)
{
    wchar_t sep[8] = {};
    ASSERT_GT(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, sep, 8), 1);
    EXPECT_EQ(N(Size_ToText(734003)), N(String(L"0") + sep + L"7 Mb"));
    EXPECT_EQ(N(Size_ToText(1024)), N(String(L"0") + sep + L"1 Mb"));
    EXPECT_EQ(N(Size_ToText(100)), "100 byte");
}

// Reads a shortcut's arguments and description back through the shell.
void ReadLink(const String& lnk, String& args, String& desc)
{
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    ASSERT_HRESULT_SUCCEEDED(
        CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, (void**)&link));
    link->QueryInterface(IID_IPersistFile, (void**)&file);
    wchar_t buf[1024] = {};
    if (SUCCEEDED(file->Load(lnk.c_str(), STGM_READ))) {
        link->GetArguments(buf, 1024);
        args = buf;
        buf[0] = 0;
        link->GetDescription(buf, 1024);
        desc = buf;
    }
    file->Release();
    link->Release();
}

TEST(Shortcut, MadeAndReadBack)
{
    TTempDir docs, links;
    String target = docs / L"report.final.txt";
    WriteFileBytes(target, "report");
    Lnk_Create(target, links.Path(), L"The report", L"/p \"x y\"");
    String lnk = links / L"report.final.lnk";
    ASSERT_TRUE(FileExists(lnk)) << "the name is the target's name without its last extension";
    EXPECT_TRUE(AnsiSameText(Lnk_GetTarget(lnk), target)) << N(Lnk_GetTarget(lnk));
    String args, desc;
    ReadLink(lnk, args, desc);
    EXPECT_EQ(N(args), "/p \"x y\"");
    EXPECT_EQ(N(desc), "The report");

    // A second shortcut of the same name replaces the first; a folder with a
    // trailing backslash is taken as it is.
    String other = links / L"report.final.txt";  // same name stem, other folder
    WriteFileBytes(other, "other");
    Lnk_Create(other, links.Path() + L"\\", L"", L"");
    EXPECT_TRUE(AnsiSameText(Lnk_GetTarget(lnk), other)) << N(Lnk_GetTarget(lnk));
    ReadLink(lnk, args, desc);
    EXPECT_EQ(args, L"");

    // A folder is a target too.
    Lnk_Create(docs.Path(), links.Path(), L"", L"");
    String folderLnk = links / (ExtractFileName(docs.Path()) + L".lnk");
    EXPECT_TRUE(AnsiSameText(Lnk_GetTarget(folderLnk), docs.Path())) << N(Lnk_GetTarget(folderLnk));
}

TEST(Shortcut, TargetOfWhatIsNoShortcutIsEmpty)
{
    TTempDir dir;
    WriteFileBytes(dir / L"junk.lnk", "this is not a shell link");
    WriteFileBytes(dir / L"zero.lnk", "");
    // A missing file, no name, a folder, a file that is no shell link, an empty file.
    for (const String& p : {dir / L"missing.lnk", String(), dir.Path(), dir / L"junk.lnk", dir / L"zero.lnk"})
        EXPECT_EQ(N(Lnk_GetTarget(p)), "") << N(p);

    // A shortcut to a shell item that has no file-system path (the Control Panel).
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    ASSERT_HRESULT_SUCCEEDED(
        CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, (void**)&link));
    link->QueryInterface(IID_IPersistFile, (void**)&file);
    LPITEMIDLIST pidl = nullptr;
    ASSERT_HRESULT_SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_CONTROLS, &pidl));
    link->SetIDList(pidl);
    String cpl = dir / L"panel.lnk";
    EXPECT_HRESULT_SUCCEEDED(file->Save(cpl.c_str(), TRUE));
    CoTaskMemFree(pidl);
    file->Release();
    link->Release();
    ASSERT_TRUE(FileExists(cpl));
    EXPECT_EQ(N(Lnk_GetTarget(cpl)), "");
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
    if (GetFileAttributesW(lnk.c_str()) == INVALID_FILE_ATTRIBUTES) {
        GTEST_SKIP() << (UnderWine() ? "Wine's shell link cannot save" : "the shell link cannot save")
                     << " past 260 characters";
    }
    EXPECT_TRUE(AnsiSameText(Lnk_GetTarget(lnk), target)) << N(Lnk_GetTarget(lnk));
    EXPECT_EQ(Lnk_GetTarget(lnk.substr(0, 260)), L"");
}

class FileOperationTest : public ::testing::Test {
protected:
    TTempDir src, dst;
};

TEST_F(FileOperationTest, CopyMoveAndRename)
{
    WriteFileBytes(src / L"a.txt", "A");
    WriteFileBytes(src / L"b c.txt", "BC");
    EXPECT_TRUE(File_Operation_One(src / L"a.txt", dst.Path(), kFoCopy, FOF_SIMPLEPROGRESS));
    EXPECT_EQ(ReadFileBytes(dst / L"a.txt"), "A");
    EXPECT_TRUE(FileExists(src / L"a.txt"));

    EXPECT_TRUE(File_Operation_One(src / L"b c.txt", dst.Path(), kFoMove, FOF_SIMPLEPROGRESS));
    EXPECT_EQ(ReadFileBytes(dst / L"b c.txt"), "BC");
    EXPECT_FALSE(FileExists(src / L"b c.txt"));

    EXPECT_TRUE(File_Operation_One(dst / L"a.txt", dst / L"renamed.txt", kFoRename, FOF_NOCONFIRMATION));
    EXPECT_FALSE(FileExists(dst / L"a.txt"));
    EXPECT_EQ(ReadFileBytes(dst / L"renamed.txt"), "A");

    // A folder moves with what it holds.
    CreateDirectoryW((src / L"sub").c_str(), nullptr);
    WriteFileBytes(src / L"sub\\in.txt", "IN");
    EXPECT_TRUE(File_Operation_One(src / L"sub", dst.Path(), kFoMove, 0));
    EXPECT_EQ(ReadFileBytes(dst / L"sub\\in.txt"), "IN");
    EXPECT_FALSE(DirectoryExists(src / L"sub"));
}

TEST_F(FileOperationTest, ListsAndTheirNulls)
{
    WriteFileBytes(src / L"1.txt", "1");
    WriteFileBytes(src / L"2.txt", "2");
    WriteFileBytes(src / L"3.txt", "3");
    TStringList list;
    list.Add(src / L"1.txt");
    list.Add(L"");  // would end the shell's list here
    list.Add(src / L"2.txt");
    list.Add(src / L"3.txt");
    EXPECT_TRUE(File_Operation_List(list, dst.Path(), kFoCopy, 0));
    for (const wchar_t* n : {L"1.txt", L"2.txt", L"3.txt"}) EXPECT_TRUE(FileExists(dst / n)) << N(n);

    // A source text without its final nulls is completed, not over-read.
    String two = src / L"1.txt" + String(1, L'\0') + src / L"2.txt";
    TTempDir d2;
    EXPECT_TRUE(File_Operation(two, d2.Path(), kFoCopy, 0));
    EXPECT_TRUE(FileExists(d2 / L"1.txt"));
    EXPECT_TRUE(FileExists(d2 / L"2.txt"));

    // Several files move into a folder at once.
    TTempDir d3;
    TStringList moving;
    moving.Add(dst / L"1.txt");
    moving.Add(dst / L"2.txt");
    bool moved = File_Operation_List(moving, d3.Path(), kFoMove, FOF_SIMPLEPROGRESS);
    if (!moved && UnderWine() && FileExists(dst / L"1.txt")) {
        std::printf("note: Wine cancels a move of several files (no folder among them) into one folder;"
                    " Windows moves them\n");
        moving.Add(src / L"sub");  // with a folder in the list Wine moves them all
        CreateDirectoryW((src / L"sub").c_str(), nullptr);
        moved = File_Operation_List(moving, d3.Path(), kFoMove, FOF_SIMPLEPROGRESS);
        EXPECT_TRUE(DirectoryExists(d3 / L"sub"));
    }
    EXPECT_TRUE(moved);
    EXPECT_TRUE(FileExists(d3 / L"1.txt"));
    EXPECT_TRUE(FileExists(d3 / L"2.txt"));
    EXPECT_FALSE(FileExists(dst / L"1.txt"));

    // Nothing to do is not success, and the shell is not asked.
    TStringList empty;
    EXPECT_FALSE(File_Operation_List(empty, dst.Path(), kFoCopy, 0));
    EXPECT_FALSE(File_Operation(String(2, L'\0'), dst.Path(), kFoDelete, FOF_NOCONFIRMATION));
    EXPECT_FALSE(File_Operation_One(L"", dst.Path(), kFoDelete, FOF_NOCONFIRMATION));
    EXPECT_TRUE(Dir_HasItems(dst.Path()));
}

TEST_F(FileOperationTest, CopyIntoItsOwnFolderRenamesOnCollision)
{
    WriteFileBytes(src / L"a.txt", "A");
    bool done;
    {
        TDialogAnswerer no(IDNO);
        done = File_Operation_One(src / L"a.txt", src.Path(), kFoCopy, FOF_SIMPLEPROGRESS | FOF_RENAMEONCOLLISION);
        if (no.Answered() > 0 && UnderWine())
            GTEST_SKIP() << "Wine does not rename on collision: it asks to overwrite the file with itself ("
                         << no.Texts() << ")";
        EXPECT_EQ(no.Answered(), 0) << no.Texts();
    }
    EXPECT_TRUE(done);
    EXPECT_EQ(ReadFileBytes(src / L"a.txt"), "A");
    EXPECT_EQ(FileCount(src.Path()), 2) << "a copy beside the original under a new name";
}

TEST_F(FileOperationTest, MissingSourceFails)
{
    TDialogAnswerer ok(IDOK, 10000);  // the shell may tell of the error in a box
    EXPECT_FALSE(File_Operation_One(src / L"missing.txt", dst.Path(), kFoCopy, FOF_SIMPLEPROGRESS));
    EXPECT_FALSE(Dir_HasItems(dst.Path()));
}

TEST_F(FileOperationTest, DeleteToRecycleBinAsksOnlyWithoutNoConfirmation)
{
    // With FOF_NOCONFIRMATION nothing is asked, and the file still goes to the bin.
    String name = UniqueName(L"dolv-recycle");
    WriteFileBytes(src / name, "R");
    {
        TDialogAnswerer yes(IDYES);
        EXPECT_TRUE(File_Operation_One(src / name, L"", kFoDelete, FOF_ALLOWUNDO | FOF_NOCONFIRMATION));
        EXPECT_EQ(yes.Answered(), 0) << yes.Texts();
    }
    EXPECT_FALSE(FileExists(src / name));
    EXPECT_TRUE(RecycleBinHolds(name)) << "deleted for good instead of into the Recycle Bin";
    PurgeFromWineTrash(name);

    // The file list view deletes with FOF_ALLOWUNDO alone: the shell asks.
    name = UniqueName(L"dolv-ask");
    WriteFileBytes(src / name, "Q");
    {
        TDialogAnswerer no(IDNO);
        EXPECT_FALSE(File_Operation_One(src / name, L"", kFoDelete, FOF_ALLOWUNDO));
        if (no.Answered() == 0) GTEST_SKIP() << "the shell asked nothing here";
        EXPECT_EQ(no.Answered(), 1) << no.Texts();
    }
    EXPECT_TRUE(FileExists(src / name)) << "answered No, yet deleted";
    {
        TDialogAnswerer yes(IDYES);
        EXPECT_TRUE(File_Operation_One(src / name, L"", kFoDelete, FOF_ALLOWUNDO));
        EXPECT_EQ(yes.Answered(), 1) << yes.Texts();
    }
    EXPECT_FALSE(FileExists(src / name));
    EXPECT_TRUE(RecycleBinHolds(name));
    PurgeFromWineTrash(name);
}

}  // namespace
