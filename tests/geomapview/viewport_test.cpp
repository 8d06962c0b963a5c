// The viewport set from a program: magnification range, fitting, centring,
// the zoom history ring and the clipboard copy.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "../geomap/geomap_test_support.h"
#include "gesture_script.h"
#include "orqplatform/Clipboard.h"

namespace orq {
namespace {

using viewtest::EquiRectMap;

TgmZoomStackEntry Entry(int l, int t, double m) { return TgmZoomStackEntry{l, t, m}; }

TEST(ZoomHistory, StartsWithTheInitialViewAloneAndIgnoresEmptyAndOutOfRangeSlots) {
  TCountingMap m;
  EXPECT_EQ(m.GetZoomStackEntry(0), Entry(0, 0, 1.0));
  for (int r = -15; r < 0; ++r) EXPECT_TRUE(m.GetZoomStackEntry(r).IsEmpty()) << r;
  // Outside -15..0 an empty entry, not a neighbour's slot.
  m.ZoomStateOnStack();
  EXPECT_TRUE(m.GetZoomStackEntry(1).IsEmpty());
  EXPECT_TRUE(m.GetZoomStackEntry(-16).IsEmpty());
  EXPECT_TRUE(m.GetZoomStackEntry(-17).IsEmpty());

  m.ClearZoomHistory();
  m.SetMagnification(2);
  m.SetTopLeft(TPoint{5, 6});
  m.Paints = 0;
  m.ZoomHistory(-1);  // empty slot
  m.ZoomHistory(1);
  m.ZoomHistory(-16);
  EXPECT_EQ(m.Magnification(), 2);
  EXPECT_EQ(m.TopLeft(), (TPoint{5, 6}));
  EXPECT_EQ(m.Paints, 0);
  m.ZoomHistory(0);
  EXPECT_EQ(m.Magnification(), 1);
  EXPECT_EQ(m.TopLeft(), (TPoint{0, 0}));
  EXPECT_EQ(m.Paints, 1);
}

TEST(ZoomHistory, TheRingKeepsTheSixteenNewestAndRestoresWithoutPushing) {
  TGeoMap m;
  int events = 0;
  m.SetOnZoomPan([&](TObject*) { ++events; });
  for (int i = 1; i <= 20; ++i) {
    m.SetTopLeft(TPoint{i, 2 * i});
    m.SetMagnification(i / 8.0);
    m.ZoomStateOnStack();
  }
  for (int k = 0; k <= 15; ++k) EXPECT_EQ(m.GetZoomStackEntry(-k), Entry(20 - k, 40 - 2 * k, (20 - k) / 8.0)) << k;

  m.ZoomHistory(-15);
  EXPECT_EQ(m.TopLeft(), (TPoint{5, 10}));
  EXPECT_EQ(m.Magnification(), 5 / 8.0);
  EXPECT_EQ(m.GetZoomStackEntry(0), Entry(20, 40, 20 / 8.0));  // nothing pushed
  EXPECT_EQ(events, 0);

  // A viewport pushed while loading from a stream is not recorded.
  m.SetLoading(true);
  m.ZoomStateOnStack();
  m.SetLoading(false);
  EXPECT_EQ(m.GetZoomStackEntry(0), Entry(20, 40, 20 / 8.0));

  m.ClearZoomHistory();
  EXPECT_EQ(m.GetZoomStackEntry(0), Entry(5, 10, 5 / 8.0));
  EXPECT_TRUE(m.GetZoomStackEntry(-1).IsEmpty());
}

TEST(Magnification, SetterClampsToTheRangeWhileFitAndHistoryDoNot) {
  TCountingMap m;
  m.SetTopLeft(TPoint{7, 8});
  m.Paints = 0;
  m.SetMagnification(1000);
  EXPECT_EQ(m.Magnification(), TGeoMap::MaxMagnification);
  m.SetMagnification(-3);
  EXPECT_EQ(m.Magnification(), TGeoMap::MinMagnification);
  m.SetMagnification(std::numeric_limits<double>::quiet_NaN());
  EXPECT_EQ(m.Magnification(), TGeoMap::MinMagnification);
  m.SetMagnification(std::numeric_limits<double>::infinity());
  EXPECT_EQ(m.Magnification(), TGeoMap::MaxMagnification);
  EXPECT_EQ(m.Paints, 3);
  EXPECT_EQ(m.TopLeft(), (TPoint{7, 8}));
  EXPECT_EQ(m.GetZoomStackEntry(0), Entry(0, 0, 1.0));

  // A 10 x 10 image fits an 800 x 800 control at 80, beyond the range.
  m.SetBounds(0, 0, 800, 800);
  GiveImage(m, 10, 10);
  m.ZoomFitPage();
  EXPECT_EQ(m.Magnification(), 80);
  m.ZoomStateOnStack();
  m.SetMagnification(1);
  m.ZoomHistory(0);
  EXPECT_EQ(m.Magnification(), 80);
}

TEST(ZoomFitPage, TakesTheSmallerRatioAndShowsTheTopLeftCorner) {
  TCountingMap m;
  m.SetBounds(0, 0, 600, 400);
  GiveImage(m, 1000, 500);
  m.SetTopLeft(TPoint{30, 40});
  int events = 0;
  m.SetOnZoomPan([&](TObject*) { ++events; });
  m.Paints = 0;
  m.ZoomFitPage();
  EXPECT_DOUBLE_EQ(m.Magnification(), 0.6);
  EXPECT_EQ(m.TopLeft(), (TPoint{0, 0}));
  EXPECT_EQ(m.Paints, 1);
  EXPECT_EQ(events, 0);
  EXPECT_EQ(m.GetZoomStackEntry(0), Entry(0, 0, 1.0));
}

TEST(ZoomFitPage, WithoutAnImageOrAreaTheViewStays) {
  TCountingMap m;
  m.SetMagnification(2);
  m.SetTopLeft(TPoint{3, 4});
  m.Paints = 0;
  m.ZoomFitPage();
  EXPECT_EQ(m.Magnification(), 2);
  EXPECT_EQ(m.TopLeft(), (TPoint{3, 4}));
  EXPECT_EQ(m.Paints, 0);
  GiveImage(m, 100, 100);
  m.SetBounds(0, 0, 0, 300);
  m.ZoomFitPage();
  EXPECT_EQ(m.Magnification(), 2);
}

TEST(BringLocationToCenter, CentresWhereTheImageAllowsAndStopsAtItsEdges) {
  TGeoMap m;  // 500 x 400: a = 250, b = 200 at magnification 1
  EquiRectMap(m);
  m.BringLocationToCenter(45.0, 15.0);  // pixel (500, 500)
  EXPECT_EQ(m.TopLeft(), (TPoint{250, 300}));
  m.BringLocationToCenter(45.0, 19.9);  // x 990: lowered to 1000 - 2a
  EXPECT_EQ(m.TopLeft(), (TPoint{500, 300}));
  m.BringLocationToCenter(49.9, 10.5);  // (50, 10): negative, so 0
  EXPECT_EQ(m.TopLeft(), (TPoint{0, 0}));
  m.BringLocationToCenter(40.1, 19.9);  // bottom-right corner
  EXPECT_EQ(m.TopLeft(), (TPoint{500, 600}));

  m.SetMagnification(2);  // a = 125, b = 100
  m.BringLocationToCenter(45.0, 15.0);
  EXPECT_EQ(m.TopLeft(), (TPoint{375, 400}));
  EXPECT_EQ(m.GetZoomStackEntry(0), Entry(0, 0, 1.0));

  // Where the calibration cannot place the position nothing moves.
  m.SetCalibModel(cmUndefined);
  m.BringLocationToCenter(45.0, 12.0);
  EXPECT_EQ(m.TopLeft(), (TPoint{375, 400}));
}

TEST(BringLocationToCenter, AnImageSmallerThanTheWindowStartsAtItsCorner) {
  TGeoMap m;
  EquiRectMap(m);
  m.SetMagnification(0.25);  // the window spans 2000 x 1600 image pixels
  m.BringLocationToCenter(45.0, 15.0);
  EXPECT_EQ(m.TopLeft(), (TPoint{0, 0}));
}

TEST(BringMapPixelToCenter, IsHeldInsideTheImageEvenWhenPanningIsNotConfined) {
  TCountingMap m;
  GiveImage(m, 1000, 1000);
  m.SetConfinePanToMapImage(false);
  m.Paints = 0;
  m.BringMapPixelToCenter(TPoint{500, 500});
  EXPECT_EQ(m.TopLeft(), (TPoint{250, 300}));
  m.BringMapPixelToCenter(TPoint{990, 995});
  EXPECT_EQ(m.TopLeft(), (TPoint{500, 600}));
  m.BringMapPixelToCenter(TPoint{5, 5});
  EXPECT_EQ(m.TopLeft(), (TPoint{0, 0}));
  EXPECT_EQ(m.Paints, 3);
  EXPECT_FALSE(m.ConfinePanToMapImage());
}

TEST(AllowPan, MapsOntoTheMouseActionWithoutRepainting) {
  TCountingMap m;
  EXPECT_TRUE(m.AllowPan());
  m.SetMouseAction(maZoomWind);
  EXPECT_FALSE(m.AllowPan());
  m.Paints = 0;
  m.SetAllowPan(false);
  EXPECT_EQ(m.MouseAction(), maNone);
  m.SetMouseAction(maPanHoriz);
  EXPECT_FALSE(m.AllowPan());  // only maPan itself counts
  m.SetAllowPan(true);
  EXPECT_EQ(m.MouseAction(), maPan);
  m.SetMouseAction(maDrawTrace);
  m.SetAllowPan(true);
  EXPECT_EQ(m.MouseAction(), maPan);
  EXPECT_EQ(m.Paints, 0);
}

TEST(CopyToClipboard, TakesTheComposedPictureWithABlackBorderAtInsetOne) {
  TGeoMap m;
  m.SetBounds(0, 0, 300, 200);
  m.Paint();
  // A pattern straight into the composed picture: the copy must not
  // recompose, and every pixel tells where it came from.
  TCanvas* aux = m.AuxBmp()->Canvas();
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 300; ++x) aux->SetPixels(x, y, static_cast<TColor>(((x * 8) & 0xF8) | (((y * 8) & 0xF8) << 8) | 0x800000));
  m.CopyToClipboard();
  TBitmap got;
  ASSERT_TRUE(Clipboard()->GetAsBitmap(&got));
  ASSERT_EQ(got.Width(), 300);
  ASSERT_EQ(got.Height(), 200);
  int wrong = 0;
  for (int y = 0; y < 200; ++y) {
    for (int x = 0; x < 300; ++x) {
      const bool border = ((x == 1 || x == 298) && y >= 1 && y <= 198) || ((y == 1 || y == 198) && x >= 1 && x <= 298);
      const TColor want = border ? 0 : aux->Pixels(x, y);  // outermost row and column from the picture too
      if (got.Canvas()->Pixels(x, y) != want && wrong++ < 5) ADD_FAILURE() << "pixel " << x << "," << y;
    }
  }
  EXPECT_EQ(wrong, 0);
}

TEST(CopyToClipboard, AControlLargerThanThePictureShowsWhiteBeyondIt) {
  TGeoMap m;
  m.SetSuppressPaint(true);  // nothing composed: the picture is empty
  m.SetBounds(0, 0, 40, 30);
  m.CopyToClipboard();
  TBitmap got;
  ASSERT_TRUE(Clipboard()->GetAsBitmap(&got));
  EXPECT_EQ(got.Canvas()->Pixels(0, 0), 0xFFFFFFu);
  EXPECT_EQ(got.Canvas()->Pixels(20, 15), 0xFFFFFFu);
  EXPECT_EQ(got.Canvas()->Pixels(1, 15), 0u);
  EXPECT_EQ(got.Canvas()->Pixels(38, 28), 0u);
}

}  // namespace
}  // namespace orq
