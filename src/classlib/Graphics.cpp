#include "Graphics.h"

#include <cwctype>

const TColorName ColorNames[52] = {
    {L"clBlack", clBlack}, {L"clMaroon", clMaroon}, {L"clGreen", clGreen}, {L"clOlive", clOlive},
    {L"clNavy", clNavy}, {L"clPurple", clPurple}, {L"clTeal", clTeal}, {L"clGray", clGray},
    {L"clSilver", clSilver}, {L"clRed", clRed}, {L"clLime", clLime}, {L"clYellow", clYellow},
    {L"clBlue", clBlue}, {L"clFuchsia", clFuchsia}, {L"clAqua", clAqua}, {L"clWhite", clWhite},
    {L"clMoneyGreen", clMoneyGreen}, {L"clSkyBlue", clSkyBlue}, {L"clCream", clCream},
    {L"clMedGray", clMedGray}, {L"clActiveBorder", clActiveBorder}, {L"clActiveCaption", clActiveCaption},
    {L"clAppWorkSpace", clAppWorkSpace}, {L"clBackground", clBackground}, {L"clBtnFace", clBtnFace},
    {L"clBtnHighlight", clBtnHighlight}, {L"clBtnShadow", clBtnShadow}, {L"clBtnText", clBtnText},
    {L"clCaptionText", clCaptionText}, {L"clDefault", clDefault},
    {L"clGradientActiveCaption", clGradientActiveCaption},
    {L"clGradientInactiveCaption", clGradientInactiveCaption}, {L"clGrayText", clGrayText},
    {L"clHighlight", clHighlight}, {L"clHighlightText", clHighlightText}, {L"clHotLight", clHotLight},
    {L"clInactiveBorder", clInactiveBorder}, {L"clInactiveCaption", clInactiveCaption},
    {L"clInactiveCaptionText", clInactiveCaptionText}, {L"clInfoBk", clInfoBk}, {L"clInfoText", clInfoText},
    {L"clMenu", clMenu}, {L"clMenuBar", clMenuBar}, {L"clMenuHighlight", clMenuHighlight},
    {L"clMenuText", clMenuText}, {L"clNone", clNone}, {L"clScrollBar", clScrollBar},
    {L"cl3DDkShadow", cl3DDkShadow}, {L"cl3DLight", cl3DLight}, {L"clWindow", clWindow},
    {L"clWindowFrame", clWindowFrame}, {L"clWindowText", clWindowText},
};

COLORREF ColorToRGB(TColor color)
{
    if (color < 0) return GetSysColor(color & 0xFF);
    return (COLORREF)color;
}

String ColorToString(TColor color)
{
    for (const TColorName& c : ColorNames)
        if (c.Value == color) return c.Name;
    return Format(L"$%.8X", (unsigned)color);
}

bool TryStringToColor(const String& text, TColor& color)
{
    String t = Trim(text);
    for (const TColorName& c : ColorNames)
        if (AnsiSameText(c.Name, t)) {
            color = c.Value;
            return true;
        }
    return TryStrToInt(t, color);
}

TColor StringToColor(const String& text)
{
    TColor c;
    if (!TryStringToColor(text, c)) throw EConvertError(Format(L"'%s' is not a valid integer value", text.c_str()));
    return c;
}

int Screen_PixelsPerInch()
{
    static int ppi = [] {
        HDC dc = GetDC(nullptr);  // the screen's, given back at once
        int v = GetDeviceCaps(dc, LOGPIXELSY);
        ReleaseDC(nullptr, dc);
        return v > 0 ? v : 96;
    }();
    return ppi;
}

TFont::~TFont() = default;

void TFont::Assign(const TFont& other)
{
    fName = other.fName;
    fHeight = other.fHeight;
    fColor = other.fColor;
    fStyle = other.fStyle;
    changed();
}

bool TFont::SameAs(const TFont& other) const
{
    return fName == other.fName && fHeight == other.fHeight && fColor == other.fColor && fStyle == other.fStyle;
}

void TFont::changed()
{
    fHandle.Reset();
    if (OnChange) OnChange();
}

void TFont::SetName(const String& name)
{
    if (name == fName) return;
    fName = name;
    changed();
}

int TFont::Size() const { return -MulDiv(fHeight, 72, Screen_PixelsPerInch()); }
void TFont::SetSize(int points) { SetHeight(-MulDiv(points, Screen_PixelsPerInch(), 72)); }

void TFont::SetHeight(int height)
{
    if (height == fHeight) return;
    fHeight = height;
    changed();
}

void TFont::SetColor(TColor color)
{
    if (color == fColor) return;
    fColor = color;
    if (OnChange) OnChange();
}

void TFont::SetStyle(TFontStyles style)
{
    if (style == fStyle) return;
    fStyle = style;
    changed();
}

HFONT TFont::Handle() const
{
    if (!fHandle) {
        LOGFONTW lf{};
        lf.lfHeight = fHeight;
        lf.lfWeight = fStyle & fsBold ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = (fStyle & fsItalic) != 0;
        lf.lfUnderline = (fStyle & fsUnderline) != 0;
        lf.lfStrikeOut = (fStyle & fsStrikeOut) != 0;
        lf.lfCharSet = DEFAULT_CHARSET;
        lf.lfQuality = DEFAULT_QUALITY;
        lstrcpynW(lf.lfFaceName, fName.c_str(), LF_FACESIZE);
        fHandle.Reset(CreateFontIndirectW(&lf));
    }
    return (HFONT)fHandle.Get();
}

TBitmap::~TBitmap()
{
    freeDC();
}

void TBitmap::freeDC()
{
    if (fDC) {
        SelectObject(fDC, fOld);
        DeleteDC(fDC);
        fDC = nullptr;
    }
}

void TBitmap::SetSize(int width, int height)
{
    freeDC();
    fBitmap.Reset();
    fBits = nullptr;
    fWidth = width > 0 ? width : 0;
    fHeight = height > 0 ? height : 0;
    if (fWidth && fHeight) {
        BITMAPINFO bi{};
        bi.bmiHeader = {sizeof(BITMAPINFOHEADER), fWidth, -fHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        fBitmap.Reset(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &fBits, nullptr, 0));
        if (fBits) memset(fBits, 0xFF, (size_t)fWidth * fHeight * 4);
    }
    Changed();
}

void TBitmap::Changed()
{
    freeDC();
    if (fUpdating > 0)
        fPending = true;
    else if (OnChange)
        OnChange();
}

void TBitmap::EndUpdate()
{
    if (fUpdating > 0 && --fUpdating == 0 && fPending) {
        fPending = false;
        if (OnChange) OnChange();
    }
}

HDC TBitmap::Canvas()
{
    if (!fDC && fBitmap) {
        fDC = CreateCompatibleDC(nullptr);
        fOld = SelectObject(fDC, fBitmap.Get());
    }
    return fDC;
}

void TBitmap::Rectangle(int left, int top, int right, int bottom, TColor brush)
{
    HDC dc = Canvas();
    if (!dc) return;
    {
        TGdiObject b(CreateSolidBrush(ColorToRGB(brush)));
        TSelectScope sb(dc, b.Get()), sp(dc, GetStockObject(BLACK_PEN));
        ::Rectangle(dc, left, top, right, bottom);
    }
    GdiFlush();
    Changed();
}

void TBitmap::FillRect(const RECT& r, TColor color)
{
    HDC dc = Canvas();
    if (!dc) return;
    TGdiObject b(CreateSolidBrush(ColorToRGB(color)));
    ::FillRect(dc, &r, (HBRUSH)b.Get());
    GdiFlush();
}

uint32_t* TBitmap::Pixels()
{
    GdiFlush();
    return (uint32_t*)fBits;
}

HBITMAP TBitmap::ReleaseHandle()
{
    freeDC();
    HBITMAP b = (HBITMAP)fBitmap.Release();
    fBits = nullptr;
    fWidth = fHeight = 0;
    return b;
}

TBrushCache::~TBrushCache() = default;

HBRUSH TBrushCache::Get(TColor color)
{
    COLORREF rgb = ColorToRGB(color);
    if (!fBrush || rgb != fFor) {
        fBrush.Reset(CreateSolidBrush(rgb));
        fFor = rgb;
    }
    return (HBRUSH)fBrush.Get();
}
