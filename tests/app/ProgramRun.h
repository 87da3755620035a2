// The built dolv.exe started from a copy of its folder, its windows seen and
// closed from outside.
#pragma once

#include "TestSupport.h"

#include <functional>

String DolvExe();

// The program's folder as a user has it: dolv.exe, an icon, a folder "test".
struct TProgFolder {
    TTempDir Dir;
    TProgFolder();
    String Settings() const { return Dir / L"settings.ini"; }
};

struct TRunResult {
    DWORD Code = 99;
    std::vector<String> Windows;  // captions of the windows it showed, in order
};

// Runs dolv.exe with Args; every window it shows is recorded, handed to
// OnWindow and closed. Ends it (a failure) when it runs past 30 s.
TRunResult RunDolv(const TProgFolder& prog, const String& args, const std::function<void(HWND)>& onWindow = nullptr);
