// Unit IconizeRoad: the one road by which elements get an icon or lose it.
// It alone decides what an element is (a drive root, a folder, a file type,
// or nothing) and which index text the engine writes. The main window,
// special iconize and the command line each go through it with their own
// options and show its results themselves; the road shows nothing.
#pragma once

#include "xaIconize.h"

#include <functional>
#include <vector>

enum class TElementKind { Nothing, Drive, Folder, FileType };

// How a caller wants its elements done. The defaults are the road of special
// iconize and the command line: the index as chosen, every type the engine
// takes, clearing only drives and folders.
struct TIconizeOptions {
    // A folder gets a copy of the icon ("Copy ico to folder").
    bool CopyIco = true;
    // A drive's or a type's registry value names the icon file alone for the
    // file's first icon, as the main window always wrote it; without, the
    // value is "file,index" (and the index -1 alone names the file).
    bool FirstIconAlone = false;
    // Files of type ico are passed over as programs and shortcuts are (the
    // main window); without, the type ico is made to show each file itself.
    bool PassOverIconFiles = false;
    // Clearing an existing file clears its type (the main window); without,
    // files and file types are left alone.
    bool ClearTypes = false;
};

struct TElementResult {
    String Element;  // as given
    TElementKind Kind = TElementKind::Nothing;
    String Name;     // the drive letter, the folder, or the type's extension as written (no dot)
    String Index;    // the index text handed to the engine; empty when nothing was written
    TIconizeResult Outcome{TIconizeWhy::Nothing, String()};
    bool Done() const { return Outcome.Why == TIconizeWhy::Done; }
};

// Whether Text is written as a file type: a dot first and no folder part.
// Whether it is one is Iconize_IsFileType's answer.
bool Iconize_WrittenAsType(const String& text);
// What Element is, the first rule that fits: written as a file type (only a
// real type counts), an existing file (its type, when it has one), a drive
// root (D: or D:\), an existing folder; else nothing. Name as in TElementResult;
// Attributes gets what the file system said of the element (or
// INVALID_FILE_ATTRIBUTES), so that a command need not ask again.
TElementKind Iconize_ElementKind(const String& element, String* name = nullptr, DWORD* attributes = nullptr);

// One element. The index is a text: for a folder it is written as it is
// (the engine refuses what is no whole number); for a drive or a type it is
// converted, and one that is no number raises EConvertError before anything
// is written. A device as the icon file is refused for every kind.
TElementResult Iconize_Element(const String& element, const String& iconFile, const String& index,
                               const TIconizeOptions& options);
// Clears a drive root or a folder (with its hidden copy of the icon), and a
// file's type when the options ask for it.
TElementResult Iconize_Clear_Element(const String& element, const TIconizeOptions& options);

// The lists: each element in order, each result handed to Each as soon as it
// is had (so that what is told comes in the elements' order, before an error
// of a later element stops the list), and the shell told of folders once.
using TElementSeen = std::function<void(size_t position, const TElementResult& result)>;
std::vector<TElementResult> Iconize_Elements(const std::vector<String>& elements, const String& iconFile,
                                             const String& index, const TIconizeOptions& options,
                                             const TElementSeen& each = nullptr);
std::vector<TElementResult> Iconize_Clear_Elements(const std::vector<String>& elements, const TIconizeOptions& options,
                                                   const TElementSeen& each = nullptr);
