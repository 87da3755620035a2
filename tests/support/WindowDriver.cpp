#include "WindowDriver.h"

#include <vector>

namespace {
void postKey(HWND target, UINT msg, WORD vk, bool up, bool alt)
{
    UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
    LPARAM lp = 1 | (scan << 16);
    if (vk == VK_UP || vk == VK_DOWN || vk == VK_LEFT || vk == VK_RIGHT || vk == VK_DELETE || vk == VK_HOME ||
        vk == VK_END || vk == VK_INSERT || vk == VK_PRIOR || vk == VK_NEXT)
        lp |= 1 << 24;  // extended key
    if (alt) lp |= 1 << 29;
    if (up) lp |= (1u << 30) | (1u << 31);
    PostMessageW(target, msg, vk, lp);
}
}  // namespace

void Ui_Key(WORD vk, TShiftState shift, HWND target)
{
    if (!target) target = GetFocus();
    ASSERT_NE(target, nullptr) << "no window has the keyboard focus";
    BYTE saved[256], state[256];
    GetKeyboardState(saved);
    memcpy(state, saved, sizeof state);
    auto set = [&](int key, bool down) { state[key] = down ? 0x80 : 0; };
    set(VK_SHIFT, shift & ssShift);
    set(VK_LSHIFT, shift & ssShift);
    set(VK_CONTROL, shift & ssCtrl);
    set(VK_LCONTROL, shift & ssCtrl);
    set(VK_MENU, shift & ssAlt);
    set(VK_LMENU, shift & ssAlt);
    set(vk, true);
    SetKeyboardState(state);
    bool alt = (shift & ssAlt) != 0;
    postKey(target, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, false, alt);
    Application.ProcessMessages();
    set(vk, false);
    SetKeyboardState(state);
    if (IsWindow(target)) postKey(target, alt ? WM_SYSKEYUP : WM_KEYUP, vk, true, alt);
    Application.ProcessMessages();
    SetKeyboardState(saved);
}

void Ui_Type(const String& text, HWND target)
{
    if (!target) target = GetFocus();
    ASSERT_NE(target, nullptr) << "no window has the keyboard focus";
    for (wchar_t c : text) PostMessageW(target, WM_CHAR, c, 1);
    Application.ProcessMessages();
}

void Ui_Click(HWND window, int x, int y, bool right)
{
    RECT r;
    GetClientRect(window, &r);
    if (x < 0) x = r.right / 2;
    if (y < 0) y = r.bottom / 2;
    LPARAM at = MAKELPARAM(x, y);
    PostMessageW(window, WM_MOUSEMOVE, 0, at);
    PostMessageW(window, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, right ? MK_RBUTTON : MK_LBUTTON, at);
    PostMessageW(window, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, at);
    Application.ProcessMessages();
}

void Ui_MouseEnter(HWND window)
{
    PostMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    Application.ProcessMessages();
}

void Ui_MouseLeave(HWND window)
{
    PostMessageW(window, WM_MOUSELEAVE, 0, 0);
    Application.ProcessMessages();
}

bool Ui_WaitFor(const std::function<bool()>& condition, int timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        Application.ProcessMessages();
        if (condition()) return true;
        if ((int)(GetTickCount() - start) > timeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

String Ui_ShotDir()
{
    wchar_t buf[MAX_PATH];
    DWORD n = GetEnvironmentVariableW(L"DOLV_SHOT_DIR", buf, MAX_PATH);
    return n && n < MAX_PATH ? String(buf, n) : String();
}

bool Ui_SaveWindowBitmap(HWND window, const String& fileName)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    Application.ProcessMessages();
    RECT r;
    GetWindowRect(window, &r);
    int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return false;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    SelectObject(mem, old);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    int stride = ((w * 3 + 3) / 4) * 4;
    BITMAPFILEHEADER fh{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof(BITMAPINFOHEADER);
    fh.bfSize = fh.bfOffBits + stride * h;
    std::string data((const char*)&fh, sizeof fh);
    data.append((const char*)&bi.bmiHeader, sizeof(BITMAPINFOHEADER));
    data.append((const char*)bits, (size_t)stride * h);
    DeleteObject(bmp);
    WriteFileBytes(fileName, data);
    return true;
}

TModalDriver::TModalDriver(const String& kind, std::function<void(HWND)> drive)
{
    fPrevious = Modal_SetResponder([this, kind, drive](const TModalRequest& r) {
        Seen.push_back(r);
        TModalAnswer a;
        if (r.Kind == kind) {
            a.Drive = drive;
        } else {
            ADD_FAILURE() << "unexpected modal window " << N(r.Kind) << " \"" << N(r.Caption) << "\": " << N(r.Text);
            a.Result = IDCANCEL;
        }
        return a;
    });
}

TModalDriver::~TModalDriver() { Modal_SetResponder(std::move(fPrevious)); }


namespace {
// Wine keeps its GDI handles in a table the process block points to (at the
// place Windows has its shared handle table): 24-byte entries, a live one with
// a type at byte 14, a stock object flagged in byte 12.
int wineGdiObjects()
{
    unsigned char* peb;
    __asm__("movl %%fs:0x30, %0" : "=r"(peb));
    auto* table = peb ? *(const unsigned char* const*)(peb + 0x94) : nullptr;
    if (!table) return -1;
    int n = 0;
    for (int i = 0; i < 0x10000; ++i) {
        const unsigned char* e = table + i * 24;
        if (e[14] && !(e[12] & 0x80)) ++n;
    }
    return n;
}
}  // namespace

int Ui_GuiObjects(DWORD which)
{
    if (DWORD n = GetGuiResources(GetCurrentProcess(), which)) return (int)n;
    if (which != GR_GDIOBJECTS || !GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version")) return -1;
    // Trusted only when it sees a bitmap come and go.
    int before = wineGdiObjects();
    HBITMAP b = CreateBitmap(4, 4, 1, 1, nullptr);
    int with = wineGdiObjects();
    DeleteObject(b);
    return with == before + 1 && wineGdiObjects() == before ? before : -1;
}
