// Shortcuts and popup menus. A popup menu's items answer their shortcuts even
// when hidden, so that a window can carry keys in a menu nobody sees.
#pragma once

#include "Controls.h"

// Virtual key in the low byte, modifiers in the high bits.
using TShortCut = WORD;
constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000, scNone = 0;
TShortCut ShortCut(WORD key, TShiftState shift);
// "Ctrl+C", "Alt+C", "Enter", "F2", ...
String ShortCutToText(TShortCut shortCut);

class TImageList;

// A menu item; an item with items of its own opens a submenu. A radio item
// shows its check as a bullet (its action keeps one checked per group).
class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* owner) : TComponent(owner) {}
    String ClassName() const override { return L"TMenuItem"; }
    String Caption;
    TShortCut ShortCut = scNone;
    int ImageIndex = -1;
    bool Visible = true;
    bool Enabled = true;
    bool Checked = false;
    bool RadioItem = false;
    int GroupIndex = 0;
    TNotifyEvent OnClick;
    void Click();

    // The submenu: a new item owned by this one, appended.
    TMenuItem* Add(const String& name, const String& caption = L"");
    int Count() const { return (int)fItems.size(); }
    TMenuItem* Items(int index) const { return fItems.at(index); }
    // Clicks the first enabled item of the submenu (at any depth) with the shortcut.
    bool IsShortCut(TShortCut shortCut);

private:
    std::vector<TMenuItem*> fItems;
};

class TPopupMenu : public TMenu {
public:
    explicit TPopupMenu(TComponent* owner) : TMenu(owner) {}
    String ClassName() const override { return L"TPopupMenu"; }

    // A new item owned by the menu, appended.
    TMenuItem* Add(const String& name, const String& caption, TShortCut shortCut, int imageIndex,
                   TNotifyEvent onClick);
    // A new item owned by the menu, placed at Index (clamped to the item count).
    TMenuItem* Insert(int index, const String& name, const String& caption);
    int Count() const { return (int)fItems.size(); }
    TMenuItem* Items(int index) const { return fItems.at(index); }
    TImageList* Images = nullptr;
    // The control the menu was last shown for.
    TControl* PopupComponent = nullptr;

    // Clicks the first enabled item with the shortcut; true when there was one.
    bool IsShortCut(TShortCut shortCut) override;
    // Shows the visible items at a screen point and runs the chosen one. The
    // menu goes through the modal door as "TPopupMenu" (Caption: the menu's
    // name, Text: the visible captions one a line, a submenu's items after it
    // as "Submenu > Item"); an answer picks an item by its 1-based place in
    // that list, 0 none.
    void Popup(int x, int y) override;

private:
    std::vector<TMenuItem*> fItems;
};

// The popup menu of actions: items bound to actions (ActnLink), drawn with
// their images and shortcuts.
class TPopupActionBar : public TPopupMenu {
public:
    using TPopupMenu::TPopupMenu;
    String ClassName() const override { return L"TPopupActionBar"; }
};
