#include "xaLabelLink.h"

#include "Clipbrd.h"
#include "xaShell.h"

TxaLabelLinkAutoPopupMenu::TxaLabelLinkAutoPopupMenu(TxaLabelLink* owner) : TPopupMenu(owner), fLabel(owner)
{
    PopupComponent = owner;
}

void TxaLabelLinkAutoPopupMenu::Popup(int x, int y)
{
    // The menu covers the label and takes the mouse: the label stays hot until
    // the menu is gone, whichever way it goes.
    struct TPopuped {
        TxaLabelLink* Label;
        explicit TPopuped(TxaLabelLink* label) : Label(label) { Label->fpmPopuped = true; }
        ~TPopuped()
        {
            Label->fpmPopuped = false;
            Label->Font.Assign(Label->fFontLeave);
        }
    } popuped(fLabel);
    TPopupMenu::Popup(x, y);
}

TxaLabelLink::TxaLabelLink(TComponent* owner) : TLabel(owner)
{
    Cursor = crHandPoint;
    ShowAccelChar = false;  // an address may hold "&"
    Font.SetStyle(Font.Style() | fsUnderline);
    Font.SetColor((TColor)0xFF0000);
    fFontLeave.Assign(Font);
    fFontHot.Assign(Font);
    fFontHot.SetColor((TColor)0xC6C600);
}

void TxaLabelLink::ExecuteLink() { Shell_OpenExpanded(Link); }

void TxaLabelLink::CopyLinkToClipboard() { Clipboard().SetAsText(LinkForCopy.empty() ? Link : LinkForCopy); }

void TxaLabelLink::Click()
{
    TLabel::Click();
    // A label with a handler of its own does what the handler says, nothing more.
    if (!OnClick) ExecuteLink();
}

void TxaLabelLink::mouseDown(TMouseButton button) { fmb = button; }

void TxaLabelLink::mouseUp(TMouseButton button)
{
    if (button == mbRight) {
        // Only a right press that began on the label makes the menu; a label
        // that has a menu of any kind keeps it.
        if (!PopupMenu && fmb == mbRight) {
            auto* menu = new TxaLabelLinkAutoPopupMenu(this);
            menu->Name = L"pmLink";
            menu->Add(L"pmCopyLink", Link_CopyToClipboard, scNone, -1, [this](TObject*) { CopyLinkToClipboard(); });
            PopupMenu = menu;
        }
    } else if (button == mbMiddle) {
        CopyLinkToClipboard();
    }
}

void TxaLabelLink::mouseEntered()
{
    fFontLeave.Assign(Font);
    Font.Assign(fFontHot);
}

void TxaLabelLink::mouseLeft()
{
    if (!fpmPopuped) Font.Assign(fFontLeave);
}

LRESULT TxaLabelLink::WndProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_LBUTTONDOWN: mouseDown(mbLeft); break;
    case WM_RBUTTONDOWN: mouseDown(mbRight); break;
    case WM_MBUTTONDOWN: mouseDown(mbMiddle); break;
    case WM_LBUTTONUP: mouseUp(mbLeft); break;
    case WM_RBUTTONUP: mouseUp(mbRight); break;
    case WM_MBUTTONUP: mouseUp(mbMiddle); break;
    // Entering and leaving are the label's own business: its OnMouseEnter and
    // OnMouseLeave are not raised.
    case WM_MOUSEMOVE:
        if (!fInside) {
            fInside = true;
            TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, fHandle, 0};
            TrackMouseEvent(&tme);
            mouseEntered();
        }
        return DefaultHandler(msg, wp, lp);
    case WM_MOUSELEAVE:
        fInside = false;
        mouseLeft();
        return DefaultHandler(msg, wp, lp);
    case WM_CONTEXTMENU:
        // A label never has the focus: the menu comes from the mouse, at its point.
        if (auto* own = dynamic_cast<TxaLabelLinkAutoPopupMenu*>(PopupMenu)) {
            own->Popup((short)LOWORD(lp), (short)HIWORD(lp));
            return 0;
        }
        break;
    default: break;
    }
    return TLabel::WndProc(msg, wp, lp);
}
