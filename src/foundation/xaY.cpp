#include "xaY.h"

#include "Clipbrd.h"
#include "xaModulColor.h"
#include "xaModulForm.h"
#include "xaLanguageTexts.h"

#include <memory>

TFormY* FormY = nullptr;

void Lng_FormY_Set()
{
    if (!FormY) return;
    FormY->btnY->SetCaption(xaLanguageUni::Close);
    FormY->pmCopy->Caption = xaLanguageUni::Copy;
    FormY->pmSelectAll->Caption = xaLanguageUni::SelectAll;
    FormY->pmCopyAll->Caption = xaLanguageUni::CopyAll;
}

void Y_Show(const String& text, const String& caption, int color, bool rememberPos)
{
    auto form = std::make_unique<TFormY>(nullptr);
    // A box may open from inside another (an error while one is up): the
    // outer one is FormY again when the inner one is gone.
    TFormGlobalScope<TFormY> current(FormY, form.get());
    Lng_FormY_Set();
    if (rememberPos) Form_PosLoad(form.get(), nullptr, L"", false);
    form->Position = poOwnerFormCenter;
    TColor back = color == -1 ? clYDefault : color;
    form->SetColor(back);
    form->SetCaption(caption);
    // The colour before the text: the text then takes it as it is laid out,
    // once (a long text costs a layout each time its format changes).
    form->RichEdit1->Font.SetColor(Color_Darken(back, 60));
    form->RichEdit1->SetText(text);
    HideCaret(form->RichEdit1->Handle());
    form->btnYMouseLeave(form->btnY);
    form->btnY->Font.SetColor(Color_Darken(back, 60));
    form->ModalText = text;
    form->ModalColor = back;
    form->ShowModal();
    if (rememberPos) {
        // The message has been shown and read; a settings.ini that cannot be
        // written (a read-only file or folder) only loses the box's size, and
        // must not stop the caller that reported something.
        try {
            Form_PosSave(form.get(), nullptr, L"");
        } catch (const EIniFileException&) {
        }
    }
}

void Y_ShowColor(const String& text, int color) { Y_Show(text, L"", color, true); }

void TFormY::FormKeyPress(TObject*, wchar_t& key)
{
    if (key == 13 || key == 27) {
        key = 0;
        FormY->Close();
    }
}

void TFormY::FormResize(TObject*) { RichEdit1->Repaint(); }

void TFormY::btnYClick(TObject*) { FormY->Close(); }

void TFormY::btnYMouseEnter(TObject*) { btnY->SetColor(Color_Lighten(Color(), 50)); }

void TFormY::btnYMouseLeave(TObject*) { btnY->SetColor(Color_Darken(Color(), 7)); }

void TFormY::RichEdit1SelectionChange(TObject*) { HideCaret(RichEdit1->Handle()); }

void TFormY::pmCopyClick(TObject*) { RichEdit1->CopyToClipboard(); }

void TFormY::pmSelectAllClick(TObject*) { RichEdit1->SelectAll(); }

void TFormY::pmCopyAllClick(TObject*) { Clipboard().SetAsText(RichEdit1->Text()); }
