// Unit About: the borderless about box with the program's name and version,
// the maker's address and the program's web page as links.
#pragma once

#include "Forms.h"
#include "GraphicCtrls.h"
#include "xaLabelLink.h"

// The version the about box names and its mail link's subject carries.
extern const String About_AppNameVer;

// Makes, fills, shows modally and frees an about box. A click on the program's
// name runs OpenInExplorer (the main window's command that shows the program
// file in Explorer).
void About_Show(const TNotifyEvent& openInExplorer);

class TFormAbout : public TForm {
public:
    explicit TFormAbout(TComponent* owner);  // the layout: AboutLayout.cpp
    String ClassName() const override { return L"TFormAbout"; }

    TImage* Image1;
    TSpeedButton* SpeedButton1;
    TPanel* Panel1;
    TLabel* lab_Autor;
    TxaLabelLink* xall_AppNameVer;
    TxaLabelLink* xall_Mail;
    TxaLabelLink* xall_Sait;

    void FormMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void FormKeyPress(TObject* sender, wchar_t& key);
    void SpeedButton1Click(TObject* sender);
};

// The box while it is shown, else none.
extern TFormAbout* FormAbout;
