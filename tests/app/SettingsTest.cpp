// The settings window and its language chooser on real windows, in a program
// folder of their own with a copy of the shipped Language folder.
#include "IniFiles.h"
#include "Main.h"
#include "Program.h"
#include "Settings.h"
#include "WindowDriver.h"
#include "xaLanguageUni.h"
#include "xaModul.h"

namespace {
struct SettingsFixture : ::testing::Test {
    String shipped = Prog_Dir() + L"..\\Language\\Russian.lng";  // the build's copy of dist
    TTempDir dir;
    TProgDirOverride prog{dir.Path() + L"\\"};
    TForm main{nullptr};
    TListView* elm = Ui_Add<TListView>(&main, 0, 0, 100, 100);
    TListView* ico = Ui_Add<TListView>(&main, 100, 0, 100, 100);
    TActionList al{&main};
    TAction context{&main, &al}, dblClick{&main, &al}, transparent{&main, &al}, baza{&main, &al};
    std::vector<String> calls;
    std::unique_ptr<TFormSettings> settings;

    void SetUp() override
    {
        CreateDirectoryW((dir / L"Language").c_str(), nullptr);
        ASSERT_TRUE(CopyFileW(shipped.c_str(), (dir / L"Language\\Russian.lng").c_str(), TRUE));
        WriteFileBytes(dir / L"Language\\readme.txt", "notes");
        WriteFileBytes(dir / L"Language\\hidden.lng", "Set=x");
        SetFileAttributesW((dir / L"Language\\hidden.lng").c_str(), FILE_ATTRIBUTE_HIDDEN);
        Lng_Path.clear();
        for (TAction* a : {&context, &dblClick, &transparent}) {
            a->AutoCheck = true;
            a->OnExecute = [this, a](TObject*) { calls.push_back(L"option " + String(a->Checked ? L"on" : L"off")); };
        }
        main.SetColor(clRed);
        ico->SetColor(clBlue);
        TSettingsMain m;
        m.Form = &main, m.ElmList = elm, m.IcoList = ico;
        m.ExplorerContexMenu = &context, m.ExecuteByDblClick = &dblClick, m.FontTransparent = &transparent;
        m.BazaOpenNew = &baza;
        m.FontApply = [this](const TFont& f) { calls.push_back(L"font " + f.Name() + L" " + IntToStr(f.Size())); };
        m.ColorsApply = [this] { calls.push_back(L"colors"); };
        m.LanguageApply = [this] { calls.push_back(L"load " + Lng_Path); };
        settings = std::make_unique<TFormSettings>(nullptr, m);
    }
    void TearDown() override
    {
        settings.reset();
        Lng_Path.clear();
    }
    // What the list tells its window when the user picks an entry.
    void choose(const String& entry)
    {
        TComboBox& cb = *settings->FrLang->cb;
        cb.SetItemIndex(cb.IndexOf(entry));
        SendMessageW(GetParent(cb.Handle()), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(cb.Handle()), CBN_SELCHANGE),
                     (LPARAM)cb.Handle());
    }
    String storedLanguage() { return TIniFile(Settings_FileName()).ReadString(L"Settings", L"Language", L"?"); }
};
}  // namespace

TEST_F(SettingsFixture, ChooserListsTheFolderAndLoadsOnlyANewLanguageFile)
{
    TComboBox& cb = *settings->FrLang->cb;
    std::vector<String> entries;
    for (int i = 0; i < cb.Count(); ++i) entries.push_back(cb.Items(i));
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0], LngComboBox_BuiltIn);
    EXPECT_EQ(cb.ItemIndex(), 0);
    const struct {
        const wchar_t* entry;
        const wchar_t* call;  // empty: nothing loaded
        const wchar_t* stored;
        bool link;
    } steps[] = {{L"readme", L"", L"?", false},
                 {L"Russian", L"load ", L"Language\\Russian.lng", false},
                 {L"Russian", L"", L"Language\\Russian.lng", false},  // already active
                 {LngComboBox_BuiltIn.c_str(), L"", L"", true},
                 {L"Russian", L"load ", L"Language\\Russian.lng", false}};
    for (const auto& s : steps) {
        calls.clear();
        choose(s.entry);
        std::vector<String> expected;
        if (*s.call) expected.push_back(s.call + dir / L"Language\\Russian.lng");
        EXPECT_EQ(calls, expected) << N(s.entry);
        EXPECT_EQ(storedLanguage(), s.stored) << N(s.entry);
        EXPECT_EQ(settings->FrLang->klb->Visible(), s.link) << N(s.entry);
    }
    // The start's own selection loads nothing.
    calls.clear();
    settings->FrLang->SelectLngWithoutTranslate(L"");
    EXPECT_EQ(cb.ItemIndex(), 0);
    EXPECT_TRUE(calls.empty());
}

TEST_F(SettingsFixture, ColoursResetAndOptionsActOnTheMainWindow)
{
    settings->Show();
    Ui_Shot(settings->Handle(), L"settings");
    EXPECT_EQ(settings->btnColor_Form1->SymbolColor(), clRed);
    EXPECT_EQ(settings->btnColor_List->SymbolColor(), clBlue);
    TModalResponderScope door([](const TModalRequest&) { return TModalAnswer{IDOK, L"$00123456", {}}; });
    Ui_Click(settings->btnColor_Form1->Handle());
    Ui_Click(settings->btnColor_List->Handle());
    EXPECT_EQ(main.Color(), (TColor)0x123456);
    EXPECT_EQ(elm->Color(), (TColor)0x123456);
    EXPECT_EQ(ico->Color(), (TColor)0x123456);
    Ui_Click(settings->ch_SetExecuteByDblClick->Handle());
    EXPECT_TRUE(dblClick.Checked);
    transparent.SetChecked(true);
    EXPECT_TRUE(settings->chTFontTransparent->Checked());
    Ui_Click(settings->btnResetToDefault->Handle());
    EXPECT_EQ(calls, (std::vector<String>{L"colors", L"option on", L"font Tahoma 11", L"colors"}));
    EXPECT_EQ(main.Color(), (TColor)0x86B6D2);
    EXPECT_EQ(elm->Color(), (TColor)0xF7FCFD);
    EXPECT_EQ(settings->btnColor_List->SymbolColor(), (TColor)0xF7FCFD);
    EXPECT_TRUE(dblClick.Checked && transparent.Checked);
}

TEST_F(SettingsFixture, EscClosesAndThePlacementComesFromSettingsIni)
{
    TIniFile ini(Settings_FileName());
    for (auto [key, value] : {std::pair{L"Left", 40}, {L"Top", 30}, {L"Width", 700}, {L"Height", 600}})
        ini.WriteInteger(L"FormSettings", key, value);
    TFormSettings placed(nullptr, {});
    EXPECT_EQ(placed.Left(), 40);
    EXPECT_EQ(placed.Width(), 700);
    TModalDriver esc(L"TFormSettings", [](HWND) { Ui_Key(VK_ESCAPE); });
    EXPECT_EQ(placed.ShowModal(), mrCancel);
    EXPECT_FALSE(IsWindowVisible(placed.Handle()));
}

namespace {
// The language load changes texts of the whole process: the start, the
// choice and the checks run in a process of their own.
void chooseRussianInTheRealWindows()
{
    const std::string shipped = ReadFileBytes(Prog_Dir() + L"..\\Language\\Russian.lng");
    TTempDir dir;
    TProgDirOverride prog{dir.Path() + L"\\"};
    CreateDirectoryW((dir / L"Language").c_str(), nullptr);
    const String lng = dir / L"Language\\Russian.lng";
    // One key left out: the rewrite lists it, and its text stays English.
    size_t at = shipped.find("Set_Font="), end = shipped.find("\r\n", at) + 2;
    const std::string lacking = shipped.substr(0, at) + shipped.substr(end);
    WriteFileBytes(lng, lacking);
    TModalRecorder boxes;
    ASSERT_LT(Program_Start({L"dolv.exe"}), 0);
    TComboBox& cb = *FormSettings->FrLang->cb;
    auto choose = [&](const String& entry) {
        cb.SetItemIndex(cb.IndexOf(entry));
        SendMessageW(GetParent(cb.Handle()), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(cb.Handle()), CBN_SELCHANGE),
                     (LPARAM)cb.Handle());
    };
    choose(L"Russian");
    EXPECT_EQ(N(Form1->Act_Set_Settings->Caption), N(L"Настройки"));
    EXPECT_EQ(N(FormSettings->Caption()), N(L"Настройки"));
    EXPECT_EQ(N(FormSettings->labBaza->Caption()), N(L"База иконок:"));
    EXPECT_EQ(N(FormSettings->ch_SetExecuteByDblClick->Caption()), N(L"Открывать файлы двойным щелчком мыши"));
    EXPECT_EQ(N(FormSettings->btnFont->Caption()), "Font");
    EXPECT_EQ(ReadFileBytes(lng), lacking + "[Untranslated]\r\nSet_Font=\r\n");
    // A file that may not be written stays as it is, and its texts still apply.
    choose(LngComboBox_BuiltIn);
    WriteFileBytes(lng, shipped);
    SetFileAttributesW(lng.c_str(), FILE_ATTRIBUTE_READONLY);
    Form1->Act_Set_Settings->Caption = L"x";
    choose(L"Russian");
    EXPECT_EQ(N(Form1->Act_Set_Settings->Caption), N(L"Настройки"));
    EXPECT_EQ(ReadFileBytes(lng), shipped);
    EXPECT_TRUE(boxes.Seen.empty());
    SetFileAttributesW(lng.c_str(), FILE_ATTRIBUTE_NORMAL);
    FormSettings->Show();
    Ui_Shot(FormSettings->Handle(), L"settings-russian");
    bool transparent = Form1->Act_FontTransparent->Checked;
    Ui_Click(FormSettings->chTFontTransparent->Handle());
    EXPECT_NE(Form1->Act_FontTransparent->Checked, transparent);
    // The main window's close keeps the settings window's placement.
    FormSettings->SetBounds(50, 60, 700, 600);
    bool canClose = true;
    Form1->FormCloseQuery(Form1, canClose);
    EXPECT_EQ(TIniFile(Settings_FileName()).ReadInteger(L"FormSettings", L"Left", 0), 50);
    Program_End();
}
}  // namespace

TEST(SettingsWindowDeathTest, RussianTranslatesBothWindowsAtOnceAndRewritesItsFile)
{
    EXPECT_EXIT(
        {
            chooseRussianInTheRealWindows();
            // The child's failures reach the parent as its error output.
            const auto& result = *::testing::UnitTest::GetInstance()->current_test_info()->result();
            for (int i = 0; i < result.total_part_count(); ++i) fputs(result.GetTestPartResult(i).message(), stderr);
            exit(result.Failed() ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), "");
}
