// Controls that choose a value: the check box, the combo box with an edit
// field, and the spin edit (an edit with up and down arrows).
#pragma once

#include "Classes.h"
#include "StdCtrls.h"

class TCheckBox : public TWinControl {
public:
    explicit TCheckBox(TComponent* owner);
    String ClassName() const override { return L"TCheckBox"; }
    bool Checked() const { return fChecked; }
    void SetChecked(bool value);
    // A click flips the box, then raises OnClick.
    void Click() override;
    bool Reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;

private:
    bool fChecked = false;
};

// An editable combo box. OnChange follows typing and choosing alike; when an
// item is chosen, Text already holds it.
class TComboBox : public TWinControl {
public:
    explicit TComboBox(TComponent* owner);
    String ClassName() const override { return L"TComboBox"; }
    // Lines the drop-down shows without scrolling.
    int DropDownCount = 8;
    // A list to choose from, without an edit field; decided when the window is made.
    bool DropDownList = false;
    int Count() const;
    String Items(int index) const;
    void SetItems(const TStrings& items);
    int AddItem(const String& text);
    void InsertItem(int index, const String& text);
    void Clear();
    // Item changes between BeginUpdate and EndUpdate are drawn once, at the end.
    void BeginUpdate();
    void EndUpdate();
    // The item equal to Text, letter case ignored; -1 when none.
    int IndexOf(const String& text) const;
    int ItemIndex() const;
    void SetItemIndex(int index);
    TNotifyEvent OnChange;
    bool Reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
};

// An edit for a whole number between MinValue and MaxValue, with arrows (and
// the Up and Down keys) that step it by one.
class TSpinEdit : public TEdit {
public:
    explicit TSpinEdit(TComponent* owner);
    String ClassName() const override { return L"TSpinEdit"; }
    int MinValue = 0;
    int MaxValue = 100;
    // The text's number kept within the bounds; MinValue for a text that is none.
    int Value() const;
    void SetValue(int value);
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

protected:
    void HandleCreated() override;

private:
    HWND fArrows = nullptr;  // a child of the edit, destroyed with it
    void placeArrows();
};

// The names of the screen's font families, sorted, letter case ignored; read once.
const TStrings& Screen_Fonts();
