#include "orqmath/CurveFit.h"

#include <algorithm>
#include <cmath>

namespace orq {

void TCurveFit::Init() {
  FX.clear();
  FY.clear();
}

void TCurveFit::EnterStatValue(double x, double y) {
  FX.push_back(x);
  FY.push_back(y);
}

TCurveFit::Sums TCurveFit::CentredSums() const {
  Sums s;
  const std::size_t n = FX.size();
  if (n == 0) return s;
  for (std::size_t i = 0; i < n; ++i) {
    s.mx += FX[i];
    s.my += FY[i];
  }
  s.mx /= static_cast<double>(n);
  s.my /= static_cast<double>(n);
  for (std::size_t i = 0; i < n; ++i) {
    const double dx = FX[i] - s.mx, dy = FY[i] - s.my;
    s.sxx += dx * dx;
    s.sxy += dx * dy;
    s.syy += dy * dy;
  }
  return s;
}

// Decided on the values themselves: a mean of equal values need not equal
// them exactly, so the centred sum of squares may be a tiny non-zero.
bool TCurveFit::AllXEqual() const {
  return std::all_of(FX.begin(), FX.end(), [&](double x) { return x == FX.front(); });
}

bool TCurveFit::CalcLinFit(double& Slope, double& Intercept, double& CorrCoeff) const {
  const Sums s = CentredSums();
  Slope = 0;
  Intercept = s.my;
  CorrCoeff = 0;
  if (FX.size() < 2 || AllXEqual() || !(s.sxx > 0)) return false;
  Slope = s.sxy / s.sxx;
  Intercept = s.my - Slope * s.mx;
  if (s.syy > 0) CorrCoeff = std::clamp(s.sxy / std::sqrt(s.sxx * s.syy), -1.0, 1.0);
  return true;
}

bool TCurveFit::CalcParabolFit(double& k0, double& k1, double& k2, double& ResidStdDev) const {
  k0 = k1 = k2 = ResidStdDev = 0;
  const std::size_t n = FX.size();
  std::vector<double> xs = FX;
  std::sort(xs.begin(), xs.end());
  const std::size_t distinct = static_cast<std::size_t>(std::unique(xs.begin(), xs.end()) - xs.begin());
  if (distinct < 3) {
    double r = 0;
    CalcLinFit(k1, k0, r);
    return false;
  }

  // t = (x - m) / h lies in [-1, 1].
  const Sums s = CentredSums();
  const double m = s.mx;
  double h = 0;
  for (double x : FX) h = std::max(h, std::fabs(x - m));

  // Normal equations in t: A (3x3) * c = b.
  double p[5] = {0, 0, 0, 0, 0}, b[3] = {0, 0, 0};
  for (std::size_t i = 0; i < n; ++i) {
    const double t = (FX[i] - m) / h;
    double tk = 1;
    for (int k = 0; k < 5; ++k) {
      p[k] += tk;
      if (k < 3) b[k] += tk * FY[i];
      tk *= t;
    }
  }
  double a[3][4];
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 3; ++c) a[r][c] = p[r + c];
    a[r][3] = b[r];
  }
  // Gaussian elimination with partial pivoting.
  for (int col = 0; col < 3; ++col) {
    int piv = col;
    for (int r = col + 1; r < 3; ++r)
      if (std::fabs(a[r][col]) > std::fabs(a[piv][col])) piv = r;
    if (a[piv][col] == 0) {
      double r = 0;
      CalcLinFit(k1, k0, r);
      return false;
    }
    if (piv != col)
      for (int c = 0; c < 4; ++c) std::swap(a[piv][c], a[col][c]);
    for (int r = col + 1; r < 3; ++r) {
      const double f = a[r][col] / a[col][col];
      for (int c = col; c < 4; ++c) a[r][c] -= f * a[col][c];
    }
  }
  double c[3];
  for (int r = 2; r >= 0; --r) {
    double v = a[r][3];
    for (int k = r + 1; k < 3; ++k) v -= a[r][k] * c[k];
    c[r] = v / a[r][r];
  }

  double sse = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const double t = (FX[i] - m) / h;
    const double e = FY[i] - (c[0] + c[1] * t + c[2] * t * t);
    sse += e * e;
  }
  // Back from t to x.
  k2 = c[2] / (h * h);
  k1 = c[1] / h - 2 * c[2] * m / (h * h);
  k0 = c[0] - c[1] * m / h + c[2] * m * m / (h * h);
  if (n > 3) ResidStdDev = std::sqrt(sse / static_cast<double>(n - 3));
  return true;
}

bool TCurveFit::CalcStatistics(int& NumData, double& MeanX, double& MeanY, double& StdDevX, double& StdDevY,
                               double& CorrCoeff, double& ResidStdDev, double& RmsDiff) const {
  NumData = this->NumData();
  MeanX = MeanY = StdDevX = StdDevY = CorrCoeff = ResidStdDev = RmsDiff = 0;
  const std::size_t n = FX.size();
  if (n == 0) return false;
  const Sums s = CentredSums();
  MeanX = s.mx;
  MeanY = s.my;
  if (n > 1) {
    StdDevX = std::sqrt(s.sxx / static_cast<double>(n - 1));
    StdDevY = std::sqrt(s.syy / static_cast<double>(n - 1));
  }
  const bool x_varies = n > 1 && !AllXEqual() && s.sxx > 0;
  if (x_varies && s.syy > 0) CorrCoeff = std::clamp(s.sxy / std::sqrt(s.sxx * s.syy), -1.0, 1.0);
  if (n > 2) {
    // About the line of CalcLinFit; without a line, about the mean of y.
    // Summed from the residuals: syy - sxy^2/sxx cancels badly for a good fit.
    const double slope = x_varies ? s.sxy / s.sxx : 0.0;
    double sse = 0;
    for (std::size_t i = 0; i < n; ++i) {
      const double e = (FY[i] - s.my) - slope * (FX[i] - s.mx);
      sse += e * e;
    }
    ResidStdDev = std::sqrt(sse / static_cast<double>(n - 2));
  }
  double sq = 0;
  for (std::size_t i = 0; i < n; ++i) sq += (FY[i] - FX[i]) * (FY[i] - FX[i]);
  RmsDiff = std::sqrt(sq / static_cast<double>(n));
  return true;
}

}  // namespace orq
