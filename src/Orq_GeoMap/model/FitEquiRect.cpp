// Affine laws between pixels and geographic (or UTM) coordinates, for the
// equirectangular and the UTM model.
#include "FitHelpers.h"

namespace orq {

void FitEquiRect(const TCalibData& Data, TCoef2x3& PLSP, TCoef2x3& SPPL, const TMathFeedback& Feedback) {
  for (auto& row : PLSP) row.fill(0.0);
  for (auto& row : SPPL) row.fill(0.0);
  const int n = Data.NumCalQuads;
  if (n <= 0) return;

  std::vector<double> design(static_cast<size_t>(n) * 3);
  const fit_detail::TQuadColumns cols = fit_detail::QuadColumns(Data);
  const std::vector<double> &lat = cols.Lat, &lon = cols.Lon, &px = cols.PX, &py = cols.PY;

  for (int i = 0; i < n; ++i) {
    design[i * 3 + 0] = 1;
    design[i * 3 + 1] = px[i];
    design[i * 3 + 2] = py[i];
  }
  fit_detail::SolveInto(design, n, lat, PLSP[0], Feedback);
  fit_detail::SolveInto(design, n, lon, PLSP[1], Feedback);

  for (int i = 0; i < n; ++i) {
    design[i * 3 + 0] = 1;
    design[i * 3 + 1] = lat[i];
    design[i * 3 + 2] = lon[i];
  }
  fit_detail::SolveInto(design, n, px, SPPL[0], Feedback);
  fit_detail::SolveInto(design, n, py, SPPL[1], Feedback);
}

}  // namespace orq
