// The file list view's keys, mouse and commands on the selected rows.
#include "xaShellListView.h"

#include "xaDrag.h"
#include "xaModulControls.h"
#include "xaModulFiles.h"
#include "xaModulPath.h"
#include "xaShell.h"
#include "xaY.h"

#include "Clipbrd.h"
#include "ComObj.h"
#include "Menus.h"
#include "ShellDoor.h"

#include <shlobj.h>

#include <vector>

namespace {
// The modifiers and buttons a mouse message carries; Alt from the key state.
TShiftState mouseShift(WPARAM wp)
{
    TShiftState s = KeyboardShiftState() & ssAlt;
    if (wp & MK_SHIFT) s |= ssShift;
    if (wp & MK_CONTROL) s |= ssCtrl;
    if (wp & MK_LBUTTON) s |= ssLeft;
    if (wp & MK_RBUTTON) s |= ssRight;
    if (wp & MK_MBUTTON) s |= ssMiddle;
    return s;
}

bool folderExists(const String& path) { return DirectoryExists(IncludeTrailingPathDelimiter(path)); }

bool sameText(const String& a, const String& b)
{
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), (int)a.size(), b.c_str(),
                          (int)b.size()) == CSTR_EQUAL;
}

void copyFiles(TxaShellListView& view, uint8_t effect)
{
    if (view.Path().empty()) return;
    view.SelectedList(*view.qSelectedList, view.Path());
    Clipboard_CopyFiles(*view.qSelectedList, effect);
}
}  // namespace

// ---- keys ------------------------------------------------------------------------

// Takes the place of the inherited handling: OnKeyDown is not raised.
void TxaShellListView::KeyDown(WORD& key, TShiftState shift)
{
    using V = TxaShellListView;
    // A new sort key starts ascending; the same key again turns the direction.
    static constexpr auto sortBy = [](V& v, int col) {
        v.fSortNap = v.fSortCol == col ? -v.fSortNap : 1;
        v.fSortCol = col;
        v.Sort();
    };
    static const struct {
        WORD Key;
        TShiftState Shift;  // exactly these of Shift, Alt and Ctrl
        void (*Run)(V&);
    } table[] = {
        {VK_RETURN, 0, [](V& v) { v.Execute(); }},
        {VK_BACK, 0, [](V& v) { v.DirUp(); }},
        {VK_BACK, ssAlt, [](V& v) { v.SetRootToPath(); }},
        {VK_DELETE, 0, [](V& v) { v.DeleteSelected(); }},
        {'1', ssCtrl, [](V& v) { sortBy(v, 0); }},
        {'2', ssCtrl, [](V& v) { sortBy(v, 1); }},
        {'3', ssCtrl, [](V& v) { sortBy(v, 2); }},
        {'A', ssCtrl, [](V& v) { v.SelectAll(); }},
        {'A', ssCtrl | ssShift, [](V& v) { v.SelectInvers(); }},
        {'C', ssCtrl, [](V& v) { v.CopyData(); }},
        {'C', ssAlt, [](V& v) { Clipboard().SetAsText(v.fPath); }},
        {'C', ssCtrl | ssShift,
         [](V& v) {
             v.SelectedList(*v.qSelectedList, v.fPath);
             Clipboard().SetAsText(v.qSelectedList->Text());
         }},
        {'C', ssCtrl | ssAlt,
         [](V& v) {
             v.SelectedList(*v.qSelectedList, L"");
             Clipboard().SetAsText(v.qSelectedList->Text());
         }},
        {'D', ssCtrl, [](V& v) { v.DeselectAll(); }},
        {'D', ssAlt, [](V& v) { v.SetPath(Desktop_Path()); }},
        {'E', ssAlt, [](V& v) { v.SetRootToPath(); }},
        {'H', ssCtrl, [](V& v) { v.SetShowHide(!v.fShowHide); }},
        {'O', ssAlt, [](V& v) { v.OpenInExplorer(); }},
        {'V', ssCtrl, [](V& v) { v.PasteData(); }},
        {'V', ssAlt, [](V& v) { v.SetPath(Clipboard_GetLine()); }},
        {'X', ssCtrl, [](V& v) { v.CutData(); }},
        {VK_F1, ssCtrl, [](V& v) { v.Properties(); }},
        {VK_F2, 0, [](V& v) { v.Rename(); }},
        {VK_F5, 0, [](V& v) { v.Reload(); }},
        {VK_F6, 0, [](V& v) { v.CreateNewTxt(); }},
        {VK_F7, 0, [](V& v) { v.CreateNewFolder(); }},
        {VK_F12, ssAlt, [](V& v) { v.SetPath(Prog_Dir()); }},
        {VK_OEM_3, ssCtrl, [](V& v) { v.StyleNext(); }},
    };
    TShiftState mods = shift & (ssShift | ssAlt | ssCtrl);
    for (const auto& k : table)
        if (k.Key == key && k.Shift == mods) {
            k.Run(*this);
            return;
        }
}

// ---- mouse -----------------------------------------------------------------------

LRESULT TxaShellListView::WndProc(UINT msg, WPARAM wp, LPARAM lp)
{
    int x = (short)LOWORD(lp), y = (short)HIWORD(lp);
    switch (msg) {
    case WM_LBUTTONDOWN:
        WMLButtonDown(x, y, wp);
        return 0;
    case WM_MBUTTONDOWN: {
        LRESULT r = DefaultHandler(msg, wp, lp);
        MouseDown(mbMiddle, mouseShift(wp), x, y);
        return r;
    }
    case WM_RBUTTONDOWN:
        WMRButtonDown(x, y);
        return 0;
    case WM_CONTEXTMENU:
        // The right press has shown the menu already; only the keyboard's menu key remains.
        if (lp != -1) return 0;
        break;
    case WM_MOUSEWHEEL:
        if (WMMouseWheel(GET_WHEEL_DELTA_WPARAM(wp))) return 0;
        break;
    case WM_MOUSEMOVE: {
        LRESULT r = TListView::WndProc(msg, wp, lp);
        MouseMove(mouseShift(wp), x, y);
        return r;
    }
    case WM_LBUTTONDBLCLK: {
        LRESULT r = DefaultHandler(msg, wp, lp);
        DblClick();
        return r;
    }
    default:
        break;
    }
    return TListView::WndProc(msg, wp, lp);
}

void TxaShellListView::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TListItem* row = GetItemAt(x, y);
    if (!row) return;
    if (button == mbMiddle) {
        ClearSelection();
        row->Selected = true;
        SetFocus();
        row->MakeVisible(true);
        row->Focused = true;
    }
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TxaShellListView::WMLButtonDown(int x, int y, WPARAM wp)
{
    Drag_PressPoint = {x, y};
    Drag_Pressed = true;
    DefaultHandler(WM_LBUTTONDOWN, wp, MAKELPARAM(x, y));
    MouseDown(mbLeft, mouseShift(wp), x, y);
}

void TxaShellListView::WMRButtonDown(int x, int y)
{
    // Every press begins a new gesture: a wheel turned under an earlier one
    // (released here or elsewhere) must not keep the menu shut for good.
    hWheelis = false;
    SetFocus();
    TListItem* row = GetItemAt(x, y);
    if (!row) {
        ClearSelection();
        return;
    }
    if (!row->Selected) {
        ClearSelection();
        row->Selected = true;
        row->MakeVisible(true);
        row->Focused = true;
        SetFocus();
    }
    if (!PopupMenu) return;
    POINT at{x, y};
    ClientToScreen(fHandle, &at);
    if (auto* menu = dynamic_cast<TPopupMenu*>(PopupMenu)) menu->PopupComponent = this;
    PopupMenu->Popup(at.x, at.y);
}

bool TxaShellListView::WMMouseWheel(int delta)
{
    if (!Key_IsDown(VK_RBUTTON)) return false;
    hWheelis = true;
    if (delta > 0)
        StyleNext();
    else
        StylePrev();
    return true;
}

void TxaShellListView::MouseMove(TShiftState shift, int x, int y)
{
    if (!Drag_Started(shift, x, y)) return;
    SelectedList(*qSelectedList, L"");
    Drag_Files(this, fPath, *qSelectedList, false, true);
}

void TxaShellListView::DblClick()
{
    if (OnDblClick) OnDblClick(this);
    Execute();
}

// ---- commands --------------------------------------------------------------------

void TxaShellListView::Execute()
{
    TListItem* row = Selected();
    if (!row) return;
    String full = TeloNameI(row, fPath);
    if (LVS_ItemIsFolder(*row)) {
        SetPath(full);
        return;
    }
    // The shell takes an extension in any letter case: LINK.LNK is a shortcut too.
    if (!sameText(row->SubItems[0], L"lnk")) {
        if (fExecuteFile) Shell_Open(full);
        return;
    }
    String target = Lnk_GetTarget(full);
    if (!target.empty() && folderExists(target))
        SetPath(target);
    else if (!target.empty() && FileExists(target) && fExecuteFile)
        Shell_Open(target);
    else
        Y_Show(L"не получается запустить ярлык", L"", -1, true);
}

void TxaShellListView::CopyData() { copyFiles(*this, kDropEffectCopy); }

void TxaShellListView::CutData() { copyFiles(*this, kDropEffectMove); }

void TxaShellListView::PasteData()
{
    if (fPath.empty()) return;
    Clipboard_PasteFiles(fPath, LVS_ReplaceAllowed);
    Reload();
}

void TxaShellListView::Properties()
{
    if (SelCount() > 0) {
        SelectedList(*qSelectedList, fPath);
        Shell_ShowFilesProperties(*qSelectedList);
    } else if (!fPath.empty()) {
        Shell_Properties(fPath);
    }
}

void TxaShellListView::OpenInExplorer()
{
    if (fPath.empty()) {
        TShellExecuteRequest r;
        r.Window = fHandle;
        r.File = L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}";  // the shell's Computer folder
        ShellDoor_Execute(r);
        return;
    }
    if (!folderExists(fPath)) return;
    String item = SelCount() == 1 ? TeloNameI(Selected(), fPath) : String();
    if (!item.empty() && (FileExists(item) || folderExists(item)))
        Explorer_Select(item);
    else
        Shell_OpenExpanded(fPath);
}

// ---- the shell's view of several files -------------------------------------------

void Shell_DataObjectOfFiles(const TStrings& files, TComPtr<IDataObject>& dataObject)
{
    dataObject.Reset();
    if (files.Count() == 0) return;
    TComPtr<IShellFolder> desktop;
    OleCheck(SHGetDesktopFolder(desktop.Put()));
    // The shell's allocator is the task allocator: the owners free each list on every way out.
    std::vector<TCoTaskMem<ITEMIDLIST>> owners(files.Count());  // never grows: the owners stay in place
    std::vector<LPCITEMIDLIST> ids;
    for (int i = 0; i < files.Count(); ++i) {
        String path = files[i];
        if (!FileExists(path) && !folderExists(path)) continue;
        // A path the shell cannot parse is left out, as a vanished one is.
        if (FAILED(desktop->ParseDisplayName(GetActiveWindow(), nullptr, path.data(), nullptr, owners[i].Put(),
                                             nullptr)) ||
            !owners[i].Get())
            continue;
        ids.push_back(owners[i].Get());
    }
    // No item is no sheet: the shell would be asked for the properties of nothing.
    if (ids.empty()) return;
    OleCheck(desktop->GetUIObjectOf(GetActiveWindow(), (UINT)ids.size(), ids.data(), IID_IDataObject, nullptr,
                                    dataObject.PutVoid()));
}

void Shell_ShowFilesProperties(const TStrings& files)
{
    TComPtr<IDataObject> data;
    Shell_DataObjectOfFiles(files, data);
    if (!data) return;
    TShellExecuteRequest r;
    r.Verb = L"properties";
    r.File = Strs_ToNullList(files);
    r.Data = data.Get();
    ShellDoor_Execute(r);
}
