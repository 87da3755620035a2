#include "xaEditPath.h"

#include "ControlCanvas.h"
#include "xaModulControls.h"
#include "xaShell.h"

#include <shlwapi.h>
#include <windowsx.h>

namespace {
// The modifier and button state a mouse message carries; Alt is not in it.
TShiftState mouseShift(WPARAM wp)
{
    TShiftState s = 0;
    if (wp & MK_SHIFT) s |= ssShift;
    if (wp & MK_CONTROL) s |= ssCtrl;
    if (GetKeyState(VK_MENU) & 0x8000) s |= ssAlt;
    if (wp & MK_LBUTTON) s |= ssLeft;
    if (wp & MK_RBUTTON) s |= ssRight;
    if (wp & MK_MBUTTON) s |= ssMiddle;
    return s;
}
}  // namespace

TxaEditPath::TxaEditPath(TComponent* owner) : TEdit(owner) {}

void TxaEditPath::Loaded()
{
    // The box lists folders on Enter; the shell's suggestions would drop a
    // list over the pane and complete names the view does not show.
    if (fHandle) SHAutoComplete(fHandle, SHACF_AUTOSUGGEST_FORCE_OFF | SHACF_AUTOAPPEND_FORCE_OFF);
}

// No margins: the highlight writes a segment where the text origin of the
// border style puts it, and the edit's own text must lie exactly under it.
void TxaEditPath::HandleCreated()
{
    TEdit::HandleCreated();
    SendMessageW(fHandle, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
}

void TxaEditPath::TxaEditPath_DrawHot(int x, int y, bool setHotPath)
{
    fHotPath.clear();
    if (!fHandle) return;
    LRESULT found = SendMessageW(fHandle, EM_CHARFROMPOS, 0, MAKELPARAM(x + 4, y));
    const String t = Text();
    int n = found == -1 ? 0 : std::min<int>(LOWORD(found), (int)t.size());
    if (n <= 0) return;
    Repaint();
    TControlCanvas canvas(*this);
    // 1-based positions: L the backslash before the segment (0 for none), R
    // the one after it (Length + 1 for none).
    size_t before = t.rfind(L'\\', n - 1), after = t.find(L'\\', n - 1);
    int l = before == String::npos ? 0 : (int)before + 1;
    int r = after == String::npos ? (int)t.size() + 1 : (int)after + 1;
    String segment = r - l - 1 >= 1 ? t.substr(l, r - l - 1) : String();
    int ty = 0;
    if (BorderStyle() != bsNone) ty = Ctl3D() ? 1 : 2;
    if (!segment.empty()) {
        // Where the edit drew the segment's first character: the text origin of
        // the border style plus the text before it, less what the box is
        // scrolled by (a long path scrolled to its end keeps its scroll).
        int tx = (short)LOWORD(SendMessageW(fHandle, EM_POSFROMCHAR, l, 0));
        RECT rc{tx - 1, 0, tx + canvas.TextWidth(segment) + 1, Height()};
        if (BorderStyle() == bsNone)
            rc.bottom = canvas.TextHeight(segment + L"||FI") + 2;
        else if (Ctl3D())
            rc.bottom = Height() - 4;
        else
            rc = {rc.left, 1, rc.right, Height() - 1};
        if (fHotBevel > 0) {
            rc.top += fHotBevel;
            rc.bottom -= fHotBevel;
            if (l == 0) {
                rc.left += fHotBevel + (BorderStyle() == bsNone ? 1 : 0);
                rc.right -= fHotBevel;
            }
        }
        canvas.FillRect(rc, fHotColor);
        canvas.TextOutClear(tx, ty, segment);
    }
    if (setHotPath) fHotPath = t.substr(0, r - 1);
}

void TxaEditPath::MouseMove(TShiftState, int x, int y)
{
    // While the box has the focus it is a plain edit: typing and selecting
    // see no highlight.
    if (!Focused()) TxaEditPath_DrawHot(x, y, false);
}

void TxaEditPath::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TxaEditPath_DrawHot(x, y, true);
    if (button == mbLeft && (shift & ssCtrl)) Shell_OpenExpanded(fHotPath);
    if (button == mbMiddle) {
        if (fxaShellListView)
            fxaShellListView->SetFocus();
        else
            ::SetFocus(nullptr);
        ClickHot(this);
    }
    Repaint();
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TxaEditPath::ClickHot(TObject*)
{
    if (!fxaShellListView) return;
    const String& root = fxaShellListView->PathFixRoot();
    const String& rootName = fxaShellListView->RootName();
    if (root.empty())
        fxaShellListView->SetPath(fHotPath);
    else if (!rootName.empty())
        // The box shows the root's name and a colon in place of the root.
        fxaShellListView->SetPath(root + fHotPath.substr(std::min(fHotPath.size(), rootName.size() + 1)));
    else
        fxaShellListView->SetPath(root + fHotPath);
}

void TxaEditPath::selectAllFromEnd()
{
    // The caret at the end first, so that the end of a long path is in view.
    SetSelStart((int)Text().size());
    SelectAll();
}

void TxaEditPath::EnterPath()
{
    if (!fxaShellListView || Text() == fxaShellListView->Path()) return;
    fxaShellListView->SetPath(Text());
    selectAllFromEnd();
}

void TxaEditPath::ForwardAltKey(WORD& key, TShiftState shift) { fxaShellListView->KeyDown(key, shift); }

void TxaEditPath::KeyDown(WORD& key, TShiftState shift)
{
    // The box's own table; OnKeyDown is not raised.
    switch (key) {
    case VK_RETURN:
    case VK_F5:
        if (fxaShellListView) EnterPath();
        return;
    case VK_DELETE:
        if (shift & ssCtrl) {
            Edit_DeleteWordRight(*this);
            key = 0;
        }
        return;
    case 'E':
    case 'O':
    case 'Q':
    case 'C':
    case 'D':
    case VK_BACK:
    case 'V':
        if (!(shift & ssAlt) || !fxaShellListView) return;
        ForwardAltKey(key, shift);
        if (key == 'V') selectAllFromEnd();
        return;
    default:
        return;
    }
}

LRESULT TxaEditPath::WndProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_GETDLGCODE: {
        LRESULT code = TEdit::WndProc(msg, wp, lp);
        // Enter lists the typed path here instead of pressing the form's default button.
        if (fxaShellListView && wp == VK_RETURN) code |= DLGC_WANTMESSAGE;
        return code;
    }
    case WM_MOUSEMOVE: {
        LRESULT r = TEdit::WndProc(msg, wp, lp);
        MouseMove(mouseShift(wp), GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
        return r;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        // The edit's own handling first (focus, caret), then the segment.
        LRESULT r = DefaultHandler(msg, wp, lp);
        TMouseButton b = msg == WM_LBUTTONDOWN ? mbLeft : msg == WM_RBUTTONDOWN ? mbRight : mbMiddle;
        MouseDown(b, mouseShift(wp), GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
        return r;
    }
    default:
        return TEdit::WndProc(msg, wp, lp);
    }
}
