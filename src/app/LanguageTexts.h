// Unit LanguageTexts: the program's own texts. Each is a Language text with
// its built-in English value, replaced from the key of the same name when a
// language file is loaded. They live in a scope of their own, as the generic
// words do: Set, Iconize and Baza are also member names of the windows. Each
// window puts them on itself; the unit Language loads them and has the
// windows take them.
#pragma once

#include "Classes.h"

namespace Language {
extern String Set;
extern String Set_Font;
extern String Set_ColorForm;
extern String Set_ColorList;
extern String Set_ResetToDefault;
extern String Set_Associate;
extern String Set_IntegrateInShellContexMenu;
extern String Set_CtrlWhellForFontSize;
extern String Set_FontTransparent;
extern String Set_ExecuteByDblClick;
extern String Baza;
extern String Baza_OpenNew;
extern String Baza_CurrentPathAsBaza;
extern String Iconize;
extern String Iconize_Do;
extern String Iconize_De;
extern String Iconize_CopyIco;
extern String Iconize_Type;
extern String Elm_NotSelect_OnIconize;
extern String Elm_NotSelect_OnClear;
extern String Elm_DirNotExist_OnIconize;
extern String Elm_DirNotExist_OnClear;
extern String Elm_Iconized;
extern String Ico_NotExist;
extern String Ico_NotSelect;
extern String Ico_ForIconize;
extern String Ico_CopyToFolder;
extern String ico_Index;
extern String Elm_NotFileType;
}  // namespace Language

// Reads the program's keys from Lines, in the order above; a missing or empty
// key keeps its text and is listed under [Untranslated].
void Lng_Read_App(TStrings& lines);

