// The link label's Language texts, filled by the language engine's link-label
// key group (Lng_Read_LabelLink).
#pragma once

#include "SysUtils.h"

extern String Link_Execute;          // read and listed, shown nowhere
extern String Link_CopyToClipboard;  // the label's popup item
