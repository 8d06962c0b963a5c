#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "orqbase/OrqBase.h"

namespace orq {
namespace {

// The sixteen tags of the map's file formats; index 15 ends the reading.
const std::vector<std::string> kTags = {"geomap",  "/geomap", "calline",  "corners",   "resolution", "gmlandmarks",
                                        "/gmlandmarks", "landmark", "calquads", "lmsymbols", "/lmsymbols",
                                        "symbol",  "utmzone", "utmsouth", "ellipsoid", "invalidtag"};
constexpr int kHigh = 15;

struct Tag {
  int index;
  std::string attributes, content;
  friend bool operator==(const Tag&, const Tag&) = default;
};

std::ostream& operator<<(std::ostream& os, const Tag& t) {
  return os << "{" << t.index << ", \"" << t.attributes << "\", \"" << t.content << "\"}";
}

TMemoryStream StreamOf(const std::string& bytes) {
  TMemoryStream s;
  s.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  s.SetPosition(0);
  return s;
}

std::vector<Tag> AllTags(TStream* s) {
  std::vector<Tag> tags;
  for (int guard = 0; guard < 100; ++guard) {
    Tag t;
    t.index = ReadNextTagInStream(s, kTags, kHigh, t.attributes, t.content);
    tags.push_back(t);
    if (t.index == kHigh) break;
  }
  return tags;
}

TEST(TagReader, ReadsElementsAttributesAndContent) {
  TMemoryStream s = StreamOf(
      "<?xml version=\"1.0\"?>\r\n"
      "<!-- header -->\r\n"
      "<resolution>12.500</resolution>\r\n"
      "<calline type=\"meridian\" value=\"7.5\" npoints=\"2\">\r\n"
      "[1,2] [3,4] \r\n"
      "</calline>\r\n"
      "<landmark lat=\"47\" long=\"8\" />\r\n"
      "</geomap>\r\n");
  const std::vector<Tag> expected = {
      {4, "", "12.500"},
      {2, "type=\"meridian\" value=\"7.5\" npoints=\"2\"", "\n[1,2] [3,4] \n"},
      {7, "lat=\"47\" long=\"8\"", ""},
      {1, "", ""},
      {kHigh, "", ""},
  };
  EXPECT_EQ(AllTags(&s), expected);
}

TEST(TagReader, IsForgivingAboutWhatItDoesNotKnow) {
  TMemoryStream s = StreamOf(
      "stray text < not a tag <UTMZONE>32</UtmZone>\n"
      "<unknown a=\"1\">ignored</unknown><!-- <utmzone>99</utmzone> -->\n"
      "<!DOCTYPE x><utmsouth\tx=\"a>b\"\n y=2>TRUE</utmsouth >\n"
      "<symbol name=\"a\"/>");
  const std::vector<Tag> expected = {
      {12, "", "32"},
      {13, "x=\"a>b\"  y=2", "TRUE"},
      {11, "name=\"a\"", ""},
      {kHigh, "", ""},
  };
  EXPECT_EQ(AllTags(&s), expected);
}

TEST(TagReader, ABlockTagDoesNotSwallowTheElementsAfterIt) {
  // Two landmark blocks: the second block's opening tag comes back with the
  // text up to its first element, and the elements are read on.
  TMemoryStream s = StreamOf(
      "<landmark id=\"a1\" />\r\n</gmlandmarks>\r\n"
      "<gmlandmarks sig=\"OrqCSuite\" id=\"b\">\r\n"
      "<landmark id=\"b1\"></landmark>\r\n</gmlandmarks>\r\n"
      "<calline npoints=\"1\">[1,2]<!-- note --> [3,4]</calline>"
      "<utmzone>1<!DOCTYPE x></utmzone><calline>[5,6]<!-- never closed");
  const std::vector<Tag> expected = {
      {7, "id=\"a1\"", ""},
      {6, "", ""},
      {5, "sig=\"OrqCSuite\" id=\"b\"", "\n"},
      {7, "id=\"b1\"", ""},
      {6, "", ""},
      {2, "npoints=\"1\"", "[1,2] [3,4]"},  // the comment is dropped
      {12, "", "1"},                          // a declaration is not content
      {2, "", "[5,6]"},
      {kHigh, "", ""},
  };
  EXPECT_EQ(AllTags(&s), expected);
}

TEST(TagReader, UnfinishedInputEndsWithTheHighestIndex) {
  // A start tag without its end tag takes the rest of the text.
  TMemoryStream open = StreamOf("<corners>[1,2] \r\n[3,4]\r\n");
  EXPECT_EQ(AllTags(&open), (std::vector<Tag>{{3, "", "[1,2] \n[3,4]\n"}, {kHigh, "", ""}}));
  for (const char* text : {"", "no tags at all", "<corners", "<!-- unterminated <corners>x</corners>",
                           "<?xml never closed", "<"}) {
    TMemoryStream s = StreamOf(text);
    EXPECT_EQ(AllTags(&s), (std::vector<Tag>{{kHigh, "", ""}})) << text;
  }
}

TEST(TagReader, LeavesTheStreamRightAfterTheTag) {
  TMemoryStream s = StreamOf("<utmzone>5</utmzone>tail<utmsouth/>");
  std::string attr, content;
  EXPECT_EQ(ReadNextTagInStream(&s, kTags, kHigh, attr, content), 12);
  EXPECT_EQ(s.Position(), 20);
  // Only tags up to HighIx are looked for.
  EXPECT_EQ(ReadNextTagInStream(&s, kTags, 12, attr, content), 12);
  EXPECT_EQ(s.Position(), s.Size());
  // Content cut by another tag: the stream stands on that tag's "<", also
  // when the look-ahead stopped on a character of the upper code page.
  TMemoryStream t = StreamOf("<utmzone>5</u\xE4>");
  EXPECT_EQ(ReadNextTagInStream(&t, kTags, kHigh, attr, content), 12);
  EXPECT_EQ(content, "5");
  EXPECT_EQ(t.Position(), 10);
}

TEST(TagReader, ConvertsTheCodePageToUtf8) {
  TMemoryStream s = StreamOf("<symbol name=\"Z\xFCrich\x80\"/>");
  std::string attr, content;
  EXPECT_EQ(ReadNextTagInStream(&s, kTags, kHigh, attr, content), 11);
  EXPECT_EQ(attr, "name=\"Z\xC3\xBCrich\xE2\x82\xAC\"");
}

TEST(TagReader, TextFileReadingContinuesWhereALineReaderLeftOff) {
  const std::string name = ::testing::TempDir() + "orq_tagreader_" + std::to_string(::getpid()) + ".xml";
  std::ofstream(name, std::ios::binary) << "<lmsymbols sig=\"OrqCSuite\" id=\"x\">\r\n"
                                           "<symbol name=\"caf\xE9\" />\r\n"
                                           "</geomap>\r\n"
                                           "<lmsymbols sig=\"OrqCSuite\" id=\"y\">\r\n"
                                           "<symbol name=\"two\" /></lmsymbols>\r\n"
                                           "<utmzone>7</UTMzonex>\r\n";
  TTextFile f(name);
  f.Reset();
  EXPECT_EQ(f.ReadLn(), "<lmsymbols sig=\"OrqCSuite\" id=\"x\">");
  std::string attr, content;
  EXPECT_EQ(ReadNextTagInTextFile(f, kTags, kHigh, attr, content), 11);
  EXPECT_EQ(attr, "name=\"caf\xC3\xA9\"");
  EXPECT_EQ(ReadNextTagInTextFile(f, kTags, kHigh, attr, content), 1);
  EXPECT_EQ(f.ReadLn(), "");  // the rest of the "</geomap>" line
  EXPECT_EQ(f.ReadLn(), "<lmsymbols sig=\"OrqCSuite\" id=\"y\">");
  EXPECT_EQ(ReadNextTagInTextFile(f, kTags, kHigh, attr, content), 11);
  EXPECT_EQ(ReadNextTagInTextFile(f, kTags, kHigh, attr, content), 10);
  // A content that stops at a foreign tag gives that tag back to the file.
  EXPECT_EQ(ReadNextTagInTextFile(f, kTags, kHigh, attr, content), 12);
  EXPECT_EQ(content, "7");
  EXPECT_EQ(f.ReadLn(), "</UTMzonex>");
  EXPECT_EQ(ReadNextTagInTextFile(f, kTags, kHigh, attr, content), kHigh);
  f.Close();
  std::remove(name.c_str());
}

TEST(WriteLnStream, WritesTheCodePageAndCrLf) {
  TMemoryStream s;
  WriteLnStream(&s, "<a>caf\xC3\xA9 \xCE\xB1</a>");
  WriteLnStream(&s, "");
  const std::string bytes(static_cast<const char*>(s.Memory()), static_cast<size_t>(s.Size()));
  EXPECT_EQ(bytes, "<a>caf\xE9 ?</a>\r\n\r\n");
  EXPECT_THROW(WriteLnStream(nullptr, "x"), EOrqError);
  std::string a, c;
  EXPECT_THROW(ReadNextTagInStream(nullptr, kTags, kHigh, a, c), EOrqError);
}

}  // namespace
}  // namespace orq
