// The main window's road in its normal view: the element pane's selected rows
// get the icon of the icon pane's selected row, or lose theirs; and the small
// commands that tie the two panes together (middle clicks, pasting between
// them).
#include "Main.h"

#include "Language.h"
#include "xaIconize.h"
#include "xaIconizeIni.h"
#include "xaModul.h"
#include "xaShell.h"
#include "xaY.h"

#include <vector>

namespace {

std::vector<int> selectedRows(const TListView& list)
{
    std::vector<int> rows;
    for (int i = list.GetNextItem(-1, LVNI_SELECTED); i >= 0 && i < list.Items.Count();
         i = list.GetNextItem(i, LVNI_SELECTED))
        rows.push_back(i);
    return rows;
}

// "D:" or "D:\".
bool isDriveRoot(const String& path)
{
    return (path.size() == 2 || (path.size() == 3 && path[2] == L'\\')) && path[1] == L':';
}

// A drive's or a type's registry value names the file alone for the first
// icon, as it always did; any other icon keeps its index, or the element
// would get another picture than the one the user picked.
int registryIndex(int index) { return index == 0 ? -1 : index; }

// Path lies in Folder or below it, as the file system compares names.
bool inOrBelow(const String& path, const String& folder)
{
    String p = ExcludeTrailingPathDelimiter(path), f = ExcludeTrailingPathDelimiter(folder);
    return !f.empty() && p.size() >= f.size() && AnsiSameText(p.substr(0, f.size()), f) &&
           (p.size() == f.size() || p[f.size()] == L'\\');
}

}  // namespace

int LVS_ItemIcoSet(TxaShellListView& list, int index)
{
    TxaShellListView& ico = *Form1->FrIco->LVS;
    TListItem* source = ico.Selected();
    if (!source || index < 0 || index >= list.Items.Count()) return -1;
    if (!ico.SmallImages() || !ico.LargeImages() || !list.SmallImages() || !list.LargeImages()) return -1;
    int image = source->ImageIndex();
    // Both pictures are had before either is added, so that the small and
    // the large list never fall out of step.
    THIcon smallIcon(ImageList_GetIcon(ico.SmallImages()->Handle(), image, ILD_NORMAL));
    THIcon largeIcon(ImageList_GetIcon(ico.LargeImages()->Handle(), image, ILD_NORMAL));
    if (!smallIcon || !largeIcon) return -1;
    list.SmallImages()->AddIcon(smallIcon.Get());
    int appended = list.LargeImages()->AddIcon(largeIcon.Get());
    if (appended >= 0) list.Items[index].SetImageIndex(appended);
    return appended;
}

void LVS_ExtIcoRefresh(TxaShellListView& list, const String& ext)
{
    // The picture is asked for when the row is next drawn: only the rows on
    // screen cost the shell's look-up.
    for (int i = 0; i < list.Items.Count(); ++i) {
        TListItem& row = list.Items[i];
        if (row.SubItems.Count() > 0 && row.SubItems[0] == ext) {
            row.SetImageIndexDeferred();
            row.Update();
        }
    }
}

void Form1_Iconize()
{
    TScreenCursor hourglass;
    TxaShellListView& elm = *Form1->FrElm->LVS;
    TxaShellListView& ico = *Form1->FrIco->LVS;
    if (elm.SelCount() == 0) return Y_Show(Language::Elm_NotSelect_OnIconize, L"", -1, true);
    if (ico.SelCount() == 0) return Y_Show(Language::Ico_NotSelect, L"", -1, true);
    String file;
    int index = 0;
    if (!Iconize_Get_Element(ico.TeloNameI(ico.Selected(), ico.Path()), file, index))
        return Y_Show(Language::Ico_NotSelect, L"", -1, true);
    if (file.empty()) return;
    TIconizeNoticeBatch notices;

    // Every row shows the same new picture: it joins the system image list
    // once per command, not once per row (those pictures stay for the run).
    int picture = -1;
    auto renew = [&](int row) {
        if (picture < 0)
            picture = LVS_ItemIcoSet(elm, row);
        else
            elm.Items[row].SetImageIndex(picture);
    };
    bool copyIco = Form1->Act_Iconize_CopyIco->Checked;
    for (int row : selectedRows(elm)) {
        String name = elm.TeloName(row, L"");
        if (elm.Path().empty()) {
            Iconize_Drive(name.substr(0, 1), file, registryIndex(index));
            renew(row);
            continue;
        }
        String full = IncludeTrailingPathDelimiter(elm.Path()) + name;
        if (DirectoryExists(full)) {
            if (Iconize_Folder(full, file, IntToStr(index), copyIco)) renew(row);
        } else if (FileExists(full)) {
            String ext = AnsiLowerCase(File_Ext(full));
            if (ext == L"ico" || ext == L"exe" || ext == L"lnk" || !Iconize_IsFileType(L"." + ext)) continue;
            Iconize_Ext(ext, file, registryIndex(index));
            LVS_ExtIcoRefresh(elm, ext);
        }
    }
}

void Form1_Clear()
{
    TxaShellListView& elm = *Form1->FrElm->LVS;
    bool drives = elm.Path().empty();
    {
        TScreenCursor hourglass;
        if (elm.SelCount() == 0) return Y_Show(Language::Elm_NotSelect_OnClear, L"", -1, true);
        TIconizeNoticeBatch notices;
        for (int row : selectedRows(elm)) {
            String full = elm.TeloName(row, elm.Path());
            if (drives) {
                if (isDriveRoot(full)) Iconize_Clear_Drive(full.substr(0, 1));
            } else if (DirectoryExists(full)) {
                Iconize_Clear_Folder(full, true);
                // The folder's picture as the shell now shows it, when the row is next drawn.
                elm.Items[row].SetImageIndexDeferred();
                elm.Items[row].Update();
            } else if (FileExists(full) && Iconize_IsFileType(L"." + File_Ext(full))) {
                Iconize_Clear_Ext(File_Ext(full));
                LVS_ExtIcoRefresh(elm, File_Ext(full));
            }
        }
    }
    if (drives) elm.Reload();  // the drives' present icons
}

void Form1_FilesPaste(TxaShellListView& other, TxaShellListView& target)
{
    if (target.Path().empty() || !IsClipboardFormatAvailable(CF_HDROP)) return;
    if (Clipboard_GetDropEffect() == kDropEffectMove) {
        TStringList files;
        Clipboard_GetFiles(files);
        for (int i = 0; i < files.Count(); ++i) {
            const String& moved = files[i];
            // Nothing moves into itself or below itself: its row stays.
            if (inOrBelow(target.Path(), moved)) continue;
            // Only a row of the very folder the file leaves goes; a row of the
            // same name in another folder is another file.
            if (!other.Path().empty() &&
                File_SameIdentity(IncludeTrailingPathDelimiter(other.Path()), Path_Parent(moved, true)))
                if (TListItem* row = other.FindItem(moved)) other.Items.Delete(row->Index());
        }
    }
    Clipboard_PasteFiles(target.Path());
    target.Reload();
}

void TForm1::frElmLVSMouseDown(TObject*, TMouseButton button, TShiftState, int x, int y)
{
    TxaShellListView& elm = *FrElm->LVS;
    if (button == mbMiddle && elm.GetItemAt(x, y) && elm.Selected() && LVS_ItemIsFolder(*elm.Selected()))
        Form1_Clear();
}

void TForm1::frIcoLVSMouseDown(TObject*, TMouseButton button, TShiftState, int x, int y)
{
    if (button == mbMiddle && FrIco->LVS->GetItemAt(x, y)) Form1_Iconize();
}

void TForm1::FrElmActPasteExecute(TObject*) { Form1_FilesPaste(*FrIco->LVS, *FrElm->LVS); }

void TForm1::FrIcoActPasteExecute(TObject*) { Form1_FilesPaste(*FrElm->LVS, *FrIco->LVS); }
