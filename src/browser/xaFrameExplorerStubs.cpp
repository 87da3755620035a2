// Stand-ins for the list view's commands and the path box until their units
// are here; each does nothing.
#include "xaFrameExplorer.h"

#if !__has_include("xaEditPath.h")
TEdit* FrExplorer_NewPathEdit(TComponent* owner, TxaShellListView*) { return new TEdit(owner); }
TColor FrExplorer_PathEditHotColor(const TEdit&) { return (TColor)0x00FFA851; }
void FrExplorer_PathEditLoaded(TEdit&) {}
#endif

void TxaShellListView::KeyDown(WORD&, TShiftState) {}
void TxaShellListView::Execute() {}
void TxaShellListView::CopyData() {}
void TxaShellListView::CutData() {}
void TxaShellListView::PasteData() {}
void TxaShellListView::Properties() {}
void TxaShellListView::OpenInExplorer() {}
void TxaShellListView::Rename() {}
void TxaShellListView::DeleteSelected() {}
void TxaShellListView::CreateNewFolder() {}
void TxaShellListView::CreateNewTxt() {}
