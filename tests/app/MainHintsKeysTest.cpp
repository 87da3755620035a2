// The main window's tooltips in both languages, and Alt with the window's
// Alt+letter commands, driven by the window messages the keyboard makes.
#include "Language.h"
#include "LanguageTexts.h"
#include "Main.h"
#include "Program.h"
#include "WindowDriver.h"
#include "xaLanguageUni.h"
#include "xaModulPath.h"

#include <commctrl.h>

#include <algorithm>

namespace {
// Tools as "name=text|", in name order: the order a tooltip window keeps its
// tools in is the order the controls' windows were made, which no user sees.
String toolLine(std::vector<String> tools)
{
    std::sort(tools.begin(), tools.end());
    String line;
    for (const String& t : tools) line += t + L"|";
    return line;
}

// The tooltip windows the main window owns, one line each: its tools, as the
// control's name and the text the tip shows. The pane's tool bars, hidden,
// are left out.
BOOL CALLBACK collectTools(HWND tip, LPARAM lp)
{
    wchar_t name[64] = L"";
    GetClassNameW(tip, name, 64);
    if (lstrcmpiW(name, TOOLTIPS_CLASSW) || GetWindow(tip, GW_OWNER) != Form1->Handle()) return TRUE;
    std::vector<String> found;
    TOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    for (int i = 0; SendMessageW(tip, TTM_ENUMTOOLSW, i, (LPARAM)&ti); ++i, ti.lpszText = nullptr) {
        wchar_t text[512] = L"";
        ti.lpszText = text;
        SendMessageW(tip, TTM_GETTEXTW, 512, (LPARAM)&ti);
        TControl* control = ti.uFlags & TTF_IDISHWND ? TControl::FromHandle((HWND)ti.uId) : nullptr;
        if (ti.hwnd == Form1->TB->Handle() && ti.uId == (UINT_PTR)Form1->btnIconizeType->Id())
            found.push_back(L"btnIconizeType=" + String(text));
        else if (control)
            found.push_back(control->Name + L"=" + text);
    }
    if (!found.empty()) ((std::vector<String>*)lp)->push_back(toolLine(found));
    return TRUE;
}

std::vector<String> tools()
{
    // A tool bar makes its tooltip window when first asked for it (or when the pointer first moves over it).
    SendMessageW(Form1->TB->Handle(), TB_GETTOOLTIPS, 0, 0);
    std::vector<String> lines;
    EnumThreadWindows(GetCurrentThreadId(), collectTools, (LPARAM)&lines);
    std::sort(lines.begin(), lines.end());
    return lines;
}

void hintsInBothLanguages()
{
    TTempDir dir;
    CreateDirectoryW((dir / L"Language").c_str(), nullptr);
    CopyFileW((Prog_Dir() + L"..\\Language\\Russian.lng").c_str(), (dir / L"Language\\Russian.lng").c_str(), FALSE);
    TProgDirOverride prog(dir.Path() + L"\\");
    TModalRecorder boxes;
    Program_Start({L"dolv.exe"});
    for (const char* language : {"English", "Russian"}) {
        if (language == std::string("Russian")) Lng_Load(dir / L"Language\\Russian.lng", Lng_LoadAndSet);
        using namespace Language;
        const String up = L"btnDirUp=Directory up (BackSpase)";
        // The window's own controls share one tooltip window; the special-iconize
        // switch, a button of a tool bar, is a tool of the bar's own.
        std::vector<String> expected{toolLine({L"btnClear=" + Iconize_De, L"ch_CopyIco=" + Iconize_CopyIco,
                                               L"btnIconize=" + Iconize_Do, up, up,
                                               L"btnIcoBaza=" + Form1->btnIcoBaza->Hint}),
                                     toolLine({L"btnIconizeType=" + Iconize_Type})};
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(tools(), expected) << language;
    }
    EXPECT_EQ(N(Language::Iconize_Do), N(L"Назначить иконку"));
    EXPECT_TRUE(boxes.Seen.empty());
    Program_End();
}
}  // namespace

// A language load changes texts of the whole process: it runs in a process of its own.
TEST(MainWindowDeathTest, EveryControlShowsItsActionsHintInTheLanguageLoaded) { InOwnProcess(hintsInBothLanguages); }

namespace {
// What the window's default handling did with Alt: whether it asked for the
// window menu, and whether the menu took the keyboard. A menu entered is left
// at once by Esc, which it takes after the keys already waiting for it.
std::string gMenu;
HHOOK gHook = nullptr;

void CALLBACK leaveMenu(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    EndMenu();
}

LRESULT CALLBACK seeMenu(int code, WPARAM wp, LPARAM lp)
{
    const auto& m = *(CWPSTRUCT*)lp;
    if (code >= 0 && m.message == WM_SYSCOMMAND && (m.wParam & 0xFFF0) == SC_KEYMENU) gMenu += "keymenu ";
    if (code >= 0 && m.message == WM_ENTERMENULOOP) {
        gMenu += "entered ";
        PostMessageW(m.hwnd, WM_KEYDOWN, VK_ESCAPE, 0);
        SetTimer(nullptr, 0, 2000, leaveMenu);  // should Esc not end it
    }
    return CallNextHookEx(gHook, code, wp, lp);
}

// A key as the keyboard sends it to the focused window: with Alt held, a
// "system" key carrying the Alt flag; the key state table as it is then.
void key(WORD vk, bool down, bool altHeld)
{
    BYTE state[256];
    GetKeyboardState(state);
    state[vk] = down ? 0x80 : 0;
    if (vk == VK_MENU) state[VK_LMENU] = state[vk];
    SetKeyboardState(state);
    LPARAM lp = 1 | (MapVirtualKeyW(vk, MAPVK_VK_TO_VSC) << 16) | (altHeld ? 1 << 29 : 0) |
                (down ? 0 : (1u << 30) | (1u << 31));
    UINT msg = altHeld || vk == VK_MENU ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (down ? WM_KEYDOWN : WM_KEYUP);
    PostMessageW(GetFocus(), msg, vk, lp);
    Application.ProcessMessages();
}
}  // namespace

TEST(MainWindow, AltLetterCommandLeavesNoLoneAltBehind)
{
    DeleteFileW(Settings_FileName().c_str());
    TModalRecorder boxes;
    Program_Start({L"dolv.exe"});
    Form1->Show();
    gHook = SetWindowsHookExW(WH_CALLWNDPROC, seeMenu, nullptr, GetCurrentThreadId());
    // The keys in the order the user lets them go; '-' is Alt alone.
    const struct {
        WORD Letter;
        bool AltFirst;
        const char* Menu;
        bool TypedInPathBox;
    } cases[] = {{'A', false, "", true}, {'A', true, "", true}, {'Q', true, "", false},
                 {0, false, "keymenu entered ", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.Letter ? (char)c.Letter : '-') << (c.AltFirst ? " after Alt" : ""));
        Form1->FrElm->ep->SetText(L"C:\\");
        Form1->FrElm->LVS->SetFocus();
        gMenu.clear();
        key(VK_MENU, true, true);
        if (c.Letter) key(c.Letter, true, true);
        if (c.Letter && !c.AltFirst) key(c.Letter, false, true);
        key(VK_MENU, false, false);
        if (c.Letter && c.AltFirst) key(c.Letter, false, false);
        PostMessageW(GetFocus(), WM_CHAR, L'x', 1);
        Application.ProcessMessages();
        EXPECT_EQ(gMenu, c.Menu);
        EXPECT_EQ(Form1->FrElm->ep->Text() == L"x", c.TypedInPathBox) << N(Form1->FrElm->ep->Text());
    }
    UnhookWindowsHookEx(gHook);
    Program_End();
    DeleteFileW(Settings_FileName().c_str());
}
