#include "xaModulFiles.h"

#include "Handles.h"
#include "ShellDoor.h"
#include "xaModulPath.h"

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <vector>

bool Dir_HasItems(const String& folder)
{
    // No folder is not the current drive's root.
    if (folder.empty()) return false;
    WIN32_FIND_DATAW fd;
    TFindHandle h(FindFirstFileExW((IncludeTrailingPathDelimiter(folder) + L"*.*").c_str(), FindExInfoBasic, &fd,
                                   FindExSearchNameMatch, nullptr, 0));
    if (!h) return false;
    bool any = false;
    do {
        if (wcscmp(fd.cFileName, L".") != 0 && wcscmp(fd.cFileName, L"..") != 0) {
            any = true;
            break;
        }
    } while (FindNextFileW(h.Get(), &fd));
    return any;
}

int64_t File_GetSize(const String& path)
{
    if (path.empty()) return -1;
    WIN32_FIND_DATAW fd;
    if (!TFindHandle(FindFirstFileExW(path.c_str(), FindExInfoBasic, &fd, FindExSearchNameMatch, nullptr, 0))) return -1;
    return (int64_t(fd.nFileSizeHigh) << 32) | fd.nFileSizeLow;
}

namespace {
void comCheck(HRESULT hr)
{
    if (FAILED(hr)) throw Exception(SysErrorMessage((DWORD)hr));
}

// The link object's two interfaces; raises when the link class is missing.
void makeLink(TComPtr<IShellLinkW>& link, TComPtr<IPersistFile>& file)
{
    comCheck(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, (void**)link.Put()));
    comCheck(link->QueryInterface(IID_IPersistFile, (void**)file.Put()));
}
}  // namespace

String Lnk_GetTarget(const String& lnkPath)
{
    if (!FileExists(lnkPath)) return String();
    TComPtr<IShellLinkW> link;
    TComPtr<IPersistFile> file;
    makeLink(link, file);
    // The shortcut's own path goes to the shell whole, however long: a cut
    // path would load another file.
    if (FAILED(file->Load(lnkPath.c_str(), STGM_READ))) return String();
    // Room for the longest path the system knows; a target that fills the
    // buffer may have been cut, and a cut path names another file.
    std::vector<wchar_t> buf(32768, L'\0');
    if (link->GetPath(buf.data(), (int)buf.size(), nullptr, SLGP_UNCPRIORITY) != S_OK) return String();
    buf.back() = L'\0';
    String target(buf.data());
    if (target.size() >= buf.size() - 1) return String();
    return target;
}

void Lnk_Create(const String& target, const String& folder, const String& description, const String& arguments)
{
    TComPtr<IShellLinkW> link;
    TComPtr<IPersistFile> file;
    makeLink(link, file);
    link->SetArguments(arguments.c_str());
    link->SetDescription(description.c_str());
    link->SetPath(target.c_str());
    String name = IncludeTrailingPathDelimiter(folder) + File_NameNoExt(target) + L".lnk";
    file->Save(name.c_str(), FALSE);
}

bool File_Operation(const String& from, const String& to, UINT operation, UINT flags)
{
    // The shell reads both lists up to a double null: make sure they end
    // there, and never hand it an empty source list.
    String source = from;
    while (!source.empty() && source.back() == L'\0') source.pop_back();
    if (source.empty()) return false;
    source.append(2, L'\0');
    String dest = to;
    dest.append(2, L'\0');

    SHFILEOPSTRUCTW op = {};
    op.hwnd = nullptr;
    op.wFunc = operation;
    op.pFrom = source.c_str();
    op.pTo = dest.c_str();
    op.fFlags = (FILEOP_FLAGS)flags;
    int rc = ShellDoor_FileOperation(op);
    return rc == 0 && !op.fAnyOperationsAborted;
}

bool File_Operation_One(const String& path, const String& to, UINT operation, UINT flags)
{
    String source = path;
    source.append(2, L'\0');
    return File_Operation(source, to, operation, flags);
}

bool File_Operation_List(const TStrings& paths, const String& to, UINT operation, UINT flags)
{
    String source;
    for (const String& p : paths.Items()) {
        if (p.empty()) continue;
        source += p;
        source += L'\0';
    }
    source += L'\0';
    return File_Operation(source, to, operation, flags);
}

namespace {
String userDecimalSeparator()
{
    // Read once, as the runtime does at start: the size column is drawn per row.
    static const String sep = [] {
        wchar_t buf[8] = {};
        int n = GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buf, 8);
        return n > 1 ? String(buf) : String(L".");
    }();
    return sep;
}

// Size / Unit rounded to the nearest tenth, half away from zero, in tenths,
// without floating point and without overflow for any positive size.
int64_t tenths(int64_t size, int64_t unit)
{
    int64_t whole = size / unit, rest = size % unit;
    return whole * 10 + (rest * 10 + unit / 2) / unit;
}

// The runtime's number formatting goes through its printf, which a listing
// of thousands of rows feels; a size's digits are simple enough. They are
// added to the text in place: a text put together from parts costs an
// allocation per part.
void appendDecimal(String& text, int64_t n)
{
    wchar_t buf[24], *p = buf + 24;
    bool negative = n < 0;
    uint64_t u = negative ? 0 - (uint64_t)n : (uint64_t)n;
    do *--p = wchar_t(L'0' + u % 10);
    while (u /= 10);
    if (negative) *--p = L'-';
    text.append(p, buf + 24);
}
}  // namespace

String Size_ToText(int64_t size, const String& sep)
{
    constexpr int64_t kMb = 1048576, kGb = 1073741824;
    String text;
    auto oneDecimal = [&](int64_t t, const wchar_t* unit) {
        appendDecimal(text, t / 10);
        text += sep;
        appendDecimal(text, t % 10);
        text += unit;
    };
    if (size < 1024) {
        appendDecimal(text, size);
        text += L" byte";
    } else if (size < kMb) {
        // A file of some kilobytes is not "0.0 Mb", whatever the separator.
        int64_t t = tenths(size, kMb);
        oneDecimal(t == 0 ? 1 : t, L" Mb");
    } else if (size < kGb) {
        appendDecimal(text, (size + kMb / 2) / kMb);
        text += L" Mb";
    } else {
        oneDecimal(tenths(size, kGb), L" Gb");
    }
    return text;
}

String Size_ToText(int64_t size) { return Size_ToText(size, userDecimalSeparator()); }
