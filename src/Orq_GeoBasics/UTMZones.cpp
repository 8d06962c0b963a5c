#include <string>

#include "UTMZoneRules.h"

namespace orq {

double UTMCentralMeridian(int Zone) { return detail::UTMCentralMeridianOf(Zone); }

void GeoToUTMZone(double Latitude, double Longitude, int& Zone, char& ZoneLetter) {
  detail::UTMZoneOf(Latitude, Longitude, Zone, ZoneLetter);
}

std::string GeoToUTMZone(double Latitude, double Longitude) {
  int zone;
  char letter;
  detail::UTMZoneOf(Latitude, Longitude, zone, letter);
  if (zone == 0) return {};
  return std::to_string(zone) + letter;
}

}  // namespace orq
