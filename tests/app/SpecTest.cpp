// Special iconize: the frame's icon panel for each kind of icon source, then
// the main window's special view worked with its keys, buttons and drops,
// its results checked on real folders and in the prefix's registry.
#include "IconizeTestSupport.h"
#include "LanguageTexts.h"
#include "Main.h"
#include "Program.h"
#include "Registry.h"
#include "WindowDriver.h"
#include "xaIconize.h"
#include "xaModul.h"
#include "xaY.h"

#include <shlobj.h>

namespace {
String systemFile(const wchar_t* name) { return Path_Expand(L"%windir%\\system32\\" + String(name)); }
int iconCount(const String& file) { return (int)(UINT_PTR)ExtractIconW(GetModuleHandleW(nullptr), file.c_str(), (UINT)-1); }

String linesOf(const TFrSpec& f)
{
    String s;
    for (int i = 0; i < f.elmList->Count(); ++i) s += (i ? L"|" : L"") + f.elmList->Items(i);
    return s;
}

// The program started without settings.ini for one test, and ended with it;
// the test's own file types are gone from the registry afterwards.
struct TSpecRun {
    TTempDir dir;
    TSpecRun()
    {
        DeleteFileW(Settings_FileName().c_str());
        Program_Start({L"dolv.exe"});
        Form1->SetWindowState(wsNormal);
        Form1->SetBounds(0, 0, 900, 900);
        Form1->Show();
    }
    ~TSpecRun()
    {
        Program_End();
        DeleteFileW(Settings_FileName().c_str());
        for (const wchar_t* key : {L".dolvtest1", L"dolvtest1file", L".dolvtest2", L"dolvtest2file"})
            Reg_DeleteTree(HKEY_CLASSES_ROOT, key);
    }
};

// Drops Paths onto a control as the shell does: a DROPFILES block with a wide list.
void dropFiles(TWinControl* onto, std::initializer_list<String> paths)
{
    DROPFILES head{sizeof(DROPFILES), {0, 0}, FALSE, TRUE};
    String list;
    for (const String& p : paths) list += p + L'\0';
    HGLOBAL h = GlobalAlloc(GHND, sizeof head + (list.size() + 1) * sizeof(wchar_t));
    memcpy(TGlobalLock(h).Get(), &head, sizeof head);
    memcpy((char*)TGlobalLock(h).Get() + sizeof head, list.data(), list.size() * sizeof(wchar_t));
    PostMessageW(onto->Handle(), WM_DROPFILES, (WPARAM)h, 0);
    Application.ProcessMessages();
}

// Selects the lines, then clicks the button.
void onLines(TFrSpec& f, std::initializer_list<int> lines, TSpeedButton* button)
{
    for (int i = 0; i < f.elmList->Count(); ++i)
        f.elmList->SetSelected(i, std::find(lines.begin(), lines.end(), i) != lines.end());
    Ui_Click(button->Handle());
}

// Enter with the keys of Shift held, pressed on the frame's list: the boxes it told, each with
// its colour, as "text green|text red".
std::string pressOnList(TFrSpec& f, TShiftState shift)
{
    TModalRecorder boxes;
    f.elmList->SetFocus();
    Ui_Key(VK_RETURN, shift);
    std::string told;
    for (const TModalRequest& b : boxes.Seen) {
        if (!told.empty()) told += "|";
        told += N(b.Text);
        told += b.Color == clYSuccess ? " green" : b.Color == clYError ? " red" : " ?";
    }
    return told;
}
}  // namespace

TEST(Spec, IconPanelForEachKindOfSourceAndTheIndexKeptInRange)
{
    TSpecRun w;
    TFrSpec& f = *Form1->FrSpec1;
    String shell32 = systemFile(L"shell32.dll"), noIcons = systemFile(L"version.dll");
    String ico = ExtractFilePath(ExcludeTrailingPathDelimiter(Prog_Dir())) + L"icons\\folder.ico";  // the program's own
    // A type whose icon lies in a library of another extension, at index 4.
    CopyFileW(shell32.c_str(), (w.dir / L"lib.cpl").c_str(), FALSE);
    WriteFileBytes(w.dir / L"x.dolvtest1", "x");
    String value = w.dir / L"lib.cpl,4";
    ASSERT_EQ(RegSetKeyValueW(HKEY_CLASSES_ROOT, L".dolvtest1\\DefaultIcon", nullptr, REG_SZ, value.c_str(),
                              (DWORD)(value.size() + 1) * 2), ERROR_SUCCESS);
    auto applied = [&] {
        String file, index;
        return f.ChosenIcon(file, index) ? N(file + L"," + index) : "";
    };
    // What the panel shows: the box, the icons listed, the list, the index
    // widgets and the picture shown (+) or hidden (-), and what would be applied.
    auto shown = [&](const String& path) {
        f.icoListRefresh(path, 0);
        auto v = [](bool b) { return b ? "+" : "-"; };
        return N(f.edIcoPath->Text()) + " " + std::to_string(f.icoList->Items.Count()) + v(f.icoList->Visible()) +
               v(f.SpinIcoIndex->Visible() && f.labIndex->Visible()) + v(f.Image32->Visible() && f.Image32->Icon()) +
               " " + applied();
    };
    std::string n = std::to_string(iconCount(shell32)), cpl = N(w.dir / L"lib.cpl");
    EXPECT_EQ(shown(shell32), N(shell32) + " " + n + "+++ " + N(shell32) + ",0");
    EXPECT_EQ(shown(w.dir / L"x.dolvtest1"), cpl + " " + n + "+++ " + cpl + ",4");
    EXPECT_EQ(shown(w.dir / L"gone.ico"), " 0--- ");
    EXPECT_EQ(shown(L""), " 0--- ");
    EXPECT_EQ(shown(ico), N(ico) + " 0--+ " + N(ico) + ",0");
    if (!iconCount(noIcons)) {  // a library without icons in this prefix
        EXPECT_EQ(shown(noIcons), N(noIcons) + " 0+-- ");
    }
    // Icon 4 chosen in the list, then an index beyond the last typed in.
    FrSpec_Load(*Form1, nullptr, shell32);
    f.icoList->SetFocus();
    for (int i = 0; i < 4; ++i) Ui_Key(VK_RIGHT);
    EXPECT_EQ(f.SpinIcoIndex->Value(), 4);
    EXPECT_TRUE(f.Image32->Icon());
    Ui_Shot(Form1->Handle(), L"special");
    f.SpinIcoIndex->SetFocus();
    f.SpinIcoIndex->SelectAll();
    Ui_Type(L"100000");
    EXPECT_EQ(f.SpinIcoIndex->Value(), iconCount(shell32) - 1);
    EXPECT_EQ(N(f.SpinIcoIndex->Text()), std::to_string(iconCount(shell32) - 1)) << "typing on after the cap adds nothing in front";
    // A path typed over the listed one applies no index until Enter lists it.
    CopyFileW(shell32.c_str(), (w.dir / L"copy.dll").c_str(), FALSE);
    f.edIcoPath->SetText(w.dir / L"copy.dll");
    EXPECT_EQ(applied(), "");
    f.edIcoPath->SetFocus();
    Ui_Key(VK_RETURN);
    EXPECT_EQ(applied(), N(w.dir / L"copy.dll,0"));
}

TEST(Spec, MainWindowSwitchesOnCtrlTabTakesDropsAndRunsTheSpecialCommandsOnItsKeys)
{
    TSpecRun run;
    TTempDir &dir = run.dir, docs, icons;
    TForm1& m = *Form1;
    TFrSpec& f = *m.FrSpec1;
    String data = dir / L"Data", iconned = docs / L"Iconned", lib = icons / L"lib.dll";
    for (const String& d : {data, iconned}) CreateDirectoryW(d.c_str(), nullptr);
    for (const wchar_t* name : {L"readme.TXT", L"tool.exe", L"a.ico"}) WriteFileBytes(dir / name, "x");
    for (const wchar_t* name : {L"b.doc", L"x.dolvtest2"}) WriteFileBytes(docs / name, "x");
    Lnk_Create(docs / L"b.doc", dir.Path(), L"", L"");
    CopyFileW(systemFile(L"shell32.dll").c_str(), lib.c_str(), FALSE);
    ASSERT_TRUE(Iconize_Folder(iconned, lib, L"7", false));

    // The element pane's mixed selection and the icon pane's library.
    m.FrElm->LVS->SetPath(dir.Path());
    m.FrElm->LVS->SelectAll();
    m.FrIco->LVS->SetPath(icons.Path());
    m.FrIco->LVS->SelectAll();
    m.FrElm->LVS->SetFocus();
    Ui_Key(VK_TAB, ssCtrl);
    ASSERT_TRUE(m.Panel_Spec->Visible() && !m.Panel_Norm->Visible());
    EXPECT_EQ(N(linesOf(f)), N(L".doc|.TXT|" + data));
    EXPECT_EQ(N(f.edIcoPath->Text()), N(lib));
    dropFiles(f.PanelElm, {L"D:\\", data, dir / L"README.txt"});
    EXPECT_EQ(N(linesOf(f)), N(L".doc|.TXT|" + data + L"|D:\\"));
    dropFiles(f.PanelIco, {iconned, lib});
    EXPECT_EQ(N(f.edIcoPath->Text() + L"," + IntToStr(f.SpinIcoIndex->Value())), N(lib + L",7"));

    // Lines edited and deleted; a type edited into nothing or into no type
    // ("." gives "..") is refused with its reason and asked again.
    String asked;
    for (auto [line, typed] : {std::pair{1, std::vector<String>{L"", L".", L"JPG"}}, {2, {L"C:\\Data2"}}}) {
        size_t answer = 0;
        TModalResponderScope door([&, typed = typed](const TModalRequest& r) {
            if (r.Kind != L"TFormRenamer") {
                asked += L"(" + r.Text + L")|";
                return TModalAnswer{IDOK, L"", nullptr};
            }
            asked += r.Caption + L":" + r.Text + L"|";
            if (answer < typed.size() && typed[answer].empty()) {
                // Nothing typed: the whole text, selected, deleted in the real box.
                ++answer;
                return TModalAnswer{IDOK, L"", [](HWND) {
                                        Ui_Key(VK_DELETE);
                                        Ui_Key(VK_RETURN);
                                    }};
            }
            return TModalAnswer{answer < typed.size() ? IDOK : IDCANCEL, typed[std::min(answer++, typed.size() - 1)], nullptr};
        });
        onLines(f, {line}, f.btnElmEdit);
    }
    EXPECT_EQ(N(asked), N(L"Редактирование:TXT|(" + Language::Elm_NotFileType + L")|Редактирование:|(.\r\n\r\n" +
                          Language::Elm_NotFileType + L")|Редактирование:.|Редактирование:" + data + L"|"));
    EXPECT_EQ(N(linesOf(f)), N(L".doc|.jpg|C:\\Data2|D:\\"));
    onLines(f, {1, 2, 3}, f.btnElmDelete);
    dropFiles(f.PanelElm, {docs / L"x.dolvtest2", iconned});
    EXPECT_EQ(N(linesOf(f)), N(L".doc|.dolvtest2|" + iconned));

    // The commands on Ctrl+Enter and Shift+Enter, with their messages.
    String file;
    int index = 0;
    auto typeIcon = [t = String(), i = 0]() mutable {
        return Iconize_Get_Ext(L"dolvtest2", t, i) ? t + L"," + IntToStr(i) : L"<none>";
    };
    auto key = [&](TShiftState shift) { return pressOnList(f, shift); };
    onLines(f, {0}, f.btnElmDelete);
    f.SpinIcoIndex->SetValue(4);
    EXPECT_EQ(key(ssCtrl), N(L"Иконка успешно назначена! green"));
    EXPECT_TRUE(Iconize_Get_Folder(iconned, file, index));
    EXPECT_EQ(N(file + L"," + IntToStr(index) + L"|" + typeIcon()), N(iconned + L"\\Desktop.ico,4|" + lib + L",4")) << "copied, as the option is on";
    onLines(f, {0}, f.btnElmDelete);  // the folder on the first line
    EXPECT_EQ(key(ssShift), N(L"Иконка успешно сброшена! green"));
    EXPECT_FALSE(Iconize_Get_Folder(iconned, file, index));
    onLines(f, {0}, f.btnElmDelete);
    // A shortcut to a folder stands as itself and a folder removed since names nothing: no success.
    String gone = docs / L"Gone";
    CreateDirectoryW(gone.c_str(), nullptr);
    Lnk_Create(data, docs.Path(), L"", L"");
    dropFiles(f.PanelElm, {docs / L"Data.lnk", gone});
    RemoveDirectoryW(gone.c_str());
    f.elmList->AddItem(L"...");  // written as a type, yet no type: the engine's refusal comes first
    EXPECT_EQ(N(linesOf(f)), N(L"...|" + docs / L"Data.lnk|" + gone));
    EXPECT_EQ(key(ssCtrl), N(L"Not a file type:\r\n... red|нет элементов для иконизации red"));
    f.edIcoPath->SetText(L"");
    EXPECT_EQ(key(ssCtrl), N(L"Выберите иконку, которой хотите иконизировать (.ico .icl .dll .exe) red"));
    onLines(f, {0, 1, 2}, f.btnElmDelete);
    EXPECT_EQ(key(ssCtrl), N(L"нет элементов для иконизации red"));
    EXPECT_EQ(key(ssShift), N(L"Не выделено элементов для сброса иконок red"));

    // The splitter moved: the element panel keeps its new share in a resized window.
    for (UINT msg : {WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP})
        SendMessageW(f.Split->Handle(), msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(4, msg == WM_LBUTTONDOWN ? 4 : 84));
    EXPECT_GT(SplitSpec, 55);
    m.SetHeight(820);
    EXPECT_NEAR(100.0 * f.PanelElm->Height() / (f.PanelMid->Height() - f.Split->Height()), SplitSpec, 2);

    // The frame's share of a font spread; Ctrl+Tab back to the panes.
    m.Font.SetName(L"Arial");
    m.Font.SetSize(14);
    Font_Apply(m, m.Font);
    EXPECT_EQ(N(f.lbElm->Font.Name() + f.edIcoPath->Font.Name()), "ArialArial");
    EXPECT_EQ(f.lbIco->Font.Color(), (TColor)0x6D9EBC) << "the headings keep their colour";
    EXPECT_EQ(f.btnIcoOpen->Height(), f.edIcoPath->Height());
    Ui_Key(VK_TAB, ssCtrl);
    EXPECT_TRUE(m.Panel_Norm->Visible() && !m.Panel_Spec->Visible() && m.FrIco->LVS->Focused());
}

// Special clear tells its success only for what it cleared: lines it leaves
// alone (a type) or that name nothing (a folder gone) get no green box, and a
// drive whose key the registry will not let go is told with its reason.
TEST(Spec, ClearTellsSuccessOnlyForWhatItCleared)
{
    TSpecRun run;
    const String drive = L"Applications\\Explorer.exe\\Drives\\Q";
    TRegSnapshot keep(HKEY_CLASSES_ROOT, {L"Applications", L"Applications\\Explorer.exe", L"Applications\\Explorer.exe\\Drives",
                                          drive, L".dolvtest3", L"dolvtest3file"});
    TFrSpec& f = *Form1->FrSpec1;
    String icon = run.dir / L"i.ico", gone = run.dir / L"Gone";
    WriteFileBytes(icon, TinyIco());
    ASSERT_TRUE(Iconize_Ext(L"dolvtest3", icon, 0));
    Iconize_Drive(L"Q", icon, 0);
    FrSpec_Load(*Form1, nullptr, icon);
    auto clear = [&](std::initializer_list<String> lines) {
        f.elmList->Clear();
        for (const String& line : lines) f.elmList->AddItem(line);
        return pressOnList(f, ssShift);
    };
    const std::string none = N(L"Не выделено элементов для сброса иконок red");
    EXPECT_EQ(clear({gone, L".dolvtest3"}), none);
    EXPECT_EQ(N(RegValue(HKEY_CLASSES_ROOT, L".dolvtest3\\DefaultIcon")), N(icon + L",0")) << "types are left alone";
    {
        TRegReadOnly locked(HKEY_CLASSES_ROOT, drive + L"\\DefaultIcon");
        if (!locked.Refuses()) GTEST_SKIP() << "this platform writes a key whatever its security says";
        EXPECT_EQ(clear({L"Q:", L".dolvtest3"}), N(L"Could not clear the icon of drive Q:\r\nHKEY_CLASSES_ROOT\\" + drive +
                                                   L"\\DefaultIcon\r\n" + SysErrorMessage(ERROR_ACCESS_DENIED)) +
                                                     " red|" + none);
        EXPECT_EQ(N(RegValue(HKEY_CLASSES_ROOT, drive + L"\\DefaultIcon")), N(icon + L",0"));
    }
    EXPECT_EQ(clear({L"Q:", gone}), N(L"Иконка успешно сброшена! green"));
    EXPECT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, drive + L"\\DefaultIcon"));
}
