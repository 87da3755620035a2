// Paths becoming special-iconize lines, on real folders, files and shortcuts.
#include "SpecialLines.h"
#include "TestSupport.h"
#include "xaModulFiles.h"

TEST(SpecialLines, PathsBecomeDrivesFoldersTypesAndShortcuts)
{
    TTempDir t;
    for (const wchar_t* d : {L"Data", L"x", L"y"}) CreateDirectoryW((t / d).c_str(), nullptr);
    for (const wchar_t* f : {L"x\\readme.TXT", L"x\\b.txt", L"x\\tool.exe", L"x\\TOOL2.EXE", L"x\\a.ico",
                             L"x\\README", L"y\\b.doc", L"y\\gone.rtf"})
        WriteFileBytes(t / f, "x");
    Lnk_Create(t / L"y\\b.doc", t / L"x", L"", L"");     // x\b.lnk: to a file
    Lnk_Create(t / L"Data", t / L"x", L"", L"");         // x\Data.lnk: to a folder
    Lnk_Create(t / L"y\\gone.rtf", t / L"x", L"", L"");  // x\gone.lnk: to nothing, soon
    DeleteFileW((t / L"y\\gone.rtf").c_str());
    const struct { std::vector<String> src, dest; } cases[] = {
        {{t / L"Data", L"D:\\", L"", t / L"x\\readme.TXT", t / L"x\\tool.exe", t / L"x\\a.ico", t / L"x\\b.lnk"},
         {t / L"Data", L"D:\\", L".TXT", L".doc"}},
        {{L"c:", t / L"Data", t / L"DATA", t / L"x\\b.txt", t / L"x\\readme.TXT"}, {L"C:", t / L"Data", L".txt"}},
        {{t / L"x\\Data.lnk", t / L"x\\gone.lnk", t / L"x\\TOOL2.EXE", t / L"x\\README", t / L"missing"},
         {t / L"x\\Data.lnk", t / L"x\\gone.lnk"}},
    };
    for (const auto& c : cases) {
        TStringList src, dest;
        for (const String& s : c.src) src.Add(s);
        Strs_ForSpecial(src, dest);
        EXPECT_EQ(dest.Items(), c.dest) << N(c.src[0]);
    }
}
