// Mouse events: the order a window system's messages produce, clicks,
// double clicks, capture, routing to windowless children, disabled controls.
#include <gtest/gtest.h>

#include <string>
#include <vector>

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

TEST(ControlsEvents, ClickAndDoubleClickOrder) {
  TCustomControl c;
  c.SetBounds(0, 0, 50, 40);
  Recorder r;
  r.Attach(c, "c");
  c.DispatchMouseDown(mbLeft, {ssLeft}, 5, 6);
  c.DispatchMouseMove({ssLeft}, 7, 8);
  c.DispatchMouseUp(mbLeft, {}, 7, 8);
  c.DispatchMouseDown(mbLeft, {ssLeft, ssDouble}, 7, 8);
  c.DispatchMouseUp(mbLeft, {}, 7, 8);
  EXPECT_EQ(r.log, (Log{"c down 0 5,6", "c move 7,8", "c click", "c up 0 7,8", "c dblclick", "c down 0d 7,8",
                        "c up 0 7,8"}));
}

TEST(ControlsEvents, NoClickForReleaseOutsideOrOtherButtons) {
  TCustomControl c;
  c.SetBounds(0, 0, 50, 40);
  Recorder r;
  r.Attach(c, "c");
  c.DispatchMouseDown(mbLeft, {ssLeft}, 5, 6);
  c.DispatchMouseUp(mbLeft, {}, 50, 6);  // right edge is outside
  c.DispatchMouseDown(mbRight, {ssRight}, 5, 6);
  c.DispatchMouseUp(mbRight, {}, 5, 6);
  c.DispatchMouseUp(mbLeft, {}, 5, 6);  // a release without a press
  EXPECT_EQ(r.log, (Log{"c down 0 5,6", "c up 0 50,6", "c down 1 5,6", "c up 1 5,6", "c up 0 5,6"}));
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

}  // namespace
}  // namespace orq
