#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "geomap_test_support.h"
#include "orqmath/SphereGeometry.h"

namespace orq {
namespace {

// Latitude 50 (top) to 40 (bottom), longitude 10 (left) to 20 (right) on
// 1000 x 1000 pixels.
void CornerMap(TGeoMap& m) {
  GiveImage(m, 1000, 1000);
  m.SetCalibModel(cmEquiRect);
  m.AddCalibPoint(50.0, 10.0, 0, 0);
  m.AddCalibPoint(40.0, 10.0, 0, 1000);
  m.AddCalibPoint(40.0, 20.0, 1000, 1000);
  m.AddCalibPoint(50.0, 20.0, 1000, 0);
}

TEST(Conversion, EquirectangularCornerExample) {
  TGeoMap m;
  CornerMap(m);
  const TCoef2x3& E = m.EquRectPLSP();
  EXPECT_NEAR(E[0][0], 50, 1e-10);
  EXPECT_NEAR(E[0][1], 0, 1e-14);
  EXPECT_NEAR(E[0][2], -0.01, 1e-14);
  EXPECT_NEAR(E[1][0], 10, 1e-10);
  EXPECT_NEAR(E[1][1], 0.01, 1e-14);
  EXPECT_NEAR(E[1][2], 0, 1e-14);
  bool valid = false;
  EXPECT_NEAR(m.CalcLatitude(0, 500, valid), 45, 1e-10);
  EXPECT_TRUE(valid);
  EXPECT_NEAR(m.CalcLongitude(TPoint{250, 0}, valid), 12.5, 1e-10);
  int x = 0, y = 0;
  EXPECT_TRUE(m.CalcPixelCoords(45, 15, x, y));
  EXPECT_EQ(x, 500);
  EXPECT_EQ(y, 500);

  const TCornerArray& c = m.CalibData().Corners;
  EXPECT_NEAR(c[gcoTopLeft].Latit, 50, 1e-9);
  EXPECT_NEAR(c[gcoTopLeft].Longit, 10, 1e-9);
  EXPECT_NEAR(c[gcoBottomLeft].Latit, 40, 1e-9);
  EXPECT_NEAR(c[gcoBottomRight].Longit, 20, 1e-9);
  EXPECT_NEAR(c[gcoTopRight].Latit, 50, 1e-9);
  EXPECT_NEAR(m.CalibData().Resolution, SphereGreatCircleDist(6378000, 45, 10, 45, 20) / 1000, 1e-6);

  EXPECT_TRUE(m.IsPositionWithinMap(45, 15));
  EXPECT_FALSE(m.IsPositionWithinMap(50, 10));
  EXPECT_FALSE(m.IsPositionWithinMap(60, 15));
  EXPECT_FALSE(PositionInMap(0, 0, TCornerArray{}));
}

// Parallels 50 and 40 at rows 100 and 300, meridians 10 and 20 at columns
// 100 and 300, three points each.
void FourLineMap(TGeoMap& m) {
  m.SetCalibModel(cmParabolicIp);
  for (int x : {0, 200, 400}) {
    m.AddCalibPoint(gtlParallel, 50, x, 100);
    m.AddCalibPoint(gtlParallel, 40, x, 300);
  }
  for (int y : {0, 200, 400}) {
    m.AddCalibPoint(gtlMeridian, 10, 100, y);
    m.AddCalibPoint(gtlMeridian, 20, 300, y);
  }
}

TEST(Conversion, ParabolicFourLineExample) {
  TGeoMap m;
  FourLineMap(m);
  EXPECT_EQ(m.GratMat().NrOfRows(), 4);
  bool valid = false;
  EXPECT_NEAR(m.CalcLatitude(250, 150, valid), 47.5, 1e-9);
  EXPECT_TRUE(valid);
  EXPECT_NEAR(m.CalcLongitude(250, 150, valid), 17.5, 1e-9);
  EXPECT_TRUE(valid);
  int x = 0, y = 0;
  EXPECT_TRUE(m.CalcPixelCoords(47.5, 17.5, x, y));
  EXPECT_EQ(x, 250);
  EXPECT_EQ(y, 150);
  EXPECT_NEAR(m.CalcLatitude(250, 350, valid), 37.5, 1e-9);
}

TEST(Conversion, ParabolicWithTooFewLinesIsInvalid) {
  TGeoMap m;
  FourLineMap(m);
  // One point less on a meridian: the graticule is no longer usable.
  m.RemoveCalibPoint(gtlMeridian, 20, 300, 400);
  EXPECT_FALSE(m.RecalcGratMat());
  EXPECT_EQ(m.GratMat().NrOfRows(), 1);
  EXPECT_EQ(m.GratMat().GetVal(2, 1), 0);
  bool valid = true;
  EXPECT_EQ(m.CalcLatitude(250, 150, valid), 0);
  EXPECT_FALSE(valid);
  int x = 1, y = 1;
  EXPECT_FALSE(m.CalcPixelCoords(47.5, 17.5, x, y));
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
}

TEST(Conversion, ParabolicLinesThatCoincideGiveInvalidNotNaN) {
  TGeoMap m;
  m.SetCalibModel(cmParabolicIp);
  // Two parallels of different value on the same pixels, two meridians of
  // the same value: nothing to interpolate between.
  for (int x : {0, 200, 400}) {
    m.AddCalibPoint(gtlParallel, 50, x, 100);
    m.AddCalibPoint(gtlParallel, 40, x, 100);
  }
  for (int y : {0, 200, 400}) {
    m.AddCalibPoint(gtlMeridian, 10, 100, y);
    m.AddCalibPoint(gtlMeridian, 20, 300, y);
  }
  ASSERT_TRUE(m.RecalcGratMat());
  bool valid = true;
  EXPECT_EQ(m.CalcLatitude(250, 150, valid), 0);
  EXPECT_FALSE(valid);
  EXPECT_NEAR(m.CalcLongitude(250, 150, valid), 17.5, 1e-9);
  EXPECT_TRUE(valid);

  TGeoMapInternals::SetGratMatValue(m, 2, 2, 50);  // now both parallels claim 50 degrees
  int x = 0, y = 0;
  EXPECT_FALSE(m.CalcPixelCoords(45, 15, x, y));
}

TEST(Conversion, ControlAndMapImagePixels) {
  TGeoMap m;
  m.SetMagnification(2);
  m.SetTopLeft(TPoint{10, 20});
  EXPECT_EQ(m.ControlToMapImage(TPoint{100, 50}), (TPoint{60, 45}));
  EXPECT_EQ(m.MapImageToControl(TPoint{60, 45}), (TPoint{100, 50}));
  m.SetMagnification(0.4);
  m.SetTopLeft(TPoint{0, 0});
  EXPECT_EQ(m.ControlToMapImage(TPoint{1, 3}), (TPoint{2, 8}));  // 2.5 -> 2, 7.5 -> 8
}

TEST(Conversion, PanMapToFillWindow) {
  TGeoMap m;
  GiveImage(m, 300, 200);
  m.SetTopLeft(TPoint{50, 60});
  m.PanMapToFillWindow();
  EXPECT_EQ(m.TopLeft(), (TPoint{0, 0}));
  GiveImage(m, 1000, 1000);
  m.SetTopLeft(TPoint{900, 10});
  m.PanMapToFillWindow();
  EXPECT_EQ(m.TopLeft(), (TPoint{500, 10}));
  m.SetConfinePanToMapImage(false);
  m.SetTopLeft(TPoint{-5, 900});
  m.SetConfinePanToMapImage(true);
  EXPECT_EQ(m.TopLeft(), (TPoint{0, 600}));
}

TEST(Conversion, DegenerateCoefficientsGiveInvalidResults) {
  TGeoMap m;
  bool valid = true;
  m.SetCalibModel(cmMillerCylindrical);
  EXPECT_EQ(m.CalcLatitude(5, 5, valid), 0);
  EXPECT_FALSE(valid);
  EXPECT_EQ(m.CalcLongitude(5, 5, valid), 0);
  EXPECT_FALSE(valid);

  m.SetCalibModel(cmConicConformal);  // never fitted: C3 = C5 = 0
  int x = 3, y = 3;
  EXPECT_FALSE(m.CalcPixelCoords(45, 10, x, y));
  EXPECT_EQ(x, 0);

  m.SetCalibModel(cmEquiRect);
  EXPECT_FALSE(m.CalcPixelCoordsUTM(5000000, 500000, x, y));
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  EXPECT_EQ(m.CalcUTMyFromNorthingX(5000000, 10), 0);
  EXPECT_EQ(m.CalcUTMxFromEastingY(500000, 10), 0);

  m.SetCalibModel(cmUndefined);
  EXPECT_FALSE(m.CalcPixelCoords(45, 10, x, y));
  EXPECT_EQ(m.LastClickLatitude(), 0);

  // A pixel that would not fit an integer is refused, not wrapped.
  EXPECT_FALSE(RoundToPixel(std::numeric_limits<double>::infinity(), x));
  EXPECT_FALSE(RoundToPixel(std::numeric_limits<double>::quiet_NaN(), x));
  EXPECT_FALSE(RoundToPixel(3e9, x));
  EXPECT_TRUE(RoundToPixel(-2.5, x));
  EXPECT_EQ(x, -2);
}

TEST(Conversion, ConicApexRowAndApexAreFinite) {
  TGeoMap m;
  m.SetCalibModel(cmConicConformal);
  TConicParams& C = TGeoMapInternals::Coefs(m).ConicPars;
  C = {100, -500, -0.01, 60, 80, 10};
  bool valid = false;
  EXPECT_NEAR(m.CalcLongitude(200, -500, valid), 80 * M_PI / 2 + 10, 1e-9);
  EXPECT_TRUE(valid);
  EXPECT_NEAR(m.CalcLongitude(0, -500, valid), -80 * M_PI / 2 + 10, 1e-9);
  EXPECT_EQ(m.CalcLongitude(100, -500, valid), 10);  // the apex itself
  EXPECT_TRUE(valid);
  EXPECT_EQ(m.CalcLatitude(100, -500, valid), 60);
}

TEST(Conversion, LastClickPositionConvertsThroughTheModel) {
  TGeoMap m;
  CornerMap(m);
  TGeoMapInternals::SetLastClick(m, 250, 500);
  EXPECT_NEAR(m.LastClickLatitude(), 45, 1e-9);
  EXPECT_NEAR(m.LastClickLongitude(), 12.5, 1e-9);
}

TEST(Conversion, ResolutionAddsHalfTheSphereBeyond180Degrees) {
  TGeoMap m;
  GiveImage(m, 2000, 1000);
  m.SetCalibModel(cmEquiRect);
  m.AddCalibPoint(10.0, -100.0, 0, 0);
  m.AddCalibPoint(-10.0, -100.0, 0, 1000);
  m.AddCalibPoint(-10.0, 100.0, 2000, 1000);
  const double d = SphereGreatCircleDist(6378000, 0, -100, 0, 100) + 20037077.94459570;
  EXPECT_NEAR(m.CalibData().Resolution, d / 2000, 1e-6);
}

TEST(Conversion, UTMGridHelpersFollowTheAffineLaw) {
  TGeoMap m;
  m.SetCalibModel(cmUTM);
  m.SetUTMZone(32);
  // 10 m per pixel, north up, origin at (500000 E, 5010000 N).
  m.AddCalibPoint(5010000, 500000, 32, hemiNorth, 0, 0);
  m.AddCalibPoint(5000000, 500000, 32, hemiNorth, 0, 1000);
  m.AddCalibPoint(5000000, 510000, 32, hemiNorth, 1000, 1000);
  int x = 0, y = 0;
  EXPECT_TRUE(m.CalcPixelCoordsUTM(5005000, 505000, x, y));
  EXPECT_EQ(x, 500);
  EXPECT_EQ(y, 500);
  EXPECT_EQ(m.CalcUTMyFromNorthingX(5002500, 123), 750);
  EXPECT_EQ(m.CalcUTMxFromEastingY(502500, 77), 250);
}

}  // namespace
}  // namespace orq

namespace orq {
namespace {

TEST(Conversion, UTMPixelConversionFollowsZoneAndCoefficientChanges) {
  TGeoMap m;
  m.SetCalibModel(cmUTM);
  m.SetUTMZone(32);
  m.AddCalibPoint(5010000, 500000, 32, hemiNorth, 0, 0);
  m.AddCalibPoint(5000000, 500000, 32, hemiNorth, 0, 1000);
  m.AddCalibPoint(5000000, 510000, 32, hemiNorth, 1000, 1000);
  bool valid = false;
  const double lon32 = m.CalcLongitude(0, 500, valid);
  EXPECT_NEAR(lon32, 9, 1e-9);  // the central meridian of zone 32
  m.SetUTMZone(33);
  EXPECT_NEAR(m.CalcLongitude(0, 500, valid), 15, 1e-9);
  const double lat = m.CalcLatitude(0, 500, valid);
  m.AddCalibPoint(4000000, 500000, 33, hemiNorth, 0, 100000);  // refits the law
  EXPECT_NE(m.CalcLatitude(0, 500, valid), lat);
}

}  // namespace
}  // namespace orq
