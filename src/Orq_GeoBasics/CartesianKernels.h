// Geodetic <-> earth-centred cartesian kernels, inline for the Helmert path.
#pragma once

#include <cmath>

#include "EllipsoidConstants.h"

namespace orq::detail {

inline void GeoToCartesianK(const TEllipsoidConstants& k, double Latitude, double Longitude, double Height,
                            double& X, double& Y, double& Z) {
  double sphi, cphi, slam, clam;
  SinCos(DegToRad(Latitude), sphi, cphi);
  SinCos(DegToRad(Longitude), slam, clam);
  const double N = k.A / std::sqrt(1.0 - k.EccSquared * sphi * sphi);
  const double r = (N + Height) * cphi;
  X = r * clam;
  Y = r * slam;
  Z = (N * k.OneMinusEccSquared + Height) * sphi;
}

// Closed (non-iterative) inverse: u = atan((Z/p)(q + e^2 a / r)) and
// phi = atan((Z q + e^2 a sin^3 u) / (q (p - e^2 a cos^3 u))), q = b/a.
// The sines and cosines of u and phi are taken from the tangents' numerators
// and denominators instead of calling sin and cos on the angles; phi keeps the
// branch of the plain arc tangent. Points on the polar axis (p = 0), where the
// formula breaks down, give latitude +-90 (0 at the centre) and longitude 0.
inline void CartesianToGeoK(const TEllipsoidConstants& k, double X, double Y, double Z, double& Latitude,
                            double& Longitude, double& Height) {
  const double p = std::sqrt(X * X + Y * Y);
  if (p == 0) {
    if (Z == 0) {
      Latitude = 0;
      Longitude = 0;
      Height = -k.A;  // the centre lies a below the equator at longitude 0
      return;
    }
    Latitude = Z > 0 ? 90.0 : -90.0;
    Longitude = 0;
    Height = std::fabs(Z) - k.B;
    return;
  }
  const double q = k.AxisRatio;
  const double e2a = k.EccSquaredA;
  const double r = std::sqrt(p * p + Z * Z);

  // tan u = zu / p
  const double zu = Z * (q + e2a / r);
  const double hu = std::hypot(p, zu);
  const double su = zu / hu, cu = p / hu;

  const double num = Z * q + e2a * su * su * su;
  const double den = q * (p - e2a * cu * cu * cu);
  Latitude = RadToDeg(std::atan(num / den));
  // sin and cos of atan(num / den): cos is never negative.
  const double hphi = std::hypot(num, den);
  const double cphi = std::fabs(den) / hphi;
  const double sphi = (den < 0 ? -num : num) / hphi;

  Longitude = RadToDeg(std::atan2(Y, X));
  Height = p * cphi + Z * sphi - k.A * std::sqrt(1.0 - k.EccSquared * sphi * sphi);
}

}  // namespace orq::detail
