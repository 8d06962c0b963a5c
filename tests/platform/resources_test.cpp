// Named resources and text pictures.
#include <gtest/gtest.h>

#include "orqplatform/Controls.h"
#include "orqplatform/Resources.h"

namespace orq {
namespace {

const TTextPicture Cross{3, 3, ".#.\n###\n.#.", {{'.', 0xFFFFFF}, {'#', 0x0000FF}}};

TEST(TextPicture, OneCharacterAPixelRowsSkippingLineBreaks) {
  const auto bmp = BitmapFromTextPicture(Cross);
  ASSERT_EQ(bmp->Width(), 3);
  EXPECT_EQ(bmp->ScanLine(0)[0], 0xFFFFFFu);
  EXPECT_EQ(bmp->ScanLine(1)[0], 0x0000FFu);
  EXPECT_EQ(bmp->ScanLine(2)[1], 0x0000FFu);
  // The format's quantisation applies.
  const TTextPicture odd{1, 1, "x", {{'x', 0x123456}}};
  EXPECT_EQ(BitmapFromTextPicture(odd, pf15bit)->ScanLine(0)[0], BitmapFromTextPicture(odd, pf15bit)->Quantize(0x123456));
}

TEST(TextPicture, WrongPixelCountOrUnknownCharacterIsRefused) {
  TTextPicture p = Cross;
  p.Pixels = ".#.###";
  EXPECT_THROW(BitmapFromTextPicture(p), EInvalidOperation);
  p.Pixels = ".#.###.#..";
  EXPECT_THROW(BitmapFromTextPicture(p), EInvalidOperation);
  p.Pixels = ".#.#?#.#.";
  EXPECT_THROW(BitmapFromTextPicture(p), EInvalidOperation);
}

TEST(Resources, LookupByNameMakesAFreshObjectEachTime) {
  RegisterBitmapResource("TESTCROSS", [] { return BitmapFromTextPicture(Cross); });
  RegisterCursorResource("TESTCUR", [] { return CreateCursor(*BitmapFromTextPicture(Cross), TPoint{1, 1}); });
  const auto a = LoadBitmapResource("TESTCROSS");
  const auto b = LoadBitmapResource("TESTCROSS");
  ASSERT_NE(a, nullptr);
  EXPECT_NE(a.get(), b.get());
  EXPECT_EQ(LoadBitmapResource("testcross"), nullptr);  // names are exact
  const HCURSOR c = LoadCursorResource("TESTCUR");
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->HotSpot, (TPoint{1, 1}));
  EXPECT_EQ(LoadCursorResource("NOSUCH"), nullptr);
}

}  // namespace
}  // namespace orq
