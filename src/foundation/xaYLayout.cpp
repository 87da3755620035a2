// The message box's components, design values and bindings.
#include "xaY.h"

#include "xaModulForm.h"

TFormY::TFormY(TComponent* owner) : TForm(owner)
{
    using namespace std::placeholders;
    Name = L"FormY";
    Form_ToolDialog(this, 484, 221, 200, 150, -15);
    OnKeyPress = std::bind(&TFormY::FormKeyPress, this, _1, _2);
    OnResize = std::bind(&TFormY::FormResize, this, _1);

    il = new TImageList(this);
    CommandImages_Load(il->Handle(), TCommandStrip::Message);
    pm = new TPopupMenu(this);
    pm->Name = L"pm";
    pm->Images = il;
    pmCopy = pm->Add(L"pmCopy", L"Copy", ShortCut('C', ssCtrl), MessageImage::Copy,
                     std::bind(&TFormY::pmCopyClick, this, _1));
    pmSelectAll = pm->Add(L"pmSelectAll", L"Select all", ShortCut('A', ssCtrl), MessageImage::SelectAll,
                          std::bind(&TFormY::pmSelectAllClick, this, _1));
    pmCopyAll = pm->Add(L"pmCopyAll", L"Copy all", ShortCut('C', ssAlt), MessageImage::CopyAll,
                        std::bind(&TFormY::pmCopyAllClick, this, _1));

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
