// The graticule matrix of the parabolic interpolation model: one row per
// calibration line with the parabola fitted through its pixels.
#include <algorithm>

#include "orqcarta/geomap/CalibMath.h"
#include "orqmath/CurveFit.h"

namespace orq {

bool BuildGratMat(const TCalibData& Data, TMatrix& GratMat) {
  const int lines = std::max(0, std::min(Data.NumCalLines, MaxCalibLines));
  GratMat.Resize(5, lines);
  TCurveFit fit;
  int parallels = 0, meridians = 0;
  for (int k = 1; k <= lines; ++k) {
    const TCalibLine& line = Data.CalLines[k - 1];
    const bool isParallel = line.LineType == gtlParallel;
    fit.Init();
    GratMat.SetVal(1, k, isParallel ? 1.0 : 0.0);
    GratMat.SetVal(2, k, line.LineValue);
    const int points = std::min(line.NumPoints, MaxPointsPerLine);
    if (points < 3) continue;  // too few for a parabola: kind and value only
    for (int p = 0; p < points; ++p) {
      const TPoint& pt = line.CalPoints[p];
      // A parallel is y(x), a meridian x(y).
      if (isParallel)
        fit.EnterStatValue(pt.X, pt.Y);
      else
        fit.EnterStatValue(pt.Y, pt.X);
    }
    double k0 = 0, k1 = 0, k2 = 0, resid = 0;
    fit.CalcParabolFit(k0, k1, k2, resid);
    GratMat.SetVal(3, k, k0);
    GratMat.SetVal(4, k, k1);
    GratMat.SetVal(5, k, k2);
    if (isParallel)
      ++parallels;
    else
      ++meridians;
  }
  if (parallels >= 2 && meridians >= 2) return true;
  GratMat.Resize(5, 1);
  GratMat.Fill(0.0);
  return false;
}

}  // namespace orq
