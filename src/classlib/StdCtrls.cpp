#include "StdCtrls.h"

#include "Forms.h"

// ---- TLabel -----------------------------------------------------------------

TLabel::TLabel(TComponent* owner) : TControl(owner) { SetParentColor(true); }

UINT TLabel::DrawFlags() const
{
    UINT f = Alignment == taCenter ? DT_CENTER : Alignment == taRightJustify ? DT_RIGHT : DT_LEFT;
    if (WordWrap) f |= DT_WORDBREAK;
    if (EllipsisPosition == epEndEllipsis) f |= DT_END_ELLIPSIS;
    if (EllipsisPosition == epWordEllipsis) f |= DT_WORD_ELLIPSIS;
    if (!ShowAccelChar) f |= DT_NOPREFIX;
    if (BiDiMode == bdRightToLeft) f |= DT_RTLREADING;
    return f;
}

LRESULT TLabel::WndProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(fHandle, &ps);
        RECT r;
        GetClientRect(fHandle, &r);
        String text = Caption();
        {
            TSelectScope selected(dc, Font.Handle());
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, ColorToRGB(Font.Color()));
            UINT flags = DrawFlags();
            if (Layout != tlTop) {  // vertical placement: measure the wrapped text first
                RECT m = r;
                DrawTextW(dc, text.c_str(), (int)text.size(), &m,
                          (flags & ~(DT_END_ELLIPSIS | DT_WORD_ELLIPSIS)) | DT_CALCRECT);
                int h = m.bottom - m.top;
                if (h < r.bottom - r.top) r.top += Layout == tlCenter ? (r.bottom - r.top - h) / 2 : r.bottom - r.top - h;
            }
            DrawTextW(dc, text.c_str(), (int)text.size(), &r, flags);
        }
        EndPaint(fHandle, &ps);
        return 0;
    }
    if (msg == WM_SETTEXT) {
        LRESULT res = TControl::WndProc(msg, wp, lp);
        Invalidate();
        return res;
    }
    return TControl::WndProc(msg, wp, lp);
}

// ---- TPanel -----------------------------------------------------------------

TPanel::TPanel(TComponent* owner) : TWinControl(owner) {}

void TPanel::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    if (fBorderStyle == bsSingle) params.Style |= WS_BORDER;
}

void TPanel::SetBevelOuter(TBevelCut bevel)
{
    fBevelOuter = bevel;
    Invalidate();
}

void TPanel::SetBorderStyle(TBorderStyle style)
{
    fBorderStyle = style;
    if (!fHandle) return;
    LONG_PTR s = GetWindowLongPtrW(fHandle, GWL_STYLE);
    SetWindowLongPtrW(fHandle, GWL_STYLE, style == bsSingle ? s | WS_BORDER : s & ~WS_BORDER);
    SetWindowPos(fHandle, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

LRESULT TPanel::WndProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(fHandle, &ps);
        RECT r;
        GetClientRect(fHandle, &r);
        if (fBevelOuter != bvNone) DrawEdge(dc, &r, fBevelOuter == bvRaised ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT);
        String text = Caption();
        if (!text.empty()) {
            TSelectScope selected(dc, Font.Handle());
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, ColorToRGB(Font.Color()));
            DrawTextW(dc, text.c_str(), (int)text.size(), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        }
        EndPaint(fHandle, &ps);
        return 0;
    }
    if (msg == WM_SETTEXT) {
        LRESULT res = TWinControl::WndProc(msg, wp, lp);
        Invalidate();
        return res;
    }
    return TWinControl::WndProc(msg, wp, lp);
}

// ---- TEdit ------------------------------------------------------------------

TEdit::TEdit(TComponent* owner) : TWinControl(owner)
{
    fColor = clWindow;
    fTabStop = true;
}

void TEdit::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.ClassName = L"EDIT";
    params.Style |= ES_AUTOHSCROLL;
    params.ExStyle &= ~WS_EX_CONTROLPARENT;
    if (fBorderStyle == bsSingle) {
        if (fCtl3D)
            params.ExStyle |= WS_EX_CLIENTEDGE;
        else
            params.Style |= WS_BORDER;
    }
    if (fReadOnly) params.Style |= ES_READONLY;
}

// The edit control takes its border into its text layout when it is made, so
// a new border needs a new window.
void TEdit::SetBorderStyle(TBorderStyle style)
{
    if (style == fBorderStyle) return;
    fBorderStyle = style;
    RecreateWnd();
}

void TEdit::SetCtl3D(bool value)
{
    if (value == fCtl3D) return;
    fCtl3D = value;
    RecreateWnd();
}

void TEdit::HandleCreated()
{
    TWinControl::HandleCreated();
    SendMessageW(fHandle, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(2, 2));
}

int TEdit::SelStart() const
{
    DWORD s = 0, e = 0;
    if (fHandle) SendMessageW(fHandle, EM_GETSEL, (WPARAM)&s, (LPARAM)&e);
    return (int)s;
}

void TEdit::SetSelStart(int start)
{
    if (fHandle) SendMessageW(fHandle, EM_SETSEL, start, start);
}

int TEdit::SelLength() const
{
    DWORD s = 0, e = 0;
    if (fHandle) SendMessageW(fHandle, EM_GETSEL, (WPARAM)&s, (LPARAM)&e);
    return (int)(e - s);
}

void TEdit::SetSelLength(int length)
{
    int s = SelStart();
    if (fHandle) SendMessageW(fHandle, EM_SETSEL, s, s + length);
}

void TEdit::SelectAll()
{
    if (fHandle) SendMessageW(fHandle, EM_SETSEL, 0, -1);
}

String TEdit::SelText() const { return Text().substr(SelStart(), SelLength()); }

void TEdit::SetSelText(const String& text)
{
    if (fHandle) SendMessageW(fHandle, EM_REPLACESEL, TRUE, (LPARAM)text.c_str());
}

void TEdit::SetReadOnly(bool value)
{
    fReadOnly = value;
    if (fHandle) SendMessageW(fHandle, EM_SETREADONLY, value, 0);
}

bool TEdit::Reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    if (msg == WM_COMMAND && HIWORD(wp) == EN_CHANGE) {
        if (OnChange) OnChange(this);
        result = 0;
        return true;
    }
    return TWinControl::Reflected(msg, wp, lp, result);
}

LRESULT TEdit::WndProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_SETFOCUS && AutoSelect && !(GetKeyState(VK_LBUTTON) & 0x8000)) {
        LRESULT r = TWinControl::WndProc(msg, wp, lp);
        SelectAll();
        return r;
    }
    return TWinControl::WndProc(msg, wp, lp);
}

// ---- TButton ----------------------------------------------------------------

TButton::TButton(TComponent* owner) : TWinControl(owner) { fTabStop = true; }

void TButton::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.ClassName = L"BUTTON";
    params.Style |= Default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    params.ExStyle &= ~WS_EX_CONTROLPARENT;
}

void TButton::Click()
{
    if (ModalResult != mrNone)
        if (TForm* f = ParentForm()) f->ModalResult = ModalResult;
    TWinControl::Click();
}

bool TButton::Reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED) {
        Click();
        result = 0;
        return true;
    }
    return TWinControl::Reflected(msg, wp, lp, result);
}

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner)
{
    Glyph.OnChange = [this] { glyphChanged(); };
}

void TBitBtn::HandleCreated()
{
    TButton::HandleCreated();
    glyphChanged();
}

void TBitBtn::glyphChanged()
{
    if (fHandle) SendMessageW(fHandle, BM_SETIMAGE, IMAGE_BITMAP, (LPARAM)Glyph.Handle());
}

// ---- TListBox ---------------------------------------------------------------

TListBox::TListBox(TComponent* owner) : TWinControl(owner)
{
    fColor = clWindow;
    fTabStop = true;
}

void TListBox::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.ClassName = L"LISTBOX";
    params.Style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | (MultiSelect ? LBS_EXTENDEDSEL : 0) |
                    (Sorted ? LBS_SORT : 0);
    params.ExStyle = (params.ExStyle & ~WS_EX_CONTROLPARENT) | (BorderStyle == bsNone ? 0 : WS_EX_CLIENTEDGE);
}

int TListBox::Count() const { return fHandle ? (int)SendMessageW(fHandle, LB_GETCOUNT, 0, 0) : 0; }

int TListBox::AddItem(const String& text)
{
    return fHandle ? (int)SendMessageW(fHandle, LB_ADDSTRING, 0, (LPARAM)text.c_str()) : -1;
}

void TListBox::Delete(int index)
{
    if (fHandle) SendMessageW(fHandle, LB_DELETESTRING, index, 0);
}

void TListBox::SetItem(int index, const String& text)
{
    if (!fHandle || index < 0 || index >= Count()) return;
    bool selected = Selected(index);
    SendMessageW(fHandle, LB_DELETESTRING, index, 0);
    SendMessageW(fHandle, LB_INSERTSTRING, index, (LPARAM)text.c_str());
    SetSelected(index, selected);
}

void TListBox::Clear()
{
    if (fHandle) SendMessageW(fHandle, LB_RESETCONTENT, 0, 0);
}

String TListBox::Items(int index) const
{
    if (!fHandle) return L"";
    int n = (int)SendMessageW(fHandle, LB_GETTEXTLEN, index, 0);
    if (n < 0) return L"";
    String s(n + 1, L'\0');
    n = (int)SendMessageW(fHandle, LB_GETTEXT, index, (LPARAM)s.data());
    s.resize(n > 0 ? n : 0);
    return s;
}

bool TListBox::Selected(int index) const
{
    return fHandle && SendMessageW(fHandle, LB_GETSEL, index, 0) > 0;
}

void TListBox::SetSelected(int index, bool selected)
{
    if (!fHandle) return;
    if (MultiSelect)
        SendMessageW(fHandle, LB_SETSEL, selected, index);
    else
        SendMessageW(fHandle, LB_SETCURSEL, selected ? index : -1, 0);
}

int TListBox::SelCount() const
{
    if (!fHandle) return 0;
    if (MultiSelect) return (int)SendMessageW(fHandle, LB_GETSELCOUNT, 0, 0);
    return SendMessageW(fHandle, LB_GETCURSEL, 0, 0) >= 0 ? 1 : 0;
}

int TListBox::ItemIndex() const
{
    if (!fHandle) return -1;
    return (int)SendMessageW(fHandle, MultiSelect ? LB_GETCARETINDEX : LB_GETCURSEL, 0, 0);
}

void TListBox::SetItemIndex(int index)
{
    if (!fHandle) return;
    if (MultiSelect)
        SendMessageW(fHandle, LB_SETCARETINDEX, index, FALSE);
    else
        SendMessageW(fHandle, LB_SETCURSEL, index, 0);
}

// ---- TComboBox --------------------------------------------------------------
