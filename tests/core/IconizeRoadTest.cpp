// The iconize road's decisions, driven on real temporary folders and the test
// prefix's registry: what each element is, the index text the engine gets,
// and what became of it, for the main window's ways and the others'.
#include "IconizeRoad.h"
#include "IconizeTestSupport.h"

namespace {

const HKEY CR = HKEY_CLASSES_ROOT;
using K = TElementKind;
using W = TIconizeWhy;

class Road : public ::testing::Test {
protected:
    TTempDir root;
    TRegSnapshot keep{CR, {L"Applications\\Explorer.exe\\Drives\\Q", L".dolve", L"dolvefile", L".txt", L"txtfile",
                           L".txt\\DefaultIcon", L"txtfile\\DefaultIcon", L".", L"file", L"..", L".file",
                           L".dolvdevice", L"dolvdevicefile", L".ico\\DefaultIcon", L"icofile\\DefaultIcon"}};
    TNoticeRecorder notices;
    TModalRecorder boxes;
    String icon = root / L"i.ico";
    TIconizeOptions others, main;
    void SetUp() override
    {
        RegDeleteTreeQuiet(CR, L".dolve");
        RegDeleteTreeQuiet(CR, L"dolvefile");
        WriteFileBytes(icon, TinyIco());
        CreateDirectoryW((root / L"F").c_str(), nullptr);
        for (const wchar_t* f : {L"b.dolve", L"c.DOLVE", L"README", L"a.ico", L"p.exe", L"s.lnk"})
            WriteFileBytes(root / f, "x");
        others.CopyIco = main.CopyIco = false;
        main.FirstIconAlone = main.PassOverIconFiles = main.ClearTypes = true;
    }
    // The prefix's own type gets back the icon it had.
    void TearDown() override { Iconize_Clear_Ext(L"txt"); }
    String at(const String& text)
    {
        String s = text;
        for (size_t p; (p = s.find(L"%r")) != String::npos;) s.replace(p, 2, root.Path());
        for (size_t p; (p = s.find(L"%i")) != String::npos;) s.replace(p, 2, icon);
        return s;
    }
    // What the element holds now: a drive's or a type's DefaultIcon value,
    // a folder's IconFile,IconIndex.
    String stored(const TElementResult& r)
    {
        if (r.Kind == K::Drive) return RegValue(CR, L"Applications\\Explorer.exe\\Drives\\" + r.Name + L"\\DefaultIcon");
        if (r.Kind == K::FileType) return RegValue(CR, L"." + r.Name + L"\\DefaultIcon");
        String ini = r.Element + L"\\Desktop.ini";
        if (r.Kind == K::Folder && FileExists(ini))
            return IniValue(ini, L".ShellClassInfo", L"IconFile") + L"," + IniValue(ini, L".ShellClassInfo", L"IconIndex");
        return L"<none>";
    }
};

TEST_F(Road, EachElementsKindIndexAndResult)
{
    const struct {
        const wchar_t* Element;  // %r: the temporary folder
        bool Main;               // the main window's ways, else special iconize's and the command line's
        const wchar_t* Index;
        TElementKind Kind;
        const wchar_t* Written;  // the index text the engine got
        TIconizeWhy Why;
        const wchar_t* Stored;   // %i: the icon file; null: not looked at
        const wchar_t* Icon = L"%i";
    } rows[] = {
        // Drive roots: the main window names the file alone for the first icon.
        {L"Q:\\", false, L"-1", K::Drive, L"-1", W::Done, L"%i"},
        {L"Q:\\", false, L"0", K::Drive, L"0", W::Done, L"%i,0"},
        {L"q:", false, L"2", K::Drive, L"2", W::Done, L"%i,2"},
        {L"Q:", true, L"0", K::Drive, L"-1", W::Done, L"%i"},
        {L"Q:\\", true, L"4", K::Drive, L"4", W::Done, L"%i,4"},
        {L".dolve", true, L"-2", K::FileType, L"-2", W::Done, L"%i,-2"},  // only 0 is the first icon
        // Folders get the index text as it is, on every road.
        {L"%r\\F", false, L"-7", K::Folder, L"-7", W::Done, L"i.ico,-7"},
        {L"%r\\F", true, L"0", K::Folder, L"0", W::Done, L"i.ico,0"},
        {L"%r\\F", false, L"x", K::Folder, L"x", W::Refused, L"i.ico,0"},
        // File types, written or as an existing file's type.
        {L".dolve", false, L"1", K::FileType, L"1", W::Done, L"%i,1"},
        {L"%r\\b.dolve", false, L"3", K::FileType, L"3", W::Done, L"%i,3"},
        {L"%r\\c.DOLVE", true, L"0", K::FileType, L"-1", W::Done, L"%i"},
        {L".txt", false, L"0", K::FileType, L"0", W::Done, L"%i,0"},
        // Programs, shortcuts and (on the main window) icon files keep their own icons.
        {L"%r\\a.ico", true, L"0", K::FileType, L"", W::PassedOver, nullptr},
        {L"%r\\a.ico", false, L"0", K::FileType, L"0", W::Done, L"%1"},  // each .ico file shows itself
        {L"%r\\p.exe", false, L"0", K::FileType, L"", W::PassedOver, nullptr},
        {L"%r\\s.lnk", true, L"0", K::FileType, L"", W::PassedOver, nullptr},
        {L".LNK", false, L"0", K::FileType, L"", W::PassedOver, nullptr},
        {L"%r\\README", false, L"0", K::Nothing, L"", W::PassedOver, nullptr},  // no extension, no type
        // Nothing there.
        {L"%r\\missing", false, L"0", K::Nothing, L"", W::Nothing, nullptr},
        {L"", false, L"0", K::Nothing, L"", W::Nothing, nullptr},
        {L"\\\\nosuchserver\\share", false, L"0", K::Nothing, L"", W::Nothing, nullptr},  // no drive letter
        {L".a/b", false, L"0", K::Nothing, L"", W::Nothing, nullptr},
        {L"NUL", false, L"0", K::Nothing, L"", W::Nothing, nullptr},
        {L"%r\\COM1.dolve", false, L"0", K::Nothing, L"", W::Nothing, nullptr},  // a device, whatever its extension
        // Written as types, yet no file has them: "." would be the class ".",
        // ".." the type "." with the class ".file", the others classes of their own.
        {L".", false, L"0", K::Nothing, L"", W::Refused, nullptr},
        {L"..", true, L"0", K::Nothing, L"", W::Refused, nullptr},
        {L".a.b", false, L"0", K::Nothing, L"", W::Refused, nullptr},
        // A device is no icon file, for any kind and on every road.
        {L"%r\\F", true, L"1", K::Folder, L"", W::NoIcon, L"i.ico,0", L"NUL"},
        {L".dolvdevice", false, L"1", K::FileType, L"", W::NoIcon, L"<none>", L"COM1"},
        {L"Q:", true, L"1", K::Drive, L"", W::NoIcon, L"%i,4", L"\\\\.\\NUL"},
    };
    for (const auto& row : rows) {
        String element = at(row.Element);
        SCOPED_TRACE(N(element) + (row.Main ? " on the main window" : ""));
        TElementResult r = Iconize_Element(element, at(row.Icon), row.Index, row.Main ? main : others);
        EXPECT_EQ(N(r.Element), N(element));
        EXPECT_EQ(r.Kind, row.Kind);
        EXPECT_EQ(N(r.Index), N(row.Written));
        EXPECT_EQ(r.Outcome.Why, row.Why) << N(r.Outcome.Text);
        EXPECT_EQ(r.Outcome.Text.empty(), row.Why == W::Done || row.Why == W::Nothing || row.Why == W::PassedOver);
        if (row.Stored) {
            EXPECT_EQ(N(stored(r)), N(at(row.Stored)));
        }
    }
    EXPECT_TRUE(boxes.Seen.empty()) << "the road shows nothing";
    for (const wchar_t* key : {L".\\DefaultIcon", L"file\\DefaultIcon", L".file\\DefaultIcon", L".a.b", L".dolvdevice",
                               L"Applications\\Explorer.exe\\Drives\\\\\\DefaultIcon"})
        EXPECT_FALSE(RegKeyExists(CR, key)) << N(key);
    // A drive's or a type's index that is no number raises before anything is written.
    RegDeleteTreeQuiet(CR, L".dolve");
    EXPECT_THROW(Iconize_Element(L".dolve", icon, L"x", others), EConvertError);
    EXPECT_THROW(Iconize_Element(L"R:", icon, L"", main), EConvertError);
    EXPECT_FALSE(RegKeyExists(CR, L".dolve") || RegKeyExists(CR, L"Applications\\Explorer.exe\\Drives\\R"));
}

TEST_F(Road, ClearingTakesDrivesAndFoldersAndOnTheMainWindowTypes)
{
    ASSERT_TRUE(Iconize_Element(L"Q:", icon, L"0", others).Done());
    ASSERT_TRUE(Iconize_Element(root / L"F", icon, L"0", others).Done());
    ASSERT_TRUE(Iconize_Element(L".dolve", icon, L"0", others).Done());
    const struct {
        const wchar_t* Element;
        bool Main;
        TElementKind Kind;
        TIconizeWhy Why;
        const wchar_t* Stored;
    } rows[] = {
        {L"Q:\\", false, K::Drive, W::Done, L"<none>"},
        {L".dolve", false, K::FileType, W::PassedOver, L"%i,0"},  // special clear leaves types alone
        {L"%r\\b.dolve", false, K::FileType, W::PassedOver, L"%i,0"},
        {L"%r\\b.dolve", true, K::FileType, W::Done, L"<none>"},
        {L"%r\\F", false, K::Folder, W::Done, L"<none>"},
        {L"..", true, K::Nothing, W::Nothing, nullptr},  // no type, and no folder above the current one
        {L"%r\\README", true, K::Nothing, W::PassedOver, nullptr},
        {L"%r\\missing", false, K::Nothing, W::Nothing, nullptr},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(N(row.Element) + (row.Main ? " on the main window" : ""));
        TElementResult r = Iconize_Clear_Element(at(row.Element), row.Main ? main : others);
        EXPECT_EQ(r.Kind, row.Kind);
        EXPECT_EQ(r.Outcome.Why, row.Why);
        if (row.Stored) {
            EXPECT_EQ(N(stored(r)), N(at(row.Stored)));
        }
    }
    EXPECT_TRUE(boxes.Seen.empty());
}

// The registry's refusal to let an icon go is the element's result, on the
// roads that clear drives and types; done once the key lets go.
TEST_F(Road, ARegistryRefusalIsTheElementsResult)
{
    TRegSnapshot chain{CR, {L"Applications", L"Applications\\Explorer.exe", L"Applications\\Explorer.exe\\Drives"}};
    ASSERT_TRUE(Iconize_Element(L"Q:", icon, L"0", others).Done());
    ASSERT_TRUE(Iconize_Element(L".dolve", icon, L"0", others).Done());
    {
        TRegReadOnly drive(CR, L"Applications\\Explorer.exe\\Drives\\Q\\DefaultIcon");
        TRegReadOnly type(CR, L"dolvefile\\DefaultIcon");
        if (!drive.Refuses()) GTEST_SKIP() << "this platform writes a key whatever its security says";
        for (const auto& [element, options] : {std::pair{String(L"Q:\\"), others}, {root / L"b.dolve", main}}) {
            SCOPED_TRACE(N(element));
            TElementResult r = Iconize_Clear_Element(element, options);
            EXPECT_EQ(r.Outcome.Why, W::Refused);
            EXPECT_NE(r.Outcome.Text.find(SysErrorMessage(ERROR_ACCESS_DENIED)), String::npos) << N(r.Outcome.Text);
            String kept = r.Kind == K::Drive ? stored(r) : RegValue(CR, L"dolvefile\\DefaultIcon");
            EXPECT_EQ(N(kept), N(icon + L",0")) << "the icon stays";
        }
    }
    EXPECT_TRUE(Iconize_Clear_Element(L"Q:\\", others).Done());
    EXPECT_TRUE(Iconize_Clear_Element(root / L"b.dolve", main).Done());
    EXPECT_FALSE(RegKeyExists(CR, L"dolvefile\\DefaultIcon"));
    EXPECT_TRUE(boxes.Seen.empty());
}

// A list: each result handed over in order as it is had, the shell told of the folders once.
TEST_F(Road, AListTellsEachResultInOrderAndTheShellOnce)
{
    CreateDirectoryW((root / L"G").c_str(), nullptr);
    std::vector<String> order;
    std::vector<TElementResult> r =
        Iconize_Elements({root / L"F", root / L"missing", root / L"G"}, icon, L"0", others,
                         [&](size_t i, const TElementResult& e) { order.push_back(IntToStr((int)i) + e.Element); });
    ASSERT_EQ(r.size(), 3u);
    EXPECT_TRUE(r[0].Done() && !r[1].Done() && r[2].Done());
    EXPECT_EQ(N(order[0] + order[1] + order[2]), N(L"0" + root / L"F1" + root / L"missing2" + root / L"G"));
    EXPECT_EQ(notices.Seen().size(), 11u);
}

}  // namespace
