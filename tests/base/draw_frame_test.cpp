// DrawFrame: every style's rings and corner ownership, pixel by pixel.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "orqbase/DrawFrame.h"
#include "orqplatform/Bitmap.h"

namespace orq {
namespace {

using Rows = std::vector<std::string>;

// Colours 1..5 are drawn as the digits '1'..'5'.
constexpr TColor kC[5] = {0x000011, 0x000022, 0x000033, 0x000044, 0x000055};

Rows Framed(TFrameStyle style, int w, int h, int l, int t, int r, int b) {
  TBitmap bmp;
  bmp.SetPixelFormat(pf24bit);
  bmp.SetSize(w, h);
  TCanvas* cv = bmp.Canvas();
  cv->Pen.Color = clRed;
  cv->Pen.Mode = pmXor;
  DrawFrame(cv, style, l, t, r, b, kC[0], kC[1], kC[2], kC[3], kC[4]);
  EXPECT_EQ(cv->Pen.Color, clRed);
  EXPECT_EQ(cv->Pen.Mode, pmXor);
  Rows rows;
  for (int y = 0; y < h; ++y) {
    std::string row;
    for (int x = 0; x < w; ++x) {
      const TColor c = cv->Pixels(x, y);
      char ch = c == clWhite ? '.' : '?';
      for (int k = 0; k < 5; ++k)
        if (c == kC[k]) ch = static_cast<char>('1' + k);
      row += ch;
    }
    rows.push_back(row);
  }
  return rows;
}

TEST(DrawFrame, EachStyleInsideTheInclusiveRectangle) {
  EXPECT_EQ(Framed(frNone, 5, 4, 0, 0, 4, 3), Rows(4, "....."));
  EXPECT_EQ(Framed(frSingle, 5, 4, 0, 0, 4, 3), (Rows{"55555", "5...5", "5...5", "55555"}));
  EXPECT_EQ(Framed(frLowered, 5, 4, 0, 0, 4, 3), (Rows{"33331", "3...1", "3...1", "11111"}));
  EXPECT_EQ(Framed(frRaised, 5, 4, 0, 0, 4, 3), (Rows{"11113", "1...3", "1...3", "33333"}));
  EXPECT_EQ(Framed(frDoubleLowered, 6, 5, 0, 0, 5, 4), (Rows{"333331", "344421", "34..21", "322221", "111111"}));
  EXPECT_EQ(Framed(frDoubleRaised, 6, 5, 0, 0, 5, 4), (Rows{"222224", "211134", "21..34", "233334", "444444"}));
}

TEST(DrawFrame, OffsetTinyAndClippedRectangles) {
  EXPECT_EQ(Framed(frSingle, 5, 4, 1, 1, 3, 2), (Rows{".....", ".555.", ".555.", "....."}));
  // A one-pixel-high rectangle is a line; the inner ring of a double frame
  // that does not fit is left out.
  EXPECT_EQ(Framed(frRaised, 4, 1, 0, 0, 3, 0), (Rows{"3333"}));
  EXPECT_EQ(Framed(frDoubleRaised, 2, 2, 0, 0, 1, 1), (Rows{"24", "44"}));
  // Reaching outside the surface is clipped; an inverted rectangle draws nothing.
  EXPECT_EQ(Framed(frSingle, 3, 3, -1, -1, 3, 3), Rows(3, "..."));
  EXPECT_EQ(Framed(frSingle, 3, 3, -1, 1, 1, 5), (Rows{"...", "55.", ".5."}));
  EXPECT_EQ(Framed(frSingle, 3, 3, 2, 2, 0, 0), Rows(3, "..."));
  EXPECT_EQ(Framed(static_cast<TFrameStyle>(9), 3, 3, 0, 0, 2, 2), Rows(3, "..."));
}

}  // namespace
}  // namespace orq
