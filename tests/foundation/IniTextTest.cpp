// INI text in a string list. Lists are written as their lines joined by "|",
// so a blank line shows as "||" in the middle.
#include "TestSupport.h"
#include "xaModul.h"

#include <vector>

namespace {

using Lines = std::vector<const wchar_t*>;

TStringList List(const Lines& items)
{
    TStringList l;
    for (const wchar_t* s : items) l.Add(s);
    return l;
}

std::string Joined(const TStrings& l) { return N(Strs_Join(l, L"|")); }

TEST(IniText, IndexOfNameAndValueOfName)
{
    const TStringList l = List({L"[A]", L"x", L" lead=1", L"Key=a=b", L"key=second", L"Tabbed\t=t", L"Spaced \t=s",
                                L"empty=", L"[B]", L"\u0416uk=cyr", L"=nameless"});
    const struct { const wchar_t* name; int index; const wchar_t* value; } cases[] = {
        {L"key", 3, L"a=b"},         // first match wins, case ignored
        {L"lead", -1, L""},          // a leading blank is part of the name
        {L" lead", 2, L"1"},
        {L"Tabbed", 5, L"t"},
        {L"Spaced", -1, L""},        // a space before the tab is not trimmed
        {L"Spaced ", 6, L"s"},
        {L"x", -1, L""},             // a bare line has no value
        {L"empty", 7, L""},
        {L"\u0436UK", 9, L"cyr"},    // sections do not scope, locale case folding
        {L"", 10, L"nameless"},
        {L"[B]", -1, L""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Strs_IndexOfName(c.name, l), c.index) << N(c.name);
        EXPECT_EQ(N(Strs_ValueOfName(c.name, l)), N(c.value)) << N(c.name);
    }
}

TEST(IniText, WriteValuePlacement)
{
    const struct { const char* what; Lines in; const wchar_t *name, *section; const char* out; } cases[] = {
        {"missing section goes to the very end", {L"[A]", L"x=1", L""}, L"k", L"S", "[A]|x=1||[S]|k=v"},
        {"missing section in an empty list", {}, L"k", L"S", "[S]|k=v"},
        {"header as last line", {L"[A]", L"[S]"}, L"k", L"S", "[A]|[S]|k=v"},
        {"in front of an inner blank line", {L"[S]", L"a=1", L"", L"b=2", L"[T]"}, L"c", L"S",
         "[S]|a=1|c=v||b=2|[T]"},
        {"in front of the blank lines that end the section", {L"[S]", L"a=1", L"b=2", L"", L"", L"[T]"}, L"c",
         L"S", "[S]|a=1|b=2|c=v|||[T]"},
        {"latest run of blank lines wins", {L"[S]", L"a=1", L"", L"b=2", L"", L"[T]"}, L"c", L"S",
         "[S]|a=1||b=2|c=v||[T]"},
        {"just before the next header", {L"[S]", L"a=1", L"[T]"}, L"c", L"S", "[S]|a=1|c=v|[T]"},
        {"last section without blank lines", {L"[S]", L"a=1"}, L"c", L"S", "[S]|a=1|c=v"},
        {"last section ending in blank lines", {L"[S]", L"a=1", L"", L""}, L"c", L"S", "[S]|a=1|c=v||"},
        {"replaced in place, case and spaces before = ignored", {L"[S]", L"A = old", L"b=2"}, L"a", L"S",
         "[S]|a=v|b=2"},
        {"a line with a leading blank is another key", {L"[S]", L" a=old", L"b=2"}, L"a", L"S",
         "[S]| a=old|b=2|a=v"},
        {"a bare key line is replaced", {L"[S]", L"x=1", L"A", L""}, L"a", L"S", "[S]|x=1|a=v|"},
        {"the same key earlier in the list stays", {L"a=top", L"[S]", L"x=1"}, L"a", L"S", "a=top|[S]|x=1|a=v"},
        {"a header [] does not end the section", {L"[S]", L"x=1", L"[]", L"y=2"}, L"a", L"S",
         "[S]|x=1|[]|y=2|a=v"},
        {"section name found ignoring case", {L"[untranslated]", L"x="}, L"a", L"Untranslated",
         "[untranslated]|x=|a=v"},
        {"a header with spaces is another section", {L"[ S ]", L"x=1"}, L"a", L"S", "[ S ]|x=1|[S]|a=v"},
        {"a line of spaces is not blank", {L"[S]", L"x=1", L"  ", L"[T]"}, L"a", L"S", "[S]|x=1|  |a=v|[T]"},
    };
    for (const auto& c : cases)
        for (bool caseSensitive : {false, true}) {  // a list that compares its items case-sensitively changes nothing
            TStringList l = List(c.in);
            l.CaseSensitive = caseSensitive;
            Strs_Ini_WriteValue(c.name, L"v", c.section, l);
            EXPECT_EQ(Joined(l), c.out) << c.what << (caseSensitive ? " (case-sensitive list)" : "");
        }
}

TEST(IniText, NextSectionStatusClearAndEraseSection)
{
    const TStringList l = List({L"[A]", L"x=1", L"[B]", L"[]", L"y", L"[C]", L"z", L"[D]"});
    // The statuses by value, as callers compare them: -2 the header is the
    // last line (kIniSectionHeaderIsLast), -1 no such section (kIniSectionMissing).
    const struct { const wchar_t* section; int status; } next[] = {{L"A", 2}, {L"b", 5}, {L"C", 7}, {L"D", -2}, {L"E", -1}};
    for (const auto& c : next) EXPECT_EQ(Strs_Ini_NextSection(c.section, l), c.status) << N(c.section);
    EXPECT_EQ(Strs_Ini_NextSection(L"A", List({L"[A]", L"x", L""})), -3) << "kIniSectionNoNext";

    const struct { Lines in; const wchar_t* section; int cleared; const char *afterClear, *afterErase; } cases[] = {
        {{L"[A]", L"x=1", L"", L"[B]", L"y=2"}, L"A", 0, "[A]|[B]|y=2", "[B]|y=2"},
        {{L"[A]", L"x=1", L"[B]", L"y=2", L"", L"z"}, L"b", 2, "[A]|x=1|[B]", "[A]|x=1"},
        {{L"[A]", L"[B]", L"y=2"}, L"A", 0, "[A]|[B]|y=2", "[B]|y=2"},  // nothing between the headers
        {{L"[A]", L"x=1", L"[B]"}, L"B", 2, "[A]|x=1|[B]", "[A]|x=1"},  // header is the last line
        {{L"[A]", L"x=1"}, L"C", -1, "[A]|x=1", "[A]|x=1"},
        {{L"[A]", L"x", L"[]", L"y", L"[B]"}, L"A", 0, "[A]|[B]", "[B]"},
    };
    for (const auto& c : cases) {
        TStringList l = List(c.in);
        EXPECT_EQ(Strs_Ini_ClearSection(c.section, l), c.cleared) << N(c.section) << " of " << Joined(List(c.in));
        EXPECT_EQ(Joined(l), c.afterClear) << N(c.section);
        TStringList e = List(c.in);
        Strs_Ini_EraseSection(c.section, e);
        EXPECT_EQ(Joined(e), c.afterErase) << N(c.section);
    }
}

}  // namespace
