// The standard controls: label, panel, edit, buttons with glyphs, list box.
#pragma once

#include "Controls.h"

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TEllipsisPosition { epNone, epEndEllipsis, epWordEllipsis };

// Text drawn by the class layer, so that it can wrap, centre vertically and
// end in an ellipsis.
class TLabel : public TControl {
public:
    explicit TLabel(TComponent* owner);
    String ClassName() const override { return L"TLabel"; }
    TAlignment Alignment = taLeftJustify;
    TTextLayout Layout = tlTop;
    bool WordWrap = false;
    TEllipsisPosition EllipsisPosition = epNone;
    bool ShowAccelChar = true;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    UINT DrawFlags() const;

protected:
    bool ClicksOnMouseUp() const override { return true; }
};

enum TBevelCut { bvNone, bvLowered, bvRaised };

class TPanel : public TWinControl {
public:
    explicit TPanel(TComponent* owner);
    String ClassName() const override { return L"TPanel"; }
    TBevelCut BevelOuter() const { return fBevelOuter; }
    void SetBevelOuter(TBevelCut bevel);
    TBorderStyle BorderStyle() const { return fBorderStyle; }
    void SetBorderStyle(TBorderStyle style);  // bsNone or bsSingle
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

protected:
    void CreateParams(TCreateParams& params) override;
    bool ClicksOnMouseUp() const override { return true; }

private:
    TBevelCut fBevelOuter = bvRaised;
    TBorderStyle fBorderStyle = bsNone;
};

class TEdit : public TWinControl {
public:
    explicit TEdit(TComponent* owner);
    String ClassName() const override { return L"TEdit"; }
    // Zero-based caret position; SelLength characters from it are selected.
    int SelStart() const;
    void SetSelStart(int start);
    int SelLength() const;
    void SetSelLength(int length);
    void SelectAll();
    String SelText() const;
    // Replaces the selection, as typing would (undoable).
    void SetSelText(const String& text);
    // Select all when the edit is entered with the keyboard.
    bool AutoSelect = true;
    bool ReadOnly() const { return fReadOnly; }
    void SetReadOnly(bool value);
    // bsNone or bsSingle; a single border is sunken with Ctl3D, a flat line without.
    TBorderStyle BorderStyle() const { return fBorderStyle; }
    void SetBorderStyle(TBorderStyle style);
    bool Ctl3D() const { return fCtl3D; }
    void SetCtl3D(bool value);
    TNotifyEvent OnChange;
    bool Reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;

private:
    bool fReadOnly = false;
    TBorderStyle fBorderStyle = bsSingle;
    bool fCtl3D = true;
};

enum TModalResult : int { mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL, mrYes = IDYES, mrNo = IDNO };

class TButton : public TWinControl {
public:
    explicit TButton(TComponent* owner);
    String ClassName() const override { return L"TButton"; }
    // Enter presses the default button, Esc the cancel button (see the message loop).
    bool Default = false;
    bool Cancel = false;
    int ModalResult = mrNone;
    void Click() override;
    bool Reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

protected:
    void CreateParams(TCreateParams& params) override;
};

// A push button with a picture beside its caption.
class TBitBtn : public TButton {
public:
    explicit TBitBtn(TComponent* owner);
    String ClassName() const override { return L"TBitBtn"; }
    TBitmap Glyph;

protected:
    void HandleCreated() override;

private:
    void glyphChanged();
};

class TListBox : public TWinControl {
public:
    explicit TListBox(TComponent* owner);
    String ClassName() const override { return L"TListBox"; }
    bool MultiSelect = false;  // decided when the window is made
    // Added items take their place in order (letter case ignored); decided when the window is made.
    bool Sorted = false;
    TBorderStyle BorderStyle = bsSingle;  // bsNone or bsSingle; decided when the window is made
    int Count() const;
    int AddItem(const String& text);
    void Delete(int index);
    // Replaces an item's text where it stands, even in a sorted list.
    void SetItem(int index, const String& text);
    void Clear();
    String Items(int index) const;
    bool Selected(int index) const;
    void SetSelected(int index, bool selected);
    int SelCount() const;
    // The focused item (multiple selection) or the selected one.
    int ItemIndex() const;
    void SetItemIndex(int index);

protected:
    void CreateParams(TCreateParams& params) override;
};
