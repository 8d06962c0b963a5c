#include <gtest/gtest.h>

#include <cmath>

#include "orqmath/OrqMath.h"

namespace orq {
namespace {

TEST(DegreeToStr, DefaultFormats) {
  EXPECT_EQ(DegreeToStr(47, dfDegrees, 0), "47\xC2\xB0");
  EXPECT_EQ(DegreeToStr(46.6, dfDegrees, 0), "47\xC2\xB0");
  EXPECT_EQ(DegreeToStr(47.25, dfDecimalDegrees, 0), "47.25\xC2\xB0");
  EXPECT_EQ(DegreeToStr(47, dfDecimalDegrees, 0), "47.0\xC2\xB0");
  EXPECT_EQ(DegreeToStr(47.125, dfDecimalDegrees, 0), "47.125\xC2\xB0");
  EXPECT_EQ(DegreeToStr(47.2583333333333, dfDegMinSec, 0), "47\xC2\xB0" "15'30\"");
  EXPECT_EQ(DegreeToStr(8.0843333333333, dfDegMinSec, 0), "8\xC2\xB0" "05'03.6\"");
  EXPECT_EQ(DegreeToStr(0, dfDegMinSec, 0), "0\xC2\xB0" "00'00\"");
}

TEST(DegreeToStr, ExplicitDigitsOfTheLastField) {
  EXPECT_EQ(DegreeToStr(47.256, dfDegrees, 2), "47.26\xC2\xB0");
  EXPECT_EQ(DegreeToStr(47.256, dfDecimalDegrees, 2), "47.26\xC2\xB0");
  EXPECT_EQ(DegreeToStr(47.25, dfDecimalDegrees, 4), "47.2500\xC2\xB0");
  EXPECT_EQ(DegreeToStr(47.2583333333333, dfDegMinSec, 2), "47\xC2\xB0" "15'30.00\"");
  EXPECT_EQ(DegreeToStr(47.2583333333333, dfDegMinSec, 1), "47\xC2\xB0" "15'30.0\"");
  // n beyond double precision is limited, not an error.
  EXPECT_EQ(DegreeToStr(1, dfDecimalDegrees, 99).size(), std::string("1.").size() + 15 + 2);
}

TEST(DegreeToStr, RoundingCarriesIntoMinutesAndDegrees) {
  const double almost = 47 + 59.0 / 60 + 59.9999 / 3600;
  EXPECT_EQ(DegreeToStr(almost, dfDegMinSec, 0), "48\xC2\xB0" "00'00\"");
  EXPECT_EQ(DegreeToStr(almost, dfDegMinSec, 3), "48\xC2\xB0" "00'00.000\"");
  EXPECT_EQ(DegreeToStr(almost, dfDegMinSec, 4), "47\xC2\xB0" "59'59.9999\"");
  EXPECT_EQ(DegreeToStr(10 + 59.996 / 3600, dfDegMinSec, 0), "10\xC2\xB0" "01'00\"");
  EXPECT_EQ(DegreeToStr(179.99999999, dfDecimalDegrees, 0), "180.0\xC2\xB0");
}

TEST(DegreeToStr, EveryLabelOfASmallSpacingIsDistinct) {
  // The map generator labels spacings of 0.06 deg and less with the
  // degree-minute-second format; neighbours must never print alike.
  for (double spacing : {0.06, 0.01, 0.001, 0.0001}) {
    std::string previous;
    for (int k = 0; k < 50; ++k) {
      const std::string label = DegreeToStr(47 + k * spacing, dfDegMinSec, 0);
      EXPECT_NE(label, previous) << spacing;
      previous = label;
    }
  }
  for (double spacing : {0.5, 0.25, 0.125, 0.1, 0.07}) {
    std::string previous;
    for (int k = 0; k < 50; ++k) {
      const std::string label = DegreeToStr(-3 + k * spacing, dfDecimalDegrees, 0);
      EXPECT_NE(label, previous) << spacing;
      previous = label;
    }
  }
}

TEST(DegreeToStr, NegativeAndNonFiniteAngles) {
  EXPECT_EQ(DegreeToStr(-12.5, dfDecimalDegrees, 0), "-12.5\xC2\xB0");
  EXPECT_EQ(DegreeToStr(-0.0000001, dfDegMinSec, 0), "0\xC2\xB0" "00'00\"");
  EXPECT_EQ(DegreeToStr(NAN, dfDegrees, 0), "NAN");
  EXPECT_EQ(DegreeToStr(-INFINITY, dfDegMinSec, 0), "-INF");
  // Too large for exact seconds: falls back to decimal degrees, no overflow.
  EXPECT_EQ(DegreeToStr(1e300, dfDegMinSec, 0).substr(0, 4), "1000");
  EXPECT_THROW(DegreeToStr(1, static_cast<TDegreeFormat>(7), 0), EOrqMathError);
}

}  // namespace
}  // namespace orq
