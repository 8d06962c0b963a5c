// UTM into a chosen zone against GeographicLib's UTMUPS::Forward with
// setzone: positions of zones 32 and 33 projected into the neighbour zone,
// in both hemispheres.
#include <gtest/gtest.h>

#include <GeographicLib/UTMUPS.hpp>
#include <algorithm>
#include <cmath>

#include "orqcarta/Orq_GeoBasics.h"

namespace orq {
namespace {

struct Crossing {
  int ownZone, intoZone;
  double lonFrom, lonTo;  // degrees, in the own zone, 3 to 4 from the other's meridian
};

TEST(UTMChosenZone, AgreesWithGeographicLibAcrossTheZoneBorder) {
  const Crossing crossings[] = {{32, 33, 11.0, 11.999}, {33, 32, 12.0, 13.0}};
  double worst = 0;
  int compared = 0;
  for (const Crossing& c : crossings) {
    for (double lat = -79.5; lat <= 83.5; lat += 0.5) {
      for (int i = 0; i <= 10; ++i) {
        const double lon = c.lonFrom + (c.lonTo - c.lonFrom) * i / 10.0;
        int zone = 0;
        bool northp = false;
        double gx, gy, gamma, k;
        try {
          GeographicLib::UTMUPS::Forward(lat, lon, zone, northp, gx, gy, gamma, k, c.intoZone);
        } catch (const GeographicLib::GeographicErr&) {
          continue;  // beyond the neighbour grid's easting limits near the equator
        }
        ASSERT_EQ(zone, c.intoZone);
        double e, n;
        LatLongToUTM(lat, lon, gelWGS84, c.intoZone, !northp, e, n);
        worst = std::max(worst, std::hypot(e - gx, n - gy));
        ++compared;
      }
    }
  }
  EXPECT_GT(compared, 3000);
  EXPECT_LT(worst, 0.5e-3) << "metres";
}

TEST(UTMChosenZone, HemisphereOnlyShiftsTheNorthing) {
  double en, nn, es, ns;
  LatLongToUTM(1.5, 11.0, gelWGS84, 33, false, en, nn);
  LatLongToUTM(1.5, 11.0, gelWGS84, 33, true, es, ns);
  EXPECT_EQ(en, es);
  EXPECT_EQ(ns, nn + UTMFalseNorthing);
  // South of the equator in a northern grid the northing is negative.
  LatLongToUTM(-1.5, 11.0, gelWGS84, 33, false, en, nn);
  EXPECT_LT(nn, 0);
}

TEST(UTMChosenZone, OwnZoneGivesTheSameBitsAsTheAutomaticZone) {
  for (double lat : {-45.25, -0.5, 0.0, 0.5, 47.75, 63.0}) {
    for (double lon : {6.0, 9.0, 11.999}) {
      int zone = 0;
      double e, n;
      LatLongToUTM(lat, lon, gelInt24, zone, e, n);
      ASSERT_EQ(zone, 32);
      double ce, cn;
      LatLongToUTM(lat, lon, gelInt24, 32, lat < 0, ce, cn);
      EXPECT_EQ(ce, e) << lat << " " << lon;
      EXPECT_EQ(cn, n) << lat << " " << lon;
    }
  }
}

TEST(UTMChosenZone, ZoneOutsideTheGridGivesNaN) {
  for (int zone : {0, -1, 61}) {
    double e = 0, n = 0;
    LatLongToUTM(45.0, 9.0, gelWGS84, zone, false, e, n);
    EXPECT_TRUE(std::isnan(e)) << zone;
    EXPECT_TRUE(std::isnan(n)) << zone;
  }
  double e, n;
  EXPECT_THROW(LatLongToUTM(45.0, 9.0, static_cast<TGeoEllipsoid>(-1), 32, false, e, n), EOrqGeoBasicsError);
}

}  // namespace
}  // namespace orq
