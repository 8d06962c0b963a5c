// Bounds and Align layout of the control tree, and the window surface that
// follows a control's size.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "orqplatform/Bitmap.h"
#include "orqplatform/Canvas.h"
#include "orqplatform/Controls.h"
#include "orqplatform/Buttons.h"
#include "orqplatform/ExtCtrls.h"
#include "orqplatform/Forms.h"
#include "orqplatform/StdCtrls.h"

namespace orq {
namespace {

TRect Bounds(const TControl& c) { return c.BoundsRect(); }

TEST(ControlsLayout, TopPanelAndClientAreaLikeTheAtlas) {
  TCustomControl host;
  host.SetBounds(100, 50, 480, 320);
  TPanel panel(&host);
  panel.SetParent(&host);
  panel.SetHeight(33);
  panel.SetAlign(alTop);
  TCustomControl map(&host);
  map.SetParent(&host);
  map.SetAlign(alClient);

  EXPECT_EQ(Bounds(panel), Rect(0, 0, 480, 33));
  EXPECT_EQ(Bounds(map), Rect(0, 33, 480, 320));

  // The parent's resize lays the children out again.
  host.SetBounds(0, 0, 600, 200);
  EXPECT_EQ(Bounds(panel), Rect(0, 0, 600, 33));
  EXPECT_EQ(Bounds(map), Rect(0, 33, 600, 200));

  // A hidden panel takes no room; shown again it takes it back.
  panel.SetVisible(false);
  EXPECT_EQ(Bounds(map), Rect(0, 0, 600, 200));
  panel.SetVisible(true);
  EXPECT_EQ(Bounds(map), Rect(0, 33, 600, 200));

  // A taller panel pushes the client area down.
  panel.SetHeight(50);
  EXPECT_EQ(Bounds(map), Rect(0, 50, 600, 200));
}

TEST(ControlsLayout, EdgesAreHandedOutTopBottomLeftRightThenClient) {
  TWinControl host;
  host.SetBounds(0, 0, 200, 100);
  TControl top1, top2, bottom, left, right, client, free;
  for (TControl* c : {&top1, &top2, &bottom, &left, &right, &client, &free}) c->SetParent(&host);
  top1.SetBounds(0, 0, 5, 10);
  top2.SetBounds(0, 0, 5, 20);
  bottom.SetBounds(0, 0, 5, 15);
  left.SetBounds(0, 0, 30, 5);
  right.SetBounds(0, 0, 40, 5);
  free.SetBounds(7, 8, 9, 10);
  // Set in an order unlike the handing-out order.
  client.SetAlign(alClient);
  right.SetAlign(alRight);
  left.SetAlign(alLeft);
  bottom.SetAlign(alBottom);
  top2.SetAlign(alTop);
  top1.SetAlign(alTop);

  // top1 and top2 both sat at Top 0: the earlier inserted one comes first.
  EXPECT_EQ(Bounds(top1), Rect(0, 0, 200, 10));
  EXPECT_EQ(Bounds(top2), Rect(0, 10, 200, 30));
  EXPECT_EQ(Bounds(bottom), Rect(0, 85, 200, 100));
  EXPECT_EQ(Bounds(left), Rect(0, 30, 30, 85));
  EXPECT_EQ(Bounds(right), Rect(160, 30, 200, 85));
  EXPECT_EQ(Bounds(client), Rect(30, 30, 160, 85));
  EXPECT_EQ(Bounds(free), Rect(7, 8, 16, 18));  // alNone is left alone

  // Moving top2 above top1 reorders the stack.
  top2.SetTop(-1);
  EXPECT_EQ(Bounds(top2), Rect(0, 0, 200, 20));
  EXPECT_EQ(Bounds(top1), Rect(0, 20, 200, 30));

  host.SetWidth(100);
  EXPECT_EQ(Bounds(right), Rect(60, 30, 100, 85));
  EXPECT_EQ(Bounds(client), Rect(30, 30, 60, 85));
}

TEST(ControlsLayout, TooSmallParentShrinksTheRestToNothing) {
  TWinControl host;
  host.SetBounds(0, 0, 50, 40);
  TControl top, client;
  top.SetParent(&host);
  client.SetParent(&host);
  top.SetHeight(60);
  top.SetAlign(alTop);
  client.SetAlign(alClient);
  EXPECT_EQ(Bounds(top), Rect(0, 0, 50, 60));  // keeps its height, overflows
  EXPECT_EQ(client.Width(), 50);
  EXPECT_EQ(client.Height(), 0);
  host.SetBounds(0, 0, -5, -5);
  EXPECT_EQ(host.Width(), 0);
  EXPECT_EQ(client.Width(), 0);
}

TEST(ControlsLayout, DisabledAlignLaysOutOnceAtTheEnd) {
  TWinControl host;
  host.SetBounds(0, 0, 100, 100);
  TControl a;
  a.SetParent(&host);
  int resizes = 0;
  a.SetOnResize([&](TObject*) { ++resizes; });
  host.DisableAlign();
  a.SetAlign(alClient);
  host.SetBounds(0, 0, 80, 60);
  EXPECT_EQ(a.Width(), 0);
  host.EnableAlign();
  EXPECT_EQ(Bounds(a), Rect(0, 0, 80, 60));
  EXPECT_EQ(resizes, 1);
}

TEST(ControlsLayout, RemovingAnAlignedChildFreesItsRoom) {
  TWinControl host;
  host.SetBounds(0, 0, 100, 100);
  TControl top, client;
  top.SetParent(&host);
  top.SetHeight(25);
  top.SetAlign(alTop);
  client.SetParent(&host);
  client.SetAlign(alClient);
  top.SetParent(nullptr);
  EXPECT_EQ(Bounds(client), Rect(0, 0, 100, 100));
  EXPECT_EQ(host.ControlCount(), 1);
}

TEST(ControlsLayout, NestedAlignmentFollowsTheOuterResize) {
  TWinControl outer;
  outer.SetBounds(0, 0, 300, 200);
  TWinControl inner;
  inner.SetParent(&outer);
  inner.SetAlign(alClient);
  TControl leaf;
  leaf.SetParent(&inner);
  leaf.SetWidth(20);
  leaf.SetAlign(alRight);
  outer.SetBounds(0, 0, 120, 90);
  EXPECT_EQ(Bounds(leaf), Rect(100, 0, 120, 90));
  EXPECT_EQ(leaf.ClientToParent(Point(1, 2), &outer), Point(101, 2));
  EXPECT_THROW(outer.ClientToParent(Point(0, 0), &inner), EInvalidOperation);
}

TEST(ControlsLayout, ParentLoopsAreRefused) {
  TWinControl a, b;
  b.SetParent(&a);
  EXPECT_THROW(a.SetParent(&b), EInvalidOperation);
  EXPECT_THROW(a.SetParent(&a), EInvalidOperation);
  EXPECT_EQ(a.Parent(), nullptr);
}

TEST(ControlsSurface, FollowsTheBoundsAndKeepsTheCommonPart) {
  TCustomControl c;
  EXPECT_EQ(c.Surface()->Width(), 0);
  c.SetBounds(0, 0, 40, 30);
  ASSERT_EQ(c.Surface()->Width(), 40);
  ASSERT_EQ(c.Surface()->Height(), 30);
  c.Canvas()->SetPixels(5, 6, clRed);
  c.SetBounds(10, 10, 20, 50);
  EXPECT_EQ(c.Surface()->Width(), 20);
  EXPECT_EQ(c.Surface()->Height(), 50);
  EXPECT_EQ(c.Canvas()->Pixels(5, 6), clRed);

  // An aligned child's surface follows the layout.
  TPanel panel(&c);
  panel.SetParent(&c);
  panel.SetAlign(alClient);
  EXPECT_EQ(panel.Surface()->Width(), 20);
  EXPECT_EQ(panel.Surface()->Height(), 50);
}

TEST(ControlsSurface, PaintToShowsAWholeCompositeWindow) {
  TCustomControl top;
  top.SetBounds(0, 0, 40, 30);
  top.SetColor(clSilver);
  TPanel bar(&top);
  bar.SetParent(&top);
  bar.SetHeight(10);
  bar.SetAlign(alTop);
  bar.SetBevelOuter(bvNone);
  bar.SetColor(clRed);
  TComboBox combo(&top);
  combo.SetParent(&bar);
  combo.SetBounds(20, 1, 15, 8);
  combo.Items()->Add("x");
  TPanel hidden(&top);
  hidden.SetParent(&top);
  hidden.SetBounds(0, 20, 40, 10);
  hidden.SetColor(clBlue);
  hidden.SetVisible(false);

  TBitmap shot;
  shot.SetSize(50, 40);
  shot.Canvas()->Brush.Color = clWhite;
  shot.Canvas()->FillRect(Rect(0, 0, 50, 40));
  top.PaintTo(shot.Canvas(), 5, 5);
  EXPECT_EQ(shot.Canvas()->Pixels(4, 4), clWhite);   // outside
  EXPECT_EQ(shot.Canvas()->Pixels(6, 6), clRed);     // the bar
  EXPECT_EQ(shot.Canvas()->Pixels(6, 30), clSilver); // the top window; hidden panel absent
  EXPECT_EQ(shot.Canvas()->Pixels(25, 6), clGray);   // the combo box's frame
  EXPECT_EQ(shot.Canvas()->Pixels(27, 9), clWhite);  // its field
  EXPECT_FALSE(top.PaintPending());
}

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
  // As a window system delivers them: the click comes between down and up.
  c.DispatchMouseDown(mbLeft, {ssShift, ssLeft}, 3, 4);
  c.DispatchMouseMove({ssLeft}, 5, 6);
  c.DispatchMouseUp(mbLeft, {}, 5, 6);
  c.DispatchMouseDown(mbLeft, {ssLeft}, 3, 4);
  c.DispatchMouseUp(mbLeft, {}, 60, 6);  // released outside: no click
  c.DispatchMouseDown(mbRight, {ssRight}, 1, 1);
  c.DispatchMouseUp(mbRight, {}, 1, 1);  // right button: no click
  c.DispatchMouseDown(mbLeft, {ssLeft, ssDouble}, 2, 2);
  EXPECT_EQ(log, (std::vector<std::string>{"down 0 3,4 shift", "move 5,6", "click", "up 5,6", "down 0 3,4", "up 60,6",
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

// Letters for what a control tells its peer; repeats are folded.
class LetterPeer : public TControlPeer {
 public:
  explicit LetterPeer(std::string* log) : Log(log) {}
  ~LetterPeer() override { Add('d'); }
  void Changed(TPeerChange what) override { Add(what == pcBounds ? 'b' : what == pcVisible ? 'v' : what == pcCursor ? 'c' : '?'); }
  void Invalidate(const TRect&) override { Add('i'); }
  void Update() override {}
  void SetMouseCapture(bool) override {}
  void Add(char c) {
    if (Log->empty() || Log->back() != c) *Log += c;
  }
  std::string* Log;
};
class LetterBackend : public THostBackend {
 public:
  explicit LetterBackend(std::string* log) : Log(log) {}
  std::unique_ptr<TControlPeer> CreatePeer(TWinControl*) override { return std::make_unique<LetterPeer>(Log); }
  std::string* Log;
};

TEST(ControlsLayout, InvalidatePaintsIntoTheSurfaceAndTellsThePeer) {
  std::string log;
  Application->SetHostBackend(std::make_unique<LetterBackend>(&log));
  {
    CountingControl c;
    c.SetBounds(0, 0, 4, 3);
    EXPECT_FALSE(c.HandleAllocated());
    c.HandleNeeded();
    EXPECT_TRUE(c.HandleAllocated());
    c.Invalidate();
    EXPECT_EQ(c.Paints, 0);  // marked only
    c.Update();
    EXPECT_EQ(c.Paints, 1);
    EXPECT_EQ(c.Canvas()->Pixels(3, 2), clRed);
    c.SetCursor(crHandPoint);
    EXPECT_EQ(c.Cursor(), -21);
    c.SetBounds(1, 1, 4, 3);
    c.SetVisible(false);
    c.Repaint();  // invisible: no painting
    EXPECT_EQ(c.Paints, 1);
  }
  Application->SetHostBackend(nullptr);
  EXPECT_EQ(log, "icbvid");
}

TEST(ControlsLayout, PaintToComposesTheVisibleTree) {
  CountingControl parent, child, hidden;
  parent.SetBounds(0, 0, 6, 4);
  child.SetBounds(2, 1, 2, 2);
  hidden.SetBounds(0, 0, 1, 1);
  child.SetParent(&parent);
  hidden.SetParent(&parent);
  parent.Update();  // its paint done; the blue below stands for what it drew
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
