#include "Dialogs.h"

#include "Forms.h"

#include <commdlg.h>

#include <algorithm>
#include <cwchar>
#include <vector>

namespace {
// A box belongs to the window it is opened from, so that it stands above it
// (the settings window stays on top of the main window).
HWND boxOwner()
{
    HWND active = GetActiveWindow();
    return active ? active : Application.Handle();
}

BOOL CALLBACK findBox(HWND h, LPARAM lp)
{
    wchar_t name[8] = L"";
    GetClassNameW(h, name, 8);
    if (!IsWindowVisible(h) || wcscmp(name, L"#32770") != 0) return TRUE;
    *(HWND*)lp = h;
    return FALSE;
}

// The platform's message box; a responder's Drive works the real box.
int messageBox(const String& text, const String& caption, UINT type, TModalAnswer& answer)
{
    auto box = [] {
        HWND found = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), findBox, (LPARAM)&found);
        return found;
    };
    TModalDrive drive(std::move(answer.Drive), box, [&] {
        if (HWND b = box()) PostMessageW(b, WM_COMMAND, IDCANCEL, 0);
    });
    int result = MessageBoxW(boxOwner(), text.c_str(), caption.c_str(), type | MB_TASKMODAL);
    drive.RaiseError();
    return result;
}
}  // namespace

int MessageDlg(const String& text, const String& caption, UINT type)
{
    TModalAnswer answer;
    if (Modal_Intercept({L"MessageBox", caption, text}, answer) && !answer.Drive) return answer.Result;
    return messageBox(text, caption, type, answer);
}

void ShowMessage(const String& text)
{
    TModalAnswer answer;
    if (Modal_Intercept({L"ShowMessage", Application.Title, text}, answer) && !answer.Drive) return;
    messageBox(text, Application.Title, MB_OK, answer);
}

namespace {
const wchar_t kDriveProp[] = L"DolvOpenDialogDrive";
constexpr UINT WM_DOLV_DRIVE_DIALOG = WM_APP + 0x4D2;

// The hook of the explorer-style dialog lives in a child of the real dialog;
// it hands the dialog to the responder's Drive once the dialog is up.
UINT_PTR CALLBACK openDialogHook(HWND child, UINT msg, WPARAM, LPARAM lp)
{
    if (msg == WM_INITDIALOG) {
        SetPropW(child, kDriveProp, (HANDLE)((OPENFILENAMEW*)lp)->lCustData);
        PostMessageW(child, WM_DOLV_DRIVE_DIALOG, 0, 0);
    } else if (msg == WM_DOLV_DRIVE_DIALOG) {
        auto* drive = (std::function<void(HWND)>*)GetPropW(child, kDriveProp);
        RemovePropW(child, kDriveProp);
        HWND dialog = GetParent(child);
        if (drive && *drive) {
            try {
                (*drive)(dialog);
            } catch (...) {
                Application.HandleException();
            }
        }
        if (IsWindow(dialog)) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    }
    return 0;
}
}  // namespace

bool TOpenDialog::Execute()
{
    TModalAnswer answer;
    if (Modal_Intercept({L"TOpenDialog", Title, InitialDir}, answer) && !answer.Drive) {
        if (answer.Result != IDOK) return false;
        FileName = answer.Text;
        return true;
    }
    String filter = Filter;
    for (wchar_t& c : filter)
        if (c == L'|') c = L'\0';
    filter.append(2, L'\0');
    std::vector<wchar_t> file(32768, L'\0');
    FileName.copy(file.data(), std::min<size_t>(FileName.size(), file.size() - 1));
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = GetActiveWindow();
    ofn.lpstrFilter = Filter.empty() ? nullptr : filter.c_str();
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = (DWORD)file.size();
    ofn.lpstrInitialDir = InitialDir.empty() ? nullptr : InitialDir.c_str();
    ofn.lpstrTitle = Title.empty() ? nullptr : Title.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
    if (answer.Drive) {
        ofn.Flags |= OFN_ENABLEHOOK;
        ofn.lpfnHook = openDialogHook;
        ofn.lCustData = (LPARAM)&answer.Drive;
    }
    if (!GetOpenFileNameW(&ofn)) return false;
    FileName = file.data();
    return true;
}
