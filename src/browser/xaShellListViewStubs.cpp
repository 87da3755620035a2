// Placeholders for the rename, delete and new-item commands until their unit lands.
#include "xaShellListView.h"

void TxaShellListView::Rename() {}
void TxaShellListView::DeleteSelected() {}
void TxaShellListView::CreateNewFolder() {}
void TxaShellListView::CreateNewTxt() {}
