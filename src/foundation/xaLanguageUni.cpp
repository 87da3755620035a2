#include "xaLanguageUni.h"

#include "IniFiles.h"
#include "xaModulIniText.h"
#include "xaModulPath.h"
#include "xaY.h"


String Lng_Path;
String Lng_RedLineDelimiter = L"%%%";
const String Lng_DirectoryUp = L"Directory up";

String Lng = L"Language";
String Lng_Setuped = L"Language is setuped";
String Lng_FileAbsent = L"lng file not found!";
String App = L"Program";
String App_About = L"About program";
String App_Mail = L"Send mail to autor";
String App_Sait = L"Program sait";
String App_Help = L"Help";
String App_OpenInExplorer = L"Program folder";
String App_Close = L"Close porogram";
String File = L"File";
String New = L"New";
String Open = L"Open";
String Save = L"Save";
String SaveAs = L"Save as";
String Import = L"Import";
String Export = L"Export";
String Close = L"Close";
String Information = L"Information";
String CopyAll = L"Copy all";
String Copy = L"Copy";
String Cut = L"Cut";
String Paste = L"Paste";
String MoveUp = L"Move Up";
String MoveDn = L"Move Dn";
String Prev = L"Previous";
String Next = L"Next";
String First = L"First";
String Last = L"Last";
String TabPrev = L"Tab Previous";
String TabNext = L"Tab Next";
String Expand = L"Expand";
String Collapse = L"Collapse";
String Maximize = L"Maximize";
String Minimize = L"Minimize";
String FullScreen = L"Full Screen";
String MinimizeToTray = L"Minimize to Tray";
String Add = L"Add";
String Edit = L"Edit";
String Name = L"Name";
String Type = L"Type";
String Size = L"Size";
String Rename = L"Rename";
String Delete = L"Delete";
String Insert = L"Insert";
String Clear = L"Clear";
String Date = L"Date";
String Vizible = L"Vizible";
String View = L"View";
String Error = L"Error";
String Apply = L"Apply";
String Ok = L"Ok";
String Yes = L"Yes";
String No = L"No";
String Cancel = L"Cancel";
String Enter = L"Enter";
String Execute = L"Execute";
String Refresh = L"Refresh";
String Properties = L"Properties";
String Goto = L"Goto";
String Move = L"Move";
String Warning = L"Warning";
String Advansed = L"Advansed";
String OpenInExplorer = L"Open in explorer";
String OpenInExternalEditor = L"Open in external editor";
String Reopen = L"Reopen";
String Selecting = L"Selecting";
String Select = L"Select";
String SelectAll = L"Select All";
String SelectDe = L"Deselect";
String SelectInvers = L"Select Invers";

namespace {
struct TLngKey {
    const wchar_t* key;
    String* text;
};

const TLngKey kUniKeys[] = {
    {L"Lng", &Lng},
    {L"Lng_Setuped", &Lng_Setuped},
    {L"Lng_FileAbsent", &Lng_FileAbsent},
    {L"App", &App},
    {L"App_About", &App_About},
    {L"App_Mail", &App_Mail},
    {L"App_Sait", &App_Sait},
    {L"App_Help", &App_Help},
    {L"App_OpenInExplorer", &App_OpenInExplorer},
    {L"App_Close", &App_Close},
    {L"File", &File},
    {L"New", &New},
    {L"Open", &Open},
    {L"Save", &Save},
    {L"SaveAs", &SaveAs},
    {L"Import", &Import},
    {L"Export", &Export},
    {L"Close", &Close},
    {L"Information", &Information},
    {L"CopyAll", &CopyAll},
    {L"Copy", &Copy},
    {L"Cut", &Cut},
    {L"Paste", &Paste},
    {L"MoveUp", &MoveUp},
    {L"MoveDn", &MoveDn},
    {L"Prev", &Prev},
    {L"Next", &Next},
    {L"First", &First},
    {L"Last", &Last},
    {L"TabPrev", &TabPrev},
    {L"TabNext", &TabNext},
    {L"Expand", &Expand},
    {L"Collapse", &Collapse},
    {L"Maximize", &Maximize},
    {L"Minimize", &Minimize},
    {L"FullScreen", &FullScreen},
    {L"MinimizeToTray", &MinimizeToTray},
    {L"Add", &Add},
    {L"Edit", &Edit},
    {L"Name", &Name},
    {L"Type", &Type},
    {L"Size", &Size},
    {L"Rename", &Rename},
    {L"Delete", &Delete},
    {L"Insert", &Insert},
    {L"Clear", &Clear},
    {L"Date", &Date},
    {L"Vizible", &Vizible},
    {L"View", &View},
    {L"Error", &Error},
    {L"Apply", &Apply},
    {L"Ok", &Ok},
    {L"Yes", &Yes},
    {L"No", &No},
    {L"Cancel", &Cancel},
    {L"Enter", &Enter},
    {L"Execute", &Execute},
    {L"Refresh", &Refresh},
    {L"Properties", &Properties},
    {L"Goto", &Goto},
    {L"Move", &Move},
    {L"Warning", &Warning},
    {L"Advansed", &Advansed},
    {L"OpenInExplorer", &OpenInExplorer},
    {L"OpenInExternalEditor", &OpenInExternalEditor},
    {L"Reopen", &Reopen},
    {L"Selecting", &Selecting},
    {L"Select", &Select},
    {L"SelectAll", &SelectAll},
    {L"SelectDe", &SelectDe},
    {L"SelectInvers", &SelectInvers},
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

String replaceAll(const String& s, const String& what, const String& with)
{
    if (what.empty()) return s;
    String r;
    size_t from = 0, p;
    while ((p = s.find(what, from)) != String::npos) {
        r.append(s, from, p - from);
        r += with;
        from = p + what.size();
    }
    r.append(s, from, String::npos);
    return r;
}
}  // namespace

bool Lng_Read(TStrings& lines, String& value, const String& key, bool multiLine)
{
    String v = Strs_ValueOfName(key, lines);
    if (v.empty()) {
        Strs_Ini_WriteValue(key, L"", L"Untranslated", lines);
        return false;
    }
    if (multiLine) v = replaceAll(v, Lng_RedLineDelimiter, L"\r\n");
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
        Y_ShowColor(Lng_FileAbsent + L"\r\n\r\n" + full, clYError);
        return;
    }
    if (full != Lng_Path) {
        TIniFile ini(Settings_FileName());
        ini.WriteString(L"Settings", L"Language", Path_Collapse(full, L""));
    }
    Lng_Path = full;
    if (onLoaded) onLoaded();
}

String Lng_Folder() { return Prog_Dir() + L"Language\\"; }

void Act_CaptionHint_Set(TAction& action, const String& text)
{
    action.Caption = text;
    action.Hint = text;
}
