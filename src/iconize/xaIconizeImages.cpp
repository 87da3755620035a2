// The shell's system image list and the icons inside an icon file.
#include "xaIconize.h"

#include <shellapi.h>

int Ico_GetSysIndex(const String& path)
{
    SHFILEINFOW info{};
    SHGetFileInfoW(path.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_TYPENAME);
    return info.iIcon;
}

void ImageList_AttachSys(TImageList& list, bool small)
{
    SHFILEINFOW info{};
    auto handle = (HIMAGELIST)SHGetFileInfoW(L"", 0, &info, sizeof info,
                                             SHGFI_SYSICONINDEX | (small ? SHGFI_SMALLICON : 0));
    if (handle) list.SetHandle(handle, true);
}

void ImageList_LoadIcoFile(const String& file, TImageList& list)
{
    if (!FileExists(file)) return;
    HINSTANCE self = GetModuleHandleW(nullptr);
    UINT count = (UINT)(UINT_PTR)ExtractIconW(self, file.c_str(), (UINT)-1);
    list.Clear();
    for (UINT i = 0; i < count; ++i) {
        HICON icon = ExtractIconW(self, file.c_str(), i);
        // 1 is ExtractIcon's answer for "not a file with icons".
        if (!icon || icon == (HICON)1) continue;
        list.AddIcon(icon);  // the list keeps its own copy
        DestroyIcon(icon);
    }
}
