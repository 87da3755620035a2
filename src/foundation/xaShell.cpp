#include "xaShell.h"

#include "Clipbrd.h"
#include "Forms.h"
#include "Handles.h"
#include "Registry.h"
#include "ShellDoor.h"
#include "xaModulFiles.h"
#include "xaModulPath.h"
#include "xaY.h"

#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <vector>

// ---- Clipboard file lists ----

namespace {
constexpr UINT kClipAlloc = GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_SHARE;  // 0x2042
constexpr UINT kDropFilesHeader = 20;
const wchar_t* const kPreferredDropEffect = L"Preferred DropEffect";

// The double-null text of the non-empty paths: an empty item would end the
// list for every reader and silently drop the paths after it.
String pathsToNullList(const TStrings& paths)
{
    String text;
    for (const String& p : paths.Items()) {
        if (p.empty()) continue;
        text += p;
        text += L'\0';
    }
    if (!text.empty()) text += L'\0';
    return text;
}

// Equal but for the case of ASCII letters. The locale's comparison would also
// pass over characters it ignores (a soft hyphen) and match another format.
bool sameAsciiText(const String& a, const String& b)
{
    if (a.size() != b.size()) return false;
    auto fold = [](wchar_t c) { return (c >= L'a' && c <= L'z') ? wchar_t(c - 32) : c; };
    for (size_t i = 0; i < a.size(); ++i)
        if (fold(a[i]) != fold(b[i])) return false;
    return true;
}

// The "Preferred DropEffect" of the open clipboard: 2 or 5.
uint8_t readDropEffect()
{
    uint8_t effect = kDropEffectCopy;
    wchar_t name[512];
    for (UINT format = EnumClipboardFormats(0); format; format = EnumClipboardFormats(format)) {
        int n = GetClipboardFormatNameW(format, name, 512);
        if (n <= 0 || !sameAsciiText(String(name, n), kPreferredDropEffect)) continue;
        HANDLE h = GetClipboardData(format);
        if (h && GlobalSize(h) >= sizeof(DWORD)) {
            if (const DWORD* p = static_cast<const DWORD*>(GlobalLock(h))) {
                if (*p == kDropEffectMove || *p == kDropEffectCopy) effect = (uint8_t)*p;
                GlobalUnlock(h);
            }
        }
        break;
    }
    return effect;
}

// Reads the names of a CF_HDROP block, each whole however long, up to the
// empty name that ends the list. The block comes from any program, so it is
// walked here, inside its size: the platform's reader trusts the header,
// walks on until an empty name wherever that lies, and takes a list that ends
// at once for one empty name followed by whatever memory comes after it. A
// block whose list does not end inside it gives no names at all.
void readDropFiles(HANDLE drop, TStrings& paths)
{
    TGlobalLock lock(drop);
    const BYTE* block = static_cast<const BYTE*>(lock.Get());
    SIZE_T size = lock.Size();
    if (size < sizeof(DROPFILES)) return;
    DROPFILES header;
    memcpy(&header, block, sizeof header);
    if (header.pFiles < sizeof(DROPFILES) || header.pFiles > size) return;
    const SIZE_T unit = header.fWide ? sizeof(wchar_t) : 1;
    auto charAt = [&](SIZE_T at) {
        wchar_t c = 0;
        memcpy(&c, block + at, unit);
        return c;
    };
    std::vector<String> names;
    for (SIZE_T at = header.pFiles;;) {
        SIZE_T end = at;
        while (size - end >= unit && charAt(end) != 0) end += unit;
        if (size - end < unit) return;  // no null inside the block: not a list
        if (end == at) break;           // the empty name that ends the list
        if (header.fWide)
            names.emplace_back(reinterpret_cast<const wchar_t*>(block + at), (end - at) / unit);
        else {
            // Narrow names are in the system's ANSI code page, as the platform reads them.
            const char* narrow = reinterpret_cast<const char*>(block + at);
            String& name = names.emplace_back(end - at, L'\0');
            name.resize(MultiByteToWideChar(CP_ACP, 0, narrow, (int)(end - at), name.data(), (int)name.size()));
        }
        at = end + unit;
    }
    for (String& name : names) paths.Add(std::move(name));
}
}  // namespace

void Clipboard_CopyFiles(const TStrings& paths, uint8_t effect)
{
    String list = pathsToNullList(paths);
    if (list.empty()) return;
    TClipboardOpen open;
    EmptyClipboard();

    SIZE_T bytes = kDropFilesHeader + list.size() * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(kClipAlloc, bytes);
    if (!block) RaiseLastOSError();
    BYTE* p = static_cast<BYTE*>(GlobalLock(block));
    if (!p) {
        DWORD error = GetLastError();
        GlobalFree(block);
        throw EOSError(error);
    }
    const DWORD header[5] = {kDropFilesHeader, 0, 0, 0, 0xFFFFFFFF};  // pFiles, pt.x, pt.y, fNC, fWide
    memcpy(p, header, sizeof header);
    memcpy(p + kDropFilesHeader, list.data(), list.size() * sizeof(wchar_t));
    GlobalUnlock(block);
    Clipboard().SetAsHandle(CF_HDROP, block);

    UINT format = RegisterClipboardFormatW(kPreferredDropEffect);
    HGLOBAL effectBlock = format ? GlobalAlloc(kClipAlloc, sizeof(DWORD)) : nullptr;
    if (!effectBlock) return;  // the list stays, without an effect
    DWORD value = (effect == kDropEffectMove || effect == kDropEffectCopy) ? effect : 0;
    DWORD* stored = static_cast<DWORD*>(GlobalLock(effectBlock));
    if (!stored) {
        GlobalFree(effectBlock);
        return;
    }
    *stored = value;
    GlobalUnlock(effectBlock);
    if (!SetClipboardData(format, effectBlock)) GlobalFree(effectBlock);
}

namespace {
// Why Path, a name from another program, names no item a file operation may
// take; 0 when it does.
DWORD foreignFault(const String& path)
{
    // The names below the root: past "X:\", or past "\\" where the server
    // and the share come first. A root itself is no item.
    size_t at, rootNames;
    wchar_t drive = path.empty() ? 0 : path[0] | 0x20;
    if (path.size() > 3 && drive >= L'a' && drive <= L'z' && path[1] == L':' && path[2] == L'\\')
        at = 3, rootNames = 0;
    else if (path.starts_with(L"\\\\"))
        at = 2, rootNames = 2;
    else
        return ERROR_INVALID_NAME;
    size_t names = 0;
    for (; at <= path.size(); ++names) {
        size_t end = std::min(path.find(L'\\', at), path.size());
        String name = path.substr(at, end - at);
        // "." and ".." would climb back to a root; ":" names a stream; the
        // rest match many items or none.
        if (name.empty() || name == L"." || name == L".." || FileIsDevice(name) ||
            std::any_of(name.begin(), name.end(), [](wchar_t c) { return c < 32 || wcschr(L"*?\"<>|:/", c); }))
            return ERROR_INVALID_NAME;
        at = end + 1;
    }
    if (names <= rootNames) return ERROR_INVALID_NAME;
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return GetLastError();
    return 0;
}
}  // namespace

bool Files_CheckForeign(const TStrings& paths)
{
    for (const String& path : paths.Items())
        if (DWORD fault = foreignFault(path)) {
            Y_Show(path + L"\r\n\r\n" + SysErrorMessage(fault), L"", -1, true);
            return false;
        }
    return true;
}

void Clipboard_PasteFiles(const String& folder, const TReplaceAsk& mayReplace)
{
    if (!Clipboard().HasFormat(CF_HDROP)) return;
    TStringList files;
    uint8_t effect;
    {
        // Read everything, then let the clipboard go: the shell's operation
        // may ask questions for a long time and must not keep it locked.
        TClipboardOpen open;
        HANDLE drop = GetClipboardData(CF_HDROP);
        if (!drop) return;
        readDropFiles(drop, files);
        effect = readDropEffect();
    }
    if (files.Count() == 0 || !Files_CheckForeign(files)) return;
    bool sameFolder = AnsiUpperCase(IncludeTrailingPathDelimiter(ExtractFilePath(files[0]))) ==
                      AnsiUpperCase(IncludeTrailingPathDelimiter(folder));
    if (effect == kDropEffectMove) {
        // Some shells move over an entry of the same name without a word, so
        // the question is asked here, before the move.
        TStringList moving;
        for (const String& path : files.Items()) {
            String target = IncludeTrailingPathDelimiter(folder) + ExtractFileName(path);
            if ((!FileExists(target) && !DirectoryExists(target)) || (mayReplace && mayReplace(path, target)))
                moving.Add(path);
        }
        File_Operation_List(moving, folder, kFoMove, FOF_SIMPLEPROGRESS);
    } else
        File_Operation_List(files, folder, kFoCopy,
                            sameFolder ? FOF_SIMPLEPROGRESS | FOF_RENAMEONCOLLISION : FOF_SIMPLEPROGRESS);
}

uint8_t Clipboard_GetDropEffect()
{
    try {
        TClipboardOpen open;
        return readDropEffect();
    } catch (const EClipboardException&) {
        return kDropEffectCopy;
    }
}

void Clipboard_GetFiles(TStrings& paths)
{
    paths.Clear();
    TClipboardOpen open;
    if (HANDLE drop = GetClipboardData(CF_HDROP)) readDropFiles(drop, paths);
}

String Clipboard_GetLine()
{
    String text = Clipboard().AsText();
    size_t lf = text.find(L'\n'), cr = text.find(L'\r');
    if (lf != String::npos && cr != String::npos) text.resize(std::min(lf, cr));
    for (wchar_t c : {L'\0', L'\n', L'\r'})
        while (!text.empty() && text.back() == c) text.pop_back();
    return text;
}

String Strs_ToNullList(const TStrings& list)
{
    String text;
    for (const String& s : list.Items()) {
        text += s;
        text += L'\0';
    }
    text += L'\0';
    return text;
}

String Str_ToNullList(const String& text) { return text + String(2, L'\0'); }

// ---- Shell verbs ----

namespace {
String verbKey(const String& className, const String& verb) { return className + L"\\shell\\" + verb; }
}  // namespace

bool Shell_VerbExists(const String& className, const String& verb, const String& command)
{
    // Read only: a user who may not write the classes root still sees an
    // installed verb as installed.
    TRegistry reg(KEY_READ);
    reg.RootKey = HKEY_CLASSES_ROOT;
    String key = verbKey(className, verb);
    if (!reg.KeyExists(key)) return false;
    if (!reg.OpenKeyReadOnly(key + L"\\command")) return false;
    try {
        return reg.ReadString(L"") == command;
    } catch (const ERegistryException&) {
        return false;  // a value that is not text is not our command
    }
}

void Shell_VerbAdd(const String& className, const String& verb, const String& caption, const String& icon,
                   const String& command)
{
    TRegistry reg;
    reg.RootKey = HKEY_CLASSES_ROOT;
    String key = verbKey(className, verb);
    reg.OpenKey(key, true);
    reg.WriteString(L"", caption);
    reg.WriteString(L"Icon", icon);
    reg.CloseKey();
    reg.OpenKey(key + L"\\command", true);
    reg.WriteString(L"", command);
    reg.CloseKey();
}

void Shell_VerbDelete(const String& className, const String& verb)
{
    TRegistry reg;
    reg.RootKey = HKEY_CLASSES_ROOT;
    // No verb would name the class's whole shell key, every verb of it.
    if (className.empty() || verb.empty() || !reg.KeyExists(className)) return;
    reg.DeleteKey(verbKey(className, verb));
}

void Shell_VerbRemove(const String& className, const String& verb, const String& caption, const String& icon,
                      const String& command)
{
    if (Shell_VerbExists(className, verb, command)) {
        Shell_VerbDelete(className, verb);
        return;
    }
    // Another program's verb of the same name: its command, its other values
    // and its subkeys stay; only a value that holds what we write goes.
    TRegistry reg;
    reg.RootKey = HKEY_CLASSES_ROOT;
    if (className.empty() || verb.empty() || !reg.OpenKey(verbKey(className, verb), false)) return;
    auto removeOurs = [&](const String& name, const String& ours) {
        try {
            if (reg.ValueExists(name) && reg.ReadString(name) == ours) reg.DeleteValue(name);
        } catch (const ERegistryException&) {
            // a value that is not text is not ours
        }
    };
    removeOurs(L"", caption);
    removeOurs(L"Icon", icon);
}

// ---- Handing things to the shell ----

void Shell_Open(const String& path)
{
    TShellExecuteRequest r;
    r.Window = Application.Handle();
    r.Verb = L"open";
    r.File = path;
    r.Show = SW_SHOWNORMAL;
    ShellDoor_Execute(r);
}

void Shell_OpenExpanded(const String& path)
{
    if (path.empty()) return;
    Shell_Open(Path_Expand(path));
}

void Explorer_Select(const String& path)
{
    TShellExecuteRequest r;
    r.Window = Application.Handle();
    r.Verb = L"open";
    r.File = L"explorer";
    r.Parameters = L"/select, \"" + path + L"\" ";
    r.Show = SW_SHOWNORMAL;
    ShellDoor_Execute(r);
}

void Shell_Properties(const String& path)
{
    TShellExecuteRequest r;
    r.Ex = true;
    r.Mask = SEE_MASK_INVOKEIDLIST;
    r.Window = nullptr;
    r.Verb = L"properties";
    r.File = path;
    r.Show = 0;
    ShellDoor_Execute(r);
}

String Mail_Link(const String& address, const String& subject, const String& body)
{
    return L"mailto://" + address + L"?subject=" + subject + L"&body=" + body;
}

void IconLocation_Parse(const String& text, String& file, int& index)
{
    index = 0;
    String t;
    t.reserve(text.size());
    for (wchar_t c : text)
        if (c != L'"') t += c;
    String ext = File_Ext(t);
    size_t comma = ext.find(L',');
    if (ext.empty() || comma == String::npos) {
        file = t;
        return;
    }
    size_t at = t.size() - ext.size() + comma;
    // A comma with nothing after it separates no index: the file is what precedes it.
    file = Trim(t.substr(0, at));
    String digits = Trim(t.substr(at + 1));
    if (digits.empty()) return;
    int64_t value = 0;
    for (wchar_t c : digits) {
        if (c < L'0' || c > L'9') return;
        value = value * 10 + (c - L'0');
        if (value > INT32_MAX) return;  // past an int: no index
    }
    index = (int)value;
}

bool User_IsAdmin()
{
    THandle token;
    if (!OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, TRUE, token.Put())) {
        if (GetLastError() != ERROR_NO_TOKEN) return false;
        if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.Put())) return false;
    }
    // Sized by the token: a user in many groups is still found.
    DWORD need = 0;
    GetTokenInformation(token.Get(), TokenGroups, nullptr, 0, &need);
    std::vector<BYTE> buf(std::max<DWORD>(need, sizeof(TOKEN_GROUPS)));
    BOOL read = GetTokenInformation(token.Get(), TokenGroups, buf.data(), (DWORD)buf.size(), &need);
    token.Reset();
    if (!read) return false;

    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    PSID admins = nullptr;
    if (!AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0,
                                  &admins))
        return false;
    const TOKEN_GROUPS* groups = reinterpret_cast<const TOKEN_GROUPS*>(buf.data());
    bool found = false;
    for (DWORD i = 0; i < groups->GroupCount && !found; ++i) {
        const SID_AND_ATTRIBUTES& g = groups->Groups[i];
        // A group held for deny only (an administrator not elevated) grants
        // nothing: the registry writes it is asked about would fail.
        if (EqualSid(g.Sid, admins))
            found = (g.Attributes & SE_GROUP_ENABLED) && !(g.Attributes & SE_GROUP_USE_FOR_DENY_ONLY);
    }
    FreeSid(admins);
    return found;
}
