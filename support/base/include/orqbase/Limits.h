// Floating-point limits used as sentinels and tolerances.
#pragma once

#include <limits>

namespace orq {

// The largest finite double.
inline constexpr double uc_MaxDouble = std::numeric_limits<double>::max();
// The smallest positive (normalised) double.
inline constexpr double uc_MinDouble = std::numeric_limits<double>::min();

}  // namespace orq
