// The class library's plain dialogs and the platform's open-file dialog.
#pragma once

#include "ModalHook.h"

// The plain message dialog: the text with an OK button, under the application's title.
void ShowMessage(const String& text);

// The platform's message box through the modal door; returns the button pressed.
int MessageDlg(const String& text, const String& caption, UINT type);

// The platform's open-file dialog. Through the modal door it is the request
// kind "TOpenDialog" with the title as caption and the initial folder as
// text; a responder's answer IDOK with Text picks that file.
class TOpenDialog {
public:
    String Title;
    // Pairs of a description and a pattern, separated by "|".
    String Filter;
    String InitialDir;
    String FileName;
    // True and FileName when the user confirms.
    bool Execute();
};
