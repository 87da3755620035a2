#include "xaYN.h"

#include "xaModulColor.h"
#include "xaLanguageTexts.h"

#include <memory>

TFormYN* FormYN = nullptr;

void Lng_FormYN_Set()
{
    if (!FormYN) return;
    FormYN->btnY->SetCaption(xaLanguageUni::Yes);
    FormYN->btnN->SetCaption(xaLanguageUni::No);
}

bool YN_Ask(const String& text, const String& caption)
{
    auto form = std::make_unique<TFormYN>(nullptr);
    TFormGlobalScope<TFormYN> current(FormYN, form.get());
    form->Label1->SetCaption(text);
    form->SetCaption(caption);
    form->Tag = 0;
    form->SetActiveControl(form->btnY);
    form->PanelDown->SetColor(Color_Darken(form->Color(), 10));
    Lng_FormYN_Set();
    form->Position = poOwnerFormCenter;
    form->ModalText = text;
    form->ShowModal();
    return form->Tag == 1;
}

void TFormYN::FormKeyDown(TObject*, WORD& key, TShiftState)
{
    if (key == 0x59) {
        key = 0;
        btnY->Click();
    } else if (key == 0x4E) {
        key = 0;
        btnN->Click();
    }
}

void TFormYN::btnYClick(TObject*)
{
    Tag = 1;
    Close();
}

void TFormYN::btnNClick(TObject*)
{
    Tag = 0;
    Close();
}

namespace {
void drawGlyph(TBitmap& glyph, bool yes)
{
    glyph.BeginUpdate();
    glyph.SetSize(20, 20);
    RECT all{0, 0, 20, 20};
    glyph.FillRect(all, clBtnFace);
    HDC dc = glyph.Canvas();
    TGdiObject pen(CreatePen(PS_SOLID, 3, yes ? RGB(20, 140, 40) : RGB(200, 30, 30)));
    {
        TSelectScope selected(dc, pen.Get());
        if (yes) {
            MoveToEx(dc, 3, 10, nullptr);
            LineTo(dc, 8, 15);
            LineTo(dc, 17, 4);
        } else {
            MoveToEx(dc, 4, 4, nullptr);
            LineTo(dc, 16, 16);
            MoveToEx(dc, 16, 4, nullptr);
            LineTo(dc, 4, 16);
        }
    }
    uint32_t* px = glyph.Pixels();
    for (int i = 0; i < 20 * 20; ++i) px[i] |= 0xFF000000;  // opaque
    glyph.Changed();
    glyph.EndUpdate();
}
}  // namespace

void Glyph_Yes(TBitmap& glyph) { drawGlyph(glyph, true); }
void Glyph_No(TBitmap& glyph) { drawGlyph(glyph, false); }

std::tuple<TPanel*, TBitBtn*, TBitBtn*> YN_Buttons(TComponent* owner, TWinControl* parent, TBounds bounds,
                                                   int buttonWidth, int buttonHeight, TYNAnswer yes, TYNAnswer no)
{
    TPanel* panel = Panel_New(owner, parent, L"Panel1", alNone, bounds);
    panel->SetAnchors(akBottom);
    auto button = [&](const wchar_t* name, int left, TYNAnswer answer, void (*glyph)(TBitmap&)) {
        auto* b = new TBitBtn(owner);
        b->Name = name;
        b->Cursor = crHandPoint;
        b->SetParent(panel);
        b->SetBounds(left, 4, buttonWidth, buttonHeight);
        b->SetCaption(answer.Caption);
        glyph(b->Glyph);
        b->ModalResult = answer.Result;
        return b;
    };
    TBitBtn* btnY = button(L"btnY", 0, yes, Glyph_Yes);
    TBitBtn* btnN = button(L"btnN", buttonWidth + 10, no, Glyph_No);
    return {panel, btnY, btnN};
}
