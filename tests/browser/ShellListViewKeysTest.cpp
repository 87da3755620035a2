// The list view's keys, clicks and commands, worked through its window as a user would.
#include "Clipbrd.h"
#include "Menus.h"
#include "ShellDoor.h"
#include "WindowDriver.h"
#include "xaDrag.h"
#include "xaModulFiles.h"
#include "xaModulPath.h"
#include "xaModulStrings.h"
#include "xaShell.h"
#include "xaShellListView.h"

#include <shlobj.h>

#include <sstream>

namespace {
// How many paths a data object hands to a drop (its CF_HDROP).
int dropCount(IDataObject* data)
{
    FORMATETC f{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM m{};
    if (data->GetData(&f, &m) != S_OK) return -1;
    int n = (int)DragQueryFileW((HDROP)m.hGlobal, ~0u, nullptr, 0);
    ReleaseStgMedium(&m);
    return n;
}

// A list view over D: Sub\t.txt, a.txt, b.txt, c.log, shortcuts Sub.lnk and
// LINK.LNK to Sub, t.lnk to Sub\t.txt and gone.lnk to nothing; old.txt is
// listed, then removed from the disk.
struct TKeysView {
    TForm form{nullptr};
    TxaShellListView* lv = Ui_Add<TxaShellListView>(&form, 0, 0, 600, 300);
    TTempDir dir;
    String door;  // what reached the shell door, nulls as "?"
    TShellDoorScope doorScope{[this](const TShellExecuteRequest& r) {
        door += r.Verb + L"|" + r.File + L"|" + r.Parameters +
                (r.Data ? Format(L"%d dropped", dropCount(r.Data)) : L"") + L";";
        std::replace(door.begin(), door.end(), L'\0', L'?');
        return true;
    }};
    // Deletes are recorded, not done (Wine would not show the Recycle Bin's flag).
    String ops;
    TFileOpDoorScope opScope{[this](SHFILEOPSTRUCTW& op) {
        if (op.wFunc != FO_DELETE) return SHFileOperationW(&op);
        ops += Format(L"%u %s %x", op.wFunc, op.pFrom, op.fFlags);
        return 1;
    }};
    TModalRecorder boxes{IDCANCEL};
    TKeysView()
    {
        lv->Loaded();
        lv->SetViewStyle(vsReport);
        form.SetBounds(20, 20, 620, 340);
        form.Show();
        CreateDirectoryW((dir / L"Sub").c_str(), nullptr);
        for (auto f : {L"a.txt", L"b.txt", L"c.log", L"Sub\\t.txt"}) WriteFileBytes(dir / f, "");
        for (auto t : {L"Sub", L"Sub\\t.txt", L"gone.txt"}) Lnk_Create(dir / t, dir.Path(), L"", L"");
        CopyFileW((dir / L"Sub.lnk").c_str(), (dir / L"LINK.LNK").c_str(), FALSE);
    }
    void open(const String& path, const String& ids = L"")
    {
        WriteFileBytes(dir / L"old.txt", "");
        lv->SetPath(path);
        DeleteFileW((dir / L"old.txt").c_str());
        lv->ClearSelection();
        std::wistringstream words(ids);
        for (String id; words >> id;) lv->FindTeloID(id)->Selected = true;
        lv->SetFocus();
    }
    // Posts a mouse message at a row (by identity), or at empty space.
    void post(UINT msg, WPARAM wp, const wchar_t* id, int dx = 0) const
    {
        RECT r{LVIR_LABEL, 0, 0, 0};
        if (*id) SendMessageW(lv->Handle(), LVM_GETITEMRECT, lv->FindTeloID(id)->Index(), (LPARAM)&r);
        PostMessageW(lv->Handle(), msg, wp, *id ? MAKELPARAM(r.left + 4 + dx, r.top + 4) : MAKELPARAM(300, 280));
        Application.ProcessMessages();
    }
    String selected() const
    {
        TStringList sel;
        lv->SelectedListID(sel, L"");
        return Strs_Join(sel, L" ");
    }
    std::vector<std::pair<std::string, String>> state() const
    {
        TStringList files;
        Clipboard_GetFiles(files);
        String box;
        for (auto& b : boxes.Seen) box += b.Text;
        return {{"path", lv->Path()},
                {"sel", selected()},
                {"clip", Clipboard().AsText()},
                {"files", Strs_Join(files, L" ") + Format(L" %d", Clipboard_GetDropEffect())},
                {"style", Format(L"%d", lv->TxaShellListView_StyleCode())},
                {"sort", Format(L"%d,%d", lv->SortCol(), lv->SortNap())},
                {"hide", lv->ShowHide() ? L"1" : L"0"},
                {"door", door},
                {"ops", ops},
                {"box", box}};
    }
};
}  // namespace

TEST(ShellListViewKeys, KeyTableWithExactModifierSetsAndExecute)
{
    TKeysView v;
    const std::string all = "Sub.*dir gone.lnk LINK.LNK Sub.lnk t.lnk c.log a.txt b.txt old.txt";
    const String up = Path_Parent(v.dir.Path(), false);
    const std::string box = "box=не получается запустить ярлык", sub = "path=D\\Sub sel=";
    struct {
        const wchar_t* sel;  // selected rows of D, or of the drive list when they name a drive
        WORD key;
        TShiftState shift;
        std::string want;  // the fields that changed, D for the folder
        bool executeFile = false;
    } rows[] = {
        {L"Sub.*dir", VK_RETURN, 0, sub}, {L"Sub.*dir", VK_RETURN, ssShift, ""},
        {L"C:.*dir", VK_RETURN, 0, "path=C: sel="}, {L"Sub.lnk", VK_RETURN, 0, sub}, {L"LINK.LNK", VK_RETURN, 0, sub},
        {L"gone.lnk", VK_RETURN, 0, box, true}, {L"t.lnk", VK_RETURN, 0, box},
        {L"t.lnk", VK_RETURN, 0, "door=open|D\\Sub\\t.txt|;", true},
        {L"a.txt", VK_RETURN, 0, ""}, {L"a.txt", VK_RETURN, 0, "door=open|D\\a.txt|;", true},
        {L"a.txt", VK_BACK, 0, "path=" + N(up) + " sel=" + N(ExtractFileName(v.dir.Path())) + ".*dir"},
        {L"a.txt", VK_BACK, ssAlt, "path= sel="}, {L"a.txt", VK_BACK, ssCtrl, ""}, {L"C:.*dir", VK_BACK, 0, ""},
        {L"", '1', ssCtrl, "sort=0,1"}, {L"", '2', ssCtrl, "sort=1,1"}, {L"", '3', ssCtrl, "sort=2,1"},
        {L"", '3', ssCtrl | ssShift, ""}, {L"a.txt", 'A', ssCtrl, "sel=" + all}, {L"a.txt", 'A', ssCtrl | ssAlt, ""},
        {L"a.txt", 'A', ssCtrl | ssShift, "sel=" + all.substr(0, all.find(" a.txt")) + " b.txt old.txt"},
        {L"a.txt b.txt", 'C', ssCtrl, "clip= files=D\\a.txt D\\b.txt 5"},
        {L"a.txt b.txt", 'X', ssCtrl, "clip= files=D\\a.txt D\\b.txt 2"},
        {L"a.txt", 'C', ssAlt, "clip=D"}, {L"C:.*dir", 'C', ssAlt, "clip="}, {L"", 'C', ssCtrl | ssShift, "clip="},
        {L"a.txt Sub.*dir", 'C', ssCtrl | ssShift, "clip=D\\Sub\r\nD\\a.txt\r\n"},
        {L"a.txt Sub.*dir", 'C', ssCtrl | ssAlt, "clip=Sub\r\na.txt\r\n"},
        {L"a.txt", 'C', ssCtrl | ssShift | ssAlt, ""},
        {L"a.txt", 'D', ssCtrl, "sel="}, {L"a.txt", 'D', ssAlt, "path=" + N(Desktop_Path()) + " sel="},
        {L"a.txt", 'E', ssAlt, "path= sel="}, {L"", 'H', ssCtrl, "hide=1"},
        {L"a.txt", 'V', ssAlt, sub}, {L"", 'V', ssCtrl, ""},
        {L"a.txt", 'O', ssAlt, "door=open|explorer|/select, \"D\\a.txt\" ;"},
        {L"a.txt c.log", 'O', ssAlt, "door=open|D|;"}, {L"old.txt", 'O', ssAlt, "door=open|D|;"},
        {L"C:.*dir", 'O', ssAlt, "door=|::{20D04FE0-3AEA-1069-A2D8-08002B30309D}|;"},
        {L"a.txt Sub.*dir old.txt", VK_F1, ssCtrl, "door=properties|D\\Sub?D\\a.txt?D\\old.txt??|2 dropped;"},
        {L"old.txt", VK_F1, ssCtrl, ""}, {L"", VK_F1, ssCtrl, "door=properties|D|;"},
        {L"a.txt", VK_F12, ssAlt, "path=" + N(Prog_Dir()) + " sel="},
        {L"", VK_OEM_3, ssCtrl, "style=1"}, {L"", VK_OEM_3, ssAlt, ""},
        {L"old.txt", VK_F5, 0, "sel="}, {L"a.txt", VK_F2, 0, "box=a.txt"}, {L"", VK_F6, 0, "box=1.txt"},
        {L"a.txt", VK_F7, 0, "box=a"}, {L"a.txt", VK_DELETE, 0, "ops=3 D\\a.txt 40"}, {L"a.txt", VK_DELETE, ssShift, ""},
    };
    int raised = 0;
    v.lv->OnKeyDown = [&](TObject*, WORD&, TShiftState) { ++raised; };
    for (auto& r : rows) {
        v.lv->SetShowHide(false);
        v.open(String(r.sel).starts_with(L"C:") ? L"" : v.dir.Path(), r.sel);
        v.lv->SetExecuteFile(r.executeFile);
        v.lv->Sort(1, *r.sel ? 1 : -1);  // without a selection, descending: a new sort key starts ascending
        Clipboard().SetAsText(v.dir / L"Sub");
        v.door.clear(), v.ops.clear();
        v.boxes.Seen.clear();
        auto before = v.state(), after = (Ui_Key(r.key, r.shift, v.lv->Handle()), v.state());
        String got;
        for (size_t i = 0; i < after.size(); ++i)
            if (after[i] != before[i])
                got += (got.empty() ? L"" : L" ") + FromUtf8(after[i].first) + L"=" + after[i].second;
        for (size_t at; (at = got.find(v.dir.Path())) != String::npos;)
            got.replace(at, v.dir.Path().size(), L"D");
        EXPECT_EQ(N(got), r.want) << N(r.sel) << " key " << r.key << " shift " << r.shift;
    }
    EXPECT_EQ(raised, 0) << "the table takes the place of OnKeyDown";
    // Cut, into Sub, paste: the file moved on disk and the view shows it.
    v.open(v.dir.Path(), L"a.txt");
    Ui_Key('X', ssCtrl);
    v.open(v.dir / L"Sub");
    Ui_Key('V', ssCtrl);
    EXPECT_TRUE(!FileExists(v.dir / L"a.txt") && v.lv->FindTeloID(L"a.txt"));
}

TEST(ShellListViewKeys, PressesDoubleClickAndTheRightButtonWheel)
{
    TKeysView v;
    TPopupMenu menu(nullptr);
    menu.Add(L"mi", L"Item", 0, -1, nullptr);
    v.lv->PopupMenu = &menu;
    int downs = 0, dbl = 0;
    v.lv->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++downs; };
    v.lv->OnDblClick = [&](TObject*) { ++dbl; };
    const wchar_t* three = L"a.txt b.txt c.log";
    for (auto [msg, on, want] :  // want: the selection, menus shown, OnMouseDown raised
         {std::tuple{WM_RBUTTONDOWN, L"Sub.*dir", L"Sub.*dir 1 0"}, {WM_RBUTTONDOWN, L"", L" 0 0"},
          {WM_RBUTTONDOWN, L"b.txt", L"c.log a.txt b.txt 1 0"}, {WM_MBUTTONDOWN, L"c.log", L"c.log 0 1"},
          {WM_MBUTTONDOWN, L"", L"c.log a.txt b.txt 0 0"}, {WM_LBUTTONDOWN, L"b.txt", L"b.txt 0 1"},
          {WM_LBUTTONDOWN, L"", L" 0 0"}}) {
        v.open(v.dir.Path(), three);
        v.boxes.Seen.clear();
        downs = 0;
        v.post(msg, msg == WM_LBUTTONDOWN ? MK_LBUTTON : 0, on);
        v.post(msg + 1, 0, on);
        EXPECT_EQ(N(v.selected() + Format(L" %d %d", (int)v.boxes.Seen.size(), downs)), N(want)) << msg << N(on);
        EXPECT_TRUE(!*on || msg == WM_RBUTTONDOWN || v.lv->ItemFocused() == v.lv->FindTeloID(on));
    }
    // A double click raises OnDblClick, then executes the row.
    for (UINT msg : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK}) v.post(msg, MK_LBUTTON, L"Sub.*dir");
    EXPECT_EQ(N(v.lv->Path() + Format(L" %d", dbl)), N(v.dir / L"Sub 1"));
    // The left press waits for 5 pixels; then a drag runs, which drops at once with no button held.
    SetCursorPos(0, 0);
    v.post(WM_LBUTTONDOWN, MK_LBUTTON, L"t.txt");
    v.post(WM_MOUSEMOVE, MK_LBUTTON, L"t.txt", 4);
    EXPECT_TRUE(Drag_Pressed);
    v.post(WM_MOUSEMOVE, MK_LBUTTON, L"t.txt", 5);
    EXPECT_FALSE(Drag_Pressed);
    EXPECT_TRUE(GetWindowLongPtrW(v.lv->Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES) << "drops taken again";
    v.post(WM_LBUTTONUP, 0, L"t.txt");
    // The wheel with the right button held steps the style once per message;
    // after the gesture a right click opens the menu again.
    BYTE keys[256];
    GetKeyboardState(keys);
    v.post(WM_RBUTTONDOWN, MK_RBUTTON, L"");
    for (auto [held, delta, style] : {std::tuple{true, 120, vsIcon}, {true, 120, vsList}, {true, -120, vsIcon},
                                      {true, 0, vsReport}, {false, 120, vsReport}}) {
        keys[VK_RBUTTON] = held ? 0x80 : 0;
        SetKeyboardState(keys);
        v.post(WM_MOUSEWHEEL, MAKEWPARAM(held ? MK_RBUTTON : 0, delta), L"");
        EXPECT_EQ(v.lv->ViewStyle(), style) << held << delta;
    }
    v.post(WM_RBUTTONUP, 0, L"");
    v.boxes.Seen.clear();
    v.post(WM_RBUTTONDOWN, MK_RBUTTON, L"t.txt");
    v.post(WM_RBUTTONUP, 0, L"t.txt");
    EXPECT_EQ(v.boxes.Seen.size() == 1 ? v.boxes.Seen[0].Kind : L"", L"TPopupMenu");
}
