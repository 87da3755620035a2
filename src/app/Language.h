// Unit Language: one whole load of a language file, and the routines that
// have the windows put the program's texts (LanguageTexts) on themselves.
#pragma once

#include "Classes.h"

// One whole load of the language file Path: its Untranslated section made
// anew, every key group read, the file written back.
void Lng_ReadFile(const String& path);
// The main window puts the texts on itself, its panes and its special view.
void Lng_Form1_Set();
// The settings window puts the texts on itself.
void Lng_FormSettings_Set();
// Both, then each window lays out its rows for the new texts.
void Lng_App_Set();
// What the program hands Lng_Load: read Lng_Path and put its texts on the windows.
void Lng_LoadAndSet();
