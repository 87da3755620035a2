#include "IconizeReport.h"

#include "Dialogs.h"
#include "xaY.h"

bool Iconize_Report(const TElementResult& result)
{
    // The engine's own caption; the missing folder or icon in the notice
    // colour, anything else refused in the error colour; a folder gone before
    // its icon was cleared in the plain message dialog.
    const String& text = result.Outcome.Text;
    switch (result.Outcome.Why) {
    case TIconizeWhy::NoFolder:
    case TIconizeWhy::NoIcon: Y_Show(text, L"Iconize_Folder", -1, true); break;
    case TIconizeWhy::Refused: Y_Show(text, L"Iconize_Folder", clYError, true); break;
    case TIconizeWhy::NoFolderClear: ShowMessage(text); break;
    case TIconizeWhy::Done:
    case TIconizeWhy::Nothing:
    case TIconizeWhy::PassedOver: break;
    }
    return result.Done();
}
