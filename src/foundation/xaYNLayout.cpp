// The question box's components, design values and bindings.
#include "xaYN.h"

TFormYN::TFormYN(TComponent* owner) : TForm(owner)
{
    using namespace std::placeholders;
    Name = L"FormYN";
    SetBorderStyle(bsSizeToolWin);
    SetBorderIcons(0);
    SetFormStyle(fsStayOnTop);
    SetClientSize(384, 191);
    Constraints.MinWidth = 400;
    Constraints.MinHeight = 230;
    SetColor(0xABBBFC);
    Font.SetName(L"Tahoma");
    Font.SetHeight(-15);
    Font.SetColor(clWindowText);
    OnKeyDown = std::bind(&TFormYN::FormKeyDown, this, _1, _2, _3);

    PanelDown = new TPanel(this);
    PanelDown->Name = L"PanelDown";
    PanelDown->SetBevelOuter(bvNone);
    PanelDown->SetParent(this);
    PanelDown->SetBounds(0, 191 - 57, 384, 57);
    PanelDown->SetAlign(alBottom);

    Label1 = new TLabel(this);
    Label1->Name = L"Label1";
    Label1->Alignment = taCenter;
    Label1->Layout = tlCenter;
    Label1->WordWrap = true;
    Label1->EllipsisPosition = epWordEllipsis;
    Label1->ShowAccelChar = false;
    Label1->SetParent(this);
    Label1->SetBounds(16, 8, 352, 120);
    Label1->SetAnchors(akLeft | akTop | akRight | akBottom);
    Label1->SetCaption(L"Txt");

    Panel1 = new TPanel(this);
    Panel1->Name = L"Panel1";
    Panel1->SetBevelOuter(bvNone);
    Panel1->SetParentColor(true);
    Panel1->SetParent(PanelDown);
    Panel1->SetBounds((384 - 252) / 2, 8, 252, 41);
    Panel1->SetAnchors(akBottom);

    btnY = new TBitBtn(this);
    btnY->Name = L"btnY";
    btnY->Cursor = crHandPoint;
    btnY->SetParent(Panel1);
    btnY->SetBounds(0, 4, 120, 34);
    btnY->SetCaption(L"&Yes");
    Glyph_Yes(btnY->Glyph);
    btnY->ModalResult = mrYes;
    btnY->OnClick = std::bind(&TFormYN::btnYClick, this, _1);
    btnY->OnKeyDown = std::bind(&TFormYN::FormKeyDown, this, _1, _2, _3);

    btnN = new TBitBtn(this);
    btnN->Name = L"btnN";
    btnN->Cursor = crHandPoint;
    btnN->Cancel = true;
    btnN->ModalResult = mrNo;
    btnN->SetParent(Panel1);
    btnN->SetBounds(130, 4, 120, 34);
    btnN->SetCaption(L"&No");
    Glyph_No(btnN->Glyph);
    btnN->OnClick = std::bind(&TFormYN::btnNClick, this, _1);
    btnN->OnKeyDown = std::bind(&TFormYN::FormKeyDown, this, _1, _2, _3);
}
