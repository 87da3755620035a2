// TIniFile: profile (INI) files through the platform's profile functions, so
// every write is on disk at once and other programs see it immediately. A
// file the first write makes is UTF-16, so that any text survives, and an
// ANSI file turns UTF-16 when a write brings text its code page lacks.
#pragma once

#include "Classes.h"

// A failed profile write: "Unable to write to %s" with the file name.
class EIniFileException : public Exception {
public:
    using Exception::Exception;
};

class TIniFile {
public:
    explicit TIniFile(String fileName) : fFileName(std::move(fileName)) {}
    const String& FileName() const { return fFileName; }

    // Values are read with a 2048-character limit, as the class library does.
    String ReadString(const String& section, const String& ident, const String& def) const;
    void WriteString(const String& section, const String& ident, const String& value);
    int ReadInteger(const String& section, const String& ident, int def) const;
    void WriteInteger(const String& section, const String& ident, int value);
    bool ReadBool(const String& section, const String& ident, bool def) const;
    void WriteBool(const String& section, const String& ident, bool value);

    // Key names of a section, in file order.
    void ReadSection(const String& section, TStrings& strings) const;
    void ReadSections(TStrings& strings) const;
    // Name=Value lines of a section.
    void ReadSectionValues(const String& section, TStrings& strings) const;
    bool SectionExists(const String& section) const;
    bool ValueExists(const String& section, const String& ident) const;

    void DeleteKey(const String& section, const String& ident);
    void EraseSection(const String& section);
    void UpdateFile();

private:
    String fFileName;
    bool fCreated = false;  // the file was made sure of before the first write
    void createUnicode();
    void makeUnicodeFor(const String& text);
    String readList(const wchar_t* section) const;  // double-null list from the profile API
    [[noreturn]] void writeError() const;
};
