#include "xaModulFiles.h"

#include "Handles.h"
#include "ShellDoor.h"
#include "xaModulPath.h"

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstddef>
#include <vector>

TFolderEntries::TFolderEntries(const String& folder) : fFolder(IncludeTrailingPathDelimiter(folder))
{
    if (folder.empty()) return;  // not the current drive's root
    fDir = TFileHandle(CreateFileW(fFolder.c_str(), FILE_LIST_DIRECTORY,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    fOpen = fDir && fetch(true);
    if (fOpen || !fDir) return;
    DWORD e = GetLastError();
    fDir.Reset();
    if (e == ERROR_NO_MORE_FILES) return;  // no entry at all, as the find functions say too
    fFind = TFindHandle(FindFirstFileExW((fFolder + L"*.*").c_str(), FindExInfoBasic, &fFound, FindExSearchNameMatch,
                                         nullptr, FIND_FIRST_EX_LARGE_FETCH));
    fOpen = fFoundPending = (bool)fFind;
}

bool TFolderEntries::fetch(bool first)
{
    if (fBatch.empty()) fBatch.resize(1 << 20);
    fAt = 0;
    fInBatch = GetFileInformationByHandleEx(fDir.Get(), first ? FileFullDirectoryRestartInfo : FileFullDirectoryInfo,
                                            fBatch.data(), (DWORD)fBatch.size());
    return fInBatch;
}

bool TFolderEntries::Next(TFolderEntry& entry)
{
    if (fFind) {
        if (!fFoundPending && !FindNextFileW(fFind.Get(), &fFound)) return false;
        fFoundPending = false;
        entry.Name = fFound.cFileName;
        entry.Attributes = fFound.dwFileAttributes;
        entry.Size = ((int64_t)fFound.nFileSizeHigh << 32) | fFound.nFileSizeLow;
        return true;
    }
    if (!fInBatch) return false;
    // The next batch overwrites the names of this one: it is read only when
    // the caller is done with the last entry handed out.
    if (fBatchDone && !fetch(false)) return false;
    fBatchDone = false;
    // The file system's chain of entries is followed only while each entry
    // lies whole inside the batch.
    constexpr size_t head = offsetof(FILE_FULL_DIR_INFO, FileName);
    const auto* e = reinterpret_cast<const FILE_FULL_DIR_INFO*>(fBatch.data() + fAt);
    if (fAt + head > fBatch.size() || e->FileNameLength > fBatch.size() - fAt - head) {
        fInBatch = false;
        return false;
    }
    entry.Name = std::wstring_view(e->FileName, e->FileNameLength / sizeof(wchar_t));
    entry.Attributes = e->FileAttributes;
    entry.Size = e->EndOfFile.QuadPart;
    if (e->NextEntryOffset)
        fAt += e->NextEntryOffset;
    else
        fBatchDone = true;
    return true;
}

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

int File_Operation_Result(const String& from, const String& to, UINT operation, UINT flags)
{
    // The shell reads both lists up to a double null: make sure they end
    // there, and never hand it an empty source list.
    String source = from;
    while (!source.empty() && source.back() == L'\0') source.pop_back();
    if (source.empty()) return ERROR_INVALID_PARAMETER;
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
    return rc == 0 && op.fAnyOperationsAborted ? (int)ERROR_CANCELLED : rc;
}

bool File_Operation(const String& from, const String& to, UINT operation, UINT flags)
{
    return File_Operation_Result(from, to, operation, flags) == 0;
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
