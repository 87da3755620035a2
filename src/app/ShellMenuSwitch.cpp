#include "ShellMenuSwitch.h"

#include "ind.h"
#include "xaShell.h"
#include "xaY.h"

bool (*ShellMenu_IsAdmin)() = User_IsAdmin;

void ShellMenu_Switch(TAction* act, const String& command, const String& program)
{
    if (!ShellMenu_IsAdmin()) {
        act->Checked = !act->Checked;
        act->Change();
        Y_Show(L"Только под учётной записью адмистратора можно делать эту функцию");
        return;
    }
    if (act->Checked) {
        Shell_VerbDelete(L"Folder", L">>>>> Dolv");
        // Explorer reads the icon text as it stands: a path with blanks is not quoted.
        String icon = program + L", 0";
        Shell_VerbAdd(L"Folder", Prog_Name, Prog_Caption, icon, command);
        Shell_VerbAdd(L"*", Prog_Name, Prog_Caption, icon, command);
    } else {
        Shell_VerbDelete(L"Folder", Prog_Name);
        Shell_VerbDelete(L"*", Prog_Name);
    }
}
