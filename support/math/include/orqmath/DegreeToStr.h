// Angles as text.
#pragma once

#include <string>

#include "orqbase/BaseTypes.h"

namespace orq {

// The text of an angle in degrees. N is the number of digits after the
// decimal point of the last field (clamped to 0..15); N = 0 asks for the
// default shown below, which is precise enough for map labels at the
// spacings each format is used for (whole degrees; fractional spacings above
// 0.06 deg; spacings of 0.06 deg and below):
//
//   format            N = 0                          N = 2
//   dfDegrees         47°          (whole degrees)   47.26°
//   dfDecimalDegrees  47.25°, 47.0° (up to 6 decimals, trailing zeros
//                     dropped, at least one kept)    47.26°
//   dfDegMinSec       47°15'30", 47°05'03.6" (minutes and seconds two
//                     digits, seconds to 0.01", trailing zeros and a
//                     bare point dropped)             47°15'30.00"
//
// The degree sign is U+00B0 (UTF-8). Rounding is to the last digit shown,
// halves to even, and carries into the fields before it, so 59.9999" never
// shows as 60". A negative angle gets a leading "-" unless it rounds to
// zero; NaN and infinities give "NAN", "INF", "-INF". An unknown format
// raises EOrqMathError.
std::string DegreeToStr(double Angle, TDegreeFormat Format, int N);

}  // namespace orq
