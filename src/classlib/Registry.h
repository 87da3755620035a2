// TRegistry: one open key at a time under a chosen root, as the system's
// units use it. Key paths that begin with a backslash are taken from the root;
// others from the open key, or from the root when none is open.
#pragma once

#include "Handles.h"
#include "SysUtils.h"

class ERegistryException : public Exception {
public:
    using Exception::Exception;
};

class TRegistry {
public:
    explicit TRegistry(REGSAM access = KEY_ALL_ACCESS) : Access(access) {}
    ~TRegistry() { CloseKey(); }
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    HKEY RootKey = HKEY_CURRENT_USER;  // setting it closes nothing; set it before opening
    REGSAM Access;
    HKEY CurrentKey() const { return fCurrentKey.Get(); }
    const String& CurrentPath() const { return fCurrentPath; }

    // Opens Key (creating it and its parents when CanCreate); false when it fails.
    bool OpenKey(const String& key, bool canCreate);
    bool OpenKeyReadOnly(const String& key);
    void CloseKey();
    // Creates the key; raises "Failed to create key %s" when it cannot.
    bool CreateKey(const String& key);
    // Deletes the key with all its subkeys; false when it did not exist or failed.
    bool DeleteKey(const String& key);
    bool KeyExists(const String& key);
    bool ValueExists(const String& name) const;
    bool DeleteValue(const String& name);

    // A missing value reads as empty; a value of another type than a string
    // raises "Invalid data type for '%s'". Expandable strings are returned as stored.
    String ReadString(const String& name) const;
    // Raises "Failed to set data for '%s'" when no key is open or the write fails.
    void WriteString(const String& name, const String& value);

private:
    THKey fCurrentKey;
    String fCurrentPath;
    HKEY baseFor(const String& key, String& rel) const;
};

// Deletes Key under Parent with every subkey, without relying on RegDeleteTree.
LONG Reg_DeleteTree(HKEY parent, const String& key);
