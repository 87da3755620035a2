// The question box's components, design values and bindings.
#include "xaYN.h"

#include "xaModulForm.h"

TFormYN::TFormYN(TComponent* owner) : TForm(owner)
{
    using namespace std::placeholders;
    Name = L"FormYN";
    Form_ToolDialog(this, 384, 191, 400, 230, -15, 0xABBBFC);
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

    std::tie(Panel1, btnY, btnN) =
        YN_Buttons(this, PanelDown, {(384 - 252) / 2, 8, 252, 41}, 120, 34, {L"&Yes", mrYes}, {L"&No", mrNo});
    btnY->OnClick = std::bind(&TFormYN::btnYClick, this, _1);
    btnY->OnKeyDown = std::bind(&TFormYN::FormKeyDown, this, _1, _2, _3);
    btnN->Cancel = true;
    btnN->OnClick = std::bind(&TFormYN::btnNClick, this, _1);
    btnN->OnKeyDown = std::bind(&TFormYN::FormKeyDown, this, _1, _2, _3);
}
