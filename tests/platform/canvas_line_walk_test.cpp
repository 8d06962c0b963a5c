// Lines against the rule they are defined by, pixel by pixel: step i of n =
// max(|dx|, |dy|) sets major + i and minor + floor((2 i amin + amaj - 1) /
// (2 amaj)) (signs applied). Random lines starting inside the surface and
// far outside it, solid and with other pens.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "orqplatform/Bitmap.h"
#include "orqplatform/Canvas.h"

namespace orq {
namespace {

std::vector<uint32_t> Expected(int W, int H, int X0, int Y0, int X1, int Y1, uint32_t Ink) {
  std::vector<uint32_t> px(static_cast<size_t>(W) * H, 0);
  const int64_t dx = int64_t{X1} - X0, dy = int64_t{Y1} - Y0;
  const int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
  const bool xMajor = adx >= ady;
  const int64_t amaj = xMajor ? adx : ady, amin = xMajor ? ady : adx;
  const int64_t smaj = (xMajor ? dx : dy) < 0 ? -1 : 1, smin = (xMajor ? dy : dx) < 0 ? -1 : 1;
  // Only the steps whose major coordinate lies on the surface can show.
  const int64_t maj0 = xMajor ? X0 : Y0, extent = xMajor ? W : H;
  const int64_t iLo = std::max<int64_t>(0, smaj > 0 ? -maj0 : maj0 - extent + 1);
  const int64_t iHi = std::min<int64_t>(amaj - 1, smaj > 0 ? extent - 1 - maj0 : maj0);
  for (int64_t i = iLo; i <= iHi; ++i) {
    // Exact in 64 unsigned bits for the test's coordinates (|d| <= 2^31):
    // 2 i amin < 2^63.
    const uint64_t num = uint64_t{2} * static_cast<uint64_t>(i) * static_cast<uint64_t>(amin) +
                         static_cast<uint64_t>(amaj) - 1;
    const int64_t off = static_cast<int64_t>(num / (uint64_t{2} * static_cast<uint64_t>(amaj)));
    const int64_t mj = (xMajor ? X0 : Y0) + smaj * i, mn = (xMajor ? Y0 : X0) + smin * off;
    const int64_t x = xMajor ? mj : mn, y = xMajor ? mn : mj;
    if (x >= 0 && y >= 0 && x < W && y < H) px[static_cast<size_t>(y) * W + x] = Ink;
  }
  return px;
}

TEST(CanvasLineWalk, RandomLinesFollowTheRoundingRulePixelForPixel) {
  std::mt19937 rng(1234);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  TBitmap bmp;
  bmp.SetPixelFormat(pf24bit);
  int clippedStarts = 0;
  for (int n = 0; n < 20000; ++n) {
    const int W = pick(1, 50), H = pick(1, 50);
    bmp.SetSize(W, H);
    TCanvas* cv = bmp.Canvas();
    cv->Brush.Color = 0;
    cv->Brush.Style = bsSolid;
    cv->FillRect(TRect{0, 0, W, H});
    auto coord = [&](int extent) {
      const int r = pick(0, 9);
      return r < 6 ? pick(-5, extent + 5) : r < 9 ? pick(-200, extent + 200) : pick(-1000000000, 1000000000);
    };
    const int X0 = coord(W), Y0 = coord(H), X1 = coord(W), Y1 = coord(H);
    if (X0 < 0 || Y0 < 0 || X0 >= W || Y0 >= H) ++clippedStarts;
    const uint32_t ink = 0x00FFFFFF & (rng() | 1);
    // Solid pmCopy writes straight into the surface; pmXor on black goes
    // pixel by pixel; a dot pen on an opaque brush of the same colour too.
    const int pen = pick(0, 2);
    cv->Pen.Width = 1;
    cv->Pen.Color = ink;
    cv->Pen.Mode = pen == 1 ? pmXor : pmCopy;
    cv->Pen.Style = pen == 2 ? psDot : psSolid;
    cv->Brush.Color = ink;
    cv->MoveTo(X0, Y0);
    cv->LineTo(X1, Y1);
    const std::vector<uint32_t> want = Expected(W, H, X0, Y0, X1, Y1, ink);
    ASSERT_EQ(bmp.PixelData(), want) << "case " << n << ": (" << X0 << "," << Y0 << ") to (" << X1 << "," << Y1
                                     << ") on " << W << "x" << H << " pen " << pen;
  }
  EXPECT_GT(clippedStarts, 5000);
}

}  // namespace
}  // namespace orq
