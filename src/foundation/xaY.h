// Unit xaY: the program's message box, the one door for user-level messages.
#pragma once

#include "ComCtrls.h"
#include "CommandImages.h"
#include "Forms.h"
#include "ImgList.h"

constexpr int clYDefault = 0xC6E7FB;  // notices
constexpr int clYError = 0xC4D1F4;    // pale red
constexpr int clYSuccess = 0xC0F1E7;  // pale green

// The pictures of the box's menu, in the Message strip.
namespace MessageImage {
enum : int { Copy, SelectAll, CopyAll, Count };
}
static_assert(MessageImage::Count == CommandImages_Count(TCommandStrip::Message));

// Shows Text under Caption on the background Color (-1: the default colour)
// and returns when the box is closed. RememberPos restores the box's size from
// settings.ini [FormY] and saves its placement there when it closes.
void Y_Show(const String& text, const String& caption = L"", int color = -1, bool rememberPos = true);
// Y_Show with an empty caption and the remembered placement.
void Y_ShowColor(const String& text, int color);

// The message box window: a read-only text on the given colour, its text in a
// darker shade of it, one button, and a menu to copy the text.
class TFormY : public TForm {
public:
    explicit TFormY(TComponent* owner);  // the layout: xaYLayout.cpp
    String ClassName() const override { return L"TFormY"; }

    TRichEdit* RichEdit1;
    TPanel* btnY;
    TPopupMenu* pm;
    TMenuItem* pmCopy;
    TMenuItem* pmSelectAll;
    TMenuItem* pmCopyAll;
    TImageList* il;

    void FormKeyPress(TObject* sender, wchar_t& key);
    void FormResize(TObject* sender);
    void btnYClick(TObject* sender);
    void btnYMouseEnter(TObject* sender);
    void btnYMouseLeave(TObject* sender);
    void RichEdit1SelectionChange(TObject* sender);
    void pmCopyClick(TObject* sender);
    void pmSelectAllClick(TObject* sender);
    void pmCopyAllClick(TObject* sender);
};

// The live message box while Y_Show runs, else none.
extern TFormY* FormY;
// Puts the Language texts on the message box's button and menu.
void Lng_FormY_Set();
