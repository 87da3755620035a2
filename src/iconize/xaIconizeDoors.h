// The engine's two doors to the platform that tests watch: every shell notice
// and every attribute change of the engine go through them.
#pragma once

#include <windows.h>

// Every shell change notification of the engine goes through this pointer so
// that tests can record them; it is SHChangeNotify.
using TChangeNotifyProc = void(WINAPI*)(LONG eventId, UINT flags, LPCVOID item1, LPCVOID item2);
extern TChangeNotifyProc Iconize_ChangeNotify;
// Every attribute change of the engine goes through this pointer, so that
// tests can see the marks even where the file system drops them (a folder's
// read-only mark under Wine); it is SetFileAttributesW.
using TSetAttributesProc = BOOL(WINAPI*)(LPCWSTR path, DWORD attributes);
extern TSetAttributesProc Iconize_SetAttributes;
