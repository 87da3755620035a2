#include "About.h"

#include "ind.h"
#include "xaLanguageTexts.h"
#include "xaModulForm.h"
#include "xaShell.h"

#include <memory>

const String About_AppNameVer = L"Dolv 2021.11";

TFormAbout* FormAbout = nullptr;

void About_Show(const TNotifyEvent& openInExplorer)
{
    auto form = std::make_unique<TFormAbout>(nullptr);
    TFormGlobalScope<TFormAbout> current(FormAbout, form.get());
    String program = Prog_FullName();

    form->xall_AppNameVer->SetCaption(About_AppNameVer);
    form->xall_AppNameVer->LinkForCopy = program;
    form->xall_AppNameVer->Hint = program;
    form->xall_AppNameVer->OnClick = openInExplorer;

    form->xall_Mail->SetCaption(Prog_Mail);
    form->xall_Mail->Link = Mail_Link(Prog_Mail, About_AppNameVer, L"");
    // The address alone: what a user pastes into a mail program's "To".
    form->xall_Mail->LinkForCopy = Prog_Mail;

    form->xall_Sait->SetCaption(xaLanguageUni::App_Sait);
    form->xall_Sait->Link = Prog_Sait;
    form->xall_Sait->LinkForCopy = Prog_Sait;

    form->ModalText = About_AppNameVer;
    form->ShowModal();
}

void TFormAbout::FormMouseDown(TObject*, TMouseButton, TShiftState, int, int) { Form_Drag(this); }

void TFormAbout::FormKeyPress(TObject*, wchar_t& key)
{
    if (key == 27) {
        key = 0;
        Close();
    }
}

void TFormAbout::SpeedButton1Click(TObject*) { Close(); }
