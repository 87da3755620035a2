// Reading back the icon an element shows: folders, shortcuts, icon files and
// file types with and without the user's chosen class.
#include "IconizeTestSupport.h"
#include "Registry.h"
#include "xaModul.h"


namespace {

const HKEY CR = HKEY_CLASSES_ROOT;

// A shortcut named Lnk to Target, made by the program's own routine.
void MakeShortcut(const String& lnk, const String& target)
{
    String made = ExtractFilePath(lnk) + File_NameNoExt(target) + L".lnk";
    Lnk_Create(target, ExcludeTrailingPathDelimiter(ExtractFilePath(lnk)), L"", L"");
    ASSERT_TRUE(FileExists(made)) << N(made);
    if (made != lnk) {
        ASSERT_TRUE(MoveFileW(made.c_str(), lnk.c_str())) << N(lnk);
    }
}

class ReadElement : public ::testing::Test {
protected:
    TTempDir root;
    TRegSnapshot keepCr{CR, {L".dolvr", L"dolvrfile", L"DolvRChosen"}};
    TRegSnapshot keepCu{HKEY_CURRENT_USER, {Iconize_FileExtsKey(L"dolvr")}};
    String file = L"untouched";
    int index = 42;
};

TEST_F(ReadElement, IconFilesAndProgramsStandForThemselves)
{
    EXPECT_TRUE(Iconize_Get_Element(root / L"missing.ico", file, index)) << "an .ico is not tested for existence";
    EXPECT_EQ(N(file), N(root / L"missing.ico"));
    EXPECT_EQ(index, 0);
    WriteFileBytes(root / L"p.exe", "MZ");
    index = 9;
    EXPECT_TRUE(Iconize_Get_Element(root / L"p.exe", file, index));
    EXPECT_EQ(N(file), N(root / L"p.exe"));
    EXPECT_EQ(index, 0);
    file = L"untouched";
    EXPECT_FALSE(Iconize_Get_Element(root / L"gone.dll", file, index));
    EXPECT_EQ(N(file), "untouched");
}

TEST_F(ReadElement, ShortcutsAreFollowedOneLevel)
{
    String folder = root / L"F";
    CreateDirectoryW(folder.c_str(), nullptr);
    WriteFileBytes(root / L"i.ico", TinyIco());
    ASSERT_TRUE(Iconize_Folder(folder, root / L"i.ico", L"0", true));
    MakeShortcut(root / L"toF.lnk", folder);
    ASSERT_TRUE(Iconize_Get_Element(root / L"toF.lnk", file, index));
    EXPECT_EQ(N(file), N(folder + L"\\Desktop.ico"));
    EXPECT_EQ(index, 0);

    WriteFileBytes(root / L"p.exe", "MZ");
    MakeShortcut(root / L"toP.lnk", root / L"p.exe");
    index = 5;
    ASSERT_TRUE(Iconize_Get_Element(root / L"toP.lnk", file, index));
    EXPECT_EQ(N(file), N(root / L"p.exe"));
    EXPECT_EQ(index, 0);

    String ico = root / L"pic.ICO";  // not tested for existence
    MakeShortcut(root / L"toIco.LNK", ico);
    ASSERT_TRUE(Iconize_Get_Element(root / L"toIco.LNK", file, index));
    EXPECT_TRUE(AnsiSameText(file, ico)) << N(file);

    // A folder without a custom icon gives nothing.
    String plain = root / L"plain";
    CreateDirectoryW(plain.c_str(), nullptr);
    file = L"untouched";
    EXPECT_FALSE(Iconize_Get_Element(plain, file, index));
}

TEST_F(ReadElement, FileTypesThroughTheirClassOrTheUsersChoice)
{
    String shell32 = SystemFile(L"shell32.dll");
    WriteFileBytes(root / L"doc.dolvr", "x");

    RegSetValue(CR, L".dolvr", L"", L"dolvrfile");
    RegSetValue(CR, L"dolvrfile\\DefaultIcon", L"", shell32 + L",7");
    ASSERT_TRUE(Iconize_Get_Element(root / L"doc.dolvr", file, index));
    EXPECT_EQ(N(file), N(shell32));
    EXPECT_EQ(index, 7);

    // The user's chosen class wins over the extension's class.
    RegSetValue(HKEY_CURRENT_USER, Iconize_FileExtsKey(L"dolvr") + L"\\UserChoice", L"Progid", L"DolvRChosen");
    RegSetValue(CR, L"DolvRChosen\\DefaultIcon", L"", L"\"" + shell32 + L"\",12");
    ASSERT_TRUE(Iconize_Get_Element(root / L"doc.dolvr", file, index));
    EXPECT_EQ(N(file), N(shell32));
    EXPECT_EQ(index, 12);

    // A chosen class whose icon file does not exist: False, outputs untouched.
    RegSetValue(CR, L"DolvRChosen\\DefaultIcon", L"", L"C:\\nowhere\\x.dll,1");
    file = L"untouched";
    index = 42;
    EXPECT_FALSE(Iconize_Get_Element(root / L"doc.dolvr", file, index));
    EXPECT_EQ(N(file), "untouched");
    EXPECT_EQ(index, 42);

    // Iconize_Get_Ext itself does not care whether the file exists.
    EXPECT_TRUE(Iconize_Get_Ext(L"dolvr", file, index));
    EXPECT_EQ(N(file), "C:\\nowhere\\x.dll");
}

class ReadExt : public ::testing::Test {
protected:
    TTempDir root;
    TRegSnapshot keepCr{CR, {L".dolvq", L"dolvqfile", L"DolvQChosen"}};
    TRegSnapshot keepCu{HKEY_CURRENT_USER, {Iconize_FileExtsKey(L"dolvq")}};
    String file = L"untouched";
    int index = 42;
    String shell32 = SystemFile(L"shell32.dll");
    String user32 = SystemFile(L"user32.dll");
    String userIcons = Iconize_FileExtsKey(L"dolvq") + L"\\DefaultIcon";
};

TEST_F(ReadExt, TheUsersOwnDefaultIconWithoutAChosenClass)
{
    RegSetValue(CR, L".dolvq", L"", L"dolvqfile");
    RegSetValue(CR, L"dolvqfile\\DefaultIcon", L"", shell32 + L",3");
    RegSetValue(HKEY_CURRENT_USER, userIcons, L"", user32 + L",2");
    ASSERT_TRUE(Iconize_Get_Ext(L"dolvq", file, index)) << "no UserChoice: the user's FileExts DefaultIcon";
    EXPECT_EQ(N(file), N(user32));
    EXPECT_EQ(index, 2);

    // An empty Progid is no choice: still the user's own DefaultIcon.
    RegSetValue(HKEY_CURRENT_USER, Iconize_FileExtsKey(L"dolvq") + L"\\UserChoice", L"Progid", L"");
    ASSERT_TRUE(Iconize_Get_Ext(L"dolvq", file, index));
    EXPECT_EQ(N(file), N(user32));

    // A chosen class without DefaultIcon: not the user's own value, the extension's class.
    RegSetValue(HKEY_CURRENT_USER, Iconize_FileExtsKey(L"dolvq") + L"\\UserChoice", L"Progid", L"DolvQChosen");
    RegSetValue(CR, L"DolvQChosen", L"", L"chosen, no icon");
    ASSERT_TRUE(Iconize_Get_Ext(L"dolvq", file, index));
    EXPECT_EQ(N(file), N(shell32));
    EXPECT_EQ(index, 3);
}

TEST_F(ReadExt, AClassWithoutKeyFallsBackToTheExtensionKey)
{
    RegSetValue(CR, L".dolvq", L"", L"dolvqfile");  // names a class that has no key
    RegSetValue(CR, L".dolvq\\DefaultIcon", L"", user32 + L",1");
    ASSERT_TRUE(Iconize_Get_Ext(L"dolvq", file, index));
    EXPECT_EQ(N(file), N(user32));
    EXPECT_EQ(index, 1);
    // Once the class exists, its DefaultIcon (here none) is the one asked.
    RegSetValue(CR, L"dolvqfile", L"", L"class");
    file = L"untouched";
    index = 42;
    EXPECT_FALSE(Iconize_Get_Ext(L"dolvq", file, index));
    EXPECT_EQ(N(file), "untouched");
    EXPECT_EQ(index, 42);
}

TEST_F(ReadExt, ValuesAreReadAsStored)
{
    // An expandable value keeps its variable: the file does not exist as named.
    String expandable = L"%SystemRoot%\\system32\\shell32.dll,5";
    RegSetValue(CR, L".dolvq\\DefaultIcon", L"", expandable, REG_EXPAND_SZ);
    ASSERT_TRUE(Iconize_Get_Ext(L"dolvq", file, index));
    EXPECT_EQ(N(file), "%SystemRoot%\\system32\\shell32.dll");
    EXPECT_EQ(index, 5);
    WriteFileBytes(root / L"a.dolvq", "x");
    file = L"untouched";
    index = 42;
    EXPECT_FALSE(Iconize_Get_Element(root / L"a.dolvq", file, index));
    EXPECT_EQ(N(file), "untouched");
    EXPECT_EQ(index, 42);

    // A value that is no text is the registry's error, not a silent miss.
    RegSetValue(CR, L".dolvq\\DefaultIcon", L"", L"\x07", REG_DWORD);
    try {
        Iconize_Get_Ext(L"dolvq", file, index);
        ADD_FAILURE() << "no error for a DefaultIcon that is a number";
    } catch (const ERegistryException& e) {
        EXPECT_EQ(N(e.Message()), "Invalid data type for ''");
    }
}

TEST_F(ReadElement, WhatIconizeWritesIsWhatIsReadBack)
{
    WriteFileBytes(root / L"i.ico", TinyIco());
    WriteFileBytes(root / L"doc.dolvr", "x");
    RegDeleteTreeQuiet(CR, L".dolvr");
    TNoticeRecorder quiet;
    Iconize_Ext(L"dolvr", root / L"i.ico", 3);
    ASSERT_TRUE(Iconize_Get_Element(root / L"doc.dolvr", file, index));
    EXPECT_EQ(N(file), N(root / L"i.ico"));
    EXPECT_EQ(index, 3);
    Iconize_Clear_Ext(L"dolvr");
    EXPECT_FALSE(Iconize_Get_Element(root / L"doc.dolvr", file, index)) << "a type without icon: empty and 0";
    EXPECT_EQ(N(file), "");
    EXPECT_EQ(index, 0);
}

}  // namespace
