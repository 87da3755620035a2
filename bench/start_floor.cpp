// The floor the program's start is measured against: the least a window
// written straight on Win32 must do to show what the main window shows at
// start: created maximized, two panes, each a path box with a button before
// it and a list view (the icon pane with one more button), and a bar at the
// bottom with two picture buttons, an option, a one-button tool bar and the
// menu's caption. The children are placed at their final size before they
// are filled, and filled with the same content in the panes' font: the
// drives with their icons in report view, and the icons folder in icon view
// with its type's icon, sorted by name, arranged while its drawing is off
// (arranging 2,000 icons with drawing on costs Wine about a quarter of a
// second, which the program avoids the same way). The special view's frame
// is not made: the program makes it on first use. Ends as soon as it is
// shown and idle when told to "exit".
//
//   start_floor.exe ICONS_FOLDER [exit]
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <shellapi.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

struct TPane {
    HWND Path, Up, List;
};
TPane gPanes[2];
// The icon pane's extra button, and the bottom bar's parts.
HWND gStar, gClear, gIconize, gOption, gBar, gMenu;
HFONT gFont;
std::vector<std::wstring> gDrives, gIcons;
std::vector<int> gDriveIcons;
int gIcoIcon = 0;

void place(int cw, int ch)
{
    int left = cw * 42 / 100, bottom = ch - 52;
    for (int p = 0; p < 2; ++p) {
        int x = p ? left + 4 : 0, pw = p ? cw - left - 4 : left;
        MoveWindow(gPanes[p].Up, x, 0, 24, 22, TRUE);
        MoveWindow(gPanes[p].Path, x + 26, 0, pw - 26 - (p ? 26 : 0), 22, TRUE);
        MoveWindow(gPanes[p].List, x, 24, pw, bottom - 24, TRUE);
    }
    MoveWindow(gStar, cw - 24, 0, 24, 22, TRUE);
    MoveWindow(gClear, 8, bottom + 6, 44, 40, TRUE);
    MoveWindow(gBar, 60, bottom + 6, 44, 40, TRUE);
    MoveWindow(gOption, 116, bottom + 16, 200, 20, TRUE);
    MoveWindow(gIconize, 328, bottom + 6, 44, 40, TRUE);
    MoveWindow(gMenu, cw - 96, bottom + 16, 90, 20, TRUE);
}

LRESULT CALLBACK frameProc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    switch (m) {
    case WM_SIZE:
        if (gPanes[1].List) place(LOWORD(l), HIWORD(l));
        return 0;
    case WM_NOTIFY: {
        auto* info = (NMLVDISPINFOW*)l;
        if (info->hdr.code != LVN_GETDISPINFOW) break;
        LVITEMW& it = info->item;
        bool drives = info->hdr.hwndFrom == gPanes[0].List;
        const auto& names = drives ? gDrives : gIcons;
        if (it.iItem < 0 || it.iItem >= (int)names.size()) return 0;
        if ((it.mask & LVIF_TEXT) && it.pszText && it.cchTextMax > 0)
            lstrcpynW(it.pszText, it.iSubItem == 0 ? names[it.iItem].c_str() : drives ? L"Drive" : L"ico", it.cchTextMax);
        if (it.mask & LVIF_IMAGE) it.iImage = drives ? gDriveIcons[it.iItem] : gIcoIcon;
        return 0;
    }
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: break;
    }
    return DefWindowProcW(h, m, w, l);
}

HWND child(HWND parent, const wchar_t* cls, DWORD style, DWORD ex = 0)
{
    HWND c = CreateWindowExW(ex, cls, L"", WS_CHILD | style, 0, 0, 10, 10, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(c, WM_SETFONT, (WPARAM)gFont, 0);
    return c;
}

HWND listView(HWND parent, DWORD view, DWORD style = WS_VISIBLE)
{
    HWND l = child(parent, WC_LISTVIEWW, style | view | LVS_OWNERDATA | LVS_SHAREIMAGELISTS | LVS_SHOWSELALWAYS,
                   WS_EX_CLIENTEDGE);
    ListView_SetExtendedListViewStyle(l, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    for (int c = 0; c < 3; ++c) {
        LVCOLUMNW col{};
        col.mask = LVCF_WIDTH | LVCF_TEXT;
        col.cx = c ? 80 : 300;
        col.pszText = const_cast<wchar_t*>(L"Name");
        ListView_InsertColumn(l, c, &col);
    }
    SHFILEINFOW info{};
    for (bool small : {true, false}) {
        auto list = (HIMAGELIST)SHGetFileInfoW(L"x", FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                                               SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX |
                                                   (small ? SHGFI_SMALLICON : SHGFI_LARGEICON));
        ListView_SetImageList(l, list, small ? LVSIL_SMALL : LVSIL_NORMAL);
    }
    return l;
}

HWND pictureButton(HWND parent, HICON picture)
{
    HWND b = child(parent, L"BUTTON", WS_VISIBLE | BS_PUSHBUTTON | BS_ICON);
    SendMessageW(b, BM_SETIMAGE, IMAGE_ICON, (LPARAM)picture);
    return b;
}

// A tool bar of one 32 x 32 button with a picture.
HWND toolBar(HWND parent, HICON picture)
{
    HWND t = child(parent, TOOLBARCLASSNAMEW, WS_VISIBLE | TBSTYLE_FLAT | CCS_NORESIZE | CCS_NODIVIDER | CCS_NOPARENTALIGN);
    SendMessageW(t, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    HIMAGELIST images = ImageList_Create(32, 32, ILC_COLOR32 | ILC_MASK, 1, 0);
    ImageList_AddIcon(images, picture);
    SendMessageW(t, TB_SETIMAGELIST, 0, (LPARAM)images);
    SendMessageW(t, TB_SETBUTTONSIZE, 0, MAKELPARAM(44, 40));
    TBBUTTON button{0, 100, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0};
    SendMessageW(t, TB_ADDBUTTONSW, 1, (LPARAM)&button);
    return t;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::wstring icons = argc > 1 ? argv[1] : L".";
    bool exitShown = argc > 2 && !lstrcmpW(argv[2], L"exit");
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    OleInitialize(nullptr);

    WNDCLASSW wc{};
    wc.lpfnWndProc = frameProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"DolvBenchFloor";
    RegisterClassW(&wc);
    // The panes' font as the program's defaults give it.
    gFont = CreateFontW(-15, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
    HWND w = CreateWindowExW(0, wc.lpszClassName, L"Floor", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_MAXIMIZE,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
    for (int p = 0; p < 2; ++p) {
        gPanes[p].Up = child(w, L"BUTTON", WS_VISIBLE | BS_PUSHBUTTON);
        gPanes[p].Path = child(w, L"EDIT", WS_VISIBLE | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE);
        gPanes[p].List = listView(w, p ? LVS_ICON | LVS_AUTOARRANGE : LVS_REPORT);
    }
    gStar = child(w, L"BUTTON", WS_VISIBLE | BS_PUSHBUTTON);
    SetWindowTextW(gStar, L"\u2605");
    HICON picture = (HICON)LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, 32, 32, 0);
    gClear = pictureButton(w, picture);
    gBar = toolBar(w, picture);
    gOption = child(w, L"BUTTON", WS_VISIBLE | BS_AUTOCHECKBOX);
    SetWindowTextW(gOption, L"Copy ico to folder");
    SendMessageW(gOption, BM_SETCHECK, BST_CHECKED, 0);
    gIconize = pictureButton(w, picture);
    gMenu = child(w, L"STATIC", WS_VISIBLE | SS_RIGHT);
    SetWindowTextW(gMenu, L"Dolv");
    RECT client;
    GetClientRect(w, &client);
    place(client.right, client.bottom);

    // The drives, each with its own icon.
    for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
        std::wstring root{letter, L':', L'\\'};
        if (GetDriveTypeW(root.c_str()) == DRIVE_NO_ROOT_DIR) continue;
        SHFILEINFOW info{};
        SHGetFileInfoW(root.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
        gDrives.push_back(root.substr(0, 2));
        gDriveIcons.push_back(info.iIcon);
    }
    SetWindowTextW(gPanes[0].Path, L"");
    ListView_SetItemCountEx(gPanes[0].List, (int)gDrives.size(), LVSICF_NOSCROLL);
    // The icons folder, sorted by name, with the type's icon.
    WIN32_FIND_DATAW fd;
    HANDLE find = FindFirstFileW((icons + L"\\*").c_str(), &fd);
    if (find != INVALID_HANDLE_VALUE) {
        do
            if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) gIcons.push_back(fd.cFileName);
        while (FindNextFileW(find, &fd));
        FindClose(find);
    }
    std::sort(gIcons.begin(), gIcons.end(), [](const std::wstring& a, const std::wstring& b) {
        return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) == CSTR_LESS_THAN;
    });
    SHFILEINFOW info{};
    SHGetFileInfoW(L"x.ico", FILE_ATTRIBUTE_NORMAL, &info, sizeof info, SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX);
    gIcoIcon = info.iIcon;
    SetWindowTextW(gPanes[1].Path, icons.c_str());
    SendMessageW(gPanes[1].List, WM_SETREDRAW, FALSE, 0);
    ListView_SetItemCountEx(gPanes[1].List, (int)gIcons.size(), LVSICF_NOSCROLL);
    SendMessageW(gPanes[1].List, LVM_ARRANGE, LVA_DEFAULT, 0);
    SendMessageW(gPanes[1].List, WM_SETREDRAW, TRUE, 0);

    ShowWindow(w, SW_SHOWMAXIMIZED);
    UpdateWindow(w);
    if (exitShown) return 0;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    OleUninitialize();
    DeleteObject(gFont);
    return 0;
}
