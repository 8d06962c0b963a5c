// Mathematical constants shared by every layer. Header only, so that the
// platform layer below the base library can use it too.
#pragma once

namespace orq {

// The double nearest to pi. Code that scales by it writes x * Pi / 180 (not
// x * (Pi / 180)) where results are compared to the last bit.
inline constexpr double Pi = 3.14159265358979323846;

}  // namespace orq
