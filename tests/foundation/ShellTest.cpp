// Shell verbs in the test prefix's registry, the shell door's arguments,
// icon reference texts and the administrator test against the platform's own.
#include "Forms.h"
#include "Registry.h"
#include "ShellDoor.h"
#include "TestSupport.h"
#include "xaModul.h"
#include "xaShell.h"

#include <shellapi.h>

#include <vector>

namespace {

struct IconCase {
    const wchar_t* text;
    const wchar_t* file;
    int index;
};

TEST(IconLocationParse, Table)
{
    const IconCase cases[] = {
        {L"C:\\Windows\\system32\\shell32.dll,4", L"C:\\Windows\\system32\\shell32.dll", 4},
        {L"\"C:\\Windows\\system32\\shell32.dll\",4", L"C:\\Windows\\system32\\shell32.dll", 4},
        {L"\"C:\\Windows\\system32\\shell32.dll,4\"", L"C:\\Windows\\system32\\shell32.dll", 4},
        {L"\"C:\\My,Icons\\a.ico\"", L"C:\\My,Icons\\a.ico", 0},
        {L"C:\\My,Icons\\a.dll,7", L"C:\\My,Icons\\a.dll", 7},
        {L"C:\\x\\a.dll, 12", L"C:\\x\\a.dll", 12}, {L"C:\\x\\a.dll ,\t12 ", L"C:\\x\\a.dll", 12},
        {L"C:\\x\\a.dll,007", L"C:\\x\\a.dll", 7},  {L"C:\\x\\a.dll,2147483647", L"C:\\x\\a.dll", 2147483647},
        // Whatever is not a plain decimal int is no index.
        {L"C:\\x\\a.dll,-3", L"C:\\x\\a.dll", 0},  {L"C:\\x\\a.dll,+5", L"C:\\x\\a.dll", 0},
        {L"C:\\x\\a.dll,1 2", L"C:\\x\\a.dll", 0}, {L"C:\\x\\a.dll,4,5", L"C:\\x\\a.dll", 0},
        {L"C:\\x\\a.dll,0x10", L"C:\\x\\a.dll", 0}, {L"C:\\x\\a.dll,2147483648", L"C:\\x\\a.dll", 0},
        {L"C:\\x\\a.dll,99999999999", L"C:\\x\\a.dll", 0},
        {L"C:\\x\\a.dll,0000000000012", L"C:\\x\\a.dll", 12},  // leading zeros change no value
        // A comma with nothing after it separates no index.
        {L"C:\\x\\a.dll,", L"C:\\x\\a.dll", 0}, {L"C:\\x\\a.dll, ", L"C:\\x\\a.dll", 0},
        // Without an extension, or with a comma-free one, the whole text is the file.
        {L"%1", L"%1", 0}, {L"\"%1\"", L"%1", 0}, {L"", L"", 0}, {L"C:\\x\\noext", L"C:\\x\\noext", 0},
        {L"C:\\x\\noext,3", L"C:\\x\\noext,3", 0}, {L"C:\\x.y\\noext,3", L"C:\\x.y\\noext,3", 0},
        {L"C:\\x\\a.ico", L"C:\\x\\a.ico", 0},
        {L"C:\\Program Files\\Dolv\\dolv.exe, 0", L"C:\\Program Files\\Dolv\\dolv.exe", 0},
        {L"C:\\x\\a.b.dll,2", L"C:\\x\\a.b.dll", 2},
    };
    for (const IconCase& c : cases) {
        String file = L"untouched";
        int index = -99;
        IconLocation_Parse(c.text, file, index);
        EXPECT_EQ(N(file), N(c.file)) << "text " << N(c.text);
        EXPECT_EQ(index, c.index) << "text " << N(c.text);
    }
}

class VerbTest : public ::testing::Test {
protected:
    String cls = Format(L"DolvTest.VerbClass.%lu", GetCurrentProcessId());
    void SetUp() override
    {
        TRegistry reg;
        reg.RootKey = HKEY_CLASSES_ROOT;
        ASSERT_TRUE(reg.CreateKey(cls));
    }
    void TearDown() override
    {
        Reg_DeleteTree(HKEY_CLASSES_ROOT, cls);
        Reg_DeleteTree(HKEY_CLASSES_ROOT, cls + L".missing");
    }
    String Read(const String& key, const String& name)
    {
        TRegistry reg(KEY_READ);
        reg.RootKey = HKEY_CLASSES_ROOT;
        return reg.OpenKeyReadOnly(key) ? reg.ReadString(name) : String(L"<no key>");
    }
    bool Exists(const String& key) { return Read(key, L"") != L"<no key>"; }
};

TEST_F(VerbTest, AddedTestedAndDeleted)
{
    const String cmd = L"\"C:\\Tools\\dolv.exe\" \"1\" \"%1\"";
    EXPECT_FALSE(Shell_VerbExists(cls, L"Dolv", cmd));
    EXPECT_FALSE(Exists(cls + L"\\shell\\Dolv\\command")) << "a test writes nothing";

    Shell_VerbAdd(cls, L"Dolv", L"Dolv caption", L"C:\\Tools\\dolv.exe, 0", cmd);
    EXPECT_EQ(N(Read(cls + L"\\shell\\Dolv", L"")), "Dolv caption");
    EXPECT_EQ(N(Read(cls + L"\\shell\\Dolv", L"Icon")), "C:\\Tools\\dolv.exe, 0");
    EXPECT_EQ(N(Read(cls + L"\\shell\\Dolv\\command", L"")), N(cmd));

    EXPECT_TRUE(Shell_VerbExists(cls, L"Dolv", cmd));
    EXPECT_TRUE(Shell_VerbExists(cls, L"dolv", cmd)) << "key names ignore case";
    EXPECT_FALSE(Shell_VerbExists(cls, L"Dolv", L"\"c:\\tools\\dolv.exe\" \"1\" \"%1\"")) << "commands do not";
    EXPECT_FALSE(Shell_VerbExists(cls, L"Dolv", cmd + L" "));
    EXPECT_FALSE(Shell_VerbExists(cls, L"Other", cmd));

    // Adding again rewrites the values.
    Shell_VerbAdd(cls, L"Dolv", L"New", L"x.ico", L"new");
    EXPECT_EQ(N(Read(cls + L"\\shell\\Dolv", L"")), "New");
    EXPECT_FALSE(Shell_VerbExists(cls, L"Dolv", cmd));
    EXPECT_TRUE(Shell_VerbExists(cls, L"Dolv", L"new"));

    Shell_VerbAdd(cls, L">>>>> Dolv", L"old", L"", L"old");
    Shell_VerbDelete(cls, L"Dolv");
    EXPECT_FALSE(Exists(cls + L"\\shell\\Dolv"));
    EXPECT_TRUE(Exists(cls + L"\\shell\\>>>>> Dolv")) << "only the named verb goes";
    EXPECT_FALSE(Shell_VerbExists(cls, L"Dolv", L"new"));
    Shell_VerbDelete(cls, L">>>>> Dolv");
    EXPECT_FALSE(Exists(cls + L"\\shell\\>>>>> Dolv"));
    EXPECT_TRUE(Exists(cls)) << "the class stays";
}

TEST_F(VerbTest, MissingPartsAndOddValues)
{
    // A verb without a command, or with a command of another type, is not installed.
    TRegistry reg;
    reg.RootKey = HKEY_CLASSES_ROOT;
    ASSERT_TRUE(reg.OpenKey(cls + L"\\shell\\Bare", true));
    reg.CloseKey();
    EXPECT_FALSE(Shell_VerbExists(cls, L"Bare", L""));
    EXPECT_FALSE(Exists(cls + L"\\shell\\Bare\\command")) << "testing created the command key";
    ASSERT_TRUE(reg.OpenKey(cls + L"\\shell\\Num\\command", true));
    DWORD one = 1;
    RegSetValueExW(reg.CurrentKey(), L"", 0, REG_DWORD, (const BYTE*)&one, sizeof one);
    reg.CloseKey();
    EXPECT_FALSE(Shell_VerbExists(cls, L"Num", L"1"));

    // Deleting under a class that does not exist creates nothing.
    Shell_VerbDelete(cls + L".missing", L"Dolv");
    EXPECT_FALSE(Exists(cls + L".missing"));
    Shell_VerbDelete(cls, L"NotThere");
    EXPECT_TRUE(Exists(cls));
    Shell_VerbDelete(L"", L"Dolv");

    // An empty verb deletes nothing, not the class's whole shell key.
    Shell_VerbAdd(cls, L"Keep", L"keep", L"", L"keep");
    Shell_VerbDelete(cls, L"");
    EXPECT_TRUE(Shell_VerbExists(cls, L"Keep", L"keep")) << "an empty verb deleted the other verbs";
}

// Records what reaches the shell door instead of starting anything.
class DoorTest : public ::testing::Test {
protected:
    std::vector<TShellExecuteRequest> calls;
    TShellDoorScope door{[this](const TShellExecuteRequest& r) {
        calls.push_back(r);
        return true;
    }};
};

TEST_F(DoorTest, OpenAndExpanded)
{
    Shell_Open(L"C:\\a b\\c.txt");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_FALSE(calls[0].Ex);
    EXPECT_EQ(N(calls[0].Verb), "open");
    EXPECT_EQ(N(calls[0].File), "C:\\a b\\c.txt");
    EXPECT_EQ(calls[0].Parameters, L"");
    EXPECT_EQ(calls[0].Directory, L"");
    EXPECT_EQ(calls[0].Show, SW_SHOWNORMAL);
    EXPECT_EQ(calls[0].Window, Application.Handle());

    Shell_Open(L"https://example.org/?a=1&b=2");
    EXPECT_EQ(N(calls.back().File), "https://example.org/?a=1&b=2") << "links pass unchanged";

    calls.clear();
    Shell_OpenExpanded(L"");
    EXPECT_TRUE(calls.empty()) << "an empty path starts nothing";
    {
        TProgDirOverride dir(L"C:\\Tools\\App\\");
        Shell_OpenExpanded(L"help\\dolv.html");
        Shell_OpenExpanded(L"%exe\\settings.ini");
    }
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(N(calls[0].File), "C:\\Tools\\App\\help\\dolv.html");
    EXPECT_EQ(N(calls[1].File), "C:\\Tools\\App\\settings.ini");
    EXPECT_EQ(N(calls[1].Verb), "open");
}

TEST_F(DoorTest, ExplorerSelectAndProperties)
{
    Explorer_Select(L"C:\\a b\\c.txt");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(N(calls[0].Verb), "open");
    EXPECT_EQ(N(calls[0].File), "explorer");
    EXPECT_EQ(N(calls[0].Parameters), "/select, \"C:\\a b\\c.txt\" ");
    EXPECT_EQ(calls[0].Show, SW_SHOWNORMAL);

    Shell_Properties(Str_ToNullList(L"C:\\a b"));
    ASSERT_EQ(calls.size(), 2u);
    const TShellExecuteRequest& p = calls[1];
    EXPECT_TRUE(p.Ex);
    EXPECT_EQ(p.Mask, (ULONG)SEE_MASK_INVOKEIDLIST);
    EXPECT_EQ(N(p.Verb), "properties");
    EXPECT_EQ(p.File, String(L"C:\\a b\0\0", 8));
    EXPECT_EQ(p.Window, nullptr);
    EXPECT_EQ(p.Show, 0);
}

TEST(ShellDoor, ScopesNestAndRestore)
{
    int outer = 0, inner = 0;
    {
        TShellDoorScope a([&](const TShellExecuteRequest&) { return ++outer, true; });
        {
            TShellDoorScope b([&](const TShellExecuteRequest&) { return ++inner, false; });
            Shell_Open(L"x");
        }
        Shell_Open(L"y");
    }
    EXPECT_EQ(inner, 1);
    EXPECT_EQ(outer, 1);
    // An empty target is the platform again, never nothing.
    TShellDoor previous = ShellDoor_Set(nullptr);
    EXPECT_TRUE(static_cast<bool>(ShellDoor_Set(std::move(previous))));
}

TEST(MailLink, NothingEscaped)
{
    EXPECT_EQ(N(Mail_Link(L"me@example.org", L"Dolv 2021.11", L"")),
              "mailto://me@example.org?subject=Dolv 2021.11&body=");
    EXPECT_EQ(N(Mail_Link(L"a", L"b&c", L"d e")), "mailto://a?subject=b&c&body=d e");
}

PSID AdminsSid()
{
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    PSID sid = nullptr;
    AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0, &sid);
    return sid;
}

TEST(UserIsAdmin, AgreesWithThePlatformAndReadsTheThreadToken)
{
    PSID admins = AdminsSid();
    BOOL member = FALSE;
    ASSERT_TRUE(CheckTokenMembership(nullptr, admins, &member));
    HANDLE probe;
    ASSERT_FALSE(OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, TRUE, &probe)) << "the test thread impersonates";
    EXPECT_EQ(User_IsAdmin(), member != FALSE) << "no thread token: the process token decides";

    // Impersonate a token in which the Administrators group is for deny only:
    // the thread's token is the one asked, and such a group grants nothing.
    HANDLE process = nullptr, restricted = nullptr, impersonation = nullptr;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY | TOKEN_DUPLICATE | TOKEN_IMPERSONATE, &process));
    SID_AND_ATTRIBUTES disable = {admins, 0};
    if (!CreateRestrictedToken(process, 0, 1, &disable, 0, nullptr, 0, nullptr, &restricted))
        restricted = nullptr;
    ASSERT_TRUE(DuplicateToken(restricted ? restricted : process, SecurityImpersonation, &impersonation));
    ASSERT_TRUE(SetThreadToken(nullptr, impersonation));
    bool asRestricted = User_IsAdmin();
    BOOL restrictedMember = TRUE;
    CheckTokenMembership(nullptr, admins, &restrictedMember);
    RevertToSelf();
    if (restricted) {
        EXPECT_FALSE(asRestricted) << "an administrators group held for deny only counted";
        EXPECT_FALSE(restrictedMember) << "the platform disagrees";
    } else {
        EXPECT_EQ(asRestricted, member != FALSE);
    }
    EXPECT_EQ(User_IsAdmin(), member != FALSE) << "after reverting, the process token again";
    CloseHandle(impersonation);
    if (restricted) CloseHandle(restricted);
    CloseHandle(process);
    FreeSid(admins);
    if (GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version")) {
        EXPECT_TRUE(member) << "Wine's default user is in the Administrators group";
    }
}

}  // namespace
