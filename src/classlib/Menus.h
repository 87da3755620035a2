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
    TNotifyEvent OnClick;
    void Click();
};

class TPopupMenu : public TMenu {
public:
    explicit TPopupMenu(TComponent* owner) : TMenu(owner) {}
    String ClassName() const override { return L"TPopupMenu"; }

    // A new item owned by the menu, appended.
    TMenuItem* Add(const String& name, const String& caption, TShortCut shortCut, int imageIndex,
                   TNotifyEvent onClick);
    int Count() const { return (int)fItems.size(); }
    TMenuItem* Items(int index) const { return fItems.at(index); }
    TImageList* Images = nullptr;
    // The control the menu was last shown for.
    TControl* PopupComponent = nullptr;

    // Clicks the first enabled item with the shortcut; true when there was one.
    bool IsShortCut(TShortCut shortCut) override;
    // Shows the visible items at a screen point and runs the chosen one. The
    // menu goes through the modal door as "TPopupMenu" (Caption: the menu's
    // name, Text: the visible captions one a line); an answer picks an item by
    // its 1-based place, 0 none.
    void Popup(int x, int y) override;

private:
    std::vector<TMenuItem*> fItems;
};
