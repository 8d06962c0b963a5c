// TDateTime: days since 1899-12-30 00:00 as a double; the fraction is the
// time of day. Dates before the epoch are negative, and their fraction still
// counts forward from midnight: -1.25 is 1899-12-29 06:00, not 18:00. (So
// -0.25 and 0.25 both mean 1899-12-30 06:00.) Dates run from 0001-01-01 to
// 9999-12-31 in the proleptic Gregorian calendar.
#pragma once

#include <cstdint>

namespace orq {

using TDateTime = double;

inline constexpr TDateTime MinDateTime = -693593.0;              // 0001-01-01 00:00
inline constexpr TDateTime MaxDateTime = 2958465.99999999;       // 9999-12-31 23:59:59.999
inline constexpr double MSecsPerDay = 86400000.0;

bool IsLeapYear(int Year);
// 0 for a month outside 1..12.
int DaysInMonth(int Year, int Month);

// False for a date outside the calendar (month 13, 31 April, year 0 ...).
bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Date);
// Raises EConvertError for an invalid date.
TDateTime EncodeDate(int Year, int Month, int Day);
// Hour 0..23, Min and Sec 0..59, MSec 0..999.
bool TryEncodeTime(int Hour, int Min, int Sec, int MSec, TDateTime& Time);
TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec);
bool TryEncodeDateTime(int Year, int Month, int Day, int Hour, int Min, int Sec, int MSec, TDateTime& Value);
TDateTime EncodeDateTime(int Year, int Month, int Day, int Hour, int Min, int Sec, int MSec);

// Decoding rounds to the millisecond; a time that rounds up to 24:00 moves
// to the next day. Values outside MinDateTime..MaxDateTime, NaN and infinity
// raise EConvertError.
void DecodeDate(TDateTime Value, int& Year, int& Month, int& Day);
void DecodeTime(TDateTime Value, int& Hour, int& Min, int& Sec, int& MSec);
void DecodeDateTime(TDateTime Value, int& Year, int& Month, int& Day, int& Hour, int& Min, int& Sec, int& MSec);

// The current local date and time; Date() is its day, Time() its fraction.
TDateTime Now();
TDateTime Date();
TDateTime Time();

// Seconds since 1970-01-01 00:00 UTC to TDateTime, in local time when
// ToLocal is true, in UTC otherwise.
TDateTime UnixToDateTime(double UnixSeconds, bool ToLocal);

}  // namespace orq
