// Unit Main: the main window. The element pane (what gets an icon) on the
// left, the icon pane (where icons are picked) on the right, a splitter
// between them; below, the iconize buttons, the copy option and the program
// menu. The special-iconize view takes the panes' place when switched on.
#pragma once

#include "ActnLink.h"
#include "ActnMenus.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "MadeOnUse.h"
#include "SettingsIni.h"
#include "xaDrop.h"
#include "xaFrameExplorer.h"
#include "xaFrameSpec.h"

#include <cstdint>

// Width of the element pane in percent of the panes' room; one byte, so a
// stored 300 becomes 44.
extern uint8_t SplitMain;

class TForm1 : public TForm {
public:
    // Builds the layout, then runs FormCreate; the windows wait for the first
    // use that needs them (SizeForShow, Show), to be made once, at the size
    // and with the font, texts and colours the start gives them.
    explicit TForm1(TComponent* owner);
    String ClassName() const override { return L"TForm1"; }

    // Layout (MainLayout.cpp).
    TPanel* Panel_All;
    TPanel* Panel_Down;
    TPanel* Panel_BtnIconize;
    TBitBtn* btnClear;
    TToolBar* TB;
    TToolButton* btnIconizeType;
    TCheckBox* ch_CopyIco;
    TBitBtn* btnIconize;
    TActionMainMenuBar* MM;
    TPopupMenu* pmProgram;  // the menu bar's one menu, "&Dolv"
    TPanel* Panel_Type;
    TPanel* Panel_Norm;
    TPanel* Panel_L;
    TFrExplorer* FrElm;
    TSplitter* Split;
    TPanel* Panel_R;
    TFrExplorer* FrIco;
    TPanel* Panel_Spec;
    // The special view's frame, made when first used (most runs never open it).
    TMadeOnUse<TFrSpec> FrSpec1;
    TPopupMenu* pmIconize;
    TPopupMenu* pmBaza;
    TPanel* btnIcoBaza;  // the star on the icon pane's address bar, made by FormCreate
    TImageList* il;    // the command images, menu size
    TImageList* ilTB;  // the tool bar's, button size
    TActionList* al;

    // Actions, in the order of the window's action list: of two with one
    // shortcut the earlier one runs.
    TAction* Act_Iconize_Do;
    TAction* Act_Iconize_De;
    TAction* Act_Iconize_CopyIco;
    TAction* Act_IconizeType;
    TAction* Act_ElmAdrLikeIco;
    TAction* Act_IcoAdrLikeElm;
    TAction* ActTemp;
    TAction* Act_FontTransparent;
    TAction* Act_IcoBazaForElm;
    TAction* Act_IcoBazaForIco;
    TAction* Act_Baza_OpenNew;
    TAction* Act_Baza_CurrentPathAsBaza;
    TAction* Act_Set_Settings;
    TAction* Act_Program_About;
    TAction* Act_Program_Help;
    TAction* Act_Program_Sait;
    TAction* Act_Program_OpenInExplorer;
    TAction* Act_Program_Maximize;
    TAction* Act_Program_Close;
    TAction* Act_Program_OpenSettingsIni;
    TAction* Act_Program_OpenLanguage;
    TAction* Act_Set_ExecuteByDblClick;
    TAction* Act_Set_IntegrateinShellContexMenu;

    // Events of the window itself.
    void FormCreate(TObject* sender);
    void FormShow(TObject* sender);
    void FormCloseQuery(TObject* sender, bool& canClose);
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void FormResize(TObject* sender);
    void SplitMoved(TObject* sender);
    void FormMouseWheel(TObject* sender, TShiftState shift, int wheelDelta, POINT mousePos, bool& handled);
    void frIcoLVSCustomDrawItem(TListView* sender, TListItem* item, TCustomDrawState state, bool& defaultDraw);
    void Act_FontTransparentExecute(TObject* sender);
    void Act_Set_ExecuteByDblClickExecute(TObject* sender);
    // Run when Windows ends the session, which ends the process without
    // closing the windows (the program writes what its close and end write).
    std::function<void()> OnSessionEnd;

    // The settings this window holds, as the close writes them (the font is
    // the lists'), and the other parts of settings.ini the start and the
    // close go through: the placements, the panes' lists.
    TSettingsValues SettingsValues() const;
    TSettingsParts SettingsParts();
    // Puts the program's language texts on the window, its panes and its special view.
    void Language_Set();

    // The commands of the two panes and of iconizing, the special view, the
    // icons base and the program menu: filled by their own units.
    void Act_Iconize_DoExecute(TObject* sender);
    void Act_Iconize_DeExecute(TObject* sender);
    void Act_Iconize_CopyIcoExecute(TObject* sender);
    void Act_IconizeTypeExecute(TObject* sender);
    void Act_ElmAdrLikeIcoExecute(TObject* sender);
    void Act_IcoAdrLikeElmExecute(TObject* sender);
    void ActTempExecute(TObject* sender);
    void Act_IcoBazaForElmExecute(TObject* sender);
    void Act_IcoBazaForIcoExecute(TObject* sender);
    void Act_Baza_OpenNewExecute(TObject* sender);
    void Act_Baza_CurrentPathAsBazaExecute(TObject* sender);
    void btnIcoBazaMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void Act_Set_SettingsExecute(TObject* sender);
    void Act_Program_AboutExecute(TObject* sender);
    void Act_Program_HelpExecute(TObject* sender);
    void Act_Program_SaitExecute(TObject* sender);
    void Act_Program_OpenInExplorerExecute(TObject* sender);
    void Act_Program_MaximizeExecute(TObject* sender);
    void Act_Program_CloseExecute(TObject* sender);
    void Act_Program_OpenSettingsIniExecute(TObject* sender);
    void Act_Program_OpenLanguageExecute(TObject* sender);
    void Act_Set_IntegrateinShellContexMenuExecute(TObject* sender);
    void xaDropElmDropFiles(TObject* sender);
    void xaDropIcoDropFiles(TObject* sender);

    // The panes' middle clicks and paste actions (MainIconize.cpp).
    void frElmLVSMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void frIcoLVSMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void FrElmActPasteExecute(TObject* sender);
    void FrIcoActPasteExecute(TObject* sender);

    // The copy option sized to its caption in its font, and the bottom bar
    // laid out left to right from its controls' widths; the window is kept
    // wide enough for the bar and the menu bar beside it.
    void BottomBar_Fit();

protected:
    // The windows are made at once, in place: the hints and the star's place
    // above the path box need them.
    void HandleCreated() override;

private:
    static constexpr int kMinWidth = 700;  // outside, as designed
    bool fFirstShow = true;
    void layout();
    void paneTreat(TFrExplorer& pane);
    // The steps other units add to the window's creation, in their place.
    void createPaneHandlers();     // the panes' mouse-down and paste handlers
    void createIcoBaza();          // the icons-base menu entries and button
    // The special-iconize frame with its drop targets, as the program's
    // texts and font stand when it is first used.
    TFrSpec* makeFrSpec();
    TxaDrop* xaDropElm = nullptr;  // owned by the frame's element panel
    TxaDrop* xaDropIco = nullptr;  // owned by the frame's icon panel
};

extern TForm1* Form1;

// The normal view's commands (MainIconize.cpp) on the main window Form.
// Iconize gives the element pane's selected rows the icon of the icon pane's
// selected row; Clear takes their icons away. Both tell the user when a pane
// has nothing selected.
void Form1_Iconize(TForm1& form);
void Form1_Clear(TForm1& form);
// Pastes the clipboard's files into Target's folder; after a cut, the rows of
// the moved files leave Other's view first.
void Form1_FilesPaste(TxaShellListView& other, TxaShellListView& target);
// Row Index of List shows Picture, an index in the shell's system image list
// (Ico_GetIconSysIndex of the icon given); with none (-1), the picture the
// shell shows for the row's element.
void LVS_ItemIcoSet(TxaShellListView& list, int index, int picture);
// The rows of List whose type text is Ext, in any letter case, show their
// type's present picture.
void LVS_ExtIcoRefresh(TxaShellListView& list, const String& ext);
// The special view of Form: the frame filled (List may be none) and shown.
void FrSpec_Load(TForm1& form, const TStrings* list, const String& iconPath);
// The special commands over every line of the frame's list; true when an element got (or lost) its icon.
bool Form1_IconizeSpecial(TForm1* self, bool showMsg);
bool Form1_ClearSpecial(TForm1* self, bool showMsg);

// Spreads Font over the main window Form and the settings window when its
// size lies in 8..20; otherwise nothing changes.
void Font_Apply(TForm1& form, const TFont& font);
// The font Font_Apply spread last, or none yet: what a window made later takes.
const TFont* Font_Spread();
// Derives the secondary colours from the main window's colour.
void Colors_Apply(TForm1& form);
