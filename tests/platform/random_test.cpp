#include <gtest/gtest.h>

#include <vector>

#include "orqplatform/Random.h"

namespace orq {
namespace {

TEST(Random, ASeedGivesTheSameSequence) {
  SetRandSeed(12345);
  EXPECT_EQ(RandSeed(), 12345u);
  std::vector<double> first;
  for (int i = 0; i < 20; ++i) first.push_back(Random());
  SetRandSeed(12345);
  for (int i = 0; i < 20; ++i) EXPECT_EQ(Random(), first[static_cast<size_t>(i)]);
  SetRandSeed(12346);
  EXPECT_NE(Random(), first[0]);
}

TEST(Random, ValuesAreInRangeAndSpreadEvenly) {
  SetRandSeed(7);
  int buckets[10] = {};
  double lo = 1, hi = 0;
  for (int i = 0; i < 100000; ++i) {
    const double r = Random();
    ASSERT_GE(r, 0.0);
    ASSERT_LT(r, 1.0);
    lo = std::min(lo, r);
    hi = std::max(hi, r);
    ++buckets[static_cast<int>(r * 10)];
  }
  for (int b : buckets) EXPECT_NEAR(b, 10000, 500);
  EXPECT_LT(lo, 0.001);
  EXPECT_GT(hi, 0.999);

  int counts[3] = {};
  for (int i = 0; i < 30000; ++i) {
    const int k = Random(3);
    ASSERT_GE(k, 0);
    ASSERT_LT(k, 3);
    ++counts[k];
  }
  for (int c : counts) EXPECT_NEAR(c, 10000, 400);
  EXPECT_EQ(Random(0), 0);
  EXPECT_EQ(Random(-5), 0);
  EXPECT_EQ(Random(1), 0);
}

TEST(Random, RandomizeChangesTheSeedAndSeedsTheSequence) {
  SetRandSeed(1);
  for (int i = 0; i < 1000; ++i) {
    const uint32_t before = RandSeed();
    Randomize();
    ASSERT_NE(RandSeed(), before);
  }
  // The seed it reports is the one in use.
  const double first = Random(), second = Random();
  SetRandSeed(RandSeed());
  EXPECT_EQ(Random(), first);
  EXPECT_EQ(Random(), second);
}

}  // namespace
}  // namespace orq
