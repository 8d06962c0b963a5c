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

TEST(SpeedButtonGroup, AtMostOneDownAndOtherGroupsUntouched) {
  Group g;
  g.other.SetDown(true);
  g.a.SetDown(true);
  EXPECT_EQ(g.Downs(), "1001");
  g.b.Click();
  EXPECT_EQ(g.Downs(), "0101");
  g.b.Click();  // clicking the down button of a group that needs one down
  EXPECT_EQ(g.Downs(), "0101");
  g.b.SetDown(false);  // refused for the same reason
  EXPECT_EQ(g.Downs(), "0101");
  EXPECT_EQ(g.b.State(), bsExclusive);
}

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

TEST(SpeedButtonGlyph, NumGlyphsFromTheShapeAndTheImageOfTheState) {
  TSpeedButton s;
  s.SetNumGlyphs(7);
  EXPECT_EQ(s.NumGlyphs(), 4);
  s.SetNumGlyphs(0);
  EXPECT_EQ(s.NumGlyphs(), 1);

  // Two 4 x 4 images: the first red, the second blue, each with a white
  // transparent border given by the bottom-left pixel.
  TBitmap glyph;
  glyph.SetSize(8, 4);
  glyph.Canvas()->Brush.Color = clWhite;
  glyph.Canvas()->FillRect(Rect(0, 0, 8, 4));
  glyph.Canvas()->SetPixels(1, 1, clRed);
  glyph.Canvas()->SetPixels(5, 1, clBlue);
  s.SetGlyph(&glyph);
  EXPECT_EQ(s.NumGlyphs(), 2);
  glyph.Canvas()->SetPixels(1, 1, clLime);  // the button keeps its own copy
  EXPECT_EQ(s.Glyph()->Canvas()->Pixels(1, 1), clRed);

  s.SetBounds(0, 0, 10, 10);
  s.SetFlat(true);
  s.SetColor(clSilver);
  s.Repaint();
  // Glyph placed at (3, 3): its pixel (1, 1) lands on (4, 4).
  EXPECT_EQ(s.Canvas()->Pixels(4, 4), clRed);
  EXPECT_EQ(s.Canvas()->Pixels(3, 3), clSilver);  // transparent
  EXPECT_EQ(s.Canvas()->Pixels(0, 0), clSilver);  // flat: no edge while up

  s.SetEnabled(false);  // the second image shows the disabled look
  s.Repaint();
  EXPECT_EQ(s.State(), bsDisabled);
  EXPECT_EQ(s.Canvas()->Pixels(4, 4), clBlue);

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

TEST(PanelPaint, FaceBevelAndCaption) {
  TPanel p;
  p.SetBounds(0, 0, 60, 20);
  p.SetColor(clSilver);
  p.Repaint();
  EXPECT_EQ(p.Canvas()->Pixels(0, 0), clWhite);    // raised: light top-left
  EXPECT_EQ(p.Canvas()->Pixels(59, 19), clGray);   // dark bottom-right
  EXPECT_EQ(p.Canvas()->Pixels(59, 0), clGray);
  EXPECT_EQ(p.Canvas()->Pixels(30, 10), clSilver);

  p.SetBevelOuter(bvLowered);
  p.Repaint();
  EXPECT_EQ(p.Canvas()->Pixels(0, 0), clGray);

  p.SetBevelOuter(bvNone);
  p.SetCaption("Wj");
  p.Repaint();
  EXPECT_EQ(p.Canvas()->Pixels(0, 0), clSilver);
  int dark = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 60; ++x) dark += p.Canvas()->Pixels(x, y) != clSilver;
  EXPECT_GT(dark, 10);  // the caption is drawn
  EXPECT_EQ(p.Canvas()->Pixels(2, 2), clSilver);  // ... in the middle
}

}  // namespace
}  // namespace orq
