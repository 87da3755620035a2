// Unit xaY: the program's message box, the one door for user-level messages.
#pragma once

#include "SysUtils.h"

constexpr int clYDefault = 0xC6E7FB;  // notices
constexpr int clYError = 0xC4D1F4;    // pale red
constexpr int clYSuccess = 0xC0F1E7;  // pale green

// Shows Text under Caption on the background Color (-1: the default colour)
// and returns when the box is closed. RememberPos keeps the box's placement in
// settings.ini [FormY].
void Y_Show(const String& text, const String& caption = L"", int color = -1, bool rememberPos = true);
// Y_Show with an empty caption and the remembered placement.
void Y_ShowColor(const String& text, int color);
