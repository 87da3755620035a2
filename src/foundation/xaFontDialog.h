// Unit xaFontDialog: the program's own font chooser. It edits the caller's font
// on a live, editable example text, hands the result back on OK and at once on
// Apply (the dialog stays), and can hide single properties. The example text
// is kept between runs: in the active language file's [Language] section, or
// in settings.ini [Settings] while the built-in English is used.
#pragma once

#include "ActnLink.h"
#include "ColorDlg.h"
#include "ComCtrls.h"
#include "Forms.h"
#include "xaFontDialogTexts.h"
#include "xaLanguageUni.h"

// Lets the user edit FontInOut; OnApply runs after each OK and Apply, once
// FontInOut holds the chosen font. Returns when the dialog is closed by OK or
// Cancel. Each letter of Options takes one property away: "n" name, "z" size,
// "c" colour, "b" bold, "i" italic, "u" underline, "s" strike-out.
void FontDialog_Execute(TFont* fontInOut, const TLngApplyProc& onApply, const String& options);
// Stores an edited example text now, as the program's end would; the dialog
// stays, and an example stored is not stored again unless edited again.
void FontDialog_Save();
// Frees the kept dialog, storing an edited example text. The program's main
// block calls it before it returns, while the language path, settings.ini and
// the message box are all still there.
void FontDialog_Free();

class TFormFont : public TForm {
public:
    explicit TFormFont(TComponent* owner);  // the layout: xaFontDialogLayout.cpp
    ~TFormFont() override;
    String ClassName() const override { return L"TFormFont"; }

    TPanel* pnlTop;
    TComboBox* fName;
    TSpinEdit* fSize;
    TBitBtn* fColor;
    TCheckBox* fBold;
    TCheckBox* fItalic;
    TCheckBox* fUnderline;
    TCheckBox* fStrike;
    TRichEdit* fExample;
    TPanel* pnlBottom;
    TButton* btnOK;
    TButton* btnApply;
    TButton* btnCancel;
    TBitBtn* btnSourseFont;
    TActionList* ActionManager1;
    TAction* Act_Bold;
    TAction* Act_Italic;
    TAction* Act_Underline;
    TAction* Act_Strike;
    TAction* Act_Color;
    TAction* Act_SizeUp;
    TAction* Act_SizeDn;
    TAction* Act_OK;
    TAction* Act_Apply;
    TAction* Act_Cancel;
    TAction* Act_SourseFont;
    TPopupMenu* pmFont;
    TColorDialog* ColorDialog1;

    // Puts Font and the stored example text into the dialog.
    void ShowFont(const TFont& font);

    void FormCreate(TObject* sender);
    void FormDestroy(TObject* sender);
    void FormResize(TObject* sender);
    void FormMouseWheel(TObject* sender, TShiftState shift, int wheelDelta, bool& handled);
    void fNameChange(TObject* sender);
    void fSizeChange(TObject* sender);
    void fColorMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void Act_BoldExecute(TObject* sender);
    void Act_ItalicExecute(TObject* sender);
    void Act_UnderlineExecute(TObject* sender);
    void Act_StrikeExecute(TObject* sender);
    void Act_ColorExecute(TObject* sender);
    void Act_SizeUpExecute(TObject* sender);
    void Act_SizeDnExecute(TObject* sender);
    void Act_OKExecute(TObject* sender);
    void Act_ApplyExecute(TObject* sender);
    void Act_CancelExecute(TObject* sender);
    void Act_SourseFontExecute(TObject* sender);

private:
    int _Result = 0;  // 0 Cancel, 1 OK, 2 Apply
    TFont _FontSourse;
    int fWheelHook = 0;
    void styleExecute(TCheckBox* box, TFontStyle style);
    void setExample(const String& text);
    friend void FontDialog_Execute(TFont*, const TLngApplyProc&, const String&);
};

// The kept dialog once it was made, else none.
extern TFormFont* FormFont;
