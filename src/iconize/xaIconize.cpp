#include "xaIconize.h"

#include "Classes.h"
#include "Dialogs.h"
#include "IniFiles.h"
#include "Registry.h"
#include "xaModul.h"
#include "xaY.h"

TChangeNotifyProc Iconize_ChangeNotify = SHChangeNotify;

const wchar_t* const Iconize_Msg_NoFolder = L"Папка, которую вы хотите иконизировать, НЕ существует!";
const wchar_t* const Iconize_Msg_NoIcon = L"Иконка, которой вы хотите иконизировать - НЕ существует!";
const wchar_t* const Iconize_Msg_NoFolderClear = L"Папка, которой вы хотите сбросить иконку, НЕ существует!";

namespace {

const wchar_t kSection[] = L".ShellClassInfo";

String desktopIni(const String& folder) { return IncludeTrailingPathDelimiter(folder) + L"Desktop.ini"; }

bool isHidden(const String& path)
{
    DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_HIDDEN);
}

bool copyExtension(const String& name)
{
    String ext = AnsiLowerCase(File_Ext(name));
    return ext == L"ico" || ext == L"bmp";
}

String fullPath(const String& path)
{
    wchar_t buf[MAX_PATH * 4];
    DWORD n = GetFullPathNameW(path.c_str(), MAX_PATH * 4, buf, nullptr);
    return n && n < MAX_PATH * 4 ? String(buf, n) : path;
}

bool sameFile(const String& a, const String& b) { return AnsiSameText(fullPath(a), fullPath(b)); }

// A Desktop.ini that the profile functions create is written in the ANSI code
// page, which loses the letters of an icon path outside it. A new Desktop.ini
// is therefore started as an empty UTF-16 file, which they keep in UTF-16.
void startUnicodeIni(const String& iniPath)
{
    if (GetFileAttributesW(iniPath.c_str()) != INVALID_FILE_ATTRIBUTES) return;
    HANDLE h = CreateFileW(iniPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return;  // the profile write reports the failure
    static const unsigned char bom[] = {0xFF, 0xFE};
    DWORD put = 0;
    WriteFile(h, bom, sizeof bom, &put, nullptr);
    CloseHandle(h);
}

// The letter of a drive root "D:" or "D:\"; 0 for anything else. A UNC share
// root is not a drive: it has no letter to key the registry by.
wchar_t driveRootLetter(const String& element)
{
    if ((element.size() == 2 || (element.size() == 3 && element[2] == L'\\')) && element[1] == L':' &&
        IsCharAlphaW(element[0]))
        return element[0];
    return 0;
}

void notifyFolderChange()
{
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
    bool absolute = value.find(L':') != String::npos || (value.size() > 1 && value[0] == L'\\' && value[1] == L'\\');
    if (absolute) return value;
    return IncludeTrailingPathDelimiter(folder) + value;
}

}  // namespace

bool Iconize_Get_Folder(const String& folder, String& iconFile, int& iconIndex)
{
    if (!DirectoryExists(folder) || !FileExists(desktopIni(folder))) return false;
    TIniFile ini(desktopIni(folder));
    String resource = ini.ReadString(kSection, L"IconResource", L"");
    if (!resource.empty()) {
        size_t comma = resource.rfind(L',');
        String file = resource;
        if (comma != String::npos) {
            iconIndex = StrToInt(resource.substr(comma + 1));
            file = resource.substr(0, comma);
        }
        iconFile = resolveIconFile(folder, file);
        return FileExists(iconFile);
    }
    String file = ini.ReadString(kSection, L"IconFile", L"");
    if (file.empty()) return false;
    iconFile = resolveIconFile(folder, file);
    String index = ini.ReadString(kSection, L"IconIndex", L"");
    if (!index.empty()) iconIndex = StrToInt(index);
    return FileExists(iconFile);
}

bool Iconize_Folder(const String& folder, const String& iconFile, const String& index, bool copyIco)
{
    if (!DirectoryExists(ExcludeTrailingPathDelimiter(folder))) {
        Y_Show(String(Iconize_Msg_NoFolder) + L"\r\n" + folder, L"Iconize_Folder", -1, true);
        return false;
    }
    if (!FileExists(iconFile)) {
        Y_Show(String(Iconize_Msg_NoIcon) + L"\r\n" + iconFile, L"Iconize_Folder", -1, true);
        return false;
    }
    String name = copyIco ? String(L"Desktop.ico") : ExtractFileName(iconFile);
    String target = IncludeTrailingPathDelimiter(folder) + name;
    bool copying = copyExtension(name);

    if (copying) {
        String present;
        int presentIndex = 0;
        bool doCopy = true;
        if (Iconize_Get_Folder(folder, present, presentIndex)) {
            if (ExtractFilePath(present) == ExtractFilePath(iconFile)) {
                if (ExtractFileName(present) == name) {
                    doCopy = false;
                } else if (isHidden(iconFile)) {
                    // An earlier copy of ours under another name becomes the copy.
                    MoveFileW(iconFile.c_str(), target.c_str());
                    doCopy = false;
                }
            } else if (isHidden(present)) {
                DeleteFileW(present.c_str());
            }
        }
        // "Nothing to copy" holds only when the copy is really there: a
        // Desktop.ini of other software may name the chosen icon where it lies
        // outside the folder, and a move may have failed.
        if (!doCopy && !FileExists(target)) doCopy = true;
        // The icon already lying under its own name in the folder is the
        // user's file, not a copy: it is neither copied onto itself nor marked
        // as a copy (which clearing would then delete).
        bool isSource = sameFile(iconFile, target);
        if (doCopy && !isSource && FileExists(target) && !isHidden(target)) {
            // A visible file of that name that is not the source is the
            // user's own, not an earlier copy (copies are hidden): it is never
            // overwritten, and the icon is referred to where it lies.
            copying = false;
            doCopy = false;
        }
        if (doCopy && !isSource) {
            // A hidden or read-only earlier copy would refuse to be overwritten.
            SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (!CopyFileW(iconFile.c_str(), target.c_str(), FALSE)) {
                // Desktop.ini must never name a copy that is not there (or is stale).
                DWORD err = GetLastError();
                Y_Show(L"Could not copy the icon into the folder:\r\n" + iconFile + L"\r\n-> " + target + L"\r\n" +
                           SysErrorMessage(err),
                       L"Iconize_Folder", clYError, true);
                return false;
            }
        }
        if (doCopy && !isSource) SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
        if (copying && !FileExists(target)) {
            Y_Show(L"Could not copy the icon into the folder:\r\n" + iconFile + L"\r\n-> " + target,
                   L"Iconize_Folder", clYError, true);
            return false;
        }
    }

    SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
    SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_READONLY);

    String value = copying ? name : iconFile;
    if (ExtractFilePath(iconFile) == IncludeTrailingPathDelimiter(folder)) value = name;

    String iniPath = desktopIni(folder);
    startUnicodeIni(iniPath);
    TIniFile ini(iniPath);
    ini.DeleteKey(kSection, L"IconResource");
    ini.DeleteKey(kSection, L"IconFile");
    ini.DeleteKey(kSection, L"IconIndex");
    ini.WriteString(kSection, L"IconFile", value);
    ini.WriteString(kSection, L"IconIndex", index);
    SetFileAttributesW(iniPath.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);

    notifyFolderChange();
    return true;
}

void Iconize_Clear_Folder(const String& folder, bool deleteCopy)
{
    if (!DirectoryExists(folder)) {
        ShowMessage(String(Iconize_Msg_NoFolderClear) + L"\r\n" + folder);
        return;
    }
    SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
    String iniPath = desktopIni(folder);
    TIniFile ini(iniPath);
    String remembered;
    if (ini.ValueExists(kSection, L"IconResource")) {
        remembered = ini.ReadString(kSection, L"IconResource", L"");
        size_t comma = remembered.rfind(L',');
        if (comma != String::npos) remembered.resize(comma);
    } else {
        remembered = ini.ReadString(kSection, L"IconFile", L"");
    }
    SetFileAttributesW(iniPath.c_str(), FILE_ATTRIBUTE_ARCHIVE);
    ini.DeleteKey(kSection, L"IconResource");
    ini.DeleteKey(kSection, L"IconFile");
    ini.DeleteKey(kSection, L"IconIndex");
    ini.DeleteKey(kSection, L"ConfirmFileOp");
    // A folder that never had a Desktop.ini has nothing more to clear; loading
    // the missing file would only raise an error for a folder that is fine.
    if (GetFileAttributesW(iniPath.c_str()) != INVALID_FILE_ATTRIBUTES) {
        TStringList keys;
        ini.ReadSection(kSection, keys);
        if (keys.Count() == 0) ini.EraseSection(kSection);
        TStringList text;
        text.LoadFromFile(iniPath);
        if (Trim(text.Text()).empty()) DeleteFileW(iniPath.c_str());
    }
    // Only a hidden file is a copy: every copy is made hidden, while a visible
    // icon in the folder is the user's own and must survive the clearing.
    String copy = IncludeTrailingPathDelimiter(folder) + remembered;
    if (deleteCopy && copyExtension(remembered) && ExtractFilePath(remembered).empty() && isHidden(copy)) {
        SetFileAttributesW(copy.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(copy.c_str());
    }
}

bool Iconize_Element(const String& element, const String& iconFile, const String& index, bool copyIco)
{
    if (element.empty() || (element[0] == L'.' && element.find(L'\\') == String::npos)) {
        // "." alone names no type: the class key "." must never be written.
        if (element.size() <= 1) return false;
        Iconize_Ext(element, iconFile, StrToInt(index));
        return true;
    }
    if (FileExists(element)) {
        String ext = File_Ext(element);
        if (ext.empty()) return false;  // a file without extension has no type to decorate
        Iconize_Ext(ext, iconFile, StrToInt(index));
        return true;
    }
    if (wchar_t letter = driveRootLetter(element)) {
        Iconize_Drive(String(1, letter), iconFile, StrToInt(index));
        return true;
    }
    if (DirectoryExists(element)) return Iconize_Folder(element, iconFile, index, copyIco);
    return false;
}

bool Iconize_Clear_Element(const String& element, bool deleteCopy)
{
    if (wchar_t letter = driveRootLetter(element)) {
        Iconize_Clear_Drive(String(1, letter));
        return true;
    }
    if (DirectoryExists(element)) {
        Iconize_Clear_Folder(element, deleteCopy);
        return true;
    }
    return false;
}
