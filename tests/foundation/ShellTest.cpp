// Shell verbs in the test prefix's registry, the shell door's arguments,
// icon reference texts and the administrator test against the platform's own.
#include "Handles.h"
#include "Registry.h"
#include "ShellDoor.h"
#include "TestSupport.h"
#include "xaModul.h"
#include "xaShell.h"

#include <functional>
#include <vector>

namespace {

TEST(IconLocationParse, Table)
{
    const struct {
        const wchar_t* text;
        const wchar_t* file;
        int index;
    } cases[] = {
        {L"C:\\Windows\\system32\\shell32.dll,4", L"C:\\Windows\\system32\\shell32.dll", 4},
        {L"\"C:\\Windows\\system32\\shell32.dll,4\"", L"C:\\Windows\\system32\\shell32.dll", 4},
        // The comma that counts is the one in the extension.
        {L"\"C:\\My,Icons\\a.ico\"", L"C:\\My,Icons\\a.ico", 0}, {L"C:\\My,Icons\\a.dll,7", L"C:\\My,Icons\\a.dll", 7},
        {L"C:\\x\\a.dll ,\t12 ", L"C:\\x\\a.dll", 12},
        {L"C:\\x\\a.dll,2147483647", L"C:\\x\\a.dll", 2147483647},
        // Whatever is not a plain decimal int is no index.
        {L"C:\\x\\a.dll,2147483648", L"C:\\x\\a.dll", 0}, {L"C:\\x\\a.dll,-3", L"C:\\x\\a.dll", 0},
        {L"C:\\x\\a.dll,1 2", L"C:\\x\\a.dll", 0},
        {L"C:\\x\\a.dll, ", L"C:\\x\\a.dll", 0},  // a comma with nothing after it separates no index
        // Without an extension the whole text is the file.
        {L"\"%1\"", L"%1", 0}, {L"", L"", 0}, {L"C:\\x.y\\noext,3", L"C:\\x.y\\noext,3", 0},
    };
    for (const auto& c : cases) {
        String file = L"untouched";
        int index = -99;
        IconLocation_Parse(c.text, file, index);
        EXPECT_EQ(N(file) + " " + std::to_string(index), N(c.file) + " " + std::to_string(c.index)) << N(c.text);
    }
}

TEST(Verbs, AddedTestedDeletedAndMissingPartsOrOddValues)
{
    const String cls = Format(L"DolvTest.VerbClass.%lu", GetCurrentProcessId());
    struct TCleanup {
        String key;
        ~TCleanup() { Reg_DeleteTree(HKEY_CLASSES_ROOT, key); }
    } cleanup{cls};
    TRegistry reg;
    reg.RootKey = HKEY_CLASSES_ROOT;
    ASSERT_TRUE(reg.CreateKey(cls));
    auto Read = [&](const String& key, const String& name = L"") {
        TRegistry r(KEY_READ);
        r.RootKey = HKEY_CLASSES_ROOT;
        return r.OpenKeyReadOnly(cls + key) ? r.ReadString(name) : String(L"<no key>");
    };
    const String cmd = L"\"C:\\Tools\\dolv.exe\" \"1\" \"%1\"";
    EXPECT_FALSE(Shell_VerbExists(cls, L"Dolv", cmd));
    Shell_VerbAdd(cls, L"Dolv", L"Dolv caption", L"C:\\Tools\\dolv.exe, 0", cmd);
    EXPECT_EQ(N(Read(L"\\shell\\Dolv")), "Dolv caption");
    EXPECT_EQ(N(Read(L"\\shell\\Dolv", L"Icon")), "C:\\Tools\\dolv.exe, 0");
    EXPECT_EQ(N(Read(L"\\shell\\Dolv\\command")), N(cmd));
    EXPECT_TRUE(Shell_VerbExists(cls, L"dolv", cmd)) << "key names ignore case";
    EXPECT_FALSE(Shell_VerbExists(cls, L"Dolv", L"\"c:\\tools\\dolv.exe\" \"1\" \"%1\"")) << "commands do not";

    Shell_VerbAdd(cls, L">>>>> Dolv", L"old", L"", L"old");
    Shell_VerbDelete(cls, L"Dolv");
    EXPECT_FALSE(Shell_VerbExists(cls, L"Dolv", cmd));
    EXPECT_TRUE(Shell_VerbExists(cls, L">>>>> Dolv", L"old")) << "only the named verb goes";
    Shell_VerbDelete(cls, L"");  // no verb deletes nothing, not the class's whole shell key
    EXPECT_TRUE(Shell_VerbExists(cls, L">>>>> Dolv", L"old"));

    // A verb without a command, or with a command of another type, is not installed.
    ASSERT_TRUE(reg.OpenKey(cls + L"\\shell\\Bare", true));
    reg.CloseKey();
    EXPECT_FALSE(Shell_VerbExists(cls, L"Bare", L""));
    EXPECT_EQ(N(Read(L"\\shell\\Bare\\command")), "<no key>") << "testing created the command key";
    ASSERT_TRUE(reg.OpenKey(cls + L"\\shell\\Num\\command", true));
    DWORD one = 1;
    RegSetValueExW(reg.CurrentKey(), L"", 0, REG_DWORD, (const BYTE*)&one, sizeof one);
    reg.CloseKey();
    EXPECT_FALSE(Shell_VerbExists(cls, L"Num", L"1"));

    // Deleting under a class that does not exist creates nothing.
    Shell_VerbDelete(cls + L"\\missing", L"Dolv");
    EXPECT_EQ(N(Read(L"\\missing")), "<no key>");
}

// Each request that reaches the shell door, as one line.
std::string Text(const TShellExecuteRequest& r)
{
    String file = r.File;
    for (wchar_t& c : file)
        if (!c) c = L'|';
    return N((r.Ex ? L"ex " + std::to_wstring(r.Mask) + L" " : String()) + r.Verb + L" " + file + L" [" +
             r.Parameters + L"] [" + r.Directory + L"] " + std::to_wstring(r.Show));
}

TEST(ShellDoor, RequestsOfEachCall)
{
    std::vector<std::string> calls;
    TShellDoorScope door([&](const TShellExecuteRequest& r) { return calls.push_back(Text(r)), true; });
    TProgDirOverride dir(L"C:\\Tools\\App\\");
    const struct {
        std::function<void()> call;
        const char* request;  // null: nothing is started
    } cases[] = {
        {[] { Shell_Open(L"C:\\a b\\c.txt"); }, "open C:\\a b\\c.txt [] [] 1"},
        {[] { Shell_OpenExpanded(L"help\\dolv.html"); }, "open C:\\Tools\\App\\help\\dolv.html [] [] 1"},
        {[] { Shell_OpenExpanded(L""); }, nullptr},
        {[] { Explorer_Select(L"C:\\a b\\c.txt"); }, "open explorer [/select, \"C:\\a b\\c.txt\" ] [] 1"},
        {[] { Shell_Properties(Str_ToNullList(L"C:\\a b")); }, "ex 12 properties C:\\a b|| [] [] 0"},
    };
    for (const auto& c : cases) {
        calls.clear();
        c.call();
        EXPECT_EQ(calls, c.request ? std::vector<std::string>{c.request} : std::vector<std::string>{});
    }
    // An empty target is the platform again, never nothing.
    TShellDoor previous = ShellDoor_Set(nullptr);
    EXPECT_TRUE(static_cast<bool>(ShellDoor_Set(std::move(previous))));
}

TEST(MailLink, NothingEscaped)
{
    EXPECT_EQ(N(Mail_Link(L"a@b.org", L"Dolv 2021.11 b&c", L"d e")), "mailto://a@b.org?subject=Dolv 2021.11 b&c&body=d e");
}

TEST(UserIsAdmin, ReadsTheThreadTokenAndIgnoresADenyOnlyGroup)
{
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    PSID admins = nullptr;
    ASSERT_TRUE(AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0,
                                         0, &admins));
    BOOL member = FALSE;
    CheckTokenMembership(nullptr, admins, &member);
    ASSERT_TRUE(member) << "the test user must be an administrator (Wine's default user is)";
    EXPECT_TRUE(User_IsAdmin()) << "no thread token: the process token decides";

    // Impersonate a token in which the Administrators group is for deny only.
    THandle process, restricted, impersonation;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY | TOKEN_DUPLICATE | TOKEN_IMPERSONATE, process.Put()));
    SID_AND_ATTRIBUTES disable = {admins, 0};
    ASSERT_TRUE(CreateRestrictedToken(process.Get(), 0, 1, &disable, 0, nullptr, 0, nullptr, restricted.Put()));
    ASSERT_TRUE(DuplicateToken(restricted.Get(), SecurityImpersonation, impersonation.Put()));
    ASSERT_TRUE(SetThreadToken(nullptr, impersonation.Get()));
    bool asRestricted = User_IsAdmin();
    RevertToSelf();
    FreeSid(admins);
    EXPECT_FALSE(asRestricted) << "an Administrators group held for deny only counted";
}

}  // namespace
