#include "xaShellListView.h"

#include "xaIconize.h"
#include "xaModulControls.h"
#include "xaModulFiles.h"
#include "xaModulPath.h"
#include "xaY.h"

#include "Handles.h"

#include <algorithm>
#include <optional>
#include <unordered_map>
#include <string_view>
#include <utility>

String lvs_FolderType = L"\\Folder";
String lvs_NewFolderName = L"New Folder";
String lvs_CreateNewFolder = L"Create folder";
String lvs_CreateNewTxt = L"Create txt file";
String lvs_FileAlreadyExistOwerwrite_Q = L"File with such name already exists. Do you want to owerwrite it?";
String lvs_DirAlreadyExist = L"Folder with such name already exists. Please input anover name!";
String lvs_DirCanNotCreate = L"Can not to create new folder :(";
String lvs_HideVisible = L"Show hide files";
String lvs_DirUp = L"Up directory";
String LV_Style = L"Style";
String LV_StyleTable = L"Table";
String LV_StyleIcons = L"Icons";
String LV_StyleCols = L"Cols";
String LV_StyleRows = L"Rows";

void lvs_FolderType_Set(const String& fileValue)
{
    // Folder rows are told from files by this backslash alone; a translation never drops it.
    if (!fileValue.empty()) lvs_FolderType = L"\\" + fileValue;
}

bool Str_IsFolderType(const String& typeText) { return !typeText.empty() && typeText[0] == L'\\'; }

bool LVS_ItemIsFolder(const TListItem& item)
{
    return item.SubItems.Count() > 0 && Str_IsFolderType(item.SubItems[0]);
}

namespace {

const String kDirExt = L"*dir";

String typeOf(const TListItem& item) { return item.SubItems.Count() > 0 ? item.SubItems[0] : String(); }

String withFolder(const String& folder, const String& name)
{
    return folder.empty() ? name : IncludeTrailingPathDelimiter(folder) + name;
}

// The search folder of a listing: a single letter is a drive.
String searchFolder(const String& path)
{
    return path.size() == 1 ? path + L":\\" : IncludeTrailingPathDelimiter(path);
}

// An identity taken apart: the name and the type text it stands for.
void splitID(const String& id, String& name, String& type)
{
    size_t dot = id.rfind(L'.');
    name = dot == String::npos ? id : id.substr(0, dot);
    type = dot == String::npos ? String() : id.substr(dot + 1);
    if (type == kDirExt) type = lvs_FolderType;
}

// One key per identity for finding many rows again at once: letter case folded.
String idKey(const String& name, const String& type)
{
    String k = name;
    k += L'\x01';
    k += type;
    CharUpperBuffW(k.data(), (DWORD)k.size());
    return k;
}

class TUpdateScope {
public:
    explicit TUpdateScope(TListItems& items) : fItems(items) { fItems.BeginUpdate(); }
    ~TUpdateScope() { fItems.EndUpdate(); }
    TUpdateScope(const TUpdateScope&) = delete;
    TUpdateScope& operator=(const TUpdateScope&) = delete;

private:
    TListItems& fItems;
};

}  // namespace

bool Path_CheckForList(const String& path, String& expanded, bool allowEmpty)
{
    expanded.clear();
    if (path.empty()) return allowEmpty;
    expanded = Path_Expand(path);
    String folder = FileExists(expanded) ? Path_Parent(expanded, false) : expanded;
    if (!DirectoryExists(searchFolder(folder))) return false;
    // An empty CD drive is never entered: the system would ask for a disc.
    if (GetDriveTypeW(searchFolder(folder).c_str()) == DRIVE_CDROM && !Dir_HasItems(folder)) return false;
    return true;
}

// ---- construction --------------------------------------------------------------

TxaShellListView::TxaShellListView(TComponent* owner) : TListView(owner)
{
    for (int w : {400, 80, 80}) Columns.Add()->SetWidth(w);
    MultiSelect = true;
    RowSelect = true;
    ReadOnly = true;
    IconOptions.AutoArrange = true;
    fImageList1 = new TImageList(this, 16, 16);
    fImageList2 = new TImageList(this, 32, 32);
    SetSmallImages(fImageList1);
    SetLargeImages(fImageList2);
}

TxaShellListView::~TxaShellListView()
{
    dropDue();
    DestroyHandle();
}

int TxaShellListView::sDeferrals = 0;
std::vector<TxaShellListView*> TxaShellListView::sDue;

TxaShellListView::TListingDeferral::TListingDeferral() { ++sDeferrals; }

TxaShellListView::TListingDeferral::~TListingDeferral()
{
    if (fEnded) return;
    // Left by an error: the noted listings are dropped with the deferral.
    if (--sDeferrals == 0)
        for (TxaShellListView* v : std::exchange(sDue, {})) v->fListingDue = false;
}

void TxaShellListView::TListingDeferral::End()
{
    if (fEnded) return;
    fEnded = true;
    if (--sDeferrals > 0) return;
    while (!sDue.empty()) {
        TxaShellListView* v = sDue.front();
        sDue.erase(sDue.begin());
        v->listDue();
    }
}

void TxaShellListView::listDue()
{
    fListingDue = false;
    TUpdateScope update(Items);
    if (fDueFolder.empty())
        TxaShellListView_ListDrives();
    else
        TxaShellListView_ListFolder(fDueFolder, fShowHide, fShowElements);
    Sort();
}

void TxaShellListView::dropDue()
{
    if (!fListingDue) return;
    fListingDue = false;
    sDue.erase(std::remove(sDue.begin(), sDue.end(), this), sDue.end());
}

void TxaShellListView::Loaded()
{
    fXaDrop_LVS = new TxaDrop(this);
    fXaDrop_LVS->OnDropFiles = [this](TObject* sender) { TxaShellListView_DropFiles(sender); };
    Columns[2].SetAlignment(taRightJustify);
}

void TxaShellListView::setCursor(TCursor cursor)
{
    Cursor = cursor;
    POINT p;
    if (fHandle && GetCursorPos(&p) && WindowFromPoint(p) == fHandle) ::SetCursor(Cursor_Handle(cursor));
}

void TxaShellListView::bindSystemImages()
{
    // The shell's lists are the process's own and keep their handles: asked
    // for again on every listing, they cost a listing of 10,000 rows a
    // twentieth of its time. Lists put in their place are bound anew.
    if (fBoundSmall && SmallImages() && LargeImages() && SmallImages()->Handle() == fBoundSmall &&
        LargeImages()->Handle() == fBoundLarge)
        return;
    TComponent* owner = Owner() ? Owner() : this;
    if (!SmallImages()) SetSmallImages(new TImageList(owner, 16, 16));
    if (!LargeImages()) SetLargeImages(new TImageList(owner, 32, 32));
    HIMAGELIST small = SmallImages()->Handle(), large = LargeImages()->Handle();
    ImageList_AttachSys(*SmallImages(), true);
    ImageList_AttachSys(*LargeImages(), false);
    // The lists now hold other handles: tell the control. Told the same ones
    // again, it measures its rows anew, on every listing.
    if (SmallImages()->Handle() != small) SetSmallImages(SmallImages());
    if (LargeImages()->Handle() != large) SetLargeImages(LargeImages());
    fBoundSmall = SmallImages()->Handle();
    fBoundLarge = LargeImages()->Handle();
}

int TxaShellListView::ResolveImageIndex(const TListItem& item)
{
    return Ico_GetSysIndex(fListedFolder.empty() ? item.Caption : fListedFolder + TeloNameI(&item, L""));
}

int TxaShellListView::QuickImageIndex(const TListItem& item, bool& final)
{
    // The drive list has a few rows, each with an icon of its own.
    if (fListedFolder.empty()) return TListView::QuickImageIndex(item, final);
    // A row is drawn first with its type's icon, which the shell gives
    // without reading the file; asking for the file's own icon costs far
    // more, and is left to idle time for the rows whose icon may differ.
    bool folder = LVS_ItemIsFolder(item);
    String key = folder ? String(L"\\") : AnsiLowerCase(typeOf(item));
    auto [it, added] = fTypeImages.try_emplace(key, TTypeImage{0, false});
    if (added) {
        it->second.Index = Ico_GetTypeSysIndex(TeloNameI(&item, L""), folder);
        it->second.PerFile = !folder && Ico_TypeIconPerFile(key);
    }
    final = !(it->second.PerFile || (folder && fOwnIconFolders.count(item.Caption)));
    return it->second.Index;
}

void TxaShellListView::ForgetTypeImage(const String& ext) { fTypeImages.erase(AnsiLowerCase(ext)); }

// ---- listing -------------------------------------------------------------------

void TxaShellListView::TxaShellListView_ListDrives()
{
    TUpdateScope update(Items);
    Items.Clear();
    fRowSizes.clear();
    bindSystemImages();
    fListedFolder.clear();
    fTypeImages.clear();
    fOwnIconFolders.clear();
    for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
        String drive{letter, L':'};
        if (GetDriveTypeW(drive.c_str()) == DRIVE_NO_ROOT_DIR) continue;
        TListItem* row = Items.Add();
        row->Caption = drive;
        row->SubItems.Add(lvs_FolderType);
        row->SubItems.Add(L"---");
        row->SetImageIndexDeferred();
    }
}

bool TxaShellListView::TxaShellListView_ListFolder(const String& path, bool showHide, TShowElements showElements)
{
    String folder = searchFolder(path);
    if (!DirectoryExists(folder)) return false;
    TFolderEntries entries(folder);
    if (!entries.Open()) {
        Items.Clear();
        return false;
    }
    setCursor(crHourGlass);
    struct TCursorBack {
        TxaShellListView* v;
        ~TCursorBack() { v->setCursor(crDefault); }
    } cursorBack{this};
    TUpdateScope update(Items);
    bindSystemImages();
    Items.Clear();
    fRowSizes.clear();
    fTypeImages.clear();
    fOwnIconFolders.clear();
    fListedFolder = folder;
    for (TFolderEntry e; entries.Next(e);) {
        // The name is cut where it stands: a copy per row, and per part, is
        // felt in a folder of thousands.
        std::wstring_view name = e.Name;
        if (name.empty() || name == L"." || name == L"..") continue;
        if (!showHide && (e.Attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))) continue;
        bool isDir = e.Attributes & FILE_ATTRIBUTE_DIRECTORY;
        if (isDir ? showElements == seFiles : showElements == seFolders) continue;
        TListItem* row = Items.Add();
        if (isDir) {
            row->Caption = name;
            row->SubItems.Add(lvs_FolderType);
            row->SubItems.Add(L"---");
            if (Ico_FolderIconPerFolder(e.Attributes)) fOwnIconFolders.emplace(name);
        } else {
            int64_t size = e.Size;
            // A bare name: its extension follows the last dot (File_Ext).
            size_t dot = name.rfind(L'.');
            row->Caption = name.substr(0, dot);
            row->SubItems.Add(dot == name.npos ? String() : String(name.substr(dot + 1)));
            row->SubItems.Add(Size_ToText(size));
            row->Data = &fRowSizes.emplace_back(size);
        }
        // Asking the shell for every row's icon costs more than the listing
        // itself: it is asked when the row is first drawn or read.
        row->SetImageIndexDeferred();
    }
    return true;
}

void TxaShellListView::TxaShellListView_LoadPath(const String& path, bool showHide, String& folder,
                                                 TShowElements showElements)
{
    folder = path.empty() ? String() : FileExists(path) ? Path_Parent(path, false) : path;
    if (sDeferrals > 0) {
        fDueFolder = folder;
        if (!fListingDue) sDue.push_back(this);
        fListingDue = true;
        return;
    }
    if (folder.empty())
        TxaShellListView_ListDrives();
    else
        TxaShellListView_ListFolder(folder, showHide, showElements);
}

// ---- navigation ----------------------------------------------------------------

void TxaShellListView::selectOnly(TListItem* item)
{
    ClearSelection();
    if (!item) return;
    item->Selected = true;
    item->Focused = true;
}

void TxaShellListView::SetPath(const String& newPath)
{
    bool canChange = true;
    if (OnPathChange) OnPathChange(this, fPath, newPath, canChange);
    if (!canChange) return;
    String expanded;
    if (!Path_CheckForList(newPath, expanded, true)) return;
    String rest;
    if (!fPathFixRoot.empty() && !Path_IsUnder(fPathFixRoot, newPath, rest)) return;
    if (fClearView) {
        Items.Clear();
        return;
    }
    if (FileExists(expanded)) {
        String name;
        String folder = Path_Split(expanded, name, false);
        SetPath(folder);
        TListNow now(this);
        TxaShellListView_LoadPath(expanded, fShowHide, fPath, fShowElements);
        Sort();
        TListItem* row = FindTeloID(name);
        selectOnly(row);
        if (row) {
            // Brings the row to the top: its distance from the row shown at the top now.
            int top = fHandle ? ListView_GetTopIndex(fHandle) : 0;
            int topY = top >= 0 && top < Items.Count() ? Items[top].Position().y : 0;
            Scroll(0, row->Position().y - topY);
        }
    } else {
        // Drawing is turned on once, after the rows are listed and sorted:
        // each turn costs the control about as much as drawing a screenful.
        std::optional<TUpdateScope> update;
        if (sDeferrals == 0) update.emplace(Items);
        TxaShellListView_LoadPath(expanded, fShowHide, fPath, fShowElements);
        Sort();
    }
    if (fxaEditPath) fxaEditPath->SetText(fPathFixRoot.empty() ? fPath : PathRelativ());
    if (OnPathChanged) OnPathChanged(this, fPath);
}

void TxaShellListView::SetRootToPath() { SetPath(fPathFixRoot); }

void TxaShellListView::SetPathFixRoot(const String& root)
{
    if (root.empty()) {
        fPathFixRoot.clear();
        SetPath(L"");
        return;
    }
    fPathFixRoot = ExcludeTrailingPathDelimiter(root);
    String rest;
    if (!Path_IsUnder(fPathFixRoot, fPath, rest)) SetPath(fPathFixRoot);
}

void TxaShellListView::SetClearView(bool value)
{
    fClearView = value;
    if (!value) {
        Reload();
        return;
    }
    Items.Clear();
    fPath.clear();
    if (fxaEditPath) fxaEditPath->SetText(L"");
}

void TxaShellListView::SetShowHide(bool value)
{
    fShowHide = value;
    Reload();
}

void TxaShellListView::SetShowElements(TShowElements value)
{
    fShowElements = value;
    Reload();
}

void TxaShellListView::Reload()
{
    if (fClearView) {
        Items.Clear();
        return;
    }
    bool hadSelection = SelCount() > 0;
    if (hadSelection) SelectedListID(*qSelectedList, L"");
    std::optional<TListNow> now;
    if (hadSelection) now.emplace(this);
    // A folder that vanished leaves the rows as they were.
    if (!fPath.empty() && !DirectoryExists(searchFolder(fPath))) return;
    // Drawing is turned on once, after the rows are listed and selected
    // again: each turn costs the control a walk over its rows.
    TUpdateScope update(Items);
    String folder;
    TxaShellListView_LoadPath(fPath, fShowHide, folder, fShowElements);
    Sort();
    if (!hadSelection) return;
    Items.CountNow();
    // Each identity selects the first row that has it, as FindTeloID would,
    // found through one pass over the rows instead of a scan per identity.
    std::unordered_map<String, bool> wanted;
    for (int i = 0; i < qSelectedList->Count(); ++i) {
        String name, type;
        splitID((*qSelectedList)[i], name, type);
        wanted.emplace(idKey(name, type), false);
    }
    for (int i = 0; i < Items.Count(); ++i) {
        TListItem& row = Items[i];
        auto it = wanted.find(idKey(row.Caption, typeOf(row)));
        if (it == wanted.end() || it->second) continue;
        it->second = true;
        row.Selected = true;
    }
}

void TxaShellListView::DirUp()
{
    if (fPath.empty() || !DirectoryExists(searchFolder(fPath))) return;
    String name;
    String up = Path_Split(ExcludeTrailingPathDelimiter(fPath), name, false);
    SetPath(up);
    if (fPath != up) return;
    selectOnly(ListView_FindCaption(Items, name));
}

// ---- identities ----------------------------------------------------------------

String TxaShellListView::TeloID(int index, const String& folder) const
{
    const TListItem& row = Items[index];
    return withFolder(folder, row.Caption + L"." + (LVS_ItemIsFolder(row) ? kDirExt : typeOf(row)));
}

String TxaShellListView::TeloNameI(const TListItem* item, const String& folder) const
{
    if (!item) {
        Y_Show(L"function TeloName ---> Item = nil", L"", -1, true);
        return L"";
    }
    String type = typeOf(*item);
    String name = LVS_ItemIsFolder(*item) || type.empty() ? item->Caption : item->Caption + L"." + type;
    return withFolder(folder, name);
}

String TxaShellListView::TeloName(int index, const String& folder) const
{
    return TeloNameI(Items.Item(index), folder);
}

String TxaShellListView::TeloNameB(const TListItem* item, bool withPath) const
{
    return TeloNameI(item, withPath ? fPath : String());
}

void TxaShellListView::SelectedList(TStrings& list, const String& folder) const
{
    list.Clear();
    for (int i = GetNextItem(-1, LVNI_SELECTED); i >= 0 && i < Items.Count(); i = GetNextItem(i, LVNI_SELECTED))
        list.Add(TeloName(i, folder));
}

void TxaShellListView::SelectedListID(TStrings& list, const String& folder) const
{
    list.Clear();
    for (int i = GetNextItem(-1, LVNI_SELECTED); i >= 0 && i < Items.Count(); i = GetNextItem(i, LVNI_SELECTED))
        list.Add(TeloID(i, folder));
}

void TxaShellListView::SelectInvers()
{
    TUpdateScope update(Items);
    ListView_InvertSelection(Items);
}

void TxaShellListView::DeselectAll() { ClearSelection(); }

TListItem* TxaShellListView::FindTeloID(const String& id) const
{
    String name, type;
    splitID(id, name, type);
    for (int i = 0; i < Items.Count(); ++i)
        if (File_SameName(Items[i].Caption, name) && File_SameName(typeOf(Items[i]), type)) return Items.Item(i);
    return nullptr;
}

TListItem* TxaShellListView::FindItem(const String& fullPath) const
{
    // The row says what it is: the item may have left the disk already (a
    // folder moved away by a paste), and the disk would then say "no folder".
    String name = ExtractFileName(ExcludeTrailingPathDelimiter(fullPath));
    String caption, type;
    splitID(name, caption, type);
    for (int i = 0; i < Items.Count(); ++i) {
        const TListItem& row = Items[i];
        if (LVS_ItemIsFolder(row) ? AnsiSameText(row.Caption, name)
                                  : AnsiSameText(row.Caption, caption) && AnsiSameText(typeOf(row), type))
            return Items.Item(i);
    }
    return nullptr;
}

String TxaShellListView::PathPostRoot() const
{
    return fPathFixRoot.size() <= fPath.size() ? fPath.substr(fPathFixRoot.size()) : String();
}

String TxaShellListView::PathRelativ() const
{
    return fRootName.empty() ? PathPostRoot() : fRootName + L":" + PathPostRoot();
}

// ---- sorting and view styles ---------------------------------------------------

void TxaShellListView::Sort(int col, int nap)
{
    if (col < 0 || col > 3 || (nap != 1 && nap != -1)) return;
    if (fListingDue) {
        // The listing due sorts its rows by these.
        fSortCol = col;
        fSortNap = nap;
        return;
    }
    TUpdateScope update(Items);
    fSortCol = col;
    fSortNap = nap;
    // Keys are made once per row: upper-cased texts, and the sizes the listing
    // saw (a row made otherwise asks the file system, once).
    struct TKey {
        bool folder;
        String caption, type;
        int64_t size = -1;
    };
    std::vector<TKey> keys(Items.Count());
    for (int i = 0; i < Items.Count(); ++i) {
        const TListItem& row = Items[i];
        TKey& k = keys[i];
        k.folder = LVS_ItemIsFolder(row);
        if (col == 3) continue;
        k.caption = AnsiUpperCase(row.Caption);
        if (col == 1) k.type = AnsiUpperCase(typeOf(row));
        if (col == 2 && !k.folder)
            k.size = row.Data ? *(const int64_t*)row.Data : File_GetSize(withFolder(fPath, TeloNameI(&row, L"")));
    }
    // One strict weak ordering: folders first in either direction; then the
    // key in the direction asked; ties in caption order, then as they were.
    CustomSort([&](int a, int b) {
        const TKey &x = keys[a], &y = keys[b];
        if (x.folder != y.folder) return x.folder;
        if (col == 3) return false;
        int c = 0;
        if (col == 1) c = x.type.compare(y.type);
        if (col == 2 && !x.folder) c = (x.size > y.size) - (x.size < y.size);
        if (c == 0) c = x.caption.compare(y.caption);
        return c * nap < 0;
    });
}

void TxaShellListView::ColClick(TListColumn& column)
{
    if (column.Index() != fSortCol)
        fSortCol = column.Index();
    else
        fSortNap = -fSortNap;
    Sort();
}

void TxaShellListView::SetViewStyle(TViewStyle style)
{
    if (OnStyleChange) OnStyleChange(style);
    TListView::SetViewStyle(style);
}

void TxaShellListView::StyleNext()
{
    static const TViewStyle next[] = {vsList, vsReport, vsSmallIcon, vsIcon};  // by TViewStyle
    SetViewStyle(next[ViewStyle()]);
    Reload();
}

void TxaShellListView::StylePrev()
{
    static const TViewStyle prev[] = {vsReport, vsList, vsIcon, vsSmallIcon};
    SetViewStyle(prev[ViewStyle()]);
    Reload();
}

namespace {
const TViewStyle kStyleOfCode[] = {vsReport, vsIcon, vsList, vsSmallIcon};
}

int TxaShellListView::TxaShellListView_StyleCode() const
{
    for (int c = 0; c < 4; ++c)
        if (kStyleOfCode[c] == ViewStyle()) return c;
    return 0;
}

void LV_DrawItemStripe(TListView& listView, TListItem* item, TColor color)
{
    if (!item || listView.ViewStyle() != vsReport || item->Index() % 2 == 0) return;
    listView.Canvas.Brush.Color = color == -1 ? Color_Darken(listView.Canvas.Brush.Color, 2) : color;
}

// ---- settings.ini --------------------------------------------------------------

namespace {
// The caller's settings object, or settings.ini opened for the call.
class TIniScope {
public:
    explicit TIniScope(TIniFile* given)
        : fOwn(given ? nullptr : std::make_unique<TIniFile>(Settings_FileName())), fIni(given ? given : fOwn.get())
    {
    }
    TIniFile& operator*() const { return *fIni; }
    TIniFile* operator->() const { return fIni; }

private:
    std::unique_ptr<TIniFile> fOwn;
    TIniFile* fIni;
};

// A column width from the file; one no window could have is taken as the default.
int widthOrDefault(int width, int def) { return width >= 0 && width <= 32767 ? width : def; }
}  // namespace

void TxaShellListView::iniLoad(const String& section, TIniFile* ini, const String& initialDir)
{
    TIniScope f(ini);
    if (!FileExists(f->FileName())) return;
    String s = section.empty() ? Name : section;
    int code = f->ReadInteger(s, L"Style", TxaShellListView_StyleCode());
    if (code >= 0 && code <= 3) SetViewStyle(kStyleOfCode[code]);
    int w1 = widthOrDefault(f->ReadInteger(s, L"KolWidth1", 80), 80);
    Columns[1].SetWidth(w1);
    int w2 = widthOrDefault(f->ReadInteger(s, L"KolWidth2", 80), 80);
    Columns[2].SetWidth(w2);
    int w0def = Width() - w1 - w2 - 20;
    Columns[0].SetWidth(widthOrDefault(f->ReadInteger(s, L"KolWidth0", w0def), std::max(w0def, 0)));
    SetShowHide(f->ReadBool(s, L"HideVisible", false));
    SetPath(initialDir == L"*" ? f->ReadString(s, L"Path", L"") : initialDir);
    int col = f->ReadInteger(s, L"SortCol", 1);
    int nap = f->ReadInteger(s, L"SortNap", 1);
    Sort(col, nap);
}

void TxaShellListView::iniSave(const String& section, TIniFile* ini)
{
    TIniScope f(ini);
    String s = section.empty() ? Name : section;
    f->WriteInteger(s, L"Style", TxaShellListView_StyleCode());
    f->WriteInteger(s, L"KolWidth0", Columns[0].Width());
    f->WriteInteger(s, L"KolWidth1", Columns[1].Width());
    f->WriteInteger(s, L"KolWidth2", Columns[2].Width());
    f->WriteInteger(s, L"SortCol", fSortCol);
    f->WriteInteger(s, L"SortNap", fSortNap);
    f->WriteString(s, L"Path", fPath);
    f->WriteBool(s, L"HideVisible", fShowHide);
}

bool ComboBox_FillFileNames(TComboBox& control, const String& folder, bool showHide)
{
    String search = searchFolder(folder);
    if (!DirectoryExists(search)) return false;
    WIN32_FIND_DATAW fd;
    TFindHandle find(FindFirstFileW((search + L"*.*").c_str(), &fd));
    if (!find) return false;
    struct TCursorBack {
        TComboBox& c;
        TCursor saved;
        ~TCursorBack() { c.Cursor = saved; }
    } cursorBack{control, control.Cursor};
    control.Cursor = crHourGlass;
    control.BeginUpdate();
    control.Clear();
    do {
        String name = fd.cFileName;
        if (name.empty() || name == L"." || name == L".." || (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
        if (!showHide && (fd.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))) continue;
        control.AddItem(File_NameNoExt(name));
    } while (FindNextFileW(find.Get(), &fd));
    control.EndUpdate();
    return true;
}
