// Unit xaShell: the clipboard's file lists, the shell's verbs, open,
// Explorer selection and Properties, icon reference texts and the
// administrator test. Plain routines; each opens and closes what it uses.
#pragma once

#include "Classes.h"

#include <cstdint>
#include <functional>

// ---- Clipboard file lists ----

constexpr uint8_t kDropEffectMove = 2;  // after a cut
constexpr uint8_t kDropEffectCopy = 5;  // after a copy (copy and link)

// Puts Paths on the clipboard as the shell's file list (CF_HDROP) with the
// "Preferred DropEffect" Effect (2 or 5; anything else stores 0). A list
// without a non-empty path leaves the clipboard alone.
void Clipboard_CopyFiles(const TStrings& paths, uint8_t effect);
// Asked before a moved item is put over another entry of its name (the
// item's path, then the entry's); False leaves both where they are.
using TReplaceAsk = std::function<bool(const String& source, const String& target)>;

// Whether names another program gave (the clipboard's list, a drop) may be
// handed to a file operation: each must be a full path (a drive and its root,
// or a share) of an existing item below that root, without wildcards and not
// a device. The shell takes any other name against the current folder (or
// fails inside itself on a bare drive), so one such name refuses the whole
// list: the message box names it with the platform's reason, and False.
bool Files_CheckForeign(const TStrings& paths);

// Copies or moves the clipboard's files into Folder as the clipboard's
// effect says; copies into the files' own folder get new names. A moved item
// whose name Folder already holds goes only when MayReplace agrees (without
// it, never). A list with a name Files_CheckForeign refuses moves nothing.
void Clipboard_PasteFiles(const String& folder, const TReplaceAsk& mayReplace = nullptr);
// 2 when the clipboard's files were cut, else 5.
uint8_t Clipboard_GetDropEffect();
// Replaces Paths with the clipboard's file names (nothing when it has none).
void Clipboard_GetFiles(TStrings& paths);
// The clipboard text's first line.
String Clipboard_GetLine();

// Every item followed by a null, then one more null.
String Strs_ToNullList(const TStrings& list);
// Text followed by two nulls.
String Str_ToNullList(const String& text);

// ---- Shell verbs under HKEY_CLASSES_ROOT ----

// True when Class\shell\Verb\command holds exactly Command (case-sensitive).
bool Shell_VerbExists(const String& className, const String& verb, const String& command);
// Writes the verb's caption, its "Icon" and its command. Raises the
// registry's "Failed to set data for '%s'" when it may not write.
void Shell_VerbAdd(const String& className, const String& verb, const String& caption, const String& icon,
                   const String& command);
// Deletes Class\shell\Verb with its subkeys, when Class exists (an empty
// Class or Verb deletes nothing).
void Shell_VerbDelete(const String& className, const String& verb);
// Takes away what Shell_VerbAdd with these texts wrote: the whole verb when
// its command is Command, else (another program's verb of the same name)
// only a caption or "Icon" value that holds exactly the given text.
void Shell_VerbRemove(const String& className, const String& verb, const String& caption, const String& icon,
                      const String& command);

// ---- Handing things to the shell ----

void Shell_Open(const String& path);
// Path_Expand, then Shell_Open; an empty path opens nothing.
void Shell_OpenExpanded(const String& path);
void Explorer_Select(const String& path);
void Shell_Properties(const String& path);
String Mail_Link(const String& address, const String& subject, const String& body);

// Splits an icon reference text ("path,index"; quotes ignored) into File and
// Index. Only a plain unsigned decimal index counts; otherwise Index is 0.
void IconLocation_Parse(const String& text, String& file, int& index);

// True when the token the current thread acts with holds the
// Administrators group enabled.
bool User_IsAdmin();
