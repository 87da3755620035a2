// Unit ind: the program's identity texts.
#pragma once

#include "SysUtils.h"

// The verb name and the menu caption of the Explorer context-menu entry.
extern const String Prog_Name;
extern const String Prog_Caption;
