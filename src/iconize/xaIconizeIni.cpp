#include "xaIconizeIni.h"

#include "Classes.h"
#include "Handles.h"
#include "xaIconizeDoors.h"

namespace {

const wchar_t kSection[] = L".ShellClassInfo";
// A Desktop.ini is a few lines; a file far larger is not one we would keep whole.
constexpr LONGLONG kMaxSize = 4 << 20;

String content(const String& line)
{
    size_t n = line.size();
    while (n && (line[n - 1] == L'\r' || line[n - 1] == L'\n')) --n;
    return line.substr(0, n);
}

// The section a header line opens, as the profile reader takes it: blanks
// around it and anything after the closing bracket do not count.
bool header(const String& line, String& name)
{
    String t = Trim(content(line));
    size_t end = t.find(L']');
    if (t.empty() || t[0] != L'[' || end == String::npos) return false;
    name = Trim(t.substr(1, end - 1));
    return true;
}

// The key of a Key=Value line; empty for comments, bare lines and headers.
String keyOf(const String& line)
{
    String t = Trim(content(line));
    size_t eq = t.find(L'=');
    if (t.empty() || t[0] == L';' || t[0] == L'[' || eq == String::npos) return String();
    return Trim(t.substr(0, eq));
}

String valueOf(const String& line)
{
    String t = Trim(content(line));
    String v = Trim(t.substr(t.find(L'=') + 1));
    if (v.size() >= 2 && (v[0] == L'"' || v[0] == L'\'') && v.back() == v[0]) v = v.substr(1, v.size() - 2);
    return v;
}

// A file without a byte-order mark is UTF-16 only when it reads as UTF-16
// text: its zero bytes are the high halves of its ASCII letters, so they fall
// (nearly) all on one side; no half of a pair, control character or
// non-character shows; and a file with line-end bytes has its line ends as
// UTF-16 characters. Everything else, binary bytes and runs of zeros too, is
// the ANSI text the profile reader takes it for.
bool utf16WithoutMark(const std::string& bytes, bool& bigEndian)
{
    if (bytes.size() < 2 || bytes.size() % 2) return false;
    size_t zeros[2] = {0, 0};
    for (size_t i = 0; i < bytes.size(); ++i)
        if (!bytes[i]) ++zeros[i % 2];
    bigEndian = zeros[0] > zeros[1];
    size_t high = zeros[bigEndian ? 0 : 1], low = zeros[bigEndian ? 1 : 0];
    if (!high || low * 16 > high) return false;
    String text(bytes.size() / 2, L'\0');
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned a = (unsigned char)bytes[2 * i], b = (unsigned char)bytes[2 * i + 1];
        text[i] = (wchar_t)(bigEndian ? a << 8 | b : b << 8 | a);
    }
    auto trail = [&](size_t i) { return i < text.size() && text[i] >= 0xDC00 && text[i] <= 0xDFFF; };
    bool lineBytes = bytes.find_first_of("\r\n") != std::string::npos, lineChars = false;
    for (size_t i = 0; i < text.size(); ++i) {
        wchar_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && trail(i + 1)) {
            ++i;
            continue;
        }
        if ((c >= 0xD800 && c <= 0xDFFF) || c >= 0xFFFE) return false;
        if ((c < 0x20 && c != L'\t' && c != L'\r' && c != L'\n') || (c >= 0x7F && c < 0xA0)) return false;
        lineChars = lineChars || c == L'\r' || c == L'\n';
    }
    return lineChars || !lineBytes;
}

// The ANSI code page's reading of a line's bytes; the bytes themselves are
// kept beside it, since not every code page gives the same bytes back.
String ansiDecode(const std::string& bytes)
{
    if (bytes.empty()) return String();
    int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), (int)bytes.size(), nullptr, 0);
    String r(n, L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), (int)bytes.size(), r.data(), n);
    return r;
}

// Cuts text (or bytes) after each CR, LF or CRLF.
template <class S>
std::vector<S> splitLines(const S& text)
{
    std::vector<S> lines;
    for (size_t i = 0; i < text.size();) {
        size_t j = text.find_first_of(S{'\r', '\n'}, i);
        if (j == S::npos) j = text.size();
        else j += (text[j] == '\r' && j + 1 < text.size() && text[j + 1] == '\n') ? 2 : 1;
        lines.push_back(text.substr(i, j - i));
        i = j;
    }
    return lines;
}

}  // namespace

DWORD TDesktopIni::Attributes() const
{
    if (!fAttributesKnown) {
        DWORD a = fExisted ? GetFileAttributesW(fPath.c_str()) : INVALID_FILE_ATTRIBUTES;
        // A file gone since it was read has no marks to keep.
        fAttributes = fExisted && a == INVALID_FILE_ATTRIBUTES ? 0 : a;
        fAttributesKnown = true;
    }
    return fAttributes;
}

bool TDesktopIni::Load(const String& path)
{
    fLines.clear();
    fProblem.clear();
    fPath = path;
    fAttributesKnown = false;
    TFileHandle h(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h) {
        // Only a file that is not there loads empty; one that is there and
        // cannot be opened (a folder of that name, a locked file) cannot load.
        DWORD e = GetLastError();
        fExisted = GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
        if (fExisted) fProblem = SysErrorMessage(e);
        return !fExisted;
    }
    fExisted = true;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(h.Get(), &size)) {
        fProblem = SysErrorMessage(GetLastError());
        return false;
    }
    if (size.QuadPart > kMaxSize) {
        fProblem = L"The file is too large for a Desktop.ini.";
        return false;
    }
    std::string bytes((size_t)size.QuadPart, '\0');
    DWORD got = 0;
    if (!bytes.empty() && (!ReadFile(h.Get(), bytes.data(), (DWORD)bytes.size(), &got, nullptr) || got != bytes.size())) {
        fProblem = SysErrorMessage(GetLastError());
        return false;
    }
    bool marked = bytes.rfind("\xFF\xFE", 0) == 0 || bytes.rfind("\xFE\xFF", 0) == 0, bigEndian = false;
    if (marked && bytes.size() % 2) {
        fProblem = L"The file is not a text that Desktop.ini can be.";
        return false;
    }
    if (!marked && utf16WithoutMark(bytes, bigEndian)) bytes.insert(0, bigEndian ? "\xFE\xFF" : "\xFF\xFE");
    TTextEncoding enc;
    String text = DecodeText(bytes, enc);
    fKind = enc == TTextEncoding::Utf8     ? TKind::Utf8
            : enc == TTextEncoding::Ansi   ? TKind::Ansi
            : enc == TTextEncoding::Utf16BE ? TKind::Utf16BE
                                            : TKind::Utf16LE;
    if (fKind == TKind::Ansi)
        for (const std::string& raw : splitLines(bytes)) fLines.push_back({ansiDecode(raw), raw});
    else
        for (const String& line : splitLines(text)) fLines.push_back({line, std::string()});
    // Lines we add end the way the file's own lines end.
    for (const TLine& l : fLines)
        if (l.Text.size() != content(l.Text).size()) {
            fNewLine = l.Text.substr(content(l.Text).size());
            break;
        }
    return true;
}

String TDesktopIni::Value(const String& key) const
{
    String section;
    for (const TLine& l : fLines) {
        if (header(l.Text, section)) continue;
        if (AnsiSameText(section, kSection) && AnsiSameText(keyOf(l.Text), key)) return valueOf(l.Text);
    }
    return String();
}

bool TDesktopIni::Has(const String& key) const
{
    String section;
    for (const TLine& l : fLines) {
        if (header(l.Text, section)) continue;
        if (AnsiSameText(section, kSection) && AnsiSameText(keyOf(l.Text), key)) return true;
    }
    return false;
}

bool TDesktopIni::Remove(std::initializer_list<const wchar_t*> keys)
{
    bool changed = false;
    String section, name;
    for (size_t i = 0; i < fLines.size();) {
        if (header(fLines[i].Text, name)) section = name;
        String key = keyOf(fLines[i].Text);
        bool ours = false;
        for (const wchar_t* k : keys) ours = ours || (!key.empty() && AnsiSameText(key, k));
        if (ours && AnsiSameText(section, kSection)) {
            fLines.erase(fLines.begin() + i);
            changed = true;
        } else {
            ++i;
        }
    }
    // A header left with only blank lines under it goes; a comment or a bare
    // line of the user's keeps it.
    for (size_t i = 0; i < fLines.size(); ++i) {
        if (!header(fLines[i].Text, name) || !AnsiSameText(name, kSection)) continue;
        bool empty = true;
        for (size_t j = i + 1; j < fLines.size() && !header(fLines[j].Text, name); ++j)
            empty = empty && Trim(content(fLines[j].Text)).empty();
        if (empty) {
            fLines.erase(fLines.begin() + i--);
            changed = true;
        }
    }
    return changed;
}

void TDesktopIni::Add(const String& key, const String& value)
{
    String section, name;
    size_t at = String::npos;
    for (size_t i = 0; i < fLines.size(); ++i) {
        if (header(fLines[i].Text, name)) {
            if (at != String::npos) break;  // the section ended
            section = name;
            if (AnsiSameText(section, kSection)) at = i + 1;
            continue;
        }
        if (at != String::npos && !Trim(content(fLines[i].Text)).empty()) at = i + 1;
    }
    if (at == String::npos) {
        if (!fLines.empty()) endLine(fLines.size() - 1);
        fLines.push_back({L"[" + String(kSection) + L"]" + fNewLine, std::string()});
        at = fLines.size();
    }
    // A section's last line may lack its line end only at the end of the file.
    if (at > 0) endLine(at - 1);
    fLines.insert(fLines.begin() + at, {key + L"=" + value + fNewLine, std::string()});
}

void TDesktopIni::endLine(size_t i)
{
    TLine& l = fLines[i];
    if (l.Text.size() != content(l.Text).size()) return;
    l.Text += fNewLine;
    if (!l.Raw.empty()) l.Raw += EncodeText(fNewLine, TTextEncoding::Ansi);
}

bool TDesktopIni::Blank() const
{
    for (const TLine& l : fLines)
        if (!Trim(l.Text).empty()) return false;
    return true;
}

std::string TDesktopIni::Bytes() const
{
    String all;
    for (const TLine& l : fLines) all += l.Text;
    switch (fKind) {
    case TKind::Utf8:
        return EncodeText(all, TTextEncoding::Utf8, true);
    case TKind::Utf16BE:
        return EncodeText(all, TTextEncoding::Utf16BE, true);
    case TKind::Ansi: {
        // An ANSI file keeps its bytes, binary ones too, while every letter
        // we add fits; a path outside the code page would turn into question
        // marks, so the file then moves to UTF-16, which the profile reader
        // takes as well.
        std::string bytes;
        bool fits = true;
        for (const TLine& l : fLines) {
            fits = fits && (!l.Raw.empty() || Text_FitsAnsi(l.Text));
            bytes += l.Raw.empty() ? EncodeText(l.Text, TTextEncoding::Ansi) : l.Raw;
        }
        if (fits) return bytes;
    }
        [[fallthrough]];
    default:
        return EncodeText(all, TTextEncoding::Utf16LE, true);
    }
}

void Stage_Discard(const String& temp)
{
    if (GetFileAttributesW(temp.c_str()) == INVALID_FILE_ATTRIBUTES) return;
    Iconize_SetAttributes(temp.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(temp.c_str());
}

DWORD Stage_Write(const String& path, const std::string& bytes, String& temp)
{
    return MakeSaveTemp(path, L".~tmp", [&](const String& t) { return WriteNewFile(t, bytes); }, temp);
}

DWORD Stage_Copy(const String& source, const String& path, String& temp)
{
    return MakeSaveTemp(path, L".~tmp", [&](const String& t) -> DWORD {
        if (CopyFileW(source.c_str(), t.c_str(), TRUE)) return 0;
        DWORD err = GetLastError() ? GetLastError() : ERROR_GEN_FAILURE;
        // A half-made copy is ours; a file that stood there first is not.
        if (err != ERROR_FILE_EXISTS && err != ERROR_ALREADY_EXISTS) Stage_Discard(t);
        return err;
    }, temp);
}

DWORD Stage_Commit(const String& temp, const String& path)
{
    if (MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return 0;
    DWORD err = GetLastError();
    Stage_Discard(temp);
    return err ? err : ERROR_GEN_FAILURE;
}

bool File_SameIdentity(const String& a, const String& b)
{
    BY_HANDLE_FILE_INFORMATION info[2];
    const String* paths[2] = {&a, &b};
    for (int i = 0; i < 2; ++i) {
        TFileHandle h(CreateFileW(paths[i]->c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        if (!h || !GetFileInformationByHandle(h.Get(), &info[i])) return false;
    }
    return info[0].dwVolumeSerialNumber == info[1].dwVolumeSerialNumber &&
           info[0].nFileIndexHigh == info[1].nFileIndexHigh && info[0].nFileIndexLow == info[1].nFileIndexLow;
}
