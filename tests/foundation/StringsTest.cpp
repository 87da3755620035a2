// String and list routines: 1-based positions, the two kinds of case-blind
// comparison, and the three argument checks with their messages.
#include "TestSupport.h"
#include "Forms.h"
#include "xaModul.h"
#include "xaY.h"

#include <initializer_list>

namespace {

TStringList List(std::initializer_list<const wchar_t*> items)
{
    TStringList l;
    for (const wchar_t* s : items) l.Add(s);
    return l;
}

std::string Joined(const TStrings& l) { return N(Strs_Join(l, L"|")); }

// The argument checks show exactly one message, or none when Text is null.
void ExpectShown(const TModalRecorder& rec, const char* text, const char* kind, const char* caption, int color)
{
    if (!text) {
        EXPECT_TRUE(rec.Seen.empty()) << N(rec.Seen[0].Text);
        return;
    }
    ASSERT_EQ(rec.Seen.size(), 1u) << text;
    EXPECT_EQ(N(rec.Seen[0].Kind), kind);
    EXPECT_EQ(N(rec.Seen[0].Caption), caption);
    EXPECT_EQ(N(rec.Seen[0].Text), text);
    EXPECT_EQ(rec.Seen[0].Color, color);
}

TEST(Strings, TrimSymbolIgnoresCase)
{
    struct Case {
        const wchar_t* in;
        wchar_t ch;
        const wchar_t* left;
        const wchar_t* right;
    };
    const Case cases[] = {
        {L"aAab", L'a', L"b", L"aAab"}, {L"baAa", L'A', L"baAa", L"b"}, {L"aaaa", L'a', L"", L""},
        {L"", L'a', L"", L""},          {L"  x  ", L' ', L"x  ", L"  x"},
        // Cyrillic letters fold by the locale, not only ASCII.
        {L"\u0434\u0414x\u0414", L'\u0434', L"x\u0414", L"\u0434\u0414x"},
        {L"\\\\a\\", L'\\', L"a\\", L"\\\\a"},
    };
    for (const Case& c : cases) {
        String l = c.in, r = c.in;
        Str_TrimLeftSymbol(l, c.ch);
        Str_TrimRightSymbol(r, c.ch);
        EXPECT_EQ(N(l), N(c.left)) << "left of " << N(c.in);
        EXPECT_EQ(N(r), N(c.right)) << "right of " << N(c.in);
    }
}

TEST(Strings, HasOnlySymbols)
{
    struct Case {
        const wchar_t* s;
        const wchar_t* symbols;
        bool result;
    };
    const Case cases[] = {
        {L"", L"abc", true},  {L"", L"", true},  {L"abba", L"ab", true}, {L"x", L"", false},
        {L"0123", L"0123456789", true},
        {L"abcA", L"abc", false},  // case-sensitive
    };
    for (const Case& c : cases)
        EXPECT_EQ(Str_HasOnlySymbols(c.s, c.symbols), c.result) << N(c.s) << " in " << N(c.symbols);
}

TEST(Strings, HasSymbolFindsFromPosition)
{
    struct Case {
        const wchar_t* s;
        const wchar_t* symbols;
        int from;
        int pos;
        bool reported = false;
    };
    const Case cases[] = {
        {L"a,b;c", L",;", 0, 2}, {L"a,b;c", L",;", 1, 2}, {L"a,b;c", L",;", 2, 2}, {L"a,b;c", L",;", 3, 4},
        {L"a,b;c", L",;", 5, 0},
        {L"abc", L"B", 0, 0},   // case-sensitive
        {L"", L"a", 7, 0},      // empty text: nothing, not even the check
        {L"abc", L"c", -3, 3},  // a negative start reads from the first character
        {L"abc", L"c", 3, 3},   // the last character is still a valid start
        {L"abc", L"abc", 4, 0, true},  // reported, then the search goes on and finds nothing
    };
    for (const Case& c : cases) {
        TModalRecorder rec;
        EXPECT_EQ(Str_HasSymbol(c.s, c.symbols, c.from), c.pos) << N(c.s) << " from " << c.from;
        ExpectShown(rec, c.reported ? "FindFrom > Length(Str) !!!!!!!!!!" : nullptr, "TFormY", "Str_HasSymbol",
                    clYDefault);
    }
}

TEST(Strings, DeleteAll)
{
    struct Case {
        const wchar_t* s;
        const wchar_t* sub;
        const wchar_t* out;
    };
    const Case cases[] = {
        {L"aabb", L"ab", L""},          // a removal forms a new occurrence
        {L"aaabbbx", L"ab", L"x"}, {L"x--y--z", L"--", L"xyz"}, {L"abc", L"", L"abc"},   {L"", L"a", L""},
        {L"aaaa", L"aa", L""},     {L"xabcabcaby", L"abc", L"xaby"}, {L"aabcbc", L"abc", L""},
        {L"abc", L"B", L"abc"},  // case-sensitive
    };
    for (const Case& c : cases) EXPECT_EQ(N(Str_DeleteAll(c.s, c.sub)), N(c.out)) << N(c.s) << " - " << N(c.sub);
}

TEST(Strings, IsAt)
{
    struct Case {
        const wchar_t* sub;
        const wchar_t* s;
        int index;
        bool cs;
        bool result;
    };
    const Case cases[] = {
        {L"bc", L"abcd", 2, true, true}, {L"BC", L"abcd", 2, true, false}, {L"BC", L"abcd", 2, false, true},
        {L"cd", L"abcd", 3, true, true}, {L"de", L"abcde", 4, true, true},
        {L"dx", L"abcd", 4, true, false},  // runs past the end
        {L"", L"abcd", 1, true, false},       {L"ab", L"abcd", 9, true, false},
        {L"abcde", L"abcd", 1, true, false},  // longer than S, even at 1
        {L"ab", L"abcd", 0, true, false},     // no text starts before the first character
        {L"\u0416", L"x\u0436", 2, false, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Str_IsAt(c.sub, c.s, c.index, c.cs), c.result) << N(c.sub) << " at " << c.index << " of " << N(c.s);
}

TEST(Strings, PosLast)
{
    struct Case {
        const wchar_t* sub;
        const wchar_t* s;
        int pos;
    };
    const Case cases[] = {
        {L"\\", L"C:\\a\\b", 5}, {L"ab", L"abab", 3}, {L"aa", L"aaa", 2}, {L"x", L"abc", 0},
        {L"", L"abc", 0},        {L"abcd", L"abc", 0}, {L"abc", L"abc", 1}, {L"A", L"aaa", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(Str_PosLast(c.sub, c.s), c.pos) << N(c.sub) << " in " << N(c.s);
}

TEST(Strings, FindNextCountsFromTheStartOfS)
{
    struct Case {
        const wchar_t* sub;
        const wchar_t* s;
        bool cs;
        int start;
        bool found;
        int pos;  // 99 when left alone
        bool reported = false;
    };
    const Case cases[] = {
        {L"b", L"abab", true, 1, true, 2},     {L"b", L"abab", true, 3, true, 4},
        {L"b", L"abab", true, 4, true, 4},     {L"b", L"abab", true, 5, false, 99},
        {L"b", L"abab", true, 50, false, 99},  {L"B", L"abab", true, 1, false, 99},
        {L"B", L"abab", false, 3, true, 4},    {L"", L"abab", true, 1, false, 99},
        // A start below 1 is reported and gives up.
        {L"a", L"aaa", true, 0, false, 99, true}, {L"a", L"aaa", true, -1, false, 99, true},
    };
    for (const Case& c : cases) {
        TModalRecorder rec;
        int pos = 99;
        EXPECT_EQ(Str_Find_Next(c.sub, c.s, c.cs, c.start, pos), c.found) << N(c.sub) << " from " << c.start;
        EXPECT_EQ(pos, c.pos) << N(c.sub) << " from " << c.start;
        ExpectShown(rec, c.reported ? "Str_Find_Next\r\nStart < 1" : nullptr, "TFormY", "", 0xC4D1F4);
    }
}

TEST(Strings, FindLast)
{
    struct Case {
        const wchar_t* sub;
        const wchar_t* s;
        bool cs;
        int len;
        bool found;
        int pos;  // 99 when left alone
    };
    const Case cases[] = {
        {L"a", L"abab", true, -1, true, 3}, {L"a", L"abab", true, 2, true, 1}, {L"a", L"abab", true, 3, true, 3},
        {L"ab", L"abab", true, 3, true, 1},   // the second "ab" is not within 3
        {L"A", L"abab", true, -1, false, 99}, {L"A", L"abab", false, -1, true, 3},
        {L"a", L"abab", true, 0, false, 99},  {L"", L"abab", true, -1, false, 99},
        {L"a", L"abab", true, 40, true, 3},   // longer than S: all of S
        {L"a", L"abab", true, -2, false, 99}, // only -1 means all
    };
    for (const Case& c : cases) {
        int pos = 99;
        EXPECT_EQ(Str_Find_Last(c.sub, c.s, c.cs, c.len, pos), c.found) << N(c.sub) << " len " << c.len;
        EXPECT_EQ(pos, c.pos) << N(c.sub) << " len " << c.len;
    }
}

TEST(Strings, IndexOfAndAddUnique)
{
    TStringList l = List({L"One", L"two", L"\u0416uk", L"two"});
    struct Case {
        const wchar_t* s;
        bool cs;
        int index;
    };
    const Case cases[] = {
        {L"one", false, 0}, {L"one", true, -1}, {L"One", true, 0},  {L"TWO", false, 1},
        {L"two", true, 1},  {L"\u0436UK", false, 2}, {L"three", false, -1}, {L"", false, -1},
    };
    for (const Case& c : cases) EXPECT_EQ(Strs_IndexOf(l, c.s, c.cs), c.index) << N(c.s) << " cs " << c.cs;

    EXPECT_FALSE(Strs_AddUnique(l, L"ONE", false));
    EXPECT_TRUE(Strs_AddUnique(l, L"ONE", true));
    EXPECT_FALSE(Strs_AddUnique(l, L"ONE", true));
    EXPECT_EQ(Joined(l), N(L"One|two|\u0416uk|two|ONE"));
}

TEST(Strings, DeleteFromTo)
{
    struct Case {
        int j1, j2;
        const char* rest;
        const char* message = nullptr;  // a bad index is reported and nothing is deleted
    };
    const char* all = "0|1|2|3|4|5|6";
    const Case cases[] = {
        {0, 0, "1|2|3|4|5|6"}, {3, 3, "0|1|2|4|5|6"}, {5, 2, "0|1|6"},
        {2, 5, "0|1|6"},       {0, 6, ""},          {6, 6, "0|1|2|3|4|5"},
        {7, 1, all, "Strs_DeleteFromTo\r\nj1 > Strs.Count - 1"},
        {7, 9, all, "Strs_DeleteFromTo\r\nj1 > Strs.Count - 1"},  // j1 is checked first
        {0, 7, all, "Strs_DeleteFromTo\r\nj2 > Strs.Count - 1"},
        {-1, 1, all, "Strs_DeleteFromTo\r\nj1 < 0"},
        {1, -2, all, "Strs_DeleteFromTo\r\nj2 < 0"},
    };
    Application.Title = L"Dolv";
    for (const Case& c : cases) {
        TModalRecorder rec;
        TStringList l = List({L"0", L"1", L"2", L"3", L"4", L"5", L"6"});
        Strs_DeleteFromTo(l, c.j1, c.j2);
        EXPECT_EQ(Joined(l), c.rest) << c.j1 << ".." << c.j2;
        ExpectShown(rec, c.message, "ShowMessage", "Dolv", -1);
    }
    TModalRecorder rec;
    TStringList empty;
    Strs_DeleteFromTo(empty, 0, 0);
    EXPECT_EQ(rec.Seen.size(), 1u);
}

TEST(Strings, Join)
{
    EXPECT_EQ(N(Strs_Join(List({}), L", ")), "");
    EXPECT_EQ(N(Strs_Join(List({L"a"}), L", ")), "a");
    EXPECT_EQ(N(Strs_Join(List({L"a", L"", L"c"}), L", ")), "a, , c");
    EXPECT_EQ(N(Strs_Join(List({L"a", L"b"}), L"")), "ab");
    EXPECT_EQ(N(Strs_Join(List({L"x", L"y"}), L"%%%")), "x%%%y");
}

TEST(Strings, SplitNameValue)
{
    struct Case {
        const wchar_t* s;
        bool result;
        const wchar_t* name;
        const wchar_t* value;
    };
    const Case cases[] = {
        {L"a=b", true, L"a", L"b"}, {L"a=b=c", true, L"a", L"b=c"}, {L"=x", true, L"", L"x"}, {L"a=", true, L"a", L""},
        {L"key  = v ", true, L"key", L" v "},
        {L"key\t =v", true, L"key", L"v"},     // spaces go first, then tabs
        {L"key \t=v", true, L"key ", L"v"},   // a space before a tab stays
        {L"  key=v", true, L"  key", L"v"}, {L"plain", false, L"old", L"old"}, {L"", false, L"old", L"old"},
    };
    for (const Case& c : cases) {
        String name = L"old", value = L"old";
        EXPECT_EQ(Str_SplitNameValue(c.s, name, value), c.result) << N(c.s);
        EXPECT_EQ(N(name), N(c.name)) << N(c.s);
        EXPECT_EQ(N(value), N(c.value)) << N(c.s);
    }
}

}  // namespace
