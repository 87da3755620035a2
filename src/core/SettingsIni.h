// Unit SettingsIni: settings.ini, the file beside the program that keeps the
// user's settings between runs. The table of the program's own keys (section,
// key, type, default) and their one reader and writer; the start reads the
// file through Settings_Load, the main window's close writes it through
// Settings_Save, which also has the windows' placements and the panes' list
// sections written, by the routines below that own those keys. While the
// program runs the values live where the user changes them (the options in
// the main window's actions, font and colours in its controls, the icons base
// here); the application gathers them into TSettingsValues for the close and
// puts what the start reads back in its own order.
#pragma once

#include "Forms.h"
#include "IniFiles.h"
#include "xaShellListView.h"

#include <functional>
#include <utility>
#include <variant>
#include <vector>

// The program's settings as settings.ini keeps them. The initial values are
// the fixed defaults; a key without one (Settings_Keys) reads back to what
// its member holds before the read: the state the windows have now.
struct TSettingsValues {
    String Language;              // [Settings] Language, as written (relative or with a macro)
    int FontSize = 0;             // [Settings] FontSize: the main window's, written and never read
    int SplitMain = 42;           // [Settings] SplitMain, percent
    int SplitSpec = 50;           // [Settings] SplitSpec, percent
    bool IconizeCopyIco = true;   // [Settings] IconizeCopyIco
    bool FontTransparent = true;  // [Settings] FontTransparent
    bool ExecuteByDblClick = true;  // [Settings] ExecuteByDblClick
    String IcoBaza;               // [Settings] IcoBaza, in its "%exe" form
    TFont* Font = nullptr;        // [Font] All.Name ... All.Strike: read into, written from this font
    int ColorForm = 0;            // [Colors] Form1, a colour value
    int ColorList = 0;            // [Colors] List, a colour value
    bool ElmHideVisible = true;   // [elmLVS] HideVisible: the element pane's list writes its own section
};

enum class TSettingType {
    Text,
    Path,     // text, collapsed to "%exe" when read
    Bool,     // "1" or "0"; any other whole number reads true
    Integer,  // decimal; "$" or "0x" hexadecimal reads too
    Font,     // the seven font keys of Key as the prefix
};

struct TSettingKey {
    const wchar_t* Section;
    const wchar_t* Key;
    TSettingType Type;
    bool Read;          // read at start
    bool Written;       // written at close
    bool FixedDefault;  // absent or unreadable: TSettingsValues' initial value; otherwise the value held before the read
    std::variant<String TSettingsValues::*, bool TSettingsValues::*, int TSettingsValues::*, TFont* TSettingsValues::*>
        Value;
};

// The program's keys, in the order the close writes them.
const std::vector<TSettingKey>& Settings_Keys();

// Reads every key the start reads into Values. A number or a switch that is
// not one reads as the default; a missing file reads all defaults.
void Settings_Read(TIniFile& ini, TSettingsValues& values);
// Writes every key the close writes, in the table's order.
void Settings_Write(TIniFile& ini, const TSettingsValues& values);

// Besides the program's keys: the windows whose placement the close keeps,
// each in the section of its name (each window restores its own when it is
// made), and the list views with their sections.
struct TSettingsParts {
    std::vector<TForm*> Placements;
    std::vector<std::pair<String, TxaShellListView*>> Lists;
};

// The start: false, with nothing read or changed, when there is no
// settings.ini; otherwise the lists reopen at their stored state and folders,
// then Values are read.
bool Settings_Load(TSettingsValues& values, const TSettingsParts& parts);
// The close: the program's keys, the placements, the lists' sections, in
// that order, each at once; the first write makes the file when it is missing.
void Settings_Save(const TSettingsValues& values, const TSettingsParts& parts);
// The built-in English chosen: [Settings] Language emptied at once, so that
// the next start is in English.
void Settings_LanguageClear();

// The default icons base: the icons folder beside the program, or the
// program's folder without one; with Collapse in its "%exe" form.
String IcoFolder_Get(bool collapse);
// The icons base as the user set it ("%exe" form): its one copy while the
// program runs. The start puts the stored one here, the close writes it.
String IcoBaza_Text_Get();
void IcoBaza_Text_Set(const String& text);
// Told after each change, so that a window showing the text follows it.
extern std::function<void()> IcoBaza_Text_OnChange;
// The icons base, expanded; empty when its text is.
String IcoBaza_Get();
