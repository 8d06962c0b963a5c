// Bounds and Align layout of the control tree, and the window surface that
// follows a control's size.
#include <gtest/gtest.h>

#include "orqplatform/Bitmap.h"
#include "orqplatform/Canvas.h"
#include "orqplatform/Controls.h"
#include "orqplatform/ExtCtrls.h"

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

TEST(ControlsLayout, OnResizeOnlyWhenTheSizeChanges) {
  TCustomControl c;
  int resizes = 0;
  c.SetOnResize([&](TObject* sender) {
    EXPECT_EQ(sender, &c);
    ++resizes;
  });
  c.SetBounds(0, 0, 10, 10);
  c.SetLeft(30);
  c.SetBounds(30, 0, 10, 10);
  EXPECT_EQ(resizes, 1);
  c.SetHeight(11);
  EXPECT_EQ(resizes, 2);
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

}  // namespace
}  // namespace orq
