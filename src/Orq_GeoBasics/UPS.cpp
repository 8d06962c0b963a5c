// Universal polar stereographic grid. rho = k0 a T / (sqrt(1 - e^2) exp(e artanh e))
// with T = 2 tan(chi/2) exp(e artanh(e cos chi)), chi the angular distance
// from the pole; the inverse solves T(chi) by Newton's method.
#include <cmath>

#include "EllipsoidConstants.h"
#include "orqbase/Limits.h"

namespace orq {

using namespace detail;

namespace {
constexpr double kUPSScale = 0.994;
constexpr double kUPSFalseOrigin = 2000000.0;
constexpr int kUPSMaxNewtonSteps = 6;
}  // namespace

void LatLongToUPS(double Latitude, double Longitude, TGeoEllipsoid Ellipsoid, double& Easting, double& Northing) {
  const TEllipsoidConstants& k = EllipsoidConstants(Ellipsoid);
  const double e = k.UpsEcc;
  const bool north = Latitude >= 0;
  const double chi = (north ? 90.0 - Latitude : 90.0 + Latitude) * Pi / 180.0;
  const double T = 2.0 * std::tan(chi / 2.0) * std::exp(e * std::atanh(e * std::cos(chi)));
  const double rho = kUPSScale * k.A * T / k.UpsRhoFactor;

  if (Longitude >= 180.0)
    Longitude -= 360.0;
  else if (Longitude < -180.0)
    Longitude += 360.0;
  const double lambda = Longitude * Pi / 180.0;
  // Exact zeros on the grid axes, where sin and cos of the rounded angle are not.
  const double X = Longitude == -180.0 ? 0.0 : rho * std::sin(lambda);
  double Y = std::fabs(Longitude) == 90.0 ? 0.0 : rho * std::cos(lambda);
  if (north) Y = -Y;
  Easting = X + kUPSFalseOrigin;
  Northing = Y + kUPSFalseOrigin;
}

void UPSToLatLong(double Easting, double Northing, bool SouthernHemi, TGeoEllipsoid Ellipsoid, double& Latitude,
                  double& Longitude) {
  const TEllipsoidConstants& k = EllipsoidConstants(Ellipsoid);
  const double e = k.UpsEcc, e2 = k.UpsEccSquared;
  const double X = Easting - kUPSFalseOrigin;
  const double Y = Northing - kUPSFalseOrigin;
  const double rho = std::hypot(X, Y);
  const double T = k.UpsRhoFactor * rho / (kUPSScale * k.A);

  const double tolerance = 0.1 * std::sqrt(uc_MinDouble);
  double chi = 2.0 * std::atan(T / 2.0);
  for (int step = 0; step < kUPSMaxNewtonSteps; ++step) {
    const double c = std::cos(chi);
    const double E = std::exp(e * std::atanh(e * c));
    const double F = 2.0 * std::tan(chi / 2.0) * E - T;
    const double half = std::cos(chi / 2.0);
    const double D = (1.0 - e2) * E / (half * half * (1.0 - e2 * c * c));
    const double delta = -F / D;
    chi += delta;
    if (std::fabs(delta) < tolerance) break;
  }

  Latitude = 90.0 - chi * 180.0 / Pi;
  if (SouthernHemi) Latitude = -Latitude;
  const double lambda = SouthernHemi ? -std::atan2(-X, Y) : -std::atan2(-X, -Y);
  Longitude = lambda * 180.0 / Pi;
}

}  // namespace orq
