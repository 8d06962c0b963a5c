// Plus and cross symbols against the plain stroke sequence they are defined
// by: the halo as nine 1-pixel strokes at the offsets of a 3 x 3 block, then
// the foreground strokes. Random surfaces, positions (also off and across the
// edges), sizes, pens and pixel formats; every pixel must match.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>

#include "orqcarta/geomap/LandmarkDrawing.h"
#include "orqplatform/Bitmap.h"
#include "orqplatform/Canvas.h"

namespace orq {
namespace {

constexpr int64_t kLimit = int64_t{1} << 30;

int Clamp(int64_t v) { return static_cast<int>(std::clamp(v, -kLimit, kLimit)); }

void Line(TCanvas* C, int64_t X0, int64_t Y0, int64_t X1, int64_t Y1) {
  C->MoveTo(Clamp(X0), Clamp(Y0));
  C->LineTo(Clamp(X1), Clamp(Y1));
}

void ReferencePlus(TCanvas* C, int64_t X, int64_t Y, int64_t s, TColor FG, TColor BG, bool Transparent) {
  auto strokes = [&](int64_t i, int64_t j) {
    Line(C, X + i, Y - s + j, X + i, Y + s + 1 + j);
    Line(C, X - s + i, Y + j, X + s + 1 + i, Y + j);
  };
  if (!Transparent) {
    C->Pen.Color = BG;
    for (int i = -1; i <= 1; ++i)
      for (int j = -1; j <= 1; ++j) strokes(i, j);
  }
  C->Pen.Color = FG;
  strokes(0, 0);
}

void ReferenceCross(TCanvas* C, int64_t X, int64_t Y, int64_t s, TColor FG, TColor BG, bool Transparent) {
  if (!Transparent) {
    C->Pen.Color = BG;
    for (int i = -1; i <= 1; ++i)
      for (int j = -1; j <= 1; ++j) {
        Line(C, X + s + i, Y - s + j, X - s - 1 + i, Y + s + 1 + j);
        Line(C, X - s + i, Y - s + j, X + s + 1 + i, Y + s + 1 + j);
      }
  }
  C->Pen.Color = FG;
  Line(C, X - s, Y - s, X + s + 1, Y + s + 1);
  Line(C, X - s, Y + s, X + s + 1, Y - s - 1);
}

struct TCase {
  int W, H, X, Y, Size;
  TColor FG, BG;
  bool Transparent;
  TPen Pen;
  TPixelFormat Format;
  uint32_t Seed;
};

TCase RandomCase(std::mt19937& rng) {
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  TCase c;
  c.W = pick(1, 40);
  c.H = pick(1, 40);
  c.X = pick(-30, c.W + 30);
  c.Y = pick(-30, c.H + 30);
  const int r = pick(0, 99);
  c.Size = r < 80 ? pick(0, 12) : r < 90 ? pick(13, 60) : r < 95 ? pick(-5, -1) : pick(0, 3000);
  if (pick(0, 49) == 0) {
    // Next to the pixel limit, where the strokes' ends are clamped.
    c.X = static_cast<int>(kLimit) - pick(-3, 20);
    c.Size = pick(0, 30);
  }
  c.FG = static_cast<TColor>(rng() & 0xFFFFFF);
  c.BG = pick(0, 9) == 0 ? c.FG : static_cast<TColor>(rng() & 0xFFFFFF);
  c.Transparent = pick(0, 9) == 0;
  if (pick(0, 3) == 0) {
    c.Pen.Width = pick(0, 3);
    c.Pen.Style = static_cast<TPenStyle>(pick(psSolid, psInsideFrame));
    c.Pen.Mode = static_cast<TPenMode>(pick(pmBlack, pmNotXor));
  }
  static const TPixelFormat formats[] = {pf24bit, pf32bit, pf24bit, pf8bit, pf16bit, pf1bit};
  c.Format = formats[pick(0, 5)];
  c.Seed = rng();
  return c;
}

void Prepare(TBitmap& B, const TCase& c) {
  B.SetPixelFormat(c.Format);
  B.SetSize(c.W, c.H);
  std::mt19937 noise(c.Seed);
  for (int y = 0; y < c.H; ++y)
    for (int x = 0; x < c.W; ++x) B.Canvas()->SetPixels(x, y, noise() & 0xFFFFFF);
  B.Canvas()->Pen = c.Pen;
}

void ExpectSame(TLandMarkElement Kind, uint32_t Seed) {
  std::mt19937 rng(Seed);
  TBitmap got, want;
  int fastCases = 0;
  for (int n = 0; n < 10000; ++n) {
    const TCase c = RandomCase(rng);
    Prepare(got, c);
    Prepare(want, c);
    DrawLandMarkSymbolOnCanvas(got.Canvas(), c.X, c.Y, Kind, c.FG, c.BG, c.Size, 0, 0, c.Transparent);
    if (Kind == lmPlus)
      ReferencePlus(want.Canvas(), c.X, c.Y, c.Size, c.FG, c.BG, c.Transparent);
    else
      ReferenceCross(want.Canvas(), c.X, c.Y, c.Size, c.FG, c.BG, c.Transparent);
    if (!c.Transparent && c.Pen.Width <= 1 && c.Pen.Style == psSolid && c.Pen.Mode == pmCopy) ++fastCases;
    for (int y = 0; y < c.H; ++y)
      for (int x = 0; x < c.W; ++x)
        ASSERT_EQ(got.ScanLine(y)[x], want.ScanLine(y)[x])
            << "case " << n << " at " << x << "," << y << ": " << c.W << "x" << c.H << " symbol (" << c.X << ","
            << c.Y << ") size " << c.Size << " pen " << c.Pen.Width << "/" << c.Pen.Style << "/" << c.Pen.Mode;
    ASSERT_EQ(got.Canvas()->PenPos(), want.Canvas()->PenPos()) << "case " << n;
    ASSERT_EQ(got.Canvas()->Pen.Color, want.Canvas()->Pen.Color) << "case " << n;
  }
  EXPECT_GT(fastCases, 5000);
}

TEST(LandmarkSymbolHalo, PlusMatchesItsStrokesPixelForPixel) { ExpectSame(lmPlus, 20240611); }

TEST(LandmarkSymbolHalo, CrossMatchesItsStrokesPixelForPixel) { ExpectSame(lmCross, 77031); }

}  // namespace
}  // namespace orq
