// Routines the windows share: text measuring, list selections, the open-file
// dialog, modifier keys, percentages, the layouts' frameless panels, a colour
// swatch on a button, fitting a control to its caption, and Ctrl+Del in an edit.
#pragma once

#include "ComCtrls.h"
#include "Forms.h"
#include "xaModulColor.h"

// The size in pixels of Text drawn in Font.
int Text_Width(const String& text, const TFont& font);
int Text_Height(const String& text, const TFont& font);

// Toggles every item's selection, in index order. Items: Count() and
// operator[] giving an item with a Selected member.
template <class TItems>
void ListView_InvertSelection(TItems& items)
{
    for (int i = 0; i < items.Count(); ++i) items[i].Selected = !items[i].Selected;
}
// The first item whose Caption equals Caption exactly (letter case counts), or none.
template <class TItems>
auto ListView_FindCaption(TItems& items, const String& caption) -> decltype(&items[0])
{
    for (int i = 0; i < items.Count(); ++i)
        if (items[i].Caption == caption) return &items[i];
    return nullptr;
}

// The platform's open-file dialog; InitialDir may be a stored path (macros expanded).
// True and FileName when the user confirms; FileName is untouched otherwise.
bool Dialog_OpenFile(const String& title, const String& filter, const String& initialDir, String& fileName);

// The key state as of the last input message the thread took from its queue.
bool Key_IsDown(int virtualKey);
bool Key_Ctrl();
bool Key_Shift();
bool Key_Alt();

// An unselected multiple-selection list box gets its focused item selected; then it takes the focus.
void ListBox_EnsureSelection(TListBox& listBox);

bool Int_IsEven(int n);
// Percent of Total, rounded halves to even, kept at least Min from both ends.
int Int_Percent(int percent, int total, int min);

// A control's place on its parent, as the layouts give it.
struct TBounds {
    int Left, Top, Width, Height;
};
// A frameless panel in its parent's colour, on Parent (which the layouts fill
// in order), at Bounds when given (the design size its children's anchors
// measure from), then aligned.
TPanel* Panel_New(TComponent* owner, TWinControl* parent, const wchar_t* name, TAlign align);
TPanel* Panel_New(TComponent* owner, TWinControl* parent, const wchar_t* name, TAlign align, TBounds bounds);

// Paints a colour swatch as the button's glyph; Width -1 takes the button's width less 8.
void BitBtn_ColorGlyph(TBitBtn& button, TColor color, int width = -1);
// Sizes a control to its caption, keeping its vertical centre and, in
// right-to-left reading order, its right edge.
void Control_FitToCaption(TControl& control);
// Deletes from the caret up to the next delimiter (or the delimiter at the caret).
void Edit_DeleteWordRight(TEdit& edit);
