#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "orqcarta/Orq_GeoMap.h"
#include "orqmath/MathFeedback.h"

namespace orq {
namespace {

struct Solve {
  std::vector<double> x, dev;
  bool dropped = false;
  bool ok = false;
};

Solve SolveSystem(const std::vector<double>& A, int rows, int cols, const std::vector<double>& b) {
  Solve s;
  s.ok = SolveLeastSquares(A, rows, cols, b, s.x, s.dropped, s.dev);
  return s;
}

TEST(LeastSquaresSVD, RankDeficientSystemGivesTheSmallestSolution) {
  // Column 3 = column 1 + column 2; every x1 + x3 = 1, x2 + x3 = 1 fits, and
  // the smallest of them is (1/3, 1/3, 2/3).
  const std::vector<double> A = {1, 0, 1, 0, 1, 1, 1, 1, 2};
  const Solve s = SolveSystem(A, 3, 3, {1, 1, 2});
  ASSERT_TRUE(s.ok);
  EXPECT_TRUE(s.dropped);
  EXPECT_NEAR(s.x[0], 1.0 / 3, 1e-12);
  EXPECT_NEAR(s.x[1], 1.0 / 3, 1e-12);
  EXPECT_NEAR(s.x[2], 2.0 / 3, 1e-12);

  // Two equal columns and an inconsistent right-hand side: x1 + x2 = mean 2.
  const Solve t = SolveSystem({1, 1, 1, 1, 1, 1}, 3, 2, {1, 2, 3});
  EXPECT_TRUE(t.dropped);
  EXPECT_NEAR(t.x[0], 1.0, 1e-12);
  EXPECT_NEAR(t.x[1], 1.0, 1e-12);
}

TEST(LeastSquaresSVD, UnderdeterminedSystemFitsExactlyWithMinimumNorm) {
  // One equation x + 2y = 5: the smallest solution is (1, 2).
  const Solve s = SolveSystem({1, 2}, 1, 2, {5});
  ASSERT_TRUE(s.ok);
  EXPECT_TRUE(s.dropped);
  EXPECT_NEAR(s.x[0], 1.0, 1e-12);
  EXPECT_NEAR(s.x[1], 2.0, 1e-12);
}

TEST(LeastSquaresSVD, RandomTallSystemLeavesResidualOrthogonalToColumns) {
  constexpr int m = 200, n = 6;
  std::mt19937 rng(42);
  std::uniform_real_distribution<double> u(-1000, 1000);
  std::vector<double> A(m * n), b(m);
  for (double& v : A) v = u(rng);
  for (double& v : b) v = u(rng);
  const Solve s = SolveSystem(A, m, n, b);
  ASSERT_TRUE(s.ok);
  EXPECT_FALSE(s.dropped);
  std::vector<double> r(m);
  double rnorm = 0;
  for (int i = 0; i < m; ++i) {
    double ax = 0;
    for (int j = 0; j < n; ++j) ax += A[i * n + j] * s.x[j];
    r[i] = b[i] - ax;
    rnorm += r[i] * r[i];
  }
  for (int j = 0; j < n; ++j) {
    double dot = 0, cnorm = 0;
    for (int i = 0; i < m; ++i) {
      dot += A[i * n + j] * r[i];
      cnorm += A[i * n + j] * A[i * n + j];
    }
    EXPECT_LT(std::fabs(dot) / std::sqrt(cnorm * rnorm), 1e-12) << "column " << j;
  }
  for (double d : s.dev) EXPECT_GT(d, 0);
}

TEST(LeastSquaresSVD, DecompositionReconstructsTheMatrixWithOrthonormalFactors) {
  constexpr int m = 7, n = 4;
  std::mt19937 rng(7);
  std::uniform_real_distribution<double> u(-5, 5);
  std::vector<double> A(m * n);
  for (double& v : A) v = u(rng);
  std::vector<double> U = A, W, V;
  ASSERT_TRUE(SVDecompose(U, m, n, W, V));
  for (int i = 0; i < m; ++i)
    for (int j = 0; j < n; ++j) {
      double sum = 0;
      for (int k = 0; k < n; ++k) sum += U[i * n + k] * W[k] * V[j * n + k];
      EXPECT_NEAR(sum, A[i * n + j], 1e-12);
    }
  for (int a = 0; a < n; ++a)
    for (int c = 0; c < n; ++c) {
      double uu = 0, vv = 0;
      for (int i = 0; i < m; ++i) uu += U[i * n + a] * U[i * n + c];
      for (int i = 0; i < n; ++i) vv += V[i * n + a] * V[i * n + c];
      EXPECT_NEAR(uu, a == c ? 1.0 : 0.0, 1e-12);
      EXPECT_NEAR(vv, a == c ? 1.0 : 0.0, 1e-12);
    }
  for (double w : W) EXPECT_GE(w, 0);
}

TEST(LeastSquaresSVD, CountsProgressAndStopsOnAbort) {
  const double before = ProcStat;
  int calls = 0;
  MathFeedBackProc = [&](double) { ++calls; };
  Solve s = SolveSystem({1, 0, 0, 1, 1, 1}, 3, 2, {1, 2, 3});
  EXPECT_TRUE(s.ok);
  EXPECT_GE(ProcStat - before, 6);  // at least one step per stage and column
  EXPECT_EQ(calls, static_cast<int>(ProcStat - before));

  // The feedback procedure may ask to stop; the solve then fails with zeros.
  MathFeedBackProc = [&](double) { AbortMathProc = true; };
  s = SolveSystem({1, 0, 0, 1, 1, 1}, 3, 2, {1, 2, 3});
  EXPECT_FALSE(s.ok);
  EXPECT_EQ(s.x, (std::vector<double>{0, 0}));
  MathFeedBackProc = nullptr;
  AbortMathProc = false;
}

}  // namespace
}  // namespace orq

namespace orq {
namespace {

TEST(LeastSquaresSVD, AnAbortedFitLeavesItsCoefficientsAtZero) {
  TGeoMap m;
  m.SetCalibModel(cmEquiRect);
  m.AddCalibPoint(50.0, 10.0, 0, 0);
  m.AddCalibPoint(40.0, 20.0, 1000, 1000);
  ASSERT_NE(m.EquRectPLSP()[0][0], 0);
  AbortMathProc = true;
  m.AddCalibPoint(45.0, 15.0, 500, 400);
  AbortMathProc = false;
  EXPECT_EQ(m.EquRectPLSP(), TCoef2x3{});
  EXPECT_EQ(m.EquRectSPPL(), TCoef2x3{});
  EXPECT_EQ(m.CalibData().NumCalQuads, 3);  // the data stays as added
}

}  // namespace
}  // namespace orq

namespace orq {
namespace {

TCalibData QuadsOf(std::initializer_list<TCalQuad> Quads) {
  TCalibData d;
  for (const TCalQuad& q : Quads) d.CalQuads[d.NumCalQuads++] = q;
  return d;
}

// A progress handler that fits another map must not disturb the fit it
// reports on, nor be disturbed by it: each fit counts in its own context
// and both get the coefficients they get alone.
TEST(LeastSquaresSVD, AFitInsideAnotherFitsProgressHandlerKeepsBothApart) {
  const TCalibData outerData =
      QuadsOf({{50, 10, 0, 0}, {40, 20, 1000, 1000}, {45, 15, 500, 400}, {48, 12, 210, 190}, {42, 18, 790, 830},
               {46, 11, 95, 360}, {44, 19, 880, 610}});
  const TCalibData innerData = QuadsOf({{1, 2, 10, 20}, {3, 1, 40, 5}, {2, 4, 30, 60}, {0.5, 0.5, 3, 4}});
  TCoef2x6 outerAloneP{}, outerAloneS{};
  FitBiquadratic(outerData, outerAloneP, outerAloneS);
  TCoef2x3 innerAloneP{}, innerAloneS{};
  FitEquiRect(innerData, innerAloneP, innerAloneS);

  // The process-wide hooks must stay out of it.
  const double globalBefore = ProcStat;
  bool globalAbort = false;
  MathFeedBackProc = [&](double) { globalAbort = true; };

  double innerStat = 0, outerStat = 0;
  int innerFits = 0;
  TCoef2x3 innerP{}, innerS{};
  const bool innerAbort = false;
  int innerCalls = 0;
  const TMathFeedBackProc innerProc = [&](double) { ++innerCalls; };
  const TMathFeedBackProc outerProc = [&](double) {
    ++innerFits;
    innerP = {};
    innerS = {};
    FitEquiRect(innerData, innerP, innerS, TMathFeedback{&innerStat, &innerProc, &innerAbort});
    EXPECT_EQ(innerP, innerAloneP);
    EXPECT_EQ(innerS, innerAloneS);
  };
  const bool outerAbort = false;
  TCoef2x6 outerP{}, outerS{};
  FitBiquadratic(outerData, outerP, outerS, TMathFeedback{&outerStat, &outerProc, &outerAbort});
  MathFeedBackProc = nullptr;

  EXPECT_EQ(outerP, outerAloneP);
  EXPECT_EQ(outerS, outerAloneS);
  EXPECT_EQ(innerFits, static_cast<int>(outerStat));
  EXPECT_GT(innerStat, outerStat);  // several steps per inner fit, counted apart
  EXPECT_EQ(innerCalls, static_cast<int>(innerStat));
  EXPECT_EQ(ProcStat, globalBefore);
  EXPECT_FALSE(globalAbort);
}

TEST(LeastSquaresSVD, AContextOfItsOwnStopsOnlyItsFit) {
  const TCalibData data = QuadsOf({{50, 10, 0, 0}, {40, 20, 1000, 1000}, {45, 15, 500, 400}});
  double stat = 0;
  const bool abort = true;
  TCoef2x3 p{}, s{};
  FitEquiRect(data, p, s, TMathFeedback{&stat, nullptr, &abort});
  EXPECT_EQ(p, TCoef2x3{});
  EXPECT_EQ(stat, 4);  // each of the four solves stops at its first step
  FitEquiRect(data, p, s);
  EXPECT_NE(p, TCoef2x3{});
}

}  // namespace
}  // namespace orq
