// The font dialog shown for real and worked with keys: Apply while open,
// Cancel, hidden properties, and the example text kept across a restart.
#include "ShellOpSupport.h"
#include "WindowDriver.h"
#include "xaFontDialog.h"
#include "xaModul.h"

#include <colordlg.h>

namespace {
// A program folder of its own; the dialog and its texts as a fresh run has them.
struct TFontDialogRun {
    TTempDir Dir;
    TProgDirOverride Prog{Dir.Path() + L"\\"};
    String BuiltIn = xaFontDialog_Example;
    ~TFontDialogRun()
    {
        FontDialog_Free();
        xaFontDialog_Example = BuiltIn;
        Lng_Path.clear();
    }
};

// Answers each showing of the dialog with the next step, and colour dialogs
// with red (or by working the real one with ColorDrive).
struct TSteps {
    std::vector<std::function<void()>> Steps;
    size_t Shown = 0;
    std::function<void(HWND)> ColorDrive;
    TModalResponderScope Scope{[this](const TModalRequest& r) {
        TModalAnswer a;
        if (r.Kind == L"TColorDialog") {
            a.Text = L"clRed";
            a.Drive = ColorDrive;
        } else if (r.Kind == L"TFormFont" && Shown < Steps.size()) {
            a.Drive = [this](HWND) { Steps[Shown++](); };
        } else {
            ADD_FAILURE() << "unexpected " << N(r.Kind);
            a.Result = IDCANCEL;
        }
        return a;
    }};
};
}  // namespace

TEST(FontDialog, ApplyHandsTheFontBackWhileOpenCancelKeepsWhatWasHandedBack)
{
    TFontDialogRun run;
    TFont font;
    font.SetSize(10);
    int applied = 0;
    TSteps s;
    s.Steps = {[] {
                   Ui_Shot(FormFont->Handle(), L"font-dialog");
                   Ui_Key('B', ssCtrl);
                   Ui_Key(VK_UP, ssCtrl);
                   Ui_Key('K', ssCtrl);  // the colour dialog picks red
                   Ui_Key(VK_RETURN, ssShift);
               },
               [&] {
                   EXPECT_EQ(applied, 1);
                   EXPECT_EQ(font.Style(), (TFontStyles)fsBold);
                   EXPECT_EQ(font.Size(), 11);
                   EXPECT_EQ(font.Color(), clRed);
                   EXPECT_TRUE(FormFont->fBold->Checked()) << "back as the user left it";
                   Ui_Key('I', ssCtrl);
                   Ui_Key(VK_OEM_PLUS, ssCtrl);
                   EXPECT_EQ(FormFont->fExample->Font.Style(), (TFontStyles)(fsBold | fsItalic));
                   EXPECT_EQ(FormFont->fSize->Value(), 12);
                   Ui_Key(VK_BACK, ssShift);  // the font this call began with, not the applied one
                   EXPECT_EQ(FormFont->fExample->Font.Style(), (TFontStyles)0);
                   EXPECT_EQ(FormFont->fSize->Value(), 10);
                   Ui_Key(VK_ESCAPE);
               },
               [&] {  // a second call starts from the caller's font; Sourse font goes back to it
                   Ui_Key('U', ssCtrl);
                   Ui_Key(VK_BACK, ssShift);
                   EXPECT_FALSE(FormFont->fUnderline->Checked());
                   EXPECT_EQ(FormFont->fExample->Font.Style(), (TFontStyles)fsBold);
                   Ui_Key('B', ssCtrl);
                   Ui_Key(VK_RETURN, ssCtrl);
               }};
    FontDialog_Execute(&font, [&] { ++applied; }, L"");
    EXPECT_EQ(applied, 1);
    EXPECT_EQ(font.Style(), (TFontStyles)fsBold);
    EXPECT_EQ(font.Size(), 11);
    FontDialog_Execute(&font, [&] { ++applied; }, L"");
    EXPECT_EQ(s.Shown, 3u);
    EXPECT_EQ(applied, 2);
    EXPECT_EQ(font.Style(), (TFontStyles)0);
    EXPECT_EQ(font.Color(), clRed);
}

TEST(FontDialog, OptionLettersHideTheirPropertiesAndOnlyThose)
{
    TFontDialogRun run;
    const struct {
        const wchar_t* options;
        bool hidden;
    } cases[] = {{L"nzcbius", true}, {L"NZCBIUS x", false}, {L"", false}};
    for (auto& c : cases) {
        TFont font;
        TSteps s;
        String menu;
        s.Steps = {[&] {
            TFormFont& f = *FormFont;
            for (TControl* control : {(TControl*)f.fName, (TControl*)f.fSize, (TControl*)f.fColor, (TControl*)f.fBold,
                                      (TControl*)f.fItalic, (TControl*)f.fUnderline, (TControl*)f.fStrike}) {
                EXPECT_EQ(control->Visible(), !c.hidden) << N(control->Name) << " " << N(c.options);
                EXPECT_EQ(IsWindowEnabled(control->Handle()) != 0, !c.hidden) << N(control->Name);
            }
            for (wchar_t key : {L'B', L'I', L'U', L'S'}) Ui_Key(key, ssCtrl);
            Ui_Key(VK_UP, ssCtrl);
            for (TMenuItem* item : {f.pmFont->Items(0), f.pmFont->Items(5), f.pmFont->Items(8)})
                EXPECT_EQ(item->Visible, !c.hidden) << N(item->Caption);
            Ui_Key(VK_RETURN, ssCtrl);
        }};
        FontDialog_Execute(&font, [] {}, c.options);
        EXPECT_EQ(font.Style(), c.hidden ? 0u : (TFontStyles)(fsBold | fsItalic | fsUnderline | fsStrikeOut));
        EXPECT_EQ(font.Size(), c.hidden ? 8 : 9);
    }
}

TEST(FontDialog, EditedExampleSurvivesARestartInTheLanguageFileOrSettings)
{
    for (bool withLanguageFile : {false, true}) {
        TFontDialogRun run;
        String lng = run.Dir / L"Test.lng";
        // Both in the ANSI code page, which the typed Cyrillic does not fit.
        WriteFileBytes(lng, "[Language]\r\nLng=Test\r\n[Other]\r\nKey=1\r\n");
        WriteFileBytes(Settings_FileName(), "[Other]\r\nKey=1\r\n");
        if (withLanguageFile) Lng_Path = lng;
        TFont font;
        TSteps s;
        s.Steps = {[] {
                       FormFont->fExample->SetFocus();
                       FormFont->fExample->SelectAll();
                       Ui_Type(L"one \u0424");
                       for (const wchar_t* line : {L"two", L"three"}) {
                           Ui_Key(VK_RETURN);  // a new line, not the dialog's OK
                           Ui_Type(line);
                       }
                       Ui_Key(VK_RETURN, ssCtrl);
                   },
                   [] {
                       TStringList lines;
                       lines.SetText(FormFont->fExample->Text());
                       EXPECT_EQ(N(Strs_Join(lines, L"|")), N(L"one \u0424|two|three"));
                       Ui_Key(VK_ESCAPE);
                   }};
        FontDialog_Execute(&font, [] {}, L"");
        FontDialog_Free();  // the program ends
        TIniFile ini(withLanguageFile ? lng : Settings_FileName());
        EXPECT_EQ(N(ini.ReadString(withLanguageFile ? L"Language" : L"Settings", L"xaFontDialog_Example", L"-")),
                  N(L"one \u0424%%%two%%%three"));
        EXPECT_EQ(ini.ReadString(L"Other", L"Key", L""), L"1");
        // The next run: the built-in text, then what its language load reads.
        xaFontDialog_Example = run.BuiltIn;
        if (withLanguageFile) {
            TStringList file;
            file.LoadFromFile(lng);
            Lng_Read_FontDialog(file);
        }
        FontDialog_Execute(&font, [] {}, L"");
        EXPECT_EQ(s.Shown, 2u);
    }
}

TEST(FontDialog, WheelStepsTheSizeAndTheNamesWithinTheirEnds)
{
    TFontDialogRun run;
    TFont font;
    font.SetSize(10);
    TSteps s;
    s.Steps = {[] {
        TFormFont& f = *FormFont;
        auto wheel = [](WORD keys, int delta) {
            PostMessageW(GetFocus(), WM_MOUSEWHEEL, MAKEWPARAM(keys, delta), 0);
            Application.ProcessMessages();
        };
        wheel(MK_CONTROL, -120);
        EXPECT_EQ(f.fSize->Value(), 9);
        int last = f.fName->Count() - 1;
        ASSERT_GE(last, 2);
        const struct {
            int from, delta, to;
        } names[] = {{0, 120, 0}, {last, -120, last}, {-1, -120, 0}, {2, 120, 1}};
        for (auto& n : names) {
            f.fName->SetItemIndex(n.from);
            wheel(MK_SHIFT, n.delta);
            EXPECT_EQ(f.fName->ItemIndex(), n.to) << n.from;
            EXPECT_EQ(f.fExample->Font.Name(), f.fName->Items(n.to));
        }
        f.fSize->SetFocus();
        wheel(0, 120);
        f.fSize->SetText(L"");  // an emptied box changes nothing
        EXPECT_EQ(f.fExample->Font.Size(), 10);
        Ui_Key(VK_RETURN, ssCtrl);
    }};
    FontDialog_Execute(&font, [] {}, L"");
    EXPECT_EQ(font.Size(), 10);
}

TEST(FontDialog, TheRealColourDialogStartsAtTheWorkingColourAndGivesItsChoice)
{
    TFontDialogRun run;
    TFont font;
    font.SetColor(0x336699);
    TSteps s;
    String started;
    s.ColorDrive = [&](HWND dialog) {
        wchar_t rgb[3][8];
        for (int i = 0; i < 3; ++i) GetDlgItemTextW(dialog, COLOR_RED + i, rgb[i], 8);
        started = String(rgb[0]) + L"," + rgb[1] + L"," + rgb[2];
        if (IsWindowVisible(GetDlgItem(dialog, COLOR_RED)) || !UnderWine()) {
            EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog, COLOR_RED))) << "the custom part is open";
        } else {
            std::printf("note: Wine keeps the colour dialog's custom part closed when it may not be opened\n");
        }
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, COLOR_MIX))) << "and cannot be opened again";
        SetDlgItemInt(dialog, COLOR_GREEN, 200, FALSE);
        SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    };
    s.Steps = {[] {
        Ui_Key('K', ssCtrl);
        Ui_Key(VK_RETURN, ssCtrl);
    }};
    FontDialog_Execute(&font, [] {}, L"");
    EXPECT_EQ(started, L"153,102,51");
    EXPECT_EQ(font.Color(), 0x33C899);
}
