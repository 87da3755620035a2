// Dragging files out: an OLE drag source over the shell's data object of a
// folder's items, the threshold a press must pass to become a drag, and a
// whole drag from a control that keeps its own items from dropping on it.
#pragma once

#include "Classes.h"
#include "ComObj.h"
#include "Controls.h"
#include "Handles.h"

#include <oleidl.h>

// Members carry the OLE drop-effect bits, so a set is the OR of its members.
enum TDropEffect : unsigned { deNone = 0, deCopy = DROPEFFECT_COPY, deMove = DROPEFFECT_MOVE, deLink = DROPEFFECT_LINK };
using TDropEffects = unsigned;

// The object lives as a component: interface references neither keep nor free it.
class TxaDrag : public TComponent, public IDropSource {
public:
    explicit TxaDrag(TComponent* owner);
    String ClassName() const override { return L"TxaDrag"; }

    TDropEffects DropEffects = deCopy;

    // Drags the named items (names relative to Directory) and returns the
    // effect the drop reported. An OLE failure while the data is built
    // raises EOleSysError.
    int Drag(const String& directory, const TStrings& fileList);
    int Drag(const String& directory, const String& fileName);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escapePressed, DWORD keyState) override;
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD effect) override;
};

// The shell's data object of the named items of Directory, as Drag hands it to
// the drag loop; none for no names or no folder (the drive list), for which
// there is nothing to drag. Raises EOleSysError.
TComPtr<IDataObject> Drag_DataObject(const String& directory, const TStrings& names);

// A left-button press on a list view waiting to become a drag, and where it was
// (client coordinates of that list view). The list view sets both on each press.
extern bool Drag_Pressed;
extern TPoint Drag_PressPoint;

// From a mouse move: true once, when the left button is held and the mouse
// has gone 5 pixels or more from the press along either axis.
bool Drag_Started(TShiftState shift, int x, int y);

// Drags Files out of Folder from Control, its drop acceptance set to
// AcceptDuring for the drag and to AcceptAfter when it ends in any way.
void Drag_Files(TWinControl* control, const String& folder, const TStrings& files, bool acceptDuring,
                bool acceptAfter);
