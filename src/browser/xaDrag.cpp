#include "xaDrag.h"

#include <shlobj.h>

#include <cstdlib>
#include <vector>

bool Drag_Pressed = false;
TPoint Drag_PressPoint{0, 0};

namespace {
constexpr int kDragThreshold = 5;
}

TxaDrag::TxaDrag(TComponent* owner) : TComponent(owner) {}

HRESULT TxaDrag::QueryInterface(REFIID iid, void** out)
{
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropSource)) {
        *out = static_cast<IDropSource*>(this);
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

HRESULT TxaDrag::QueryContinueDrag(BOOL escapePressed, DWORD keyState)
{
    return Com_Guard([&]() -> HRESULT {
        if (escapePressed) return DRAGDROP_S_CANCEL;
        return (keyState & MK_LBUTTON) ? S_OK : DRAGDROP_S_DROP;
    });
}

HRESULT TxaDrag::GiveFeedback(DWORD) { return Com_Guard([] { return DRAGDROP_S_USEDEFAULTCURSORS; }); }

TComPtr<IDataObject> Drag_DataObject(const String& directory, const TStrings& names)
{
    if (directory.empty() || names.Count() == 0) return nullptr;
    TComPtr<IShellFolder> desktop;
    OleCheck(SHGetDesktopFolder(desktop.Put()));
    String path = directory;  // the parse takes a writable text
    TCoTaskMem<ITEMIDLIST> folderId;
    OleCheck(desktop->ParseDisplayName(nullptr, nullptr, path.data(), nullptr, folderId.Put(), nullptr));
    TComPtr<IShellFolder> folder;
    OleCheck(desktop->BindToObject(folderId.Get(), nullptr, IID_IShellFolder, folder.PutVoid()));
    std::vector<TCoTaskMem<ITEMIDLIST>> items(names.Count());  // never grows: the owners stay in place
    std::vector<LPCITEMIDLIST> ids;
    for (int i = 0; i < names.Count(); ++i) {
        String name = names[i];
        OleCheck(folder->ParseDisplayName(nullptr, nullptr, name.data(), nullptr, items[i].Put(), nullptr));
        ids.push_back(items[i].Get());
    }
    TComPtr<IDataObject> data;
    OleCheck(folder->GetUIObjectOf(nullptr, (UINT)ids.size(), ids.data(), IID_IDataObject, nullptr, data.PutVoid()));
    return data;
}

int TxaDrag::Drag(const String& directory, const TStrings& fileList)
{
    TComPtr<IDataObject> data = Drag_DataObject(directory, fileList);
    if (!data) return DROPEFFECT_NONE;
    DWORD effect = DROPEFFECT_NONE;
    DoDragDrop(data.Get(), this, DropEffects & (deCopy | deMove | deLink), &effect);
    return (int)effect;
}

int TxaDrag::Drag(const String& directory, const String& fileName)
{
    TStringList list;
    list.Add(fileName);
    return Drag(directory, list);
}

bool Drag_Started(TShiftState shift, int x, int y)
{
    if (!Drag_Pressed || !(shift & ssLeft)) return false;
    if (std::abs(x - Drag_PressPoint.x) < kDragThreshold && std::abs(y - Drag_PressPoint.y) < kDragThreshold)
        return false;
    Drag_Pressed = false;
    return true;
}

void Drag_Files(TWinControl* control, const String& folder, const TStrings& files, bool acceptDuring,
                bool acceptAfter)
{
    // The window as it is now: the control may be gone when the modal drag loop returns.
    HWND window = control->Handle();
    DragAcceptFiles(window, acceptDuring);
    // Also when the drag data cannot be built: the control must not stay deaf to drops.
    struct TAcceptAfter {
        HWND Window;
        bool Accept;
        ~TAcceptAfter() { DragAcceptFiles(Window, Accept); }
    } after{window, acceptAfter};
    // Not owned by the control: a control freed inside the drag loop must not free it under the loop.
    TxaDrag drag(nullptr);
    drag.Drag(folder, files);
}
