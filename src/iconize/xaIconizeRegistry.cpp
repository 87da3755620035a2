// Drive and file-type icons: DefaultIcon keys under HKEY_CLASSES_ROOT.
#include "Registry.h"
#include "xaIconize.h"

namespace {

String driveKey(const String& letter)
{
    return L"\\Applications\\Explorer.exe\\Drives\\" + letter + L"\\DefaultIcon";
}

void notifyDrive(const String& letter)
{
    String root = letter + L":\\";
    Iconize_ChangeNotify(SHCNE_UPDATEDIR, SHCNF_FLUSH | SHCNF_PATHW, root.c_str(), nullptr);
}

// One leading dot off, lower case: registry keys ignore letter case, so ".ICO"
// is the same type as ".ico" and must be treated the same, and the exceptions
// for exe, lnk and ico must not be dodged by upper case.
String normalExt(const String& ext)
{
    String e = (!ext.empty() && ext[0] == L'.') ? ext.substr(1) : ext;
    return AnsiLowerCase(e);
}

// The per-user copy of a class's icon, which the merged classes root shows
// instead of the machine-wide one.
String userClassIconKey(const String& progId) { return L"Software\\Classes\\" + progId + L"\\DefaultIcon"; }

}  // namespace

String Iconize_UserChoice(const String& ext)
{
    TRegistry reg(KEY_READ);
    reg.RootKey = HKEY_CURRENT_USER;
    String key = Iconize_FileExtsKey(ext) + L"\\UserChoice";
    if (!reg.KeyExists(key) || !reg.OpenKeyReadOnly(key)) return String();
    String progId = reg.ReadString(L"Progid");
    reg.CloseKey();
    return progId;
}

String Iconize_FileExtsKey(const String& ext)
{
    return L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\." + ext;
}

String Iconize_IconText(const String& iconFile, int index)
{
    return index == -1 ? iconFile : iconFile + L"," + IntToStr(index);
}

void Iconize_Drive(const String& letter, const String& iconFile, int index)
{
    String text = Iconize_IconText(iconFile, index);
    TRegistry reg;
    reg.RootKey = HKEY_CLASSES_ROOT;
    reg.OpenKey(driveKey(letter), true);
    reg.WriteString(L"", text);
    reg.CloseKey();
    notifyDrive(letter);
}

void Iconize_Clear_Drive(const String& letter)
{
    TRegistry reg;
    reg.RootKey = HKEY_CLASSES_ROOT;
    reg.DeleteKey(driveKey(letter));
    notifyDrive(letter);
}

void Iconize_Ext(const String& extension, const String& iconFile, int index)
{
    String ext = normalExt(extension);
    // No extension names no type: the class key "." is never written.
    if (ext.empty() || ext == L"lnk" || ext == L"exe") return;
    String text = ext == L"ico" ? String(L"%1") : Iconize_IconText(iconFile, index);

    TRegistry reg;
    reg.RootKey = HKEY_CLASSES_ROOT;
    reg.OpenKey(L"." + ext, true);
    String progId = reg.ReadString(L"");
    if (progId.empty()) {
        progId = ext + L"file";
        reg.WriteString(L"", progId);
    }
    reg.CloseKey();

    if (reg.OpenKey(L"." + ext + L"\\DefaultIcon", true)) reg.WriteString(L"", text);
    reg.CloseKey();

    if (!reg.KeyExists(progId)) reg.CreateKey(progId);
    if (reg.OpenKey(progId + L"\\DefaultIcon", true)) reg.WriteString(L"", text);
    reg.CloseKey();

    // The shell shows the icon of the class the user chose for the type, when
    // there is one: give that class the icon too, as a per-user copy, so that
    // the machine-wide class stays as it was and clearing can simply drop it.
    String chosen = Iconize_UserChoice(ext);
    if (!chosen.empty() && AnsiCompareText(chosen, progId) != 0) {
        TRegistry user;
        user.RootKey = HKEY_CURRENT_USER;
        if (user.OpenKey(userClassIconKey(chosen), true)) user.WriteString(L"", text);
        user.CloseKey();
    }

    Iconize_ChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
}

void Iconize_Clear_Ext(const String& extension)
{
    String ext = normalExt(extension);
    if (ext.empty() || ext == L"lnk" || ext == L"exe" || ext == L"ico") return;

    TRegistry reg;
    reg.RootKey = HKEY_CLASSES_ROOT;
    reg.DeleteKey(L"." + ext + L"\\DefaultIcon");
    reg.DeleteKey(L"." + ext + L"\\shellex\\IconHandler");
    if (reg.KeyExists(L"." + ext)) {
        reg.OpenKey(L"." + ext, false);
        String progId = reg.ReadString(L"");
        reg.CloseKey();
        if (!progId.empty()) {
            reg.DeleteKey(progId + L"\\DefaultIcon");
            reg.DeleteKey(progId + L"\\shellex\\IconHandler");
        }
    }
    String chosen = Iconize_UserChoice(ext);
    if (!chosen.empty()) {
        TRegistry user;
        user.RootKey = HKEY_CURRENT_USER;
        user.DeleteKey(userClassIconKey(chosen));
    }

    Iconize_ChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
}
