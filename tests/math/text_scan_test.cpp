#include <gtest/gtest.h>

#include "orqmath/OrqMath.h"

namespace orq {
namespace {

TEST(ScanHex, ReadsDigitsAndMovesThePosition) {
  int pos = 1;
  EXPECT_EQ(ScanHex("0000FF00", pos), 0xFF00u);
  EXPECT_EQ(pos, 9);
  pos = 3;
  EXPECT_EQ(ScanHex("c=aBcD\"", pos), 0xABCDu);
  EXPECT_EQ(pos, 7);
  pos = 1;
  EXPECT_EQ(ScanHex("FFFFFFFF", pos), 0xFFFFFFFFu);
}

TEST(ScanHex, MalformedTextGivesZeroAndKeepsThePosition) {
  for (const char* text : {"", "xyz", " 12", "$FF", "-1"}) {
    int pos = 1;
    EXPECT_EQ(ScanHex(text, pos), 0u) << text;
    EXPECT_EQ(pos, 1) << text;
  }
  int pos = 0;
  EXPECT_EQ(ScanHex("12", pos), 0u);
  EXPECT_EQ(pos, 0);
  pos = 3;
  EXPECT_EQ(ScanHex("12", pos), 0u);
  EXPECT_EQ(pos, 3);
  // "0x" reads the 0 and stops at x.
  pos = 1;
  EXPECT_EQ(ScanHex("0x1F", pos), 0u);
  EXPECT_EQ(pos, 2);
  // More than 32 bits: all digits consumed, value saturated.
  pos = 1;
  EXPECT_EQ(ScanHex("123456789ABCDEF0123", pos), 0xFFFFFFFFu);
  EXPECT_EQ(pos, 20);
}

TEST(Hex, UpperCaseZeroPaddedNeverCut) {
  EXPECT_EQ(Hex(0x00FF00u, 8), "0000FF00");
  EXPECT_EQ(Hex(0xABCDEF, 2), "ABCDEF");
  EXPECT_EQ(Hex(0, 0), "0");
  EXPECT_EQ(Hex(-1, 8), "FFFFFFFF");
  EXPECT_EQ(Hex(int64_t{-1}, 1), "FFFFFFFFFFFFFFFF");
  EXPECT_EQ(Hex(uint8_t{0xAB}, 4), "00AB");
  EXPECT_EQ(Hex(1, 1000).size(), 32u);
  int pos = 1;
  EXPECT_EQ(ScanHex(Hex(0x12345678u, 8), pos), 0x12345678u);
}

TEST(ScanDateTime, ReadsTheLandmarkPicture) {
  int pos = -1;
  const TDateTime t = ScanDateTime("20240229235959", "yyyymmddHHMMSS", lanEnglish, pos);
  EXPECT_EQ(pos, 15);
  int y, mo, d, h, mi, s, ms;
  DecodeDateTime(t, y, mo, d, h, mi, s, ms);
  EXPECT_EQ(y, 2024);
  EXPECT_EQ(mo, 2);
  EXPECT_EQ(d, 29);
  EXPECT_EQ(h, 23);
  EXPECT_EQ(mi, 59);
  EXPECT_EQ(s, 59);
  // Trailing text is left for the caller; leading blanks are skipped.
  EXPECT_EQ(ScanDateTime("  19991231000000xyz", "yyyymmddHHMMSS", lanEnglish, pos), EncodeDate(1999, 12, 31));
  EXPECT_EQ(pos, 17);
}

TEST(ScanDateTime, OtherPicturesAndLanguages) {
  int pos;
  EXPECT_EQ(ScanDateTime("03-Mar-24", "dd-mmm-yy", lanEnglish, pos), EncodeDate(2024, 3, 3));
  EXPECT_EQ(ScanDateTime("03.m\xC3\xA4r.1970", "dd.mmm.yyyy", lanGerman, pos), EncodeDate(1970, 3, 3));
  EXPECT_EQ(ScanDateTime("01 Okt 1970", "dd mmm yyyy", lanGerman, pos), EncodeDate(1970, 10, 1));
  EXPECT_EQ(ScanDateTime("01 Okt 1970", "dd mmm yyyy", lanEnglish, pos), 0);
  EXPECT_DOUBLE_EQ(ScanDateTime("12:00:00.500", "HH:MM:SS.zzz", lanEnglish, pos), 0.5 + 0.5 / 86400);
  const std::string picture = "yyyymmddHHMMSS";
  const TDateTime t = EncodeDateTime(1987, 6, 5, 4, 3, 2, 0);
  EXPECT_EQ(FormatDateTimePicture(picture, t, lanEnglish), "19870605040302");
  EXPECT_EQ(ScanDateTime(FormatDateTimePicture(picture, t, lanEnglish), picture, lanEnglish, pos), t);
  EXPECT_EQ(FormatDateTimePicture("dd mmm yyyy", EncodeDate(2020, 3, 1), lanGerman), "01 M\xC3\xA4r 2020");
}

TEST(ScanDateTime, MalformedTextGivesZeroAndPositionZero) {
  for (const char* text : {"", "2024", "2024022923595", "20241301000000", "20230229000000", "20240101240000",
                           "2024x229000000", "-0240101000000"}) {
    int pos = 99;
    EXPECT_EQ(ScanDateTime(text, "yyyymmddHHMMSS", lanEnglish, pos), 0) << text;
    EXPECT_EQ(pos, 0) << text;
  }
  int pos = 99;
  EXPECT_EQ(ScanDateTime("2024/01/01", "yyyy-mm-dd", lanEnglish, pos), 0);
  EXPECT_EQ(pos, 0);
}

}  // namespace
}  // namespace orq
