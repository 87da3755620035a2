#include "ShellDoor.h"

#include <shellapi.h>
#include <shlobj.h>

namespace {
TShellDoor& door()
{
    static TShellDoor d = ShellDoor_Platform;
    return d;
}

TFileOpDoor& fileOpDoor()
{
    static TFileOpDoor d;
    return d;
}

const wchar_t* orNull(const String& s) { return s.empty() ? nullptr : s.c_str(); }
}  // namespace

bool ShellDoor_Platform(const TShellExecuteRequest& r)
{
    if (r.Data) return SUCCEEDED(SHMultiFileProperties(r.Data, 0));
    if (!r.Ex) {
        HINSTANCE h = ShellExecuteW(r.Window, orNull(r.Verb), r.File.c_str(), orNull(r.Parameters),
                                    orNull(r.Directory), r.Show);
        return reinterpret_cast<INT_PTR>(h) > 32;
    }
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = r.Mask;
    info.hwnd = r.Window;
    info.lpVerb = orNull(r.Verb);
    info.lpFile = r.File.c_str();
    info.lpParameters = orNull(r.Parameters);
    info.lpDirectory = orNull(r.Directory);
    info.nShow = r.Show;
    return ShellExecuteExW(&info) != FALSE;
}

bool ShellDoor_Execute(const TShellExecuteRequest& request)
{
    // A copy: a target that replaces the door while it runs must not destroy itself.
    TShellDoor d = door();
    return d ? d(request) : ShellDoor_Platform(request);
}

TShellDoor ShellDoor_Set(TShellDoor d)
{
    return Door_Replace(door(), d ? std::move(d) : TShellDoor(ShellDoor_Platform));
}

int ShellDoor_FileOperation(SHFILEOPSTRUCTW& op)
{
    TFileOpDoor d = fileOpDoor();
    return d ? d(op) : SHFileOperationW(&op);
}

TFileOpDoor ShellDoor_SetFileOperation(TFileOpDoor d) { return Door_Replace(fileOpDoor(), std::move(d)); }
