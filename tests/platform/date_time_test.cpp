#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "orqplatform/DateTime.h"
#include "orqplatform/Exceptions.h"

namespace orq {
namespace {

TEST(DateTime, EpochAndKnownDays) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
  EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
  EXPECT_EQ(EncodeDate(2000, 1, 1), 36526.0);
  EXPECT_EQ(EncodeDate(1, 1, 1), MinDateTime);
  EXPECT_EQ(EncodeDate(9999, 12, 31), std::floor(MaxDateTime));
  EXPECT_DOUBLE_EQ(EncodeTime(6, 0, 0, 0), 0.25);
  EXPECT_DOUBLE_EQ(EncodeDateTime(2000, 1, 1, 18, 0, 0, 0), 36526.75);
}

TEST(DateTime, InvalidDatesAndTimesAreRefused) {
  TDateTime v = 5;
  EXPECT_FALSE(TryEncodeDate(2001, 2, 29, v));
  EXPECT_TRUE(TryEncodeDate(2000, 2, 29, v));   // divisible by 400
  EXPECT_FALSE(TryEncodeDate(1900, 2, 29, v));  // divisible by 100 only
  EXPECT_FALSE(TryEncodeDate(2000, 13, 1, v));
  EXPECT_FALSE(TryEncodeDate(0, 1, 1, v));
  EXPECT_FALSE(TryEncodeDate(10000, 1, 1, v));
  EXPECT_FALSE(TryEncodeTime(24, 0, 0, 0, v));
  EXPECT_FALSE(TryEncodeTime(0, 60, 0, 0, v));
  EXPECT_FALSE(TryEncodeTime(0, 0, 0, 1000, v));
  EXPECT_THROW(EncodeDate(2001, 4, 31), EConvertError);
  EXPECT_THROW(EncodeTime(-1, 0, 0, 0), EConvertError);
}

TEST(DateTime, DecodeInvertsEncodeAcrossTheCalendar) {
  for (int y : {1, 4, 100, 1582, 1899, 1900, 1970, 2000, 2024, 9999})
    for (int m : {1, 2, 12})
      for (int d : {1, 28}) {
        const TDateTime t = EncodeDateTime(y, m, d, 13, 45, 30, 250);
        int Y, M, D, h, mi, s, ms;
        DecodeDateTime(t, Y, M, D, h, mi, s, ms);
        EXPECT_EQ(Y, y);
        EXPECT_EQ(M, m);
        EXPECT_EQ(D, d);
        EXPECT_EQ(h, 13);
        EXPECT_EQ(mi, 45);
        EXPECT_EQ(s, 30);
        EXPECT_EQ(ms, 250);
      }
}

TEST(DateTime, NegativeDatesCountTheTimeForwardFromMidnight) {
  int y, m, d, h, mi, s, ms;
  DecodeDateTime(-1.25, y, m, d, h, mi, s, ms);
  EXPECT_EQ(y * 10000 + m * 100 + d, 18991229);
  EXPECT_EQ(h, 6);
  EXPECT_DOUBLE_EQ(EncodeDateTime(1899, 12, 29, 6, 0, 0, 0), -1.25);
  DecodeDateTime(-0.25, y, m, d, h, mi, s, ms);
  EXPECT_EQ(d, 30);
  EXPECT_EQ(h, 6);
}

TEST(DateTime, RoundingToTheMillisecondCarriesIntoTheDay) {
  int y, m, d, h, mi, s, ms;
  DecodeDateTime(36526.0 - 1e-10, y, m, d, h, mi, s, ms);  // a hair before 2000-01-01
  EXPECT_EQ(y, 2000);
  EXPECT_EQ(m, 1);
  EXPECT_EQ(d, 1);
  EXPECT_EQ(h + mi + s + ms, 0);
  DecodeDateTime(-2.0 + 1e-11, y, m, d, h, mi, s, ms);  // day -1, time almost 24:00
  EXPECT_EQ(d, 28);
  EXPECT_EQ(h + mi + s + ms, 0);
}

TEST(DateTime, ValuesOutsideTheCalendarRaise) {
  int y, m, d;
  EXPECT_THROW(DecodeDate(std::numeric_limits<double>::quiet_NaN(), y, m, d), EConvertError);
  EXPECT_THROW(DecodeDate(1e300, y, m, d), EConvertError);
  EXPECT_THROW(DecodeDate(-1e18, y, m, d), EConvertError);
  EXPECT_THROW(DecodeDate(MaxDateTime + 2, y, m, d), EConvertError);
}

TEST(DateTime, NowIsTodayAndUnixTimeConverts) {
  const TDateTime now = Now();
  EXPECT_GT(now, EncodeDate(2020, 1, 1));
  EXPECT_EQ(Date(), std::trunc(Now())) << "may fail only at midnight";
  EXPECT_GE(Time(), 0.0);
  EXPECT_LT(Time(), 1.0);
  EXPECT_DOUBLE_EQ(UnixToDateTime(0, false), EncodeDate(1970, 1, 1));
  EXPECT_DOUBLE_EQ(UnixToDateTime(86400 * 1.5, false), EncodeDateTime(1970, 1, 2, 12, 0, 0, 0));
}

}  // namespace
}  // namespace orq
