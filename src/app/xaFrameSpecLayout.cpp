// The special-iconize frame's components with their design values and bindings.
#include "xaFrameSpec.h"
#include "xaModulControls.h"

namespace {
constexpr TColor kPanelColor = (TColor)0xD8EBF5, kBoxColor = (TColor)0xFAFDFE;

// The two headings' look.
TLabel* newHeading(TFrSpec* frame, TWinControl* parent, const wchar_t* name, const wchar_t* caption)
{
    auto* l = new TLabel(frame);
    l->Name = name;
    l->SetCaption(caption);
    l->SetColor((TColor)0xBFE0F0);
    l->Font.SetName(L"Trebuchet MS");
    l->Font.SetHeight(-13);
    l->Font.SetColor((TColor)0x6D9EBC);
    l->SetHeight(20);
    l->Layout = tlCenter;
    l->SetParent(parent);
    l->SetAlign(alTop);
    return l;
}

TSpeedButton* newButton(TFrSpec* frame, TWinControl* parent, const wchar_t* name, const wchar_t* caption)
{
    auto* b = new TSpeedButton(frame);
    b->Name = name;
    b->SetCaption(caption);
    b->Flat = true;
    b->Cursor = crHandPoint;
    b->SetParent(parent);
    return b;
}
}  // namespace

void TFrSpec::createComponents()
{
    using namespace std::placeholders;
    Name = L"FrSpec";
    SetBounds(0, 0, 560, 420);
    SetColor((TColor)0x8CB5CC);
    Padding.Left = Padding.Top = Padding.Right = 8;
    OnResize = std::bind(&TFrSpec::FrameResize, this, _1);

    ImageList16 = new TImageList(this, 16, 16);
    ImageList16->Name = L"ImageList16";
    ImageList32 = new TImageList(this, 32, 32);
    ImageList32->Name = L"ImageList32";

    PanelMid = Panel_New(this, this, L"PanelMid", alClient, {8, 8, 544, 412});

    PanelElm = Panel_New(this, PanelMid, L"PanelElm", alTop, {0, 0, 544, 145});
    PanelElm->SetParentColor(false);
    PanelElm->SetColor(kPanelColor);
    lbElm = newHeading(this, PanelElm, L"lbElm", L"Iconized element:");
    PanelElmBtns = Panel_New(this, PanelElm, L"PanelElmBtns", alRight, {449, 20, 95, 125});
    btnElmAdd = newButton(this, PanelElmBtns, L"btnElmAdd", L"+");
    btnElmDelete = newButton(this, PanelElmBtns, L"btnElmDelete", L"\u2013");
    btnElmEdit = newButton(this, PanelElmBtns, L"btnElmEdit", L". .");
    int top = 6;
    for (TSpeedButton* b : {btnElmAdd, btnElmDelete, btnElmEdit}) {
        b->SetBounds(12, top, 70, 28);
        b->Font.SetName(L"Tahoma");
        b->Font.SetStyle(fsBold);
        b->Font.SetColor((TColor)0x5191B3);
        top += 34;
    }
    btnElmAdd->OnClick = std::bind(&TFrSpec::btnElmAddClick, this, _1);
    btnElmDelete->OnClick = std::bind(&TFrSpec::btnElmDeleteClick, this, _1);
    btnElmEdit->OnClick = std::bind(&TFrSpec::btnElmEditClick, this, _1);
    elmList = new TListBox(this);
    elmList->Name = L"elmList";
    elmList->MultiSelect = true;
    elmList->Sorted = true;
    elmList->BorderStyle = bsNone;
    elmList->SetColor(kBoxColor);
    elmList->SetParent(PanelElm);
    elmList->SetAlign(alClient);

    Split = new TSplitter(this);
    Split->Name = L"Split";
    Split->SetParent(PanelMid);
    Split->SetAlign(alTop);
    Split->SetHeight(12);
    Split->MinSize = 200;
    Split->OnMoved = std::bind(&TFrSpec::SplitMoved, this, _1);

    PanelIco = Panel_New(this, PanelMid, L"PanelIco", alClient, {0, 157, 544, 255});
    PanelIco->SetParentColor(false);
    PanelIco->SetColor(kPanelColor);
    lbIco = newHeading(this, PanelIco, L"lbIco", L"Ico for iconize:");
    PanelIcoPath = Panel_New(this, PanelIco, L"PanelIcoPath", alTop, {0, 20, 544, 25});
    edIcoPath = new TEdit(this);
    edIcoPath->Name = L"edIcoPath";
    edIcoPath->SetBorderStyle(bsNone);
    edIcoPath->SetColor(kBoxColor);
    edIcoPath->Font.SetName(L"Tahoma");
    edIcoPath->Font.SetHeight(-15);
    edIcoPath->SetParent(PanelIcoPath);
    edIcoPath->SetBounds(0, 0, 504, 25);
    edIcoPath->SetAnchors(akLeft | akTop | akRight);
    edIcoPath->OnKeyDown = std::bind(&TFrSpec::edIcoPathKeyDown, this, _1, _2, _3);
    btnIcoOpen = newButton(this, PanelIcoPath, L"btnIcoOpen", L". . .");
    btnIcoOpen->SetBounds(508, 0, 36, 25);
    btnIcoOpen->SetAnchors(akTop | akRight);
    btnIcoOpen->OnClick = std::bind(&TFrSpec::btnIcoOpenClick, this, _1);

    icoList = new TListView(this);
    icoList->Name = L"icoList";
    icoList->ReadOnly = true;
    icoList->HideSelection = false;
    icoList->IconOptions.AutoArrange = true;  // rows of icons in index order
    icoList->SetLargeImages(ImageList32);
    icoList->SetSmallImages(ImageList16);
    icoList->SetColor(kBoxColor);
    icoList->SetVisible(false);
    // Room under the list for the picture and the index.
    icoList->Margins = {0, 0, 0, 44};
    icoList->AlignWithMargins = true;
    icoList->SetParent(PanelIco);
    icoList->SetAlign(alClient);
    icoList->OnSelectItem = std::bind(&TFrSpec::icoListSelectItem, this, _1, _2, _3);

    Image32 = new TImage(this);
    Image32->Name = L"Image32";
    Image32->SetTransparent(true);
    Image32->SetParent(PanelIco);
    Image32->SetBounds(6, 217, 32, 32);
    Image32->SetAnchors(akLeft | akBottom);
    labIndex = new TLabel(this);
    labIndex->Name = L"labIndex";
    labIndex->SetCaption(L"Index of ico:");
    labIndex->SetParentColor(true);
    labIndex->Font.SetColor(clGray);
    labIndex->Layout = tlCenter;
    labIndex->SetVisible(false);
    labIndex->SetParent(PanelIco);
    labIndex->SetBounds(50, 221, 90, 24);
    labIndex->SetAnchors(akLeft | akBottom);
    SpinIcoIndex = new TSpinEdit(this);
    SpinIcoIndex->Name = L"SpinIcoIndex";
    SpinIcoIndex->MinValue = 0;
    SpinIcoIndex->MaxValue = 999999999;
    SpinIcoIndex->SetVisible(false);
    SpinIcoIndex->SetParent(PanelIco);
    SpinIcoIndex->SetBounds(144, 221, 80, 24);
    SpinIcoIndex->SetAnchors(akLeft | akBottom);
    SpinIcoIndex->OnChange = std::bind(&TFrSpec::SpinIcoIndexChange, this, _1);
}
