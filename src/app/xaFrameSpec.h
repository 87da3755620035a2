// Unit xaFrameSpec: the special-iconize frame. One icon, taken from one icon
// file at a chosen index, for a hand-made list of elements (folders, drive
// roots and file types). The element panel above holds the list and its add,
// delete and edit buttons; the icon panel below holds the icon file's path,
// the list of every icon inside it and the chosen index.
#pragma once

#include "ChoiceCtrls.h"
#include "ExtCtrls.h"
#include "Frames.h"
#include "GraphicCtrls.h"
#include "ListView.h"

// The element panel's share of the frame's height, in percent.
extern int SplitSpec;

class TFrSpec : public TFrame {
public:
    explicit TFrSpec(TComponent* owner);
    String ClassName() const override { return L"TFrSpec"; }

    TPanel* PanelMid;
    TPanel* PanelElm;
    TLabel* lbElm;
    TPanel* PanelElmBtns;
    TSpeedButton* btnElmAdd;
    TSpeedButton* btnElmDelete;
    TSpeedButton* btnElmEdit;
    TListBox* elmList;
    TSplitter* Split;
    TPanel* PanelIco;
    TLabel* lbIco;
    TPanel* PanelIcoPath;
    TEdit* edIcoPath;
    TSpeedButton* btnIcoOpen;
    TListView* icoList;
    TImage* Image32;
    TLabel* labIndex;
    TSpinEdit* SpinIcoIndex;
    TImageList* ImageList16;
    TImageList* ImageList32;

    // The list's lines, top to bottom.
    void ElementLines(TStrings& lines) const;
    // Appends the lines made from Paths (Strs_ForSpecial), each once.
    void AddElements(const TStrings& paths);
    // Fills the frame: the element lines (none: empty) and the icon of IconPath.
    void Load(const TStrings* list, const String& iconPath);
    // Shows the icon source that Path stands for in the icon panel.
    void icoListRefresh(const String& path, int icoIndex = 0);
    // The icon file and index text to apply, as the user sees them; false when
    // the panel shows no icon that can be applied.
    bool ChosenIcon(String& iconFile, String& index) const;

    // The frame's share of a font spread over the windows, and the open
    // button's height after the new layout.
    void FontApply(const TFont& font);
    void FontApplied();
    // The program's language texts on the two panels' labels.
    void Language_Set();

    void FrameResize(TObject* sender);
    void SplitMoved(TObject* sender);
    void btnElmAddClick(TObject* sender);
    void btnElmDeleteClick(TObject* sender);
    void btnElmEditClick(TObject* sender);
    void icoListSelectItem(TObject* sender, TListItem* item, bool selected);
    void btnIcoOpenClick(TObject* sender);
    void edIcoPathKeyDown(TObject* sender, WORD& key, TShiftState shift);
    void SpinIcoIndexChange(TObject* sender);

private:
    // The file whose icons icoList shows (empty: none), so that an index is
    // applied only to the file it was chosen in.
    String fListedFile;
    bool fSyncing = false;  // the spin box and the list follow each other
    void createComponents();  // xaFrameSpecLayout.cpp
    void showSource(bool list, bool index, bool picture);
};

// The two commands over every line of the frame's list, each true when at
// least one element got its icon or lost it (ShowMsg tells that success;
// when none did, the failure is told in any case). Clear leaves file types
// alone.
bool FrSpec_Iconize(TFrSpec& frame, bool copyIco, bool showMsg);
bool FrSpec_Clear(TFrSpec& frame, bool showMsg);
