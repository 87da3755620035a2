// Unit xaLabelLink: a label that behaves like a hyperlink. It shows its
// caption underlined in blue, takes its hot font while the mouse is over it,
// opens Link when clicked (unless it has an OnClick of its own), and copies
// the link to the clipboard on a middle click or from the popup menu it makes
// itself on the first right click.
#pragma once

#include "Menus.h"
#include "StdCtrls.h"
#include "xaLabelLinkTexts.h"

class TxaLabelLink;

// The label's self-made menu: while it is open the label keeps its hot font.
class TxaLabelLinkAutoPopupMenu : public TPopupMenu {
public:
    explicit TxaLabelLinkAutoPopupMenu(TxaLabelLink* owner);
    String ClassName() const override { return L"TxaLabelLinkAutoPopupMenu"; }
    void Popup(int x, int y);

private:
    TxaLabelLink* fLabel;
};

class TxaLabelLink : public TLabel {
public:
    explicit TxaLabelLink(TComponent* owner);
    String ClassName() const override { return L"TxaLabelLink"; }

    // What a click opens: a path (path macros allowed) or an address.
    String Link;
    // What is copied instead of Link when not empty.
    String LinkForCopy;
    const TFont& FontHot() const { return fFontHot; }
    void SetFontHot(const TFont& font) { fFontHot.Assign(font); }

    void ExecuteLink();
    void CopyLinkToClipboard();
    void Click() override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    TFont fFontHot;
    TMouseButton fmb = mbLeft;
    bool fpmPopuped = false;
    TFont fFontLeave;
    bool fInside = false;
    void mouseDown(TMouseButton button);
    void mouseUp(TMouseButton button);
    void mouseEntered();
    void mouseLeft();
    friend class TxaLabelLinkAutoPopupMenu;
};
