#include "xaFontDialogTexts.h"

String xaFontDialog_FormCaption = L"Font";
String xaFontDialog_SizeUp = L"Size Up";
String xaFontDialog_SizeDn = L"Size Down";
String xaFontDialog_Color = L"Color";
String xaFontDialog_ExampleHint = L"Example of font";
// The second line shows Cyrillic capitals and small letters.
String xaFontDialog_Example = L"ABCDEFGHIJKLMN\r\n"
                              L"\u0410\u0411\u0412\u0413\u0414\u0415\u0401\u0416\u0437\u0438\u043A\u043B\u043C\u043D\r\n"
                              L"012345+_=\\@*";
String xaFontDialog_Bold = L"Bold";
String xaFontDialog_Italic = L"Italic";
String xaFontDialog_Underline = L"Underline";
String xaFontDialog_Strike = L"Strike";
String xaFontDialog_Ok = L"OK";
String xaFontDialog_Apply = L"Apply";
String xaFontDialog_Cancel = L"Close";
String xaFontDialog_SourseFont = L"Sourse font";
