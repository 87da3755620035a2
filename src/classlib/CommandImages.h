// The program's command images: one strip of pictures per image list, made by
// the build from the Tango icon library and linked in as bitmap resources
// (16, 24 and 32 pixels; 32-bit with alpha).
#pragma once

#include <windows.h>
#include <commctrl.h>

// The explorer pane's, the main window's, the message box's and the folder
// chooser's strip.
enum class TCommandStrip { Pane, Main, Message, Chooser };

// How many pictures the strip holds. What each picture means is the window's
// own business: it names the indexes beside its layout and checks their count
// against this one.
constexpr int CommandImages_Count(TCommandStrip strip)
{
    switch (strip) {
    case TCommandStrip::Pane: return 17;
    case TCommandStrip::Main: return 16;
    case TCommandStrip::Message: return 3;
    case TCommandStrip::Chooser: return 1;
    }
    return 0;
}

// Appends the strip's pictures, in the size of the list's images, to the
// list (a mask from the alpha channel goes with them for lists that have
// masks). False, with the list unchanged, when the list's size has no strip
// or the resource is missing or not the strip it should be.
bool CommandImages_Load(HIMAGELIST list, TCommandStrip strip);
