#include "SpecialLines.h"

#include "xaIconize.h"
#include "xaModulFiles.h"
#include "xaModulPath.h"
#include "xaModulStrings.h"

namespace {
// The dotted extension in the case it was written, or empty.
String dottedExt(const String& path)
{
    String ext = File_Ext(path);
    return ext.empty() ? String() : L"." + ext;
}

bool isDriveRoot(const String& s)
{
    return s.size() >= 2 && s[1] == L':' && (s.size() == 2 || (s.size() == 3 && s[2] == L'\\'));
}
}  // namespace

void Strs_ForSpecial(const TStrings& src, TStrings& dest)
{
    for (int i = 0; i < src.Count(); ++i) {
        String s = src[i];
        if (s.empty()) continue;
        s = AnsiUpperCase(s.substr(0, 1)) + s.substr(1);
        // Extensions are compared without regard to case, as the file system
        // names files: TOOL.EXE is a program all the same, and its type must
        // not get the icon.
        if (AnsiLowerCase(dottedExt(s)) == L".lnk") {
            String target = Lnk_GetTarget(s);
            if (!FileExists(target)) {
                Strs_AddUnique(dest, s, false);
                continue;
            }
            s = target;
        }
        if (isDriveRoot(s) || DirectoryExists(s)) {
            Strs_AddUnique(dest, s, false);
        } else if (FileExists(s)) {
            String ext = dottedExt(s), lower = AnsiLowerCase(ext);
            // A file without an extension has no type to give an icon to.
            if (Iconize_IsFileType(ext) && lower != L".exe" && lower != L".ico" && lower != L".lnk")
                Strs_AddUnique(dest, ext, false);
        }
    }
}
