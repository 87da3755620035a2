// The about box on the screen and the Explorer menu switch in the prefix's
// own registry.
#include "About.h"
#include "Clipbrd.h"
#include "Registry.h"
#include "ShellMenuSwitch.h"
#include "WindowDriver.h"
#include "ind.h"
#include "xaShell.h"

namespace {

TEST(About, TheSameTextsEachTimeMiddleClickCopiesTheAddressEscCloses)
{
    std::vector<String> seen;
    int explorer = 0;
    TModalDriver driver(L"TFormAbout", [&](HWND w) {
        ASSERT_EQ(FormAbout ? FormAbout->Handle() : nullptr, w);
        seen.push_back(FormAbout->xall_AppNameVer->Caption() + L"|" + FormAbout->xall_Mail->Caption() + L"|" +
                       FormAbout->xall_Mail->Link + L"|" + FormAbout->xall_Sait->Caption() + L"|" +
                       FormAbout->xall_Sait->Link + L"|" + FormAbout->xall_AppNameVer->Hint);
        Clipboard().SetAsText(L"before");
        HWND mail = FormAbout->xall_Mail->Handle();
        PostMessageW(mail, WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(3, 3));
        PostMessageW(mail, WM_MBUTTONUP, 0, MAKELPARAM(3, 3));
        Application.ProcessMessages();
        EXPECT_EQ(N(Clipboard().AsText()), N(Prog_Mail));
        Ui_Click(FormAbout->xall_AppNameVer->Handle());
        EXPECT_NE(FormAbout->Image1->Icon(), nullptr);
        Ui_Key(VK_ESCAPE, 0, w);
        EXPECT_EQ(FormAbout->ModalResult, mrCancel) << "Esc leaves the box open";
    });
    About_Show([&](TObject*) { ++explorer; });
    About_Show([&](TObject*) { ++explorer; });
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], seen[1]);
    EXPECT_EQ(N(seen[0]), N(L"Dolv 2021.11|" + Prog_Mail + L"|mailto://" + Prog_Mail +
                           L"?subject=Dolv 2021.11&body=|Program sait|" + Prog_Sait + L"|" + Prog_FullName()));
    EXPECT_EQ(explorer, 2);
    EXPECT_EQ(FormAbout, nullptr);
}

class ShellMenu : public ::testing::Test {
protected:
    bool (*fWasAdmin)() = ShellMenu_IsAdmin;
    ~ShellMenu() override
    {
        ShellMenu_IsAdmin = fWasAdmin;
        for (const wchar_t* key : {L"Folder\\shell\\Dolv", L"*\\shell\\Dolv", L"Folder\\shell\\>>>>> Dolv"})
            Reg_DeleteTree(HKEY_CLASSES_ROOT, key);
    }
    // Each verb as "caption|icon|command", or "-" when it is missing.
    static String Verbs()
    {
        String all;
        for (const wchar_t* key : {L"Folder\\shell\\Dolv", L"*\\shell\\Dolv", L"Folder\\shell\\>>>>> Dolv"}) {
            TRegistry r(KEY_READ);
            r.RootKey = HKEY_CLASSES_ROOT;
            if (!r.OpenKeyReadOnly(key)) {
                all += L"-;";
                continue;
            }
            all += r.ReadString(L"") + L"|" + r.ReadString(L"Icon") + L"|";
            all += (r.OpenKeyReadOnly(L"command") ? r.ReadString(L"") : L"?") + L";";
        }
        return all;
    }
};

TEST_F(ShellMenu, AdministratorInstallsAndRemovesOthersAreRefused)
{
    const String program = L"C:\\Program Files\\Dolv x\\dolv.exe", command = L"\"" + program + L"\" \"1\" \"%1\"";
    const String on = L"Dolv|" + program + L", 0|" + command + L";";
    const struct {
        bool admin, checkedBefore;
        String after;  // the verbs once the switch has run
    } cases[] = {
        {true, false, on + on + L"-;"},
        {false, true, on + on + L"-;"},  // refused: still installed, the switch back on
        {true, true, L"-;-;-;"},
        {false, false, L"-;-;-;"},
    };
    Shell_VerbAdd(L"Folder", L">>>>> Dolv", L"old", L"", L"old");
    TAction act(nullptr, nullptr);
    act.AutoCheck = true;
    for (const auto& c : cases) {
        ShellMenu_IsAdmin = c.admin ? +[] { return true; } : +[] { return false; };
        act.Checked = c.checkedBefore;
        TModalRecorder told;
        act.OnExecute = [&](TObject*) { ShellMenu_Switch(&act, command, program); };
        act.Execute();
        EXPECT_EQ(N(Verbs()), N(c.after)) << c.admin << c.checkedBefore;
        EXPECT_EQ(act.Checked, c.admin != c.checkedBefore);
        ASSERT_EQ(told.Seen.size(), c.admin ? 0u : 1u);
        if (!c.admin) {
            EXPECT_EQ(N(told.Seen[0].Text), N(L"Только под учётной записью адмистратора можно делать эту функцию"));
        }
    }
}

}  // namespace
