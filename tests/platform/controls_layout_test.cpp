// Controls: bounds and surfaces, alignment of children, visibility, mouse
// events and clicks, peers, ownership.
#include <gtest/gtest.h>

#include "orqplatform/Buttons.h"
#include "orqplatform/Controls.h"
#include "orqplatform/StdCtrls.h"

namespace orq {
namespace {

TEST(ControlsLayout, SurfaceFollowsTheSizeAndResizeIsReported) {
  TCustomControl c;
  int resized = 0;
  c.SetOnResize([&](TObject* s) {
    EXPECT_EQ(s, &c);
    ++resized;
  });
  c.SetBounds(10, 20, 300, 200);
  EXPECT_EQ(c.Canvas()->Surface()->Width(), 300);
  EXPECT_EQ(c.Canvas()->Surface()->Height(), 200);
  EXPECT_EQ(c.BoundsRect(), (TRect{10, 20, 310, 220}));
  c.SetLeft(5);  // a move is not a resize
  c.SetWidth(-4);
  EXPECT_EQ(c.Width(), 0);
  EXPECT_EQ(resized, 2);
}

TEST(ControlsLayout, TopBottomLeftRightThenClient) {
  TWinControl form;
  form.SetBounds(0, 0, 400, 300);
  TPanel top(&form), client(&form), bottom(&form), left(&form), right(&form);
  top.SetHeight(30);
  bottom.SetHeight(20);
  left.SetWidth(50);
  right.SetWidth(60);
  for (TControl* c : std::initializer_list<TControl*>{&client, &top, &bottom, &left, &right}) c->SetParent(&form);
  client.SetAlign(alClient);
  top.SetAlign(alTop);
  bottom.SetAlign(alBottom);
  left.SetAlign(alLeft);
  right.SetAlign(alRight);
  EXPECT_EQ(top.BoundsRect(), (TRect{0, 0, 400, 30}));
  EXPECT_EQ(bottom.BoundsRect(), (TRect{0, 280, 400, 300}));
  EXPECT_EQ(left.BoundsRect(), (TRect{0, 30, 50, 280}));
  EXPECT_EQ(right.BoundsRect(), (TRect{340, 30, 400, 280}));
  EXPECT_EQ(client.BoundsRect(), (TRect{50, 30, 340, 280}));
  // Resizing the parent lays out again; hiding a child gives its room away.
  form.SetBounds(0, 0, 500, 400);
  EXPECT_EQ(client.BoundsRect(), (TRect{50, 30, 440, 380}));
  top.SetVisible(false);
  EXPECT_EQ(client.BoundsRect(), (TRect{50, 0, 440, 380}));
  EXPECT_EQ(client.Canvas()->Surface()->Width(), 390);
}

TEST(ControlsLayout, MouseEventsAndClicks) {
  TCustomControl c;
  c.SetBounds(0, 0, 50, 40);
  std::vector<std::string> log;
  c.SetOnMouseDown([&](TObject*, TMouseButton b, TShiftState s, int x, int y) {
    log.push_back("down " + std::to_string(b) + " " + std::to_string(x) + "," + std::to_string(y) +
                  (s.contains(ssShift) ? " shift" : ""));
  });
  c.SetOnMouseMove([&](TObject*, TShiftState, int x, int y) { log.push_back("move " + std::to_string(x) + "," + std::to_string(y)); });
  c.SetOnMouseUp([&](TObject*, TMouseButton, TShiftState, int x, int y) { log.push_back("up " + std::to_string(x) + "," + std::to_string(y)); });
  c.SetOnClick([&](TObject*) { log.push_back("click"); });
  c.SetOnDblClick([&](TObject*) { log.push_back("dblclick"); });
  c.MouseDown(mbLeft, {ssShift, ssLeft}, 3, 4);
  c.MouseMove({ssLeft}, 5, 6);
  c.MouseUp(mbLeft, {}, 5, 6);
  c.MouseDown(mbLeft, {ssLeft}, 3, 4);
  c.MouseUp(mbLeft, {}, 60, 6);  // released outside: no click
  c.MouseDown(mbRight, {ssRight}, 1, 1);
  c.MouseUp(mbRight, {}, 1, 1);  // right button: no click
  c.MouseDown(mbLeft, {ssLeft, ssDouble}, 2, 2);
  EXPECT_EQ(log, (std::vector<std::string>{"down 0 3,4 shift", "move 5,6", "up 5,6", "click", "down 0 3,4", "up 60,6",
                                           "down 1 1,1", "up 1,1", "dblclick", "down 0 2,2"}));
}

class CountingControl : public TCustomControl {  // paints itself red
 public:
  using TCustomControl::TCustomControl;
  void Paint() override {
    ++Paints;
    Canvas()->Brush.Color = clRed;
    Canvas()->FillRect(ClientRect());
  }
  int Paints = 0;
};

class RecordingPeer : public TControlPeer {
 public:
  void BoundsChanged(TControl*) override { Log += "b"; }
  void VisibleChanged(TControl*) override { Log += "v"; }
  void CursorChanged(TControl*) override { Log += "c"; }
  void Invalidated(TControl*) override { Log += "i"; }
  void Destroying(TControl*) override { Log += "d"; }
  std::string Log;
};

TEST(ControlsLayout, InvalidatePaintsIntoTheSurfaceAndTellsThePeer) {
  RecordingPeer peer;
  {
    CountingControl c;
    c.SetPeer(&peer);
    c.SetBounds(0, 0, 4, 3);
    EXPECT_FALSE(c.HandleAllocated());
    c.Invalidate();
    EXPECT_TRUE(c.HandleAllocated());
    EXPECT_EQ(c.Paints, 1);
    EXPECT_EQ(c.Canvas()->Pixels(3, 2), clRed);
    c.SetCursor(crHandPoint);
    EXPECT_EQ(c.Cursor(), -21);
    c.SetVisible(false);
    c.Invalidate();  // invisible: no painting
    EXPECT_EQ(c.Paints, 1);
  }
  EXPECT_EQ(peer.Log, "bicvd");
}

TEST(ControlsLayout, PaintToComposesTheVisibleTree) {
  CountingControl parent, child, hidden;
  parent.SetBounds(0, 0, 6, 4);
  child.SetBounds(2, 1, 2, 2);
  hidden.SetBounds(0, 0, 1, 1);
  child.SetParent(&parent);
  hidden.SetParent(&parent);
  parent.Canvas()->Brush.Color = clBlue;
  parent.Canvas()->FillRect(parent.ClientRect());
  child.Invalidate();
  hidden.Invalidate();
  hidden.SetVisible(false);
  TBitmap shot;
  shot.SetPixelFormat(pf24bit);
  shot.SetSize(8, 5);
  parent.PaintTo(shot.Canvas(), 1, 1);
  EXPECT_EQ(shot.Canvas()->Pixels(0, 0), clWhite);
  EXPECT_EQ(shot.Canvas()->Pixels(1, 1), clBlue);  // the hidden child does not show
  EXPECT_EQ(shot.Canvas()->Pixels(3, 2), clRed);
  EXPECT_EQ(shot.Canvas()->Pixels(4, 3), clRed);
  EXPECT_EQ(shot.Canvas()->Pixels(5, 3), clBlue);
}

TEST(ControlsLayout, OwnerFreesChildrenAndParentsForgetFreedChildren) {
  auto* form = new TWinControl;
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  auto* button = new TSpeedButton(panel);
  button->SetParent(panel);
  auto* loose = new TPanel;  // owned by nobody, parented to the panel
  loose->SetParent(panel);
  EXPECT_EQ(panel->ControlCount(), 2);
  delete button;
  EXPECT_EQ(panel->ControlCount(), 1);
  delete form;  // frees the panel; the loose child loses its parent
  EXPECT_EQ(loose->Parent(), nullptr);
  delete loose;
}

}  // namespace
}  // namespace orq
