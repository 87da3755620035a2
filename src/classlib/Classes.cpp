#include "Classes.h"

#include "Handles.h"

#include <algorithm>
#include <memory>

int TStrings::check(int index) const
{
    if (index < 0 || index >= Count())
        throw EStringListError(Format(L"List index out of bounds (%d)", index));
    return index;
}

int TStrings::Add(const String& s)
{
    fItems.push_back(s);
    return Count() - 1;
}

void TStrings::Insert(int index, const String& s)
{
    if (index < 0 || index > Count()) throw EStringListError(Format(L"List index out of bounds (%d)", index));
    fItems.insert(fItems.begin() + index, s);
}

void TStrings::Delete(int index) { fItems.erase(fItems.begin() + check(index)); }

void TStrings::Exchange(int a, int b) { std::swap(fItems[check(a)], fItems[check(b)]); }

void TStrings::Move(int from, int to)
{
    if (from == to) return;
    String s = fItems[check(from)];
    Delete(from);
    Insert(to, s);
}

void TStrings::AddStrings(const TStrings& other)
{
    for (const String& s : other.fItems) Add(s);
}

int TStrings::IndexOf(const String& s) const
{
    for (int i = 0; i < Count(); ++i)
        if (CaseSensitive ? fItems[i] == s : AnsiSameText(fItems[i], s)) return i;
    return -1;
}

String TStrings::Text() const
{
    String r;
    for (const String& s : fItems) {
        r += s;
        r += L"\r\n";
    }
    return r;
}

void TStrings::SetText(const String& text)
{
    fItems.clear();
    size_t i = 0, n = text.size();
    while (i < n) {
        size_t j = i;
        while (j < n && text[j] != L'\r' && text[j] != L'\n') ++j;
        fItems.push_back(text.substr(i, j - i));
        if (j < n && text[j] == L'\r') ++j;
        if (j < n && text[j] == L'\n') ++j;
        i = j;
    }
}

String TStrings::Names(int index) const
{
    const String& s = (*this)[index];
    size_t p = s.find(L'=');
    return p == String::npos ? String() : s.substr(0, p);
}

String TStrings::ValueFromIndex(int index) const
{
    const String& s = (*this)[index];
    size_t p = s.find(L'=');
    return p == String::npos ? String() : s.substr(p + 1);
}

int TStrings::IndexOfName(const String& name) const
{
    for (int i = 0; i < Count(); ++i) {
        size_t p = fItems[i].find(L'=');
        if (p != String::npos && AnsiSameText(fItems[i].substr(0, p), name)) return i;
    }
    return -1;
}

String TStrings::Values(const String& name) const
{
    int i = IndexOfName(name);
    return i < 0 ? String() : ValueFromIndex(i);
}

void TStrings::SetValue(const String& name, const String& value)
{
    int i = IndexOfName(name);
    if (value.empty()) {
        if (i >= 0) Delete(i);
    } else if (i < 0) {
        Add(name + L"=" + value);
    } else {
        fItems[i] = name + L"=" + value;
    }
}

namespace {
// UTF-8 that survives a load and a save unchanged even when the file holds
// bytes that are not UTF-8: each such byte is kept as the lone surrogate
// U+DC80..U+DCFF and written back as that byte. A text file is never
// silently altered in the places nobody edited.
String utf8Decode(const std::string& b, size_t from)
{
    String r;
    r.reserve(b.size() - from);
    size_t i = from, n = b.size();
    while (i < n) {
        unsigned char c = (unsigned char)b[i];
        if (c < 0x80) {
            r += (wchar_t)c;
            ++i;
            continue;
        }
        int len = c >= 0xF0 && c <= 0xF4 ? 4 : c >= 0xE0 ? (c <= 0xEF ? 3 : 0) : c >= 0xC2 ? 2 : 0;
        unsigned cp = len == 4 ? c & 0x07u : len == 3 ? c & 0x0Fu : c & 0x1Fu;
        bool ok = len > 0 && i + len <= n;
        for (int k = 1; ok && k < len; ++k) {
            unsigned char t = (unsigned char)b[i + k];
            if ((t & 0xC0) != 0x80) ok = false;
            cp = (cp << 6) | (t & 0x3Fu);
        }
        // Overlong forms, encoded surrogates and code points beyond Unicode are not UTF-8.
        if (ok && ((len == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) ||
                   (len == 4 && (cp < 0x10000 || cp > 0x10FFFF))))
            ok = false;
        if (!ok) {
            r += (wchar_t)(0xDC00 + c);
            ++i;
            continue;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            r += (wchar_t)(0xD800 + (cp >> 10));
            r += (wchar_t)(0xDC00 + (cp & 0x3FF));
        } else {
            r += (wchar_t)cp;
        }
        i += len;
    }
    return r;
}

std::string utf8Encode(const String& s)
{
    std::string r;
    r.reserve(s.size() + s.size() / 2);
    auto put = [&r](unsigned cp) {
        if (cp < 0x80) {
            r += (char)cp;
        } else if (cp < 0x800) {
            r += (char)(0xC0 | (cp >> 6));
            r += (char)(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            r += (char)(0xE0 | (cp >> 12));
            r += (char)(0x80 | ((cp >> 6) & 0x3F));
            r += (char)(0x80 | (cp & 0x3F));
        } else {
            r += (char)(0xF0 | (cp >> 18));
            r += (char)(0x80 | ((cp >> 12) & 0x3F));
            r += (char)(0x80 | ((cp >> 6) & 0x3F));
            r += (char)(0x80 | (cp & 0x3F));
        }
    };
    for (size_t i = 0; i < s.size(); ++i) {
        unsigned c = s[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
            put(0x10000 + ((c - 0xD800) << 10) + (s[i + 1] - 0xDC00u));
            ++i;
        } else if (c >= 0xDC80 && c <= 0xDCFF) {
            r += (char)(c - 0xDC00);  // a byte kept from the file
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            put(0xFFFD);
        } else {
            put(c);
        }
    }
    return r;
}
}  // namespace

String DecodeText(const std::string& bytes, TTextEncoding& encoding)
{
    auto starts = [&](const char* bom, size_t n) { return bytes.size() >= n && bytes.compare(0, n, bom, n) == 0; };
    if (starts("\xEF\xBB\xBF", 3)) {
        encoding = TTextEncoding::Utf8;
        return utf8Decode(bytes, 3);
    }
    if (starts("\xFF\xFE", 2) || starts("\xFE\xFF", 2)) {
        bool be = bytes[0] == '\xFE';
        encoding = be ? TTextEncoding::Utf16BE : TTextEncoding::Utf16LE;
        // A file cut in the middle of its last character keeps that byte:
        // it becomes a whole character, its missing half zero, rather than
        // vanishing at the next save.
        String r((bytes.size() - 1) / 2, L'\0');
        for (size_t i = 0; i < r.size(); ++i) {
            unsigned char a = bytes[2 + 2 * i], b = 3 + 2 * i < bytes.size() ? bytes[3 + 2 * i] : 0;
            r[i] = be ? (wchar_t)((a << 8) | b) : (wchar_t)((b << 8) | a);
        }
        return r;
    }
    encoding = TTextEncoding::Ansi;
    if (bytes.empty()) return {};
    int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), (int)bytes.size(), nullptr, 0);
    String r(n, L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), (int)bytes.size(), r.data(), n);
    return r;
}

bool Text_FitsAnsi(const String& text)
{
    if (text.empty()) return true;
    BOOL lost = FALSE;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), (int)text.size(), nullptr, 0, nullptr, &lost);
    return !lost;
}

std::string EncodeText(const String& text, TTextEncoding encoding, bool withBOM)
{
    switch (encoding) {
    case TTextEncoding::Utf8:
        return (withBOM ? "\xEF\xBB\xBF" : "") + utf8Encode(text);
    case TTextEncoding::Utf16LE:
    case TTextEncoding::Utf16BE: {
        bool be = encoding == TTextEncoding::Utf16BE;
        std::string r = !withBOM ? "" : be ? "\xFE\xFF" : "\xFF\xFE";
        r.reserve(r.size() + 2 * text.size());
        for (wchar_t c : text) {
            char hi = (char)((c >> 8) & 0xFF), lo = (char)(c & 0xFF);
            r += be ? hi : lo;
            r += be ? lo : hi;
        }
        return r;
    }
    case TTextEncoding::Ansi:
    default: {
        if (text.empty()) return {};
        int n = WideCharToMultiByte(CP_ACP, 0, text.data(), (int)text.size(), nullptr, 0, nullptr, nullptr);
        std::string r(n, '\0');
        WideCharToMultiByte(CP_ACP, 0, text.data(), (int)text.size(), r.data(), n, nullptr, nullptr);
        return r;
    }
    }
}

void TStrings::LoadFromFile(const String& fileName)
{
    TFileHandle file(CreateFileW(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        throw EFOpenError(Format(L"Cannot open file \"%s\". %s", fileName.c_str(),
                                 SysErrorMessage(GetLastError()).c_str()));
    std::string bytes;
    char buf[65536];
    DWORD got = 0;
    while (ReadFile(file.Get(), buf, sizeof buf, &got, nullptr) && got > 0) bytes.append(buf, got);
    SetText(DecodeText(bytes, Encoding));
}

String SaveTempFileName(const String& fileName, int attempt, const wchar_t* mark)
{
    return fileName + mark + (attempt ? IntToStr(attempt) : String());
}

DWORD MakeSaveTemp(const String& fileName, const wchar_t* mark, const std::function<DWORD(const String&)>& make,
                   String& temp)
{
    DWORD err = ERROR_FILE_EXISTS;
    for (int i = 0; i < SaveTempTries; ++i) {
        String name = SaveTempFileName(fileName, i, mark);
        if (GetFileAttributesW(name.c_str()) != INVALID_FILE_ATTRIBUTES) continue;
        err = make(name);
        if (!err) {
            temp = name;
            return 0;
        }
        // Taken between the look and the make: the next name.
        if (err != ERROR_FILE_EXISTS && err != ERROR_ALREADY_EXISTS) return err;
    }
    return err;
}

DWORD WriteNewFile(const String& path, const std::string& bytes)
{
    DWORD err = 0;
    {
        TFileHandle h(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!h) return GetLastError() ? GetLastError() : ERROR_GEN_FAILURE;
        DWORD put = 0;
        if (!bytes.empty() && (!WriteFile(h.Get(), bytes.data(), (DWORD)bytes.size(), &put, nullptr) || put != bytes.size()))
            err = GetLastError() ? GetLastError() : ERROR_DISK_FULL;
        else if (!FlushFileBuffers(h.Get()))
            err = GetLastError() ? GetLastError() : ERROR_GEN_FAILURE;
    }
    if (err) DeleteFileW(path.c_str());
    return err;
}

DWORD File_ReplaceBytes(const String& fileName, const std::string& bytes)
{
    // A read-only file is not ours to replace. Checked here rather than left
    // to the final move, since not every file system refuses that move.
    DWORD old = GetFileAttributesW(fileName.c_str());
    if (old != INVALID_FILE_ATTRIBUTES && (old & FILE_ATTRIBUTE_READONLY)) return ERROR_ACCESS_DENIED;
    String temp;
    if (DWORD code = MakeSaveTemp(fileName, L".~tmp", [&](const String& t) { return WriteNewFile(t, bytes); }, temp))
        return code;
    // The new file keeps the old one's hidden and system marks.
    if (old != INVALID_FILE_ATTRIBUTES && !(old & FILE_ATTRIBUTE_DIRECTORY)) {
        DWORD keep = old & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                            FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
        if (keep) SetFileAttributesW(temp.c_str(), keep);
    }
    if (!MoveFileExW(temp.c_str(), fileName.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DWORD code = GetLastError();
        SetFileAttributesW(temp.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(temp.c_str());
        return code ? code : ERROR_GEN_FAILURE;
    }
    return 0;
}

void TStrings::SaveToFile(const String& fileName) const
{
    // A text the ANSI code page cannot hold (an example typed in another
    // script) would come back as question marks: it goes out as UTF-16.
    String text = Text();
    bool widen = Encoding == TTextEncoding::Ansi && !Text_FitsAnsi(text);
    if (DWORD code = File_ReplaceBytes(fileName, widen ? EncodeText(text, TTextEncoding::Utf16LE, true)
                                                       : EncodeText(text, Encoding, WriteBOM)))
        throw EFCreateError(
            Format(L"Cannot create file \"%s\". %s", fileName.c_str(), SysErrorMessage(code).c_str()));
}

int TStringList::compare(const String& a, const String& b) const
{
    if (CaseSensitive)
        return CompareStringW(LOCALE_USER_DEFAULT, 0, a.data(), (int)a.size(), b.data(), (int)b.size()) - 2;
    return AnsiCompareText(a, b);
}

void TStringList::Sort()
{
    std::stable_sort(fItems.begin(), fItems.end(),
                     [this](const String& a, const String& b) { return compare(a, b) < 0; });
}

void TStringList::SetSorted(bool value)
{
    if (value && !fSorted) Sort();
    fSorted = value;
}

int TStringList::Add(const String& s)
{
    if (!fSorted) return TStrings::Add(s);
    auto it = std::upper_bound(fItems.begin(), fItems.end(), s,
                               [this](const String& a, const String& b) { return compare(a, b) < 0; });
    int at = (int)(it - fItems.begin());
    fItems.insert(it, s);
    return at;
}

