// Transverse Mercator and UTM against GeographicLib's exact-to-nanometres
// series. The sixth-order series in l degrades away from the central
// meridian; the bounds below are the measured maxima with a small margin.
#include <gtest/gtest.h>

#include <GeographicLib/TransverseMercator.hpp>
#include <GeographicLib/UTMUPS.hpp>
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "orqcarta/Orq_GeoBasics.h"

namespace orq {
namespace {

constexpr double kDeg = 3.14159265358979323846 / 180.0;

struct Band {
  double from, to;            // degrees of longitude from the central meridian
  double forwardBound, inverseBound;  // metres
};

struct BandError {
  double forward = 0, inverse = 0;
};

// Largest forward error (grid distance to GeographicLib's x, y) and inverse
// error (grid distance between GeographicLib's forward of our inverse and the
// point we inverted) over latitudes -80..84 and offsets in the band.
BandError MeasureBand(TGeoEllipsoid e, double centralDeg, const Band& band) {
  const double a = GeoEllipsoidData[e][0], b = GeoEllipsoidData[e][1];
  const GeographicLib::TransverseMercator tm(a, (a - b) / a, 1.0);
  BandError err;
  for (double lat = -80; lat <= 84; lat += 0.5) {
    for (int i = 0; i <= 12; ++i) {
      const double off = band.from + (band.to - band.from) * i / 12.0;
      for (double sign : {-1.0, 1.0}) {
        const double lon = centralDeg + sign * off;
        double gx, gy;
        tm.Forward(centralDeg, lat, lon, gx, gy);
        double x, y;
        LatLongToTM(lat * kDeg, lon * kDeg, centralDeg * kDeg, e, x, y);
        err.forward = std::max(err.forward, std::hypot(x - gx, y - gy));

        double phi, lambda;
        TMToLatLong(gx, gy, centralDeg * kDeg, e, phi, lambda);
        double bx, by;
        tm.Forward(centralDeg, phi / kDeg, lambda / kDeg, bx, by);
        err.inverse = std::max(err.inverse, std::hypot(bx - gx, by - gy));
      }
    }
  }
  return err;
}

TEST(TMOracle, WithinEachBandOfTheCentralMeridian) {
  const Band bands[] = {{0, 3, 2e-5, 5e-6}, {3, 6, 0.9e-3, 0.5e-3}, {6, 9, 12e-3, 15e-3}};
  for (TGeoEllipsoid e : {gelWGS84, gelInt24, gelBess41, gelAiry30, gelClrk80}) {
    for (const Band& band : bands) {
      const BandError err = MeasureBand(e, 9.0, band);
      std::printf("%-10s %g..%g deg: forward %.3g m, inverse %.3g m\n", GeoEllipsoidId[e].c_str(), band.from,
                  band.to, err.forward, err.inverse);
      EXPECT_LT(err.forward, band.forwardBound) << GeoEllipsoidId[e] << " " << band.from;
      EXPECT_LT(err.inverse, band.inverseBound) << GeoEllipsoidId[e] << " " << band.from;
    }
  }
}

TEST(TMOracle, SphereMatchesTheSphericalFormula) {
  // On a sphere the projection has the closed form x = R artanh(cos phi sin l),
  // y = R atan2(tan phi, cos l).
  const double R = GeoEllipsoidData[gelSphere][0];
  double worst = 0;
  for (double lat = -80; lat <= 80; lat += 5) {
    for (double dl = -3; dl <= 3; dl += 0.5) {
      const double phi = lat * kDeg, l = dl * kDeg;
      double x, y;
      LatLongToTM(phi, l, 0, gelSphere, x, y);
      const double ex = R * std::atanh(std::cos(phi) * std::sin(l));
      const double ey = R * std::atan2(std::tan(phi), std::cos(l));
      worst = std::max(worst, std::hypot(x - ex, y - ey));
    }
  }
  EXPECT_LT(worst, 2e-5);
}

TEST(UTMOracle, AgreesWithGeographicLibUTMUPS) {
  double worstForward = 0, worstInverse = 0;
  for (double lat = -80; lat <= 84; lat += 0.75) {
    for (double lon = -180; lon < 180; lon += 0.83) {
      int gzone;
      bool northp;
      double gx, gy;
      GeographicLib::UTMUPS::Forward(lat, lon, gzone, northp, gx, gy);
      int zone;
      double E, N;
      LatLongToUTM(lat, lon, gelWGS84, zone, E, N);
      ASSERT_EQ(zone, gzone) << lat << ", " << lon;
      worstForward = std::max(worstForward, std::hypot(E - gx, N - gy));

      double la, lo;
      UTMToLatLong(gx, gy, gzone, !northp, gelWGS84, la, lo);
      int bzone;
      bool bnorth;
      double bx, by;
      GeographicLib::UTMUPS::Forward(la, lo, bzone, bnorth, bx, by, gzone);
      worstInverse = std::max(worstInverse, std::hypot(bx - gx, by - gy));
    }
  }
  std::printf("UTM vs UTMUPS: forward %.3g m, inverse %.3g m\n", worstForward, worstInverse);
  // Norway and Svalbard zones reach 9 degrees from their central meridian.
  EXPECT_LT(worstForward, 12e-3);
  EXPECT_LT(worstInverse, 15e-3);
}

TEST(UTM, EquatorAndFalseNorthing) {
  int zone;
  double E, N;
  LatLongToUTM(0, 9, gelWGS84, zone, E, N);
  EXPECT_EQ(zone, 32);
  EXPECT_DOUBLE_EQ(E, 500000.0);
  EXPECT_EQ(N, 0.0);

  LatLongToUTM(-1e-7, 9, gelWGS84, zone, E, N);
  EXPECT_LT(N, 10000000.0);
  EXPECT_GT(N, 10000000.0 - 0.02);
  double lat, lon;
  UTMToLatLong(E, N, zone, true, gelWGS84, lat, lon);
  EXPECT_NEAR(lat, -1e-7, 1e-12);
  EXPECT_NEAR(lon, 9, 1e-12);
}

TEST(UTM, OutsideTheGridProjectsAboutMeridianZero) {
  int zone = -1;
  double E, N, x, y;
  LatLongToUTM(85, 2, gelWGS84, zone, E, N);
  EXPECT_EQ(zone, 0);
  LatLongToTM(85 * kDeg, 2 * kDeg, 0, gelWGS84, x, y);
  EXPECT_NEAR(E, x * 0.9996 + 500000, 1e-9);
  EXPECT_NEAR(N, y * 0.9996, 1e-9);
  double lat, lon;
  UTMToLatLong(E, N, 0, false, gelWGS84, lat, lon);
  EXPECT_NEAR(lat, 85, 1e-9);
  EXPECT_NEAR(lon, 2, 1e-9);
}

TEST(UTM, RoundTripOnEveryEllipsoid) {
  // Includes a Svalbard point 5.7 degrees from its central meridian at 83.9 N,
  // where the truncated series leave about 6e-9 degrees.
  double worst = 0;
  for (int ei = 0; ei < GeoEllipsoidCount; ++ei) {
    const auto e = static_cast<TGeoEllipsoid>(ei);
    for (double lat : {-79.5, -45.2, -0.3, 0.0, 12.7, 51.5, 83.9}) {
      for (double lon : {-179.9, -3.01, 8.7, 100.0}) {
        int zone;
        double E, N, la, lo;
        LatLongToUTM(lat, lon, e, zone, E, N);
        UTMToLatLong(E, N, zone, lat < 0, e, la, lo);
        worst = std::max({worst, std::fabs(la - lat), std::fabs(lo - lon)});
      }
    }
  }
  EXPECT_LT(worst, 1e-8);
}

TEST(UTM, PolesAndBadEllipsoids) {
  // At the pole tan phi is huge and cos phi tiny; the series must still be finite.
  int zone;
  double E, N, lat, lon;
  LatLongToUTM(90, 10, gelWGS84, zone, E, N);
  EXPECT_EQ(zone, 0);
  EXPECT_NEAR(E, 500000, 1e-6);
  EXPECT_NEAR(N, 0.9996 * ArcLengthOfMeridian(3.14159265358979323846 / 2, gelWGS84), 1e-6);
  LatLongToUTM(-90, -10, gelWGS84, zone, E, N);
  EXPECT_TRUE(std::isfinite(E) && std::isfinite(N));
  UTMToLatLong(E, N, 0, true, gelWGS84, lat, lon);
  EXPECT_NEAR(lat, -90, 1e-7);

  const auto bad = static_cast<TGeoEllipsoid>(GeoEllipsoidCount);
  EXPECT_THROW(LatLongToUTM(10, 10, bad, zone, E, N), EOrqGeoBasicsError);
  EXPECT_THROW(GeoToCartesian(10, 10, 0, static_cast<TGeoEllipsoid>(-1), E, N, lat), EOrqGeoBasicsError);
  try {
    ArcLengthOfMeridian(1, bad);
    ADD_FAILURE() << "no exception";
  } catch (const EOrqGeoBasicsError& e) {
    EXPECT_STREQ(e.what(), "invalid ellipsoid");
  }
}

}  // namespace
}  // namespace orq
