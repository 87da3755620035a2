#include "ind.h"

const String Prog_Name = L"Dolv";
const String Prog_Caption = L"Dolv";
