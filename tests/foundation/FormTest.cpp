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
    explicit TPlainForm(const String& name) : TForm(nullptr)
    {
        Name = name;
        SetBounds(10, 20, 400, 300);
    }
};

RECT normalRect(TForm& f)
{
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    GetWindowPlacement(f.Handle(), &wp);
    return wp.rcNormalPosition;
}

int screenW() { return GetSystemMetrics(SM_CXSCREEN); }
int screenH() { return GetSystemMetrics(SM_CYSCREEN); }
}  // namespace

TEST(FormPos, MaximizedWindowSavesItsNormalRectangleAndComesBackSo)
{
    TSettingsDir s;
    {
        TPlainForm f(L"FormM");
        f.SetBounds(120, 130, 410, 310);
        f.Show();
        f.SetWindowState(wsMaximized);
        ASSERT_TRUE(IsZoomed(f.Handle()));
        Form_PosSave(&f);
        f.Hide();
    }
    std::string text = ReadFileBytes(s.Ini());
    // Written in the order Maximized, Top, Left, Height, Width.
    size_t m = text.find("Maximized=1"), t = text.find("Top=130"), l = text.find("Left=120"),
           h = text.find("Height=310"), w = text.find("Width=410");
    ASSERT_NE(m, std::string::npos) << text;
    ASSERT_NE(w, std::string::npos) << text;
    EXPECT_TRUE(m < t && t < l && l < h && h < w) << text;

    TPlainForm g(L"FormM");
    EXPECT_TRUE(Form_PosLoad(&g, nullptr, L"", false));
    g.Show();
    EXPECT_TRUE(IsZoomed(g.Handle()));
    RECT r = normalRect(g);
    EXPECT_EQ(r.left, 120);
    EXPECT_EQ(r.top, 130);
    EXPECT_EQ(r.right - r.left, 410);
    EXPECT_EQ(r.bottom - r.top, 310);
    g.SetWindowState(wsNormal);
    EXPECT_EQ(g.Left(), 120);
    EXPECT_EQ(g.Width(), 410);
    g.Hide();
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
    struct {
        const wchar_t* section;
        int left, top, width, height;
        bool maximized = false;
    } cases[] = {
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
        EXPECT_EQ(f.Left(), c.left) << N(c.section);
        EXPECT_EQ(f.Top(), c.top) << N(c.section);
        EXPECT_EQ(f.Width(), c.width) << N(c.section);
        EXPECT_EQ(f.Height(), c.height) << N(c.section);
        EXPECT_EQ(f.WindowState(), c.maximized ? wsMaximized : wsNormal) << N(c.section);
        if (c.maximized) {  // maximized over the read rectangle, which comes back on restoring
            f.Show();
            EXPECT_TRUE(IsZoomed(f.Handle()));
            RECT r = normalRect(f);
            EXPECT_EQ(r.left, c.left);
            EXPECT_EQ(r.top, c.top);
            EXPECT_EQ(r.right - r.left, c.width);
            f.Hide();
        }
    }
}

TEST(FormPos, MissingSettingsCentresAndMaximizesOnlyWhenAsked)
{
    TSettingsDir s;
    TPlainForm a(L"Form1");
    EXPECT_FALSE(Form_PosLoad(&a, nullptr, L"", true));
    EXPECT_EQ(a.Position, poScreenCenter);
    EXPECT_EQ(a.WindowState(), wsMaximized);
    TPlainForm b(L"FormSettings");
    EXPECT_FALSE(Form_PosLoad(&b, nullptr, L"", false));
    EXPECT_EQ(b.WindowState(), wsNormal);
    b.Show();
    RECT r;
    GetWindowRect(b.Handle(), &r);
    EXPECT_EQ(r.left, (screenW() - 400) / 2);
    EXPECT_EQ(r.top, (screenH() - 300) / 2);
    b.Hide();
    EXPECT_FALSE(FileExists(s.Ini())) << "reading must not create settings.ini";
}

TEST(FormPos, AGivenIniAndSectionAreUsedAndKeptOpen)
{
    TSettingsDir s;
    TIniFile ini(s.Dir / L"other.ini");
    TPlainForm f(L"FormZ");
    f.SetBounds(11, 22, 333, 244);
    Form_PosSave(&f, &ini, L"Elsewhere");
    EXPECT_EQ(ini.ReadInteger(L"Elsewhere", L"Left", 0), 11);
    EXPECT_EQ(ini.ReadInteger(L"Elsewhere", L"Width", 0), 333);
    EXPECT_FALSE(ini.ReadBool(L"Elsewhere", L"Maximized", true));
    EXPECT_FALSE(FileExists(s.Ini()));
    TPlainForm g(L"FormZ");
    EXPECT_TRUE(Form_PosLoad(&g, &ini, L"Elsewhere"));
    EXPECT_EQ(g.Top(), 22);
    EXPECT_EQ(g.Height(), 244);
}

namespace {
// While the system's move loop runs, a timer looks at the cursor and lets the
// mouse button go (Esc as well, should the loop want a key), so the loop ends.
struct TDragWatch {
    static inline TCursor Seen = crDefault;
    static inline HWND Window = nullptr;
    static inline int Ticks = 0;
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        if (Ticks++ == 0) Seen = Screen.Cursor();
        PostMessageW(Window, WM_LBUTTONUP, 0, 0);
        PostMessageW(Window, WM_KEYDOWN, VK_ESCAPE, 0);
    }
};
}  // namespace

TEST(FormPos, DragLeavesAMaximizedWindowAloneAndRunsTheMoveLoopUnderTheSizeCursor)
{
    TPlainForm f(L"FormD");
    f.Show();
    f.SetWindowState(wsMaximized);
    RECT before, after;
    GetWindowRect(f.Handle(), &before);
    Form_Drag(&f);
    GetWindowRect(f.Handle(), &after);
    EXPECT_TRUE(EqualRect(&before, &after));
    EXPECT_EQ(Screen.Cursor(), crDefault);

    f.SetWindowState(wsNormal);
    TDragWatch::Window = f.Handle();
    TDragWatch::Ticks = 0;
    TDragWatch::Seen = crDefault;
    UINT_PTR timer = SetTimer(nullptr, 0, 50, TDragWatch::Tick);
    DWORD start = GetTickCount();
    Form_Drag(&f);
    KillTimer(nullptr, timer);
    f.Hide();
    EXPECT_LT(GetTickCount() - start, 5000u);
    if (TDragWatch::Ticks == 0)
        GTEST_SKIP() << "Wine ended the move loop at once (no mouse button held): the cursor during it is not seen";
    EXPECT_EQ(TDragWatch::Seen, crSizeAll);
    EXPECT_EQ(Screen.Cursor(), crDefault);
    EXPECT_EQ(f.Left(), 10);
}

TEST(FontIni, OnlyTheKeysThatExistChangeTheFont)
{
    TSettingsDir s;
    s.Write("[Font]\r\nAll.Bold=1\r\n[Under]\r\nAll.Underline=1\r\nAll.Uderline=0\r\n"
            "[Bad]\r\nAll.Color=reddish\r\nAll.Size=x\r\n[Full]\r\nAll.Name=Courier New\r\nAll.Size=14\r\n"
            "All.Color=clRed\r\nAll.Italic=1\r\nAll.Strike=1\r\nAll.Uderline=1\r\n");
    TIniFile ini(s.Ini());
    TFont f;
    f.SetName(L"Tahoma");
    f.SetSize(9);
    f.SetColor(clWindowText);
    f.SetStyle(fsItalic);
    Font_Load(&ini, L"Font", L"All", f);
    EXPECT_EQ(f.Style(), (TFontStyles)(fsBold | fsItalic));
    EXPECT_EQ(f.Name(), L"Tahoma");
    EXPECT_EQ(f.Size(), 9);
    EXPECT_EQ(f.Color(), clWindowText);

    Font_Load(&ini, L"Under", L"All", f);  // .Underline is not a key of ours
    EXPECT_FALSE(f.Style() & fsUnderline);
    Font_Load(&ini, L"Bad", L"All", f);  // a broken colour keeps the colour, a broken size the size
    EXPECT_EQ(f.Color(), clWindowText);
    EXPECT_EQ(f.Size(), 9);
    Font_Load(&ini, L"Full", L"All", f);
    EXPECT_EQ(f.Name(), L"Courier New");
    EXPECT_EQ(f.Size(), 14);
    EXPECT_EQ(f.Color(), clRed);
    EXPECT_EQ(f.Style(), (TFontStyles)(fsBold | fsItalic | fsUnderline | fsStrikeOut));
    Font_Load(nullptr, L"Font", L"All", f);  // no Ini: nothing
    EXPECT_EQ(f.Name(), L"Courier New");
}

TEST(FontIni, SaveWritesSevenKeysWithColourTexts)
{
    TSettingsDir s;
    TIniFile ini(s.Ini());
    TFont f;
    f.SetName(L"Tahoma");
    f.SetSize(10);
    f.SetColor(clWindowText);
    f.SetStyle(fsUnderline);
    Font_Save(&ini, L"Font", L"All", f);
    std::string text = ReadFileBytes(s.Ini());
    const char* keys[] = {"All.Name=Tahoma", "All.Size=10", "All.Color=clWindowText", "All.Bold=0",
                          "All.Italic=0", "All.Uderline=1", "All.Strike=0"};
    size_t last = 0;
    for (const char* k : keys) {
        size_t at = text.find(k);
        ASSERT_NE(at, std::string::npos) << k << " in " << text;
        EXPECT_GE(at, last) << k;
        last = at;
    }
    f.SetColor(0xC4D1F4);
    Font_Save(&ini, L"Font", L"All", f);
    EXPECT_EQ(ini.ReadString(L"Font", L"All.Color", L""), L"$00C4D1F4");
    TFont g;
    Font_Load(&ini, L"Font", L"All", g);
    EXPECT_EQ(g.Color(), 0xC4D1F4);
    EXPECT_EQ(g.Style(), (TFontStyles)fsUnderline);
}
