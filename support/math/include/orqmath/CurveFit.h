// TCurveFit: least-squares fits and statistics of (x, y) pairs.
//
// The pairs are kept, and every fit works on x centred on its mean and
// scaled to [-1, 1], so that pixel coordinates in the thousands fit a
// parabola without losing digits. Degenerate input never divides by zero:
// the fits then return false and the defined fallback described at each
// operation. NaN or infinite pairs make the results NaN.
#pragma once

#include <vector>

#include "orqplatform/Components.h"

namespace orq {

class TCurveFit : public TObject {
 public:
  std::string ClassName() const override { return "TCurveFit"; }

  // Forgets all pairs.
  void Init();
  void EnterStatValue(double x, double y);
  int NumData() const { return static_cast<int>(FX.size()); }

  // Line y = Intercept + Slope*x; CorrCoeff is Pearson's r of the pairs
  // (0 when all y are equal). With fewer than 2 pairs or all x equal the line
  // is undefined: false, Slope 0, Intercept the mean of y (0 without pairs),
  // CorrCoeff 0.
  bool CalcLinFit(double& Slope, double& Intercept, double& CorrCoeff) const;

  // Parabola y = k0 + k1*x + k2*x^2; ResidStdDev is the residual standard
  // deviation sqrt(sum of squared residuals / (n - 3)), 0 for n <= 3. With
  // fewer than 3 distinct x values the parabola is undefined: false, and the
  // coefficients of the best lower-degree fit (the line through two distinct
  // x, k2 = 0; the mean of y for one; all 0 without pairs).
  bool CalcParabolFit(double& k0, double& k1, double& k2, double& ResidStdDev) const;

  // Statistics of the pairs, all 0 without pairs (result false):
  //   NumData       number of pairs
  //   MeanX, MeanY  means
  //   StdDevX, StdDevY  sample standard deviations (n - 1), 0 for one pair
  //   CorrCoeff     Pearson's r (0 when x or y do not vary)
  //   ResidStdDev   residual standard deviation of y about the least-squares
  //                 line of CalcLinFit, sqrt(SSE / (n - 2)), 0 for n <= 2
  //                 (the map's calibration quality figure)
  //   RmsDiff       root mean square of y - x, for pairs of a recorded and a
  //                 recomputed value
  bool CalcStatistics(int& NumData, double& MeanX, double& MeanY, double& StdDevX, double& StdDevY,
                      double& CorrCoeff, double& ResidStdDev, double& RmsDiff) const;

 private:
  struct Sums {
    double mx = 0, my = 0, sxx = 0, sxy = 0, syy = 0;
  };
  Sums CentredSums() const;
  bool AllXEqual() const;

  std::vector<double> FX, FY;
};

}  // namespace orq
