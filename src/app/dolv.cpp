// The program's entry: OLE and the common controls for the whole run, then
// the main block.
#include "ComObj.h"
#include "Forms.h"
#include "Program.h"

#include <commctrl.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    // Drag and drop, shell links and auto-complete need OLE for the whole run.
    TOleScope ole;
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    try {
        return Program_Main(CommandLine_Split(GetCommandLineW()));
    } catch (...) {
        // A window that could not be made, or the like: told, never an abnormal end.
        Application.HandleException();
        return 1;
    }
}
