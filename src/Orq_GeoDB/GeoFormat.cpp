// Latitude and longitude as display texts.
#include <algorithm>
#include <cmath>

#include "orqcarta/Orq_GeoDB.h"
#include "orqmath/DegreeToStr.h"

namespace orq {

std::string GeoLatitude(double Latit, TDegreeFormat Format, int N) {
  Latit = std::isnan(Latit) ? -90.0 : std::clamp(Latit, -90.0, 90.0);
  return DegreeToStr(std::fabs(Latit), Format, N) + (Latit >= 0 ? " N" : " S");
}

std::string GeoLongitude(double Longit, TDegreeFormat Format, int N) {
  Longit = std::isnan(Longit) ? -180.0 : std::clamp(Longit, -180.0, 180.0);
  return DegreeToStr(std::fabs(Longit), Format, N) + (Longit >= 0 ? " E" : " W");
}

}  // namespace orq
