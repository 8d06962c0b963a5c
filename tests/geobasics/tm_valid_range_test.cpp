// The valid range the header states for the transverse Mercator: where the
// series error reaches 1 m, forward and inverse, against GeographicLib's
// exact projection. If the series changes, these bounds move and so must
// the header and the tool's limit.
#include <gtest/gtest.h>

#include <GeographicLib/TransverseMercatorExact.hpp>
#include <cmath>
#include <numbers>

#include "orqcarta/Orq_GeoBasics.h"

namespace orq {
namespace {

constexpr double Rad = std::numbers::pi / 180;

const GeographicLib::TransverseMercatorExact& Exact() {
  static const GeographicLib::TransverseMercatorExact exact(GeographicLib::Constants::WGS84_a(),
                                                            GeographicLib::Constants::WGS84_f(), 1.0);
  return exact;
}

// Worst error over latitudes 0..89.9 at a longitude offset, m.
double WorstForward(double Offset) {
  double worst = 0;
  for (double lat = 0; lat < 89.95; lat += 0.1) {
    double X, Y, x, y;
    Exact().Forward(0, lat, Offset, X, Y);
    LatLongToTM(lat * Rad, Offset * Rad, 0, gelWGS84, x, y);
    worst = std::max(worst, std::hypot(x - X, y - Y));
  }
  return worst;
}

double WorstInverse(double Offset) {
  double worst = 0;
  for (double lat = 0; lat < 89.95; lat += 0.1) {
    double X, Y, X2, Y2, phi, lambda;
    Exact().Forward(0, lat, Offset, X, Y);
    TMToLatLong(X, Y, 0, gelWGS84, phi, lambda);
    Exact().Forward(0, phi / Rad, lambda / Rad, X2, Y2);
    worst = std::max(worst, std::hypot(X2 - X, Y2 - Y));
  }
  return worst;
}

TEST(TMValidRange, ForwardErrorReachesOneMetreAt16Point74Degrees) {
  EXPECT_LT(WorstForward(16.7), 1.0);
  EXPECT_GT(WorstForward(16.8), 1.0);
  EXPECT_NEAR(WorstForward(30), 117, 2);
}

TEST(TMValidRange, InverseErrorReachesOneMetreNear14Degrees) {
  EXPECT_LT(WorstInverse(14.0), 1.0);
  EXPECT_GT(WorstInverse(14.5), 1.0);
}

}  // namespace
}  // namespace orq
