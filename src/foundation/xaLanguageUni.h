// Unit xaLanguageUni: the language engine. A Language text is a global string
// with a built-in English value; loading a language file overwrites it from the
// key of the same name. Keys are looked up anywhere in the file, letter case
// ignored, the first match winning; a missing or empty key keeps the text as it
// was and is listed under [Untranslated] in the file.
#pragma once

#include "ActnList.h"
#include "Classes.h"
#include "xaFontDialogTexts.h"
#include "xaLanguageTexts.h"
#include "xaLabelLinkTexts.h"

#include <functional>

// Called back after a change: by Lng_Load once the file is selected, by the
// font dialog after OK or Apply.
using TLngApplyProc = std::function<void()>;

// Sets an action's caption and its hint to the same text.
void Act_CaptionHint_Set(TAction& action, const String& text);

// Full path of the active language file; empty while the built-in English is used.
extern String Lng_Path;
// The text that stands for a line break inside language values; itself a key.
extern String Lng_RedLineDelimiter;
// The explorer pane's up-button hint; it has no key and stays English.
extern const String Lng_DirectoryUp;


// Sets Value from Key of Lines and returns true when the key has a non-empty
// value (with every Lng_RedLineDelimiter turned into CRLF when MultiLine).
// Otherwise records "Key=" under [Untranslated] of Lines, leaves Value alone
// and returns false.
bool Lng_Read(TStrings& lines, String& value, const String& key, bool multiLine);
// The generic words, Lng_RedLineDelimiter first: a file's own marker applies
// to every key read after it.
void Lng_Read_Uni(TStrings& lines);
void Lng_Read_FontDialog(TStrings& lines);
void Lng_Read_LabelLink(TStrings& lines);

// Selects the language file Path (path macros allowed): a missing file is
// reported in pale red and nothing changes; otherwise Lng_Path is set and
// OnLoaded, which reads the file and applies its texts, is called, and then a
// changed path is stored as [Settings] Language in settings.ini. When OnLoaded
// raises (a file another program holds), Lng_Path is put back, nothing is
// stored and the error goes on to the caller.
void Lng_Load(const String& path, const TLngApplyProc& onLoaded);
// The language folder beside the program, with a trailing backslash.
String Lng_Folder();
