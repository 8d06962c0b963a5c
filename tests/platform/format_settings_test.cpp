#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>

#include "orqplatform/Exceptions.h"
#include "orqplatform/FormatSettings.h"

namespace orq {
namespace {

// Restores the process's separator whatever a test does to it.
class FormatSettingsTest : public ::testing::Test {
 protected:
  void TearDown() override { FormatSettings = TFormatSettings{}; }
};

TEST_F(FormatSettingsTest, FixedHasExactlyTheDigitsAskedFor) {
  EXPECT_EQ(FloatToFixed(47.5, 5), "47.50000");
  EXPECT_EQ(FloatToFixed(-11.123456, 5), "-11.12346");
  EXPECT_EQ(FloatToFixed(0.0, 3), "0.000");
  EXPECT_EQ(FloatToFixed(2.5, 0), "2");  // the binary value's tie goes to even
  EXPECT_EQ(FloatToFixed(1234567.0, 3), "1234567.000");
  // A negative value that rounds to zero has no sign.
  EXPECT_EQ(FloatToFixed(-0.000001, 5), "0.00000");
  EXPECT_EQ(FloatToFixed(-0.0, 2), "0.00");
  // Large magnitudes stay plain digits: readers of fixed fields take no exponent.
  const std::string big = FloatToFixed(1e20, 3);
  EXPECT_EQ(big, "100000000000000000000.000");
  EXPECT_EQ(FloatToFixed(47.5, 5, ','), "47,50000");
}

TEST_F(FormatSettingsTest, GeneralIsShortAndFollowsTheCurrentSeparator) {
  EXPECT_EQ(FloatToStr(0.1), "0.1");
  EXPECT_EQ(FloatToStr(47.25), "47.25");
  EXPECT_EQ(FloatToStr(-3.0), "-3");
  EXPECT_EQ(FloatToStr(0.0), "0");
  EXPECT_EQ(FloatToStr(1.0 / 3.0), "0.333333333333333");
  EXPECT_EQ(FloatToStr(123456789012345.0), "123456789012345");
  EXPECT_EQ(FloatToStr(1e15), "1E15");
  EXPECT_EQ(FloatToStr(1.5e20), "1.5E20");
  EXPECT_EQ(FloatToStr(0.00001), "0.00001");
  EXPECT_EQ(FloatToStr(0.000001), "1E-6");
  EXPECT_EQ(FloatToStr(-2.5e-7), "-2.5E-7");
  EXPECT_EQ(FloatToStr(9.9999999999999999), "10");  // rounding carries into a new digit
  FormatSettings.DecimalSeparator = ',';
  EXPECT_EQ(FloatToStr(47.25), "47,25");
  EXPECT_EQ(FloatToStr(1.5e20), "1,5E20");
  EXPECT_EQ(FloatToStr(47.25, InvariantFormatSettings), "47.25");
}

TEST_F(FormatSettingsTest, GeneralRoundTripsThroughStrToFloat) {
  for (double v : {47.123456789, -0.000123, 6378137.0, 1e-300, 2.2250738585072014e-308, 1.7976931348623157e308}) {
    const double back = StrToFloat(FloatToStr(v));
    EXPECT_NEAR(back, v, std::fabs(v) * 1e-14) << FloatToStr(v);
  }
}

TEST_F(FormatSettingsTest, NonFiniteValuesHaveNames) {
  EXPECT_EQ(FloatToStr(std::numeric_limits<double>::quiet_NaN()), "NAN");
  EXPECT_EQ(FloatToFixed(std::numeric_limits<double>::infinity(), 2), "INF");
  EXPECT_EQ(FloatToStr(-std::numeric_limits<double>::infinity()), "-INF");
}

TEST_F(FormatSettingsTest, ExponentFormat) {
  EXPECT_EQ(FloatToStrF(1234.56, ffExponent, 4, 2), "1.235E+03");
  EXPECT_EQ(FloatToStrF(1234.5, ffExponent, 4, 2), "1.234E+03");  // an exact tie goes to even
  EXPECT_EQ(FloatToStrF(-0.00012, ffExponent, 2, 0), "-1.2E-4");
  EXPECT_EQ(FloatToStrF(0.0, ffExponent, 3, 1), "0.00E+0");
}

TEST_F(FormatSettingsTest, ConversionIgnoresTheCLocale) {
  // A host (Qt) may switch the C locale to one with a decimal comma.
  const char* old = std::setlocale(LC_NUMERIC, nullptr);
  const std::string saved = old ? old : "C";
  if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) GTEST_SKIP() << "de_DE locale not installed";
  EXPECT_EQ(FloatToFixed(1.5, 2), "1.50");
  EXPECT_EQ(FloatToStr(1.5), "1.5");
  EXPECT_DOUBLE_EQ(StrToFloat("1.5"), 1.5);
  std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST_F(FormatSettingsTest, StrToFloatAcceptsNumbersAndRejectsTheRest) {
  EXPECT_DOUBLE_EQ(StrToFloat(" 47.25 "), 47.25);
  EXPECT_DOUBLE_EQ(StrToFloat("+1e3"), 1000.0);
  EXPECT_DOUBLE_EQ(StrToFloat("-2.5E-2"), -0.025);
  EXPECT_DOUBLE_EQ(StrToFloat(".5"), 0.5);
  EXPECT_EQ(StrToFloat("1e-400"), 0.0);  // underflow reads as 0
  EXPECT_EQ(StrToFloat("-1.79769313486232E308"), -std::numeric_limits<double>::max());
  double v = 7;
  for (const char* bad : {"", " ", "abc", "1.2.3", "1,5", "1e", "--1", "+-1", "inf", "nan", "0x10", "1e400", "-1e999"}) {
    EXPECT_FALSE(TryStrToFloat(bad, v)) << bad;
    EXPECT_THROW(StrToFloat(bad), EConvertError) << bad;
  }
  EXPECT_EQ(v, 7);  // failures leave the value alone
  ASSERT_TRUE(TryStrToFloatClamped("-1E4200", v, InvariantFormatSettings));
  EXPECT_EQ(v, -std::numeric_limits<double>::max());
  EXPECT_FALSE(TryStrToFloatClamped("1E", v, InvariantFormatSettings));
  FormatSettings.DecimalSeparator = ',';
  EXPECT_DOUBLE_EQ(StrToFloat("1,5"), 1.5);
  EXPECT_FALSE(TryStrToFloat("1.5", v));
  try {
    StrToFloat("x1");
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'x1' is not a valid floating point value");
  }
}

TEST_F(FormatSettingsTest, IntegerConversions) {
  EXPECT_EQ(IntToStr(-42), "-42");
  EXPECT_EQ(IntToStr(INT64_MIN), "-9223372036854775808");
  EXPECT_EQ(StrToInt(" +17 "), 17);
  EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
  EXPECT_THROW(StrToInt("2147483648"), EConvertError);
  EXPECT_THROW(StrToInt("12a"), EConvertError);
  EXPECT_EQ(StrToIntDef("", 5), 5);
  EXPECT_EQ(StrToIntDef("1.0", -1), -1);
}

}  // namespace
}  // namespace orq
