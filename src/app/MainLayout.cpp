// The main window as designed: components, design values, captions,
// shortcuts, images and event bindings.
#include "Main.h"
#include "MainImage.h"
#include "ToolWin.h"
#include "xaModulControls.h"

namespace {
using namespace std::placeholders;

// A button that shows its action's picture (from Images) only.
TBitBtn* NewImageButton(TForm1* form, TWinControl* parent, const wchar_t* name, int left, TAction& action,
                        const TImageList& images)
{
    auto* b = new TBitBtn(form);
    b->Name = name;
    b->SetBounds(left, 6, 44, 40);
    b->SetAnchors(akLeft | akBottom);
    b->SetParent(parent);
    Action_Bind(*b, action);
    b->SetCaption(L"");
    b->Glyph.BeginUpdate();
    b->Glyph.SetSize(32, 32);
    b->Glyph.FillRect(RECT{0, 0, 32, 32}, clBtnFace);
    images.Draw(b->Glyph.Canvas(), 0, 0, action.ImageIndex);
    b->Glyph.Changed();
    b->Glyph.EndUpdate();
    return b;
}
}  // namespace

void TForm1::layout()
{
    Name = L"Form1";
    SetClientSize(684, 460);
    Constraints.MinWidth = kMinWidth;
    Constraints.MinHeight = 498;
    SetColor((TColor)0x86B6D2);
    Font.SetName(L"Tahoma");
    Font.SetHeight(-15);
    Font.SetColor((TColor)0x4A4A4A);

    il = new TImageList(this, 16, 16);
    CommandImages_Load(il->Handle(), TCommandStrip::Main);
    al = new TActionList(this);
    al->Images = il;
    auto act = [this](const wchar_t* name, const wchar_t* caption, TShortCut key, int image,
                      void (TForm1::*handler)(TObject*)) {
        auto* a = new TAction(this, al);
        a->Name = name;
        a->Caption = caption;
        a->Hint = caption;
        a->ShortCut = key;
        a->ImageIndex = image;
        a->OnExecute = std::bind(handler, this, _1);
        return a;
    };
    using namespace MainImage;
    Act_Iconize_Do = act(L"Act_Iconize_Do", L"Iconize Do", ShortCut(VK_RETURN, ssCtrl), IconizeDo, &TForm1::Act_Iconize_DoExecute);
    Act_Iconize_De = act(L"Act_Iconize_De", L"Iconize De", ShortCut(VK_RETURN, ssShift), IconizeDe, &TForm1::Act_Iconize_DeExecute);
    Act_Iconize_CopyIco = act(L"Act_Iconize_CopyIco", L"Copy ico to folder", ShortCut(VK_F4, 0), -1, &TForm1::Act_Iconize_CopyIcoExecute);
    Act_Iconize_CopyIco->AutoCheck = Act_Iconize_CopyIco->Checked = true;
    Act_IconizeType = act(L"Act_IconizeType", L"Special iconize", ShortCut(VK_TAB, ssCtrl), IconizeType, &TForm1::Act_IconizeTypeExecute);
    Act_ElmAdrLikeIco = act(L"Act_ElmAdrLikeIco", L"Act_ElmAdrLikeIco", ShortCut(VK_LEFT, ssCtrl), -1, &TForm1::Act_ElmAdrLikeIcoExecute);
    Act_IcoAdrLikeElm = act(L"Act_IcoAdrLikeElm", L"Act_IcoAdrLikeElm", ShortCut(VK_RIGHT, ssCtrl), -1, &TForm1::Act_IcoAdrLikeElmExecute);
    ActTemp = act(L"ActTemp", L"Temp", ShortCut(L'1', ssCtrl | ssShift), -1, &TForm1::ActTempExecute);
    Act_FontTransparent = act(L"Act_FontTransparent", L"Transparent font", ShortCut(L'T', ssCtrl), FontTransparent, &TForm1::Act_FontTransparentExecute);
    Act_FontTransparent->AutoCheck = Act_FontTransparent->Checked = true;
    Act_IcoBazaForElm = act(L"Act_IcoBazaForElm", L"Folder ico Baza", ShortCut(L'Q', ssAlt), IcoBaza, &TForm1::Act_IcoBazaForElmExecute);
    Act_IcoBazaForIco = act(L"Act_IcoBazaForIco", L"Folder ico Baza", ShortCut(L'Q', ssAlt), IcoBaza, &TForm1::Act_IcoBazaForIcoExecute);
    Act_Baza_OpenNew = act(L"Act_Baza_OpenNew", L"Baza Open New", ShortCut(L'Q', ssCtrl | ssShift), BazaOpenNew, &TForm1::Act_Baza_OpenNewExecute);
    Act_Baza_CurrentPathAsBaza = act(L"Act_Baza_CurrentPathAsBaza", L"Current Path As Baza", ShortCut(L'Q', ssShift | ssAlt), BazaCurrentPath, &TForm1::Act_Baza_CurrentPathAsBazaExecute);
    Act_Set_Settings = act(L"Act_Set_Settings", L"Settings", ShortCut(VK_F12, 0), Settings, &TForm1::Act_Set_SettingsExecute);
    Act_Program_About = act(L"Act_Program_About", L"About", ShortCut(VK_F1, 0), About, &TForm1::Act_Program_AboutExecute);
    Act_Program_Help = act(L"Act_Program_Help", L"Help", ShortCut(VK_F1, ssAlt), Help, &TForm1::Act_Program_HelpExecute);
    Act_Program_Sait = act(L"Act_Program_Sait", L"Program sait", scNone, Sait, &TForm1::Act_Program_SaitExecute);
    Act_Program_OpenInExplorer = act(L"Act_Program_OpenInExplorer", L"Open in explorer", ShortCut(VK_F12, ssCtrl | ssAlt), OpenInExplorer, &TForm1::Act_Program_OpenInExplorerExecute);
    Act_Program_Maximize = act(L"Act_Program_Maximize", L"Maximize", ShortCut(VK_RETURN, ssAlt), Maximize, &TForm1::Act_Program_MaximizeExecute);
    Act_Program_Close = act(L"Act_Program_Close", L"Close", ShortCut(VK_F4, ssAlt), MainImage::Close, &TForm1::Act_Program_CloseExecute);
    Act_Program_OpenSettingsIni = act(L"Act_Program_OpenSettingsIni", L"Open Settings.ini", ShortCut(VK_F12, ssCtrl | ssShift), OpenSettingsIni, &TForm1::Act_Program_OpenSettingsIniExecute);
    Act_Program_OpenLanguage = act(L"Act_Program_OpenLanguage", L"Open Language.lng", ShortCut(VK_F12, ssCtrl | ssAlt), OpenLanguage, &TForm1::Act_Program_OpenLanguageExecute);
    Act_Set_ExecuteByDblClick = act(L"Act_Set_ExecuteByDblClick", L"Execute Files by Mouse Dbl Click", scNone, -1, &TForm1::Act_Set_ExecuteByDblClickExecute);
    Act_Set_ExecuteByDblClick->AutoCheck = Act_Set_ExecuteByDblClick->Checked = true;
    Act_Set_IntegrateinShellContexMenu = act(L"Act_Set_IntegrateinShellContexMenu", L"Integrate in Explorer Contex Menu", scNone, -1, &TForm1::Act_Set_IntegrateinShellContexMenuExecute);
    Act_Set_IntegrateinShellContexMenu->AutoCheck = true;

    auto menu = [this](const wchar_t* name, std::initializer_list<TAction*> actions) {
        auto* m = new TPopupMenu(this);
        m->Name = name;
        m->Images = il;
        for (TAction* a : actions) {
            if (!a) {
                m->Add(L"", L"-", scNone, -1, nullptr)->Visible = false;
                continue;
            }
            Action_Bind(*m->Add(L"", a->Caption, scNone, -1, nullptr), *a);
        }
        return m;
    };
    pmIconize = menu(L"pmIconize", {Act_Iconize_Do, Act_Iconize_De, nullptr, Act_Iconize_CopyIco, Act_IconizeType});
    pmBaza = menu(L"pmBaza", {Act_IcoBazaForIco, Act_Baza_OpenNew, Act_Baza_CurrentPathAsBaza});
    pmProgram = menu(L"pmProgram", {Act_Program_Help, Act_Program_OpenInExplorer, Act_Program_Sait, Act_Program_About,
                                    Act_Set_Settings});
    PopupMenu = pmIconize;

    Panel_All = Panel_New(this, this, L"Panel_All", alClient);
    Panel_Down = Panel_New(this, Panel_All, L"Panel_Down", alBottom);
    Panel_Down->SetHeight(52);
    Panel_BtnIconize = Panel_New(this, Panel_Down, L"Panel_BtnIconize", alLeft);
    Panel_BtnIconize->SetWidth(580);
    ilTB = new TImageList(this, 32, 32);
    CommandImages_Load(ilTB->Handle(), TCommandStrip::Main);
    btnClear = NewImageButton(this, Panel_BtnIconize, L"btnClear", 8, *Act_Iconize_De, *ilTB);
    btnClear->PopupMenu = pmIconize;
    TB = new TToolBar(this);
    TB->Name = L"TB";
    TB->SetImages(ilTB);
    TB->SetButtonSize(44, 40);
    TB->SetBounds(60, 6, 44, 40);
    TB->SetAnchors(akLeft | akBottom);
    TB->SetParentColor(true);
    TB->ShowHint = true;
    TB->SetParent(Panel_BtnIconize);
    btnIconizeType = TB->AddButton(L"btnIconizeType");
    Action_Bind(*btnIconizeType, *Act_IconizeType);
    btnIconizeType->Caption = L"";
    ch_CopyIco = new TCheckBox(this);
    ch_CopyIco->Name = L"ch_CopyIco";
    ch_CopyIco->SetBounds(116, 16, 200, 20);
    ch_CopyIco->SetAnchors(akLeft | akBottom);
    ch_CopyIco->SetParentColor(true);
    ch_CopyIco->Font.SetName(L"Tahoma");
    ch_CopyIco->Font.SetHeight(-15);
    ch_CopyIco->Font.SetColor(clMaroon);
    ch_CopyIco->SetParent(Panel_BtnIconize);
    Action_Bind(*ch_CopyIco, *Act_Iconize_CopyIco);
    btnIconize = NewImageButton(this, Panel_BtnIconize, L"btnIconize", 328, *Act_Iconize_Do, *ilTB);
    btnIconize->PopupMenu = pmIconize;
    MM = new TActionMainMenuBar(this);
    MM->Name = L"MM";
    MM->BiDiMode = bdRightToLeft;
    MM->Font.SetName(L"Segoe UI");
    MM->SetBounds(584, 12, 96, 26);
    MM->SetParent(Panel_Down);
    MM->SetAnchors(akTop | akRight);
    MM->AddMenu(L"&Dolv", pmProgram);

    Panel_Type = Panel_New(this, Panel_All, L"Panel_Type", alClient);
    Panel_Norm = Panel_New(this, Panel_Type, L"Panel_Norm", alClient);
    Panel_Norm->Padding.Left = Panel_Norm->Padding.Right = 8;
    Panel_L = Panel_New(this, Panel_Norm, L"Panel_L", alLeft);
    Panel_L->SetWidth(329);
    Panel_L->Constraints.MinWidth = 1;
    FrElm = new TFrExplorer(this);
    FrElm->Name = L"FrElm";
    FrElm->SetParentFont(false);  // the panes take fonts from Font_Apply only
    FrElm->SetParent(Panel_L);
    FrElm->SetAlign(alClient);
    Split = new TSplitter(this);
    Split->Name = L"Split";
    Split->SetWidth(10);
    Split->MinSize = 100;
    Split->SetParent(Panel_Norm);
    Split->SetLeft(Panel_L->Left() + Panel_L->Width());
    Split->OnMoved = std::bind(&TForm1::SplitMoved, this, _1);
    Panel_R = Panel_New(this, Panel_Norm, L"Panel_R", alClient);
    FrIco = new TFrExplorer(this);
    FrIco->Name = L"FrIco";
    FrIco->SetParentFont(false);
    FrIco->SetParent(Panel_R);
    FrIco->SetAlign(alClient);
    Panel_Spec = Panel_New(this, Panel_Type, L"Panel_Spec", alClient);
    Panel_Spec->SetColor((TColor)0x8CB5CC);
    FrSpec1.SetMaker([this] { return makeFrSpec(); });

    OnShow = std::bind(&TForm1::FormShow, this, _1);
    OnCloseQuery = std::bind(&TForm1::FormCloseQuery, this, _1, _2);
    OnResize = std::bind(&TForm1::FormResize, this, _1);
    OnMouseWheel = std::bind(&TForm1::FormMouseWheel, this, _1, _2, _3, _4, _5);
}
