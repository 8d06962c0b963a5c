#include "orqmath/SphereGeometry.h"

#include <cmath>
#include <numbers>

namespace orq {

double SphereGreatCircleDist(double Radius, double Lat1, double Long1, double Lat2, double Long2) {
  constexpr double kRad = std::numbers::pi / 180.0;
  const double p1 = Lat1 * kRad, p2 = Lat2 * kRad;
  // The longitude difference reduced first keeps large longitudes exact.
  const double dl = std::remainder(Long2 - Long1, 360.0) * kRad;
  const double s1 = std::sin(p1), c1 = std::cos(p1), s2 = std::sin(p2), c2 = std::cos(p2);
  const double sdl = std::sin(dl), cdl = std::cos(dl);
  const double a = c2 * sdl;
  const double b = c1 * s2 - s1 * c2 * cdl;
  const double num = std::hypot(a, b);
  const double den = s1 * s2 + c1 * c2 * cdl;
  return Radius * std::atan2(num, den);
}

}  // namespace orq
