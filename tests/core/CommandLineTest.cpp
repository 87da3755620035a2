// The command line as the program reads it: the Explorer entry's command for
// each kind of clicked item, and what scripts and shortcuts write.
#include "CommandLine.h"
#include "TestSupport.h"
#include "ind.h"

namespace {
// The arguments, joined by "|" so that an empty one shows.
std::string joined(const std::vector<String>& args)
{
    String s;
    for (const String& a : args) s += a + L"|";
    return N(s);
}
}  // namespace

TEST(CommandLine, ExplorerEntryGivesTheClickedItemWholeForEveryKind)
{
    const String exe = Prog_FullName();
    const struct {
        const wchar_t* Item;  // what Explorer puts in place of %1
        const wchar_t* Element;
    } items[] = {
        {L"C:\\", L"C:\\"},  // a drive root: "C:\" ends in an escaped-looking quote
        {L"D:\\Photos\\", L"D:\\Photos\\"},
        {L"D:\\Photos\\2020", L"D:\\Photos\\2020"},
        {L"C:\\My Files\\a b.txt", L"C:\\My Files\\a b.txt"},
        {L"\\\\server\\share\\", L"\\\\server\\share\\"},
    };
    for (const auto& i : items) {
        String command = ShellMenu_Command();
        command.replace(command.find(L"%1"), 2, i.Item);
        EXPECT_EQ(joined(CommandLine_Split(command)), N(exe + L"|1|" + i.Element + L"|")) << N(command);
    }
}

TEST(CommandLine, SplitTakesQuotesAsDelimitersAlways)
{
    const struct {
        const wchar_t* Line;
        const char* Args;
    } cases[] = {
        {L"dolv 0 \"C:\\x y\" \"C:\\i.ico\" 3 0", "dolv|0|C:\\x y|C:\\i.ico|3|0|"},
        {L"dolv \"2\" \"Q:\\\" \"C:\\i.ico\" \"0\"", "dolv|2|Q:\\|C:\\i.ico|0|"},
        {L"dolv 1 \"C:\\\\\"", "dolv|1|C:\\|"},      // escaped as the platform would have it
        {L"dolv 1 C:\\ ", "dolv|1|C:\\|"},            // unquoted, before a blank
        {L"dolv\t1  \"\" x", "dolv|1||x|"},           // tabs, runs of blanks, an empty argument
        {L"dolv 1 \\\\srv\\s\\a", "dolv|1|\\\\srv\\s\\a|"},  // backslashes before no quote stay
        {L"dolv 1 a\"b c\"d", "dolv|1|ab cd|"},
        {L"dolv 1 \"\"", "dolv|1||"},
        {L"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(joined(CommandLine_Split(c.Line)), c.Args) << N(c.Line);
}
