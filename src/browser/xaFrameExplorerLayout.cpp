// The explorer pane's components with their design values, its action table
// and its three menus.
#include "ActnLink.h"
#include "xaFrameExplorer.h"
#include "xaModulControls.h"

namespace {
using THandler = void (TFrExplorer::*)(TObject*);

struct TActionDesign {
    TAction* TFrExplorer::*Field;
    const wchar_t* Name;
    TShortCut ShortCut;
    const wchar_t* Caption;
    int Image;
    THandler Handler;
};

// The pane's actions in list order (of two with one key the earlier would win).
const TActionDesign kActions[] = {
    {&TFrExplorer::ActExecute, L"ActExecute", VK_RETURN, L"Execute", PaneImage::Execute, &TFrExplorer::ActExecuteExecute},
    {&TFrExplorer::ActRename, L"ActRename", VK_F2, L"Rename", PaneImage::Rename, &TFrExplorer::ActRenameExecute},
    {&TFrExplorer::ActDelete, L"ActDelete", VK_DELETE, L"Delete", PaneImage::Delete, &TFrExplorer::ActDeleteExecute},
    {&TFrExplorer::ActCreateFolder, L"ActCreateFolder", VK_F7, L"New folder", PaneImage::NewFolder,
     &TFrExplorer::ActCreateFolderExecute},
    {&TFrExplorer::ActCreateTxt, L"ActCreateTxt", VK_F6, L"New txt", PaneImage::NewTxt, &TFrExplorer::ActCreateTxtExecute},
    {&TFrExplorer::ActCopy, L"ActCopy", scCtrl | 'C', L"Copy", PaneImage::Copy, &TFrExplorer::ActCopyExecute},
    {&TFrExplorer::ActCut, L"ActCut", scCtrl | 'X', L"Cut", PaneImage::Cut, &TFrExplorer::ActCutExecute},
    {&TFrExplorer::ActPaste, L"ActPaste", scCtrl | 'V', L"Paste", PaneImage::Paste, &TFrExplorer::ActPasteExecute},
    {&TFrExplorer::ActView_SUB, L"ActView_SUB", scNone, L"View", -1, &TFrExplorer::ActView_SUBExecute},
    {&TFrExplorer::ActStyleTable, L"ActStyleTable", scNone, L"Table", PaneImage::StyleTable,
     &TFrExplorer::ActStyleTableExecute},
    {&TFrExplorer::ActStyleIcons, L"ActStyleIcons", scNone, L"Icons", PaneImage::StyleIcons,
     &TFrExplorer::ActStyleIconsExecute},
    {&TFrExplorer::ActStyleCols, L"ActStyleCols", scNone, L"Cols", PaneImage::StyleCols, &TFrExplorer::ActStyleColsExecute},
    {&TFrExplorer::ActStyleRows, L"ActStyleRows", scNone, L"Rows", PaneImage::StyleRows, &TFrExplorer::ActStyleRowsExecute},
    {&TFrExplorer::ActHideVisible, L"ActHideVisible", scCtrl | 'H', L"Show Hide", PaneImage::ShowHide,
     &TFrExplorer::ActHideVisibleExecute},
    {&TFrExplorer::ActOpenInExplorer, L"ActOpenInExplorer", scAlt | 'O', L"Open in explorer", PaneImage::OpenInExplorer,
     &TFrExplorer::ActOpenInExplorerExecute},
    {&TFrExplorer::ActRefresh, L"ActRefresh", VK_F5, L"Refresh", PaneImage::Refresh, &TFrExplorer::ActRefreshExecute},
    {&TFrExplorer::ActProperties, L"ActProperties", scCtrl | VK_F1, L"Properties", PaneImage::Properties,
     &TFrExplorer::ActPropertiesExecute},
    {&TFrExplorer::ActPanelButtons, L"ActPanelButtons", scNone, L"ActPanelButtons", -1,
     &TFrExplorer::ActPanelButtonsExecute},
    {&TFrExplorer::ActAdvansed_SUB, L"ActAdvansed_SUB", scNone, L"Advansed", -1, &TFrExplorer::ActAdvansed_SUBExecute},
    {&TFrExplorer::ActPathActivate, L"ActPathActivate", scAlt | 'A', L"Path activate", -1,
     &TFrExplorer::ActPathActivateExecute},
    {&TFrExplorer::ActPathCopy, L"ActPathCopy", scAlt | 'C', L"Path \u0441opy", PaneImage::Copy,
     &TFrExplorer::ActPathCopyExecute},
    {&TFrExplorer::ActPathPaste, L"ActPathPaste", scAlt | 'V', L"Path paste", PaneImage::Paste,
     &TFrExplorer::ActPathPasteExecute},
    {&TFrExplorer::ActCopySelectedFullPaths, L"ActCopySelectedFullPaths", scShift | scCtrl | 'C',
     L"Copy Selected Full Paths", PaneImage::Copy, &TFrExplorer::ActCopySelectedFullPathsExecute},
    {&TFrExplorer::ActCopySelectedNamesExts, L"ActCopySelectedNamesExts", scCtrl | scAlt | 'C', L"Copy Selected Names",
     PaneImage::Copy, &TFrExplorer::ActCopySelectedNamesExtsExecute},
    {&TFrExplorer::ActFolderApplication, L"ActFolderApplication", scAlt | VK_F12, L"Folder Application",
     PaneImage::Folder, &TFrExplorer::ActFolderApplicationExecute},
    {&TFrExplorer::ActFolderDesktop, L"ActFolderDesktop", scAlt | 'D', L"Folder Desktop", PaneImage::Folder,
     &TFrExplorer::ActFolderDesktopExecute},
    {&TFrExplorer::ActFolderMyKomp, L"ActFolderMyKomp", scAlt | 'E', L"Folder My Komp", PaneImage::Folder,
     &TFrExplorer::ActFolderMyKompExecute},
};

// Appends a menu item bound to the action (none: a separator line).
TMenuItem* addItem(TMenuItem& parent, TAction* action)
{
    TMenuItem* item = parent.Add(action ? L"mi" + action->Name : L"", L"-");
    if (action) Action_Bind(*item, *action);
    return item;
}
TMenuItem* addItem(TPopupMenu& parent, TAction* action)
{
    TMenuItem* item = parent.Add(action ? L"mi" + action->Name : L"", L"-", scNone, -1, nullptr);
    if (action) Action_Bind(*item, *action);
    return item;
}

// The view styles: radio items of group 1.
template <class TParent>
void addStyles(TParent& parent, std::initializer_list<TAction*> actions)
{
    for (TAction* a : actions) {
        TMenuItem* item = addItem(parent, a);
        item->RadioItem = true;
        item->GroupIndex = 1;
    }
}
}  // namespace

void TFrExplorer::createComponents()
{
    Name = L"FrExplorer";
    SetBounds(0, 0, 568, 315);
    OnResize = [this](TObject* s) { FrameResize(s); };

    il = new TImageList(this, 16, 16);
    il->Name = L"il";
    CommandImages_Load(il->Handle(), TCommandStrip::Pane);

    al = new TActionList(this);
    al->Name = L"al";
    al->Images = il;
    al->State = asSuspended;
    for (const TActionDesign& d : kActions) {
        auto* a = new TAction(this, al);
        a->Name = d.Name;
        a->ShortCut = d.ShortCut;
        a->Caption = d.Caption;
        a->ImageIndex = d.Image;
        a->OnExecute = [this, h = d.Handler](TObject* s) { (this->*h)(s); };
        this->*d.Field = a;
    }
    for (TAction* a : {ActStyleTable, ActStyleIcons, ActStyleCols, ActStyleRows}) {
        a->AutoCheck = true;
        a->GroupIndex = 1;
    }
    ActHideVisible->AutoCheck = true;
    ActPanelButtons->AutoCheck = true;
    ActPanelButtons->Checked = true;

    pm = new TPopupActionBar(this);
    pm->Name = L"pm";
    pmStyle = new TPopupActionBar(this);
    pmStyle->Name = L"pmStyle";
    pmFavorit = new TPopupActionBar(this);
    pmFavorit->Name = L"pmFavorit";
    for (TPopupActionBar* m : {pm, pmStyle, pmFavorit}) m->Images = il;

    for (TAction* a : {ActExecute, ActRename, ActDelete, (TAction*)nullptr, ActCreateFolder, ActCreateTxt,
                       (TAction*)nullptr, ActCopy, ActCut, ActPaste, (TAction*)nullptr})
        addItem(*pm, a);
    TMenuItem* view = addItem(*pm, ActView_SUB);
    addStyles(*view, {ActStyleTable, ActStyleIcons, ActStyleCols, ActStyleRows});
    addItem(*view, nullptr);
    addItem(*view, ActHideVisible);
    TMenuItem* advansed = addItem(*pm, ActAdvansed_SUB);
    for (TAction* a : {ActPathCopy, ActPathPaste, ActPathActivate, (TAction*)nullptr, ActCopySelectedFullPaths,
                       ActCopySelectedNamesExts, (TAction*)nullptr, ActFolderDesktop, ActFolderMyKomp,
                       ActFolderApplication})
        addItem(*advansed, a);
    for (TAction* a : {(TAction*)nullptr, ActOpenInExplorer, ActRefresh, ActProperties}) addItem(*pm, a);
    addStyles(*pmStyle, {ActStyleTable, ActStyleIcons, ActStyleCols, ActStyleRows});
    for (TAction* a : {ActFolderDesktop, ActFolderMyKomp, ActFolderApplication, (TAction*)nullptr, ActOpenInExplorer,
                       (TAction*)nullptr, ActPathCopy, ActPathPaste, ActPathActivate})
        addItem(*pmFavorit, a);

    PanelAdr = Panel_New(this, this, L"PanelAdr", alTop);
    PanelAdr->SetHeight(25);

    btnDirUp = new TPanel(this);
    btnDirUp->Name = L"btnDirUp";
    btnDirUp->SetCaption(L"..");
    btnDirUp->SetBounds(0, 0, 35, 25);
    btnDirUp->Cursor = crHandPoint;
    btnDirUp->PopupMenu = pmFavorit;
    btnDirUp->SetParent(PanelAdr);
    btnDirUp->OnClick = [this](TObject* s) { btnDirUpClick(s); };
    btnDirUp->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        btnDirUpMouseDown(s, b, sh, x, y);
    };
    btnDirUp->OnMouseEnter = [this](TObject* s) { btnDirUpMouseEnter(s); };
    btnDirUp->OnMouseLeave = [this](TObject* s) { btnDirUpMouseLeave(s); };

    LVS = new TxaShellListView(this);
    LVS->Name = L"LVS";
    ep = new TxaEditPath(this);
    ep->SetHotColor((TColor)0x00FFA851);
    ep->SetHotBevel(0);
    ep->SetXaShellListView(LVS);
    ep->Name = L"ep";
    ep->SetBorderStyle(bsNone);
    ep->SetBounds(35, 0, 533, 25);
    ep->SetParent(PanelAdr);
    ep->SetAnchors(akLeft | akTop | akRight);

    TB = new TToolBar(this);
    TB->Name = L"TB";
    TB->List = true;
    TB->GradientDrawing = true;
    TB->Customizable = true;
    TB->ShowHint = true;
    TB->Wrapable = false;
    TB->AutoSize = true;
    TB->SetImages(il);
    TB->SetButtonSize(32, 28);
    TB->SetHeight(28);
    TB->Margins = {0, 8, 0, 0};
    TB->AlignWithMargins = true;
    TB->SetParent(this);
    TB->SetAlign(alBottom);
    auto button = [this](TAction* a, TToolButtonStyle style = tbsButton) {
        TToolButton* b = TB->AddButton(a ? L"tb" + a->Name.substr(3) : L"", a ? style : tbsSeparator);
        b->Cursor = crHandPoint;
        if (a) Action_Bind(*b, *a);
        return b;
    };
    for (TAction* a : {ActRename, ActDelete, (TAction*)nullptr, ActCreateFolder, ActCreateTxt, (TAction*)nullptr,
                       ActCopy, ActCut, ActPaste, (TAction*)nullptr})
        button(a);
    tbHide = button(ActHideVisible, tbsCheck);
    tbHide->Name = L"tbHide";
    tbStyle = TB->AddButton(L"tbStyle", tbsDropDown);
    tbStyle->Caption = L"Big Icons";
    tbStyle->DropdownMenu = pmStyle;
    tbStyle->PopupMenu = pmStyle;
    tbStyle->Cursor = crHandPoint;
    for (TAction* a : {(TAction*)nullptr, ActOpenInExplorer, ActRefresh, ActProperties}) button(a);

    LVS->SetViewStyle(vsReport);
    // The element pane's selection is what gets the icon chosen in the other
    // pane: it stays in sight while the focus is there.
    LVS->HideSelection = false;
    LVS->PopupMenu = pm;
    LVS->SetXaEditPath(ep);
    LVS->SetDirUpItem(false);
    LVS->SetExecuteFile(false);
    LVS->Margins = {0, 0, 0, 6};
    LVS->AlignWithMargins = true;
    LVS->OnCustomDrawItem = [this](TListView* s, TListItem* i, TCustomDrawState st, bool& d) {
        LVSCustomDrawItem(s, i, st, d);
    };
    LVS->OnEnter = [this](TObject* s) { LVSEnter(s); };
    LVS->OnExit = [this](TObject* s) { LVSExit(s); };
    LVS->OnStyleChange = [this](TViewStyle style) { LVSStyleChange(style); };
    LVS->SetBounds(0, 25, 568, 254);
    LVS->SetParent(this);
    LVS->SetAlign(alClient);
    LVS->Loaded();
}
