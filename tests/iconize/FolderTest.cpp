// Folder icons: Desktop.ini, attributes, the icon copy and the shell notices,
// on real folders of the test prefix.
#include "Classes.h"
#include "IconizeTestSupport.h"
#include "IniFiles.h"
#include "xaY.h"

namespace {

const wchar_t kSec[] = L".ShellClassInfo";

class FolderIcon : public ::testing::Test {
protected:
    TTempDir root;
    String icons = root / L"Icons";
    String folder = root / L"F";
    String ini = folder + L"\\Desktop.ini";
    std::string dllBytes = std::string("MZ fake library ") + std::string(300, 'd');
    TNoticeRecorder notices;

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

    void expectFolderReadOnly()
    {
        DWORD a = Attributes(folder);
        ASSERT_NE(a, INVALID_FILE_ATTRIBUTES);
        if (FoldersKeepReadOnly())
            EXPECT_TRUE(a & FILE_ATTRIBUTE_READONLY) << "the iconized folder must be read-only";
        else
            EXPECT_FALSE(a & FILE_ATTRIBUTE_READONLY) << "Wine drops READONLY on folders; not checked here";
    }
};

TEST_F(FolderIcon, CopyOptionOnCopiesAnySourceAsHiddenDesktopIco)
{
    ASSERT_TRUE(Iconize_Folder(folder, icons + L"\\app.dll", L"3", true));
    EXPECT_EQ(ReadFileBytes(folder + L"\\Desktop.ico"), dllBytes);
    EXPECT_EQ(Attributes(folder + L"\\Desktop.ico"), (DWORD)(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    EXPECT_EQ(N(key(L"IconFile")), "Desktop.ico");
    EXPECT_EQ(N(key(L"IconIndex")), "3");
    EXPECT_EQ(Attributes(ini), (DWORD)(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE));
    expectFolderReadOnly();

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
    auto& seen = notices.Seen();
    ASSERT_EQ(seen.size(), std::size(want));
    for (size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i].Event, want[i].event) << "notice " << i + 1;
        EXPECT_EQ(seen[i].Flags, want[i].flags) << "notice " << i + 1;
        EXPECT_EQ(N(seen[i].Item), N(want[i].item)) << "notice " << i + 1;
    }
}

TEST_F(FolderIcon, CopyOptionOffCopiesOnlyIcoAndBmp)
{
    ASSERT_TRUE(Iconize_Folder(folder, icons + L"\\a.ico", L"0", false));
    EXPECT_EQ(ReadFileBytes(folder + L"\\a.ico"), TinyIco(0x10));
    EXPECT_EQ(Attributes(folder + L"\\a.ico"), (DWORD)(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    EXPECT_EQ(N(key(L"IconFile")), "a.ico");

    TTempDir other;
    String f2 = other.Path();
    ASSERT_TRUE(Iconize_Folder(f2, icons + L"\\app.exe", L"2", false));
    EXPECT_EQ(N(IniValue(f2 + L"\\Desktop.ini", kSec, L"IconFile")), N(icons + L"\\app.exe"));
    EXPECT_EQ(N(IniValue(f2 + L"\\Desktop.ini", kSec, L"IconIndex")), "2");
    EXPECT_FALSE(FileExists(f2 + L"\\app.exe"));
    EXPECT_FALSE(FileExists(f2 + L"\\Desktop.ico"));
}

TEST_F(FolderIcon, SourceInsideTheFolderIsNamedBareAndNotCopied)
{
    WriteFileBytes(folder + L"\\tool.exe", "MZ inside");
    ASSERT_TRUE(Iconize_Folder(folder, folder + L"\\tool.exe", L"1", false));
    EXPECT_EQ(N(key(L"IconFile")), "tool.exe");
    EXPECT_FALSE(FileExists(folder + L"\\Desktop.ico"));
    EXPECT_EQ(Attributes(folder + L"\\tool.exe") & FILE_ATTRIBUTE_HIDDEN, 0u);
    // A folder given with its trailing backslash is the same folder.
    ASSERT_TRUE(Iconize_Folder(folder + L"\\", folder + L"\\tool.exe", L"4", false));
    EXPECT_EQ(N(key(L"IconFile")), "tool.exe");
    EXPECT_EQ(N(key(L"IconIndex")), "4");
}

TEST_F(FolderIcon, OwnDesktopIcoStaysWhenChosenAgainOrBesideAnotherSource)
{
    ASSERT_TRUE(Iconize_Folder(folder, icons + L"\\a.ico", L"0", true));
    std::string first = ReadFileBytes(folder + L"\\Desktop.ico");
    // The folder's own Desktop.ico as source: nothing copied, keys rewritten.
    ASSERT_TRUE(Iconize_Folder(folder, folder + L"\\Desktop.ico", L"5", true));
    EXPECT_EQ(ReadFileBytes(folder + L"\\Desktop.ico"), first);
    EXPECT_EQ(N(key(L"IconIndex")), "5");
    // Another file inside the same folder: the present Desktop.ico stays.
    WriteFileBytes(folder + L"\\other.ico", TinyIco(0x77));
    ASSERT_TRUE(Iconize_Folder(folder, folder + L"\\other.ico", L"7", true));
    EXPECT_EQ(ReadFileBytes(folder + L"\\Desktop.ico"), first);
    EXPECT_EQ(N(key(L"IconFile")), "Desktop.ico");
    EXPECT_EQ(N(key(L"IconIndex")), "7");
}

TEST_F(FolderIcon, HiddenEarlierCopyUnderAnotherNameBecomesDesktopIco)
{
    ASSERT_TRUE(Iconize_Folder(folder, icons + L"\\a.ico", L"0", false));  // hidden a.ico in the folder
    ASSERT_TRUE(Attributes(folder + L"\\a.ico") & FILE_ATTRIBUTE_HIDDEN);
    ASSERT_TRUE(Iconize_Folder(folder, folder + L"\\a.ico", L"0", true));
    EXPECT_FALSE(FileExists(folder + L"\\a.ico"));
    EXPECT_EQ(ReadFileBytes(folder + L"\\Desktop.ico"), TinyIco(0x10));
    EXPECT_EQ(N(key(L"IconFile")), "Desktop.ico");
}

TEST_F(FolderIcon, HiddenEarlierCopyIsDeletedWhenAnOutsideSourceIsChosen)
{
    ASSERT_TRUE(Iconize_Folder(folder, icons + L"\\a.ico", L"0", false));
    ASSERT_TRUE(Iconize_Folder(folder, icons + L"\\b.ico", L"0", true));
    EXPECT_FALSE(FileExists(folder + L"\\a.ico")) << "the hidden earlier copy must go";
    EXPECT_EQ(ReadFileBytes(folder + L"\\Desktop.ico"), TinyIco(0x20));
    // A copy of the user's own (not hidden) is never deleted.
    WriteFileBytes(folder + L"\\mine.ico", TinyIco(0x55));
    WritePrivateProfileStringW(kSec, L"IconFile", L"mine.ico", ini.c_str());
    ASSERT_TRUE(Iconize_Folder(folder, icons + L"\\a.ico", L"0", true));
    EXPECT_TRUE(FileExists(folder + L"\\mine.ico"));
}

TEST_F(FolderIcon, OtherKeysAndSectionsAreKeptAndTheFileGoesOnlyWhenEmpty)
{
    WritePrivateProfileStringW(L"Other", L"X", L"1", ini.c_str());
    WritePrivateProfileStringW(kSec, L"InfoTip", L"hello", ini.c_str());
    WritePrivateProfileStringW(kSec, L"ConfirmFileOp", L"0", ini.c_str());
    ASSERT_TRUE(Iconize_Folder(folder, icons + L"\\a.ico", L"0", true));
    EXPECT_EQ(N(IniValue(ini, L"Other", L"X")), "1");
    EXPECT_EQ(N(key(L"InfoTip")), "hello");

    Iconize_Clear_Folder(folder, true);
    ASSERT_TRUE(FileExists(ini)) << "Desktop.ini still holds other keys";
    EXPECT_EQ(N(IniValue(ini, L"Other", L"X")), "1");
    EXPECT_EQ(N(key(L"InfoTip")), "hello");
    EXPECT_EQ(N(key(L"IconFile")), "<none>");
    EXPECT_EQ(N(key(L"IconIndex")), "<none>");
    EXPECT_EQ(N(key(L"ConfirmFileOp")), "<none>");
    EXPECT_EQ(Attributes(ini), (DWORD)FILE_ATTRIBUTE_ARCHIVE);
    EXPECT_FALSE(FileExists(folder + L"\\Desktop.ico"));

    WritePrivateProfileStringW(L"Other", nullptr, nullptr, ini.c_str());
    WritePrivateProfileStringW(kSec, L"InfoTip", nullptr, ini.c_str());
    Iconize_Clear_Folder(folder, true);
    EXPECT_FALSE(FileExists(ini)) << "nothing left, so Desktop.ini goes";
}

TEST_F(FolderIcon, IconizeThenClearLeavesNothingBehind)
{
    ASSERT_TRUE(Iconize_Folder(folder, icons + L"\\app.dll", L"0", true));
    Iconize_Clear_Folder(folder, true);
    EXPECT_FALSE(FileExists(folder + L"\\Desktop.ico"));
    EXPECT_FALSE(FileExists(ini));
    EXPECT_EQ(Attributes(folder) & FILE_ATTRIBUTE_READONLY, 0u);
    // Without the delete-copy flag the copy stays.
    ASSERT_TRUE(Iconize_Folder(folder, icons + L"\\a.ico", L"0", false));
    Iconize_Clear_Folder(folder, false);
    EXPECT_TRUE(FileExists(folder + L"\\a.ico"));
    EXPECT_FALSE(FileExists(ini));
}

TEST_F(FolderIcon, IconResourceOfOtherSoftwareIsRemovedButItsFileNeverDeleted)
{
    WriteFileBytes(folder + L"\\y.dll", "MZ y");
    String resource = folder + L"\\y.dll,5";
    WritePrivateProfileStringW(kSec, L"IconResource", resource.c_str(), ini.c_str());
    ASSERT_TRUE(Iconize_Folder(folder, icons + L"\\app.exe", L"0", false));
    EXPECT_EQ(N(key(L"IconResource")), "<none>");

    WritePrivateProfileStringW(kSec, L"IconResource", resource.c_str(), ini.c_str());
    Iconize_Clear_Folder(folder, true);
    EXPECT_EQ(N(key(L"IconResource")), "<none>");
    EXPECT_TRUE(FileExists(folder + L"\\y.dll")) << "a file named by a path is never deleted";

    // A hidden bare .ico named by IconResource is a copy and goes with the flag.
    WriteFileBytes(folder + L"\\z.ico", TinyIco());
    SetFileAttributesW((folder + L"\\z.ico").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
    WritePrivateProfileStringW(kSec, L"IconResource", L"z.ico,0", ini.c_str());
    Iconize_Clear_Folder(folder, true);
    EXPECT_FALSE(FileExists(folder + L"\\z.ico"));
}

TEST_F(FolderIcon, UsersOwnIconInTheFolderIsNeitherHiddenNorDeleted)
{
    // Copy option off, the icon already lies in the folder under its own
    // name: it is named bare, but it is the user's file, not a copy.
    WriteFileBytes(folder + L"\\mine.ico", TinyIco(0x31));
    ASSERT_TRUE(Iconize_Folder(folder, folder + L"\\mine.ico", L"0", false));
    EXPECT_EQ(N(key(L"IconFile")), "mine.ico");
    EXPECT_EQ(Attributes(folder + L"\\mine.ico") & FILE_ATTRIBUTE_HIDDEN, 0u);
    Iconize_Clear_Folder(folder, true);
    EXPECT_EQ(ReadFileBytes(folder + L"\\mine.ico"), TinyIco(0x31)) << "clearing must not delete the user's icon";
    EXPECT_FALSE(FileExists(ini));

    // The same for a visible bare .bmp that another program's Desktop.ini names.
    WriteFileBytes(folder + L"\\pic.bmp", "BM picture");
    WritePrivateProfileStringW(kSec, L"IconFile", L"pic.bmp", ini.c_str());
    Iconize_Clear_Folder(folder, true);
    EXPECT_TRUE(FileExists(folder + L"\\pic.bmp"));
}

TEST_F(FolderIcon, UsersOwnFileOfTheCopysNameIsNeverOverwritten)
{
    // A visible a.ico of the user's lies in the folder; another a.ico is chosen.
    WriteFileBytes(folder + L"\\a.ico", TinyIco(0x66));
    ASSERT_TRUE(Iconize_Folder(folder, icons + L"\\a.ico", L"1", false));
    EXPECT_EQ(ReadFileBytes(folder + L"\\a.ico"), TinyIco(0x66));
    EXPECT_EQ(N(key(L"IconFile")), N(icons + L"\\a.ico")) << "the icon is referred to where it lies";
    // The same with the copy option and a visible Desktop.ico of the user's.
    WriteFileBytes(folder + L"\\Desktop.ico", TinyIco(0x67));
    ASSERT_TRUE(Iconize_Folder(folder, icons + L"\\b.ico", L"0", true));
    EXPECT_EQ(ReadFileBytes(folder + L"\\Desktop.ico"), TinyIco(0x67));
    EXPECT_EQ(N(key(L"IconFile")), N(icons + L"\\b.ico"));
    Iconize_Clear_Folder(folder, true);
    EXPECT_TRUE(FileExists(folder + L"\\a.ico"));
    EXPECT_TRUE(FileExists(folder + L"\\Desktop.ico"));
}

TEST_F(FolderIcon, SourceNamedOutsideByOtherSoftwareIsStillCopiedIn)
{
    // Desktop.ini names the chosen icon where it lies, outside the folder: the
    // copy that the new IconFile=a.ico names must still be made.
    WritePrivateProfileStringW(kSec, L"IconFile", (icons + L"\\a.ico").c_str(), ini.c_str());
    TModalRecorder boxes;
    ASSERT_TRUE(Iconize_Folder(folder, icons + L"\\a.ico", L"2", false));
    EXPECT_TRUE(boxes.Seen.empty());
    EXPECT_EQ(N(key(L"IconFile")), "a.ico");
    EXPECT_EQ(N(key(L"IconIndex")), "2");
    EXPECT_EQ(ReadFileBytes(folder + L"\\a.ico"), TinyIco(0x10));
    EXPECT_EQ(Attributes(folder + L"\\a.ico"), (DWORD)(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    EXPECT_TRUE(FileExists(icons + L"\\a.ico"));
}

TEST_F(FolderIcon, MissingFolderOrIconIsToldAndNothingChanges)
{
    TModalRecorder boxes;
    String missing = root / L"nope";
    EXPECT_FALSE(Iconize_Folder(missing, icons + L"\\a.ico", L"0", true));
    EXPECT_FALSE(Iconize_Folder(folder, icons + L"\\nope.ico", L"0", true));
    ASSERT_EQ(boxes.Seen.size(), 2u);
    EXPECT_EQ(N(boxes.Seen[0].Kind), "TFormY");
    EXPECT_EQ(N(boxes.Seen[0].Caption), "Iconize_Folder");
    EXPECT_EQ(N(boxes.Seen[0].Text), N(String(Iconize_Msg_NoFolder) + L"\r\n" + missing));
    EXPECT_EQ(boxes.Seen[0].Color, clYDefault);
    EXPECT_EQ(N(boxes.Seen[1].Text), N(String(Iconize_Msg_NoIcon) + L"\r\n" + icons + L"\\nope.ico"));
    EXPECT_FALSE(FileExists(ini));
    EXPECT_TRUE(notices.Seen().empty());
    // A file is not a folder.
    EXPECT_FALSE(Iconize_Folder(icons + L"\\a.ico", icons + L"\\b.ico", L"0", true));

    Iconize_Clear_Folder(missing, true);
    ASSERT_EQ(boxes.Seen.size(), 4u);
    EXPECT_EQ(N(boxes.Seen[3].Kind), "ShowMessage");
    EXPECT_EQ(N(boxes.Seen[3].Text), N(String(Iconize_Msg_NoFolderClear) + L"\r\n" + missing));
}

TEST_F(FolderIcon, ClearingAFolderThatWasNeverIconizedIsQuiet)
{
    SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_READONLY);
    Iconize_Clear_Folder(folder, true);
    EXPECT_FALSE(FileExists(ini));
    EXPECT_EQ(Attributes(folder) & FILE_ATTRIBUTE_READONLY, 0u);
}

TEST_F(FolderIcon, FailedCopyIsReportedAndDesktopIniUntouched)
{
    // Hold the source open without sharing: the copy cannot read it.
    HANDLE lock = CreateFileW((icons + L"\\a.ico").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    TModalRecorder boxes;
    bool ok = Iconize_Folder(folder, icons + L"\\a.ico", L"0", true);
    CloseHandle(lock);
    EXPECT_FALSE(ok) << "a failed copy must not be reported as success";
    ASSERT_EQ(boxes.Seen.size(), 1u);
    EXPECT_EQ(boxes.Seen[0].Color, clYError);
    EXPECT_NE(boxes.Seen[0].Text.find(folder + L"\\Desktop.ico"), String::npos);
    EXPECT_FALSE(FileExists(ini));
    EXPECT_FALSE(FileExists(folder + L"\\Desktop.ico"));
    EXPECT_TRUE(notices.Seen().empty());
}

TEST_F(FolderIcon, IconPathOutsideTheAnsiCodePageSurvives)
{
    String cyr = root / L"\u0418\u043A\u043E\u043D\u043A\u0438";  // "Иконки"
    CreateDirectoryW(cyr.c_str(), nullptr);
    WriteFileBytes(cyr + L"\\\u043F.exe", "MZ");
    ASSERT_TRUE(Iconize_Folder(folder, cyr + L"\\\u043F.exe", L"0", false));
    EXPECT_EQ(N(key(L"IconFile")), N(cyr + L"\\\u043F.exe"));
    String file;
    int index = -9;
    EXPECT_TRUE(Iconize_Get_Folder(folder, file, index));
    EXPECT_EQ(N(file), N(cyr + L"\\\u043F.exe"));
    EXPECT_EQ(index, 0);
}

TEST_F(FolderIcon, UnwritableDesktopIniRaisesTheIniWriteError)
{
    WritePrivateProfileStringW(L"Other", L"X", L"1", ini.c_str());
    SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_READONLY);
    bool raised = false;
    try {
        Iconize_Folder(folder, icons + L"\\app.exe", L"0", false);
    } catch (const EIniFileException& e) {
        raised = true;
        EXPECT_EQ(N(e.Message()), N(L"Unable to write to " + ini));
    }
    SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!raised) {
        // Wine writes profile files whatever their read-only attribute says.
        EXPECT_EQ(N(key(L"IconFile")), N(icons + L"\\app.exe")) << "Wine ignored the read-only Desktop.ini";
        return;
    }
    EXPECT_TRUE(notices.Seen().empty()) << "the shell is not told after a failed write";
}

// Reading the present icon back ---------------------------------------------

class ReadFolderIcon : public FolderIcon {};

TEST_F(ReadFolderIcon, IconFileAndIndex)
{
    WriteFileBytes(folder + L"\\Desktop.ico", TinyIco());
    SetFileAttributesW((folder + L"\\Desktop.ico").c_str(), FILE_ATTRIBUTE_HIDDEN);
    WritePrivateProfileStringW(kSec, L"IconFile", L"Desktop.ico", ini.c_str());
    WritePrivateProfileStringW(kSec, L"IconIndex", L"0", ini.c_str());
    String file;
    int index = 9;
    ASSERT_TRUE(Iconize_Get_Folder(folder, file, index));
    EXPECT_EQ(N(file), N(folder + L"\\Desktop.ico"));
    EXPECT_EQ(index, 0);

    // Without IconIndex the caller's index stays.
    WritePrivateProfileStringW(kSec, L"IconIndex", nullptr, ini.c_str());
    index = 7;
    ASSERT_TRUE(Iconize_Get_Folder(folder, file, index));
    EXPECT_EQ(index, 7);
}

TEST_F(ReadFolderIcon, BareNameIsTheFoldersNotTheCurrentFolders)
{
    // A Desktop.ico in the process's current folder must not be taken for
    // the one the folder's Desktop.ini names.
    WriteFileBytes(root / L"Desktop.ico", TinyIco());
    wchar_t old[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, old);
    SetCurrentDirectoryW(root.Path().c_str());
    WritePrivateProfileStringW(kSec, L"IconFile", L"Desktop.ico", ini.c_str());
    String file;
    int index = 0;
    bool found = Iconize_Get_Folder(folder, file, index);
    SetCurrentDirectoryW(old);
    EXPECT_FALSE(found);
    EXPECT_EQ(N(file), N(folder + L"\\Desktop.ico"));
}

TEST_F(ReadFolderIcon, IconResourceWinsAndKeepsItsIndex)
{
    String shell32 = SystemFile(L"shell32.dll");
    WritePrivateProfileStringW(kSec, L"IconFile", L"other.ico", ini.c_str());
    WritePrivateProfileStringW(kSec, L"IconResource", (shell32 + L",4").c_str(), ini.c_str());
    String file;
    int index = 0;
    ASSERT_TRUE(Iconize_Get_Folder(folder, file, index));
    EXPECT_EQ(N(file), N(shell32));
    EXPECT_EQ(index, 4);

    WritePrivateProfileStringW(kSec, L"IconResource", (shell32 + L",-3").c_str(), ini.c_str());
    ASSERT_TRUE(Iconize_Get_Folder(folder, file, index));
    EXPECT_EQ(index, -3);

    WriteFileBytes(root / L"a.ico", TinyIco());
    WritePrivateProfileStringW(kSec, L"IconResource", (root / L"a.ico").c_str(), ini.c_str());
    index = 11;
    ASSERT_TRUE(Iconize_Get_Folder(folder, file, index));
    EXPECT_EQ(N(file), N(root / L"a.ico"));
    EXPECT_EQ(index, 11) << "no comma: the index is not set";
}

TEST_F(ReadFolderIcon, MissingPiecesGiveFalseAndBadNumbersRaise)
{
    String file = L"keep";
    int index = 5;
    EXPECT_FALSE(Iconize_Get_Folder(root / L"nope", file, index));
    EXPECT_FALSE(Iconize_Get_Folder(folder, file, index));  // no Desktop.ini
    WritePrivateProfileStringW(L"Other", L"X", L"1", ini.c_str());
    EXPECT_FALSE(Iconize_Get_Folder(folder, file, index));  // no key
    EXPECT_EQ(N(file), "keep");
    EXPECT_EQ(index, 5);

    WritePrivateProfileStringW(kSec, L"IconFile", L"%SystemRoot%\\system32\\shell32.dll", ini.c_str());
    EXPECT_FALSE(Iconize_Get_Folder(folder, file, index)) << "variables are not expanded";

    WriteFileBytes(folder + L"\\x.ico", TinyIco());
    WritePrivateProfileStringW(kSec, L"IconFile", L"x.ico", ini.c_str());
    WritePrivateProfileStringW(kSec, L"IconIndex", L"two", ini.c_str());
    EXPECT_THROW(Iconize_Get_Folder(folder, file, index), EConvertError);
    // ...and iconizing with the copy option stops before it changes anything.
    EXPECT_THROW(Iconize_Folder(folder, icons + L"\\a.ico", L"0", true), EConvertError);
    EXPECT_FALSE(FileExists(folder + L"\\Desktop.ico"));
}

// The shell's own view --------------------------------------------------------

TEST_F(FolderIcon, ShellReportsTheFolderIconWeWrote)
{
    ASSERT_TRUE(Iconize_Folder(folder, icons + L"\\app.exe", L"2", false));
    SHFILEINFOW info{};
    DWORD_PTR ok = SHGetFileInfoW(folder.c_str(), 0, &info, sizeof info, SHGFI_ICONLOCATION);
    String where = info.szDisplayName;
    if (!ok || where.empty() || AnsiSameText(where, icons + L"\\app.exe") == false) {
        // Wine's shell does not read a folder's Desktop.ini for its icon
        // location; the engine's own reading is checked above.
        GTEST_SKIP() << "Wine's SHGetFileInfoW gives no icon location from a folder's Desktop.ini (result "
                     << ok << ")";
    }
    EXPECT_EQ(info.iIcon, 2);
}

}  // namespace
