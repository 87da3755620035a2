#include "ChoiceCtrls.h"

#include <commctrl.h>

#include <algorithm>
#include <set>

// ---- TCheckBox ----------------------------------------------------------------

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner)
{
    fTabStop = true;
    SetParentColor(true);
}

void TCheckBox::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.ClassName = L"BUTTON";
    // The box does not flip itself: Click decides, so that a bound action stays the one truth.
    params.Style |= BS_CHECKBOX;
    params.ExStyle &= ~WS_EX_CONTROLPARENT;
}

void TCheckBox::HandleCreated()
{
    TWinControl::HandleCreated();
    SendMessageW(fHandle, BM_SETCHECK, fChecked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TCheckBox::SetChecked(bool value)
{
    fChecked = value;
    if (fHandle) SendMessageW(fHandle, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TCheckBox::Click()
{
    SetChecked(!fChecked);
    TWinControl::Click();
}

bool TCheckBox::Reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED) {
        Click();
        result = 0;
        return true;
    }
    return TWinControl::Reflected(msg, wp, lp, result);
}

// ---- TComboBox ----------------------------------------------------------------

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner)
{
    fColor = clWindow;
    fTabStop = true;
}

void TComboBox::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.ClassName = L"COMBOBOX";
    params.Style |= (DropDownList ? CBS_DROPDOWNLIST : CBS_DROPDOWN | CBS_AUTOHSCROLL) | WS_VSCROLL;
    params.ExStyle &= ~WS_EX_CONTROLPARENT;
}

void TComboBox::HandleCreated()
{
    TWinControl::HandleCreated();
    SendMessageW(fHandle, CB_SETMINVISIBLE, DropDownCount, 0);
}

int TComboBox::Count() const { return fHandle ? (int)SendMessageW(fHandle, CB_GETCOUNT, 0, 0) : 0; }

String TComboBox::Items(int index) const
{
    if (!fHandle) return L"";
    int n = (int)SendMessageW(fHandle, CB_GETLBTEXTLEN, index, 0);
    if (n < 0) return L"";
    String s(n + 1, L'\0');
    n = (int)SendMessageW(fHandle, CB_GETLBTEXT, index, (LPARAM)s.data());
    s.resize(n > 0 ? n : 0);
    return s;
}

void TComboBox::SetItems(const TStrings& items)
{
    if (!fHandle) return;
    // The typed text survives a new list, as it does in the class library.
    String text = Text();
    SendMessageW(fHandle, WM_SETREDRAW, FALSE, 0);
    SendMessageW(fHandle, CB_RESETCONTENT, 0, 0);
    for (const String& s : items.Items()) SendMessageW(fHandle, CB_ADDSTRING, 0, (LPARAM)s.c_str());
    SendMessageW(fHandle, WM_SETREDRAW, TRUE, 0);
    SetWindowTextW(fHandle, text.c_str());
    SendMessageW(fHandle, CB_SETMINVISIBLE, DropDownCount, 0);
}

int TComboBox::AddItem(const String& text)
{
    return fHandle ? (int)SendMessageW(fHandle, CB_ADDSTRING, 0, (LPARAM)text.c_str()) : -1;
}

void TComboBox::InsertItem(int index, const String& text)
{
    if (fHandle) SendMessageW(fHandle, CB_INSERTSTRING, index, (LPARAM)text.c_str());
}

void TComboBox::Clear()
{
    if (fHandle) SendMessageW(fHandle, CB_RESETCONTENT, 0, 0);
}

void TComboBox::BeginUpdate()
{
    if (fHandle) SendMessageW(fHandle, WM_SETREDRAW, FALSE, 0);
}

void TComboBox::EndUpdate()
{
    if (fHandle) SendMessageW(fHandle, WM_SETREDRAW, TRUE, 0);
    Invalidate();
}

int TComboBox::IndexOf(const String& text) const
{
    for (int i = 0, n = Count(); i < n; ++i)
        if (AnsiSameText(Items(i), text)) return i;
    return -1;
}

int TComboBox::ItemIndex() const { return fHandle ? (int)SendMessageW(fHandle, CB_GETCURSEL, 0, 0) : -1; }

void TComboBox::SetItemIndex(int index)
{
    if (fHandle) SendMessageW(fHandle, CB_SETCURSEL, index, 0);
}

bool TComboBox::Reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    if (msg == WM_COMMAND && (HIWORD(wp) == CBN_EDITCHANGE || HIWORD(wp) == CBN_SELCHANGE)) {
        // The control tells of a chosen item before its edit field shows it.
        if (HIWORD(wp) == CBN_SELCHANGE) {
            int i = ItemIndex();
            if (i >= 0) SetWindowTextW(fHandle, Items(i).c_str());
        }
        if (OnChange) OnChange(this);
        result = 0;
        return true;
    }
    return TWinControl::Reflected(msg, wp, lp, result);
}

// ---- TSpinEdit ----------------------------------------------------------------

TSpinEdit::TSpinEdit(TComponent* owner) : TEdit(owner) { fCaption = L"0"; }

void TSpinEdit::HandleCreated()
{
    TEdit::HandleCreated();
    fArrows = CreateWindowExW(0, UPDOWN_CLASSW, nullptr, WS_CHILD | WS_VISIBLE | UDS_ARROWKEYS, 0, 0, 0, 0, fHandle,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(fArrows, UDM_SETRANGE32, 0, 2);
    SendMessageW(fArrows, UDM_SETPOS32, 0, 1);
    placeArrows();
}

void TSpinEdit::placeArrows()
{
    if (!fArrows) return;
    RECT r;
    GetClientRect(fHandle, &r);
    int w = GetSystemMetrics(SM_CXVSCROLL);
    SetWindowPos(fArrows, nullptr, r.right - w, 0, w, r.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(fHandle, EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, w + 2));
}

int TSpinEdit::Value() const
{
    int v;
    if (!TryStrToInt(Text(), v)) return MinValue;
    return MaxValue > MinValue ? std::clamp(v, MinValue, MaxValue) : v;
}

void TSpinEdit::SetValue(int value)
{
    if (MaxValue > MinValue) value = std::clamp(value, MinValue, MaxValue);
    SetText(IntToStr(value));
}

LRESULT TSpinEdit::WndProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_SIZE: {
        LRESULT r = TEdit::WndProc(msg, wp, lp);
        placeArrows();
        return r;
    }
    case WM_NOTIFY:
        // The arrows only report the step; the number lives in the text.
        if (((NMHDR*)lp)->hwndFrom == fArrows && ((NMHDR*)lp)->code == UDN_DELTAPOS) {
            SetValue(Value() + ((NMUPDOWN*)lp)->iDelta);
            return 1;
        }
        break;
    case WM_KEYDOWN:
        if ((wp == VK_UP || wp == VK_DOWN) && !(KeyboardShiftState() & (ssCtrl | ssAlt))) {
            SetValue(Value() + (wp == VK_UP ? 1 : -1));
            return 0;
        }
        break;
    default:
        break;
    }
    return TEdit::WndProc(msg, wp, lp);
}

// ---- the screen's fonts -----------------------------------------------------

namespace {
// A family comes once for each of its character sets.
struct TFontNames {
    std::set<String> Seen;  // upper case
    TStringList List;
};

int CALLBACK addFontName(const LOGFONTW* lf, const TEXTMETRICW*, DWORD, LPARAM lp)
{
    auto* names = (TFontNames*)lp;
    if (names->Seen.insert(AnsiUpperCase(lf->lfFaceName)).second) names->List.Add(lf->lfFaceName);
    return 1;
}
}  // namespace

const TStrings& Screen_Fonts()
{
    static const TStringList names = [] {
        TFontNames names;
        LOGFONTW lf{};
        lf.lfCharSet = DEFAULT_CHARSET;
        HDC dc = GetDC(nullptr);
        EnumFontFamiliesExW(dc, &lf, addFontName, (LPARAM)&names, 0);
        ReleaseDC(nullptr, dc);
        names.List.Sort();
        return names.List;
    }();
    return names;
}
