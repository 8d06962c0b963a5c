// The JSON reader, and the CSV and GeoJSON landmark forms, without the binary.
#include <gtest/gtest.h>

#include <string>

#include "ErrorReport.h"
#include "landmarks_fields.h"
#include "landmarks_formats.h"
#include "landmarks_json.h"

namespace orq::cli {
namespace {

TEST(JsonReader, ReadsValuesEscapesAndSurrogatePairs) {
  const TJsonValue v = ParseJson(
      "\xEF\xBB\xBF {\"a\": [1, -2.5e3, 0, true, false, null], \"s\": \"q\\\"\\\\\\/\\b\\f\\n\\r\\t\\u00e9\\ud83d\\ude00\"}");
  ASSERT_EQ(v.Kind, jkObject);
  const TJsonValue* a = v.Find("a");
  ASSERT_NE(a, nullptr);
  ASSERT_EQ(a->Items.size(), 6u);
  EXPECT_EQ(a->Items[1].Number, -2500);
  EXPECT_EQ(a->Items[1].Text, "-2.5e3");
  EXPECT_TRUE(a->Items[3].Boolean);
  EXPECT_EQ(a->Items[5].Kind, jkNull);
  EXPECT_EQ(v.Find("s")->Text, "q\"\\/\b\f\n\r\t\xC3\xA9\xF0\x9F\x98\x80");
  EXPECT_EQ(v.Find("missing"), nullptr);
}

TEST(JsonReader, RefusesWhatIsNotStrictJson) {
  const char* const bad[] = {
      "",             "{",          "[1,]",          "{\"a\":1,}",      "{'a':1}",        "[01]",
      "[1.]",         "[.5]",       "[-]",           "[1e]",            "[+1]",           "[NaN]",
      "[1e999]",      "[tru]",      "[1] 2",         "{\"a\":1 \"b\":2}", "\"\\x\"",       "\"\\u12\"",
      "\"\\ud800\"",  "\"\\udc00\"", "\"\\ud800\\u0041\"", "\"a\x01\"",   "\"\xC3\"",       "\"\xC0\xAF\"",
      "\"\xED\xA0\x80\"", "\"\xF4\x90\x80\x80\"", "{\"k\":1,\"k\":2}", "// c\n1",
  };
  for (const char* text : bad) EXPECT_THROW(ParseJson(text), EJsonError) << text;
  EXPECT_THROW(ParseJson(std::string("[1]\0", 4)), EJsonError);
  // Too small to represent is zero, too large is an error however written.
  EXPECT_EQ(ParseJson("1e-400").Number, 0.0);
  EXPECT_EQ(ParseJson("-0.00000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
                      "0000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
                      "0000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
                      "0000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000001")
                .Number,
            0.0);
  EXPECT_THROW(ParseJson("0.0001e313"), EJsonError);
  EXPECT_EQ(ParseJson("0.0001e300").Number, 1e296);
}

TEST(JsonReader, LimitsNestingAndReportsWhere) {
  EXPECT_NO_THROW(ParseJson(std::string(MaxJsonDepth, '[') + std::string(MaxJsonDepth, ']')));
  EXPECT_THROW(ParseJson(std::string(MaxJsonDepth + 1, '[') + std::string(MaxJsonDepth + 1, ']')), EJsonError);
  EXPECT_THROW(ParseJson(std::string(100000, '[')), EJsonError);
  try {
    ParseJson("{\n  \"a\": x}");
    FAIL();
  } catch (const EJsonError& e) {
    EXPECT_STREQ(e.what(), "JSON line 2, column 8: unexpected character");
  }
}

TEST(JsonQuote, EscapesAndRepairsAndReadsBack) {
  EXPECT_EQ(JsonQuote("a\"b\\c\n\x01"), "\"a\\\"b\\\\c\\n\\u0001\"");
  EXPECT_EQ(JsonQuote("\xFF" "x"), "\"\xEF\xBF\xBDx\"");
  const std::string text = "Z\xC3\xBCrich \xE2\x80\x93 \xF0\x9F\x97\xBB \"tab\"\t";
  EXPECT_EQ(ParseJson(JsonQuote(text)).Text, text);
}

TEST(LandmarkFields, ParsesAndRefusesValues) {
  TLandMark lm = NewLandmarkTemplate();
  EXPECT_EQ(lm.SymbolProps.Kind, lmCross);
  EXPECT_EQ(lm.SymbolProps.Size, 7);
  auto set = [&](const char* name, const char* text) {
    SetLandmarkField(lm, static_cast<std::size_t>(FindLandmarkField(name)), text);
  };
  set("Latitude", "-45.5");
  set("lon", "+170.25");
  set("symbol", "arrowto");
  set("colorfg", "0x00ff00");
  set("colorbg", "$1");
  set("transparent", "YES");
  set("time", "2024-02-29 23:59:58");
  set("caphalign", "Center");
  set("capstyles", "bold+strikeout");
  set("class", "");  // empty keeps the value
  EXPECT_EQ(lm.Latitude, -45.5);
  EXPECT_EQ(lm.Longitude, 170.25);
  EXPECT_EQ(lm.SymbolProps.Kind, lmArrowTo);
  EXPECT_EQ(lm.SymbolProps.FGColor, 0x00FF00u);
  EXPECT_EQ(lm.SymbolProps.BGColor, 1u);
  EXPECT_TRUE(lm.SymbolProps.Transparent);
  EXPECT_EQ(LandmarkFieldText(lm, FindLandmarkField("time")), "2024-02-29T23:59:58");
  EXPECT_EQ(lm.Caption.HAlignment, taCenter);
  EXPECT_EQ(LandmarkFieldText(lm, FindLandmarkField("capstyles")), "bold+strikeout");
  EXPECT_EQ(FindLandmarkField("nosuch"), -1);

  const std::pair<const char*, const char*> bad[] = {
      {"lat", "90.0001"}, {"lat", "1,5"},      {"long", "inf"},       {"long", "nan"},    {"class", "256"},
      {"class", "-1"},    {"tag", "1.5"},      {"size", "99999999999"}, {"symbol", "Star"}, {"colorfg", "123456789"},
      {"colorfg", "0xZZ"}, {"transparent", "maybe"}, {"time", "2023-02-29"}, {"time", "2024-1-2"}, {"capstyles", "heavy"},
      {"capvalign", "middle"},
  };
  for (const auto& [name, text] : bad)
    EXPECT_THROW(set(name, text), EInputError) << name << " " << text;
}

TEST(LandmarkCsv, ReadsQuotedFieldsColumnsInAnyOrderAndAliases) {
  const TLandMark start = NewLandmarkTemplate();
  std::vector<std::string> ignored;
  const std::string text =
      "caption,Longitude,LAT,colour,id\r\n"
      "\"Line one\nline \"\"two\"\", end\",11.5,47.25,red,\"  padded \"\r\n"
      "\r\n"
      ",-3,-4,,\n";
  const auto lms = LandmarksFromCsv(text, start, ignored);
  ASSERT_EQ(lms.size(), 2u);
  EXPECT_EQ(lms[0].Caption.Text.str(), "Line one\nline \"two\", end");
  EXPECT_EQ(lms[0].Longitude, 11.5);
  EXPECT_EQ(lms[0].Latitude, 47.25);
  EXPECT_EQ(lms[0].Identifier.str(), "  padded ");
  EXPECT_EQ(lms[1].Caption.Text.str(), "");
  EXPECT_EQ(lms[1].SymbolProps, start.SymbolProps);
  EXPECT_EQ(ignored, std::vector<std::string>{"colour"});
}

TEST(LandmarkCsv, ReportsTheLineOfAnError) {
  const TLandMark start = NewLandmarkTemplate();
  std::vector<std::string> ignored;
  auto message = [&](const std::string& text) {
    try {
      LandmarksFromCsv(text, start, ignored);
    } catch (const EInputError& e) {
      return std::string(e.what());
    }
    return std::string("no error");
  };
  EXPECT_EQ(message(""), "no header row");
  EXPECT_EQ(message("lat,caption\n1,x\n"), "line 1: the header has no \"long\" column");
  EXPECT_EQ(message("lat,long,latitude\n"), "line 1: column \"latitude\" occurs twice");
  EXPECT_EQ(message("lat,long\n1,2\n\"3\n\",4,5\n"), "line 3: 3 fields where the header has 2");
  EXPECT_EQ(message("lat,long\n1,2\n1,abc\n"), "line 3: invalid longitude \"abc\"");
  EXPECT_EQ(message("lat,long\n1,\n"), "line 2: no long");
  EXPECT_EQ(message("lat,long\n\"1,2\n"), "line 2: quoted field without its closing quote");
  EXPECT_EQ(message("lat,long\n\"1\"x,2\n"), "line 2: text after a closing quote");
}

TEST(LandmarkPoints, CsvAndGeoJsonKeepEveryField) {
  TLandMark lm = NewLandmarkTemplate();
  lm.Latitude = -33.868800000000007;
  lm.Longitude = 151.2093;
  lm.Altitude = 12.5;
  lm.ClassFlag = 255;
  lm.Tag = -7;
  lm.SymbolProps = {lmUserDef, 11, 0x00ABCDEFu, 0xFF000005u, true, -30, 15};
  lm.Identifier = std::string("ID,\"x\"");
  lm.Time = 45413.5;  // 2024-05-02 12:00
  lm.Caption.Text = std::string("Caf\xC3\xA9, \"Opera\"\nline 2");
  lm.Caption.FontName = "DejaVu Sans";
  lm.Caption.FontStyles.insert(fsItalic);
  lm.Caption.VAlignment = vaBottom;
  const std::vector<TLandMark> list = {lm, NewLandmarkTemplate()};
  std::vector<std::string> ignored;
  EXPECT_EQ(LandmarksFromCsv(LandmarksToCsv(list), NewLandmarkTemplate(), ignored), list);
  EXPECT_EQ(LandmarksFromGeoJson(LandmarksToGeoJson(list), NewLandmarkTemplate(), ignored), list);
  EXPECT_TRUE(ignored.empty());
  EXPECT_EQ(LandmarksFromGeoJson("{\"type\":\"FeatureCollection\",\"features\":[]}", lm, ignored).size(), 0u);
}

TEST(LandmarkGeoJson, ReadsForeignFeaturesAndRefusesOtherGeometry) {
  const TLandMark start = NewLandmarkTemplate();
  std::vector<std::string> ignored;
  const auto one = LandmarksFromGeoJson(
      "{\"type\":\"Feature\",\"geometry\":{\"type\":\"Point\",\"coordinates\":[6.8652,45.8326]},"
      "\"properties\":{\"name\":\"Mont Blanc\",\"class\":4,\"lat\":1,\"symbol\":null,\"osm_id\":[1]}}",
      start, ignored);
  ASSERT_EQ(one.size(), 1u);
  EXPECT_EQ(one[0].Latitude, 45.8326);
  EXPECT_EQ(one[0].Caption.Text.str(), "Mont Blanc");
  EXPECT_EQ(one[0].ClassFlag, 4);
  EXPECT_EQ(one[0].SymbolProps.Kind, lmCross);
  EXPECT_EQ(ignored, std::vector<std::string>{"osm_id"});

  auto message = [&](const std::string& text) {
    try {
      LandmarksFromGeoJson(text, start, ignored);
    } catch (const EInputError& e) {
      return std::string(e.what());
    }
    return std::string("no error");
  };
  const std::string head = "{\"type\":\"FeatureCollection\",\"features\":[";
  EXPECT_EQ(message("[1]"), "not GeoJSON: the top level needs a \"type\" of \"FeatureCollection\" or \"Feature\"");
  EXPECT_EQ(message(head + "{\"type\":\"Feature\",\"geometry\":{\"type\":\"LineString\",\"coordinates\":[]}}]}"),
            "feature 1: geometry LineString is not a Point");
  EXPECT_EQ(message(head + "{\"type\":\"Feature\",\"geometry\":{\"type\":\"Point\",\"coordinates\":[1]}}]}"),
            "feature 1: Point coordinates must be [long, lat] or [long, lat, alt]");
  EXPECT_EQ(message(head + "{\"type\":\"Feature\",\"geometry\":{\"type\":\"Point\",\"coordinates\":[1,\"2\"]}}]}"),
            "feature 1: Point coordinates must be numbers");
  EXPECT_EQ(message(head + "{\"type\":\"Feature\",\"geometry\":{\"type\":\"Point\",\"coordinates\":[1,95]}}]}"),
            "feature 1: invalid latitude \"95\"");
  EXPECT_EQ(message(head + "{\"type\":\"Feature\",\"geometry\":null}]}"), "feature 1: no geometry");
  EXPECT_EQ(message(head + "{\"type\":\"Feature\",\"properties\":{\"tag\":{}},\"geometry\":null}]}"),
            "feature 1: property \"tag\" is an object or array");
}

}  // namespace
}  // namespace orq::cli
