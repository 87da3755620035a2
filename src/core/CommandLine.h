// Unit CommandLine: the program's command line read into its values, and the
// command line of the Explorer context-menu entry. No windows; what the
// values start is the start sequence's (Program).
#pragma once

#include "SysUtils.h"

#include <vector>

// The command line's values.
struct TCommandLine {
    bool Given = false;  // any argument at all
    int Mode = 0;
    String Element;      // argument 2, expanded; a file type (".txt") as written
    String IcoFile;      // argument 3, expanded
    String IcoIndex;     // argument 4 as written
    bool CopyIco = false;  // off exactly when argument 5 is "0"
};

// The arguments of a command line, as the program reads its own. A quote
// always opens or closes an argument, since no path or number holds one, and
// a run of backslashes before it is halved, rounding up: the entry Explorer
// runs, "%1" for C:\, gives "C:\", which the platform's own splitting reads
// as C:" (an escaped quote) with every later argument glued on.
std::vector<String> CommandLine_Split(const String& line);
// Takes the arguments (Args[0], the program, is not used). A first argument
// that is not a whole number is taken as what Explorer passes for a file
// dropped onto the program: mode 1 with it as the element.
TCommandLine CommandLine_Parse(const std::vector<String>& args);
// The command line of the Explorer context-menu entry: "<exe>" "1" "%1".
String ShellMenu_Command();
