#include "ComCtrls.h"

#include "Handles.h"

#include <richedit.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {
// The newest rich edit the system has.
const wchar_t* richEditClass()
{
    static const wchar_t* name = [] {
        if (LoadLibraryW(L"msftedit.dll")) return L"RICHEDIT50W";
        LoadLibraryW(L"riched20.dll");
        return L"RichEdit20W";
    }();
    return name;
}
}  // namespace

TRichEdit::TRichEdit(TComponent* owner) : TWinControl(owner)
{
    fColor = clWindow;
    fTabStop = true;
}

void TRichEdit::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.ClassName = richEditClass();
    params.Style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL;
    if (fReadOnly) params.Style |= ES_READONLY;
    if (fScrollBars == ssVertical || fScrollBars == ssBoth) params.Style |= WS_VSCROLL;
    if (fScrollBars == ssHorizontal || fScrollBars == ssBoth) params.Style |= WS_HSCROLL | ES_AUTOHSCROLL;
    params.ExStyle &= ~WS_EX_CONTROLPARENT;
    if (fBorderStyle == bsSingle) params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TRichEdit::HandleCreated()
{
    TWinControl::HandleCreated();
    fSentFont = Font.Handle();
    // The control may give itself a sunken edge; a borderless one has none.
    LONG_PTR ex = GetWindowLongPtrW(fHandle, GWL_EXSTYLE);
    if (fBorderStyle == bsNone && (ex & WS_EX_CLIENTEDGE)) {
        SetWindowLongPtrW(fHandle, GWL_EXSTYLE, ex & ~WS_EX_CLIENTEDGE);
        SetWindowPos(fHandle, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    SendMessageW(fHandle, EM_SETEVENTMASK, 0, ENM_SELCHANGE | ENM_CHANGE);
    SendMessageW(fHandle, EM_SETBKGNDCOLOR, 0, ColorToRGB(fColor));
    applyTextColor();
}

// The control lays its whole text out again on every font or format message;
// under Wine, a long text without break points costs seconds each time. So
// the colour goes to the text only when there is text, and a colour change
// sends no font.
void TRichEdit::applyTextColor()
{
    if (!fHandle) return;
    CHARFORMAT2W cf{};
    cf.cbSize = sizeof cf;
    cf.dwMask = CFM_COLOR;
    cf.crTextColor = ColorToRGB(Font.Color());
    SendMessageW(fHandle, EM_SETCHARFORMAT, SCF_DEFAULT, (LPARAM)&cf);
    if (GetWindowTextLengthW(fHandle) > 0) SendMessageW(fHandle, EM_SETCHARFORMAT, SCF_ALL, (LPARAM)&cf);
}

void TRichEdit::FontChanged()
{
    if (fHandle && Font.Handle() != fSentFont) {
        fSentFont = Font.Handle();
        TWinControl::FontChanged();
    }
    applyTextColor();
}

void TRichEdit::ColorChanged()
{
    if (fHandle) SendMessageW(fHandle, EM_SETBKGNDCOLOR, 0, ColorToRGB(fColor));
    Invalidate();
}

// The text as RTF in runs of at most 64 characters whose colours alternate
// between the text colour and one a unit of blue away, which the eye cannot
// tell apart. The control keeps differently formatted runs apart, and it
// wraps a run by measuring the rest of that run again for every line: under
// Wine one run of 20,000 characters without a space (a deep path) took
// seconds; short runs make the layout linear in the text.
std::string TRichEdit::runsAsRtf(const String& text) const
{
    COLORREF ink = ColorToRGB(Font.Color()), twin = ink ^ 0x010000;
    char head[128];
    snprintf(head, sizeof head, "{\\rtf1{\\colortbl;\\red%d\\green%d\\blue%d;\\red%d\\green%d\\blue%d;}\\cf1 ",
             GetRValue(ink), GetGValue(ink), GetBValue(ink), GetRValue(twin), GetGValue(twin), GetBValue(twin));
    std::string rtf = head;
    int run = 0;
    bool twinRun = false;
    for (size_t i = 0; i < text.size(); ++i) {
        wchar_t c = text[i];
        if (++run > 64) {
            run = 1;
            twinRun = !twinRun;
            rtf += twinRun ? "\\cf2 " : "\\cf1 ";
        }
        if (c == L'\r' || c == L'\n') {
            if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
            rtf += "\\par ";
        } else if (c == L'\t') {
            rtf += "\\tab ";
        } else if (c == L'\\' || c == L'{' || c == L'}') {
            rtf += '\\';
            rtf += (char)c;
        } else if (c >= 0x20 && c < 0x7F) {
            rtf += (char)c;
        } else {
            rtf += "\\u" + std::to_string((int16_t)c) + "?";
        }
    }
    return rtf + "}";
}

// Whether the text needs plainly more lines than the control shows (twice
// as many), guessed from the font's average character width: cheap, and no
// layout by the control.
bool TRichEdit::plainlyOverflows(const String& text) const
{
    RECT r{};
    GetClientRect(fHandle, &r);
    if (r.right <= 0 || r.bottom <= 0) return false;
    TEXTMETRICW tm{};
    HDC dc = GetDC(fHandle);
    if (!dc) return false;
    {
        TSelectScope font(dc, Font.Handle());
        GetTextMetricsW(dc, &tm);
    }
    ReleaseDC(fHandle, dc);
    if (tm.tmHeight <= 0 || tm.tmAveCharWidth <= 0) return false;
    size_t perLine = std::max<LONG>(1, r.right / tm.tmAveCharWidth), need = 2 * (size_t)(r.bottom / tm.tmHeight + 1);
    size_t lines = 0, run = 0;
    for (size_t i = 0; i <= text.size() && lines <= need; ++i) {
        if (i == text.size() || text[i] == L'\n') {
            lines += 1 + run / perLine;
            run = 0;
        } else if (text[i] != L'\r') {
            ++run;
        }
    }
    return lines > need;
}

void TRichEdit::SetCaption(const String& text)
{
    fCaption = text;
    if (!fHandle) return;
    // The control wraps its whole text again when its scroll bar comes (the
    // width to wrap at shrinks), which doubles the cost of a long text: one
    // that plainly needs the bar gets it before it goes in, and is laid out
    // once. (The control's own EM_SHOWSCROLLBAR lays the text out too.) When
    // the guess is wrong, the control takes the bar away again itself.
    if ((fScrollBars == ssVertical || fScrollBars == ssBoth) && plainlyOverflows(text))
        ShowScrollBar(fHandle, SB_VERT, TRUE);
    std::string rtf = runsAsRtf(text);
    SETTEXTEX how{ST_DEFAULT, CP_ACP};
    SendMessageW(fHandle, EM_SETTEXTEX, (WPARAM)&how, (LPARAM)rtf.c_str());
    Invalidate();
}

void TRichEdit::SetReadOnly(bool value)
{
    fReadOnly = value;
    if (fHandle) SendMessageW(fHandle, EM_SETREADONLY, value, 0);
}

void TRichEdit::SetScrollBars(TScrollStyle value)
{
    if (value == fScrollBars) return;
    fScrollBars = value;
    RecreateWnd();
}

void TRichEdit::SetBorderStyle(TBorderStyle value)
{
    if (value == fBorderStyle) return;
    fBorderStyle = value;
    RecreateWnd();
}

int TRichEdit::SelStart() const
{
    CHARRANGE r{0, 0};
    if (fHandle) SendMessageW(fHandle, EM_EXGETSEL, 0, (LPARAM)&r);
    return r.cpMin;
}

void TRichEdit::SetSelStart(int start)
{
    CHARRANGE r{start, start};
    if (fHandle) SendMessageW(fHandle, EM_EXSETSEL, 0, (LPARAM)&r);
}

int TRichEdit::SelLength() const
{
    CHARRANGE r{0, 0};
    if (fHandle) SendMessageW(fHandle, EM_EXGETSEL, 0, (LPARAM)&r);
    return r.cpMax - r.cpMin;
}

void TRichEdit::SetSelLength(int length)
{
    CHARRANGE r{SelStart(), 0};
    r.cpMax = r.cpMin + length;
    if (fHandle) SendMessageW(fHandle, EM_EXSETSEL, 0, (LPARAM)&r);
}

String TRichEdit::SelText() const
{
    int n = SelLength();
    if (!fHandle || n <= 0) return L"";
    String s(n + 1, L'\0');
    n = (int)SendMessageW(fHandle, EM_GETSELTEXT, 0, (LPARAM)s.data());
    s.resize(n > 0 ? n : 0);
    return s;
}

void TRichEdit::SelectAll()
{
    CHARRANGE r{0, -1};
    if (fHandle) SendMessageW(fHandle, EM_EXSETSEL, 0, (LPARAM)&r);
}

void TRichEdit::CopyToClipboard()
{
    if (fHandle) SendMessageW(fHandle, WM_COPY, 0, 0);
}

bool TRichEdit::Reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    if (msg == WM_NOTIFY && ((NMHDR*)lp)->code == EN_SELCHANGE) {
        if (OnSelectionChange) OnSelectionChange(this);
        result = 0;
        return true;
    }
    return TWinControl::Reflected(msg, wp, lp, result);
}
