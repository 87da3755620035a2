// The floor the start benchmark measures against: an empty window built with
// the same toolchain and resources. With the argument "exit" it ends as soon
// as its window is shown.
#include <windows.h>

#include <cwchar>

static LRESULT CALLBACK emptyProc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    if (m == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(h, m, w, l);
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR cmdLine, int)
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = emptyProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"DolvBenchEmpty";
    RegisterClassW(&wc);
    HWND w = CreateWindowW(L"DolvBenchEmpty", L"Empty", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 700, 500,
                           nullptr, nullptr, instance, nullptr);
    ShowWindow(w, SW_SHOW);
    UpdateWindow(w);
    if (wcsstr(cmdLine, L"exit")) return 0;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
