#include <gtest/gtest.h>

#include <GeographicLib/Geocentric.hpp>
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "orqcarta/Orq_GeoBasics.h"

namespace orq {
namespace {

TEST(Cartesian, AxisPointsOnWGS84) {
  double X, Y, Z;
  GeoToCartesian(0, 0, 0, gelWGS84, X, Y, Z);
  EXPECT_EQ(X, 6378137.0);
  EXPECT_EQ(Y, 0.0);
  EXPECT_EQ(Z, 0.0);
  GeoToCartesian(90, 0, 0, gelWGS84, X, Y, Z);
  EXPECT_NEAR(Z, 6356752.314245, 1e-6);
  EXPECT_NEAR(X, 0, 1e-9);
  GeoToCartesian(0, 90, 100, gelWGS84, X, Y, Z);
  EXPECT_NEAR(Y, 6378237.0, 1e-9);
}

TEST(Cartesian, NegativeXKeepsTheQuadrant) {
  for (double lon : {91.0, 135.0, 179.9, -91.0, -135.0, -179.9}) {
    double X, Y, Z, lat, lo, h;
    GeoToCartesian(-33.5, lon, 250, gelWGS84, X, Y, Z);
    ASSERT_LT(X, 0);
    CartesianToGeo(X, Y, Z, gelWGS84, lat, lo, h);
    EXPECT_NEAR(lo, lon, 1e-12);
    EXPECT_NEAR(lat, -33.5, 1e-10);
    EXPECT_NEAR(h, 250, 1e-6);
  }
}

TEST(Cartesian, PolarAxisAndCentreGiveNoNaN) {
  double lat, lon, h;
  CartesianToGeo(0, 0, 6356752.314245 + 10, gelWGS84, lat, lon, h);
  EXPECT_EQ(lat, 90.0);
  EXPECT_EQ(lon, 0.0);
  EXPECT_NEAR(h, 10, 1e-9);
  CartesianToGeo(0, 0, -6356000.0, gelWGS84, lat, lon, h);
  EXPECT_EQ(lat, -90.0);
  EXPECT_NEAR(h, 6356000.0 - 6356752.314245, 1e-9);
  CartesianToGeo(-0.0, 0, 100, gelSphere, lat, lon, h);
  EXPECT_EQ(lat, 90.0);
  EXPECT_EQ(lon, 0.0);
  EXPECT_EQ(h, 100 - 6370997.0);

  // The centre: latitude 0, longitude 0 and the height that leads back to it.
  CartesianToGeo(0, 0, 0, gelWGS84, lat, lon, h);
  EXPECT_EQ(lat, 0.0);
  EXPECT_EQ(lon, 0.0);
  double X, Y, Z;
  GeoToCartesian(lat, lon, h, gelWGS84, X, Y, Z);
  EXPECT_EQ(X, 0.0);
  EXPECT_EQ(Z, 0.0);

  // Deep inside, in the equatorial plane where the formula's denominator vanishes.
  const double e2a = GeoEllEccSquared(gelWGS84) * 6378137.0;
  CartesianToGeo(e2a, 0, 0, gelWGS84, lat, lon, h);
  EXPECT_EQ(lat, 0.0);
  EXPECT_NEAR(h, e2a - 6378137.0, 1e-6);

  // Just off the axis the closed formula still returns the right pole.
  CartesianToGeo(1e-300, 0, 6356752.314245, gelWGS84, lat, lon, h);
  EXPECT_EQ(lat, 90.0);
  EXPECT_NEAR(h, 0, 1e-6);
  CartesianToGeo(1e-3, 1e-3, -6356752.314245, gelWGS84, lat, lon, h);
  EXPECT_NEAR(lat, -90.0 + 1.27e-8, 1e-10);  // 1.4 mm from the axis
  EXPECT_NEAR(lon, 45.0, 1e-12);
}

TEST(Cartesian, SpheresUseTheGeocentricLatitude) {
  for (TGeoEllipsoid e : {gelSphere, gelAuthSph, gelInt24AuthSph, gelPopVisSphere}) {
    const double R = GeoEllipsoidData[e][0];
    double X, Y, Z, lat, lon, h;
    GeoToCartesian(40, -75, 1200, e, X, Y, Z);
    EXPECT_NEAR(std::sqrt(X * X + Y * Y + Z * Z), R + 1200, 1e-6);
    CartesianToGeo(X, Y, Z, e, lat, lon, h);
    EXPECT_NEAR(lat, 40, 1e-12) << GeoEllipsoidId[e];
    EXPECT_NEAR(lon, -75, 1e-12);
    EXPECT_NEAR(h, 1200, 1e-6);
  }
}

// The closed formula leaves a few micrometres at terrestrial heights
// (-1..10 km), also within a degree of the poles.
TEST(Cartesian, AgreesWithGeographicLibGeocentric) {
  double worstForward = 0, worstLatLon = 0, worstHeight = 0, worstPolar = 0;
  for (TGeoEllipsoid e : {gelWGS84, gelInt24, gelClrk80, gelBess41}) {
    const double a = GeoEllipsoidData[e][0], b = GeoEllipsoidData[e][1];
    const GeographicLib::Geocentric geo(a, (a - b) / a);
    for (double lat = -90; lat <= 90; lat += 1.5) {
      for (double lon = -180; lon <= 180; lon += 17.5) {
        for (double h : {-1000.0, 0.0, 3000.0, 10000.0}) {
          double gX, gY, gZ, X, Y, Z;
          geo.Forward(lat, lon, h, gX, gY, gZ);
          GeoToCartesian(lat, lon, h, e, X, Y, Z);
          worstForward = std::max(worstForward, std::hypot(X - gX, Y - gY, Z - gZ));

          double la, lo, hh;
          CartesianToGeo(gX, gY, gZ, e, la, lo, hh);
          // Back to cartesian to measure the position error in metres.
          double bX, bY, bZ;
          geo.Forward(la, lo, hh, bX, bY, bZ);
          const double dist = std::hypot(bX - gX, bY - gY, bZ - gZ);
          if (std::fabs(lat) > 89) {
            worstPolar = std::max(worstPolar, dist);
          } else {
            worstLatLon = std::max(worstLatLon, dist);
            worstHeight = std::max(worstHeight, std::fabs(hh - h));
          }
        }
      }
    }
  }
  std::printf("cartesian vs Geocentric: forward %.3g m, inverse %.3g m (height %.3g m), above 89 deg %.3g m\n",
              worstForward, worstLatLon, worstHeight, worstPolar);
  EXPECT_LT(worstForward, 1e-8);
  EXPECT_LT(worstLatLon, 5e-6);
  EXPECT_LT(worstHeight, 1e-6);
  EXPECT_LT(worstPolar, 1e-6);
}

TEST(Cartesian, RoundTripOnEveryEllipsoid) {
  double worst = 0;
  for (int ei = 0; ei < GeoEllipsoidCount; ++ei) {
    const auto e = static_cast<TGeoEllipsoid>(ei);
    for (double lat : {-89.99, -60.0, -1.0, 0.0, 33.3, 75.0, 90.0}) {
      for (double lon : {-180.0, -100.0, 0.0, 45.0, 170.0}) {
        double X, Y, Z, la, lo, h;
        GeoToCartesian(lat, lon, 500, e, X, Y, Z);
        CartesianToGeo(X, Y, Z, e, la, lo, h);
        // Metres on the ground: latitude by the meridian radius, longitude by the parallel.
        const double dLat = (la - lat) * 111000.0;
        const double dLon = std::remainder(lo - lon, 360.0) * 111000.0 * std::cos(lat * 3.141592653589793 / 180);
        worst = std::max({worst, std::fabs(dLat), std::fabs(dLon), std::fabs(h - 500)});
      }
    }
  }
  std::printf("cartesian round trip, 61 ellipsoids: %.3g m\n", worst);
  EXPECT_LT(worst, 5e-6);
}

}  // namespace
}  // namespace orq
