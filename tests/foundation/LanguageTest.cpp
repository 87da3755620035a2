// The language engine: key lookup, the Untranslated section, the line-break
// marker, language files in each encoding rewritten safely, and Lng_Load.
#include "IniFiles.h"
#include "TestSupport.h"
#include "xaLanguageUni.h"
#include "xaModul.h"

#include <iostream>
#include <utility>
#include <vector>

namespace {

using namespace xaLanguageUni;

// Every test leaves the texts it may change, and the active file, as it found them.
class LanguageTest : public ::testing::Test {
protected:
    LanguageTest()
    {
        for (String* t : {&Lng_RedLineDelimiter, &Lng_Path, &Lng_FileAbsent, &App_Help, &Close, &Copy, &Paste, &Yes,
                          &SelectInvers, &xaFontDialog_Example, &Link_Execute, &Link_CopyToClipboard})
            fSaved.emplace_back(t, *t);
    }
    ~LanguageTest() override
    {
        for (auto& [text, value] : fSaved) *text = value;
    }

private:
    std::vector<std::pair<String*, String>> fSaved;
};

TStringList List(std::initializer_list<const wchar_t*> items)
{
    TStringList l;
    for (const wchar_t* s : items) l.Add(s);
    return l;
}

std::string Joined(const TStrings& l) { return N(Strs_Join(l, L"|")); }

// The engine's part of one load of a language file, as the program's loader
// runs it (without the program's own key group).
void ReadGroups(TStrings& lines)
{
    Strs_Ini_EraseSection(L"Untranslated", lines);
    Lng_Read_Uni(lines);
    Lng_Read_FontDialog(lines);
    Lng_Read_LabelLink(lines);
}

void LoadFile(const String& path)
{
    TStringList lines;
    lines.LoadFromFile(path);
    ReadGroups(lines);
    lines.SaveToFile(path);
}

TEST_F(LanguageTest, ReadFindsTheKey)
{
    struct Case {
        const char* what;
        std::initializer_list<const wchar_t*> file;
        bool found;
        const wchar_t* value;  // what Yes holds afterwards
        bool multiLine = true;
    };
    const Case cases[] = {
        {"after another section's header", {L"[Other]", L"x=1", L"Yes=Da"}, true, L"Da"},
        {"letter case ignored", {L"yES=Da"}, true, L"Da"},
        {"trailing spaces of the key", {L"Yes  =Da"}, true, L"Da"},
        {"tab then space", {L"Yes\t =Da"}, true, L"Da"},
        {"space then tab", {L"Yes \t=Da"}, false, L"Yes"},
        {"leading blank", {L" Yes=Da"}, false, L"Yes"},
        {"first match wins", {L"Yes=A", L"[S]", L"Yes=B"}, true, L"A"},
        {"empty value is missing", {L"Yes=", L"Yes=Later"}, false, L"Yes"},
        {"value kept exactly", {L"Yes= Da =x "}, true, L" Da =x "},
        {"bare line is no key", {L"Yes"}, false, L"Yes"},
        {"marker becomes a line break", {L"Yes=Da%%%Ja%%%"}, true, L"Da\r\nJa\r\n"},
        {"without multi-line the marker stays", {L"Yes=a%%%b=c"}, true, L"a%%%b=c", false},
    };
    for (const Case& c : cases) {
        Yes = L"Yes";
        TStringList lines = List(c.file);
        EXPECT_EQ(Lng_Read(lines, Yes, L"Yes", c.multiLine), c.found) << c.what;
        EXPECT_EQ(N(Yes), N(c.value)) << c.what;
        // A key that was not found is listed under Untranslated, at the end.
        EXPECT_EQ(lines.IndexOf(L"[Untranslated]") == lines.Count() - 2 && lines[lines.Count() - 1] == L"Yes=",
                  !c.found)
            << c.what;
    }
}

TEST_F(LanguageTest, MissingKeysAreListedOnceInReadingOrder)
{
    TStringList lines = List({L"[Main]", L"Copy=Kopie", L"Paste=", L""});
    EXPECT_FALSE(Lng_Read(lines, Close, L"Close", true));
    EXPECT_TRUE(Lng_Read(lines, Copy, L"Copy", true));
    EXPECT_FALSE(Lng_Read(lines, Paste, L"Paste", true));
    EXPECT_FALSE(Lng_Read(lines, Close, L"Close", true));
    EXPECT_EQ(Joined(lines), "[Main]|Copy=Kopie|Paste=||[Untranslated]|Close=|Paste=");
    EXPECT_EQ(N(Copy + Paste + Close), "KopiePasteClose");

    // An empty file lists every key, the marker first, and keeps the built-in texts.
    TStringList empty;
    ReadGroups(empty);
    EXPECT_EQ(empty.Count(), 1 + 1 + 71 + 14 + 2);  // header, marker, generic words, font dialog, link label
    EXPECT_EQ(N(empty[1] + empty[2] + empty[empty.Count() - 1]), "Lng_RedLineDelimiter=Lng=Link_CopyToClipboard=");
    EXPECT_EQ(N(App_Close + L"|" + xaFontDialog_Cancel + L"|" + Link_CopyToClipboard + L"|" + Lng_DirectoryUp),
              "Close porogram|Close|Copy link to clipboard|Directory up");
}

TEST_F(LanguageTest, TheFilesMarkerAppliesFromWhereItIsRead)
{
    // The program's own keys come before the generic group, so they still see
    // the marker in effect before this file.
    TStringList lines = List({L"Lng_FileAbsent=eins%%%zwei||drei", L"App_Help=a||b%%%c", L"[Language]",
                              L"xaFontDialog_Example=x||y", L"Lng_RedLineDelimiter=||", L"Link_Execute=l%%%m"});
    String programKey;
    EXPECT_TRUE(Lng_Read(lines, programKey, L"App_Help", true));
    EXPECT_EQ(N(programKey), "a||b\r\nc");
    ReadGroups(lines);
    EXPECT_EQ(N(Lng_RedLineDelimiter), "||");
    EXPECT_EQ(N(Lng_FileAbsent), "eins%%%zwei\r\ndrei");
    EXPECT_EQ(N(App_Help), "a\r\nb%%%c");
    EXPECT_EQ(N(xaFontDialog_Example), "x\r\ny");
    EXPECT_EQ(N(Link_Execute), "l%%%m");
    // A later file without a marker, or with an empty one, keeps the one set before.
    TStringList next = List({L"Lng_RedLineDelimiter=", L"Copy=1||2"});
    ReadGroups(next);
    EXPECT_EQ(N(Lng_RedLineDelimiter + L"|" + Copy), "|||1\r\n2");
    EXPECT_EQ(N(next[next.IndexOf(L"[Untranslated]") + 1]), "Lng_RedLineDelimiter=");
}

TEST_F(LanguageTest, AnOldUntranslatedSectionIsRebuiltWhateverTheNextHeaderLooksLike)
{
    // The next header as translators write it: the platform's profile reader
    // takes each of these as a section, so the translations under it stay.
    for (const wchar_t* next : {L"[Language]", L"[Language] ", L"[Language]\t", L" [Language]",
                                L"\t[Language] ; the font dialog's text"}) {
        TStringList lines = List({L"[Main]", L"Yes=Da", L"[Untranslated]", L"Close=Zu", L"Stale=", next,
                                  L"xaFontDialog_Example=Ex"});
        ReadGroups(lines);
        EXPECT_EQ(N(Close), "Close") << N(next);  // the section's own line does not translate
        EXPECT_EQ(N(Yes + xaFontDialog_Example), "DaEx") << N(next);
        EXPECT_EQ(N(lines[0] + lines[1] + lines[2] + lines[3] + lines[4]),
                  N(String(L"[Main]Yes=Da") + next + L"xaFontDialog_Example=Ex[Untranslated]"));
        EXPECT_EQ(Strs_IndexOfName(L"Stale", lines), -1) << N(next);
        EXPECT_GT(Strs_IndexOfName(L"Close", lines), 4) << N(next);
        xaFontDialog_Example.clear();
    }
}

// ---- Files -------------------------------------------------------------

// A text that the ANSI code page can hold, so that the ANSI file can round-trip.
String AnsiSafe(const String& s)
{
    BOOL lost = FALSE;
    char buf[256];
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, s.c_str(), (int)s.size(), buf, sizeof buf, nullptr, &lost);
    if (lost) std::cout << "[ note ] the ANSI code page " << GetACP() << " lacks the test's accented letters\n";
    return lost ? String(L"plain") : s;
}

TEST_F(LanguageTest, FilesRoundTripInEveryEncoding)
{
    struct TEncodingCase {
        const char* name;
        TTextEncoding encoding;
        std::string bom;
    };
    const TEncodingCase encodings[] = {
        {"ANSI", TTextEncoding::Ansi, ""},
        {"UTF-8", TTextEncoding::Utf8, "\xEF\xBB\xBF"},
        {"UTF-16 LE", TTextEncoding::Utf16LE, "\xFF\xFE"},
        {"UTF-16 BE", TTextEncoding::Utf16BE, "\xFE\xFF"},
    };
    // Every key the groups read, as an empty file lists them.
    TStringList allKeys;
    ReadGroups(allKeys);
    allKeys.Delete(0);

    TTempDir tmp;
    for (const TEncodingCase& e : encodings) {
        const bool ansi = e.encoding == TTextEncoding::Ansi;
        String word = ansi ? AnsiSafe(L"D\u00E9j\u00E0") : String(L"\u0414\u0430 \u00E9");
        // Comments, blanks, odd spacing and another section all survive; the
        // old Untranslated section in the middle goes.
        String kept = String(ansi ? L"; comment\r\n" : L"; comment \u00A7\r\n") + L"[Main]\r\nYes=" + word +
                      L"\r\n  \r\n\r\nCopy = spaced \r\n";
        String tail = L"[Language]\r\nxaFontDialog_Example=a%%%b\r\n";
        String path = tmp / (String(L"lang-") + std::to_wstring((int)e.encoding) + L".lng");
        WriteFileBytes(path, EncodeText(kept + L"[Untranslated]\r\nClose=Zu\r\n" + tail, e.encoding));
        ASSERT_EQ(ReadFileBytes(path).substr(0, e.bom.size()), e.bom) << e.name;
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN);  // the user's mark stays

        LoadFile(path);
        EXPECT_EQ(N(Yes), N(word)) << e.name;
        EXPECT_EQ(N(xaFontDialog_Example), "a\r\nb") << e.name;

        // What was kept comes back byte for byte, then the fresh section in
        // the same encoding without a second byte-order mark.
        String missing = L"[Untranslated]\r\n";
        for (int i = 0; i < allKeys.Count(); ++i)
            if (allKeys[i] != L"Yes=" && allKeys[i] != L"Copy=" && allKeys[i] != L"xaFontDialog_Example=")
                missing += allKeys[i] + L"\r\n";
        std::string expected = EncodeText(kept + tail, e.encoding) + EncodeText(missing, e.encoding, false);
        EXPECT_TRUE(ReadFileBytes(path) == expected) << e.name << ": the rewritten file differs";
        // A second load changes nothing at all, and leaves no temporary file.
        LoadFile(path);
        EXPECT_TRUE(ReadFileBytes(path) == expected) << e.name << ": second load";
        EXPECT_EQ(Attributes(SaveTempFileName(path)), INVALID_FILE_ATTRIBUTES) << e.name;
        EXPECT_TRUE(Attributes(path) & FILE_ATTRIBUTE_HIDDEN) << e.name;

        Lng_RedLineDelimiter = L"%%%";  // the next encoding's file uses the built-in marker
    }
}

TEST_F(LanguageTest, BrokenBytesSurviveTheRewrite)
{
    TTempDir tmp;
    // UTF-8: a stray ANSI byte, a cut sequence, an overlong form, an encoded
    // surrogate and a byte that is never UTF-8, around valid text that
    // includes a character beyond the basic plane.
    const std::string utf8 = "\xEF\xBB\xBF; caf\xE9 (cp1252)\r\n"
                             "Yes=\xD0\x94\xD0\xB0 \xF0\x9F\x98\x80\r\n"
                             "No=\xC3\r\n"
                             "Copy=\xC0\xAF \xED\xB0\x80 \xFF\xFE\r\n";
    // UTF-16 cut in the middle of its last character: that byte stays.
    const std::string utf16le = std::string("\xFF\xFEY\0e\0s\0=\0J\0a\0\r\0\n", 17);
    const std::string utf16be = std::string("\xFE\xFF\0Y\0e\0s\0=\0J\0a\0", 15);
    struct Case {
        const char* name;
        const std::string& bytes;
        String yes;
        std::string keptAs;  // how the original bytes come back
        std::string untranslated;
    };
    const Case cases[] = {
        {"UTF-8", utf8, L"\u0414\u0430 \U0001F600", utf8, "[Untranslated]\r\n"},
        {"UTF-16 LE", utf16le, L"Ja", utf16le + '\0', std::string("[\0U\0", 4)},
        {"UTF-16 BE", utf16be, String(L"Ja\0", 3), utf16be + '\0', std::string("\0\r\0\n\0[", 6)},
    };
    for (const Case& c : cases) {
        String path = tmp / L"broken.lng";
        WriteFileBytes(path, c.bytes);
        LoadFile(path);
        EXPECT_EQ(N(Yes), N(c.yes)) << c.name;
        std::string got = ReadFileBytes(path);
        EXPECT_TRUE(got.compare(0, c.keptAs.size(), c.keptAs) == 0) << c.name << ": bytes the user wrote changed";
        EXPECT_EQ(got.substr(c.keptAs.size(), c.untranslated.size()), c.untranslated) << c.name;
    }
}

TEST_F(LanguageTest, ARewriteThatCannotBeMadeSafelyLeavesTheOldFileWhole)
{
    TTempDir tmp;
    const std::string original = "Yes=Ja\r\n";
    TStringList lines;
    lines.Add(L"Yes=Nein");
    // Folders stand at every name the temporary file may take; a read-only
    // file is not ours to replace; a missing folder.
    String blocked = tmp / L"blocked.lng", ro = tmp / L"readonly.lng", nowhere = tmp / L"no\\such.lng";
    WriteFileBytes(blocked, original);
    WriteFileBytes(ro, original);
    for (int i = 0; i < SaveTempTries; ++i) ASSERT_TRUE(CreateDirectoryW(SaveTempFileName(blocked, i).c_str(), nullptr));
    ASSERT_TRUE(SetFileAttributesW(ro.c_str(), FILE_ATTRIBUTE_READONLY));
    for (const String& path : {blocked, ro, nowhere}) {
        try {
            lines.SaveToFile(path);
            ADD_FAILURE() << "replaced: " << N(path);
        } catch (const EFCreateError& e) {
            EXPECT_NE(e.Message().find(path), String::npos) << N(e.Message());
        }
        EXPECT_EQ(ReadFileBytes(path), path == nowhere ? "" : original) << N(path);
    }
    EXPECT_TRUE(Attributes(ro) & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(Attributes(SaveTempFileName(ro)), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(Attributes(nowhere), INVALID_FILE_ATTRIBUTES);
}

// ---- Lng_Load ----------------------------------------------------------

class LngLoadTest : public LanguageTest {
protected:
    TTempDir tmp;
    String progDir = tmp.Path() + L"\\";
    TProgDirOverride dir{progDir};
    int loaded = 0;
    TLngApplyProc onLoaded = [this] { ++loaded; };

    String SettingsLanguage() const
    {
        return TIniFile(Settings_FileName()).ReadString(L"Settings", L"Language", L"<none>");
    }
};

TEST_F(LngLoadTest, AMissingFileIsReportedAndChangesNothing)
{
    Lng_Path = L"C:\\before.lng";
    TModalRecorder rec;
    Lng_Load(L"Language\\none.lng", onLoaded);
    // A translated message may span lines; a folder is no language file.
    Lng_FileAbsent = L"nicht da\r\nwirklich";
    CreateDirectoryW((progDir + L"Language").c_str(), nullptr);
    Lng_Load(L"%exe\\Language", onLoaded);
    ASSERT_EQ(rec.Seen.size(), 2u);
    EXPECT_EQ(N(rec.Seen[0].Kind + L"|" + rec.Seen[0].Caption), "TFormY|");
    EXPECT_EQ(N(rec.Seen[0].Text), N(L"lng file not found!\r\n\r\n" + progDir + L"Language\\none.lng"));
    EXPECT_EQ(rec.Seen[0].Color, 0xC4D1F4);
    EXPECT_EQ(N(rec.Seen[1].Text), N(L"nicht da\r\nwirklich\r\n\r\n" + progDir + L"Language"));
    // A file the loader cannot read (another program holds it) raises through.
    WriteFileBytes(progDir + L"held.lng", "Yes=Ja");
    EXPECT_THROW(Lng_Load(L"held.lng", [] { throw EFOpenError(L"held"); }), EFOpenError);
    EXPECT_EQ(loaded, 0);
    EXPECT_EQ(N(Lng_Path), "C:\\before.lng");
    EXPECT_EQ(Attributes(Settings_FileName()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(LngLoadTest, TheChosenFileIsStoredRelativeInsideTheProgramFolderElseWhole)
{
    EXPECT_EQ(N(Lng_Folder()), N(progDir + L"Language\\"));
    CreateDirectoryW((progDir + L"Language").c_str(), nullptr);
    String de = Lng_Folder() + L"Deutsch.lng";
    WriteFileBytes(de, "Yes=Ja\r\n");
    Lng_Load(L"Language\\Deutsch.lng", [&] {
        EXPECT_EQ(N(Lng_Path), N(de));  // the callback sees the new active file
        ++loaded;
    });
    EXPECT_EQ(loaded, 1);
    EXPECT_EQ(N(SettingsLanguage()), "Language\\Deutsch.lng");

    // The same file again is read again but not stored again.
    TIniFile(Settings_FileName()).WriteString(L"Settings", L"Language", L"changed meanwhile");
    Lng_Load(L"%exe\\Language\\Deutsch.lng", onLoaded);
    EXPECT_EQ(loaded, 2);
    EXPECT_EQ(N(SettingsLanguage()), "changed meanwhile");

    // The comparison is exact: another spelling of the path is stored.
    Lng_Load(progDir + L"language\\deutsch.lng", onLoaded);
    EXPECT_EQ(loaded, 3);
    EXPECT_EQ(N(SettingsLanguage()), "language\\deutsch.lng");

    // A file elsewhere is stored with its full path; an empty callback is allowed.
    TTempDir other;
    String fr = other / L"fr.lng";
    WriteFileBytes(fr, "Yes=Oui\r\n");
    Lng_Load(fr, nullptr);
    EXPECT_EQ(N(Lng_Path), N(fr));
    EXPECT_EQ(N(SettingsLanguage()), N(fr));
}

}  // namespace
