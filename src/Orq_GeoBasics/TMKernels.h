// Inline kernels of the meridian arc and the transverse Mercator series,
// shared by the TM and UTM entry points so that each call stays in one
// translation unit.
//
// The sine series sum c1 sin 2x + c2 sin 4x + c3 sin 6x + c4 sin 8x is summed
// by Clenshaw's recurrence from one sine/cosine pair; the TM series are
// evaluated in Horner form in (cos phi * l)^2 and (x / N)^2.
#pragma once

#include <cmath>

#include "EllipsoidConstants.h"

namespace orq::detail {

// sum_{k=1..4} c[k-1] sin(2k x), given sin x and cos x.
ORQ_KERNEL double SineSeries4(const double (&c)[4], double SinX, double CosX) {
  const double sin2 = 2.0 * SinX * CosX;
  const double cos2 = (CosX - SinX) * (CosX + SinX);
  const double twoCos2 = 2.0 * cos2;
  const double b4 = c[3];
  const double b3 = c[2] + twoCos2 * b4;
  const double b2 = c[1] + twoCos2 * b3 - b4;
  const double b1 = c[0] + twoCos2 * b2 - b3;
  return b1 * sin2;
}

ORQ_KERNEL double MeridianArc(const TEllipsoidConstants& k, double Phi, double SinPhi, double CosPhi) {
  return k.ArcScale * (Phi + SineSeries4(k.ArcCoef, SinPhi, CosPhi));
}

ORQ_KERNEL double FootpointLatitude(const TEllipsoidConstants& k, double Y) {
  const double yr = Y * k.InvArcScale;
  double s, c;
  SinCos(yr, s, c);
  return yr + SineSeries4(k.FootCoef, s, c);
}

// Unscaled transverse Mercator of (Phi, L = Lambda - Lambda0), radians.
ORQ_KERNEL void TMForward(const TEllipsoidConstants& k, double Phi, double L, double& X, double& Y) {
  double s, c;
  SinCos(Phi, s, c);
  const double c2 = c * c;
  const double nu2 = k.SecondEccSquared * c2;
  const double N = k.A2OverB / std::sqrt(1.0 + nu2);
  const double t = s / c;
  const double t2 = t * t;
  const double l2 = L * L;
  const double u = c2 * l2;  // (cos phi * l)^2

  const double x3 = (1.0 - t2 + nu2) * (1.0 / 6.0);
  const double x5 = (5.0 - 18.0 * t2 + t2 * t2 + 14.0 * nu2 - 58.0 * t2 * nu2) * (1.0 / 120.0);
  const double x7 = (61.0 - 479.0 * t2 + 179.0 * t2 * t2 - t2 * t2 * t2) * (1.0 / 5040.0);
  X = N * c * L * (1.0 + u * (x3 + u * (x5 + u * x7)));

  const double y4 = (5.0 - t2 + 9.0 * nu2 + 4.0 * nu2 * nu2) * (1.0 / 24.0);
  const double y6 = (61.0 - 58.0 * t2 + t2 * t2 + 270.0 * nu2 - 330.0 * t2 * nu2) * (1.0 / 720.0);
  const double y8 = (1385.0 - 3111.0 * t2 + 543.0 * t2 * t2 - t2 * t2 * t2) * (1.0 / 40320.0);
  // t cos^2 phi = sin phi cos phi.
  Y = MeridianArc(k, Phi, s, c) + N * s * c * l2 * (0.5 + u * (y4 + u * (y6 + u * y8)));
}

// Inverse of TMForward: Phi and L = Lambda - Lambda0 in radians.
ORQ_KERNEL void TMInverse(const TEllipsoidConstants& k, double X, double Y, double& Phi, double& L) {
  const double phif = FootpointLatitude(k, Y);
  double sf, cf;
  SinCos(phif, sf, cf);
  const double nu2 = k.SecondEccSquared * cf * cf;
  const double icf = 1.0 / cf;
  const double t = sf * icf;
  const double t2 = t * t;
  const double t4 = t2 * t2;
  const double q = X * std::sqrt(1.0 + nu2) * k.BOverA2;  // x / Nf
  const double v = q * q;  // (x / Nf)^2

  const double p2 = -0.5 * (1.0 + nu2);
  const double p4 = (5.0 + 3.0 * t2 + 6.0 * nu2 - 6.0 * t2 * nu2 - 3.0 * nu2 * nu2 - 9.0 * t2 * nu2 * nu2) * (1.0 / 24.0);
  const double p6 = (-61.0 - 90.0 * t2 - 45.0 * t4 - 107.0 * nu2 + 162.0 * t2 * nu2) * (1.0 / 720.0);
  const double p8 = (1385.0 + 3633.0 * t2 + 4095.0 * t4 + 1575.0 * t4 * t2) * (1.0 / 40320.0);
  Phi = phif + t * v * (p2 + v * (p4 + v * (p6 + v * p8)));

  const double l3 = (-1.0 - 2.0 * t2 - nu2) * (1.0 / 6.0);
  const double l5 = (5.0 + 28.0 * t2 + 24.0 * t4 + 6.0 * nu2 + 8.0 * t2 * nu2) * (1.0 / 120.0);
  const double l7 = (-61.0 - 662.0 * t2 - 1320.0 * t4 - 720.0 * t4 * t2) * (1.0 / 5040.0);
  L = q * icf * (1.0 + v * (l3 + v * (l5 + v * l7)));
}

}  // namespace orq::detail
