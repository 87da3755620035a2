// Unit Settings: the settings window. It changes the running program at
// once: the language, the lists' font, the main window's and the lists'
// colours, three options of the main window and the icons base. Only the
// language is written to settings.ini here; the rest is saved with the main
// window.
#pragma once

#include "ActnLink.h"
#include "ButtonColor.h"
#include "Forms.h"
#include "ListView.h"
#include "MadeOnUse.h"
#include "xaFrameLanguageComboBox.h"

// What the settings window works on in the main window.
struct TSettingsMain {
    TForm* Form = nullptr;  // its Color is the main window's colour
    TListView* ElmList = nullptr;  // its Font is the lists' font
    TListView* IcoList = nullptr;
    TAction* ExplorerContexMenu = nullptr;
    TAction* ExecuteByDblClick = nullptr;
    TAction* FontTransparent = nullptr;
    TAction* BazaOpenNew = nullptr;
    // Spreads a font over the windows (sizes outside 8..20 change nothing).
    std::function<void(const TFont&)> FontApply;
    // Derives the secondary colours from the main window's colour.
    std::function<void()> ColorsApply;
    // Reads the language file just selected and puts its texts on the windows.
    std::function<void()> LanguageApply;
};

class TFormSettings : public TForm {
public:
    // Builds the layout (SettingsLayout.cpp), then runs FormCreate.
    TFormSettings(TComponent* owner, const TSettingsMain& main);
    ~TFormSettings() override;
    String ClassName() const override { return L"TFormSettings"; }

    TFrLanguageComboBox* FrLang;
    TCheckBox* ch_ExplorerContexMenu;
    TCheckBox* ch_SetExecuteByDblClick;
    TCheckBox* chTFontTransparent;
    TButton* btnFont;
    TLabel* labCtrlWheel;
    TButtonColor* btnColor_Form1;
    TButtonColor* btnColor_List;
    TButton* btnResetToDefault;
    TLabel* labBaza;
    TEdit* edBaza;
    TBitBtn* btnBaza;
    TPopupMenu* pmSet;
    TMenuItem* pmSet_Close;

    void FormCreate(TObject* sender);
    void btnFontClick(TObject* sender);
    void btnColorFormClick(TObject* sender);
    void btnColorListClick(TObject* sender);
    void btnResetToDefaultClick(TObject* sender);
    void FrLangcbSelect(TObject* sender);
    void pmSet_CloseClick(TObject* sender);

    // The main window's font spreading reaches this window twice: first it
    // takes the font's shape, then it fits its controls to it. Fitting also
    // follows new texts: each control shows its whole text, the rows stand
    // one under the other, and the window grows when they need more room.
    void Font_Take(const TFont& font);
    void Font_Fit();
    // Puts the program's language texts on the window.
    void Language_Set();

private:
    static constexpr int kMinWidth = 650, kMinHeight = 560;  // outside, as designed
    TSettingsMain fMain;
    void layout();
    void showColors();
};

// Made on its first use (F12), from the main window; then lives for the rest
// of the run. Until then the program's changes have no window to reach, and
// the window takes the state they left when it is made.
extern TMadeOnUse<TFormSettings> FormSettings;
