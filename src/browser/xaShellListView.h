// Unit xaShellListView: the program's file list view. It shows one folder, or
// the drives when its Path is empty; folders first, then files, sorted by
// name, type or size. Rows are named by their identity (name.ext, name. for a
// file without extension, name.*dir for a folder or drive), which finds them
// again after a re-listing; a row is a folder when its type text begins with
// a backslash.
#pragma once

#include "ComCtrls.h"
#include "ChoiceCtrls.h"
#include "Handles.h"
#include "IniFiles.h"
#include "xaDrop.h"

#include <objidl.h>

#include <deque>
#include <unordered_map>
#include <unordered_set>
#include <vector>

// The unit's Language texts (read by the language engine's list-view group).
extern String lvs_FolderType;  // always begins with a backslash: the folder marker
extern String lvs_NewFolderName;
extern String lvs_CreateNewFolder;
extern String lvs_CreateNewTxt;
extern String lvs_FileAlreadyExistOwerwrite_Q;
extern String lvs_DirAlreadyExist;
extern String lvs_DirCanNotCreate;
extern String lvs_HideVisible;
extern String lvs_DirUp;
extern String LV_Style;
extern String LV_StyleTable;
extern String LV_StyleIcons;
extern String LV_StyleCols;
extern String LV_StyleRows;
// A language file gives the folder type as a word; the marker goes in front.
void lvs_FolderType_Set(const String& fileValue);
// The list view's key group of a language file, in the order above.
void Lng_Read_ListView(TStrings& lines);

enum TShowElements { seAll, seFiles, seFolders };

using TDropEvent = std::function<void(TObject* sender)>;
using TPathChangeEvent =
    std::function<void(TObject* sender, const String& oldPath, const String& newPath, bool& canChange)>;
using TPathChangedEvent = std::function<void(TObject* sender, const String& newPath)>;
using TStyleChangeEvent = std::function<void(TViewStyle style)>;

// True for a type text that marks a folder or drive row (a leading backslash).
bool Str_IsFolderType(const String& typeText);
bool LVS_ItemIsFolder(const TListItem& item);
// Whether an item may be put at Target in the user's name. Free names and the
// item itself need no question; any other entry of that name is the user's
// and is replaced only when the user says so. Some shells move over it
// without asking, so the question is not left to the shell.
bool LVS_ReplaceAllowed(const String& source, const String& target);

// Whether Path (expanded into Expanded) is a folder the view may list: a file
// stands for its folder; an empty CD drive is refused; an empty Path is
// accepted (the drive list) only with AllowEmpty.
bool Path_CheckForList(const String& path, String& expanded, bool allowEmpty);

// Fills the combo box with the names (without extension) of Folder's files.
bool ComboBox_FillFileNames(TComboBox& control, const String& folder, bool showHide);

class TxaShellListView : public TListView {
public:
    explicit TxaShellListView(TComponent* owner);
    ~TxaShellListView() override;
    String ClassName() const override { return L"TxaShellListView"; }
    // After the layout has set the view up.
    virtual void Loaded();

    // The folder shown, as listed (expanded); empty for the drive list.
    const String& Path() const { return fPath; }
    void SetPath(const String& newPath);
    void SetRootToPath();
    const String& PathFixRoot() const { return fPathFixRoot; }
    void SetPathFixRoot(const String& root);
    const String& RootName() const { return fRootName; }

    // While one lives, the views' listings are only noted; End lists each
    // view that was asked for one once, at its last folder, sorted: the
    // start sets each pane several times before the window is shown.
    class TListingDeferral {
    public:
        TListingDeferral();
        ~TListingDeferral();
        TListingDeferral(const TListingDeferral&) = delete;
        TListingDeferral& operator=(const TListingDeferral&) = delete;
        void End();

    private:
        bool fEnded = false;
    };
    void SetRootName(const String& name) { fRootName = name; }
    bool ClearView() const { return fClearView; }
    void SetClearView(bool value);
    bool DirUpItem() const { return fDirUpItem; }
    void SetDirUpItem(bool value) { fDirUpItem = value; }
    bool ExecuteFile() const { return fExecuteFile; }
    void SetExecuteFile(bool value) { fExecuteFile = value; }
    bool ShowHide() const { return fShowHide; }
    void SetShowHide(bool value);
    TShowElements ShowElements() const { return fShowElements; }
    void SetShowElements(TShowElements value);
    TEdit* xaEditPath() const { return fxaEditPath; }
    void SetXaEditPath(TEdit* edit) { fxaEditPath = edit; }

    TDropEvent OnDrop;
    TPathChangeEvent OnPathChange;
    TPathChangedEvent OnPathChanged;
    TStyleChangeEvent OnStyleChange;

    // Scratch list that Reload fills with row identities; others may use it the same way.
    std::unique_ptr<TStringList> qSelectedList = std::make_unique<TStringList>();

    void Reload();
    void DirUp();
    // The shell's picture of type Ext (without the dot; letter case ignored)
    // has changed: the rows of that type drawn from now on ask for it anew.
    void ForgetTypeImage(const String& ext);

    // The key table and the commands (defined by the keys unit).
    // KeyDown is also called by the explorer pane with made-up keys; Key is
    // left as it is, so the control's own key handling follows.
    void KeyDown(WORD& key, TShiftState shift) override;
    void Execute();
    void CopyData();
    void CutData();
    void PasteData();
    void Properties();
    void OpenInExplorer();

    // ---- commands that change the folder's items (xaShellListViewEdit.cpp) ----
    // Each works in the folder shown and does nothing in the drive list.
    void Rename();
    // Sends the selected rows to the Recycle Bin, then takes them off the view.
    void DeleteSelected() override;
    void CreateNewFolder();
    void CreateNewTxt();
    // The view's drop target's OnDropFiles (Sender is that target): copies the
    // dropped items here, moves them with Shift, makes shortcuts with Alt.
    void TxaShellListView_DropFiles(TObject* sender);
    // ---- end of the commands that change the folder's items ----

    String TeloID(int index, const String& folder) const;
    String TeloNameI(const TListItem* item, const String& folder) const;
    String TeloName(int index, const String& folder) const;
    String TeloNameB(const TListItem* item, bool withPath) const;
    void SelectedList(TStrings& list, const String& folder) const;
    void SelectedListID(TStrings& list, const String& folder) const;
    void SelectInvers();
    void DeselectAll();
    TListItem* FindTeloID(const String& id) const;
    TListItem* FindItem(const String& fullPath) const;
    String PathPostRoot() const;
    String PathRelativ() const;

    // Sorting: key 0 caption, 1 type, 2 size, 3 none; direction 1 or -1.
    int SortCol() const { return fSortCol; }
    int SortNap() const { return fSortNap; }
    void Sort(int col, int nap);
    void Sort() { Sort(fSortCol, fSortNap); }
    void ColClick(TListColumn& column) override;
    void SetViewStyle(TViewStyle style) override;
    void StyleNext();
    void StylePrev();
    int TxaShellListView_StyleCode() const;

    // The view's state in a section of settings.ini; with no Ini, settings.ini is opened here.
    void iniLoad(const String& section, TIniFile* ini, const String& initialDir);
    void iniSave(const String& section, TIniFile* ini);

protected:
    int ResolveImageIndex(const TListItem& item) override;
    int QuickImageIndex(const TListItem& item, bool& final) override;

private:
    bool fClearView = false;
    bool fDirUpItem = false;
    bool fExecuteFile = true;
    String fPathFixRoot;
    String fRootName;
    TImageList* fImageList1;
    TImageList* fImageList2;
    TEdit* fxaEditPath = nullptr;
    String fPath;
    int fSortNap = 1;
    int fSortCol = 1;
    bool fShowHide = false;
    TShowElements fShowElements = seAll;
    // A listing noted under a TListingDeferral: the folder, empty for the drives.
    bool fListingDue = false;
    String fDueFolder;
    static int sDeferrals;
    static std::vector<TxaShellListView*> sDue;
    void listDue();
    void dropDue();
    // The listing is made at once, deferral or not: its rows are used right away.
    struct TListNow {
        TxaShellListView* View;
        int Saved;
        explicit TListNow(TxaShellListView* v) : View(v), Saved(sDeferrals)
        {
            View->dropDue();
            sDeferrals = 0;
        }
        ~TListNow() { sDeferrals = Saved; }
    };
    bool hWheelis = false;
    // The folder the rows were listed from (with its backslash; empty for the
    // drives): deferred row images are resolved against it.
    String fListedFolder;
    // The shell's image lists as last bound to the view.
    HIMAGELIST fBoundSmall = nullptr;
    HIMAGELIST fBoundLarge = nullptr;
    // The file sizes seen by the listing, one per file row (the row's Data):
    // the size sort compares these instead of asking the file system again.
    std::deque<int64_t> fRowSizes;
    // Per listing (a type's icon may change between two): the shell's icon of
    // each type seen, by lower-case extension ("\\" for folders), and whether
    // a row of it may show an icon of its own.
    struct TTypeImage {
        int Index;
        bool PerFile;
    };
    std::unordered_map<String, TTypeImage> fTypeImages;
    // The folders listed that may show an icon of their own (by their attributes).
    std::unordered_set<String> fOwnIconFolders;

    // ---- keyboard, mouse and commands (xaShellListViewKeys.cpp) ----
public:
    // Over a row only: a middle press selects that row alone, then OnMouseDown.
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void DblClick();
    TNotifyEvent OnDblClick;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    TxaDrop* fXaDrop_LVS = nullptr;
    void WMLButtonDown(int x, int y, WPARAM wp);
    void WMRButtonDown(int x, int y);
    bool WMMouseWheel(int delta);

    void TxaShellListView_LoadPath(const String& path, bool showHide, String& folder, TShowElements showElements);
    void TxaShellListView_ListDrives();
    bool TxaShellListView_ListFolder(const String& path, bool showHide, TShowElements showElements);
    void bindSystemImages();
    void setCursor(TCursor cursor);
    void selectOnly(TListItem* item);
};

// The shell's Properties sheet of several full paths at once.
void Shell_ShowFilesProperties(const TStrings& files);
// The shell's data object of the full paths that exist as files or folders;
// none when no path is left. Raises EOleSysError.
void Shell_DataObjectOfFiles(const TStrings& files, TComPtr<IDataObject>& dataObject);

// The stripe of an odd row in report view: Color, or with -1 the canvas
// brush darkened by 2 per cent.
void LV_DrawItemStripe(TListView& listView, TListItem* item, TColor color);
