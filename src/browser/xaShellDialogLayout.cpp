// The folder chooser's components with their design values.
#include "ActnLink.h"
#include "CommandImages.h"
#include "Frames.h"
#include "xaShellDialog.h"

#include <commctrl.h>

void TFormXaShellDialog::createComponents()
{
    Name = L"FormXaShellDialog";
    SetCaption(L"FormXaShellDialog");
    SetClientSize(584, 331);
    Constraints.MinWidth = 600;
    Constraints.MinHeight = 300;
    SetColor((TColor)0xF0F0F0);
    Font.SetName(L"Tahoma");
    Font.SetHeight(-15);
    Position = poOwnerFormCenter;

    ilShellDialog = new TImageList(this, 16, 16);
    ilShellDialog->Name = L"ilShellDialog";
    CommandImages_Load(ilShellDialog->Handle(), TCommandStrip::Chooser);

    fre = new TFrExplorer(this);
    fre->Name = L"fre";
    fre->Margins = {8, 8, 8, 8};  // the form's padding
    fre->AlignWithMargins = true;
    fre->SetParent(this);
    fre->SetAlign(alClient);

    amShell = new TActionManager(this);
    amShell->Name = L"amShell";
    amShell->Images = ilShellDialog;
    Act_OK = new TAction(this, amShell);
    Act_OK->Name = L"Act_OK";
    Act_OK->Caption = L"OK";
    Act_OK->ImageIndex = ChooserImage::OK;
    Act_OK->ShortCut = scCtrl | VK_RETURN;
    Act_OK->OnExecute = [this](TObject* s) { Act_OKExecute(s); };
    Act_FormMaximize = new TAction(this, amShell);
    Act_FormMaximize->Name = L"Act_FormMaximize";
    Act_FormMaximize->Caption = L"Form Maximize";
    Act_FormMaximize->Visible = false;
    Act_FormMaximize->ShortCut = scAlt | VK_RETURN;
    Act_FormMaximize->SecondaryShortCuts = {VK_F11};
    Act_FormMaximize->OnExecute = [this](TObject* s) { Act_FormMaximizeExecute(s); };
    Act_Close = new TAction(this, amShell);
    Act_Close->Name = L"Act_Close";
    Act_Close->Caption = L"Close";
    Act_Close->ShortCut = VK_ESCAPE;
    Act_Close->OnExecute = [this](TObject* s) { Act_CloseExecute(s); };

    btnOK = new TButton(this);
    btnOK->Name = L"btnOK";
    btnOK->SetBounds(584 - 8 - 125, 331 - 8 - 32, 125, 32);
    btnOK->Cursor = crHandPoint;
    btnOK->ModalResult = mrOk;
    btnOK->SetParent(this);
    btnOK->SetAnchors(akRight | akBottom);
    Action_Bind(*btnOK, *Act_OK);
    // The OK picture left of the caption, 16 pixels in from the edge.
    BUTTON_IMAGELIST bil{ilShellDialog->Handle(), {16, 0, 0, 0}, BUTTON_IMAGELIST_ALIGN_LEFT};
    SendMessageW(btnOK->Handle(), BCM_SETIMAGELIST, 0, (LPARAM)&bil);
    // It stands over the right end of the pane's tool bar.
    SetWindowPos(btnOK->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Control_ShowHint(*btnOK);
}
