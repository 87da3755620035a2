// The message box's components, design values and bindings.
#include "xaY.h"


namespace {
// The three menu images, drawn in place: copy, select all, copy all.
void drawMenuImage(TBitmap& b, int kind)
{
    b.SetSize(16, 16);
    HDC dc = b.Canvas();
    TGdiObject pen(CreatePen(PS_SOLID, 1, RGB(60, 60, 60))), paper(CreateSolidBrush(RGB(255, 255, 240)));
    TGdiObject dash(CreatePen(PS_DOT, 1, RGB(0, 90, 200)));
    {
        TSelectScope sp(dc, pen.Get()), sb(dc, paper.Get());
        if (kind == 0 || kind == 2) {
            Rectangle(dc, 1, 1, 10, 12);
            Rectangle(dc, 5, 4, 15, 15);
            if (kind == 2)
                for (int y = 7; y <= 12; y += 2) {
                    MoveToEx(dc, 7, y, nullptr);
                    LineTo(dc, 13, y);
                }
        } else {
            {
                TSelectScope sd(dc, dash.Get()), sn(dc, GetStockObject(NULL_BRUSH));
                Rectangle(dc, 1, 2, 15, 14);
            }
            for (int y = 5; y <= 11; y += 3) {
                MoveToEx(dc, 4, y, nullptr);
                LineTo(dc, 12, y);
            }
        }
    }
    // White is the background: transparent; everything drawn is opaque.
    uint32_t* px = b.Pixels();
    for (int i = 0; i < 16 * 16; ++i) px[i] = (px[i] & 0xFFFFFF) == 0xFFFFFF ? 0 : (px[i] | 0xFF000000);
    b.Changed();
}
}  // namespace

TFormY::TFormY(TComponent* owner) : TForm(owner)
{
    using namespace std::placeholders;
    Name = L"FormY";
    SetBorderStyle(bsSizeToolWin);
    SetBorderIcons(0);
    SetFormStyle(fsStayOnTop);
    SetClientSize(484, 221);
    Constraints.MinWidth = 200;
    Constraints.MinHeight = 150;
    Font.SetName(L"Tahoma");
    Font.SetHeight(-15);
    OnKeyPress = std::bind(&TFormY::FormKeyPress, this, _1, _2);
    OnResize = std::bind(&TFormY::FormResize, this, _1);

    il = new TImageList(this);
    for (int i = 0; i < 3; ++i) {
        TBitmap b;
        drawMenuImage(b, i);
        il->Add(b);
    }
    pm = new TPopupMenu(this);
    pm->Name = L"pm";
    pm->Images = il;
    pmCopy = pm->Add(L"pmCopy", L"Copy", ShortCut('C', ssCtrl), 0, std::bind(&TFormY::pmCopyClick, this, _1));
    pmSelectAll = pm->Add(L"pmSelectAll", L"Select all", ShortCut('A', ssCtrl), 1,
                          std::bind(&TFormY::pmSelectAllClick, this, _1));
    pmCopyAll = pm->Add(L"pmCopyAll", L"Copy all", ShortCut('C', ssAlt), 2, std::bind(&TFormY::pmCopyAllClick, this, _1));

    RichEdit1 = new TRichEdit(this);
    RichEdit1->Name = L"RichEdit1";
    RichEdit1->SetBorderStyle(bsNone);
    RichEdit1->SetReadOnly(true);
    RichEdit1->SetScrollBars(ssVertical);
    RichEdit1->SetParentColor(true);
    RichEdit1->SetTabStop(false);
    RichEdit1->PopupMenu = pm;
    pm->PopupComponent = RichEdit1;
    RichEdit1->SetParent(this);
    RichEdit1->Font.SetName(L"Tahoma");
    RichEdit1->Font.SetHeight(-15);
    RichEdit1->SetBounds(5, 5, 484 - 5 - 5, 221 - 5 - 50);
    RichEdit1->SetAnchors(akLeft | akTop | akRight | akBottom);
    RichEdit1->SetText(L"Text");
    RichEdit1->OnKeyPress = std::bind(&TFormY::FormKeyPress, this, _1, _2);
    RichEdit1->OnSelectionChange = std::bind(&TFormY::RichEdit1SelectionChange, this, _1);
    RichEdit1->OnEnter = std::bind(&TFormY::RichEdit1SelectionChange, this, _1);

    btnY = new TPanel(this);
    btnY->Name = L"btnY";
    btnY->SetBorderStyle(bsSingle);
    btnY->SetBevelOuter(bvNone);
    btnY->Cursor = crHandPoint;
    btnY->SetParent(this);
    btnY->SetBounds(484 - 8 - 144, 221 - 8 - 30, 144, 30);
    btnY->SetAnchors(akRight | akBottom);
    btnY->SetCaption(L"OK");
    btnY->OnClick = std::bind(&TFormY::btnYClick, this, _1);
    btnY->OnMouseEnter = std::bind(&TFormY::btnYMouseEnter, this, _1);
    btnY->OnMouseLeave = std::bind(&TFormY::btnYMouseLeave, this, _1);
}
