// The explorer pane on real windows: two panes sharing their keys, the style
// menu and button in step with the view, the up button, the address bar's
// layout and the language texts.
#include "Clipbrd.h"
#include "CommandImages.h"
#include "ShellDoor.h"
#include "WindowDriver.h"
#include "xaFrameExplorer.h"
#include "xaLanguageUni.h"
#include "xaModulControls.h"

namespace {
// A window with two panes side by side, as the main window holds them.
struct TTwoPanes {
    TForm form{nullptr};
    TFrExplorer* pane[2];
    std::vector<String> ran;  // "0 ActRename": which pane's action ran
    TTempDir dir;
    TTwoPanes()
    {
        form.SetBounds(20, 20, 1000, 460);
        for (int i = 0; i < 2; ++i) {
            pane[i] = new TFrExplorer(&form);
            pane[i]->SetBounds(i * 490, 0, 480, 420);
            pane[i]->SetParent(&form);
        }
        form.Show();
    }
    // Every action of both panes records itself instead of acting.
    void record()
    {
        for (int i = 0; i < 2; ++i)
            for (int a = 0; a < pane[i]->al->ActionCount(); ++a) {
                TAction* act = pane[i]->al->Actions(a);
                act->OnExecute = [this, i, act](TObject*) { ran.push_back(IntToStr(i) + L" " + act->Name); };
            }
    }
    std::string take()
    {
        String s;
        for (const String& r : ran) s += (s.empty() ? L"" : L", ") + r;
        ran.clear();
        return N(s);
    }
};
}  // namespace

TEST(FrameExplorer, ShortcutsAnswerOnlyInThePaneWhoseListHasTheFocus)
{
    TTwoPanes w;
    w.record();
    const struct {
        WORD key;
        TShiftState shift;
        const char* action;
    } keys[] = {{VK_F2, 0, "ActRename"},        {VK_DELETE, 0, "ActDelete"},       {'C', ssCtrl, "ActCopy"},
                {'X', ssCtrl, "ActCut"},         {'V', ssCtrl, "ActPaste"},         {VK_F7, 0, "ActCreateFolder"},
                {VK_F6, 0, "ActCreateTxt"},      {'H', ssCtrl, "ActHideVisible"},   {'O', ssAlt, "ActOpenInExplorer"},
                {VK_F5, 0, "ActRefresh"},        {VK_F1, ssCtrl, "ActProperties"},  {'A', ssAlt, "ActPathActivate"},
                {'C', ssAlt, "ActPathCopy"},     {'V', ssAlt, "ActPathPaste"},      {'C', ssShift | ssCtrl, "ActCopySelectedFullPaths"},
                {'C', ssCtrl | ssAlt, "ActCopySelectedNamesExts"}, {VK_F12, ssAlt, "ActFolderApplication"},
                {'D', ssAlt, "ActFolderDesktop"}, {'E', ssAlt, "ActFolderMyKomp"}, {VK_RETURN, 0, "ActExecute"}};
    for (int p : {1, 0}) {
        for (const auto& k : keys) {
            w.pane[p]->LVS->SetFocus();
            Ui_Key(k.key, k.shift);
            EXPECT_EQ(w.take(), std::to_string(p) + " " + k.action) << "pane " << p << ", key " << k.action;
        }
    }
    // In the path box neither pane's shortcuts answer.
    for (const auto& k : keys) {
        w.pane[0]->ep->SetFocus();
        Ui_Key(k.key, k.shift);
        EXPECT_EQ(w.take(), "") << k.action;
    }
}

TEST(FrameExplorer, StyleMenusAndTheViewsOwnChangeKeepTheCheckedActionAndTheButtonInStep)
{
    TTwoPanes w;
    TFrExplorer& f = *w.pane[0];
    auto inStep = [&](TAction* want) {
        TAction* styles[] = {f.ActStyleTable, f.ActStyleIcons, f.ActStyleCols, f.ActStyleRows};
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(styles[i]->Checked, styles[i] == want) << N(styles[i]->Name);
            EXPECT_EQ(f.pmStyle->Items(i)->Checked, styles[i] == want) << "the menu shows the check";
            EXPECT_TRUE(f.pm->Items(11)->Items(i)->RadioItem);
        }
        EXPECT_EQ(f.tbStyle->ImageIndex(), want->ImageIndex);
    };
    inStep(f.ActStyleTable);
    // "Rows" chosen from the drop-down under the style button's arrow.
    std::vector<TModalRequest> seen;
    {
        TModalResponderScope door([&](const TModalRequest& r) {
            seen.push_back(r);
            TModalAnswer a;
            a.Result = 4;
            return a;
        });
        RECT r = f.TB->ButtonRect(*f.tbStyle);
        Ui_Click(f.TB->Handle(), r.right - 4, (r.top + r.bottom) / 2);
    }
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(N(seen[0].Caption + L": " + seen[0].Text), "pmStyle: Table\nIcons\nCols\nRows");
    EXPECT_EQ(f.LVS->ViewStyle(), vsSmallIcon);
    inStep(f.ActStyleRows);
    // "Cols" from the context menu's View submenu.
    seen.clear();
    {
        TModalResponderScope door([&](const TModalRequest& r) {
            seen.push_back(r);
            TModalAnswer a;
            a.Result = 14;  // View > Cols
            return a;
        });
        SendMessageW(f.LVS->Handle(), WM_CONTEXTMENU, (WPARAM)f.LVS->Handle(), MAKELPARAM(-1, -1));
    }
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_NE(seen[0].Text.find(L"\nView > Cols\nView > Rows\nView > -\nView > Show Hide\nAdvansed > Path"), String::npos)
        << N(seen[0].Text);
    EXPECT_EQ(f.LVS->ViewStyle(), vsList);
    inStep(f.ActStyleCols);
    f.ActStyleRows->Execute();
    inStep(f.ActStyleRows);
    // The view's own change of style (its keys and wheel call it).
    f.LVS->StyleNext();
    inStep(f.ActStyleTable);
}

TEST(FrameExplorer, UpButtonClickMiddleClickMenuAndHoverColours)
{
    TTwoPanes w;
    TFrExplorer& f = *w.pane[0];
    CreateDirectoryW((w.dir / L"Sub").c_str(), nullptr);
    f.LVS->SetPath(w.dir / L"Sub");
    Ui_Click(f.btnDirUp->Handle());
    EXPECT_EQ(f.LVS->Path(), w.dir.Path());
    PostMessageW(f.btnDirUp->Handle(), WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(4, 4));
    Application.ProcessMessages();
    EXPECT_EQ(f.LVS->Path(), L"") << "no fixed root: the drive list";

    TModalRecorder menus(0);
    SendMessageW(f.btnDirUp->Handle(), WM_CONTEXTMENU, (WPARAM)f.btnDirUp->Handle(), MAKELPARAM(50, 50));
    ASSERT_EQ(menus.Seen.size(), 1u);
    EXPECT_EQ(N(menus.Seen[0].Caption + L": " + menus.Seen[0].Text),
              "pmFavorit: Folder Desktop\nFolder My Komp\nFolder Application\n-\nOpen in explorer\n-\n"
              "Path \xd1\x81opy\nPath paste\nPath activate");

    // The pointer really over the button: the platform ends hovering where it is not.
    RECT r;
    GetWindowRect(f.btnDirUp->Handle(), &r);
    SetCursorPos(r.right + 300, r.bottom + 300);
    Ui_MouseLeave(f.btnDirUp->Handle());
    TColor before = f.btnDirUp->Color();
    EXPECT_EQ(before, f.PanelAdr->Color());
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    Ui_MouseEnter(f.btnDirUp->Handle());
    EXPECT_EQ(f.btnDirUp->Color(), (TColor)0x00FFA851);
    SetCursorPos(r.right + 300, r.bottom + 300);
    Ui_MouseLeave(f.btnDirUp->Handle());
    EXPECT_EQ(f.btnDirUp->Color(), before);
}

TEST(FrameExplorer, ToolBarButtonsRunTheirActionsAndTheCheckButtonFollowsItsAction)
{
    TTwoPanes w;
    TFrExplorer& f = *w.pane[0];
    auto click = [&](TToolButton* b) {
        RECT r = f.TB->ButtonRect(*b);
        Ui_Click(f.TB->Handle(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    };
    click(f.tbHide);
    EXPECT_TRUE(f.ActHideVisible->Checked);
    EXPECT_TRUE(f.LVS->ShowHide());
    EXPECT_TRUE(f.tbHide->Down());
    f.ActHideVisible->Execute();
    EXPECT_FALSE(f.tbHide->Down()) << "the button shows its action's state";
    EXPECT_FALSE(f.LVS->ShowHide());
    Lng_FrExplorer_Set(&f);
    w.record();
    click(f.TB->Buttons(0));
    EXPECT_EQ(w.take(), "0 ActRename");
    EXPECT_EQ(f.TB->Buttons(0)->Hint, L"Rename");
}

// The pane's tool bar is the user's to arrange: a double click opens the
// platform's customize dialog on it, whose Remove and Reset work the bar.
TEST(FrameExplorer, ToolBarIsCustomizedThroughThePlatformsDialog)
{
    TTwoPanes w;
    TToolBar& bar = *w.pane[0]->TB;
    EXPECT_TRUE(GetWindowLongW(bar.Handle(), GWL_STYLE) & CCS_ADJUSTABLE);
    auto count = [&bar] { return (int)SendMessageW(bar.Handle(), TB_BUTTONCOUNT, 0, 0); };
    auto firstId = [&bar] {
        TBBUTTON b{};
        SendMessageW(bar.Handle(), TB_GETBUTTON, 0, (LPARAM)&b);
        return b.idCommand;
    };
    const int made = count(), rename = firstId();
    ASSERT_EQ(made, bar.ButtonCount());
    std::vector<String> seen;
    std::vector<int> counts;  // after Remove, after Reset
    int firstAfterRemove = rename;
    TModalResponderScope door([&](const TModalRequest& r) {
        seen.push_back(r.Kind);
        return TModalAnswer{IDCANCEL, L"", [&](HWND dialog) {
            constexpr int kOnBar = 203, kRemove = 204, kReset = 202;  // the ids in the platform's dialog template
            SendDlgItemMessageW(dialog, kOnBar, LB_SETCURSEL, 0, 0);
            SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kOnBar, LBN_SELCHANGE), (LPARAM)GetDlgItem(dialog, kOnBar));
            SendMessageW(GetDlgItem(dialog, kRemove), BM_CLICK, 0, 0);
            counts.push_back(count());
            firstAfterRemove = firstId();
            SendMessageW(GetDlgItem(dialog, kReset), BM_CLICK, 0, 0);
            counts.push_back(count());
        }};
    });
    PostMessageW(bar.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(4, 4));
    Application.ProcessMessages();
    EXPECT_EQ(seen, std::vector<String>{L"CustomizeToolbar"});
    EXPECT_EQ(counts, (std::vector<int>{made - 1, made}));
    EXPECT_NE(firstAfterRemove, rename) << "Rename taken off the bar";
    EXPECT_EQ(firstId(), rename) << "and put back by Reset";
}

TEST(FrameExplorer, PathCopyPasteRefreshAndDeleteRunInThePane)
{
    TTwoPanes w;
    TFrExplorer& f = *w.pane[1];
    f.LVS->SetFocus();
    Clipboard().SetAsText(L"something");
    Ui_Key('C', ssAlt);
    EXPECT_EQ(Clipboard().AsText(), L"") << "the drive list has no folder";
    Clipboard().SetAsText(w.dir.Path());
    Ui_Key('V', ssAlt);
    EXPECT_EQ(f.LVS->Path(), w.dir.Path());
    Ui_Key('C', ssAlt);
    EXPECT_EQ(Clipboard().AsText(), w.dir.Path());
    WriteFileBytes(w.dir / L"new.txt", "");
    Ui_Key(VK_F5);
    ASSERT_TRUE(f.LVS->FindTeloID(L"new.txt")) << "F5 lists a file made outside";
    f.LVS->FindTeloID(L"new.txt")->Selected = true;
    TModalRecorder boxes(IDCANCEL);  // the name boxes of rename, new text file and new folder
    for (WORD key : {VK_F2, VK_F6, VK_F7}) Ui_Key(key);
    ASSERT_EQ(boxes.Seen.size(), 3u);
    EXPECT_EQ(boxes.Seen[0].Text + boxes.Seen[1].Text + boxes.Seen[2].Text, L"new.txt1.txtnew");
    String ops;  // what the shell is asked to delete, not done
    TFileOpDoorScope door([&](SHFILEOPSTRUCTW& op) { return ops = op.pFrom, 1; });
    Ui_Key(VK_DELETE);
    EXPECT_EQ(ops, w.dir / L"new.txt");
    // Left as found: under Wine a middle click in an edit pastes the clipboard.
    Clipboard().Clear();
}

TEST(FrameExplorer, AddressBarFollowsTheFontForBothBorderStyles)
{
    TTwoPanes w;
    TFrExplorer& f = *w.pane[0];
    for (int height : {-11, -24})
        for (TBorderStyle border : {bsNone, bsSingle}) {
            f.ep->Font.SetHeight(height);
            f.ep->SetBorderStyle(border);
            f.Sizing();
            int h = Text_Height(L"C\\A:BCDEFG!!@%$", f.ep->Font);
            SCOPED_TRACE(testing::Message() << "font " << height << (border == bsNone ? " no border" : " border"));
            EXPECT_EQ(f.PanelAdr->Height(), h + (border == bsNone ? 6 : 5));
            EXPECT_EQ(f.btnDirUp->Height(), border == bsNone ? h + 2 : h + 6);
            EXPECT_EQ(f.ep->Left(), border == bsNone ? 35 : 34);
            EXPECT_EQ(f.ep->Left() + f.ep->Width(), f.PanelAdr->Width());
            EXPECT_EQ(f.LVS->Top(), f.PanelAdr->Height()) << "the list view starts under the bar";
        }
}

TEST(FrameExplorer, LanguageTextsZebraRowsUnfocusedSelectionAndToolBarSwitch)
{
    TTwoPanes w;
    TFrExplorer& f = *w.pane[0];
    String saved = lvs_HideVisible;
    lvs_HideVisible = L"Versteckte";
    Lng_FrExplorer_Set(&f);
    lvs_HideVisible = saved;
    EXPECT_EQ(f.ActHideVisible->Caption, L"Versteckte");
    EXPECT_EQ(f.ActHideVisible->Hint, L"Versteckte");
    EXPECT_EQ(f.pm->Items(11)->Items(5)->Caption, L"Versteckte") << "the menu item follows its action";
    EXPECT_EQ(f.LVS->Columns[2].Caption(), L"Size");
    EXPECT_EQ(f.ActPathActivate->Caption, L"Path activate") << "not a translated action";

    for (const wchar_t* name : {L"a.txt", L"b.txt"}) WriteFileBytes(w.dir / name, "");
    f.LVS->SetPath(w.dir.Path());
    bool draw = true;
    f.LVS->Canvas.Brush.Color = clWhite;
    f.LVS->OnCustomDrawItem(f.LVS, f.LVS->Items.Item(1), 0, draw);
    EXPECT_EQ(f.LVS->Canvas.Brush.Color, (TColor)0xFAFAFA) << "odd rows striped";
    // A selection stays in sight while the other pane has the focus.
    f.LVS->Items[0].Selected = true;
    w.pane[1]->LVS->SetFocus();
    RECT row{};
    ListView_GetItemRect(f.LVS->Handle(), 0, &row, LVIR_BOUNDS);
    RedrawWindow(f.LVS->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    HDC dc = GetDC(f.LVS->Handle());
    COLORREF drawn = GetPixel(dc, row.left + 300, (row.top + row.bottom) / 2), back = ColorToRGB(f.LVS->Color());
    int apart = abs(GetRValue(drawn) - GetRValue(back)) + abs(GetGValue(drawn) - GetGValue(back)) +
                abs(GetBValue(drawn) - GetBValue(back));
    EXPECT_GE(apart, 90) << "the unfocused selection must stand out, drawn " << std::hex << drawn;
    ReleaseDC(f.LVS->Handle(), dc);

    int below = f.LVS->Top() + f.LVS->Height();
    f.ActPanelButtons->Execute();
    EXPECT_FALSE(f.TB->Visible());
    EXPECT_EQ(f.LVS->Top() + f.LVS->Height(), f.ClientHeight()) << "no margin without the tool bar";
    f.ActPanelButtons->Execute();
    EXPECT_TRUE(f.TB->Visible());
    EXPECT_EQ(f.LVS->Top() + f.LVS->Height(), below);
    EXPECT_EQ(f.TB->Top() - below, 6 + 8);
    Ui_Shot(f.Handle(), L"pane");
}
