#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "orqmath/OrqMath.h"

namespace orq {
namespace {

struct Ends {
  double x1 = -1, y1 = -1, x2 = -1, y2 = -1;
};

TEST(StraightLine, AnInfiniteLineIsClippedToTheBox) {
  TSLine line;
  Ends e;
  // Both points lie outside the box; the line still crosses it.
  line.LineFrom2Points(-100, -50, -90, -45);  // y = x/2
  ASSERT_TRUE(line.ClipBox(0, 0, 100, 40, e.x1, e.y1, e.x2, e.y2));
  EXPECT_DOUBLE_EQ(e.x1, 0);
  EXPECT_DOUBLE_EQ(e.y1, 0);
  EXPECT_DOUBLE_EQ(e.x2, 80);
  EXPECT_DOUBLE_EQ(e.y2, 40);
  // Reversed direction gives the ends in the other order.
  line.LineFrom2Points(-90, -45, -100, -50);
  ASSERT_TRUE(line.ClipBox(0, 0, 100, 40, e.x1, e.y1, e.x2, e.y2));
  EXPECT_DOUBLE_EQ(e.x1, 80);
  EXPECT_DOUBLE_EQ(e.x2, 0);
  // Swapped bounds are the same box.
  ASSERT_TRUE(line.ClipBox(100, 40, 0, 0, e.x1, e.y1, e.x2, e.y2));
  EXPECT_DOUBLE_EQ(e.y1, 40);
}

TEST(StraightLine, HorizontalAndVerticalLinesEndExactlyOnTheEdges) {
  TSLine line;
  Ends e;
  line.LineFrom2Points(0.1, 7.3, 0.7, 7.3);
  ASSERT_TRUE(line.ClipBox(0, 0, 640, 480, e.x1, e.y1, e.x2, e.y2));
  EXPECT_EQ(e.x1, 0);
  EXPECT_EQ(e.x2, 640);
  EXPECT_EQ(e.y1, 7.3);
  EXPECT_EQ(e.y2, 7.3);
  line.LineFrom2Points(33.3, 1e6, 33.3, 1e6 + 0.1);
  ASSERT_TRUE(line.ClipBox(0, 0, 640, 480, e.x1, e.y1, e.x2, e.y2));
  EXPECT_EQ(e.y1, 0);
  EXPECT_EQ(e.y2, 480);
  // On the edge counts as inside the closed box.
  line.LineFrom2Points(0, -5, 0, 5);
  EXPECT_TRUE(line.ClipBox(0, 0, 640, 480, e.x1, e.y1, e.x2, e.y2));
}

TEST(StraightLine, MissesAndUndefinedLinesLeaveTheEndsAlone) {
  TSLine line;
  Ends e;
  EXPECT_FALSE(line.ClipBox(0, 0, 1, 1, e.x1, e.y1, e.x2, e.y2));  // never defined
  line.LineFrom2Points(0, 10, 1, 11);                              // y = x + 10 passes above
  EXPECT_FALSE(line.ClipBox(0, 0, 5, 5, e.x1, e.y1, e.x2, e.y2));
  line.LineFrom2Points(0, 6, 1, 6);  // horizontal above the box
  EXPECT_FALSE(line.ClipBox(0, 0, 5, 5, e.x1, e.y1, e.x2, e.y2));
  line.LineFrom2Points(2, 2, 2, 2);  // one point is no line
  EXPECT_FALSE(line.IsDefined());
  EXPECT_FALSE(line.ClipBox(0, 0, 5, 5, e.x1, e.y1, e.x2, e.y2));
  line.LineFrom2Points(0, 0, NAN, 1);
  EXPECT_FALSE(line.ClipBox(0, 0, 5, 5, e.x1, e.y1, e.x2, e.y2));
  line.LineFrom2Points(0, 0, 1, 1);
  EXPECT_FALSE(line.ClipBox(0, 0, INFINITY, 5, e.x1, e.y1, e.x2, e.y2));
  EXPECT_EQ(e.x1, -1);
  EXPECT_EQ(e.y2, -1);
  // Touching a corner gives a single point.
  line.LineFrom2Points(-1, 1, 1, -1);
  ASSERT_TRUE(line.ClipBox(0, 0, 5, 5, e.x1, e.y1, e.x2, e.y2));
  EXPECT_DOUBLE_EQ(e.x1, e.x2);
  EXPECT_DOUBLE_EQ(e.y1, e.y2);
}

TEST(SphereGreatCircleDist, KnownDistances) {
  const double R = 6378000;
  const double quarter = std::numbers::pi / 2 * R;
  EXPECT_NEAR(SphereGreatCircleDist(R, 0, 0, 0, 90), quarter, 1e-6);
  EXPECT_NEAR(SphereGreatCircleDist(R, 0, 0, 90, 0), quarter, 1e-6);
  EXPECT_NEAR(SphereGreatCircleDist(R, 10, 170, 10, -170), SphereGreatCircleDist(R, 10, -10, 10, 10), 1e-6);
  EXPECT_EQ(SphereGreatCircleDist(R, 47.1, 8.2, 47.1, 8.2), 0);
  EXPECT_NEAR(SphereGreatCircleDist(1, 0, 0, 0, 1), std::numbers::pi / 180, 1e-15);
}

TEST(SphereGreatCircleDist, TinyAndAntipodalDistancesStayAccurate) {
  const double R = 6378000;
  // 1e-9 degrees along the equator is about 0.1 mm; acos loses it completely.
  EXPECT_NEAR(SphereGreatCircleDist(R, 0, 0, 0, 1e-9), R * 1e-9 * std::numbers::pi / 180, 1e-12);
  EXPECT_NEAR(SphereGreatCircleDist(R, 45, 10, -45, -170), std::numbers::pi * R, 1e-6);
  // Just short of antipodal: still monotonic, below half the circumference.
  const double near_anti = SphereGreatCircleDist(R, 0, 0, 0, 180 - 1e-7);
  EXPECT_LT(near_anti, std::numbers::pi * R);
  EXPECT_NEAR(std::numbers::pi * R - near_anti, R * 1e-7 * std::numbers::pi / 180, 1e-6);
}

}  // namespace
}  // namespace orq
