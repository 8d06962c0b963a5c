#include "orqmath/MathUtils.h"

#include <cmath>
#include <utility>

#include "orqplatform/Random.h"

namespace orq {

void ExChange(int& a, int& b) { std::swap(a, b); }
void ExChange(double& a, double& b) { std::swap(a, b); }

namespace {

// Mantissa * 10^Exp, formed so that negative powers divide by an exact power
// of ten (2 / 1000 is the double nearest 0.002; 2 * 0.001 need not be).
double Scaled(double Mantissa, int Exp) {
  if (Exp >= 0) return Mantissa * std::pow(10.0, Exp);
  if (Exp >= -300) return Mantissa / std::pow(10.0, -Exp);
  return Mantissa * std::pow(10.0, Exp);
}

}  // namespace

double Round125(double x) {
  if (std::isnan(x) || x == 0 || std::isinf(x)) return x;
  if (x < 0) return -Round125(-x);
  int e = static_cast<int>(std::floor(std::log10(x)));
  double m = x / std::pow(10.0, e);
  // log10 and pow may be off by an ulp near powers of ten.
  if (m < 1) m *= 10, --e;
  if (m >= 10) m /= 10, ++e;
  double series;
  if (m < std::sqrt(2.0))
    series = 1;
  else if (m < std::sqrt(10.0))
    series = 2;
  else if (m < std::sqrt(50.0))
    series = 5;
  else
    series = 10;
  double r = Scaled(series, e);
  if (std::isinf(r)) r = Scaled(5, e);
  if (std::isinf(r)) r = Scaled(2, e);
  if (std::isinf(r)) r = Scaled(1, e);
  return r;
}

bool BRandom(double p) {
  const double r = Random();
  return p >= 1 || r < p;
}

}  // namespace orq
