#include "PixelFormats.h"

#include <algorithm>
#include <cmath>

namespace orq::raster {
namespace {

const TColor kClassic16[16] = {clBlack, clMaroon, clGreen, clOlive, clNavy,  clPurple, clTeal, clGray,
                               clSilver, clRed,   clLime,  clYellow, clBlue, clFuchsia, clAqua, clWhite};

std::vector<TColor> Build256() {
  std::vector<TColor> p;
  p.reserve(256);
  for (int b = 0; b < 6; ++b)
    for (int g = 0; g < 6; ++g)
      for (int r = 0; r < 6; ++r) p.push_back(RGB(r * 51, g * 51, b * 51));
  for (int i = 1; i <= 40; ++i) {
    const auto v = static_cast<uint8_t>(std::lround(i * 255.0 / 41.0));
    p.push_back(RGB(v, v, v));
  }
  return p;
}

const std::vector<TColor>& Palette16() {
  static const std::vector<TColor> p(std::begin(kClassic16), std::end(kClassic16));
  return p;
}
const std::vector<TColor>& Palette256() {
  static const std::vector<TColor> p = Build256();
  return p;
}

inline int Dist2(TColor a, TColor b) {
  const int dr = GetRValue(a) - GetRValue(b), dg = GetGValue(a) - GetGValue(b), db = GetBValue(a) - GetBValue(b);
  return dr * dr + dg * dg + db * db;
}

}  // namespace

const std::vector<TColor>& StandardPalette(TPixelFormat Format) {
  static const std::vector<TColor> none;
  if (Format == pf4bit) return Palette16();
  if (Format == pf8bit) return Palette256();
  if (Format == pf1bit) {
    static const std::vector<TColor> bw = {clBlack, clWhite};
    return bw;
  }
  return none;
}

TColor NearestIn16(TColor c) {
  TColor best = kClassic16[0];
  int bestD = Dist2(c, best);
  for (int i = 1; i < 16 && bestD > 0; ++i) {
    const int d = Dist2(c, kClassic16[i]);
    if (d < bestD) bestD = d, best = kClassic16[i];
  }
  return best;
}

TColor NearestIn256(TColor c) {
  // The cube is separable: the nearest level per channel gives the nearest
  // cube colour. The nearest grey lies at the grey level nearest the mean.
  // Cube entries come first in the palette, so they win ties.
  const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
  auto level = [](int v) { return ((v + 25) / 51) * 51; };
  const TColor cube = RGB(level(r), level(g), level(b));
  const int cubeD = Dist2(c, cube);
  const auto& pal = Palette256();
  int bestGreyD = 1 << 30;
  TColor bestGrey = 0;
  const double mean = (r + g + b) / 3.0;
  const int approx = static_cast<int>(std::lround(mean * 41.0 / 255.0));
  for (int i = std::max(1, approx - 1); i <= std::min(40, approx + 1); ++i) {
    const TColor grey = pal[215 + i];
    const int d = Dist2(c, grey);
    if (d < bestGreyD) bestGreyD = d, bestGrey = grey;
  }
  return bestGreyD < cubeD ? bestGrey : cube;
}

void QuantizeRow(uint32_t* Row, std::size_t Count, TPixelFormat f) {
  switch (f) {
    case pf15bit:
      for (std::size_t i = 0; i < Count; ++i) Row[i] &= 0xF8F8F8;
      return;
    case pf16bit:
      for (std::size_t i = 0; i < Count; ++i) Row[i] &= 0xF8FCF8;
      return;
    case pf1bit:
    case pf4bit:
    case pf8bit: {
      // Runs of one colour are common (fills, scans of a drawn map).
      TColor lastIn = 0xFFFFFFFF, lastOut = 0;
      for (std::size_t i = 0; i < Count; ++i) {
        const TColor c = Row[i] & 0xFFFFFF;
        if (c != lastIn) lastIn = c, lastOut = Quantize(c, f);
        Row[i] = lastOut;
      }
      return;
    }
    default:
      for (std::size_t i = 0; i < Count; ++i) Row[i] &= 0xFFFFFF;
      return;
  }
}

}  // namespace orq::raster

namespace orq {
int TFont::PixelHeight() const {
  // MulDiv(Size, 96, 72): rounded, halves away from zero.
  const int s = Size < 0 ? -Size : Size;
  return (s * 96 + 36) / 72;
}
}  // namespace orq
