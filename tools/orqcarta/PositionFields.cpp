#include "PositionFields.h"

#include <cmath>
#include <string>

#include "ErrorReport.h"
#include "NumberParsing.h"
#include "OutputFormat.h"

namespace orq::cli {

void CheckLatitude(double Latitude) {
  if (Latitude < -90 || Latitude > 90) throw EInputError("latitude " + FormatShortest(Latitude) + " outside -90..90");
}

void CheckLongitude(double Longitude) {
  if (Longitude < -180 || Longitude > 180)
    throw EInputError("longitude " + FormatShortest(Longitude) + " outside -180..180");
}

double WrapLongitude(double Longitude) {
  // Values already in range are returned untouched, bit for bit.
  if (Longitude >= -180 && Longitude < 180) return Longitude;
  if (!std::isfinite(Longitude)) return Longitude;
  const double wrapped = std::fmod(Longitude + 180, 360.0);
  return (wrapped < 0 ? wrapped + 360 : wrapped) - 180;
}

namespace {
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

TZoneToken ParseZoneToken(std::string_view Field) {
  const std::string shown = Printable(Field, 20);
  TZoneToken token;
  token.Present = true;
  const char letter = Field.back();
  if (letter == 'S' || letter == 's') {
    token.South = true;
  } else if (letter != 'N' && letter != 'n') {
    throw EInputError("zone \"" + shown + "\" must end in the hemisphere, N or S");
  }
  const std::string_view digits = Field.substr(0, Field.size() - 1);
  if (!digits.empty()) {
    const auto zone = ParseInteger(digits);
    if (!zone || digits.front() == '+' || digits.front() == '-' || *zone < 1 || *zone > 60)
      throw EInputError("zone \"" + shown + "\" is not a UTM zone 1..60 with N or S");
    token.Zone = *zone;
  }
  return token;
}
}  // namespace

TZoneToken TakeZoneToken(std::vector<std::string_view>& Fields) {
  if (Fields.empty()) return {};
  const bool atFront = IsLetter(Fields.front().back());
  const bool atBack = Fields.size() > 1 && IsLetter(Fields.back().back());
  if (atFront && atBack) throw EInputError("more than one zone");
  if (atFront) {
    const TZoneToken token = ParseZoneToken(Fields.front());
    Fields.erase(Fields.begin());
    return token;
  }
  if (atBack) {
    const TZoneToken token = ParseZoneToken(Fields.back());
    Fields.pop_back();
    return token;
  }
  return {};
}

}  // namespace orq::cli
