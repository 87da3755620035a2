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

// Takes the icon out of a DefaultIcon key: ours gives back the value before
// it; another program's, written before or after ours, stays, unless
// TheirsToo (a drive, whose key holds nothing but a custom icon, whoever set
// it). Our marks go, and so does a key that only they and the icon filled.
void clearIcon(HKEY root, const String& path, bool theirsToo = false)
{
    THKey key;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_ALL_ACCESS, key.Put()) != ERROR_SUCCESS) return;
    TRawValue written = readRaw(key.Get(), kWritten), before = readRaw(key.Get(), kBefore);
    if (!written.Exists && !theirsToo) return;
    bool ours = readRaw(key.Get(), L"") == written;
    if (ours && before.Exists) writeRaw(key.Get(), L"", before);
    else if (ours || theirsToo) RegDeleteValueW(key.Get(), L"");
    RegDeleteValueW(key.Get(), kWritten);
    RegDeleteValueW(key.Get(), kBefore);
    DWORD subkeys = 0, values = 0;
    RegQueryInfoKeyW(key.Get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr,
                     nullptr, nullptr);
    key.Reset();
    if (!subkeys && !values) RegDeleteKeyW(root, path.c_str());
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

void Iconize_Clear_Drive(const String& letter)
{
    clearIcon(HKEY_CLASSES_ROOT, driveKey(letter), true);
    notifyDrive(letter);
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

void Iconize_Clear_Ext(const String& extension)
{
    String ext = normalExt(extension);
    if (!Iconize_IsFileType(L"." + ext) || ext == L"lnk" || ext == L"exe" || ext == L"ico") return;

    // Only what iconize wrote is taken away: an icon handler or an icon of
    // another program is theirs, and the icon before ours comes back.
    clearIcon(HKEY_CLASSES_ROOT, L"." + ext + L"\\DefaultIcon");
    TRegistry reg(KEY_READ);
    reg.RootKey = HKEY_CLASSES_ROOT;
    String progId;
    if (reg.OpenKeyReadOnly(L"." + ext)) progId = reg.ReadString(L"");
    reg.CloseKey();
    if (!progId.empty()) clearIcon(HKEY_CLASSES_ROOT, progId + L"\\DefaultIcon");
    String chosen = Iconize_UserChoice(ext);
    if (!chosen.empty()) clearIcon(HKEY_CURRENT_USER, userClassIconKey(chosen));

    Iconize_ChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
}
