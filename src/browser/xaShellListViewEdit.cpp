// The list view's commands that change the items of the folder shown: rename,
// delete, new folder, new text file and dropped files; and the language file's
// key group of the view's texts.
#include "xaShellListView.h"

#include "xaDrop.h"
#include "xaIconize.h"
#include "xaIconizeIni.h"
#include "xaLanguageTexts.h"
#include "xaLanguageUni.h"
#include "xaModulControls.h"
#include "xaModulFiles.h"
#include "xaModulPath.h"
#include "xaRename.h"
#include "xaShell.h"
#include "xaY.h"
#include "xaYN.h"

namespace {

// A name typed for an item of the folder shown. One holding a path delimiter
// would put the item into another folder (a sub-folder, the parent, another
// drive), or name a stream of a file: it is refused, so that nothing lands
// outside the folder the user sees.
bool isPlainName(const String& name) { return name.find_first_of(L"\\/:") == String::npos; }

// The name an item typed as Name gets: the file system drops trailing dots
// and blanks.
String storedName(const String& name)
{
    size_t last = name.find_last_not_of(L". ");
    return last == String::npos ? String() : name.substr(0, last + 1);
}

// Another item of the folder answers to Name under another spelling: the
// folder tells letter case apart. The platform may then resolve a name to
// either item, so no rename of ours can be sure of its way back.
bool otherSpellingThere(const String& dir, const String& name)
{
    WIN32_FIND_DATAW fd;
    TFindHandle find(FindFirstFileW((dir + L"*").c_str(), &fd));
    if (!find) return false;
    do
        if (fd.cFileName != name && File_SameName(fd.cFileName, name)) return true;
    while (FindNextFileW(find.Get(), &fd));
    return false;
}

// The same item under another spelling (its letter case): the shell may
// take the new name for an item already there and refuse, so the file
// system renames it, through a free name of ours when it will not change
// the spelling alone. That detour is taken only where the old name is sure
// to lead back to the item, so the item ends under its old name or its new
// one, never under ours. Nothing else is ever replaced. Gives 0 when done,
// else why not.
DWORD respell(const String& from, const String& to)
{
    auto spelled = [&to] {
        WIN32_FIND_DATAW fd;
        TFindHandle find(FindFirstFileW(to.c_str(), &fd));
        return find && ExtractFileName(to) == fd.cFileName;
    };
    DWORD fault = ERROR_ALREADY_EXISTS;  // moved, yet still under the old spelling
    if (MoveFileW(from.c_str(), to.c_str())) {
        if (spelled()) return 0;
    } else
        fault = GetLastError();
    String dir = ExtractFilePath(to), temp;
    if (otherSpellingThere(dir, ExtractFileName(from))) return fault;
    for (int i = 0; temp.empty() && i < 100; ++i) {
        String t = dir + Format(L"~dolv%u-%d.tmp", GetCurrentProcessId(), i);
        if (GetFileAttributesW(t.c_str()) == INVALID_FILE_ATTRIBUTES && MoveFileW(from.c_str(), t.c_str())) temp = t;
    }
    if (temp.empty()) return fault;
    if (MoveFileW(temp.c_str(), to.c_str())) return 0;
    fault = GetLastError();
    MoveFileW(temp.c_str(), from.c_str());
    return fault;
}

// The shell's own codes of its older kind, as the system's: their numbers
// mean other things to the system.
DWORD shellFault(int code)
{
    switch (code) {
    case 0x71: case 0x7E: case 0x80: return ERROR_ALREADY_EXISTS;  // the same file; a folder and a file
    case 0x75: return ERROR_CANCELLED;
    case 0x78: case 0x86: return ERROR_ACCESS_DENIED;
    case 0x79: case 0x81: return ERROR_FILENAME_EXCED_RANGE;
    case 0x7C: return ERROR_INVALID_NAME;
    case 0x82: case 0x83: case 0x84: return ERROR_WRITE_PROTECT;
    case 0x85: return ERROR_FILE_TOO_LARGE;
    }
    return (DWORD)code;
}

// Why the shell did not rename From to To. A shell may say nothing and give
// "not found" for a name too long or one no file may bear, so the file
// system is asked first; the shell's code answers what it cannot tell.
DWORD renameFault(const String& from, const String& to, int code)
{
    if (shellFault(code) == ERROR_CANCELLED) return ERROR_CANCELLED;
    if (GetFileAttributesW(from.c_str()) == INVALID_FILE_ATTRIBUTES) return GetLastError();
    wchar_t root[MAX_PATH + 1];
    DWORD longest = 0;
    if (GetVolumePathNameW(from.c_str(), root, MAX_PATH + 1) &&
        GetVolumeInformationW(root, nullptr, 0, nullptr, &longest, nullptr, nullptr, 0) &&
        ExtractFileName(to).size() > longest)
        return ERROR_FILENAME_EXCED_RANGE;
    if (GetFileAttributesW(to.c_str()) != INVALID_FILE_ATTRIBUTES) return ERROR_ALREADY_EXISTS;
    if (DWORD e = GetLastError(); e != ERROR_FILE_NOT_FOUND && e != ERROR_PATH_NOT_FOUND) return e;
    return shellFault(code);
}

}  // namespace

bool LVS_ReplaceAllowed(const String& source, const String& target)
{
    if (!FileExists(target) && !DirectoryExists(target)) return true;
    if (File_SameIdentity(source, target)) return true;
    return YN_Ask(ExtractFileName(target) + L"\r\n\r\n" + lvs_FileAlreadyExistOwerwrite_Q, L"");
}

void TxaShellListView::Rename()
{
    TListItem* row = Selected();
    if (!row || fPath.empty()) return;
    const bool folder = LVS_ItemIsFolder(*row);
    const String type = row->SubItems.Count() > 0 ? row->SubItems[0] : String();
    const String oldName = folder || type.empty() ? row->Caption : row->Caption + L"." + type;
    const String dir = IncludeTrailingPathDelimiter(fPath);
    String candidate = oldName, typed, name, newCaption, newType;
    bool respelling = false, replacing = false;
    for (;;) {
        typed = candidate;
        if (!Renamer_Ask(xaLanguageUni::Rename, candidate, typed, 0, (int)File_NameNoExt(candidate).size())) return;
        if (typed == oldName) return;
        candidate = typed;
        name = storedName(typed);
        if (name.empty() || !isPlainName(name)) {
            Y_Show(typed + L"\r\n\r\n" + SysErrorMessage(ERROR_INVALID_NAME), L"", -1, true);
            continue;
        }
        newCaption = folder ? name : File_NameNoExt(name);
        newType = folder ? lvs_FolderType : File_Ext(name);
        if (name == oldName) return;  // only dots or blanks the file system drops
        // The item itself under another spelling; another item of that name,
        // even one that is the same file (a hard link), is a collision.
        respelling = File_SameName(name, oldName);
        if (respelling) break;
        if (folder) {
            if (!DirectoryExists(dir + name)) break;
            Y_Show(lvs_DirAlreadyExist, L"", -1, true);
            continue;
        }
        if (!FileExists(dir + name)) break;
        if (!YN_Ask(lvs_FileAlreadyExistOwerwrite_Q, L"")) continue;
        replacing = true;
        break;
    }
    DWORD fault = 0;
    if (respelling)
        fault = respell(dir + oldName, dir + name);
    // A shell that says nothing of a refusal (or gives a code for another
    // cause) would leave the user with a rename that silently did not
    // happen: the reason is told by us, whatever the shell showed.
    else if (int code = File_Operation_Result(dir + oldName, dir + name, kFoRename, FOF_NOCONFIRMATION))
        fault = renameFault(dir + oldName, dir + name, code);
    if (fault) {
        if (fault != ERROR_CANCELLED) Y_Show(typed + L"\r\n\r\n" + SysErrorMessage(fault), L"", -1, true);
        return;
    }
    // The other item's row goes only now that the disk has lost it.
    if (TListItem* other = replacing ? FindTeloID(name) : nullptr; other && other != row) Items.Delete(other->Index());
    row->Caption = newCaption;
    row->SubItems[0] = newType;
    row->SetImageIndex(Ico_GetSysIndex(dir + name));
    Sort();
}

void TxaShellListView::DeleteSelected()
{
    if (!Selected() || fPath.empty()) return;
    SelectedList(*qSelectedList, fPath);
    if (File_Operation_List(*qSelectedList, L"", kFoDelete, FOF_ALLOWUNDO)) TListView::DeleteSelected();
}

void TxaShellListView::CreateNewFolder()
{
    if (fPath.empty()) return;
    TListItem* selected = Selected();
    String name = selected ? selected->Caption : lvs_NewFolderName;
    String typed;
    for (;;) {
        typed = name;
        if (!Renamer_Ask(lvs_CreateNewFolder, name, typed, -1, -1)) return;
        String full = IncludeTrailingPathDelimiter(fPath) + typed;
        if (DirectoryExists(full)) {
            Y_Show(typed + L"\r\n\r\n" + lvs_DirAlreadyExist, L"", -1, true);
            name = typed;
            continue;
        }
        // Some platforms report a device name (NUL) as made though no folder appears.
        if (isPlainName(typed) && CreateDirectoryW(full.c_str(), nullptr) && DirectoryExists(full)) break;
        Y_Show(lvs_DirCanNotCreate, L"", -1, true);
    }
    Reload();
    selectOnly(FindTeloID(typed + L".*dir"));
    SetFocus();
}

void TxaShellListView::CreateNewTxt()
{
    if (fPath.empty()) return;
    String typed = L"1.txt";
    if (!Renamer_Ask(lvs_CreateNewTxt, L"1.txt", typed, 0, 1)) return;
    String full = IncludeTrailingPathDelimiter(fPath) + typed;
    // A device name would write to the device (a port may never answer), and no file appears.
    if (!isPlainName(typed) || FileIsDevice(typed))
        throw EFCreateError(
            Format(L"Cannot create file \"%s\". %s", full.c_str(), SysErrorMessage(ERROR_INVALID_NAME).c_str()));
    if (FileExists(full) && !YN_Ask(L"Файл с таким именем уже существует. Желатете перезаписать?", L"")) return;
    // An empty ANSI list writes no bytes at all, through a temporary file.
    TStringList().SaveToFile(full);
    Reload();
    ClearSelection();
    if (TListItem* row = FindTeloID(typed)) row->Selected = true;
}

void TxaShellListView::TxaShellListView_DropFiles(TObject* sender)
{
    if (OnDrop) OnDrop(sender);
    auto* drop = dynamic_cast<TxaDrop*>(sender);
    if (fPath.empty() || !drop) return;
    const bool shift = Key_Shift(), alt = Key_Alt();
    if (shift && alt) return;
    if (!Files_CheckForeign(drop->Files)) return;
    const String dir = IncludeTrailingPathDelimiter(fPath);
    if (alt) {
        for (const String& path : drop->Files.Items())
            // A shortcut onto the dropped shortcut itself would lose it.
            if (String link = dir + File_NameNoExt(path) + L".lnk";
                !File_SameIdentity(path, link) && LVS_ReplaceAllowed(path, link))
                Lnk_Create(path, fPath, L"", L"");
    } else if (!shift) {
        if (!File_Operation_List(drop->Files, fPath, kFoCopy, 0)) Y_Show(Name + L" Drop", L"Drop cancel", -1, true);
    } else {
        TStringList moving;
        for (const String& path : drop->Files.Items()) {
            String name = ExtractFileName(ExcludeTrailingPathDelimiter(path));
            if (name.empty() || LVS_ReplaceAllowed(path, dir + name)) moving.Add(path);
        }
        if (!File_Operation_List(moving, fPath, kFoMove, 0))
            Y_Show(Name + L" Drop", L"отменено пользователем", -1, true);
    }
    Reload();
}

void Lng_Read_ListView(TStrings& lines)
{
    String folderType;
    if (Lng_Read(lines, folderType, L"lvs_FolderType", true)) lvs_FolderType_Set(folderType);
    const std::pair<const wchar_t*, String*> keys[] = {
        {L"lvs_NewFolderName", &lvs_NewFolderName},
        {L"lvs_CreateNewFolder", &lvs_CreateNewFolder},
        {L"lvs_CreateNewTxt", &lvs_CreateNewTxt},
        {L"lvs_FileAlreadyExistOwerwrite_Q", &lvs_FileAlreadyExistOwerwrite_Q},
        {L"lvs_DirAlreadyExist", &lvs_DirAlreadyExist},
        {L"lvs_DirCanNotCreate", &lvs_DirCanNotCreate},
        {L"lvs_HideVisible", &lvs_HideVisible},
        {L"lvs_DirUp", &lvs_DirUp},
        {L"LV_Style", &LV_Style},
        {L"LV_StyleTable", &LV_StyleTable},
        {L"LV_StyleIcons", &LV_StyleIcons},
        {L"LV_StyleCols", &LV_StyleCols},
        {L"LV_StyleRows", &LV_StyleRows},
    };
    for (auto& [key, text] : keys) Lng_Read(lines, *text, key, true);
}
