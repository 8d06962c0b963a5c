#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "files_test_support.h"
#include "files/XmlText.h"
#include "orqplatform/TextFile.h"

namespace orq {
namespace {

struct TDecimalCase {
  const char* Text;
  bool Exponent;
  int Mode;
  double Value;
  int EndPos;  // where the scanner stops
};

TEST(XmlDecimalScanner, FollowsTheStateTable) {
  const TDecimalCase cases[] = {
      {"47.25", true, dmPointOrComma, 47.25, 6},
      {"47,25", true, dmPointOrComma, 47.25, 6},
      {"47,25", true, dmPoint, 47, 3},       // a comma ends a "."-only number
      {"47.25", true, dmComma, 47, 3},
      {"  -3.5]", true, dmPoint, -3.5, 7},   // blanks before, stops on "]"
      {"+2", true, dmPoint, 2, 3},
      {"5.", true, dmPoint, 5, 3},
      {".5", true, dmPoint, 0.5, 3},
      {"-.5x", true, dmPoint, -0.5, 4},
      {"1.5E3 ", true, dmPoint, 1500, 6},
      {"1.5e-2", true, dmPoint, 0.015, 7},
      {"1.5E3", false, dmPoint, 1.5, 4},    // without exponent "E" ends the number
      {"2E", true, dmPoint, 2, 3},           // a bare "E" adds nothing
      {"7-1", true, dmPoint, 7, 2},
      {"1.2.3", true, dmPoint, 0, 4},       // a second separator rejects it
      {"- 1", true, dmPoint, 0, 2},         // nothing between sign and digits
      {"--1", true, dmPoint, 0, 2},
      {"E5", true, dmPoint, 0, 1},
      {"abc", true, dmPoint, 0, 1},
      {"", true, dmPoint, 0, 1},
      {"12E+", true, dmPoint, 12, 5},
  };
  for (const TDecimalCase& c : cases) {
    int pos = 1;
    EXPECT_DOUBLE_EQ(ScanXmlDecimal(c.Text, c.Exponent, c.Mode, pos), c.Value) << '"' << c.Text << '"';
    EXPECT_EQ(pos, c.EndPos) << '"' << c.Text << '"';
  }
}

TEST(XmlDecimalScanner, HugeExponentsClampAndNeverOverflow) {
  int pos = 1;
  EXPECT_EQ(ScanXmlDecimal("1E400", true, dmPoint, pos), std::numeric_limits<double>::max());
  pos = 1;
  EXPECT_EQ(ScanXmlDecimal("-1E99999999999999999999", true, dmPoint, pos), -std::numeric_limits<double>::max());
  EXPECT_EQ(pos, 24);  // every exponent digit is consumed
  pos = 1;
  EXPECT_EQ(ScanXmlDecimal("1E-99999999999", true, dmPoint, pos), 0.0);
  pos = 1;
  const std::string manyDigits(5000, '9');
  EXPECT_EQ(ScanXmlDecimal(manyDigits, true, dmPoint, pos), std::numeric_limits<double>::max());
  pos = 3;  // from the middle of a text
  EXPECT_DOUBLE_EQ(ScanXmlDecimal("[,2.5]", true, dmPoint, pos), 2.5);
}

TEST(XmlIntegerScanner, SignsBlanksAndSaturation) {
  struct {
    const char* Text;
    int Start, Value, EndPos;
  } cases[] = {
      {"42]", 1, 42, 3},     {"  -17,", 1, -17, 6}, {"+8", 1, 8, 3},   {"x", 1, 0, 1},
      {"", 1, 0, 1},         {"12", 5, 0, 5},       {"[3,4]", 4, 4, 5}, {"   ", 1, 0, 3},
      {"99999999999", 1, 2147483647, 12},           {"-99999999999", 1, -2147483647 - 1, 13},
  };
  for (const auto& c : cases) {
    int pos = c.Start;
    EXPECT_EQ(ScanXmlInteger(c.Text, pos), c.Value) << c.Text;
    EXPECT_EQ(pos, c.EndPos) << c.Text;
  }
}

TEST(XmlClosingQuote, CountsOccurrencesFromTheStart) {
  const std::string line = "<geomap id=\"a b\" map=\"x\">";
  const int at = static_cast<int>(line.find("id=")) + 1;
  EXPECT_EQ(ClosingQuotePos("\"", line, at, false, 1), at + 3);
  EXPECT_EQ(ClosingQuotePos("\"", line, at, false, 2), at + 7);
  EXPECT_EQ(ClosingQuotePos("\"", line, at, false, 5), 0);
  EXPECT_EQ(ClosingQuotePos("ID", line, -3, false, 1), 0);
  EXPECT_EQ(ClosingQuotePos("ID", line, -3, true, 1), at);
  EXPECT_EQ(ClosingQuotePos("aa", "aaaa", 1, false, 2), 3);  // occurrences do not overlap
}

TEST(XmlAttributeLookup, PairsQuotingAndSyntaxErrors) {
  const std::string a = "lat=\"47.5\" Long = \"8,25\" captext=\"a = b\" size=7 id=\"\"";
  EXPECT_EQ(GetXmlAttribute(a, "lat"), "47.5");
  EXPECT_EQ(GetXmlAttribute(a, "LONG"), "8,25");
  EXPECT_EQ(GetXmlAttribute(a, "captext"), "a = b");
  EXPECT_EQ(GetXmlAttribute(a, "size"), "7");
  EXPECT_EQ(GetXmlAttribute(a, "id"), "");
  EXPECT_EQ(GetXmlAttribute(a, "missing"), "");
  EXPECT_EQ(GetXmlAttribute("a=\" x \"", "a"), " x ");  // not trimmed
  // A syntax error ends the scan: pairs after it are not found.
  EXPECT_EQ(GetXmlAttribute("a==1 b=\"2\"", "b"), "");
  EXPECT_EQ(GetXmlAttribute("a\"=1 b=2", "b"), "");
  EXPECT_EQ(GetXmlAttribute("a=1= b=2", "b"), "");
  EXPECT_EQ(GetXmlAttribute("b=\"unterminated", "b"), "unterminated");
}

TEST(XmlStreamLineReader, LfAndCrLfGiveTheSameLines) {
  for (const std::string& bytes : {std::string("one\r\ntwo\r\n\r\nlast"), std::string("one\ntwo\n\nlast")}) {
    TMemoryStream s;
    FillStream(s, bytes);
    std::string line;
    EXPECT_TRUE(ReadLineFromStream(&s, line));
    EXPECT_EQ(line, "one");
    EXPECT_TRUE(ReadLineFromStream(&s, line));
    EXPECT_EQ(line, "two");
    EXPECT_TRUE(ReadLineFromStream(&s, line));
    EXPECT_EQ(line, "");
    EXPECT_FALSE(ReadLineFromStream(&s, line));  // no LF: the stream ran out
    EXPECT_EQ(line, "last");
  }
  TMemoryStream s;
  FillStream(s, "caf\xE9\r\r\n");
  std::string line;
  EXPECT_TRUE(ReadLineFromStream(&s, line));
  EXPECT_EQ(line, "caf\xC3\xA9\r");  // Windows-1252 to UTF-8; only two line-end characters go
}

std::vector<std::string> Lines(std::initializer_list<std::string> l) { return l; }

TXmlLineSource FromVector(const std::vector<std::string>& v, std::size_t& next) {
  return [&v, &next](std::string& line) {
    line = next < v.size() ? v[next] : std::string();
    ++next;
    return next < v.size();
  };
}

TEST(XmlSignatureSearch, IdentifiersCaseAndBlanks) {
  const auto v = Lines({"junk", "<geomap sig=\"OrqCSuite\" id=\"First\">", "<calline>",
                        "<GEOMAP SIG=\"ORQCSUITE\" ID=\" Second \" MODEL=\"UTM\">", "<geomap id=\"third\">",
                        "<gmlandmarks sig=\"orqcsuite\" id=\"third\">"});
  struct {
    const char* Tag;
    const char* Id;
    bool Found;
    std::size_t LinesRead;
  } cases[] = {{"geomap", "", true, 2},        {"geomap", "FIRST", true, 2},  {"geomap", "second", true, 4},
               {"geomap", "third", false, 6},  // no "orqcsuite" on its line
               {"gmlandmarks", "THIRD", true, 6}, {"lmsymbols", "", false, 6}};
  for (const auto& c : cases) {
    std::size_t next = 0;
    int signatures = 0;
    const bool found = FindSignatureLine(FromVector(v, next), c.Tag, c.Id,
                                         [&](const std::string&, const std::string&) { ++signatures; });
    EXPECT_EQ(found, c.Found) << c.Tag << " " << c.Id;
    EXPECT_EQ(next, c.LinesRead) << c.Tag << " " << c.Id;
  }
  std::size_t next = 0;
  std::vector<std::string> seen;
  FindSignatureLine(FromVector(v, next), "geomap", "second",
                    [&](const std::string& line, const std::string& lower) {
                      seen.push_back(SignatureAttribute(line, lower, "model=\""));
                    });
  EXPECT_EQ(seen, (std::vector<std::string>{"", "UTM"}));  // non-matching lines are reported too
}

TEST(XmlSignatureSearch, TextFilesAndStreamsWithEitherLineEnd) {
  TScratchDir dir;
  for (const char* eol : {"\r\n", "\n"}) {
    const std::string text = std::string("<?xml?>") + eol + "<geomap sig=\"OrqCSuite\" id=\"a\">" + eol +
                             "<geomap sig=\"OrqCSuite\" id=\"b\">" + eol + "rest" + eol;
    TMemoryStream s;
    FillStream(s, text);
    EXPECT_TRUE(FindSignatureLine(StreamLines(&s), "geomap", "b"));
    std::string line;
    ReadLineFromStream(&s, line);
    EXPECT_EQ(line, "rest");
    FillStream(s, text);
    EXPECT_FALSE(FindSignatureLine(StreamLines(&s), "geomap", "c"));

    WriteBytes(dir.File("sig.xml"), text);
    TTextFile f(dir.File("sig.xml"));
    f.Reset();
    EXPECT_TRUE(FindSignatureLine(TextFileLines(f), "geomap", "B"));
    EXPECT_EQ(f.ReadLn(), "rest");
    f.Close();
    f.Reset();
    EXPECT_FALSE(FindSignatureLine(TextFileLines(f), "geomap", "c"));
    EXPECT_TRUE(f.Eof());
    f.Close();
  }
}

TEST(XmlSignatureAttribute, ValueBetweenQuotesTrimmed) {
  const std::string line = "<geomap caption=\" Alps West \" map=\"A.JPG\" id=\"x";
  const std::string lower = XmlLowerCase(line);
  EXPECT_EQ(SignatureAttribute(line, lower, "caption=\""), "Alps West");
  EXPECT_EQ(SignatureAttribute(lower, lower, "map=\""), "a.jpg");
  EXPECT_EQ(SignatureAttribute(line, lower, "id=\""), "");  // no closing quote
  EXPECT_EQ(SignatureAttribute(line, lower, "model=\""), "");
}

}  // namespace
}  // namespace orq
