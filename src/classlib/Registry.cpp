#include "Registry.h"

#include <vector>

HKEY TRegistry::baseFor(const String& key, String& rel) const
{
    bool absolute = !key.empty() && key[0] == L'\\';
    rel = absolute ? key.substr(1) : key;
    while (!rel.empty() && rel.back() == L'\\') rel.pop_back();
    return (absolute || !fCurrentKey) ? RootKey : fCurrentKey.Get();
}

bool TRegistry::OpenKey(const String& key, bool canCreate)
{
    String rel;
    HKEY base = baseFor(key, rel);
    THKey h;
    LONG rc = canCreate ? RegCreateKeyExW(base, rel.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, Access, nullptr,
                                          h.Put(), nullptr)
                        : RegOpenKeyExW(base, rel.c_str(), 0, Access, h.Put());
    if (rc != ERROR_SUCCESS) return false;
    String path = (base == RootKey) ? rel : fCurrentPath + L"\\" + rel;
    CloseKey();
    fCurrentKey.Reset(h.Release());
    fCurrentPath = path;
    return true;
}

bool TRegistry::OpenKeyReadOnly(const String& key)
{
    String rel;
    HKEY base = baseFor(key, rel);
    THKey h;
    if (RegOpenKeyExW(base, rel.c_str(), 0, KEY_READ, h.Put()) != ERROR_SUCCESS) return false;
    String path = (base == RootKey) ? rel : fCurrentPath + L"\\" + rel;
    CloseKey();
    fCurrentKey.Reset(h.Release());
    fCurrentPath = path;
    return true;
}

void TRegistry::CloseKey()
{
    fCurrentKey.Reset();
    fCurrentPath.clear();
}

bool TRegistry::CreateKey(const String& key)
{
    String rel;
    HKEY base = baseFor(key, rel);
    THKey h;
    if (RegCreateKeyExW(base, rel.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, Access, nullptr, h.Put(), nullptr) !=
        ERROR_SUCCESS)
        throw ERegistryException(Format(L"Failed to create key %s", key.c_str()));
    return true;
}

LONG Reg_DeleteTree(HKEY parent, const String& key)
{
    THKey h;
    LONG rc = RegOpenKeyExW(parent, key.c_str(), 0, KEY_READ | KEY_WRITE, h.Put());
    if (rc != ERROR_SUCCESS) return rc;
    // Collect names first: deleting while enumerating shifts the indexes.
    std::vector<String> subs;
    wchar_t name[256];
    for (DWORD i = 0;; ++i) {
        DWORD len = 256;
        if (RegEnumKeyExW(h.Get(), i, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        subs.emplace_back(name, len);
    }
    for (const String& s : subs) Reg_DeleteTree(h.Get(), s);
    h.Reset();
    return RegDeleteKeyW(parent, key.c_str());
}

bool TRegistry::DeleteKey(const String& key)
{
    String rel;
    HKEY base = baseFor(key, rel);
    if (rel.empty()) return false;  // never the root or the open key itself
    return Reg_DeleteTree(base, rel) == ERROR_SUCCESS;
}

bool TRegistry::KeyExists(const String& key)
{
    String rel;
    HKEY base = baseFor(key, rel);
    THKey h;
    return RegOpenKeyExW(base, rel.c_str(), 0, KEY_READ, h.Put()) == ERROR_SUCCESS;
}

bool TRegistry::ValueExists(const String& name) const
{
    if (!fCurrentKey) return false;
    return RegQueryValueExW(fCurrentKey.Get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool TRegistry::DeleteValue(const String& name)
{
    return fCurrentKey && RegDeleteValueW(fCurrentKey.Get(), name.c_str()) == ERROR_SUCCESS;
}

String TRegistry::ReadString(const String& name) const
{
    if (!fCurrentKey) return {};
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(fCurrentKey.Get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return {};
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        throw ERegistryException(Format(L"Invalid data type for '%s'", name.c_str()));
    std::vector<wchar_t> buf(size / sizeof(wchar_t) + 1, L'\0');
    DWORD bytes = (DWORD)(buf.size() * sizeof(wchar_t));
    if (RegQueryValueExW(fCurrentKey.Get(), name.c_str(), nullptr, &type, (BYTE*)buf.data(), &bytes) != ERROR_SUCCESS)
        return {};
    size_t n = bytes / sizeof(wchar_t);
    // Stored strings may or may not carry their terminating null.
    while (n > 0 && buf[n - 1] == L'\0') --n;
    return String(buf.data(), n);
}

void TRegistry::WriteString(const String& name, const String& value)
{
    if (!fCurrentKey || RegSetValueExW(fCurrentKey.Get(), name.c_str(), 0, REG_SZ, (const BYTE*)value.c_str(),
                                       (DWORD)((value.size() + 1) * sizeof(wchar_t))) != ERROR_SUCCESS)
        throw ERegistryException(Format(L"Failed to set data for '%s'", name.c_str()));
}
