#include "Language.h"

#include "Main.h"
#include "Settings.h"
#include "xaFrameSpec.h"
#include "xaLanguageUni.h"
#include "xaModul.h"

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
    };
    for (const TKey& k : keys) Lng_Read(lines, *k.Value, k.Key, true);
}

void Lng_ReadFile(const String& path)
{
    TStringList lines;
    lines.WriteBOM = true;
    lines.LoadFromFile(path);
    Strs_Ini_EraseSection(L"Untranslated", lines);
    Lng_Read_App(lines);
    Lng_Read_Uni(lines);
    Lng_Read_FontDialog(lines);
    Lng_Read_ListView(lines);
    Lng_Read_LabelLink(lines);
    // The rewrite only refreshes the list of untranslated keys for the
    // translator. A file or folder that may not be written keeps the file
    // exactly as it is (the save replaces it only once the new text is
    // wholly on disk), and the texts just read still apply.
    try {
        lines.SaveToFile(path);
    } catch (const EFCreateError&) {
    }
}

void Lng_Form1_Set()
{
    using namespace Language;
    TForm1& f = *Form1;
    f.SetCaption(L"Dolv 2021.11");
    f.Act_Program_About->Caption = xaLanguageUni::App_About;
    f.Act_Program_OpenInExplorer->Caption = xaLanguageUni::App_OpenInExplorer;
    f.Act_Program_Sait->Caption = xaLanguageUni::App_Sait;
    f.Act_Program_Help->Caption = xaLanguageUni::App_Help;
    f.Act_Program_Maximize->Caption = xaLanguageUni::Maximize;
    f.Act_Program_Close->Caption = xaLanguageUni::Close;
    f.Act_Program_About->Hint = xaLanguageUni::App_About;
    f.FrSpec1->lbIco->SetCaption(L" " + Ico_ForIconize);
    f.FrSpec1->lbElm->SetCaption(L" " + Elm_Iconized);
    f.FrSpec1->labIndex->SetCaption(ico_Index);
    Lng_FrExplorer_Set(f.FrElm);
    Lng_FrExplorer_Set(f.FrIco);
    f.Act_FontTransparent->Caption = Set_FontTransparent;
    Act_CaptionHint_Set(*f.Act_Set_Settings, Set);
    f.Act_Set_IntegrateinShellContexMenu->Caption = Set_IntegrateInShellContexMenu;
    f.Act_Set_ExecuteByDblClick->Caption = Set_ExecuteByDblClick;
    Act_CaptionHint_Set(*f.Act_Baza_OpenNew, Baza_OpenNew);
    Act_CaptionHint_Set(*f.Act_Baza_CurrentPathAsBaza, Baza_CurrentPathAsBaza);
    Act_CaptionHint_Set(*f.Act_IcoBazaForIco, Baza);
    Act_CaptionHint_Set(*f.Act_IconizeType, Iconize_Type);
    Act_CaptionHint_Set(*f.Act_Iconize_CopyIco, Iconize_CopyIco);
    Act_CaptionHint_Set(*f.Act_Iconize_Do, Iconize_Do);
    Act_CaptionHint_Set(*f.Act_Iconize_De, Iconize_De);
    for (TAction* a : {f.Act_Program_About, f.Act_Program_OpenInExplorer, f.Act_Program_Sait, f.Act_Program_Help,
                       f.Act_Program_Maximize, f.Act_Program_Close, f.Act_FontTransparent, f.Act_Set_Settings,
                       f.Act_Set_IntegrateinShellContexMenu, f.Act_Set_ExecuteByDblClick, f.Act_Baza_OpenNew,
                       f.Act_Baza_CurrentPathAsBaza, f.Act_IcoBazaForIco, f.Act_IconizeType, f.Act_Iconize_CopyIco,
                       f.Act_Iconize_Do, f.Act_Iconize_De})
        a->Change();
    // The two buttons show their pictures only.
    f.btnIconize->SetCaption(L"");
    f.btnClear->SetCaption(L"");
}

void Lng_FormSettings_Set()
{
    using namespace Language;
    TFormSettings& s = *FormSettings;
    s.SetCaption(Set);
    s.labCtrlWheel->SetCaption(Set_CtrlWhellForFontSize);
    s.btnFont->SetCaption(Set_Font);
    s.btnColor_Form1->SetCaption(Set_ColorForm);
    s.btnColor_List->SetCaption(Set_ColorList);
    s.btnResetToDefault->SetCaption(Set_ResetToDefault);
    s.btnBaza->SetCaption(L"");
    s.labBaza->SetCaption(Baza + L":");
}

void Lng_App_Set()
{
    Lng_Form1_Set();
    if (FormSettings) {
        Lng_FormSettings_Set();
        FormSettings->Font_Fit();
    }
    Form1->BottomBar_Fit();
}

void Lng_LoadAndSet()
{
    Lng_ReadFile(Lng_Path);
    Lng_App_Set();
    if (FormSettings) FormSettings->FrLang->SelectLngWithoutTranslate(Lng_Path);
}
