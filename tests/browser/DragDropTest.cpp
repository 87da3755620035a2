// Drops through WM_DROPFILES with the block the shell makes, the drag
// threshold, the drag source's answers and the data a drag carries.
#include "WindowDriver.h"
#include "xaDrag.h"
#include "xaDrop.h"

#include <shlobj.h>

namespace {
using TNames = std::vector<String>;

// A drop block as the shell makes it: DROPFILES, then a double-null wide list.
std::string dropBlock(const TNames& names)
{
    DROPFILES head{sizeof(DROPFILES), {0, 0}, FALSE, TRUE};
    std::string b((const char*)&head, sizeof head);
    for (const String& n : names) b.append((const char*)n.c_str(), (n.size() + 1) * sizeof(wchar_t));
    return b.append(names.empty() ? 4 : 2, '\0');
}

HGLOBAL globalOf(const std::string& bytes)
{
    HGLOBAL h = GlobalAlloc(GHND, bytes.size());
    memcpy(TGlobalLock(h).Get(), bytes.data(), bytes.size());
    return h;
}

TNames namesOf(HDROP drop)
{
    TNames r;
    for (UINT i = 0, n = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0); i < n; ++i) {
        wchar_t buf[MAX_PATH];
        r.emplace_back(buf, DragQueryFileW(drop, i, buf, MAX_PATH));
    }
    return r;
}

TNames namesOf(const TStrings& s)
{
    TNames r;
    for (int i = 0; i < s.Count(); ++i) r.push_back(s[i]);
    return r;
}
}  // namespace

TEST(DragDrop, DropsReachOnlyTheOwningControlsTarget)
{
    TForm form(nullptr);
    auto* own = Ui_Add<TPanel>(&form, 0, 0, 50, 50);
    auto* other = Ui_Add<TPanel>(&form, 60, 0, 50, 50);
    auto* drop = new TxaDrop(own);
    EXPECT_TRUE(GetWindowLongPtrW(own->Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    int passed = 0;
    TApplicationEvents later(nullptr);  // hooked after the target: sees what it leaves
    later.OnMessage = [&](MSG& m, bool&) { passed += m.message == WM_DROPFILES; };
    const TNames two{L"C:\\a b\\x.txt", L"C:\\y"};
    std::string bad = dropBlock(two), open = dropBlock(two);
    ((DROPFILES*)bad.data())->pFiles = (DWORD)bad.size() + 8;  // list past the block
    open.resize(open.size() - 4);                              // the list never closes
    const struct {
        TWinControl* onto;
        std::string block;
        bool handler;
        int events, passed;
    } cases[] = {
        {own, dropBlock(two), true, 1, 0}, {own, dropBlock(two), false, 0, 0}, {other, dropBlock(two), true, 0, 1},
        {own, dropBlock({}), true, 0, 0},  {own, bad, true, 0, 0},             {own, open, true, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        int events = 0;
        passed = 0;
        drop->Files.Clear();
        drop->OnDropFiles = c.handler ? TNotifyEvent([&](TObject* s) { events += s == drop; }) : nullptr;
        HGLOBAL h = globalOf(c.block);
        PostMessageW(c.onto->Handle(), WM_DROPFILES, (WPARAM)h, 0);
        Application.ProcessMessages();
        EXPECT_EQ(events, c.events);
        EXPECT_EQ(passed, c.passed);
        EXPECT_EQ(namesOf(drop->Files), c.events ? two : TNames{});
        if (c.passed) GlobalFree(h);
        else EXPECT_EQ(GlobalSize(h), 0u) << "DragFinish released the block";
    }
}

TEST(DragDrop, ThresholdOfFivePixelsStartsOneDragPerPress)
{
    const struct {
        bool press;
        TShiftState shift;
        int x, y;
        bool started;
    } moves[] = {{true, ssLeft, 14, 14, false}, {false, ssRight, 20, 10, false}, {false, ssLeft, 15, 10, true},
                 {false, ssLeft, 30, 30, false}, {true, ssLeft, 10, 5, true},    {true, ssLeft, 5, 14, true}};
    for (const auto& m : moves) {
        if (m.press) Drag_Pressed = true, Drag_PressPoint = {10, 10};
        EXPECT_EQ(Drag_Started(m.shift, m.x, m.y), m.started) << m.x << "," << m.y;
    }
}

TEST(DragDrop, DragSourceAnswers)
{
    TxaDrag drag(nullptr);
    EXPECT_EQ(drag.DropEffects, (TDropEffects)deCopy);
    const struct {
        BOOL esc;
        DWORD keys;
        HRESULT answer;
    } cases[] = {{TRUE, MK_LBUTTON, DRAGDROP_S_CANCEL}, {TRUE, 0, DRAGDROP_S_CANCEL},
                 {FALSE, MK_LBUTTON | MK_RBUTTON, S_OK}, {FALSE, MK_RBUTTON | MK_SHIFT, DRAGDROP_S_DROP}};
    for (const auto& c : cases) EXPECT_EQ(drag.QueryContinueDrag(c.esc, c.keys), c.answer) << c.esc << c.keys;
    EXPECT_EQ(drag.GiveFeedback(DROPEFFECT_MOVE), DRAGDROP_S_USEDEFAULTCURSORS);
    void* source = nullptr;
    EXPECT_EQ(drag.QueryInterface(IID_IDropSource, &source), S_OK);
    EXPECT_EQ(source, static_cast<IDropSource*>(&drag));
}

TEST(DragDrop, DataObjectCarriesTheNamedItemsOfTheFolder)
{
    TTempDir dir;
    WriteFileBytes(dir / L"a.txt", "a");
    WriteFileBytes(dir / L"b c.txt", "b");
    CreateDirectoryW((dir / L"sub").c_str(), nullptr);
    TStringList names;
    for (const wchar_t* n : {L"b c.txt", L"sub"}) names.Add(n);
    TComPtr<IDataObject> data = Drag_DataObject(dir.Path(), names);
    ASSERT_TRUE(data);
    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    ASSERT_EQ(data->GetData(&format, &medium), S_OK);
    EXPECT_EQ(namesOf((HDROP)medium.hGlobal), (TNames{dir / L"b c.txt", dir / L"sub"}));
    ReleaseStgMedium(&medium);
    EXPECT_FALSE(Drag_DataObject(L"", names)) << "the drive list: nothing to drag";
    EXPECT_FALSE(Drag_DataObject(dir.Path(), TStringList()));
}

TEST(DragDrop, ControlAcceptsDropsAgainAfterEveryDrag)
{
    TForm form(nullptr);
    auto* own = Ui_Add<TPanel>(&form, 0, 0, 50, 50);
    new TxaDrop(own);
    TStringList names;
    names.Add(L"x.txt");
    EXPECT_THROW(Drag_Files(own, L"C:\\no such folder here", names, false, true), EOleSysError);
    EXPECT_TRUE(GetWindowLongPtrW(own->Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    Drag_Files(own, L"", TStringList(), false, false);  // nothing to drag: no drag loop
    EXPECT_FALSE(GetWindowLongPtrW(own->Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
}
