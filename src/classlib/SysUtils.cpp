#include "SysUtils.h"

#include <cstdarg>
#include <cwchar>
#include <vector>

std::string ToUtf8(const String& s)
{
    if (s.empty()) return {};
    int n = WideCharToMultiByte(CP_UTF8, 0, s.data(), (int)s.size(), nullptr, 0, nullptr, nullptr);
    std::string out(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, s.data(), (int)s.size(), out.data(), n, nullptr, nullptr);
    return out;
}

String FromUtf8(const std::string& s)
{
    if (s.empty()) return {};
    int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), (int)s.size(), nullptr, 0);
    String out(n, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.data(), (int)s.size(), out.data(), n);
    return out;
}

Exception::Exception(String message) : fMessage(std::move(message)), fNarrow(ToUtf8(fMessage)) {}

String Format(const wchar_t* fmt, ...)
{
    std::vector<wchar_t> buf(256);
    for (;;) {
        va_list ap;
        va_start(ap, fmt);
        int n = _vsnwprintf(buf.data(), buf.size(), fmt, ap);
        va_end(ap);
        if (n >= 0 && (size_t)n < buf.size()) return String(buf.data(), n);
        buf.resize(buf.size() * 2);
    }
}

String IntToStr(int value) { return std::to_wstring(value); }

bool TryStrToInt(const String& text, int& value)
{
    String s = Trim(text);
    size_t i = 0;
    bool neg = false;
    if (i < s.size() && (s[i] == L'+' || s[i] == L'-')) { neg = s[i] == L'-'; ++i; }
    int base = 10;
    if (i < s.size() && s[i] == L'$') { base = 16; ++i; }
    else if (i + 1 < s.size() && s[i] == L'0' && (s[i + 1] == L'x' || s[i + 1] == L'X')) { base = 16; i += 2; }
    if (i >= s.size()) return false;
    long long acc = 0;
    for (; i < s.size(); ++i) {
        wchar_t c = s[i];
        int d;
        if (c >= L'0' && c <= L'9') d = c - L'0';
        else if (base == 16 && c >= L'a' && c <= L'f') d = c - L'a' + 10;
        else if (base == 16 && c >= L'A' && c <= L'F') d = c - L'A' + 10;
        else return false;
        acc = acc * base + d;
        // Hexadecimal may name the full 32-bit pattern; decimal must fit an int.
        if (acc > (base == 16 ? 0xFFFFFFFFLL : 0x80000000LL)) return false;
    }
    if (base == 10) {
        if (!neg && acc > 0x7FFFFFFFLL) return false;
        value = (int)(neg ? -acc : acc);
    } else {
        value = (int)(neg ? 0u - (unsigned)acc : (unsigned)acc);  // "-$80000000" has no int to negate
    }
    return true;
}

int StrToInt(const String& s)
{
    int v = 0;
    if (!TryStrToInt(s, v)) throw EConvertError(Format(L"'%s' is not a valid integer value", s.c_str()));
    return v;
}

String AnsiUpperCase(const String& s)
{
    String r = s;
    if (!r.empty()) CharUpperBuffW(r.data(), (DWORD)r.size());
    return r;
}

String AnsiLowerCase(const String& s)
{
    String r = s;
    if (!r.empty()) CharLowerBuffW(r.data(), (DWORD)r.size());
    return r;
}

int AnsiCompareText(const String& a, const String& b)
{
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), (int)a.size(), b.data(),
                          (int)b.size()) - CSTR_EQUAL;
}

bool AnsiSameText(const String& a, const String& b) { return AnsiCompareText(a, b) == 0; }

String Trim(const String& s)
{
    size_t b = 0, e = s.size();
    while (b < e && s[b] <= L' ') ++b;
    while (e > b && s[e - 1] <= L' ') --e;
    return s.substr(b, e - b);
}

bool FileExists(const String& path)
{
    if (path.empty()) return false;
    DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const String& path)
{
    if (path.empty()) return false;
    DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

String IncludeTrailingPathDelimiter(const String& s)
{
    if (!s.empty() && s.back() == L'\\') return s;
    return s + L'\\';
}

String ExcludeTrailingPathDelimiter(const String& s)
{
    if (!s.empty() && s.back() == L'\\') return s.substr(0, s.size() - 1);
    return s;
}

String ExtractFilePath(const String& s)
{
    size_t p = s.find_last_of(L"\\:");
    return p == String::npos ? String() : s.substr(0, p + 1);
}

String ExtractFileName(const String& s)
{
    size_t p = s.find_last_of(L"\\:");
    return p == String::npos ? s : s.substr(p + 1);
}

String SysErrorMessage(DWORD code)
{
    wchar_t* buf = nullptr;
    DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                 FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_MAX_WIDTH_MASK,
                             nullptr, code, 0, (LPWSTR)&buf, 0, nullptr);
    String r = n && buf ? String(buf, n) : String();
    if (buf) LocalFree(buf);
    while (!r.empty() && (r.back() == L' ' || r.back() == L'\r' || r.back() == L'\n' || r.back() == L'.'))
        r.pop_back();
    return r;
}

String StringReplaceAll(const String& s, const String& what, const String& with)
{
    if (what.empty()) return s;
    String r;
    size_t from = 0, p;
    while ((p = s.find(what, from)) != String::npos) {
        r.append(s, from, p - from);
        r += with;
        from = p + what.size();
    }
    r.append(s, from, String::npos);
    return r;
}
