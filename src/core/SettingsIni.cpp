#include "SettingsIni.h"

#include "xaModul.h"

namespace {
using V = TSettingsValues;

// The icons base text; the settings window's edit box shows it.
String IcoBaza_Text;

void readKey(TIniFile& ini, const TSettingKey& k, TSettingsValues& values)
{
    static const TSettingsValues fixed;
    std::visit(
        [&](auto m) {
            auto& value = values.*m;
            using T = std::remove_reference_t<decltype(value)>;
            if constexpr (std::is_same_v<T, TFont*>) {
                // Only the font keys that are there change the font.
                if (value) Font_Load(&ini, k.Section, k.Key, *value);
            } else {
                T def = k.FixedDefault ? fixed.*m : value;
                if constexpr (std::is_same_v<T, String>) {
                    value = ini.ReadString(k.Section, k.Key, def);
                    if (k.Type == TSettingType::Path) value = Path_Collapse(value, L"%exe");
                } else if constexpr (std::is_same_v<T, bool>) {
                    value = ini.ReadBool(k.Section, k.Key, def);
                } else {
                    value = ini.ReadInteger(k.Section, k.Key, def);
                }
            }
        },
        k.Value);
}

void writeKey(TIniFile& ini, const TSettingKey& k, const TSettingsValues& values)
{
    std::visit(
        [&](auto m) {
            const auto& value = values.*m;
            using T = std::remove_cvref_t<decltype(value)>;
            if constexpr (std::is_same_v<T, String>)
                ini.WriteString(k.Section, k.Key, value);
            else if constexpr (std::is_same_v<T, bool>)
                ini.WriteBool(k.Section, k.Key, value);
            else if constexpr (std::is_same_v<T, int>)
                ini.WriteInteger(k.Section, k.Key, value);
            else if (value)
                Font_Save(&ini, k.Section, k.Key, *value);
        },
        k.Value);
}
}  // namespace

const std::vector<TSettingKey>& Settings_Keys()
{
    using enum TSettingType;
    // Section, key, type, read, written, fixed default, value.
    static const std::vector<TSettingKey> keys = {
        {L"Settings", L"Language", Text, true, false, true, &V::Language},
        {L"Settings", L"FontSize", Integer, false, true, true, &V::FontSize},
        {L"Settings", L"SplitMain", Integer, true, true, true, &V::SplitMain},
        {L"Settings", L"SplitSpec", Integer, true, true, true, &V::SplitSpec},
        {L"Settings", L"IconizeCopyIco", Bool, true, true, true, &V::IconizeCopyIco},
        {L"Settings", L"FontTransparent", Bool, true, true, false, &V::FontTransparent},
        {L"Settings", L"ExecuteByDblClick", Bool, true, true, false, &V::ExecuteByDblClick},
        {L"Settings", L"IcoBaza", Path, true, true, false, &V::IcoBaza},
        {L"Font", L"All", Font, true, true, false, &V::Font},
        {L"Colors", L"Form1", Integer, true, true, false, &V::ColorForm},
        {L"Colors", L"List", Integer, true, true, false, &V::ColorList},
        {L"elmLVS", L"HideVisible", Bool, true, false, true, &V::ElmHideVisible},
    };
    return keys;
}

void Settings_Read(TIniFile& ini, TSettingsValues& values)
{
    for (const TSettingKey& k : Settings_Keys())
        if (k.Read) readKey(ini, k, values);
}

void Settings_Write(TIniFile& ini, const TSettingsValues& values)
{
    for (const TSettingKey& k : Settings_Keys())
        if (k.Written) writeKey(ini, k, values);
}

bool Settings_Load(TSettingsValues& values, const TSettingsParts& parts)
{
    if (!FileExists(Settings_FileName())) return false;
    TIniFile ini(Settings_FileName());
    // "*": each list reopens where it was.
    for (auto& [section, list] : parts.Lists) list->iniLoad(section, &ini, L"*");
    Settings_Read(ini, values);
    return true;
}

void Settings_Save(const TSettingsValues& values, const TSettingsParts& parts)
{
    TIniFile ini(Settings_FileName());
    Settings_Write(ini, values);
    for (TForm* form : parts.Placements) Form_PosSave(form, &ini);
    for (auto& [section, list] : parts.Lists) list->iniSave(section, &ini);
}

void Settings_LanguageClear() { TIniFile(Settings_FileName()).WriteString(L"Settings", L"Language", L""); }

String IcoFolder_Get(bool collapse)
{
    String path = Prog_Dir() + L"icons";
    if (!DirectoryExists(path)) path = Prog_Dir();
    return collapse ? Path_Collapse(path, L"%exe") : path;
}

std::function<void()> IcoBaza_Text_OnChange;

String IcoBaza_Text_Get() { return IcoBaza_Text; }

void IcoBaza_Text_Set(const String& text)
{
    // Only a change is told: the window that shows the text sets it back.
    if (text == IcoBaza_Text) return;
    IcoBaza_Text = text;
    if (IcoBaza_Text_OnChange) IcoBaza_Text_OnChange();
}

String IcoBaza_Get() { return Path_Expand(IcoBaza_Text_Get()); }
