// Stand-ins for the list view's commands until their units are here; each
// does nothing.
#include "xaFrameExplorer.h"

void TxaShellListView::Rename() {}
void TxaShellListView::DeleteSelected() {}
void TxaShellListView::CreateNewFolder() {}
void TxaShellListView::CreateNewTxt() {}
