// StretchBlt and CopyRect: nearest-pixel and area-average values computed by
// hand on small images; clipping of both rectangles; raster operations.
#include <gtest/gtest.h>

#include "canvas_art_test.h"
#include "orqplatform/StretchBlt.h"

namespace orq {
namespace {

void Fill(TBitmap& bmp, int w, int h, const std::vector<TColor>& pixels) {
  bmp.SetPixelFormat(pf24bit);
  bmp.SetSize(w, h);
  for (int i = 0; i < w * h; ++i) bmp.Canvas()->SetPixels(i % w, i / w, pixels[i]);
}

std::vector<TColor> Row(TBitmap& bmp, int y) {
  std::vector<TColor> r;
  for (int x = 0; x < bmp.Width(); ++x) r.push_back(bmp.Canvas()->Pixels(x, y));
  return r;
}

constexpr TColor A = 0x0000A0, B = 0x00B000, C = 0xC00000, D = 0x0D0D0D, Z = clWhite;

TEST(StretchBlt, NearestTakesThePixelUnderEachCentre) {
  TBitmap src, dst;
  Fill(src, 4, 1, {A, B, C, D});
  Fill(dst, 2, 1, {Z, Z});
  EXPECT_EQ(SetStretchBltMode(dst.Canvas(), COLORONCOLOR), COLORONCOLOR);
  EXPECT_TRUE(StretchBlt(dst.Canvas(), 0, 0, 2, 1, src.Canvas(), 0, 0, 4, 1));
  EXPECT_EQ(Row(dst, 0), (std::vector<TColor>{B, D}));
  TBitmap big;
  Fill(big, 5, 1, {Z, Z, Z, Z, Z});
  StretchBlt(big.Canvas(), 0, 0, 5, 1, src.Canvas(), 0, 0, 2, 1);
  EXPECT_EQ(Row(big, 0), (std::vector<TColor>{A, A, B, B, B}));
}

TEST(StretchBlt, HalftoneAveragesCoveredAreaWhenReducing) {
  TBitmap src, dst;
  Fill(src, 3, 1, {RGB(30, 0, 0), RGB(90, 0, 0), RGB(150, 0, 0)});
  Fill(dst, 2, 1, {Z, Z});
  SetStretchBltMode(dst.Canvas(), HALFTONE);
  StretchBlt(dst.Canvas(), 0, 0, 2, 1, src.Canvas(), 0, 0, 3, 1);
  // [0, 1.5): (30 + 0.5 * 90) / 1.5 = 50;  [1.5, 3): (0.5 * 90 + 150) / 1.5 = 130
  EXPECT_EQ(Row(dst, 0), (std::vector<TColor>{RGB(50, 0, 0), RGB(130, 0, 0)}));

  TBitmap square, one;
  Fill(square, 2, 2, {RGB(10, 100, 1), RGB(20, 110, 3), RGB(30, 120, 5), RGB(40, 131, 7)});
  Fill(one, 1, 1, {Z});
  SetStretchBltMode(one.Canvas(), HALFTONE);
  StretchBlt(one.Canvas(), 0, 0, 1, 1, square.Canvas(), 0, 0, 2, 2);
  EXPECT_EQ(one.Canvas()->Pixels(0, 0), RGB(25, 115, 4));  // 115.25 and 4 exactly
}

TEST(StretchBlt, HalftoneInterpolatesWhenEnlarging) {
  TBitmap src, dst;
  Fill(src, 2, 1, {RGB(0, 0, 0), RGB(200, 0, 0)});
  Fill(dst, 4, 1, {Z, Z, Z, Z});
  SetStretchBltMode(dst.Canvas(), HALFTONE);
  StretchBlt(dst.Canvas(), 0, 0, 4, 1, src.Canvas(), 0, 0, 2, 1);
  EXPECT_EQ(Row(dst, 0), (std::vector<TColor>{RGB(0, 0, 0), RGB(50, 0, 0), RGB(150, 0, 0), RGB(200, 0, 0)}));

  TBitmap quad, big;
  Fill(quad, 2, 2, {RGB(0, 0, 0), RGB(160, 0, 0), RGB(80, 0, 0), RGB(240, 0, 0)});
  Fill(big, 4, 4, std::vector<TColor>(16, Z));
  SetStretchBltMode(big.Canvas(), HALFTONE);
  StretchBlt(big.Canvas(), 0, 0, 4, 4, quad.Canvas(), 0, 0, 2, 2);
  // Weights 1, 3/4, 1/4, 0 along each axis.
  EXPECT_EQ(GetRValue(big.Canvas()->Pixels(1, 1)), 60);   // 0.5625*0 + 0.1875*160 + 0.1875*80 + 0.0625*240
  EXPECT_EQ(GetRValue(big.Canvas()->Pixels(2, 1)), 140);  // 0.1875*0 + 0.5625*160 + 0.0625*80 + 0.1875*240
  EXPECT_EQ(GetRValue(big.Canvas()->Pixels(0, 3)), 80);
  EXPECT_EQ(GetRValue(big.Canvas()->Pixels(3, 3)), 240);
}

TEST(StretchBlt, HalftoneMixedAxesAndEqualSizeCopy) {
  TBitmap src, dst;
  Fill(src, 2, 1, {RGB(100, 0, 0), RGB(200, 0, 0)});
  Fill(dst, 1, 2, {Z, Z});
  SetStretchBltMode(dst.Canvas(), HALFTONE);
  StretchBlt(dst.Canvas(), 0, 0, 1, 2, src.Canvas(), 0, 0, 2, 1);  // x shrinks, y grows
  EXPECT_EQ(Row(dst, 0)[0], RGB(150, 0, 0));
  EXPECT_EQ(Row(dst, 1)[0], RGB(150, 0, 0));
  TBitmap same;
  Fill(same, 2, 1, {Z, Z});
  SetStretchBltMode(same.Canvas(), HALFTONE);
  StretchBlt(same.Canvas(), 0, 0, 2, 1, src.Canvas(), 0, 0, 2, 1);
  EXPECT_EQ(Row(same, 0), Row(src, 0));
}

TEST(StretchBlt, SourceOutsideTheSurfaceLeavesDestinationPixels) {
  TBitmap src, dst;
  Fill(src, 4, 1, {A, B, C, D});
  for (int mode : {COLORONCOLOR, HALFTONE}) {
    Fill(dst, 6, 1, std::vector<TColor>(6, Z));
    SetStretchBltMode(dst.Canvas(), mode);
    StretchBlt(dst.Canvas(), 0, 0, 6, 1, src.Canvas(), -1, 0, 6, 1);  // one column off each side
    EXPECT_EQ(Row(dst, 0), (std::vector<TColor>{Z, A, B, C, D, Z})) << mode;
  }
  // Reduction reaching beyond the right edge averages what is inside.
  TBitmap grey, out;
  Fill(grey, 3, 1, {RGB(40, 0, 0), RGB(80, 0, 0), RGB(120, 0, 0)});
  Fill(out, 2, 1, {Z, Z});
  SetStretchBltMode(out.Canvas(), HALFTONE);
  // Source columns 1..5 onto 2: the first covers [1, 3.5), of which 1 and 2
  // exist; the centre of the second falls on column 4, outside.
  StretchBlt(out.Canvas(), 0, 0, 2, 1, grey.Canvas(), 1, 0, 5, 1);
  EXPECT_EQ(Row(out, 0), (std::vector<TColor>{RGB(100, 0, 0), Z}));
}

TEST(StretchBlt, DestinationClippedAtAllEdges) {
  TBitmap src, dst;
  Fill(src, 3, 3, {A, B, C, D, A, B, C, D, A});
  Fill(dst, 3, 3, std::vector<TColor>(9, Z));
  StretchBlt(dst.Canvas(), -1, -1, 3, 3, src.Canvas(), 0, 0, 3, 3);
  StretchBlt(dst.Canvas(), 2, 2, 3, 3, src.Canvas(), 0, 0, 3, 3);
  EXPECT_EQ(Row(dst, 0), (std::vector<TColor>{A, B, Z}));
  EXPECT_EQ(Row(dst, 1), (std::vector<TColor>{D, A, Z}));
  EXPECT_EQ(Row(dst, 2), (std::vector<TColor>{Z, Z, A}));
  EXPECT_TRUE(StretchBlt(dst.Canvas(), 100, 100, 5, 5, src.Canvas(), 0, 0, 3, 3));
  EXPECT_FALSE(StretchBlt(dst.Canvas(), 0, 0, 0, 5, src.Canvas(), 0, 0, 3, 3));
  EXPECT_FALSE(StretchBlt(dst.Canvas(), 0, 0, 5, 5, src.Canvas(), 0, 0, -3, 3));
  EXPECT_FALSE(StretchBlt(nullptr, 0, 0, 5, 5, src.Canvas(), 0, 0, 3, 3));
  EXPECT_EQ(SetStretchBltMode(dst.Canvas(), 17), 0);
}

TEST(CopyRect, OverlappingCopyWithinOneSurface) {
  TBitmap bmp;
  Fill(bmp, 4, 1, {A, B, C, D});
  bmp.Canvas()->CopyRect(TRect{1, 0, 4, 1}, bmp.Canvas(), TRect{0, 0, 3, 1});
  EXPECT_EQ(Row(bmp, 0), (std::vector<TColor>{A, A, B, C}));
}

TEST(CopyRect, CopyModesAndQuantisedDestination) {
  TBitmap src, dst;
  Fill(src, 2, 1, {0x0F0F0F, 0xFFFFFF});
  Fill(dst, 2, 1, {0x00FF00, 0x00FF00});
  dst.Canvas()->SetCopyMode(cmSrcInvert);
  dst.Canvas()->CopyRect(TRect{0, 0, 2, 1}, src.Canvas(), TRect{0, 0, 2, 1});
  EXPECT_EQ(Row(dst, 0), (std::vector<TColor>{0x0FF00F, 0xFF00FF}));
  dst.Canvas()->SetCopyMode(cmSrcCopy);
  dst.SetPixelFormat(pf15bit);
  dst.Canvas()->CopyRect(TRect{0, 0, 2, 1}, src.Canvas(), TRect{0, 0, 2, 1});
  EXPECT_EQ(Row(dst, 0), (std::vector<TColor>{0x080808, 0xF8F8F8}));
  TBitmap picture;
  Fill(picture, 1, 1, {clRed});
  dst.SetPixelFormat(pf24bit);
  dst.Canvas()->Draw(1, 0, &picture);
  EXPECT_EQ(dst.Canvas()->Pixels(1, 0), clRed);
}

}  // namespace
}  // namespace orq
