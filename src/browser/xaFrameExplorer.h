// Unit xaFrameExplorer: the explorer pane. An address bar (the up button and
// the path box) above a file list view and a tool bar below it; the list
// view's commands as actions with shortcuts, a context menu and two
// drop-down menus. The pane's shortcuts answer only while its own list view
// has the focus, so that several panes and the folder chooser share keys.
#pragma once

#include "CommandImages.h"
#include "Frames.h"
#include "ToolWin.h"
#include "xaEditPath.h"
#include "xaShellListView.h"

// The pictures of the pane's actions, in the Pane strip.
namespace PaneImage {
enum : int {
    Execute, Rename, Delete, NewFolder, NewTxt, Copy, Cut, Paste,
    StyleTable, StyleIcons, StyleCols, StyleRows, ShowHide,
    OpenInExplorer, Refresh, Properties, Folder, Count
};
}
static_assert(PaneImage::Count == CommandImages_Count(TCommandStrip::Pane));

class TFrExplorer : public TFrame {
public:
    explicit TFrExplorer(TComponent* owner);
    String ClassName() const override { return L"TFrExplorer"; }

    TPanel* PanelAdr;
    TPanel* btnDirUp;
    TxaEditPath* ep;  // bound to LVS
    TxaShellListView* LVS;
    TToolBar* TB;
    TToolButton* tbHide;
    TToolButton* tbStyle;
    TPopupActionBar* pm;
    TPopupActionBar* pmStyle;
    TPopupActionBar* pmFavorit;
    TActionList* al;
    TImageList* il;

    TAction* ActExecute;
    TAction* ActRename;
    TAction* ActDelete;
    TAction* ActCreateFolder;
    TAction* ActCreateTxt;
    TAction* ActCopy;
    TAction* ActCut;
    TAction* ActPaste;
    TAction* ActView_SUB;
    TAction* ActStyleTable;
    TAction* ActStyleIcons;
    TAction* ActStyleCols;
    TAction* ActStyleRows;
    TAction* ActHideVisible;
    TAction* ActOpenInExplorer;
    TAction* ActRefresh;
    TAction* ActProperties;
    TAction* ActPanelButtons;
    TAction* ActAdvansed_SUB;
    TAction* ActPathActivate;
    TAction* ActPathCopy;
    TAction* ActPathPaste;
    TAction* ActCopySelectedFullPaths;
    TAction* ActCopySelectedNamesExts;
    TAction* ActFolderApplication;
    TAction* ActFolderDesktop;
    TAction* ActFolderMyKomp;

    // The up button's colour kept while the pointer is over it.
    TColor BtnDirUpColor() const { return hBtnDirUpColor; }
    void SetBtnDirUpColor(TColor color) { hBtnDirUpColor = color; }

    // Lays out the address bar for the path box's font and border.
    void Sizing();
    void FrameResize(TObject* sender);
    void LVSStyleChange(TViewStyle style);
    void LVSEnter(TObject* sender);
    void LVSExit(TObject* sender);
    void LVSCustomDrawItem(TListView* sender, TListItem* item, TCustomDrawState state, bool& defaultDraw);
    void btnDirUpClick(TObject* sender);
    void btnDirUpMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void btnDirUpMouseEnter(TObject* sender);
    void btnDirUpMouseLeave(TObject* sender);

    void ActExecuteExecute(TObject* sender);
    void ActRenameExecute(TObject* sender);
    void ActDeleteExecute(TObject* sender);
    void ActCreateFolderExecute(TObject* sender);
    void ActCreateTxtExecute(TObject* sender);
    void ActCopyExecute(TObject* sender);
    void ActCutExecute(TObject* sender);
    void ActPasteExecute(TObject* sender);
    void ActView_SUBExecute(TObject* sender);
    void ActStyleTableExecute(TObject* sender);
    void ActStyleIconsExecute(TObject* sender);
    void ActStyleColsExecute(TObject* sender);
    void ActStyleRowsExecute(TObject* sender);
    void ActHideVisibleExecute(TObject* sender);
    void ActOpenInExplorerExecute(TObject* sender);
    void ActRefreshExecute(TObject* sender);
    void ActPropertiesExecute(TObject* sender);
    void ActPanelButtonsExecute(TObject* sender);
    void ActAdvansed_SUBExecute(TObject* sender);
    void ActPathActivateExecute(TObject* sender);
    void ActPathCopyExecute(TObject* sender);
    void ActPathPasteExecute(TObject* sender);
    void ActCopySelectedFullPathsExecute(TObject* sender);
    void ActCopySelectedNamesExtsExecute(TObject* sender);
    void ActFolderApplicationExecute(TObject* sender);
    void ActFolderDesktopExecute(TObject* sender);
    void ActFolderMyKompExecute(TObject* sender);

protected:
    void HandleCreated() override;

private:
    TColor hBtnDirUpColor = clBtnFace;
    // The components with their design values and bindings (xaFrameExplorerLayout.cpp).
    void createComponents();
    // Runs the list view's key table with a key, as the user's key would.
    void lvsKey(WORD key, TShiftState shift);
};

// The current Language texts on one pane's actions and columns.
void Lng_FrExplorer_Set(TFrExplorer* frame);
