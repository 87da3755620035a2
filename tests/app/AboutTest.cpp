// The about box on the screen and the Explorer menu switch in the prefix's
// own registry.
#include "About.h"
#include "Clipbrd.h"
#include "IconizeTestSupport.h"
#include "Registry.h"
#include "ShellMenuSwitch.h"
#include "WindowDriver.h"
#include "ind.h"
#include "xaShell.h"

TEST(About, TheSameTextsEachTimeMiddleClickCopiesTheAddressEscCloses)
{
    std::vector<String> seen;  // the texts each time it shows
    int explorer = 0;
    TModalDriver driver(L"TFormAbout", [&](HWND w) {
        ASSERT_EQ(FormAbout ? FormAbout->Handle() : nullptr, w);
        Ui_Shot(w, L"about");
        seen.push_back(FormAbout->xall_AppNameVer->Caption() + L"|" + FormAbout->xall_Mail->Caption() + L"|" +
                       FormAbout->xall_Mail->Link + L"|" + FormAbout->xall_Sait->Caption() + L"|" +
                       FormAbout->xall_Sait->Link + L"|" + FormAbout->xall_AppNameVer->Hint);
        Clipboard().SetAsText(L"before");
        PostMessageW(FormAbout->xall_Mail->Handle(), WM_MBUTTONDOWN, MK_MBUTTON, 0);
        PostMessageW(FormAbout->xall_Mail->Handle(), WM_MBUTTONUP, 0, 0);
        Application.ProcessMessages();
        EXPECT_EQ(N(Clipboard().AsText()), N(Prog_Mail));
        Ui_Click(FormAbout->xall_AppNameVer->Handle());
        EXPECT_NE(FormAbout->Image1->Icon(), nullptr);
        Ui_Key(VK_ESCAPE, 0, w);
        EXPECT_EQ(FormAbout->ModalResult, mrCancel) << "Esc leaves the box open";
    });
    for (int i = 0; i < 2; ++i) About_Show([&](TObject*) { ++explorer; });
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], seen[1]);
    EXPECT_EQ(N(seen[0]), N(L"Dolv 2021.11|" + Prog_Mail + L"|mailto://" + Prog_Mail +
                           L"?subject=Dolv 2021.11&body=|Program sait|" + Prog_Sait + L"|" + Prog_FullName()));
    EXPECT_EQ(explorer, 2);
}

TEST(ShellMenu, AdministratorInstallsAndRemovesOthersAreRefused)
{
    static const wchar_t* const keys[] = {L"Folder\\shell\\Dolv", L"*\\shell\\Dolv", L"Folder\\shell\\>>>>> Dolv"};
    // The classes' shell keys go too when the verbs made them.
    TRegSnapshot keep(HKEY_CLASSES_ROOT, {keys[0], keys[1], keys[2]});
    struct TRestore {
        bool (*admin)() = ShellMenu_IsAdmin;
        ~TRestore() { ShellMenu_IsAdmin = admin; }
    } restore;
    auto icon = [](const wchar_t* key) {  // "-" for a missing verb
        TRegistry r(KEY_READ);
        r.RootKey = HKEY_CLASSES_ROOT;
        return r.OpenKeyReadOnly(key) ? r.ReadString(L"Icon") + L";" : String(L"-;");
    };
    const String program = L"C:\\Program Files\\Dolv x\\dolv.exe", command = L"\"" + program + L"\" \"1\" \"%1\"";
    const String on = program + L", 0;";
    // Refused, an installed entry stays and the switch goes back.
    const struct { bool admin, checkedBefore, installed; } cases[] = {
        {true, false, true}, {false, true, true}, {true, true, false}, {false, false, false}};
    Shell_VerbAdd(L"Folder", L">>>>> Dolv", L"old", L"", L"old");
    TAction act(nullptr, nullptr);
    act.AutoCheck = true;
    act.OnExecute = [&](TObject*) { ShellMenu_Switch(&act, command, program); };
    for (const auto& c : cases) {
        ShellMenu_IsAdmin = c.admin ? +[] { return true; } : +[] { return false; };
        act.Checked = c.checkedBefore;
        TModalRecorder told;
        act.Execute();
        EXPECT_EQ(N(icon(keys[0]) + icon(keys[1]) + icon(keys[2])), N(c.installed ? on + on + L"-;" : L"-;-;-;"));
        EXPECT_EQ(Shell_VerbExists(L"Folder", L"Dolv", command) + Shell_VerbExists(L"*", L"Dolv", command),
                  c.installed ? 2 : 0);
        EXPECT_EQ(act.Checked, c.admin != c.checkedBefore);
        ASSERT_EQ(told.Seen.size(), c.admin ? 0u : 1u);
        if (!c.admin) {
            EXPECT_EQ(N(told.Seen[0].Text), N(L"Только под учётной записью адмистратора можно делать эту функцию"));
        }
    }
    // Other programs took the verb's name after us: off leaves their verbs
    // and takes only a caption or icon that is still ours.
    ShellMenu_IsAdmin = +[] { return true; };
    act.Execute();
    const wchar_t* theirs[] = {L"", L"Icon"};  // the value each wrote over ours
    for (int i = 0; i < 2; ++i) {
        String key = keys[i];
        RegSetValue(HKEY_CLASSES_ROOT, key + L"\\command", L"", L"other.exe");
        RegSetValue(HKEY_CLASSES_ROOT, key, theirs[i], L"Other");
        RegSetValue(HKEY_CLASSES_ROOT, key, L"MUIVerb", L"@other.dll,-1");
        RegSetValue(HKEY_CLASSES_ROOT, key + L"\\DropTarget", L"CLSID", L"{0}");
    }
    act.Execute();
    for (int i = 0; i < 2; ++i) {
        String key = keys[i];
        EXPECT_EQ(N(RegValue(HKEY_CLASSES_ROOT, key) + L"|" + RegValue(HKEY_CLASSES_ROOT, key, L"Icon") + L"|" +
                    RegValue(HKEY_CLASSES_ROOT, key, L"MUIVerb") + L"|" + RegValue(HKEY_CLASSES_ROOT, key + L"\\command") +
                    L"|" + RegValue(HKEY_CLASSES_ROOT, key + L"\\DropTarget", L"CLSID")),
                  N(i ? L"<none>|Other|@other.dll,-1|other.exe|{0}" : L"Other|<none>|@other.dll,-1|other.exe|{0}"));
    }
}
