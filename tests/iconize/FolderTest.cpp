// Folder icons: Desktop.ini, attributes, the icon copy and the shell notices,
// on real folders of the test prefix.
#include "Classes.h"
#include "IniFiles.h"
#include "IconizeTestSupport.h"
#include "xaY.h"

namespace {

const wchar_t kSec[] = L".ShellClassInfo";
const DWORD RO = FILE_ATTRIBUTE_READONLY, HS = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
const DWORD kCopyMarks = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE;

class FolderIcon : public ::testing::Test {
protected:
    TTempDir root;
    String icons = root / L"Icons", folder = root / L"F", ini = folder + L"\\Desktop.ini";
    String dico = folder + L"\\Desktop.ico";
    std::string dllBytes = std::string("MZ fake library ") + std::string(300, 'd');
    TNoticeRecorder doors;

    void SetUp() override
    {
        CreateDirectoryW(icons.c_str(), nullptr);
        CreateDirectoryW(folder.c_str(), nullptr);
        WriteFileBytes(icons + L"\\app.dll", dllBytes);
        WriteFileBytes(icons + L"\\app.exe", "MZ fake program");
        WriteFileBytes(icons + L"\\a.ico", TinyIco(0x10));
        WriteFileBytes(icons + L"\\b.ico", TinyIco(0x20));
    }
    String key(const wchar_t* k) { return IniValue(ini, kSec, k); }
    void put(const wchar_t* k, const String& v) { WritePrivateProfileStringW(kSec, k, v.c_str(), ini.c_str()); }
    void hidden(const String& path, const std::string& bytes, DWORD marks = kCopyMarks)
    {
        WriteFileBytes(path, bytes);
        SetFileAttributesW(path.c_str(), marks);
    }
    // Iconized: the folder read-only (as written through the door: Wine drops
    // the mark), Desktop.ini hidden and system, every other mark kept.
    void expectIconized(DWORD folderMarks = 0)
    {
        EXPECT_EQ(doors.Marks(folder), RO | folderMarks);
        EXPECT_EQ(Attributes(ini) & HS, HS);
    }
    // Cleared: without Desktop.ini the read-only mark goes; while it stays, both stay.
    void expectCleared(bool iniStays = false)
    {
        EXPECT_EQ(FileExists(ini), iniStays);
        EXPECT_EQ((doors.Marks(folder) & RO) != 0, iniStays);
        if (iniStays) {
            EXPECT_EQ(Attributes(ini) & HS, HS);
        }
    }
    std::vector<String> folderFiles(const String& dir = L"")
    {
        std::vector<String> names;
        WIN32_FIND_DATAW fd;
        HANDLE h = FindFirstFileW(((dir.empty() ? folder : dir) + L"\\*").c_str(), &fd);
        for (BOOL more = h != INVALID_HANDLE_VALUE; more; more = FindNextFileW(h, &fd))
            if (fd.cFileName[0] != L'.') names.push_back(fd.cFileName);
        if (h != INVALID_HANDLE_VALUE) FindClose(h);
        return names;
    }
};

TEST_F(FolderIcon, CopyOptionOnCopiesAnySourceAsHiddenDesktopIcoAndClearTakesItAway)
{
    ASSERT_TRUE(Iconize_Folder(folder, icons + L"\\app.dll", L"3", true));
    EXPECT_EQ(ReadFileBytes(dico), dllBytes);
    EXPECT_EQ(Attributes(dico), kCopyMarks);
    EXPECT_EQ(N(key(L"IconFile")), "Desktop.ico");
    EXPECT_EQ(N(key(L"IconIndex")), "3");
    EXPECT_EQ(Attributes(ini), HS | FILE_ATTRIBUTE_ARCHIVE);
    expectIconized();

    // The eleven notices, in their order, none naming the folder.
    struct Want {
        LONG event;
        UINT flags;
        const wchar_t* item;
    } want[] = {
        {SHCNE_ASSOCCHANGED, 0x3000, L""}, {SHCNE_UPDATEIMAGE, 0x0003, L""}, {SHCNE_ASSOCCHANGED, 0x0000, L""},
        {SHCNE_UPDATEDIR, 0x1005, L"C"},   {SHCNE_UPDATEITEM, 0x0001, L"C"}, {SHCNE_UPDATEITEM, 0x0002, L"C"},
        {SHCNE_UPDATEITEM, 0x0003, L"C"},  {SHCNE_UPDATEITEM, 0x0005, L"C"}, {SHCNE_UPDATEITEM, 0x0006, L"C"},
        {SHCNE_UPDATEITEM, 0x00FF, L"C"},  {SHCNE_ASSOCCHANGED, 0x0000, L""},
    };
    auto& seen = doors.Seen();
    ASSERT_EQ(seen.size(), std::size(want));
    for (size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i].Event, want[i].event) << "notice " << i + 1;
        EXPECT_EQ(seen[i].Flags, want[i].flags) << "notice " << i + 1;
        EXPECT_EQ(N(seen[i].Item), N(want[i].item)) << "notice " << i + 1;
    }
    Iconize_Clear_Folder(folder, true);
    EXPECT_TRUE(folderFiles().empty());
    expectCleared();
    // A copy the user also made read-only still goes with the icon.
    ASSERT_TRUE(Iconize_Folder(folder, icons + L"\\a.ico", L"0", true));
    SetFileAttributesW(dico.c_str(), kCopyMarks | RO);
    ASSERT_EQ(Attributes(dico) & RO, RO);
    Iconize_Clear_Folder(folder, true);
    EXPECT_TRUE(folderFiles().empty());
    expectCleared();
}

TEST_F(FolderIcon, CopyOptionOffCopiesOnlyIcoAndBmpAndNamesTheFolderOwnBare)
{
    ASSERT_TRUE(Iconize_Folder(folder, icons + L"\\a.ico", L"0", false));
    EXPECT_EQ(ReadFileBytes(folder + L"\\a.ico"), TinyIco(0x10));
    EXPECT_EQ(Attributes(folder + L"\\a.ico"), kCopyMarks);
    EXPECT_EQ(N(key(L"IconFile")), "a.ico");
    expectIconized();
    Iconize_Clear_Folder(folder, false);
    EXPECT_TRUE(FileExists(folder + L"\\a.ico")) << "without the flag the copy stays";
    expectCleared();

    ASSERT_TRUE(Iconize_Folder(folder, icons + L"\\app.exe", L"2", false));
    EXPECT_EQ(N(key(L"IconFile")), N(icons + L"\\app.exe"));
    EXPECT_EQ(N(key(L"IconIndex")), "2");
    EXPECT_FALSE(FileExists(folder + L"\\app.exe"));
    // An .exe or the user's own .ico inside the folder: named bare, never
    // hidden, never deleted; a trailing backslash is the same folder.
    WriteFileBytes(folder + L"\\tool.exe", "MZ inside");
    WriteFileBytes(folder + L"\\mine.ico", TinyIco(0x31));
    ASSERT_TRUE(Iconize_Folder(folder + L"\\", folder + L"\\tool.exe", L"4", false));
    EXPECT_EQ(N(key(L"IconFile")), "tool.exe");
    ASSERT_TRUE(Iconize_Folder(folder, folder + L"\\mine.ico", L"0", false));
    EXPECT_EQ(N(key(L"IconFile")), "mine.ico");
    EXPECT_EQ(Attributes(folder + L"\\mine.ico") & FILE_ATTRIBUTE_HIDDEN, 0u);
    expectIconized();
    Iconize_Clear_Folder(folder, true);
    EXPECT_EQ(ReadFileBytes(folder + L"\\mine.ico"), TinyIco(0x31));
    EXPECT_EQ(Attributes(folder + L"\\tool.exe") & FILE_ATTRIBUTE_HIDDEN, 0u);
    expectCleared();
}

TEST_F(FolderIcon, OwnDesktopIcoHoweverWrittenIsTheSameFileAndStays)
{
    ASSERT_TRUE(Iconize_Folder(folder, icons + L"\\a.ico", L"0", true));
    String tail = root.Path().substr(2) + L"\\F\\Desktop.ico";  // without the drive
    String upper = AnsiUpperCase(dico), slashes = dico, doubled = root.Path() + L"\\F\\\\Desktop.ico";
    for (wchar_t& c : slashes) c = c == L'\\' ? L'/' : c;
    int i = 5;
    for (const String& source : {dico, upper, slashes, L"\\\\?\\" + dico, doubled, root.Path().substr(0, 2) + tail}) {
        SCOPED_TRACE(N(source));
        ASSERT_TRUE(Iconize_Folder(folder, source, IntToStr(i), true));
        EXPECT_EQ(ReadFileBytes(dico), TinyIco(0x10));
        EXPECT_EQ(N(key(L"IconFile")), "Desktop.ico");
        EXPECT_EQ(N(key(L"IconIndex")), N(IntToStr(i++)));
        expectIconized();
    }
}

// A source lying beside our copy takes its place: the folder shows the icon
// chosen at its index, and the source stays as it was.
TEST_F(FolderIcon, ASourceBesideOurCopyReplacesIt)
{
    ASSERT_TRUE(Iconize_Folder(folder, icons + L"\\a.ico", L"0", true));
    const struct {
        const wchar_t* Name;
        std::string Bytes;
        DWORD Marks;
    } sources[] = {
        {L"other.ico", TinyIco(0x77), FILE_ATTRIBUTE_ARCHIVE},
        {L"lib.dll", dllBytes, FILE_ATTRIBUTE_ARCHIVE},
        {L"h.ico", TinyIco(0x78), kCopyMarks},  // hidden like a copy, yet named by nothing
    };
    int i = 1;
    for (const auto& s : sources) {
        String path = folder + L"\\" + s.Name;
        SCOPED_TRACE(N(path));
        hidden(path, s.Bytes, s.Marks);
        ASSERT_TRUE(Iconize_Folder(folder, path, IntToStr(i), true));
        EXPECT_EQ(ReadFileBytes(dico), s.Bytes);
        EXPECT_EQ(Attributes(dico), kCopyMarks);
        EXPECT_EQ(N(key(L"IconFile")), "Desktop.ico");
        EXPECT_EQ(N(key(L"IconIndex")), N(IntToStr(i++)));
        EXPECT_EQ(ReadFileBytes(path), s.Bytes);
        EXPECT_EQ(Attributes(path), s.Marks);
        expectIconized();
    }
    EXPECT_EQ(folderFiles().size(), 5u) << "a temporary file stayed behind";
}

TEST_F(FolderIcon, TheSourceIsNeverMovedAndOnlyOurHiddenCopyGoes)
{
    // The present icon lies outside, the chosen source is a hidden file beside it.
    hidden(icons + L"\\h.ico", TinyIco(0x44));
    put(L"IconFile", icons + L"\\a.ico");
    ASSERT_TRUE(Iconize_Folder(folder, icons + L"\\h.ico", L"0", true));
    EXPECT_EQ(ReadFileBytes(icons + L"\\h.ico"), TinyIco(0x44)) << "the source is copied, never moved";
    EXPECT_EQ(ReadFileBytes(dico), TinyIco(0x44));
    expectIconized();
    // Our hidden copy chosen as source: copied to Desktop.ico, and it stays.
    ASSERT_TRUE(Iconize_Folder(folder, icons + L"\\b.ico", L"0", false));
    EXPECT_FALSE(FileExists(dico)) << "the earlier copy goes once nothing names it";
    ASSERT_TRUE(Iconize_Folder(folder, folder + L"\\b.ico", L"0", true));
    EXPECT_TRUE(FileExists(folder + L"\\b.ico"));
    EXPECT_EQ(ReadFileBytes(dico), TinyIco(0x20));
    Iconize_Clear_Folder(folder, true);
    EXPECT_FALSE(FileExists(dico));
    expectCleared();

    // Files that Desktop.ini names but that are no copy of ours in the folder
    // itself: a path outside, "..", another separator, a system file, a full path.
    CreateDirectoryW((folder + L"\\sub").c_str(), nullptr);
    struct Named {
        const wchar_t* key;
        String value, file;
        DWORD marks;
    } named[] = {
        {L"IconFile", icons + L"\\x.ico", icons + L"\\x.ico", kCopyMarks},
        {L"IconFile", L"..\\Icons\\y.ico", icons + L"\\y.ico", kCopyMarks},
        {L"IconResource", L"sub/z.ico,0", folder + L"\\sub\\z.ico", kCopyMarks},
        {L"IconResource", L"s.ico,1", folder + L"\\s.ico", kCopyMarks | FILE_ATTRIBUTE_SYSTEM},
        {L"IconFile", folder + L"\\f.ico", folder + L"\\f.ico", kCopyMarks},
        {L"IconFile", L"v.ico", folder + L"\\v.ico", FILE_ATTRIBUTE_ARCHIVE},
    };
    for (const Named& n : named) {
        SCOPED_TRACE(N(n.value));
        hidden(n.file, TinyIco(0x50), n.marks);
        put(n.key, n.value);
        ASSERT_TRUE(Iconize_Folder(folder, icons + L"\\b.ico", L"0", true));
        put(n.key, n.value);
        Iconize_Clear_Folder(folder, true);
        EXPECT_EQ(ReadFileBytes(n.file), TinyIco(0x50));
        WritePrivateProfileStringW(kSec, nullptr, nullptr, ini.c_str());
    }
}

TEST_F(FolderIcon, UsersOwnFileOfTheCopysNameIsNeverOverwritten)
{
    WriteFileBytes(folder + L"\\a.ico", TinyIco(0x66));
    WriteFileBytes(dico, TinyIco(0x67));
    ASSERT_TRUE(Iconize_Folder(folder, icons + L"\\a.ico", L"1", false));
    EXPECT_EQ(N(key(L"IconFile")), N(icons + L"\\a.ico")) << "the icon is named where it lies";
    ASSERT_TRUE(Iconize_Folder(folder, icons + L"\\b.ico", L"0", true));
    EXPECT_EQ(N(key(L"IconFile")), N(icons + L"\\b.ico"));
    expectIconized();
    Iconize_Clear_Folder(folder, true);
    EXPECT_EQ(ReadFileBytes(folder + L"\\a.ico"), TinyIco(0x66));
    EXPECT_EQ(ReadFileBytes(dico), TinyIco(0x67));
    expectCleared();
    // Desktop.ini names the chosen icon where it lies: IconFile=a.ico still gets its copy.
    DeleteFileW((folder + L"\\a.ico").c_str());
    put(L"IconFile", icons + L"\\a.ico");
    ASSERT_TRUE(Iconize_Folder(folder, icons + L"\\a.ico", L"2", false));
    EXPECT_EQ(N(key(L"IconFile")), "a.ico");
    EXPECT_EQ(ReadFileBytes(folder + L"\\a.ico"), TinyIco(0x10));
}

TEST_F(FolderIcon, AFailedIconizeLeavesTheFolderAsItWas)
{
    ASSERT_TRUE(Iconize_Folder(folder, icons + L"\\a.ico", L"0", true));
    std::string iniBefore = ReadFileBytes(ini);
    doors.Seen().clear();
    TModalRecorder boxes;
    // A source nobody may read; a temporary file that cannot be made; a
    // read-only Desktop.ini, which is not ours to replace.
    HANDLE lock = CreateFileW((icons + L"\\b.ico").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    TIconizeResult refused[3];
    refused[0] = Iconize_Folder(folder, icons + L"\\b.ico", L"1", true);
    CloseHandle(lock);
    for (int i = 0; i < SaveTempTries; ++i) CreateDirectoryW(SaveTempFileName(ini, i).c_str(), nullptr);
    refused[1] = Iconize_Folder(folder, icons + L"\\app.dll", L"2", true);
    for (int i = 0; i < SaveTempTries; ++i) RemoveDirectoryW(SaveTempFileName(ini, i).c_str());
    SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_READONLY | HS);
    refused[2] = Iconize_Folder(folder, icons + L"\\app.exe", L"3", false);
    SetFileAttributesW(ini.c_str(), HS);
    for (const TIconizeResult& r : refused) EXPECT_EQ(r.Why, TIconizeWhy::Refused) << N(r.Text);
    EXPECT_NE(refused[0].Text.find(dico), String::npos);
    for (int i : {1, 2}) EXPECT_EQ(refused[i].Text.rfind(L"Unable to write to " + ini, 0), 0u);
    EXPECT_TRUE(boxes.Seen.empty()) << "the engine shows nothing itself";
    EXPECT_EQ(ReadFileBytes(ini), iniBefore);
    EXPECT_EQ(ReadFileBytes(dico), TinyIco(0x10));
    EXPECT_EQ(folderFiles(), (std::vector<String>{L"Desktop.ico", L"Desktop.ini"}));
    EXPECT_TRUE(doors.Seen().empty());
}

// A read-only Desktop.ini is the user's to keep, whether clearing would delete
// it (nothing but our keys) or write back the user's own keys.
TEST_F(FolderIcon, ClearingRefusesAReadOnlyDesktopIniAndChangesNothing)
{
    for (bool usersKey : {false, true}) {
        ASSERT_TRUE(Iconize_Folder(folder, icons + L"\\a.ico", L"0", true));
        if (usersKey) put(L"InfoTip", L"the user's");
        std::string iniBefore = ReadFileBytes(ini);
        SetFileAttributesW(ini.c_str(), RO | HS);
        DWORD marks = Attributes(ini);
        ASSERT_EQ(marks & (RO | HS), RO | HS);
        String told;
        try {
            Iconize_Clear_Folder(folder, true);
        } catch (const EIniFileException& e) {
            told = e.Message();
        }
        EXPECT_EQ(told.rfind(L"Unable to write to " + ini, 0), 0u) << usersKey << " " << N(told);
        EXPECT_EQ(ReadFileBytes(ini), iniBefore) << usersKey;
        EXPECT_EQ(Attributes(ini), marks) << usersKey;
        EXPECT_EQ(ReadFileBytes(dico), TinyIco(0x10)) << usersKey << ": the copy goes only with the icon";
        EXPECT_EQ(doors.Marks(folder) & RO, RO) << usersKey;
        SetFileAttributesW(ini.c_str(), HS);
        Iconize_Clear_Folder(folder, true);
        expectCleared(usersKey);
        EXPECT_FALSE(FileExists(dico));
        DeleteFileW(ini.c_str());
    }
}

// A Desktop.ini that is there but cannot be read (a folder of that name, a
// file another program holds, one too large for a Desktop.ini) stops the
// clear with the reason, and the folder keeps everything.
TEST_F(FolderIcon, ADesktopIniThatCannotBeReadStopsTheClear)
{
    ASSERT_TRUE(Iconize_Folder(folder, icons + L"\\a.ico", L"0", true));
    std::string iniBefore = ReadFileBytes(ini);
    auto clearTold = [&] {
        String told;
        try {
            Iconize_Clear_Folder(folder, true);
        } catch (const Exception& e) {
            told = e.Message();
        }
        return told;
    };
    auto expectKept = [&](const char* why) {
        EXPECT_EQ(ReadFileBytes(dico), TinyIco(0x10)) << why;
        EXPECT_EQ(doors.Marks(folder) & RO, RO) << why;
    };
    String opening = L"Cannot open file \"" + ini + L"\". ";
    HANDLE held = CreateFileW(ini.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(N(clearTold()), N(opening + SysErrorMessage(ERROR_SHARING_VIOLATION)));
    CloseHandle(held);
    EXPECT_EQ(ReadFileBytes(ini), iniBefore);
    expectKept("held");

    SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
    WriteFileBytes(ini, "[.ShellClassInfo]\r\nIconFile=Desktop.ico\r\n" + std::string(5 << 20, ';'));
    EXPECT_EQ(N(clearTold()), N(opening + L"The file is too large for a Desktop.ini."));
    EXPECT_TRUE(FileExists(ini));
    expectKept("too large");

    DeleteFileW(ini.c_str());
    ASSERT_TRUE(CreateDirectoryW(ini.c_str(), nullptr));
    EXPECT_EQ(clearTold().rfind(opening, 0), 0u) << "a folder named Desktop.ini";
    EXPECT_TRUE(DirectoryExists(ini));
    expectKept("a folder named Desktop.ini");
    RemoveDirectoryW(ini.c_str());
}

TEST_F(FolderIcon, TheUsersFilesAtTheTemporaryNamesSurviveByteForByte)
{
    ASSERT_TRUE(Iconize_Folder(folder, icons + L"\\a.ico", L"0", true));
    const String users[] = {dico + L".~tmp", dico + L".~old", ini + L".~tmp"};
    for (const String& f : users) WriteFileBytes(f, "the user's " + N(f));
    ASSERT_TRUE(Iconize_Folder(folder, icons + L"\\b.ico", L"1", true));
    EXPECT_EQ(ReadFileBytes(dico), TinyIco(0x20));
    EXPECT_EQ(key(L"IconIndex"), L"1");
    for (const String& f : users) EXPECT_EQ(ReadFileBytes(f), "the user's " + N(f));
    EXPECT_EQ(folderFiles().size(), 5u) << "a temporary file stayed behind";
}

TEST_F(FolderIcon, BadIndexIsRefusedBeforeAnythingIsWrittenAndABrokenOneIsReadQuietly)
{
    const wchar_t* bad[] = {L"1\r\nIconResource=C:\\evil.dll,0", L"two", L"", L" 1", L"2147483648", L"-2147483649",
                            L"0x10"};
    for (const wchar_t* index : bad)
        EXPECT_EQ(Iconize_Folder(folder, icons + L"\\a.ico", index, true).Why, TIconizeWhy::Refused) << N(index);
    EXPECT_TRUE(folderFiles().empty());
    EXPECT_TRUE(doors.Seen().empty());
    ASSERT_TRUE(Iconize_Folder(folder, icons + L"\\a.ico", L"-2147483648", true));
    ASSERT_TRUE(Iconize_Folder(folder, icons + L"\\a.ico", L"2147483647", true));
    // Another program's broken index: read as none, and iconizing still works.
    for (const wchar_t* broken : {L"two", L"99999999999"}) {
        put(L"IconIndex", broken);
        String file;
        int index = 9;
        EXPECT_TRUE(Iconize_Get_Folder(folder, file, index));
        EXPECT_EQ(index, 9);
        EXPECT_TRUE(Iconize_Folder(folder, icons + L"\\b.ico", L"1", true));
    }
    expectIconized();
}

// A Desktop.ini that another program wrote, in each encoding it may have.
TEST_F(FolderIcon, EveryLineNotOursSurvivesInItsOrderInEveryEncoding)
{
    const String head = L"; made by another program\r\n[.ShellClassInfo]\r\n;LocalizedResourceName=@x.dll,-1\r\n"
                        L"bare line\r\n";
    const String tail = L"[ViewState]\r\nMode=\r\nFolderType=Pictures\r\n";
    String theirs = head + L"IconResource=C:\\x\\y.dll,5\r\nConfirmFileOp=0\r\n" + tail;
    String cyr = root / L"\u0418\u043A\u043E\u043D\u043A\u0438";  // "Иконки", outside the ANSI code page
    CreateDirectoryW(cyr.c_str(), nullptr);
    WriteFileBytes(cyr + L"\\\u043F.exe", "MZ");
    struct Case {
        TTextEncoding enc;
        bool bom;
        std::string mark;  // how the file starts afterwards
    } cases[] = {{TTextEncoding::Ansi, false, "\xFF\xFE"}, {TTextEncoding::Utf16LE, true, "\xFF\xFE"},
                 {TTextEncoding::Utf16BE, true, "\xFE\xFF"}, {TTextEncoding::Utf8, true, "\xEF\xBB\xBF"}};
    for (const Case& c : cases) {
        SCOPED_TRACE((int)c.enc * 2 + c.bom);
        WriteFileBytes(ini, EncodeText(theirs, c.enc, c.bom));
        SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
        ASSERT_TRUE(Iconize_Folder(folder, cyr + L"\\\u043F.exe", L"3", false));
        std::string bytes = ReadFileBytes(ini);
        String path = cyr + L"\\\u043F.exe";
        EXPECT_EQ(bytes.substr(0, c.mark.size()), c.mark);
        TTextEncoding got;
        EXPECT_EQ(N(DecodeText(bytes, got)),
                  N(head + L"ConfirmFileOp=0\r\nIconFile=" + path + L"\r\nIconIndex=3\r\n" + tail));
        String file;
        int index = 0;
        EXPECT_TRUE(Iconize_Get_Folder(folder, file, index));
        EXPECT_EQ(N(file), N(path));
        EXPECT_EQ(index, 3);
        expectIconized();
        Iconize_Clear_Folder(folder, true);
        EXPECT_EQ(N(DecodeText(ReadFileBytes(ini), got)), N(head + tail)) << "comments and bare lines keep the file";
        expectCleared(true);
        DeleteFileW(ini.c_str());
    }
}

// Zero bytes alone do not make a file UTF-16: a run of zeros or binary bytes
// before an ANSI text leave it ANSI, every byte not ours kept, and only a
// file that reads as UTF-16 text is taken for one.
TEST_F(FolderIcon, ZeroBytesMakeUtf16OnlyWhereTheFileReadsAsUtf16)
{
    using namespace std::string_literals;
    const std::string text = "\r\n[User]\r\nName=Ann\r\n";
    const String ours = L"[.ShellClassInfo]\r\nIconFile=a.ico\r\nIconIndex=0\r\n";
    const String utf16 = L"[User]\r\nName=Ann \u4E00\r\n";  // U+4E00 puts one zero on the other side
    struct Case {
        std::string before;
        const wchar_t* name;  // [User] Name as the profile reader sees it after iconize
    } cases[] = {
        {"\0\0\0\0"s + text, L"Ann"},
        {"\x89PNG\r\n\x1A\n\0\0\0\rIHDR"s + text, L"Ann"},
        {"A\r\n\0\0B"s + text, L"Ann"},  // zeros on both sides
        {"A\0"s + text, L"Ann"},          // one zero, but no UTF-16 line ends
        // UTF-16 behind a control character, read as the ANSI text it is taken for
        {"\x01\0\r\n"s + EncodeText(L"[User]\r\nName=Ann\r\n", TTextEncoding::Utf16LE, false) + "\r\n", L"<none>"},
        {EncodeText(utf16, TTextEncoding::Utf16LE, false), L"Ann \u4E00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.before));
        WriteFileBytes(ini, c.before);
        ASSERT_TRUE(Iconize_Folder(folder, icons + L"\\a.ico", L"0", false));
        EXPECT_EQ(N(IniValue(ini, L"User", L"Name")), N(c.name));
        std::string after = ReadFileBytes(ini);
        Iconize_Clear_Folder(folder, true);
        if (c.before[0] != '[') {
            EXPECT_EQ(after, c.before + EncodeText(ours, TTextEncoding::Ansi));
            EXPECT_EQ(ReadFileBytes(ini), c.before);
        } else {
            EXPECT_EQ(after, EncodeText(utf16 + ours, TTextEncoding::Utf16LE, true));
            EXPECT_EQ(ReadFileBytes(ini), EncodeText(utf16, TTextEncoding::Utf16LE, true));
        }
        SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(ini.c_str());
    }
}

TEST_F(FolderIcon, AttributesNotOursAreKept)
{
    DWORD theirs = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    SetFileAttributesW(folder.c_str(), theirs);
    DWORD kept = Attributes(folder) & theirs;  // what the file system keeps on a folder
    WritePrivateProfileStringW(L"Other", L"X", L"1", ini.c_str());
    SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
    DWORD iniKept = Attributes(ini) & FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    ASSERT_TRUE(Iconize_Folder(folder, icons + L"\\a.ico", L"0", true));
    expectIconized(kept);
    EXPECT_EQ(Attributes(ini) & FILE_ATTRIBUTE_NOT_CONTENT_INDEXED, iniKept);
    Iconize_Clear_Folder(folder, true);
    EXPECT_EQ(doors.Marks(folder), kept | RO) << "Desktop.ini stays, so the folder stays read-only";
    expectCleared(true);
    WritePrivateProfileStringW(L"Other", nullptr, nullptr, ini.c_str());
    Iconize_Clear_Folder(folder, true);
    EXPECT_EQ(doors.Marks(folder), kept ? kept : FILE_ATTRIBUTE_NORMAL);
    expectCleared();
}

TEST_F(FolderIcon, PathsAsTheFileSystemTakesThem)
{
    // A trailing dot or blank names the folder itself, as everywhere in the system.
    for (const wchar_t* end : {L".", L" ", L"\\.", L"\\"}) {
        SCOPED_TRACE(N(end));
        ASSERT_TRUE(Iconize_Folder(folder + end, icons + L"\\a.ico", L"0", true));
        EXPECT_EQ(N(key(L"IconFile")), "Desktop.ico");
        expectIconized();
        Iconize_Clear_Folder(folder + end, true);
        EXPECT_TRUE(folderFiles().empty());
        expectCleared();
    }
    // A folder path too long for the ordinary form: iconize and clear leave nothing behind.
    String deep = L"\\\\?\\" + folder;
    while (deep.size() < 4 + 260) {
        deep += L"\\" + String(40, L'd');
        ASSERT_TRUE(CreateDirectoryW(deep.c_str(), nullptr));
    }
    String longFolder = deep.substr(4);
    TModalRecorder boxes;
    if (Iconize_Folder(longFolder, icons + L"\\a.ico", L"0", true)) {
        String file;
        int index = 5;
        EXPECT_TRUE(Iconize_Get_Folder(longFolder, file, index));
        EXPECT_EQ(doors.Marks(longFolder), RO);
    }
    Iconize_Clear_Folder(longFolder, true);
    EXPECT_TRUE(folderFiles(deep).empty());
    EXPECT_EQ(doors.Marks(longFolder) & RO, 0u);
}

TEST_F(FolderIcon, MissingFolderOrIconIsToldAndNothingChanges)
{
    String missing = root / L"nope";
    auto told = [](const TIconizeResult& r) { return std::pair{r.Why, N(r.Text)}; };
    EXPECT_EQ(told(Iconize_Folder(missing, icons + L"\\a.ico", L"0", true)),
              std::pair(TIconizeWhy::NoFolder, N(String(Iconize_Msg_NoFolder) + L"\r\n" + missing)));
    EXPECT_EQ(told(Iconize_Folder(folder, icons + L"\\nope.ico", L"0", true)),
              std::pair(TIconizeWhy::NoIcon, N(String(Iconize_Msg_NoIcon) + L"\r\n" + icons + L"\\nope.ico")));
    EXPECT_EQ(Iconize_Folder(icons + L"\\a.ico", icons + L"\\b.ico", L"0", true).Why, TIconizeWhy::NoFolder)
        << "a file is no folder";
    EXPECT_EQ(told(Iconize_Clear_Folder(missing, true)),
              std::pair(TIconizeWhy::NoFolderClear, N(String(Iconize_Msg_NoFolderClear) + L"\r\n" + missing)));
    EXPECT_TRUE(folderFiles().empty());
    EXPECT_TRUE(doors.Seen().empty());
    // A folder that was never iconized: clearing only takes the read-only mark.
    SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_READONLY);
    Iconize_Clear_Folder(folder, true);
    expectCleared();
}

// Reading the present icon back ---------------------------------------------

TEST_F(FolderIcon, ReadIconFileAndIndexFromTheFolderNotTheCurrentFolder)
{
    hidden(dico, TinyIco());
    put(L"IconFile", L"Desktop.ico");
    put(L"IconIndex", L"0");
    String file;
    int index = 9;
    ASSERT_TRUE(Iconize_Get_Folder(folder, file, index));
    EXPECT_EQ(N(file), N(dico));
    EXPECT_EQ(index, 0);
    put(L"IconIndex", L"");
    index = 7;
    ASSERT_TRUE(Iconize_Get_Folder(folder, file, index));
    EXPECT_EQ(index, 7) << "without IconIndex the caller's index stays";
    put(L"IconFile", L"\\\\nosuchserver\\share\\a.ico");  // a share's file is named in full
    EXPECT_FALSE(Iconize_Get_Folder(folder, file, index));
    EXPECT_EQ(N(file), "\\\\nosuchserver\\share\\a.ico");
    put(L"IconFile", L"Desktop.ico");

    // A Desktop.ico in the process's current folder is not the folder's.
    DeleteFileW(dico.c_str());
    WriteFileBytes(root / L"Desktop.ico", TinyIco());
    wchar_t old[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, old);
    SetCurrentDirectoryW(root.Path().c_str());
    bool found = Iconize_Get_Folder(folder, file, index);
    SetCurrentDirectoryW(old);
    EXPECT_FALSE(found);
    EXPECT_EQ(N(file), N(dico));
}

TEST_F(FolderIcon, ReadIconResourceWinsAndMissingPiecesGiveFalse)
{
    String shell32 = SystemFile(L"shell32.dll"), file = L"keep";
    int index = 5;
    EXPECT_FALSE(Iconize_Get_Folder(root / L"nope", file, index));
    EXPECT_FALSE(Iconize_Get_Folder(folder, file, index));  // no Desktop.ini
    WritePrivateProfileStringW(L"Other", L"X", L"1", ini.c_str());
    EXPECT_FALSE(Iconize_Get_Folder(folder, file, index));  // no key
    put(L"IconFile", L"%SystemRoot%\\system32\\shell32.dll");
    EXPECT_FALSE(Iconize_Get_Folder(folder, file, index)) << "variables are not expanded";
    EXPECT_EQ(index, 5);

    struct Case {
        String value, file;
        int index;
    } cases[] = {{shell32 + L",4", shell32, 4},
                 {shell32 + L",-3", shell32, -3},
                 {shell32, shell32, 11},                  // no comma: the index is not set
                 {shell32 + L",x", shell32 + L",x", 11}};  // no number: the whole value is the file
    for (const Case& c : cases) {
        put(L"IconResource", c.value);
        index = 11;
        EXPECT_EQ(Iconize_Get_Folder(folder, file, index), FileExists(c.file)) << N(c.value);
        EXPECT_EQ(N(file), N(c.file));
        EXPECT_EQ(index, c.index);
    }
}

}  // namespace
