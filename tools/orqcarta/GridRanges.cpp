#include "GridRanges.h"

#include <cmath>
#include <string>

#include "ErrorReport.h"
#include "OutputFormat.h"

namespace orq::cli {

namespace {
std::string Km(double Metres) { return FormatShortest(Metres / 1000) + " km"; }

void CheckAxis(const char* Axis, double Value, double Min, double Max, const char* Grid, bool South) {
  if (!(Value >= Min && Value <= Max))
    throw EInputError(std::string(Axis) + " " + Km(Value) + " outside the " + Grid + " range " + Km(Min) + ".." +
                      Km(Max) + " of the " + (South ? "southern" : "northern") + " hemisphere");
}
}  // namespace

double LongitudeOffset(double Longitude, double CentralMeridian) {
  double d = std::remainder(Longitude - CentralMeridian, 360.0);
  if (d == -180) d = 180;
  return d;
}

void CheckTMOffset(double Latitude, double Longitude, double CentralMeridian) {
  const double offset = LongitudeOffset(Longitude, CentralMeridian);
  // At the poles every meridian is the central one.
  if (std::fabs(offset) > TMMaxLongitudeOffset && std::fabs(Latitude) != 90)
    throw EInputError("longitude " + FormatShortest(offset) + " degrees from the central meridian " +
                      FormatShortest(CentralMeridian) + "; the transverse Mercator is kept within " +
                      FormatShortest(TMMaxLongitudeOffset) + " degrees, where its error stays below 1 m");
}

void CheckUTMGrid(bool South, double Easting, double Northing) {
  CheckAxis("easting", Easting, 0, 1000e3, "UTM", South);
  if (South) {
    CheckAxis("northing", Northing, 900e3, 19600e3, "UTM", South);
  } else {
    CheckAxis("northing", Northing, -9100e3, 9600e3, "UTM", South);
  }
}

void CheckUPSGrid(bool South, double Easting, double Northing) {
  const double min = South ? 700e3 : 1200e3, max = South ? 3300e3 : 2800e3;
  CheckAxis("easting", Easting, min, max, "UPS", South);
  CheckAxis("northing", Northing, min, max, "UPS", South);
}

void CheckUPSLatitude(double Latitude) {
  if (std::fabs(Latitude) < 90 - UPSMaxPoleDistance)
    throw EInputError("latitude " + FormatShortest(Latitude) + " is more than " + FormatShortest(UPSMaxPoleDistance) +
                      " degrees from the pole; UPS covers 70..90 and -90..-70");
}

}  // namespace orq::cli
