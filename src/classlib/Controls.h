// Components and controls: ownership, the window-procedure trampoline, bounds
// with align and anchors, colour, font, cursor, mouse and key events. Every
// control wraps one window: the platform's own class (edit, button, rich edit)
// subclassed, or the class layer's window class for panels, labels and forms.
#pragma once

#include "Graphics.h"

#include <functional>
#include <memory>
#include <vector>

class TObject {
public:
    virtual ~TObject() = default;
};

// A component frees the components it owns, the last-made first.
class TComponent : public TObject {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    virtual String ClassName() const { return L"TComponent"; }
    TComponent* Owner() const { return fOwner; }
    int ComponentCount() const { return (int)fComponents.size(); }
    TComponent* Components(int index) const { return fComponents.at(index).get(); }
    TComponent* FindComponent(const String& name) const;

    String Name;
    int Tag = 0;

private:
    TComponent* fOwner;
    std::vector<std::unique_ptr<TComponent>> fComponents;
};

using TShiftState = unsigned;
constexpr TShiftState ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32;
// The modifier keys as the thread's key state table has them now.
TShiftState KeyboardShiftState();

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
using TAnchors = unsigned;
constexpr TAnchors akLeft = 1, akTop = 2, akRight = 4, akBottom = 8;
enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TBiDiMode { bdLeftToRight, bdRightToLeft };
enum TBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };

using TCursor = int;
constexpr TCursor crDefault = 0, crArrow = -2, crIBeam = -4, crSizeAll = -22, crHourGlass = -11,
                  crHandPoint = -21, crNo = -18;
HCURSOR Cursor_Handle(TCursor cursor);

using TNotifyEvent = std::function<void(TObject* sender)>;
using TKeyEvent = std::function<void(TObject* sender, WORD& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TObject* sender, wchar_t& key)>;
using TMouseEvent = std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;

// The space an aligned control keeps around itself when AlignWithMargins is set.
struct TMargins {
    int Left = 3, Top = 3, Right = 3, Bottom = 3;
};

struct TSizeConstraints {
    int MinWidth = 0, MinHeight = 0, MaxWidth = 0, MaxHeight = 0;
};

// Room kept free inside a control's client area for its aligned children.
struct TPadding {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

class TWinControl;
class TForm;

// What a control shows on a right click or the menu key, and whose shortcuts
// the message loop asks (Menus: TPopupMenu). Controls know menus only so far.
class TMenu : public TComponent {
public:
    using TComponent::TComponent;
    virtual bool IsShortCut(WORD shortCut) = 0;
    // Shows the menu at a screen point and runs the chosen item.
    virtual void Popup(int x, int y) = 0;
};

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;
    String ClassName() const override { return L"TControl"; }

    HWND Handle() const { return fHandle; }
    bool HandleAllocated() const { return fHandle != nullptr; }
    // Makes the window now, with the windows of everything it stands on, when
    // it stands on a form that waits with its windows; otherwise a control
    // without a window keeps waiting for its parent's.
    void HandleNeeded();
    // The control that owns a window, or none.
    static TControl* FromHandle(HWND hwnd);

    TWinControl* Parent() const { return fParent; }
    virtual void SetParent(TWinControl* parent);
    // The form the control stands on (itself for a form).
    TForm* ParentForm() const;
    // The control as a form, or none (TForm answers itself).
    virtual TForm* AsForm() { return nullptr; }

    int Left() const { return fLeft; }
    int Top() const { return fTop; }
    int Width() const { return fWidth; }
    int Height() const { return fHeight; }
    virtual void SetBounds(int left, int top, int width, int height);
    void SetLeft(int v) { SetBounds(v, fTop, fWidth, fHeight); }
    void SetTop(int v) { SetBounds(fLeft, v, fWidth, fHeight); }
    void SetWidth(int v) { SetBounds(fLeft, fTop, v, fHeight); }
    void SetHeight(int v) { SetBounds(fLeft, fTop, fWidth, v); }
    int ClientWidth() const;
    int ClientHeight() const;

    TAlign Align() const { return fAlign; }
    void SetAlign(TAlign align);
    TAnchors Anchors() const { return fAnchors; }
    void SetAnchors(TAnchors anchors);
    TMargins Margins;
    bool AlignWithMargins = false;
    TSizeConstraints Constraints;

    TColor Color() const { return fColor; }
    virtual void SetColor(TColor color);
    bool ParentColor() const { return fParentColor; }
    void SetParentColor(bool value);
    TFont Font;
    bool ParentFont() const { return fParentFont; }
    void SetParentFont(bool value);

    TCursor Cursor = crDefault;
    String Hint;
    TMenu* PopupMenu = nullptr;
    TBiDiMode BiDiMode = bdLeftToRight;

    bool Visible() const { return fVisible; }
    virtual void SetVisible(bool visible);
    bool Enabled() const { return fEnabled; }
    void SetEnabled(bool enabled);

    // The window text: a caption, or an edit's text.
    virtual String Caption() const;
    virtual void SetCaption(const String& caption);
    String Text() const { return Caption(); }
    void SetText(const String& text) { SetCaption(text); }

    void Invalidate();
    void Repaint();
    virtual void Click();

    TNotifyEvent OnClick;
    TNotifyEvent OnResize;
    TMouseEvent OnMouseDown, OnMouseUp;
    TNotifyEvent OnMouseEnter, OnMouseLeave;

    // Messages of the control's window; the default passes them on.
    virtual LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT DefaultHandler(UINT msg, WPARAM wp, LPARAM lp);
    // Notifications the parent window received about this control.
    virtual bool Reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

    // Where this control's anchors measure from: set whenever the bounds are
    // set from outside, so anchors keep the distances the layout gave.
    void RememberAnchorOrigin();

protected:
    struct TCreateParams {
        const wchar_t* ClassName = nullptr;  // none: the class layer's own window class
        DWORD Style = WS_CHILD | WS_CLIPSIBLINGS;
        DWORD ExStyle = 0;
    };
    virtual void CreateParams(TCreateParams& params);
    // The parent (or, for a top-level window, owner) window the handle is made under.
    virtual HWND CreationParent() const;
    virtual void CreateHandle();
    void DestroyHandle();
    // Gives a window made elsewhere to this control (subclassing it).
    void AttachHandle(HWND hwnd);
    // Called after the window exists: push the state kept here onto it.
    virtual void HandleCreated();
    // Whether this control is the top of a tree whose windows wait (a form
    // built before its window). Laid out as if they had them.
    virtual bool WindowsWait() const { return false; }
    bool standsOnWaitingWindows() const;
    // Client, grown by the frame the window's styles give it (the window's
    // own styles, or those it will be made with).
    RECT FrameAround(RECT client) const;
    void RecreateWnd();
    virtual void FontChanged();
    virtual void ColorChanged();
    virtual bool ClicksOnMouseUp() const { return false; }
    // The brush and text colours for WM_CTLCOLOR* of this control.
    virtual HBRUSH CtlColor(HDC dc);
    void UpdateBoundsFromWindow();
    void SetVisibleFlag(bool visible) { fVisible = visible; }

    HWND fHandle = nullptr;
    TWinControl* fParent = nullptr;
    bool fAcceptFiles = false;
    int fLeft = 0, fTop = 0, fWidth = 0, fHeight = 0;
    String fCaption;
    TColor fColor = clBtnFace;
    TBrushCache fBrush;

private:
    WNDPROC fOldProc = nullptr;
    TAlign fAlign = alNone;
    TAnchors fAnchors = akLeft | akTop;
    bool fParentColor = false, fParentFont = true, fVisible = true, fEnabled = true;
    bool fMouseInside = false, fMouseDown = false, fInheriting = false;
    struct {
        int Left, Top, Width, Height, ParentWidth, ParentHeight;
        bool Valid;
    } fOrigin{};
    friend class TWinControl;
    friend LRESULT CALLBACK Control_Trampoline(HWND, UINT, WPARAM, LPARAM);
    void inheritColor(TColor color);
    void applyColor(TColor color);
    void inheritFont(const TFont& font);
    void anchorTo(int parentWidth, int parentHeight);
    // The client rectangle the window will have, from its styles.
    RECT clientRectToBe() const;
    // Takes the place and moves the window there, or, for a control whose
    // window waits, lays out what a size change lays out.
    void moveTo(int left, int top, int width, int height);
};

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;
    String ClassName() const override { return L"TWinControl"; }

    int ControlCount() const { return (int)fControls.size(); }
    TControl* Controls(int index) const { return fControls.at(index); }

    bool TabStop() const { return fTabStop; }
    void SetTabStop(bool value);
    // Whether files dragged from the shell may be dropped on the control
    // (WM_DROPFILES); kept for every window the control is given.
    void SetAcceptFiles(bool value);
    bool Focused() const;
    virtual bool CanFocus() const;
    virtual void SetFocus();

    TKeyEvent OnKeyDown, OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnEnter, OnExit;
    // Call Realign after changing it.
    TPadding Padding;

    // A key pressed in the control: raises OnKeyDown. A control with a key
    // table of its own replaces it; Key 0 afterwards keeps the key from the
    // window's own handling.
    virtual void KeyDown(WORD& key, TShiftState shift);

    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    // Lays out aligned and anchored children to the client size, less the padding.
    void Realign();

protected:
    void CreateParams(TCreateParams& params) override;
    void FontChanged() override;
    bool fTabStop = false;

private:
    std::vector<TControl*> fControls;
    friend class TControl;
};

// Hands an exception caught at a window procedure or the message loop to the
// application's handler, which TApplication (Forms) installs: controls stand
// below forms and must not call up into them. Without one it is dropped.
void Control_HandleException();
extern void (*Control_ExceptionHandler)();

// The cursor the whole application shows instead of the controls' own, or
// crDefault. Kept here, where controls pick their cursor; TScreen sets it.
TCursor Screen_Cursor();
void Screen_CursorStore(TCursor cursor);

// The class layer's own window class, registered once.
const wchar_t* Control_WindowClass();
