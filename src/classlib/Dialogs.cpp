#include "Dialogs.h"

#include "Forms.h"

int MessageDlg(const String& text, const String& caption, UINT type)
{
    TModalAnswer answer;
    if (Modal_Intercept({L"MessageBox", caption, text}, answer)) return answer.Result;
    return MessageBoxW(Application.Handle(), text.c_str(), caption.c_str(), type | MB_TASKMODAL);
}

void ShowMessage(const String& text)
{
    TModalAnswer answer;
    if (Modal_Intercept({L"ShowMessage", Application.Title, text}, answer)) return;
    MessageBoxW(Application.Handle(), text.c_str(), Application.Title.c_str(), MB_OK | MB_TASKMODAL);
}
