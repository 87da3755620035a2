// The program's main block: the start sequence, the command line and the end.
#pragma once

#include "CommandLine.h"

#include <vector>

// The command line's values, taken once at start for the whole run.
extern TCommandLine CmdLine;

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
