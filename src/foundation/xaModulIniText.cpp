#include "xaModulIniText.h"

#include "xaModulStrings.h"

namespace {
String header(const String& section) { return L"[" + section + L"]"; }

// A section header as the platform's profile reader sees one: blanks and tabs
// before the "[" are skipped and the name ends at the last "]", so trailing
// blanks and a comment after the header do not hide it. "[]" names nothing
// and is no header. True and the name when Line is one.
bool headerName(const String& line, String& name)
{
    size_t open = line.find_first_not_of(L" \t");
    if (open == String::npos || line[open] != L'[') return false;
    size_t close = line.rfind(L']');
    if (close == String::npos || close <= open + 1) return false;
    name = line.substr(open + 1, close - open - 1);
    return true;
}

bool isHeader(const String& line)
{
    String name;
    return headerName(line, name);
}

// Letter case is ignored whatever the list's own CaseSensitive says.
int headerIndex(const String& section, const TStrings& strs)
{
    String name;
    for (int i = 0; i < strs.Count(); ++i)
        if (headerName(strs[i], name) && AnsiSameText(name, section)) return i;
    return -1;
}
}  // namespace

int Strs_IndexOfName(const String& name, const TStrings& strs)
{
    String n, v;
    for (int i = 0; i < strs.Count(); ++i)
        if (Str_SplitNameValue(strs[i], n, v) && AnsiSameText(n, name)) return i;
    return -1;
}

String Strs_ValueOfName(const String& name, const TStrings& strs)
{
    int i = Strs_IndexOfName(name, strs);
    if (i < 0) return String();
    const String& line = strs[i];
    return line.substr(line.find(L'=') + 1);
}

void Strs_Ini_WriteValue(const String& name, const String& value, const String& section, TStrings& strs)
{
    const String line = name + L"=" + value;
    int h = headerIndex(section, strs);
    if (h < 0) {
        strs.Add(header(section));
        h = strs.Count() - 1;
    }
    if (h == strs.Count() - 1) {
        strs.Add(line);
        return;
    }
    const String upperName = AnsiUpperCase(name);
    int insertAt = -1;
    bool prevNonEmpty = true;
    String n, v;
    for (int i = h + 1; i < strs.Count(); ++i) {
        const String& cur = strs[i];
        if (cur.empty()) {
            // The first line of the latest run of blank lines.
            if (prevNonEmpty) insertAt = i;
            prevNonEmpty = false;
        } else {
            prevNonEmpty = true;
            if (AnsiUpperCase(cur) == upperName ||
                (Str_SplitNameValue(cur, n, v) && AnsiUpperCase(n) == upperName)) {
                strs[i] = line;
                return;
            }
            if (isHeader(cur)) {
                strs.Insert(insertAt >= 0 ? insertAt : i, line);
                return;
            }
        }
        if (i == strs.Count() - 1) {
            if (insertAt >= 0)
                strs.Insert(insertAt, line);
            else
                strs.Add(line);
            return;
        }
    }
}

int Strs_Ini_NextSection(const String& section, const TStrings& strs)
{
    int h = headerIndex(section, strs);
    if (h < 0) return kIniSectionMissing;
    if (h == strs.Count() - 1) return kIniSectionHeaderIsLast;
    for (int i = h + 1; i < strs.Count(); ++i)
        if (isHeader(strs[i])) return i;
    return kIniSectionNoNext;
}

int Strs_Ini_ClearSection(const String& section, TStrings& strs)
{
    int h = headerIndex(section, strs);
    if (h < 0) return -1;
    int next = Strs_Ini_NextSection(section, strs);
    int end;  // one past the last line to delete
    if (next == kIniSectionHeaderIsLast)
        end = h + 1;
    else if (next == kIniSectionNoNext)
        end = strs.Count();
    else
        end = next;
    for (int i = end - 1; i > h; --i) strs.Delete(i);
    return h;
}

void Strs_Ini_EraseSection(const String& section, TStrings& strs)
{
    int h = Strs_Ini_ClearSection(section, strs);
    if (h >= 0) strs.Delete(h);
}
