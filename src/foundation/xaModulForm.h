// Window placement and fonts in settings.ini: where each window stood, which
// font the user chose, and pulling a restored window back onto the screen.
#pragma once

#include "Forms.h"
#include "IniFiles.h"

// Restores the placement kept in Section (empty: the form's name) of Ini, or
// of settings.ini when Ini is none. True when the section existed; otherwise
// the form is centred on the screen, and maximized when MaximizeIfNone.
bool Form_PosLoad(TForm* form, TIniFile* ini = nullptr, const String& section = L"", bool maximizeIfNone = false);
// Writes Maximized and the normal (restored) rectangle: Top, Left, Height, Width.
// A form that has never been shown writes nothing: the section keeps what it
// held, or stays absent so that the form opens centred.
void Form_PosSave(TForm* form, TIniFile* ini = nullptr, const String& section = L"");
// Shrinks and moves the form onto the primary screen.
void Form_FitToScreen(TForm* form);
// Moves the form with the mouse as if its title bar were dragged (not when maximized).
void Form_Drag(TForm* form);
// Makes the form one of the program's small boxes: a sizeable tool window
// without title-bar buttons, kept above the other windows, of the given client
// size and smallest size, in Tahoma of FontHeight and, unless clNone, in Color.
void Form_ToolDialog(TForm* form, int clientWidth, int clientHeight, int minWidth, int minHeight, int fontHeight,
                     TColor color = clNone);

// The keys Prefix.Name, .Size, .Color, .Bold, .Italic, .Uderline, .Strike that
// exist change the font; nothing happens without an Ini.
void Font_Load(TIniFile* ini, const String& section, const String& prefix, TFont& font);
// Writes all seven font keys.
void Font_Save(TIniFile* ini, const String& section, const String& prefix, const TFont& font);
