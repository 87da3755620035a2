#include "ColorDlg.h"

#include <commdlg.h>

#include <functional>

namespace {
constexpr UINT WM_DOLV_DRIVE_COLOR = WM_APP + 0x4D3;
const wchar_t kDriveProp[] = L"DolvColorDialogDrive";

// Hands the dialog to the responder's Drive once it is up, and cancels it
// when Drive leaves it open, so that a test cannot hang on it.
UINT_PTR CALLBACK colorDialogHook(HWND dialog, UINT msg, WPARAM, LPARAM lp)
{
    if (msg == WM_INITDIALOG) {
        SetPropW(dialog, kDriveProp, (HANDLE)((CHOOSECOLORW*)lp)->lCustData);
        PostMessageW(dialog, WM_DOLV_DRIVE_COLOR, 0, 0);
    } else if (msg == WM_DOLV_DRIVE_COLOR) {
        auto* drive = (std::function<void(HWND)>*)GetPropW(dialog, kDriveProp);
        RemovePropW(dialog, kDriveProp);
        if (drive && *drive) {
            try {
                (*drive)(dialog);
            } catch (...) {
                Control_HandleException();
            }
        }
        if (IsWindow(dialog)) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        return TRUE;
    }
    return 0;
}
}  // namespace

bool TColorDialog::Execute()
{
    TModalAnswer answer;
    if (Modal_Intercept({L"TColorDialog", L"", ColorToString(Color)}, answer) && !answer.Drive) {
        TColor chosen;
        if (answer.Result != IDOK || !TryStringToColor(answer.Text, chosen)) return false;
        Color = chosen;
        return true;
    }
    COLORREF custom[16];
    for (int i = 0; i < 16; ++i) custom[i] = i < (int)CustomColors.size() ? ColorToRGB(CustomColors[i]) : 0xFFFFFF;
    CHOOSECOLORW cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = GetActiveWindow();
    cc.rgbResult = ColorToRGB(Color);
    cc.lpCustColors = custom;
    cc.Flags = Options | CC_RGBINIT;
    if (answer.Drive) {
        cc.Flags |= CC_ENABLEHOOK;
        cc.lpfnHook = colorDialogHook;
        cc.lCustData = (LPARAM)&answer.Drive;
    }
    if (!ChooseColorW(&cc)) return false;
    Color = (TColor)cc.rgbResult;
    return true;
}
