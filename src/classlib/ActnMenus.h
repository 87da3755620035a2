// A menu bar that is a control: it stands anywhere in a window (not only
// under the caption) and opens a popup menu under each of its captions.
#pragma once

#include "Menus.h"

class TActionMainMenuBar : public TControl {
public:
    explicit TActionMainMenuBar(TComponent* owner);
    String ClassName() const override { return L"TActionMainMenuBar"; }
    // Appends a caption ("&" marks its key letter) that opens Menu.
    void AddMenu(const String& caption, TPopupMenu* menu);
    int Count() const { return (int)fItems.size(); }
    TPopupMenu* Menus(int index) const { return fItems.at(index).Menu; }
    // An item's place in the bar's client area.
    RECT ItemRect(int index) const;
    // Sizes the bar to its items in the present font.
    void FitToItems();
    // Opens item Index's menu under it.
    void OpenMenu(int index);
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    struct TItem {
        String Caption;
        TPopupMenu* Menu;
    };
    std::vector<TItem> fItems;
    int fHot = -1;
    SIZE textSize(const String& caption) const;
    int itemAt(int x, int y) const;
};
