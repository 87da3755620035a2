#include "xaIconizeDoors.h"

#include <shlobj.h>

TChangeNotifyProc Iconize_ChangeNotify = SHChangeNotify;
TSetAttributesProc Iconize_SetAttributes = SetFileAttributesW;
