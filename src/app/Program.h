// The program's main block: the start sequence, the command line and the end.
#pragma once

#include "CommandLine.h"
#include "IniFiles.h"

#include <vector>

// The command line's values, taken once at start for the whole run.
extern TCommandLine CmdLine;

// The default icons base: the icons folder beside the program, or the
// program's folder without one; with Collapse in its "%exe" form.
String IcoFolder_Get(bool collapse);
// The icons base, expanded.
String IcoBaza_Get();
// The icons base as the user set it ("%exe" form). The settings window's
// edit box holds it once that window exists; every read and write of it goes
// through these two.
String IcoBaza_Text_Get();
void IcoBaza_Text_Set(const String& text);

// The start sequence up to the message loop: -1 to go on into the loop, or
// the exit code of command-line mode 0, which iconizes before any window is
// made and ends.
int Program_Start(const std::vector<String>& args);
// The session ends (log-off, shut-down): what the close and the program's end
// write, written now, for the process may be ended as soon as this returns.
// The windows and the kept dialogs stay; one may still be up.
void Program_SessionEnd();
// Frees the kept dialogs, which store their state, then the windows and the
// main window's state.
void Program_End();
// Runs the program; the process's exit code. Command-line mode 0 gives 0 when
// the element was iconized and 1 when not, so that a calling script sees a
// failure.
int Program_Main(const std::vector<String>& args);
