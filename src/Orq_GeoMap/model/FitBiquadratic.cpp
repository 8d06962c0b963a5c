// Second-order polynomial laws in both directions.
#include <cstdint>

#include "FitHelpers.h"

namespace orq {

void FitBiquadratic(const TCalibData& Data, TCoef2x6& PLSP, TCoef2x6& SPPL, const TMathFeedback& Feedback) {
  for (auto& row : PLSP) row.fill(0.0);
  for (auto& row : SPPL) row.fill(0.0);
  const int n = Data.NumCalQuads;
  if (n <= 0) return;

  std::vector<double> design(static_cast<size_t>(n) * 6);
  const fit_detail::TQuadColumns cols = fit_detail::QuadColumns(Data);
  const std::vector<double> &lat = cols.Lat, &lon = cols.Lon, &px = cols.PX, &py = cols.PY;

  for (int i = 0; i < n; ++i) {
    // Products of pixel positions are exact in 64-bit integers.
    const int64_t x = Data.CalQuads[i].MapX, y = Data.CalQuads[i].MapY;
    double* row = &design[static_cast<size_t>(i) * 6];
    row[0] = 1;
    row[1] = static_cast<double>(x);
    row[2] = static_cast<double>(y);
    row[3] = static_cast<double>(x * x);
    row[4] = static_cast<double>(x * y);
    row[5] = static_cast<double>(y * y);
  }
  fit_detail::SolveInto(design, n, lat, PLSP[0], Feedback);
  fit_detail::SolveInto(design, n, lon, PLSP[1], Feedback);

  for (int i = 0; i < n; ++i) {
    const double p = lat[i], l = lon[i];
    double* row = &design[static_cast<size_t>(i) * 6];
    row[0] = 1;
    row[1] = p;
    row[2] = l;
    row[3] = p * p;
    row[4] = p * l;
    row[5] = l * l;
  }
  fit_detail::SolveInto(design, n, px, SPPL[0], Feedback);
  fit_detail::SolveInto(design, n, py, SPPL[1], Feedback);
}

}  // namespace orq
