#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "geomap_test_support.h"

namespace orq {
namespace {

std::string Message(const std::function<void()>& f) {
  try {
    f();
  } catch (const EOrqGeoMapError& e) {
    return e.what();
  }
  return "(no exception)";
}

TEST(CalibPoints, WrongModelRaisesAndChangesNothing) {
  TGeoMap m;
  m.SetName("Map1");
  m.SetCalibModel(cmEquiRect);
  EXPECT_EQ(Message([&] { m.AddCalibPoint(gtlMeridian, 10, 1, 2); }),
            "Component \"Map1\": current calibration model does not support this version of AddCalibPoint");
  EXPECT_EQ(Message([&] { m.RemoveCalibPoint(gtlMeridian, 10, 1, 2); }),
            "Component \"Map1\": current calibration model does not support this version of RemoveCalibPoint");
  EXPECT_EQ(Message([&] { m.AddCalibPoint(5000000, 500000, 33, hemiNorth, 1, 2); }),
            "Component \"Map1\": current calibration model does not support this version of AddCalibPoint");
  m.SetCalibModel(cmUTM);
  EXPECT_EQ(Message([&] { m.AddCalibPoint(45.0, 10.0, 1, 2); }),
            "Component \"Map1\": current calibration model does not support this version of AddCalibPoint");
  m.SetCalibModel(cmUndefined);
  EXPECT_THROW(m.AddCalibPoint(45.0, 10.0, 1, 2), EOrqGeoMapError);
  EXPECT_EQ(m.CalibData().NumCalLines, 0);
  EXPECT_EQ(m.CalibData().NumCalQuads, 0);

  // Coordinates that are not numbers would poison every fit.
  const double nan = std::nan("");
  m.SetCalibModel(cmParabolicIp);
  EXPECT_EQ(Message([&] { m.AddCalibPoint(gtlMeridian, nan, 1, 2); }),
            "Component \"Map1\": calibration point coordinates must be finite numbers");
  m.SetCalibModel(cmEquiRect);
  EXPECT_THROW(m.AddCalibPoint(nan, 10.0, 1, 2), EOrqGeoMapError);
  m.SetCalibModel(cmUTM);
  m.SetUTMZone(32);
  EXPECT_THROW(m.AddCalibPoint(5000000, HUGE_VAL, 32, hemiNorth, 1, 2), EOrqGeoMapError);
  EXPECT_EQ(m.CalibData().NumCalLines, 0);
  EXPECT_EQ(m.CalibData().NumCalQuads, 0);
}

TEST(CalibPoints, LineAndQuadrupleTablesAreBounded) {
  TCountingMap m;
  m.SetCalibModel(cmParabolicIp);
  for (int i = 0; i < 10; ++i) EXPECT_TRUE(m.AddCalibPoint(gtlParallel, 45, i, i));
  EXPECT_FALSE(m.AddCalibPoint(gtlParallel, 45, 99, 99));
  EXPECT_EQ(m.CalibData().CalLines[0].NumPoints, 10);
  for (int k = 1; k < 25; ++k) EXPECT_TRUE(m.AddCalibPoint(gtlMeridian, k, 0, 0));
  EXPECT_FALSE(m.AddCalibPoint(gtlMeridian, 100, 0, 0));
  EXPECT_EQ(m.CalibData().NumCalLines, 25);
  EXPECT_TRUE(m.AddCalibPoint(gtlMeridian, 24, 1, 1));  // an existing line still takes points

  m.SetCalibModel(cmEquiRect);
  for (int i = 0; i < 200; ++i) ASSERT_TRUE(m.AddCalibPoint(40 + i * 0.01, 10 + (i % 7), i, i % 7));
  m.Paints = 0;
  EXPECT_FALSE(m.AddCalibPoint(1.0, 2.0, 3, 4));
  EXPECT_EQ(m.CalibData().NumCalQuads, 200);
  EXPECT_EQ(m.Paints, 1);  // refused, but repainted
}

TEST(CalibPoints, LineValuesCompareExactly) {
  TGeoMap m;
  m.SetCalibModel(cmParabolicIp);
  m.AddCalibPoint(gtlParallel, 45.0, 1, 1);
  m.AddCalibPoint(gtlParallel, std::nextafter(45.0, 46.0), 2, 2);
  m.AddCalibPoint(gtlMeridian, 45.0, 3, 3);
  EXPECT_EQ(m.CalibData().NumCalLines, 3);
}

TEST(CalibPoints, UTMPointsNeedTheCalibrationZone) {
  TGeoMap m;
  m.SetName("Map1");
  m.SetCalibModel(cmUTM);
  m.ClearCalibData();
  EXPECT_EQ(m.UTMZone(), -1);
  EXPECT_EQ(Message([&] { m.AddCalibPoint(5000000, 500000, 33, hemiNorth, 10, 20); }),
            "Component \"Map1\": UTM zone parameter changed");
  m.SetUTMZone(33);
  m.SetUTMHemisphere(hemiNorth);
  EXPECT_THROW(m.AddCalibPoint(5000000, 500000, 33, hemiSouth, 10, 20), EOrqGeoMapError);
  EXPECT_THROW(m.AddCalibPoint(5000000, 500000, 32, hemiNorth, 10, 20), EOrqGeoMapError);
  EXPECT_EQ(m.CalibData().NumCalQuads, 0);
  EXPECT_TRUE(m.AddCalibPoint(5000000, 500000, 33, hemiNorth, 10, 20));
  EXPECT_EQ(m.CalibData().CalQuads[0], (TCalQuad{5000000, 500000, 10, 20}));
}

TEST(CalibPoints, NearestQuadrupleIsRemovedFirstOnTies) {
  TGeoMap m;
  m.SetCalibModel(cmEquiRect);
  m.AddCalibPoint(1.0, 1.0, 12, 10);  // squared distance 4
  m.AddCalibPoint(2.0, 2.0, 10, 12);  // 4
  m.AddCalibPoint(3.0, 3.0, 13, 10);  // 9
  EXPECT_TRUE(m.RemoveCalibPoint(10, 10));
  ASSERT_EQ(m.CalibData().NumCalQuads, 2);
  EXPECT_EQ(m.CalibData().CalQuads[0].Latitude, 3.0);  // the last took the gap
  EXPECT_EQ(m.CalibData().CalQuads[1].Latitude, 2.0);

  // Restored once only, at the end of the table.
  m.RestoreLastDeletedCalPoint();
  m.RestoreLastDeletedCalPoint();
  ASSERT_EQ(m.CalibData().NumCalQuads, 3);
  EXPECT_EQ(m.CalibData().CalQuads[2], (TCalQuad{1.0, 1.0, 12, 10}));

  m.SetCalibModel(cmUndefined);
  EXPECT_FALSE(m.RemoveCalibPoint(10, 10));
  EXPECT_EQ(m.CalibData().NumCalQuads, 3);
  TGeoMap empty;
  empty.SetCalibModel(cmBiquadraticPn);
  EXPECT_FALSE(empty.RemoveCalibPoint(0, 0));
}

TEST(CalibPoints, RemovingTheLastPointOfALineMovesTheLastLineIn) {
  TGeoMap m;
  m.SetCalibModel(cmParabolicIp);
  m.AddCalibPoint(gtlParallel, 50, 0, 100);
  m.AddCalibPoint(gtlParallel, 40, 0, 300);
  m.AddCalibPoint(gtlMeridian, 10, 100, 0);
  m.AddCalibPoint(gtlMeridian, 10, 100, 50);
  EXPECT_FALSE(m.RemoveCalibPoint(gtlParallel, 50, 1, 100));  // no such point
  EXPECT_TRUE(m.RemoveCalibPoint(gtlParallel, 50, 0, 100));
  ASSERT_EQ(m.CalibData().NumCalLines, 2);
  EXPECT_EQ(m.CalibData().CalLines[0].LineType, gtlMeridian);
  EXPECT_EQ(m.CalibData().CalLines[0].NumPoints, 2);

  // By pixel: the nearest point goes and can be restored into its line.
  EXPECT_TRUE(m.RemoveCalibPoint(101, 49));
  EXPECT_EQ(m.CalibData().CalLines[0].NumPoints, 1);
  m.RestoreLastDeletedCalPoint();
  EXPECT_EQ(m.CalibData().CalLines[0].NumPoints, 2);
  EXPECT_EQ(m.CalibData().CalLines[0].CalPoints[1], (TPoint{100, 50}));
}

TEST(CalibPoints, UTMRestoreGoesThroughTheCalibrationZone) {
  TGeoMap m;
  m.SetCalibModel(cmUTM);
  m.SetUTMZone(32);
  m.SetUTMHemisphere(hemiSouth);
  m.AddCalibPoint(6000000, 400000, 32, hemiSouth, 0, 0);
  m.AddCalibPoint(5990000, 410000, 32, hemiSouth, 100, 100);
  EXPECT_TRUE(m.RemoveCalibPoint(0, 0));
  EXPECT_NO_THROW(m.RestoreLastDeletedCalPoint());
  ASSERT_EQ(m.CalibData().NumCalQuads, 2);
  EXPECT_EQ(m.CalibData().CalQuads[1], (TCalQuad{6000000, 400000, 0, 0}));
}

TEST(CalibPoints, ClearResetsDataButKeepsModelMillerAndConic) {
  TGeoMap m;
  m.SetCalibModel(cmMillerCylindrical);
  m.AddCalibPoint(50.0, 10.0, 0, 0);
  m.AddCalibPoint(40.0, 20.0, 100, 120);
  m.AddCalibPoint(45.0, 15.0, 50, 55);
  const TCoef2x2 miller = m.MillercylPar();
  m.SetCaption("keep");
  m.ClearCalibData();
  EXPECT_EQ(m.CalibModel(), cmMillerCylindrical);
  EXPECT_EQ(m.Caption(), "keep");
  EXPECT_EQ(m.MillercylPar(), miller);
  EXPECT_EQ(m.CalibData().NumCalQuads, 0);
  EXPECT_EQ(m.CalibData().CalQuads[1], TCalQuad{});
  EXPECT_EQ(m.CalibData().UTMZone, -1);
  EXPECT_EQ(m.CalibData().Ellipsoid, gelWGS84);
}

TEST(CalibPoints, QualityIsZeroForAnExactFitAndMeasuresScatter) {
  TGeoMap m;
  m.SetCalibModel(cmEquiRect);
  m.AddCalibPoint(50.0, 10.0, 0, 0);
  m.AddCalibPoint(40.0, 10.0, 0, 1000);
  m.AddCalibPoint(40.0, 20.0, 1000, 1000);
  m.AddCalibPoint(50.0, 20.0, 1000, 0);
  double qx = -1, qy = -1;
  m.CalibQuality(qx, qy);
  EXPECT_NEAR(qx, 0, 1e-9);
  EXPECT_NEAR(qy, 0, 1e-9);
  m.AddCalibPoint(45.0, 15.0, 530, 480);  // 30 and 20 pixels off the plane
  m.CalibQuality(qx, qy);
  EXPECT_GT(qx, 1);
  EXPECT_GT(qy, 1);

  // UTM quadruples are measured with the UTM law.
  TGeoMap u;
  u.SetCalibModel(cmUTM);
  u.SetUTMZone(32);
  u.AddCalibPoint(5000000, 500000, 32, hemiNorth, 0, 1000);
  u.AddCalibPoint(5010000, 500000, 32, hemiNorth, 0, 0);
  u.AddCalibPoint(5000000, 510000, 32, hemiNorth, 1000, 1000);
  u.CalibQuality(qx, qy);
  EXPECT_NEAR(qx, 0, 1e-9);
  EXPECT_NEAR(qy, 0, 1e-9);
}

TEST(CalibPoints, ChangingTheModelKeepsAllPoints) {
  TGeoMap m;
  m.SetCalibModel(cmEquiRect);
  m.AddCalibPoint(50.0, 10.0, 0, 0);
  m.SetCalibModel(cmParabolicIp);
  m.AddCalibPoint(gtlMeridian, 10, 0, 0);
  m.SetCalibModel(cmUndefined);
  EXPECT_EQ(m.CalibData().NumCalQuads, 1);
  EXPECT_EQ(m.CalibData().NumCalLines, 1);
  bool valid = true;
  EXPECT_EQ(m.CalcLatitude(0, 0, valid), 0);
  EXPECT_FALSE(valid);
  int x = 7, y = 7;
  EXPECT_FALSE(m.CalcPixelCoords(50, 10, x, y));
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
}

}  // namespace
}  // namespace orq
