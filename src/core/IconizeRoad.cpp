#include "IconizeRoad.h"

#include "xaModulPath.h"

namespace {
// The letter of a drive root "D:" or "D:\"; 0 for anything else. A UNC share
// root is not a drive: it has no letter to key the registry by.
wchar_t driveRootLetter(const String& element)
{
    if ((element.size() == 2 || (element.size() == 3 && element[2] == L'\\')) && element[1] == L':' &&
        IsCharAlphaW(element[0]))
        return element[0];
    return 0;
}

TElementResult outcome(TElementResult r, TIconizeWhy why, const String& text = String())
{
    r.Outcome = {why, text};
    return r;
}

// The index a drive's or a type's registry value is written with.
int registryIndex(const String& index, const TIconizeOptions& options)
{
    int n = StrToInt(index);
    return options.FirstIconAlone && n == 0 ? -1 : n;
}

template <class Step>
std::vector<TElementResult> eachElement(const std::vector<String>& elements, const TElementSeen& each, Step step)
{
    TIconizeNoticeBatch notices;
    std::vector<TElementResult> results;
    results.reserve(elements.size());
    for (const String& element : elements) {
        results.push_back(step(element));
        if (each) each(results.size() - 1, results.back());
    }
    return results;
}
}  // namespace

bool Iconize_WrittenAsType(const String& text)
{
    return !text.empty() && text[0] == L'.' && text.find_first_of(L"\\/") == String::npos;
}

TElementKind Iconize_ElementKind(const String& element, String* name, DWORD* attributes)
{
    if (attributes) *attributes = INVALID_FILE_ATTRIBUTES;
    String found;
    TElementKind kind = TElementKind::Nothing;
    auto is = [&](TElementKind k, const String& n) {
        kind = k;
        found = n;
    };
    if (Iconize_WrittenAsType(element)) {
        // ".." or "." would be another type's class or the class ".": no type.
        if (Iconize_IsFileType(element)) is(TElementKind::FileType, element.substr(1));
    } else {
        // Asked once whether it is a file or a folder: a command on a
        // thousand folders asks a thousand times. A device is no file.
        DWORD a = element.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(element.c_str());
        if (attributes) *attributes = a;
        bool there = a != INVALID_FILE_ATTRIBUTES, folder = there && (a & FILE_ATTRIBUTE_DIRECTORY);
        if (there && !folder && !FileIsDevice(element)) {
            // A file without an extension has no type to decorate.
            if (Iconize_IsFileType(L"." + File_Ext(element))) is(TElementKind::FileType, File_Ext(element));
        } else if (wchar_t letter = driveRootLetter(element)) {
            is(TElementKind::Drive, String(1, letter));
        } else if (folder) {
            is(TElementKind::Folder, element);
        }
    }
    if (name) *name = found;
    return kind;
}

TElementResult Iconize_Element(const String& element, const String& iconFile, const String& index,
                               const TIconizeOptions& options)
{
    TElementResult r;
    r.Element = element;
    if (element.empty()) return r;
    r.Kind = Iconize_ElementKind(element, &r.Name);
    // A device is no icon file, for a type or a drive either: the shell would
    // open it each time it draws one of their elements.
    if (FileIsDevice(iconFile))
        return outcome(r, TIconizeWhy::NoIcon, String(Iconize_Msg_NoIcon) + L"\r\n" + iconFile);
    if (r.Kind == TElementKind::FileType && options.PassOverIconFiles && AnsiLowerCase(r.Name) == L"ico")
        return outcome(r, TIconizeWhy::PassedOver);
    int n = 0;
    if (r.Kind == TElementKind::FileType || r.Kind == TElementKind::Drive) {
        n = registryIndex(index, options);
        r.Index = IntToStr(n);
    }
    switch (r.Kind) {
    case TElementKind::FileType:
        // Programs and shortcuts each show an icon of their own: the engine passes their types over.
        if (Iconize_Ext(r.Name, iconFile, n)) return outcome(r, TIconizeWhy::Done);
        r.Index.clear();
        return outcome(r, TIconizeWhy::PassedOver);
    case TElementKind::Drive:
        Iconize_Drive(r.Name, iconFile, n);
        return outcome(r, TIconizeWhy::Done);
    case TElementKind::Folder:
        r.Index = index;
        r.Outcome = Iconize_Folder(element, iconFile, index, options.CopyIco);
        return r;
    case TElementKind::Nothing: break;
    }
    if (Iconize_WrittenAsType(element)) return outcome(r, TIconizeWhy::Refused, L"Not a file type:\r\n" + element);
    return outcome(r, FileExists(element) ? TIconizeWhy::PassedOver : TIconizeWhy::Nothing);
}

TElementResult Iconize_Clear_Element(const String& element, const TIconizeOptions& options)
{
    TElementResult r;
    r.Element = element;
    DWORD attributes;
    r.Kind = Iconize_ElementKind(element, &r.Name, &attributes);
    switch (r.Kind) {
    case TElementKind::Drive: r.Outcome = Iconize_Clear_Drive(r.Name); return r;
    case TElementKind::Folder: r.Outcome = Iconize_Clear_Folder(element, true, attributes); return r;
    case TElementKind::FileType:
        if (!options.ClearTypes) return outcome(r, TIconizeWhy::PassedOver);
        r.Outcome = Iconize_Clear_Ext(r.Name);
        return r;
    case TElementKind::Nothing: break;
    }
    return outcome(r, FileExists(element) ? TIconizeWhy::PassedOver : TIconizeWhy::Nothing);
}

std::vector<TElementResult> Iconize_Elements(const std::vector<String>& elements, const String& iconFile,
                                             const String& index, const TIconizeOptions& options,
                                             const TElementSeen& each)
{
    return eachElement(elements, each,
                       [&](const String& element) { return Iconize_Element(element, iconFile, index, options); });
}

std::vector<TElementResult> Iconize_Clear_Elements(const std::vector<String>& elements, const TIconizeOptions& options,
                                                   const TElementSeen& each)
{
    return eachElement(elements, each, [&](const String& element) { return Iconize_Clear_Element(element, options); });
}
