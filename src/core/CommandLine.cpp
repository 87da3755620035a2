#include "CommandLine.h"

#include "IconizeRoad.h"
#include "ind.h"
#include "xaModulPath.h"

namespace {
// An element written as a file type goes to the road as written, which takes
// it or refuses it; expanded, it would become a file in the program's folder
// that nobody meant ("..." and ". " even the program's folder itself). "."
// and ".." are steps of a path.
bool writtenAsType(const String& s) { return s != L"." && s != L".." && Iconize_WrittenAsType(s); }

String expandElement(const String& s) { return writtenAsType(s) ? s : Path_Expand(s); }
}  // namespace

std::vector<String> CommandLine_Split(const String& line)
{
    std::vector<String> args;
    String arg;
    bool inArg = false, quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        wchar_t c = line[i];
        if (!quoted && (c == L' ' || c == L'\t')) {
            if (inArg) args.push_back(arg);
            arg.clear();
            inArg = false;
            continue;
        }
        inArg = true;
        if (c == L'\\') {
            size_t end = line.find_first_not_of(L'\\', i), run = (end == String::npos ? line.size() : end) - i;
            bool beforeQuote = end != String::npos && line[end] == L'"';
            // "C:\\" (escaped as the platform would have it) and "C:\" alike end in one backslash.
            arg.append(beforeQuote ? (run + 1) / 2 : run, L'\\');
            i += run - 1;
        } else if (c == L'"') {
            quoted = !quoted;
        } else {
            arg += c;
        }
    }
    if (inArg) args.push_back(arg);
    return args;
}

TCommandLine CommandLine_Parse(const std::vector<String>& args)
{
    TCommandLine c;
    auto arg = [&](size_t i) { return i < args.size() ? args[i] : String(); };
    c.Given = args.size() > 1;
    if (!c.Given) return c;
    c.Element = expandElement(arg(2));
    c.IcoFile = Path_Expand(arg(3));
    c.IcoIndex = arg(4);
    c.CopyIco = arg(5) != L"0";
    if (!TryStrToInt(arg(1), c.Mode)) {
        c.Mode = 1;
        c.Element = expandElement(arg(1));
    }
    return c;
}

String ShellMenu_Command() { return L"\"" + Prog_FullName() + L"\" \"1\" \"%1\""; }
