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
    // Explorer reads the icon text as it stands: a path with blanks is not quoted.
    String icon = program + L", 0";
    if (act->Checked) {
        Shell_VerbDelete(L"Folder", L">>>>> Dolv");
        Shell_VerbAdd(L"Folder", Prog_Name, Prog_Caption, icon, command);
        Shell_VerbAdd(L"*", Prog_Name, Prog_Caption, icon, command);
    } else {
        // A verb of this name that another program put there stays its own.
        Shell_VerbRemove(L"Folder", Prog_Name, Prog_Caption, icon, command);
        Shell_VerbRemove(L"*", Prog_Name, Prog_Caption, icon, command);
    }
}
