// Unit xaFrameLanguageComboBox: the language chooser. It lists the files of
// the Language folder after the built-in English, and tells its owner which
// language file a choice asks for; choosing the built-in English forgets the
// active file and shows a link that restarts the program.
#pragma once

#include "ChoiceCtrls.h"
#include "Frames.h"
#include "Menus.h"
#include "xaLabelLink.h"

class TFrLanguageComboBox : public TFrame {
public:
    explicit TFrLanguageComboBox(TComponent* owner);
    String ClassName() const override { return L"TFrLanguageComboBox"; }

    TLabel* lb;
    TComboBox* cb;
    TxaLabelLink* klb;
    TPopupMenu* pmLng;
    TMenuItem* pmReload;
    TMenuItem* pmOpenFolder;
    TMenuItem* pmOpenFile;

    // Refills the list from the Language folder and selects Path's entry.
    void LoadLangs(const String& path);
    // Selects Path's entry (the built-in English for an empty or unknown path)
    // without asking for a load.
    void SelectLngWithoutTranslate(const String& path);
    // True when the built-in English is selected: it is then made the
    // language of the next start.
    bool Index0();
    // True with Path := the language file the selection asks for, when that
    // is another file than the active one and it exists.
    bool SelectXA(String& path);
    // Sizes the label and the restart link to the frame's font, places them
    // and the list left to right, and centres the link on the list.
    void Font_Set();

    void cbSelect(TObject* sender);
    void klbClick(TObject* sender);
    void pmReloadClick(TObject* sender);
    void pmOpenFolderClick(TObject* sender);
    void pmOpenFileClick(TObject* sender);
};

// The built-in English entry, always the list's first.
extern const String LngComboBox_BuiltIn;
