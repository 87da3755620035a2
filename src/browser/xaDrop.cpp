#include "xaDrop.h"

#include "Handles.h"

#include <shlobj.h>

#include <cstring>
#include <exception>
#include <vector>

namespace {
// Whether the list from Start ends, before the block does, in two nulls
// running: the shell reads names until it meets them.
template <class C>
bool listEndsInBlock(const BYTE* start, SIZE_T bytes)
{
    C previous = 1;
    for (SIZE_T at = 0; at + sizeof(C) <= bytes; at += sizeof(C)) {
        C c;
        std::memcpy(&c, start + at, sizeof c);  // a wide list need not be aligned
        if (c == 0 && previous == 0) return true;
        previous = c;
    }
    return false;
}

// The block comes from whichever program the files were dragged out of; the
// shell reads it without looking at its size, so check that the list lies
// inside it and is closed before reading a name.
bool dropBlockSound(HDROP drop)
{
    TGlobalLock lock((HGLOBAL)drop);
    auto* base = (const BYTE*)lock.Get();
    SIZE_T size = lock.Size();
    if (!base || size < sizeof(DROPFILES)) return false;
    DROPFILES head;
    std::memcpy(&head, base, sizeof head);
    if (head.pFiles < sizeof(DROPFILES) || head.pFiles >= size) return false;
    return head.fWide ? listEndsInBlock<wchar_t>(base + head.pFiles, size - head.pFiles)
                      : listEndsInBlock<char>(base + head.pFiles, size - head.pFiles);
}
}  // namespace

TxaDrop::TxaDrop(TComponent* owner) : TApplicationEvents(owner), fControl(dynamic_cast<TWinControl*>(owner))
{
    if (!fControl) throw Exception(L"A drop target needs a windowed control as its owner");
    OnMessage = [this](MSG& msg, bool& handled) { AppMessage(msg, handled); };
    // The control may have no window yet (one made before its parent's): it
    // accepts files in each window it is given.
    fControl->SetAcceptFiles(true);
}

void TxaDrop::AppMessage(MSG& msg, bool& handled)
{
    if (msg.message != WM_DROPFILES || !msg.hwnd || msg.hwnd != fControl->Handle()) return;
    handled = true;
    std::exception_ptr failed;
    {
        THDrop drop((HDROP)msg.wParam);  // released in every case the message is ours
        if (!OnDropFiles || !dropBlockSound(drop.Get())) return;
        UINT count = DragQueryFileW(drop.Get(), 0xFFFFFFFF, nullptr, 0);
        if (count == 0) return;
        Files.Clear();
        try {
            for (UINT i = 0; i < count; ++i) {
                std::vector<wchar_t> name(DragQueryFileW(drop.Get(), i, nullptr, 0) + 1);
                UINT copied = DragQueryFileW(drop.Get(), i, name.data(), (UINT)name.size());
                if (copied > 0) Files.Add(String(name.data(), copied));
            }
        } catch (...) {
            failed = std::current_exception();
        }
    }
    // A drop without a single name is no drop; the handler hears of the
    // others even when a name could not be read.
    if (Files.Count() == 0 && !failed) return;
    TNotifyEvent handler = OnDropFiles;
    handler(this);
    if (failed) std::rethrow_exception(failed);
}
