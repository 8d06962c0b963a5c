#include <gtest/gtest.h>

#include "orqbase/BoundedString.h"

namespace orq {
namespace {

TEST(BoundedString, CutsOnAssignmentInCharactersNotBytes) {
  TBoundedString<5> s = std::string("Zürich Hbf");
  EXPECT_EQ(s.str(), "Züric");
  EXPECT_EQ(s.length(), 5u);
  s = "abc";
  EXPECT_EQ(s.str(), "abc");
  TBoundedString<2> code = "dza";
  EXPECT_EQ(code, "dz");
}

TEST(BoundedString, BrokenSequencesCountAsSingleBytesAndNeverOverrun) {
  const std::string broken("\xC3", 1);  // a lead byte with its tail missing
  EXPECT_EQ(CharCount(broken), 1u);
  EXPECT_EQ(CutToChars(broken + "xy", 2), broken + "x");
  EXPECT_EQ(CutToChars("\xF0\x9F\x97\xBA map", 1), "\xF0\x9F\x97\xBA");
  TBoundedString<3> null_text = static_cast<const char*>(nullptr);
  EXPECT_TRUE(null_text.empty());
}

}  // namespace
}  // namespace orq
