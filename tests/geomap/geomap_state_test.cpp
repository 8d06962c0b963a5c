#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "geomap_test_support.h"

namespace orq {
namespace {

TEST(GeoMapState, NewControlHasTheDocumentedDefaults) {
  TGeoMap m;
  EXPECT_EQ(m.Width(), 500);
  EXPECT_EQ(m.Height(), 400);
  EXPECT_EQ(m.Magnification(), 1.0);
  EXPECT_EQ(m.CalibModel(), cmUndefined);
  EXPECT_EQ(m.ShowGraticule(), sgNone);
  EXPECT_TRUE(m.ConfinePanToMapImage());
  EXPECT_TRUE(m.AntiAlias());
  EXPECT_EQ(m.EmptyMsg(), "GeoMap: empty");
  EXPECT_EQ(m.ColorBackGnd(), 0xC0C0C0u);
  EXPECT_EQ(m.FrameStyle(), frDoubleLowered);
  EXPECT_EQ(m.CacheMagLimit(), 2.0 / 3.0);
  EXPECT_EQ(m.LMRandomDisplayThreshold(), 20000);
  EXPECT_EQ(m.MouseAction(), maPan);
  EXPECT_TRUE(m.MouseTraceInvert());
  EXPECT_EQ(m.LandMarkCapacity(), 1000);
  EXPECT_EQ(m.UTMZone(), 0);
  EXPECT_EQ(m.AuxBmp()->PixelFormat(), pf15bit);
  EXPECT_EQ(m.GratMat().NrOfColumns(), 5);
  EXPECT_EQ(m.GratMat().NrOfRows(), 1);
  EXPECT_TRUE(m.LMClassVisible(0));
  EXPECT_TRUE(m.LMClassVisible(255));
  const TLandMark& lm = m.LandMarkDefault();
  EXPECT_EQ(lm.SymbolProps.Kind, lmCross);
  EXPECT_EQ(lm.SymbolProps.Size, 7);
  EXPECT_EQ(lm.Caption.FontName, "MS Sans Serif");
  EXPECT_EQ(lm.Caption.dy, 8);
  EXPECT_EQ(lm.Caption.HAlignment, taCenter);
  EXPECT_TRUE(lm.Caption.Transparent);
}

TEST(GeoMapState, ClampingSettersNeverFail) {
  TGeoMap m;
  m.SetGratLineDist(75);
  EXPECT_EQ(m.GratLineDist(), 60);
  m.SetGratLineDist(-1);
  EXPECT_EQ(m.GratLineDist(), 0);
  m.SetGratLineDist(std::numeric_limits<double>::quiet_NaN());
  EXPECT_EQ(m.GratLineDist(), 0);
  m.SetUTMGridDist(20000000);
  EXPECT_EQ(m.UTMGridDist(), 10000000);
  m.SetUTMGridDist(-5);
  EXPECT_EQ(m.UTMGridDist(), 0);
  m.SetCacheMagLimit(-0.5);
  EXPECT_EQ(m.CacheMagLimit(), 0);
  m.SetCacheMagLimit(std::numeric_limits<double>::quiet_NaN());
  EXPECT_EQ(m.CacheMagLimit(), 0);
  m.SetLMRandomDisplayThreshold(1000);
  EXPECT_EQ(m.LMRandomDisplayThreshold(), 20000);
  m.SetLMRandomDisplayThreshold(1001);
  EXPECT_EQ(m.LMRandomDisplayThreshold(), 1001);
  m.SetUTMZone(33);
  m.SetUTMZone(0);
  m.SetUTMZone(61);
  EXPECT_EQ(m.UTMZone(), 33);
  m.SetUTMHemisphere(hemiSouth);
  EXPECT_TRUE(m.CalibData().UTMSouth);
  EXPECT_EQ(m.UTMHemisphere(), hemiSouth);
  m.SetMagnification(std::numeric_limits<double>::quiet_NaN());
  EXPECT_EQ(m.Magnification(), 1.0);
  m.SetMagnification(0);
  EXPECT_EQ(m.Magnification(), TGeoMap::MinMagnification);
}

TEST(GeoMapState, HighlightOutsideTheLandmarksBecomesZero) {
  TGeoMap m;
  TGeoMapInternals::SetNumLandMarks(m, 3);
  m.SetHighLightLandMark(2);
  EXPECT_EQ(m.HighLightLandMark(), 2);
  m.SetHighLightLandMark(m.NumLandMarks() + 1);
  EXPECT_EQ(m.HighLightLandMark(), 0);
  m.SetHighLightLandMark(-1);
  EXPECT_EQ(m.HighLightLandMark(), 0);
}

TEST(GeoMapState, RepaintRules) {
  TCountingMap m;
  m.SetMagnification(0.5);
  m.Paints = 0;
  m.SetCacheMagLimit(0.9);  // stored as 2/3; magnification below it: repaint
  EXPECT_EQ(m.CacheMagLimit(), 2.0 / 3.0);
  EXPECT_EQ(m.Paints, 1);
  m.SetMagnification(1.0);
  m.Paints = 0;
  m.SetCacheMagLimit(0.5);
  EXPECT_EQ(m.Paints, 0);

  m.SetFrameStyle(frDoubleLowered);  // unchanged: no repaint
  m.SetShowGraticule(sgNone);
  m.SetAllowPan(false);
  m.SetUTMZone(12);
  EXPECT_EQ(m.Paints, 0);
  EXPECT_EQ(m.MouseAction(), maNone);

  // Suppressed painting is caught up once when it is switched off.
  m.SetSuppressPaint(true);
  m.SetColorBackGnd(0x123456);
  m.SetEmptyMsg("nothing");
  m.SetTopLeft(TPoint{3, 4});
  EXPECT_EQ(m.Paints, 3);  // the calls happen, but each returns at once
  m.Paints = 0;
  m.SetSuppressPaint(false);
  EXPECT_EQ(m.Paints, 1);
}

TEST(GeoMapState, PaintShowsTheBackgroundOfAnEmptyMap) {
  TGeoMap m;
  m.SetColorBackGnd(0x00F8F8F8);
  m.Paint();
  ASSERT_GE(m.AuxBmp()->Width(), 500);
  ASSERT_GE(m.AuxBmp()->Height(), 400);
  EXPECT_EQ(m.AuxBmp()->Canvas()->Pixels(250, 200), 0x00F8F8F8u);
  EXPECT_EQ(m.Canvas()->Pixels(499, 399), 0x00F8F8F8u);  // shown in the window
}

TEST(GeoMapState, ResizeMapHalvesImageAndCalibrationWithEvenRounding) {
  TGeoMap m;
  GiveImage(m, 1001, 600);
  m.SetCalibModel(cmEquiRect);
  m.AddCalibPoint(50, 10, 0, 0);
  m.AddCalibPoint(40, 20, 1001, 600);
  m.AddCalibPoint(40, 10, 3, 5);  // 1.5 -> 2, 2.5 -> 2
  m.SetCalibModel(cmParabolicIp);
  m.AddCalibPoint(gtlParallel, 45, 7, 9);  // 3.5 -> 4, 4.5 -> 4
  m.SetTopLeft(TPoint{10, 10});
  m.ResizeMap(0.5);
  EXPECT_EQ(m.MapImgWidth(), 500);
  EXPECT_EQ(m.MapImgHeight(), 300);
  EXPECT_EQ(m.MapBitmap()->Width(), 500);
  EXPECT_EQ(m.MapBitmap()->Height(), 300);
  EXPECT_EQ(m.CalibData().CalQuads[1].MapX, 500);
  EXPECT_EQ(m.CalibData().CalQuads[1].MapY, 300);
  EXPECT_EQ(m.CalibData().CalQuads[2].MapX, 2);
  EXPECT_EQ(m.CalibData().CalQuads[2].MapY, 2);
  EXPECT_EQ(m.CalibData().CalLines[0].CalPoints[0], (TPoint{4, 4}));
  EXPECT_EQ(m.TopLeft(), (TPoint{0, 0}));
}

TEST(GeoMapState, ResizeMapToLongerEdgeAndRefusedFactors) {
  TGeoMap m;
  GiveImage(m, 1600, 1200);
  m.ResizeMap(800);
  EXPECT_EQ(m.MapImgWidth(), 800);
  EXPECT_EQ(m.MapImgHeight(), 600);
  EXPECT_THROW(m.ResizeMap(0.0), EOrqGeoMapError);
  EXPECT_THROW(m.ResizeMap(-1.0), EOrqGeoMapError);
  EXPECT_THROW(m.ResizeMap(std::numeric_limits<double>::quiet_NaN()), EOrqGeoMapError);
  EXPECT_THROW(m.ResizeMap(1e-6), EOrqGeoMapError);  // nothing would be left of the image
  EXPECT_EQ(m.MapImgWidth(), 800);
  TGeoMap empty;
  EXPECT_THROW(empty.ResizeMap(800), EOrqGeoMapError);
}

TEST(GeoMapState, OversizedBitmapIsRefusedWithoutChangingTheMap) {
  TGeoMap m;
  m.SetName("Map1");
  GiveImage(m, 10, 10);
  TBitmap big;
  big.SetSize(2000, 1501);
  try {
    m.SetMapBitMap(&big);
    FAIL() << "no exception";
  } catch (const EOrqGeoMapError& e) {
    EXPECT_STREQ(e.what(),
                 "Component \"Map1\": Cannot use map image, maximum of 3000000 pixels exceeded (size of map is 2000 x "
                 "1501)");
  }
  EXPECT_EQ(m.MapBitmap()->Width(), 10);
  EXPECT_EQ(m.MapImgFile(), "$unknown$");
}

TEST(GeoMapState, AssignCopiesStateButNotTraceOrCallbacks) {
  TGeoMap src, dst;
  GiveImage(src, 30, 20);
  TGeoMapInternals::SetNumLandMarks(src, 2500);
  src.SetCalibModel(cmEquiRect);
  src.AddCalibPoint(50, 10, 0, 0);
  src.AddCalibPoint(40, 20, 30, 20);
  src.AddCalibPoint(40, 10, 0, 20);
  src.SetGratLineDist(5);
  int srcCalls = 0, dstCalls = 0;
  src.SetOnZoomPan([&](TObject*) { ++srcCalls; });
  dst.SetOnZoomPan([&](TObject*) { ++dstCalls; });
  TGeoMapInternals::SetNumMTrace(src, 7);
  TGeoMapInternals::SetNumMTrace(dst, 3);
  src.SetMouseTraceColor(0x111111);

  dst.Assign(&src);
  EXPECT_EQ(dst.NumLandMarks(), 2500);
  EXPECT_EQ(dst.LandMarkCapacity(), 3000);
  EXPECT_EQ(TGeoMapInternals::LandMark(dst, 2500).Tag, 2500);
  EXPECT_EQ(dst.CalibData(), src.CalibData());
  EXPECT_EQ(dst.EquRectPLSP(), src.EquRectPLSP());
  EXPECT_EQ(dst.GratLineDist(), 5);
  EXPECT_EQ(dst.MapBitmap()->Width(), 30);
  EXPECT_NE(dst.MapBitmap(), src.MapBitmap());
  EXPECT_EQ(dst.NumMTracePoints(), 3);
  EXPECT_EQ(dst.MouseTraceColor(), 0xFFFFFFu);
  dst.OnZoomPan()(&dst);
  EXPECT_EQ(dstCalls, 1);
  EXPECT_EQ(srcCalls, 0);

  // 1000 landmarks fit the first block; AssignTo goes the other way round.
  TGeoMap a, b;
  TGeoMapInternals::SetNumLandMarks(a, 1000);
  a.AssignTo(&b);
  EXPECT_EQ(b.LandMarkCapacity(), 1000);
  TMatrix notAMap;
  EXPECT_THROW(a.Assign(&notAMap), EConvertError);
}

TEST(GeoMapState, ClearKeepsLandmarksAndImage) {
  TGeoMap m;
  GiveImage(m, 40, 30);
  TGeoMapInternals::SetNumLandMarks(m, 5);
  m.SetCalibModel(cmEquiRect);
  m.AddCalibPoint(50, 10, 0, 0);
  m.SetCaption("Somewhere");
  TGeoMapInternals::SetNumMTrace(m, 4);
  m.Clear();
  EXPECT_EQ(m.CalibModel(), cmUndefined);
  EXPECT_EQ(m.CalibData().NumCalQuads, 0);
  EXPECT_EQ(m.Caption(), "");
  EXPECT_EQ(m.MapImgFile(), "");
  EXPECT_EQ(m.MapImgWidth(), 0);
  EXPECT_EQ(m.NumMTracePoints(), 0);
  EXPECT_EQ(m.NumLandMarks(), 5);
  EXPECT_EQ(m.MapBitmap()->Width(), 40);
}

// Counts the members of an aggregate: the largest N for which T{a1..aN}
// compiles, each ai converting to whatever member it meets.
struct AnyMember {
  template <class T>
  operator T() const;
};
template <class T, class... A>
constexpr int MemberCount() {
  if constexpr (requires { T{A{}..., AnyMember{}}; })
    return MemberCount<T, A..., AnyMember>();
  else
    return sizeof...(A);
}

// A display setting added to TGeoMapDisplay must be set here too; the count
// below fails first and says so.
TEST(GeoMapState, AssignCopiesEveryDisplaySetting) {
  static_assert(MemberCount<TGeoMapDisplay>() == 20,
                "a display setting was added or removed: give it a non-default value below");
  TGeoMap src, dst;
  src.SetColorBackGnd(1);
  src.SetColorFrame(2);
  src.SetColorGraticule(3);
  src.SetColorCalibPoints(4);
  src.SetFrameStyle(frSingle);
  src.SetEmptyMsg("nothing here");
  src.SetShowGraticule(sgPointsAndLines);
  src.SetGratLineDist(0.5);
  src.SetUTMGridDist(1000);
  src.SetAntiAlias(false);
  src.SetCacheMagLimit(0.25);
  src.SetLMRandomDisplayThreshold(5000);
  src.SetLMClassVisible(7, false);
  src.SetSuppressPaint(true);
  TGeoMapDisplay& d = TGeoMapInternals::Display(src);
  d.ColBlackLine = 5;
  d.ColGrayLine = 6;
  d.ColWhiteLine = 7;
  d.HighLightColorFG = 8;
  d.HighLightColorBG = 9;
  d.HighLightTransparent = true;
  ASSERT_FALSE(TGeoMapInternals::Display(src) == TGeoMapDisplay{});

  dst.Assign(&src);
  EXPECT_TRUE(TGeoMapInternals::Display(dst) == TGeoMapInternals::Display(src));
  // Every member differs from its default, so a member the copy missed shows.
  const TGeoMapDisplay defaults;
  EXPECT_NE(d.ColorBackGnd, defaults.ColorBackGnd);
  EXPECT_NE(d.EmptyMsg, defaults.EmptyMsg);
  EXPECT_NE(d.LMClassVisible, defaults.LMClassVisible);
}

TEST(GeoMapState, MissingCalibrationFileEmptiesTheImageName) {
  TGeoMap m;
  GiveImage(m, 40, 30);
  m.SetCalibDataFile("/nonexistent/dir/none.xml");
  EXPECT_EQ(m.CalibDataFile(), "");
  EXPECT_EQ(m.MapImgFile(), "");
  EXPECT_EQ(m.MapImgWidth(), 0);
  EXPECT_EQ(m.MapImgHeight(), 0);
}

}  // namespace
}  // namespace orq
