#include "xaFrameSpec.h"

#include "IconizeReport.h"
#include "LanguageTexts.h"
#include "SpecialLines.h"
#include "xaIconize.h"
#include "xaIconizeIni.h"
#include "xaModulControls.h"
#include "xaModulPath.h"
#include "xaRename.h"
#include "xaShellDialog.h"
#include "xaY.h"

#include <algorithm>
#include <cmath>

int SplitSpec = 50;

namespace {
bool isIcoFile(const String& path) { return AnsiLowerCase(File_Ext(path)) == L"ico"; }

// The icon ExtractIconW gives, or none (1 is its answer for "not a file with icons").
HICON extractIcon(const String& file, int index)
{
    HICON icon = ExtractIconW(GetModuleHandleW(nullptr), file.c_str(), (UINT)index);
    return icon == (HICON)1 ? nullptr : icon;
}

std::vector<String> elementLines(const TFrSpec& frame)
{
    TStringList lines;
    frame.ElementLines(lines);
    std::vector<String> elements;
    for (int i = 0; i < lines.Count(); ++i) elements.push_back(lines[i]);
    return elements;
}

// Every line's refusal is told as soon as the road has it, in the lines' order.
void tell(size_t, const TElementResult& result) { Iconize_Report(result); }

// Restores a flag on every way out.
class TFlagScope {
public:
    explicit TFlagScope(bool& flag) : fFlag(flag), fOld(flag) { flag = true; }
    ~TFlagScope() { fFlag = fOld; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    bool& fFlag;
    bool fOld;
};
}  // namespace

TFrSpec::TFrSpec(TComponent* owner) : TFrame(owner) { createComponents(); }

void TFrSpec::ElementLines(TStrings& lines) const
{
    for (int i = 0; i < elmList->Count(); ++i) lines.Add(elmList->Items(i));
}

void TFrSpec::AddElements(const TStrings& paths)
{
    TStringList lines;
    ElementLines(lines);
    int had = lines.Count();
    Strs_ForSpecial(paths, lines);
    for (int i = had; i < lines.Count(); ++i) elmList->AddItem(lines[i]);
}

void TFrSpec::Load(const TStrings* list, const String& iconPath)
{
    elmList->Clear();
    if (list)
        for (int i = 0; i < list->Count(); ++i) elmList->AddItem((*list)[i]);
    SpinIcoIndex->MinValue = 0;
    icoListRefresh(iconPath, 0);
}

void TFrSpec::showSource(bool list, bool index, bool picture)
{
    icoList->SetVisible(list);
    SpinIcoIndex->SetVisible(index);
    labIndex->SetVisible(index);
    Image32->SetVisible(picture);
}

void TFrSpec::icoListRefresh(const String& path, int icoIndex)
{
    {
        TFlagScope syncing(fSyncing);  // the list and the spin box are refilled together
        icoList->Items.Clear();
        ImageList32->Clear();
        Image32->SetIcon(nullptr);
        fListedFile.clear();
        String file;
        int index = icoIndex;
        // An icon file that is not there can be neither shown nor applied: no icon source at all.
        if (path.empty() || !Iconize_Get_Element(path, file, index) || !FileExists(file)) {
            edIcoPath->SetText(L"");
            showSource(false, false, false);
            return;
        }
        edIcoPath->SetText(file);
        if (isIcoFile(file)) {
            Image32->SetIcon((HICON)LoadImageW(nullptr, file.c_str(), IMAGE_ICON, 32, 32, LR_LOADFROMFILE));
            showSource(false, false, true);
            return;
        }
        ImageList_LoadIcoFile(file, *ImageList32, true);
        int count = ImageList32->Count();
        icoList->Items.BeginUpdate();
        for (int i = 0; i < count; ++i) icoList->Items.Add()->SetImageIndex(i);
        icoList->Items.EndUpdate();
        fListedFile = file;
        // A file without icons offers no index to choose and no picture.
        showSource(true, count > 0, count > 0);
        SpinIcoIndex->SetValue(index);
    }
    SpinIcoIndexChange(SpinIcoIndex);
}

void TFrSpec::SpinIcoIndexChange(TObject*)
{
    if (fSyncing || fListedFile.empty()) return;
    TFlagScope syncing(fSyncing);
    int count = icoList->Items.Count();
    if (SpinIcoIndex->Value() > count - 1) {
        SpinIcoIndex->SetValue(count - 1);
        // The new text puts the caret before it: digits typed on would land
        // in front of the number.
        SpinIcoIndex->SetSelStart((int)SpinIcoIndex->Text().size());
    }
    int v = SpinIcoIndex->Value();
    if (v >= count) {
        Image32->SetIcon(nullptr);
        return;
    }
    TListItem& item = icoList->Items[v];
    item.Selected = true;
    item.Focused = true;
    item.MakeVisible(false);
    // The picture is taken from the listed file, the one the index is applied to.
    Image32->SetIcon(extractIcon(fListedFile, v));
}

void TFrSpec::icoListSelectItem(TObject*, TListItem* item, bool selected)
{
    // Only the row being selected moves the index: following the row being
    // left as well would bounce the selection back to it.
    if (item && selected && !fSyncing) SpinIcoIndex->SetValue(item->Index());
}

bool TFrSpec::ChosenIcon(String& iconFile, String& index) const
{
    String text = edIcoPath->Text();
    if (!FileExists(text)) return false;
    if (isIcoFile(text)) {
        iconFile = text;
        index = L"0";
        return true;
    }
    // An index means something only in the file whose icons the user chose
    // it from: a path typed over the listed one must be listed first (Enter).
    if (fListedFile.empty() || !File_SameIdentity(text, fListedFile)) return false;
    int v = SpinIcoIndex->Value();
    if (v < 0 || v >= icoList->Items.Count()) return false;
    iconFile = text;
    index = IntToStr(v);
    return true;
}

void TFrSpec::edIcoPathKeyDown(TObject*, WORD& key, TShiftState)
{
    if (key != VK_RETURN) return;
    key = 0;
    icoListRefresh(edIcoPath->Text(), 0);
}

void TFrSpec::btnIcoOpenClick(TObject*)
{
    String text = edIcoPath->Text(), start = Prog_Dir();
    if (!text.empty()) {
        size_t p = text.find_last_of(L"\\:");
        start = p == String::npos ? String() : text.substr(0, text[p] == L':' ? p + 1 : p);
    }
    String file;
    // Every file is offered: any file may name an icon (a type's, a shortcut's).
    if (Dialog_OpenFile(L"Select ico", L"*,*|*.*", start, file)) icoListRefresh(file, 0);
}

void TFrSpec::btnElmAddClick(TObject*)
{
    TStringList chosen;
    if (ShellDialog_SelectList(chosen, L"Выберите файлы и папки, которым хотите назначить новую иконку", L"*"))
        AddElements(chosen);
}

void TFrSpec::btnElmDeleteClick(TObject*)
{
    ListBox_EnsureSelection(*elmList);
    for (int i = elmList->Count() - 1; i >= 0; --i)
        if (elmList->Selected(i)) elmList->Delete(i);
}

void TFrSpec::btnElmEditClick(TObject*)
{
    ListBox_EnsureSelection(*elmList);
    int i = elmList->ItemIndex();
    if (i < 0 || i >= elmList->Count()) return;
    String line = elmList->Items(i);
    bool type = Iconize_IsFileType(line);
    String text = type ? File_Ext(line) : line, edited = text;
    for (;;) {
        if (!Renamer_Ask(L"Редактирование", text, edited, -1, -1)) return;
        // A type stays a type: "." or "x/y" would name no type, or another's ("..").
        if (!type || Iconize_IsFileType(L"." + edited)) break;
        Y_Show(edited.empty() ? Language::Elm_NotFileType : edited + L"\r\n\r\n" + Language::Elm_NotFileType, L"",
               -1, true);
        text = edited;
    }
    elmList->SetItem(i, type ? L"." + AnsiLowerCase(edited) : edited);
}

void TFrSpec::FrameResize(TObject*)
{
    int room = PanelMid->Height() - PanelMid->Padding.Top - PanelMid->Padding.Bottom - Split->Height();
    PanelElm->SetHeight(Int_Percent(SplitSpec, room, Split->MinSize));
}

void TFrSpec::SplitMoved(TObject*)
{
    // Unlike FrameResize, neither the splitter's height nor the bottom
    // padding is taken off: a resize after a move may shift a few pixels.
    int room = PanelMid->Height() - PanelMid->Padding.Top;
    if (room > 0) SplitSpec = (int)std::nearbyint(100.0 / room * Split->Top());
    PanelMid->Repaint();
}

void TFrSpec::FontApply(const TFont& font)
{
    Font.Assign(font);
    for (TLabel* label : {lbElm, lbIco}) {
        label->Font.SetName(font.Name());
        label->Font.SetHeight(font.Height());
        label->Font.SetStyle(font.Style());
    }
    edIcoPath->Font.Assign(font);
}

void TFrSpec::Language_Set()
{
    lbIco->SetCaption(L" " + Language::Ico_ForIconize);
    lbElm->SetCaption(L" " + Language::Elm_Iconized);
    labIndex->SetCaption(Language::ico_Index);
}

void TFrSpec::FontApplied()
{
    // The box keeps its text's height, as an edit sized to its font does.
    int h = Text_Height(L"Wg", edIcoPath->Font) + 6;
    PanelIcoPath->SetHeight(h);
    edIcoPath->SetHeight(h);
    btnIcoOpen->SetHeight(edIcoPath->Height());
}

bool FrSpec_Iconize(TFrSpec& frame, bool copyIco, bool showMsg)
{
    if (frame.elmList->Count() == 0) {
        Y_ShowColor(L"нет элементов для иконизации", clYError);
        return false;
    }
    String iconFile, index;
    if (!frame.ChosenIcon(iconFile, index)) {
        Y_ShowColor(L"Выберите иконку, которой хотите иконизировать (.ico .icl .dll .exe)", clYError);
        return false;
    }
    TIconizeOptions options;
    options.CopyIco = copyIco;
    std::vector<TElementResult> results;
    {
        TScreenCursor hourglass;
        results = Iconize_Elements(elementLines(frame), iconFile, index, options, tell);
    }
    // Lines that name nothing any more, or shortcuts, iconize nothing: no success to report.
    bool done = std::any_of(results.begin(), results.end(), [](const TElementResult& r) { return r.Done(); });
    if (!done)
        Y_ShowColor(L"нет элементов для иконизации", clYError);
    else if (showMsg)
        Y_ShowColor(L"Иконка успешно назначена!", clYSuccess);
    return done;
}

bool FrSpec_Clear(TFrSpec& frame, bool showMsg)
{
    if (frame.elmList->Count() == 0) {
        Y_ShowColor(L"Не выделено элементов для сброса иконок", clYError);
        return false;
    }
    std::vector<TElementResult> results;
    {
        TScreenCursor hourglass;
        results = Iconize_Clear_Elements(elementLines(frame), TIconizeOptions(), tell);
    }
    // File types are left alone on purpose, lines that name nothing any more
    // clear nothing, and a refused line is told already: success only for
    // what was cleared.
    bool done = std::any_of(results.begin(), results.end(), [](const TElementResult& r) { return r.Done(); });
    if (!done)
        Y_ShowColor(L"Не выделено элементов для сброса иконок", clYError);
    else if (showMsg)
        Y_ShowColor(L"Иконка успешно сброшена!", clYSuccess);
    return done;
}
