// The settings window and its language chooser in the started program, in a
// program folder of their own with a copy of the shipped Language folder.
#include "IniFiles.h"
#include "ShellDoor.h"
#include "Main.h"
#include "Program.h"
#include "Settings.h"
#include "WindowDriver.h"
#include "xaLanguageUni.h"
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

// A language load changes texts of the whole process: this runs in a process of its own.
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
}  // namespace

TEST(SettingsWindowDeathTest, LanguagesTranslateBothWindowsAtOnceAndRewriteTheirFile)
{
    EXPECT_EXIT(
        {
            chooseLanguages();
            // The child's failures reach the parent as its error output.
            const auto& result = *::testing::UnitTest::GetInstance()->current_test_info()->result();
            for (int i = 0; i < result.total_part_count(); ++i) fputs(result.GetTestPartResult(i).message(), stderr);
            exit(result.Failed() ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), "");
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
