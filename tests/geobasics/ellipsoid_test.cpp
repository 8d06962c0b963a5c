#include <gtest/gtest.h>

#include <cmath>

#include "orqcarta/Orq_GeoBasics.h"

namespace orq {
namespace {

TEST(Ellipsoid, WGS84ParametersComeFromTheStoredAxes) {
  EXPECT_NEAR(RecipFlattening(gelWGS84), 298.257223560493, 1e-9);
  EXPECT_NEAR(GeoEllEccSquared(gelWGS84), 0.0066943799901976, 1e-16);
}

TEST(Ellipsoid, SpheresHaveNoFlatteningOrEccentricity) {
  for (TGeoEllipsoid e : {gelSphere, gelAuthSph, gelInt24AuthSph, gelPopVisSphere}) {
    EXPECT_EQ(RecipFlattening(e), 0) << GeoEllipsoidId[e];
    EXPECT_EQ(GeoEllEccSquared(e), 0) << GeoEllipsoidId[e];
  }
}

TEST(Ellipsoid, TwoAxisFormsIgnoreArgumentOrder) {
  EXPECT_EQ(GeoEllEccSquared(6378137.0, 6356752.314245), GeoEllEccSquared(6356752.314245, 6378137.0));
  EXPECT_EQ(RecipFlattening(6378137.0, 6378137.0), 0);
}

TEST(Ellipsoid, ReciprocalFlatteningAndEccentricityConvertBothWays) {
  EXPECT_EQ(GeoEllEccSquared(0.0), 0);
  EXPECT_EQ(RecipFlattening(0.0), 0);
  EXPECT_EQ(RecipFlattening(1.0), 1);
  const double rf = RecipFlattening(gelInt24);
  EXPECT_NEAR(RecipFlattening(GeoEllEccSquared(rf)), rf, 1e-6);
}

TEST(Ellipsoid, MinorAxisFunctionsCheckTheirInput) {
  EXPECT_EQ(EllipsoidMinAxFlat(6378137.0, 0), 6378137.0);
  EXPECT_NEAR(EllipsoidMinAxFlat(6378388.0, 297.0), 6356911.946128, 1e-6);
  EXPECT_NEAR(EllipsoidMinAxEcc(6378137.0, GeoEllEccSquared(gelWGS84)), 6356752.314245, 1e-6);
  auto expect_message = [](auto&& call, const char* text) {
    try {
      call();
      ADD_FAILURE() << "no exception";
    } catch (const EOrqGeoBasicsError& e) {
      EXPECT_STREQ(e.what(), text);
    }
  };
  expect_message([] { EllipsoidMinAxFlat(1.0, -1.0); }, "invalid reciprocal flattening");
  expect_message([] { EllipsoidMinAxFlat(1.0, std::nan("")); }, "invalid reciprocal flattening");
  expect_message([] { EllipsoidMinAxEcc(1.0, -0.1); }, "invalid eccentricity");
  expect_message([] { RecipFlattening(-0.1); }, "invalid eccentricity");
  expect_message([] { RecipFlattening(1.1); }, "invalid eccentricity");
  expect_message([] { RecipFlattening(static_cast<TGeoEllipsoid>(GeoEllipsoidCount)); }, "invalid ellipsoid");
  expect_message([] { GeoEllEccSquared(static_cast<TGeoEllipsoid>(-1)); }, "invalid ellipsoid");
}

TEST(Ellipsoid, IdentifiersEqualTheEnumerationNames) {
  EXPECT_EQ(GeoEllipsoidId[gelWGS84], "gelWGS84");
  EXPECT_EQ(GeoEllipsoidId[gelNahrwan29], "gelNahrwan29");
  EXPECT_EQ(GeoEllipsoidId[gelClrk80intfoot], "gelClrk80intfoot");
  EXPECT_EQ(GeoEllipsoidName[gelInt24AuthSph], "International 1924 Authalic Sphere");
  EXPECT_EQ(static_cast<int>(gelNahrwan29), GeoEllipsoidCount - 1);
}

}  // namespace
}  // namespace orq
