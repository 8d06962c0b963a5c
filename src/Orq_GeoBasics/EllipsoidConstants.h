// Per-ellipsoid constants of the projection and cartesian formulas, computed
// once from the catalogue axes. Each is evaluated with the same expression the
// formulas use, so taking it from the table does not change the results.
#pragma once

#include <cmath>

#include "orqbase/MathConstants.h"
#include "orqcarta/Orq_GeoBasics.h"

// Module-internal functions: hidden from the library's exported symbols, so
// calls between them are direct and can be inlined.
#if defined(__GNUC__)
#define ORQ_INTERNAL __attribute__((visibility("hidden")))
#define ORQ_KERNEL __attribute__((visibility("hidden"), always_inline)) inline
#else
#define ORQ_INTERNAL
#define ORQ_KERNEL inline
#endif

namespace orq::detail {

// Written as x * pi / 180 (not x * (pi / 180)): the last bits of every
// result follow from this rounding.
inline double DegToRad(double Degrees) { return Degrees * Pi / 180.0; }
inline double RadToDeg(double Radians) { return Radians * 180.0 / Pi; }

struct TEllipsoidConstants {
  double A, B;  // semi-major and semi-minor axis, m

  // Meridian arc and footpoint latitude: ((a + b) / 2)(1 + n^2/4 + n^4/64)
  // and the coefficients of sin 2phi .. sin 8phi.
  double ArcScale, InvArcScale;
  double ArcCoef[4];
  double FootCoef[4];

  // Transverse Mercator: e'^2 = (a^2 - b^2) / b^2 and a^2 / b (N = a^2/b / sqrt(1 + nu^2)).
  double SecondEccSquared;
  double A2OverB, BOverA2;

  // Polar stereographic: e^2 = 1 - (b/a)^2, e, and sqrt(1 - e^2) exp(e artanh e),
  // the factor that ties T to rho.
  double UpsEccSquared;
  double UpsEcc;
  double UpsRhoFactor;

  // Cartesian: e^2 = 1 - b^2/a^2, 1 - e^2, the axis ratio 1 - 1/rf (1 for a
  // sphere) and e^2 a.
  double EccSquared;
  double OneMinusEccSquared;
  double AxisRatio;
  double EccSquaredA;
};

// Sine and cosine of one angle in one call where the C library offers it.
inline void SinCos(double X, double& S, double& C) {
#if defined(__GLIBC__)
  ::sincos(X, &S, &C);
#else
  S = std::sin(X);
  C = std::cos(X);
#endif
}

// The constants of an ellipsoid; built on first use, then read only.
ORQ_INTERNAL const TEllipsoidConstants& EllipsoidConstants(TGeoEllipsoid Ellipsoid);

}  // namespace orq::detail
