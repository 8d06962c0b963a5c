#include <gtest/gtest.h>

#include <GeographicLib/PolarStereographic.hpp>
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "orqcarta/Orq_GeoBasics.h"

namespace orq {
namespace {

TEST(UPS, PolesAndGridAxesAreExact) {
  double E, N;
  LatLongToUPS(90, 37, gelWGS84, E, N);
  EXPECT_EQ(E, 2000000.0);
  EXPECT_EQ(N, 2000000.0);
  LatLongToUPS(-90, -120, gelWGS84, E, N);
  EXPECT_EQ(E, 2000000.0);
  EXPECT_EQ(N, 2000000.0);

  // Longitude 180 is taken as -180: on the grid's Y axis, X exactly 0.
  for (double lon : {180.0, -180.0}) {
    LatLongToUPS(85, lon, gelWGS84, E, N);
    EXPECT_EQ(E, 2000000.0) << lon;
    EXPECT_GT(N, 2000000.0) << lon;  // north: grid north points along 180
  }
  for (double lon : {90.0, -90.0, 270.0}) {
    LatLongToUPS(-85, lon, gelWGS84, E, N);
    EXPECT_EQ(N, 2000000.0) << lon;
  }
  LatLongToUPS(-85, 0, gelWGS84, E, N);
  EXPECT_GT(N, 2000000.0);  // south: grid north points along 0
  LatLongToUPS(85, 0, gelWGS84, E, N);
  EXPECT_LT(N, 2000000.0);
}

TEST(UPS, InverseAtTheGridOriginIsThePole) {
  double lat, lon;
  UPSToLatLong(2000000, 2000000, false, gelWGS84, lat, lon);
  EXPECT_EQ(lat, 90.0);
  UPSToLatLong(2000000, 2000000, true, gelWGS84, lat, lon);
  EXPECT_EQ(lat, -90.0);
  EXPECT_FALSE(std::isnan(lon));
}

TEST(UPS, AgreesWithGeographicLibPolarStereographic) {
  const GeographicLib::PolarStereographic& ups = GeographicLib::PolarStereographic::UPS();
  double worstGrid = 0, worstDeg = 0;
  for (double lat = 60; lat <= 90; lat += 0.7) {
    for (double lon = -180; lon < 180; lon += 6.1) {
      for (bool north : {true, false}) {
        const double la = north ? lat : -lat;
        double gx, gy, E, N;
        ups.Forward(north, la, lon, gx, gy);
        LatLongToUPS(la, lon, gelWGS84, E, N);
        worstGrid = std::max(worstGrid, std::hypot(E - 2000000 - gx, N - 2000000 - gy));

        double rla, rlo;
        UPSToLatLong(gx + 2000000, gy + 2000000, !north, gelWGS84, rla, rlo);
        double dlon = std::remainder(rlo - lon, 360.0);
        if (std::fabs(la) > 89.999) dlon = 0;  // longitude is ill-defined at the pole
        worstDeg = std::max({worstDeg, std::fabs(rla - la), std::fabs(dlon)});
      }
    }
  }
  std::printf("UPS vs PolarStereographic: forward %.3g m, inverse %.3g deg\n", worstGrid, worstDeg);
  EXPECT_LT(worstGrid, 1e-6);
  EXPECT_LT(worstDeg, 1e-11);
}

TEST(UPS, RoundTripOnSpheresAndEllipsoids) {
  for (TGeoEllipsoid e : {gelWGS84, gelClrk66, gelSphere, gelPopVisSphere}) {
    for (double lat : {-89.0, -70.5, 64.0, 88.8}) {
      for (double lon : {-179.0, -45.0, 0.0, 12.5, 135.0}) {
        double E, N, la, lo;
        LatLongToUPS(lat, lon, e, E, N);
        UPSToLatLong(E, N, lat < 0, e, la, lo);
        EXPECT_NEAR(la, lat, 1e-11) << GeoEllipsoidId[e];
        EXPECT_NEAR(lo, lon, 1e-10) << GeoEllipsoidId[e];
      }
    }
  }
}

}  // namespace
}  // namespace orq
