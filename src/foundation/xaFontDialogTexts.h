// The font dialog's Language texts. They live with the dialog's unit and are
// filled by the language engine's font-dialog key group (Lng_Read_FontDialog).
#pragma once

#include "SysUtils.h"

extern String xaFontDialog_FormCaption;
extern String xaFontDialog_SizeUp;
extern String xaFontDialog_SizeDn;
extern String xaFontDialog_Color;
extern String xaFontDialog_ExampleHint;
// Also the stored example text; its lines are joined by CRLF.
extern String xaFontDialog_Example;
extern String xaFontDialog_Bold;
extern String xaFontDialog_Italic;
extern String xaFontDialog_Underline;
extern String xaFontDialog_Strike;
extern String xaFontDialog_Ok;
extern String xaFontDialog_Apply;
extern String xaFontDialog_Cancel;
extern String xaFontDialog_SourseFont;
