// The settings window and its language chooser in the started program, in a
// program folder of their own with a copy of the shipped Language folder.
#include "IniFiles.h"
#include "Language.h"
#include "LanguageTexts.h"
#include "ShellDoor.h"
#include "ShellMenuSwitch.h"
#include "Main.h"
#include "Program.h"
#include "Settings.h"
#include "WindowDriver.h"
#include "xaLanguageUni.h"
#include "xaFontDialog.h"
#include "xaModul.h"

namespace {
// Russian.lng with one key left out, a text file and a hidden file beside it.
struct TSettingsStart {
    std::string shipped = ReadFileBytes(Prog_Dir() + L"..\\Language\\Russian.lng"), lacking;
    TTempDir dir;
    TProgDirOverride prog{dir.Path() + L"\\"};
    String lng = dir / L"Language\\Russian.lng";
    TModalRecorder boxes;
    TSettingsStart()
    {
        CreateDirectoryW((dir / L"Language").c_str(), nullptr);
        size_t at = shipped.find("Set_Font="), end = shipped.find("\r\n", at) + 2;
        lacking = shipped.substr(0, at) + shipped.substr(end);
        WriteFileBytes(lng, lacking);
        WriteFileBytes(dir / L"Language\\readme.txt", "notes");
        WriteFileBytes(dir / L"Language\\hidden.lng", "Set=x");
        SetFileAttributesW((dir / L"Language\\hidden.lng").c_str(), FILE_ATTRIBUTE_HIDDEN);
        Program_Start({L"dolv.exe"});
    }
    ~TSettingsStart()
    {
        SetFileAttributesW(lng.c_str(), FILE_ATTRIBUTE_NORMAL);
        Program_End();
    }
    // What the list tells its window when the user picks an entry.
    void choose(const String& entry)
    {
        TComboBox& cb = *FormSettings->FrLang->cb;
        cb.SetItemIndex(cb.IndexOf(entry));
        SendMessageW(GetParent(cb.Handle()), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(cb.Handle()), CBN_SELCHANGE),
                     (LPARAM)cb.Handle());
    }
    String stored() { return TIniFile(Settings_FileName()).ReadString(L"Settings", L"Language", L"?"); }
};

void chooseLanguages()
{
    TSettingsStart s;
    TFormSettings& f = *FormSettings;
    ASSERT_EQ(f.FrLang->cb->Count(), 3);
    EXPECT_EQ(f.FrLang->cb->Items(f.FrLang->cb->ItemIndex()), LngComboBox_BuiltIn);
    s.choose(L"readme");
    EXPECT_EQ(s.stored(), L"?");
    s.choose(L"Russian");
    EXPECT_EQ(N(Form1->Act_Set_Settings->Caption), N(L"Настройки"));
    EXPECT_EQ(N(f.Caption()), N(L"Настройки"));
    EXPECT_EQ(N(f.labBaza->Caption()), N(L"База иконок:"));
    EXPECT_EQ(N(f.ch_SetExecuteByDblClick->Caption()), N(L"Открывать файлы двойным щелчком мыши"));
    EXPECT_EQ(N(f.btnFont->Caption()), "Font");
    EXPECT_EQ(N(Form1->FrSpec1->lbElm->Caption()), N(L" Элементы для назначения иконки"));
    EXPECT_EQ(ReadFileBytes(s.lng), s.lacking + "[Untranslated]\r\nSet_Font=\r\n");
    EXPECT_EQ(s.stored(), L"Language\\Russian.lng");
    {
        String opened;
        TShellDoorScope door([&](const TShellExecuteRequest& r) { return opened = r.File, true; });
        f.FrLang->pmOpenFile->Click();
        EXPECT_EQ(N(opened), N(s.lng));
    }
    // The active language again reads and writes nothing.
    WriteFileBytes(s.lng, s.lacking);
    s.choose(L"Russian");
    EXPECT_EQ(ReadFileBytes(s.lng), s.lacking);
    s.choose(LngComboBox_BuiltIn);
    EXPECT_TRUE(f.FrLang->klb->Visible());
    EXPECT_EQ(s.stored(), L"");
    EXPECT_EQ(Lng_Path, L"");
    EXPECT_EQ(N(f.Caption()), N(L"Настройки"));
    // A file another program holds is told and changes nothing; the chooser
    // goes back, so that the same choice loads it once it is free.
    {
        TFileHandle held(CreateFileW(s.lng.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        s.choose(L"Russian");
    }
    EXPECT_EQ(s.boxes.Seen.size(), 1u);
    EXPECT_EQ(N(Lng_Path + L"|" + s.stored()), "|");
    EXPECT_EQ(f.FrLang->cb->ItemIndex(), 0);
    EXPECT_TRUE(f.FrLang->klb->Visible());
    // A file that may not be written stays as it is, and its texts still apply.
    WriteFileBytes(s.lng, s.shipped);
    SetFileAttributesW(s.lng.c_str(), FILE_ATTRIBUTE_READONLY);
    Form1->Act_Set_Settings->Caption = L"x";
    s.choose(L"Russian");
    EXPECT_FALSE(f.FrLang->klb->Visible());
    EXPECT_EQ(N(Form1->Act_Set_Settings->Caption), N(L"Настройки"));
    EXPECT_EQ(ReadFileBytes(s.lng), s.shipped);
    EXPECT_EQ(s.boxes.Seen.size(), 1u);
    f.Show();
    Ui_Shot(f.Handle(), L"settings");
    bool transparent = Form1->Act_FontTransparent->Checked;
    Ui_Click(f.chTFontTransparent->Handle());
    EXPECT_NE(Form1->Act_FontTransparent->Checked, transparent);
    // The restart link closes the main window, which keeps the settings window's placement.
    f.SetBounds(50, 60, 700, 600);
    s.choose(LngComboBox_BuiltIn);
    Ui_Click(f.FrLang->klb->Handle());
    EXPECT_TRUE(Application.Terminated());
    EXPECT_EQ(TIniFile(Settings_FileName()).ReadInteger(L"FormSettings", L"Left", 0), 50);
}

// What of a control's text does not show: its caption measured in its font
// (a check box's glyph and gap besides; the letters' height without the
// font's leading) against its client rectangle.
std::string cutText(TControl& c)
{
    RECT client;
    GetClientRect(c.Handle(), &client);
    HDC dc = GetDC(c.Handle());
    HGDIOBJ old = SelectObject(dc, c.Font.Handle());
    SIZE size{0, 0};
    GetTextExtentPoint32W(dc, c.Caption().c_str(), (int)c.Caption().size(), &size);
    TEXTMETRICW tm;
    GetTextMetricsW(dc, &tm);
    ReleaseDC(c.Handle(), (SelectObject(dc, old), dc));
    size.cx += dynamic_cast<TCheckBox*>(&c) ? GetSystemMetrics(SM_CXMENUCHECK) + 4 : 0;
    size.cy -= tm.tmInternalLeading;
    if (size.cx <= client.right && size.cy <= client.bottom) return "";
    return N(c.Name) + " needs " + std::to_string(size.cx) + "x" + std::to_string(size.cy) + ", has " +
           std::to_string(client.right) + "x" + std::to_string(client.bottom);
}

// Visible controls that share a window: none overlaps another, and each lies
// inside its parent's client area and the window's.
void expectApart(const std::vector<TControl*>& controls, const std::string& at)
{
    for (size_t i = 0; i < controls.size(); ++i) {
        HWND a = controls[i]->Handle();
        RECT ra, rb, out;
        if (!IsWindowVisible(a) || !GetWindowRect(a, &ra)) continue;
        for (HWND room : {GetParent(a), GetAncestor(a, GA_ROOT)}) {
            GetClientRect(room, &rb);
            MapWindowPoints(room, nullptr, (POINT*)&rb, 2);
            EXPECT_TRUE(IntersectRect(&out, &ra, &rb) && EqualRect(&out, &ra)) << at << N(controls[i]->Name) << " sticks out";
        }
        for (size_t j = i + 1; j < controls.size(); ++j)
            if (IsWindowVisible(controls[j]->Handle()) && GetWindowRect(controls[j]->Handle(), &rb)) {
                EXPECT_FALSE(IntersectRect(&out, &ra, &rb)) << at << N(controls[i]->Name) << " on " << N(controls[j]->Name);
            }
    }
}

// Both shipped languages at the smallest and the largest font size the
// program spreads, the main window at its narrowest. The Russian texts come
// while the font is large, as a language chosen at any size does; a language
// file's longer texts come last.
void fitTexts()
{
    TSettingsStart s;
    TFormSettings& f = *FormSettings;
    TForm1& m = *Form1;
    m.SetWindowState(wsNormal);
    m.Show();
    m.SetBounds(0, 0, m.Constraints.MinWidth, m.Constraints.MinHeight);
    f.Show();
    s.choose(LngComboBox_BuiltIn);  // shows the restart link
    const struct {
        const wchar_t* Language;
        int Size;
        const wchar_t* Longer;
    } cases[] = {{L"English", 8, nullptr}, {L"English", 20, nullptr}, {L"Russian", 20, nullptr},
                 {L"Russian", 8, nullptr}, {L"Russian", 20, L"Копировать файл иконки в иконизируемую папку"}};
    for (const auto& c : cases) {
        if (c.Language == String(L"Russian")) s.choose(c.Language);
        if (c.Longer) {
            Language::Iconize_CopyIco = c.Longer;
            Language::Set_ExecuteByDblClick = String(c.Longer) + L" " + c.Longer;
            Lng_App_Set();
        }
        TFont font;
        font.Assign(m.Font);
        font.SetSize(c.Size);
        if (c.Size != m.Font.Size()) Font_Apply(m, font);
        std::string at = N(c.Language) + " " + std::to_string(c.Size) + ": ";
        EXPECT_EQ(f.labBaza->Font.Height(), f.Font.Height()) << at << "the grey labels take the size";
        for (TControl* text : std::initializer_list<TControl*>{f.FrLang->lb, f.FrLang->klb, f.ch_ExplorerContexMenu,
                                                               f.ch_SetExecuteByDblClick, f.chTFontTransparent,
                                                               f.labCtrlWheel, f.labBaza, m.ch_CopyIco})
            if (IsWindowVisible(text->Handle())) {
                EXPECT_EQ(cutText(*text), "") << at;
            }
        expectApart({f.FrLang->lb, f.FrLang->cb, f.FrLang->klb, f.ch_ExplorerContexMenu, f.ch_SetExecuteByDblClick,
                     f.chTFontTransparent, f.btnFont, f.labCtrlWheel, f.btnColor_Form1, f.btnColor_List,
                     f.btnResetToDefault, f.labBaza, f.edBaza, f.btnBaza},
                    at);
        expectApart({m.btnClear, m.TB, m.ch_CopyIco, m.btnIconize, m.MM}, at);
    }
}

}  // namespace

TEST(SettingsWindowDeathTest, LanguagesTranslateBothWindowsAtOnceAndRewriteTheirFile) { InOwnProcess(chooseLanguages); }

TEST(SettingsWindowDeathTest, EveryTextShowsWholeAndNothingOverlapsAtEveryFontSize) { InOwnProcess(fitTexts); }

TEST(SettingsWindow, ReloadListsWhatTheLanguageFolderHoldsNow)
{
    TSettingsStart s;
    TFrLanguageComboBox& lang = *FormSettings->FrLang;
    auto entries = [&] {
        String t;
        for (int i = 0; i < lang.cb->Count(); ++i) t += lang.cb->Items(i) + L"|";
        return N(t);
    };
    DeleteFileW((s.dir / L"Language\\readme.txt").c_str());
    lang.pmReload->Click();
    EXPECT_EQ(entries(), N(LngComboBox_BuiltIn + L"|Russian|"));
    for (const wchar_t* name : {L"Language\\Russian.lng", L"Language\\hidden.lng"}) {
        SetFileAttributesW((s.dir / name).c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW((s.dir / name).c_str());
    }
    ASSERT_TRUE(RemoveDirectoryW((s.dir / L"Language").c_str()));
    lang.pmReload->Click();
    EXPECT_EQ(entries(), N(LngComboBox_BuiltIn + L"|"));
    EXPECT_EQ(lang.cb->ItemIndex(), 0);
}

TEST(SettingsWindow, ColoursAndResetChangeTheMainWindowEscCloses)
{
    TSettingsStart s;
    TFormSettings& f = *FormSettings;
    TForm1& m = *Form1;
    m.SetColor((TColor)0x445566);  // as a stored colour comes after the window is made
    f.Show();
    EXPECT_EQ(f.btnColor_Form1->SymbolColor(), (TColor)0x445566);
    {
        TModalResponderScope door([](const TModalRequest&) { return TModalAnswer{IDOK, L"$00123456", {}}; });
        Ui_Click(f.btnColor_Form1->Handle());
        Ui_Click(f.btnColor_List->Handle());
    }
    EXPECT_EQ(m.Color(), (TColor)0x123456);
    EXPECT_EQ(m.FrElm->LVS->Color(), (TColor)0x123456);
    EXPECT_EQ(m.FrIco->LVS->Color(), (TColor)0x123456);
    bool options[] = {m.Act_FontTransparent->Checked, m.Act_Set_ExecuteByDblClick->Checked};
    Ui_Click(f.btnResetToDefault->Handle());
    EXPECT_EQ(m.Color(), (TColor)0x86B6D2);
    EXPECT_EQ(m.FrIco->LVS->Color(), (TColor)0xF7FCFD);
    EXPECT_EQ(f.btnColor_List->SymbolColor(), (TColor)0xF7FCFD);
    EXPECT_EQ(N(m.FrElm->LVS->Font.Name()) + " " + std::to_string(m.FrElm->LVS->Font.Size()), "Tahoma 11");
    EXPECT_EQ(m.Act_FontTransparent->Checked, options[0]);
    EXPECT_EQ(m.Act_Set_ExecuteByDblClick->Checked, options[1]);
    f.Hide();
    TModalDriver esc(L"TFormSettings", [](HWND) { Ui_Key(VK_ESCAPE); });
    EXPECT_EQ(f.ShowModal(), mrCancel);
}

// F12 the first time shows the window centred; moved and closed, it comes
// back where the user left it, and the program's close stores that place.
TEST(SettingsWindow, AMovedWindowComesBackWhereItWasLeftAndTheCloseStoresIt)
{
    TSettingsStart s;
    std::vector<RECT> shown;
    TModalDriver f12(L"TFormSettings", [&](HWND w) {
        RECT r{};
        GetWindowRect(w, &r);
        shown.push_back(r);
        if (shown.size() == 1) SetWindowPos(w, nullptr, r.left - 50, r.top + 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        Ui_Key(VK_ESCAPE);
    });
    for (int i = 0; i < 2; ++i) Form1->Act_Set_Settings->Execute();
    ASSERT_EQ(shown.size(), 2u);
    const RECT &first = shown[0], &again = shown[1];
    EXPECT_EQ(first.left, (GetSystemMetrics(SM_CXSCREEN) - (first.right - first.left)) / 2) << "centred at first";
    EXPECT_EQ(again.left, first.left - 50);
    EXPECT_EQ(again.top, first.top + 30);
    bool close = true;
    Form1->FormCloseQuery(Form1, close);
    TIniFile ini(Settings_FileName());
    EXPECT_EQ(ini.ReadInteger(L"FormSettings", L"Left", -1), (int)again.left);
    EXPECT_EQ(ini.ReadInteger(L"FormSettings", L"Top", -1), (int)again.top);
}

// The settings window stays on top: each window it opens must stand above it
// (owned by the window it is opened from), or the user sees a disabled window
// and nothing else.
TEST(SettingsWindow, WindowsOpenedFromItStandAboveIt)
{
    TSettingsStart s;
    struct TRestore {
        bool (*admin)() = ShellMenu_IsAdmin;
        ~TRestore() { ShellMenu_IsAdmin = admin; }
    } restore;
    ShellMenu_IsAdmin = [] { return false; };  // the message box that tells so
    TFormSettings& f = *FormSettings;
    f.Show();
    std::vector<String> seen;
    TModalResponderScope door([&](const TModalRequest& r) {
        return TModalAnswer{IDCANCEL, L"", [&, kind = r.Kind](HWND w) {
            // Our own windows are on top with their owner; the platform's dialogs are its business.
            TControl* owner = TControl::FromHandle(GetWindow(w, GW_OWNER));
            bool onTop = TControl::FromHandle(w) && (GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_TOPMOST);
            seen.push_back(kind + L" over " + (owner ? owner->Name : L"?") + (onTop ? L" on top" : L""));
            if (kind == L"TFormFont") Ui_Key('K', ssCtrl);  // its colour dialog
        }};
    });
    for (TControl* opener : std::initializer_list<TControl*>{f.btnFont, f.btnBaza, f.btnColor_List, f.ch_ExplorerContexMenu})
        Ui_Click(opener->Handle());
    // The built-in English cannot be written where settings.ini is a folder: the default handler's box.
    DeleteFileW(Settings_FileName().c_str());
    CreateDirectoryW(Settings_FileName().c_str(), nullptr);
    s.choose(LngComboBox_BuiltIn);
    RemoveDirectoryW(Settings_FileName().c_str());
    EXPECT_EQ(seen, (std::vector<String>{L"TFormFont over FormSettings on top", L"TColorDialog over FormFont",
                                         L"TFormXaShellDialog over FormSettings on top",
                                         L"TColorDialog over FormSettings", L"TFormY over FormSettings on top",
                                         L"MessageBox over FormSettings"}));
    // Closed, it is back with the owner it was made with, and off the top; the settings window stays there.
    EXPECT_EQ(GetWindow(FormFont->Handle(), GW_OWNER), Form1->Handle());
    EXPECT_FALSE(GetWindowLongPtrW(FormFont->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(GetWindowLongPtrW(f.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

// Reload lists the folder anew, a new file in it too, and keeps the language
// in use selected; it loads nothing and shows no restart link.
// The language is loaded for the whole process: the test runs in one of its own.
TEST(SettingsWindowDeathTest, ReloadKeepsTheLanguageInUseSelected)
{
    InOwnProcess([] {
        TSettingsStart s;
        Lng_Load(s.lng, Lng_LoadAndSet);
        ASSERT_EQ(Lng_Path, s.lng);
        WriteFileBytes(s.dir / L"Language\\Armenian.lng", "Set=x");
        const std::string loaded = ReadFileBytes(s.lng);
        String selected;
        bool restartLink = true;
        TModalDriver settings(L"TFormSettings", [&](HWND) {
            TFrLanguageComboBox& lang = *FormSettings->FrLang;
            lang.pmReload->Click();
            selected = lang.cb->Items(lang.cb->ItemIndex());
            restartLink = lang.klb->Visible();
            Ui_Key(VK_ESCAPE);
        });
        Form1->Act_Set_Settings->Execute();
        EXPECT_EQ(N(selected), "Russian");
        EXPECT_FALSE(restartLink);
        EXPECT_EQ(Lng_Path, s.lng);
        EXPECT_EQ(ReadFileBytes(s.lng), loaded);
        EXPECT_TRUE(s.boxes.Seen.empty());
    });
}
