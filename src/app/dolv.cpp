// The program's main block. The application's windows come in later; until
// then the program initialises what exists and ends cleanly.
#include "ComObj.h"
#include "Forms.h"
#include "xaModul.h"

#include <commctrl.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    // Drag and drop, shell links and auto-complete need OLE for the whole run.
    TOleScope ole;
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    Application.Title = L"Dolv";
    return 0;
}
