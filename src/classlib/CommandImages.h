// The program's command images: one strip of pictures per image list, made by
// the build from the Tango icon library and linked in as bitmap resources
// (16, 24 and 32 pixels; 32-bit with alpha).
#pragma once

#include <windows.h>
#include <commctrl.h>

enum class TCommandStrip { Pane, Main, Message, Chooser };

// The explorer pane's list: the indexes its actions use.
namespace PaneImage {
enum : int {
    Execute, Rename, Delete, NewFolder, NewTxt, Copy, Cut, Paste,
    StyleTable, StyleIcons, StyleCols, StyleRows, ShowHide,
    OpenInExplorer, Refresh, Properties, Folder, Count
};
}

// The main window's commands and buttons.
namespace MainImage {
enum : int {
    IconizeDo, IconizeDe, IconizeType, IcoBaza, BazaOpenNew, BazaCurrentPath,
    Settings, About, Help, Sait, OpenInExplorer, Maximize, Close,
    OpenSettingsIni, OpenLanguage, FontTransparent, Count
};
}

// The message box's popup menu.
namespace MessageImage {
enum : int { Copy, SelectAll, CopyAll, Count };
}

// The folder chooser's OK button.
namespace ChooserImage {
enum : int { OK, Count };
}

// How many pictures the strip holds.
int CommandImages_Count(TCommandStrip strip);

// Appends the strip's pictures, in the size of the list's images, to the
// list (a mask from the alpha channel goes with them for lists that have
// masks). False, with the list unchanged, when the list's size has no strip
// or the resource is missing or not the strip it should be.
bool CommandImages_Load(HIMAGELIST list, TCommandStrip strip);
