// Reading back the icon an element shows: the icon reference (file and
// index) behind a folder, a shortcut, an icon file or a file type.
#include "Registry.h"
#include "xaIconize.h"
#include "xaModul.h"
#include "xaShell.h"

namespace {

String readDefaultIcon(HKEY root, const String& key)
{
    TRegistry reg(KEY_READ);
    reg.RootKey = root;
    if (!reg.OpenKeyReadOnly(key)) return String();
    String value = reg.ReadString(L"");
    reg.CloseKey();
    return value;
}

}  // namespace

bool Iconize_Get_Ext(const String& ext, String& iconFile, int& iconIndex)
{
    String progId = Iconize_UserChoice(ext);
    String value = progId.empty() ? readDefaultIcon(HKEY_CURRENT_USER, Iconize_FileExtsKey(ext) + L"\\DefaultIcon")
                                   : readDefaultIcon(HKEY_CLASSES_ROOT, progId + L"\\DefaultIcon");
    if (!value.empty()) {
        IconLocation_Parse(value, iconFile, iconIndex);
        return true;
    }

    TRegistry reg(KEY_READ);
    reg.RootKey = HKEY_CLASSES_ROOT;
    String key = L"." + ext;
    if (reg.KeyExists(key) && reg.OpenKeyReadOnly(key)) {
        String cls = reg.ReadString(L"");
        reg.CloseKey();
        if (!cls.empty() && reg.KeyExists(cls)) key = cls;
    }
    value = readDefaultIcon(HKEY_CLASSES_ROOT, key + L"\\DefaultIcon");
    if (value.empty()) return false;
    IconLocation_Parse(value, iconFile, iconIndex);
    return true;
}

bool Iconize_Get_Element(const String& element, String& iconFile, int& iconIndex)
{
    String path = element;
    int index = 0;
    String ext = AnsiLowerCase(File_Ext(path));
    if (ext == L"lnk") {
        // One level only: a shortcut stands for its target's icon.
        path = Lnk_GetTarget(path);
        ext = AnsiLowerCase(File_Ext(path));
    }
    if (DirectoryExists(path)) {
        String file;
        if (!Iconize_Get_Folder(path, file, index)) return false;
        iconFile = file;
        iconIndex = index;
        return true;
    }
    if (ext == L"ico") {
        iconFile = path;
        iconIndex = 0;
        return true;
    }
    if (ext == L"exe" || ext == L"dll" || ext == L"icl") {
        if (!FileExists(path)) return false;
        iconFile = path;
        iconIndex = 0;
        return true;
    }
    String file;
    if (Iconize_Get_Ext(ext, file, index)) {
        if (!FileExists(file)) return false;
        iconFile = file;
        iconIndex = index;
        return true;
    }
    iconFile.clear();
    iconIndex = 0;
    return false;
}
