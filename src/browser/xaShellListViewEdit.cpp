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

// The same item under another spelling (its letter case): the shell may
// take the new name for an item already there and refuse, so the file
// system renames it, through a free name of ours when it will not change
// the spelling alone. Nothing else is ever replaced.
bool respell(const String& from, const String& to)
{
    auto spelled = [&to] {
        WIN32_FIND_DATAW fd;
        TFindHandle find(FindFirstFileW(to.c_str(), &fd));
        return find && ExtractFileName(to) == fd.cFileName;
    };
    if (MoveFileW(from.c_str(), to.c_str()) && spelled()) return true;
    String dir = ExtractFilePath(to), temp;
    for (int i = 0; temp.empty() && i < 100; ++i) {
        String t = dir + Format(L"~dolv%u-%d.tmp", GetCurrentProcessId(), i);
        if (GetFileAttributesW(t.c_str()) == INVALID_FILE_ATTRIBUTES && MoveFileW(from.c_str(), t.c_str())) temp = t;
    }
    if (temp.empty()) return false;
    if (MoveFileW(temp.c_str(), to.c_str())) return true;
    MoveFileW(temp.c_str(), from.c_str());
    return false;
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
    bool respelling = false;
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
        // The item itself under another spelling is no other item of that name.
        respelling = File_SameIdentity(dir + oldName, dir + name);
        if (respelling || AnsiSameText(name, oldName)) break;
        if (folder) {
            if (!DirectoryExists(dir + name)) break;
            Y_Show(lvs_DirAlreadyExist, L"", -1, true);
            continue;
        }
        if (!FileExists(dir + name)) break;
        if (!YN_Ask(lvs_FileAlreadyExistOwerwrite_Q, L"")) continue;
        if (TListItem* other = FindTeloID(name)) Items.Delete(other->Index());
        break;
    }
    if (respelling ? !respell(dir + oldName, dir + name)
                   : !File_Operation_One(dir + oldName, dir + name, kFoRename, FOF_NOCONFIRMATION))
        return;
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
