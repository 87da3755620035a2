// Colours, fonts and bitmaps: the drawing half of the class layer.
#pragma once

#include "Handles.h"
#include "SysUtils.h"

#include <cstdint>
#include <functional>

// A point in pixels (a control's client coordinates unless said otherwise).
using TPoint = POINT;

// A Windows colour reference 0x00BBGGRR, or 0xFF000000 plus a system-colour
// index for a colour that follows the user's scheme.
using TColor = int;

constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080,
                 clNavy = 0x800000, clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080,
                 clSilver = 0xC0C0C0, clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
                 clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00, clWhite = 0xFFFFFF,
                 clMoneyGreen = 0xC0DCC0, clSkyBlue = 0xF0CAA6, clCream = 0xF0FBFF, clMedGray = 0xA4A0A0;

constexpr TColor clSystemColor = (TColor)0xFF000000;
constexpr TColor clScrollBar = clSystemColor | COLOR_SCROLLBAR, clBackground = clSystemColor | COLOR_BACKGROUND,
                 clActiveCaption = clSystemColor | COLOR_ACTIVECAPTION,
                 clInactiveCaption = clSystemColor | COLOR_INACTIVECAPTION, clMenu = clSystemColor | COLOR_MENU,
                 clWindow = clSystemColor | COLOR_WINDOW, clWindowFrame = clSystemColor | COLOR_WINDOWFRAME,
                 clMenuText = clSystemColor | COLOR_MENUTEXT, clWindowText = clSystemColor | COLOR_WINDOWTEXT,
                 clCaptionText = clSystemColor | COLOR_CAPTIONTEXT,
                 clActiveBorder = clSystemColor | COLOR_ACTIVEBORDER,
                 clInactiveBorder = clSystemColor | COLOR_INACTIVEBORDER,
                 clAppWorkSpace = clSystemColor | COLOR_APPWORKSPACE, clHighlight = clSystemColor | COLOR_HIGHLIGHT,
                 clHighlightText = clSystemColor | COLOR_HIGHLIGHTTEXT, clBtnFace = clSystemColor | COLOR_BTNFACE,
                 clBtnShadow = clSystemColor | COLOR_BTNSHADOW, clGrayText = clSystemColor | COLOR_GRAYTEXT,
                 clBtnText = clSystemColor | COLOR_BTNTEXT,
                 clInactiveCaptionText = clSystemColor | COLOR_INACTIVECAPTIONTEXT,
                 clBtnHighlight = clSystemColor | COLOR_BTNHIGHLIGHT, cl3DDkShadow = clSystemColor | COLOR_3DDKSHADOW,
                 cl3DLight = clSystemColor | COLOR_3DLIGHT, clInfoText = clSystemColor | COLOR_INFOTEXT,
                 clInfoBk = clSystemColor | COLOR_INFOBK, clHotLight = clSystemColor | COLOR_HOTLIGHT,
                 clGradientActiveCaption = clSystemColor | COLOR_GRADIENTACTIVECAPTION,
                 clGradientInactiveCaption = clSystemColor | COLOR_GRADIENTINACTIVECAPTION,
                 clMenuHighlight = clSystemColor | COLOR_MENUHILIGHT, clMenuBar = clSystemColor | COLOR_MENUBAR;
constexpr TColor clNone = 0x1FFFFFFF, clDefault = 0x20000000;

// The RGB value a colour stands for now: system colours through GetSysColor.
COLORREF ColorToRGB(TColor color);
// The colour's name when it has one, else "$" and eight upper-case hex digits.
String ColorToString(TColor color);
// A colour name (case ignored) or an integer text (decimal, "$" or "0x" hex).
bool TryStringToColor(const String& text, TColor& color);
// As TryStringToColor; raises EConvertError for anything else.
TColor StringToColor(const String& text);
// The named colours in their fixed order.
struct TColorName {
    const wchar_t* Name;
    TColor Value;
};
extern const TColorName ColorNames[52];

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;

// The logical pixels per inch of the screen (what point sizes are measured in).
int Screen_PixelsPerInch();

// A font description with a lazily made GDI font. OnChange tells the control
// that shows it.
class TFont {
public:
    TFont() = default;
    ~TFont();
    TFont(const TFont&) = delete;
    TFont& operator=(const TFont&) = delete;
    void Assign(const TFont& other);
    // Whether the two would draw alike: name, height, colour and style.
    bool SameAs(const TFont& other) const;

    const String& Name() const { return fName; }
    void SetName(const String& name);
    // Point size; Height is the character height in pixels, negative as in LOGFONT.
    int Size() const;
    void SetSize(int points);
    int Height() const { return fHeight; }
    void SetHeight(int height);
    TColor Color() const { return fColor; }
    void SetColor(TColor color);
    TFontStyles Style() const { return fStyle; }
    void SetStyle(TFontStyles style);

    HFONT Handle() const;
    std::function<void()> OnChange;

private:
    String fName = L"Tahoma";
    int fHeight = -11;
    TColor fColor = clWindowText;
    TFontStyles fStyle = 0;
    mutable TGdiObject fHandle;
    void changed();
};

// A 32-bit bitmap with a memory device context for drawing on it.
class TBitmap {
public:
    TBitmap() = default;
    ~TBitmap();
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    int Width() const { return fWidth; }
    int Height() const { return fHeight; }
    void SetSize(int width, int height);  // clears to white
    bool Empty() const { return !fBitmap; }
    HBITMAP Handle() const { return (HBITMAP)fBitmap.Get(); }
    // A device context with the bitmap selected; valid until the bitmap changes.
    HDC Canvas();
    // A rectangle in the given brush colour and the default (black) pen.
    void Rectangle(int left, int top, int right, int bottom, TColor brush);
    void FillRect(const RECT& r, TColor color);
    // The pixels, 0xAARRGGBB, top row first (drawing is flushed first).
    uint32_t* Pixels();
    // Hands the bitmap out (the caller owns it) and empties this one.
    HBITMAP ReleaseHandle();
    // Changes between BeginUpdate and EndUpdate reach OnChange once, at the
    // end: a button given a half-drawn picture may keep a copy of each one.
    void BeginUpdate() { ++fUpdating; }
    void EndUpdate();
    // The picture is finished for now: the canvas lets the bitmap go (a bitmap
    // still selected into a device context cannot be drawn or copied by a
    // button or an image list), and OnChange is told (at EndUpdate while updating).
    void Changed();

    bool Transparent = false;
    TColor TransparentColor = clDefault;
    enum TTransparentMode { tmAuto, tmFixed } TransparentMode = tmAuto;
    std::function<void()> OnChange;

private:
    TGdiObject fBitmap;
    void* fBits = nullptr;
    HDC fDC = nullptr;
    HGDIOBJ fOld = nullptr;
    int fWidth = 0, fHeight = 0;
    int fUpdating = 0;
    bool fPending = false;
    void freeDC();
};

// A solid brush that follows a colour, made once per colour change.
class TBrushCache {
public:
    ~TBrushCache();
    HBRUSH Get(TColor color);

private:
    TGdiObject fBrush;
    COLORREF fFor = 0;
};
