// The optimised series (precomputed constants, Clenshaw sums, Horner form)
// against the plain transcription, on every ellipsoid.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "orqcarta/Orq_GeoBasics.h"
#include "reference_series.h"

namespace orq {
namespace {

constexpr double kDeg = 3.14159265358979323846 / 180.0;

// Distance beyond what the last bits of a value can hold: near 10 000 km a
// unit in the last place is 1.9e-9 m, so agreement is judged in metres and
// in units in the last place together.
double Excess(double value, double reference, double scale = 0) {
  const double mag = std::max(std::fabs(reference), std::fabs(scale));
  const double ulp = std::nextafter(mag, INFINITY) - mag;
  return std::max(0.0, std::fabs(value - reference) - 4 * ulp);
}

TEST(SeriesAgreement, MeridianArcAndTransverseMercator) {
  double worstArc = 0, worstXY = 0, worstPhi = 0, worstLambda = 0;
  for (int ei = 0; ei < GeoEllipsoidCount; ++ei) {
    const auto e = static_cast<TGeoEllipsoid>(ei);
    for (double lat = -89.5; lat <= 89.5; lat += 3.7) {
      const double phi = lat * kDeg;
      worstArc = std::max(worstArc, Excess(ArcLengthOfMeridian(phi, e), reference::ArcLengthOfMeridian(phi, e)));
      for (double dl = -9; dl <= 9; dl += 1.3) {
        const double lambda0 = 0.3, lambda = lambda0 + dl * kDeg;
        double x, y, rx, ry;
        LatLongToTM(phi, lambda, lambda0, e, x, y);
        reference::LatLongToTM(phi, lambda, lambda0, e, rx, ry);
        worstXY = std::max({worstXY, Excess(x, rx), Excess(y, ry)});

        double p, l, rp, rl;
        TMToLatLong(x, y, lambda0, e, p, l);
        reference::TMToLatLong(x, y, lambda0, e, rp, rl);
        worstPhi = std::max(worstPhi, std::fabs(p - rp));
        worstLambda = std::max(worstLambda, std::fabs(l - rl));
      }
    }
  }
    std::printf("optimised vs transcription, beyond 4 ulp: arc %.3g m, x/y %.3g m, phi %.3g rad, lambda %.3g rad\n", worstArc,
              worstXY, worstPhi, worstLambda);
  EXPECT_LT(worstArc, 1e-9);
  EXPECT_LT(worstXY, 1e-9);
  EXPECT_LT(worstPhi, 2e-14);
  EXPECT_LT(worstLambda, 2e-14);
}

TEST(SeriesAgreement, UTMBothWays) {
  double worstEN = 0, worstDeg = 0;
  for (TGeoEllipsoid e : {gelWGS84, gelInt24, gelClrk66, gelAiry30, gelSphere}) {
    for (double lat = -80; lat <= 84; lat += 2.9) {
      for (double lon = -180; lon < 180; lon += 7.3) {
        int zone, rzone;
        double E, N, rE, rN;
        LatLongToUTM(lat, lon, e, zone, E, N);
        reference::LatLongToUTM(lat, lon, e, rzone, rE, rN);
        ASSERT_EQ(zone, rzone);
        worstEN = std::max({worstEN, Excess(E, rE), Excess(N, rN, 1e7)});  // southern northings lose the bits of y
        double la, lo, rla, rlo;
        UTMToLatLong(E, N, zone, lat < 0, e, la, lo);
        reference::UTMToLatLong(E, N, zone, lat < 0, e, rla, rlo);
        worstDeg = std::max({worstDeg, std::fabs(la - rla), std::fabs(lo - rlo)});
      }
    }
  }
  std::printf("optimised vs transcription, UTM: %.3g m, %.3g deg\n", worstEN, worstDeg);
  EXPECT_LT(worstEN, 1e-9);
  EXPECT_LT(worstDeg, 1e-12);
}

TEST(SeriesAgreement, Cartesian) {
  double worstXYZ = 0, worstDeg = 0, worstH = 0;
  for (int ei = 0; ei < GeoEllipsoidCount; ++ei) {
    const auto e = static_cast<TGeoEllipsoid>(ei);
    for (double lat = -89.9; lat <= 90; lat += 7.7) {
      for (double lon = -179.5; lon <= 180; lon += 23.1) {
        for (double h : {-500.0, 0.0, 8848.0, 400000.0}) {
          double X, Y, Z, rX, rY, rZ;
          GeoToCartesian(lat, lon, h, e, X, Y, Z);
          reference::GeoToCartesian(lat, lon, h, e, rX, rY, rZ);
          worstXYZ = std::max({worstXYZ, Excess(X, rX), Excess(Y, rY), Excess(Z, rZ)});
          double la, lo, hh, rla, rlo, rh;
          CartesianToGeo(X, Y, Z, e, la, lo, hh);
          reference::CartesianToGeo(X, Y, Z, e, rla, rlo, rh);
          worstDeg = std::max({worstDeg, std::fabs(la - rla), std::fabs(lo - rlo)});
          worstH = std::max(worstH, Excess(hh, rh, std::fabs(X) + std::fabs(Y) + std::fabs(Z)));
        }
      }
    }
  }
  std::printf("optimised vs transcription, cartesian: %.3g m, %.3g deg, height %.3g m\n", worstXYZ, worstDeg,
              worstH);
  EXPECT_LT(worstXYZ, 1e-9);
  EXPECT_LT(worstDeg, 1e-12);
  EXPECT_LT(worstH, 1e-9);
}

}  // namespace
}  // namespace orq
