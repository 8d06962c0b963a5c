// Internal: the integer line of the canvas and the pixel sets of wide pens.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "orqplatform/GraphicsTypes.h"

namespace orq::raster {

#ifdef __SIZEOF_INT128__
using Wide = __int128;
#else
using Wide = long double;
#endif

// Calls Visit(i, x, y) for the pixels i = 0 .. n-1 of the line from (X0, Y0)
// towards (X1, Y1), n = max(|dx|, |dy|), that fall in the box
// [-Margin, Width + Margin) x [-Margin, Height + Margin). Returns n. Only the
// part of the line inside the box is walked, so far-away end points cost
// nothing.
template <typename F>
int64_t WalkLine(int X0, int Y0, int X1, int Y1, int Width, int Height, int Margin, F&& Visit) {
  const int64_t dx = int64_t{X1} - X0, dy = int64_t{Y1} - Y0;
  const int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
  const int64_t n = std::max(adx, ady);
  if (n == 0) return 0;
  const bool xMajor = adx >= ady;
  const int64_t amaj = xMajor ? adx : ady, amin = xMajor ? ady : adx;
  const int smaj = (xMajor ? dx : dy) < 0 ? -1 : 1;
  const int smin = (xMajor ? dy : dx) < 0 ? -1 : 1;
  const int64_t maj0 = xMajor ? X0 : Y0, min0 = xMajor ? Y0 : X0;
  const int64_t majLo = -Margin, majHi = (xMajor ? Width : Height) + Margin - 1;
  const int64_t minLo = -Margin, minHi = (xMajor ? Height : Width) + Margin - 1;
  int64_t iLo = 0, iHi = n - 1;
  if (smaj > 0) {
    iLo = std::max(iLo, majLo - maj0);
    iHi = std::min(iHi, majHi - maj0);
  } else {
    iLo = std::max(iLo, maj0 - majHi);
    iHi = std::min(iHi, maj0 - majLo);
  }
  if (iLo > iHi) return n;
  // Minor offset at step i: floor((2 i amin + amaj - 1) / (2 amaj)), i.e. the
  // exact value rounded to nearest with ties toward the start.
  const int64_t den = 2 * amaj;
  // Unclipped at the start (the common case) the offset is 0 with remainder
  // amaj - 1; only a clipped start needs the wide division.
  int64_t q = 0, r = amaj - 1;
  if (iLo > 0) {
    const Wide num0 = Wide(2) * Wide(iLo) * Wide(amin) + Wide(amaj - 1);
#ifdef __SIZEOF_INT128__
    q = static_cast<int64_t>(num0 / den);
    r = static_cast<int64_t>(num0 % den);
#else
    q = static_cast<int64_t>(num0 / den);
    r = static_cast<int64_t>(num0 - Wide(q) * den);
    while (r >= den) r -= den, ++q;
    while (r < 0) r += den, --q;
#endif
  }
  const int64_t step = 2 * amin;
  for (int64_t i = iLo; i <= iHi; ++i) {
    const int64_t mj = maj0 + smaj * i, mn = min0 + smin * q;
    if (mn >= minLo && mn <= minHi) {
      if (xMajor)
        Visit(i, static_cast<int>(mj), static_cast<int>(mn));
      else
        Visit(i, static_cast<int>(mn), static_cast<int>(mj));
    }
    r += step;
    if (r >= den) r -= den, ++q;
  }
  return n;
}

// On/off runs of a dashed pen style; empty for solid.
const std::vector<int>& DashPattern(TPenStyle Style);

// Offsets covered by a pen of width w > 1 around its centre pixel: a disc
// of diameter w (a full square for w <= 3).
const std::vector<std::pair<int, int>>& PenStamp(int Width);

inline int64_t PixelKey(int X, int Y) { return (int64_t{Y} << 32) | static_cast<uint32_t>(X); }
inline int KeyX(int64_t k) { return static_cast<int>(static_cast<uint32_t>(k)); }
inline int KeyY(int64_t k) { return static_cast<int>(k >> 32); }

}  // namespace orq::raster
