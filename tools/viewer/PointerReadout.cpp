// Pointer position texts.
#include "PointerReadout.h"

#include <cmath>
#include <cstdio>

#include "orqmath/DegreeToStr.h"

namespace orq::viewer {

std::string DegreesMinutesSeconds(double Degrees, bool IsLatitude) {
  const char hemisphere = IsLatitude ? (Degrees < 0 ? 'S' : 'N') : (Degrees < 0 ? 'W' : 'E');
  // Tenths of a second; the library rounds once and carries into minutes and degrees.
  return DegreeToStr(std::fabs(Degrees), dfDegMinSec, 1) + hemisphere;
}

std::string PositionText(double Latitude, double Longitude, TGeoEllipsoid Ellipsoid) {
  char decimal[64];
  std::snprintf(decimal, sizeof decimal, " (%.6f, %.6f)", Latitude, Longitude);
  std::string text = DegreesMinutesSeconds(Latitude, true) + " " + DegreesMinutesSeconds(Longitude, false) + decimal;
  int zone = 0;
  double easting = 0, northing = 0;
  LatLongToUTM(Latitude, Longitude, Ellipsoid, zone, easting, northing);
  if (zone >= 1 && zone <= 60 && std::isfinite(easting) && std::isfinite(northing)) {
    char utm[80];
    std::snprintf(utm, sizeof utm, "   UTM %d%c %.0f E %.0f N", zone, Latitude < 0 ? 'S' : 'N', easting, northing);
    text += utm;
  }
  return text;
}

}  // namespace orq::viewer
