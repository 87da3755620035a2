// Unit xaIconize: the iconize engine. Gives folders (Desktop.ini), drives and
// file types (registry DefaultIcon) a custom icon and takes it away again;
// reads back the icon an element shows. Plain routines without state.
#pragma once

#include "ImgList.h"
#include "SysUtils.h"
#include "xaIconizeDoors.h"

#include <shlobj.h>

// What the engine made of one element: done, or why not, with the text the
// user is told (empty when nothing is told). The engine shows nothing itself:
// the caller's reporter shows the text, so that a command over many elements
// can tell its successes from its failures.
enum class TIconizeWhy {
    Done,
    Nothing,        // no element there to give an icon to: passed over silently
    PassedOver,     // a kind left alone on purpose (programs, shortcuts, a file without type)
    NoFolder,       // Iconize_Msg_NoFolder and the folder
    NoIcon,         // Iconize_Msg_NoIcon and the icon file
    NoFolderClear,  // Iconize_Msg_NoFolderClear and the folder
    Refused,        // anything else the engine would not do (bad index, unreadable or unwritable files, no file type)
};
struct TIconizeResult {
    TIconizeWhy Why = TIconizeWhy::Done;
    String Text;
    explicit operator bool() const { return Why == TIconizeWhy::Done; }
};

// Folders ------------------------------------------------------------------

// Gives Folder the icon IconFile,Index. With CopyIco the source is copied into
// the folder as a hidden Desktop.ico; without it an .ico or .bmp source is
// copied under its own name. Not done when the folder or the icon file is
// missing, the index is no whole number, or a file could not be read or
// written; the folder is then left as it was.
TIconizeResult Iconize_Folder(const String& folder, const String& iconFile, const String& index, bool copyIco);
// Removes the folder's custom icon, keeping every line of Desktop.ini that is
// not ours; with DeleteCopy also the hidden copy that Desktop.ini names by a
// bare .ico or .bmp name. NoFolderClear for a missing folder; a failed write
// raises "Unable to write to %s". Attributes are the folder's when the
// caller has just read them (a command on a thousand folders then asks the
// file system a thousand times less).
TIconizeResult Iconize_Clear_Folder(const String& folder, bool deleteCopy,
                                    DWORD attributes = INVALID_FILE_ATTRIBUTES);
// The folder's present icon from its Desktop.ini; true only when the file
// exists. An index that is no number leaves IconIndex as it was.
bool Iconize_Get_Folder(const String& folder, String& iconFile, int& iconIndex);

// While one lives, the folder routines' shell notices wait and go once, when
// the outermost one ends: every folder sends the same series, which names no
// folder, so a command over many folders tells the shell once, not per folder.
class TIconizeNoticeBatch {
public:
    TIconizeNoticeBatch();
    ~TIconizeNoticeBatch();
    TIconizeNoticeBatch(const TIconizeNoticeBatch&) = delete;
    TIconizeNoticeBatch& operator=(const TIconizeNoticeBatch&) = delete;
};

// Drives and file types ------------------------------------------------------

// Whether Text is a file type: a dot and an extension that a file name can
// end in (no \ / : * ? " < > |, no control character, no further dot, not
// ending in a blank). Every decision whether something is a type is this one:
// anything else would make a class key no file ever has, or another's ("..").
bool Iconize_IsFileType(const String& text);

void Iconize_Drive(const String& letter, const String& iconFile, int index);
// Takes the drive's custom icon away, whoever set it; where iconize recorded
// the value its own icon replaced, that value comes back instead. Done also
// when there was no icon to take; Refused, with the key and the registry's
// reason, when the icon stays.
TIconizeResult Iconize_Clear_Drive(const String& letter);
// False, writing nothing, for what is no file type and for the program and
// shortcut types, whose files each show an icon of their own. Ext with or
// without its dot.
bool Iconize_Ext(const String& ext, const String& iconFile, int index);
// Takes iconize's own icon away from the type, as Iconize_Clear_Drive does;
// PassedOver for what Iconize_Ext writes nothing to (and for ico, whose files
// show themselves).
TIconizeResult Iconize_Clear_Ext(const String& ext);

// The icon reference text of a DefaultIcon value: the path alone for index -1,
// else "path,index".
String Iconize_IconText(const String& iconFile, int index);

// The registry key, under HKEY_CURRENT_USER, that holds a type's user choice.
String Iconize_FileExtsKey(const String& ext);
// The class the user chose for the type (its UserChoice "Progid"); empty when none.
String Iconize_UserChoice(const String& ext);

// Reading an element's icon ---------------------------------------------------

// The icon an element shows, as an icon file and index: a folder's Desktop.ini,
// a shortcut's target (one level), an .ico, .exe, .dll or .icl itself, else
// its file type's DefaultIcon. False when there is none (outputs kept, except
// for a type without icon: empty and 0).
bool Iconize_Get_Element(const String& element, String& iconFile, int& iconIndex);
// The DefaultIcon of a type (extension without dot, lower case), the user's
// chosen class first; true when a value was found, whether its file exists or not.
bool Iconize_Get_Ext(const String& ext, String& iconFile, int& iconIndex);

// System image list and icon files -------------------------------------------

// The index of Path's icon in the shell's system image list; an .ico file
// whose icon directory does not fit its contents gets its type's icon.
int Ico_GetSysIndex(const String& path);
// The index in the shell's system image list of the icon at a location: an
// icon file and an index as an icon reference gives them (a negative index
// is a resource number). The shell adds a picture it has not got yet to
// every list it keeps. -1 when the file gives no such icon.
int Ico_GetIconSysIndex(const String& iconFile, int iconIndex);
// The index of the icon the shell shows for a file named Name, or for a
// folder, by its type alone: the file system is not asked.
int Ico_GetTypeSysIndex(const String& name, bool folder);
// Whether files of type Ext (without dot) may each show an icon of their own
// (an icon file, a program, a shortcut) rather than their type's icon.
bool Ico_TypeIconPerFile(const String& ext);
// Whether a folder with these attributes may show an icon of its own: the
// shell reads a folder's Desktop.ini only when it is read-only or system.
bool Ico_FolderIconPerFolder(DWORD attributes);
// Makes List refer to (never own) the shell's small or large system image list.
void ImageList_AttachSys(TImageList& list, bool small);
// Replaces List's images by every icon of File, image i being icon i (one that
// cannot be read is an empty image); a missing file changes nothing.
// A file whose icon directories do not fit its contents leaves List empty and
// gives false, after telling the user when TellUser (a file the user chose).
bool ImageList_LoadIcoFile(const String& file, TImageList& list, bool tellUser = false);

// The fixed messages; never translated. Each is told with the path behind it.
extern const wchar_t* const Iconize_Msg_NoFolder;
extern const wchar_t* const Iconize_Msg_NoIcon;
extern const wchar_t* const Iconize_Msg_NoFolderClear;

