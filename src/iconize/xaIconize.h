// Unit xaIconize: the iconize engine. Gives folders (Desktop.ini), drives and
// file types (registry DefaultIcon) a custom icon and takes it away again;
// reads back the icon an element shows. Plain routines without state.
#pragma once

#include "SysUtils.h"

#include <shlobj.h>

// Folders ------------------------------------------------------------------

// Gives Folder the icon IconFile,Index (Index is written as given). With
// CopyIco the source is copied into the folder as a hidden Desktop.ico; without
// it an .ico or .bmp source is copied under its own name. False, after telling
// the user, when the folder or the icon file is missing or the copy failed.
bool Iconize_Folder(const String& folder, const String& iconFile, const String& index, bool copyIco);
// Removes the folder's custom icon; with DeleteCopy also a copy that
// Desktop.ini names by a bare .ico or .bmp name.
void Iconize_Clear_Folder(const String& folder, bool deleteCopy);
// The folder's present icon from its Desktop.ini; true only when the file exists.
bool Iconize_Get_Folder(const String& folder, String& iconFile, int& iconIndex);

// Any element: a file type (.txt), an existing file (its type), a drive root
// (D: or D:\) or an existing folder. True when it was handled.
bool Iconize_Element(const String& element, const String& iconFile, const String& index, bool copyIco);
bool Iconize_Clear_Element(const String& element, bool deleteCopy);

// Drives and file types ------------------------------------------------------

void Iconize_Drive(const String& letter, const String& iconFile, int index);
void Iconize_Clear_Drive(const String& letter);
void Iconize_Ext(const String& ext, const String& iconFile, int index);
void Iconize_Clear_Ext(const String& ext);

// The icon reference text of a DefaultIcon value: the path alone for index -1,
// else "path,index".
String Iconize_IconText(const String& iconFile, int index);

// The registry key, under HKEY_CURRENT_USER, that holds a type's user choice.
String Iconize_FileExtsKey(const String& ext);

// The fixed messages; never translated.
extern const wchar_t* const Iconize_Msg_NoFolder;
extern const wchar_t* const Iconize_Msg_NoIcon;
extern const wchar_t* const Iconize_Msg_NoFolderClear;

// Every shell change notification of the engine goes through this pointer so
// that tests can record them; it is SHChangeNotify.
using TChangeNotifyProc = void(WINAPI*)(LONG eventId, UINT flags, LPCVOID item1, LPCVOID item2);
extern TChangeNotifyProc Iconize_ChangeNotify;
