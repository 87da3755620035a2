#include "xaModulStrings.h"

#include "Dialogs.h"
#include "xaY.h"

namespace {
wchar_t upperChar(wchar_t c)
{
    CharUpperBuffW(&c, 1);
    return c;
}

// The piece of S that starts at the 1-based Index and is at most Count long;
// empty when Index lies beyond the end.
String piece(const String& s, int index, size_t count = String::npos)
{
    if (index < 1 || (size_t)index > s.size()) return String();
    return s.substr((size_t)index - 1, count);
}
}  // namespace

void Str_TrimLeftSymbol(String& s, wchar_t ch)
{
    wchar_t u = upperChar(ch);
    size_t n = 0;
    while (n < s.size() && upperChar(s[n]) == u) ++n;
    s.erase(0, n);
}

void Str_TrimRightSymbol(String& s, wchar_t ch)
{
    wchar_t u = upperChar(ch);
    size_t e = s.size();
    while (e > 0 && upperChar(s[e - 1]) == u) --e;
    s.erase(e);
}

bool Str_HasOnlySymbols(const String& s, const String& symbols)
{
    return s.find_first_not_of(symbols) == String::npos;
}

int Str_HasSymbol(const String& s, const String& symbols, int findFrom)
{
    if (s.empty()) return 0;
    // Callers count from 0 upwards; a negative start is read as "from the
    // first character" rather than indexing before the string.
    int start = findFrom <= 0 ? 1 : findFrom;
    if (findFrom > (int)s.size()) Y_Show(L"FindFrom > Length(Str) !!!!!!!!!!", L"Str_HasSymbol", -1, true);
    if ((size_t)start > s.size()) return 0;
    size_t p = s.find_first_of(symbols, (size_t)start - 1);
    return p == String::npos ? 0 : (int)p + 1;
}

String Str_DeleteAll(const String& s, const String& sub)
{
    String r = s;
    if (sub.empty()) return r;
    size_t p = r.find(sub);
    while (p != String::npos) {
        r.erase(p, sub.size());
        // Text before the removed piece held no occurrence; a new one can only
        // reach across the join, so the search need not restart at 0.
        size_t from = p >= sub.size() - 1 ? p - (sub.size() - 1) : 0;
        p = r.find(sub, from);
    }
    return r;
}

bool Str_IsAt(const String& sub, const String& s, int index, bool caseSensitive)
{
    if (sub.empty() || s.size() < sub.size()) return false;
    // No text starts before the first character.
    if (index < 1) return false;
    String part = piece(s, index, sub.size());
    if (caseSensitive) return part == sub;
    return AnsiUpperCase(part) == AnsiUpperCase(sub);
}

int Str_PosLast(const String& sub, const String& s)
{
    if (sub.empty() || sub.size() > s.size()) return 0;
    size_t p = s.rfind(sub);
    return p == String::npos ? 0 : (int)p + 1;
}

bool Str_Find_Next(const String& sub, const String& s, bool caseSensitive, int start, int& pos)
{
    if (start < 1) {
        Y_ShowColor(L"Str_Find_Next\r\nStart < 1", clYError);
        return false;
    }
    if (sub.empty()) return false;
    String part = piece(s, start);
    size_t p = caseSensitive ? part.find(sub) : AnsiUpperCase(part).find(AnsiUpperCase(sub));
    if (p == String::npos) return false;
    pos = start + (int)p;
    return true;
}

bool Str_Find_Last(const String& sub, const String& s, bool caseSensitive, int len, int& pos)
{
    // Only -1 means "all of S"; another negative length leaves nothing to search.
    if (len == 0 || len < -1) return false;
    String part = len == -1 ? s : s.substr(0, (size_t)len);
    int p = caseSensitive ? Str_PosLast(sub, part) : Str_PosLast(AnsiUpperCase(sub), AnsiUpperCase(part));
    if (p == 0) return false;
    pos = p;
    return true;
}

int Strs_IndexOf(const TStrings& strs, const String& s, bool caseSensitive)
{
    DWORD flags = caseSensitive ? 0 : NORM_IGNORECASE;
    for (int i = 0; i < strs.Count(); ++i) {
        const String& item = strs[i];
        if (CompareStringW(LOCALE_USER_DEFAULT, flags, item.data(), (int)item.size(), s.data(), (int)s.size()) ==
            CSTR_EQUAL)
            return i;
    }
    return -1;
}

bool Strs_AddUnique(TStrings& strs, const String& s, bool caseSensitive)
{
    if (Strs_IndexOf(strs, s, caseSensitive) >= 0) return false;
    strs.Add(s);
    return true;
}

void Strs_DeleteFromTo(TStrings& strs, int j1, int j2)
{
    const wchar_t* fault = nullptr;
    if (j1 > strs.Count() - 1)
        fault = L"j1 > Strs.Count - 1";
    else if (j2 > strs.Count() - 1)
        fault = L"j2 > Strs.Count - 1";
    // The lower end is the caller's promise too; breaking it must not delete
    // other items or raise out of a list operation half done.
    else if (j1 < 0)
        fault = L"j1 < 0";
    else if (j2 < 0)
        fault = L"j2 < 0";
    if (fault) {
        ShowMessage(String(L"Strs_DeleteFromTo\r\n") + fault);
        return;
    }
    int lo = j1 < j2 ? j1 : j2;
    int count = (j1 < j2 ? j2 - j1 : j1 - j2) + 1;
    for (int i = 0; i < count; ++i) strs.Delete(lo);
}

String Strs_Join(const TStrings& strs, const String& sep)
{
    String r;
    for (int i = 0; i < strs.Count(); ++i) {
        if (i > 0) r += sep;
        r += strs[i];
    }
    return r;
}

bool Str_SplitNameValue(const String& s, String& name, String& value)
{
    size_t p = s.find(L'=');
    if (p == String::npos) return false;
    String n = s.substr(0, p);
    Str_TrimRightSymbol(n, L' ');
    Str_TrimRightSymbol(n, L'\t');
    name = n;
    value = s.substr(p + 1);
    return true;
}
