#include "Classes.h"

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

String DecodeText(const std::string& bytes, TTextEncoding& encoding)
{
    auto starts = [&](const char* bom, size_t n) { return bytes.size() >= n && bytes.compare(0, n, bom, n) == 0; };
    if (starts("\xEF\xBB\xBF", 3)) {
        encoding = TTextEncoding::Utf8;
        return FromUtf8(bytes.substr(3));
    }
    if (starts("\xFF\xFE", 2) || starts("\xFE\xFF", 2)) {
        bool be = bytes[0] == '\xFE';
        encoding = be ? TTextEncoding::Utf16BE : TTextEncoding::Utf16LE;
        String r((bytes.size() - 2) / 2, L'\0');
        for (size_t i = 0; i < r.size(); ++i) {
            unsigned char a = bytes[2 + 2 * i], b = bytes[3 + 2 * i];
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

std::string EncodeText(const String& text, TTextEncoding encoding)
{
    switch (encoding) {
    case TTextEncoding::Utf8:
        return "\xEF\xBB\xBF" + ToUtf8(text);
    case TTextEncoding::Utf16LE:
    case TTextEncoding::Utf16BE: {
        bool be = encoding == TTextEncoding::Utf16BE;
        std::string r = be ? "\xFE\xFF" : "\xFF\xFE";
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

namespace {
struct HandleCloser {
    void operator()(HANDLE h) const { CloseHandle(h); }
};
using UniqueFile = std::unique_ptr<void, HandleCloser>;
}  // namespace

void TStrings::LoadFromFile(const String& fileName)
{
    HANDLE h = CreateFileW(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        throw EFOpenError(Format(L"Cannot open file \"%s\". %s", fileName.c_str(),
                                 SysErrorMessage(GetLastError()).c_str()));
    UniqueFile file(h);
    std::string bytes;
    char buf[65536];
    DWORD got = 0;
    while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got > 0) bytes.append(buf, got);
    SetText(DecodeText(bytes, Encoding));
}

void TStrings::SaveToFile(const String& fileName) const
{
    HANDLE h = CreateFileW(fileName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE)
        throw EFCreateError(Format(L"Cannot create file \"%s\". %s", fileName.c_str(),
                                   SysErrorMessage(GetLastError()).c_str()));
    UniqueFile file(h);
    std::string bytes = EncodeText(Text(), Encoding);
    DWORD put = 0;
    if (!bytes.empty() && (!WriteFile(h, bytes.data(), (DWORD)bytes.size(), &put, nullptr) || put != bytes.size()))
        throw EFCreateError(Format(L"Cannot create file \"%s\". %s", fileName.c_str(),
                                   SysErrorMessage(GetLastError()).c_str()));
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

int TStringList::IndexOf(const String& s) const { return TStrings::IndexOf(s); }
