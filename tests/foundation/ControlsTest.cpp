// The shared control, colour and key routines.
#include "WindowDriver.h"
#include "xaModul.h"

TEST(Colors, LightenAndDarken)
{
    const struct { TColor color; int percent; TColor lighter, darker; } cases[] = {
        {0x000000, 50, 0x808080, 0x000000}, {0xFFFFFF, 50, 0xFFFFFF, 0x7F7F7F},
        {0xC6E7FB, 7, 0xCAE9FF, 0xB8D7E9},  // red: no step at 7% of 4, so 255
        {0x0000FF, 2, 0x0505FF, 0x0000FA},
        {0x102030, 0, 0xFFFFFF, 0x102030},  // no step: every channel counts as not lighter
    };
    for (auto& c : cases) {
        EXPECT_EQ(Color_Lighten(c.color, c.percent), c.lighter) << std::hex << c.color << " " << std::dec << c.percent;
        EXPECT_EQ(Color_Darken(c.color, c.percent), c.darker) << std::hex << c.color << " " << std::dec << c.percent;
    }
    // A system colour is first turned into its present RGB value.
    EXPECT_EQ(Color_Darken(clBtnFace, 40), Color_Darken((TColor)GetSysColor(COLOR_BTNFACE), 40));
    EXPECT_EQ(Color_Lighten(clBtnFace, 50), Color_Lighten((TColor)GetSysColor(COLOR_BTNFACE), 50));
}

TEST(Numbers, IntPercentAndIsEven)
{
    const struct { int percent, total, min, result; } cases[] = {
        {42, 1000, 100, 420}, {5, 1000, 100, 100}, {99, 1000, 100, 900},
        {50, 150, 100, 50},  // the upper bound wins over the lower
        {50, 5, 0, 2},       {50, 7, 0, 4},  // halves round to even
        {INT_MAX, 1000, 100, 900}, {INT_MIN, 1000, 100, 100},  // settings.ini garbage stays in bounds
    };
    for (auto& c : cases)
        EXPECT_EQ(Int_Percent(c.percent, c.total, c.min), c.result)
            << c.percent << "% of " << c.total << " min " << c.min;
    for (int n : {0, -2, -1, 7}) EXPECT_EQ(Int_IsEven(n), n % 2 == 0) << n;
}

TEST(Keys, ModifiersComeFromTheThreadKeyState)
{
    auto down = [] { return std::string(Key_Ctrl() ? "Ctrl " : "") + (Key_Shift() ? "Shift " : "") + (Key_Alt() ? "Alt" : ""); };
    BYTE saved[256], state[256] = {};
    GetKeyboardState(saved);
    state[VK_CONTROL] = 0x80;
    SetKeyboardState(state);
    EXPECT_EQ(down(), "Ctrl ");
    state[VK_CONTROL] = 0x01;  // toggled but not down
    state[VK_SHIFT] = 0x81;
    state[VK_MENU] = 0x80;
    SetKeyboardState(state);
    EXPECT_EQ(down(), "Shift Alt");
    SetKeyboardState(saved);
}

TEST(ListView, InvertSelectionAndFindCaption)
{
    struct TItem { String Caption; bool Selected; };
    struct TItems {
        std::vector<TItem> v;
        int Count() const { return (int)v.size(); }
        TItem& operator[](int i) { return v[i]; }
    } items{{{L"a", true}, {L"B", false}, {L"b", true}}};
    ListView_InvertSelection(items);
    for (int i : {0, 1, 2}) EXPECT_EQ(items[i].Selected, i == 1) << i;
    EXPECT_EQ(ListView_FindCaption(items, L"b"), &items[2]);
    EXPECT_EQ(ListView_FindCaption(items, L"A"), nullptr);  // letter case counts
}

TEST(EditDeleteWordRight, DeletesToTheNextDelimiterUndoably)
{
    const struct { const wchar_t* text; int caret; const wchar_t* after; } cases[] = {
        {L"C:\\Program Files\\x", 3, L"C:\\ Files\\x"},    // the word, the space stays
        {L"C:\\Program Files\\x", 2, L"C:Program Files\\x"},  // a delimiter at the caret goes alone
        {L"C:\\Program Files\\x", 17, L"C:\\Program Files\\"},  // no delimiter: to the end
        {L"C:\\Program Files\\x", 18, L"C:\\Program Files\\x"},  // at the end: nothing
        {L"a=b+c", 0, L"=b+c"}, {L"", 0, L""},
    };
    TForm form(nullptr);
    TEdit* edit = Ui_Add<TEdit>(&form, 0, 0, 300, 24);
    for (auto& c : cases) {
        edit->SetText(c.text);
        edit->SetSelStart(c.caret);
        Edit_DeleteWordRight(*edit);
        EXPECT_EQ(edit->Text(), c.after) << N(c.text) << " at " << c.caret;
        EXPECT_EQ(edit->SelStart(), std::min<int>(c.caret, (int)String(c.after).size()));
    }
    edit->SetText(L"one two");  // Ctrl+Del can be undone
    edit->SetSelStart(0);
    Edit_DeleteWordRight(*edit);
    EXPECT_EQ(edit->Text(), L" two");
    SendMessageW(edit->Handle(), EM_UNDO, 0, 0);
    EXPECT_EQ(edit->Text(), L"one two");
}

TEST(FitToCaption, KeepsTheLeadingEdgeAndTheVerticalCentreMeasuredInTheFont)
{
    TFont big;
    big.SetHeight(-30);
    TForm form(nullptr);
    form.SetClientSize(500, 200);
    for (auto [mode, edge] : {std::pair{bdLeftToRight, 100}, std::pair{bdRightToLeft, 400}}) {
        auto* l = Ui_Add<TLabel>(&form, 100, 50, 300, 40);
        l->SetCaption(L"Special iconize");
        l->BiDiMode = mode;
        EXPECT_GT(Text_Width(L"Special iconize", big), Text_Width(L"Special iconize", l->Font));
        EXPECT_GT(Text_Height(L"Special iconize", big), Text_Height(L"Special iconize", l->Font));
        Control_FitToCaption(*l);
        EXPECT_EQ(l->Width(), Text_Width(L"Special iconize", l->Font) + 18);
        EXPECT_EQ(l->Height(), Text_Height(L"Special iconize", l->Font) - 1);
        EXPECT_EQ(mode == bdLeftToRight ? l->Left() : l->Left() + l->Width(), edge) << "the leading edge stays";
        EXPECT_NEAR(l->Top() + l->Height() / 2.0, 70, 1) << "the vertical centre stays";
    }
}

TEST(ColorGlyph, PaintsASwatchOnTheButton)
{
    TForm form(nullptr);
    auto* b = Ui_Add<TBitBtn>(&form, 0, 0, 60, 30);
    BitBtn_ColorGlyph(*b, 0x3366CC);
    EXPECT_EQ(b->Glyph.Width(), 52);
    EXPECT_EQ(b->Glyph.Height(), 22);
    HDC other = CreateCompatibleDC(nullptr);  // the button must be able to draw it
    HGDIOBJ was = SelectObject(other, b->Glyph.Handle());
    EXPECT_NE(was, nullptr) << "the glyph is still selected into its canvas";
    SelectObject(other, was);
    DeleteDC(other);
    HDC dc = b->Glyph.Canvas();
    EXPECT_EQ(GetPixel(dc, 26, 11), 0x3366CCu);  // inside
    EXPECT_EQ(GetPixel(dc, 2, 2), 0x000000u);    // the pen's frame
    EXPECT_EQ(GetPixel(dc, 0, 0), 0xFFFFFFu);    // outside the rectangle
    EXPECT_EQ((HBITMAP)SendMessageW(b->Handle(), BM_GETIMAGE, IMAGE_BITMAP, 0), b->Glyph.Handle());
    BitBtn_ColorGlyph(*b, clRed, 20);
    EXPECT_EQ(b->Glyph.Width(), 20);
}

TEST(ListBoxSelection, AnUnselectedListGetsItsFocusedItem)
{
    TForm form(nullptr);
    auto* lb = new TListBox(&form);
    lb->MultiSelect = true;  // before the window exists: it is a style
    lb->SetParent(&form);
    lb->SetBounds(0, 0, 100, 100);
    for (const wchar_t* s : {L"a", L"b", L"c"}) lb->AddItem(s);
    lb->SetItemIndex(1);
    form.Show();
    ListBox_EnsureSelection(*lb);
    EXPECT_EQ(lb->SelCount(), 1);
    EXPECT_TRUE(lb->Selected(1));
    EXPECT_TRUE(lb->Focused());
    lb->SetSelected(2, true);
    ListBox_EnsureSelection(*lb);  // a selection stays as it is
    EXPECT_EQ(lb->SelCount(), 2);
    form.Hide();
}

TEST(OpenFile, ThroughTheDoorWithTheFolderExpandedAndCancelLeavesTheName)
{
    TTempDir dir;
    TProgDirOverride prog(dir.Path() + L"\\");
    for (int answer : {IDOK, IDCANCEL}) {
        TModalRecorder recorder(answer);
        String name = L"untouched";
        EXPECT_EQ(Dialog_OpenFile(L"Icon", L"Icons|*.ico", L"%exe\\icons", name), answer == IDOK);
        ASSERT_EQ(recorder.Seen.size(), 1u);
        EXPECT_EQ(N(recorder.Seen[0].Kind + L" " + recorder.Seen[0].Caption + L" " + recorder.Seen[0].Text),
                  N(L"TOpenDialog Icon " + dir.Path() + L"\\icons"));
        EXPECT_EQ(name, answer == IDOK ? L"" : L"untouched");  // the responder's text, or kept
    }
}
