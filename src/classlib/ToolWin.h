// The tool bar: a row of picture buttons over the platform's tool bar
// control, with check and drop-down buttons, buttons bound to actions, the
// hints as tooltips, a gradient background, and the platform's customize
// dialog, in which the user takes buttons off the bar and puts them back.
#pragma once

#include "ActnList.h"
#include "ImgList.h"

enum TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator };

class TToolBar;

class TToolButton : public TComponent {
public:
    TToolButton(TToolBar& toolBar, TToolButtonStyle style);
    String ClassName() const override { return L"TToolButton"; }
    TToolBar& ToolBar() const { return fToolBar; }
    TToolButtonStyle Style() const { return fStyle; }
    // The command id the platform's control knows the button by.
    int Id() const { return fId; }

    String Caption, Hint;
    TCursor Cursor = crDefault;
    TPopupMenu* DropdownMenu = nullptr;  // under the arrow of a drop-down button
    TPopupMenu* PopupMenu = nullptr;     // on a right click
    TNotifyEvent OnClick;

    int ImageIndex() const { return fImageIndex; }
    void SetImageIndex(int index);
    // A check button's state.
    bool Down() const;
    void SetDown(bool down);
    bool Enabled() const { return fEnabled; }
    void SetEnabled(bool enabled);
    bool Visible() const { return fVisible; }
    void SetVisible(bool visible);
    void Click();

private:
    TToolBar& fToolBar;
    TToolButtonStyle fStyle;
    int fId;
    int fImageIndex = -1;
    bool fDown = false, fEnabled = true, fVisible = true;
    void apply() const;
    // What the platform's control holds of the button.
    BYTE platformStyle() const;
    BYTE platformState() const;
    friend class TToolBar;
};

class TToolBar : public TWinControl {
public:
    explicit TToolBar(TComponent* owner);
    String ClassName() const override { return L"TToolBar"; }

    // Decided when the window is made: text beside the pictures, tooltips.
    bool List = false;
    bool ShowHint = false;
    // Drawn by the bar itself.
    bool GradientDrawing = false;
    bool Wrapable = true;
    bool AutoSize = false;
    // Decided when the window is made: a double click opens the customize
    // dialog, and Shift+drag moves buttons or drags them off the bar. The
    // buttons the bar was made with are what the dialog offers and what its
    // Reset puts back.
    bool Customizable = false;

    TImageList* Images() const { return fImages; }
    void SetImages(TImageList* images);
    int ButtonWidth() const { return fButtonWidth; }
    int ButtonHeight() const { return fButtonHeight; }
    void SetButtonSize(int width, int height);

    // A new button at the end of the row.
    TToolButton* AddButton(const String& name, TToolButtonStyle style = tbsButton);
    int ButtonCount() const { return (int)fButtons.size(); }
    TToolButton* Buttons(int index) const { return fButtons.at(index); }
    // The button under a client point, or none.
    TToolButton* ButtonAt(int x, int y) const;
    // The button's rectangle in the bar's client coordinates.
    RECT ButtonRect(const TToolButton& button) const;
    // The platform's customize dialog, modal (through the modal door).
    void Customize();

    bool Reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;

private:
    TImageList* fImages = nullptr;
    int fButtonWidth = 23, fButtonHeight = 22;
    std::vector<TToolButton*> fButtons;
    String fTip;
    void insert(const TToolButton& button);
    void autoSize();
    TToolButton* byId(int id) const;
    void dropDown(TToolButton& button);
    bool customizeNotify(NMHDR& nm, LRESULT& result);
    void resetButtons();
    friend class TToolButton;
};

// The action owns the button's caption, hint, image, enabled, visible and
// (check buttons) down state; a click executes it.
void Action_Bind(TToolButton& button, TAction& action);
