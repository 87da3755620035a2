#include "WindowDriver.h"

#include <algorithm>
#include <vector>

namespace {
void postKey(HWND target, UINT msg, WORD vk, bool up, bool alt)
{
    static const WORD extended[] = {VK_UP,   VK_DOWN, VK_LEFT,   VK_RIGHT, VK_DELETE,
                                    VK_HOME, VK_END,  VK_INSERT, VK_PRIOR, VK_NEXT};
    LPARAM lp = 1 | (MapVirtualKeyW(vk, MAPVK_VK_TO_VSC) << 16);
    if (std::find(std::begin(extended), std::end(extended), vk) != std::end(extended)) lp |= 1 << 24;
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
    const struct {
        TShiftState flag;
        int key, left;
    } mods[] = {{ssShift, VK_SHIFT, VK_LSHIFT}, {ssCtrl, VK_CONTROL, VK_LCONTROL}, {ssAlt, VK_MENU, VK_LMENU}};
    for (auto& m : mods) state[m.key] = state[m.left] = (shift & m.flag) ? 0x80 : 0;
    state[vk] = 0x80;
    SetKeyboardState(state);
    bool alt = (shift & ssAlt) != 0;
    postKey(target, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, false, alt);
    Application.ProcessMessages();
    state[vk] = 0;
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

void Ui_Shot(HWND window, const String& name)
{
    String dir = Ui_ShotDir();
    if (!dir.empty()) Ui_SaveWindowBitmap(window, dir + L"\\" + name + L".bmp");
}

void Ui_ExpectNoHandleLeak(const std::function<void()>& once)
{
    once();
    int gdi = Ui_GuiObjects(GR_GDIOBJECTS), user = Ui_GuiObjects(GR_USEROBJECTS);
    if (gdi < 0) GTEST_SKIP() << "the platform does not count this process's GDI objects";
    for (int i = 0; i < 3; ++i) once();
    EXPECT_EQ(Ui_GuiObjects(GR_GDIOBJECTS), gdi);
    if (user >= 0) {
        EXPECT_EQ(Ui_GuiObjects(GR_USEROBJECTS), user);
    }
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
