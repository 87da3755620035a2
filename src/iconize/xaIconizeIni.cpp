#include "xaIconizeIni.h"

#include "Classes.h"
#include "Handles.h"
#include "xaIconize.h"

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

bool fitsAnsi(const String& text)
{
    if (text.empty()) return true;
    BOOL lost = FALSE;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), (int)text.size(), nullptr, 0, nullptr, &lost);
    return !lost;
}

}  // namespace

bool TDesktopIni::Load(const String& path)
{
    fLines.clear();
    fProblem.clear();
    fAttributes = GetFileAttributesW(path.c_str());
    fExisted = fAttributes != INVALID_FILE_ATTRIBUTES;
    if (!fExisted) return true;
    TFileHandle h(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!h || !GetFileSizeEx(h.Get(), &size)) {
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
    // UTF-16 without a byte-order mark: ANSI text never holds a zero byte, so
    // zero bytes in every other position tell the two byte orders apart.
    size_t zeroEven = 0, zeroOdd = 0;
    for (size_t i = 0; i < bytes.size(); ++i)
        if (!bytes[i]) ++(i % 2 ? zeroOdd : zeroEven);
    bool marked = bytes.rfind("\xFF\xFE", 0) == 0 || bytes.rfind("\xFE\xFF", 0) == 0;
    if (!marked && zeroEven + zeroOdd > 0) {
        if (bytes.size() % 2) {
            fProblem = L"The file is not a text that Desktop.ini can be.";
            return false;
        }
        bytes.insert(0, zeroOdd >= zeroEven ? "\xFF\xFE" : "\xFE\xFF");
    } else if (marked && bytes.size() % 2) {
        fProblem = L"The file is not a text that Desktop.ini can be.";
        return false;
    }
    TTextEncoding enc;
    String text = DecodeText(bytes, enc);
    fKind = enc == TTextEncoding::Utf8     ? TKind::Utf8
            : enc == TTextEncoding::Ansi   ? TKind::Ansi
            : enc == TTextEncoding::Utf16BE ? TKind::Utf16BE
                                            : TKind::Utf16LE;
    for (size_t i = 0; i < text.size();) {
        size_t j = text.find_first_of(L"\r\n", i);
        if (j == String::npos) j = text.size();
        else j += (text[j] == L'\r' && j + 1 < text.size() && text[j + 1] == L'\n') ? 2 : 1;
        fLines.push_back(text.substr(i, j - i));
        i = j;
    }
    // Lines we add end the way the file's own lines end.
    for (const String& l : fLines)
        if (l.size() != content(l).size()) {
            fNewLine = l.substr(content(l).size());
            break;
        }
    return true;
}

String TDesktopIni::Value(const String& key) const
{
    String section;
    for (const String& l : fLines) {
        if (header(l, section)) continue;
        if (AnsiSameText(section, kSection) && AnsiSameText(keyOf(l), key)) return valueOf(l);
    }
    return String();
}

bool TDesktopIni::Has(const String& key) const
{
    String section;
    for (const String& l : fLines) {
        if (header(l, section)) continue;
        if (AnsiSameText(section, kSection) && AnsiSameText(keyOf(l), key)) return true;
    }
    return false;
}

bool TDesktopIni::Remove(std::initializer_list<const wchar_t*> keys)
{
    bool changed = false;
    String section, name;
    for (size_t i = 0; i < fLines.size();) {
        if (header(fLines[i], name)) section = name;
        String key = keyOf(fLines[i]);
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
        if (!header(fLines[i], name) || !AnsiSameText(name, kSection)) continue;
        bool empty = true;
        for (size_t j = i + 1; j < fLines.size() && !header(fLines[j], name); ++j)
            empty = empty && Trim(content(fLines[j])).empty();
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
        if (header(fLines[i], name)) {
            if (at != String::npos) break;  // the section ended
            section = name;
            if (AnsiSameText(section, kSection)) at = i + 1;
            continue;
        }
        if (at != String::npos && !Trim(content(fLines[i])).empty()) at = i + 1;
    }
    if (!fLines.empty() && fLines.back().size() == content(fLines.back()).size()) fLines.back() += fNewLine;
    if (at == String::npos) {
        fLines.push_back(L"[" + String(kSection) + L"]" + fNewLine);
        at = fLines.size();
    }
    // A section's last line may lack its line end only at the end of the file.
    if (at > 0 && fLines[at - 1].size() == content(fLines[at - 1]).size()) fLines[at - 1] += fNewLine;
    fLines.insert(fLines.begin() + at, key + L"=" + value + fNewLine);
}

bool TDesktopIni::Blank() const
{
    for (const String& l : fLines)
        if (!Trim(l).empty()) return false;
    return true;
}

std::string TDesktopIni::Bytes() const
{
    String text;
    for (const String& l : fLines) text += l;
    switch (fKind) {
    case TKind::Utf8:
        return EncodeText(text, TTextEncoding::Utf8, true);
    case TKind::Utf16BE:
        return EncodeText(text, TTextEncoding::Utf16BE, true);
    case TKind::Ansi:
        // An ANSI file keeps its bytes while every letter fits; a path outside
        // the code page would turn into question marks, so the file moves to
        // UTF-16, which the profile reader takes as well.
        if (fitsAnsi(text)) return EncodeText(text, TTextEncoding::Ansi);
        [[fallthrough]];
    default:
        return EncodeText(text, TTextEncoding::Utf16LE, true);
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
