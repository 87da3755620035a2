// Drive and file-type icons in the test prefix's registry, and
// the class layer's registry errors that the engine lets through.
#include "IconizeTestSupport.h"
#include "Registry.h"

namespace {

const HKEY CR = HKEY_CLASSES_ROOT;
const wchar_t kDriveQ[] = L"Applications\\Explorer.exe\\Drives\\Q\\DefaultIcon";

TEST(DriveIcon, WritesTheReferenceTextAndTellsTheShell)
{
    TRegSnapshot keep(CR, {L"Applications\\Explorer.exe\\Drives\\Q"});
    TNoticeRecorder notices;
    Iconize_Drive(L"Q", L"C:\\Icons\\d.ico", -1);
    EXPECT_EQ(N(RegValue(CR, kDriveQ)), "C:\\Icons\\d.ico");
    Iconize_Drive(L"Q", L"C:\\Icons\\d.ico", 2);
    EXPECT_EQ(N(RegValue(CR, kDriveQ)), "C:\\Icons\\d.ico,2");
    Iconize_Drive(L"Q", L"C:\\Icons\\d.ico", -7);
    EXPECT_EQ(N(RegValue(CR, kDriveQ)), "C:\\Icons\\d.ico,-7");
    ASSERT_EQ(notices.Seen().size(), 3u);
    EXPECT_EQ(notices.Seen()[0].Event, SHCNE_UPDATEDIR);
    EXPECT_EQ(notices.Seen()[0].Flags, 0x1005u);
    EXPECT_EQ(N(notices.Seen()[0].Item), "Q:\\");

    Iconize_Clear_Drive(L"Q");
    EXPECT_FALSE(RegKeyExists(CR, kDriveQ));
    EXPECT_TRUE(RegKeyExists(CR, L"Applications\\Explorer.exe\\Drives\\Q")) << "the drive's own key stays";
    // Clearing a drive without a key still tells the shell.
    Iconize_Clear_Drive(L"Q");
    EXPECT_EQ(notices.Seen().size(), 5u);
}

// Clear takes the drive's icon whoever set it (by hand, another program,
// another copy); where ours replaced one, that one comes back.
TEST(DriveIcon, ClearTakesAnyIconAndGivesBackTheOneOursReplaced)
{
    TRegSnapshot keep(CR, {L"Applications\\Explorer.exe\\Drives\\Q", kDriveQ});
    TNoticeRecorder notices;
    const struct {
        const wchar_t* Theirs;  // set first by somebody else; null: nothing
        DWORD Type;
        bool Ours;              // then iconized here
        const wchar_t* Later;   // then written by another program; null: nothing
        const wchar_t* Left;    // the icon after Clear
    } rows[] = {
        {L"C:\\hand.ico,1", REG_SZ, false, nullptr, L"<none>"},
        {L"%SystemRoot%\\x.dll,2", REG_EXPAND_SZ, false, nullptr, L"<none>"},
        {L"C:\\hand.ico,1", REG_SZ, true, nullptr, L"C:\\hand.ico,1"},
        {nullptr, REG_SZ, true, L"C:\\later.ico", L"<none>"},
        {L"C:\\hand.ico,1", REG_SZ, true, L"C:\\later.ico", L"<none>"},  // what ours replaced is gone already
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(N(String(row.Theirs ? row.Theirs : L"-")) + (row.Ours ? " ours" : "") +
                     (row.Later ? " later" : ""));
        RegDeleteTreeQuiet(CR, kDriveQ);
        if (row.Theirs) RegSetValue(CR, kDriveQ, L"", row.Theirs, row.Type);
        if (row.Ours) Iconize_Drive(L"Q", L"C:\\ours.ico", -1);
        if (row.Later) RegSetValue(CR, kDriveQ, L"", row.Later);
        Iconize_Clear_Drive(L"Q");
        EXPECT_EQ(N(RegValue(CR, kDriveQ)), N(row.Left));
        EXPECT_EQ(RegKeyExists(CR, kDriveQ), String(row.Left) != L"<none>") << "a key left empty goes";
        EXPECT_EQ(N(RegValue(CR, kDriveQ, L"Dolv.Icon")), "<none>");
    }
    // Another value of the key is no icon: it stays, and so does the key.
    RegSetValue(CR, kDriveQ, L"", L"C:\\hand.ico");
    RegSetValue(CR, kDriveQ, L"Note", L"theirs");
    Iconize_Clear_Drive(L"Q");
    EXPECT_EQ(N(RegValue(CR, kDriveQ)), "<none>");
    EXPECT_EQ(N(RegValue(CR, kDriveQ, L"Note")), "theirs");
}

class TypeIcon : public ::testing::Test {
protected:
    // Test-only types, so that no real association of the prefix is touched.
    TRegSnapshot keep{CR, {L".dolva", L"DolvAClass", L".dolvb", L"dolvbfile", L".dolvc", L"dolvcfile"}};
    TNoticeRecorder notices;
};

TEST_F(TypeIcon, TypeWithAClassGetsBothIconsAndClearGivesBackWhatWasThere)
{
    RegSetValue(CR, L".dolva", L"", L"DolvAClass");
    RegSetValue(CR, L"DolvAClass\\DefaultIcon", L"", L"C:\\theirs.dll,2");
    String expandable = L"%SystemRoot%\\x.dll,1";
    RegSetValue(CR, L".dolva\\DefaultIcon", L"", expandable, REG_EXPAND_SZ);
    RegSetValue(CR, L".dolva\\shellex\\IconHandler", L"", L"{00000000-0000-0000-0000-000000000000}");
    Iconize_Ext(L".dolva", L"C:\\i.ico", -1);
    Iconize_Ext(L".dolva", L"C:\\j.ico", 1);  // twice: what was there first is still what comes back
    EXPECT_EQ(N(RegValue(CR, L".dolva\\DefaultIcon")), "C:\\j.ico,1");
    EXPECT_EQ(N(RegValue(CR, L"DolvAClass\\DefaultIcon")), "C:\\j.ico,1");
    EXPECT_EQ(N(RegValue(CR, L".dolva")), "DolvAClass");
    ASSERT_EQ(notices.Seen().size(), 2u);
    EXPECT_EQ(notices.Seen()[0].Event, SHCNE_ASSOCCHANGED);
    EXPECT_EQ(notices.Seen()[0].Flags, 0u);

    // Another program writes the class's icon after ours: that one stays.
    RegSetValue(CR, L"DolvAClass\\DefaultIcon", L"", L"C:\\later.dll,3");
    Iconize_Clear_Ext(L"DOLVA");
    TRegistry reg(KEY_READ);
    reg.RootKey = CR;
    ASSERT_TRUE(reg.OpenKeyReadOnly(L".dolva\\DefaultIcon"));
    EXPECT_EQ(N(reg.ReadString(L"")), N(expandable)) << "the value before ours comes back, of its own type";
    DWORD type = 0;
    RegQueryValueExW(reg.CurrentKey(), L"", nullptr, &type, nullptr, nullptr);
    EXPECT_EQ(type, (DWORD)REG_EXPAND_SZ);
    reg.CloseKey();
    EXPECT_EQ(N(RegValue(CR, L"DolvAClass\\DefaultIcon")), "C:\\later.dll,3");
    EXPECT_TRUE(RegKeyExists(CR, L".dolva\\shellex\\IconHandler")) << "a handler is not ours";
    EXPECT_EQ(N(RegValue(CR, L".dolva")), "DolvAClass") << "clearing keeps the class";
    EXPECT_EQ(notices.Seen().size(), 3u);
}

TEST_F(TypeIcon, TypeWithoutAKeyGetsOneWithItsOwnClass)
{
    RegDeleteTreeQuiet(CR, L".dolvb");
    Iconize_Ext(L"dolvb", L"C:\\x.dll", 3);
    EXPECT_EQ(N(RegValue(CR, L".dolvb")), "dolvbfile");
    EXPECT_EQ(N(RegValue(CR, L".dolvb\\DefaultIcon")), "C:\\x.dll,3");
    EXPECT_EQ(N(RegValue(CR, L"dolvbfile\\DefaultIcon")), "C:\\x.dll,3");
    Iconize_Clear_Ext(L".dolvb");
    EXPECT_FALSE(RegKeyExists(CR, L"dolvbfile\\DefaultIcon"));
    EXPECT_TRUE(RegKeyExists(CR, L"dolvbfile")) << "the class key made by iconize stays";
}

TEST_F(TypeIcon, UpperCaseExtensionIsTheSameType)
{
    RegDeleteTreeQuiet(CR, L".dolvc");
    Iconize_Ext(L".DOLVC", L"C:\\u.ico", -1);
    EXPECT_EQ(N(RegValue(CR, L".dolvc")), "dolvcfile");
    EXPECT_EQ(N(RegValue(CR, L"dolvcfile\\DefaultIcon")), "C:\\u.ico");
}

TEST(TypeIconSpecial, IcoExeAndLnkAreProtected)
{
    TRegSnapshot keep(CR, {L".ico", L".ico\\DefaultIcon", L"icofile", L"icofile\\DefaultIcon", L".exe\\DefaultIcon",
                           L".lnk\\DefaultIcon"});
    String exeIcon = RegValue(CR, L".exe\\DefaultIcon");
    String lnkIcon = RegValue(CR, L".lnk\\DefaultIcon");
    TNoticeRecorder notices;
    Iconize_Ext(L".ico", L"C:\\whatever.dll", 4);
    EXPECT_EQ(N(RegValue(CR, L".ico\\DefaultIcon")), "%1");
    Iconize_Ext(L"ICO", L"C:\\other.dll", 1);
    EXPECT_EQ(N(RegValue(CR, L".ico\\DefaultIcon")), "%1") << "upper case must not dodge the %1 rule";
    String icoClass = RegValue(CR, L".ico");
    EXPECT_EQ(N(RegValue(CR, icoClass + L"\\DefaultIcon")), "%1");
    size_t before = notices.Seen().size();
    for (const wchar_t* e : {L"exe", L".lnk", L"EXE", L".LNK"}) Iconize_Ext(e, L"C:\\x.ico", -1);
    EXPECT_EQ(N(RegValue(CR, L".exe\\DefaultIcon")), N(exeIcon));
    EXPECT_EQ(N(RegValue(CR, L".lnk\\DefaultIcon")), N(lnkIcon));
    for (const wchar_t* e : {L"ico", L".exe", L"lnk", L".ICO"}) Iconize_Clear_Ext(e);
    EXPECT_EQ(N(RegValue(CR, L".ico\\DefaultIcon")), "%1") << "the %1 of .ico is never cleared";
    EXPECT_EQ(notices.Seen().size(), before) << "protected types send no notice";
    Iconize_Clear_Ext(L"");
    Iconize_Clear_Ext(L".");
    EXPECT_EQ(notices.Seen().size(), before);
}

TEST(TypeIconUserChoice, ChosenClassGetsAPerUserIconAndLosesItOnClear)
{
    const String choice = Iconize_FileExtsKey(L"dolvu") + L"\\UserChoice";
    TRegSnapshot keepCr(CR, {L".dolvu", L"dolvufile"});
    TRegSnapshot keepCu(HKEY_CURRENT_USER, {Iconize_FileExtsKey(L"dolvu"), L"Software\\Classes\\DolvChosen"});
    RegSetValue(HKEY_CURRENT_USER, choice, L"Progid", L"DolvChosen");
    TNoticeRecorder notices;
    Iconize_Ext(L"dolvu", L"C:\\c.ico", 1);
    EXPECT_EQ(N(RegValue(HKEY_CURRENT_USER, L"Software\\Classes\\DolvChosen\\DefaultIcon")), "C:\\c.ico,1");
    EXPECT_EQ(N(RegValue(CR, L"dolvufile\\DefaultIcon")), "C:\\c.ico,1");
    // The merged classes root shows the user's copy.
    String merged = RegValue(CR, L"DolvChosen\\DefaultIcon");
    if (merged != L"<none>") {
        EXPECT_EQ(N(merged), "C:\\c.ico,1");
    }
    Iconize_Clear_Ext(L"dolvu");
    EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, L"Software\\Classes\\DolvChosen\\DefaultIcon"));
    EXPECT_EQ(N(RegValue(HKEY_CURRENT_USER, choice, L"Progid")), "DolvChosen") << "the user's choice stays";
    // The chosen class's icon that another program wrote is theirs.
    RegSetValue(HKEY_CURRENT_USER, L"Software\\Classes\\DolvChosen\\DefaultIcon", L"", L"C:\\other.dll,4");
    Iconize_Clear_Ext(L"dolvu");
    EXPECT_EQ(N(RegValue(HKEY_CURRENT_USER, L"Software\\Classes\\DolvChosen\\DefaultIcon")), "C:\\other.dll,4");
    // The user's key that will not let ours go is told under the user's root.
    Iconize_Ext(L"dolvu", L"C:\\c.ico", 2);
    TRegReadOnly locked(HKEY_CURRENT_USER, L"Software\\Classes\\DolvChosen\\DefaultIcon");
    if (!locked.Refuses()) GTEST_SKIP() << "this platform writes a key whatever its security says";
    EXPECT_EQ(N(Iconize_Clear_Ext(L"dolvu").Text),
              N(L"Could not clear the icon of the type .dolvu\r\nHKEY_CURRENT_USER\\Software\\Classes\\DolvChosen\\DefaultIcon\r\n" +
                SysErrorMessage(ERROR_ACCESS_DENIED)));
}

// Keys the registry will not let go --------------------------------------------

// An icon whose key refuses stays, and the clear says so with the key and the
// system's reason; a key that is not there, or that holds no icon of the
// clear's to take, is nothing to clear; the type's other keys are cleared
// all the same.
TEST(RegistryRefusal, ClearTellsTheKeyThatKeepsItsIconAndWhy)
{
    TRegSnapshot keep(CR, {L"Applications", L"Applications\\Explorer.exe", L"Applications\\Explorer.exe\\Drives",
                           L"Applications\\Explorer.exe\\Drives\\Q", kDriveQ, L".dolvr", L"dolvrfile"});
    TNoticeRecorder notices;
    const String denied = SysErrorMessage(ERROR_ACCESS_DENIED);
    Iconize_Drive(L"Q", L"C:\\ours.ico", -1);
    {
        TRegReadOnly locked(CR, kDriveQ);
        if (!locked.Refuses()) GTEST_SKIP() << "this platform writes a key whatever its security says";
        TIconizeResult r = Iconize_Clear_Drive(L"Q");
        EXPECT_EQ(r.Why, TIconizeWhy::Refused);
        EXPECT_EQ(N(r.Text), N(L"Could not clear the icon of drive Q:\r\nHKEY_CLASSES_ROOT\\" + String(kDriveQ) + L"\r\n" + denied));
        EXPECT_EQ(N(RegValue(CR, kDriveQ)), "C:\\ours.ico") << "the icon stays";
    }
    {
        TRegReadOnly closed(CR, kDriveQ, 0);
        EXPECT_EQ(Iconize_Clear_Drive(L"Q").Why, TIconizeWhy::Refused) << "a key not even to be read may hold an icon";
    }
    EXPECT_TRUE(Iconize_Clear_Drive(L"Q"));
    EXPECT_FALSE(RegKeyExists(CR, kDriveQ));
    EXPECT_TRUE(Iconize_Clear_Drive(L"Q")) << "no key: nothing to clear";
    RegSetValue(CR, kDriveQ, L"Note", L"theirs");
    {
        TRegReadOnly locked(CR, kDriveQ);
        TIconizeResult r = Iconize_Clear_Drive(L"Q");
        EXPECT_TRUE(r) << "a key without an icon has nothing to take: " << N(r.Text);
    }
    RegDeleteTreeQuiet(CR, kDriveQ);

    // A type whose class refuses: the extension's icon goes, the class's stays.
    RegDeleteTreeQuiet(CR, L".dolvr");
    RegDeleteTreeQuiet(CR, L"dolvrfile");
    ASSERT_TRUE(Iconize_Ext(L"dolvr", L"C:\\t.ico", 1));
    {
        TRegReadOnly locked(CR, L"dolvrfile\\DefaultIcon");
        TIconizeResult r = Iconize_Clear_Ext(L".DOLVR");
        EXPECT_EQ(r.Why, TIconizeWhy::Refused);
        EXPECT_EQ(N(r.Text), N(L"Could not clear the icon of the type .dolvr\r\nHKEY_CLASSES_ROOT\\dolvrfile\\DefaultIcon\r\n" + denied));
        EXPECT_EQ(N(RegValue(CR, L".dolvr\\DefaultIcon")), "<none>");
        EXPECT_EQ(N(RegValue(CR, L"dolvrfile\\DefaultIcon")), "C:\\t.ico,1");
    }
    // Both keys refuse: each is told, in order, under the one heading.
    ASSERT_TRUE(Iconize_Ext(L"dolvr", L"C:\\t.ico", 2));
    {
        TRegReadOnly ext(CR, L".dolvr\\DefaultIcon"), type(CR, L"dolvrfile\\DefaultIcon");
        TIconizeResult r = Iconize_Clear_Ext(L"dolvr");
        EXPECT_EQ(N(r.Text), N(L"Could not clear the icon of the type .dolvr\r\nHKEY_CLASSES_ROOT\\.dolvr\\DefaultIcon\r\n" +
                               denied + L"\r\nHKEY_CLASSES_ROOT\\dolvrfile\\DefaultIcon\r\n" + denied));
        EXPECT_EQ(N(RegValue(CR, L".dolvr\\DefaultIcon")), "C:\\t.ico,2");
    }
    // Another program's icon in a key we may only read is not the clear's to
    // take, though our marks are still there.
    RegSetValue(CR, L".dolvr\\DefaultIcon", L"", L"C:\\theirs.dll,2");
    {
        TRegReadOnly locked(CR, L".dolvr\\DefaultIcon");
        TIconizeResult r = Iconize_Clear_Ext(L"dolvr");
        EXPECT_TRUE(r) << N(r.Text);
    }
    EXPECT_EQ(N(RegValue(CR, L".dolvr\\DefaultIcon")), "C:\\theirs.dll,2");
    EXPECT_FALSE(RegKeyExists(CR, L"dolvrfile\\DefaultIcon"));
    EXPECT_EQ(Iconize_Clear_Ext(L"exe").Why, TIconizeWhy::PassedOver) << "what iconize never writes is not cleared";
}

// The class layer's error as the engine's callers see it ---------------------------

TEST(ClassLayerErrors, WritingWithoutAnOpenKey)
{
    TRegistry reg;
    try {
        reg.WriteString(L"", L"x");
        ADD_FAILURE() << "writing without an open key must raise";
    } catch (const ERegistryException& e) {
        EXPECT_EQ(N(e.Message()), "Failed to set data for ''");
    }
}

}  // namespace
