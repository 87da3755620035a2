#include "xaRename.h"

#include "xaModulControls.h"
#include "xaLanguageTexts.h"
#include "xaModulStrings.h"

#include <shlwapi.h>

#include <memory>

TFormRenamer* FormRenamer = nullptr;

namespace {
void select(TEdit* e, int start, int length)
{
    e->SetSelStart(start);
    e->SetSelLength(length);
}
}  // namespace

void Lng_FormRenamer_Set()
{
    if (!FormRenamer) return;
    FormRenamer->btnY->SetCaption(xaLanguageUni::Yes);
    FormRenamer->btnN->SetCaption(xaLanguageUni::No);
}

bool Renamer_Ask(const String& caption, const String& text, String& newText, int selStart, int selLength)
{
    auto form = std::make_unique<TFormRenamer>(nullptr);
    TFormGlobalScope<TFormRenamer> current(FormRenamer, form.get());
    form->Tag = 0;
    form->SetCaption(caption);
    form->Edit1->SetText(text);
    Lng_FormRenamer_Set();
    form->SetActiveControl(form->Edit1);
    form->Edit1->AutoSelect = false;
    if (selStart == -1 || selLength == -1) {
        form->Edit1->SelectAll();
    } else {
        form->Edit1->SetSelStart(selStart);
        form->Edit1->SetSelLength(selLength);
    }
    form->ModalText = text;
    form->ShowModal();
    if (form->Tag != 1) return false;
    newText = form->Edit1->Text();
    return true;
}

void TFormRenamer::FormCreate(TObject*)
{
    // Completion of paths from the file system, but no drop-down and no
    // appended text: a rename types a name, not a path.
    SHAutoComplete(Edit1->Handle(), 0xA0000000);
}

void TFormRenamer::pmOkClick(TObject*)
{
    FormRenamer->Tag = 1;
    FormRenamer->Close();
}

void TFormRenamer::pmCancelClick(TObject*)
{
    FormRenamer->Tag = 0;
    FormRenamer->Close();
}

void TFormRenamer::pmSelectAllClick(TObject*) { FormRenamer->Edit1->SelectAll(); }

void TFormRenamer::pmSelectF2Click(TObject*)
{
    TEdit* e = FormRenamer->Edit1;
    String text = e->Text();
    int p = Str_PosLast(L".", text);
    if (p == 0) return;
    if (e->SelStart() > 0 || e->SelLength() != p - 1)
        select(e, 0, p - 1);  // the name
    else
        select(e, p, (int)text.size() - p);  // the extension
}

void TFormRenamer::pmDeselectClick(TObject*)
{
    TEdit* e = FormRenamer->Edit1;
    e->SetSelStart(e->SelStart());
}

void TFormRenamer::Edit1KeyDown(TObject*, WORD& key, TShiftState)
{
    if (Key_Ctrl() || Key_Shift()) return;
    TEdit* e = FormRenamer->Edit1;
    int start = e->SelStart(), length = e->SelLength();
    if (length <= 1) return;
    // The edit's own handling of the key then moves the caret one step on,
    // to the far end of the former selection.
    if (key == VK_RIGHT)
        e->SetSelStart(start + length - 1);
    else if (key == VK_LEFT)
        e->SetSelStart(start + 1);
}

