// The font dialog's components, design values and bindings.
#include "xaFontDialog.h"

#include "Handles.h"

#include <richedit.h>

namespace {
// The "Sourse font" button's picture: an arrow turning back.
void drawSourseGlyph(TBitmap& b)
{
    b.SetSize(16, 16);
    HDC dc = b.Canvas();
    TGdiObject pen(CreatePen(PS_SOLID, 2, RGB(30, 90, 170)));
    TSelectScope usePen(dc, pen.Get());
    Arc(dc, 3, 3, 14, 14, 3, 8, 9, 3);
    MoveToEx(dc, 3, 4, nullptr);
    LineTo(dc, 3, 9);
    LineTo(dc, 8, 9);
    b.Changed();
}

// The sixteen custom colours the colour dialog offers.
const TColor kCustomColors[] = {0xBBBBFF, 0xB0DCFF, 0x9FF5FF, 0xD2FFFF, 0xFFFFFF, 0xE5E5E5, 0xC3C3C3, 0x9E9E9E,
                                0xFFD7FE, 0xFFD7E4, 0xFFD9D2, 0xFFDCB9, 0xFFFDD2, 0xCAFFCA, 0xB7FEA5, 0x95D098};
}  // namespace

TFormFont::TFormFont(TComponent* owner) : TForm(owner)
{
    using namespace std::placeholders;
    Name = L"FormFont";
    SetCaption(L"Font");
    SetBorderIcons(0);
    SetClientSize(600, 330);
    Constraints.MinWidth = 550;
    Constraints.MinHeight = 340;
    Position = poOwnerFormCenter;
    Font.SetName(L"Tahoma");
    Font.SetHeight(-13);
    OnResize = std::bind(&TFormFont::FormResize, this, _1);

    ActionManager1 = new TActionList(this);
    auto action = [this](TAction*& a, const wchar_t* name, TShortCut key, void (TFormFont::*execute)(TObject*)) {
        a = new TAction(this, ActionManager1);
        a->Name = name;
        a->ShortCut = key;
        a->OnExecute = std::bind(execute, this, _1);
    };
    action(Act_Bold, L"Act_Bold", ShortCut('B', ssCtrl), &TFormFont::Act_BoldExecute);
    action(Act_Italic, L"Act_Italic", ShortCut('I', ssCtrl), &TFormFont::Act_ItalicExecute);
    action(Act_Underline, L"Act_Underline", ShortCut('U', ssCtrl), &TFormFont::Act_UnderlineExecute);
    action(Act_Strike, L"Act_Strike", ShortCut('S', ssCtrl), &TFormFont::Act_StrikeExecute);
    for (TAction* a : {Act_Bold, Act_Italic, Act_Underline, Act_Strike}) a->AutoCheck = true;
    action(Act_Color, L"Act_Color", ShortCut('K', ssCtrl), &TFormFont::Act_ColorExecute);
    action(Act_SizeUp, L"Act_SizeUp", ShortCut(VK_UP, ssCtrl), &TFormFont::Act_SizeUpExecute);
    Act_SizeUp->SecondaryShortCuts = {ShortCut(VK_OEM_PLUS, ssCtrl)};
    action(Act_SizeDn, L"Act_SizeDn", ShortCut(VK_DOWN, ssCtrl), &TFormFont::Act_SizeDnExecute);
    Act_SizeDn->SecondaryShortCuts = {ShortCut(VK_OEM_MINUS, ssCtrl)};
    action(Act_OK, L"Act_OK", ShortCut(VK_RETURN, ssCtrl), &TFormFont::Act_OKExecute);
    action(Act_Apply, L"Act_Apply", ShortCut(VK_RETURN, ssShift), &TFormFont::Act_ApplyExecute);
    action(Act_Cancel, L"Act_Cancel", VK_ESCAPE, &TFormFont::Act_CancelExecute);
    action(Act_SourseFont, L"Act_SourseFont", ShortCut(VK_BACK, ssShift), &TFormFont::Act_SourseFontExecute);

    ColorDialog1 = new TColorDialog(this);
    ColorDialog1->Name = L"ColorDialog1";
    ColorDialog1->Options = CC_FULLOPEN | CC_PREVENTFULLOPEN | CC_ANYCOLOR;
    ColorDialog1->CustomColors.assign(std::begin(kCustomColors), std::end(kCustomColors));

    pmFont = new TPopupMenu(this);
    pmFont->Name = L"pmFont";
    PopupMenu = pmFont;
    for (TAction* a : {Act_Bold, Act_Italic, Act_Underline, Act_Strike, (TAction*)nullptr, Act_SizeUp, Act_SizeDn,
                       (TAction*)nullptr, Act_Color, (TAction*)nullptr, Act_SourseFont, Act_Cancel, Act_Apply, Act_OK}) {
        TMenuItem* item = pmFont->Add(a ? L"pm" + a->Name : L"", L"-", scNone, -1, nullptr);
        if (a) Action_Bind(*item, *a);
    }

    pnlTop = new TPanel(this);
    pnlTop->Name = L"pnlTop";
    pnlTop->SetBevelOuter(bvNone);
    pnlTop->SetParent(this);
    pnlTop->SetHeight(64);
    pnlTop->SetAlign(alTop);

    fName = new TComboBox(this);
    fName->Name = L"fName";
    fName->DropDownCount = 20;
    fName->SetParent(pnlTop);
    fName->SetBounds(8, 8, 220, 24);
    fName->OnChange = std::bind(&TFormFont::fNameChange, this, _1);

    fSize = new TSpinEdit(this);
    fSize->Name = L"fSize";
    fSize->MinValue = 1;
    fSize->MaxValue = 999;
    fSize->SetParent(pnlTop);
    fSize->SetBounds(236, 8, 64, 24);
    fSize->OnChange = std::bind(&TFormFont::fSizeChange, this, _1);

    fColor = new TBitBtn(this);
    fColor->Name = L"fColor";
    fColor->SetParent(pnlTop);
    fColor->SetBounds(308, 6, 56, 28);
    Action_Bind(*fColor, *Act_Color);
    fColor->OnMouseDown = std::bind(&TFormFont::fColorMouseDown, this, _1, _2, _3, _4, _5);

    const struct {
        TCheckBox*& box;
        const wchar_t* name;
        TAction* action;
        TFontStyle style;
        int left, width;
    } boxes[] = {{fBold, L"fBold", Act_Bold, fsBold, 8, 80},
                 {fItalic, L"fItalic", Act_Italic, fsItalic, 96, 80},
                 {fUnderline, L"fUnderline", Act_Underline, fsUnderline, 184, 100},
                 {fStrike, L"fStrike", Act_Strike, fsStrikeOut, 292, 90}};
    for (auto& b : boxes) {
        b.box = new TCheckBox(this);
        b.box->Name = b.name;
        b.box->SetParent(pnlTop);
        b.box->SetBounds(b.left, 38, b.width, 20);
        b.box->Font.Assign(Font);
        b.box->Font.SetStyle(b.style);  // each shows the style it stands for
        Action_Bind(*b.box, *b.action);
    }

    pnlBottom = new TPanel(this);
    pnlBottom->Name = L"pnlBottom";
    pnlBottom->SetBevelOuter(bvNone);
    pnlBottom->SetParent(this);
    pnlBottom->SetHeight(44);
    pnlBottom->SetAlign(alBottom);

    btnSourseFont = new TBitBtn(this);
    btnSourseFont->Name = L"btnSourseFont";
    btnSourseFont->SetParent(pnlBottom);
    btnSourseFont->SetBounds(8, 8, 36, 28);
    Action_Bind(*btnSourseFont, *Act_SourseFont);
    drawSourseGlyph(btnSourseFont->Glyph);

    const struct {
        TButton*& button;
        const wchar_t* name;
        TAction* action;
        int right;
    } buttons[] = {{btnOK, L"btnOK", Act_OK, 3}, {btnApply, L"btnApply", Act_Apply, 2}, {btnCancel, L"btnCancel", Act_Cancel, 1}};
    for (auto& b : buttons) {
        b.button = new TButton(this);
        b.button->Name = b.name;
        b.button->SetParent(pnlBottom);
        b.button->SetBounds(600 - b.right * 96, 8, 88, 28);
        b.button->SetAnchors(akRight | akTop);
        Action_Bind(*b.button, *b.action);
    }
    // An answer given without showing the dialog presses the button it names.
    btnOK->ModalResult = mrOk;
    btnCancel->ModalResult = mrCancel;

    fExample = new TRichEdit(this);
    fExample->Name = L"fExample";
    fExample->SetScrollBars(ssBoth);
    fExample->SetParent(this);
    fExample->SetAlign(alClient);
    fExample->PopupMenu = pmFont;
    // Plain text without wrapping: a line of the example is a line on the screen.
    SendMessageW(fExample->Handle(), EM_SETTEXTMODE, TM_PLAINTEXT, 0);
    SendMessageW(fExample->Handle(), EM_SETTARGETDEVICE, 0, 1);

    // The wheel belongs to the form before the control under it.
    fWheelHook = Application.HookMainWindow([this](MSG& msg, bool& handled) {
        if (msg.message != WM_MOUSEWHEEL || !fHandle || GetAncestor(msg.hwnd, GA_ROOT) != fHandle) return;
        WORD keys = LOWORD(msg.wParam);
        TShiftState shift = (keys & MK_CONTROL ? ssCtrl : 0) | (keys & MK_SHIFT ? ssShift : 0);
        FormMouseWheel(this, shift, GET_WHEEL_DELTA_WPARAM(msg.wParam), handled);
    });

    FormCreate(this);
}
