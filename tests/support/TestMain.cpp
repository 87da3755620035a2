// The main of every test program. A modal window that no test expects fails
// the running test with its text and is answered at once, so nothing hangs;
// a test that still does not end (a wait without a limit, a loop that never
// ends) ends the program with its name long before CTest's 300 s, and so does
// a crash, before the platform's debugger can take the process (and hold
// CTest's pipe open) instead.
#include "TestSupport.h"

#include <objbase.h>

#include <atomic>
#include <cstdio>

namespace {
constexpr DWORD kTestLimitMs = 90000;
// The tick the running test began at, made odd so that 0 means none; read as
// a signed difference, the tick it was rounded up from is no wrap.
std::atomic<DWORD> gStarted{0};
char gName[512];

struct TWatch : ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo& t) override
    {
        std::snprintf(gName, sizeof gName, "%s.%s", t.test_suite_name(), t.name());
        gStarted = GetTickCount() | 1;
    }
    void OnTestEnd(const ::testing::TestInfo&) override { gStarted = 0; }
};

DWORD WINAPI watch(void*)
{
    for (HANDLE never = CreateEventW(nullptr, TRUE, FALSE, nullptr);; WaitForSingleObject(never, 1000)) {
        DWORD started = gStarted;
        if (started && (LONG)(GetTickCount() - started) > (LONG)kTestLimitMs) {
            std::fprintf(stderr, "[  FAILED  ] %s did not end within %lu s: a wait without a limit?\n", gName,
                         kTestLimitMs / 1000);
            std::fflush(stderr);
            TerminateProcess(GetCurrentProcess(), 3);
        }
    }
}
LONG WINAPI crashed(EXCEPTION_POINTERS* e)
{
    std::fprintf(stderr, "[  FAILED  ] %s crashed: exception %08lX at %p\n", gName, e->ExceptionRecord->ExceptionCode,
                 e->ExceptionRecord->ExceptionAddress);
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
    return EXCEPTION_EXECUTE_HANDLER;
}
}  // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    SetUnhandledExceptionFilter(crashed);
    OleInitialize(nullptr);
    Modal_SetResponder([](const TModalRequest& r) {
        ADD_FAILURE() << "unexpected modal window " << N(r.Kind) << " \"" << N(r.Caption) << "\": " << N(r.Text);
        TModalAnswer a;
        a.Result = IDCANCEL;
        return a;
    });
    ::testing::UnitTest::GetInstance()->listeners().Append(new TWatch);
    CloseHandle(CreateThread(nullptr, 0, watch, nullptr, 0, nullptr));
    int rc = RUN_ALL_TESTS();
    OleUninitialize();
    return rc;
}
