// Clipboard file lists through the real clipboard: the block we write is the
// documented DROPFILES layout that the shell reads, lists other programs put
// there are read inside their block, and a paste asks the shell for the
// operation the list's effect and its folder call for.
#include "Clipbrd.h"
#include "ShellOpSupport.h"
#include "xaModul.h"
#include "xaShell.h"

#include <shlobj.h>

#include <cstring>

namespace {

UINT DropEffectFormat() { return RegisterClipboardFormatW(L"Preferred DropEffect"); }

// The documented DROPFILES header, then the names, wide or not.
std::string DropBlock(const std::string& names, bool wide, DWORD at = sizeof(DROPFILES))
{
    DROPFILES df = {};
    df.pFiles = at;
    df.fWide = wide;
    return std::string((const char*)&df, sizeof df) + names;
}

std::string WideBlock(const String& list)
{
    return DropBlock(std::string((const char*)list.data(), list.size() * sizeof(wchar_t)), true);
}

// Puts raw blocks on the clipboard as another program would: its own window, its own calls.
class TForeignClipboard {
public:
    TForeignClipboard()
    {
        fWindow = CreateWindowExW(0, L"STATIC", L"other", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        EXPECT_TRUE(OpenClipboard(fWindow));
        EmptyClipboard();
    }
    ~TForeignClipboard()
    {
        CloseClipboard();
        DestroyWindow(fWindow);
    }
    void Put(UINT format, const void* data, size_t bytes)
    {
        HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes);
        memcpy(GlobalLock(h), data, bytes);
        GlobalUnlock(h);
        EXPECT_TRUE(SetClipboardData(format, h)) << "format " << format;
    }
    void PutBlock(const std::string& block) { Put(CF_HDROP, block.data(), block.size()); }
    void PutEffect(DWORD value) { Put(DropEffectFormat(), &value, sizeof value); }
    void PutText(const String& text) { Put(CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(wchar_t)); }

private:
    HWND fWindow;
};

std::string Bytes(UINT format)
{
    std::string r;
    EXPECT_TRUE(OpenClipboard(nullptr));
    if (HANDLE h = GetClipboardData(format)) {
        r.assign((const char*)GlobalLock(h), GlobalSize(h));
        GlobalUnlock(h);
    }
    CloseClipboard();
    return r;
}

// The effect value as stored on the clipboard; -1 when there is none.
int64_t StoredEffect()
{
    std::string effect = Bytes(DropEffectFormat());
    DWORD value = 0;
    if (effect.size() < sizeof value) return -1;
    memcpy(&value, effect.data(), sizeof value);
    return value;
}

TStringList List(std::initializer_list<String> items)
{
    TStringList l;
    for (const String& s : items) l.Add(s);
    return l;
}

TEST(NullList, EachItemEndsInANullAndTheListInAnother)
{
    EXPECT_EQ(Strs_ToNullList(TStringList()), String(1, L'\0'));
    EXPECT_EQ(Strs_ToNullList(List({L"C:\\x y\\z.txt", L"D:\\"})), String(L"C:\\x y\\z.txt\0D:\\\0\0", 18));
    EXPECT_EQ(Str_ToNullList(L"a"), String(L"a\0\0", 3));
}

TEST(ClipboardCopy, TheBlockIsTheDocumentedLayout)
{
    TStringList files = List({L"C:\\a b\\one.txt", L"D:\\two", L"C:\\\x0444\x0430\x0439\x043B.txt"});
    Clipboard_CopyFiles(files, kDropEffectCopy);

    std::string block = Bytes(CF_HDROP);
    String list = Strs_ToNullList(files);
    size_t expected = 20 + list.size() * 2;
    ASSERT_GE(block.size(), expected);
    // pFiles, pt.x, pt.y, fNC, fWide, then the list.
    EXPECT_EQ(block.substr(0, expected), WideBlock(list).replace(16, 4, "\xFF\xFF\xFF\xFF", 4));
    for (size_t i = expected; i < block.size(); ++i) EXPECT_EQ(block[i], 0) << "nothing follows the list";
}

TEST(ClipboardCopy, EffectValues)
{
    struct {
        uint8_t asked;
        DWORD stored;
        uint8_t read;
    } cases[] = {{2, 2, 2}, {5, 5, 5}, {0, 0, 5}, {1, 0, 5}, {7, 0, 5}, {255, 0, 5}};
    for (auto& c : cases) {
        Clipboard_CopyFiles(List({L"C:\\x.txt"}), c.asked);
        EXPECT_EQ(StoredEffect(), c.stored) << "asked " << int(c.asked);
        EXPECT_EQ(Clipboard_GetDropEffect(), c.read) << "asked " << int(c.asked);
    }
}

TEST(ClipboardCopy, NothingToCopyLeavesTheClipboardAlone)
{
    Clipboard().SetAsText(L"keep me");
    Clipboard_CopyFiles(TStringList(), kDropEffectCopy);
    Clipboard_CopyFiles(List({L""}), kDropEffectMove);
    EXPECT_EQ(N(Clipboard_GetLine()), "keep me");
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_HDROP));

    // An empty item does not cut the list short for the readers.
    Clipboard_CopyFiles(List({L"C:\\a", L"", L"C:\\b"}), kDropEffectCopy);
    TStringList back;
    Clipboard_GetFiles(back);
    ASSERT_EQ(back.Count(), 2);
    EXPECT_EQ(back[1], L"C:\\b");
}

TEST(ClipboardRead, ListsWrittenByOthers)
{
    // The platform's reader walks the broken ones past their block: it takes
    // a list that ends at once for one empty name followed by whatever memory
    // comes next. They give no names, and nothing is pasted from them. A
    // format whose name differs from the effect's by a character the locale's
    // comparison passes over (a soft hyphen) is another program's, even first.
    const UINT lookalike = RegisterClipboardFormatW(L"Preferred\x00AD DropEffect");
    const String longName = L"C:\\" + String(300, L'x') + L"\\f.txt";
    const struct {
        const char* what;
        std::string block;  // empty: a path as text alone
        DWORD effect;       // 0: none on the clipboard
        std::vector<String> files;
        bool lookalikeFirst = false;  // a move in the look-alike format first
    } cases[] = {
        {"wide names", WideBlock(String(L"C:\\w\\1.txt\0C:\\w\\2 two.txt\0\0", 27)), 2,
         {L"C:\\w\\1.txt", L"C:\\w\\2 two.txt"}},
        {"narrow names", DropBlock(std::string("C:\\n\\a.txt\0C:\\n\\b.txt\0\0", 23), false), 0,
         {L"C:\\n\\a.txt", L"C:\\n\\b.txt"}},
        {"a name past 260 characters comes back whole", WideBlock(Str_ToNullList(longName)), 7, {longName}},
        {"an offset into the header", DropBlock(std::string("C\0:\0\\\0a\0\0\0\0\0", 12), true, 16), 2, {}},
        {"a wild offset", DropBlock(std::string("C\0:\0\\\0a\0\0\0\0\0", 12), true, 0x7FFFFFF0), 2, {}},
        {"no null at all", DropBlock(std::string("C\0:\0", 4), true), 2, {}},
        {"the last name without its null", WideBlock(String(L"C:\\a\0C:", 7)), 2, {}},
        {"ends at once", DropBlock(std::string("\0\0", 2), true), 2, {}},
        {"ends at once, narrow", DropBlock(std::string("\0", 1), false), 2, {}},
        {"properly empty", DropBlock(std::string("\0\0\0\0", 4), true), 2, {}},
        {"shorter than the header", std::string("\x14\0\0", 3), 2, {}},
        {"text alone", "", 2, {}},
        {"a look-alike effect", WideBlock(Str_ToNullList(L"C:\\a.txt")), 5, {L"C:\\a.txt"}, true},
        {"a look-alike effect alone", WideBlock(Str_ToNullList(L"C:\\a.txt")), 0, {L"C:\\a.txt"}, true},
    };
    for (const auto& c : cases) {
        {
            TForeignClipboard other;
            c.block.empty() ? other.PutText(L"C:\\nowhere") : other.PutBlock(c.block);
            DWORD move = 2;
            if (c.lookalikeFirst) other.Put(lookalike, &move, sizeof move);
            if (c.effect) other.PutEffect(c.effect);
        }
        TStringList files;
        files.Add(L"stale");  // the list is replaced, not added to
        Clipboard_GetFiles(files);
        ASSERT_EQ(files.Count(), (int)c.files.size()) << c.what;
        for (size_t i = 0; i < c.files.size(); ++i) EXPECT_EQ(N(files[(int)i]), N(c.files[i])) << c.what;
        EXPECT_EQ(Clipboard_GetDropEffect(), c.effect == 2 ? kDropEffectMove : kDropEffectCopy) << c.what;
    }
}

// Another program holds the clipboard for the first Held attempts to open it.
struct THeldClipboard {
    int Held, Tries = 0;
    TClipboardOpenDoor Previous = Clipboard_SetOpenDoor([this](HWND w) {
        if (++Tries > Held) return OpenClipboard(w);
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    });
    ~THeldClipboard() { Clipboard_SetOpenDoor(std::move(Previous)); }
};

TEST(ClipboardOpen, FiveTriesThenTheSystemsReason)
{
    Clipboard_CopyFiles(List({L"C:\\a.txt"}), kDropEffectMove);
    for (int held : {4, 5}) {
        THeldClipboard other{held};
        TStringList files;
        String error;
        try {
            Clipboard_GetFiles(files);
        } catch (const EClipboardException& e) {
            error = e.Message();
        }
        EXPECT_EQ(other.Tries, 5) << held;
        EXPECT_EQ(N(error), held < 5 ? "" : N(L"Cannot open clipboard: " + SysErrorMessage(ERROR_ACCESS_DENIED)));
        EXPECT_EQ(files.Count(), held < 5 ? 1 : 0);
    }
    THeldClipboard always{99};
    EXPECT_EQ(Clipboard_GetDropEffect(), kDropEffectCopy) << "the effect read falls back to copy";
}

struct LineCase {
    String text;
    const wchar_t* line;
};

TEST(ClipboardGetLine, FirstLine)
{
    const LineCase cases[] = {
        {L"C:\\Data", L"C:\\Data"},
        {L"C:\\a\r\nC:\\b\r\n", L"C:\\a"},
        {L"\r\nC:\\a", L""},
        {L"C:\\a\n\r", L"C:\\a"},
        // Only line feeds: the whole text less its trailing line feeds.
        {L"C:\\a\nC:\\b\n\n", L"C:\\a\nC:\\b"},
        {L"C:\\a\rC:\\b\r", L"C:\\a\rC:\\b"},
        {L"C:\\a\r\r\n\n", L"C:\\a"},
    };
    for (const LineCase& c : cases) {
        Clipboard().SetAsText(c.text);
        EXPECT_EQ(N(Clipboard_GetLine()), N(c.line)) << "text " << N(c.text);
    }
}

class PasteTest : public ::testing::Test {
protected:
    TTempDir src, dst;
    TStringList Make(std::initializer_list<const wchar_t*> names)
    {
        TStringList l;
        for (const wchar_t* n : names) {
            WriteFileBytes(src / n, ToUtf8(n));
            l.Add(src / n);
        }
        return l;
    }
};

TEST_F(PasteTest, CutMovesCopyCopiesRealFiles)
{
    // A file and a folder: Wine refuses to move several plain files into one
    // folder, with a folder among them it moves all.
    TStringList cut = Make({L"a.txt"});
    CreateDirectoryW((src / L"b").c_str(), nullptr);
    WriteFileBytes(src / L"b\\in.txt", "in");
    cut.Add(src / L"b");
    Clipboard_CopyFiles(cut, kDropEffectMove);
    Clipboard_PasteFiles(dst.Path());
    EXPECT_EQ(ReadFileBytes(dst / L"a.txt") + ReadFileBytes(dst / L"b\\in.txt"), "a.txtin");
    EXPECT_FALSE(FileExists(src / L"a.txt") || DirectoryExists(src / L"b"));
    TStringList still;
    Clipboard_GetFiles(still);
    EXPECT_EQ(still.Count(), 2) << "the clipboard keeps the list";

    Clipboard_CopyFiles(Make({L"c.txt"}), kDropEffectCopy);
    Clipboard_PasteFiles(dst.Path() + L"\\");
    EXPECT_EQ(ReadFileBytes(dst / L"c.txt"), "c.txt");
    EXPECT_TRUE(FileExists(src / L"c.txt"));
}

TEST_F(PasteTest, TheOperationAskedOfTheShell)
{
    // -1: our own list with the copy effect; 0: another program's list without an effect.
    const String lower = AnsiLowerCase(src.Path());
    const struct {
        int effect;
        String into;
        const char* op;  // the shell's operation and flags
    } cases[] = {
        {-1, dst.Path(), "2 100"},
        {-1, src.Path() + L"\\", "2 108"},  // into its own folder: a copy beside it under a new name
        {-1, lower, "2 108"},
        {7, dst.Path(), "2 100"}, {0, dst.Path(), "2 100"},  // only 2 from others moves
        {2, dst.Path(), "1 100"},
    };
    for (const auto& c : cases) {
        TStringList files = Make({L"e.txt"});
        if (c.effect < 0)
            Clipboard_CopyFiles(files, kDropEffectCopy);
        else {
            TForeignClipboard other;
            other.PutBlock(WideBlock(Strs_ToNullList(files)));
            if (c.effect) other.PutEffect((DWORD)c.effect);
        }
        TFileOpRecorder shell;
        Clipboard_PasteFiles(c.into);
        EXPECT_EQ(shell.Calls, std::vector<std::string>{c.op + (" " + N(src / L"e.txt")) + "|>" + N(c.into) + "|"})
            << "effect " << c.effect << " into " << N(c.into);
    }
}

TEST_F(PasteTest, ANameThatIsNoFullPathOfAnItemRefusesTheWholeList)
{
    struct THere {
        wchar_t was[MAX_PATH];
        THere(const String& dir) { GetCurrentDirectoryW(MAX_PATH, was), SetCurrentDirectoryW(dir.c_str()); }
        ~THere() { SetCurrentDirectoryW(was); }
    } here(src.Path());
    String box;
    TModalResponderScope door([&](const TModalRequest& r) { return box = r.Text, TModalAnswer{}; });
    // The current folder holds what a wildcard or a relative name would take.
    TStringList files = Make({L"ok.txt", L"bit.txt", L"relative.txt"});
    CreateDirectoryW((src / L"d").c_str(), nullptr);
    const String names[] = {L"C:", L"C:\\", L"*", L"*.*", L"relative.txt", src / L"b?t.txt", src / L"*.txt",
                            src / L"missing.txt", src / L"NUL", src / L"nul.txt", src / L"d\\..", L"\\\\.\\C:",
                            src / L"d\\"};
    for (const String& name : names) {
        TStringList list = files;
        list.Insert(1, name);
        Clipboard_CopyFiles(list, kDropEffectMove);
        box.clear();
        TFileOpRecorder shell;
        Clipboard_PasteFiles(dst.Path(), [](const String&, const String&) { return true; });
        EXPECT_TRUE(shell.Calls.empty()) << N(name);
        EXPECT_EQ(N(box.substr(0, name.size() + 2)), N(name + L"\r\n")) << "the refused name is shown";
    }
    Clipboard_CopyFiles(files, kDropEffectMove);
    TFileOpRecorder shell;
    Clipboard_PasteFiles(dst.Path());
    EXPECT_EQ(shell.Calls.size(), 1u) << "the same list without the bad name";
}

TEST_F(PasteTest, CutOverAnItemOfTheSameNameMovesOnlyWhenAllowed)
{
    // A file and a folder of the target's, each of a cut file's name; the
    // other file of the list moves whatever the answer.
    TStringList cut = Make({L"a.txt", L"b.txt", L"c.txt"});
    WriteFileBytes(dst / L"a.txt", "old");
    CreateDirectoryW((dst / L"b.txt").c_str(), nullptr);
    for (bool allowed : {false, true}) {
        Clipboard_CopyFiles(cut, kDropEffectMove);
        String asked;
        TFileOpRecorder shell;
        Clipboard_PasteFiles(dst.Path(), [&](const String& s, const String& t) { return asked += s + L">" + t + L" ", allowed; });
        EXPECT_EQ(N(asked), N(cut[0] + L">" + (dst / L"a.txt") + L" " + cut[1] + L">" + (dst / L"b.txt") + L" "));
        String moved = allowed ? cut[0] + L"|" + cut[1] + L"|" : String();
        EXPECT_EQ(shell.Calls, std::vector<std::string>{"1 100 " + N(moved + cut[2]) + "|>" + N(dst.Path()) + "|"});
    }
}

}  // namespace
