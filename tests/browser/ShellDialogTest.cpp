// The folder chooser: made on first use and kept, answered by keys on the
// real window, its state in settings.ini once the program ends.
#include "IniFiles.h"
#include "WindowDriver.h"
#include "xaModulPath.h"
#include "xaModulStrings.h"
#include "xaShellDialog.h"

namespace {
struct TChooserRun {
    TTempDir prog, data;
    TProgDirOverride over{prog.Path() + L"\\"};
    TChooserRun() { ShellDialog_Free(); }
    ~TChooserRun() { ShellDialog_Free(); }
};
}  // namespace

TEST(ShellDialog, StarReopensTheSavedFolderOkWithRowsAndWithoutEscAndTheSecondCaller)
{
    TChooserRun run;
    for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.txt"}) WriteFileBytes(run.data / name, "");
    WriteFileBytes(Settings_FileName(), "[LVS_xaShellDialog]\r\nHideVisible=1\r\nPath=" + N(run.data.Path()) + "\r\n");

    TStringList got;
    bool ok = false;
    {
        TModalDriver door(L"TFormXaShellDialog", [&](HWND) {
            TxaShellListView& lv = *FormXaShellDialog->fre->LVS;
            EXPECT_EQ(lv.Path(), run.data.Path());
            EXPECT_TRUE(FormXaShellDialog->fre->ActHideVisible->Checked) << "as loaded";
            lv.SetFocus();
            lv.Items[0].Selected = true;
            lv.Items[2].Selected = true;
            Ui_Key(VK_RETURN, ssAlt);
            EXPECT_EQ(FormXaShellDialog->WindowState(), wsMaximized);
            Ui_Key(VK_F11);
            EXPECT_EQ(FormXaShellDialog->WindowState(), wsNormal);
            Ui_Shot(FormXaShellDialog->Handle(), L"chooser");
            Ui_Key(VK_RETURN, ssCtrl);
        });
        ok = ShellDialog_SelectList(got, L"Add elements", L"*");
        ASSERT_EQ(door.Seen.size(), 1u);
        EXPECT_EQ(door.Seen[0].Caption, L"Add elements");
    }
    EXPECT_TRUE(ok);
    EXPECT_EQ(N(Strs_Join(got, L"|")), N(run.data / L"a.txt" + L"|" + run.data / L"c.txt"));

    // The second caller: its own caption, where the first left, InitialDir unused.
    WriteFileBytes(run.data / L"d.txt", "");
    String path = L"unchanged";
    {
        TModalDriver door(L"TFormXaShellDialog", [&](HWND) {
            EXPECT_EQ(FormXaShellDialog->Caption(), L"Icons base");
            EXPECT_TRUE(FormXaShellDialog->fre->LVS->FindTeloID(L"d.txt")) << "listed again";
            FormXaShellDialog->fre->LVS->SetFocus();
            FormXaShellDialog->fre->LVS->ClearSelection();
            Ui_Key(VK_RETURN, ssCtrl);
        });
        EXPECT_TRUE(ShellDialog_SelectPath(path, L"Icons base", L"C:\\"));
    }
    EXPECT_EQ(path, run.data.Path()) << "nothing selected: the open folder";

    // Esc: false, the caller's path kept; the selection still reaches the list.
    {
        TModalDriver door(L"TFormXaShellDialog", [&](HWND) {
            FormXaShellDialog->fre->LVS->Items[1].Selected = true;
            FormXaShellDialog->fre->LVS->SetFocus();
            Ui_Key(VK_ESCAPE);
        });
        EXPECT_FALSE(ShellDialog_SelectPath(path, L"Icons base", L"*"));
        EXPECT_FALSE(ShellDialog_SelectList(got, L"Again", L"*"));
    }
    EXPECT_EQ(path, run.data.Path());
    EXPECT_EQ(N(Strs_Join(got, L"|")), N(run.data / L"b.txt"));

    // The program's end keeps the pane's folder and the placement.
    FormXaShellDialog->fre->LVS->SetViewStyle(vsList);
    ShellDialog_Free();
    EXPECT_EQ(FormXaShellDialog, nullptr);
    TIniFile ini(Settings_FileName());
    EXPECT_EQ(ini.ReadString(L"LVS_xaShellDialog", L"Path", L""), run.data.Path());
    EXPECT_EQ(ini.ReadInteger(L"LVS_xaShellDialog", L"Style", -1), 2);
    EXPECT_GE(ini.ReadInteger(L"FormXaShellDialog", L"Width", 0), 600);
    EXPECT_TRUE(ini.ValueExists(L"FormXaShellDialog", L"Maximized"));
}

TEST(ShellDialog, WithoutSettingsItOpensOnTheDrivesWhereOkGivesTheEmptyFolder)
{
    TChooserRun run;
    TStringList got;
    {
        TModalDriver door(L"TFormXaShellDialog", [&](HWND) {
            TFrExplorer& fre = *FormXaShellDialog->fre;
            EXPECT_EQ(fre.LVS->Path(), L"");
            EXPECT_FALSE(fre.LVS->ExecuteFile());
            EXPECT_TRUE(fre.ActStyleTable->Checked);
            fre.LVS->SetFocus();
            fre.LVS->ClearSelection();
            Ui_Key(VK_RETURN, ssCtrl);
        });
        EXPECT_TRUE(ShellDialog_SelectList(got, L"Pick", L"*"));
    }
    ASSERT_EQ(got.Count(), 1);
    EXPECT_EQ(got[0], L"");
    // Answered unseen by a responder, as other windows' tests answer it.
    for (int answer : {IDCANCEL, IDOK}) {
        TModalRecorder door(answer);
        EXPECT_EQ(ShellDialog_SelectList(got, L"Pick", L"*"), answer == IDOK);
        EXPECT_EQ(got.Count(), answer == IDOK ? 1 : 0);
    }
}

// Without a stored place it opens centred; moved, the next call finds it
// where the user left it, and the end of the program keeps that place.
TEST(ShellDialog, AMovedChooserOpensWhereItWasLeftAndTheEndKeepsThatPlace)
{
    TChooserRun run;
    std::vector<RECT> shown;
    TModalDriver door(L"TFormXaShellDialog", [&](HWND w) {
        RECT r{};
        GetWindowRect(w, &r);
        shown.push_back(r);
        if (shown.size() == 1) SetWindowPos(w, nullptr, r.left + 40, r.top - 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        Ui_Key(VK_ESCAPE);
    });
    String path;
    for (int i = 0; i < 2; ++i) ShellDialog_SelectPath(path, L"Pick", L"*");
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].top, (GetSystemMetrics(SM_CYSCREEN) - (shown[0].bottom - shown[0].top)) / 2) << "centred at first";
    EXPECT_EQ(shown[1].left, shown[0].left + 40);
    EXPECT_EQ(shown[1].top, shown[0].top - 20);
    ShellDialog_Free();
    TIniFile ini(Settings_FileName());
    EXPECT_EQ(ini.ReadInteger(L"FormXaShellDialog", L"Left", -1), (int)shown[1].left);
    EXPECT_EQ(ini.ReadInteger(L"FormXaShellDialog", L"Top", -1), (int)shown[1].top);
}
