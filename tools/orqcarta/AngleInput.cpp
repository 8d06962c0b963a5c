#include "AngleInput.h"

#include <CLI/CLI.hpp>
#include <cctype>
#include <charconv>
#include <cmath>

#include "ErrorReport.h"
#include "NumberParsing.h"
#include "OutputFormat.h"
#include "PositionFields.h"

namespace orq::cli {

namespace {

enum TPart { Deg, Min, Sec, NoPart };

// The mark at the front of Text and its length; NoPart when there is none.
TPart MarkAt(std::string_view Text, bool HaveMinutes, std::size_t& Length) {
  Length = 1;
  if (Text.empty()) return NoPart;
  switch (Text[0]) {
    case 'd':
    case 'D':
      return Deg;
    case 'm':
    case 'M':
      return Min;
    case '"':
      return Sec;
    case '\'':
      if (Text.size() > 1 && Text[1] == '\'') {
        Length = 2;
        return Sec;
      }
      return Min;
    case 's':
    case 'S':
      return HaveMinutes ? Sec : NoPart;
    default:
      break;
  }
  Length = 2;
  if (Text.starts_with("\xC2\xB0") || Text.starts_with("\xC2\xBA")) return Deg;  // ° º
  Length = 3;
  if (Text.starts_with("\xE2\x80\xB2")) return Min;  // ′
  if (Text.starts_with("\xE2\x80\xB3")) return Sec;  // ″
  return NoPart;
}

char HemisphereLetter(char c) {
  switch (c) {
    case 'N': case 'n': return 'N';
    case 'S': case 's': return 'S';
    case 'E': case 'e': return 'E';
    case 'W': case 'w': return 'W';
    default: return 0;
  }
}

bool IsLatitudeLetter(char h) { return h == 'N' || h == 'S'; }
bool IsLongitudeLetter(char h) { return h == 'E' || h == 'W'; }

double Signed(const TAngleText& Angle) {
  return (Angle.Hemisphere == 'S' || Angle.Hemisphere == 'W') ? -Angle.Degrees : Angle.Degrees;
}

TAngleText AngleOrThrow(std::string_view Field) {
  if (const auto plain = ParseNumber(Field)) return {*plain, 0};
  if (const auto angle = ParseAngle(Field)) return *angle;
  throw EInputError("invalid angle \"" + Printable(Field, 40) + "\"");
}

}  // namespace

std::optional<TAngleText> ParseAngle(std::string_view Field) {
  TAngleText angle;
  if (Field.empty()) return std::nullopt;
  if (const char h = HemisphereLetter(Field.front()); h && Field.size() > 1 && !std::isalpha(static_cast<unsigned char>(Field[1]))) {
    angle.Hemisphere = h;
    Field.remove_prefix(1);
  }
  bool negative = false;
  if (!Field.empty() && (Field.front() == '-' || Field.front() == '+')) {
    negative = Field.front() == '-';
    Field.remove_prefix(1);
  }
  double parts[3] = {0, 0, 0};
  int next = Deg;        // the part an unmarked number is
  bool fractional = false;  // a part with a fraction must be the last
  bool any = false;
  while (!Field.empty()) {
    const char c = Field.front();
    if (!(c >= '0' && c <= '9') && c != '.') break;
    if (next > Sec || fractional) return std::nullopt;
    double value = 0;
    const auto [ptr, ec] = std::from_chars(Field.data(), Field.data() + Field.size(), value, std::chars_format::fixed);
    if (ec != std::errc() || !std::isfinite(value)) return std::nullopt;
    const std::string_view number(Field.data(), static_cast<std::size_t>(ptr - Field.data()));
    fractional = number.find('.') != std::string_view::npos;
    Field.remove_prefix(number.size());
    std::size_t length = 0;
    // An 's' after a minutes part is the seconds mark.
    TPart part = MarkAt(Field, next == Sec, length);
    if (part == NoPart) {
      part = static_cast<TPart>(next);
      if (!Field.empty() && Field.front() == ':') {
        if (part == Sec) return std::nullopt;
        length = 1;
      } else {
        length = 0;
      }
    } else if (part < next) {
      return std::nullopt;  // marks out of order, or repeated
    }
    Field.remove_prefix(length);
    parts[part] = value;
    next = part + 1;
    any = true;
  }
  if (!any) return std::nullopt;
  if (!Field.empty()) {
    const char h = HemisphereLetter(Field.front());
    if (!h || Field.size() != 1 || angle.Hemisphere) return std::nullopt;
    angle.Hemisphere = h;
  }
  if (angle.Hemisphere && negative) return std::nullopt;
  if (parts[Min] >= 60 || parts[Sec] >= 60) return std::nullopt;
  angle.Degrees = parts[Deg] + parts[Min] / 60 + parts[Sec] / 3600;
  if (negative) angle.Degrees = -angle.Degrees;
  return angle;
}

void TAngleInput::AddOptions(CLI::App& Command) {
  Command.add_flag("--lon-first", LonFirst,
                   "Positions are LONGITUDE LATITUDE (hemisphere letters, where given, still decide)");
  Command.add_flag("--wrap-longitude", WrapLongitudes,
                   "Accept any longitude and wrap it into -180..<180 (0..360 data); without it a longitude "
                   "beyond +-180 is an error");
}

void TAngleInput::Read(std::string_view First, std::string_view Second, double& Latitude, double& Longitude) const {
  TAngleText a = AngleOrThrow(First), b = AngleOrThrow(Second);
  bool swap = LonFirst;
  if (a.Hemisphere || b.Hemisphere) {
    if ((a.Hemisphere && IsLatitudeLetter(a.Hemisphere) == IsLatitudeLetter(b.Hemisphere) && b.Hemisphere))
      throw EInputError(IsLatitudeLetter(a.Hemisphere) ? "two latitudes (N/S) and no longitude"
                                                       : "two longitudes (E/W) and no latitude");
    swap = IsLongitudeLetter(a.Hemisphere) || IsLatitudeLetter(b.Hemisphere);
  }
  if (swap) std::swap(a, b);
  Latitude = Signed(a);
  Longitude = Signed(b);
  CheckLatitude(Latitude);
  if (WrapLongitudes) {
    Longitude = WrapLongitude(Longitude);
  } else {
    CheckLongitude(Longitude);
  }
}

}  // namespace orq::cli
