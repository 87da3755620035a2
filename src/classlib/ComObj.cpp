#include "ComObj.h"

namespace {
String oleErrorText(HRESULT code)
{
    String text = SysErrorMessage((DWORD)code);
    return text.empty() ? Format(L"OLE error %.8X", (unsigned)code) : text;
}
}  // namespace

EOleSysError::EOleSysError(HRESULT code) : Exception(oleErrorText(code)), fCode(code) {}

void OleCheck(HRESULT result)
{
    if (FAILED(result)) throw EOleSysError(result);
}
