// Clipboard file lists through the real clipboard: the block we write is the
// documented DROPFILES layout that the shell reads, lists written the
// platform's way are read by us, and pastes copy or move real files.
#include "Clipbrd.h"
#include "TestSupport.h"
#include "xaModul.h"
#include "xaShell.h"

#include <shellapi.h>
#include <shlobj.h>

#include <atomic>
#include <cstring>
#include <thread>

namespace {

UINT DropEffectFormat() { return RegisterClipboardFormatW(L"Preferred DropEffect"); }

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
    // The documented DROPFILES header, then the names, wide or not.
    void PutDrop(const std::string& names, bool wide)
    {
        DROPFILES df = {};
        df.pFiles = sizeof df;
        df.fWide = wide;
        std::string block((const char*)&df, sizeof df);
        block += names;
        Put(CF_HDROP, block.data(), block.size());
    }
    void PutDropW(const String& nullList)
    {
        PutDrop(std::string((const char*)nullList.data(), nullList.size() * sizeof(wchar_t)), true);
    }
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

TStringList List(std::initializer_list<String> items)
{
    TStringList l;
    for (const String& s : items) l.Add(s);
    return l;
}

struct NullCase {
    std::vector<String> items;
    String expected;
};

TEST(NullList, BuiltFromListsAndTexts)
{
    const NullCase cases[] = {
        {{}, String(1, L'\0')},
        {{L"a"}, String(L"a\0\0", 3)},
        {{L"a", L"b"}, String(L"a\0b\0\0", 5)},
        {{L"C:\\x y\\z.txt", L"D:\\"}, String(L"C:\\x y\\z.txt\0D:\\\0\0", 18)},
    };
    for (const NullCase& c : cases) {
        TStringList l;
        for (const String& s : c.items) l.Add(s);
        EXPECT_EQ(Strs_ToNullList(l), c.expected) << "items " << c.items.size();
    }
    EXPECT_EQ(Str_ToNullList(L"a"), String(L"a\0\0", 3));
    EXPECT_EQ(Str_ToNullList(L""), String(2, L'\0'));
    EXPECT_EQ(Str_ToNullList(L"C:\\b c"), String(L"C:\\b c\0\0", 8));
}

TEST(ClipboardCopy, TheBlockIsTheDocumentedLayoutAndTheShellReadsIt)
{
    TStringList files = List({L"C:\\a b\\one.txt", L"D:\\two", L"C:\\\x0444\x0430\x0439\x043B.txt"});
    Clipboard_CopyFiles(files, kDropEffectCopy);

    std::string block = Bytes(CF_HDROP);
    String list = Strs_ToNullList(files);
    size_t expected = 20 + list.size() * 2;
    ASSERT_GE(block.size(), expected);
    DWORD header[5];
    memcpy(header, block.data(), 20);
    EXPECT_EQ(header[0], 20u) << "pFiles";
    EXPECT_EQ(header[1], 0u);
    EXPECT_EQ(header[2], 0u);
    EXPECT_EQ(header[3], 0u) << "fNC";
    EXPECT_EQ(header[4], 0xFFFFFFFFu) << "fWide";
    EXPECT_EQ(0, memcmp(block.data() + 20, list.data(), list.size() * 2));
    for (size_t i = expected; i < block.size(); ++i) EXPECT_EQ(block[i], 0) << "nothing follows the list";

    // The shell's own reader.
    ASSERT_TRUE(OpenClipboard(nullptr));
    HDROP drop = (HDROP)GetClipboardData(CF_HDROP);
    ASSERT_TRUE(drop);
    ASSERT_EQ(DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0), 3u);
    for (UINT i = 0; i < 3; ++i) {
        wchar_t name[MAX_PATH + 1];
        DragQueryFileW(drop, i, name, MAX_PATH + 1);
        EXPECT_EQ(N(name), N(files[i]));
    }
    CloseClipboard();

    std::string effect = Bytes(DropEffectFormat());
    ASSERT_GE(effect.size(), 4u);
    DWORD value;
    memcpy(&value, effect.data(), 4);
    EXPECT_EQ(value, 5u);
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
        std::string effect = Bytes(DropEffectFormat());
        ASSERT_GE(effect.size(), 4u);
        DWORD value;
        memcpy(&value, effect.data(), 4);
        EXPECT_EQ(value, c.stored) << "asked " << int(c.asked);
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
    TStringList files;
    {
        TForeignClipboard other;
        other.PutDropW(String(L"C:\\w\\1.txt\0C:\\w\\2 two.txt\0\0", 27));
        other.PutEffect(2);
    }
    Clipboard_GetFiles(files);
    ASSERT_EQ(files.Count(), 2);
    EXPECT_EQ(N(files[0]), "C:\\w\\1.txt");
    EXPECT_EQ(N(files[1]), "C:\\w\\2 two.txt");
    EXPECT_EQ(Clipboard_GetDropEffect(), kDropEffectMove);

    // Narrow names, converted by the platform; no effect reads as copy.
    {
        TForeignClipboard other;
        other.PutDrop(std::string("C:\\n\\a.txt\0C:\\n\\b.txt\0\0", 23), false);
    }
    Clipboard_GetFiles(files);
    ASSERT_EQ(files.Count(), 2) << "the list is replaced, not added to";
    EXPECT_EQ(N(files[1]), "C:\\n\\b.txt");
    EXPECT_EQ(N(files[0]), "C:\\n\\a.txt");
    EXPECT_EQ(Clipboard_GetDropEffect(), kDropEffectCopy);

    // A name past 260 characters comes back whole.
    String longName = L"C:\\" + String(300, L'x') + L"\\f.txt";
    {
        TForeignClipboard other;
        other.PutDropW(Str_ToNullList(longName));
        DWORD shortEffect = 7;
        other.PutEffect(shortEffect);
    }
    Clipboard_GetFiles(files);
    ASSERT_EQ(files.Count(), 1);
    EXPECT_EQ(files[0], longName);
    EXPECT_EQ(Clipboard_GetDropEffect(), kDropEffectCopy) << "7 is neither move nor copy";

    // Only text: no files.
    {
        TForeignClipboard other;
        other.PutText(L"C:\\text.txt");
    }
    files.Add(L"stale");
    Clipboard_GetFiles(files);
    EXPECT_EQ(files.Count(), 0);
    EXPECT_EQ(Clipboard_GetDropEffect(), kDropEffectCopy);
}

TEST(ClipboardRead, OnlyTheEffectFormatItselfCounts)
{
    // A format whose name differs by a character the locale's comparison
    // passes over (a soft hyphen) is another program's, even when it comes first.
    UINT lookalike = RegisterClipboardFormatW(L"Preferred\x00AD DropEffect");
    ASSERT_NE(lookalike, 0u);
    ASSERT_NE(lookalike, DropEffectFormat());
    {
        TForeignClipboard other;
        other.PutDropW(Str_ToNullList(L"C:\\a.txt"));
        DWORD move = 2;
        other.Put(lookalike, &move, sizeof move);
        other.PutEffect(5);
    }
    EXPECT_EQ(Clipboard_GetDropEffect(), kDropEffectCopy);
    {
        TForeignClipboard other;
        other.PutDropW(Str_ToNullList(L"C:\\a.txt"));
        DWORD move = 2;
        other.Put(lookalike, &move, sizeof move);
    }
    EXPECT_EQ(Clipboard_GetDropEffect(), kDropEffectCopy) << "the lookalike alone is no effect";
}

TEST(ClipboardRead, MalformedListsFromOthersGiveNoFiles)
{
    // Blocks the platform's reader would walk past their end.
    DROPFILES wild = {};
    wild.pFiles = 0x7FFFFFF0;
    wild.fWide = TRUE;
    std::string offsetOut((const char*)&wild, sizeof wild);
    offsetOut += std::string("C\0:\0\\0a\0\0\0\0\0", 12);
    const std::string blocks[] = {
        offsetOut,
        std::string("\x14\0\0", 3),  // shorter than the header
    };
    for (const std::string& block : blocks) {
        {
            TForeignClipboard other;
            other.Put(CF_HDROP, block.data(), block.size());
            other.PutEffect(2);
        }
        TStringList files;
        files.Add(L"stale");
        Clipboard_GetFiles(files);
        EXPECT_EQ(files.Count(), 0) << "block of " << block.size() << " bytes";
        TTempDir into;
        Clipboard_PasteFiles(into.Path());
        EXPECT_FALSE(Dir_HasItems(into.Path()));
    }
}

TEST(ClipboardRead, AHeldClipboardIsReported)
{
    // Another thread holds the clipboard open: opening it fails with the class library's text.
    HANDLE opened = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread holder([&] {
        HWND w = CreateWindowExW(0, L"STATIC", L"holder", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        bool ok = OpenClipboard(w);
        SetEvent(opened);
        WaitForSingleObject(release, 10000);
        if (ok) CloseClipboard();
        DestroyWindow(w);
    });
    ASSERT_EQ(WaitForSingleObject(opened, 10000), WAIT_OBJECT_0);
    TStringList files;
    try {
        Clipboard_GetFiles(files);
        ADD_FAILURE() << "no error while another thread holds the clipboard";
    } catch (const EClipboardException& e) {
        EXPECT_EQ(N(e.Message()).rfind("Cannot open clipboard: ", 0), 0u) << N(e.Message());
    }
    EXPECT_EQ(Clipboard_GetDropEffect(), kDropEffectCopy) << "the effect read falls back to copy";
    SetEvent(release);
    holder.join();
    CloseHandle(opened);
    CloseHandle(release);
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
        {L"C:\\a\r\n", L"C:\\a"},
        {L"\r\nC:\\a", L""},
        {L"C:\\a\n\r", L"C:\\a"},
        // Only line feeds: the whole text less its trailing line feeds.
        {L"C:\\a\nC:\\b\n\n", L"C:\\a\nC:\\b"},
        {L"C:\\a\rC:\\b\r", L"C:\\a\rC:\\b"},
        {L"C:\\a\r\r\n\n", L"C:\\a"},
        {L"", L""},
        {L"  spaced  ", L"  spaced  "},
    };
    for (const LineCase& c : cases) {
        Clipboard().SetAsText(c.text);
        EXPECT_EQ(N(Clipboard_GetLine()), N(c.line)) << "text " << N(c.text);
    }
    TStringList files;
    files.Add(L"C:\\x.txt");
    Clipboard_CopyFiles(files, kDropEffectCopy);
    EXPECT_EQ(Clipboard_GetLine(), L"") << "a file list is no text";
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
    int FileCount(const String& dir)
    {
        int n = 0;
        WIN32_FIND_DATAW fd;
        HANDLE h = FindFirstFileW((dir + L"\\*").c_str(), &fd);
        if (h == INVALID_HANDLE_VALUE) return 0;
        do
            if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++n;
        while (FindNextFileW(h, &fd));
        FindClose(h);
        return n;
    }
};

TEST_F(PasteTest, CopyIntoAnotherFolder)
{
    Clipboard_CopyFiles(Make({L"a.txt", L"b.txt"}), kDropEffectCopy);
    Clipboard_PasteFiles(dst.Path());
    EXPECT_EQ(ReadFileBytes(dst / L"a.txt"), "a.txt");
    EXPECT_EQ(ReadFileBytes(dst / L"b.txt"), "b.txt");
    EXPECT_TRUE(FileExists(src / L"a.txt"));
    // The destination with a trailing backslash is the same folder.
    TTempDir third;
    Clipboard_PasteFiles(third.Path() + L"\\");
    EXPECT_TRUE(FileExists(third / L"b.txt"));
}

TEST_F(PasteTest, CutMovesAndTheClipboardKeepsTheList)
{
    // A file and a folder: Wine refuses to move several plain files into one
    // folder (see FileOperationTest), with a folder among them it moves all.
    TStringList cut = Make({L"a.txt"});
    CreateDirectoryW((src / L"b").c_str(), nullptr);
    WriteFileBytes(src / L"b\\in.txt", "in");
    cut.Add(src / L"b");
    Clipboard_CopyFiles(cut, kDropEffectMove);
    Clipboard_PasteFiles(dst.Path());
    EXPECT_TRUE(FileExists(dst / L"a.txt"));
    EXPECT_EQ(ReadFileBytes(dst / L"b\\in.txt"), "in");
    EXPECT_FALSE(FileExists(src / L"a.txt"));
    EXPECT_FALSE(DirectoryExists(src / L"b"));
    TStringList still;
    Clipboard_GetFiles(still);
    ASSERT_EQ(still.Count(), 2);
    EXPECT_EQ(still[0], src / L"a.txt");
    EXPECT_EQ(Clipboard_GetDropEffect(), kDropEffectMove);
}

TEST_F(PasteTest, ForeignEffectsPasteAsCopy)
{
    for (DWORD effect : {DWORD(5), DWORD(7), DWORD(1), DWORD(0)}) {
        TTempDir into;
        TStringList files = Make({L"e.txt"});
        {
            TForeignClipboard other;
            other.PutDropW(Strs_ToNullList(files));
            other.PutEffect(effect);
        }
        Clipboard_PasteFiles(into.Path());
        EXPECT_TRUE(FileExists(into / L"e.txt")) << "effect " << effect;
        EXPECT_TRUE(FileExists(src / L"e.txt")) << "effect " << effect << " moved";
    }
    TTempDir into;
    {
        TForeignClipboard other;
        other.PutDropW(Strs_ToNullList(Make({L"f.txt"})));
    }
    Clipboard_PasteFiles(into.Path());
    EXPECT_TRUE(FileExists(into / L"f.txt"));
    EXPECT_TRUE(FileExists(src / L"f.txt")) << "no effect moved";
    {
        TForeignClipboard other;
        other.PutDropW(Strs_ToNullList(Make({L"g.txt"})));
        other.PutEffect(2);
    }
    Clipboard_PasteFiles(into.Path());
    EXPECT_TRUE(FileExists(into / L"g.txt"));
    EXPECT_FALSE(FileExists(src / L"g.txt")) << "effect 2 copied";
}

TEST_F(PasteTest, NothingToPaste)
{
    Make({L"t.txt"});
    Clipboard().SetAsText(src / L"t.txt");
    Clipboard_PasteFiles(dst.Path());
    {
        TForeignClipboard other;
        other.PutDropW(String(2, L'\0'));  // a drop list without files
        other.PutEffect(2);
    }
    Clipboard_PasteFiles(dst.Path());
    EXPECT_EQ(FileCount(dst.Path()), 0);
    EXPECT_TRUE(FileExists(src / L"t.txt"));
}

TEST_F(PasteTest, CopyIntoTheFilesOwnFolderMakesCopiesBeside)
{
    Clipboard_CopyFiles(Make({L"a.txt"}), kDropEffectCopy);
    // Wine asks to overwrite the file with itself instead of renaming: decline.
    HANDLE stop = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::atomic<int> asked{0};
    std::thread answer([&] {
        ULONGLONG deadline = GetTickCount64() + 15000;
        while (WaitForSingleObject(stop, 10) == WAIT_TIMEOUT && GetTickCount64() < deadline) {
            HWND w = nullptr;
            while ((w = FindWindowExW(nullptr, w, L"#32770", nullptr)) != nullptr) {
                DWORD pid = 0;
                GetWindowThreadProcessId(w, &pid);
                if (pid == GetCurrentProcessId() && IsWindowVisible(w) && GetDlgItem(w, IDNO)) {
                    PostMessageW(w, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), (LPARAM)GetDlgItem(w, IDNO));
                    ++asked;
                    break;
                }
            }
        }
    });
    Clipboard_PasteFiles(src.Path() + L"\\");
    SetEvent(stop);
    answer.join();
    CloseHandle(stop);
    EXPECT_EQ(ReadFileBytes(src / L"a.txt"), "a.txt");
    if (asked > 0 && GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version"))
        GTEST_SKIP() << "Wine does not rename on collision: it asked to overwrite the file with itself";
    EXPECT_EQ(FileCount(src.Path()), 2) << "a copy under a new name beside the original";
}

}  // namespace
