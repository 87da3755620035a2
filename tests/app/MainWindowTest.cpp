// The main window driven in this process: the program's start with command
// lines and settings.ini files in the test program's folder (the program
// folder here), then the window worked with the wheel, the splitter and fonts.
#include "IconizeTestSupport.h"
#include "IniFiles.h"
#include "Language.h"
#include "LanguageTexts.h"
#include "Main.h"
#include "Program.h"
#include "Registry.h"
#include "Settings.h"
#include "WindowDriver.h"
#include "xaFontDialog.h"
#include "xaIconize.h"
#include "xaModul.h"
#include "xaShellDialog.h"

#include <cmath>

namespace {

// settings.ini beside the test program for one start, removed afterwards;
// the main window is freed with it.
struct TStart {
    explicit TStart(const char* settings, std::vector<String> args = {L"dolv.exe"})
    {
        DeleteFileW(Settings_FileName().c_str());
        if (settings) WriteFileBytes(Settings_FileName(), settings);
        Code = Program_Start(args);
    }
    ~TStart()
    {
        Program_End();
        DeleteFileW(Settings_FileName().c_str());
    }
    int Code;
    TModalRecorder Boxes;
};

String Selected()
{
    TListItem* row = Form1->FrElm->LVS->Selected();
    return row ? row->Caption : L"<none>";
}

// The program's keys are read in their order; those missing, shown or not,
// head the Untranslated section the file gains, made anew.
TEST(MainWindow, LanguageFileGivesTheProgramsTexts)
{
    TTempDir dir;
    WriteFileBytes(dir / L"ru.lng", "\xEF\xBB\xBFIconize_De=\xD0\x9E\xD1\x87\xD0\xB8\xD1\x81\xD1\x82\xD0\xB8\xD1\x82\xD1\x8C\r\n"
                                     "[Untranslated]\r\nIconize_De=\r\n");
    String before = Language::Iconize_De;
    Lng_ReadFile(dir / L"ru.lng");
    EXPECT_EQ(N(Language::Iconize_De), "\xD0\x9E\xD1\x87\xD0\xB8\xD1\x81\xD1\x82\xD0\xB8\xD1\x82\xD1\x8C");
    Language::Iconize_De = before;
    std::string text = ReadFileBytes(dir / L"ru.lng");
    EXPECT_NE(text.find("[Untranslated]\r\nSet=\r\nSet_Font=\r\nSet_ColorForm=\r\nSet_ColorList=\r\nSet_ResetToDefault=\r\n"
                        "Set_Associate=\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Iconize_CopyIco=\r\nIconize_Type=\r\nElm_NotSelect_OnIconize="), std::string::npos);
    EXPECT_NE(text.find("Ico_CopyToFolder=\r\nico_Index=\r\n"), std::string::npos);
}

TEST(MainWindow, CommandLineSelectsOrIconizesTheElement)
{
    TTempDir dir;
    String folder = dir / L"2020", ico = ExtractFilePath(ExcludeTrailingPathDelimiter(Prog_Dir())) + L"icons\\folder.ico";
    CreateDirectoryW(folder.c_str(), nullptr);
    WriteFileBytes(dir / L"readme", "x");
    struct TCase {
        std::vector<String> Args;
        String Path, Selected;
        bool Iconized;
    } cases[] = {
        {{L"dolv", L"1", folder}, dir.Path(), L"2020", false},
        {{L"dolv", L"1", dir / L"readme"}, dir.Path(), L"readme", false},
        {{L"dolv", L"1", dir / L"gone"}, dir.Path(), L"<none>", false},
        {{L"dolv", folder}, dir.Path(), L"2020", false},  // a folder dropped onto the program
        {{L"dolv", L"2", folder, ico, L"0", L"0"}, L"", L"<none>", true},
        {{L"dolv", L"3", folder, ico, L"0", L"0"}, L"", L"<none>", false},
        {{L"dolv", L"-1", folder, ico, L"0", L"0"}, L"", L"<none>", false},
    };
    for (const TCase& c : cases) {
        TStart start(nullptr, c.Args);
        EXPECT_EQ(start.Code, -1);
        EXPECT_EQ(N(ExcludeTrailingPathDelimiter(Form1->FrElm->LVS->Path())), N(c.Path)) << N(c.Args[1]);
        EXPECT_EQ(N(Selected()), N(c.Selected)) << N(c.Args[1]);
        EXPECT_EQ(FileExists(folder + L"\\Desktop.ini"), c.Iconized) << N(c.Args[1]);
        EXPECT_TRUE(start.Boxes.Seen.empty()) << N(c.Args[1]);
        Iconize_Clear_Folder(folder, true);
    }
    // The Explorer entry's own command, for a drive root and a folder given
    // with its backslash, read as the program reads its command line.
    auto explorer = [](const String& item) {
        String command = ShellMenu_Command();
        return CommandLine_Split(command.replace(command.find(L"%1"), 2, item));
    };
    for (const String& item : {String(L"C:\\"), folder + L"\\"}) {
        TStart start(nullptr, explorer(item));
        bool drive = item.size() == 3;
        EXPECT_EQ(N(ExcludeTrailingPathDelimiter(Form1->FrElm->LVS->Path())), N(drive ? L"" : dir.Path()));
        EXPECT_EQ(N(Selected().substr(0, drive ? 2 : String::npos)), N(drive ? L"C:" : L"2020"));
    }
    {
        TRegSnapshot keep(HKEY_CLASSES_ROOT, {L"Applications\\Explorer.exe\\Drives\\Q"});
        TStart start(nullptr, CommandLine_Split(L"dolv \"2\" \"Q:\\\" \"" + ico + L"\" \"0\""));
        TRegistry reg(KEY_READ);
        reg.RootKey = HKEY_CLASSES_ROOT;
        reg.OpenKeyReadOnly(L"Applications\\Explorer.exe\\Drives\\Q\\DefaultIcon");
        EXPECT_EQ(N(reg.ReadString(L"")), N(ico + L",0")) << "mode 2 with a drive root";
        reg.CloseKey();
        Iconize_Clear_Drive(L"Q");
    }
    // ".." is a path, the program folder's parent; a type-like text stays as written.
    String parent = Path_Parent(ExcludeTrailingPathDelimiter(Prog_Dir()), false);
    EXPECT_EQ(N(CommandLine_Parse({L"dolv", L"0", L".."}).Element), N(IncludeTrailingPathDelimiter(parent)));
    EXPECT_EQ(N(CommandLine_Parse({L"dolv", L"0", L"..."}).Element), "...");
    // A folder and an icon on a share are full paths, their steps carried out
    // below the share, which is their root.
    TCommandLine share = CommandLine_Parse({L"dolv", L"0", L"\\\\srv\\a\\..\\b", L"\\\\srv\\s\\..\\..\\i.ico"});
    EXPECT_EQ(N(share.Element + L"|" + share.IcoFile), "\\\\srv\\a\\b|\\\\srv\\s\\i.ico");
}

TEST(MainWindow, SettingsGiveTheStartValues)
{
    struct TCase {
        const char* Settings;
        int SplitMain, FontSize;
        bool Options, CopyIco;  // transparent names; a double click runs a file in either pane
    } cases[] = {
        {nullptr, 50, 11, true, true},
        {"", 42, 11, true, true},
        {"[Settings]\r\nSplitMain=300\r\nIconizeCopyIco=0\r\n", 44, 11, true, false},
        {"[Settings]\r\nFontSize=14\r\n[Font]\r\nAll.Size=10\r\n", 42, 10, true, true},
        {"[Settings]\r\nFontTransparent=0\r\nExecuteByDblClick=0\r\n", 42, 11, false, true},
    };
    for (const TCase& c : cases) {
        TStart start(c.Settings);
        String what = c.Settings ? FromUtf8(c.Settings) : L"no settings.ini";
        EXPECT_EQ(SplitMain, c.SplitMain) << N(what);
        EXPECT_EQ(Form1->Font.Size(), c.FontSize) << N(what);
        EXPECT_EQ(Form1->FrIco->LVS->Font.Size(), c.FontSize) << N(what);
        EXPECT_EQ(Form1->Act_FontTransparent->Checked, c.Options) << N(what);
        EXPECT_EQ(Form1->FrElm->LVS->ExecuteFile() + Form1->FrIco->LVS->ExecuteFile(), c.Options ? 2 : 0) << N(what);
        EXPECT_EQ(Form1->Act_Iconize_CopyIco->Checked, c.CopyIco) << N(what);
        EXPECT_TRUE(start.Boxes.Seen.empty()) << N(what);
    }
    TStart first(nullptr);
    EXPECT_EQ(N(Form1->Caption()), "Dolv 2021.11");
    EXPECT_EQ(N(Form1->Act_Iconize_De->Caption), "Clear ico") << "the built-in English";
    EXPECT_EQ(Form1->FrElm->LVS->ViewStyle(), vsReport);
    EXPECT_EQ(N(Form1->FrElm->LVS->Path()), "");
    EXPECT_EQ(Form1->FrIco->LVS->ViewStyle(), vsIcon);
    EXPECT_EQ(N(ExcludeTrailingPathDelimiter(Form1->FrIco->LVS->Path())), N(ExcludeTrailingPathDelimiter(Prog_Dir())));
    {  // each key read from its own section and written back there
        TStart own("[Settings]\r\nSplitMain=30\r\nSplitSpec=70\r\nFontTransparent=0\r\nExecuteByDblClick=1\r\n"
                   "[Colors]\r\nForm1=1\r\nList=2\r\n[elmLVS]\r\nPath=C:\\windows\r\nHideVisible=0\r\n"
                   "[icoLVS]\r\nPath=C:\\windows\\system32\r\n");
        EXPECT_EQ(Form1->FrIco->LVS->Color(), (TColor)2);
        bool close = true;
        Form1->FormCloseQuery(Form1, close);
        auto key = [](const wchar_t* section, const wchar_t* k) {
            return N(TIniFile(Settings_FileName()).ReadString(section, k, L"-")) + "|";
        };
        EXPECT_EQ(key(L"Settings", L"SplitMain") + key(L"Settings", L"SplitSpec") + key(L"Settings", L"FontTransparent") +
                      key(L"Settings", L"ExecuteByDblClick") + key(L"Colors", L"Form1") + key(L"Colors", L"List") +
                      key(L"elmLVS", L"Path") + key(L"elmLVS", L"HideVisible") + key(L"icoLVS", L"Path"),
                  "30|70|0|1|1|2|C:\\windows|0|C:\\windows\\system32|");
    }
    TStart big("[Font]\r\nAll.Size=25\r\n");
    EXPECT_EQ(Form1->Font.Size(), 25);
    EXPECT_NE(Form1->FrIco->LVS->Font.Size(), 25) << "a size past 20 is not spread";
}

// A start that shows maximized lists its panes at the size they show at:
// the window is at full size while still hidden, split as stored, and the
// show moves nothing in it; it still restores to the centred design size.
TEST(MainWindow, StartLaysThePanesOutAtTheSizeTheyShowAt)
{
    TStart start("[Settings]\r\nSplitMain=30\r\n");
    ASSERT_FALSE(IsWindowVisible(Form1->Handle()));
    EXPECT_GT(Form1->Width(), GetSystemMetrics(SM_CXSCREEN) - 20);
    TPanel& norm = *Form1->Panel_Norm;
    int room = norm.Width() - norm.Padding.Left - norm.Padding.Right - Form1->Split->Width();
    EXPECT_EQ(Form1->Panel_L->Width(), Int_Percent(30, room, Form1->Split->MinSize));
    int icons = Form1->FrIco->LVS->Width(), elements = Form1->FrElm->LVS->Width();
    Form1->Show();
    for (TFrExplorer* pane : {Form1->FrElm, Form1->FrIco})  // files dropped from the shell reach each pane
        EXPECT_TRUE(GetWindowLongPtrW(pane->LVS->Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES) << N(pane->Name);
    EXPECT_TRUE(IsZoomed(Form1->Handle()));
    EXPECT_EQ(Form1->FrIco->LVS->Width(), icons);
    EXPECT_EQ(Form1->FrElm->LVS->Width(), elements);
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    GetWindowPlacement(Form1->Handle(), &wp);
    EXPECT_LT(wp.rcNormalPosition.right - wp.rcNormalPosition.left, GetSystemMetrics(SM_CXSCREEN) - 20);
    Form1->Hide();
}

// A first run ended by the close or by the session's end (only its end
// writes, not the question before it) stores the close's keys, the main
// window centred where it restores to, the font dialog's edited example and
// the folder chooser's pane and place: all on disk before the windows go.
// The settings window and the special view's frame wait for their first use.
// Made then, each shows the texts and the font the program spread before; a
// settings window never made leaves its section of settings.ini as it was.
TEST(MainWindow, SettingsWindowAndSpecialFrameAreMadeOnFirstUse)
{
    const char* kept = "[FormSettings]\r\nLeft=7\r\nTop=8\r\nWidth=9\r\nHeight=10\r\n";
    {
        TStart start(kept);
        EXPECT_EQ(FormSettings.Made(), nullptr);
        EXPECT_EQ(Form1->FrSpec1.Made(), nullptr);
        bool close = true;
        Form1->FormCloseQuery(Form1, close);
        TStringList keys;
        TIniFile(Settings_FileName()).ReadSectionValues(L"FormSettings", keys);
        EXPECT_EQ(N(keys.Text()), "Left=7\r\nTop=8\r\nWidth=9\r\nHeight=10\r\n");
    }
    struct TTexts {
        String Set = Language::Set, Elm = Language::Elm_Iconized;
        ~TTexts() { Language::Set = Set, Language::Elm_Iconized = Elm; }
    } texts;
    TStart start("[Font]\r\nAll.Size=13\r\n");
    Language::Set = L"Настройки программы";
    Language::Elm_Iconized = L"Элементы";
    Lng_App_Set();
    TFont font;
    font.Assign(Form1->Font);
    font.SetSize(20);
    Font_Apply(*Form1, font);
    TFormSettings& settings = *FormSettings;
    EXPECT_EQ(N(settings.Caption()), N(Language::Set));
    EXPECT_EQ(settings.Font.Height(), font.Height());
    TFrSpec& spec = *Form1->FrSpec1;
    EXPECT_EQ(N(spec.lbElm->Caption()), N(L" Элементы"));
    EXPECT_EQ(spec.edIcoPath->Font.Size(), 20);
    EXPECT_GE(spec.edIcoPath->Height(), Text_Height(L"Wg", spec.edIcoPath->Font) + 6) << "the box fitted to the font";
    EXPECT_TRUE(GetWindowLongPtrW(spec.PanelElm->Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    EXPECT_TRUE(GetWindowLongPtrW(spec.PanelIco->Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
}

TEST(MainWindow, EndOfRunOrSessionStoresEverything)
{
    TTempDir dir;
    const String builtIn = xaFontDialog_Example;
    for (bool session : {false, true}) {
        TStart start(nullptr);
        TModalResponderScope door([&](const TModalRequest& r) {
            TModalAnswer a{IDCANCEL, L"", nullptr};
            if (r.Kind == L"TFormFont") a.Drive = [](HWND) {
                FormFont->fExample->SetFocus();
                FormFont->fExample->SelectAll();
                Ui_Type(L"Пример");
                Ui_Key(VK_RETURN, ssCtrl);
            };
            if (r.Kind == L"TFormXaShellDialog") a.Drive = [&](HWND) {
                FormXaShellDialog->fre->LVS->SetPath(dir.Path());
                Ui_Key(VK_ESCAPE);
            };
            return a;
        });
        TFont font;
        FontDialog_Execute(&font, [] {}, L"");
        String path;
        ShellDialog_SelectPath(path, L"", L"*");
        Form1->Show();
        HWND main = Form1->Handle();
        if (session) {
            EXPECT_TRUE(SendMessageW(main, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF));
            SendMessageW(main, WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);  // called off
            EXPECT_FALSE(FileExists(Settings_FileName()));
            SendMessageW(main, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
        } else {
            bool close = true;
            Form1->FormCloseQuery(Form1, close);
            Program_End();
        }
        auto read = [](const wchar_t* section, const wchar_t* key) {
            wchar_t v[256] = L"-";
            GetPrivateProfileStringW(section, key, L"-", v, 256, Settings_FileName().c_str());
            return String(v);
        };
        auto number = [&](const wchar_t* key) { return _wtoi(read(L"Form1", key).c_str()); };
        EXPECT_EQ(N(read(L"Settings", L"FontSize")), "11") << session;
        EXPECT_EQ(N(read(L"Settings", L"xaFontDialog_Example")), N(L"Пример")) << session;
        EXPECT_EQ(N(read(L"LVS_xaShellDialog", L"Path")), N(dir.Path())) << session;
        EXPECT_NE(N(read(L"FormXaShellDialog", L"Width")), "-") << session;
        EXPECT_EQ(N(read(L"Form1", L"Maximized")), "1") << session;
        EXPECT_EQ(number(L"Left"), (GetSystemMetrics(SM_CXSCREEN) - number(L"Width")) / 2) << session;
        EXPECT_EQ(number(L"Top"), (GetSystemMetrics(SM_CYSCREEN) - number(L"Height")) / 2) << session;
        if (session) {  // the example stored, a later end does not store it again
            DeleteFileW(Settings_FileName().c_str());
            Program_End();
            EXPECT_EQ(N(read(L"Settings", L"xaFontDialog_Example")), "-");
        }
        xaFontDialog_Example = builtIn;
    }
}

// Each key of the window (the help page's table) runs the window's own action
// with the focus in either pane: no pane, nor a menu of it that offers a
// command of the window, answers it.
TEST(MainWindow, WindowKeysRunTheirActionsFromEitherPane)
{
    TStart start("");
    Form1->Show();
    String ran;
    for (int i = 0; i < Form1->al->ActionCount(); ++i) {
        TAction* a = Form1->al->Actions(i);
        a->OnExecute = [&ran, a](TObject*) { ran += a->Name; };
    }
    const struct { WORD Key; TShiftState Shift; const wchar_t* Action; } keys[] = {
        {VK_RETURN, ssCtrl, L"Act_Iconize_Do"}, {VK_RETURN, ssShift, L"Act_Iconize_De"},
        {VK_F4, 0, L"Act_Iconize_CopyIco"}, {VK_TAB, ssCtrl, L"Act_IconizeType"},
        {VK_LEFT, ssCtrl, L"Act_ElmAdrLikeIco"}, {VK_RIGHT, ssCtrl, L"Act_IcoAdrLikeElm"},
        {'1', ssCtrl | ssShift, L"ActTemp"}, {'T', ssCtrl, L"Act_FontTransparent"},
        {'Q', ssAlt, L"Act_IcoBazaForElm"}, {'Q', ssCtrl | ssShift, L"Act_Baza_OpenNew"},
        {'Q', ssShift | ssAlt, L"Act_Baza_CurrentPathAsBaza"}, {VK_F12, 0, L"Act_Set_Settings"},
        {VK_F1, 0, L"Act_Program_About"}, {VK_F1, ssAlt, L"Act_Program_Help"},
        {VK_F12, ssCtrl | ssAlt, L"Act_Program_OpenInExplorer"}, {VK_F12, ssCtrl | ssShift, L"Act_Program_OpenSettingsIni"},
        {VK_RETURN, ssAlt, L"Act_Program_Maximize"}, {VK_F4, ssAlt, L"Act_Program_Close"}};
    for (TFrExplorer* pane : {Form1->FrElm, Form1->FrIco})
        for (const auto& k : keys) {
            pane->LVS->SetFocus();
            ran.clear();
            Ui_Key(k.Key, k.Shift);
            EXPECT_EQ(N(ran), N(k.Action)) << N(pane->Name);
        }
}

TEST(MainWindow, CtrlWheelAndFontSizes)
{
    TStart start("");
    Form1->Show();
    EXPECT_EQ(GetFocus(), Form1->FrElm->LVS->Handle()) << "the first show";
    auto wheel = [](int delta, bool ctrl) {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_CONTROL] = ctrl ? 0x80 : 0;
        SetKeyboardState(keys);
        PostMessageW(Form1->FrElm->LVS->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(ctrl ? MK_CONTROL : 0, delta), 0);
        Application.ProcessMessages();
        keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
        return Form1->Font.Size();
    };
    struct TCase {
        int From, Delta;
        bool Ctrl;
        int To;
    } cases[] = {{20, 120, true, 20}, {20, -120, true, 19}, {8, -120, true, 8}, {8, 120, true, 9}, {12, 120, false, 12}};
    for (const TCase& c : cases) {
        TFont f;
        f.Assign(Form1->Font);
        f.SetSize(c.From);
        Font_Apply(*Form1, f);
        EXPECT_EQ(wheel(c.Delta, c.Ctrl), c.To) << c.From << " " << c.Delta;
        EXPECT_EQ(Form1->FrElm->LVS->Font.Size(), c.To) << "spread to the panes";
    }
    for (int size : {7, 21}) {
        TFont f;
        f.Assign(Form1->Font);
        f.SetSize(size);
        Font_Apply(*Form1, f);
        EXPECT_EQ(Form1->Font.Size(), 12) << size;
        EXPECT_EQ(Form1->FrIco->ep->Font.Size(), 12) << size;
    }
    // A font's colour is the rows' text colour in both lists, at the start
    // and after every spreading.
    auto textColours = [] {
        return std::to_string(ListView_GetTextColor(Form1->FrElm->LVS->Handle())) + "|" +
               std::to_string(ListView_GetTextColor(Form1->FrIco->LVS->Handle()));
    };
    EXPECT_EQ(textColours(), "4868682|4868682") << "the design font's 0x4A4A4A";
    TFont red;
    red.Assign(Form1->Font);
    red.SetColor((TColor)0x0000C0);
    Font_Apply(*Form1, red);
    EXPECT_EQ(textColours(), "192|192");
}

TEST(MainWindow, SplitterFollowsDragAndResize)
{
    TStart start("");
    Form1->SetWindowState(wsNormal);
    Form1->SetClientSize(684, 460);
    Form1->Show();
    ASSERT_TRUE(Ui_WaitFor([] { return IsWindowVisible(Form1->Handle()); }));
    EXPECT_EQ(Form1->Panel_L->Width(), Int_Percent(42, Form1->Panel_Norm->Width() - 16 - 10, 100));
    int before = Form1->Panel_L->Width();
    HWND split = Form1->Split->Handle();
    SendMessageW(split, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(split, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(65, 5));
    SendMessageW(split, WM_LBUTTONUP, 0, MAKELPARAM(65, 5));
    EXPECT_EQ(Form1->Panel_L->Width(), before + 60);
    int room = Form1->Panel_Norm->Width() - 16;
    EXPECT_EQ(SplitMain, (int)std::nearbyint(100.0 / room * Form1->Split->Left()));
    Form1->SetClientSize(900, 460);
    ASSERT_TRUE(Ui_WaitFor([] { return Form1->Panel_Norm->Width() == 900; }));
    EXPECT_EQ(Form1->Panel_L->Width(), Int_Percent(SplitMain, 900 - 16 - 10, 100));
    SendMessageW(split, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(split, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-2000, 5));
    SendMessageW(split, WM_LBUTTONUP, 0, MAKELPARAM(-2000, 5));
    EXPECT_EQ(Form1->Panel_L->Width(), 100) << "the splitter's minimum";
}

}  // namespace

// Items cut in the icon pane and pasted into the element pane leave the
// icon pane's rows, a folder as a file; copied ones stay. A folder's name is
// whole, its dots included: v1.2 is no folder "v1" of type "2".
TEST(MainWindow, PasteOfCutItemsTakesTheirRowsFromThePaneTheyLeft)
{
    TStart start("");
    Form1->Show();
    TxaShellListView &ico = *Form1->FrIco->LVS, &elm = *Form1->FrElm->LVS;
    auto ids = [](const TxaShellListView& lv) {
        String s;
        for (int i = 0; i < lv.Items.Count(); ++i) s += lv.TeloID(i, L"") + L" ";
        return N(s);
    };
    for (bool cut : {false, true}) {
        TTempDir from, to;
        for (const wchar_t* d : {L"Sub", L"v1.2", L"node.js"}) CreateDirectoryW((from / d).c_str(), nullptr);
        for (const wchar_t* f : {L"Sub\\in.txt", L"v1.2\\in.txt", L"f.txt", L"stay.txt"}) WriteFileBytes(from / f, "x");
        ico.SetPath(from.Path());
        elm.SetPath(to.Path());
        ico.ClearSelection();
        for (const wchar_t* id : {L"Sub.*dir", L"v1.2.*dir", L"node.js.*dir", L"f.txt"}) ico.FindTeloID(id)->Selected = true;
        ico.SetFocus();
        Ui_Key(cut ? 'X' : 'C', ssCtrl);
        elm.SetFocus();
        Ui_Key('V', ssCtrl);
        EXPECT_EQ(ids(elm), "node.js.*dir Sub.*dir v1.2.*dir f.txt ") << cut;
        EXPECT_EQ(ids(ico), cut ? "stay.txt " : "node.js.*dir Sub.*dir v1.2.*dir f.txt stay.txt ");
        EXPECT_EQ(FileExists(from / L"Sub\\in.txt") + FileExists(from / L"v1.2\\in.txt") + FileExists(from / L"f.txt"),
                  cut ? 0 : 3);
        EXPECT_TRUE(FileExists(to / L"Sub\\in.txt"));
        EXPECT_TRUE(DirectoryExists(to / L"node.js"));
        EXPECT_EQ(start.Boxes.Seen.size(), 0u);
    }
}
