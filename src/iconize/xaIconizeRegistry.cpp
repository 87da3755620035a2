// Drive and file-type icons: DefaultIcon keys under HKEY_CLASSES_ROOT.
#include "Handles.h"
#include "Registry.h"
#include "xaIconize.h"

#include <vector>

namespace {

String driveKey(const String& letter)
{
    return L"Applications\\Explorer.exe\\Drives\\" + letter + L"\\DefaultIcon";
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

// Beside each icon value it writes, iconize keeps the text it wrote and the
// value it replaced, so that clearing takes away only its own icon and gives
// back the one that was there before, of whatever type it was.
const wchar_t kWritten[] = L"Dolv.Icon";
const wchar_t kBefore[] = L"Dolv.Before";

struct TRawValue {
    bool Exists = false;
    DWORD Type = 0;
    std::vector<BYTE> Data;
    bool operator==(const TRawValue& o) const { return Exists && o.Exists && Type == o.Type && Data == o.Data; }
};

TRawValue readRaw(HKEY key, const wchar_t* name)
{
    TRawValue v;
    DWORD size = 0;
    if (RegQueryValueExW(key, name, nullptr, &v.Type, nullptr, &size) != ERROR_SUCCESS) return v;
    v.Data.resize(size);
    v.Exists = RegQueryValueExW(key, name, nullptr, &v.Type, v.Data.data(), &size) == ERROR_SUCCESS;
    v.Data.resize(size);
    return v;
}

void writeRaw(HKEY key, const wchar_t* name, const TRawValue& v)
{
    RegSetValueExW(key, name, 0, v.Type, v.Data.data(), (DWORD)v.Data.size());
}

// Writes Text as the icon of the open DefaultIcon key.
void setIcon(TRegistry& reg, const String& text)
{
    HKEY key = reg.CurrentKey();
    TRawValue now = readRaw(key, L"");
    // Unless the present value is still the one we wrote, it is somebody
    // else's and is what clearing gives back.
    if (!(now == readRaw(key, kWritten))) {
        RegDeleteValueW(key, kBefore);
        if (now.Exists) writeRaw(key, kBefore, now);
    }
    reg.WriteString(L"", text);
    reg.WriteString(kWritten, text);
}

// Whether the DefaultIcon key holds an icon that clearing would take away:
// ours, or with TheirsToo any. A key that cannot even be read may hold one.
bool holdsIconToClear(HKEY root, const String& path, bool theirsToo)
{
    THKey key;
    LONG rc = RegOpenKeyExW(root, path.c_str(), 0, KEY_QUERY_VALUE, key.Put());
    if (rc == ERROR_FILE_NOT_FOUND) return false;
    if (rc != ERROR_SUCCESS) return true;
    TRawValue icon = readRaw(key.Get(), L""), written = readRaw(key.Get(), kWritten);
    return theirsToo ? icon.Exists || written.Exists : icon == written;
}

// A value deleted, or one that was not there: nothing is left to take.
LONG deleteValue(HKEY key, const wchar_t* name)
{
    LONG rc = RegDeleteValueW(key, name);
    return rc == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : rc;
}

// Takes the icon out of a DefaultIcon key: ours gives back the value before
// it; another program's, written before or after ours, stays, unless
// TheirsToo (a drive, whose key holds nothing but a custom icon, whoever set
// it). Our marks go, and so does a key that only they and the icon filled.
// The registry's reason when the icon to take stays; 0 when it is gone or
// there was none (a key that is not there has nothing to clear, and one we
// may only read is refused only when it holds an icon to take).
LONG clearIcon(HKEY root, const String& path, bool theirsToo = false)
{
    THKey key;
    LONG rc = RegOpenKeyExW(root, path.c_str(), 0, KEY_QUERY_VALUE | KEY_SET_VALUE, key.Put());
    if (rc == ERROR_FILE_NOT_FOUND) return ERROR_SUCCESS;
    if (rc != ERROR_SUCCESS) return holdsIconToClear(root, path, theirsToo) ? rc : ERROR_SUCCESS;
    TRawValue written = readRaw(key.Get(), kWritten), before = readRaw(key.Get(), kBefore);
    if (!written.Exists && !theirsToo) return ERROR_SUCCESS;
    bool ours = readRaw(key.Get(), L"") == written;
    if (ours && before.Exists)
        rc = RegSetValueExW(key.Get(), L"", 0, before.Type, before.Data.data(), (DWORD)before.Data.size());
    else if (ours || theirsToo)
        rc = deleteValue(key.Get(), L"");
    if (rc == ERROR_SUCCESS) rc = deleteValue(key.Get(), kWritten);
    if (rc == ERROR_SUCCESS) rc = deleteValue(key.Get(), kBefore);
    if (rc != ERROR_SUCCESS) return rc;
    DWORD subkeys = 0, values = 0;
    RegQueryInfoKeyW(key.Get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr,
                     nullptr, nullptr);
    key.Reset();
    // The icon is gone already; a key left empty that may not be deleted is no icon.
    if (!subkeys && !values) RegDeleteKeyW(root, path.c_str());
    return ERROR_SUCCESS;
}

String rootName(HKEY root) { return root == HKEY_CURRENT_USER ? L"HKEY_CURRENT_USER" : L"HKEY_CLASSES_ROOT"; }

// Clears the key's icon into Result: the first refusal is told with the key
// and the registry's reason, later ones add their key and reason.
void clearInto(TIconizeResult& result, const String& what, HKEY root, const String& path, bool theirsToo = false)
{
    LONG rc = clearIcon(root, path, theirsToo);
    if (rc == ERROR_SUCCESS) return;
    if (result) result = {TIconizeWhy::Refused, L"Could not clear the icon of " + what};
    result.Text += L"\r\n" + rootName(root) + L"\\" + path + L"\r\n" + SysErrorMessage((DWORD)rc);
}

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
    setIcon(reg, text);
    reg.CloseKey();
    notifyDrive(letter);
}

TIconizeResult Iconize_Clear_Drive(const String& letter)
{
    TIconizeResult result;
    clearInto(result, L"drive " + letter + L":", HKEY_CLASSES_ROOT, driveKey(letter), true);
    notifyDrive(letter);
    return result;
}

bool Iconize_Ext(const String& extension, const String& iconFile, int index)
{
    String ext = normalExt(extension);
    // What is no type names no class of ours: "." or ".." would be another's.
    if (!Iconize_IsFileType(L"." + ext) || ext == L"lnk" || ext == L"exe") return false;
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

    if (reg.OpenKey(L"." + ext + L"\\DefaultIcon", true)) setIcon(reg, text);
    reg.CloseKey();

    if (!reg.KeyExists(progId)) reg.CreateKey(progId);
    if (reg.OpenKey(progId + L"\\DefaultIcon", true)) setIcon(reg, text);
    reg.CloseKey();

    // The shell shows the icon of the class the user chose for the type, when
    // there is one: give that class the icon too, as a per-user copy, so that
    // the machine-wide class stays as it was.
    String chosen = Iconize_UserChoice(ext);
    if (!chosen.empty() && AnsiCompareText(chosen, progId) != 0) {
        TRegistry user;
        user.RootKey = HKEY_CURRENT_USER;
        if (user.OpenKey(userClassIconKey(chosen), true)) setIcon(user, text);
        user.CloseKey();
    }

    Iconize_ChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
    return true;
}

TIconizeResult Iconize_Clear_Ext(const String& extension)
{
    String ext = normalExt(extension);
    if (!Iconize_IsFileType(L"." + ext) || ext == L"lnk" || ext == L"exe" || ext == L"ico")
        return {TIconizeWhy::PassedOver, String()};

    // Only what iconize wrote is taken away: an icon handler or an icon of
    // another program is theirs, and the icon before ours comes back. A key
    // that refuses does not keep the others from being cleared.
    TIconizeResult result;
    String what = L"the type ." + ext;
    clearInto(result, what, HKEY_CLASSES_ROOT, L"." + ext + L"\\DefaultIcon");
    TRegistry reg(KEY_READ);
    reg.RootKey = HKEY_CLASSES_ROOT;
    String progId;
    if (reg.OpenKeyReadOnly(L"." + ext)) progId = reg.ReadString(L"");
    reg.CloseKey();
    if (!progId.empty()) clearInto(result, what, HKEY_CLASSES_ROOT, progId + L"\\DefaultIcon");
    String chosen = Iconize_UserChoice(ext);
    if (!chosen.empty()) clearInto(result, what, HKEY_CURRENT_USER, userClassIconKey(chosen));

    Iconize_ChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
    return result;
}
