#include "Language.h"

#include "LanguageTexts.h"
#include "Main.h"
#include "Settings.h"
#include "xaLanguageUni.h"
#include "xaModul.h"

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

void Lng_Form1_Set() { Form1->Language_Set(); }

void Lng_FormSettings_Set() { FormSettings->Language_Set(); }

void Lng_App_Set()
{
    Lng_Form1_Set();
    if (TFormSettings* settings = FormSettings.Made()) {
        settings->Language_Set();
        settings->Font_Fit();
    }
    Form1->BottomBar_Fit();
}

void Lng_LoadAndSet()
{
    Lng_ReadFile(Lng_Path);
    Lng_App_Set();
    if (TFormSettings* settings = FormSettings.Made()) settings->FrLang->SelectLngWithoutTranslate(Lng_Path);
}
