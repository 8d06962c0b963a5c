// Checks and extra tokens of geographic positions in input lines.
#pragma once

#include <string_view>
#include <vector>

namespace orq::cli {

// Throw EInputError unless -90 <= Latitude <= 90, -180 <= Longitude <= 180.
void CheckLatitude(double Latitude);
void CheckLongitude(double Longitude);

// Longitude in -180..<180 (180 becomes -180, the same meridian): what the
// UTM zone rules expect, and how computed longitudes are printed.
double WrapLongitude(double Longitude);

// A grid zone given in an input line: "32N", "33s" (UTM zone 1..60 and
// hemisphere) or "N", "S" alone (UPS). The letter is the hemisphere, not a
// latitude band.
struct TZoneToken {
  bool Present = false;
  int Zone = 0;  // 0 when the token has no number
  bool South = false;
};

// Removes a zone token from the first or last field, if there is one, and
// returns it. A field is taken for a token when it ends in a letter; a
// malformed one ("32U", "61N", "N32") throws EInputError.
TZoneToken TakeZoneToken(std::vector<std::string_view>& Fields);

}  // namespace orq::cli
