#include "TestSupport.h"

#include <atomic>

std::string N(const String& s) { return ToUtf8(s); }

TTempDir::TTempDir()
{
    static std::atomic<unsigned> counter{0};
    wchar_t tmp[MAX_PATH + 1];
    DWORD n = GetTempPathW(MAX_PATH + 1, tmp);
    String base = n ? String(tmp, n) : String(L"C:\\");
    for (;;) {
        fPath = IncludeTrailingPathDelimiter(base) +
                Format(L"dolv-test-%lu-%u", GetCurrentProcessId(), counter++);
        if (CreateDirectoryW(fPath.c_str(), nullptr)) break;
        if (GetLastError() != ERROR_ALREADY_EXISTS) {
            ADD_FAILURE() << "cannot create " << N(fPath);
            break;
        }
    }
}

TTempDir::~TTempDir() { RemoveTree(fPath); }

void RemoveTree(const String& path)
{
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((path + L"\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            String name = fd.cFileName;
            if (name == L"." || name == L"..") continue;
            String full = path + L"\\" + name;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(full);
            } else {
                SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(full.c_str());
            }
        } while (FindNextFileW(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryW(path.c_str());
}

void WriteFileBytes(const String& path, const std::string& bytes)
{
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << "cannot create " << N(path);
    DWORD put = 0;
    WriteFile(h, bytes.data(), (DWORD)bytes.size(), &put, nullptr);
    CloseHandle(h);
    ASSERT_EQ(put, bytes.size());
}

std::string ReadFileBytes(const String& path)
{
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return {};
    std::string r;
    char buf[65536];
    DWORD got;
    while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got) r.append(buf, got);
    CloseHandle(h);
    return r;
}

DWORD Attributes(const String& path) { return GetFileAttributesW(path.c_str()); }

TModalRecorder::TModalRecorder(int result)
{
    fPrevious = Modal_SetResponder([this, result](const TModalRequest& r) {
        Seen.push_back(r);
        TModalAnswer a;
        a.Result = result;
        return a;
    });
}

TModalRecorder::~TModalRecorder() { Modal_SetResponder(std::move(fPrevious)); }

void InOwnProcess(void (*body)())
{
    EXPECT_EXIT(
        {
            body();
            // The child's failures reach the parent as its error output.
            const auto& result = *::testing::UnitTest::GetInstance()->current_test_info()->result();
            for (int i = 0; i < result.total_part_count(); ++i) fprintf(stderr, "%s\n", result.GetTestPartResult(i).message());
            exit(result.Failed() ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), "");
}
