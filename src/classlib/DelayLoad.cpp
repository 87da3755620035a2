// The window layer's libraries, the common controls and the common dialogs,
// loaded when the program first calls one of their functions instead of at
// its start: command-line mode 0 shows no window and needs neither, and
// loading them (with what they load) costs more than its file work.
//
// Each function's import slot, which the calls go through, starts at a stub
// that loads the library, puts the function in the slot and calls it. The
// libraries are not linked otherwise, so a function not listed here fails
// the link instead of loading its library at start.
#include "SysUtils.h"

#include <commctrl.h>
#include <commdlg.h>

namespace {
constexpr wchar_t kComCtl[] = L"comctl32.dll";
constexpr wchar_t kComDlg[] = L"comdlg32.dll";

FARPROC delayedProc(const wchar_t* dll, const char* name)
{
    HMODULE module = LoadLibraryW(dll);
    FARPROC proc = module ? GetProcAddress(module, name) : nullptr;
    if (!proc) throw Exception(String(dll) + L": " + SysErrorMessage(GetLastError()));
    return proc;
}

template <typename F>
struct TDelayed;

template <typename R, typename... A>
struct TDelayed<R(WINAPI*)(A...)> {
    using F = R(WINAPI*)(A...);
    template <F& Slot, const wchar_t* Dll, const char* Name>
    static R WINAPI First(A... a)
    {
        Slot = reinterpret_cast<F>(reinterpret_cast<void (*)()>(delayedProc(Dll, Name)));
        return Slot(a...);
    }
};
}  // namespace

// The slot's name is the one the compiler calls through for an imported
// function: __imp__, the name, @ and the bytes of its arguments.
#define DOLV_DELAYED(dll, name, bytes)                                                                   \
    namespace {                                                                                          \
    constexpr char kName_##name[] = #name;                                                               \
    }                                                                                                    \
    extern "C" {                                                                                         \
    extern decltype(&name) dolvSlot_##name asm("__imp__" #name "@" #bytes);                             \
    decltype(&name) dolvSlot_##name = &TDelayed<decltype(&name)>::First<dolvSlot_##name, dll, kName_##name>; \
    }

DOLV_DELAYED(kComCtl, InitCommonControlsEx, 4)
DOLV_DELAYED(kComCtl, ImageList_Add, 12)
DOLV_DELAYED(kComCtl, ImageList_Create, 20)
DOLV_DELAYED(kComCtl, ImageList_Destroy, 4)
DOLV_DELAYED(kComCtl, ImageList_Draw, 24)
DOLV_DELAYED(kComCtl, ImageList_GetIcon, 12)
DOLV_DELAYED(kComCtl, ImageList_GetIconSize, 12)
DOLV_DELAYED(kComCtl, ImageList_GetImageCount, 4)
DOLV_DELAYED(kComCtl, ImageList_GetImageInfo, 12)
DOLV_DELAYED(kComCtl, ImageList_Remove, 8)
DOLV_DELAYED(kComCtl, ImageList_ReplaceIcon, 12)
DOLV_DELAYED(kComDlg, ChooseColorW, 4)
DOLV_DELAYED(kComDlg, GetOpenFileNameW, 4)
