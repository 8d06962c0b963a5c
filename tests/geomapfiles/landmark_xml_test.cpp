#include <gtest/gtest.h>

#include <unistd.h>

#include <string>
#include <vector>

#include "files_test_support.h"
#include "orqcarta/geomap/LandmarkXml.h"
#include "orqplatform/TextFile.h"

namespace orq {
namespace {

TLandMark Hut() {
  TLandMark lm;
  lm.Latitude = 47.25;
  lm.Longitude = -8.5;
  lm.Altitude = 1234.5;
  lm.ClassFlag = 7;
  lm.Tag = -3;
  lm.SymbolProps = {lmSquare, 9, 0xFF8000, 0xFFFFFF, true, 45, 10};
  lm.Identifier = "Hut 1";
  lm.Time = EncodeDate(2024, 3, 5) + EncodeTime(6, 7, 8, 0);
  lm.Caption.Text = "Say hi";
  lm.Caption.Size = 8;
  lm.Caption.FontName = "MS Sans Serif";
  lm.Caption.BGColor = 0xFFFFFF;
  lm.Caption.Transparent = true;
  lm.Caption.dy = 8;
  lm.Caption.HAlignment = taCenter;
  lm.Caption.FontStyles.insert(fsBold);
  lm.Caption.FontStyles.insert(fsUnderline);
  return lm;
}

const std::string HutLine =
    "<landmark lat=\"47.25\" long=\"-8.5\" alti=\"1234.5\" class=\"7\" usertag=\"-3\" element=\"Square\" "
    "colorfg=\"00FF8000\" colorbg=\"00FFFFFF\" size=\"9\" transp=\"TRUE\" dir=\"45\" leng=\"10\" id=\"Hut 1\" "
    "date=\"20240305060708\" captext=\"Say hi\" capsize=\"8\" capfnm=\"MS Sans Serif\" capfgcol=\"00000000\" "
    "capbgcol=\"00FFFFFF\" captransp=\"TRUE\" capdir=\"0\" capdx=\"0\" capdy=\"8\" caphal=\"2\" capval=\"0\" "
    "capfst=\"1010\" />";

TEST(LandmarkXml, ElementLineIsByteExact) {
  EXPECT_EQ(LandMarkToXmlLine(Hut()), HutLine);
  TScratchDir dir;
  TTextFile f(dir.File("lm.xml"));
  f.Rewrite();
  const TLandMark lms[] = {Hut()};
  WriteLandMarkBlock(f, true, "huts", lms);
  f.Close();
  EXPECT_EQ(ReadBytes(dir.File("lm.xml")), CrLf({"<?xml version=\"1.0\"?>", "",
                                                 "<!-- TGeoMap Landmarks / Orq Component Suite -->",
                                                 "<gmlandmarks sig=\"OrqCSuite\" vers=\"1.0\" id=\"huts\">", HutLine,
                                                 "</gmlandmarks>"}));
}

TEST(LandmarkXml, RoundTripGivesEqualLandmarks) {
  std::vector<TLandMark> lms;
  lms.push_back(Hut());
  TLandMark odd;
  odd.Latitude = 0.1;
  odd.Longitude = -179.99999999999997;
  odd.Altitude = 1e-7;
  odd.ClassFlag = 255;
  odd.Tag = 2147483647;
  odd.SymbolProps = {lmArrowTo, -1, 0xFFFFFFFF, 0, false, -90, 0};
  odd.Caption.Text = std::string(80, 'x');
  odd.Caption.FontName = "DejaVu Sans";
  odd.Caption.VAlignment = vaBottom;
  odd.Caption.FontStyles.insert(fsStrikeOut);
  odd.Identifier = "123456789012345";
  lms.push_back(odd);
  for (TLandMarkElement k : {lmPlus, lmUserDef, lmCross, lmTriangle, lmCircle, lmArrowFrom, lmCrossBox, lmSpade}) {
    TLandMark lm = Hut();
    lm.SymbolProps.Kind = k;
    lms.push_back(lm);
  }
  TScratchDir dir;
  TTextFile f(dir.File("rt.xml"));
  f.Rewrite();
  WriteLandMarkBlock(f, true, "rt", lms);
  f.Close();
  TGeoMap m;
  ASSERT_TRUE(m.LoadLandMarks(dir.File("rt.xml"), "rt"));
  ASSERT_EQ(m.NumLandMarks(), static_cast<int>(lms.size()));
  for (std::size_t i = 0; i < lms.size(); ++i) {
    TLandMark expected = lms[i];
    if (expected.SymbolProps.Kind == lmPlus || expected.SymbolProps.Kind == lmUserDef)
      expected.SymbolProps.Kind = lmCross;
    EXPECT_EQ(m.LandMarkData(static_cast<int>(i) + 1), expected) << i;
  }
}

TEST(LandmarkXml, SaveLandmarksWritesTheControlsLandmarksForLoadLandMarks) {
  TGeoMap source;
  TLandMark hut = Hut();
  source.AddLandMarkRecord(hut);
  hut.Latitude = -33.5;
  hut.Identifier = "Hut 2";
  source.AddLandMarkRecord(hut);
  TScratchDir dir;
  source.SaveLandmarks(dir.File("saved.xml"), "huts");

  TGeoMap target;
  ASSERT_TRUE(target.LoadLandMarks(dir.File("saved.xml"), "huts"));
  ASSERT_EQ(target.NumLandMarks(), 2);
  EXPECT_EQ(target.LandMarkData(1), source.LandMarkData(1));
  EXPECT_EQ(target.LandMarkData(2), source.LandMarkData(2));
  EXPECT_FALSE(target.LoadLandMarks(dir.File("saved.xml"), "other"));
}

TEST(LandmarkXml, QuotesAndLineBreaksInTextsKeepTheLineReadable) {
  TLandMark lm = Hut();
  lm.Caption.Text = "Say \"hi\"\r\nthere";
  const std::string line = LandMarkToXmlLine(lm);
  EXPECT_NE(line.find("captext=\"Say 'hi'  there\" capsize=\"8\""), std::string::npos);
  const TLandMark back = LandMarkFromXmlAttributes(line.substr(10, line.size() - 13));
  EXPECT_EQ(back.Caption.Text, "Say 'hi'  there");
  EXPECT_EQ(back.Caption.FontStyles, lm.Caption.FontStyles);  // later attributes survive
}

TEST(LandmarkXml, AttributeReadingRules) {
  const TLandMark sparse = LandMarkFromXmlAttributes("lat=\"47,25\" long=\"8.5\"");
  TLandMark expected;
  expected.Latitude = 47.25;
  expected.Longitude = 8.5;
  expected.SymbolProps.Kind = lmCross;
  EXPECT_EQ(sparse, expected);

  for (const char* t : {"TRUE", "true", "untrue"}) EXPECT_TRUE(LandMarkFromXmlAttributes(std::string("transp=") + t).SymbolProps.Transparent) << t;
  for (const char* t : {"yes", "1", "FALSE"}) EXPECT_FALSE(LandMarkFromXmlAttributes(std::string("transp=") + t).SymbolProps.Transparent) << t;

  const TFontStyles boldUnderline = LandMarkFromXmlAttributes("capfst=\"1010\"").Caption.FontStyles;
  EXPECT_TRUE(boldUnderline.contains(fsBold) && boldUnderline.contains(fsUnderline));
  EXPECT_FALSE(boldUnderline.contains(fsItalic) || boldUnderline.contains(fsStrikeOut));
  const TFontStyles italic = LandMarkFromXmlAttributes("capfst=01").Caption.FontStyles;
  EXPECT_TRUE(italic.contains(fsItalic));
  EXPECT_FALSE(italic.contains(fsBold));

  EXPECT_EQ(LandMarkFromXmlAttributes("element=Square").SymbolProps.Kind, lmSquare);
  EXPECT_EQ(LandMarkFromXmlAttributes("element=Plus").SymbolProps.Kind, lmCross);
  EXPECT_EQ(LandMarkFromXmlAttributes("element=\"User-Defined\"").SymbolProps.Kind, lmCross);
  EXPECT_EQ(LandMarkFromXmlAttributes("class=\"258\"").ClassFlag, 2);  // low 8 bits
  EXPECT_EQ(LandMarkFromXmlAttributes("date=\"20241399000000\"").Time, 0.0);
  EXPECT_EQ(LandMarkFromXmlAttributes("id=\"ABCDEFGHIJKLMNOPQRST\"").Identifier, "ABCDEFGHIJKLMNO");
  // Alignments outside their enumerations read as the first alignment.
  const TLandMark aligned = LandMarkFromXmlAttributes("caphal=\"7\" capval=\"-1\"");
  EXPECT_EQ(aligned.Caption.HAlignment, taLeftJustify);
  EXPECT_EQ(aligned.Caption.VAlignment, vaTop);
  EXPECT_EQ(LandMarkFromXmlAttributes("caphal=\"1\" capval=\"2\"").Caption.VAlignment, vaBottom);
}

const std::string BlocksAB = CrLf({
    "<gmlandmarks sig=\"OrqCSuite\" id=\"a\">",
    "<landmark lat=\"1\" long=\"1\" />",
    "<landmark lat=\"2\" long=\"2\"></landmark>",
    "</gmlandmarks>",
    "<GMLANDMARKS SIG=\"ORQCSUITE\" ID=\"B\">",
    "<LANDMARK LAT=\"3\" LONG=\"3\" />",
    "</GMLANDMARKS>",
});

TEST(LandmarkXml, BlocksAAndBAndReplacement) {
  TScratchDir dir;
  WriteBytes(dir.File("ab.xml"), BlocksAB);
  TGeoMap m;
  m.AddLandMark(9, 9, 9);
  ASSERT_TRUE(m.LoadLandMarks(dir.File("ab.xml"), "A"));
  EXPECT_EQ(m.NumLandMarks(), 3);  // "/gmlandmarks" does not end the reading
  ASSERT_TRUE(m.LoadLandMarks(dir.File("ab.xml"), "b"));
  EXPECT_EQ(m.NumLandMarks(), 1);
  EXPECT_EQ(m.LandMarkData(1).Latitude, 3);
  EXPECT_FALSE(m.LoadLandMarks(dir.File("ab.xml"), "c"));
  EXPECT_EQ(m.NumLandMarks(), 1);  // kept
  EXPECT_FALSE(m.LoadLandMarks(dir.File("missing.xml"), ""));
  EXPECT_EQ(m.NumLandMarks(), 1);

  // A landmark block may follow a calibration block in one open file, and
  // "/geomap" ends it.
  WriteBytes(dir.File("mixed.xml"), "<geomap sig=\"OrqCSuite\" id=\"m\">\n</geomap>\n" + BlocksAB +
                                        "</geomap>\n<landmark lat=\"4\"/>\n");
  TTextFile f(dir.File("mixed.xml"));
  f.Reset();
  m.ReadCalDataFromOpenXMLFile(f, "m");
  ASSERT_TRUE(m.ReadLandMarksFromOpenXMLFile(f, "b"));
  EXPECT_EQ(m.NumLandMarks(), 1);
  f.Close();
}

TEST(LandmarkXml, ReadingManyLandmarksGrowsTheList) {
  TScratchDir dir;
  std::string text = "<gmlandmarks sig=\"OrqCSuite\">\n";
  for (int i = 0; i < 2001; ++i) text += "<landmark usertag=\"" + std::to_string(i) + "\"/>\n";
  WriteBytes(dir.File("many.xml"), text);
  TGeoMap m;
  ASSERT_TRUE(m.LoadLandMarks(dir.File("many.xml"), ""));
  EXPECT_EQ(m.NumLandMarks(), 2001);
  EXPECT_EQ(m.LandMarkCapacity(), 3000);
  EXPECT_EQ(m.LandMarkData(2001).Tag, 2000);
}

}  // namespace
}  // namespace orq
