#include "IniFiles.h"

#include "Handles.h"

#include <vector>

namespace {
constexpr DWORD kValueLimit = 2048;
}

void TIniFile::writeError() const
{
    throw EIniFileException(Format(L"Unable to write to %s", fFileName.c_str()));
}

String TIniFile::ReadString(const String& section, const String& ident, const String& def) const
{
    wchar_t buf[kValueLimit];
    DWORD n = GetPrivateProfileStringW(section.c_str(), ident.c_str(), def.c_str(), buf, kValueLimit,
                                       fFileName.c_str());
    return String(buf, n);
}

void TIniFile::createUnicode()
{
    // The profile functions make a missing file in the ANSI code page, which
    // loses every character outside it (a folder path, a language file name).
    // An empty file with the UTF-16 mark makes them write UTF-16. A file that
    // exists already is never touched.
    if (fCreated) return;
    fCreated = true;
    TFileHandle file(CreateFileW(fFileName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;  // there already, or not to be made: the write itself reports that
    DWORD written = 0;
    WriteFile(file.Get(), "\xFF\xFE", 2, &written, nullptr);
}

void TIniFile::makeUnicodeFor(const String& text)
{
    // The profile functions write a file back in the encoding they found it
    // in, and in the ANSI code page every character outside it becomes a
    // question mark (a folder "Фото" comes back as "????"). Such a file is
    // first rewritten as UTF-16 with its mark, all its lines as they stood.
    if (Text_FitsAnsi(text)) return;
    std::string bytes;
    {
        TFileHandle file(CreateFileW(fFileName.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return;  // missing: createUnicode makes it; unreadable: the write reports it
        char buf[65536];
        DWORD got = 0;
        while (ReadFile(file.Get(), buf, sizeof buf, &got, nullptr) && got > 0) bytes.append(buf, got);
    }
    TTextEncoding encoding;
    String content = DecodeText(bytes, encoding);
    if (encoding != TTextEncoding::Ansi) return;
    if (File_ReplaceBytes(fFileName, EncodeText(content, TTextEncoding::Utf16LE, true))) writeError();
}

void TIniFile::WriteString(const String& section, const String& ident, const String& value)
{
    createUnicode();
    makeUnicodeFor(section + ident + value);
    if (!WritePrivateProfileStringW(section.c_str(), ident.c_str(), value.c_str(), fFileName.c_str()))
        writeError();
}

int TIniFile::ReadInteger(const String& section, const String& ident, int def) const
{
    String s = ReadString(section, ident, L"");
    int v;
    return !s.empty() && TryStrToInt(s, v) ? v : def;
}

void TIniFile::WriteInteger(const String& section, const String& ident, int value)
{
    WriteString(section, ident, IntToStr(value));
}

bool TIniFile::ReadBool(const String& section, const String& ident, bool def) const
{
    return ReadInteger(section, ident, def ? 1 : 0) != 0;
}

void TIniFile::WriteBool(const String& section, const String& ident, bool value)
{
    WriteString(section, ident, value ? L"1" : L"0");
}

String TIniFile::readList(const wchar_t* section) const
{
    // The profile API truncates silently; grow until the list fits.
    std::vector<wchar_t> buf(16384);
    for (;;) {
        DWORD n = section ? GetPrivateProfileStringW(section, nullptr, L"", buf.data(), (DWORD)buf.size(),
                                                     fFileName.c_str())
                          : GetPrivateProfileSectionNamesW(buf.data(), (DWORD)buf.size(), fFileName.c_str());
        if (n < buf.size() - 2 || buf.size() >= (1u << 24)) return String(buf.data(), n);
        buf.resize(buf.size() * 4);
    }
}

static void splitNullList(const String& list, TStrings& strings)
{
    size_t i = 0;
    while (i < list.size()) {
        size_t j = list.find(L'\0', i);
        if (j == String::npos) j = list.size();
        if (j > i) strings.Add(list.substr(i, j - i));
        i = j + 1;
    }
}

void TIniFile::ReadSection(const String& section, TStrings& strings) const
{
    strings.Clear();
    splitNullList(readList(section.c_str()), strings);
}

void TIniFile::ReadSections(TStrings& strings) const
{
    strings.Clear();
    splitNullList(readList(nullptr), strings);
}

void TIniFile::ReadSectionValues(const String& section, TStrings& strings) const
{
    TStringList keys;
    ReadSection(section, keys);
    strings.Clear();
    for (int i = 0; i < keys.Count(); ++i) strings.Add(keys[i] + L"=" + ReadString(section, keys[i], L""));
}

bool TIniFile::SectionExists(const String& section) const
{
    TStringList keys;
    ReadSection(section, keys);
    return keys.Count() > 0;
}

bool TIniFile::ValueExists(const String& section, const String& ident) const
{
    TStringList keys;
    ReadSection(section, keys);
    return keys.IndexOf(ident) >= 0;
}

void TIniFile::DeleteKey(const String& section, const String& ident)
{
    WritePrivateProfileStringW(section.c_str(), ident.c_str(), nullptr, fFileName.c_str());
}

void TIniFile::EraseSection(const String& section)
{
    createUnicode();
    if (!WritePrivateProfileStringW(section.c_str(), nullptr, nullptr, fFileName.c_str())) writeError();
}

void TIniFile::UpdateFile() { WritePrivateProfileStringW(nullptr, nullptr, nullptr, fFileName.c_str()); }
