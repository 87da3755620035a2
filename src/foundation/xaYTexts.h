// The generic Language texts the message, question and rename boxes show,
// with their built-in English. The language engine overwrites them from the
// keys of the same names when a language file is loaded.
#pragma once

#include "SysUtils.h"

inline String Lng_Close = L"Close";
inline String Lng_Copy = L"Copy";
inline String Lng_SelectAll = L"Select All";
inline String Lng_CopyAll = L"Copy all";
inline String Lng_Yes = L"Yes";
inline String Lng_No = L"No";
