// Showing the message box with a long text (20,000 characters) against one of
// 2,000: the box is made, filled, painted on the screen and closed, as a user
// sees it. A long text must not make the program look hung. The shorter text
// is long enough that its own time, not the machine's moments, sets the ratio.
//
//   wine build/bench/bench_msgbox.exe [ROUNDS]
#include "ModalHook.h"
#include "xaY.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

// The time of one box, as the user meets it: made, filled, on the screen with
// its text, frame and scroll bar painted and nothing left in the queue, then
// closed.
double showMs(const String& text)
{
    TModalResponderScope scope([](const TModalRequest&) {
        TModalAnswer a;
        a.Drive = [](HWND w) {
            Application.ProcessMessages();
            RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
            Application.ProcessMessages();
            PostMessageW(w, WM_CLOSE, 0, 0);
        };
        return a;
    });
    auto t0 = std::chrono::steady_clock::now();
    Y_Show(text, L"", clYError, false);
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Lines of words, as a list of files in a message, to Length characters.
String lines(size_t length)
{
    String s;
    for (int i = 0; s.size() < length; ++i) s += L"C:\\Users\\Someone\\Documents\\Folder " + IntToStr(i) + L"\\file.txt\r\n";
    s.resize(length);
    return s;
}

// A message naming a very deep path: no space to break a line at.
String onePath(size_t length)
{
    static const wchar_t* const names[] = {L"Users", L"Someone", L"AppData", L"Roaming", L"Dolv",
                                           L"Language", L"Archive2021", L"Backups", L"Old"};
    String s = L"Language file not found:\r\nC:";
    for (int i = 0; s.size() < length; ++i) s += String(L"\\") + names[i % 9];
    s.resize(length);
    return s;
}

// One unbroken word, the hardest text to wrap.
String oneWord(size_t length) { return String(length, L'x'); }

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    int rounds = argc > 1 ? _wtoi(argv[1]) : 15;
    if (rounds < 1) rounds = 1;
    for (int i = 0; i < 3; ++i) showMs(L"warm up");
    struct {
        const char* name;
        String (*make)(size_t);
    } kinds[] = {{"lines", lines}, {"path", onePath}, {"word", oneWord}};
    std::printf("%-6s %12s %12s   (median of %d, ms)\n", "text", "2000 ch", "20000 ch", rounds);
    double ratios[3];
    for (int k = 0; k < 3; ++k) {
        // Short and long in turn, each going first every other round, so
        // that both see the same machine.
        std::vector<double> shortMs, longMs;
        for (int r = 0; r < rounds; ++r) {
            if (r % 2) longMs.push_back(showMs(kinds[k].make(20000)));
            shortMs.push_back(showMs(kinds[k].make(2000)));
            if (r % 2 == 0) longMs.push_back(showMs(kinds[k].make(20000)));
        }
        std::printf("%-6s %12.1f %12.1f\n", kinds[k].name, median(shortMs), median(longMs));
        ratios[k] = median(longMs) / std::max(median(shortMs), 0.001);
    }
    for (int k = 0; k < 3; ++k) std::printf("ratio msgbox_%s_20k_vs_2000 %.2f 3\n", kinds[k].name, ratios[k]);
    return 0;
}
