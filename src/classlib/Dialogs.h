// The class library's plain dialogs and its default exception handler.
#pragma once

#include "ModalHook.h"

// The plain message dialog: the text with an OK button, under the application's title.
void ShowMessage(const String& text);

// The platform's message box through the modal door; returns the button pressed.
int MessageDlg(const String& text, const String& caption, UINT type);
