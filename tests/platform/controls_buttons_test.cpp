// Speed buttons: group exclusivity, AllowAllUp, clicks from the mouse,
// glyphs; panels' drawing.
#include <gtest/gtest.h>

#include "orqplatform/Bitmap.h"
#include "orqplatform/Buttons.h"
#include "orqplatform/Canvas.h"
#include "orqplatform/ExtCtrls.h"

namespace orq {
namespace {

struct Group {
  TPanel panel;
  TSpeedButton a{&panel}, b{&panel}, c{&panel}, other{&panel};
  Group() {
    panel.SetBounds(0, 0, 200, 40);
    int left = 0;
    for (TSpeedButton* s : {&a, &b, &c, &other}) {
      s->SetParent(&panel);
      s->SetBounds(left, 0, 26, 26);
      left += 30;
    }
    a.SetGroupIndex(999);
    b.SetGroupIndex(999);
    c.SetGroupIndex(999);
    other.SetGroupIndex(5);
  }
  std::string Downs() const {
    std::string s;
    for (const TSpeedButton* x : {&a, &b, &c, &other}) s += x->Down() ? '1' : '0';
    return s;
  }
};

TEST(SpeedButtonGroup, AllowAllUpIsSharedAndLetsTheDownButtonGoUp) {
  Group g;
  g.a.SetDown(true);
  g.c.SetAllowAllUp(true);
  EXPECT_TRUE(g.a.AllowAllUp());
  EXPECT_FALSE(g.other.AllowAllUp());
  g.a.Click();
  EXPECT_EQ(g.Downs(), "0000");
  g.c.Click();
  g.a.SetDown(false);
  EXPECT_EQ(g.Downs(), "0010");
  g.c.SetDown(false);
  EXPECT_EQ(g.Downs(), "0000");
}

TEST(SpeedButtonGroup, JoiningAGroupPutsOthersUp) {
  Group g;
  g.a.SetDown(true);
  g.other.SetDown(true);
  g.other.SetGroupIndex(999);  // arrives down: the rest of the group goes up
  EXPECT_EQ(g.Downs(), "0001");
  g.other.SetGroupIndex(0);    // an ungrouped button cannot stay down
  EXPECT_EQ(g.Downs(), "0000");
  g.other.SetDown(true);
  g.other.Click();
  EXPECT_FALSE(g.other.Down());

  // A down button moved in from another parent puts the group up.
  TPanel elsewhere;
  TSpeedButton newcomer;
  newcomer.SetParent(&elsewhere);
  newcomer.SetGroupIndex(999);
  newcomer.SetDown(true);
  g.a.SetDown(true);
  newcomer.SetParent(&g.panel);
  EXPECT_EQ(g.Downs(), "0000");
  EXPECT_TRUE(newcomer.Down());
}

TEST(SpeedButtonGroup, ButtonsUnderOtherParentsAreNoSiblings) {
  Group g;
  TPanel elsewhere;
  TSpeedButton lone;
  lone.SetParent(&elsewhere);
  lone.SetGroupIndex(999);
  g.a.SetDown(true);
  lone.SetDown(true);
  EXPECT_TRUE(g.a.Down());
  EXPECT_TRUE(lone.Down());
}

TEST(SpeedButtonMouse, PressAndReleaseInsideClicksAfterMouseUp) {
  Group g;
  std::vector<std::string> log;
  g.b.SetOnMouseUp([&](TObject*, TMouseButton, TShiftState, int, int) { log.push_back("up"); });
  g.b.SetOnClick([&](TObject* s) {
    log.push_back(static_cast<TSpeedButton*>(s)->Down() ? "click down" : "click up");
  });
  // Through the panel: the button lies at 30..55.
  g.panel.DispatchMouseDown(mbLeft, {ssLeft}, 40, 10);
  EXPECT_EQ(g.b.State(), bsDown);
  g.panel.DispatchMouseMove({ssLeft}, 100, 10);  // off the button: looks up again
  EXPECT_EQ(g.b.State(), bsUp);
  g.panel.DispatchMouseMove({ssLeft}, 41, 10);
  EXPECT_EQ(g.b.State(), bsDown);
  g.panel.DispatchMouseUp(mbLeft, {}, 41, 10);
  EXPECT_EQ(log, (std::vector<std::string>{"up", "click down"}));
  EXPECT_EQ(g.Downs(), "0100");

  // Released outside: no click, nothing changes.
  g.panel.DispatchMouseDown(mbLeft, {ssLeft}, 5, 10);
  g.panel.DispatchMouseUp(mbLeft, {}, 150, 10);
  EXPECT_EQ(g.Downs(), "0100");
  EXPECT_EQ(g.a.State(), bsUp);
  EXPECT_EQ(log.size(), 2u);
}

TEST(SpeedButtonMouse, OnMouseUpMayFreeTheButton) {
  TPanel panel;
  panel.SetBounds(0, 0, 50, 50);
  auto* b = new TSpeedButton();
  b->SetParent(&panel);
  int clicks = 0;
  b->SetOnClick([&](TObject*) { ++clicks; });
  b->SetOnMouseUp([](TObject* sender, TMouseButton, TShiftState, int, int) { delete sender; });
  panel.DispatchMouseDown(mbLeft, {ssLeft}, 5, 5);
  panel.DispatchMouseUp(mbLeft, {}, 5, 5);
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(panel.ControlCount(), 0);
}

TEST(SpeedButtonGlyph, NumGlyphsFromTheShapeAndAGlyphOfItsOwn) {
  TSpeedButton s;
  s.SetNumGlyphs(7);
  EXPECT_EQ(s.NumGlyphs(), 4);
  s.SetNumGlyphs(0);
  EXPECT_EQ(s.NumGlyphs(), 1);
  TBitmap glyph;
  glyph.SetSize(60, 20);
  glyph.Canvas()->SetPixels(1, 1, clRed);
  s.SetGlyph(&glyph);
  EXPECT_EQ(s.NumGlyphs(), 3);
  glyph.Canvas()->SetPixels(1, 1, clLime);  // the button keeps its own copy
  EXPECT_EQ(s.Glyph()->Canvas()->Pixels(1, 1), clRed);
  glyph.SetSize(100, 20);  // five images cannot be: NumGlyphs stays
  s.SetGlyph(&glyph);
  EXPECT_EQ(s.NumGlyphs(), 3);
  s.SetGlyph(nullptr);
  EXPECT_TRUE(s.Glyph()->Empty());
}

TEST(SpeedButtonGlyph, ParentPictureShowsTheButtons) {
  Group g;
  g.panel.SetColor(clSilver);
  g.a.SetColor(clRed);
  g.a.SetFlat(true);
  g.panel.Repaint();
  EXPECT_EQ(g.panel.Canvas()->Pixels(10, 10), clRed);
  EXPECT_EQ(g.panel.Canvas()->Pixels(10, 30), clSilver);
  EXPECT_FALSE(g.a.PaintPending());
}

TEST(PanelPaint, BevelKindsAndWidths) {
  TPanel p;
  p.SetBounds(0, 0, 60, 20);
  p.SetColor(clSilver);
  p.SetBevelOuter(bvLowered);
  p.SetBevelWidth(2);
  p.Repaint();
  EXPECT_EQ(p.Canvas()->Pixels(1, 1), clGray);    // lowered: dark top-left, two rings
  EXPECT_EQ(p.Canvas()->Pixels(58, 18), clWhite);
  EXPECT_EQ(p.Canvas()->Pixels(59, 0), clWhite);  // the corner goes to the bottom-right colour
  EXPECT_EQ(p.Canvas()->Pixels(2, 2), clSilver);
  p.SetBevelOuter(bvNone);
  p.Repaint();
  EXPECT_EQ(p.Canvas()->Pixels(0, 0), clSilver);
}

}  // namespace
}  // namespace orq
