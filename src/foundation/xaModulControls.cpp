#include "xaModulControls.h"
#include "xaModulStrings.h"

#include "Dialogs.h"
#include "xaModulPath.h"

#include <cmath>

namespace {
SIZE textExtent(const String& text, const TFont& font)
{
    // Measured on a temporary bitmap's canvas, as the text will be drawn.
    TBitmap canvas;
    canvas.SetSize(1, 1);
    HDC dc = canvas.Canvas();
    TSelectScope selected(dc, font.Handle());
    SIZE size{0, 0};
    GetTextExtentPoint32W(dc, text.c_str(), (int)text.size(), &size);
    return size;
}
}  // namespace

int Text_Width(const String& text, const TFont& font) { return textExtent(text, font).cx; }
int Text_Height(const String& text, const TFont& font) { return textExtent(text, font).cy; }

bool Dialog_OpenFile(const String& title, const String& filter, const String& initialDir, String& fileName)
{
    TOpenDialog dialog;
    if (!initialDir.empty()) dialog.InitialDir = Path_Expand(initialDir);
    dialog.Title = title;
    dialog.Filter = filter;
    if (!dialog.Execute()) return false;
    fileName = dialog.FileName;
    return true;
}

bool Key_IsDown(int virtualKey)
{
    BYTE state[256];
    if (!GetKeyboardState(state)) return false;
    return (state[virtualKey & 0xFF] & 0x80) != 0;
}

bool Key_Ctrl() { return Key_IsDown(VK_CONTROL); }
bool Key_Shift() { return Key_IsDown(VK_SHIFT); }
bool Key_Alt() { return Key_IsDown(VK_MENU); }

void ListBox_EnsureSelection(TListBox& listBox)
{
    if (listBox.SelCount() == 0 && listBox.Count() > 0) {
        int focused = listBox.ItemIndex();
        listBox.SetSelected(focused >= 0 ? focused : 0, true);
    }
    listBox.SetFocus();
    listBox.Repaint();
}

bool Int_IsEven(int n) { return (n & 1) == 0; }

int Int_Percent(int percent, int total, int min)
{
    // Bounded before it becomes an int: a percent read from settings.ini may
    // be any number, and a product past an int has no value as one.
    double r = std::nearbyint((double)total / 100.0 * percent);  // the default mode rounds halves to even
    if (r < min) r = min;
    if (r > (double)total - min) r = (double)total - min;
    return (int)r;
}

namespace {
TPanel* newPanel(TComponent* owner, TWinControl* parent, const wchar_t* name, TAlign align, const TBounds* bounds)
{
    auto* p = new TPanel(owner);
    p->Name = name;
    p->SetBevelOuter(bvNone);
    p->SetParentColor(true);
    p->SetParent(parent);
    if (bounds) p->SetBounds(bounds->Left, bounds->Top, bounds->Width, bounds->Height);
    if (align != alNone) p->SetAlign(align);
    return p;
}
}  // namespace

TPanel* Panel_New(TComponent* owner, TWinControl* parent, const wchar_t* name, TAlign align)
{
    return newPanel(owner, parent, name, align, nullptr);
}

TPanel* Panel_New(TComponent* owner, TWinControl* parent, const wchar_t* name, TAlign align, TBounds bounds)
{
    return newPanel(owner, parent, name, align, &bounds);
}

void BitBtn_ColorGlyph(TBitBtn& button, TColor color, int width)
{
    int w = width == -1 ? button.Width() - 8 : width;
    int h = button.Height() - 8;
    TBitmap& glyph = button.Glyph;
    glyph.BeginUpdate();
    glyph.SetSize(w, h);
    glyph.TransparentColor = (TColor)0xF323E200;
    glyph.Transparent = false;
    glyph.TransparentMode = TBitmap::tmFixed;
    glyph.Rectangle(2, 2, w - 2, h - 2, color);
    glyph.EndUpdate();
}

void Control_FitToCaption(TControl& control)
{
    int oldWidth = control.Width(), oldHeight = control.Height();
    String caption = control.Caption();
    int width = Text_Width(caption, control.Font) + 18;
    int height = Text_Height(caption, control.Font) - 1;
    int left = control.Left();
    if (control.BiDiMode == bdRightToLeft) left -= width - oldWidth;
    int top = control.Top() - (int)std::nearbyint((height - oldHeight) / 2.0);
    control.SetBounds(left, top, width, height);
}

void Edit_DeleteWordRight(TEdit& edit)
{
    if (!edit.HandleAllocated()) return;
    static const String delimiters = L" |\\/<>:=-+~!@#$%^&*()";
    String text = edit.Text();
    int caret = edit.SelStart();
    if (caret < 0 || caret >= (int)text.size()) return;
    int p = Str_HasSymbol(text, delimiters, caret + 1);
    int length;
    if (p == 0)
        length = (int)text.size() - caret;
    else if (p == caret + 1)
        length = 1;
    else
        length = p - 1 - caret;
    edit.SetSelStart(caret);
    edit.SetSelLength(length);
    edit.SetSelText(L"");
}
