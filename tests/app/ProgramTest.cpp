// The built dolv.exe: its resources as Windows reads them, and a clean start
// and end.
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

String VersionString(const std::vector<char>& block, const wchar_t* name)
{
    wchar_t* value = nullptr;
    UINT len = 0;
    String query = String(L"\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueW(block.data(), query.c_str(), (void**)&value, &len) || !value) return L"<none>";
    return String(value);
}

TEST(Program, CarriesVersionManifestAndIcon)
{
    String exe = DolvExe();
    ASSERT_TRUE(FileExists(exe)) << N(exe);
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeW(exe.c_str(), &handle);
    ASSERT_GT(size, 0u);
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoW(exe.c_str(), 0, size, block.data()));
    EXPECT_EQ(N(VersionString(block, L"ProductName")), "Dolv");
    EXPECT_EQ(N(VersionString(block, L"ProductVersion")), "2021.11");
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT len = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", (void**)&fixed, &len));
    EXPECT_EQ(HIWORD(fixed->dwProductVersionMS), 2021u);
    EXPECT_EQ(LOWORD(fixed->dwProductVersionMS), 11u);

    HMODULE image = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(image, nullptr);
    HRSRC manifest = FindResourceW(image, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
    ASSERT_NE(manifest, nullptr);
    std::string text((const char*)LockResource(LoadResource(image, manifest)), SizeofResource(image, manifest));
    EXPECT_NE(text.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(text.find("version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(text.find("asInvoker"), std::string::npos);
    EXPECT_NE(text.find("dpiAware"), std::string::npos);
    FreeLibrary(image);

    EXPECT_GE((UINT_PTR)ExtractIconW(GetModuleHandleW(nullptr), exe.c_str(), (UINT)-1), 1u);
}

TEST(Program, StartsAndEndsCleanly)
{
    String exe = DolvExe();
    String cmd = L"\"" + exe + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    DWORD waited = WaitForSingleObject(pi.hProcess, 30000);
    if (waited != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 99);
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    ASSERT_EQ(waited, WAIT_OBJECT_0) << "dolv.exe did not end within 30 s";
    EXPECT_EQ(code, 0u);
}

}  // namespace
