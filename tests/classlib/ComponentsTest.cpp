// Ownership, colours and fonts of the class layer.
#include "Forms.h"
#include "WindowDriver.h"

namespace {
struct TCounted : TComponent {
    TCounted(TComponent* owner, int& alive) : TComponent(owner), fAlive(alive) { ++fAlive; }
    ~TCounted() override { --fAlive; }
    int& fAlive;
};
}  // namespace

TEST(Components, OwnerFreesWhatItOwnsAndForgetsWhatIsFreedEarly)
{
    int alive = 0;
    auto* owner = new TComponent(nullptr);
    auto* a = new TCounted(owner, alive);
    new TCounted(a, alive);  // owned two levels down
    auto* c = new TCounted(owner, alive);
    EXPECT_EQ(alive, 3);
    EXPECT_EQ(owner->ComponentCount(), 2);
    delete c;  // freed by hand: the owner must not free it again
    EXPECT_EQ(owner->ComponentCount(), 1);
    EXPECT_EQ(alive, 2);
    a->Name = L"First";
    EXPECT_EQ(owner->FindComponent(L"first"), a);
    delete owner;
    EXPECT_EQ(alive, 0);
    // A form frees its controls with their windows.
    auto form = std::make_unique<TForm>(nullptr);
    auto* edit = new TEdit(form.get());
    edit->SetParent(form.get());
    HWND editWindow = edit->Handle();
    ASSERT_TRUE(IsWindow(editWindow));
    EXPECT_EQ(GetParent(editWindow), form->Handle());
    form.reset();
    EXPECT_FALSE(IsWindow(editWindow));
}

TEST(Colors, NamesAndHexTextBothWays)
{
    struct {
        TColor color;
        const wchar_t* text;
    } cases[] = {
        {clBlack, L"clBlack"},          {clWhite, L"clWhite"},
        {clMoneyGreen, L"clMoneyGreen"}, {clWindowText, L"clWindowText"},
        {clBtnFace, L"clBtnFace"},       {clNone, L"clNone"},
        {clDefault, L"clDefault"},       {0xC4D1F4, L"$00C4D1F4"},
        {0x000001, L"$00000001"},        {(TColor)0xFF000063, L"$FF000063"},
    };
    for (auto& c : cases) {
        EXPECT_EQ(ColorToString(c.color), c.text);
        EXPECT_EQ(StringToColor(c.text), c.color) << N(c.text);
    }
    for (auto [text, color] : {std::pair{L"CLRED", clRed}, {L"0x00FF00", clLime}, {L"255", clRed}}) {
        TColor v = 0;
        EXPECT_TRUE(TryStringToColor(text, v) && v == color) << N(text);
    }
    TColor v = 0;
    EXPECT_FALSE(TryStringToColor(L"reddish", v));
    EXPECT_THROW(StringToColor(L"reddish"), EConvertError);
    // System colours become their current RGB value.
    EXPECT_EQ(ColorToRGB(clBtnFace), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(ColorToRGB(clWindowText), GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(ColorToRGB(0x123456), 0x123456u);
}

TEST(Fonts, SizeAndHeightFollowTheScreenResolution)
{
    TFont f;
    int changes = 0;
    f.OnChange = [&] { ++changes; };
    f.SetHeight(-16);
    EXPECT_EQ(f.Size(), MulDiv(16, 72, Screen_PixelsPerInch()));
    f.SetSize(20);
    EXPECT_EQ(f.Height(), -MulDiv(20, Screen_PixelsPerInch(), 72));
    f.SetStyle(fsBold | fsUnderline);
    LOGFONTW lf{};
    ASSERT_TRUE(GetObjectW(f.Handle(), sizeof lf, &lf));
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_TRUE(lf.lfUnderline);
    EXPECT_FALSE(lf.lfItalic);
    EXPECT_EQ(changes, 3);
}

TEST(Fonts, ChildrenFollowTheParentFontAndColourUntilGivenTheirOwn)
{
    TForm form(nullptr);
    auto* a = Ui_Add<TLabel>(&form, 0, 0, 50, 20);  // labels take the parent's colour by default
    auto* b = Ui_Add<TLabel>(&form, 0, 20, 50, 20);
    auto* panel = Ui_Add<TPanel>(&form, 0, 40, 50, 20);
    b->Font.SetColor(clRed);  // b now has a font of its own
    form.Font.SetName(L"Courier New");
    form.Font.SetColor(clBlue);
    form.SetColor(0x123456);
    EXPECT_EQ(a->Font.Name(), L"Courier New");
    EXPECT_EQ(a->Font.Color(), clBlue);
    EXPECT_TRUE(a->ParentFont());
    EXPECT_FALSE(b->ParentFont());
    EXPECT_EQ(b->Font.Color(), clRed);
    EXPECT_NE(b->Font.Name(), L"Courier New");
    EXPECT_EQ(a->Color(), 0x123456);
    EXPECT_EQ(panel->Color(), clBtnFace);
}

// A control that shows its parent's font already takes nothing when the
// parent is given that font again (its window keeps its font object), and
// takes every part of a font that differs, down to the controls on it.
TEST(Fonts, TheSameFontAgainLeavesTheChildrenAloneAndEachDifferingPartReachesThem)
{
    TForm form(nullptr);
    auto* panel = Ui_Add<TPanel>(&form, 0, 0, 200, 100);
    auto* edit = Ui_Add<TEdit>(panel, 0, 0, 100, 20);
    auto windowFont = [&] { return (HFONT)SendMessageW(edit->Handle(), WM_GETFONT, 0, 0); };
    HFONT before = windowFont();
    ASSERT_TRUE(before);
    TFont same;
    same.Assign(form.Font);
    form.Font.Assign(same);
    EXPECT_EQ(windowFont(), before);
    EXPECT_TRUE(edit->ParentFont());

    struct TCase {
        const char* Part;
        std::function<void(TFont&)> Change;
    } cases[] = {
        {"name", [](TFont& f) { f.SetName(L"Courier New"); }},
        {"height", [](TFont& f) { f.SetHeight(-23); }},
        {"colour", [](TFont& f) { f.SetColor(clRed); }},
        {"style", [](TFont& f) { f.SetStyle(fsBold); }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Part);
        TFont next;
        next.Assign(form.Font);
        c.Change(next);
        form.Font.Assign(next);
        EXPECT_EQ(edit->Font.Color(), next.Color());
        LOGFONTW lf{};
        ASSERT_TRUE(GetObjectW(windowFont(), sizeof lf, &lf));
        EXPECT_EQ(String(lf.lfFaceName), next.Name());
        EXPECT_EQ(lf.lfHeight, next.Height());
        EXPECT_EQ(lf.lfWeight >= FW_BOLD, (next.Style() & fsBold) != 0);
    }
}
