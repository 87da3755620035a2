#include "xaY.h"

#include "Dialogs.h"
#include "Forms.h"

// Until the coloured message box window exists the text is shown in the
// platform's own message box; the colour picks its icon.
void Y_Show(const String& text, const String& caption, int color, bool /*rememberPos*/)
{
    if (color == -1) color = clYDefault;
    TModalAnswer answer;
    TModalRequest request{L"TFormY", caption, text, color};
    if (Modal_Intercept(request, answer)) return;
    UINT icon = color == clYError ? MB_ICONERROR : color == clYSuccess ? MB_ICONINFORMATION : 0;
    MessageBoxW(Application.Handle(), text.c_str(), caption.c_str(), MB_OK | MB_TASKMODAL | icon);
}

void Y_ShowColor(const String& text, int color) { Y_Show(text, L"", color, true); }
