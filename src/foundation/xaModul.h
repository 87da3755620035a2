// Unit xaModul: the foundation's plain routines. The unit is large, so its
// declarations are kept in one header per area; callers include this one.
#pragma once

#include "xaModulControls.h"
#include "xaModulForm.h"
#include "xaModulPath.h"
#include "xaModulStrings.h"
#include "xaModulIniText.h"
#include "xaModulFiles.h"
