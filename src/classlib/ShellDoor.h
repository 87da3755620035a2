// The one door through which the program starts other programs: the shell's
// "open", Explorer with a selection, the Properties sheet and mail links all
// pass here. A test replaces the door's target to see the arguments instead
// of starting anything; the routines that call it never know which target
// answers.
#pragma once

#include "Doors.h"
#include "SysUtils.h"

#include <shellapi.h>

#include <functional>

struct IDataObject;

struct TShellExecuteRequest {
    bool Ex = false;         // ShellExecuteExW (with Mask) rather than ShellExecuteW
    HWND Window = nullptr;   // owner of any window the shell shows
    String Verb;             // "open", "properties", ...
    String File;             // may carry trailing nulls (a double-null path)
    String Parameters;
    String Directory;
    int Show = SW_SHOWNORMAL;
    ULONG Mask = 0;          // SHELLEXECUTEINFOW.fMask, for Ex only
    // The items of one Properties sheet for several files (SHMultiFileProperties);
    // File then lists their paths as a double-null list.
    IDataObject* Data = nullptr;
};

// True when the shell reports that it started the request.
using TShellDoor = std::function<bool(const TShellExecuteRequest&)>;

// Hands the request to the installed target: the platform unless replaced.
bool ShellDoor_Execute(const TShellExecuteRequest& request);
// The platform itself: ShellExecuteW or ShellExecuteExW.
bool ShellDoor_Platform(const TShellExecuteRequest& request);
// Installs a target (an empty one restores the platform); returns the previous one.
TShellDoor ShellDoor_Set(TShellDoor door);

// Replaces the door's target for the lifetime of the object.
using TShellDoorScope = TDoorScope<TShellDoor, ShellDoor_Set>;

// The shell's file operations (SHFileOperationW) pass a door of their own: a
// test sees the flags asked for where the shell ignores them (the Recycle Bin).
using TFileOpDoor = std::function<int(SHFILEOPSTRUCTW&)>;
int ShellDoor_FileOperation(SHFILEOPSTRUCTW& op);
// Installs a target (an empty one restores the platform); returns the previous one.
TFileOpDoor ShellDoor_SetFileOperation(TFileOpDoor door);

// Replaces the file operations' target for the lifetime of the object.
using TFileOpDoorScope = TDoorScope<TFileOpDoor, ShellDoor_SetFileOperation>;
