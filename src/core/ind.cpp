#include "ind.h"

const String Prog_Mail = L"dolv@dolv.example.org";
const String Prog_Sait = L"https://dolv.example.org/";
const String Prog_Name = L"Dolv";
const String Prog_Caption = L"Dolv";

#include <windows.h>

String Prog_FullName()
{
    // Grows until the path fits: a program may live deeper than MAX_PATH.
    String path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, path.data(), (DWORD)path.size());
        if (n < path.size()) return path.substr(0, n);
        path.resize(path.size() * 2);
    }
}
