// Conic conformal fit: latitude linear in the distance from the cone's apex,
// longitude linear in the angle about it. The apex is found by a coarse-to-
// fine grid search; each candidate apex gets its own two line fits.
#include <algorithm>
#include <cmath>

#include "orqcarta/geomap/CalibMath.h"
#include "orqmath/CurveFit.h"

namespace orq {

namespace {

constexpr double InitialBestError = 1e10;
constexpr int InitialStep = 1000000;  // pixels; halved down to 1: twenty rounds
constexpr int GridHalfWidth = 2;      // candidates -2..2 steps in each axis

bool FitAtApex(const TCalibData& Data, TConicParams& C, double& ResidLat, double& ResidLong, TCurveFit& fit) {
  const int n = Data.NumCalQuads;
  if (n < 3) return false;
  const double c1 = C[0], c2 = C[1];
  double r = 0;

  fit.Init();
  for (int i = 0; i < n; ++i) {
    const TCalQuad& q = Data.CalQuads[i];
    fit.EnterStatValue(std::hypot(q.MapX - c1, q.MapY - c2), q.Latitude);
  }
  fit.CalcLinFit(C[2], C[3], r);
  double sum = 0;
  for (int i = 0; i < n; ++i) {
    const TCalQuad& q = Data.CalQuads[i];
    const double d = q.Latitude - C[2] * std::hypot(q.MapX - c1, q.MapY - c2) - C[3];
    sum += d * d;
  }
  ResidLat = std::sqrt(sum / n);

  // Quadruples on the apex row have no defined angle and are left out.
  fit.Init();
  for (int i = 0; i < n; ++i) {
    const TCalQuad& q = Data.CalQuads[i];
    if (q.MapY != c2) fit.EnterStatValue(std::atan((q.MapX - c1) / (q.MapY - c2)), q.Longitude);
  }
  fit.CalcLinFit(C[4], C[5], r);
  sum = 0;
  for (int i = 0; i < n; ++i) {
    const TCalQuad& q = Data.CalQuads[i];
    if (q.MapY == c2) continue;
    const double d = q.Longitude - C[4] * std::atan((q.MapX - c1) / (q.MapY - c2)) - C[5];
    sum += d * d;
  }
  ResidLong = std::sqrt(sum / n);
  return true;
}

}  // namespace

bool FitConicAtApex(const TCalibData& Data, TConicParams& C, double& ResidLat, double& ResidLong) {
  TCurveFit fit;
  return FitAtApex(Data, C, ResidLat, ResidLong, fit);
}

bool FitConic(const TCalibData& Data, int ImgWidth, int ImgHeight, TConicParams& C) {
  const int n = Data.NumCalQuads;
  if (n < 3) return false;

  int xmin = ImgWidth, xmax = 0, ymin = ImgHeight, ymax = 0;
  for (int i = 0; i < n; ++i) {
    const TCalQuad& q = Data.CalQuads[i];
    xmin = std::min(xmin, q.MapX);
    xmax = std::max(xmax, q.MapX);
    ymin = std::min(ymin, q.MapY);
    ymax = std::max(ymax, q.MapY);
  }
  long long cx = (static_cast<long long>(xmin) + xmax) / 2;
  long long cy = (static_cast<long long>(ymin) + ymax) / 2;

  TCurveFit fit;
  TConicParams kept = C;
  TConicParams candidate = C;
  double best = InitialBestError;
  bool found = false;
  for (int step = InitialStep; step > 0; step /= 2) {
    for (int i = -GridHalfWidth; i <= GridHalfWidth; ++i) {
      for (int j = -GridHalfWidth; j <= GridHalfWidth; ++j) {
        candidate[0] = static_cast<double>(cx + static_cast<long long>(i) * step);
        candidate[1] = static_cast<double>(cy + static_cast<long long>(j) * step);
        double residLat = 0, residLong = 0;
        FitAtApex(Data, candidate, residLat, residLong, fit);
        const double e = residLat * residLat + residLong * residLong;
        if (e < best) {  // strictly: the earlier candidate wins a tie
          best = e;
          kept = candidate;
          found = true;
        }
      }
    }
    // Until some candidate beats the start value the search stays where it is.
    if (found) {
      cx = std::llround(kept[0]);
      cy = std::llround(kept[1]);
    }
  }
  // No candidate fitted at all (residuals not finite): the old parameters stay.
  C = kept;
  return found;
}

}  // namespace orq
