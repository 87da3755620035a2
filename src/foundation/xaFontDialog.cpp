#include "xaFontDialog.h"

#include "Dialogs.h"
#include "IniFiles.h"
#include "xaModulControls.h"
#include "xaModulIniText.h"
#include "xaModulPath.h"
#include "xaModulStrings.h"

#include <richedit.h>

#include <memory>

TFormFont* FormFont = nullptr;

namespace {
const wchar_t kExampleKey[] = L"xaFontDialog_Example";

// The dialog is made on first use and kept for the rest of the run. The
// holder is made then too, so that a dialog the program's end did not free
// goes before the texts and paths it stores.
std::unique_ptr<TFormFont>& keptForm()
{
    static std::unique_ptr<TFormFont> form;
    return form;
}

void setTexts(TFormFont& f)
{
    f.SetCaption(xaFontDialog_FormCaption);
    f.Act_SizeUp->Caption = xaFontDialog_SizeUp;
    f.Act_SizeDn->Caption = xaFontDialog_SizeDn;
    f.fSize->Hint = xaFontDialog_SizeUp + L"  (" + ShortCutToText(f.Act_SizeUp->ShortCut) + L")\n\r" +
                    xaFontDialog_SizeDn + L"  (" + ShortCutToText(f.Act_SizeDn->ShortCut) + L")";
    const struct {
        TAction* action;
        const String& text;
    } texts[] = {{f.Act_Color, xaFontDialog_Color},   {f.Act_Bold, xaFontDialog_Bold},
                 {f.Act_Italic, xaFontDialog_Italic}, {f.Act_Underline, xaFontDialog_Underline},
                 {f.Act_Strike, xaFontDialog_Strike}, {f.Act_OK, xaFontDialog_Ok},
                 {f.Act_Apply, xaFontDialog_Apply},   {f.Act_Cancel, xaFontDialog_Cancel},
                 {f.Act_SourseFont, xaFontDialog_SourseFont}};
    for (auto& t : texts) Act_CaptionHint_Set(*t.action, t.text);
    for (int i = 0; i < f.ActionManager1->ActionCount(); ++i) f.ActionManager1->Actions(i)->Change();
    f.fExample->SetText(xaFontDialog_Example);
    f.fExample->Hint = xaFontDialog_ExampleHint;
    f.btnSourseFont->SetCaption(L"");
}

// Each letter present hides and disables its controls and actions; each
// absent one shows and enables them again.
void applyOptions(TFormFont& f, const String& options)
{
    auto has = [&](wchar_t letter) { return options.find(letter) != String::npos; };
    for (auto [letter, control] : {std::pair<wchar_t, TControl*>{L'n', f.fName}, {L'z', f.fSize}, {L'c', f.fColor}}) {
        control->SetVisible(!has(letter));
        control->SetEnabled(!has(letter));
    }
    for (auto [letter, action] : {std::pair<wchar_t, TAction*>{L'z', f.Act_SizeUp}, {L'z', f.Act_SizeDn},
                                  {L'c', f.Act_Color}, {L'b', f.Act_Bold}, {L'i', f.Act_Italic},
                                  {L'u', f.Act_Underline}, {L's', f.Act_Strike}}) {
        action->Visible = !has(letter);
        action->Enabled = !has(letter);
        action->Change();
    }
}
}  // namespace

void FontDialog_Execute(TFont* fontInOut, const TLngApplyProc& onApply, const String& options)
{
    if (!FormFont) {
        keptForm() = std::make_unique<TFormFont>(nullptr);
        FormFont = keptForm().get();
        // Once per run: a language chosen later reaches the dialog in the next run.
        setTexts(*FormFont);
    }
    TFormFont& f = *FormFont;
    f._Result = 0;
    applyOptions(f, options);
    f.fColor->SetCaption(L"");
    f.fName->SetItems(Screen_Fonts());
    if (!fontInOut) {
        MessageDlg(L"FontInOut = nil!!!", Application.Title, MB_OK);
        return;
    }
    f._FontSourse.Assign(*fontInOut);
    f.ShowFont(*fontInOut);
    for (;;) {
        f.ShowModal();
        if (f._Result == 1 || f._Result == 2) {
            fontInOut->Assign(f.fExample->Font);
            if (onApply) onApply();
        }
        // Apply: the dialog comes back as the user left it.
        if (f._Result != 2) break;
        f._Result = 0;
    }
    f._Result = 0;
}

void FontDialog_Save()
{
    if (FormFont) Application.Guard([] { FormFont->FormDestroy(FormFont); });
}

void FontDialog_Free()
{
    keptForm().reset();
    FormFont = nullptr;
}

TFormFont::~TFormFont()
{
    Application.UnhookMainWindow(fWheelHook);
    // The program is ending: a file that cannot be written is reported, and the end goes on.
    Application.Guard([this] { FormDestroy(this); });
}

void TFormFont::setExample(const String& text)
{
    fExample->SetText(text);
    SendMessageW(fExample->Handle(), EM_SETMODIFY, FALSE, 0);
}

void TFormFont::ShowFont(const TFont& font)
{
    fExample->Font.Assign(font);
    setExample(xaFontDialog_Example);
    fName->SetText(font.Name());
    int i = fName->IndexOf(font.Name());
    if (i >= 0) fName->SetItemIndex(i);
    fSize->SetValue(font.Size());
    fColor->Font.SetColor(font.Color());
    FormResize(this);
    for (auto [action, style] : {std::pair<TAction*, TFontStyle>{Act_Bold, fsBold}, {Act_Italic, fsItalic},
                                 {Act_Underline, fsUnderline}, {Act_Strike, fsStrikeOut}}) {
        action->Checked = (font.Style() & style) != 0;
        action->Change();
    }
}

void TFormFont::FormCreate(TObject*)
{
    // With a language file active the language engine has read the example from it.
    if (FileExists(Lng_Path)) return;
    TIniFile ini(Settings_FileName());
    xaFontDialog_Example =
        StringReplaceAll(ini.ReadString(L"Settings", kExampleKey, xaFontDialog_Example), Lng_RedLineDelimiter, L"\r\n");
}

void TFormFont::FormDestroy(TObject*)
{
    if (!fExample->Handle() || !SendMessageW(fExample->Handle(), EM_GETMODIFY, 0, 0)) return;
    TStringList lines;
    lines.SetText(fExample->Text());
    xaFontDialog_Example = Strs_Join(lines, L"\r\n");
    String value = Strs_Join(lines, Lng_RedLineDelimiter);
    if (FileExists(Lng_Path)) {
        TStringList file;
        file.LoadFromFile(Lng_Path);
        file.WriteBOM = true;
        Strs_Ini_WriteValue(kExampleKey, value, L"Language", file);
        file.SaveToFile(Lng_Path);
    } else {
        TIniFile(Settings_FileName()).WriteString(L"Settings", kExampleKey, value);
    }
    SendMessageW(fExample->Handle(), EM_SETMODIFY, FALSE, 0);
}

void TFormFont::FormResize(TObject*) { BitBtn_ColorGlyph(*fColor, fExample->Font.Color()); }

void TFormFont::FormMouseWheel(TObject*, TShiftState shift, int wheelDelta, bool& handled)
{
    handled = true;
    bool ctrl = shift & ssCtrl, shiftDown = shift & ssShift;
    if (ctrl) (wheelDelta > 0 ? Act_SizeUp : Act_SizeDn)->Execute();
    if (shiftDown) {
        int i = fName->ItemIndex();
        if (wheelDelta > 0) {
            if (i > 0) fName->SetItemIndex(i - 1);
        } else if (i < fName->Count() - 1) {
            fName->SetItemIndex(i + 1);
        }
        fNameChange(fName);
        fName->SetFocus();
    }
    if (ctrl || shiftDown) {
        SetActiveWindow(fHandle);
        return;
    }
    if (fSize->Focused())
        (wheelDelta > 0 ? Act_SizeUp : Act_SizeDn)->Execute();
    else
        handled = false;
}

void TFormFont::fNameChange(TObject*) { fExample->Font.SetName(fName->Text()); }

void TFormFont::fSizeChange(TObject*)
{
    if (!fSize->Text().empty()) fExample->Font.SetSize(fSize->Value());
}

void TFormFont::fColorMouseDown(TObject*, TMouseButton button, TShiftState, int, int)
{
    if (button != mbMiddle) return;
    fExample->Font.SetColor(clBlack);
    FormResize(this);
}

void TFormFont::styleExecute(TCheckBox* box, TFontStyle style)
{
    TFontStyles s = fExample->Font.Style();
    fExample->Font.SetStyle(box->Checked() ? s | style : s & ~style);
}

void TFormFont::Act_BoldExecute(TObject*) { styleExecute(fBold, fsBold); }
void TFormFont::Act_ItalicExecute(TObject*) { styleExecute(fItalic, fsItalic); }
void TFormFont::Act_UnderlineExecute(TObject*) { styleExecute(fUnderline, fsUnderline); }
void TFormFont::Act_StrikeExecute(TObject*) { styleExecute(fStrike, fsStrikeOut); }

void TFormFont::Act_ColorExecute(TObject*)
{
    ColorDialog1->Color = fExample->Font.Color();
    // Not confirmed, the dialog still holds the colour it began with.
    ColorDialog1->Execute();
    fExample->Font.SetColor(ColorDialog1->Color);
    fColor->Font.SetColor(ColorDialog1->Color);
    FormResize(this);
}

void TFormFont::Act_SizeUpExecute(TObject*) { fSize->SetValue(fSize->Value() + 1); }
void TFormFont::Act_SizeDnExecute(TObject*) { fSize->SetValue(fSize->Value() - 1); }

void TFormFont::Act_OKExecute(TObject*)
{
    _Result = 1;
    Close();
}

void TFormFont::Act_ApplyExecute(TObject*)
{
    _Result = 2;
    Close();
}

void TFormFont::Act_CancelExecute(TObject*)
{
    _Result = 0;
    Close();
}

void TFormFont::Act_SourseFontExecute(TObject*) { ShowFont(_FontSourse); }
