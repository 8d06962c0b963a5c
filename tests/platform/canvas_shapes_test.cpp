// Rectangles, ellipses and polygons: covered cells, outline against fill,
// clipping.
#include <gtest/gtest.h>

#include "canvas_art_test.h"

namespace orq {
namespace {

using testart::Blank;
using Rows = std::vector<std::string>;

Rows Shape(TBitmap& bmp) { return testart::Art(bmp, clWhite, {{clBlack, '#'}, {clRed, 'f'}}); }

TCanvas& Prepared(TBitmap& bmp, int w, int h) {
  Blank(bmp, w, h);
  TCanvas& cv = *bmp.Canvas();
  cv.Pen.Color = clBlack;
  cv.Brush.Color = clRed;
  return cv;
}

TEST(CanvasShapes, RectangleCoversX1ToX2MinusOne) {
  TBitmap bmp;
  TCanvas& cv = Prepared(bmp, 7, 6);
  cv.Rectangle(1, 1, 6, 5);
  EXPECT_EQ(Shape(bmp), (Rows{".......", ".#####.", ".#fff#.", ".#fff#.", ".#####.", "......."}));
  // Corners in any order give the same rectangle.
  TBitmap other;
  Prepared(other, 7, 6).Rectangle(6, 5, 1, 1);
  EXPECT_EQ(Shape(other), Shape(bmp));
}

TEST(CanvasShapes, RectangleWithClearBrushWidePenAndClearPen) {
  TBitmap bmp;
  TCanvas& cv = Prepared(bmp, 8, 7);
  cv.Brush.Style = bsClear;
  cv.Rectangle(0, 0, 3, 3);
  cv.Brush.Style = bsSolid;
  cv.Pen.Width = 2;
  cv.Rectangle(3, 0, 8, 7);  // the band lies inside the box
  cv.Pen.Style = psClear;
  cv.Rectangle(0, 4, 2, 6);  // no outline: the brush covers the whole box
  EXPECT_EQ(Shape(bmp), (Rows{"########", "#.######", "#####f##", "...##f##", "ff.##f##", "ff.#####", "...#####"}));
}

TEST(CanvasShapes, DegenerateRectangles) {
  TBitmap bmp;
  TCanvas& cv = Prepared(bmp, 4, 3);
  cv.Rectangle(0, 0, 0, 3);  // empty
  cv.Rectangle(1, 0, 2, 3);  // one column: all outline
  cv.Rectangle(2, 1, 4, 2);  // one row
  EXPECT_EQ(Shape(bmp), (Rows{".#..", ".###", ".#.."}));
}

TEST(CanvasShapes, FillRectUsesTheBrushOnly) {
  TBitmap bmp;
  TCanvas& cv = Prepared(bmp, 4, 3);
  cv.Pen.Mode = pmXor;  // FillRect ignores the pen
  cv.FillRect(TRect{1, 1, 3, 3});
  cv.FillRect(TRect{3, 0, 2, 2});  // reversed: nothing
  EXPECT_EQ(Shape(bmp), (Rows{"....", ".ff.", ".ff."}));
}

TEST(CanvasShapes, SmallEllipses) {
  TBitmap bmp;
  TCanvas& cv = Prepared(bmp, 16, 7);
  cv.Ellipse(0, 0, 5, 5);    // a 5-pixel circle
  cv.Ellipse(6, 0, 9, 3);    // 3x3: the inscribed circle reaches every pixel centre
  cv.Ellipse(6, 4, 8, 6);    // 2x2
  cv.Ellipse(9, 0, 16, 4);   // flat 7x4
  EXPECT_EQ(Shape(bmp), (Rows{".###..###.#####.", "#fff#.#f##fffff#", "#fff#.####fffff#",
                              "#fff#.....#####.", ".###..##........", "......##........",
                              "................"}));
}

TEST(CanvasShapes, LargeEllipseIsSymmetricAndTouchesItsBox) {
  TBitmap bmp;
  TCanvas& cv = Prepared(bmp, 101, 61);
  cv.Ellipse(0, 0, 101, 61);
  int filled = 0;
  for (int y = 0; y < 61; ++y)
    for (int x = 0; x < 101; ++x) {
      const TColor c = cv.Pixels(x, y);
      EXPECT_EQ(c, cv.Pixels(100 - x, y)) << x << "," << y;
      EXPECT_EQ(c, cv.Pixels(x, 60 - y)) << x << "," << y;
      filled += c == clRed;
    }
  EXPECT_EQ(cv.Pixels(0, 30), clBlack);
  EXPECT_EQ(cv.Pixels(100, 30), clBlack);
  EXPECT_EQ(cv.Pixels(50, 0), clBlack);
  EXPECT_EQ(cv.Pixels(50, 60), clBlack);
  EXPECT_EQ(cv.Pixels(0, 0), clWhite);
  EXPECT_EQ(cv.Pixels(50, 30), clRed);
  // The outline is one pixel thin: every outline pixel has a fill or an
  // outside pixel as a 4-neighbour; the fill is close to pi/4 of the box.
  EXPECT_NEAR(filled, 3.14159 * 49.5 * 29.5, 120.0);
}

TEST(CanvasShapes, EllipseWithWidePenAndClearPen) {
  TBitmap bmp;
  TCanvas& cv = Prepared(bmp, 14, 7);
  cv.Pen.Width = 2;
  cv.Ellipse(0, 0, 7, 7);
  cv.Pen.Style = psClear;
  cv.Ellipse(8, 1, 13, 6);
  EXPECT_EQ(Shape(bmp), (Rows{"..###.........", ".#####...fff..", "##fff##.fffff.", "##fff##.fffff.",
                              "##fff##.fffff.", ".#####...fff..", "..###........."}));
}

TEST(CanvasShapes, PolygonClosesOutlinesAndFillsAlternate) {
  TBitmap bmp;
  TCanvas& cv = Prepared(bmp, 12, 7);
  cv.Polygon({{0, 0}, {4, 0}, {4, 4}, {0, 4}});  // the pen covers 0..4 inclusive
  cv.Polygon({{6, 0}, {11, 0}, {6, 5}});           // triangle: fill meets the slanted edge
  EXPECT_EQ(Shape(bmp), (Rows{"#####.######", "#fff#.#fff#.", "#fff#.#ff#..", "#fff#.#f#...", "#####.##....",
                              "......#.....", "............"}));
}

TEST(CanvasShapes, PolygonAlternateRuleLeavesTheOverlapOfAStarEmpty) {
  TBitmap bmp;
  TCanvas& cv = Prepared(bmp, 11, 11);
  cv.Pen.Style = psClear;
  // Two overlapping squares traced as one figure: the doubly covered
  // middle is outside by the alternate rule.
  cv.Polygon({{0, 0}, {6, 0}, {6, 6}, {4, 6}, {4, 4}, {10, 4}, {10, 10}, {4, 10}, {4, 6}, {0, 6}});
  EXPECT_EQ(cv.Pixels(1, 1), clRed);
  EXPECT_EQ(cv.Pixels(8, 8), clRed);
  EXPECT_EQ(cv.Pixels(5, 5), clWhite);
  EXPECT_EQ(cv.Pixels(8, 1), clWhite);
}

TEST(CanvasShapes, ShapesClippedAtAllEdges) {
  TBitmap bmp;
  TCanvas& cv = Prepared(bmp, 6, 6);
  cv.Rectangle(-3, -3, 2, 2);
  cv.Ellipse(4, 4, 9, 9);
  cv.Polygon({{-10, 3}, {2, 3}, {2, 20}});
  cv.Rectangle(-1000000, 5, 1000000, 2000000000);
  EXPECT_EQ(Shape(bmp), (Rows{"f#....", "##....", "......", "###...", "ff#..#", "######"}));
  // The surface lies deep inside the largest possible ellipse: all fill.
  cv.Ellipse(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);
  EXPECT_EQ(Shape(bmp), Rows(6, "ffffff"));
}

TEST(CanvasShapes, SinglePointAndEmptyPolygons) {
  TBitmap bmp;
  TCanvas& cv = Prepared(bmp, 3, 3);
  cv.Polygon({});
  cv.Polygon({{1, 1}});
  cv.Polygon({{0, 1}, {2, 1}});  // a line there and back: drawn once
  EXPECT_EQ(Shape(bmp), (Rows{"...", "###", "..."}));
}

}  // namespace
}  // namespace orq
