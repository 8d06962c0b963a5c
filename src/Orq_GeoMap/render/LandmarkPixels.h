// Internal: angle constants and pixel arithmetic of landmark symbols and
// captions.
#pragma once

#include <algorithm>
#include <cstdint>

#include "orqcarta/geomap/CalibMath.h"

namespace orq::landmark {

// The literal values the landmark geometry is defined with, so that every
// vertex rounds the same way everywhere.
inline constexpr double kPi = 3.14159265358979324;
inline constexpr double kTwoPiBy3 = 2.0943951023931957;
inline constexpr double kPiBy9 = 0.3490658503988659;  // 20 degrees

// Symbols take sizes from landmark files; sums of such values are formed in
// 64 bits and held within the pixel range instead of overflowing.
inline constexpr int64_t kPixelLimit = int64_t{1} << 30;

inline int Pixel(int64_t Value) { return static_cast<int>(std::clamp(Value, -kPixelLimit, kPixelLimit)); }

// Round half to even, held within the pixel range.
inline int Round(double Value) {
  const double limit = static_cast<double>(kPixelLimit);
  int result = 0;
  RoundToPixel(std::clamp(Value, -limit, limit), result);
  return result;
}

}  // namespace orq::landmark
