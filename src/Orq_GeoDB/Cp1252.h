// Windows-1252 for the fixed-size texts of the database files: the platform's
// conversions (a character the code page lacks becomes '?', every byte string
// survives a round trip) and a case folding for name searches.
#pragma once

#include "orqplatform/TextFile.h"

namespace orq::gdb_detail {

using ::orq::Cp1252ToUtf8;
using ::orq::Utf8ToCp1252;

// Lower case of a Windows-1252 character (ASCII and the Latin letters).
unsigned char Cp1252Lower(unsigned char c);

}  // namespace orq::gdb_detail
