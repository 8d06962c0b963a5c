#include "TMScale.h"

#include <cmath>
#include <numbers>

namespace orq::cli {

TGridScale TMConvergenceAndScale(double Latitude, double Longitude, double CentralMeridian, TGeoEllipsoid Ellipsoid) {
  constexpr double Rad = std::numbers::pi / 180;
  constexpr double H = 1e-5;
  const double phi = Latitude * Rad, lambda = Longitude * Rad, lambda0 = CentralMeridian * Rad;
  auto at = [&](double p, double& x, double& y) { LatLongToTM(p, lambda, lambda0, Ellipsoid, x, y); };
  // Derivatives along the meridian; near a pole the stencil stays on this side of it.
  double dx, dy;
  if (std::fabs(phi) + 2 * H <= std::numbers::pi / 2) {
    double x1, y1, x2, y2;
    at(phi - H, x1, y1);
    at(phi + H, x2, y2);
    dx = (x2 - x1) / (2 * H);
    dy = (y2 - y1) / (2 * H);
  } else {
    const double s = phi > 0 ? -H : H;  // step away from the pole
    double x0, y0, x1, y1, x2, y2;
    at(phi, x0, y0);
    at(phi + s, x1, y1);
    at(phi + 2 * s, x2, y2);
    dx = (-3 * x0 + 4 * x1 - x2) / (2 * s);
    dy = (-3 * y0 + 4 * y1 - y2) / (2 * s);
  }
  const double a = GeoEllipsoidData[Ellipsoid][0];
  const double e2 = GeoEllEccSquared(Ellipsoid);
  const double w = 1 - e2 * std::sin(phi) * std::sin(phi);
  const double meridianRadius = a * (1 - e2) / (w * std::sqrt(w));
  TGridScale g;
  g.Convergence = std::atan2(-dx, dy) / Rad;
  g.Scale = std::hypot(dx, dy) / meridianRadius;
  return g;
}

}  // namespace orq::cli
