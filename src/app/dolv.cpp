// The program's entry: OLE and the common controls for the whole run, then
// the main block.
#include "ComObj.h"
#include "Forms.h"
#include "Program.h"

#include <commctrl.h>
#include <shellapi.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    // Drag and drop, shell links and auto-complete need OLE for the whole run.
    TOleScope ole;
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::vector<String> args(argv, argv + argc);
    LocalFree(argv);
    try {
        return Program_Main(args);
    } catch (...) {
        // A window that could not be made, or the like: told, never an abnormal end.
        Application.HandleException();
        return 1;
    }
}
