#include "orqmath/StraightLine.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace orq {

void TSLine::LineFrom2Points(double x1, double y1, double x2, double y2) {
  FX0 = x1;
  FY0 = y1;
  FDx = x2 - x1;
  FDy = y2 - y1;
  FDefined = std::isfinite(FDx) && std::isfinite(FDy) && std::isfinite(x1) && std::isfinite(y1) &&
             (FDx != 0 || FDy != 0);
}

bool TSLine::ClipBox(double xLo, double yLo, double xHi, double yHi, double& x1, double& y1, double& x2,
                     double& y2) const {
  if (!FDefined || !std::isfinite(xLo) || !std::isfinite(yLo) || !std::isfinite(xHi) || !std::isfinite(yHi))
    return false;
  if (xLo > xHi) std::swap(xLo, xHi);
  if (yLo > yHi) std::swap(yLo, yHi);
  // Liang-Barsky with the parameter unbounded on both sides.
  double tmin = -std::numeric_limits<double>::infinity();
  double tmax = std::numeric_limits<double>::infinity();
  const double p[4] = {-FDx, FDx, -FDy, FDy};
  const double q[4] = {FX0 - xLo, xHi - FX0, FY0 - yLo, yHi - FY0};
  for (int k = 0; k < 4; ++k) {
    if (p[k] == 0) {
      if (q[k] < 0) return false;  // parallel to this edge and outside it
      continue;
    }
    const double t = q[k] / p[k];
    if (p[k] < 0)
      tmin = std::max(tmin, t);
    else
      tmax = std::min(tmax, t);
  }
  if (!(tmin <= tmax)) return false;
  // Clamping removes the rounding of x0 + t*dx on the edges.
  x1 = std::clamp(FX0 + tmin * FDx, xLo, xHi);
  y1 = std::clamp(FY0 + tmin * FDy, yLo, yHi);
  x2 = std::clamp(FX0 + tmax * FDx, xLo, xHi);
  y2 = std::clamp(FY0 + tmax * FDy, yLo, yHi);
  return true;
}

}  // namespace orq
