// Miller cylindrical laws: a straight line in each axis.
#include <cmath>

#include "orqbase/MathConstants.h"
#include "orqcarta/geomap/CalibMath.h"
#include "orqmath/CurveFit.h"

namespace orq {

namespace {
// The laws are fitted in extended precision: pi is the double Pi plus the
// part of pi beyond it, so the extended value is the nearest to pi and the
// fitted coefficients keep their last bits.
constexpr long double PiL = static_cast<long double>(Pi) + 1.2246467991473531772e-16L;
constexpr long double QuarterPiL = PiL / 4;
static_assert(PiL == 3.1415926535897932385L);
}  // namespace

bool FitMillerCyl(const TCalibData& Data, TCoef2x2& M) {
  const int n = Data.NumCalQuads;
  if (n < 3) return false;
  TCurveFit fit;
  double slope = 0, intercept = 0, r = 0;

  fit.Init();
  for (int i = 0; i < n; ++i) {
    const TCalQuad& q = Data.CalQuads[i];
    fit.EnterStatValue(static_cast<double>(q.Longitude * PiL / 180.0L), q.MapX);
  }
  fit.CalcLinFit(slope, intercept, r);
  M[1][0] = slope;
  M[1][1] = intercept;

  fit.Init();
  for (int i = 0; i < n; ++i) {
    const TCalQuad& q = Data.CalQuads[i];
    const long double t = std::log(std::tan(0.4L * q.Latitude / 180.0L * PiL + QuarterPiL));
    fit.EnterStatValue(static_cast<double>(t), q.MapY);
  }
  fit.CalcLinFit(slope, intercept, r);
  M[0][0] = slope;
  M[0][1] = intercept;
  return true;
}

}  // namespace orq
