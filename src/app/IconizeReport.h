// Unit IconizeReport: the one place that shows what the iconize road could
// not do, in the program's boxes, for every window and the command line.
#pragma once

#include "IconizeRoad.h"

// Tells the user why the element was not done, when that is to be told (an
// element that is not there, or a kind left alone on purpose, is passed over
// silently). True when the element was done.
bool Iconize_Report(const TElementResult& result);
