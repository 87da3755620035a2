#include "ModalHook.h"

#include "Controls.h"

#include <map>

namespace {
TModalResponder& responder()
{
    static TModalResponder r;
    return r;
}
}  // namespace

TModalResponder Modal_SetResponder(TModalResponder r)
{
    TModalResponder old = std::move(responder());
    responder() = std::move(r);
    return old;
}

bool Modal_Intercept(const TModalRequest& request, TModalAnswer& answer)
{
    TModalResponder& r = responder();
    if (!r) return false;
    answer = r(request);
    return true;
}

namespace {
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
    fTimer = SetTimer(nullptr, 0, 10, driveTick);
    if (fTimer) running()[fTimer] = this;
}

TModalDrive::~TModalDrive()
{
    if (fTimer) take(fTimer);
}

void CALLBACK TModalDrive::driveTick(HWND, UINT, UINT_PTR id, DWORD)
{
    TModalDrive* d = take(id);
    if (!d) return;
    d->fTimer = 0;
    auto drive = std::move(d->fDrive);
    try {
        drive(d->fWindow());
    } catch (...) {
        Control_HandleException();
    }
    if (d->fGraceMs == 0) {
        d->fEnd();
        return;
    }
    d->fTimer = SetTimer(nullptr, 0, d->fGraceMs, endTick);
    if (d->fTimer) running()[d->fTimer] = d;
}

void CALLBACK TModalDrive::endTick(HWND, UINT, UINT_PTR id, DWORD)
{
    TModalDrive* d = take(id);
    if (!d) return;
    d->fTimer = 0;
    d->fEnd();
}
