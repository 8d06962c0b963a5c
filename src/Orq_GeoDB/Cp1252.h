// Windows-1252 <-> UTF-8 for the fixed-size texts of the database files.
#pragma once

#include <string>
#include <string_view>

namespace orq::gdb_detail {

// One byte per character; a character Windows-1252 cannot represent becomes
// '?'. Bytes that are not valid UTF-8 count as one character each.
std::string Utf8ToCp1252(std::string_view Text);
// The five bytes Windows-1252 leaves undefined map to the C1 controls of the
// same value, so every byte string survives a round trip.
std::string Cp1252ToUtf8(std::string_view Bytes);
// Lower case of a Windows-1252 character (ASCII and the Latin letters).
unsigned char Cp1252Lower(unsigned char c);

}  // namespace orq::gdb_detail
