// The main window's road in its normal view: the element pane's selected rows
// get the icon of the icon pane's selected row, or lose theirs; and the small
// commands that tie the two panes together (middle clicks, pasting between
// them).
#include "Main.h"

#include "IconizeReport.h"
#include "LanguageTexts.h"
#include "xaIconize.h"
#include "xaIconizeIni.h"
#include "xaModul.h"
#include "xaShell.h"
#include "xaY.h"

#include <optional>
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

// The rows' elements: full paths, or the drives of the drive list ("D:").
std::vector<String> selectedElements(const TxaShellListView& list, const std::vector<int>& rows)
{
    std::vector<String> elements;
    for (int row : rows) elements.push_back(list.TeloName(row, list.Path()));
    return elements;
}

// The main window's own ways on the road: a drive's or a type's value names
// the file alone for the first icon, icon files are passed over as programs
// and shortcuts are, and clearing a file clears its type.
TIconizeOptions mainOptions(const TForm1& form)
{
    TIconizeOptions o;
    o.CopyIco = form.Act_Iconize_CopyIco->Checked;
    o.FirstIconAlone = true;
    o.PassOverIconFiles = true;
    o.ClearTypes = true;
    return o;
}

}  // namespace

void LVS_ItemIcoSet(TxaShellListView& list, int index, int picture)
{
    if (index < 0 || index >= list.Items.Count()) return;
    TListItem& row = list.Items[index];
    if (picture >= 0) return row.SetImageIndex(picture);
    // No picture of the icon: the row shows what the shell now shows for it.
    row.SetImageIndexDeferred();
    row.Update();
}

void LVS_ExtIcoRefresh(TxaShellListView& list, const String& ext)
{
    // The picture is asked for when the row is next drawn: only the rows on
    // screen cost the shell's look-up. The view's picture of the type is the
    // old one; the shell reads the type's present icon when asked again.
    list.ForgetTypeImage(ext);
    for (int i = 0; i < list.Items.Count(); ++i) {
        TListItem& row = list.Items[i];
        // A type is one whatever the letter case of a name: NOTE.TXT is a .txt.
        if (row.SubItems.Count() > 0 && File_SameName(row.SubItems[0], ext)) {
            row.SetImageIndexDeferred();
            row.Update();
        }
    }
}

void Form1_ExtIcoRefresh(TForm1& form, const String& ext)
{
    // The icon pane may show files of the type too, and a file there stands
    // for its type's icon: it is picked by the picture it shows.
    LVS_ExtIcoRefresh(*form.FrElm->LVS, ext);
    LVS_ExtIcoRefresh(*form.FrIco->LVS, ext);
}

void Form1_Iconize(TForm1& form)
{
    TScreenCursor hourglass;
    TxaShellListView& elm = *form.FrElm->LVS;
    TxaShellListView& ico = *form.FrIco->LVS;
    if (elm.SelCount() == 0) return Y_Show(Language::Elm_NotSelect_OnIconize, L"", -1, true);
    if (ico.SelCount() == 0) return Y_Show(Language::Ico_NotSelect, L"", -1, true);
    String file;
    int index = 0;
    if (!Iconize_Get_Element(ico.TeloNameI(ico.Selected(), ico.Path()), file, index))
        return Y_Show(Language::Ico_NotSelect, L"", -1, true);
    if (file.empty()) return;

    // Every row shows the same new picture, asked of the shell once per
    // command; it joins the shell's lists as the shell adds its own.
    std::optional<int> picture;
    std::vector<int> rows = selectedRows(elm);
    Iconize_Elements(selectedElements(elm, rows), file, IntToStr(index), mainOptions(form),
                     [&](size_t i, const TElementResult& r) {
                         if (!Iconize_Report(r)) return;
                         if (r.Kind == TElementKind::FileType) {
                             Form1_ExtIcoRefresh(form, r.Name);
                         } else {
                             if (!picture) picture = Ico_GetIconSysIndex(file, index);
                             LVS_ItemIcoSet(elm, rows[i], *picture);
                         }
                     });
}

void Form1_Clear(TForm1& form)
{
    TxaShellListView& elm = *form.FrElm->LVS;
    bool drives = elm.Path().empty();
    {
        TScreenCursor hourglass;
        if (elm.SelCount() == 0) return Y_Show(Language::Elm_NotSelect_OnClear, L"", -1, true);
        std::vector<int> rows = selectedRows(elm);
        bool foldersChanged = false;
        Iconize_Clear_Elements(selectedElements(elm, rows), mainOptions(form), [&](size_t i, const TElementResult& r) {
            if (!Iconize_Report(r)) return;
            if (r.Kind == TElementKind::FileType) {
                Form1_ExtIcoRefresh(form, r.Name);
            } else if (r.Kind == TElementKind::Folder) {
                // The folder's picture as the shell now shows it, when the row is next drawn.
                elm.Items[rows[i]].SetImageIndexDeferred();
                foldersChanged = true;
            }
        });
        // One repaint for all the cleared rows: a row's own costs a round
        // trip to the window system, felt over a thousand folders.
        if (foldersChanged) elm.Invalidate();
    }
    if (drives) elm.Reload();  // the drives' present icons
}

void Form1_FilesPaste(TxaShellListView& other, TxaShellListView& target)
{
    if (target.Path().empty() || !IsClipboardFormatAvailable(CF_HDROP)) return;
    TStringList files;
    if (Clipboard_GetDropEffect() == kDropEffectMove) Clipboard_GetFiles(files);
    target.PasteData();
    // The rows of the files that left the other pane's very folder go; a
    // file the paste left in place (a refused list, a replacement declined,
    // a folder into itself) keeps its row, and a row of the same name in
    // another folder is another file.
    for (const String& moved : files.Items())
        if (!other.Path().empty() && !FileExists(moved) && !DirectoryExists(moved) &&
            File_SameIdentity(IncludeTrailingPathDelimiter(other.Path()), Path_Parent(moved, true)))
            if (TListItem* row = other.FindItem(moved)) other.Items.Delete(row->Index());
}

void TForm1::frElmLVSMouseDown(TObject*, TMouseButton button, TShiftState, int x, int y)
{
    TxaShellListView& elm = *FrElm->LVS;
    if (button == mbMiddle && elm.GetItemAt(x, y) && elm.Selected() && LVS_ItemIsFolder(*elm.Selected()))
        Form1_Clear(*this);
}

void TForm1::frIcoLVSMouseDown(TObject*, TMouseButton button, TShiftState, int x, int y)
{
    if (button == mbMiddle && FrIco->LVS->GetItemAt(x, y)) Form1_Iconize(*this);
}

void TForm1::FrElmActPasteExecute(TObject*) { Form1_FilesPaste(*FrIco->LVS, *FrElm->LVS); }

void TForm1::FrIcoActPasteExecute(TObject*) { Form1_FilesPaste(*FrElm->LVS, *FrIco->LVS); }
