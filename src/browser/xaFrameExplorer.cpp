#include "xaFrameExplorer.h"

#include "Clipbrd.h"
#include "xaLanguageUni.h"
#include "xaModulControls.h"


TFrExplorer::TFrExplorer(TComponent* owner) : TFrame(owner)
{
    createComponents();
    LVSStyleChange(LVS->ViewStyle());
    LVS->SetPath(L"");
    ep->SetBorderStyle(bsNone);
    ep->SetParentColor(true);
    btnDirUp->SetBorderStyle(bsNone);
    btnDirUp->SetParentColor(true);
    btnDirUp->Hint = L"Directory up" L" (BackSpase)";
    Sizing();
}

void TFrExplorer::HandleCreated()
{
    TFrame::HandleCreated();
    ep->Loaded();
    Control_ShowHint(*btnDirUp);
    Sizing();
}

void TFrExplorer::Sizing()
{
    int h = Text_Height(L"C\\A:BCDEFG!!@%$", ep->Font);
    // The box sizes itself to its font, as an auto-sized edit does.
    if (ep->BorderStyle() == bsNone) {
        PanelAdr->SetHeight(h + 6);
        btnDirUp->SetBounds(0, 2, btnDirUp->Width(), PanelAdr->Height() - 4);
        ep->SetBounds(btnDirUp->Width(), 2, PanelAdr->Width() - btnDirUp->Width(), h);
    } else {
        PanelAdr->SetHeight(h + 5);
        btnDirUp->SetBounds(0, 0, btnDirUp->Width(), PanelAdr->Height() + 1);
        ep->SetBounds(btnDirUp->Width() - 1, 0, PanelAdr->Width() - btnDirUp->Width() + 1, h + 6);
    }
}

void TFrExplorer::FrameResize(TObject*) { Sizing(); }

void TFrExplorer::LVSStyleChange(TViewStyle style)
{
    TAction* a = style == vsIcon        ? ActStyleIcons
                 : style == vsSmallIcon ? ActStyleRows
                 : style == vsList      ? ActStyleCols
                                        : ActStyleTable;
    a->SetChecked(true);
    tbStyle->SetImageIndex(a->ImageIndex);
}

void TFrExplorer::LVSEnter(TObject*) { al->State = asNormal; }

void TFrExplorer::LVSExit(TObject*) { al->State = asSuspended; }

void TFrExplorer::LVSCustomDrawItem(TListView*, TListItem* item, TCustomDrawState, bool&)
{
    LV_DrawItemStripe(*LVS, item, -1);
}

void TFrExplorer::btnDirUpClick(TObject*) { LVS->DirUp(); }

void TFrExplorer::btnDirUpMouseDown(TObject*, TMouseButton button, TShiftState, int, int)
{
    if (button == mbMiddle) LVS->SetRootToPath();
}

void TFrExplorer::btnDirUpMouseEnter(TObject* sender)
{
    auto* c = static_cast<TControl*>(sender);
    hBtnDirUpColor = c->Color();
    c->SetColor(ep->HotColor());
}

void TFrExplorer::btnDirUpMouseLeave(TObject* sender) { static_cast<TControl*>(sender)->SetColor(hBtnDirUpColor); }

void TFrExplorer::lvsKey(WORD key, TShiftState shift) { LVS->KeyDown(key, shift); }

// ---- the actions ---------------------------------------------------------------

void TFrExplorer::ActExecuteExecute(TObject*)
{
    // Files open here even where the view itself only browses (the chooser).
    struct TRestore {
        TxaShellListView* lv;
        bool was;
        ~TRestore() { lv->SetExecuteFile(was); }
    } restore{LVS, LVS->ExecuteFile()};
    LVS->SetExecuteFile(true);
    LVS->Execute();
}

void TFrExplorer::ActRenameExecute(TObject*) { LVS->Rename(); }
void TFrExplorer::ActDeleteExecute(TObject*) { LVS->DeleteSelected(); }
void TFrExplorer::ActCreateFolderExecute(TObject*) { LVS->CreateNewFolder(); }
void TFrExplorer::ActCreateTxtExecute(TObject*) { LVS->CreateNewTxt(); }
void TFrExplorer::ActCopyExecute(TObject*) { LVS->CopyData(); }
void TFrExplorer::ActCutExecute(TObject*) { LVS->CutData(); }
void TFrExplorer::ActPasteExecute(TObject*) { LVS->PasteData(); }
void TFrExplorer::ActView_SUBExecute(TObject*) {}
void TFrExplorer::ActStyleTableExecute(TObject*) { LVS->SetViewStyle(vsReport); }
void TFrExplorer::ActStyleIconsExecute(TObject*) { LVS->SetViewStyle(vsIcon); }
void TFrExplorer::ActStyleColsExecute(TObject*) { LVS->SetViewStyle(vsList); }

void TFrExplorer::ActStyleRowsExecute(TObject*)
{
    LVS->SetViewStyle(vsSmallIcon);
    LVS->Repaint();
}

void TFrExplorer::ActHideVisibleExecute(TObject*) { LVS->SetShowHide(ActHideVisible->Checked); }
void TFrExplorer::ActOpenInExplorerExecute(TObject*) { LVS->OpenInExplorer(); }
void TFrExplorer::ActRefreshExecute(TObject*) { lvsKey(VK_F5, 0); }
void TFrExplorer::ActPropertiesExecute(TObject*) { LVS->Properties(); }

void TFrExplorer::ActPanelButtonsExecute(TObject*)
{
    TB->SetVisible(ActPanelButtons->Checked);
    LVS->Margins.Bottom = ActPanelButtons->Checked ? 6 : 0;
    Realign();
}

void TFrExplorer::ActAdvansed_SUBExecute(TObject*) {}

void TFrExplorer::ActPathActivateExecute(TObject*)
{
    ep->SetFocus();
    ep->SelectAll();
}

void TFrExplorer::ActPathCopyExecute(TObject*) { Clipboard().SetAsText(LVS->Path()); }
void TFrExplorer::ActPathPasteExecute(TObject*) { LVS->SetPath(Clipboard().AsText()); }
void TFrExplorer::ActCopySelectedFullPathsExecute(TObject*) { lvsKey('C', ssShift | ssCtrl); }
void TFrExplorer::ActCopySelectedNamesExtsExecute(TObject*) { lvsKey('C', ssCtrl | ssAlt); }
void TFrExplorer::ActFolderApplicationExecute(TObject*) { lvsKey(VK_F12, ssAlt); }
void TFrExplorer::ActFolderDesktopExecute(TObject*) { lvsKey('D', ssAlt); }
void TFrExplorer::ActFolderMyKompExecute(TObject*) { lvsKey('E', ssAlt); }

// ---- language ---------------------------------------------------------------------

void Lng_FrExplorer_Set(TFrExplorer* frame)
{
    const std::pair<TAction*, const String*> texts[] = {
        {frame->ActExecute, &xaLanguageUni::Execute},
        {frame->ActDelete, &xaLanguageUni::Delete},
        {frame->ActRename, &xaLanguageUni::Rename},
        {frame->ActCreateFolder, &lvs_CreateNewFolder},
        {frame->ActCreateTxt, &lvs_CreateNewTxt},
        {frame->ActCopy, &xaLanguageUni::Copy},
        {frame->ActCut, &xaLanguageUni::Cut},
        {frame->ActPaste, &xaLanguageUni::Paste},
        {frame->ActOpenInExplorer, &xaLanguageUni::OpenInExplorer},
        {frame->ActRefresh, &xaLanguageUni::Refresh},
        {frame->ActProperties, &xaLanguageUni::Properties},
        {frame->ActView_SUB, &xaLanguageUni::View},
        {frame->ActStyleTable, &LV_StyleTable},
        {frame->ActStyleIcons, &LV_StyleIcons},
        {frame->ActStyleCols, &LV_StyleCols},
        {frame->ActStyleRows, &LV_StyleRows},
        {frame->ActHideVisible, &lvs_HideVisible},
        {frame->ActAdvansed_SUB, &xaLanguageUni::Advansed},
    };
    for (const auto& [action, text] : texts) {
        action->Caption = *text;
        action->Hint = *text;
        action->Change();
    }
    frame->LVS->Columns[0].SetCaption(xaLanguageUni::Name);
    frame->LVS->Columns[1].SetCaption(xaLanguageUni::Type);
    frame->LVS->Columns[2].SetCaption(xaLanguageUni::Size);
}
