#pragma once
#include <windows.h>
#include <cstdio>
inline void TMARK(const char* what)
{
    static FILE* f = _wfopen(L"C:\\dolv_times.txt", L"a");
    FILETIME c, e, k, u, now;
    GetProcessTimes(GetCurrentProcess(), &c, &e, &k, &u);
    GetSystemTimePreciseAsFileTime(&now);
    ULARGE_INTEGER a{{c.dwLowDateTime, c.dwHighDateTime}}, b{{now.dwLowDateTime, now.dwHighDateTime}};
    if (f) { fprintf(f, "%7.1f %s\n", (b.QuadPart - a.QuadPart) / 10000.0, what); fflush(f); }
}
