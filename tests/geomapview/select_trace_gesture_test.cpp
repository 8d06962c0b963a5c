// Mouse gestures that report or record: the selection rectangle, the
// rubber band, the mouse trace and the last click position.
#include <gtest/gtest.h>

#include <vector>

#include "../geomap/geomap_test_support.h"
#include "gesture_script.h"

namespace orq {
namespace {

using viewtest::EquiRectMap;
using viewtest::TGestureScript;
using viewtest::WindowShowsComposedPicture;

constexpr TColor Background = 0xC0C0C0;
constexpr TColor Inverted = Background ^ 0xFFFFFF;

struct TSelection {
  int Kind = -1;
  double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
};

class SelectRect : public ::testing::Test {
 protected:
  void SetUp() override {
    EquiRectMap(m);
    m.SetMouseAction(maSelectRect);
    m.SetOnSelectRect([this](TObject*, int k, double a, double b, double c, double d) {
      got.push_back(TSelection{k, a, b, c, d});
    });
    m.SetOnBeginRubberBand([this](TObject*, TPoint& p) { begun.push_back(p); });
  }
  TGeoMap m;
  TGestureScript g{m};
  std::vector<TSelection> got;
  std::vector<TPoint> begun;
};

TEST_F(SelectRect, AReleaseOutsideTheControlReportsTheReleasePointItself) {
  g.Run("down left 300 200\n move left 350 250");
  EXPECT_FALSE(WindowShowsComposedPicture(m));  // the dotted rectangle
  g.Run("move left 600 450\n up left 600 450");  // drawn to (500, 400)
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].Kind, 1);
  EXPECT_NEAR(got[0].X1, 13.0, 1e-9);  // longitude, latitude of the press
  EXPECT_NEAR(got[0].Y1, 48.0, 1e-9);
  EXPECT_NEAR(got[0].X2, 16.0, 1e-9);  // of (600, 450), not of the clamped corner
  EXPECT_NEAR(got[0].Y2, 45.5, 1e-9);
  ASSERT_EQ(begun.size(), 1u);
  EXPECT_EQ(begun[0], (TPoint{300, 200}));
  EXPECT_TRUE(WindowShowsComposedPicture(m));  // erased without a repaint
}

TEST_F(SelectRect, TheAnchorCornerComesFirstWhateverTheDirection) {
  m.SetMagnification(2);
  m.SetTopLeft(TPoint{100, 100});
  g.Run("down left 300 200\n move left 100 50\n up left 100 50");
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].Kind, 1);
  EXPECT_NEAR(got[0].X1, 12.5, 1e-9);  // image (250, 200)
  EXPECT_NEAR(got[0].Y1, 48.0, 1e-9);
  EXPECT_NEAR(got[0].X2, 11.5, 1e-9);  // image (150, 125)
  EXPECT_NEAR(got[0].Y2, 48.75, 1e-9);
  EXPECT_EQ(begun[0], (TPoint{250, 200}));
}

TEST_F(SelectRect, WithoutAConversionTheImagePixelsAreReported) {
  m.SetCalibModel(cmUndefined);
  g.Run("down left 300 200\n move left 100 50\n up left 100 50");
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].Kind, 0);
  EXPECT_EQ(got[0].X1, 300);
  EXPECT_EQ(got[0].Y1, 200);
  EXPECT_EQ(got[0].X2, 100);
  EXPECT_EQ(got[0].Y2, 50);
}

TEST_F(SelectRect, AReleaseWithoutAPressReportsNothingAndDrawsNothing) {
  g.Run("up left 100 50");
  EXPECT_TRUE(got.empty());
  EXPECT_TRUE(WindowShowsComposedPicture(m));
  g.Run("down left 10 10\n move none 40 40");  // no button: the rectangle is not dragged
  EXPECT_TRUE(WindowShowsComposedPicture(m));
}

TEST(RubberBand, CtrlClickContinuesAndAPlainClickEndsErasingTheLastSegment) {
  TGeoMap m;
  m.Paint();
  m.SetMouseAction(maRubberBand);
  std::vector<std::pair<char, TPoint>> calls;
  m.SetOnBeginRubberBand([&](TObject*, TPoint& p) { calls.push_back({'b', p}); });
  m.SetOnContinueRubberBand([&](TObject*, TPoint& p) { calls.push_back({'c', p}); });
  m.SetOnEndRubberBand([&](TObject*, TPoint& p) { calls.push_back({'e', p}); });
  TGestureScript g(m);
  g.Run("down left 10 10\n up left 10 10\n move none 60 40\n move none 120 80\n"
        "key ctrl\n down left 120 80\n up left 120 80\n move none 200 100");
  EXPECT_EQ(m.Canvas()->Pixels(65, 45), Inverted);   // first segment, kept
  EXPECT_EQ(m.Canvas()->Pixels(160, 90), Inverted);  // the band following the pointer
  EXPECT_EQ(m.Canvas()->Pixels(35, 25), Background) << "the band's earlier positions are erased";
  g.Run("key none\n down left 200 100\n up left 200 100");
  EXPECT_EQ(m.Canvas()->Pixels(65, 45), Inverted);
  EXPECT_EQ(m.Canvas()->Pixels(160, 90), Background);
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0], (std::pair<char, TPoint>{'b', TPoint{10, 10}}));
  EXPECT_EQ(calls[1], (std::pair<char, TPoint>{'c', TPoint{120, 80}}));
  EXPECT_EQ(calls[2], (std::pair<char, TPoint>{'e', TPoint{200, 100}}));

  // Once ended, moves draw nothing; a ctrl click on an idle band begins one.
  g.Run("move none 300 300");
  EXPECT_EQ(m.Canvas()->Pixels(250, 200), Background);
  g.Run("key ctrl\n down left 5 5");
  EXPECT_EQ(calls.back().first, 'b');
}

TEST(RubberBand, AContinuationAwayFromThePointerDrawsNoPhantomLine) {
  TGeoMap m;
  m.Paint();
  m.SetMouseAction(maRubberBand);
  TGestureScript g(m);
  g.Run("down left 10 10\n move none 100 50\n key ctrl\n down left 300 300\n move none 310 300\n"
        "key none\n down left 310 300");
  EXPECT_EQ(m.Canvas()->Pixels(200, 175), Background);  // on the line (100, 50) - (300, 300)
  EXPECT_EQ(m.Canvas()->Pixels(55, 30), Inverted);      // the first segment stays
}

TEST(MouseTrace, StrokesAreRecordedFlaggedAndNotJoined) {
  TGeoMap m;
  m.Paint();
  m.SetMouseAction(maDrawTrace);
  TGestureScript g(m);
  g.Run("down left 10 10\n move left 10 10\n move left 50 10\n move left 90 10\n up left 90 10\n"
        "move none 10 100\n down left 10 100\n move left 10 100\n move left 10 150\n up left 10 150");
  ASSERT_EQ(m.NumMTracePoints(), 5);
  const uint16_t want[] = {2, 2, 3, 2, 3};
  for (int i = 1; i <= 5; ++i) EXPECT_EQ(m.MouseTrace(i).Flags, 0xFFFF) << "no calibration: " << i;
  EXPECT_EQ(m.Canvas()->Pixels(30, 10), Inverted);
  EXPECT_EQ(m.Canvas()->Pixels(10, 120), Inverted);
  EXPECT_EQ(m.Canvas()->Pixels(50, 55), Background);  // between (90, 10) and (10, 100)

  EquiRectMap(m);  // now the points convert
  for (int i = 1; i <= 5; ++i) EXPECT_EQ(m.GetMTracePoint(i).Flags, want[i - 1]) << i;
  const TColoredPoint p = m.GetMTracePoint(2);
  EXPECT_NEAR(p.X, 10.5, 1e-9);
  EXPECT_NEAR(p.Y, 49.9, 1e-9);
  EXPECT_EQ(p.Color, 0xFFFFFFu);

  // The composed picture draws the strokes too, and does not join them.
  m.Paint();
  const TColor onStroke = m.AuxBmp()->Canvas()->Pixels(30, 10), between = m.AuxBmp()->Canvas()->Pixels(50, 55);
  m.ClearMouseTrace();
  EXPECT_NE(m.AuxBmp()->Canvas()->Pixels(30, 10), onStroke);
  EXPECT_EQ(m.AuxBmp()->Canvas()->Pixels(50, 55), between);
}

TEST(MouseTrace, PositionsAreImagePixelsAndPlainPenModeIsKept) {
  TGeoMap m;
  EquiRectMap(m);
  m.Paint();
  m.SetMagnification(2);
  m.SetTopLeft(TPoint{100, 200});
  m.SetMouseAction(maDrawTrace);
  m.SetMouseTraceInvert(false);
  m.SetMouseTraceColor(0x0000F8);
  TGestureScript g(m);
  g.Run("down left 20 20\n move left 20 20\n move left 600 40\n up left 600 40");
  ASSERT_EQ(m.NumMTracePoints(), 2);
  const TColoredPoint end = m.GetMTracePoint(2);  // clamped to (500, 40): image (350, 220)
  EXPECT_NEAR(end.X, 13.5, 1e-9);
  EXPECT_NEAR(end.Y, 47.8, 1e-9);
  EXPECT_EQ(end.Flags, 1);
  EXPECT_EQ(m.Canvas()->Pixels(260, 30), 0x0000F8u);  // on (20, 20) - (500, 40)
  EXPECT_EQ(m.Canvas()->Pen.Mode, pmCopy);

  const TColoredPoint none = m.GetMTracePoint(3);
  EXPECT_EQ(none.Flags, 0xFFFF);
  EXPECT_EQ(none.X, 0);
  EXPECT_EQ(m.GetMTracePoint(0).Flags, 0xFFFF);

  TCountingMap c;
  c.SetMouseAction(maDrawTrace);
  TGestureScript gc(c);
  gc.Run("down left 1 1\n move left 1 1\n move left 5 5");
  c.Paints = 0;
  c.ClearMouseTrace();
  EXPECT_EQ(c.NumMTracePoints(), 0);
  EXPECT_EQ(c.Paints, 1);
  gc.Run("up left 5 5");  // nothing left to mark
  EXPECT_EQ(c.NumMTracePoints(), 0);
}

TEST(MouseTrace, The5001stPointIsNeitherStoredNorDrawn) {
  TGeoMap m;
  m.Paint();
  m.SetMouseAction(maDrawTrace);
  TGestureScript g(m);
  g.Run("down left 0 5");
  for (int i = 0; i < TGeoMap::MouseTraceCapacity; ++i)
    m.DispatchMouseMove(TShiftState{ssLeft}, i % 500, 5 + (i / 500) % 2);
  ASSERT_EQ(m.NumMTracePoints(), 5000);
  TBitmap before;
  before.Assign(m.Surface());
  g.Run("move left 250 300");
  EXPECT_EQ(m.NumMTracePoints(), 5000);
  int changed = 0;
  for (int y = 0; y < m.Height(); ++y)
    for (int x = 0; x < m.Width(); ++x) changed += m.Canvas()->Pixels(x, y) != before.Canvas()->Pixels(x, y);
  EXPECT_EQ(changed, 0);
}

TEST(MouseTrace, NothingIsRecordedWhileAZoomWindowIsDragged) {
  TGeoMap m;
  m.SetMouseAction(maZoomWind);
  TGestureScript g(m);
  g.Run("down left 10 10\n move left 30 30");
  m.SetMouseAction(maDrawTrace);  // switching modes keeps the zoom state
  g.Run("move left 40 40\n move left 50 50");
  EXPECT_EQ(m.NumMTracePoints(), 0);
}

TEST(LastClick, PositionsAreImagePixelsAndGeographicWhereTheCalibrationConverts) {
  TGeoMap m;
  EquiRectMap(m);
  m.SetMouseAction(maNone);
  m.SetMagnification(2);
  m.SetTopLeft(TPoint{10, 20});
  TGestureScript g(m);
  g.Run("down left 300 200\n move none 101 61");
  EXPECT_EQ(m.LastClickPosX(), 160);
  EXPECT_EQ(m.LastClickPosY(), 120);
  EXPECT_EQ(m.LastMousePosX(), 60);  // 50.5 rounds to even
  EXPECT_EQ(m.LastMousePosY(), 50);  // 30.5 rounds to even
  EXPECT_NEAR(m.LastClickLatitude(), 48.8, 1e-9);
  EXPECT_NEAR(m.LastClickLongitude(), 11.6, 1e-9);

  m.SetCalibModel(cmUndefined);
  EXPECT_EQ(m.LastClickLatitude(), 0.0);
  EXPECT_EQ(m.LastClickLongitude(), 0.0);
}

TEST(MouseEvents, TheInheritedHandlersRaiseTheControlsEvents) {
  TGeoMap m;
  std::vector<std::string> seen;
  m.SetOnMouseDown([&](TObject*, TMouseButton, TShiftState, int x, int y) { seen.push_back("down"); });
  m.SetOnMouseMove([&](TObject*, TShiftState, int, int) { seen.push_back("move"); });
  m.SetOnMouseUp([&](TObject*, TMouseButton, TShiftState, int, int) { seen.push_back("up"); });
  for (TMouseActMode a : {maNone, maPan, maRubberBand, maZoomWind, maZoomDrag, maSelectRect, maDrawTrace,
                          static_cast<TMouseActMode>(4), static_cast<TMouseActMode>(12)}) {
    m.SetMouseAction(a);
    TGestureScript(m).Run("down left 5 5\n move left 6 6\n up left 6 6");
  }
  EXPECT_EQ(seen.size(), 27u);
}

}  // namespace
}  // namespace orq
