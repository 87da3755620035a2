// String lists and the stream-level file errors of the class library.
#pragma once

#include "SysUtils.h"

#include <functional>
#include <vector>

// A file that cannot be opened: "Cannot open file "%s". %s".
class EFOpenError : public Exception {
public:
    using Exception::Exception;
};
class EFCreateError : public Exception {
public:
    using Exception::Exception;
};
class EStringListError : public Exception {
public:
    using Exception::Exception;
};

// The encoding a text file was read in, so that it can be written back alike.
enum class TTextEncoding { Ansi, Utf8, Utf16LE, Utf16BE };

// An ordered list of strings with the members the system's units use.
class TStrings {
public:
    virtual ~TStrings() = default;

    int Count() const { return (int)fItems.size(); }
    const String& operator[](int index) const { return fItems.at(check(index)); }
    String& operator[](int index) { return fItems.at(check(index)); }
    const String& Strings(int index) const { return (*this)[index]; }

    virtual int Add(const String& s);
    virtual void Insert(int index, const String& s);
    void Delete(int index);
    void Clear() { fItems.clear(); }
    void Exchange(int a, int b);
    void Move(int from, int to);
    void AddStrings(const TStrings& other);
    void Assign(const TStrings& other) { fItems = other.fItems; }

    // Case-insensitive (user's locale) unless CaseSensitive is set.
    int IndexOf(const String& s) const;
    bool CaseSensitive = false;

    // Lines joined with CRLF, a CRLF after each; setting splits at CR, LF or CRLF.
    String Text() const;
    void SetText(const String& text);

    // Name=Value access.
    String Names(int index) const;
    String ValueFromIndex(int index) const;
    int IndexOfName(const String& name) const;
    String Values(const String& name) const;
    void SetValue(const String& name, const String& value);

    // Reads a text file: UTF-8 or UTF-16 by byte-order mark, else the ANSI code
    // page. Raises EFOpenError when the file cannot be opened.
    void LoadFromFile(const String& fileName);
    // Writes every line with CRLF in Encoding (a BOM for the Unicode forms
    // while WriteBOM is set); ANSI text that its code page cannot hold is
    // written as UTF-16 with its mark. The text goes to a temporary file beside the
    // target first and replaces it only when all of it is on disk, so a failed
    // or interrupted save leaves the old file whole. Raises EFCreateError when
    // the file cannot be written; the old file is then unchanged.
    void SaveToFile(const String& fileName) const;
    TTextEncoding Encoding = TTextEncoding::Ansi;
    bool WriteBOM = true;

    const std::vector<String>& Items() const { return fItems; }

protected:
    std::vector<String> fItems;
    int check(int index) const;
};

class TStringList : public TStrings {
public:
    TStringList() = default;
    bool Sorted() const { return fSorted; }
    void SetSorted(bool value);
    void Sort();
    int Add(const String& s) override;

private:
    bool fSorted = false;
    int compare(const String& a, const String& b) const;
};

// Decodes raw file bytes as LoadFromFile does; tells the encoding found.
String DecodeText(const std::string& bytes, TTextEncoding& encoding);
std::string EncodeText(const String& text, TTextEncoding encoding, bool withBOM = true);
// True when every character has its own byte in the ANSI code page (none
// would come back as a question mark or a look-alike).
bool Text_FitsAnsi(const String& text);

// The temporary names a save may use beside its file: "name.~tmp", then
// "name.~tmp1" and on, SaveTempTries in all (Mark ".~old" for a set-aside file).
const int SaveTempTries = 16;
String SaveTempFileName(const String& fileName, int attempt = 0, const wchar_t* mark = L".~tmp");
// Runs Make on the first of those names that nothing stands at and gives the
// name in Temp; 0, or the error. Make must only ever create a new file, so
// whatever else stands at such a name, the user's own file too, stays untouched.
DWORD MakeSaveTemp(const String& fileName, const wchar_t* mark, const std::function<DWORD(const String&)>& make,
                   String& temp);
// Writes Bytes, flushed, into a new file at Path (never an existing one); 0,
// or the error with the new file gone.
DWORD WriteNewFile(const String& path, const std::string& bytes);
// Puts Bytes in the place of FileName (made when missing) the way SaveToFile
// does: a temporary file beside it first, the old one's marks kept, a
// read-only file refused. 0, or the error with the old file untouched.
DWORD File_ReplaceBytes(const String& fileName, const std::string& bytes);
