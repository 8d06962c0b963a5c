// Mouse gestures that move the view: panning, the zoom window and the zoom
// drag, with their history pushes and XOR feedback.
#include <gtest/gtest.h>

#include "../geomap/geomap_test_support.h"
#include "gesture_script.h"

namespace orq {
namespace {

using viewtest::TGestureScript;
using viewtest::WindowShowsComposedPicture;

TEST(PanGesture, LeavingTheControlPausesTheDragAndComingBackJumpsToTheOffset) {
  TGeoMap m;  // 500 x 400
  GiveImage(m, 1000, 1000);
  m.SetConfinePanToMapImage(false);
  m.SetTopLeft(TPoint{100, 100});
  int events = 0;
  m.SetOnZoomPan([&](TObject*) { ++events; });
  TGestureScript g(m);
  g.Run("down left 200 200\n move left 200 200\n move left 250 230");
  EXPECT_EQ(m.TopLeft(), (TPoint{50, 70}));
  g.Run("move left 600 230\n move left 250 -5");  // outside: the map stays
  EXPECT_EQ(m.TopLeft(), (TPoint{50, 70}));
  g.Run("move left 180 150");
  EXPECT_EQ(m.TopLeft(), (TPoint{120, 150}));
  EXPECT_EQ(events, 2);
  g.Run("up left 180 150");
  EXPECT_EQ(m.GetZoomStackEntry(0), (TgmZoomStackEntry{120, 150, 1.0}));
  EXPECT_EQ(m.GetZoomStackEntry(-1), (TgmZoomStackEntry{0, 0, 1.0}));

  // Unconfined the image can be dragged beyond its edges.
  g.Run("down left 100 100\n move left 100 100\n move left 450 380\n up left 450 380");
  EXPECT_EQ(m.TopLeft(), (TPoint{-230, -130}));
}

TEST(PanGesture, ConfinedPanningStaysInsideTheImage) {
  TGeoMap m;
  GiveImage(m, 1000, 1000);
  m.SetTopLeft(TPoint{300, 300});
  TGestureScript g(m);
  g.Run("down left 450 350\n move left 450 350\n move left 0 0");
  EXPECT_EQ(m.TopLeft(), (TPoint{500, 600}));  // 750, 650 held at the far edges
  g.Run("move left 499 399\n move left 500 400");
  EXPECT_EQ(m.TopLeft(), (TPoint{250, 250}));
  g.Run("up left 500 400\n down left 10 10\n move left 10 10\n move left 490 390\n up left 490 390");
  EXPECT_EQ(m.TopLeft(), (TPoint{0, 0}));
}

TEST(PanGesture, HorizontalAndVerticalModesKeepTheOtherAxis) {
  TGeoMap m;
  GiveImage(m, 1000, 1000);
  m.SetTopLeft(TPoint{100, 100});
  m.SetMouseAction(maPanHoriz);
  TGestureScript g(m);
  g.Run("down left 200 200\n move left 200 200\n move left 150 120\n up left 150 120");
  EXPECT_EQ(m.TopLeft(), (TPoint{150, 100}));
  m.SetMouseAction(maPanVert);
  g.Run("down left 200 200\n move left 200 200\n move left 150 120\n up left 150 120");
  EXPECT_EQ(m.TopLeft(), (TPoint{150, 180}));
}

TEST(PanGesture, AMoveWithoutTheButtonEndsTheDragAndTheNextOneStartsAfresh) {
  TGeoMap m;
  GiveImage(m, 1000, 1000);
  m.SetConfinePanToMapImage(false);
  m.SetMagnification(2);
  TGestureScript g(m);
  g.Run("down left 100 100\n move left 100 100\n move left 80 60\n move none 300 300\n"
        "move left 300 300\n move left 310 300");
  EXPECT_EQ(m.TopLeft(), (TPoint{5, 20}));  // (20, 40) / 2, then (-10, 0) / 2
}

TEST(PanGesture, AClickWithoutMovingPushesACopyOfTheView) {
  TGeoMap m;
  m.SetTopLeft(TPoint{4, 5});
  m.SetMagnification(2);
  int events = 0;
  m.SetOnZoomPan([&](TObject*) { ++events; });
  TGestureScript g(m);
  g.Run("down left 50 50\n up left 50 50");
  EXPECT_EQ(m.GetZoomStackEntry(0), (TgmZoomStackEntry{4, 5, 2.0}));
  EXPECT_EQ(m.GetZoomStackEntry(-1), (TgmZoomStackEntry{0, 0, 1.0}));
  EXPECT_EQ(events, 0);
  g.Run("down right 50 50\n up right 50 50");  // any button
  EXPECT_EQ(m.GetZoomStackEntry(-2), (TgmZoomStackEntry{0, 0, 1.0}));
  m.SetMouseAction(maZoomWind);  // other modes push nothing
  g.Run("down right 50 50\n up right 50 50");
  EXPECT_EQ(m.GetZoomStackEntry(-2), (TgmZoomStackEntry{0, 0, 1.0}));
}

class ZoomWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    m.SetBounds(0, 0, 400, 400);
    GiveImage(m, 1000, 1000);
    m.SetMouseAction(maZoomWind);
    m.SetOnZoomPan([this](TObject*) { ++events; });
  }
  TGeoMap m;
  TGestureScript g{m};
  int events = 0;
};

TEST_F(ZoomWindow, ARectangleOf250By100ZoomsTo1Point6AndIsCentred) {
  g.Run("down left 50 100\n move left 200 150\n move left 300 200");
  EXPECT_EQ(m.ZoomState(), zsDragging);
  EXPECT_FALSE(WindowShowsComposedPicture(m));  // the rectangle is shown
  g.Run("up left 300 200");
  EXPECT_EQ(m.ZoomState(), zsNone);
  EXPECT_DOUBLE_EQ(m.Magnification(), 1.6);
  EXPECT_EQ(m.TopLeft(), (TPoint{50, 25}));  // centre (175, 150) in both
  EXPECT_EQ(events, 1);
  EXPECT_TRUE(WindowShowsComposedPicture(m));
  EXPECT_EQ(m.GetZoomStackEntry(0), (TgmZoomStackEntry{0, 0, 1.0}));  // no push in this mode
}

TEST_F(ZoomWindow, DraggedFromBottomRightToTopLeftZoomsTheSame) {
  g.Run("down left 300 200\n move left 50 100\n up left 50 100");
  EXPECT_DOUBLE_EQ(m.Magnification(), 1.6);
  EXPECT_EQ(m.TopLeft(), (TPoint{50, 25}));
  // A tall rectangle takes the height ratio.
  g.Run("down left 0 0\n move left 100 200\n up left 100 200");
  EXPECT_DOUBLE_EQ(m.Magnification(), 400.0 / 125);  // image (50, 25) to (112, 150)
}

TEST_F(ZoomWindow, CornersOnOneImageColumnChangeNothingAndLeaveTheFeedback) {
  m.SetMagnification(4);  // control columns 100 and 101 are both image column 25
  g.Run("down left 100 100\n move left 101 200\n up left 101 200");
  EXPECT_EQ(m.Magnification(), 4);
  EXPECT_EQ(m.TopLeft(), (TPoint{0, 0}));
  EXPECT_EQ(events, 0);
  EXPECT_EQ(m.ZoomState(), zsNone);
  EXPECT_FALSE(WindowShowsComposedPicture(m));  // until the next repaint
  m.Paint();
  EXPECT_TRUE(WindowShowsComposedPicture(m));
}

TEST_F(ZoomWindow, RightReleaseCancelsAndMiddleKeepsTheRectangleActive) {
  g.Run("down left 50 50\n move left 120 90\n move left 700 -20");  // clamped
  g.Run("up middle 130 130");
  EXPECT_EQ(m.ZoomState(), zsDragging);
  g.Run("move left 200 210\n up right 200 210");
  EXPECT_EQ(m.ZoomState(), zsNone);
  EXPECT_EQ(m.Magnification(), 1);
  EXPECT_TRUE(WindowShowsComposedPicture(m));
}

TEST_F(ZoomWindow, APressOutsideTheControlStartsNothing) {
  g.Run("down left 401 50\n move left 200 200");
  EXPECT_EQ(m.ZoomState(), zsNone);
  EXPECT_TRUE(WindowShowsComposedPicture(m));
}

TEST_F(ZoomWindow, TheRectangleFeedbackIsClampedForTheMoveEventToo) {
  TPoint seen{-1, -1};
  m.SetOnMouseMove([&](TObject*, TShiftState, int x, int y) { seen = TPoint{x, y}; });
  g.Run("down left 50 50\n move left 900 -40");
  EXPECT_EQ(seen, (TPoint{400, 0}));
  EXPECT_EQ(m.LastMousePosX(), 900);  // recorded before clamping
  EXPECT_EQ(m.LastMousePosY(), -40);
}

TEST_F(ZoomWindow, AHugeZoomIsClampedToTheRange) {
  m.SetMagnification(40);
  g.Run("down left 0 0\n move left 40 40\n up left 40 40");  // one image pixel: 400
  EXPECT_EQ(m.Magnification(), TGeoMap::MaxMagnification);
}

TEST(ZoomDrag, EachMoveAppliesTheFactorFromThePressPoint) {
  TGeoMap m;  // 500 x 400
  GiveImage(m, 1000, 1000);
  m.SetMouseAction(maZoomDrag);
  int events = 0;
  m.SetOnZoomPan([&](TObject*) { ++events; });
  TGestureScript g(m);
  g.Run("down left 200 200\n move left 200 200\n move left 300 200");
  EXPECT_DOUBLE_EQ(m.Magnification(), 1.01);
  // About the window centre (250, 200): 250 - Round(247.52), 200 - Round(198.02).
  EXPECT_EQ(m.TopLeft(), (TPoint{2, 2}));
  g.Run("move left 300 200");
  EXPECT_DOUBLE_EQ(m.Magnification(), 1.01 * 1.01);
  EXPECT_EQ(events, 2);
  g.Run("up left 300 200");
  EXPECT_EQ(m.GetZoomStackEntry(0).MagF, m.Magnification());

  TGeoMap v;
  GiveImage(v, 1000, 1000);
  v.SetMouseAction(maZoomDrag);
  TGestureScript gv(v);
  gv.Run("down left 200 200\n move left 200 200\n move left 200 100");
  EXPECT_DOUBLE_EQ(v.Magnification(), 1.25);
  gv.Run("move left 200 300");  // down zooms out
  EXPECT_DOUBLE_EQ(v.Magnification(), 1.25 * 0.75);
}

TEST(ZoomDrag, FactorsBeyondTheRangeAreClamped) {
  TGeoMap m;
  m.SetMouseAction(maZoomDrag);
  TGestureScript g(m);
  g.Run("down left 100 0\n move left 100 0\n move left 100 400");  // factor 0
  EXPECT_EQ(m.Magnification(), TGeoMap::MinMagnification);
  g.Run("up left 100 400\n down left 100 400\n move left 100 400");
  for (int i = 0; i < 12; ++i) g.Run("move left 100 0");  // x 2 each
  EXPECT_EQ(m.Magnification(), TGeoMap::MaxMagnification);
  g.Run("move left 100 500");  // outside: nothing
  EXPECT_EQ(m.Magnification(), TGeoMap::MaxMagnification);
}

}  // namespace
}  // namespace orq
