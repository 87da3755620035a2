// The rename box's components, design values and bindings.
#include "xaRename.h"

#include "xaModulForm.h"
#include "xaYN.h"

TFormRenamer::TFormRenamer(TComponent* owner) : TForm(owner)
{
    using namespace std::placeholders;
    Name = L"FormRenamer";
    SetCaption(L"TextCaption");
    Form_ToolDialog(this, 366, 111, 300, 150, -16, 0xEEE3E4);
    Position = poOwnerFormCenter;

    PopupMenu1 = new TPopupMenu(this);
    PopupMenu1->Name = L"PopupMenu1";
    PopupMenu = PopupMenu1;
    auto hidden = [this](const wchar_t* name, const wchar_t* caption, TShortCut key, TNotifyEvent onClick) {
        TMenuItem* item = PopupMenu1->Add(name, caption, key, -1, std::move(onClick));
        item->Visible = false;
        return item;
    };
    pmOk = hidden(L"pmOk", L"Ok", VK_RETURN, std::bind(&TFormRenamer::pmOkClick, this, _1));
    pmOk2 = hidden(L"pmOk2", L"Ok2", ShortCut(VK_RETURN, ssCtrl), std::bind(&TFormRenamer::pmOkClick, this, _1));
    pmCancel = hidden(L"pmCancel", L"Cancel", VK_ESCAPE, std::bind(&TFormRenamer::pmCancelClick, this, _1));
    pmSelectAll = hidden(L"pmSelectAll", L"Select all", ShortCut('A', ssCtrl),
                         std::bind(&TFormRenamer::pmSelectAllClick, this, _1));
    pmSelectF2 = hidden(L"pmSelectF2", L"Select name/ext", VK_F2, std::bind(&TFormRenamer::pmSelectF2Click, this, _1));
    pmDeselect = hidden(L"pmDeselect", L"Deselect", VK_DOWN, std::bind(&TFormRenamer::pmDeselectClick, this, _1));
    pmDeselect2 = hidden(L"pmDeselect2", L"Deselect2", VK_UP, std::bind(&TFormRenamer::pmDeselectClick, this, _1));

    Edit1 = new TEdit(this);
    Edit1->Name = L"Edit1";
    Edit1->AutoSelect = false;
    Edit1->SetParent(this);
    Edit1->SetBounds(10, 16, 346, 28);
    Edit1->SetAnchors(akLeft | akTop | akRight);
    Edit1->OnKeyDown = std::bind(&TFormRenamer::Edit1KeyDown, this, _1, _2, _3);

    std::tie(Panel1, btnY, btnN) =
        YN_Buttons(this, this, {(366 - 210) / 2, 111 - 46, 210, 40}, 100, 32, {L"Ok", mrOk}, {L"Cancel", mrCancel});
    btnY->OnClick = std::bind(&TFormRenamer::pmOkClick, this, _1);
    btnN->OnClick = std::bind(&TFormRenamer::pmCancelClick, this, _1);

    FormCreate(this);
}
