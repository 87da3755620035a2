// Unit ind: the program's identity texts, shown in the about box and written
// as the Explorer context-menu entry.
#pragma once

#include "SysUtils.h"

extern const String Prog_Mail;     // the maker's e-mail address
extern const String Prog_Sait;     // the program's web page
extern const String Prog_Name;     // the context-menu verb
extern const String Prog_Caption;  // the context-menu caption

// The running program's full path.
String Prog_FullName();
