// The special-iconize element list made from paths: drives, folders, file
// types, and shortcuts whose target is not a file.
#pragma once

#include "Classes.h"

// Appends to Dest the list lines made from the paths of Src, each line once
// (letter case ignored). Shortcuts to files stand for their target; files
// give their type, except programs, icon files and shortcuts; paths that do
// not exist give nothing.
void Strs_ForSpecial(const TStrings& src, TStrings& dest);
