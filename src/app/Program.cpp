#include "Program.h"

#include "IconizeReport.h"
#include "Language.h"
#include "Main.h"
#include "Settings.h"
#include "ind.h"
#include "xaLanguageUni.h"
#include "xaModul.h"
#include "xaFontDialog.h"
#include "xaShell.h"
#include "xaShellDialog.h"
#include "xaY.h"

#include <memory>

TCommandLine CmdLine;

namespace {
// The icons base text while there is no settings window, whose edit box holds it.
String IcoBaza_Text;

std::unique_ptr<TFormSettings> gFormSettings;

// The settings window is made after the main window, whose parts it changes.
void formSettingsCreate()
{
    TForm1& f = *Form1;
    TSettingsMain m;
    m.Form = &f;
    m.ElmList = f.FrElm->LVS;
    m.IcoList = f.FrIco->LVS;
    m.ExplorerContexMenu = f.Act_Set_IntegrateinShellContexMenu;
    m.ExecuteByDblClick = f.Act_Set_ExecuteByDblClick;
    m.FontTransparent = f.Act_FontTransparent;
    m.BazaOpenNew = f.Act_Baza_OpenNew;
    m.FontApply = Font_Apply;
    m.ColorsApply = Colors_Apply;
    m.LanguageApply = Lng_LoadAndSet;
    gFormSettings = std::make_unique<TFormSettings>(nullptr, m);
    FormSettings = gFormSettings.get();
}

void startWithoutSettings()
{
    Lng_App_Set();
    Font_Apply(Form1->Font);
    // Set to the opposite and executed: each ends in its design state with its handler run once.
    for (TAction* a : {Form1->Act_FontTransparent, Form1->Act_Set_ExecuteByDblClick}) {
        a->Checked = !a->Checked;
        a->Execute();
    }
}

void startFromSettings()
{
    TIniFile ini(Settings_FileName());
    TForm1& f = *Form1;
    f.FrElm->LVS->iniLoad(L"elmLVS", &ini, L"*");
    f.FrIco->LVS->iniLoad(L"icoLVS", &ini, L"*");

    // A language file that cannot be read is told, and the start goes on in
    // English: the settings after it are the user's and must still be read,
    // or the close would write the defaults over them.
    String language = Path_Expand(ini.ReadString(L"Settings", L"Language", L""));
    bool translated = false;
    if (!language.empty() && FileExists(language)) Application.Guard([&] {
        Lng_Load(language, Lng_LoadAndSet);
        translated = true;
    });
    if (!translated) Lng_App_Set();

    Font_Load(&ini, L"Font", L"All", f.Font);
    f.SetColor((TColor)ini.ReadInteger(L"Colors", L"Form1", (int)f.Color()));
    TColor list = (TColor)ini.ReadInteger(L"Colors", L"List", (int)f.FrElm->LVS->Color());
    f.FrElm->LVS->SetColor(list);
    f.FrIco->LVS->SetColor(list);
    Font_Apply(f.Font);
    Colors_Apply();

    IcoBaza_Text_Set(Path_Collapse(ini.ReadString(L"Settings", L"IcoBaza", IcoFolder_Get(false)), L"%exe"));
    String baza = IcoBaza_Get();
    if (!DirectoryExists(baza)) {
        Y_Show(L"Отсутвует папка \"Избранные иконки\":\r\n" + baza + L"\r\nУстановите её в настройках заново", L"", -1,
               true);
        IcoBaza_Text_Set(IcoFolder_Get(true));
    }

    f.Act_Iconize_CopyIco->Checked = ini.ReadBool(L"Settings", L"IconizeCopyIco", true);
    f.Act_Iconize_CopyIco->Change();
    SplitMain = (uint8_t)ini.ReadInteger(L"Settings", L"SplitMain", 42);
    SplitSpec = ini.ReadInteger(L"Settings", L"SplitSpec", 50);

    TAction& hidden = *f.FrElm->ActHideVisible;
    hidden.Checked = !ini.ReadBool(L"elmLVS", L"HideVisible", true);
    hidden.Execute();
    for (auto [action, key] : {std::pair{f.Act_FontTransparent, L"FontTransparent"},
                               std::pair{f.Act_Set_ExecuteByDblClick, L"ExecuteByDblClick"}}) {
        action->Checked = !ini.ReadBool(L"Settings", key, action->Checked);
        action->Execute();
    }
}

// Mode 1: the element pane opens at the element's folder with the element selected.
void selectElement(const String& element)
{
    TxaShellListView& lvs = *Form1->FrElm->LVS;
    String name;
    String folder = Path_Split(element, name, false);
    lvs.SetPath(folder);
    TListItem* row = nullptr;
    if (DirectoryExists(element))
        row = lvs.FindTeloID(name + L".*dir");
    else if (FileExists(element))
        row = lvs.FindTeloID(name);
    lvs.ClearSelection();
    if (row) {
        row->Selected = true;
        row->Focused = true;
    }
    lvs.Repaint();
}

// The command line's element iconized, with the index as given; a runtime
// error (an index that is no number for a drive or a type) is told by the
// default handler.
bool iconizeElement()
{
    bool iconized = false;
    TIconizeOptions options;
    options.CopyIco = CmdLine.CopyIco;
    Application.Guard([&] {
        iconized = Iconize_Report(Iconize_Element(CmdLine.Element, CmdLine.IcoFile, CmdLine.IcoIndex, options));
    });
    return iconized;
}

// Modes 1, 2 and the others, once the windows are up; -1 goes on into the loop.
int commandLineHandle()
{
    if (!CmdLine.Given) return -1;
    switch (CmdLine.Mode) {
    case 2: iconizeElement(); break;
    case 1: selectElement(CmdLine.Element); break;
    default: break;
    }
    return -1;
}
}  // namespace

String IcoFolder_Get(bool collapse)
{
    String path = Prog_Dir() + L"icons";
    if (!DirectoryExists(path)) path = Prog_Dir();
    return collapse ? Path_Collapse(path, L"%exe") : path;
}

String IcoBaza_Text_Get() { return FormSettings ? FormSettings->edBaza->Text() : IcoBaza_Text; }

void IcoBaza_Text_Set(const String& text)
{
    if (FormSettings)
        FormSettings->edBaza->SetText(text);
    else
        IcoBaza_Text = text;
}

String IcoBaza_Get() { return Path_Expand(IcoBaza_Text_Get()); }

namespace {
std::unique_ptr<TForm1> gForm1;
}

int Program_Start(const std::vector<String>& args)
{
    CmdLine = CommandLine_Parse(args);
    Application.Title = L"Dolv";
    // Mode 0 shows nothing and writes no settings: the windows, the panes'
    // listings and the language load would only cost its caller time.
    if (CmdLine.Given && CmdLine.Mode == 0) return iconizeElement() ? 0 : 1;
    gForm1 = std::make_unique<TForm1>(nullptr);
    Form1 = gForm1.get();
    Application.MainForm = Form1;
    formSettingsCreate();

    Form1->FrElm->LVS->SetPath(L"");
    Form1->FrElm->LVS->SetViewStyle(vsReport);
    Form1->FrIco->LVS->SetPath(IcoFolder_Get(false));
    Form1->FrIco->LVS->SetViewStyle(vsIcon);
    IcoBaza_Text_Set(IcoFolder_Get(true));

    // A failing step is told by the default handler; the start goes on.
    Application.Guard([] {
        if (!FileExists(Settings_FileName()))
            startWithoutSettings();
        else
            startFromSettings();
    });

    Application.Guard([] {
        TAction& menu = *Form1->Act_Set_IntegrateinShellContexMenu;
        menu.Checked = Shell_VerbExists(L"Folder", Prog_Name, ShellMenu_Command());
        menu.Change();
    });

    return commandLineHandle();
}

void Program_SessionEnd()
{
    if (!Form1) return;
    bool canClose = true;
    Form1->FormCloseQuery(Form1, canClose);
    FontDialog_Save();
    ShellDialog_Save();
}

void Program_End()
{
    // The kept dialogs store their state first, while the windows they stand
    // on are there: destroying its owner would take a dialog's window along.
    FontDialog_Free();
    ShellDialog_Free();
    Application.MainForm = nullptr;
    FormSettings = nullptr;
    gFormSettings.reset();
    Form1 = nullptr;
    gForm1.reset();
}

int Program_Main(const std::vector<String>& args)
{
    int code = Program_Start(args);
    if (code < 0) {
        Application.Run();
        code = 0;
    }
    Program_End();
    return code;
}
