#include "Main.h"

#include "About.h"
#include "CommandLine.h"
#include "LanguageTexts.h"
#include "Settings.h"
#include "ShellMenuSwitch.h"
#include "ind.h"
#include "xaShell.h"
#include "xaEditPath.h"
#include "xaLanguageUni.h"
#include "xaModul.h"
#include "xaShellDialog.h"

#include <algorithm>
#include <cmath>

uint8_t SplitMain = 50;
TForm1* Form1 = nullptr;

namespace {
// Name, size and style of Source; the colour stays.
void Font_AssignShape(TFont& target, const TFont& source)
{
    target.SetName(source.Name());
    target.SetHeight(source.Height());
    target.SetStyle(source.Style());
}
}  // namespace

TForm1::TForm1(TComponent* owner) : TForm(owner, TWindowWaits{})
{
    layout();
    FormCreate(this);
}

void TForm1::HandleCreated()
{
    TForm::HandleCreated();
    // The window shows hints: the two picture buttons, the option and the star tell what they do.
    for (TControl* c : std::initializer_list<TControl*>{btnClear, ch_CopyIco, btnIconize, btnIcoBaza})
        Control_ShowHint(*c);
    // The bar's layout gives the path box the whole width; the star stays above its right end.
    SetWindowPos(btnIcoBaza->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TForm1::paneTreat(TFrExplorer& pane)
{
    // Checked and executed: the action flips to unchecked, which hides the
    // pane's tool bar and takes away the list view's bottom margin.
    pane.ActPanelButtons->Checked = true;
    pane.ActPanelButtons->Execute();
    pane.btnDirUp->SetBevelOuter(bvNone);
    pane.btnDirUp->SetBorderStyle(bsNone);
    pane.btnDirUp->SetParentColor(true);
    pane.ep->SetCtl3D(false);
    pane.ep->SetBorderStyle(bsNone);
    pane.ep->SetParentColor(true);
    pane.ep->SetTabStop(false);
}

void TForm1::FormCreate(TObject*)
{
    Form_PosLoad(this, nullptr, L"", true);
    MM->SetParentColor(true);

    paneTreat(*FrElm);
    FrElm->TB->SetVisible(false);
    FrElm->LVS->SetPath(L"");
    TListColumns& cols = FrElm->LVS->Columns;
    cols[1].SetWidth(80);
    cols[2].SetWidth(80);
    cols[0].SetWidth(FrElm->LVS->Width() - cols[1].Width() - cols[2].Width() - 20);

    paneTreat(*FrIco);
    FrIco->LVS->OnCustomDrawItem = std::bind(&TForm1::frIcoLVSCustomDrawItem, this, std::placeholders::_1,
                                             std::placeholders::_2, std::placeholders::_3, std::placeholders::_4);
    FrIco->TB->SetVisible(false);
    createPaneHandlers();
    createIcoBaza();

    if (auto* view = dynamic_cast<TMenuItem*>(FrIco->pm->FindComponent(L"miActView_SUB")))
        Action_Bind(*view->Add(L"miAct_FontTransparent"), *Act_FontTransparent);

    Panel_Spec->SetVisible(false);
    Panel_Norm->SetVisible(true);
}

void TForm1::createPaneHandlers()
{
    using namespace std::placeholders;
    FrElm->LVS->OnMouseDown = std::bind(&TForm1::frElmLVSMouseDown, this, _1, _2, _3, _4, _5);
    FrElm->ActPaste->OnExecute = std::bind(&TForm1::FrElmActPasteExecute, this, _1);
    FrIco->LVS->OnMouseDown = std::bind(&TForm1::frIcoLVSMouseDown, this, _1, _2, _3, _4, _5);
    FrIco->ActPaste->OnExecute = std::bind(&TForm1::FrIcoActPasteExecute, this, _1);
}

void TForm1::createIcoBaza()
{
    using namespace std::placeholders;
    // Each pane reaches the base from its Advanced submenu's end and its favourites' top.
    for (auto [pane, action] : {std::pair{FrElm, Act_IcoBazaForElm}, std::pair{FrIco, Act_IcoBazaForIco}}) {
        if (auto* advanced = dynamic_cast<TMenuItem*>(pane->pm->FindComponent(L"miActAdvansed_SUB")))
            Action_Bind(*advanced->Add(L"mi" + action->Name), *action);
        Action_Bind(*pane->pmFavorit->Insert(0, L"mi" + action->Name, L""), *action);
    }

    TPanel* up = FrIco->btnDirUp;
    btnIcoBaza = new TPanel(this);
    btnIcoBaza->Name = L"btnIcoBaza";
    btnIcoBaza->SetCaption(L"\u2605");
    btnIcoBaza->Cursor = crHandPoint;
    btnIcoBaza->Hint = L"База иконок";
    btnIcoBaza->PopupMenu = pmBaza;
    btnIcoBaza->SetParentColor(false);
    btnIcoBaza->SetColor(FrIco->Color());
    btnIcoBaza->SetParentFont(false);
    btnIcoBaza->Font.Assign(FrIco->ep->Font);
    btnIcoBaza->SetBevelOuter(bvNone);
    btnIcoBaza->SetBorderStyle(bsNone);
    btnIcoBaza->SetBounds(0, 0, up->Width(), up->Height());
    btnIcoBaza->Margins = {0, up->Top(), 0, up->Top()};
    btnIcoBaza->AlignWithMargins = true;
    btnIcoBaza->SetParent(FrIco->PanelAdr);
    btnIcoBaza->SetAlign(alRight);
    btnIcoBaza->OnMouseEnter = std::bind(&TFrExplorer::btnDirUpMouseEnter, FrIco, _1);
    btnIcoBaza->OnMouseLeave = std::bind(&TFrExplorer::btnDirUpMouseLeave, FrIco, _1);
    btnIcoBaza->OnMouseDown = std::bind(&TForm1::btnIcoBazaMouseDown, this, _1, _2, _3, _4, _5);
    FrIco->Sizing();
}

void TForm1::btnIcoBazaMouseDown(TObject*, TMouseButton button, TShiftState, int, int)
{
    // The right button opens pmBaza, the star's own menu.
    if (button == mbLeft)
        Act_IcoBazaForIco->Execute();
    else if (button == mbMiddle)
        Act_Baza_OpenNew->Execute();
}

// An empty base lists the drives.
void TForm1::Act_IcoBazaForElmExecute(TObject*) { FrElm->LVS->SetPath(IcoBaza_Get()); }

void TForm1::Act_IcoBazaForIcoExecute(TObject*) { FrIco->LVS->SetPath(IcoBaza_Get()); }

// The new base counts from its next use and reaches settings.ini when the window closes.
void TForm1::Act_Baza_OpenNewExecute(TObject*)
{
    String path;
    if (!ShellDialog_SelectPath(path, Language::Baza_OpenNew, IcoBaza_Text_Get())) return;
    if (FileExists(path)) {
        // A file stands for its folder; a drive's root keeps its backslash.
        path = ExtractFilePath(path);
        if (path.size() > 1 && path[path.size() - 2] != L':') path = ExcludeTrailingPathDelimiter(path);
    }
    IcoBaza_Text_Set(Path_Collapse(path, L"%exe"));
}

void TForm1::Act_Baza_CurrentPathAsBazaExecute(TObject*)
{
    IcoBaza_Text_Set(Path_Collapse(FrIco->LVS->Path(), L"%exe"));
}

TSettingsValues TForm1::SettingsValues() const
{
    TSettingsValues v;
    v.FontSize = Font.Size();
    v.SplitMain = SplitMain;
    v.SplitSpec = SplitSpec;
    v.IconizeCopyIco = Act_Iconize_CopyIco->Checked;
    v.FontTransparent = Act_FontTransparent->Checked;
    v.ExecuteByDblClick = Act_Set_ExecuteByDblClick->Checked;
    v.IcoBaza = IcoBaza_Text_Get();
    v.Font = &FrElm->LVS->Font;
    v.ColorForm = (int)Color();
    v.ColorList = (int)FrElm->LVS->Color();
    return v;
}

TSettingsParts TForm1::SettingsParts()
{
    TSettingsParts parts;
    parts.Placements.push_back(this);
    // A settings window never made keeps the section settings.ini holds.
    if (TFormSettings* settings = FormSettings.Made()) parts.Placements.push_back(settings);
    parts.Lists = {{L"elmLVS", FrElm->LVS}, {L"icoLVS", FrIco->LVS}};
    return parts;
}

void TForm1::FormShow(TObject*)
{
    if (!fFirstShow) return;
    FrElm->LVS->SetFocus();
    fFirstShow = false;
}

void TForm1::Language_Set()
{
    using namespace Language;
    SetCaption(L"Dolv 2021.11");
    Act_Program_About->Caption = xaLanguageUni::App_About;
    Act_Program_OpenInExplorer->Caption = xaLanguageUni::App_OpenInExplorer;
    Act_Program_Sait->Caption = xaLanguageUni::App_Sait;
    Act_Program_Help->Caption = xaLanguageUni::App_Help;
    Act_Program_Maximize->Caption = xaLanguageUni::Maximize;
    Act_Program_Close->Caption = xaLanguageUni::Close;
    Act_Program_About->Hint = xaLanguageUni::App_About;
    if (TFrSpec* spec = FrSpec1.Made()) spec->Language_Set();
    Lng_FrExplorer_Set(FrElm);
    Lng_FrExplorer_Set(FrIco);
    Act_FontTransparent->Caption = Set_FontTransparent;
    Act_CaptionHint_Set(*Act_Set_Settings, Set);
    Act_Set_IntegrateinShellContexMenu->Caption = Set_IntegrateInShellContexMenu;
    Act_Set_ExecuteByDblClick->Caption = Set_ExecuteByDblClick;
    Act_CaptionHint_Set(*Act_Baza_OpenNew, Baza_OpenNew);
    Act_CaptionHint_Set(*Act_Baza_CurrentPathAsBaza, Baza_CurrentPathAsBaza);
    Act_CaptionHint_Set(*Act_IcoBazaForIco, Baza);
    Act_CaptionHint_Set(*Act_IconizeType, Iconize_Type);
    Act_CaptionHint_Set(*Act_Iconize_CopyIco, Iconize_CopyIco);
    Act_CaptionHint_Set(*Act_Iconize_Do, Iconize_Do);
    Act_CaptionHint_Set(*Act_Iconize_De, Iconize_De);
    for (TAction* a : {Act_Program_About, Act_Program_OpenInExplorer, Act_Program_Sait, Act_Program_Help,
                       Act_Program_Maximize, Act_Program_Close, Act_FontTransparent, Act_Set_Settings,
                       Act_Set_IntegrateinShellContexMenu, Act_Set_ExecuteByDblClick, Act_Baza_OpenNew,
                       Act_Baza_CurrentPathAsBaza, Act_IcoBazaForIco, Act_IconizeType, Act_Iconize_CopyIco,
                       Act_Iconize_Do, Act_Iconize_De})
        a->Change();
    // The two buttons show their pictures only.
    btnIconize->SetCaption(L"");
    btnClear->SetCaption(L"");
}

void TForm1::FormCloseQuery(TObject*, bool&)
{
    // A write that fails is told, and the window still closes: a settings
    // file that cannot be written must not keep the user from ending the
    // program.
    Application.Guard([this] { Settings_Save(SettingsValues(), SettingsParts()); });
}

LRESULT TForm1::WndProc(UINT msg, WPARAM wp, LPARAM lp)
{
    // Windows ends the process at the end of a session without closing its
    // windows. Only the end itself writes: a session end that was merely
    // asked about may still be called off.
    if (msg == WM_ENDSESSION && wp) {
        if (OnSessionEnd) OnSessionEnd();
        return 0;
    }
    return TForm::WndProc(msg, wp, lp);
}

void TForm1::FormResize(TObject*)
{
    int room = Panel_Norm->Width() - Panel_Norm->Padding.Left - Panel_Norm->Padding.Right - Split->Width();
    Panel_L->SetWidth(Int_Percent(SplitMain, room, Split->MinSize));
}

void TForm1::SplitMoved(TObject*)
{
    // The splitter's left edge includes the left padding and its width is not
    // taken off, unlike FormResize: a resize after a move may shift a little.
    int room = Panel_Norm->Width() - Panel_Norm->Padding.Left - Panel_Norm->Padding.Right;
    if (room > 0) SplitMain = (uint8_t)(int)std::nearbyint(100.0 / room * Split->Left());
    Panel_Norm->Repaint();
}

void TForm1::FormMouseWheel(TObject*, TShiftState, int wheelDelta, POINT, bool& handled)
{
    if (!Key_Ctrl()) return;
    handled = true;
    int size = Font.Size();
    if (wheelDelta < 0) {
        if (size <= 8) return;
        Font.SetSize(size - 1);
    } else {
        if (size >= 20) return;
        Font.SetSize(size + 1);
    }
    Font_Apply(*this, Font);
}

void TForm1::BottomBar_Fit()
{
    Control_FitToCaption(*ch_CopyIco);
    // Each control after the one before it, with the design's gaps, so that a
    // long caption or a large font pushes the Iconize button on instead of
    // running under it.
    int x = btnClear->Left();
    for (auto [control, gap] : {std::pair<TControl*, int>{btnClear, 0}, {TB, 8}, {ch_CopyIco, 12}, {btnIconize, 12}}) {
        control->SetLeft(x + gap);
        x += gap + control->Width();
    }
    Panel_BtnIconize->SetWidth(x + 8);
    // The menu bar keeps its place at the right end; the window never gets so
    // narrow that the two meet.
    int menuRoom = Panel_Down->Width() - MM->Left();
    Constraints.MinWidth = std::max<int>(kMinWidth, Width() - ClientWidth() + Panel_BtnIconize->Width() + menuRoom);
    if (Width() < Constraints.MinWidth && WindowState() == wsNormal) SetWidth(Constraints.MinWidth);
}

void TForm1::Act_FontTransparentExecute(TObject*) { FrIco->LVS->Invalidate(); }

void TForm1::frIcoLVSCustomDrawItem(TListView* sender, TListItem* item, TCustomDrawState state, bool& defaultDraw)
{
    FrIco->LVSCustomDrawItem(sender, item, state, defaultDraw);
    if (!Act_FontTransparent->Checked)
        sender->Canvas.Font.Color = FrElm->LVS->Font.Color();
    else if (!LVS_ItemIsFolder(*item))
        sender->Canvas.Font.Color = FrIco->LVS->Color();  // only the icon shows
}

void TForm1::Act_Set_ExecuteByDblClickExecute(TObject*)
{
    FrIco->LVS->SetExecuteFile(Act_Set_ExecuteByDblClick->Checked);
    FrElm->LVS->SetExecuteFile(Act_Set_ExecuteByDblClick->Checked);
}

void TForm1::Act_Program_MaximizeExecute(TObject*)
{
    SetWindowState(WindowState() == wsMaximized ? wsNormal : wsMaximized);
}

void TForm1::Act_Program_CloseExecute(TObject*) { Close(); }

void TForm1::Act_Program_AboutExecute(TObject*)
{
    About_Show([this](TObject* sender) { Act_Program_OpenInExplorerExecute(sender); });
}

void TForm1::Act_Program_HelpExecute(TObject*) { Shell_OpenExpanded(L"help\\dolv.html"); }

void TForm1::Act_Program_SaitExecute(TObject*) { Shell_OpenExpanded(Prog_Sait); }

void TForm1::Act_Program_OpenInExplorerExecute(TObject*) { Explorer_Select(Prog_FullName()); }

void TForm1::Act_Program_OpenSettingsIniExecute(TObject*) { Shell_OpenExpanded(Settings_FileName()); }

void TForm1::Act_Program_OpenLanguageExecute(TObject*) { Shell_Open(Lng_Path); }

void TForm1::Act_Set_IntegrateinShellContexMenuExecute(TObject*)
{
    ShellMenu_Switch(Act_Set_IntegrateinShellContexMenu, ShellMenu_Command(), Prog_FullName());
}

// The commands that their own units fill.
void TForm1::Act_Iconize_DoExecute(TObject*)
{
    if (Panel_Spec->Visible())
        Form1_IconizeSpecial(this, true);
    else
        Form1_Iconize(*this);
}
void TForm1::Act_Iconize_DeExecute(TObject*)
{
    if (Panel_Spec->Visible())
        Form1_ClearSpecial(this, true);
    else
        Form1_Clear(*this);
}
void TForm1::Act_Iconize_CopyIcoExecute(TObject*) {}  // the state is read where it is needed
void TForm1::Act_ElmAdrLikeIcoExecute(TObject*) { FrElm->LVS->SetPath(FrIco->LVS->Path()); }
void TForm1::Act_IcoAdrLikeElmExecute(TObject*) { FrIco->LVS->SetPath(FrElm->LVS->Path()); }
void TForm1::ActTempExecute(TObject*) { FrElm->LVS->ClearSelection(); }
void TForm1::Act_Set_SettingsExecute(TObject*) { FormSettings->ShowModal(); }

namespace {
TFont fontSpread;
bool fontSpreadOnce = false;
}  // namespace

const TFont* Font_Spread() { return fontSpreadOnce ? &fontSpread : nullptr; }

void Font_Apply(TForm1& f, const TFont& font)
{
    if (font.Size() < 8 || font.Size() > 20) return;
    f.Font.Assign(font);
    Font_AssignShape(f.MM->Font, font);
    Font_AssignShape(f.ch_CopyIco->Font, font);
    for (TFrExplorer* pane : {f.FrElm, f.FrIco}) {
        pane->LVS->Font.Assign(font);
        Font_AssignShape(pane->ep->Font, font);
        Font_AssignShape(pane->btnDirUp->Font, font);
    }
    if (TFrSpec* spec = f.FrSpec1.Made()) spec->FontApply(font);
    fontSpread.Assign(font);
    fontSpreadOnce = true;
    if (TFormSettings* settings = FormSettings.Made()) settings->Font_Take(font);
    f.FrElm->Sizing();
    f.FrIco->Sizing();
    f.MM->FitToItems();
    f.MM->SetTop((int)std::nearbyint((f.Panel_Down->Height() - (f.MM->ItemRect(0).bottom - f.MM->ItemRect(0).top)) / 2.0));
    f.BottomBar_Fit();  // the copy option to its caption, and the bar beside the menu bar's new width
    if (TFrSpec* spec = f.FrSpec1.Made()) spec->FontApplied();
    if (TFormSettings* settings = FormSettings.Made()) settings->Font_Fit();
}

void Colors_Apply(TForm1& f)
{
    TColor c = f.Color();
    for (TFrExplorer* pane : {f.FrElm, f.FrIco}) {
        pane->ep->Font.SetColor(Color_Darken(c, 40));
        if (auto* ep = dynamic_cast<TxaEditPath*>(pane->ep)) ep->SetHotColor(Color_Lighten(c, 50));
        pane->btnDirUp->SetParentColor(true);
        pane->btnDirUp->Font.SetColor(pane->ep->Font.Color());
    }
    f.ch_CopyIco->Font.SetColor((TColor)0x0000FF);
}
