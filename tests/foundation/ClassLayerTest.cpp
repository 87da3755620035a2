// The class layer's behaviour that the foundation and the engine rely on: the
// number conversion and its error text, the profile file's value limit, and
// how TRegistry resolves key paths.
#include "IniFiles.h"
#include "Registry.h"
#include "TestSupport.h"

namespace {

TEST(ClassLayer, StrToIntAndItsErrorText)
{
    struct Case {
        const wchar_t* text;
        bool ok;
        int value;
    };
    const Case cases[] = {
        {L"0", true, 0},           {L"42", true, 42},          {L"-3", true, -3},
        {L"+7", true, 7},          {L" 12 ", true, 12},        {L"$1F", true, 31},
        {L"0x10", true, 16},       {L"2147483647", true, 2147483647},
        {L"-2147483648", true, (int)0x80000000}, {L"-$80000000", true, (int)0x80000000}, {L"-$1", true, -1},
        {L"2147483648", false, 0}, {L"", false, 0},            {L"-", false, 0},
        {L"1 2", false, 0},        {L"two", false, 0},         {L"0x", false, 0},
        {L"3.5", false, 0},
    };
    for (const Case& c : cases) {
        int v = -99;
        EXPECT_EQ(TryStrToInt(c.text, v), c.ok) << N(c.text);
        if (c.ok) {
            EXPECT_EQ(v, c.value) << N(c.text);
            EXPECT_EQ(StrToInt(c.text), c.value) << N(c.text);
            continue;
        }
        try {
            StrToInt(c.text);
            ADD_FAILURE() << "no error for " << N(c.text);
        } catch (const EConvertError& e) {
            EXPECT_EQ(N(e.Message()), N(L"'" + String(c.text) + L"' is not a valid integer value"));
        }
    }
}

TEST(ClassLayer, IniValuesNumbersAndSwitches)
{
    TTempDir dir;
    TIniFile ini(dir / L"x.ini");
    String longValue(3000, L'v');
    ini.WriteString(L"S", L"Long", longValue);
    EXPECT_EQ(ini.ReadString(L"S", L"Long", L"").size(), 2047u) << "the class library reads into 2048 characters";
    EXPECT_EQ(N(ini.ReadString(L"S", L"None", L"def")), "def");
    const struct {
        const wchar_t* text;
        int asInt;  // 9: not a number, the default
        bool asBool;
    } values[] = {{L"0x1A", 26, true}, {L"$10", 16, true}, {L"-1", -1, true}, {L"0", 0, false},
                  {L"abc", 9, true},   {L"1x", 9, true},   {L"0xZ", 9, true}, {L"", 9, true}};
    for (const auto& v : values) {
        ini.WriteString(L"S", L"V", v.text);
        EXPECT_EQ(ini.ReadInteger(L"S", L"V", 9), v.asInt) << N(v.text);
        EXPECT_EQ(ini.ReadBool(L"S", L"V", true), v.asBool) << N(v.text);
    }
    EXPECT_TRUE(ini.ValueExists(L"S", L"long"));
    EXPECT_FALSE(ini.ValueExists(L"S", L"Nope"));
}

TEST(ClassLayer, RegistryKeyPaths)
{
    const String base = L"Software\\DolvTestPaths";
    TRegistry reg;
    reg.RootKey = HKEY_CURRENT_USER;
    reg.DeleteKey(L"\\" + base);
    // With no key open, a relative path is taken from the root.
    ASSERT_TRUE(reg.OpenKey(base, true));
    EXPECT_EQ(N(reg.CurrentPath()), N(base));
    // With a key open, a relative path is taken from it...
    ASSERT_TRUE(reg.OpenKey(L"Child", true));
    EXPECT_EQ(N(reg.CurrentPath()), N(base + L"\\Child"));
    reg.WriteString(L"", L"in child");
    // ...and a path with a leading backslash from the root.
    ASSERT_TRUE(reg.OpenKey(L"\\" + base + L"\\Other", true));
    EXPECT_EQ(N(reg.CurrentPath()), N(base + L"\\Other"));
    EXPECT_FALSE(reg.KeyExists(L"Child")) << "relative to the open key Other";
    EXPECT_TRUE(reg.KeyExists(L"\\" + base + L"\\Child"));
    reg.CloseKey();
    EXPECT_TRUE(reg.KeyExists(base + L"\\Child"));
    ASSERT_TRUE(reg.OpenKeyReadOnly(base + L"\\Child"));
    EXPECT_EQ(N(reg.ReadString(L"")), "in child");
    EXPECT_FALSE(reg.OpenKey(base + L"\\Missing", false));
    EXPECT_EQ(N(reg.CurrentPath()), N(base + L"\\Child")) << "a failed open keeps the open key";

    // A key that cannot be made raises with the path as given.
    const String bad = L"\\" + base + L"\\" + String(300, L'k');
    try {
        reg.CreateKey(bad);
        ADD_FAILURE() << "a key name of 300 characters must not be created";
    } catch (const ERegistryException& e) {
        EXPECT_EQ(N(e.Message()), N(L"Failed to create key " + bad));
    }
    reg.CloseKey();
    EXPECT_TRUE(reg.DeleteKey(L"\\" + base)) << "deleted with its subkeys";
    EXPECT_FALSE(reg.KeyExists(base));
}

}  // namespace
