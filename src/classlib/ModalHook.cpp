#include "ModalHook.h"

#include <map>
#include <utility>

namespace {
TModalResponder& responder()
{
    static TModalResponder r;
    return r;
}
}  // namespace

TModalResponder Modal_SetResponder(TModalResponder r) { return Door_Replace(responder(), std::move(r)); }

bool Modal_Intercept(const TModalRequest& request, TModalAnswer& answer)
{
    TModalResponder& r = responder();
    if (!r) return false;
    answer = r(request);
    return true;
}

namespace {
constexpr UINT kDriveMessage = WM_APP + 0x4D1;

// The drives whose first message is posted, by its number.
std::map<UINT_PTR, TModalDrive*>& posted()
{
    static std::map<UINT_PTR, TModalDrive*> m;
    return m;
}

// The drives whose timer is running, by timer; nested modal windows each have their own.
std::map<UINT_PTR, TModalDrive*>& running()
{
    static std::map<UINT_PTR, TModalDrive*> m;
    return m;
}

TModalDrive* take(UINT_PTR id)
{
    KillTimer(nullptr, id);
    auto it = running().find(id);
    if (it == running().end()) return nullptr;
    TModalDrive* d = it->second;
    running().erase(it);
    return d;
}
}  // namespace

TModalDrive::TModalDrive(std::function<void(HWND)> drive, std::function<HWND()> window, std::function<void()> end,
                         unsigned graceMs)
    : fDrive(std::move(drive)), fWindow(std::move(window)), fEnd(std::move(end)), fGraceMs(graceMs)
{
    if (!fDrive) return;
    // A message-only window of our own receives the post, whichever loop runs.
    static HWND receiver = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = postedProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"DolvModalDrive";
        RegisterClassW(&wc);
        return CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    }();
    static UINT_PTR serial = 0;
    fPosted = ++serial;
    posted()[fPosted] = this;
    PostMessageW(receiver, kDriveMessage, fPosted, 0);
}

TModalDrive::~TModalDrive()
{
    if (fPosted) posted().erase(fPosted);
    if (fTimer) take(fTimer);
}

LRESULT CALLBACK TModalDrive::postedProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg != kDriveMessage) return DefWindowProcW(hwnd, msg, wp, lp);
    auto it = posted().find(wp);
    if (it != posted().end()) {
        TModalDrive* d = it->second;
        posted().erase(it);
        d->fPosted = 0;
        d->run();
    }
    return 0;
}

void CALLBACK TModalDrive::driveTick(HWND, UINT, UINT_PTR id, DWORD)
{
    if (TModalDrive* d = take(id)) {
        d->fTimer = 0;
        d->run();
    }
}

void TModalDrive::run()
{
    try {
        HWND window = fWindow();
        if (!window && ++fWaits < 200) {
            fTimer = SetTimer(nullptr, 0, 10, driveTick);
            if (fTimer) running()[fTimer] = this;
            return;
        }
        auto drive = std::move(fDrive);
        drive(window);
        if (fGraceMs == 0) {
            fEnd();
            return;
        }
        fTimer = SetTimer(nullptr, 0, fGraceMs, endTick);
        if (fTimer) running()[fTimer] = this;
    } catch (...) {
        fError = std::current_exception();
        try {
            fEnd();
        } catch (...) {
        }
    }
}

void TModalDrive::RaiseError()
{
    if (fError) std::rethrow_exception(std::exchange(fError, nullptr));
}

void CALLBACK TModalDrive::endTick(HWND, UINT, UINT_PTR id, DWORD)
{
    TModalDrive* d = take(id);
    if (!d) return;
    d->fTimer = 0;
    try {
        d->fEnd();
    } catch (...) {
        d->fError = std::current_exception();
    }
}
