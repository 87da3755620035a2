// The message box and the question box, shown for real and answered with keys and clicks.
#include "WindowDriver.h"
#include "xaModul.h"
#include "xaY.h"
#include "xaYN.h"
#include "xaLanguageUni.h"

#include <algorithm>

namespace {
struct TSettingsDir {
    TTempDir Dir;
    TProgDirOverride Prog{Dir.Path() + L"\\"};
    String Ini() const { return Settings_FileName(); }
};

String clipboardText()
{
    String s;
    if (!OpenClipboard(nullptr)) return L"<clipboard busy>";
    if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
        s = (const wchar_t*)GlobalLock(h);
        GlobalUnlock(h);
    }
    CloseClipboard();
    return s;
}

// Whether a window's client area shows Colour anywhere.
bool shows(HWND w, COLORREF colour)
{
    RECT r;
    GetClientRect(w, &r);
    TBitmap shot;
    shot.SetSize(r.right, r.bottom);
    HDC dc = GetDC(w);
    BitBlt(shot.Canvas(), 0, 0, r.right, r.bottom, dc, 0, 0, SRCCOPY);
    ReleaseDC(w, dc);
    const uint32_t* px = shot.Pixels();
    const uint32_t want = GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour);
    return std::any_of(px, px + r.right * r.bottom, [&](uint32_t p) { return (p & 0xFFFFFF) == want; });
}

// The colour the screen shows at a client point of a window.
COLORREF shownAt(HWND w, int x, int y)
{
    RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    HDC dc = GetDC(w);
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(w, dc);
    return c;
}
}  // namespace

TEST(YMessageBox, ThreeColoursWithTheirDarkerText)
{
    TSettingsDir s;
    struct {
        int asked;
        TColor shown;
        const wchar_t* shot;
    } cases[] = {{-1, 0xC6E7FB, L"message-default"}, {clYError, 0xC4D1F4, L"message-error"},
                 {clYSuccess, 0xC0F1E7, L"message-success"}};
    for (auto& c : cases) {
        bool driven = false;
        TModalDriver driver(L"TFormY", [&](HWND w) {
            driven = true;
            ASSERT_EQ(FormY, TControl::FromHandle(w));
            EXPECT_EQ(FormY->Color(), c.shown);
            EXPECT_EQ(FormY->RichEdit1->Color(), c.shown);
            EXPECT_EQ(FormY->RichEdit1->Font.Color(), Color_Darken(c.shown, 60));
            EXPECT_EQ(FormY->btnY->Font.Color(), Color_Darken(c.shown, 60));
            EXPECT_EQ(FormY->btnY->Color(), Color_Darken(c.shown, 7));
            EXPECT_EQ(FormY->RichEdit1->Text(), L"Folder not found:\r\nC:\\Nowhere");
            EXPECT_EQ(FormY->btnY->Caption(), L"Close");
            EXPECT_EQ(shownAt(w, 2, 2), (COLORREF)c.shown) << "the form's margin on the screen";
            EXPECT_TRUE(shows(FormY->RichEdit1->Handle(), Color_Darken(c.shown, 60))) << "the text in its darker shade";
            LONG_PTR style = GetWindowLongPtrW(w, GWL_STYLE), ex = GetWindowLongPtrW(w, GWL_EXSTYLE);
            EXPECT_TRUE(ex & WS_EX_TOPMOST);
            EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
            EXPECT_TRUE(style & WS_THICKFRAME);
            EXPECT_FALSE(style & WS_SYSMENU) << "no border icons";
            EXPECT_EQ(shownAt(FormY->btnY->Handle(), 3, 3), (COLORREF)Color_Darken(c.shown, 7));
            Ui_MouseEnter(FormY->btnY->Handle());
            EXPECT_EQ(FormY->btnY->Color(), Color_Lighten(c.shown, 50));
            Ui_MouseLeave(FormY->btnY->Handle());
            EXPECT_EQ(FormY->btnY->Color(), Color_Darken(c.shown, 7));
            Ui_Shot(w, c.shot);
            Ui_Key(VK_RETURN);
        });
        if (c.asked == clYError)
            Y_ShowColor(L"Folder not found:\r\nC:\\Nowhere", clYError);
        else
            Y_Show(L"Folder not found:\r\nC:\\Nowhere", L"Dolv", c.asked, true);
        EXPECT_TRUE(driven);
        ASSERT_EQ(driver.Seen.size(), 1u);
        EXPECT_EQ(driver.Seen[0].Color, c.shown);
        EXPECT_EQ(driver.Seen[0].Caption, c.asked == clYError ? L"" : L"Dolv");
    }
    EXPECT_EQ(FormY, nullptr);
}

TEST(YMessageBox, EnterEscAndTheButtonClose)
{
    TSettingsDir s;
    std::function<void()> ways[] = {
        [] { Ui_Key(VK_RETURN); },
        [] { Ui_Key(VK_ESCAPE); },
        [] { Ui_Click(FormY->btnY->Handle()); },
        [] {  // keys reach the box from its text too
            Ui_Click(FormY->RichEdit1->Handle(), 5, 5);
            ASSERT_EQ(GetFocus(), FormY->RichEdit1->Handle());
            Ui_Key(VK_ESCAPE);
        },
    };
    for (auto& way : ways) {
        int open = -1;
        TModalDriver driver(L"TFormY", [&](HWND) {
            Ui_Key('X');  // other keys do nothing
            EXPECT_EQ(FormY->ModalResult, mrNone);
            way();
            open = FormY->ModalResult == mrNone;
        });
        Y_Show(L"text", L"", -1, false);
        EXPECT_EQ(open, 0);
    }
}

TEST(YMessageBox, ALongTextIsShownWholeAndTheMenuKeysCopyIt)
{
    TSettingsDir s;
    String text;
    while (text.size() < 20000) text += L"{C:\\Папка}\tx \U0001F600 \\par\r\n" + String(300, L'w');
    TModalDriver driver(L"TFormY", [&](HWND) {
        TRichEdit* r = FormY->RichEdit1;
        EXPECT_TRUE(r->Text() == text) << "every character, braces, tabs and line breaks included";
        Ui_Click(r->Handle(), 5, 5);
        Ui_Key('A', ssCtrl);
        EXPECT_GT(r->SelLength(), 19000);
        r->SetSelStart(0);
        r->SetSelLength(5);
        Ui_Key('C', ssCtrl);
        EXPECT_EQ(clipboardText(), L"{C:\\П");
        Ui_Key('C', ssAlt);  // the whole text, whatever is selected
        EXPECT_TRUE(clipboardText() == text);
        EXPECT_EQ(FormY->pm->Images->Count(), 3);  // the captions: see the right-click test
        Ui_Key(VK_RETURN);
    });
    Y_Show(text, L"", -1, false);
}

TEST(YMessageBox, RightClickMenuCopiesAll)
{
    TSettingsDir s;
    std::vector<String> kinds;
    TModalResponderScope scope([&](const TModalRequest& r) {
        kinds.push_back(r.Kind);
        TModalAnswer a;
        if (r.Kind == L"TFormY") {
            a.Drive = [](HWND) {
                Ui_Click(FormY->RichEdit1->Handle(), 5, 5, true);  // the right button's release opens the menu
                EXPECT_EQ(clipboardText(), L"all of it");
                Ui_Key(VK_ESCAPE);
            };
        } else {
            EXPECT_EQ(r.Text, L"Copy\nSelect All\nCopy all");
            a.Result = 3;
        }
        return a;
    });
    Y_Show(L"all of it", L"", clYSuccess, false);
    EXPECT_EQ(kinds, (std::vector<String>{L"TFormY", L"TPopupMenu"}));
}

TEST(YMessageBox, ResizedBoxComesBackWithItsSizeCentred)
{
    TSettingsDir s;
    ASSERT_FALSE(FileExists(s.Ini()));
    String longText;
    for (int i = 0; i < 80; ++i) longText += L"A long message line " + IntToStr(i) + L"\r\n";
    TModalDriver first(L"TFormY", [&](HWND w) {
        SetWindowPos(w, nullptr, 0, 0, 700, 420, SWP_NOMOVE | SWP_NOZORDER);
        // The button stays at the bottom right; the text scrolls inside the box.
        EXPECT_EQ(FormY->ClientWidth() - FormY->btnY->Left() - FormY->btnY->Width(), 8);
        EXPECT_EQ(FormY->ClientHeight() - FormY->btnY->Top() - FormY->btnY->Height(), 8);
        EXPECT_TRUE(GetWindowLongPtrW(FormY->RichEdit1->Handle(), GWL_STYLE) & WS_VSCROLL);
        RECT before;
        GetWindowRect(w, &before);
        SetWindowPos(w, nullptr, 0, 0, 50, 50, SWP_NOMOVE | SWP_NOZORDER);  // the minimum holds
        EXPECT_EQ(FormY->Width(), 200);
        EXPECT_EQ(FormY->Height(), 150);
        SetWindowPos(w, nullptr, 0, 0, 700, 420, SWP_NOMOVE | SWP_NOZORDER);
        Ui_Key(VK_ESCAPE);
    });
    Y_ShowColor(longText, clYError);
    // Showing a box creates settings.ini with [FormY].
    TIniFile ini(s.Ini());
    ASSERT_TRUE(ini.SectionExists(L"FormY")) << ReadFileBytes(s.Ini());
    EXPECT_EQ(ini.ReadInteger(L"FormY", L"Width", 0), 700);
    EXPECT_EQ(ini.ReadInteger(L"FormY", L"Height", 0), 420);
    EXPECT_FALSE(ini.ReadBool(L"FormY", L"Maximized", true));

    TForm main(nullptr);
    main.SetBounds(50, 60, 900, 700);
    Application.MainForm = &main;
    main.Show();
    TModalDriver second(L"TFormY", [&](HWND w) {
        RECT r;
        GetWindowRect(w, &r);
        EXPECT_EQ(r.right - r.left, 700);
        EXPECT_EQ(r.bottom - r.top, 420);
        EXPECT_NEAR((r.left + r.right) / 2, 50 + 450, 1) << "centred over the main window";
        EXPECT_NEAR((r.top + r.bottom) / 2, 60 + 350, 1);
        EXPECT_FALSE(IsWindowEnabled(main.Handle())) << "the main window waits while the box is up";
        Ui_Key(VK_RETURN);
    });
    Y_ShowColor(L"again", clYSuccess);
    EXPECT_TRUE(IsWindowEnabled(main.Handle()));
    main.Hide();
    Application.MainForm = nullptr;
}

TEST(YMessageBox, NotRememberedOrUnseenWritesNothing)
{
    TSettingsDir s;
    String saved = xaLanguageUni::Close;
    xaLanguageUni::Close = L"Zakryt";
    TModalDriver driver(L"TFormY", [&](HWND) {
        EXPECT_EQ(FormY->btnY->Caption(), L"Zakryt");  // the button speaks the user's language
        Ui_Key(VK_RETURN);
    });
    Y_Show(L"x", L"", -1, false);
    xaLanguageUni::Close = saved;
    EXPECT_FALSE(FileExists(s.Ini()));
    TModalRecorder recorder;  // answered without being shown
    Y_Show(L"quiet", L"Cap", -1, true);
    ASSERT_EQ(recorder.Seen.size(), 1u);
    const TModalRequest& r = recorder.Seen[0];
    EXPECT_EQ(r.Kind + L"|" + r.Caption + L"|" + r.Text, L"TFormY|Cap|quiet");
    EXPECT_EQ(r.Color, clYDefault);
    EXPECT_FALSE(FileExists(s.Ini())) << "a box never shown has no placement to save";
}

TEST(YMessageBox, UnwritableSettingsOnlyLoseTheSize)
{
    TSettingsDir s;
    // A folder where settings.ini should be: every profile write is refused
    // (a read-only file would not do here: Wine running as root writes it anyway).
    ASSERT_TRUE(CreateDirectoryW(s.Ini().c_str(), nullptr));
    {
        TIniFile probe(s.Ini());
        EXPECT_THROW(probe.WriteString(L"Probe", L"x", L"1"), EIniFileException);
    }
    bool shown = false;
    TModalDriver driver(L"TFormY", [&](HWND) {
        shown = true;
        Ui_Key(VK_RETURN);
    });
    Y_ShowColor(L"saved nowhere", clYError);  // returns normally; no further box
    EXPECT_TRUE(shown);
    EXPECT_EQ(driver.Seen.size(), 1u);
    RemoveDirectoryW(s.Ini().c_str());
}

TEST(YMessageBox, ABoxFromInsideABoxGivesTheOuterOneBack)
{
    TSettingsDir s;
    TFormY* outerSeen = nullptr;
    TFormY* afterInner = nullptr;
    int depth = 0;
    TModalDriver driver(L"TFormY", [&](HWND) {
        if (++depth == 1) {
            outerSeen = FormY;
            Y_Show(L"inner", L"", -1, false);
            afterInner = FormY;
        }
        Ui_Key(VK_RETURN);
    });
    Y_Show(L"outer", L"", -1, false);
    EXPECT_NE(outerSeen, nullptr);
    EXPECT_EQ(afterInner, outerSeen);
    EXPECT_EQ(FormY, nullptr);
    EXPECT_EQ(driver.Seen.size(), 2u);
}

TEST(YMessageBox, BoxesShownAgainAndAgainKeepNoHandles)
{
    TSettingsDir s;
    Ui_ExpectNoHandleLeak([] {
        TModalDriver y(L"TFormY", [](HWND) {
            Ui_MouseEnter(FormY->btnY->Handle());
            Ui_MouseLeave(FormY->btnY->Handle());
            Ui_Key(VK_RETURN);
        });
        Y_ShowColor(L"once more", clYError);
        TModalDriver yn(L"TFormYN", [](HWND) { Ui_Key('N'); });
        YN_Ask(L"once more?", L"");
    });
}

TEST(QuestionBox, KeysAndButtonsAnswer)
{
    struct {
        const char* way;
        std::function<void()> act;
        bool yes;
    } cases[] = {
        {"Y", [] { Ui_Key('Y'); }, true},
        {"N", [] { Ui_Key('N'); }, false},
        {"Shift+Y", [] { Ui_Key('Y', ssShift); }, true},
        {"Enter", [] { Ui_Key(VK_RETURN); }, true},
        {"Esc", [] { Ui_Key(VK_ESCAPE); }, false},
        {"click No", [] { Ui_Click(FormYN->btnN->Handle()); }, false},
        {"click Yes", [] { Ui_Click(FormYN->btnY->Handle()); }, true},
        {"Tab then Enter", [] { Ui_Key(VK_TAB); Ui_Key(VK_RETURN); }, false},
        {"closed", [] { PostMessageW(FormYN->Handle(), WM_CLOSE, 0, 0); Application.ProcessMessages(); }, false},
    };
    for (auto& c : cases) {
        TModalDriver driver(L"TFormYN", [&](HWND) {
            EXPECT_EQ(GetFocus(), FormYN->btnY->Handle());
            c.act();
            EXPECT_NE(FormYN->ModalResult, mrNone) << c.way << " left the box open";
        });
        EXPECT_EQ(YN_Ask(L"Overwrite report.txt?", L""), c.yes) << c.way;
    }
}

TEST(QuestionBox, TextsAndColours)
{
    TModalDriver driver(L"TFormYN", [&](HWND w) {
        EXPECT_EQ(FormYN->Label1->Caption(), L"Replace a && b?");
        EXPECT_EQ(FormYN->Caption(), L"Question");
        EXPECT_EQ(FormYN->btnY->Caption(), L"Yes");
        EXPECT_EQ(FormYN->btnN->Caption(), L"No");
        EXPECT_EQ(FormYN->Color(), 0xABBBFC);
        EXPECT_EQ(FormYN->PanelDown->Color(), Color_Darken(0xABBBFC, 10));
        EXPECT_EQ(shownAt(FormYN->PanelDown->Handle(), 1, 1), (COLORREF)Color_Darken(0xABBBFC, 10));
        // The button strip stays centred when the box widens.
        SetWindowPos(w, nullptr, 0, 0, 700, 300, SWP_NOMOVE | SWP_NOZORDER);
        int centre = FormYN->Panel1->Left() + FormYN->Panel1->Width() / 2;
        EXPECT_NEAR(centre, FormYN->PanelDown->ClientWidth() / 2, 2);
        SetWindowPos(w, nullptr, 0, 0, 420, 250, SWP_NOMOVE | SWP_NOZORDER);
        Ui_Shot(w, L"question");
        Ui_Key('N');
    });
    EXPECT_FALSE(YN_Ask(L"Replace a && b?", L"Question"));
}
