#include "Forms.h"

#include "Dialogs.h"

TApplication Application;

void TApplication::ShowException(const std::exception& e)
{
    const Exception* ours = dynamic_cast<const Exception*>(&e);
    String text = ours ? ours->Message() : FromUtf8(e.what());
    MessageDlg(text, Title, MB_OK | MB_ICONERROR);
}
