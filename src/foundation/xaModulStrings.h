// String and list routines. Character positions are 1-based with 0 for "not
// found"; list indexes 0-based with -1 for "not found". Three routines check
// their arguments and tell the programmer by a message naming the routine.
#pragma once

#include "Classes.h"

// Removes every leading (trailing) character of S equal to Ch, letter case ignored.
void Str_TrimLeftSymbol(String& s, wchar_t ch);
void Str_TrimRightSymbol(String& s, wchar_t ch);
// True when every character of S occurs in Symbols (case-sensitive); true for "".
bool Str_HasOnlySymbols(const String& s, const String& symbols);
// Position of the first character of S, at or after FindFrom (0 = from the
// start), that occurs in Symbols; 0 when none. A FindFrom beyond the end of a
// non-empty S is reported in the message box and finds nothing.
int Str_HasSymbol(const String& s, const String& symbols, int findFrom);
// S without any occurrence of Sub, including those a removal brings together.
String Str_DeleteAll(const String& s, const String& sub);
// True when the text of S at Index equals Sub.
bool Str_IsAt(const String& sub, const String& s, int index, bool caseSensitive);
// Position of the last occurrence of Sub in S (case-sensitive); 0 when none.
int Str_PosLast(const String& sub, const String& s);
// True, with Pos counted from the start of S, when Sub occurs at or after
// Start. A Start below 1 is reported in pale red and gives false. Pos is left
// alone when nothing is found.
bool Str_Find_Next(const String& sub, const String& s, bool caseSensitive, int start, int& pos);
// True, with Pos, when Sub occurs within the first Len characters of S
// (-1: all of S); the last occurrence counts.
bool Str_Find_Last(const String& sub, const String& s, bool caseSensitive, int len, int& pos);

// Index of the first item equal to S by the user's locale; -1 when none.
int Strs_IndexOf(const TStrings& strs, const String& s, bool caseSensitive);
// Appends S unless it is there already; true when appended.
bool Strs_AddUnique(TStrings& strs, const String& s, bool caseSensitive);
// Deletes the items from the lower to the higher index, both included. An
// index outside the list is reported in the plain message dialog and nothing
// is deleted.
void Strs_DeleteFromTo(TStrings& strs, int j1, int j2);
String Strs_Join(const TStrings& strs, const String& sep);
// Splits S at its first "=": Name without trailing spaces and then trailing
// tabs, Value untouched. False, with both left alone, when S has no "=".
bool Str_SplitNameValue(const String& s, String& name, String& value);
