// Shared pieces of the least-squares fits.
#pragma once

#include <vector>

#include "orqcarta/geomap/CalibMath.h"

namespace orq::fit_detail {

// Solves the design matrix (Rows x N, row-major) against b and writes the
// solution into Row; an aborted solve leaves Row at 0.
template <std::size_t N>
void SolveInto(const std::vector<double>& Design, int Rows, const std::vector<double>& b, std::array<double, N>& Row,
               const TMathFeedback& Feedback) {
  std::vector<double> solution, deviations;
  bool dropped = false;
  Row.fill(0.0);
  if (!SolveLeastSquares(Design, Rows, static_cast<int>(N), b, solution, dropped, deviations, Feedback)) return;
  for (std::size_t j = 0; j < N; ++j) Row[j] = solution[j];
}

// The quadruples' four values as columns, in quadruple order.
struct TQuadColumns {
  std::vector<double> Lat, Lon, PX, PY;
};

inline TQuadColumns QuadColumns(const TCalibData& Data) {
  TQuadColumns c;
  for (int i = 0; i < Data.NumCalQuads; ++i) {
    const TCalQuad& q = Data.CalQuads[i];
    c.Lat.push_back(q.Latitude);
    c.Lon.push_back(q.Longitude);
    c.PX.push_back(q.MapX);
    c.PY.push_back(q.MapY);
  }
  return c;
}

}  // namespace orq::fit_detail
