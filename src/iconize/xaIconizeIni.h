// Desktop.ini as the text another program may have written, and the staged
// writes that put a new file in place only when every step succeeded. Used by
// the folder routines of xaIconize only.
#pragma once

#include "SysUtils.h"

#include <initializer_list>
#include <string>
#include <vector>

// The file's lines with their own line ends, in its own encoding: only the
// lines of our keys change, so comments, bare lines, other keys and sections
// go back byte for byte, in their order.
class TDesktopIni {
public:
    // False, with Problem set, when the file exists but cannot be read or is
    // not a text the profile reader would take. A missing file loads empty.
    bool Load(const String& path);
    const String& Problem() const { return fProblem; }
    bool Existed() const { return fExisted; }
    // The marks of an existing file as they were when first asked for: a
    // command asks before it changes the file, and one that only deletes it
    // never needs to ask.
    DWORD Attributes() const;

    // A key of the first ".ShellClassInfo" section that has it, as the profile
    // reader gives it (blanks and a pair of quotes taken off); empty when missing.
    String Value(const String& key) const;
    bool Has(const String& key) const;
    // Takes away every line of these keys in ".ShellClassInfo", and the
    // section's header when nothing else is left under it. True when it changed.
    bool Remove(std::initializer_list<const wchar_t*> keys);
    // Adds Key=Value at the end of ".ShellClassInfo", starting the section when missing.
    void Add(const String& key, const String& value);
    // Nothing but blanks left.
    bool Blank() const;
    // The file's bytes: its own encoding (an ANSI file's lines not ours byte
    // for byte), or UTF-16 with its mark when the text no longer fits the
    // ANSI code page or the file was UTF-16 without a mark.
    std::string Bytes() const;

private:
    struct TLine {
        String Text;      // with its line end; the file's last line perhaps without
        std::string Raw;  // an ANSI file's own bytes of the line; empty for a line we made
    };
    std::vector<TLine> fLines;
    enum class TKind { Ansi, Utf8, Utf16LE, Utf16BE } fKind = TKind::Utf16LE;
    bool fExisted = false;
    String fPath;
    mutable DWORD fAttributes = 0;
    mutable bool fAttributesKnown = false;
    String fProblem;
    String fNewLine = L"\r\n";
    void endLine(size_t i);  // gives the line its line end when it has none
};

// Writes Bytes (or copies Source) into a new temporary file beside Path,
// named in Temp; never one that stood there before. 0, or the system's error
// code; a failed write leaves no temporary file.
DWORD Stage_Write(const String& path, const std::string& bytes, String& temp);
DWORD Stage_Copy(const String& source, const String& path, String& temp);
// Puts Temp in Path's place (replacing it); 0, or the error with Temp gone.
DWORD Stage_Commit(const String& temp, const String& path);
// Removes a temporary file of ours, whatever its attributes.
void Stage_Discard(const String& temp);

// The same file or folder as the file system sees it (volume and file index),
// whatever the spelling of the two paths; false when either is missing.
bool File_SameIdentity(const String& a, const String& b);
