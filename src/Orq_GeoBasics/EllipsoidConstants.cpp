#include "EllipsoidConstants.h"

#include <array>
#include <cmath>

namespace orq::detail {

namespace {

TEllipsoidConstants Compute(TGeoEllipsoid e) {
  TEllipsoidConstants k{};
  const double a = GeoEllipsoidData[e][0];
  const double b = GeoEllipsoidData[e][1];
  k.A = a;
  k.B = b;

  const double n = (a - b) / (a + b);
  const double n2 = n * n, n3 = n2 * n, n4 = n3 * n, n5 = n4 * n;
  k.ArcScale = ((a + b) / 2.0) * (1.0 + n2 / 4.0 + n4 / 64.0);
  k.InvArcScale = 1.0 / k.ArcScale;
  k.ArcCoef[0] = -3.0 * n / 2.0 + 9.0 * n3 / 16.0 - 3.0 * n5 / 32.0;
  k.ArcCoef[1] = 15.0 * n2 / 16.0 - 15.0 * n4 / 32.0;
  k.ArcCoef[2] = -35.0 * n3 / 48.0 + 105.0 * n5 / 256.0;
  k.ArcCoef[3] = 315.0 * n4 / 512.0;
  k.FootCoef[0] = 3.0 * n / 2.0 - 27.0 * n3 / 32.0 + 269.0 * n5 / 512.0;
  k.FootCoef[1] = 21.0 * n2 / 16.0 - 55.0 * n4 / 32.0;
  k.FootCoef[2] = 151.0 * n3 / 96.0 - 417.0 * n5 / 128.0;
  k.FootCoef[3] = 1097.0 * n4 / 512.0;

  k.SecondEccSquared = (a * a - b * b) / (b * b);
  k.A2OverB = a * a / b;
  k.BOverA2 = b / (a * a);

  const double ratio = b / a;
  k.UpsEccSquared = 1.0 - ratio * ratio;
  k.UpsEcc = std::sqrt(std::fabs(k.UpsEccSquared));
  k.UpsRhoFactor = std::sqrt(1.0 - k.UpsEccSquared) * std::exp(k.UpsEcc * std::atanh(k.UpsEcc));

  k.EccSquared = GeoEllEccSquared(e);
  k.OneMinusEccSquared = 1.0 - k.EccSquared;
  const double rf = RecipFlattening(e);
  // A sphere has no flattening (rf = 0): its axis ratio is 1.
  k.AxisRatio = rf == 0 ? 1.0 : 1.0 - 1.0 / rf;
  k.EccSquaredA = k.EccSquared * a;
  return k;
}

}  // namespace

const TEllipsoidConstants& EllipsoidConstants(TGeoEllipsoid Ellipsoid) {
  // A value outside the enumeration would read past the catalogue.
  if (static_cast<unsigned>(Ellipsoid) >= static_cast<unsigned>(GeoEllipsoidCount))
    throw EOrqGeoBasicsError("invalid ellipsoid");
  static const std::array<TEllipsoidConstants, GeoEllipsoidCount> table = [] {
    std::array<TEllipsoidConstants, GeoEllipsoidCount> t{};
    for (int i = 0; i < GeoEllipsoidCount; ++i) t[i] = Compute(static_cast<TGeoEllipsoid>(i));
    return t;
  }();
  return table[Ellipsoid];
}

}  // namespace orq::detail
