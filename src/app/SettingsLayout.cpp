// The settings window's components, design values and bindings.
#include "ImgList.h"
#include "MainImage.h"
#include "Settings.h"

namespace {
TLabel* greyItalicLabel(TForm* form, const wchar_t* name, const wchar_t* caption, int left, int top, int width)
{
    auto* l = new TLabel(form);
    l->Name = name;
    l->SetCaption(caption);
    l->Font.Assign(form->Font);
    l->Font.SetColor(clGray);
    l->Font.SetStyle(fsItalic);
    l->SetParent(form);
    l->SetBounds(left, top, width, 20);
    return l;
}

// The icons-base button shows the picture of the command it runs.
void bazaGlyph(TBitBtn& button)
{
    TImageList images(nullptr);
    if (!CommandImages_Load(images.Handle(), TCommandStrip::Main)) return;
    button.Glyph.SetSize(16, 16);
    images.Draw(button.Glyph.Canvas(), 0, 0, MainImage::BazaOpenNew);
    button.Glyph.Changed();
}
}  // namespace

void TFormSettings::layout()
{
    using namespace std::placeholders;
    Name = L"FormSettings";
    SetCaption(L"Settings");
    SetFormStyle(fsStayOnTop);
    SetBorderIcons(biSystemMenu | biMaximize);
    Constraints.MinWidth = kMinWidth;
    Constraints.MinHeight = kMinHeight;
    SetClientSize(650, 540);
    Font.SetName(L"Tahoma");
    Font.SetHeight(-13);

    pmSet = new TPopupMenu(this);
    pmSet->Name = L"pmSet";
    pmSet_Close = pmSet->Add(L"pmSet_Close", L"Close", VK_ESCAPE, -1, std::bind(&TFormSettings::pmSet_CloseClick, this, _1));
    pmSet_Close->Visible = false;
    PopupMenu = pmSet;

    FrLang = new TFrLanguageComboBox(this);
    FrLang->SetParent(this);
    FrLang->SetAlign(alTop);

    const struct {
        TCheckBox*& box;
        const wchar_t* name;
        int top;
    } boxes[] = {{ch_ExplorerContexMenu, L"ch_ExplorerContexMenu", 60},
                 {ch_SetExecuteByDblClick, L"ch_SetExecuteByDblClick", 90},
                 {chTFontTransparent, L"chTFontTransparent", 120}};
    for (auto& b : boxes) {
        b.box = new TCheckBox(this);
        b.box->Name = b.name;
        b.box->SetParent(this);
        b.box->SetBounds(16, b.top, 600, 24);
        b.box->SetAnchors(akLeft | akTop | akRight);
    }

    btnFont = new TButton(this);
    btnFont->Name = L"btnFont";
    btnFont->SetCaption(L"Font");
    btnFont->SetParent(this);
    btnFont->SetBounds(16, 166, 220, 34);
    btnFont->OnClick = std::bind(&TFormSettings::btnFontClick, this, _1);
    labCtrlWheel = greyItalicLabel(this, L"labCtrlWheel", L"Ctrl + Mouse Wheel = Change font size", 250, 174, 380);

    const struct {
        TButtonColor*& button;
        const wchar_t* name;
        const wchar_t* caption;
        int top;
        void (TFormSettings::*click)(TObject*);
    } colors[] = {{btnColor_Form1, L"btnColor_Form1", L"Color of window", 220, &TFormSettings::btnColorFormClick},
                  {btnColor_List, L"btnColor_List", L"Color of lists", 262, &TFormSettings::btnColorListClick}};
    for (auto& c : colors) {
        c.button = new TButtonColor(this);
        c.button->Name = c.name;
        c.button->SetCaption(c.caption);
        c.button->SymbolWidth = 100;
        c.button->FullOpen = true;
        c.button->SetParent(this);
        c.button->SetBounds(16, c.top, 380, 34);
        c.button->OnClick = std::bind(c.click, this, _1);
    }

    btnResetToDefault = new TButton(this);
    btnResetToDefault->Name = L"btnResetToDefault";
    btnResetToDefault->SetCaption(L"Reset to default");
    btnResetToDefault->SetParent(this);
    btnResetToDefault->SetBounds(16, 314, 380, 50);
    btnResetToDefault->OnClick = std::bind(&TFormSettings::btnResetToDefaultClick, this, _1);

    labBaza = greyItalicLabel(this, L"labBaza", L"Choose folder of icons base", 16, 392, 600);
    edBaza = new TEdit(this);
    edBaza->Name = L"edBaza";
    edBaza->SetParent(this);
    edBaza->SetBounds(16, 416, 580, 24);
    edBaza->SetAnchors(akLeft | akTop | akRight);
    btnBaza = new TBitBtn(this);
    btnBaza->Name = L"btnBaza";
    btnBaza->SetParent(this);
    btnBaza->SetBounds(600, 415, 30, 26);
    btnBaza->SetAnchors(akTop | akRight);
    bazaGlyph(*btnBaza);
}
