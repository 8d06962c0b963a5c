// Reading numbers and dates from text, and writing hexadecimal numbers.
// Positions are 1-based, as the file-format readers count them.
#pragma once

#include <concepts>
#include <cstdint>
#include <string>
#include <type_traits>

#include "orqbase/BaseTypes.h"
#include "orqplatform/DateTime.h"

namespace orq {

// The value of the hexadecimal digits (0-9, a-f, A-F) starting at Position;
// Position moves to the first character after them. Without a digit there
// (empty text, a position outside the text, any other character) the result
// is 0 and Position is unchanged. No prefix ("$", "0x") and no blanks are
// skipped. A value beyond 32 bits is consumed whole and gives 0xFFFFFFFF.
uint32_t ScanHex(const std::string& Text, int& Position);

// Value as upper-case hexadecimal with at least Digits digits (zero-padded;
// Digits is clamped to 0..32); more digits when the value needs them, so
// nothing is cut. A negative value shows its two's complement at the width
// of its type: Hex(-1, 8) is "FFFFFFFF" for a 32-bit int.
std::string HexOfBits(uint64_t Bits, int Digits);
template <std::integral T>
std::string Hex(T Value, int Digits) {
  return HexOfBits(static_cast<uint64_t>(static_cast<std::make_unsigned_t<T>>(Value)), Digits);
}

// A date and time from Text, laid out as the picture Format says:
//   yyyy  4-digit year        yy  2-digit year (00..49 -> 20xx, 50..99 -> 19xx)
//   mm    2-digit month       mmm month abbreviation of the language
//                                 (English Jan..Dec, German Jan..Dez with
//                                 "Mär"/"Mrz"; any letter case)
//   dd    2-digit day         HH  2-digit hour (00..23)
//   MM    2-digit minute      SS  2-digit second     zzz 3-digit millisecond
// Any other character of the picture must stand in the text as it is.
// Blanks before the date are skipped. Fields the picture does not have take
// their value from 1899-12-30 00:00:00.000 (a time-only picture gives a pure
// time). On success Position is the 1-based position just after the date.
// Malformed text - a missing or non-digit character, a literal that does not
// match, a date or time that does not exist (month 13, 30 February, hour 24)
// - gives 0 with Position 0.
TDateTime ScanDateTime(const std::string& Text, const std::string& Format, TLanguage Language, int& Position);

// The reverse of ScanDateTime with the same picture letters. Raises
// EConvertError for a value outside the calendar.
std::string FormatDateTimePicture(const std::string& Format, TDateTime Value, TLanguage Language);

}  // namespace orq
