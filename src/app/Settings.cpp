#include "Settings.h"

#include "xaFontDialog.h"
#include "xaLanguageUni.h"
#include "xaModul.h"

TFormSettings* FormSettings = nullptr;

TFormSettings::TFormSettings(TComponent* owner, const TSettingsMain& main) : TForm(owner), fMain(main)
{
    layout();
    FormCreate(this);
}

void TFormSettings::FormCreate(TObject*)
{
    using namespace std::placeholders;
    Form_PosLoad(this);
    // Ctrl+wheel sizes the font here as over the main window.
    if (fMain.Form) OnMouseWheel = fMain.Form->OnMouseWheel;
    // At this point no language file is loaded yet: the start selects it in
    // the chooser once it has loaded it.
    FrLang->LoadLangs(Lng_Path);
    FrLang->cb->OnChange = std::bind(&TFormSettings::FrLangcbSelect, this, _1);
    const std::pair<TCheckBox*, TAction*> options[] = {{ch_ExplorerContexMenu, fMain.ExplorerContexMenu},
                                                        {ch_SetExecuteByDblClick, fMain.ExecuteByDblClick},
                                                        {chTFontTransparent, fMain.FontTransparent}};
    for (auto [box, action] : options)
        if (action) Action_Bind(*box, *action);
    if (fMain.BazaOpenNew) Action_Bind(*btnBaza, *fMain.BazaOpenNew);
    showColors();
    // The start reads the stored colours after this window is made: each show
    // puts what the program uses now in the swatches. The box edBaza is the
    // icons base itself (IcoBaza_Text_Get), so what is typed there counts at once.
    OnShow = [this](TObject*) { showColors(); };
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

void TFormSettings::Font_Fit()
{
    FrLang->Font_Set();
    btnBaza->SetBounds(btnBaza->Left(), edBaza->Top() - 1, btnBaza->Width(), edBaza->Height() + 2);
}
