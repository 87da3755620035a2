// Paths, path macros and file names. Plain routines on strings: every stored
// path goes through Path_Expand on its way in and Path_Collapse on its way out.
#pragma once

#include "SysUtils.h"

// True when Path names its place by itself: it holds a colon (a drive) or
// begins with two backslashes (a network share, \\server\share). Any other
// path, one with a single leading backslash included, is relative to the
// program folder.
bool Path_IsFull(const String& path);
// The real path of a stored path: "%Desktop", "%exe", "%ProgDir", "%AppDir" or
// environment variables in the first component; a path that is not full is
// relative to the program folder; ".." steps are carried out. With OldBase
// given, a leading OldBase is replaced by NewBase instead of the macros.
String Path_Expand(const String& path, const String& oldBase = L"", const String& newBase = L"");
// Path with a leading program folder replaced by Macro ("%exe" or empty).
String Path_Collapse(const String& path, const String& macro);
// True when Path begins with Base (case-insensitive, trailing backslashes
// ignored); Rest receives what follows Base.
bool Path_IsUnder(const String& base, const String& path, String& rest);
String Path_Rebase(const String& path, const String& oldBase, const String& newBase);
// Carries out ".." steps. Only a whole component ".." is a step: a name such
// as "b..c.txt" is a name.
String Path_ResolveDots(const String& path);
// The folder part; Name receives the last component.
String Path_Split(const String& path, String& name, bool withDelimiter);
String Path_Parent(const String& path, bool withDelimiter);

// The file-system path of a shell special folder (CSIDL), without trailing
// backslash; empty when it cannot be resolved.
String SpecialFolder_Path(int csidl);
String Desktop_Path();
// The running program's folder, always with a trailing backslash.
String Prog_Dir();
String Settings_FileName();

// The extension without its dot, letter case kept; empty when there is none.
String File_Ext(const String& path);
// The file name part without its dotted extension.
String File_NameNoExt(const String& path);
// Two names (or extensions) the file system takes for one: equal but for
// letter case, character by character. The locale's comparison is no such
// test: it takes "strasse" for "stra\u00DFe" and passes over a soft hyphen.
bool File_SameName(const String& a, const String& b);

// Lets tests see the routines with another program folder. While an object
// lives, Prog_Dir (and everything built on it) answers Dir; the running
// program itself never creates one.
class TProgDirOverride {
public:
    explicit TProgDirOverride(const String& dir);
    ~TProgDirOverride();
    TProgDirOverride(const TProgDirOverride&) = delete;
    TProgDirOverride& operator=(const TProgDirOverride&) = delete;

private:
    String fPrevious;
};

// The size of the buffer the environment expansion of Path_Expand may use.
constexpr int kPathEnvBuffer = 256;
