// The icons base in the main window: the start's check of a stored base, the
// four commands by their keys in both panes, the star's clicks, settings.ini.
#include "Main.h"
#include "Program.h"
#include "Settings.h"
#include "WindowDriver.h"
#include "xaModulPath.h"
#include "xaShellDialog.h"

TEST(IcoBaza, GoneBaseThenKeysInBothPanesStarClicksAndTheStoredForm)
{
    TTempDir prog, other;
    TProgDirOverride over(prog.Path() + L"\\");
    const String icons = prog / L"icons", o = other.Path(), base = L"%exe\\icons";
    CreateDirectoryW(icons.c_str(), nullptr);
    WriteFileBytes(icons + L"\\a.ico", "");
    WriteFileBytes(Settings_FileName(), "[Settings]\r\nIcoBaza=" + N(prog / L"gone") + "\r\n");
    String pick, seen;  // where the chooser goes before OK (empty: Esc); what the door saw
    TModalResponderScope door([&](const TModalRequest& r) {
        seen += r.Caption + L"|";
        EXPECT_TRUE(r.Kind != L"TFormY" || r.Text.find(prog / L"gone") != String::npos) << N(r.Text);
        TModalAnswer a{3, L"", nullptr};  // the star's menu: its third entry
        if (r.Kind == L"TFormXaShellDialog") a.Drive = [&](HWND) {
            FormXaShellDialog->fre->LVS->SetPath(pick);
            FormXaShellDialog->fre->LVS->SetFocus();
            Ui_Key(pick.empty() ? VK_ESCAPE : VK_RETURN, pick.empty() ? 0 : ssCtrl);
        };
        return a;
    });
    ASSERT_EQ(Program_Start({L"dolv"}), -1);
    EXPECT_EQ(N(seen), "|") << "the message of the gone base; then the default";
    TFrExplorer *elm = Form1->FrElm, *ico = Form1->FrIco;
    Form1->Show();
    // The star stands above the path box's right end: what is under the pointer there is the star.
    RECT star;
    GetWindowRect(Form1->btnIcoBaza->Handle(), &star);
    EXPECT_EQ(WindowFromPoint({(star.left + star.right) / 2, (star.top + star.bottom) / 2}),
              Form1->btnIcoBaza->Handle());
    // The icon pane's folder, the focus (none: the star, clicked with Key's button), the key, the chooser's
    // pick; then the base and the panes' folders.
    struct { String IcoAt; TFrExplorer* Focus; WORD Key; TShiftState Shift; String Pick, Base, Elm, Ico; } steps[] = {
        {o, elm, 'Q', ssAlt, L"", base, icons, o},
        {L"", ico, 'Q', ssAlt, L"", base, icons, L""},  // the key is the window's, not the icon pane's menu's
        {o, ico, 'Q', ssShift | ssAlt, L"", o, icons, o},
        {L"", elm, 'Q', ssShift | ssAlt, L"", L"", icons, L""},
        {L"", elm, 'Q', ssAlt, L"", L"", L"", L""},
        {L"", elm, 'Q', ssCtrl | ssShift, o, o, L"", L""},
        {L"", ico, 'Q', ssAlt, L"", o, o, L""},
        {L"", ico, 'Q', ssCtrl | ssShift, icons + L"\\a.ico", base, o, L""},  // a file gives its folder
        {o, nullptr, VK_RBUTTON, 0, L"", o, o, o},
        {o, nullptr, VK_MBUTTON, 0, icons, base, o, o},
        {L"", nullptr, VK_LBUTTON, 0, L"", base, o, icons},
    };
    auto line = [](const String& a, const String& b, const String& c) { return N(a + L"|" + b + L"|" + c); };
    for (const auto& s : steps) {
        ico->LVS->SetPath(s.IcoAt);
        pick = s.Pick;
        if (s.Focus) s.Focus->LVS->SetFocus();
        if (s.Focus) Ui_Key(s.Key, s.Shift);
        else if (s.Key == VK_MBUTTON) SendMessageW(Form1->btnIcoBaza->Handle(), WM_MBUTTONDOWN, MK_MBUTTON, 0);
        else Ui_Click(Form1->btnIcoBaza->Handle(), -1, -1, s.Key == VK_RBUTTON);
        EXPECT_EQ(line(IcoBaza_Text_Get(), ExcludeTrailingPathDelimiter(elm->LVS->Path()),
                       ExcludeTrailingPathDelimiter(ico->LVS->Path())), line(s.Base, s.Elm, s.Ico)) << s.Key;
    }
    String chooser = L"Open new folder as icons base|";
    EXPECT_EQ(N(seen), N(L"|" + chooser + chooser + L"pmBaza|" + chooser));
    // The settings window's box shows the base, and what is typed there is the base.
    EXPECT_EQ(N(FormSettings->edBaza->Text()), N(base));
    FormSettings->edBaza->SelectAll();
    FormSettings->edBaza->SetSelText(L"%exe\\typed");
    EXPECT_EQ(N(IcoBaza_Text_Get()), "%exe\\typed");
    EXPECT_EQ(FormSettings->edBaza->SelStart(), 10) << "the caret stays where the typing left it";
    bool close = true;
    Form1->FormCloseQuery(Form1, close);
    EXPECT_NE(ReadFileBytes(Settings_FileName()).find("IcoBaza=%exe\\typed"), std::string::npos);
    ShellDialog_Free();
    Program_End();
}
