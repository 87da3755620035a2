// Reading back the icon an element shows: folders, shortcuts, icon files and
// file types through their class, the user's chosen class or the user's own
// value, each step on the registry the steps before it left.
#include "IconizeTestSupport.h"
#include "Registry.h"
#include "xaModul.h"

namespace {

const HKEY CR = HKEY_CLASSES_ROOT, CU = HKEY_CURRENT_USER;

// A shortcut named Lnk to Target, made by the program's own routine.
void MakeShortcut(const String& lnk, const String& target)
{
    String made = ExtractFilePath(lnk) + File_NameNoExt(target) + L".lnk";
    Lnk_Create(target, ExcludeTrailingPathDelimiter(ExtractFilePath(lnk)), L"", L"");
    ASSERT_TRUE(made == lnk || MoveFileW(made.c_str(), lnk.c_str())) << N(lnk);
}

TEST(ReadElement, ElementsAndTypesGiveTheirIcon)
{
    TTempDir root;
    TRegSnapshot keepCr{CR, {L".dolvr", L"dolvrfile", L"DolvRChosen", L".dolvq", L"dolvqfile", L"DolvQChosen",
                             L".dolvp", L"dolvpfile", L".dolvs", L"dolvsfile"}};
    TRegSnapshot keepCu{CU, {Iconize_FileExtsKey(L"dolvr"), Iconize_FileExtsKey(L"dolvq")}};
    String folder = root / L"F", shell32 = SystemFile(L"shell32.dll"), user32 = SystemFile(L"user32.dll");
    for (const wchar_t* d : {L"F", L"plain"}) CreateDirectoryW((root / d).c_str(), nullptr);
    WriteFileBytes(root / L"i.ico", TinyIco());
    for (const wchar_t* f : {L"p.exe", L"doc.dolvr", L"a.dolvs"}) WriteFileBytes(root / f, "x");
    ASSERT_TRUE(Iconize_Folder(folder, root / L"i.ico", L"0", true));
    MakeShortcut(root / L"toF.lnk", folder);
    MakeShortcut(root / L"toP.lnk", root / L"p.exe");
    MakeShortcut(root / L"toIco.LNK", root / L"pic.ico");
    String rChoice = Iconize_FileExtsKey(L"dolvr") + L"\\UserChoice", qExts = Iconize_FileExtsKey(L"dolvq");
    struct TSet { HKEY Root; String Key, Name, Value; DWORD Type = REG_SZ; };
    // Ask: an element's path, or ".ext" for the type alone; "no" heads a miss.
    const struct { std::vector<TSet> Sets; String Ask, Expect; } steps[] = {
        {{}, root / L"missing.ico", root / L"missing.ico,0"},  // an icon file is not tested for existence
        {{}, root / L"p.exe", root / L"p.exe,0"},
        {{}, root / L"gone.dll", L"no untouched,42"},
        {{}, root / L"toF.lnk", folder + L"\\Desktop.ico,0"},  // shortcuts are followed one level
        {{}, root / L"toP.lnk", root / L"p.exe,0"},
        {{}, root / L"toIco.LNK", root / L"pic.ico,0"},
        {{}, root / L"plain", L"no untouched,42"},
        {{{CR, L".dolvr", L"", L"dolvrfile"}, {CR, L"dolvrfile\\DefaultIcon", L"", shell32 + L",7"}},
         root / L"doc.dolvr", shell32 + L",7"},
        // the user's chosen class wins over the extension's class
        {{{CU, rChoice, L"Progid", L"DolvRChosen"}, {CR, L"DolvRChosen\\DefaultIcon", L"", L"\"" + shell32 + L"\",12"}},
         root / L"doc.dolvr", shell32 + L",12"},
        {{{CR, L"DolvRChosen\\DefaultIcon", L"", L"C:\\nowhere\\x.dll,1"}}, root / L"doc.dolvr", L"no untouched,42"},
        {{}, L".dolvr", L"C:\\nowhere\\x.dll,1"},  // the type alone does not ask for the file
        // no chosen class (nor an empty one): the user's own DefaultIcon
        {{{CR, L".dolvq", L"", L"dolvqfile"}, {CR, L"dolvqfile\\DefaultIcon", L"", shell32 + L",3"},
          {CU, qExts + L"\\DefaultIcon", L"", user32 + L",2"}}, L".dolvq", user32 + L",2"},
        {{{CU, qExts + L"\\UserChoice", L"Progid", L""}}, L".dolvq", user32 + L",2"},
        // a chosen class without DefaultIcon: the extension's class
        {{{CU, qExts + L"\\UserChoice", L"Progid", L"DolvQChosen"}, {CR, L"DolvQChosen", L"", L"no icon"}},
         L".dolvq", shell32 + L",3"},
        // a class named but without key: the extension's own key; once it exists, the class's
        {{{CR, L".dolvp", L"", L"dolvpfile"}, {CR, L".dolvp\\DefaultIcon", L"", user32 + L",1"}}, L".dolvp", user32 + L",1"},
        {{{CR, L"dolvpfile", L"", L"class"}}, L".dolvp", L"no untouched,42"},
        // an expandable value keeps its variable: no file of that name
        {{{CR, L".dolvs\\DefaultIcon", L"", L"%SystemRoot%\\system32\\shell32.dll,5", REG_EXPAND_SZ}}, L".dolvs",
         L"%SystemRoot%\\system32\\shell32.dll,5"},
        {{}, root / L"a.dolvs", L"no untouched,42"},
    };
    for (const auto& s : steps) {
        for (const TSet& v : s.Sets) RegSetValue(v.Root, v.Key, v.Name, v.Value, v.Type);
        String file = L"untouched";
        int index = 42;
        bool ok = s.Ask[0] == L'.' ? Iconize_Get_Ext(s.Ask.substr(1), file, index) : Iconize_Get_Element(s.Ask, file, index);
        EXPECT_EQ(N((ok ? L"" : L"no ") + file + L"," + IntToStr(index)), N(s.Expect)) << N(s.Ask);
    }
    // A value that is no text is the registry's error, not a silent miss.
    RegSetValue(CR, L".dolvs\\DefaultIcon", L"", L"\x07", REG_DWORD);
    String file;
    int index = 0;
    EXPECT_THROW(Iconize_Get_Ext(L"dolvs", file, index), ERegistryException);
    // What the engine writes is read back; a type without icon gives nothing and 0.
    TNoticeRecorder quiet;
    RegDeleteTreeQuiet(CR, L".dolvs");
    Iconize_Ext(L"dolvs", root / L"i.ico", 3);
    ASSERT_TRUE(Iconize_Get_Element(root / L"a.dolvs", file, index));
    EXPECT_EQ(N(file + L"," + IntToStr(index)), N(root / L"i.ico,3"));
    Iconize_Clear_Ext(L"dolvs");
    EXPECT_FALSE(Iconize_Get_Element(root / L"a.dolvs", file, index));
    EXPECT_EQ(N(file + L"," + IntToStr(index)), ",0");
}

}  // namespace
