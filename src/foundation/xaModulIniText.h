// INI text held in a string list, one line per item. The list is edited in
// place and saved whole, so sections, comments, blank lines and line order
// survive. Lookups by name ignore sections: the first matching line counts.
#pragma once

#include "Classes.h"

// Index of the first Name=Value line whose name equals Name (locale, letter
// case ignored; trailing spaces and then tabs of the line's name ignored).
int Strs_IndexOfName(const String& name, const TStrings& strs);
// The text after that line's first "="; empty when there is none.
String Strs_ValueOfName(const String& name, const TStrings& strs);
// Writes Name=Value into Section: replaces the section's line of that name (or
// a bare line Name), else adds it in front of the blank lines that end the
// section, else as the section's last line; adds the section at the end of the
// list when it is missing.
void Strs_Ini_WriteValue(const String& name, const String& value, const String& section, TStrings& strs);

// Status codes of Strs_Ini_NextSection besides the index of the next header.
constexpr int kIniSectionMissing = -1;
constexpr int kIniSectionHeaderIsLast = -2;
constexpr int kIniSectionNoNext = -3;
int Strs_Ini_NextSection(const String& section, const TStrings& strs);
// Deletes the section's lines, keeping its header; the header's index or -1.
int Strs_Ini_ClearSection(const String& section, TStrings& strs);
// Deletes the section's lines and its header.
void Strs_Ini_EraseSection(const String& section, TStrings& strs);
