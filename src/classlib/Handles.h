// One small owner per kind of platform handle, so that no raw handle outlives
// its scope and every exit path (return, exception) gives it back.
#pragma once
#include <windows.h>
#include <objbase.h>
#include <shellapi.h>
#include <utility>

// The shape shared by every owner: move-only, released exactly once.
template <class H, class Traits>
class TOwnedHandle {
public:
    TOwnedHandle() noexcept : fH(Traits::Invalid()) {}
    explicit TOwnedHandle(H h) noexcept : fH(h) {}
    ~TOwnedHandle() { Reset(); }
    TOwnedHandle(const TOwnedHandle&) = delete;
    TOwnedHandle& operator=(const TOwnedHandle&) = delete;
    TOwnedHandle(TOwnedHandle&& o) noexcept : fH(o.Release()) {}
    TOwnedHandle& operator=(TOwnedHandle&& o) noexcept {
        if (this != &o) Reset(o.Release());
        return *this;
    }
    H Get() const noexcept { return fH; }
    explicit operator bool() const noexcept { return fH != Traits::Invalid(); }
    // Hands the handle over to the caller, who then owns it.
    H Release() noexcept { return std::exchange(fH, Traits::Invalid()); }
    void Reset(H h = Traits::Invalid()) noexcept {
        H old = std::exchange(fH, h);
        if (old != Traits::Invalid()) Traits::Close(old);
    }
    // For out-parameters of the platform's calls: frees what was held first.
    H* Put() noexcept { Reset(); return &fH; }

private:
    H fH;
};

struct THandleTraits {  // CreateFile's failure value is INVALID_HANDLE_VALUE, others give null
    static HANDLE Invalid() noexcept { return nullptr; }
    static void Close(HANDLE h) noexcept { if (h != INVALID_HANDLE_VALUE) CloseHandle(h); }
};
struct TFileHandleTraits {
    static HANDLE Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) noexcept { CloseHandle(h); }
};
struct TFindHandleTraits {
    static HANDLE Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) noexcept { FindClose(h); }
};
struct THKeyTraits {
    static HKEY Invalid() noexcept { return nullptr; }
    static void Close(HKEY h) noexcept { RegCloseKey(h); }
};
struct TGdiTraits {
    static HGDIOBJ Invalid() noexcept { return nullptr; }
    static void Close(HGDIOBJ h) noexcept { DeleteObject(h); }
};
struct THIconTraits {
    static HICON Invalid() noexcept { return nullptr; }
    static void Close(HICON h) noexcept { DestroyIcon(h); }
};
struct THGlobalTraits {
    static HGLOBAL Invalid() noexcept { return nullptr; }
    static void Close(HGLOBAL h) noexcept { GlobalFree(h); }
};

struct THDropTraits {
    static HDROP Invalid() noexcept { return nullptr; }
    static void Close(HDROP h) noexcept { DragFinish(h); }
};

using THandle = TOwnedHandle<HANDLE, THandleTraits>;          // events, tokens, processes
using TFileHandle = TOwnedHandle<HANDLE, TFileHandleTraits>;  // CreateFileW
using TFindHandle = TOwnedHandle<HANDLE, TFindHandleTraits>;  // FindFirstFileW
using THKey = TOwnedHandle<HKEY, THKeyTraits>;
using TGdiObject = TOwnedHandle<HGDIOBJ, TGdiTraits>;         // pens, brushes, bitmaps, fonts, regions
using THIcon = TOwnedHandle<HICON, THIconTraits>;
using THGlobal = TOwnedHandle<HGLOBAL, THGlobalTraits>;       // until handed to the clipboard or a medium
using THDrop = TOwnedHandle<HDROP, THDropTraits>;             // a WM_DROPFILES block

// A GDI object selected into a device context for one scope.
class TSelectScope {
public:
    TSelectScope(HDC dc, HGDIOBJ obj) noexcept : fDC(dc), fOld(SelectObject(dc, obj)) {}
    ~TSelectScope() { if (fOld) SelectObject(fDC, fOld); }
    TSelectScope(const TSelectScope&) = delete;
    TSelectScope& operator=(const TSelectScope&) = delete;

private:
    HDC fDC;
    HGDIOBJ fOld;
};

// GlobalLock for one scope; Get() is null when the lock failed.
class TGlobalLock {
public:
    explicit TGlobalLock(HGLOBAL h) noexcept : fH(h), fP(h ? GlobalLock(h) : nullptr) {}
    ~TGlobalLock() { if (fP) GlobalUnlock(fH); }
    TGlobalLock(const TGlobalLock&) = delete;
    TGlobalLock& operator=(const TGlobalLock&) = delete;
    void* Get() const noexcept { return fP; }
    SIZE_T Size() const noexcept { return fP ? GlobalSize(fH) : 0; }

private:
    HGLOBAL fH;
    void* fP;
};

// A COM interface pointer that holds one reference.
template <class T>
class TComPtr {
public:
    TComPtr() noexcept = default;
    TComPtr(std::nullptr_t) noexcept {}
    // Takes over a reference the caller already holds (a Create call's result).
    static TComPtr Attach(T* p) noexcept { TComPtr r; r.fP = p; return r; }
    // Adds a reference of its own.
    static TComPtr Share(T* p) noexcept { if (p) p->AddRef(); return Attach(p); }
    ~TComPtr() { Reset(); }
    TComPtr(const TComPtr& o) noexcept : fP(o.fP) { if (fP) fP->AddRef(); }
    TComPtr& operator=(const TComPtr& o) noexcept {
        if (o.fP) o.fP->AddRef();
        Reset();
        fP = o.fP;
        return *this;
    }
    TComPtr(TComPtr&& o) noexcept : fP(std::exchange(o.fP, nullptr)) {}
    TComPtr& operator=(TComPtr&& o) noexcept {
        if (this != &o) { Reset(); fP = std::exchange(o.fP, nullptr); }
        return *this;
    }
    T* Get() const noexcept { return fP; }
    T* operator->() const noexcept { return fP; }
    explicit operator bool() const noexcept { return fP != nullptr; }
    T** Put() noexcept { Reset(); return &fP; }
    void** PutVoid() noexcept { return reinterpret_cast<void**>(Put()); }
    T* Detach() noexcept { return std::exchange(fP, nullptr); }
    void Reset() noexcept { if (T* p = std::exchange(fP, nullptr)) p->Release(); }

private:
    T* fP = nullptr;
};

// Task-allocator memory (item id lists, shell strings).
template <class T>
class TCoTaskMem {
public:
    TCoTaskMem() noexcept = default;
    ~TCoTaskMem() { CoTaskMemFree(fP); }
    TCoTaskMem(const TCoTaskMem&) = delete;
    TCoTaskMem& operator=(const TCoTaskMem&) = delete;
    T* Get() const noexcept { return fP; }
    T** Put() noexcept { CoTaskMemFree(fP); fP = nullptr; return &fP; }

private:
    T* fP = nullptr;
};
