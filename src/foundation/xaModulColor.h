// Lighter and darker colours: arithmetic only, so that every window may use it.
#pragma once

#include "Graphics.h"

// Each channel moved Percent per cent towards white or black; a system colour
// is taken at its current RGB value.
TColor Color_Lighten(TColor color, int percent);
TColor Color_Darken(TColor color, int percent);
