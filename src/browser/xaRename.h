// Unit xaRename: the one-line input box for renaming and naming new items.
#pragma once

#include "Forms.h"

// Shows Caption and an edit box holding Text with the given selection (-1 in
// either number selects the whole text). True and NewText := the edited text
// when the user confirms; false and NewText unchanged otherwise.
bool Renamer_Ask(const String& caption, const String& text, String& newText, int selStart, int selLength);

class TFormRenamer : public TForm {
public:
    explicit TFormRenamer(TComponent* owner);  // the layout: xaRenameLayout.cpp
    String ClassName() const override { return L"TFormRenamer"; }

    TEdit* Edit1;
    TPanel* Panel1;
    TBitBtn* btnY;
    TBitBtn* btnN;
    TPopupMenu* PopupMenu1;
    TMenuItem* pmOk;
    TMenuItem* pmOk2;
    TMenuItem* pmCancel;
    TMenuItem* pmSelectAll;
    TMenuItem* pmSelectF2;
    TMenuItem* pmDeselect;
    TMenuItem* pmDeselect2;

    void FormCreate(TObject* sender);
    void pmOkClick(TObject* sender);
    void pmCancelClick(TObject* sender);
    void pmSelectAllClick(TObject* sender);
    void pmSelectF2Click(TObject* sender);
    void pmDeselectClick(TObject* sender);
    void Edit1KeyDown(TObject* sender, WORD& key, TShiftState shift);
    // A responder's IDOK confirms with its Text.
};

// The open rename box while Renamer_Ask runs, else none.
extern TFormRenamer* FormRenamer;
// Puts the Language texts on the two buttons.
void Lng_FormRenamer_Set();
