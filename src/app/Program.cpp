#include "Program.h"

#include "ComObj.h"
#include "IconizeReport.h"
#include "Language.h"
#include "Main.h"
#include "Settings.h"
#include "SettingsIni.h"
#include "ind.h"
#include "xaLanguageUni.h"
#include "xaModul.h"
#include "xaFontDialog.h"
#include "xaShell.h"
#include "xaShellDialog.h"
#include "xaY.h"

#include <commctrl.h>

#include <memory>
#include <optional>

TCommandLine CmdLine;

namespace {
std::unique_ptr<TFormSettings> gFormSettings;

// The settings window works on the main window's parts; it is made when
// first used, and then takes what the program put on it until then.
TFormSettings* formSettingsCreate()
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
    m.FontApply = [form = &f](const TFont& font) { Font_Apply(*form, font); };
    m.ColorsApply = [form = &f] { Colors_Apply(*form); };
    m.LanguageApply = Lng_LoadAndSet;
    gFormSettings = std::make_unique<TFormSettings>(nullptr, m);
    TFormSettings& s = *gFormSettings;
    // The start's order: the texts fitted in the design font, then the
    // spread font, each fitted as it came.
    s.Language_Set();
    s.Font_Fit();
    if (const TFont* font = Font_Spread()) {
        s.Font_Take(*font);
        s.Font_Fit();
    }
    return &s;
}

void startWithoutSettings(TForm1& f)
{
    Lng_App_Set();
    Font_Apply(f, f.Font);
    // Set to the opposite and executed: each ends in its design state with its handler run once.
    for (TAction* a : {f.Act_FontTransparent, f.Act_Set_ExecuteByDblClick}) {
        a->Checked = !a->Checked;
        a->Execute();
    }
}

// What settings.ini gave, put on the windows in the order the start has
// always followed: the language first, then font and colours, the icons base,
// the options.
void startFromSettings(TForm1& f, const TSettingsValues& v, const TFont& font)
{
    // A language file that cannot be read is told, and the start goes on in
    // English: the settings after it are the user's and must still be put in
    // place, or the close would write the defaults over them.
    String language = Path_Expand(v.Language);
    bool translated = false;
    if (!language.empty() && FileExists(language)) Application.Guard([&] {
        Lng_Load(language, Lng_LoadAndSet);
        translated = true;
    });
    if (!translated) Lng_App_Set();

    f.Font.Assign(font);
    f.SetColor((TColor)v.ColorForm);
    f.FrElm->LVS->SetColor((TColor)v.ColorList);
    f.FrIco->LVS->SetColor((TColor)v.ColorList);
    Font_Apply(f, f.Font);
    Colors_Apply(f);

    IcoBaza_Text_Set(v.IcoBaza);
    String baza = IcoBaza_Get();
    if (!DirectoryExists(baza)) {
        Y_Show(L"Отсутвует папка \"Избранные иконки\":\r\n" + baza + L"\r\nУстановите её в настройках заново", L"", -1,
               true);
        IcoBaza_Text_Set(IcoFolder_Get(true));
    }

    f.Act_Iconize_CopyIco->Checked = v.IconizeCopyIco;
    f.Act_Iconize_CopyIco->Change();
    SplitMain = (uint8_t)v.SplitMain;
    SplitSpec = v.SplitSpec;

    TAction& hidden = *f.FrElm->ActHideVisible;
    hidden.Checked = !v.ElmHideVisible;
    hidden.Execute();
    for (auto [action, stored] : {std::pair{f.Act_FontTransparent, v.FontTransparent},
                                  std::pair{f.Act_Set_ExecuteByDblClick, v.ExecuteByDblClick}}) {
        action->Checked = !stored;
        action->Execute();
    }
}

// Mode 1: the element pane opens at the element's folder with the element selected.
void selectElement(TForm1& form, const String& element)
{
    TxaShellListView& lvs = *form.FrElm->LVS;
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
    case 1: selectElement(*Form1, CmdLine.Element); break;
    default: break;
    }
    return -1;
}
}  // namespace

namespace {
std::optional<TOleScope> gOle;
std::unique_ptr<TForm1> gForm1;
}  // namespace

int Program_Start(const std::vector<String>& args)
{
    CmdLine = CommandLine_Parse(args);
    Application.Title = L"Dolv";
    // Mode 0 shows nothing and writes no settings: the windows, the panes'
    // listings and the language load would only cost its caller time.
    if (CmdLine.Given && CmdLine.Mode == 0) return iconizeElement() ? 0 : 1;
    // Each pane is set several times below (the window's defaults, then the
    // stored settings); it lists only its last folder.
    TxaShellListView::TListingDeferral listings;
    // Drag and drop, shell links and auto-complete need OLE while windows are up.
    gOle.emplace();
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    gForm1 = std::make_unique<TForm1>(nullptr);
    Form1 = gForm1.get();
    Application.MainForm = Form1;
    Form1->OnSessionEnd = Program_SessionEnd;
    FormSettings.SetMaker(formSettingsCreate);

    Form1->FrElm->LVS->SetPath(L"");
    Form1->FrElm->LVS->SetViewStyle(vsReport);
    Form1->FrIco->LVS->SetPath(IcoFolder_Get(false));
    Form1->FrIco->LVS->SetViewStyle(vsIcon);
    IcoBaza_Text_Set(IcoFolder_Get(true));

    // A failing step is told by the default handler; the start goes on.
    Application.Guard([] {
        TForm1& f = *Form1;
        // The defaults of the keys that have no fixed one: the windows' state now.
        TSettingsValues v = f.SettingsValues();
        v.IcoBaza = IcoFolder_Get(false);
        TFont font;  // the main window's, with the stored keys
        font.Assign(f.Font);
        v.Font = &font;
        TSettingsParts parts = f.SettingsParts();
        if (Settings_Load(v, parts))
            startFromSettings(f, v, font);
        else
            startWithoutSettings(f);
    });

    Application.Guard([] {
        TAction& menu = *Form1->Act_Set_IntegrateinShellContexMenu;
        menu.Checked = Shell_VerbExists(L"Folder", Prog_Name, ShellMenu_Command());
        menu.Change();
    });
    // The panes are listed at the size they will show at: an icon view is
    // then arranged once.
    Form1->SizeForShow();
    Application.Guard([&] { listings.End(); });

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
    FormSettings.Forget();
    gFormSettings.reset();
    Form1 = nullptr;
    gForm1.reset();
    gOle.reset();
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
