// The about box's components, design values and bindings.
#include "About.h"

namespace {
// The link labels' look: bold, a hot font of white.
void linkLook(TxaLabelLink* link, TColor color, int height, bool underline)
{
    link->Font.SetName(L"Tahoma");
    link->Font.SetHeight(height);
    link->Font.SetColor(color);
    link->Font.SetStyle(underline ? fsBold | fsUnderline : (TFontStyles)fsBold);
    TFont hot;
    hot.Assign(link->Font);
    hot.SetColor(clWhite);
    hot.SetStyle(fsBold | fsUnderline);
    link->SetFontHot(hot);
}
}  // namespace

TFormAbout::TFormAbout(TComponent* owner) : TForm(owner)
{
    using namespace std::placeholders;
    Name = L"FormAbout";
    SetBorderStyle(bsNone);
    SetColor((TColor)1);
    SetClientSize(500, 300);
    Constraints.MinWidth = 500;
    Constraints.MinHeight = 300;
    Position = poScreenCenter;
    Font.SetName(L"Tahoma");
    Font.SetHeight(-13);
    OnMouseDown = std::bind(&TFormAbout::FormMouseDown, this, _1, _2, _3, _4, _5);
    OnKeyPress = std::bind(&TFormAbout::FormKeyPress, this, _1, _2);

    Image1 = new TImage(this);
    Image1->Name = L"Image1";
    Image1->Stretch = true;
    Image1->Proportional = true;
    Image1->Center = true;
    Image1->SetTransparent(true);
    Image1->SetParent(this);
    Image1->SetBounds(24, 50, 200, 200);
    // The program's icon, made from its largest image; a system that cannot
    // read that (compressed) image gets the next one, stretched alike.
    HINSTANCE self = GetModuleHandleW(nullptr);
    HICON icon = (HICON)LoadImageW(self, MAKEINTRESOURCEW(1), IMAGE_ICON, 200, 200, 0);
    if (!icon) icon = (HICON)LoadImageW(self, MAKEINTRESOURCEW(1), IMAGE_ICON, 48, 48, 0);
    Image1->SetIcon(icon);
    Image1->OnMouseDown = OnMouseDown;

    Panel1 = new TPanel(this);
    Panel1->Name = L"Panel1";
    Panel1->SetBevelOuter(bvNone);
    Panel1->SetColor(clBlack);
    Panel1->SetParent(this);
    Panel1->SetBounds(244, 60, 240, 180);
    Panel1->SetAnchors(akLeft | akTop | akRight | akBottom);
    Panel1->OnMouseDown = OnMouseDown;

    lab_Autor = new TLabel(this);
    lab_Autor->Name = L"lab_Autor";
    lab_Autor->Font.SetHeight(-15);
    lab_Autor->Font.SetColor((TColor)0x0080FF);
    lab_Autor->Font.SetStyle(fsBold);
    lab_Autor->ShowAccelChar = false;
    lab_Autor->SetParent(Panel1);
    lab_Autor->SetBounds(8, 8, 228, 20);
    lab_Autor->SetCaption(L"Made by the Dolv team");

    xall_AppNameVer = new TxaLabelLink(this);
    xall_AppNameVer->Name = L"xall_AppNameVer";
    linkLook(xall_AppNameVer, (TColor)0x0080FF, -21, false);
    xall_AppNameVer->SetParent(Panel1);
    xall_AppNameVer->SetBounds(8, 44, 228, 28);
    xall_AppNameVer->SetCaption(L"Dolv 2021.11");

    xall_Mail = new TxaLabelLink(this);
    xall_Mail->Name = L"xall_Mail";
    linkLook(xall_Mail, (TColor)0xFFA54A, -15, true);
    xall_Mail->SetParent(Panel1);
    xall_Mail->SetBounds(8, 96, 228, 22);

    xall_Sait = new TxaLabelLink(this);
    xall_Sait->Name = L"xall_Sait";
    linkLook(xall_Sait, (TColor)0xFFA54A, -15, true);
    xall_Sait->SetParent(Panel1);
    xall_Sait->SetBounds(8, 128, 228, 22);

    SpeedButton1 = new TSpeedButton(this);
    SpeedButton1->Name = L"SpeedButton1";
    SpeedButton1->Flat = true;
    SpeedButton1->SetParentColor(true);
    SpeedButton1->Font.SetHeight(-17);
    SpeedButton1->Font.SetColor(clWhite);
    SpeedButton1->Font.SetStyle(fsBold);
    SpeedButton1->SetParent(this);
    SpeedButton1->SetBounds(500 - 32, 4, 28, 24);
    SpeedButton1->SetAnchors(akTop | akRight);
    SpeedButton1->SetCaption(L"\u00D7");
    SpeedButton1->OnClick = std::bind(&TFormAbout::SpeedButton1Click, this, _1);
}
