#include "xaModulIniText.h"

#include "xaModulStrings.h"

namespace {
String header(const String& section) { return L"[" + section + L"]"; }

// Any section header while scanning; "[]" is too short to be one.
bool isHeader(const String& line) { return line.size() > 2 && line.front() == L'[' && line.back() == L']'; }

// Letter case is ignored whatever the list's own CaseSensitive says.
int headerIndex(const String& section, const TStrings& strs) { return Strs_IndexOf(strs, header(section), false); }
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
