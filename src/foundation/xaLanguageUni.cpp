#include "xaLanguageUni.h"

#include "IniFiles.h"
#include "xaModulIniText.h"
#include "xaModulPath.h"
#include "xaY.h"

String Lng_Path;
String Lng_RedLineDelimiter = L"%%%";
const String Lng_DirectoryUp = L"Directory up";

namespace {
struct TLngKey {
    const wchar_t* key;
    String* text;
};

const TLngKey kUniKeys[] = {
    {L"Lng", &xaLanguageUni::Lng},
    {L"Lng_Setuped", &xaLanguageUni::Lng_Setuped},
    {L"Lng_FileAbsent", &xaLanguageUni::Lng_FileAbsent},
    {L"App", &xaLanguageUni::App},
    {L"App_About", &xaLanguageUni::App_About},
    {L"App_Mail", &xaLanguageUni::App_Mail},
    {L"App_Sait", &xaLanguageUni::App_Sait},
    {L"App_Help", &xaLanguageUni::App_Help},
    {L"App_OpenInExplorer", &xaLanguageUni::App_OpenInExplorer},
    {L"App_Close", &xaLanguageUni::App_Close},
    {L"File", &xaLanguageUni::File},
    {L"New", &xaLanguageUni::New},
    {L"Open", &xaLanguageUni::Open},
    {L"Save", &xaLanguageUni::Save},
    {L"SaveAs", &xaLanguageUni::SaveAs},
    {L"Import", &xaLanguageUni::Import},
    {L"Export", &xaLanguageUni::Export},
    {L"Close", &xaLanguageUni::Close},
    {L"Information", &xaLanguageUni::Information},
    {L"CopyAll", &xaLanguageUni::CopyAll},
    {L"Copy", &xaLanguageUni::Copy},
    {L"Cut", &xaLanguageUni::Cut},
    {L"Paste", &xaLanguageUni::Paste},
    {L"MoveUp", &xaLanguageUni::MoveUp},
    {L"MoveDn", &xaLanguageUni::MoveDn},
    {L"Prev", &xaLanguageUni::Prev},
    {L"Next", &xaLanguageUni::Next},
    {L"First", &xaLanguageUni::First},
    {L"Last", &xaLanguageUni::Last},
    {L"TabPrev", &xaLanguageUni::TabPrev},
    {L"TabNext", &xaLanguageUni::TabNext},
    {L"Expand", &xaLanguageUni::Expand},
    {L"Collapse", &xaLanguageUni::Collapse},
    {L"Maximize", &xaLanguageUni::Maximize},
    {L"Minimize", &xaLanguageUni::Minimize},
    {L"FullScreen", &xaLanguageUni::FullScreen},
    {L"MinimizeToTray", &xaLanguageUni::MinimizeToTray},
    {L"Add", &xaLanguageUni::Add},
    {L"Edit", &xaLanguageUni::Edit},
    {L"Name", &xaLanguageUni::Name},
    {L"Type", &xaLanguageUni::Type},
    {L"Size", &xaLanguageUni::Size},
    {L"Rename", &xaLanguageUni::Rename},
    {L"Delete", &xaLanguageUni::Delete},
    {L"Insert", &xaLanguageUni::Insert},
    {L"Clear", &xaLanguageUni::Clear},
    {L"Date", &xaLanguageUni::Date},
    {L"Vizible", &xaLanguageUni::Vizible},
    {L"View", &xaLanguageUni::View},
    {L"Error", &xaLanguageUni::Error},
    {L"Apply", &xaLanguageUni::Apply},
    {L"Ok", &xaLanguageUni::Ok},
    {L"Yes", &xaLanguageUni::Yes},
    {L"No", &xaLanguageUni::No},
    {L"Cancel", &xaLanguageUni::Cancel},
    {L"Enter", &xaLanguageUni::Enter},
    {L"Execute", &xaLanguageUni::Execute},
    {L"Refresh", &xaLanguageUni::Refresh},
    {L"Properties", &xaLanguageUni::Properties},
    {L"Goto", &xaLanguageUni::Goto},
    {L"Move", &xaLanguageUni::Move},
    {L"Warning", &xaLanguageUni::Warning},
    {L"Advansed", &xaLanguageUni::Advansed},
    {L"OpenInExplorer", &xaLanguageUni::OpenInExplorer},
    {L"OpenInExternalEditor", &xaLanguageUni::OpenInExternalEditor},
    {L"Reopen", &xaLanguageUni::Reopen},
    {L"Selecting", &xaLanguageUni::Selecting},
    {L"Select", &xaLanguageUni::Select},
    {L"SelectAll", &xaLanguageUni::SelectAll},
    {L"SelectDe", &xaLanguageUni::SelectDe},
    {L"SelectInvers", &xaLanguageUni::SelectInvers},
};

const TLngKey kFontDialogKeys[] = {
    {L"xaFontDialog_FormCaption", &xaFontDialog_FormCaption},
    {L"xaFontDialog_Color", &xaFontDialog_Color},
    {L"xaFontDialog_Bold", &xaFontDialog_Bold},
    {L"xaFontDialog_Italic", &xaFontDialog_Italic},
    {L"xaFontDialog_Underline", &xaFontDialog_Underline},
    {L"xaFontDialog_Strike", &xaFontDialog_Strike},
    {L"xaFontDialog_SizeUp", &xaFontDialog_SizeUp},
    {L"xaFontDialog_SizeDn", &xaFontDialog_SizeDn},
    {L"xaFontDialog_ExampleHint", &xaFontDialog_ExampleHint},
    {L"xaFontDialog_Example", &xaFontDialog_Example},
    {L"xaFontDialog_Ok", &xaFontDialog_Ok},
    {L"xaFontDialog_Apply", &xaFontDialog_Apply},
    {L"xaFontDialog_Cancel", &xaFontDialog_Cancel},
    {L"xaFontDialog_SourseFont", &xaFontDialog_SourseFont},
};

const TLngKey kLabelLinkKeys[] = {
    {L"Link_Execute", &Link_Execute},
    {L"Link_CopyToClipboard", &Link_CopyToClipboard},
};

template <size_t N>
void readKeys(TStrings& lines, const TLngKey (&keys)[N])
{
    for (const TLngKey& k : keys) Lng_Read(lines, *k.text, k.key, true);
}

}  // namespace

bool Lng_Read(TStrings& lines, String& value, const String& key, bool multiLine)
{
    String v = Strs_ValueOfName(key, lines);
    if (v.empty()) {
        Strs_Ini_WriteValue(key, L"", L"Untranslated", lines);
        return false;
    }
    if (multiLine) v = StringReplaceAll(v, Lng_RedLineDelimiter, L"\r\n");
    value = v;
    return true;
}

void Lng_Read_Uni(TStrings& lines)
{
    // The marker itself is read literally; an empty value keeps the old one.
    Lng_Read(lines, Lng_RedLineDelimiter, L"Lng_RedLineDelimiter", false);
    readKeys(lines, kUniKeys);
}

void Lng_Read_FontDialog(TStrings& lines) { readKeys(lines, kFontDialogKeys); }

void Lng_Read_LabelLink(TStrings& lines) { readKeys(lines, kLabelLinkKeys); }

void Lng_Load(const String& path, const TLngApplyProc& onLoaded)
{
    String full = Path_Expand(path);
    if (!FileExists(full)) {
        Y_ShowColor(xaLanguageUni::Lng_FileAbsent + L"\r\n\r\n" + full, clYError);
        return;
    }
    // The file becomes the active language only once it has been read: one
    // that another program holds is told by the error it raises, and the
    // active language and settings.ini stay as they were.
    String previous = Lng_Path;
    Lng_Path = full;
    try {
        if (onLoaded) onLoaded();
    } catch (...) {
        Lng_Path = previous;
        throw;
    }
    if (full != previous) {
        // The start loads the file settings.ini already names: nothing to
        // write, and a settings.ini the user keeps read-only must not stop
        // the language it names.
        TIniFile ini(Settings_FileName());
        String stored = Path_Collapse(full, L"");
        if (ini.ReadString(L"Settings", L"Language", L"") != stored) ini.WriteString(L"Settings", L"Language", stored);
    }
}

String Lng_Folder() { return Prog_Dir() + L"Language\\"; }

void Act_CaptionHint_Set(TAction& action, const String& text)
{
    action.Caption = text;
    action.Hint = text;
}
