// HALFTONE enlargement against the general tap-table form of the same
// arithmetic (every tap of every column walked in order), on random images,
// sizes, offsets and clipping: every pixel must match.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "orqplatform/Bitmap.h"
#include "orqplatform/Canvas.h"
#include "orqplatform/StretchBlt.h"

namespace orq {
namespace {

constexpr int kOne = 1 << 12;

struct Axis {
  int First = 0, Count = 0;
  std::vector<int> Begin, Src, Weight;
  int SrcMin = 0, SrcMax = -1;
};

int64_t Centre(int64_t S0, int64_t SL, int64_t L, int64_t i) { return S0 + ((2 * i + 1) * SL) / (2 * L); }

void Normalise(Axis& m, size_t from, const std::vector<int64_t>& raw, int64_t total) {
  int sum = 0;
  size_t biggest = from;
  for (size_t k = from; k < m.Src.size(); ++k) {
    const int w = static_cast<int>((raw[k - from] * kOne + total / 2) / total);
    m.Weight.push_back(w);
    sum += w;
    if (w > m.Weight[biggest]) biggest = k;
  }
  m.Weight[biggest] += kOne - sum;
}

Axis Build(int64_t D0, int64_t L, int64_t S0, int64_t SL, int64_t DestLen, int64_t SrcLen) {
  Axis m;
  int64_t lo = std::max<int64_t>(0, -D0), hi = std::min<int64_t>(L, DestLen - D0) - 1;
  while (lo <= hi && Centre(S0, SL, L, lo) < 0) ++lo;
  while (hi >= lo && Centre(S0, SL, L, hi) >= SrcLen) --hi;
  if (lo > hi) return m;
  m.First = static_cast<int>(D0 + lo);
  m.Count = static_cast<int>(hi - lo + 1);
  const int64_t validLo = std::max<int64_t>(S0, 0), validHi = std::min<int64_t>(S0 + SL, SrcLen) - 1;
  std::vector<int64_t> raw;
  for (int64_t i = lo; i <= hi; ++i) {
    m.Begin.push_back(static_cast<int>(m.Src.size()));
    const size_t from = m.Src.size();
    if (SL == L) {
      m.Src.push_back(static_cast<int>(Centre(S0, SL, L, i)));
      m.Weight.push_back(kOne);
    } else if (SL > L) {
      const int64_t a = i * SL, b = (i + 1) * SL;
      raw.clear();
      int64_t total = 0;
      const int64_t jFirst = std::max(a / L, validLo - S0), jLast = std::min((b - 1) / L, validHi - S0);
      for (int64_t j = jFirst; j <= jLast; ++j) {
        const int64_t overlap = std::min(b, (j + 1) * L) - std::max(a, j * L);
        if (overlap <= 0) continue;
        m.Src.push_back(static_cast<int>(S0 + j));
        raw.push_back(overlap);
        total += overlap;
      }
      Normalise(m, from, raw, total);
    } else {
      const int64_t num = (2 * i + 1) * SL - L, den = 2 * L;
      const int64_t j0 = num >= 0 ? num / den : -((-num + den - 1) / den);
      const int64_t s = S0 + j0;
      if (s < validLo) {
        m.Src.push_back(static_cast<int>(validLo));
        m.Weight.push_back(kOne);
      } else if (s >= validHi) {
        m.Src.push_back(static_cast<int>(validHi));
        m.Weight.push_back(kOne);
      } else {
        const int f = static_cast<int>(((num - j0 * den) * kOne + den / 2) / den);
        m.Src.push_back(static_cast<int>(s));
        m.Weight.push_back(kOne - f);
        m.Src.push_back(static_cast<int>(s + 1));
        m.Weight.push_back(f);
      }
    }
  }
  m.Begin.push_back(static_cast<int>(m.Src.size()));
  m.SrcMin = *std::min_element(m.Src.begin(), m.Src.end());
  m.SrcMax = *std::max_element(m.Src.begin(), m.Src.end());
  return m;
}

// SRCCOPY HALFTONE with W != SW or H != SH, written tap by tap.
void Reference(TBitmap& D, int X, int Y, int W, int H, const TBitmap& S, int SX, int SY, int SW, int SH) {
  const Axis xs = Build(X, W, SX, SW, D.Width(), S.Width());
  const Axis ys = Build(Y, H, SY, SH, D.Height(), S.Height());
  if (xs.Count == 0 || ys.Count == 0) return;
  const int cols = xs.SrcMax - xs.SrcMin + 1;
  std::vector<uint32_t> acc(static_cast<size_t>(cols) * 3);
  for (int k = 0; k < ys.Count; ++k) {
    std::fill(acc.begin(), acc.end(), 0u);
    for (int t = ys.Begin[k]; t < ys.Begin[k + 1]; ++t) {
      const uint32_t wy = static_cast<uint32_t>(ys.Weight[t]);
      const uint32_t* src = S.ScanLine(ys.Src[t]) + xs.SrcMin;
      for (int c = 0; c < cols; ++c) {
        acc[3 * c] += (src[c] & 0xFF) * wy;
        acc[3 * c + 1] += ((src[c] >> 8) & 0xFF) * wy;
        acc[3 * c + 2] += ((src[c] >> 16) & 0xFF) * wy;
      }
    }
    for (uint32_t& v : acc) v = (v + 8) >> 4;
    uint32_t* out = D.ScanLine(ys.First + k) + xs.First;
    for (int i = 0; i < xs.Count; ++i) {
      uint32_t r = 1u << 19, g = 1u << 19, b = 1u << 19;
      for (int t = xs.Begin[i]; t < xs.Begin[i + 1]; ++t) {
        const uint32_t wx = static_cast<uint32_t>(xs.Weight[t]);
        const uint32_t* a = &acc[static_cast<size_t>(xs.Src[t] - xs.SrcMin) * 3];
        r += a[0] * wx, g += a[1] * wx, b += a[2] * wx;
      }
      out[i] = std::min(r >> 20, 255u) | (std::min(g >> 20, 255u) << 8) | (std::min(b >> 20, 255u) << 16);
    }
    D.QuantizeRow(out, xs.Count);
  }
}

void Noise(TBitmap& B, int W, int H, TPixelFormat F, std::mt19937& rng) {
  B.SetPixelFormat(F);
  B.SetSize(W, H);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) B.Canvas()->SetPixels(x, y, rng() & 0xFFFFFF);
}

TEST(StretchBltHalftone, EnlargingMatchesTheTapByTapSumsPixelForPixel) {
  std::mt19937 rng(4711);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  static const TPixelFormat formats[] = {pf24bit, pf32bit, pf24bit, pf16bit, pf8bit};
  TBitmap src, got, want;
  for (int n = 0; n < 10000; ++n) {
    const int sw = pick(1, 12), sh = pick(1, 12), dw = pick(1, 40), dh = pick(1, 40);
    Noise(src, sw, sh, formats[pick(0, 4)], rng);
    const TPixelFormat df = formats[pick(0, 4)];
    const uint32_t seed = rng();
    std::mt19937 a(seed), b(seed);
    Noise(got, dw, dh, df, a);
    Noise(want, dw, dh, df, b);
    // Enlarging across (sometimes equal across, enlarging or reducing down),
    // from anywhere around the source to anywhere around the destination.
    const int SW = pick(1, 10), W = pick(0, 3) == 0 ? SW : SW + pick(1, 60);
    const int SH = pick(1, 10), H = pick(0, 3) == 0 ? pick(1, 20) : SH + pick(1, 60);
    if (W == SW && H == SH) continue;
    const int SX = pick(-4, sw), SY = pick(-4, sh), X = pick(-W, dw), Y = pick(-H, dh);
    SetStretchBltMode(got.Canvas(), HALFTONE);
    StretchBlt(got.Canvas(), X, Y, W, H, src.Canvas(), SX, SY, SW, SH);
    Reference(want, X, Y, W, H, src, SX, SY, SW, SH);
    for (int y = 0; y < dh; ++y)
      for (int x = 0; x < dw; ++x)
        ASSERT_EQ(got.ScanLine(y)[x], want.ScanLine(y)[x])
            << "case " << n << " at " << x << "," << y << ": " << SW << "x" << SH << "+" << SX << "+" << SY << " to "
            << W << "x" << H << "+" << X << "+" << Y;
  }
}

}  // namespace
}  // namespace orq
