#include "xaIconize.h"

#include "Classes.h"
#include "IniFiles.h"
#include "xaIconizeIni.h"
#include "xaModul.h"

#include <climits>

const wchar_t* const Iconize_Msg_NoFolder = L"Папка, которую вы хотите иконизировать, НЕ существует!";
const wchar_t* const Iconize_Msg_NoIcon = L"Иконка, которой вы хотите иконизировать - НЕ существует!";
const wchar_t* const Iconize_Msg_NoFolderClear = L"Папка, которой вы хотите сбросить иконку, НЕ существует!";

namespace {

const DWORD kSettable = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                        FILE_ATTRIBUTE_NOT_CONTENT_INDEXED | FILE_ATTRIBUTE_OFFLINE | FILE_ATTRIBUTE_TEMPORARY;

String desktopIni(const String& folder) { return IncludeTrailingPathDelimiter(folder) + L"Desktop.ini"; }

// Old's marks with Add put on and Take taken off: every mark that is not
// ours is written back as it was. None at all is NORMAL.
DWORD settable(DWORD old, DWORD add = 0, DWORD take = 0)
{
    DWORD a = (((old == INVALID_FILE_ATTRIBUTES ? 0 : old) & kSettable) | add) & ~take;
    return a ? a : FILE_ATTRIBUTE_NORMAL;
}

void addMarks(const String& path, DWORD old, DWORD add, DWORD take = 0)
{
    Iconize_SetAttributes(path.c_str(), settable(old, add, take));
}

bool copyExtension(const String& name)
{
    String ext = AnsiLowerCase(File_Ext(name));
    return ext == L"ico" || ext == L"bmp";
}

// A path as the file system takes it: full, with "/" and ".." resolved and the
// blanks and dots that end its last part dropped (so "F." and "F " are the
// folder F, as every other program sees it). A path too long for the
// ordinary form gets the long form, so that no step fails half-way for length.
String fsPath(const String& path)
{
    DWORD n = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    String full(n, L'\0');
    n = n ? GetFullPathNameW(path.c_str(), n, full.data(), nullptr) : 0;
    full = n && n < full.size() ? full.substr(0, n) : path;
    if (full.size() > 3 && full.back() == L'\\' && full.compare(0, 4, L"\\\\?\\") != 0) full.pop_back();
    if (full.size() < MAX_PATH - 20 || full.compare(0, 4, L"\\\\?\\") == 0) return full;
    return full.compare(0, 2, L"\\\\") == 0 ? L"\\\\?\\UNC\\" + full.substr(2) : L"\\\\?\\" + full;
}

// A whole number in the range of an index, as the shell reads it: digits with
// at most a minus sign, nothing else (a line break would add keys of its own).
bool wholeNumber(const String& text)
{
    size_t i = !text.empty() && text[0] == L'-' ? 1 : 0;
    if (i >= text.size() || text.size() - i > 10) return false;
    long long v = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < L'0' || text[i] > L'9') return false;
        v = v * 10 + (text[i] - L'0');
    }
    return text[0] == L'-' ? -v >= INT_MIN : v <= INT_MAX;
}

// The file the folder's icon names, as written (IconResource before its index
// wins over IconFile), and its index when that is a number.
String iconValue(const TDesktopIni& ini, int* index)
{
    int n;
    String resource = ini.Value(L"IconResource");
    if (!resource.empty()) {
        size_t comma = resource.rfind(L',');
        if (comma == String::npos || !TryStrToInt(resource.substr(comma + 1), n)) return resource;
        if (index) *index = n;
        return resource.substr(0, comma);
    }
    String file = ini.Value(L"IconFile");
    if (!file.empty() && index && TryStrToInt(ini.Value(L"IconIndex"), n)) *index = n;
    return file;
}

// The hidden copy that Desktop.ini names by a bare .ico or .bmp name in the
// folder itself; empty for anything else. Only such a file is ever deleted:
// a path, "..", a system file or a visible file is somebody else's.
String ourCopy(const String& folder, const String& value)
{
    if (value.empty() || value.find_first_of(L"\\/:") != String::npos || !copyExtension(value)) return String();
    String path = IncludeTrailingPathDelimiter(folder) + value;
    DWORD a = GetFileAttributesW(path.c_str());
    bool copy = a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_HIDDEN) &&
                !(a & (FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY));
    return copy ? path : String();
}

void removeOurCopy(const String& path)
{
    // Hidden and system marks do not keep a file from being deleted; only a
    // read-only one does, and only then is it taken off.
    if (DeleteFileW(path.c_str()) || GetLastError() != ERROR_ACCESS_DENIED) return;
    DWORD a = GetFileAttributesW(path.c_str());
    if (a == INVALID_FILE_ATTRIBUTES || !(a & FILE_ATTRIBUTE_READONLY)) return;
    Iconize_SetAttributes(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(path.c_str());
}

TIconizeResult refuse(const String& text) { return {TIconizeWhy::Refused, text}; }

TIconizeResult missing(TIconizeWhy why, const wchar_t* text, const String& given)
{
    return {why, String(text) + L"\r\n" + given};
}

String writeError(const String& iniPath, DWORD code)
{
    return Format(L"Unable to write to %s", iniPath.c_str()) + (code ? L"\r\n" + SysErrorMessage(code) : String());
}

int gBatchDepth = 0;
bool gBatchPending = false;

void notifyFolderChange()
{
    if (gBatchDepth > 0) {
        gBatchPending = true;
        return;
    }
    static const wchar_t c[] = L"C";
    Iconize_ChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_FLUSH | SHCNF_FLUSHNOWAIT, nullptr, nullptr);
    Iconize_ChangeNotify(SHCNE_UPDATEIMAGE, SHCNF_DWORD, nullptr, nullptr);
    Iconize_ChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
    Iconize_ChangeNotify(SHCNE_UPDATEDIR, SHCNF_FLUSH | SHCNF_PATHW, c, nullptr);
    Iconize_ChangeNotify(SHCNE_UPDATEITEM, SHCNF_PATHA, c, nullptr);
    Iconize_ChangeNotify(SHCNE_UPDATEITEM, SHCNF_PRINTERA, c, nullptr);
    Iconize_ChangeNotify(SHCNE_UPDATEITEM, SHCNF_DWORD, c, nullptr);
    Iconize_ChangeNotify(SHCNE_UPDATEITEM, SHCNF_PATHW, c, nullptr);
    Iconize_ChangeNotify(SHCNE_UPDATEITEM, SHCNF_PRINTERW, c, nullptr);
    Iconize_ChangeNotify(SHCNE_UPDATEITEM, SHCNF_TYPE, c, nullptr);
    Iconize_ChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
}

// A value of Desktop.ini names a file relative to the folder unless it is a
// full path. (Looking a bare name up in the process's current folder would
// find whatever file of that name happens to lie there.)
String resolveIconFile(const String& folder, const String& value)
{
    if (Path_IsFull(value)) return value;
    return IncludeTrailingPathDelimiter(folder) + value;
}

}  // namespace

TIconizeNoticeBatch::TIconizeNoticeBatch() { ++gBatchDepth; }

TIconizeNoticeBatch::~TIconizeNoticeBatch()
{
    if (--gBatchDepth > 0 || !gBatchPending) return;
    gBatchPending = false;
    notifyFolderChange();
}

bool Iconize_Get_Folder(const String& folderGiven, String& iconFile, int& iconIndex)
{
    String folder = fsPath(folderGiven);
    TDesktopIni ini;
    if (!DirectoryExists(folder) || !FileExists(desktopIni(folder)) || !ini.Load(desktopIni(folder))) return false;
    int index = iconIndex;
    String file = iconValue(ini, &index);
    if (file.empty()) return false;
    iconFile = resolveIconFile(folder, file);
    iconIndex = index;
    return FileExists(iconFile);
}

TIconizeResult Iconize_Folder(const String& folderGiven, const String& iconGiven, const String& index, bool copyIco)
{
    String folder = fsPath(folderGiven);
    if (!DirectoryExists(folder)) return missing(TIconizeWhy::NoFolder, Iconize_Msg_NoFolder, folderGiven);
    if (!FileExists(iconGiven)) return missing(TIconizeWhy::NoIcon, Iconize_Msg_NoIcon, iconGiven);
    // Checked before anything is written: a text with line breaks would add
    // keys and sections of its own, and a non-number breaks every later read.
    if (!wholeNumber(index)) return refuse(L"The icon index must be a whole number:\r\n" + index);
    String source = fsPath(iconGiven);
    String iniPath = desktopIni(folder);
    TDesktopIni ini;
    if (!ini.Load(iniPath)) return refuse(L"Cannot read " + iniPath + L"\r\n" + ini.Problem());
    if (ini.Existed() && (ini.Attributes() & FILE_ATTRIBUTE_READONLY))
        return refuse(writeError(iniPath, ERROR_ACCESS_DENIED));

    String name = copyIco ? String(L"Desktop.ico") : ExtractFileName(source);
    String target = IncludeTrailingPathDelimiter(folder) + name;
    // Only a folder holding a file of the source's name can be the source's
    // own; asked first, it spares most folders the two opens of the identity test.
    String sameName = IncludeTrailingPathDelimiter(folder) + ExtractFileName(source);
    bool inFolder = GetFileAttributesW(sameName.c_str()) != INVALID_FILE_ATTRIBUTES &&
                    File_SameIdentity(ExtractFilePath(source), IncludeTrailingPathDelimiter(folder));
    bool copying = copyExtension(name), stage = false;
    String presentCopy = ourCopy(folder, iconValue(ini, nullptr));
    if (copying) {
        DWORD a = GetFileAttributesW(target.c_str());
        if (a != INVALID_FILE_ATTRIBUTES && File_SameIdentity(source, target)) {
            // The icon already lies there (however its path was written): it
            // is neither copied onto itself nor marked as a copy.
        } else if (a != INVALID_FILE_ATTRIBUTES && ourCopy(folder, name).empty()) {
            // A file of that name that is no copy of ours is the user's: never
            // overwritten; the icon is named where it lies.
            copying = false;
        } else {
            // Our earlier copy gives way, even to a source lying beside it:
            // left, it would show its own picture at the new index.
            stage = true;
        }
    }
    String value = copying ? name : inFolder ? ExtractFileName(source) : source;
    ini.Remove({L"IconResource", L"IconFile", L"IconIndex"});
    ini.Add(L"IconFile", value);
    ini.Add(L"IconIndex", index);

    // Every new file is made under a temporary name first and put in place
    // only when all are made; any failure puts back what was there.
    // Each temporary name is one nothing stood at, so what is discarded is ours.
    String tempCopy, oldCopy, tempIni;
    bool hadTarget = stage && GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES;
    auto undo = [&](const String& text) {
        if (!tempCopy.empty()) Stage_Discard(tempCopy);
        if (!tempIni.empty()) Stage_Discard(tempIni);
        if (!oldCopy.empty() && GetFileAttributesW(oldCopy.c_str()) != INVALID_FILE_ATTRIBUTES) {
            Stage_Discard(target);
            MoveFileExW(oldCopy.c_str(), target.c_str(), 0);
        }
        return refuse(text);
    };
    if (DWORD e = stage ? Stage_Copy(source, target, tempCopy) : 0)
        return undo(L"Could not copy the icon into the folder:\r\n" + source + L"\r\n-> " + target + L"\r\n" +
                    SysErrorMessage(e));
    if (DWORD e = Stage_Write(iniPath, ini.Bytes(), tempIni)) return undo(writeError(iniPath, e));
    auto setAside = [&](const String& t) -> DWORD { return MoveFileExW(target.c_str(), t.c_str(), 0) ? 0 : GetLastError(); };
    if (DWORD e = hadTarget ? MakeSaveTemp(target, L".~old", setAside, oldCopy) : 0) return undo(writeError(target, e));
    if (stage && !MoveFileExW(tempCopy.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH))
        return undo(writeError(target, GetLastError()));
    tempCopy.clear();
    if (DWORD e = Stage_Commit(tempIni, iniPath)) {
        if (stage) Stage_Discard(target);
        return undo(writeError(iniPath, e));
    }
    if (!oldCopy.empty()) Stage_Discard(oldCopy);

    if (stage) Iconize_SetAttributes(target.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
    addMarks(iniPath, ini.Existed() ? ini.Attributes() : FILE_ATTRIBUTE_ARCHIVE,
             FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    addMarks(folder, GetFileAttributesW(folder.c_str()), FILE_ATTRIBUTE_READONLY);
    // The earlier copy that Desktop.ini named goes once nothing names it; the
    // chosen source itself is never taken away.
    if (!presentCopy.empty() && !File_SameIdentity(presentCopy, source) &&
        !(copying && File_SameIdentity(presentCopy, target)))
        removeOurCopy(presentCopy);
    notifyFolderChange();
    return {};
}

TIconizeResult Iconize_Clear_Folder(const String& folderGiven, bool deleteCopy, DWORD attributes)
{
    String folder = fsPath(folderGiven);
    auto isFolder = [](DWORD a) { return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY); };
    if (!isFolder(attributes)) attributes = GetFileAttributesW(folder.c_str());
    if (!isFolder(attributes)) return missing(TIconizeWhy::NoFolderClear, Iconize_Msg_NoFolderClear, folderGiven);
    String iniPath = desktopIni(folder);
    TDesktopIni ini;
    if (!ini.Load(iniPath))
        throw EFOpenError(Format(L"Cannot open file \"%s\". %s", iniPath.c_str(), ini.Problem().c_str()));
    String copy = deleteCopy ? ourCopy(folder, iconValue(ini, nullptr)) : String();
    bool changed = ini.Remove({L"IconResource", L"IconFile", L"IconIndex", L"ConfirmFileOp"});
    bool iniGone = !ini.Existed();
    if (ini.Existed() && (changed || ini.Blank())) {
        if (ini.Blank()) {
            // Its hidden and system marks do not keep it from being deleted;
            // a read-only mark does, and the delete says so (access denied).
            if (!DeleteFileW(iniPath.c_str())) throw EIniFileException(writeError(iniPath, GetLastError()));
            iniGone = true;
        } else {
            if (ini.Attributes() & FILE_ATTRIBUTE_READONLY)
                throw EIniFileException(writeError(iniPath, ERROR_ACCESS_DENIED));
            // What is left is somebody else's: it stays hidden and system, so
            // that the shell still reads it, and every other mark stays too.
            String temp;
            DWORD e = Stage_Write(iniPath, ini.Bytes(), temp);
            if (!e) e = Stage_Commit(temp, iniPath);
            if (e) throw EIniFileException(writeError(iniPath, e));
            Iconize_SetAttributes(iniPath.c_str(), settable(ini.Attributes()));
        }
    }
    if (!copy.empty()) removeOurCopy(copy);
    // The folder's read-only mark makes the shell read Desktop.ini: it goes
    // only with the file.
    if (iniGone) addMarks(folder, attributes, 0, FILE_ATTRIBUTE_READONLY);
    return {};
}

bool Iconize_IsFileType(const String& text)
{
    if (text.size() < 2 || text[0] != L'.' || text.back() == L' ') return false;
    for (size_t i = 1; i < text.size(); ++i)
        if (text[i] < L' ' || wcschr(L"\\/:*?\"<>|.", text[i])) return false;
    return true;
}
