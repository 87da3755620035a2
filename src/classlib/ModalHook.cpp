#include "ModalHook.h"

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
