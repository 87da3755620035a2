// The program's keys of settings.ini on a real profile file: where each
// lives, its type and default, what a value reads back as, and the bytes the
// close writes.
#include "SettingsIni.h"
#include "TestSupport.h"
#include "xaModulPath.h"

namespace {

// A key's value as the file holds it.
String valueText(TSettingsValues& v, const TSettingKey& k)
{
    return std::visit(
        [&](auto m) -> String {
            auto& value = v.*m;
            using T = std::remove_reference_t<decltype(value)>;
            if constexpr (std::is_same_v<T, String>) return value;
            else if constexpr (std::is_same_v<T, bool>) return value ? L"1" : L"0";
            else if constexpr (std::is_same_v<T, int>) return IntToStr(value);
            else return L"<font>";
        },
        k.Value);
}

void setValue(TSettingsValues& v, const TSettingKey& k, const String& text)
{
    std::visit(
        [&](auto m) {
            auto& value = v.*m;
            using T = std::remove_reference_t<decltype(value)>;
            if constexpr (std::is_same_v<T, String>) value = text;
            else if constexpr (std::is_same_v<T, bool>) value = text == L"1";
            else if constexpr (std::is_same_v<T, int>) value = StrToInt(text);
        },
        k.Value);
}

TEST(SettingsIni, KeysDefaultsAndRoundTrip)
{
    using enum TSettingType;
    struct TRow {
        const wchar_t* Section;
        const wchar_t* Key;
        TSettingType Type;
        bool Read;
        const wchar_t* Default;  // nullptr: the value held before the read
        const wchar_t* Stored;   // a value as the file holds it
    } rows[] = {
        {L"Settings", L"Language", Text, true, L"", L"Language\\ru.lng"},
        {L"Settings", L"FontSize", Integer, false, L"0", L"14"},
        {L"Settings", L"SplitMain", Integer, true, L"42", L"300"},
        {L"Settings", L"SplitSpec", Integer, true, L"50", L"61"},
        {L"Settings", L"IconizeCopyIco", Bool, true, L"1", L"0"},
        {L"Settings", L"FontTransparent", Bool, true, nullptr, L"0"},
        {L"Settings", L"ExecuteByDblClick", Bool, true, nullptr, L"0"},
        {L"Settings", L"IcoBaza", Path, true, nullptr, L"%exe\\mine"},
        {L"Font", L"All", Font, true, nullptr, nullptr},
        {L"Colors", L"Form1", Integer, true, nullptr, L"8828626"},
        {L"Colors", L"List", Integer, true, nullptr, L"-16777211"},  // a system colour
        {L"elmLVS", L"HideVisible", Bool, true, L"1", L"0"},
    };
    const auto& keys = Settings_Keys();
    ASSERT_EQ(keys.size(), std::size(rows));
    TTempDir dir;
    for (size_t i = 0; i < keys.size(); ++i) {
        const TSettingKey& k = keys[i];
        const TRow& r = rows[i];
        String name = String(r.Section) + L"/" + r.Key;
        EXPECT_EQ(N(String(k.Section) + L"/" + k.Key), N(name)) << "in the order the close writes";
        EXPECT_EQ(k.Type, r.Type) << N(name);
        if (r.Type == Font) continue;

        // A value the windows hold, unlike any default.
        const String held = r.Type == Bool ? L"0" : r.Type == Integer ? L"7" : L"held";
        auto readFrom = [&](const std::string& content) {
            String file = dir / L"settings.ini";
            WriteFileBytes(file, content);
            TIniFile ini(file);
            TSettingsValues v;
            setValue(v, k, held);
            Settings_Read(ini, v);
            return valueText(v, k);
        };
        String expectDefault = !r.Read ? held : r.Default ? String(r.Default) : held;
        EXPECT_EQ(N(readFrom("")), N(expectDefault)) << N(name) << ": absent";
        std::string line = N(String(L"[") + r.Section + L"]\r\n" + r.Key + L"=");
        // A path under the program's folder reads back in its "%exe" form.
        String inFile = r.Type == Path ? Path_Expand(r.Stored) : String(r.Stored);
        EXPECT_EQ(N(readFrom(line + N(inFile) + "\r\n")), N(r.Read ? String(r.Stored) : held)) << N(name);
    }
}

// The bytes the close gives settings.ini for one state: the order of the
// sections and keys and every value's form, as a user's file has them.
TEST(SettingsIni, WritesTheFileAsItAlwaysWas)
{
    TTempDir dir;
    TIniFile ini(dir / L"settings.ini");
    TFont font;
    font.SetName(L"Tahoma");
    font.SetSize(11);
    font.SetColor((TColor)0x4A4A4A);
    font.SetStyle(fsBold);
    TSettingsValues v;
    v.FontSize = 12;
    v.SplitMain = 30;
    v.IconizeCopyIco = false;
    v.ExecuteByDblClick = false;
    v.IcoBaza = L"%exe\\icons";
    v.Font = &font;
    v.ColorForm = 0x86B6D2;
    v.ColorList = (int)clWindow;
    v.Language = L"never.lng";
    Settings_Write(ini, v);
    std::string bytes = ReadFileBytes(ini.FileName());
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    String text((const wchar_t*)(bytes.data() + 2), (bytes.size() - 2) / 2);
    EXPECT_EQ(N(text), N(L"[Settings]\r\nFontSize=12\r\nSplitMain=30\r\nSplitSpec=50\r\nIconizeCopyIco=0\r\n"
                         L"FontTransparent=1\r\nExecuteByDblClick=0\r\nIcoBaza=%exe\\icons\r\n"
                         L"[Font]\r\nAll.Name=Tahoma\r\nAll.Size=11\r\nAll.Color=$004A4A4A\r\nAll.Bold=1\r\n"
                         L"All.Italic=0\r\nAll.Uderline=0\r\nAll.Strike=0\r\n"
                         L"[Colors]\r\nForm1=8828626\r\nList=-16777211\r\n"));
}

}  // namespace
