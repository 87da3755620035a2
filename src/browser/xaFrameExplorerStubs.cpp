// Stand-ins for the list view's commands until their units are here; each
// does nothing.
#include "xaFrameExplorer.h"

void TxaShellListView::KeyDown(WORD&, TShiftState) {}
void TxaShellListView::Execute() {}
void TxaShellListView::CopyData() {}
void TxaShellListView::CutData() {}
void TxaShellListView::PasteData() {}
void TxaShellListView::Properties() {}
void TxaShellListView::OpenInExplorer() {}
