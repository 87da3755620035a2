// Drops through WM_DROPFILES with the block the shell makes, the drag
// threshold, the drag source's answers and what a drag carries.
#include "WindowDriver.h"
#include "xaDrag.h"
#include "xaDrop.h"

#include <shlobj.h>

namespace {
HWND gWatched;
int gAcceptDuring = -1;
void CALLBACK watchAccept(HWND, UINT, UINT_PTR id, DWORD)
{
    gAcceptDuring = (GetWindowLongPtrW(gWatched, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) != 0;
    KillTimer(nullptr, id);
}
}  // namespace

TEST(DragDrop, DropsReachOnlyTheOwningControlsTargetAndDragsCarryTheNamedItems)
{
    TForm form(nullptr);
    auto* own = Ui_Add<TPanel>(&form, 0, 0, 50, 50);
    auto* other = Ui_Add<TPanel>(&form, 60, 0, 50, 50);
    auto* drop = new TxaDrop(own);
    int passed = 0, events = 0;
    TApplicationEvents later(nullptr);  // hooked after the target: sees what it leaves
    later.OnMessage = [&](MSG& m, bool&) { passed += m.message == WM_DROPFILES; };
    auto post = [&](TWinControl* onto, HGLOBAL h) {
        PostMessageW(onto->Handle(), WM_DROPFILES, (WPARAM)h, 0);
        Application.ProcessMessages();
    };
    // Drop blocks as the shell makes them (DROPFILES, a double-null wide list) and broken ones.
    DROPFILES head{sizeof(DROPFILES), {0, 0}, FALSE, TRUE};
    std::string none = std::string((const char*)&head, sizeof head).append(4, '\0');
    std::string good = none.substr(0, sizeof head).append((const char*)L"C:\\a b\\x.txt\0C:\\y\0", 38);
    std::string bad = good, open = good.substr(0, good.size() - 4);
    ((DROPFILES*)bad.data())->pFiles = (DWORD)bad.size() + 8;
    for (auto [onto, block, handler, event, passes] :
         {std::tuple{own, good, true, 1, 0}, {own, good, false, 0, 0}, {other, good, true, 0, 1},
          {own, none, true, 0, 0}, {own, bad, true, 0, 0}, {own, open, true, 0, 0}}) {
        SCOPED_TRACE(testing::Message() << (onto == own) << handler << block.size());
        events = passed = 0;
        drop->Files.Clear();
        drop->OnDropFiles = handler ? TNotifyEvent([&](TObject* s) { events += s == drop; }) : nullptr;
        HGLOBAL h = GlobalAlloc(GHND, block.size());
        memcpy(TGlobalLock(h).Get(), block.data(), block.size());
        post(onto, h);
        EXPECT_EQ(events, event);
        EXPECT_EQ(passed, passes);
        EXPECT_EQ(drop->Files.Text(), event ? L"C:\\a b\\x.txt\r\nC:\\y\r\n" : L"");
        if (passes) GlobalFree(h);  // not ours: left to whoever takes it
        else EXPECT_EQ(GlobalSize(h), 0u) << "DragFinish released the block";
    }
    // The drag's data, read back as a drop of the files it carries.
    TTempDir dir;
    WriteFileBytes(dir / L"b c.txt", "b");
    CreateDirectoryW((dir / L"sub").c_str(), nullptr);
    TStringList names;
    names.SetText(L"b c.txt\nsub");
    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    ASSERT_EQ(Drag_DataObject(dir.Path(), names)->GetData(&format, &medium), S_OK);
    post(own, medium.hGlobal);
    EXPECT_EQ(drop->Files.Text(), dir / L"b c.txt\r\n" + (dir / L"sub\r\n"));
    EXPECT_FALSE(Drag_DataObject(L"", names)) << "the drive list: nothing to drag";
    EXPECT_FALSE(Drag_DataObject(dir.Path(), TStringList()));
    // Drops are taken again after a drag that failed and after a real one,
    // whose loop drops at once onto nothing as no button is held.
    EXPECT_THROW(Drag_Files(own, dir / L"gone", names, false, true), EOleSysError);
    EXPECT_TRUE(GetWindowLongPtrW(own->Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    gWatched = own->Handle();
    SetCursorPos(0, 0);
    SetTimer(nullptr, 0, USER_TIMER_MINIMUM, watchAccept);
    Drag_Files(own, dir.Path(), names, false, true);
    EXPECT_EQ(gAcceptDuring, 0);
    EXPECT_TRUE(GetWindowLongPtrW(own->Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
}

// The shell drops files only on a window that accepts them: a target made
// before its control has a window (a pane built before its parent's) makes
// the window accept them once it is made, and again when it is made anew.
TEST(DragDrop, ATargetMadeBeforeItsWindowAcceptsFilesInEachWindow)
{
    TForm form(nullptr);
    auto* early = new TEdit(&form);
    new TxaDrop(early);
    auto accepts = [](TWinControl* c) {
        return c->Handle() && (GetWindowLongPtrW(c->Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES) != 0;
    };
    early->SetParent(&form);
    EXPECT_TRUE(accepts(early));
    HWND first = early->Handle();
    early->SetBorderStyle(bsNone);  // a border the edit's window is made anew for
    ASSERT_NE(early->Handle(), first);
    EXPECT_TRUE(accepts(early));
    auto* plain = Ui_Add<TPanel>(&form, 60, 0, 50, 50);
    EXPECT_FALSE(accepts(plain));
}

TEST(DragDrop, ThresholdAndDragSourceAnswers)
{
    for (auto [press, shift, x, y, started] :
         {std::tuple{true, ssLeft, 14, 14, false}, {false, ssRight, 20, 10, false}, {false, ssLeft, 15, 10, true},
          {false, ssLeft, 30, 30, false}, {true, ssLeft, 10, 5, true}, {true, ssLeft, 5, 14, true}}) {
        if (press) Drag_Pressed = true, Drag_PressPoint = {10, 10};
        EXPECT_EQ(Drag_Started(shift, x, y), started) << x << "," << y;
    }
    TxaDrag drag(nullptr);
    for (auto [esc, keys, answer] : {std::tuple<BOOL, DWORD, HRESULT>{TRUE, MK_LBUTTON, DRAGDROP_S_CANCEL},
                                     {TRUE, 0, DRAGDROP_S_CANCEL}, {FALSE, MK_LBUTTON | MK_RBUTTON, S_OK},
                                     {FALSE, MK_RBUTTON | MK_SHIFT, DRAGDROP_S_DROP}})
        EXPECT_EQ(drag.QueryContinueDrag(esc, keys), answer) << esc << keys;
    EXPECT_EQ(drag.GiveFeedback(DROPEFFECT_MOVE), DRAGDROP_S_USEDEFAULTCURSORS);
}
