// Shared by every test program: the modal responder that fails a test when an
// unexpected modal window appears, temporary folders, and small file helpers.
#pragma once

#include "ModalHook.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Prints a wide string in gtest messages.
std::string N(const String& s);

// A fresh folder under the prefix's temporary folder, deleted with everything
// in it (attributes cleared first) when the object goes.
class TTempDir {
public:
    TTempDir();
    ~TTempDir();
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;
    const String& Path() const { return fPath; }      // without trailing backslash
    String operator/(const String& name) const { return fPath + L"\\" + name; }

private:
    String fPath;
};

void RemoveTree(const String& path);
// Runs Body in a child process (a death test) and fails when the child's
// checks failed, with their messages: for tests that change what the whole
// process holds, such as the language texts.
void InOwnProcess(void (*body)());
void WriteFileBytes(const String& path, const std::string& bytes);
std::string ReadFileBytes(const String& path);
DWORD Attributes(const String& path);

// Records every modal window that reaches the door and answers it with Result.
class TModalRecorder {
public:
    explicit TModalRecorder(int result = IDOK);
    ~TModalRecorder();
    TModalRecorder(const TModalRecorder&) = delete;
    TModalRecorder& operator=(const TModalRecorder&) = delete;
    std::vector<TModalRequest> Seen;

private:
    TModalResponder fPrevious;
};
