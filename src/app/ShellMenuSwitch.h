// The Explorer context-menu switch: installs or removes the program's verb
// for folders and all files, for an administrator only.
#pragma once

#include "ActnList.h"

// The administrator check the switch asks; tests point it elsewhere.
extern bool (*ShellMenu_IsAdmin)();

// Runs after Act (an auto-check action) has toggled: on installs the verb
// under "Folder" and "*" with Command and the icon of Program (removing the
// older verb), off removes it from both (of a verb of that name whose
// command is another program's, only the caption and icon we wrote).
// Without administrator rights it tells the user, toggles Act back and
// leaves the registry alone. A failing registry write raises the registry's
// error, with Act left as toggled.
void ShellMenu_Switch(TAction* act, const String& command, const String& program);
