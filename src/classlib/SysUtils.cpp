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

namespace {
bool isSlash(wchar_t c) { return c == L'\\' || c == L'/'; }

bool isReservedName(const String& base)
{
    String n = AnsiUpperCase(base);
    if (n == L"NUL" || n == L"CON" || n == L"PRN" || n == L"AUX" || n == L"CONIN$" || n == L"CONOUT$") return true;
    // COM1 to COM9 and LPT1 to LPT9; the platform takes the superscript digits as well.
    return n.size() == 4 && (n.compare(0, 3, L"COM") == 0 || n.compare(0, 3, L"LPT") == 0) &&
           ((n[3] >= L'1' && n[3] <= L'9') || n[3] == L'\u00B9' || n[3] == L'\u00B2' || n[3] == L'\u00B3');
}
}  // namespace

bool FileIsDevice(const String& path)
{
    String p = path;
    if (p.size() >= 4 && isSlash(p[0]) && isSlash(p[3]) &&
        ((isSlash(p[1]) && (p[2] == L'.' || p[2] == L'?')) || (p[1] == L'?' && p[2] == L'?'))) {
        // Past the prefix only a drive's or a share's path is a file path.
        p.erase(0, 4);
        bool drivePath = p.size() >= 3 && IsCharAlphaW(p[0]) && p[1] == L':' && isSlash(p[2]);
        bool sharePath = p.size() >= 4 && AnsiSameText(p.substr(0, 3), L"UNC") && isSlash(p[3]);
        if (!drivePath && !sharePath) return true;
    }
    size_t end = p.size();
    while (end > 0 && p[end - 1] == L':') --end;
    size_t start = end;
    while (start > 0 && !isSlash(p[start - 1]) && p[start - 1] != L':') --start;
    String base = p.substr(start, end - start);
    base = base.substr(0, base.find(L'.'));
    while (!base.empty() && base.back() == L' ') base.pop_back();
    return isReservedName(base);
}

bool FileExists(const String& path)
{
    // A device answers as a file, and reading one may never end (a serial port).
    if (path.empty() || FileIsDevice(path)) return false;
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
