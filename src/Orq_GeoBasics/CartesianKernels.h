// Geodetic <-> earth-centred cartesian kernels, inline for the Helmert path.
#pragma once

#include <cmath>

#include "EllipsoidConstants.h"

namespace orq::detail {

ORQ_KERNEL void GeoToCartesianK(const TEllipsoidConstants& k, double Latitude, double Longitude, double Height,
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
ORQ_KERNEL void CartesianToGeoK(const TEllipsoidConstants& k, double X, double Y, double Z, double& Latitude,
                            double& Longitude, double& Height) {
  const double p2 = X * X + Y * Y;
  if (p2 == 0) {
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
  const double p = std::sqrt(p2);
  const double r = std::sqrt(p2 + Z * Z);

  // tan u = (Z/p)(q + e^2 a / r) = zu / pr, multiplied out so that no
  // division waits for r. Plain square roots rather than hypot: the operands
  // are distances of earth size, far from overflow.
  const double zu = Z * (q * r + e2a);
  const double pr = p * r;
  const double iu = 1.0 / std::sqrt(pr * pr + zu * zu);
  const double su = zu * iu, cu = pr * iu;

  const double num = Z * q + e2a * su * su * su;
  const double den = q * (p - e2a * cu * cu * cu);
  Longitude = RadToDeg(std::atan2(Y, X));

  // With sin phi = num/H and cos phi = |den|/H (H = |(num, den)|, signs as
  // the plain arc tangent gives them), h = p cos phi + Z sin phi
  // - a sqrt(1 - e^2 sin^2 phi) becomes one quotient whose two square roots
  // are independent of each other.
  const double sNum = den < 0 ? -num : num;
  const double aDen = std::fabs(den);
  // atan(num / den) without the division.
  Latitude = RadToDeg(std::atan2(sNum, aDen));
  const double H = std::sqrt(num * num + den * den);
  const double W = std::sqrt(den * den + k.OneMinusEccSquared * num * num);
  // H is 0 only in the equatorial plane at p = e^2 a exactly, where phi = 0.
  Height = H == 0 ? p - k.A : (p * aDen + Z * sNum - k.A * W) / H;
}

}  // namespace orq::detail
