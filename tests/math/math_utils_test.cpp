#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "orqmath/OrqMath.h"

namespace orq {
namespace {

TEST(ExChange, SwapsIntegersAndDoubles) {
  int a = 1, b = 2;
  ExChange(a, b);
  EXPECT_EQ(a, 2);
  EXPECT_EQ(b, 1);
  double x = 1.5, y = -2.5;
  ExChange(x, y);
  EXPECT_EQ(x, -2.5);
  EXPECT_EQ(y, 1.5);
}

TEST(Round125, PicksTheNearestSeriesValue) {
  EXPECT_EQ(Round125(1), 1);
  EXPECT_EQ(Round125(1.4), 1);
  EXPECT_EQ(Round125(1.5), 2);
  EXPECT_EQ(Round125(3.1), 2);
  EXPECT_EQ(Round125(3.2), 5);
  EXPECT_EQ(Round125(7), 5);
  EXPECT_EQ(Round125(7.1), 10);
  EXPECT_EQ(Round125(1000), 1000);
  EXPECT_EQ(Round125(999.999), 1000);
  EXPECT_EQ(Round125(4300), 5000);
  EXPECT_EQ(Round125(0.0021), 0.002);  // exactly the double nearest 0.002
  EXPECT_EQ(Round125(0.3), 0.2);
  EXPECT_EQ(Round125(-45), -50);
}

TEST(Round125, EdgesOfTheDoubleRange) {
  EXPECT_EQ(Round125(0), 0);
  EXPECT_TRUE(std::isnan(Round125(NAN)));
  EXPECT_EQ(Round125(INFINITY), INFINITY);
  EXPECT_EQ(Round125(std::numeric_limits<double>::max()), 1e308);
  EXPECT_GT(Round125(std::numeric_limits<double>::denorm_min()), 0);
  EXPECT_TRUE(std::isfinite(Round125(9e307)));
}

TEST(BRandom, ProbabilityAndDeterminism) {
  SetRandSeed(42);
  int hits = 0;
  for (int i = 0; i < 20000; ++i) hits += BRandom(0.25);
  EXPECT_NEAR(hits, 5000, 300);
  for (int i = 0; i < 1000; ++i) {
    EXPECT_TRUE(BRandom(1));
    EXPECT_TRUE(BRandom(2));
    EXPECT_FALSE(BRandom(0));
    EXPECT_FALSE(BRandom(-1));
    EXPECT_FALSE(BRandom(NAN));
  }
  // Every call draws one number, whatever p is.
  SetRandSeed(9);
  BRandom(1);
  const double after_one = Random();
  SetRandSeed(9);
  BRandom(0.5);
  EXPECT_EQ(Random(), after_one);
}

}  // namespace
}  // namespace orq
