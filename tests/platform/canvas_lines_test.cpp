// Lines: the integer line without its end point, in every octant; dash
// patterns; pen modes; clipping.
#include <gtest/gtest.h>

#include "canvas_art_test.h"

namespace orq {
namespace {

using testart::Blank;
using testart::Ink;
using Rows = std::vector<std::string>;

struct LineCase {
  TPoint From, To;
  Rows Expected;
};

TEST(CanvasLines, EveryOctantLeavesOutTheEndPoint) {
  // From the centre (4, 4) of a 9x9 surface to points in the eight octants.
  // Ties of the minor coordinate go toward the start.
  const std::vector<LineCase> cases = {
      {{4, 4}, {8, 6}, {".........", ".........", ".........", ".........", "....##...", "......##.", ".........", ".........", "........."}},
      {{4, 4}, {6, 8}, {".........", ".........", ".........", ".........", "....#....", "....#....", ".....#...", ".....#...", "........."}},
      {{4, 4}, {2, 8}, {".........", ".........", ".........", ".........", "....#....", "....#....", "...#.....", "...#.....", "........."}},
      {{4, 4}, {0, 6}, {".........", ".........", ".........", ".........", "...##....", ".##......", ".........", ".........", "........."}},
      {{4, 4}, {0, 2}, {".........", ".........", ".........", ".##......", "...##....", ".........", ".........", ".........", "........."}},
      {{4, 4}, {2, 0}, {".........", "...#.....", "...#.....", "....#....", "....#....", ".........", ".........", ".........", "........."}},
      {{4, 4}, {6, 0}, {".........", ".....#...", ".....#...", "....#....", "....#....", ".........", ".........", ".........", "........."}},
      {{4, 4}, {8, 2}, {".........", ".........", ".........", "......##.", "....##...", ".........", ".........", ".........", "........."}},
  };
  for (const auto& c : cases) {
    TBitmap bmp;
    Blank(bmp, 9, 9);
    bmp.Canvas()->MoveTo(c.From.X, c.From.Y);
    bmp.Canvas()->LineTo(c.To.X, c.To.Y);
    EXPECT_EQ(Ink(bmp), c.Expected) << "to " << c.To.X << "," << c.To.Y;
    EXPECT_EQ(bmp.Canvas()->PenPos(), c.To);
  }
}

TEST(CanvasLines, AxisAndDiagonalLines) {
  TBitmap bmp;
  Blank(bmp, 6, 6);
  TCanvas& cv = *bmp.Canvas();
  cv.MoveTo(0, 0);
  cv.LineTo(5, 5);  // diagonal 0..4
  cv.MoveTo(5, 0);
  cv.LineTo(5, 3);  // vertical y 0..2
  cv.MoveTo(3, 5);
  cv.LineTo(0, 5);  // horizontal right to left x 3..1
  cv.MoveTo(2, 0);
  cv.LineTo(2, 0);  // zero length: nothing
  EXPECT_EQ(Ink(bmp), (Rows{"#....#", ".#...#", "..#..#", "...#..", "....#.", ".###.."}));
}

TEST(CanvasLines, PolylineJointsAreDrawnOnceSoXorKeepsThem) {
  TBitmap bmp;
  Blank(bmp, 5, 5, clBlack);
  TCanvas& cv = *bmp.Canvas();
  cv.Pen.Color = clWhite;
  cv.Pen.Mode = pmXor;
  cv.MoveTo(0, 0);
  cv.Polyline({{0, 0}, {4, 0}, {4, 4}, {0, 4}, {0, 0}});
  EXPECT_EQ(testart::Art(bmp, clBlack, {{clWhite, 'o'}}), (Rows{"ooooo", "o...o", "o...o", "o...o", "ooooo"}));
  EXPECT_EQ(cv.PenPos(), (TPoint{0, 0}));
  cv.Polyline({{0, 0}, {4, 0}, {4, 4}, {0, 4}, {0, 0}});
  EXPECT_EQ(testart::Art(bmp, clBlack, {}), Rows(5, "....."));
}

TEST(CanvasLines, DashAndDotPatternsRunOnAcrossLineToAndRestartAtMoveTo) {
  TBitmap bmp;
  Blank(bmp, 30, 3);
  TCanvas& cv = *bmp.Canvas();
  cv.Brush.Style = bsClear;
  cv.Pen.Style = psDot;
  cv.MoveTo(0, 0);
  cv.LineTo(4, 0);
  cv.LineTo(14, 0);  // continues the 3-on 3-off rhythm from pixel 4
  cv.Pen.Style = psDash;
  cv.MoveTo(0, 1);
  cv.LineTo(30, 1);
  cv.Pen.Style = psDashDot;
  cv.MoveTo(0, 2);
  cv.LineTo(30, 2);
  EXPECT_EQ(Ink(bmp), (Rows{"###...###...##................",
                            "##################......######",
                            "#########......###......######"}));
}

TEST(CanvasLines, GapsOfStyledPensTakeTheSolidBrushColour) {
  TBitmap bmp;
  Blank(bmp, 8, 1);
  TCanvas& cv = *bmp.Canvas();
  cv.Brush.Color = clRed;
  cv.Pen.Style = psDot;
  cv.MoveTo(0, 0);
  cv.LineTo(8, 0);
  EXPECT_EQ(Ink(bmp), (Rows{"###rrr##"}));
}

TEST(CanvasLines, ClearPenDrawsNothingButMoves) {
  TBitmap bmp;
  Blank(bmp, 4, 4);
  bmp.Canvas()->Pen.Style = psClear;
  bmp.Canvas()->MoveTo(0, 0);
  bmp.Canvas()->LineTo(3, 3);
  EXPECT_EQ(Ink(bmp), Rows(4, "...."));
  EXPECT_EQ(bmp.Canvas()->PenPos(), (TPoint{3, 3}));
}

TEST(CanvasLines, PenModes) {
  TBitmap bmp;
  Blank(bmp, 3, 1, 0x123456);
  TCanvas& cv = *bmp.Canvas();
  cv.Pen.Color = 0x0000FF;
  cv.Pen.Mode = pmNot;
  cv.MoveTo(0, 0);
  cv.LineTo(1, 0);
  cv.Pen.Mode = pmXor;
  cv.LineTo(2, 0);
  cv.Pen.Mode = pmNop;
  cv.LineTo(3, 0);
  EXPECT_EQ(cv.Pixels(0, 0), 0xEDCBA9u);
  EXPECT_EQ(cv.Pixels(1, 0), 0x1234A9u);
  EXPECT_EQ(cv.Pixels(2, 0), 0x123456u);
}

TEST(CanvasLines, XorTwiceRestoresAnyPicture) {
  TBitmap bmp;
  bmp.SetPixelFormat(pf24bit);
  bmp.SetSize(40, 30);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) bmp.Canvas()->SetPixels(x, y, static_cast<TColor>(x * 6151 + y * 7919) & 0xFFFFFF);
  const std::vector<uint32_t> before = bmp.PixelData();
  TCanvas& cv = *bmp.Canvas();
  cv.Pen.Mode = pmXor;
  cv.Pen.Color = 0x00FF00;
  for (int pass = 0; pass < 2; ++pass) {
    cv.Pen.Width = 1;
    cv.MoveTo(-5, 3);
    cv.LineTo(50, 27);
    cv.LineTo(10, -8);
    cv.Pen.Width = 4;
    cv.MoveTo(3, 3);
    cv.LineTo(30, 20);
    cv.LineTo(35, 4);
    cv.Pen.Width = 1;
    cv.Rectangle(2, 2, 20, 15);
    cv.Ellipse(5, 6, 38, 29);
    cv.Polygon({{1, 1}, {38, 5}, {4, 28}, {30, 25}});
  }
  EXPECT_EQ(bmp.PixelData(), before);
}

TEST(CanvasLines, ClippedAtAllFourEdges) {
  TBitmap bmp;
  Blank(bmp, 5, 5);
  TCanvas& cv = *bmp.Canvas();
  cv.MoveTo(-3, 1);
  cv.LineTo(9, 1);  // leaves left and right
  cv.MoveTo(3, -10);
  cv.LineTo(3, 20);  // leaves top and bottom
  cv.MoveTo(-100000, -100000);
  cv.LineTo(100000, 100000);  // far away end points: only the diagonal shows
  cv.MoveTo(6, 0);
  cv.LineTo(6, 5);  // entirely outside
  EXPECT_EQ(Ink(bmp), (Rows{"#..#.", "#####", "..##.", "...#.", "...##"}));
  cv.MoveTo(INT32_MIN, INT32_MIN);
  cv.LineTo(INT32_MAX, INT32_MAX);  // the extremes neither crash nor overflow
  cv.MoveTo(INT32_MAX, INT32_MIN);
  cv.LineTo(INT32_MIN, INT32_MAX);
}

TEST(CanvasLines, WidePenIsARoundBandAroundTheLine) {
  TBitmap bmp;
  Blank(bmp, 9, 7);
  TCanvas& cv = *bmp.Canvas();
  cv.Pen.Width = 3;
  cv.MoveTo(2, 3);
  cv.LineTo(7, 3);
  EXPECT_EQ(Ink(bmp), (Rows{".........", ".........", ".#######.", ".#######.", ".#######.", ".........", "........."}));
}

}  // namespace
}  // namespace orq
