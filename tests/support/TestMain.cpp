// The main of every test program. A modal window that no test expects fails
// the running test with its text and is answered at once, so nothing hangs.
#include "TestSupport.h"

#include <objbase.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    OleInitialize(nullptr);
    Modal_SetResponder([](const TModalRequest& r) {
        ADD_FAILURE() << "unexpected modal window " << N(r.Kind) << " \"" << N(r.Caption) << "\": " << N(r.Text);
        TModalAnswer a;
        a.Result = IDCANCEL;
        return a;
    });
    int rc = RUN_ALL_TESTS();
    OleUninitialize();
    return rc;
}
