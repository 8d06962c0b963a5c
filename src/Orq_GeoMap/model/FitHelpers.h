// Shared pieces of the least-squares fits.
#pragma once

#include <vector>

#include "orqcarta/geomap/CalibMath.h"

namespace orq::fit_detail {

// Solves the design matrix (Rows x N, row-major) against b and writes the
// solution into Row; an aborted solve leaves Row at 0.
template <std::size_t N>
void SolveInto(const std::vector<double>& Design, int Rows, const std::vector<double>& b,
               std::array<double, N>& Row) {
  std::vector<double> solution, deviations;
  bool dropped = false;
  Row.fill(0.0);
  if (!SolveLeastSquares(Design, Rows, static_cast<int>(N), b, solution, dropped, deviations)) return;
  for (std::size_t j = 0; j < N; ++j) Row[j] = solution[j];
}

}  // namespace orq::fit_detail
