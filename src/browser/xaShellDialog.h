// Unit xaShellDialog: the folder chooser, the program's own picker of files
// and folders: a resizable modal window with one explorer pane and an OK
// button. Made on first use and kept until the program ends, so it reopens
// where it was left; its pane's state is kept in settings.ini's section
// "LVS_xaShellDialog", its placement in "FormXaShellDialog".
#pragma once

#include "CommandImages.h"
#include "Forms.h"
#include "xaFrameExplorer.h"

// The picture of the OK button, in the Chooser strip.
namespace ChooserImage {
enum : int { OK, Count };
}
static_assert(ChooserImage::Count == CommandImages_Count(TCommandStrip::Chooser));

class TFormXaShellDialog : public TForm {
public:
    explicit TFormXaShellDialog(TComponent* owner);
    String ClassName() const override { return L"TFormXaShellDialog"; }

    TFrExplorer* fre;
    TButton* btnOK;
    TImageList* ilShellDialog;
    TActionManager* amShell;
    TAction* Act_OK;
    TAction* Act_FormMaximize;
    TAction* Act_Close;

    // When the program ends: the pane's state and the placement to settings.ini.
    void FormDestroy(TObject* sender);
    void Act_OKExecute(TObject* sender);
    void Act_FormMaximizeExecute(TObject* sender);
    void Act_CloseExecute(TObject* sender);

private:
    void createComponents();  // xaShellDialogLayout.cpp
};

// The chooser once it exists, or none.
extern TFormXaShellDialog* FormXaShellDialog;

// Shows the chooser modally under Caption. Strs is cleared and gets the full
// paths of the rows selected when it closed; true when the user confirmed with
// OK, and then, with no row selected, Strs holds the open folder. InitialDir
// counts only on the first call: "*" reopens the folder kept in settings.ini,
// any other text is the folder to open.
bool ShellDialog_SelectList(TStrings& strs, const String& caption, const String& initialDir);
// One path: on true Path becomes the first of the list; on false it stays.
bool ShellDialog_SelectPath(String& path, const String& caption, const String& initialDir);
void Lng_ShellDialog_Set();
// Saves the chooser's pane and placement (when it was made); it stays.
void ShellDialog_Save();
// Called by the program's end: saves the chooser's state (when it was made) and frees it.
void ShellDialog_Free();
