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

#include <map>

namespace {
// The tools of every tooltip window the main window owns: "window/id" -> the
// text the tip shows, and which tooltip window holds the tool.
struct TTools {
    std::map<std::pair<HWND, UINT_PTR>, std::pair<String, HWND>> Tools;
    static BOOL CALLBACK collect(HWND h, LPARAM lp)
    {
        wchar_t name[64] = L"";
        GetClassNameW(h, name, 64);
        if (lstrcmpiW(name, TOOLTIPS_CLASSW) || GetWindow(h, GW_OWNER) != Form1->Handle()) return TRUE;
        TOOLINFOW ti{};
        ti.cbSize = sizeof ti;
        for (int i = 0; SendMessageW(h, TTM_ENUMTOOLSW, i, (LPARAM)&ti); ++i) {
            wchar_t text[512] = L"";
            ti.lpszText = text;
            SendMessageW(h, TTM_GETTEXTW, 512, (LPARAM)&ti);
            ((TTools*)lp)->Tools[{ti.hwnd, ti.uId}] = {text, h};
            ti.lpszText = nullptr;
        }
        return TRUE;
    }
    TTools()
    {
        // A tool bar makes its tooltip window when first asked for it (or when the pointer first moves over it).
        SendMessageW(Form1->TB->Handle(), TB_GETTOOLTIPS, 0, 0);
        EnumThreadWindows(GetCurrentThreadId(), collect, (LPARAM)this);
    }
};

void expectHints(const char* language)
{
    SCOPED_TRACE(language);
    TForm1& f = *Form1;
    TTools tips;
    HWND formTip = nullptr;
    const struct {
        TControl* Control;
        const String& Hint;
    } controls[] = {{f.btnClear, Language::Iconize_De}, {f.ch_CopyIco, Language::Iconize_CopyIco},
                    {f.btnIconize, Language::Iconize_Do}, {f.btnIcoBaza, f.btnIcoBaza->Hint},
                    {f.FrElm->btnDirUp, f.FrElm->btnDirUp->Hint}, {f.FrIco->btnDirUp, f.FrIco->btnDirUp->Hint}};
    for (const auto& c : controls) {
        HWND h = c.Control->Handle();
        auto tool = tips.Tools.find({h, (UINT_PTR)h});
        ASSERT_NE(tool, tips.Tools.end()) << N(c.Control->Name) << " has no tooltip";
        EXPECT_EQ(N(tool->second.first), N(c.Hint)) << N(c.Control->Name);
        EXPECT_FALSE(c.Hint.empty()) << N(c.Control->Name);
        if (!formTip) formTip = tool->second.second;
        EXPECT_EQ(tool->second.second, formTip) << N(c.Control->Name) << ": one tooltip window for the form";
    }
    // The special-iconize switch is a button of a tool bar, whose own tooltip knows it by its id.
    auto tool = tips.Tools.find({f.TB->Handle(), (UINT_PTR)f.btnIconizeType->Id()});
    ASSERT_NE(tool, tips.Tools.end()) << "btnIconizeType has no tooltip";
    EXPECT_EQ(N(tool->second.first), N(Language::Iconize_Type));
}

void hintsInBothLanguages()
{
    TTempDir dir;
    CreateDirectoryW((dir / L"Language").c_str(), nullptr);
    CopyFileW((Prog_Dir() + L"..\\Language\\Russian.lng").c_str(), (dir / L"Language\\Russian.lng").c_str(), FALSE);
    TProgDirOverride prog(dir.Path() + L"\\");
    TModalRecorder boxes;
    Program_Start({L"dolv.exe"});
    expectHints("English");
    EXPECT_EQ(N(Language::Iconize_Do), "Iconize");
    Lng_Load(dir / L"Language\\Russian.lng", Lng_LoadAndSet);
    EXPECT_EQ(N(Language::Iconize_Do), N(L"Назначить иконку"));
    expectHints("Russian");
    EXPECT_TRUE(boxes.Seen.empty());
    Program_End();
}
}  // namespace

// A language load changes texts of the whole process: it runs in a process of its own.
TEST(MainWindowDeathTest, EveryControlShowsItsActionsHintInTheLanguageLoaded)
{
    EXPECT_EXIT(
        {
            hintsInBothLanguages();
            const auto& result = *::testing::UnitTest::GetInstance()->current_test_info()->result();
            for (int i = 0; i < result.total_part_count(); ++i) fprintf(stderr, "%s\n", result.GetTestPartResult(i).message());
            exit(result.Failed() ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), "");
}

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
