// The built dolv.exe: its resources as Windows reads them, and a clean start
// and end.
#include "Handles.h"
#include "TestSupport.h"

#include <shellapi.h>

namespace {

String DolvExe()
{
    wchar_t me[MAX_PATH];
    GetModuleFileNameW(nullptr, me, MAX_PATH);
    String dir = ExtractFilePath(me);  // ...\build\tests\ -> ...\build\dolv.exe
    return ExtractFilePath(ExcludeTrailingPathDelimiter(dir)) + L"dolv.exe";
}

TEST(Program, CarriesVersionManifestAndIcon)
{
    String exe = DolvExe();
    DWORD size = GetFileVersionInfoSizeW(exe.c_str(), nullptr);
    ASSERT_GT(size, 0u) << N(exe);
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoW(exe.c_str(), 0, size, block.data()));
    for (auto [name, expected] : {std::pair{L"ProductName", "Dolv"}, std::pair{L"ProductVersion", "2021.11"}}) {
        wchar_t* value = nullptr;
        UINT len = 0;
        VerQueryValueW(block.data(), (String(L"\\StringFileInfo\\040904B0\\") + name).c_str(), (void**)&value, &len);
        EXPECT_EQ(N(value ? value : L"<none>"), expected) << N(name);
    }

    HMODULE image = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(image, nullptr);
    HRSRC manifest = FindResourceW(image, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
    ASSERT_NE(manifest, nullptr);
    std::string text((const char*)LockResource(LoadResource(image, manifest)), SizeofResource(image, manifest));
    FreeLibrary(image);
    for (const char* part : {"Microsoft.Windows.Common-Controls", "version=\"6.0.0.0\"", "asInvoker", "dpiAware"})
        EXPECT_NE(text.find(part), std::string::npos) << part;
    EXPECT_GE((UINT_PTR)ExtractIconW(GetModuleHandleW(nullptr), exe.c_str(), (UINT)-1), 1u);
}

TEST(Program, StartsAndEndsCleanly)
{
    String exe = DolvExe(), cmd = L"\"" + exe + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    THandle process(pi.hProcess), thread(pi.hThread);
    DWORD waited = WaitForSingleObject(pi.hProcess, 30000), code = 0;
    if (waited != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 99);
    GetExitCodeProcess(pi.hProcess, &code);
    ASSERT_EQ(waited, WAIT_OBJECT_0) << "dolv.exe did not end within 30 s";
    EXPECT_EQ(code, 0u);
}

}  // namespace
