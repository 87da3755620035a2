#include "xaShellDialog.h"

#include "xaModulForm.h"

#include <memory>

TFormXaShellDialog* FormXaShellDialog = nullptr;

namespace {
std::unique_ptr<TFormXaShellDialog> gChooser;
bool gOK = false;
const wchar_t* const kPaneSection = L"LVS_xaShellDialog";
}  // namespace

TFormXaShellDialog::TFormXaShellDialog(TComponent* owner) : TForm(owner) { createComponents(); }

void TFormXaShellDialog::FormDestroy(TObject*)
{
    fre->LVS->iniSave(kPaneSection, nullptr);
    Form_PosSave(this);
}

void TFormXaShellDialog::Act_OKExecute(TObject*)
{
    gOK = true;
    ModalResult = mrOk;
    Close();
}

void TFormXaShellDialog::Act_FormMaximizeExecute(TObject*)
{
    SetWindowState(WindowState() == wsMaximized ? wsNormal : wsMaximized);
}

void TFormXaShellDialog::Act_CloseExecute(TObject*) { Close(); }

void Lng_ShellDialog_Set()
{
    Lng_FrExplorer_Set(FormXaShellDialog->fre);
    FormXaShellDialog->Act_OK->Hint = FormXaShellDialog->btnOK->Caption();
    FormXaShellDialog->Act_OK->Change();
}

bool ShellDialog_SelectList(TStrings& strs, const String& caption, const String& initialDir)
{
    if (!FormXaShellDialog) {
        gChooser = std::make_unique<TFormXaShellDialog>(nullptr);
        FormXaShellDialog = gChooser.get();
        TFrExplorer& fre = *FormXaShellDialog->fre;
        Form_PosLoad(FormXaShellDialog);
        Lng_ShellDialog_Set();
        fre.LVS->iniLoad(kPaneSection, nullptr, initialDir);
        fre.LVSStyleChange(fre.LVS->ViewStyle());
        // The hidden-files action follows the loaded state, so that its first use changes it.
        fre.ActHideVisible->SetChecked(fre.LVS->ShowHide());
        // Enter and double click browse; only Shift+Enter (the pane's Execute) opens files.
        fre.LVS->SetExecuteFile(false);
        fre.ep->SetBorderStyle(bsNone);
        fre.ep->SetParentColor(true);
        fre.btnDirUp->SetBorderStyle(bsNone);
        fre.btnDirUp->SetParentColor(true);
        fre.TB->SetColor(FormXaShellDialog->Color());
        fre.ActExecute->ShortCut = scShift | VK_RETURN;
        fre.ActExecute->Change();
    } else {
        FormXaShellDialog->fre->LVS->Reload();
    }
    FormXaShellDialog->SetCaption(caption);
    gOK = false;
    FormXaShellDialog->ShowModal();
    TxaShellListView& lv = *FormXaShellDialog->fre->LVS;
    lv.SelectedList(strs, lv.Path());
    if (gOK && strs.Count() == 0) strs.Add(lv.Path());
    return gOK;
}

bool ShellDialog_SelectPath(String& path, const String& caption, const String& initialDir)
{
    TStringList list;
    if (!ShellDialog_SelectList(list, caption, initialDir)) return false;
    path = list.Count() > 0 ? list[0] : String();
    return true;
}

void ShellDialog_Save()
{
    if (FormXaShellDialog) Application.Guard([] { FormXaShellDialog->FormDestroy(FormXaShellDialog); });
}

void ShellDialog_Free()
{
    if (!FormXaShellDialog) return;
    ShellDialog_Save();
    FormXaShellDialog = nullptr;
    gChooser.reset();
}
