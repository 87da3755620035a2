// Window placement and fonts in settings.ini, on real windows and real files.
#include "WindowDriver.h"
#include "xaModul.h"

namespace {
// settings.ini in a temporary program folder.
struct TSettingsDir {
    TTempDir Dir;
    TProgDirOverride Prog{Dir.Path() + L"\\"};
    String Ini() const { return Settings_FileName(); }
    void Write(const std::string& text) { WriteFileBytes(Ini(), text); }
};

struct TPlainForm : TForm {
    explicit TPlainForm(const String& name) : TForm(nullptr) { Name = name; SetBounds(10, 20, 400, 300); }
};

// A rectangle as one line: left,top widthxheight.
std::string Box(int left, int top, int width, int height)
{
    return std::to_string(left) + "," + std::to_string(top) + " " + std::to_string(width) + "x" + std::to_string(height);
}

std::string Box(TControl& c) { return Box(c.Left(), c.Top(), c.Width(), c.Height()); }

int screenW() { return GetSystemMetrics(SM_CXSCREEN); }
int screenH() { return GetSystemMetrics(SM_CYSCREEN); }
}  // namespace

TEST(FormPos, MaximizedWindowSavesItsNormalRectangleInAGivenIniAndComesBackSo)
{
    TSettingsDir s;
    {
        TIniFile ini(s.Dir / L"other.ini");
        TPlainForm f(L"FormM");
        f.SetBounds(120, 130, 410, 310);
        f.Show();
        f.SetWindowState(wsMaximized);
        ASSERT_TRUE(IsZoomed(f.Handle()));
        Form_PosSave(&f, &ini, L"Elsewhere");
        f.Hide();
    }
    TTextEncoding utf16;
    EXPECT_EQ(N(DecodeText(ReadFileBytes(s.Dir / L"other.ini"), utf16)),
              "[Elsewhere]\r\nMaximized=1\r\nTop=130\r\nLeft=120\r\nHeight=310\r\nWidth=410\r\n");
    EXPECT_FALSE(FileExists(s.Ini()));
    TIniFile ini(s.Dir / L"other.ini");
    TPlainForm g(L"FormM");
    EXPECT_TRUE(Form_PosLoad(&g, &ini, L"Elsewhere"));
    // Laid out once, at the full size and while still hidden.
    RECT sized{};
    bool seen = true;
    g.OnResize = [&](TObject*) {
        if (!sized.right) GetWindowRect(g.Handle(), &sized), seen = IsWindowVisible(g.Handle());
    };
    g.Show();  // maximized over the read rectangle, which comes back on restoring
    EXPECT_TRUE(IsZoomed(g.Handle()));
    RECT now{};
    GetWindowRect(g.Handle(), &now);
    EXPECT_FALSE(seen);
    EXPECT_EQ(sized.right - sized.left, now.right - now.left);  // Wine may move it after, not resize it
    EXPECT_EQ(sized.bottom - sized.top, now.bottom - now.top);
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    GetWindowPlacement(g.Handle(), &wp);
    const RECT& r = wp.rcNormalPosition;
    EXPECT_EQ(Box(r.left, r.top, r.right - r.left, r.bottom - r.top), "120,130 410x310");
    g.Hide();
}

// Sized for its show while hidden, a maximized form is laid out there once;
// bounds or a state given afterwards still decide where it restores to.
TEST(FormPos, SizedForShowWhileHiddenItShowsWithoutResizeAndRestoresToItsPlace)
{
    TPlainForm f(L"FormS");
    f.SetWindowState(wsMaximized);
    f.SizeForShow();
    ASSERT_FALSE(IsWindowVisible(f.Handle()));
    RECT hidden{};
    GetClientRect(f.Handle(), &hidden);
    EXPECT_GT(hidden.right, screenW() - 20) << "full size before the show";
    std::string sizes;  // a size the show gave it (the platform tells the same size again)
    f.OnResize = [&](TObject*) {
        if (f.ClientWidth() != hidden.right || f.ClientHeight() != hidden.bottom)
            sizes += Box(0, 0, f.ClientWidth(), f.ClientHeight()) + ";";
    };
    f.Show();
    EXPECT_TRUE(IsZoomed(f.Handle()));
    EXPECT_EQ(sizes, "");
    auto restored = [](TForm& form) {
        WINDOWPLACEMENT wp{};
        wp.length = sizeof wp;
        GetWindowPlacement(form.Handle(), &wp);
        const RECT& r = wp.rcNormalPosition;
        return Box(r.left, r.top, r.right - r.left, r.bottom - r.top);
    };
    EXPECT_EQ(restored(f), "10,20 400x300");
    f.Hide();

    TPlainForm g(L"FormB");  // bounds given after the sizing are the place it restores to
    g.SetWindowState(wsMaximized);
    g.SizeForShow();
    g.SetBounds(50, 60, 420, 320);
    EXPECT_EQ(Box(g), "50,60 420x320");
    g.Show();
    EXPECT_TRUE(IsZoomed(g.Handle()));
    EXPECT_EQ(restored(g), "50,60 420x320");
    g.Hide();

    TPlainForm h(L"FormN");  // made normal after the sizing: shown at its own place
    h.SetWindowState(wsMaximized);
    h.SizeForShow();
    h.SetWindowState(wsNormal);
    h.Show();
    EXPECT_FALSE(IsZoomed(h.Handle()));
    EXPECT_EQ(Box(h), "10,20 400x300");
    h.Hide();
}

TEST(FormPos, SectionsAreReadPulledOnTheScreenAndCut)
{
    TSettingsDir s;
    String text = Format(L"[Max]\r\nMaximized=1\r\n"
                         L"[Right]\r\nTop=50\r\nLeft=%d\r\nHeight=300\r\nWidth=400\r\n"
                         L"[Tall]\r\nTop=40\r\nLeft=30\r\nHeight=%d\r\nWidth=300\r\n"
                         L"[Neg]\r\nTop=-80\r\nLeft=-90\r\nHeight=200\r\nWidth=%d\r\n"
                         L"[Junk]\r\nTop=abc\r\nLeft=0x20\r\nHeight=$40\r\nWidth=\r\nMaximized=yes\r\n",
                         screenW() + 200, screenH() + 500, screenW() + 50);
    s.Write(ToUtf8(text));
    const struct { const wchar_t* section; int left, top, width, height; bool maximized = false; } cases[] = {
        {L"Max", 100, 100, 400, 300, true},        // only Maximized: the defaults, maximized
        {L"Right", screenW() - 400, 50, 400, 300},  // on a second display: ends at the right edge
        {L"Tall", 30, 0, 300, screenH()},           // cut to the screen height, at the top
        {L"Neg", 0, 0, screenW(), 200},             // negative places become 0, too wide is cut
        {L"Junk", 0x20, 100, 400, 0x40},            // non-numbers read as the defaults
    };
    for (auto& c : cases) {
        TPlainForm f(c.section);
        EXPECT_TRUE(Form_PosLoad(&f));
        EXPECT_EQ(f.Position, poDesigned) << N(c.section);
        EXPECT_EQ(Box(f), Box(c.left, c.top, c.width, c.height)) << N(c.section);
        EXPECT_EQ(f.WindowState(), c.maximized ? wsMaximized : wsNormal) << N(c.section);
    }
}

TEST(FormPos, MissingSettingsCentresAndMaximizesOnlyWhenAsked)
{
    TSettingsDir s;
    for (bool maximize : {true, false}) {
        TPlainForm f(L"Form1");
        EXPECT_FALSE(Form_PosLoad(&f, nullptr, L"", maximize));
        EXPECT_EQ(f.WindowState(), maximize ? wsMaximized : wsNormal);
        f.Show();
        EXPECT_EQ(IsZoomed(f.Handle()), maximize);
        // Centred also where a maximized window restores to.
        WINDOWPLACEMENT wp{};
        wp.length = sizeof wp;
        GetWindowPlacement(f.Handle(), &wp);
        const RECT& r = wp.rcNormalPosition;
        EXPECT_EQ(Box(r.left, r.top, r.right - r.left, r.bottom - r.top),
                  Box((screenW() - 400) / 2, (screenH() - 300) / 2, 400, 300)) << maximize;
        f.Hide();
    }
    EXPECT_FALSE(FileExists(s.Ini())) << "reading must not create settings.ini";
}

// A session that never shows a window leaves its section as it found it, so
// that a window without one still opens centred the next time.
TEST(FormPos, AWindowNeverShownKeepsItsSectionAndTheNextShowCentresIt)
{
    const std::string centred = Box((screenW() - 400) / 2, (screenH() - 300) / 2, 400, 300);
    const struct {
        const char* settings;  // null: no settings.ini
        bool own;              // saved into an Ini the caller holds, as the main window's close does
        std::string shownAt;
    } cases[] = {
        {nullptr, false, centred},
        {"[Other]\r\nTop=1\r\n", true, centred},
        {"[FormN]\r\nMaximized=0\r\nTop=70\r\nLeft=60\r\nHeight=250\r\nWidth=350\r\n", false, Box(60, 70, 350, 250)},
    };
    for (const auto& c : cases) {
        TSettingsDir s;
        if (c.settings) s.Write(c.settings);
        {
            TPlainForm f(L"FormN");
            Form_PosLoad(&f);
            f.SetBounds(0, 0, 400, 300);  // where a window made at start sits until it is shown
            TIniFile ini(s.Ini());
            Form_PosSave(&f, c.own ? &ini : nullptr);
        }
        if (!c.settings)
            EXPECT_FALSE(FileExists(s.Ini())) << "nothing to keep, nothing written";
        else
            EXPECT_EQ(ReadFileBytes(s.Ini()), c.settings);
        TPlainForm g(L"FormN");
        Form_PosLoad(&g);
        g.Show();
        EXPECT_EQ(Box(g), c.shownAt) << (c.settings ? c.settings : "no settings.ini");
        g.Hide();
        // Shown once, it has a place to keep.
        Form_PosSave(&g);
        EXPECT_EQ(GetPrivateProfileIntW(L"FormN", L"Width", 0, s.Ini().c_str()), (UINT)g.Width());
    }
}

// Centred at its first show or put at its stored place, a window the user
// moves stays there when shown again in the run, and that place is saved.
TEST(FormPos, AMovedWindowStaysWhereTheUserPutItForLaterShowsAndIsSavedThere)
{
    const std::string centred = Box((screenW() - 400) / 2, (screenH() - 300) / 2, 400, 300);
    const struct {
        const char* settings;
        std::string firstAt;
    } cases[] = {
        {nullptr, centred},
        {"[FormM]\r\nTop=70\r\nLeft=60\r\nHeight=300\r\nWidth=400\r\n", Box(60, 70, 400, 300)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.settings ? "stored place" : "no settings.ini");
        TSettingsDir s;
        if (c.settings) s.Write(c.settings);
        TPlainForm f(L"FormM");
        Form_PosLoad(&f);
        f.Show();
        EXPECT_EQ(Box(f), c.firstAt);
        SetWindowPos(f.Handle(), nullptr, 33, 44, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);  // the user's move
        f.Hide();
        f.Show();
        RECT r{};
        GetWindowRect(f.Handle(), &r);
        EXPECT_EQ(Box(r.left, r.top, r.right - r.left, r.bottom - r.top), Box(33, 44, 400, 300)) << "shown again";
        f.Hide();
        Form_PosSave(&f);
        EXPECT_EQ(GetPrivateProfileIntW(L"FormM", L"Left", 0, s.Ini().c_str()), 33u);
        EXPECT_EQ(GetPrivateProfileIntW(L"FormM", L"Top", 0, s.Ini().c_str()), 44u);
    }
}

namespace {
// While the system's move loop runs, a timer looks at the cursor and lets the
// mouse button go (Esc as well, should the loop want a key), so the loop ends.
struct TDragWatch {
    static inline TCursor Seen = crDefault;
    static inline int Ticks = 0;
    static void CALLBACK Tick(HWND window, UINT, UINT_PTR, DWORD)
    {
        if (Ticks++ == 0) Seen = Screen.Cursor();
        PostMessageW(window, WM_LBUTTONUP, 0, 0);
        PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 0);
    }
    // The move asked of the system: Wine ignores it for a maximized window.
    static inline int Moves = 0;
    static LRESULT CALLBACK Sent(int code, WPARAM w, LPARAM l)
    {
        auto* m = reinterpret_cast<const CWPSTRUCT*>(l);
        if (m->message == WM_SYSCOMMAND && (m->wParam & 0xFFF0) == SC_MOVE) ++Moves;
        return CallNextHookEx(nullptr, code, w, l);
    }
};
}  // namespace

TEST(FormPos, DragRunsTheMoveLoopUnderTheSizeCursorExceptWhenMaximized)
{
    TPlainForm f(L"FormD");
    f.Show();
    for (bool maximized : {true, false}) {
        f.SetWindowState(maximized ? wsMaximized : wsNormal);
        std::string before = Box(f);
        TDragWatch::Ticks = TDragWatch::Moves = 0;
        TDragWatch::Seen = crDefault;
        SetTimer(f.Handle(), 1, 50, TDragWatch::Tick);
        HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, TDragWatch::Sent, nullptr, GetCurrentThreadId());
        DWORD start = GetTickCount();
        Form_Drag(&f);
        UnhookWindowsHookEx(hook);
        KillTimer(f.Handle(), 1);
        EXPECT_LT(GetTickCount() - start, 5000u);
        EXPECT_EQ(TDragWatch::Moves, maximized ? 0 : 1) << "maximized: " << maximized;
        EXPECT_EQ(TDragWatch::Ticks > 0, !maximized) << "the move loop ran: " << maximized;
        EXPECT_EQ(TDragWatch::Seen, maximized ? crDefault : crSizeAll);
        EXPECT_EQ(Screen.Cursor(), crDefault);
        EXPECT_EQ(Box(f), before);
    }
    f.Hide();
}

// A font as one line: name, size, colour and styles.
std::string Described(const TFont& f)
{
    return N(f.Name() + L" " + std::to_wstring(f.Size()) + L" " + ColorToString(f.Color())) +
           (f.Style() & fsBold ? " B" : "") + (f.Style() & fsItalic ? " I" : "") +
           (f.Style() & fsUnderline ? " U" : "") + (f.Style() & fsStrikeOut ? " S" : "");
}

TEST(FontIni, OnlyTheKeysThatExistChangeTheFont)
{
    TSettingsDir s;
    s.Write("[Font]\r\nAll.Bold=1\r\n[Under]\r\nAll.Underline=1\r\nAll.Uderline=0\r\n"
            "[Bad]\r\nAll.Color=reddish\r\nAll.Size=x\r\n[Full]\r\nAll.Name=Courier New\r\nAll.Size=14\r\n"
            "All.Color=clRed\r\nAll.Italic=1\r\nAll.Strike=1\r\nAll.Uderline=1\r\n[Hex]\r\nAll.Color=$00C4D1F4\r\nAll.Bold=0\r\n");
    TIniFile ini(s.Ini());
    TFont f;
    f.SetName(L"Tahoma");
    f.SetSize(9);
    f.SetColor(clWindowText);
    f.SetStyle(fsItalic);
    const struct {
        const wchar_t* section;  // null: no ini at all
        const char* font;        // after loading it, in turn
    } steps[] = {
        {L"Font", "Tahoma 9 clWindowText B I"},
        {L"Under", "Tahoma 9 clWindowText B I"},  // .Underline is not a key of ours
        {L"Bad", "Tahoma 9 clWindowText B I"},    // a broken colour keeps the colour, a broken size the size
        {L"Full", "Courier New 14 clRed B I U S"},
        {nullptr, "Courier New 14 clRed B I U S"},
        {L"Hex", "Courier New 14 $00C4D1F4 I U S"},
    };
    for (const auto& step : steps) {
        Font_Load(step.section ? &ini : nullptr, step.section ? step.section : L"Font", L"All", f);
        EXPECT_EQ(Described(f), step.font) << N(step.section ? step.section : L"no ini");
    }
}
