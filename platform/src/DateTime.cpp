#include "orqplatform/DateTime.h"

#include <cmath>
#include <ctime>

#include "orqplatform/Exceptions.h"

namespace orq {

namespace {

// Days from 1970-01-01 to a civil date (proleptic Gregorian).
constexpr int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int& Year, int& Month, int& Day) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  Day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  Month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  Year = static_cast<int>(yoe + era * 400 + (Month <= 2));
}

constexpr int64_t kEpochDays = DaysFromCivil(1899, 12, 30);

// Day number and milliseconds of the day, rounded, with the carry of a
// time that rounds to 24:00.
void Split(TDateTime Value, int64_t& Days, int64_t& MSec) {
  if (!std::isfinite(Value) || Value < MinDateTime - 1 || Value > MaxDateTime + 1)
    throw EConvertError("Invalid date/time value");
  const double whole = std::trunc(Value);
  Days = static_cast<int64_t>(whole);
  MSec = std::llround(std::fabs(Value - whole) * MSecsPerDay);
  if (MSec >= static_cast<int64_t>(MSecsPerDay)) {
    MSec -= static_cast<int64_t>(MSecsPerDay);
    Days += Value < 0 ? -1 : 1;
    // -0.9999999999 rounds to day -1 at 00:00, which is -1.0 exactly.
  }
  if (Days < static_cast<int64_t>(MinDateTime) || Days > static_cast<int64_t>(MaxDateTime))
    throw EConvertError("Invalid date/time value");
}

}  // namespace

bool IsLeapYear(int Year) { return (Year % 4 == 0 && Year % 100 != 0) || Year % 400 == 0; }

int DaysInMonth(int Year, int Month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (Month < 1 || Month > 12) return 0;
  return Month == 2 && IsLeapYear(Year) ? 29 : kDays[Month - 1];
}

bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Date) {
  if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 || Day > DaysInMonth(Year, Month)) return false;
  Date = static_cast<double>(DaysFromCivil(Year, Month, Day) - kEpochDays);
  return true;
}

TDateTime EncodeDate(int Year, int Month, int Day) {
  TDateTime d = 0;
  if (!TryEncodeDate(Year, Month, Day, d)) throw EConvertError("Invalid argument to date encode");
  return d;
}

bool TryEncodeTime(int Hour, int Min, int Sec, int MSec, TDateTime& Time) {
  if (Hour < 0 || Hour > 23 || Min < 0 || Min > 59 || Sec < 0 || Sec > 59 || MSec < 0 || MSec > 999) return false;
  Time = (((Hour * 60 + Min) * 60 + Sec) * 1000 + MSec) / MSecsPerDay;
  return true;
}

TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec) {
  TDateTime t = 0;
  if (!TryEncodeTime(Hour, Min, Sec, MSec, t)) throw EConvertError("Invalid argument to time encode");
  return t;
}

bool TryEncodeDateTime(int Year, int Month, int Day, int Hour, int Min, int Sec, int MSec, TDateTime& Value) {
  TDateTime d = 0, t = 0;
  if (!TryEncodeDate(Year, Month, Day, d) || !TryEncodeTime(Hour, Min, Sec, MSec, t)) return false;
  // Before the epoch the time of day still counts forward from midnight.
  Value = d < 0 ? d - t : d + t;
  return true;
}

TDateTime EncodeDateTime(int Year, int Month, int Day, int Hour, int Min, int Sec, int MSec) {
  TDateTime v = 0;
  if (!TryEncodeDateTime(Year, Month, Day, Hour, Min, Sec, MSec, v))
    throw EConvertError("Invalid argument to date/time encode");
  return v;
}

void DecodeDateTime(TDateTime Value, int& Year, int& Month, int& Day, int& Hour, int& Min, int& Sec, int& MSec) {
  int64_t days = 0, ms = 0;
  Split(Value, days, ms);
  CivilFromDays(days + kEpochDays, Year, Month, Day);
  MSec = static_cast<int>(ms % 1000);
  Sec = static_cast<int>(ms / 1000 % 60);
  Min = static_cast<int>(ms / 60000 % 60);
  Hour = static_cast<int>(ms / 3600000);
}

void DecodeDate(TDateTime Value, int& Year, int& Month, int& Day) {
  int h, mi, s, ms;
  DecodeDateTime(Value, Year, Month, Day, h, mi, s, ms);
}

void DecodeTime(TDateTime Value, int& Hour, int& Min, int& Sec, int& MSec) {
  int y, mo, d;
  DecodeDateTime(Value, y, mo, d, Hour, Min, Sec, MSec);
}

TDateTime UnixToDateTime(double UnixSeconds, bool ToLocal) {
  const double whole = std::floor(UnixSeconds);
  const std::time_t t = static_cast<std::time_t>(whole);
  std::tm tm{};
  if (!(ToLocal ? localtime_r(&t, &tm) : gmtime_r(&t, &tm))) throw EConvertError("Invalid date/time value");
  int ms = static_cast<int>(std::lround((UnixSeconds - whole) * 1000));
  if (ms > 999) ms = 999;
  // A leap second (tm_sec 60) is shown as the last millisecond of the minute.
  if (tm.tm_sec > 59) tm.tm_sec = 59, ms = 999;
  return EncodeDateTime(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec, ms);
}

TDateTime Now() {
  std::timespec ts{};
  clock_gettime(CLOCK_REALTIME, &ts);
  return UnixToDateTime(static_cast<double>(ts.tv_sec) + ts.tv_nsec * 1e-9, true);
}

TDateTime Date() { return std::trunc(Now()); }

TDateTime Time() {
  const TDateTime now = Now();
  return now - std::trunc(now);
}

}  // namespace orq
