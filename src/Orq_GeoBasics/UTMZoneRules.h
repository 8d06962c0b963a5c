// UTM zone and latitude band of a position, inline for the UTM forward path.
#pragma once

#include <cmath>

#include "EllipsoidConstants.h"

namespace orq::detail {

// Zone 1..60 and band letter, or zone 0 and a blank outside latitude
// -80..84 and longitude -180..<180. NaN has no zone either.
ORQ_KERNEL void UTMZoneOf(double Latitude, double Longitude, int& Zone, char& Letter) {
  Zone = 0;
  Letter = ' ';
  if (!(Latitude >= -80.0 && Latitude <= 84.0 && Longitude >= -180.0 && Longitude < 180.0)) return;

  int band = static_cast<int>(std::floor(Latitude + 80.0)) / 8;
  if (band >= 6) ++band;   // no I
  if (band >= 12) ++band;  // no O
  if (band >= 21) band = 21;
  Letter = static_cast<char>('C' + band);

  Zone = static_cast<int>(std::floor((Longitude + 180.0) / 6.0)) + 1;
  // Longitudes a hair below 180 round up to 360 in the sum above.
  if (Zone > 60) Zone = 60;

  if (Letter == 'V' && Longitude >= 3.0 && Longitude < 12.0) Zone = 32;
  if (Letter == 'X' && Longitude >= 0.0 && Longitude < 42.0)
    Zone = static_cast<int>(std::floor((Longitude + 3.0) / 12.0)) * 2 + 31;
}

ORQ_KERNEL double UTMCentralMeridianOf(int Zone) {
  if (Zone < 1 || Zone > 60) return 0.0;
  return (6.0 * Zone - 183.0) * Pi / 180.0;
}

}  // namespace orq::detail
