// The runtime's basic string, number, file-name and exception services that
// the system's units call, on UTF-16 std::wstring.
#pragma once

#include <windows.h>

#include <exception>
#include <string>

using String = std::wstring;

// Base of every error the class layer raises. The text is what the default
// error handler shows, so it must be the exact text users are meant to see.
class Exception : public std::exception {
public:
    explicit Exception(String message);
    const String& Message() const { return fMessage; }
    const char* what() const noexcept override { return fNarrow.c_str(); }

private:
    String fMessage;
    std::string fNarrow;  // UTF-8 copy for what(): test frameworks print it
};

// A text that is not a number where a number is required.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// printf-style formatting of a wide text ("%s" takes a wchar_t*, "%d" an int).
String Format(const wchar_t* fmt, ...);

String IntToStr(int value);
// Decimal integer with optional sign, surrounding blanks allowed, or "$"/"0x"
// hexadecimal; anything else raises EConvertError "'%s' is not a valid integer value".
int StrToInt(const String& s);
bool TryStrToInt(const String& s, int& value);

// Locale-aware case mapping (CharUpperBuffW / CharLowerBuffW).
String AnsiUpperCase(const String& s);
String AnsiLowerCase(const String& s);
// Locale comparison ignoring case (CompareStringW with NORM_IGNORECASE); 0 when equal.
int AnsiCompareText(const String& a, const String& b);
bool AnsiSameText(const String& a, const String& b);

String Trim(const String& s);
// Every occurrence of What replaced by With, left to right; an empty What changes nothing.
String StringReplaceAll(const String& s, const String& what, const String& with);

// An existing file, not a folder and not a device: whatever it answers for
// may be opened and read to its end.
bool FileExists(const String& path);
bool DirectoryExists(const String& path);  // an existing folder
// Whether Path names a device rather than a file: a reserved name (NUL, CON,
// PRN, AUX, COM1-9, LPT1-9, CONIN$, CONOUT$, in any case) as its last part,
// in any folder, with any extension or trailing blanks, dots and colons; or
// the device namespace ("\\.\", "\\?\", "\??\") other than a drive's or
// a share's path. The platform opens such a name as the device itself.
bool FileIsDevice(const String& path);

String IncludeTrailingPathDelimiter(const String& s);
String ExcludeTrailingPathDelimiter(const String& s);
String ExtractFilePath(const String& s);   // up to and including the last '\' or ':'
String ExtractFileName(const String& s);   // after the last '\' or ':'

// The platform's text for a system error code, without a trailing line break.
String SysErrorMessage(DWORD code);


String FromUtf8(const std::string& s);
std::string ToUtf8(const String& s);
