#include "Settings.h"

#include "LanguageTexts.h"
#include "SettingsIni.h"
#include "xaFontDialog.h"
#include "xaLanguageUni.h"
#include "xaModul.h"

#include <algorithm>

TMadeOnUse<TFormSettings> FormSettings;

TFormSettings::TFormSettings(TComponent* owner, const TSettingsMain& main) : TForm(owner), fMain(main)
{
    layout();
    FormCreate(this);
}

TFormSettings::~TFormSettings() { IcoBaza_Text_OnChange = nullptr; }

void TFormSettings::FormCreate(TObject*)
{
    using namespace std::placeholders;
    Form_PosLoad(this);
    // Ctrl+wheel sizes the font here as over the main window.
    if (fMain.Form) OnMouseWheel = fMain.Form->OnMouseWheel;
    // The language in use; a language loaded later selects itself there.
    FrLang->LoadLangs(Lng_Path);
    FrLang->cb->OnChange = std::bind(&TFormSettings::FrLangcbSelect, this, _1);
    const std::pair<TCheckBox*, TAction*> options[] = {{ch_ExplorerContexMenu, fMain.ExplorerContexMenu},
                                                        {ch_SetExecuteByDblClick, fMain.ExecuteByDblClick},
                                                        {chTFontTransparent, fMain.FontTransparent}};
    for (auto [box, action] : options)
        if (action) Action_Bind(*box, *action);
    if (fMain.BazaOpenNew) Action_Bind(*btnBaza, *fMain.BazaOpenNew);
    showColors();
    // Each show puts the colours the program uses now in the swatches.
    OnShow = [this](TObject*) { showColors(); };
    // The box shows the icons base and follows its every change; what is
    // typed there is the base at once.
    edBaza->SetText(IcoBaza_Text_Get());
    IcoBaza_Text_OnChange = [this] {
        if (edBaza->Text() != IcoBaza_Text_Get()) edBaza->SetText(IcoBaza_Text_Get());
    };
    edBaza->OnChange = [this](TObject*) { IcoBaza_Text_Set(edBaza->Text()); };
}

void TFormSettings::showColors()
{
    if (fMain.Form) btnColor_Form1->SetSymbolColor(fMain.Form->Color());
    if (fMain.IcoList) btnColor_List->SetSymbolColor(fMain.IcoList->Color());
}

void TFormSettings::btnFontClick(TObject*)
{
    if (!fMain.ElmList) return;
    TFont& listFont = fMain.ElmList->Font;
    FontDialog_Execute(
        &listFont, [this, &listFont] {
            if (fMain.FontApply) fMain.FontApply(listFont);
        },
        L"");
}

void TFormSettings::btnColorFormClick(TObject*)
{
    if (fMain.Form) fMain.Form->SetColor(btnColor_Form1->SymbolColor());
    if (fMain.ColorsApply) fMain.ColorsApply();
}

void TFormSettings::btnColorListClick(TObject*)
{
    for (TListView* list : {fMain.IcoList, fMain.ElmList})
        if (list) list->SetColor(btnColor_List->SymbolColor());
}

void TFormSettings::btnResetToDefaultClick(TObject*)
{
    TFont font;
    font.SetName(L"Tahoma");
    font.SetSize(11);
    font.SetColor((TColor)0x4A4A4A);
    font.SetStyle(0);
    if (fMain.FontApply) fMain.FontApply(font);
    if (fMain.Form) fMain.Form->SetColor((TColor)0x86B6D2);
    for (TListView* list : {fMain.IcoList, fMain.ElmList})
        if (list) list->SetColor((TColor)0xF7FCFD);
    showColors();
    if (fMain.ColorsApply) fMain.ColorsApply();
}

void TFormSettings::FrLangcbSelect(TObject*)
{
    String path;
    bool restartLink = FrLang->klb->Visible();
    if (!FrLang->SelectXA(path)) return;
    try {
        Lng_Load(path, fMain.LanguageApply);
    } catch (...) {
        // The load failed: the chooser shows the language still in use again,
        // so that the same choice tries once more.
        FrLang->SelectLngWithoutTranslate(Lng_Path);
        FrLang->klb->SetVisible(restartLink);
        throw;
    }
}

void TFormSettings::pmSet_CloseClick(TObject*) { Close(); }

void TFormSettings::Language_Set()
{
    using namespace Language;
    SetCaption(Set);
    labCtrlWheel->SetCaption(Set_CtrlWhellForFontSize);
    btnFont->SetCaption(Set_Font);
    btnColor_Form1->SetCaption(Set_ColorForm);
    btnColor_List->SetCaption(Set_ColorList);
    btnResetToDefault->SetCaption(Set_ResetToDefault);
    btnBaza->SetCaption(L"");
    labBaza->SetCaption(Baza + L":");
}

void TFormSettings::Font_Take(const TFont& font)
{
    Font.SetName(font.Name());
    Font.SetHeight(font.Height());
    Font.SetStyle(font.Style());
    // The grey italic labels keep their colour and style, and take name and size.
    for (TLabel* label : {labCtrlWheel, labBaza}) {
        label->Font.SetName(font.Name());
        label->Font.SetHeight(font.Height());
    }
    FrLang->Font_Set();
}

namespace {
int lineHeight(const TControl& c) { return Text_Height(L"Wg", c.Font); }
int textWidth(const TControl& c) { return Text_Width(c.Caption(), c.Font); }

// A label as large as its text, with room for an italic's lean past its last letter.
void labelFit(TLabel& label, int left, int top)
{
    int height = lineHeight(label);
    label.SetBounds(left, top, textWidth(label) + height / 4, height);
}
}  // namespace

void TFormSettings::Font_Fit()
{
    FrLang->Font_Set();
    // Top to bottom with the design's gaps between the rows; each control at
    // least its design size, larger when its text needs it. The right edges
    // that the window must reach are gathered in need.
    const int margin = 16;
    int need = FrLang->klb->Left() + FrLang->klb->Width() + margin;
    int y = FrLang->Height() + 20;
    for (TCheckBox* box : {ch_ExplorerContexMenu, ch_SetExecuteByDblClick, chTFontTransparent}) {
        int height = std::max(24, lineHeight(*box) + 4);
        box->SetBounds(margin, y, box->Width(), height);
        // The box's glyph and its gap before the text; the box reaches the right edge less 34.
        need = std::max(need, margin + textWidth(*box) + 18 + 34);
        y += height + 6;
    }
    y += 16;
    int height = std::max(34, lineHeight(*btnFont) + 14);
    btnFont->SetBounds(margin, y, std::max(220, textWidth(*btnFont) + 24), height);
    labelFit(*labCtrlWheel, btnFont->Left() + btnFont->Width() + 14, y + (height - lineHeight(*labCtrlWheel)) / 2);
    need = std::max(need, labCtrlWheel->Left() + labCtrlWheel->Width() + margin);
    y += height + 20;
    for (TButtonColor* button : {btnColor_Form1, btnColor_List}) {
        height = std::max(34, lineHeight(*button) + 14);
        button->SetBounds(margin, y, std::max(380, textWidth(*button) + button->SymbolWidth + 30), height);
        y += height + 8;
    }
    y += 10;
    height = std::max(50, lineHeight(*btnResetToDefault) + 24);
    btnResetToDefault->SetBounds(margin, y, std::max(380, textWidth(*btnResetToDefault) + 24), height);
    need = std::max(need, btnResetToDefault->Width() + 2 * margin);
    y += height + 28;
    labelFit(*labBaza, margin, y);
    need = std::max(need, labBaza->Width() + 2 * margin);
    y += labBaza->Height() + 4;
    edBaza->SetBounds(margin, y, edBaza->Width(), std::max(24, lineHeight(*edBaza) + 8));
    btnBaza->SetBounds(btnBaza->Left(), edBaza->Top() - 1, btnBaza->Width(), edBaza->Height() + 2);
    int bottom = edBaza->Top() + edBaza->Height() + margin;

    // The window as large as its rows need, never below its design minimum.
    int frameWidth = Width() - ClientWidth(), frameHeight = Height() - ClientHeight();
    Constraints.MinWidth = std::max(kMinWidth, need + frameWidth);
    Constraints.MinHeight = std::max(kMinHeight, bottom + frameHeight);
    if (WindowState() != wsNormal) return;
    if (Width() < Constraints.MinWidth || Height() < Constraints.MinHeight)
        SetBounds(Left(), Top(), std::max(Width(), Constraints.MinWidth), std::max(Height(), Constraints.MinHeight));
}
