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
struct TKeysView {
    TForm form{nullptr};
    TxaShellListView* lv = Ui_Add<TxaShellListView>(&form, 0, 0, 600, 300);
    TTempDir dir;
    String door;  // what reached the shell door, with the temporary folder as D
    TShellDoorScope doorScope{[this](const TShellExecuteRequest& r) {
        door += rel(r.Verb + L"|" + r.File + L"|" + r.Parameters + L";");
        if (r.Data) door += rel(hdrop(r.Data));
        return true;
    }};
    TKeysView()
    {
        lv->Loaded();
        lv->SetViewStyle(vsReport);
        form.SetBounds(20, 20, 620, 340);
        form.Show();
        CreateDirectoryW((dir / L"Sub").c_str(), nullptr);
        for (auto f : {L"a.txt", L"b.txt", L"c.log", L"Sub\\t.txt"}) WriteFileBytes(dir / f, "");
        Lnk_Create(dir / L"Sub", dir.Path(), L"", L"");
        CopyFileW((dir / L"Sub.lnk").c_str(), (dir / L"LINK.LNK").c_str(), FALSE);
        Lnk_Create(dir / L"Sub\\t.txt", dir.Path(), L"", L"");
        Lnk_Create(dir / L"gone.txt", dir.Path(), L"", L"");
        open(dir.Path());
    }
    String rel(String s) const
    {
        for (size_t at; (at = s.find(dir.Path())) != String::npos;) s.replace(at, dir.Path().size(), L"D");
        return s;
    }
    static String hdrop(IDataObject* data)
    {
        FORMATETC f{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        STGMEDIUM m{};
        if (data->GetData(&f, &m) != S_OK) return L"no CF_HDROP";
        String s;
        for (UINT i = 0, n = DragQueryFileW((HDROP)m.hGlobal, ~0u, nullptr, 0); i < n; ++i) {
            wchar_t name[MAX_PATH];
            DragQueryFileW((HDROP)m.hGlobal, i, name, MAX_PATH);
            s += String(name) + L";";
        }
        ReleaseStgMedium(&m);
        return s;
    }
    void open(const String& path, const String& ids = L"")
    {
        lv->SetPath(path);
        lv->ClearSelection();
        std::wistringstream words(ids);
        for (String id; words >> id;)
            if (TListItem* row = lv->FindTeloID(id)) row->Selected = true;
        lv->SetFocus();
    }
    POINT at(const String& id)
    {
        RECT r{LVIR_LABEL, 0, 0, 0};
        SendMessageW(lv->Handle(), LVM_GETITEMRECT, lv->FindTeloID(id)->Index(), (LPARAM)&r);
        return {r.left + 4, r.top + 4};
    }
    void post(UINT msg, WPARAM wp, POINT p)
    {
        PostMessageW(lv->Handle(), msg, wp, MAKELPARAM(p.x, p.y));
        Application.ProcessMessages();
    }
    std::vector<std::pair<std::string, String>> state()
    {
        TStringList sel, files;
        lv->SelectedListID(sel, L"");
        Clipboard_GetFiles(files);
        return {{"path", lv->Path()},
                {"sel", Strs_Join(sel, L" ")},
                {"clip", Clipboard().AsText()},
                {"files", Strs_Join(files, L" ") + Format(L" %d", Clipboard_GetDropEffect())},
                {"style", Format(L"%d", lv->TxaShellListView_StyleCode())},
                {"sort", Format(L"%d,%d", lv->SortCol(), lv->SortNap())},
                {"hide", lv->ShowHide() ? L"1" : L"0"},
                {"door", door}};
    }
};

// The fields that differ, as "name=value" with the temporary folder as D.
std::string changes(TKeysView& v, const std::vector<std::pair<std::string, String>>& before)
{
    std::string s;
    auto after = v.state();
    for (size_t i = 0; i < after.size(); ++i)
        if (after[i] != before[i]) s += (s.empty() ? "" : " ") + after[i].first + "=" + N(v.rel(after[i].second));
    return s;
}
}  // namespace

TEST(ShellListViewKeys, KeyTableWithExactModifierSets)
{
    TKeysView v;
    String desktop = Desktop_Path(), prog = Prog_Dir();
    struct {
        const wchar_t* sel;
        WORD key;
        TShiftState shift;
        std::string want;
    } rows[] = {
        {L"Sub.*dir", VK_RETURN, 0, "path=D\\Sub sel="},
        {L"Sub.*dir", VK_RETURN, ssShift, ""},
        {L"a.txt", VK_BACK, 0, "path=" + N(Path_Parent(v.dir.Path(), false)) + " sel=" + N(ExtractFileName(v.dir.Path())) + ".*dir"},
        {L"a.txt", VK_BACK, ssAlt, "path= sel="},
        {L"a.txt", VK_BACK, ssCtrl, ""},
        {L"", '1', ssCtrl, "sort=0,1"},
        {L"", '2', ssCtrl, "sort=1,-1"},
        {L"", '3', ssCtrl, "sort=2,1"},
        {L"", '3', ssCtrl | ssShift, ""},
        {L"a.txt", 'A', ssCtrl, "sel=Sub.*dir gone.lnk LINK.LNK Sub.lnk t.lnk c.log a.txt b.txt"},
        {L"a.txt", 'A', ssCtrl | ssShift, "sel=Sub.*dir gone.lnk LINK.LNK Sub.lnk t.lnk c.log b.txt"},
        {L"a.txt", 'A', ssCtrl | ssAlt, ""},
        {L"a.txt b.txt", 'C', ssCtrl, "clip= files=D\\a.txt D\\b.txt 5"},
        {L"a.txt b.txt", 'X', ssCtrl, "clip= files=D\\a.txt D\\b.txt 2"},
        {L"a.txt", 'C', ssAlt, "clip=D"},
        {L"a.txt Sub.*dir", 'C', ssCtrl | ssShift, "clip=D\\Sub\r\nD\\a.txt\r\n"},
        {L"a.txt Sub.*dir", 'C', ssCtrl | ssAlt, "clip=Sub\r\na.txt\r\n"},
        {L"", 'C', ssCtrl | ssShift, "clip="},
        {L"a.txt", 'C', ssCtrl | ssShift | ssAlt, ""},
        {L"a.txt", 'D', ssCtrl, "sel="},
        {L"a.txt", 'D', ssAlt, "path=" + N(desktop) + " sel="},
        {L"a.txt", 'E', ssAlt, "path= sel="},
        {L"", 'H', ssCtrl, "hide=1"},
        {L"a.txt", 'V', ssAlt, "path=D\\Sub sel="},
        {L"", 'V', ssCtrl, ""},
        {L"a.txt", 'O', ssAlt, "door=open|explorer|/select, \"D\\a.txt\" ;"},
        {L"a.txt b.txt", VK_F1, ssCtrl, "door=properties|D\\a.txt"},
        {L"", VK_F1, ssCtrl, "door=properties|D|;"},
        {L"a.txt", VK_F12, ssAlt, "path=" + N(prog) + " sel="},
        {L"", VK_OEM_3, ssCtrl, "style=1"},
        {L"", VK_OEM_3, ssAlt, ""},
    };
    for (auto& r : rows) {
        v.open(v.dir.Path(), r.sel);
        v.lv->SetViewStyle(vsReport);
        v.lv->Sort(1, 1);
        v.lv->SetShowHide(false);
        Clipboard().SetAsText(v.dir / L"Sub");
        v.door.clear();
        auto before = v.state();
        Ui_Key(r.key, r.shift, v.lv->Handle());
        std::string got = changes(v, before);
        // The Properties sheet's record holds nulls: compare up to the first.
        EXPECT_EQ(got.substr(0, got.find('\0')), r.want) << N(r.sel) << " key " << r.key << " shift " << r.shift;
    }
    // Cut, into Sub, paste: the file moved on disk and shows there.
    v.open(v.dir.Path(), L"a.txt");
    Ui_Key('X', ssCtrl);
    v.open(v.dir / L"Sub");
    Ui_Key('V', ssCtrl);
    EXPECT_TRUE(FileExists(v.dir / L"Sub\\a.txt") && !FileExists(v.dir / L"a.txt"));
    EXPECT_NE(v.lv->FindTeloID(L"a.txt"), nullptr);
}
