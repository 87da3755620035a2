#include "xaModulPath.h"

#include "Forms.h"

#include <shlobj.h>

#include <algorithm>
#include <vector>

namespace {
String& progDirOverride()
{
    static String dir;
    return dir;
}

}  // namespace

TProgDirOverride::TProgDirOverride(const String& dir) : fPrevious(progDirOverride())
{
    progDirOverride() = IncludeTrailingPathDelimiter(dir);
}

TProgDirOverride::~TProgDirOverride() { progDirOverride() = fPrevious; }

bool Path_IsUnder(const String& base, const String& path, String& rest)
{
    String b = ExcludeTrailingPathDelimiter(base);
    String p = ExcludeTrailingPathDelimiter(path);
    rest.clear();
    if (b.empty() || p.size() < b.size()) return false;
    if (AnsiUpperCase(p.substr(0, b.size())) != AnsiUpperCase(b)) return false;
    rest = p.substr(b.size());
    return true;
}

String Path_Rebase(const String& path, const String& oldBase, const String& newBase)
{
    String rest;
    if (oldBase.empty() || !Path_IsUnder(oldBase, path, rest)) return path;
    String base = ExcludeTrailingPathDelimiter(newBase);
    // Only a remainder loses its leading delimiter; a new base that names a
    // share (a variable holding \\server\share) keeps both backslashes.
    if (base.empty() && !rest.empty() && (rest[0] == L'\\' || rest[0] == L'/')) rest.erase(0, 1);
    return base + rest;
}

String Path_Collapse(const String& path, const String& macro)
{
    // Without a macro the result is read back as relative to the program
    // folder, so a sibling folder that merely begins with the program folder's
    // name (C:\Tools\App2 beside C:\Tools\App) must stay absolute: "2\x"
    // would name C:\Tools\App\2\x. "%exe2\x" expands back correctly.
    String rest;
    if (macro.empty() && Path_IsUnder(Prog_Dir(), path, rest) && !rest.empty() && rest[0] != L'\\' &&
        rest[0] != L'/')
        return path;
    return Path_Rebase(path, Prog_Dir(), macro);
}

namespace {
// The environment expansion of the variable part. An expansion that does not
// fit the buffer is not used at all: a silently cut path could name another,
// existing folder, while the unexpanded text names none.
String expandVariables(const String& part)
{
    wchar_t buf[kPathEnvBuffer];
    DWORD n = ExpandEnvironmentStringsW(part.c_str(), buf, kPathEnvBuffer);
    if (n > (DWORD)kPathEnvBuffer) return part;
    buf[kPathEnvBuffer - 1] = L'\0';
    String value(buf);
    // The count includes the terminating NUL; 0 means the call failed.
    if (n == 0) return String();
    if (value.size() > n - 1) value.resize(n - 1);
    return value;
}
}  // namespace

bool Path_IsFull(const String& path)
{
    return path.find(L':') != String::npos || path.starts_with(L"\\\\");
}

String Path_Expand(const String& path, const String& oldBase, const String& newBase)
{
    if (path.empty()) return String();
    String r;
    String rest;
    if (!oldBase.empty()) {
        r = Path_Rebase(path, oldBase, newBase);
    } else if (path[0] == L'%') {
        if (Path_IsUnder(L"%Desktop", path, rest)) {
            r = ExcludeTrailingPathDelimiter(Desktop_Path()) + rest;
        } else if (Path_IsUnder(L"%exe", path, rest) || Path_IsUnder(L"%ProgDir", path, rest) ||
                   Path_IsUnder(L"%AppDir", path, rest)) {
            r = ExcludeTrailingPathDelimiter(Prog_Dir()) + rest;
        } else {
            size_t bs = path.find(L'\\');
            String part = bs == String::npos ? path : path.substr(0, bs);
            r = Path_Rebase(path, part, expandVariables(part));
        }
    } else {
        r = path;
    }
    if (!Path_IsFull(r)) {
        size_t i = 0;
        while (i < r.size() && r[i] == L'\\') ++i;
        while (i < r.size() && r[i] == L'/') ++i;
        r = Prog_Dir() + r.substr(i);
    }
    return Path_ResolveDots(r);
}

namespace {
// The length of the part of Path that ".." never climbs out of, as the
// platform keeps it: a drive "X:" before its backslash; a share
// "\\server\share"; after "\\?\" or "\\.\" the share "UNC\server\share" or
// the volume ("C:", "Volume{...}"). 0 for a path without such a root.
size_t rootLength(const String& s)
{
    auto nameEnd = [&s](size_t from) { return std::min(s.find(L'\\', from), s.size()); };
    if (s.size() >= 3 && s[1] == L':' && s[2] == L'\\') return 2;
    if (!s.starts_with(L"\\\\")) return 0;
    size_t at = 2;
    if (s.size() >= 4 && (s[2] == L'?' || s[2] == L'.') && s[3] == L'\\') {
        if (!AnsiSameText(s.substr(4, 4), L"UNC\\")) return nameEnd(4);
        at = 8;
    }
    size_t server = nameEnd(at);
    return server == s.size() ? server : nameEnd(server + 1);
}
}  // namespace

String Path_ResolveDots(const String& path)
{
    // Above the root there is nothing: "\\srv\share\..\x" is \\srv\share\x as
    // every other program opens it, never the current drive's \x.
    const size_t root = rootLength(path);
    String s = path;
    for (;;) {
        size_t pos = root;
        for (;;) {
            pos = s.find(L"..", pos);
            if (pos == String::npos) return s;
            bool startsStep = pos == 0 || s[pos - 1] == L'\\';
            bool endsStep = pos + 2 == s.size() || s[pos + 2] == L'\\';
            if (startsStep && endsStep) break;
            // Skip the whole run of dots so that "..." is never taken as a step.
            while (pos < s.size() && s[pos] == L'.') ++pos;
        }
        String left = s.substr(0, pos);
        String right = pos + 3 <= s.size() ? s.substr(pos + 3) : String();
        String parent = pos <= root + 1 ? left.substr(0, root) : Path_Parent(left, false);
        s = IncludeTrailingPathDelimiter(parent) + right;
    }
}

String Path_Split(const String& path, String& name, bool withDelimiter)
{
    name.clear();
    if (path.empty()) return String();
    String p = ExcludeTrailingPathDelimiter(path);
    size_t bs = p.rfind(L'\\');
    String folder;
    if (bs != String::npos) {
        folder = p.substr(0, bs);
        name = p.substr(bs + 1);
    } else {
        name = p;
    }
    return withDelimiter ? IncludeTrailingPathDelimiter(folder) : folder;
}

String Path_Parent(const String& path, bool withDelimiter)
{
    String name;
    return Path_Split(path, name, withDelimiter);
}

String SpecialFolder_Path(int csidl)
{
    TCoTaskMem<ITEMIDLIST> pidl;
    if (FAILED(SHGetSpecialFolderLocation(Application.Handle(), csidl, pidl.Put())) || !pidl.Get()) return String();
    wchar_t buf[MAX_PATH + 1] = {};
    BOOL ok = SHGetPathFromIDListW(pidl.Get(), buf);
    return ok ? String(buf) : String();
}

String Desktop_Path() { return SpecialFolder_Path(CSIDL_DESKTOP); }

String Prog_Dir()
{
    if (!progDirOverride().empty()) return progDirOverride();
    std::vector<wchar_t> buf(MAX_PATH);
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, buf.data(), (DWORD)buf.size());
        if (n == 0) return String();
        if (n < buf.size()) {
            String exe(buf.data(), n);
            size_t cut = exe.find_last_of(L"\\:");
            return cut == String::npos ? String() : exe.substr(0, cut + 1);
        }
        buf.resize(buf.size() * 2);  // a long path was cut: ask again
    }
}

String Settings_FileName() { return Prog_Dir() + L"settings.ini"; }

namespace {
// Position of the dot of the dotted extension, or npos.
size_t dottedExtension(const String& path)
{
    size_t dot = path.rfind(L'.');
    if (dot == String::npos) return String::npos;
    if (path.find_first_of(L"\\:", dot + 1) != String::npos) return String::npos;
    return dot;
}
}  // namespace

String File_Ext(const String& path)
{
    size_t dot = dottedExtension(path);
    return dot == String::npos ? String() : path.substr(dot + 1);
}

bool File_SameName(const String& a, const String& b)
{
    return CompareStringOrdinal(a.c_str(), (int)a.size(), b.c_str(), (int)b.size(), TRUE) == CSTR_EQUAL;
}

String File_NameNoExt(const String& path)
{
    String name = ExtractFileName(path);
    size_t dot = dottedExtension(path);
    size_t extLen = dot == String::npos ? 0 : path.size() - dot;
    return name.substr(0, name.size() - std::min(extLen, name.size()));
}
