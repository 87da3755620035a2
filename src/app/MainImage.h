// The pictures of the main window's commands and buttons, in the Main strip
// (the settings window's icons-base button borrows one).
#pragma once

#include "CommandImages.h"

namespace MainImage {
enum : int {
    IconizeDo, IconizeDe, IconizeType, IcoBaza, BazaOpenNew, BazaCurrentPath,
    Settings, About, Help, Sait, OpenInExplorer, Maximize, Close,
    OpenSettingsIni, OpenLanguage, FontTransparent, Count
};
}
static_assert(MainImage::Count == CommandImages_Count(TCommandStrip::Main));
