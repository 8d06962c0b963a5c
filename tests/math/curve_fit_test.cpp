#include <gtest/gtest.h>

#include <cmath>

#include "orqmath/OrqMath.h"

namespace orq {
namespace {

TEST(CurveFit, LineThroughExactPoints) {
  TCurveFit f;
  f.Init();
  for (double x : {1.0, 2.0, 4.0, 7.0}) f.EnterStatValue(x, 3 - 0.5 * x);
  double slope, intercept, r;
  ASSERT_TRUE(f.CalcLinFit(slope, intercept, r));
  EXPECT_NEAR(slope, -0.5, 1e-14);
  EXPECT_NEAR(intercept, 3, 1e-14);
  EXPECT_NEAR(r, -1, 1e-14);
}

TEST(CurveFit, LineIsLeastSquares) {
  TCurveFit f;
  // y = 1 + 2x with residuals +1, -1, -1, +1 (orthogonal to 1 and x).
  const double xs[4] = {0, 1, 2, 3}, e[4] = {1, -1, -1, 1};
  for (int i = 0; i < 4; ++i) f.EnterStatValue(xs[i], 1 + 2 * xs[i] + e[i]);
  double slope, intercept, r;
  ASSERT_TRUE(f.CalcLinFit(slope, intercept, r));
  EXPECT_NEAR(slope, 2, 1e-14);
  EXPECT_NEAR(intercept, 1, 1e-14);
  EXPECT_GT(r, 0.9);
  EXPECT_LT(r, 1);
}

TEST(CurveFit, DegenerateLinesAreDefined) {
  TCurveFit f;
  double slope = 9, intercept = 9, r = 9;
  EXPECT_FALSE(f.CalcLinFit(slope, intercept, r));
  EXPECT_EQ(slope, 0);
  EXPECT_EQ(intercept, 0);
  EXPECT_EQ(r, 0);
  f.EnterStatValue(0.1, 5);
  EXPECT_FALSE(f.CalcLinFit(slope, intercept, r));
  EXPECT_EQ(intercept, 5);
  // Equal x whose mean is not exactly 0.1 in binary: still detected.
  f.EnterStatValue(0.1, 7);
  f.EnterStatValue(0.1, 9);
  EXPECT_FALSE(f.CalcLinFit(slope, intercept, r));
  EXPECT_EQ(slope, 0);
  EXPECT_EQ(intercept, 7);
  EXPECT_FALSE(std::isnan(r));
}

TEST(CurveFit, ParabolaOnLargePixelCoordinates) {
  // A parallel across a 10000-pixel image: y = 1234.5 + 0.01 x - 2e-6 x^2.
  TCurveFit f;
  for (double x : {0.0, 2500.0, 5000.0, 7500.0, 10000.0}) f.EnterStatValue(x + 20000, 1234.5 + 0.01 * x - 2e-6 * x * x);
  double k0, k1, k2, sd;
  ASSERT_TRUE(f.CalcParabolFit(k0, k1, k2, sd));
  for (double x : {20000.0, 25000.0, 30000.0}) {
    const double u = x - 20000;
    EXPECT_NEAR(k0 + k1 * x + k2 * x * x, 1234.5 + 0.01 * u - 2e-6 * u * u, 1e-6);
  }
  EXPECT_NEAR(k2, -2e-6, 1e-15);
  EXPECT_NEAR(sd, 0, 1e-8);
}

TEST(CurveFit, ParabolaResidualStandardDeviation) {
  TCurveFit f;
  // y = x^2 plus residuals that a parabola cannot absorb.
  const double xs[5] = {-2, -1, 0, 1, 2}, e[5] = {1, -4, 6, -4, 1};
  for (int i = 0; i < 5; ++i) f.EnterStatValue(xs[i], xs[i] * xs[i] + 0.1 * e[i]);
  double k0, k1, k2, sd;
  ASSERT_TRUE(f.CalcParabolFit(k0, k1, k2, sd));
  EXPECT_NEAR(k0, 0, 1e-12);
  EXPECT_NEAR(k1, 0, 1e-12);
  EXPECT_NEAR(k2, 1, 1e-12);
  EXPECT_NEAR(sd, std::sqrt(0.01 * 70 / 2), 1e-12);
}

TEST(CurveFit, TooFewDistinctPointsFallBackToALine) {
  TCurveFit f;
  double k0 = 9, k1 = 9, k2 = 9, sd = 9;
  EXPECT_FALSE(f.CalcParabolFit(k0, k1, k2, sd));
  EXPECT_EQ(k0 + k1 + k2 + sd, 0);
  f.EnterStatValue(1, 1);
  f.EnterStatValue(3, 5);
  f.EnterStatValue(3, 5);  // three points, two distinct x
  EXPECT_FALSE(f.CalcParabolFit(k0, k1, k2, sd));
  EXPECT_NEAR(k0, -1, 1e-14);
  EXPECT_NEAR(k1, 2, 1e-14);
  EXPECT_EQ(k2, 0);
}

TEST(CurveFit, StatisticsAndTheResidualAboutTheLine) {
  TCurveFit f;
  int n = -1;
  double v[7];
  EXPECT_FALSE(f.CalcStatistics(n, v[0], v[1], v[2], v[3], v[4], v[5], v[6]));
  EXPECT_EQ(n, 0);
  for (double d : v) EXPECT_EQ(d, 0);

  // Recorded pixel x against recomputed pixel y = x + 2 + e.
  const double xs[4] = {100, 200, 300, 400}, e[4] = {1, -1, -1, 1};
  for (int i = 0; i < 4; ++i) f.EnterStatValue(xs[i], xs[i] + 2 + e[i]);
  ASSERT_TRUE(f.CalcStatistics(n, v[0], v[1], v[2], v[3], v[4], v[5], v[6]));
  EXPECT_EQ(n, 4);
  EXPECT_DOUBLE_EQ(v[0], 250);
  EXPECT_DOUBLE_EQ(v[1], 252);
  EXPECT_NEAR(v[2], std::sqrt(50000.0 / 3), 1e-9);
  EXPECT_NEAR(v[4], 1, 1e-3);
  // The sixth value: residuals about the fitted line are exactly e (they are
  // orthogonal to 1 and x), so sqrt(4 / (4 - 2)).
  EXPECT_NEAR(v[5], std::sqrt(2.0), 1e-9);
  // The seventh: RMS of y - x = 2 + e.
  EXPECT_NEAR(v[6], std::sqrt((9 + 1 + 1 + 9) / 4.0), 1e-12);
}

TEST(CurveFit, StatisticsOfFewOrConstantPairsHaveNoNaN) {
  TCurveFit f;
  int n;
  double v[7];
  f.EnterStatValue(3, 3);
  EXPECT_TRUE(f.CalcStatistics(n, v[0], v[1], v[2], v[3], v[4], v[5], v[6]));
  for (double d : v) EXPECT_FALSE(std::isnan(d));
  f.EnterStatValue(3, 3);
  f.EnterStatValue(3, 3);
  f.CalcStatistics(n, v[0], v[1], v[2], v[3], v[4], v[5], v[6]);
  for (double d : v) EXPECT_FALSE(std::isnan(d));
  EXPECT_EQ(v[5], 0);
  f.Init();
  EXPECT_EQ(f.NumData(), 0);
}

}  // namespace
}  // namespace orq
