// The main window's side of special iconize: the switch between the two
// views, the two commands over the frame's list, and the frame's drop targets.
#include "Main.h"
#include "SpecialLines.h"
#include "xaDrop.h"

void FrSpec_Load(TForm1& form, const TStrings* list, const String& iconPath)
{
    form.FrSpec1->Load(list, iconPath);
    form.Panel_Spec->SetVisible(true);
    form.Panel_Norm->SetVisible(false);
}

bool Form1_IconizeSpecial(TForm1* self, bool showMsg)
{
    if (!FrSpec_Iconize(*self->FrSpec1, self->Act_Iconize_CopyIco->Checked, showMsg)) return false;
    // The panes wait behind the view: their rows of the list's types show
    // the new picture when the user comes back, not only after F5.
    TStringList lines;
    self->FrSpec1->ElementLines(lines);
    for (int i = 0; i < lines.Count(); ++i)
        if (lines[i].starts_with(L".")) Form1_ExtIcoRefresh(*self, lines[i].substr(1));
    return true;
}

bool Form1_ClearSpecial(TForm1* self, bool showMsg) { return FrSpec_Clear(*self->FrSpec1, showMsg); }

void TForm1::Act_IconizeTypeExecute(TObject*)
{
    if (Panel_Spec->Visible()) {
        Panel_Spec->SetVisible(false);
        Panel_Norm->SetVisible(true);
        FrIco->LVS->SetFocus();
        return;
    }
    // Each visit starts from the panes' selections, never from the last list.
    TStringList lines;
    TxaShellListView& elm = *FrElm->LVS;
    if (elm.Selected()) {
        elm.SelectedList(*elm.qSelectedList, elm.Path());
        Strs_ForSpecial(*elm.qSelectedList, lines);
    }
    String icon;
    if (TListItem* row = FrIco->LVS->Selected()) icon = FrIco->LVS->TeloName(row->Index(), FrIco->LVS->Path());
    FrSpec_Load(*this, &lines, icon);
    // Shown anew, so that the frame is laid out for the window's size.
    Panel_Spec->SetVisible(false);
    Panel_Spec->SetVisible(true);
}

TFrSpec* TForm1::makeFrSpec()
{
    using namespace std::placeholders;
    auto* spec = new TFrSpec(this);  // keeps its own padding
    spec->Name = L"FrSpec1";
    spec->SetParent(Panel_Spec);
    spec->SetAlign(alClient);
    // What the start and later changes put on the frame, in their order: the
    // language's texts, then the spread font.
    spec->Language_Set();
    if (const TFont* font = Font_Spread()) {
        spec->FontApply(*font);
        spec->FontApplied();
    }
    xaDropElm = new TxaDrop(spec->PanelElm);
    xaDropElm->OnDropFiles = std::bind(&TForm1::xaDropElmDropFiles, this, _1);
    xaDropIco = new TxaDrop(spec->PanelIco);
    xaDropIco->OnDropFiles = std::bind(&TForm1::xaDropIcoDropFiles, this, _1);
    return spec;
}

void TForm1::xaDropElmDropFiles(TObject*) { FrSpec1->AddElements(xaDropElm->Files); }

void TForm1::xaDropIcoDropFiles(TObject*)
{
    // One icon source at a time: the first dropped path.
    if (xaDropIco->Files.Count() > 0) FrSpec1->icoListRefresh(xaDropIco->Files[0], 0);
}
