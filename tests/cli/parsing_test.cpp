// The tool's text helpers, tested directly: strict numbers, fields, zone
// tokens, catalogue look-ups and number formatting.
#include <gtest/gtest.h>

#include "CatalogueLookup.h"
#include "ErrorReport.h"
#include "LineInput.h"
#include "NumberParsing.h"
#include "OutputFormat.h"
#include "PositionFields.h"

namespace orq::cli {
namespace {

TEST(CliNumberParsing, AcceptsPlainDecimalsOnly) {
  EXPECT_EQ(ParseNumber("52.5"), 52.5);
  EXPECT_EQ(ParseNumber("-0.1262"), -0.1262);
  EXPECT_EQ(ParseNumber("+3"), 3);
  EXPECT_EQ(ParseNumber("6.378e6"), 6378000);
  EXPECT_EQ(ParseNumber(".5"), 0.5);
  for (const char* bad : {"", "+", "-", "abc", "1e999", "-1e999", "nan", "NaN", "inf", "-inf", "infinity", "0x10",
                          "1.5x", "1,5", "--1", "+-1", "++1", " 1", "1 "})
    EXPECT_FALSE(ParseNumber(bad)) << '"' << bad << '"';
  EXPECT_EQ(ParseInteger("269"), 269);
  EXPECT_EQ(ParseInteger("+7"), 7);
  for (const char* bad : {"", "2.5", "1e2", "99999999999", "12a"}) EXPECT_FALSE(ParseInteger(bad)) << bad;
}

TEST(CliLineInput, FieldsSplitOnBlanksTabsAndCommas) {
  EXPECT_EQ(SplitFields("52.5, 13.4\t7"), (std::vector<std::string_view>{"52.5", "13.4", "7"}));
  EXPECT_EQ(SplitFields("  32N,,500000 0\r"), (std::vector<std::string_view>{"32N", "500000", "0"}));
  EXPECT_TRUE(SplitFields(" ,\t, ").empty());
  EXPECT_TRUE(IsPassThroughLine(""));
  EXPECT_TRUE(IsPassThroughLine(" \t"));
  EXPECT_TRUE(IsPassThroughLine("  # note"));
  EXPECT_FALSE(IsPassThroughLine("1 # 2"));
}

TEST(CliLineInput, NumbersNeedTheRightCount) {
  const std::vector<std::string_view> three{"1", "2", "3"};
  EXPECT_EQ(FieldsAsNumbers(three, 2, 3, "a b [c]"), (std::vector<double>{1, 2, 3}));
  EXPECT_THROW(FieldsAsNumbers(three, 2, 2, "a b"), EInputError);
  try {
    FieldsAsNumbers(std::vector<std::string_view>{"1", "x"}, 2, 2, "a b");
    FAIL();
  } catch (const EInputError& e) {
    EXPECT_STREQ(e.what(), "invalid number \"x\"");
  }
}

TEST(CliZoneToken, ZoneAndHemisphereFromTheFirstOrLastField) {
  std::vector<std::string_view> fields{"32N", "500000", "0"};
  TZoneToken token = TakeZoneToken(fields);
  EXPECT_TRUE(token.Present);
  EXPECT_EQ(token.Zone, 32);
  EXPECT_FALSE(token.South);
  EXPECT_EQ(fields.size(), 2u);

  fields = {"500000", "0", "60s"};
  token = TakeZoneToken(fields);
  EXPECT_EQ(token.Zone, 60);
  EXPECT_TRUE(token.South);
  EXPECT_EQ(fields, (std::vector<std::string_view>{"500000", "0"}));

  fields = {"S", "2000000", "2000000"};
  token = TakeZoneToken(fields);
  EXPECT_TRUE(token.Present && token.South && token.Zone == 0);

  fields = {"500000", "0"};
  EXPECT_FALSE(TakeZoneToken(fields).Present);

  for (const char* bad : {"32U", "0N", "61N", "-5N", "+5N", "xN", "32NN"}) {
    fields = {bad, "1", "2"};
    EXPECT_THROW(TakeZoneToken(fields), EInputError) << bad;
  }
  fields = {"32N", "1", "33N"};
  EXPECT_THROW(TakeZoneToken(fields), EInputError);
}

TEST(CliZoneToken, LongitudesWrapIntoOneTurn) {
  EXPECT_EQ(WrapLongitude(180), -180);
  EXPECT_EQ(WrapLongitude(181.5), -178.5);
  EXPECT_EQ(WrapLongitude(-181.5), 178.5);
  EXPECT_EQ(WrapLongitude(-180), -180);
  EXPECT_EQ(WrapLongitude(13.4), 13.4);
}

TEST(CliCatalogue, EllipsoidsByAnySpelling) {
  EXPECT_EQ(FindEllipsoid("gelWGS84"), gelWGS84);
  EXPECT_EQ(FindEllipsoid("wgs84"), gelWGS84);
  EXPECT_EQ(FindEllipsoid("GELAIRY30"), gelAiry30);
  EXPECT_EQ(FindEllipsoid("Airy 1830"), gelAiry30);
  EXPECT_EQ(FindEllipsoid("60"), gelNahrwan29);
  for (const char* bad : {"", "gel", "wgs", "61", "-1", "WGS 84"}) EXPECT_FALSE(FindEllipsoid(bad)) << bad;
}

TEST(CliCatalogue, DatumsByNumberLabelNameOrUniquePart) {
  EXPECT_EQ(FindDatum("269").Number, 269);
  EXPECT_EQ(FindDatum("1").Number, 1);
  EXPECT_EQ(FindDatum("271").Number, 271);
  EXPECT_EQ(FindDatum("0").Number, 0);
  EXPECT_EQ(FindDatum("272").Number, 0);
  EXPECT_EQ(FindDatum("european datum 1950 (europe)").Number, 59);
  EXPECT_EQ(FindDatum("World Geodetic System 1984").Number, 269);
  EXPECT_EQ(FindDatum("ordnance").Number, 183);
  EXPECT_EQ(FindDatum("WGS 84").Number, 269);
  EXPECT_EQ(FindDatum("ed50").Number, 59);
  EXPECT_EQ(FindDatum("OSGB-36").Number, 183);

  const TDatumMatch ambiguous = FindDatum("EUROPEAN DATUM 1950");
  EXPECT_EQ(ambiguous.Number, 0);
  ASSERT_GE(ambiguous.Candidates.size(), 2u);
  EXPECT_EQ(ambiguous.Candidates.front(), 59);

  const TDatumMatch unknown = FindDatum("atlantis");
  EXPECT_EQ(unknown.Number, 0);
  EXPECT_TRUE(unknown.Candidates.empty());
  EXPECT_THROW(ResolveDatum("--from", "atlantis"), EUsageError);
}

TEST(CliOutputFormat, FixedDecimalsWithoutNegativeZero) {
  EXPECT_EQ(FormatFixed(500000, 3), "500000.000");
  EXPECT_EQ(FormatFixed(-0.0004, 3), "0.000");
  EXPECT_EQ(FormatFixed(-0.0, 0), "0");
  EXPECT_EQ(FormatFixed(-0.0006, 3), "-0.001");
  EXPECT_EQ(FormatFixed(2.5, 0), "2");
  EXPECT_EQ(FormatFixed(1e300, 2).size(), 304u);
  EXPECT_EQ(FormatShortest(6356752.314245), "6356752.314245");
  EXPECT_EQ(FormatShortest(-0.0), "0");

  TOutputFormat format;
  EXPECT_EQ(format.Metres(1), "1.000");
  EXPECT_EQ(format.Degrees(1), "1.000000000");
  format.SetPrecision(1);
  EXPECT_EQ(format.Degrees(1), "1.0");
  EXPECT_THROW(format.Metres(std::numeric_limits<double>::quiet_NaN()), EInputError);
}

TEST(CliErrorReport, EchoedTextIsPrintableAndShort) {
  EXPECT_EQ(Printable("a\tb\x01"), "a?b?");
  EXPECT_EQ(Printable(std::string(100, 'x'), 10), "xxxxxxxxxx...");
}

}  // namespace
}  // namespace orq::cli
