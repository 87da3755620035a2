// The link label on a real form: clicks through the shell door, the middle
// button, its self-made menu and its hot font.
#include "Clipbrd.h"
#include "ShellDoor.h"
#include "WindowDriver.h"
#include "xaLabelLink.h"

#include <memory>

namespace {
struct TLinkForm {
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TxaLabelLink* Label = Ui_Add<TxaLabelLink>(Form.get(), 10, 10, 200, 20);
    std::vector<String> Opened;
    TShellDoorScope Door{[this](const TShellExecuteRequest& r) {
        Opened.push_back(r.Verb + L" " + r.File);
        return true;
    }};
    TLinkForm() { Form->Show(); }
    HWND H() const { return Label->Handle(); }
};

void middleClick(HWND w)
{
    PostMessageW(w, WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(3, 3));
    PostMessageW(w, WM_MBUTTONUP, 0, MAKELPARAM(3, 3));
    Application.ProcessMessages();
}
}  // namespace

TEST(LabelLink, ClickOpensTheLinkOnlyWithoutAHandler)
{
    const struct {
        const wchar_t* link;
        bool handler;
        std::vector<String> opened;
    } cases[] = {{L"https://dolv.example/", false, {L"open https://dolv.example/"}},
                 {L"", false, {}},
                 {L"https://dolv.example/", true, {}}};
    for (auto& c : cases) {
        TLinkForm f;
        f.Label->Link = c.link;
        int handled = 0;
        if (c.handler) f.Label->OnClick = [&](TObject*) { ++handled; };
        Ui_Click(f.H());
        EXPECT_EQ(f.Opened, c.opened) << N(c.link);
        EXPECT_EQ(handled, c.handler ? 1 : 0);
    }
}

TEST(LabelLink, MiddleClickCopiesLinkForCopyElseLink)
{
    for (const wchar_t* forCopy : {L"", L"dolv@dolv.example"}) {
        TLinkForm f;
        f.Label->Link = L"mailto:dolv@dolv.example?subject=Dolv";
        f.Label->LinkForCopy = forCopy;
        middleClick(f.H());
        EXPECT_EQ(Clipboard().AsText(), *forCopy ? String(forCopy) : f.Label->Link);
        EXPECT_TRUE(f.Opened.empty());
    }
}

TEST(LabelLink, FirstRightClickMakesOneMenuThatCopiesAndKeepsItsCaption)
{
    TLinkForm f;
    f.Label->Link = L"https://dolv.example/";
    const String builtIn = Link_CopyToClipboard;
    std::vector<String> menus;
    TModalResponderScope answer([&](const TModalRequest& r) {
        menus.push_back(r.Kind + L":" + r.Text);
        EXPECT_EQ(f.Label->Font.Color(), (TColor)0xC6C600) << "hot while the menu is open";
        PostMessageW(f.H(), WM_MOUSELEAVE, 0, 0);  // the menu covers the label
        Application.ProcessMessages();
        EXPECT_EQ(f.Label->Font.Color(), (TColor)0xC6C600);
        TModalAnswer a;
        a.Result = 1;
        return a;
    });
    Ui_Click(f.H(), 3, 3, true);
    TMenu* first = f.Label->PopupMenu;
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(Clipboard().AsText(), L"https://dolv.example/");
    EXPECT_EQ(f.Label->Font.Color(), (TColor)0xFF0000) << "the label's own font once the menu is gone";
    Link_CopyToClipboard = L"Copier le lien";
    Clipboard().SetAsText(L"");
    Ui_Click(f.H(), 3, 3, true);
    Link_CopyToClipboard = builtIn;
    EXPECT_EQ(f.Label->PopupMenu, first);
    EXPECT_EQ(Clipboard().AsText(), L"https://dolv.example/");
    EXPECT_EQ(menus, (std::vector<String>(2, L"TPopupMenu:Copy link to clipboard")));
    EXPECT_TRUE(f.Opened.empty());
}

TEST(LabelLink, HotFontWhileTheMouseIsOverWithoutTheLabelsOwnEvents)
{
    TLinkForm f;
    int events = 0;
    f.Label->OnMouseEnter = f.Label->OnMouseLeave = [&](TObject*) { ++events; };
    EXPECT_EQ(f.Label->Font.Style(), (TFontStyles)fsUnderline);
    EXPECT_EQ(f.Label->Cursor, crHandPoint);
    Ui_MouseEnter(f.H());
    EXPECT_EQ(f.Label->Font.Color(), (TColor)0xC6C600);
    EXPECT_EQ(f.Label->Font.Style(), (TFontStyles)fsUnderline);
    Ui_MouseLeave(f.H());
    EXPECT_EQ(f.Label->Font.Color(), (TColor)0xFF0000);
    EXPECT_EQ(events, 0);
}
