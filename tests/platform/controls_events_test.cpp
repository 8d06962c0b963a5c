// Mouse events: the order a window system's messages produce, clicks,
// double clicks, capture, routing to windowless children, disabled controls.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "orqplatform/Bitmap.h"
#include "orqplatform/Controls.h"

namespace orq {
namespace {

// Records every event of a control as a short line.
struct Recorder {
  std::vector<std::string> log;
  void Attach(TControl& c, const std::string& name) {
    c.SetOnMouseDown([this, name](TObject*, TMouseButton b, TShiftState s, int x, int y) {
      log.push_back(name + " down " + std::to_string(b) + (s.contains(ssDouble) ? "d" : "") + " " +
                    std::to_string(x) + "," + std::to_string(y));
    });
    c.SetOnMouseMove([this, name](TObject*, TShiftState, int x, int y) {
      log.push_back(name + " move " + std::to_string(x) + "," + std::to_string(y));
    });
    c.SetOnMouseUp([this, name](TObject*, TMouseButton b, TShiftState, int x, int y) {
      log.push_back(name + " up " + std::to_string(b) + " " + std::to_string(x) + "," + std::to_string(y));
    });
    c.SetOnClick([this, name](TObject*) { log.push_back(name + " click"); });
    c.SetOnDblClick([this, name](TObject*) { log.push_back(name + " dblclick"); });
  }
};

using Log = std::vector<std::string>;

TEST(ControlsEvents, NoClickForAReleaseOnTheEdgeOrWithoutPress) {
  TCustomControl c;
  c.SetBounds(0, 0, 50, 40);
  Recorder r;
  r.Attach(c, "c");
  c.DispatchMouseDown(mbLeft, {ssLeft}, 5, 6);
  c.DispatchMouseUp(mbLeft, {}, 50, 6);  // the right edge is outside
  c.DispatchMouseUp(mbLeft, {}, 5, 6);   // a release without a press
  EXPECT_EQ(r.log, (Log{"c down 0 5,6", "c up 0 50,6", "c up 0 5,6"}));
}

TEST(ControlsEvents, RawHandlersOnlyRaiseTheirOwnEvent) {
  TCustomControl c;
  c.SetBounds(0, 0, 50, 40);
  Recorder r;
  r.Attach(c, "c");
  c.MouseDown(mbLeft, {ssLeft}, 1, 2);
  c.MouseUp(mbLeft, {}, 1, 2);
  EXPECT_EQ(r.log, (Log{"c down 0 1,2", "c up 0 1,2"}));
  EXPECT_FALSE(c.MouseCapture());

  c.SetControlStyle(c.ControlStyle() + TControlStyle{csNoStdEvents});
  c.MouseMove({}, 1, 1);
  EXPECT_EQ(r.log.size(), 2u);
}

TEST(ControlsEvents, LeftPressCapturesUntilRelease) {
  TCustomControl c;
  c.SetBounds(0, 0, 50, 40);
  c.DispatchMouseDown(mbRight, {ssRight}, 1, 1);
  EXPECT_FALSE(c.MouseCapture());
  c.DispatchMouseDown(mbLeft, {ssLeft}, 1, 1);
  EXPECT_TRUE(c.MouseCapture());
  c.DispatchMouseUp(mbLeft, {}, 100, 100);
  EXPECT_FALSE(c.MouseCapture());
}

TEST(ControlsEvents, DisabledControlsIgnoreInput) {
  TCustomControl c;
  c.SetBounds(0, 0, 50, 40);
  Recorder r;
  r.Attach(c, "c");
  c.SetEnabled(false);
  c.DispatchMouseDown(mbLeft, {ssLeft}, 1, 1);
  c.DispatchMouseMove({ssLeft}, 2, 2);
  c.DispatchMouseUp(mbLeft, {}, 1, 1);
  EXPECT_TRUE(r.log.empty());
}

TEST(ControlsEvents, WindowlessChildTakesThePressAndKeepsItUntilRelease) {
  TCustomControl parent;
  parent.SetBounds(0, 0, 100, 50);
  TGraphicControl child;
  child.SetParent(&parent);
  child.SetBounds(10, 10, 20, 20);
  Recorder r;
  r.Attach(parent, "p");
  r.Attach(child, "b");

  parent.DispatchMouseMove({}, 15, 12);   // over the child: its coordinates
  parent.DispatchMouseMove({}, 40, 12);   // over the parent
  parent.DispatchMouseDown(mbLeft, {ssLeft}, 12, 13);
  EXPECT_TRUE(child.MouseCapture());
  EXPECT_TRUE(parent.MouseCapture());  // the window holds the mouse for it
  parent.DispatchMouseMove({ssLeft}, 70, 40);  // dragged off: still the child's
  parent.DispatchMouseUp(mbLeft, {}, 15, 15);
  EXPECT_FALSE(parent.MouseCapture());
  parent.DispatchMouseDown(mbLeft, {ssLeft}, 60, 5);
  parent.DispatchMouseUp(mbLeft, {}, 60, 5);

  EXPECT_EQ(r.log, (Log{"b move 5,2", "p move 40,12", "b down 0 2,3", "b move 60,30", "b click", "b up 0 5,5",
                        "p down 0 60,5", "p click", "p up 0 60,5"}));
}

TEST(ControlsEvents, HiddenOrDisabledChildrenLetThePressThrough) {
  TCustomControl parent;
  parent.SetBounds(0, 0, 100, 50);
  TGraphicControl under, over;
  under.SetParent(&parent);
  over.SetParent(&parent);
  under.SetBounds(0, 0, 30, 30);
  over.SetBounds(10, 10, 30, 30);
  EXPECT_EQ(parent.ControlAtPos(Point(15, 15)), &over);  // later is on top
  EXPECT_EQ(parent.ControlAtPos(Point(5, 5)), &under);
  over.SetVisible(false);
  EXPECT_EQ(parent.ControlAtPos(Point(15, 15)), &under);
  under.SetEnabled(false);
  EXPECT_EQ(parent.ControlAtPos(Point(15, 15)), nullptr);
  EXPECT_EQ(parent.ControlAtPos(Point(15, 15), true), &under);

  parent.SetCursor(crCross);
  under.SetCursor(crHandPoint);
  EXPECT_EQ(parent.CursorAt(Point(15, 15)), crHandPoint);
  EXPECT_EQ(parent.CursorAt(Point(80, 15)), crCross);
}

TEST(ControlsEvents, AHandlerMayDestroyTheControlItWasRaisedFor) {
  TCustomControl parent;
  parent.SetBounds(0, 0, 100, 50);
  auto* child = new TGraphicControl(&parent);
  child->SetParent(&parent);
  child->SetBounds(0, 0, 10, 10);
  child->SetOnMouseUp([](TObject* sender, TMouseButton, TShiftState, int, int) { delete sender; });
  parent.DispatchMouseDown(mbLeft, {ssLeft}, 1, 1);
  parent.DispatchMouseUp(mbRight, {}, 1, 1);
  EXPECT_EQ(parent.ControlCount(), 0);
  EXPECT_FALSE(parent.MouseCapture());
  EXPECT_EQ(parent.ComponentCount(), 0);
  parent.DispatchMouseMove({}, 1, 1);  // nothing left to route to
}

TEST(ControlsEvents, ClickOrDoubleClickHandlerMayFreeTheControl) {
  int ups = 0;
  auto* c = new TCustomControl();
  c->SetBounds(0, 0, 10, 10);
  c->SetOnMouseUp([&](TObject*, TMouseButton, TShiftState, int, int) { ++ups; });
  c->SetOnClick([](TObject* sender) { delete sender; });
  c->DispatchMouseDown(mbLeft, {ssLeft}, 1, 1);
  c->DispatchMouseUp(mbLeft, {}, 1, 1);  // no OnMouseUp for a freed control
  c = new TCustomControl();
  c->SetOnDblClick([](TObject* sender) { delete sender; });
  c->DispatchMouseDown(mbLeft, {ssLeft, ssDouble}, 1, 1);
  EXPECT_EQ(ups, 0);
}

TEST(ControlsEvents, WheelGoesUpDownThenToTheParent) {
  TWinControl parent;
  TCustomControl child;
  child.SetParent(&parent);
  child.SetBounds(10, 20, 30, 30);
  std::vector<std::string> log;
  child.SetOnMouseWheel([&](TObject*, TShiftState, int delta, TPoint, bool& handled) {
    log.push_back("wheel " + std::to_string(delta));
    handled = delta == 240;
  });
  child.SetOnMouseWheelUp([&](TObject*, TShiftState, TPoint, bool&) { log.push_back("up"); });
  child.SetOnMouseWheelDown([&](TObject*, TShiftState, TPoint, bool& handled) {
    log.push_back("down");
    handled = true;
  });
  parent.SetOnMouseWheel([&](TObject*, TShiftState, int, TPoint p, bool& handled) {
    log.push_back("parent " + std::to_string(p.X) + "," + std::to_string(p.Y));
    handled = true;
  });
  EXPECT_TRUE(child.DispatchMouseWheel({}, 240, Point(1, 2)));
  EXPECT_TRUE(child.DispatchMouseWheel({}, -120, Point(1, 2)));
  EXPECT_TRUE(child.DispatchMouseWheel({}, 120, Point(1, 2)));  // up does not handle: the parent does
  EXPECT_EQ(log, (Log{"wheel 240", "wheel -120", "down", "wheel 120", "up", "parent 11,22"}));
  parent.SetOnMouseWheel(nullptr);
  EXPECT_FALSE(child.DispatchMouseWheel({}, 120, Point(1, 2)));
}

TEST(ControlsEvents, CanResizeAdjustsOrRefusesANewSize) {
  TCustomControl c;
  c.SetBounds(0, 0, 10, 10);
  c.SetOnCanResize([](TObject*, int& w, int& h, bool& resize) {
    if (w > 100) resize = false;
    h = std::max(h, 5);
  });
  c.SetBounds(0, 0, 50, 2);
  EXPECT_EQ(c.BoundsRect(), Rect(0, 0, 50, 5));
  c.SetBounds(3, 4, 200, 200);  // refused size, the move still happens
  EXPECT_EQ(c.BoundsRect(), Rect(3, 4, 53, 9));
  EXPECT_EQ(c.Surface()->Width(), 50);
}

TEST(ControlsEvents, ShowHintFollowsTheParentUntilSet) {
  TWinControl parent;
  TControl child;
  child.SetParent(&parent);
  parent.SetShowHint(true);
  EXPECT_TRUE(child.ShowHint());
  child.SetShowHint(false);
  EXPECT_FALSE(child.ParentShowHint());
  EXPECT_FALSE(child.ShowHint());
  child.SetParentShowHint(true);
  EXPECT_TRUE(child.ShowHint());
}

}  // namespace
}  // namespace orq
