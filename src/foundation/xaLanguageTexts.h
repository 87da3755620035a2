// The generic words of the language engine: texts many windows share, each
// with its built-in English value, filled from the key of the same name by
// Lng_Read_Uni. They live in a scope of their own because class members bear
// the same names (TComponent::Name, TForm::Close): inside a method an
// unqualified Close would quietly be the member, so callers always write
// xaLanguageUni::Close.
#pragma once

#include "SysUtils.h"

namespace xaLanguageUni {
extern String Lng;
extern String Lng_Setuped;
extern String Lng_FileAbsent;
extern String App;
extern String App_About;
extern String App_Mail;
extern String App_Sait;
extern String App_Help;
extern String App_OpenInExplorer;
extern String App_Close;
extern String File;
extern String New;
extern String Open;
extern String Save;
extern String SaveAs;
extern String Import;
extern String Export;
extern String Close;
extern String Information;
extern String CopyAll;
extern String Copy;
extern String Cut;
extern String Paste;
extern String MoveUp;
extern String MoveDn;
extern String Prev;
extern String Next;
extern String First;
extern String Last;
extern String TabPrev;
extern String TabNext;
extern String Expand;
extern String Collapse;
extern String Maximize;
extern String Minimize;
extern String FullScreen;
extern String MinimizeToTray;
extern String Add;
extern String Edit;
extern String Name;
extern String Type;
extern String Size;
extern String Rename;
extern String Delete;
extern String Insert;
extern String Clear;
extern String Date;
extern String Vizible;
extern String View;
extern String Error;
extern String Apply;
extern String Ok;
extern String Yes;
extern String No;
extern String Cancel;
extern String Enter;
extern String Execute;
extern String Refresh;
extern String Properties;
extern String Goto;
extern String Move;
extern String Warning;
extern String Advansed;
extern String OpenInExplorer;
extern String OpenInExternalEditor;
extern String Reopen;
extern String Selecting;
extern String Select;
extern String SelectAll;
extern String SelectDe;
extern String SelectInvers;
}  // namespace xaLanguageUni
