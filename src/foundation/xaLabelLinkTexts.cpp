#include "xaLabelLinkTexts.h"

String Link_Execute = L"Execute link";
String Link_CopyToClipboard = L"Copy link to clipboard";
