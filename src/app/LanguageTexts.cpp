#include "LanguageTexts.h"

#include "xaLanguageUni.h"

namespace Language {
String Set = L"Settings";
String Set_Font = L"Font";
String Set_ColorForm = L"Color of form";
String Set_ColorList = L"Color of list";
String Set_ResetToDefault = L"Reset to default";
String Set_Associate = L"Associate with files";
String Set_IntegrateInShellContexMenu = L"Integrate in explorer contex menu";
String Set_CtrlWhellForFontSize = L"Ctrl + Mouse Wheel = Change font size";
String Set_FontTransparent = L"Transparent font";
String Set_ExecuteByDblClick = L"Execute files by Mouse Dbl Click";
String Baza = L"Icons base";
String Baza_OpenNew = L"Open new folder as icons base";
String Baza_CurrentPathAsBaza = L"Current path as icons base";
String Iconize = L"Iconize";
String Iconize_Do = L"Iconize";
String Iconize_De = L"Clear ico";
String Iconize_CopyIco = L"Copy ico to folder";
String Iconize_Type = L"Special iconize";
String Elm_NotSelect_OnIconize = L"No elements selected for iconize";
String Elm_NotSelect_OnClear = L"No elements selected for clear";
String Elm_DirNotExist_OnIconize = L"Folder for iconize not exist";
String Elm_DirNotExist_OnClear = L"Folder for clear not exists";
String Elm_Iconized = L"Iconized elements";
String Ico_NotExist = L"Ico for iconize not exist";
String Ico_NotSelect = L"ico not select";
String Ico_ForIconize = L"Ico for iconize";
String Ico_CopyToFolder = L"Copy ico to folder";
String ico_Index = L"Index of icon";
String Elm_NotFileType = L"Not a file type: type the extension that file names end in, such as txt";
}  // namespace Language

void Lng_Read_App(TStrings& lines)
{
    using namespace Language;
    // The order is the order of the Untranslated section a file gains.
    struct TKey {
        String* Value;
        const wchar_t* Key;
    };
    const TKey keys[] = {
        {&Set, L"Set"},
        {&Set_Font, L"Set_Font"},
        {&Set_ColorForm, L"Set_ColorForm"},
        {&Set_ColorList, L"Set_ColorList"},
        {&Set_ResetToDefault, L"Set_ResetToDefault"},
        {&Set_Associate, L"Set_Associate"},
        {&Set_IntegrateInShellContexMenu, L"Set_IntegrateInShellContexMenu"},
        {&Set_CtrlWhellForFontSize, L"Set_CtrlWhellForFontSize"},
        {&Set_FontTransparent, L"Set_FontTransparent"},
        {&Set_ExecuteByDblClick, L"Set_ExecuteByDblClick"},
        {&Baza, L"Baza"},
        {&Baza_OpenNew, L"Baza_OpenNew"},
        {&Baza_CurrentPathAsBaza, L"Baza_CurrentPathAsBaza"},
        {&Iconize, L"Iconize"},
        {&Iconize_Do, L"Iconize_Do"},
        {&Iconize_De, L"Iconize_De"},
        {&Iconize_CopyIco, L"Iconize_CopyIco"},
        {&Iconize_Type, L"Iconize_Type"},
        {&Elm_NotSelect_OnIconize, L"Elm_NotSelect_OnIconize"},
        {&Elm_NotSelect_OnClear, L"Elm_NotSelect_OnClear"},
        {&Elm_DirNotExist_OnIconize, L"Elm_DirNotExist_OnIconize"},
        {&Elm_DirNotExist_OnClear, L"Elm_DirNotExist_OnClear"},
        {&Elm_Iconized, L"Elm_Iconized"},
        {&Ico_NotExist, L"Ico_NotExist"},
        {&Ico_NotSelect, L"Ico_NotSelect"},
        {&Ico_ForIconize, L"Ico_ForIconize"},
        {&Ico_CopyToFolder, L"Ico_CopyToFolder"},
        {&ico_Index, L"ico_Index"},
        {&Elm_NotFileType, L"Elm_NotFileType"},
    };
    for (const TKey& k : keys) Lng_Read(lines, *k.Value, k.Key, true);
}
