#include "IconizeTestSupport.h"

#include "Handles.h"
#include "Registry.h"

#include <algorithm>

namespace {
std::vector<TNotice>& notices()
{
    static std::vector<TNotice> v;
    return v;
}

std::vector<std::pair<String, DWORD>>& marks()
{
    static std::vector<std::pair<String, DWORD>> v;
    return v;
}

void WINAPI recordNotice(LONG event, UINT flags, LPCVOID item1, LPCVOID)
{
    notices().push_back({event, flags, item1 ? String((const wchar_t*)item1) : String()});
}

String plainPath(const String& p) { return p.rfind(L"\\\\?\\", 0) == 0 ? p.substr(4) : p; }

BOOL WINAPI recordMarks(LPCWSTR path, DWORD attributes)
{
    marks().push_back({plainPath(path), attributes});
    return SetFileAttributesW(path, attributes);
}
}  // namespace

TNoticeRecorder::TNoticeRecorder()
{
    notices().clear();
    marks().clear();
    Iconize_ChangeNotify = recordNotice;
    Iconize_SetAttributes = recordMarks;
}

TNoticeRecorder::~TNoticeRecorder()
{
    Iconize_ChangeNotify = SHChangeNotify;
    Iconize_SetAttributes = SetFileAttributesW;
}

DWORD TNoticeRecorder::Marks(const String& path)
{
    for (auto it = marks().rbegin(); it != marks().rend(); ++it)
        if (AnsiSameText(it->first, plainPath(path))) return it->second;
    return Attributes(path);
}

std::vector<TNotice>& TNoticeRecorder::Seen() { return notices(); }

bool RegKeyExists(HKEY root, const String& key)
{
    HKEY h;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
    RegCloseKey(h);
    return true;
}

String RegValue(HKEY root, const String& key, const String& name)
{
    HKEY h;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return L"<none>";
    wchar_t buf[2048];
    DWORD size = sizeof buf, type = 0;
    LONG rc = RegQueryValueExW(h, name.c_str(), nullptr, &type, (BYTE*)buf, &size);
    RegCloseKey(h);
    if (rc != ERROR_SUCCESS) return L"<none>";
    return String(buf, wcsnlen(buf, size / sizeof(wchar_t)));
}

void RegSetValue(HKEY root, const String& key, const String& name, const String& value, DWORD type)
{
    HKEY h;
    ASSERT_EQ(RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(h, name.c_str(), 0, type, (const BYTE*)value.c_str(), (DWORD)(value.size() + 1) * 2);
    RegCloseKey(h);
}

void RegDeleteTreeQuiet(HKEY root, const String& key) { Reg_DeleteTree(root, key); }

namespace {

using TTree = TRegSnapshot::TTree;

std::vector<TRegSnapshot::TValue> readValues(HKEY key)
{
    std::vector<TRegSnapshot::TValue> values;
    for (DWORD i = 0;; ++i) {
        wchar_t name[16384];
        DWORD len = 16384, type = 0, size = 0;
        if (RegEnumValueW(key, i, name, &len, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) break;
        TRegSnapshot::TValue v{String(name, len), type, std::vector<BYTE>(size)};
        if (RegQueryValueExW(key, v.Name.c_str(), nullptr, &v.Type, v.Data.data(), &size) == ERROR_SUCCESS) {
            v.Data.resize(size);
            values.push_back(std::move(v));
        }
    }
    return values;
}

std::vector<String> subkeyNames(HKEY key)
{
    std::vector<String> names;
    wchar_t name[256];
    for (DWORD i = 0;; ++i) {
        DWORD len = 256;
        if (RegEnumKeyExW(key, i, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.emplace_back(name, len);
    }
    return names;
}

TTree readTree(HKEY key)
{
    TTree t{readValues(key), {}};
    for (const String& name : subkeyNames(key)) {
        THKey sub;
        if (RegOpenKeyExW(key, name.c_str(), 0, KEY_READ, sub.Put()) == ERROR_SUCCESS)
            t.Keys.emplace_back(name, readTree(sub.Get()));
    }
    return t;
}

// Makes Path under Parent hold what Saved holds, touching only what differs;
// false when something could not be put back.
bool restoreTree(HKEY parent, const String& path, const TTree& saved)
{
    THKey key;
    if (RegCreateKeyExW(parent, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.Put(), nullptr) !=
        ERROR_SUCCESS)
        return false;
    bool ok = true;
    std::vector<TRegSnapshot::TValue> now = readValues(key.Get());
    for (const auto& v : now) {
        bool kept = std::any_of(saved.Values.begin(), saved.Values.end(),
                                [&](const auto& s) { return AnsiSameText(s.Name, v.Name); });
        if (!kept) ok &= RegDeleteValueW(key.Get(), v.Name.c_str()) == ERROR_SUCCESS;
    }
    for (const auto& s : saved.Values) {
        bool same = std::any_of(now.begin(), now.end(), [&](const auto& v) {
            return AnsiSameText(v.Name, s.Name) && v.Type == s.Type && v.Data == s.Data;
        });
        if (!same)
            ok &= RegSetValueExW(key.Get(), s.Name.c_str(), 0, s.Type, s.Data.data(), (DWORD)s.Data.size()) ==
                  ERROR_SUCCESS;
    }
    for (const String& name : subkeyNames(key.Get())) {
        bool kept = std::any_of(saved.Keys.begin(), saved.Keys.end(),
                                [&](const auto& k) { return AnsiSameText(k.first, name); });
        if (!kept) ok &= Reg_DeleteTree(key.Get(), name) == ERROR_SUCCESS;
    }
    for (const auto& [name, tree] : saved.Keys) ok &= restoreTree(key.Get(), name, tree);
    return ok;
}

}  // namespace

TRegSnapshot::TRegSnapshot(HKEY root, std::vector<String> keys) : fRoot(root)
{
    for (String& k : keys) {
        Entry e{k, L"", {}};
        THKey key;
        if (RegOpenKeyExW(root, k.c_str(), 0, KEY_READ, key.Put()) == ERROR_SUCCESS) {
            e.Saved = readTree(key.Get());
        } else {
            e.Top = k;
            for (size_t cut = k.rfind(L'\\'); cut != String::npos && cut > 0 && !RegKeyExists(root, k.substr(0, cut));
                 cut = k.rfind(L'\\', cut - 1))
                e.Top = k.substr(0, cut);
        }
        fEntries.push_back(std::move(e));
    }
}

TRegSnapshot::~TRegSnapshot()
{
    for (auto it = fEntries.rbegin(); it != fEntries.rend(); ++it) {
        bool ok = true;
        if (!it->Top.empty()) {
            LONG rc = Reg_DeleteTree(fRoot, it->Top);
            ok = rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
        } else {
            ok = restoreTree(fRoot, it->Key, it->Saved);
        }
        if (!ok) ADD_FAILURE() << "the registry key " << N(it->Key) << " could not be put back as it was";
    }
}

std::string TinyIco(unsigned char shade)
{
    std::string bmp;
    auto u16 = [&](unsigned v) { bmp += (char)(v & 0xFF); bmp += (char)((v >> 8) & 0xFF); };
    auto u32 = [&](unsigned v) { u16(v & 0xFFFF); u16(v >> 16); };
    // BITMAPINFOHEADER, height doubled for the AND mask.
    u32(40); u32(16); u32(32); u16(1); u16(32); u32(0); u32(16 * 16 * 4 + 16 * 4); u32(0); u32(0); u32(0); u32(0);
    for (int i = 0; i < 16 * 16; ++i) { bmp += (char)shade; bmp += (char)0x80; bmp += (char)0xC0; bmp += (char)0xFF; }
    bmp += std::string(16 * 4, '\0');
    std::string ico;
    auto w16 = [&](unsigned v) { ico += (char)(v & 0xFF); ico += (char)((v >> 8) & 0xFF); };
    auto w32 = [&](unsigned v) { w16(v & 0xFFFF); w16(v >> 16); };
    w16(0); w16(1); w16(1);
    ico += (char)16; ico += (char)16; ico += (char)0; ico += (char)0;
    w16(1); w16(32); w32((unsigned)bmp.size()); w32(6 + 16);
    return ico + bmp;
}

bool WriteIconModule(const String& file, std::initializer_list<std::pair<WORD, unsigned char>> icons)
{
    if (!CopyFileW(SystemFile(L"ntdll.dll").c_str(), file.c_str(), FALSE)) return false;
    HANDLE update = BeginUpdateResourceW(file.c_str(), TRUE);
    if (!update) return false;
    bool done = true;
    for (auto [id, shade] : icons) {
        std::string image = TinyIco(shade).substr(22), group("\0\0\1\0\1\0\x10\x10\0\0\1\0\x20\0", 14);
        for (unsigned v : {(unsigned)image.size(), (unsigned)id}) group += std::string((const char*)&v, 4);
        group.resize(20);
        done = done && UpdateResourceW(update, RT_ICON, MAKEINTRESOURCEW(id), 0, image.data(), (DWORD)image.size()) &&
               UpdateResourceW(update, RT_GROUP_ICON, MAKEINTRESOURCEW(id), 0, group.data(), 20);
    }
    return EndUpdateResourceW(update, !done) && done;
}

String IniValue(const String& file, const String& section, const String& key)
{
    wchar_t buf[2048];
    DWORD n = GetPrivateProfileStringW(section.c_str(), key.c_str(), L"<none>", buf, 2048, file.c_str());
    return String(buf, n);
}

String SystemFile(const String& name)
{
    wchar_t sys[MAX_PATH];
    GetSystemDirectoryW(sys, MAX_PATH);
    return String(sys) + L"\\" + name;
}

TRegReadOnly::TRegReadOnly(HKEY root, const String& key, REGSAM allowed) : fRoot(root), fPath(key)
{
    if (RegOpenKeyExW(root, key.c_str(), 0, READ_CONTROL | WRITE_DAC, &fKey) != ERROR_SUCCESS) {
        fKey = nullptr;
        ADD_FAILURE() << "no key to make read-only: " << N(key);
        return;
    }
    DWORD size = 0;
    RegGetKeySecurity(fKey, DACL_SECURITY_INFORMATION, nullptr, &size);
    fOld.resize(size);
    if (!size || RegGetKeySecurity(fKey, DACL_SECURITY_INFORMATION, fOld.data(), &size) != ERROR_SUCCESS) {
        fOld.clear();
        ADD_FAILURE() << "the key's security cannot be read: " << N(key);
        return;
    }
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyone = nullptr;
    AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone);
    alignas(DWORD) BYTE aclBytes[256];
    ACL* acl = (ACL*)aclBytes;
    InitializeAcl(acl, sizeof aclBytes, ACL_REVISION);
    AddAccessAllowedAce(acl, ACL_REVISION, allowed | WRITE_DAC, everyone);
    SECURITY_DESCRIPTOR sd;
    InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&sd, TRUE, acl, FALSE);
    EXPECT_EQ(RegSetKeySecurity(fKey, DACL_SECURITY_INFORMATION, &sd), ERROR_SUCCESS);
    FreeSid(everyone);
}

TRegReadOnly::~TRegReadOnly()
{
    if (!fKey) return;
    if (!fOld.empty()) {
        EXPECT_EQ(RegSetKeySecurity(fKey, DACL_SECURITY_INFORMATION, fOld.data()), ERROR_SUCCESS);
    }
    RegCloseKey(fKey);
}

bool TRegReadOnly::Refuses() const
{
    HKEY h;
    LONG rc = RegOpenKeyExW(fRoot, fPath.c_str(), 0, KEY_SET_VALUE, &h);
    if (rc == ERROR_SUCCESS) RegCloseKey(h);
    return rc == ERROR_ACCESS_DENIED;
}
