// Shared by the engine's tests: a recorder of shell change notifications, a
// snapshot of registry keys a test touches, and a folder with icon sources.
#pragma once

#include "TestSupport.h"
#include "xaIconize.h"

#include <shellapi.h>

struct TNotice {
    LONG Event;
    UINT Flags;
    String Item;  // the first item as UTF-16 text, "" for none
};

// Replaces the engine's notification and attribute doors while it lives; the
// attribute writes are still made.
class TNoticeRecorder {
public:
    TNoticeRecorder();
    ~TNoticeRecorder();
    std::vector<TNotice>& Seen();
    // The attributes the engine last gave Path, else what the file system says
    // (Wine drops a folder's read-only mark, so only the door shows it).
    DWORD Marks(const String& path);
};

// Remembers keys a test touches, each with everything under it, and puts them
// back as they were whatever the test's outcome: values and subkeys made since
// go, changed values get their old data back, and a key that was missing goes
// together with the parents that were missing with it (writing a key makes
// them). A key that cannot be put back fails the running test.
class TRegSnapshot {
public:
    TRegSnapshot(HKEY root, std::vector<String> keys);
    ~TRegSnapshot();
    TRegSnapshot(const TRegSnapshot&) = delete;
    TRegSnapshot& operator=(const TRegSnapshot&) = delete;

    struct TValue {
        String Name;
        DWORD Type;
        std::vector<BYTE> Data;
    };
    struct TTree {
        std::vector<TValue> Values;
        std::vector<std::pair<String, TTree>> Keys;
    };

private:
    struct Entry {
        String Key;
        String Top;  // the highest of the key and its parents that was missing; "" when the key existed
        TTree Saved;
    };
    HKEY fRoot;
    std::vector<Entry> fEntries;
};

// While it lives, the existing Key lets everyone read it and change its
// security, and nothing more, as another user's or the machine's key would:
// the registry then refuses a write with ERROR_ACCESS_DENIED. Its own
// security comes back at the end, whatever the test's outcome; declare it
// after the snapshot that deletes the key. Allowed 0 closes it to reading too.
class TRegReadOnly {
public:
    TRegReadOnly(HKEY root, const String& key, REGSAM allowed = KEY_READ);
    ~TRegReadOnly();
    TRegReadOnly(const TRegReadOnly&) = delete;
    TRegReadOnly& operator=(const TRegReadOnly&) = delete;
    // Whether a write to the key is refused now.
    bool Refuses() const;

private:
    HKEY fRoot;
    String fPath;
    HKEY fKey = nullptr;  // held with the right to put the security back
    std::vector<BYTE> fOld;
};

bool RegKeyExists(HKEY root, const String& key);
// The default (or named) string value of a key; "<none>" when key or value is missing.
String RegValue(HKEY root, const String& key, const String& name = L"");
void RegSetValue(HKEY root, const String& key, const String& name, const String& value, DWORD type = REG_SZ);
void RegDeleteTreeQuiet(HKEY root, const String& key);

// A minimal valid .ico file (one 16x16 32-bit image).
std::string TinyIco(unsigned char shade = 0x40);
// A module of icons File: a copy of a system module without any, given one
// TinyIco icon per entry (its resource number, its shade), in that order.
// False when the platform would not write them.
bool WriteIconModule(const String& file, std::initializer_list<std::pair<WORD, unsigned char>> icons);

// Reads a profile value with the platform's own function.
String IniValue(const String& file, const String& section, const String& key);

// A file of the system folder, e.g. SystemFile(L"shell32.dll").
String SystemFile(const String& name);

