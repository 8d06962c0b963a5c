// The graticule layer: line spacing, which models draw what, the UTM grid
// and the calibration point markers.
#include <gtest/gtest.h>

#include <set>

#include "compose_test_support.h"

namespace orq {
namespace {

// Rows of column x drawn in the graticule colour.
std::set<int> GraticuleRows(const TGeoMap& m, int x) {
  std::set<int> rows;
  for (int y = 0; y < m.Height(); ++y)
    if (AuxPixel(m, x, y) == Stored(m, m.ColorGraticule())) rows.insert(y);
  return rows;
}

int CountColour(const TGeoMap& m, TColor c) {
  int n = 0;
  for (int y = 0; y < m.Height(); ++y)
    for (int x = 0; x < m.Width(); ++x) n += AuxPixel(m, x, y) == Stored(m, c);
  return n;
}

TEST(Graticule, AutomaticStepIsTheFirstPowerOfTenGivingALine) {
  // 0.35 degrees of latitude from 10.02 to 10.37: lines every 0.1 degree
  // from Trunc(10.02 * 10) / 10 = 10.0 (off the map) up to 10.3.
  const TLinearMap g{400, 350, 10.37, 20, 0.001};
  TGeoMap m;
  MakeLinearMap(m, g, 400, 350);
  m.SetShowGraticule(sgLines);
  // Parallel at latitude phi lies on image row (10.37 - phi) / 0.001.
  EXPECT_EQ(GraticuleRows(m, 333), (std::set<int>{70, 170, 270}));
  // Meridians 0.1 apart across 0.4 degrees of longitude: columns 0, 100, 200, 300.
  EXPECT_EQ(AuxPixel(m, 100, 5), Stored(m, m.ColorGraticule()));
  EXPECT_EQ(AuxPixel(m, 150, 5), Stored(m, ImagePixel(150, 5)));

  m.SetGratLineDist(0.05);
  EXPECT_EQ(GraticuleRows(m, 333), (std::set<int>{20, 70, 120, 170, 220, 270, 320}));
}

TEST(Graticule, SparseBiquadraticDrawsMarkersButNoLines) {
  TGeoMap m;
  m.SetBounds(0, 0, 300, 200);
  m.SetFrameStyle(frNone);
  TBitmap img;
  img.SetSize(300, 200);
  m.SetMapBitMap(&img);
  m.SetCalibModel(cmBiquadraticPn);
  const TPoint px[5] = {{20, 20}, {280, 20}, {20, 180}, {280, 180}, {150, 100}};
  for (const TPoint& p : px) m.AddCalibPoint(50 - p.Y * 0.01, 10 + p.X * 0.01, p.X, p.Y);
  m.SetShowGraticule(sgPointsAndLines);
  EXPECT_EQ(CountColour(m, m.ColorGraticule()), 0);
  EXPECT_EQ(AuxPixel(m, 150 - 5, 100), Stored(m, m.ColorCalibPoints()));
}

TEST(Graticule, CalibrationPointMarkerIsACrossInThreeDiamonds) {
  TGeoMap m;
  MakeLinearMap(m);
  m.SetColorCalibPoints(0x0000FF);
  m.SetShowGraticule(sgPoints);
  // The quadruple at image pixel (0, 0) is the control's corner; look at a
  // view that puts it at (100, 70).
  m.SetTopLeft(TPoint{-100, -70});
  const TColor mark = Stored(m, 0x0000FF), white = Stored(m, 0xFFFFFF);
  const int x = 100, y = 70;
  EXPECT_EQ(AuxPixel(m, x, y), mark);
  EXPECT_EQ(AuxPixel(m, x - 7, y), mark);
  EXPECT_EQ(AuxPixel(m, x, y + 7), mark);
  EXPECT_EQ(AuxPixel(m, x - 8, y), mark);   // diamond r = 8 (the cross stops at 7)
  EXPECT_EQ(AuxPixel(m, x - 9, y), white);  // r = 9
  EXPECT_EQ(AuxPixel(m, x - 10, y), mark);  // r = 10
  EXPECT_EQ(AuxPixel(m, x - 4, y - 4), mark);
  EXPECT_EQ(AuxPixel(m, x - 5, y - 4), white);
  EXPECT_EQ(AuxPixel(m, x - 11, y), Stored(m, m.ColorBackGnd()));
  EXPECT_EQ(AuxPixel(m, x - 3, y - 3), Stored(m, m.ColorBackGnd()));
}

TEST(Graticule, UTMGridOnlyUnderTheUTMModel) {
  TGeoMap m;
  MakeLinearMap(m);
  m.SetShowGraticule(sgUTMGrid);
  EXPECT_EQ(CountColour(m, m.ColorGraticule()), 0);
  m.SetShowGraticule(sgPointsAndUTMGrid);
  EXPECT_EQ(CountColour(m, m.ColorCalibPoints()), 0) << "markers only under the UTM model";
}

// Image pixel (x, y) at easting 500000 + 10 x, northing 5300000 - 10 y in
// zone 32 north.
void MakeUTMMap(TGeoMap& m) {
  m.SetBounds(0, 0, 300, 250);
  m.SetFrameStyle(frNone);
  TBitmap img;
  img.SetSize(300, 250);
  m.SetMapBitMap(&img);
  m.SetCalibModel(cmUTM);
  m.SetUTMZone(32);
  m.SetUTMHemisphere(hemiNorth);
  for (TPoint p : {TPoint{10, 10}, TPoint{290, 10}, TPoint{10, 240}, TPoint{290, 240}})
    ASSERT_TRUE(m.AddCalibPoint(5300000.0 - 10 * p.Y, 500000.0 + 10 * p.X, 32, hemiNorth, p.X, p.Y));
}

TEST(Graticule, UTMGridLinesFallOnTheRowsAndColumnsOfTheirMetres) {
  TGeoMap m;
  MakeUTMMap(m);
  m.SetUTMGridDist(500);  // every 50 pixels
  m.SetShowGraticule(sgUTMGrid);
  for (int y : {0, 50, 100, 150, 200}) {
    EXPECT_EQ(m.CalcUTMyFromNorthingX(5300000.0 - 10 * y, 0), y);
    EXPECT_EQ(AuxPixel(m, 123, y), Stored(m, m.ColorGraticule())) << y;
  }
  for (int x : {50, 100, 150, 200, 250}) EXPECT_EQ(AuxPixel(m, x, 123), Stored(m, m.ColorGraticule())) << x;
  EXPECT_EQ(AuxPixel(m, 123, 125), Stored(m, 0xFFFFFF));
  EXPECT_EQ(CountColour(m, m.ColorCalibPoints()), 0);
  m.SetShowGraticule(sgPointsAndUTMGrid);
  EXPECT_EQ(AuxPixel(m, 10 - 8, 10), Stored(m, m.ColorCalibPoints()));
}

TEST(Graticule, ParabolicLinesNeedThreePoints) {
  TGeoMap m;
  m.SetBounds(0, 0, 300, 200);
  m.SetFrameStyle(frNone);
  TBitmap img;
  img.SetSize(300, 200);
  m.SetMapBitMap(&img);
  m.SetCalibModel(cmParabolicIp);
  // A parallel through three points of one row, and a meridian with two.
  for (int x : {40, 150, 260}) m.AddCalibPoint(gtlParallel, 45, x, 120);
  for (int y : {30, 170}) m.AddCalibPoint(gtlMeridian, 9, 200, y);
  m.SetShowGraticule(sgLines);
  EXPECT_EQ(GraticuleRows(m, 77), (std::set<int>{120}));
  for (int y : {50, 100, 150}) EXPECT_NE(AuxPixel(m, 200, y), Stored(m, m.ColorGraticule()));
  m.SetShowGraticule(sgPoints);
  EXPECT_EQ(AuxPixel(m, 200 + 10, 170), Stored(m, m.ColorCalibPoints()));
}

TEST(Graticule, SpacingFarBelowAPixelDrawsNoLinesInsteadOfRunningForAges) {
  TGeoMap m;
  MakeLinearMap(m);
  m.SetGratLineDist(1e-9);  // 3e9 parallels across the map
  m.SetShowGraticule(sgLines);
  EXPECT_EQ(CountColour(m, m.ColorGraticule()), 0);
}

}  // namespace
}  // namespace orq
