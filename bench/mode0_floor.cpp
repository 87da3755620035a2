// The floor the program's mode 0 is measured against: a windowless program
// that iconizes one folder with the same guarantees and tells the shell with
// the same notices, and nothing else.
//
//   mode0_floor.exe 0 FOLDER ICON INDEX COPY   (the arguments of dolv.exe's mode 0)
#include "LeanIconize.h"

#include <shellapi.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc < 6) return 2;
    std::wstring folder = argv[2], icon = argv[3];
    DWORD a = GetFileAttributesW(folder.c_str());
    if (a == INVALID_FILE_ATTRIBUTES || !(a & FILE_ATTRIBUTE_DIRECTORY) ||
        GetFileAttributesW(icon.c_str()) == INVALID_FILE_ATTRIBUTES)
        return 1;
    bool done = Lean_IconizeFolder(folder, icon, argv[4], argv[5][0] != L'0');
    Lean_Notices();
    return done ? 0 : 1;
}
