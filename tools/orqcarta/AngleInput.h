// Reading latitudes and longitudes as people write them: decimal degrees,
// degrees-minutes-seconds with marks or colons, hemisphere letters.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace CLI {
class App;
}

namespace orq::cli {

// One angle field. Degrees is signed by a leading '-' only; Hemisphere is
// the letter given with it ('N', 'S', 'E', 'W', upper case) or 0.
struct TAngleText {
  double Degrees = 0;
  char Hemisphere = 0;
};

// Reads "47.375", "-8.5", "47°22'30.5\"", "47d22m30.5s", "47:22:30.5",
// "47°22.5'", with a hemisphere letter before or after ("8.5E", "N47.5").
// Marks: degrees ° º d D, minutes ' ′ m M, seconds " ″ '' s S; a number
// without a mark after degrees (or minutes) is minutes (or seconds). An s
// or S after minutes is the seconds mark, not south. Only the last part
// may have a fraction; minutes and seconds are below 60. Nullopt for
// anything else.
std::optional<TAngleText> ParseAngle(std::string_view Field);

// How the position fields of a line are read.
struct TAngleInput {
  bool LonFirst = false;       // LONGITUDE LATITUDE instead of LATITUDE LONGITUDE
  bool WrapLongitudes = false;  // accept any finite longitude, wrapped into -180..<180

  // Adds --lon-first and --wrap-longitude to a command.
  void AddOptions(CLI::App& Command);

  // Latitude and longitude from Fields[0] and Fields[1], in degrees. With
  // hemisphere letters the letters decide which is which (so "8.5E 47N"
  // reads), otherwise the order of the fields. Throws EInputError for a
  // field that is no angle, a letter that does not fit, a latitude beyond
  // +-90 or a longitude beyond +-180 (unless wrapped).
  void Read(std::string_view First, std::string_view Second, double& Latitude, double& Longitude) const;
};

}  // namespace orq::cli
