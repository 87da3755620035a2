#include "xaFrameLanguageComboBox.h"

#include "Forms.h"
#include "SettingsIni.h"
#include "xaLanguageUni.h"
#include "xaModul.h"
#include "xaShell.h"
#include "xaShellListView.h"

const String LngComboBox_BuiltIn = L"# English (built-in)";

namespace {
// False while the chooser moves its own selection (and before it first
// did), so that only the user's choice loads a language.
bool fSelectByUser = false;
}  // namespace

TFrLanguageComboBox::TFrLanguageComboBox(TComponent* owner) : TFrame(owner)
{
    using namespace std::placeholders;
    Name = L"FrLang";
    SetHeight(40);

    pmLng = new TPopupMenu(this);
    pmLng->Name = L"pmLng";
    pmReload = pmLng->Add(L"pmReload", L"Reload", scNone, -1, std::bind(&TFrLanguageComboBox::pmReloadClick, this, _1));
    pmOpenFolder =
        pmLng->Add(L"pmOpenFolder", L"Open folder", scNone, -1, std::bind(&TFrLanguageComboBox::pmOpenFolderClick, this, _1));
    // The main window's command for the active file shares its key with an
    // earlier command there, which wins; here, beside the files, it is reachable.
    pmOpenFile = pmLng->Add(L"pmOpenFile", L"Open Language.lng", scNone, -1,
                            std::bind(&TFrLanguageComboBox::pmOpenFileClick, this, _1));

    lb = new TLabel(this);
    lb->Name = L"lb";
    lb->SetCaption(L"Language:");
    lb->Layout = tlCenter;
    lb->SetParent(this);
    lb->SetBounds(8, 8, 80, 24);

    cb = new TComboBox(this);
    cb->Name = L"cb";
    cb->DropDownList = true;
    cb->DropDownCount = 20;
    cb->PopupMenu = pmLng;
    cb->SetParent(this);
    cb->SetBounds(92, 8, 200, 24);
    cb->OnChange = std::bind(&TFrLanguageComboBox::cbSelect, this, _1);

    klb = new TxaLabelLink(this);
    klb->Name = L"klb";
    klb->SetCaption(L"Restart program for set built-in language");
    klb->Font.SetColor(clFuchsia);
    TFont hot;
    hot.Assign(klb->Font);
    hot.SetColor((TColor)0xC6C600);
    klb->SetFontHot(hot);
    klb->OnClick = std::bind(&TFrLanguageComboBox::klbClick, this, _1);
    klb->SetVisible(false);
    klb->SetParent(this);
    klb->SetLeft(304);
    Font_Set();
}

void TFrLanguageComboBox::LoadLangs(const String& path)
{
    // A folder that is gone (or cannot be listed) offers no files: what it
    // listed before must not stay, nor the built-in entry twice.
    if (!ComboBox_FillFileNames(*cb, Lng_Folder(), false)) cb->Clear();
    cb->InsertItem(0, LngComboBox_BuiltIn);
    SelectLngWithoutTranslate(path);
}

void TFrLanguageComboBox::SelectLngWithoutTranslate(const String& path)
{
    fSelectByUser = false;
    int index = path.empty() ? 0 : cb->IndexOf(File_NameNoExt(ExtractFileName(path)));
    cb->SetItemIndex(index < 0 ? 0 : index);
    fSelectByUser = true;
}

bool TFrLanguageComboBox::Index0()
{
    bool builtIn = cb->ItemIndex() == 0;
    klb->SetVisible(builtIn);
    if (builtIn) {
        // The running program keeps its texts; the next start is in English.
        Settings_LanguageClear();
        Lng_Path.clear();
    }
    Font_Set();
    return builtIn;
}

bool TFrLanguageComboBox::SelectXA(String& path)
{
    if (Index0() || !fSelectByUser) return false;
    int index = cb->ItemIndex();
    if (index < 0) return false;
    String candidate = Lng_Folder() + cb->Items(index) + L".lng";
    if (candidate == Lng_Path) return false;
    // An entry listed from a file of another extension names no language file.
    if (!FileExists(candidate)) return false;
    path = candidate;
    return true;
}

void TFrLanguageComboBox::Font_Set()
{
    int size = Font.Size();
    klb->Font.SetSize(size);
    TFont hot;
    hot.Assign(klb->FontHot());
    hot.SetSize(size);
    klb->SetFontHot(hot);
    // Left to right at the widths their texts take in this font: the label,
    // the list, the link; the frame as high as the list needs.
    lb->SetBounds(lb->Left(), cb->Top(), Text_Width(lb->Caption(), lb->Font) + 4, cb->Height());
    cb->SetLeft(lb->Left() + lb->Width() + 4);
    SetHeight(2 * cb->Top() + cb->Height());
    String text = klb->Caption();
    int height = Text_Height(text, klb->Font);
    klb->SetBounds(cb->Left() + cb->Width() + 12, cb->Top() + cb->Height() / 2 - height / 2,
                   Text_Width(text, klb->Font) + 2, height);
}

void TFrLanguageComboBox::cbSelect(TObject*) {}

void TFrLanguageComboBox::klbClick(TObject*)
{
    if (Application.MainForm) Application.MainForm->Close();
}

void TFrLanguageComboBox::pmReloadClick(TObject*) { LoadLangs(Lng_Path); }

void TFrLanguageComboBox::pmOpenFileClick(TObject*)
{
    if (!Lng_Path.empty()) Shell_Open(Lng_Path);
}

void TFrLanguageComboBox::pmOpenFolderClick(TObject*)
{
    // With the built-in English there is no file to point at: the folder is shown instead.
    Explorer_Select(Lng_Path.empty() ? ExcludeTrailingPathDelimiter(Lng_Folder()) : Lng_Path);
}
