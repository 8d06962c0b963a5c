#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "orqbase/OrqBase.h"

namespace orq {
namespace {

TEST(StringIx, FindsTheFirstEqualEntryFromOne) {
  const std::vector<std::string> models = {"parabolicip", "biquadraticpn", "conicconformal", "millercylindrical",
                                           "equirect", "utm", "undefined"};
  EXPECT_EQ(StringIx("parabolicip", models, 6), 1);
  EXPECT_EQ(StringIx("utm", models, 6), 6);
  EXPECT_EQ(StringIx("undefined", models, 6), 7);
  // Missing, case-different and beyond-HighIx entries are all "not found".
  EXPECT_EQ(StringIx("mercator", models, 6), 0);
  EXPECT_EQ(StringIx("UTM", models, 6), 0);
  EXPECT_EQ(StringIx("undefined", models, 5), 0);
  EXPECT_EQ(StringIx("", models, 6), 0);
  // A HighIx past the table does not read beyond it.
  EXPECT_EQ(StringIx("x", models, 1000), 0);
  EXPECT_EQ(StringIx("utm", models, -1), 0);
  const std::string plain[3] = {"a", "b", "a"};
  EXPECT_EQ(StringIx("a", plain, 2), 1);
}

TEST(FileNameHelpers, StripPathAndExtension) {
  EXPECT_EQ(StripPath("/maps/alps/alps.bmp"), "alps.bmp");
  EXPECT_EQ(StripPath("alps.bmp"), "alps.bmp");
  EXPECT_EQ(StripExtension("/maps/alps.bmp"), "/maps/alps");
  EXPECT_EQ(StripExtension("/maps.v2/alps"), "/maps.v2/alps");
  EXPECT_EQ(StripExtension("db.orqgdd"), "db");
  EXPECT_EQ(StripExtension("a.tar.gz"), "a.tar");
  EXPECT_EQ(StripExtension(StripPath("/x/y/map.jpg")), "map");
}

TEST(FileNameHelpers, ReduceTo83CharactersNeverLeavesAPath) {
  EXPECT_EQ(ReduceStringToFN83CompliantChars("Lake Z\xC3\xBCrich (2).bmp"), "LakeZrich(2).bmp");
  EXPECT_EQ(ReduceStringToFN83CompliantChars("../../etc/passwd"), "etcpasswd");
  EXPECT_EQ(ReduceStringToFN83CompliantChars(".."), "");
  EXPECT_EQ(ReduceStringToFN83CompliantChars("a*b?c:d|e\"f<g>h\\i"), "abcdefghi");
  EXPECT_EQ(ReduceStringToFN83CompliantChars("~x_y-z!#$%&'@^`{}"), "~x_y-z!#$%&'@^`{}");
  EXPECT_EQ(ReduceStringToFN83CompliantChars(std::string("a\0b", 3)), "ab");
}

TEST(BitField, FlagsNumberedFromOne) {
  TBitFld bits;
  bits.SetSize(256);
  EXPECT_EQ(bits.Size(), 256);
  EXPECT_FALSE(bits.GetBit(1));
  bits.SetBit(1, true);
  bits.SetBit(256, true);
  EXPECT_TRUE(bits.GetBit(1));
  EXPECT_TRUE(bits.GetBit(256));
  EXPECT_EQ(bits.CountSet(), 2);
  bits.SetSize(300);  // growing keeps what was set
  EXPECT_TRUE(bits.GetBit(256));
  EXPECT_FALSE(bits.GetBit(300));
  bits.Clear();
  EXPECT_EQ(bits.CountSet(), 0);
  EXPECT_EQ(bits.Size(), 300);
}

TEST(BitField, IndexesOutsideTheSizeRaise) {
  TBitFld bits(4);
  EXPECT_THROW(bits.GetBit(0), EOrqError);
  EXPECT_THROW(bits.GetBit(5), EOrqError);
  EXPECT_THROW(bits.SetBit(-1, true), EOrqError);
  EXPECT_THROW(bits.SetSize(-1), EOrqError);
  try {
    bits.SetBit(5, true);
  } catch (const EOrqError& e) {
    EXPECT_STREQ(e.what(), "TBitFld: index 5 out of range 1..4");
  }
  TBitFld empty;
  EXPECT_THROW(empty.GetBit(1), EOrqError);
}

}  // namespace
}  // namespace orq
