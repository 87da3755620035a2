// File routines that the browser, the clipboard paste, the icon reader and
// the special-iconize list share: folder emptiness, file size, shell
// shortcuts, the shell's own file operation, and the size column's text.
#pragma once

#include "Classes.h"
#include "Handles.h"

#include <shellapi.h>  // the FOF_ flags callers pass

#include <cstdint>
#include <string_view>
#include <vector>

// True when Folder holds any entry besides "." and ".." (hidden and system
// entries count); false for an empty folder or one that cannot be searched.
bool Dir_HasItems(const String& folder);

// One entry of a folder: its name (valid until the next entry is read),
// attributes and size.
struct TFolderEntry {
    std::wstring_view Name;
    DWORD Attributes = 0;
    int64_t Size = 0;
};

// The entries of Folder ("." and ".." included, as the file system gives
// them), read in large batches without the short names the find functions
// make for every entry, which no list shows and which cost the file system
// more than the rest of a big listing. A file system that cannot be read
// that way is read with the find functions. Not Open when the folder cannot
// be listed or gives no entry at all (an empty drive root).
class TFolderEntries {
public:
    explicit TFolderEntries(const String& folder);
    bool Open() const { return fOpen; }
    bool Next(TFolderEntry& entry);

private:
    bool fetch(bool first);
    String fFolder;
    TFileHandle fDir;
    std::vector<char> fBatch;
    size_t fAt = 0;
    bool fInBatch = false, fBatchDone = false;
    bool fOpen = false;
    // The find functions' way, where the batches are refused.
    TFindHandle fFind;
    WIN32_FIND_DATAW fFound{};
    bool fFoundPending = false;
};

// The size of the file (or folder entry) Path names, in bytes; -1 when there
// is none. The whole 64-bit size: a file over 2 GiB must not sort as negative.
int64_t File_GetSize(const String& path);

// The file-system path a shortcut (.lnk) points to; empty when LnkPath is
// not an existing file, cannot be loaded, or points to no file-system item.
// Raises Exception when the shell's link object cannot be made.
String Lnk_GetTarget(const String& lnkPath);

// Makes Folder\<target name without extension>.lnk pointing to Target,
// replacing a file of that name. Nothing is reported.
void Lnk_Create(const String& target, const String& folder, const String& description, const String& arguments);

// Shell operation codes (SHFileOperationW's wFunc) and the flags the program uses.
constexpr UINT kFoMove = 1;
constexpr UINT kFoCopy = 2;
constexpr UINT kFoDelete = 3;
constexpr UINT kFoRename = 4;

// The shell's file operation with its own progress, questions and Recycle
// Bin. From is a double-null source list (missing final nulls are added);
// To a single path. True when the shell reports success and nothing was
// aborted; an empty source list does nothing and gives false.
bool File_Operation(const String& from, const String& to, UINT operation, UINT flags);
// The same, giving the shell's result: 0 when done, ERROR_CANCELLED when
// aborted, else the shell's code (a system error code or one of its own).
int File_Operation_Result(const String& from, const String& to, UINT operation, UINT flags);
bool File_Operation_One(const String& path, const String& to, UINT operation, UINT flags);
// Every non-empty item of Paths, in order (an empty item would end the shell's list early).
bool File_Operation_List(const TStrings& paths, const String& to, UINT operation, UINT flags);

// The size column's text: "N byte" below 1 KiB, tenths of a Mb below 1 MiB
// (never "0<sep>0 Mb"), whole Mb below 1 GiB, tenths of a Gb above, with
// the user's decimal separator.
String Size_ToText(int64_t size);
String Size_ToText(int64_t size, const String& decimalSeparator);
