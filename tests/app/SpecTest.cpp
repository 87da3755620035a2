// Special iconize on the real frame: the icon panel for the kinds of icon
// source, the element buttons through the modal door, and the two commands
// on real folders and the prefix's registry.
#include "Registry.h"
#include "WindowDriver.h"
#include "xaFrameSpec.h"
#include "xaModulPath.h"
#include "xaShellDialog.h"
#include "xaY.h"

#include <shlobj.h>

namespace {
String systemFile(const wchar_t* name)
{
    wchar_t dir[MAX_PATH];
    GetSystemDirectoryW(dir, MAX_PATH);
    return String(dir) + L"\\" + name;
}
// A 16 x 16 icon file of one 32-bit image.
std::string tinyIco()
{
    std::string s("\0\0\1\0\1\0\x10\x10\0\0\1\0\x20\0\x68\x04\0\0\x16\0\0\0", 22);
    s += std::string("\x28\0\0\0\x10\0\0\0\x20\0\0\0\1\0\x20\0", 16) + std::string(24, '\0');
    return s + std::string(16 * 16 * 4, '\x7F') + std::string(16 * 4, '\0');
}
int iconCount(const String& file) { return (int)(UINT_PTR)ExtractIconW(GetModuleHandleW(nullptr), file.c_str(), (UINT)-1); }

String linesOf(const TFrSpec& f)
{
    String s;
    for (int i = 0; i < f.elmList->Count(); ++i) s += (i ? L"|" : L"") + f.elmList->Items(i);
    return s;
}

// The test's own file types, gone from the registry afterwards.
struct TTestTypes {
    ~TTestTypes()
    {
        for (const wchar_t* key : {L".dolvtest1", L"dolvtest1file", L".dolvtest2", L"dolvtest2file"})
            Reg_DeleteTree(HKEY_CLASSES_ROOT, key);
    }
};

struct TSpecWindow {
    TTempDir prog, dir;
    TProgDirOverride over{prog.Path() + L"\\"};
    TForm form{nullptr};
    TFrSpec* f = new TFrSpec(&form);
    TSpecWindow()
    {
        form.SetBounds(30, 30, 600, 520);
        f->SetParent(&form);
        f->SetAlign(alClient);
        form.Show();
    }
    String lines() const { return linesOf(*f); }
    void setLines(std::initializer_list<String> lines)
    {
        f->elmList->Clear();
        for (const String& l : lines) f->elmList->AddItem(l);
    }
};
}  // namespace

TEST(Spec, IconPanelForEachKindOfSourceAndTheIndexKeptInRange)
{
    TSpecWindow w;
    TFrSpec& f = *w.f;
    String shell32 = systemFile(L"shell32.dll"), ico = w.dir / L"a.ico", noIcons;
    for (const wchar_t* name : {L"version.dll", L"kernel32.dll", L"user32.dll"})
        if (noIcons.empty() && iconCount(systemFile(name)) == 0) noIcons = systemFile(name);
    // A type whose icon lies in a library of another extension, at index 4.
    CopyFileW(shell32.c_str(), (w.dir / L"lib.cpl").c_str(), FALSE);
    WriteFileBytes(ico, tinyIco());
    WriteFileBytes(w.dir / L"x.dolvtest1", "x");
    TTestTypes types;
    TRegistry reg;
    reg.RootKey = HKEY_CLASSES_ROOT;
    ASSERT_TRUE(reg.OpenKey(L".dolvtest1\\DefaultIcon", true));
    reg.WriteString(L"", w.dir / L"lib.cpl,4");
    reg.CloseKey();
    const struct {
        String path, box;
        int items;
        bool list, index, picture;
        const char* apply;  // the index that Iconize Do would apply, or "" for none
    } cases[] = {
        {shell32, shell32, iconCount(shell32), true, true, true, "0"},
        {w.dir / L"x.dolvtest1", w.dir / L"lib.cpl", iconCount(shell32), true, true, true, "4"},
        {w.dir / L"gone.ico", L"", 0, false, false, false, ""},
        {L"", L"", 0, false, false, false, ""},
        {ico, ico, 0, false, false, true, "0"},
        {noIcons, noIcons, 0, true, false, false, ""},
    };
    for (const auto& c : cases) {
        if (c.path.empty() && &c == &std::end(cases)[-1]) continue;  // no library without icons in this prefix
        SCOPED_TRACE(N(c.path));
        f.icoListRefresh(c.path, 0);
        EXPECT_EQ(f.edIcoPath->Text(), c.box);
        EXPECT_EQ(f.icoList->Items.Count(), c.items);
        EXPECT_EQ(f.icoList->Visible(), c.list);
        EXPECT_EQ(f.SpinIcoIndex->Visible(), c.index);
        EXPECT_EQ(f.labIndex->Visible(), c.index);
        EXPECT_EQ(f.Image32->Visible() && f.Image32->Icon(), c.picture);
        String file, index;
        EXPECT_EQ(f.ChosenIcon(file, index) ? N(index) : "", c.apply);
    }
    // Icon 4 chosen in the list, then an index beyond the last typed in.
    f.icoListRefresh(shell32, 0);
    RECT r{};
    r.left = LVIR_ICON;
    SendMessageW(f.icoList->Handle(), LVM_GETITEMRECT, 4, (LPARAM)&r);
    Ui_Click(f.icoList->Handle(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    EXPECT_EQ(f.SpinIcoIndex->Value(), 4);
    EXPECT_TRUE(f.Image32->Icon());
    Ui_Shot(w.form.Handle(), L"special");
    f.SpinIcoIndex->SetFocus();
    f.SpinIcoIndex->SelectAll();
    Ui_Type(L"100000");
    EXPECT_EQ(f.SpinIcoIndex->Value(), iconCount(shell32) - 1);
    EXPECT_TRUE(f.icoList->Items[iconCount(shell32) - 1].Selected);
    // A path typed over the listed one applies no index until Enter lists it.
    CopyFileW(shell32.c_str(), (w.dir / L"copy.dll").c_str(), FALSE);
    f.edIcoPath->SetText(w.dir / L"copy.dll");
    String file, index;
    EXPECT_FALSE(f.ChosenIcon(file, index));
    f.edIcoPath->SetFocus();
    Ui_Key(VK_RETURN);
    EXPECT_TRUE(f.ChosenIcon(file, index));
    EXPECT_EQ(N(file + L"," + index), N(w.dir / L"copy.dll,0"));
}

TEST(Spec, ElementListAddedFromTheChooserEditedAndDeleted)
{
    TSpecWindow w;
    TFrSpec& f = *w.f;
    ShellDialog_Free();
    CreateDirectoryW((w.dir / L"Data").c_str(), nullptr);
    for (const wchar_t* name : {L"readme.TXT", L"tool.exe"}) WriteFileBytes(w.dir / name, "x");
    TModalDriver chooser(L"TFormXaShellDialog", [&](HWND) {
        TxaShellListView& lv = *FormXaShellDialog->fre->LVS;
        lv.SetPath(w.dir.Path());
        lv.SetFocus();
        lv.SelectAll();
        Ui_Key(VK_RETURN, ssCtrl);
    });
    Ui_Click(f.btnElmAdd->Handle());
    ASSERT_EQ(chooser.Seen.size(), 1u);
    EXPECT_EQ(chooser.Seen[0].Caption, L"Выберите файлы и папки, которым хотите назначить новую иконку");
    EXPECT_EQ(N(w.lines()), N(L".TXT|" + w.dir / L"Data"));
    std::vector<String> asked;
    for (auto [line, typed, want] : {std::tuple{0, L"JPG", L".jpg|"}, {1, L"C:\\Data2", L".jpg|C:\\Data2"}}) {
        TModalResponderScope door([&, typed = typed](const TModalRequest& r) {
            asked.push_back(r.Caption + L":" + r.Text);
            return TModalAnswer{IDOK, typed, nullptr};
        });
        for (int i = 0; i < f.elmList->Count(); ++i) f.elmList->SetSelected(i, i == line);
        Ui_Click(f.btnElmEdit->Handle());
        EXPECT_EQ(N(w.lines()).substr(0, strlen(N(want).c_str())), N(want));
    }
    EXPECT_EQ(N(asked[0] + L"|" + asked[1]), N(L"Редактирование:TXT|Редактирование:" + w.dir / L"Data"));
    f.elmList->SetSelected(1, false);
    f.elmList->SetSelected(0, true);
    Ui_Click(f.btnElmDelete->Handle());
    EXPECT_EQ(N(w.lines()), "C:\\Data2");
    ShellDialog_Free();
}

TEST(Spec, CommandsRefuseWithoutElementsOrIconThenApplyAndClearEveryLine)
{
    TSpecWindow w;
    TFrSpec& f = *w.f;
    TTestTypes types;
    String folder = w.dir / L"Data", shell32 = systemFile(L"shell32.dll"), ini = folder + L"\\Desktop.ini";
    CreateDirectoryW(folder.c_str(), nullptr);
    auto iniIcon = [&] {
        wchar_t file[MAX_PATH] = L"", index[16] = L"";
        GetPrivateProfileStringW(L".ShellClassInfo", L"IconFile", L"", file, MAX_PATH, ini.c_str());
        GetPrivateProfileStringW(L".ShellClassInfo", L"IconIndex", L"", index, 16, ini.c_str());
        return String(file) + L"," + index;
    };
    auto typeIcon = [] {
        TRegistry reg(KEY_READ);
        reg.RootKey = HKEY_CLASSES_ROOT;
        return reg.OpenKeyReadOnly(L".dolvtest2\\DefaultIcon") ? reg.ReadString(L"") : L"<none>";
    };
    auto run = [&](bool iconize) {
        TModalRecorder door;
        bool ran = iconize ? FrSpec_Iconize(f, false, true) : FrSpec_Clear(f, true);
        EXPECT_EQ(door.Seen.size(), 1u);
        return (ran ? "ran: " : "refused: ") + (door.Seen.empty() ? "" : N(door.Seen[0].Text)) +
               (door.Seen.empty() || door.Seen[0].Color == (ran ? clYSuccess : clYError) ? "" : " (colour)");
    };
    EXPECT_EQ(run(true), "refused: " + N(L"нет элементов для иконизации"));
    EXPECT_EQ(run(false), "refused: " + N(L"Не выделено элементов для сброса иконок"));
    w.setLines({folder, L".dolvtest2"});
    EXPECT_EQ(run(true), "refused: " + N(L"Выберите иконку, которой хотите иконизировать (.ico .icl .dll .exe)"));
    EXPECT_EQ(N(iniIcon() + L"|" + typeIcon()), ",|<none>");
    f.icoListRefresh(shell32, 0);
    f.SpinIcoIndex->SetValue(4);
    EXPECT_EQ(run(true), "ran: " + N(L"Иконка успешно назначена!"));
    EXPECT_EQ(N(iniIcon() + L"|" + typeIcon()), N(shell32 + L",4|" + shell32 + L",4"));
    w.setLines({L".dolvtest2"});
    EXPECT_EQ(run(false), "ran: " + N(L"Иконка успешно сброшена!"));
    EXPECT_EQ(N(typeIcon()), N(shell32 + L",4")) << "file types are not cleared";
    w.setLines({folder});
    EXPECT_EQ(run(false), "ran: " + N(L"Иконка успешно сброшена!"));
    EXPECT_EQ(N(iniIcon()), ",");
}
