// Showing the message box with a long text against a short one: the box is
// made, filled, painted on the screen and closed, as a user sees it. A long
// text must not make the program look hung.
//
//   wine build/bench/bench_msgbox.exe [ROUNDS]
#include "ModalHook.h"
#include "xaY.h"

#include <chrono>
#include <cstdio>

namespace {

// Each box is painted once it is up, then closed.
double showMs(const String& text, int rounds)
{
    TModalResponderScope scope([](const TModalRequest&) {
        TModalAnswer a;
        a.Drive = [](HWND w) {
            RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            PostMessageW(w, WM_CLOSE, 0, 0);
        };
        return a;
    });
    auto t0 = std::chrono::steady_clock::now();
    for (int r = 0; r < rounds; ++r) Y_Show(text, L"", clYError, false);
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count() / rounds;
}

// Lines of words, as a list of files in a message, to Length characters.
String lines(size_t length)
{
    String s;
    for (int i = 0; s.size() < length; ++i) s += L"C:\\Users\\Someone\\Documents\\Folder " + IntToStr(i) + L"\\file.txt\r\n";
    s.resize(length);
    return s;
}

// One unbroken path, as a message naming a very long path.
String onePath(size_t length)
{
    String s = L"Language file not found:\r\n";
    for (int i = 0; s.size() < length; ++i) s += L"\\folder" + IntToStr(i);
    s.resize(length);
    return s;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    int rounds = argc > 1 ? _wtoi(argv[1]) : 5;
    if (rounds < 1) rounds = 1;
    showMs(L"warm up", 1);
    struct {
        const char* name;
        String (*make)(size_t);
    } kinds[] = {{"lines", lines}, {"path", onePath}};
    std::printf("%-6s %10s %10s\n", "text", "200 ch ms", "20000 ch ms");
    double ratios[2];
    for (int k = 0; k < 2; ++k) {
        double shortMs = showMs(kinds[k].make(200), rounds);
        double longMs = showMs(kinds[k].make(20000), rounds);
        std::printf("%-6s %10.1f %10.1f\n", kinds[k].name, shortMs, longMs);
        ratios[k] = shortMs > 0 ? longMs / shortMs : 0;
    }
    std::printf("ratio msgbox_lines_20k_vs_200 %.2f 3\n", ratios[0]);
    std::printf("ratio msgbox_path_20k_vs_200 %.2f 3\n", ratios[1]);
    return 0;
}
