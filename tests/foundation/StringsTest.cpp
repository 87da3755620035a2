// String and list routines: 1-based positions, the two kinds of case-blind
// comparison, the three argument checks with their messages, and INI text in
// a string list. Lists are written as their lines joined by "|", so a blank
// line shows as "||" in the middle.
#include "TestSupport.h"
#include "Forms.h"
#include "xaModul.h"
#include "xaY.h"

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

// The messages an argument check showed, as "kind|caption|text|colour" lines.
std::string Shown(const TModalRecorder& rec)
{
    std::string all;
    for (const auto& m : rec.Seen)
        all += N(m.Kind + L"|" + m.Caption + L"|" + m.Text) + "|" + std::to_string(m.Color) + "\n";
    return all;
}

TEST(Strings, TrimSymbolIgnoresCase)
{
    const struct { const wchar_t *in; wchar_t ch; const wchar_t *left, *right; } cases[] = {
        {L"aAab", L'a', L"b", L"aAab"}, {L"baAa", L'A', L"baAa", L"b"}, {L"aaaa", L'a', L"", L""}, {L"", L'a', L"", L""},
        {L"\u0434\u0414x\u0414", L'\u0434', L"x\u0414", L"\u0434\u0414x"},  // Cyrillic letters fold by the locale
    };
    for (const auto& c : cases) {
        String l = c.in, r = c.in;
        Str_TrimLeftSymbol(l, c.ch);
        Str_TrimRightSymbol(r, c.ch);
        EXPECT_EQ(N(l), N(c.left)) << "left of " << N(c.in);
        EXPECT_EQ(N(r), N(c.right)) << "right of " << N(c.in);
    }
}

TEST(Strings, HasOnlySymbols)
{
    const struct { const wchar_t *s, *symbols; bool result; } cases[] = {
        {L"", L"abc", true}, {L"abba", L"ab", true}, {L"x", L"", false}, {L"abcA", L"abc", false},  // case-sensitive
    };
    for (const auto& c : cases)
        EXPECT_EQ(Str_HasOnlySymbols(c.s, c.symbols), c.result) << N(c.s) << " in " << N(c.symbols);
}

TEST(Strings, HasSymbolFindsFromPosition)
{
    const struct { const wchar_t *s, *symbols; int from, pos; bool reported = false; } cases[] = {
        {L"a,b;c", L",;", 0, 2}, {L"a,b;c", L",;", 2, 2}, {L"a,b;c", L",;", 3, 4}, {L"a,b;c", L",;", 5, 0},
        {L"abc", L"B", 0, 0},          // case-sensitive
        {L"", L"a", 7, 0},             // empty text: nothing, not even the check
        {L"abc", L"c", -3, 3},         // a negative start reads from the first character
        {L"abc", L"c", 3, 3},          // the last character is still a valid start
        {L"abc", L"abc", 4, 0, true},  // reported, then the search goes on and finds nothing
    };
    for (const auto& c : cases) {
        TModalRecorder rec;
        EXPECT_EQ(Str_HasSymbol(c.s, c.symbols, c.from), c.pos) << N(c.s) << " from " << c.from;
        EXPECT_EQ(Shown(rec), c.reported ? "TFormY|Str_HasSymbol|FindFrom > Length(Str) !!!!!!!!!!|" +
                                               std::to_string(clYDefault) + "\n" : "");
    }
}

TEST(Strings, DeleteAll)
{
    const struct { const wchar_t *s, *sub, *out; } cases[] = {
        {L"aabb", L"ab", L""},  // a removal forms a new occurrence
        {L"x--y--z", L"--", L"xyz"}, {L"abc", L"", L"abc"}, {L"", L"a", L""}, {L"xabcabcaby", L"abc", L"xaby"},
        {L"aabcbc", L"abc", L""}, {L"abc", L"B", L"abc"},  // case-sensitive
    };
    for (const auto& c : cases) EXPECT_EQ(N(Str_DeleteAll(c.s, c.sub)), N(c.out)) << N(c.s) << " - " << N(c.sub);
}

TEST(Strings, IsAt)
{
    const struct { const wchar_t *sub, *s; int index; bool cs, result; } cases[] = {
        {L"bc", L"abcd", 2, true, true}, {L"BC", L"abcd", 2, true, false}, {L"BC", L"abcd", 2, false, true},
        {L"cd", L"abcd", 3, true, true}, {L"dx", L"abcd", 4, true, false},  // runs past the end
        {L"", L"abcd", 1, true, false},  {L"ab", L"abcd", 9, true, false},
        {L"abcde", L"abcd", 1, true, false},  // longer than S, even at 1
        {L"ab", L"abcd", 0, true, false},     // no text starts before the first character
        {L"\u0416", L"x\u0436", 2, false, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Str_IsAt(c.sub, c.s, c.index, c.cs), c.result) << N(c.sub) << " at " << c.index << " of " << N(c.s);
}

TEST(Strings, PosLast)
{
    const struct { const wchar_t *sub, *s; int pos; } cases[] = {
        {L"\\", L"C:\\a\\b", 5}, {L"ab", L"abab", 3}, {L"aa", L"aaa", 2}, {L"x", L"abc", 0},
        {L"", L"abc", 0},        {L"abcd", L"abc", 0}, {L"abc", L"abc", 1}, {L"A", L"aaa", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(Str_PosLast(c.sub, c.s), c.pos) << N(c.sub) << " in " << N(c.s);
}

TEST(Strings, FindNextFromAStartAndFindLastWithinALength)
{
    // pos 0: not found, and pos is left alone. Find_Next counts from the start
    // of S and reports a start below 1; for Find_Last only -1 means all of S.
    const struct { bool last; const wchar_t *sub, *s; bool cs; int startOrLen, pos; bool reported = false; } cases[] = {
        {false, L"b", L"abab", true, 1, 2},  {false, L"b", L"abab", true, 3, 4}, {false, L"b", L"abab", true, 4, 4},
        {false, L"b", L"abab", true, 5, 0},  {false, L"B", L"abab", true, 1, 0}, {false, L"B", L"abab", false, 3, 4},
        {false, L"", L"abab", true, 1, 0},   {false, L"a", L"aaa", true, 0, 0, true},
        {true, L"a", L"abab", true, -1, 3},  {true, L"a", L"abab", true, 3, 3},
        {true, L"ab", L"abab", true, 3, 1},  // the second "ab" is not within 3
        {true, L"A", L"abab", true, -1, 0},  {true, L"A", L"abab", false, -1, 3},
        {true, L"a", L"abab", true, 0, 0},   {true, L"a", L"abab", true, -2, 0},
        {true, L"a", L"abab", true, 40, 3},  // longer than S: all of S
    };
    for (const auto& c : cases) {
        TModalRecorder rec;
        int pos = 99;
        bool found = c.last ? Str_Find_Last(c.sub, c.s, c.cs, c.startOrLen, pos)
                            : Str_Find_Next(c.sub, c.s, c.cs, c.startOrLen, pos);
        EXPECT_EQ(found, c.pos != 0) << N(c.sub) << (c.last ? " within " : " from ") << c.startOrLen;
        EXPECT_EQ(pos, c.pos ? c.pos : 99) << N(c.sub) << (c.last ? " within " : " from ") << c.startOrLen;
        EXPECT_EQ(Shown(rec), c.reported ? "TFormY||Str_Find_Next\r\nStart < 1|" + std::to_string(0xC4D1F4) + "\n" : "");
    }
}

TEST(Strings, IndexOfAddUniqueAndJoin)
{
    TStringList l = List({L"One", L"two", L"\u0416uk", L"two"});
    const struct { const wchar_t* s; bool cs; int index; } cases[] = {
        {L"one", false, 0}, {L"one", true, -1}, {L"One", true, 0},  {L"TWO", false, 1},
        {L"two", true, 1},  {L"\u0436UK", false, 2}, {L"three", false, -1}, {L"", false, -1},
    };
    for (const auto& c : cases) EXPECT_EQ(Strs_IndexOf(l, c.s, c.cs), c.index) << N(c.s) << " cs " << c.cs;

    EXPECT_FALSE(Strs_AddUnique(l, L"ONE", false));
    EXPECT_TRUE(Strs_AddUnique(l, L"ONE", true));
    EXPECT_FALSE(Strs_AddUnique(l, L"ONE", true));
    EXPECT_EQ(Joined(l), N(L"One|two|\u0416uk|two|ONE"));
    EXPECT_EQ(N(Strs_Join(List({L"a", L"", L"c"}), L", ")), "a, , c");
    EXPECT_EQ(N(Strs_Join(List({L"a", L"b"}), L"")), "ab");
}

TEST(Strings, DeleteFromTo)
{
    // A bad index is reported and nothing is deleted.
    const char* all = "0|1|2|3|4|5|6";
    const struct { int j1, j2; const char *rest, *message = nullptr; } cases[] = {
        {0, 0, "1|2|3|4|5|6"}, {3, 3, "0|1|2|4|5|6"}, {5, 2, "0|1|6"},
        {2, 5, "0|1|6"},       {0, 6, ""},          {6, 6, "0|1|2|3|4|5"},
        {7, 1, all, "j1 > Strs.Count - 1"},
        {7, 9, all, "j1 > Strs.Count - 1"},  // j1 is checked first
        {0, 7, all, "j2 > Strs.Count - 1"},
        {-1, 1, all, "j1 < 0"},
        {1, -2, all, "j2 < 0"},
    };
    Application.Title = L"Dolv";
    for (const auto& c : cases) {
        TModalRecorder rec;
        TStringList l = List({L"0", L"1", L"2", L"3", L"4", L"5", L"6"});
        Strs_DeleteFromTo(l, c.j1, c.j2);
        EXPECT_EQ(Joined(l), c.rest) << c.j1 << ".." << c.j2;
        EXPECT_EQ(Shown(rec), c.message ? "ShowMessage|Dolv|Strs_DeleteFromTo\r\n" + std::string(c.message) + "|-1\n" : "");
    }
    TModalRecorder rec;
    TStringList empty;
    Strs_DeleteFromTo(empty, 0, 0);
    EXPECT_EQ(rec.Seen.size(), 1u) << "an empty list has no item 0";
}

TEST(Strings, SplitNameValue)
{
    const struct { const wchar_t* s; bool result; const wchar_t *name, *value; } cases[] = {
        {L"a=b", true, L"a", L"b"}, {L"a=b=c", true, L"a", L"b=c"}, {L"=x", true, L"", L"x"}, {L"a=", true, L"a", L""},
        {L"key  = v ", true, L"key", L" v "},
        {L"key\t =v", true, L"key", L"v"},    // spaces go first, then tabs
        {L"key \t=v", true, L"key ", L"v"},   // a space before a tab stays
        {L"  key=v", true, L"  key", L"v"}, {L"plain", false, L"old", L"old"},
    };
    for (const auto& c : cases) {
        String name = L"old", value = L"old";
        EXPECT_EQ(Str_SplitNameValue(c.s, name, value), c.result) << N(c.s);
        EXPECT_EQ(N(name + L"|" + value), N(String(c.name) + L"|" + c.value)) << N(c.s);
    }
}

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
