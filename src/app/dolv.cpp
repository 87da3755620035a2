// The program's entry: the main block, which sets up OLE and the common
// controls itself once it knows a window will be shown.
#include "Forms.h"
#include "Program.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    try {
        return Program_Main(CommandLine_Split(GetCommandLineW()));
    } catch (...) {
        // A window that could not be made, or the like: told, never an abnormal end.
        Application.HandleException();
        return 1;
    }
}
