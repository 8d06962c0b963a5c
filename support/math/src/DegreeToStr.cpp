#include "orqmath/DegreeToStr.h"

#include <algorithm>
#include <cmath>

#include "orqmath/MathError.h"
#include "orqplatform/FormatSettings.h"

namespace orq {

namespace {

constexpr const char* kDegreeSign = "\xC2\xB0";

std::string TwoDigits(int64_t v) { return (v < 10 ? "0" : "") + std::to_string(v); }

std::string DecimalDegrees(double a, int n) {
  if (n > 0) return FloatToFixed(a, n) + kDegreeSign;
  std::string s = FloatToFixed(a, 6);
  while (s.size() > 2 && s.back() == '0' && s[s.size() - 2] != '.') s.pop_back();
  return s + kDegreeSign;
}

std::string DegMinSec(double a, int n) {
  const int k = n > 0 ? n : 2;
  const double scale = std::pow(10.0, k);
  const double total = a * 3600.0 * scale;
  // Beyond 2^53 units the seconds are no longer exact integers.
  if (total > 9.0e15) return DecimalDegrees(a, n);
  const int64_t units = static_cast<int64_t>(std::nearbyint(total));
  const int64_t per_sec = static_cast<int64_t>(scale);
  const int64_t sec_units = units % (60 * per_sec);
  const int64_t minutes = units / (60 * per_sec);
  std::string frac = std::to_string(sec_units % per_sec);
  frac.insert(0, static_cast<std::size_t>(k) - frac.size(), '0');
  if (n == 0) {
    while (!frac.empty() && frac.back() == '0') frac.pop_back();
  }
  std::string out = std::to_string(minutes / 60) + kDegreeSign + TwoDigits(minutes % 60) + "'" +
                    TwoDigits(sec_units / per_sec);
  if (!frac.empty()) out += "." + frac;
  return out + "\"";
}

}  // namespace

std::string DegreeToStr(double Angle, TDegreeFormat Format, int N) {
  if (std::isnan(Angle)) return "NAN";
  if (std::isinf(Angle)) return Angle < 0 ? "-INF" : "INF";
  N = std::clamp(N, 0, 15);
  const double a = std::fabs(Angle);
  std::string body;
  switch (Format) {
    case dfDegrees:
      body = FloatToFixed(a, N) + kDegreeSign;
      break;
    case dfDecimalDegrees:
      body = DecimalDegrees(a, N);
      break;
    case dfDegMinSec:
      body = DegMinSec(a, N);
      break;
    default:
      throw EOrqMathError("DegreeToStr: invalid format " + std::to_string(static_cast<int>(Format)));
  }
  const bool non_zero = body.find_first_of("123456789") != std::string::npos;
  return (Angle < 0 && non_zero ? "-" : "") + body;
}

}  // namespace orq
