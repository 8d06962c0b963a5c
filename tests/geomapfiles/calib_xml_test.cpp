#include <gtest/gtest.h>

#include <unistd.h>

#include <functional>
#include <string>

#include "files_test_support.h"
#include "orqcarta/geomap/CalibXml.h"
#include "orqplatform/FormatSettings.h"
#include "orqplatform/TextFile.h"

namespace orq {
namespace {

std::string MapError(const std::function<void()>& f) {
  try {
    f();
  } catch (const EOrqGeoMapError& e) {
    return e.what();
  }
  return "(no exception)";
}

TCalibData AlpsRecord() {
  TCalibData d;
  d.MapFName = "alps.jpg";
  d.Caption = "Alps West";
  d.Corners = {TCoords{47.5, 6.25}, TCoords{45.125, 6.25}, TCoords{45.125, 10.5}, TCoords{47.5, -10.5}};
  d.Resolution = 123.4567;
  d.UTMZone = 32;
  d.UTMSouth = false;
  d.Ellipsoid = gelWGS72;
  d.NumCalLines = 2;
  d.CalLines[0].LineType = gtlMeridian;
  d.CalLines[0].LineValue = 7.5;
  d.CalLines[0].NumPoints = 3;
  d.CalLines[0].CalPoints[0] = {10, 20};
  d.CalLines[0].CalPoints[1] = {30, 40};
  d.CalLines[0].CalPoints[2] = {50, -60};
  d.CalLines[1].LineType = gtlParallel;
  d.CalLines[1].LineValue = 46.25;
  d.CalLines[1].NumPoints = 0;
  d.NumCalQuads = 2;
  d.CalQuads[0] = {47.5, 6.25, 0, 0};
  d.CalQuads[1] = {-45.123456, 10.5, 800, -3};
  return d;
}

const std::string AlpsTextFile = CrLf({
    "<?xml version=\"1.0\"?>",
    "",
    "<!-- TGeoMap Calibration / Orq Component Suite -->",
    "<geomap sig=\"OrqCSuite\" vers=\"1.0\" id=\"main\" model=\"biquadraticpn\" map=\"alps.jpg\" caption=\"Alps West\">",
    "<corners>",
    "[47.50000,6.25000] [45.12500,6.25000] [45.12500,10.50000] [47.50000,-10.50000] ",
    "</corners>",
    "<resolution>123.457</resolution>",
    "<utmzone>32</utmzone>",
    "<utmsouth>FALSE</utmsouth>",
    "<ellipsoid>gelWGS72</ellipsoid>",
    "<calline type=\"meridian\" value=\"7.5\" npoints=\"3\">",
    "[10,20] [30,40] [50,-60] ",
    "</calline>",
    "<calline type=\"parallel\" value=\"46.25\" npoints=\"0\">",
    "",
    "</calline>",
    "<calquads npoints=\"2\">",
    "[47.50000,6.25000,0,0] [-45.12346,10.50000,800,-3] ",
    "</calquads>",
    "</geomap>",
});

const std::string AlpsStream = CrLf({
    "<?xml version=\"1.0\"?>",
    "",
    "<!-- TGeoMap Calibration / Orq Component Suite -->",
    "<geomap sig=\"OrqCSuite\" vers=\"1.0\" id=\"main\" model=\"biquadraticpn\" map=\"alps.jpg\" caption=\"Alps West\">",
    "<corners>",
    "[47.50000,6.25000] [45.12500,6.25000] [45.12500,10.50000] [47.50000,-10.50000] ",
    "</corners>",
    "<resolution>123.457</resolution>",
    "<calline type=\"meridian\" value=\"7.5\" npoints=\"3\">",
    "[10,20] [30,40] [50,-60] ",
    "</calline>",
    "<calline type=\"parallel\" value=\"46.25\" npoints=\"0\">",
    "",
    "</calline>",
    "<calquads npoints=\"2\">",
    "[47.50000,6.25000,0,0] [-45.12346,10.50000,800,-3] ",
    "</calquads>",
    "</geomap>",
});

std::string WrittenToFile(const TScratchDir& dir, bool header, const TCalibData& d, TCalibModel model,
                          const std::string& id = "main") {
  TTextFile f(dir.File("w.xml"));
  f.Rewrite();
  WriteRawCalDataToOpenXMLFile(f, header, id, d, model);
  f.Close();
  return ReadBytes(dir.File("w.xml"));
}

TEST(CalibXmlWriter, TextFileFormIsByteExact) {
  TScratchDir dir;
  EXPECT_EQ(WrittenToFile(dir, true, AlpsRecord(), cmBiquadraticPn), AlpsTextFile);
  // Without header only the declaration goes.
  EXPECT_EQ(WrittenToFile(dir, false, AlpsRecord(), cmBiquadraticPn), AlpsTextFile.substr(23));
}

TEST(CalibXmlWriter, StreamFormIsByteExact) {
  TMemoryStream s;
  WriteRawCalDataToStream(&s, "main", AlpsRecord(), cmBiquadraticPn);
  EXPECT_EQ(StreamBytes(s), AlpsStream);
}

TEST(CalibXmlWriter, OptionalLinesFollowTheirConditions) {
  TScratchDir dir;
  TCalibData d;  // zone 0, resolution 0, nothing else
  d.UTMZone = 60;
  d.UTMSouth = true;
  d.Resolution = 0;
  const std::string zone60 = WrittenToFile(dir, false, d, cmParabolicIp);
  EXPECT_NE(zone60.find("<utmzone>60</utmzone>\r\n<utmsouth>TRUE</utmsouth>\r\n<ellipsoid>gelWGS84</ellipsoid>\r\n"
                        "</geomap>\r\n"),
            std::string::npos);
  EXPECT_EQ(zone60.find("resolution"), std::string::npos);
  EXPECT_EQ(zone60.find("calquads"), std::string::npos);
  EXPECT_NE(zone60.find("model=\"parabolicip\""), std::string::npos);
  d.UTMZone = 0;
  EXPECT_EQ(WrittenToFile(dir, false, d, cmUTM).find("<utm"), std::string::npos);

  TMemoryStream s;
  WriteRawCalDataToStream(&s, "", d, cmUndefined);
  EXPECT_NE(StreamBytes(s).find("<resolution>0.000</resolution>\r\n<calquads npoints=\"0\">\r\n\r\n</calquads>\r\n"
                                "</geomap>\r\n"),
            std::string::npos);
}

TEST(CalibXmlWriter, LineValuesFollowTheDecimalSeparator) {
  TScratchDir dir;
  const char saved = FormatSettings.DecimalSeparator;
  FormatSettings.DecimalSeparator = ',';
  const std::string text = WrittenToFile(dir, true, AlpsRecord(), cmBiquadraticPn);
  FormatSettings.DecimalSeparator = saved;
  EXPECT_NE(text.find("value=\"7,5\""), std::string::npos);
  EXPECT_NE(text.find("[47.50000,6.25000]"), std::string::npos);  // fixed formats keep "."
  TCalibData d;
  TCalibModel m = cmUndefined;
  WriteBytes(dir.File("comma.xml"), text);
  ASSERT_TRUE(ParseCalibData(dir.File("comma.xml"), "main", d, m));
  EXPECT_EQ(d.CalLines[0].LineValue, 7.5);
  EXPECT_EQ(d.CalLines[1].LineValue, 46.25);
}

TEST(ParseCalibData, ReadsBackWhatTheWriterWrote) {
  TScratchDir dir;
  WriteBytes(dir.File("alps.xml"), AlpsTextFile);
  TCalibData d;
  d.Resolution = -1;
  TCalibModel model = cmUndefined;
  ASSERT_TRUE(ParseCalibData(dir.File("alps.xml"), "", d, model));
  TCalibData expected = AlpsRecord();
  expected.Resolution = 123.457;
  expected.CalQuads[1].Latitude = -45.12346;
  EXPECT_EQ(model, cmBiquadraticPn);
  EXPECT_EQ(d, expected);  // the parallel without points is kept

  TMemoryStream s;
  FillStream(s, AlpsStream);
  TCalibData fromStream;
  fromStream.UTMZone = 17;  // no element overwrites it in the stream form
  ASSERT_TRUE(ParseCalibData(&s, "MAIN", fromStream, model));
  expected.UTMZone = 17;
  expected.Ellipsoid = gelWGS84;
  EXPECT_EQ(fromStream, expected);
}

TEST(ParseCalibData, HeaderAttributesAndDefinedValues) {
  TScratchDir dir;
  struct {
    const char* SignatureRest;
    TCalibModel Model;
  } cases[] = {{"", cmBiquadraticPn},                     // no model attribute
               {" model=\"utm\"", cmUTM},
               {" model=\"ConicConformal\"", cmConicConformal},
               {" model=\"mercator\"", cmUndefined},      // unknown name
               {" model=\"undefined\"", cmUndefined}};
  for (const auto& c : cases) {
    WriteBytes(dir.File("h.xml"), std::string("<geomap sig=\"orqcsuite\" id=\"x\" map=\"Maps/ALPS.JPG\" "
                                              "caption=\"Alps \"West\"\"") +
                                      c.SignatureRest + ">\n<ellipsoid>gelNoSuch</ellipsoid>\n</geomap>\n");
    TCalibData d;
    d.Ellipsoid = gelWGS72;
    TCalibModel model = cmParabolicIp;
    ASSERT_TRUE(ParseCalibData(dir.File("h.xml"), "x", d, model));
    EXPECT_EQ(model, c.Model) << c.SignatureRest;
    EXPECT_EQ(d.MapFName, "maps/alps.jpg");
    EXPECT_EQ(d.Caption, "Alps");  // cut at the quote inside
    EXPECT_EQ(d.Ellipsoid, gelWGS84);
  }
}

TEST(ParseCalibData, MissingFileOrBlockIsFalse) {
  TScratchDir dir;
  TCalibData d = AlpsRecord();
  TCalibModel model = cmEquiRect;
  EXPECT_FALSE(ParseCalibData(dir.File("none.xml"), "", d, model));
  EXPECT_EQ(d, AlpsRecord());
  EXPECT_EQ(model, cmEquiRect);
  WriteBytes(dir.File("alps.xml"), AlpsTextFile);
  EXPECT_FALSE(ParseCalibData(dir.File("alps.xml"), "other", d, model));
  EXPECT_EQ(d.NumCalLines, 2);
  TMemoryStream empty;
  EXPECT_FALSE(ParseCalibData(&empty, "", d, model));
  EXPECT_FALSE(ParseCalibData(static_cast<TMemoryStream*>(nullptr), "", d, model));
}

TEST(ParseCalibData, ErrorsAndShortLines) {
  TScratchDir dir;
  auto block = [](const std::string& body) {
    return "<geomap sig=\"OrqCSuite\" id=\"e\">\r\n" + body + "\r\n</geomap>\r\n";
  };
  TCalibData d;
  TCalibModel m;
  WriteBytes(dir.File("e.xml"), block("<calline type=\"Diagonal\" value=\"1\" npoints=\"0\"></calline>"));
  EXPECT_EQ(MapError([&] { ParseCalibData(dir.File("e.xml"), "e", d, m); }),
            "ParseCalibData: invalid type of graticule line: type=\"diagonal\"");
  WriteBytes(dir.File("e.xml"), block("<calline type=\"meridian\" value=\"1\" npoints=\"2\">[1,2] [3,4] [5,6]"
                                      "</calline>"));
  EXPECT_EQ(MapError([&] { ParseCalibData(dir.File("e.xml"), "e", d, m); }),
            "ParseCalibData: specified number of calibration points and actual number does not match");
  EXPECT_EQ(d.NumCalLines, 1);  // the partly read line stays, with what it stores
  EXPECT_EQ(d.CalLines[0].NumPoints, 3);
  WriteBytes(dir.File("e.xml"), block("<calquads npoints=\"3\">[1,2,3,4] [5,6,7,8]</calquads>"));
  EXPECT_EQ(MapError([&] { ParseCalibData(dir.File("e.xml"), "e", d, m); }),
            "ParseCalibData: specified number of calibration points and actual number does not match");
  EXPECT_EQ(d.NumCalQuads, 2);
  WriteBytes(dir.File("e.xml"), block("<calline type=\"meridian\" value=\"1\" npoints=\"2\">[1,2] [3,4]</calline>"));
  EXPECT_TRUE(ParseCalibData(dir.File("e.xml"), "e", d, m));
  EXPECT_EQ(d.NumCalLines, 1);
  EXPECT_EQ(d.CalLines[0].NumPoints, 2);
}

TEST(ParseCalibData, ContentVariants) {
  TScratchDir dir;
  WriteBytes(dir.File("v.xml"),
             "<geomap sig=\"OrqCSuite\" id=\"v\">\n"
             "<utmzone>75</utmzone><utmsouth>TRUE</utmsouth>\n"
             "<resolution>1,5E2</resolution>\n"
             "<corners>[1,5,2] [3.5,4e1]</corners>\n"
             "<calquads npoints=\"1\">[1.5,2,3,4]</calquads>\n"
             "</geomap>\n");
  TCalibData d;
  TCalibModel m;
  ASSERT_TRUE(ParseCalibData(dir.File("v.xml"), "v", d, m));
  EXPECT_EQ(d.UTMZone, 75);  // no range check on reading
  EXPECT_TRUE(d.UTMSouth);
  EXPECT_EQ(d.Resolution, 150);
  EXPECT_EQ(d.Corners[0], (TCoords{1, 5.2}));  // the latitude ends at the first comma
  EXPECT_EQ(d.Corners[1], (TCoords{3.5, 40}));
  EXPECT_EQ(d.CalQuads[0], (TCalQuad{1.5, 2, 3, 4}));
  for (const char* south : {"true", "TRUE", "T", "1", " true"}) {
    WriteBytes(dir.File("s.xml"), std::string("<geomap sig=\"OrqCSuite\">\n<utmsouth>") + south +
                                      "</utmsouth>\n</geomap>\n");
    d.UTMSouth = false;
    ASSERT_TRUE(ParseCalibData(dir.File("s.xml"), "", d, m));
    EXPECT_EQ(d.UTMSouth, std::string(south) == "true" || std::string(south) == "TRUE") << south;
  }
}

const std::string TwoBlocks = CrLf({
    "<geomap sig=\"OrqCSuite\" vers=\"1.0\" id=\"a\" model=\"equirect\" map=\"a.bmp\" caption=\"A\">",
    "<corners>[1.00000,2.00000] [0,0] [0,0] [0,0] </corners>",
    "<calquads npoints=\"1\">",
    "[1.00000,2.00000,3,4] ",
    "</calquads>",
    "</geomap>",
    "<GEOMAP SIG=\"ORQCSUITE\" VERS=\"1.0\" ID=\"B\" MODEL=\"PARABOLICIP\" MAP=\"B.BMP\" CAPTION=\"Bee\">",
    "<CALLINE TYPE=\"MERIDIAN\" VALUE=\"10\" NPOINTS=\"3\">[0,0] [0,50] [0,100] </CALLINE>",
    "<calline type=\"meridian\" value=\"11\" npoints=\"3\">[100,0] [100,50] [100,100] </calline>",
    "<calline type=\"parallel\" value=\"50\" npoints=\"3\">[0,0] [50,0] [100,0] </calline>",
    "<calline type=\"parallel\" value=\"49\" npoints=\"3\">[0,100] [50,100] [100,100] </calline>",
    "</GEOMAP>",
});

TEST(CalibXmlMapReader, BlocksAAndBInOneFile) {
  TScratchDir dir;
  WriteBytes(dir.File("ab.xml"), TwoBlocks);
  TGeoMap map;
  // Quadruples only: the data is taken, but there is no graticule.
  EXPECT_FALSE(map.LoadCalDataFromXML(dir.File("ab.xml"), "A"));
  EXPECT_EQ(map.CalibModel(), cmEquiRect);
  EXPECT_EQ(map.CalibData().NumCalQuads, 1);
  EXPECT_EQ(map.CalibData().Caption, "A");
  EXPECT_EQ(map.CalibData().UTMZone, -1);  // cleared before reading

  EXPECT_TRUE(map.LoadCalDataFromXML(dir.File("ab.xml"), "b"));
  EXPECT_EQ(map.CalibModel(), cmParabolicIp);
  EXPECT_EQ(map.CalibData().NumCalQuads, 0);
  EXPECT_EQ(map.CalibData().NumCalLines, 4);
  EXPECT_EQ(map.CalibData().MapFName, "b.bmp");  // lower case
  EXPECT_EQ(map.CalibData().Caption, "Bee");     // case kept
  EXPECT_EQ(map.CalibData().Corners[0], (TCoords{}));
  EXPECT_EQ(map.MapImgFile(), "");  // b.bmp does not exist

  // No such block: false; the header of a non-matching block was taken over.
  EXPECT_FALSE(map.LoadCalDataFromXML(dir.File("ab.xml"), "c"));
  EXPECT_EQ(map.CalibModel(), cmParabolicIp);
  EXPECT_EQ(map.CalibData().NumCalLines, 4);
  EXPECT_FALSE(map.LoadCalDataFromXML(dir.File("missing.xml"), ""));
}

TEST(CalibXmlMapReader, StreamsWithLfOrCrLfReadTheSame) {
  std::string lf = TwoBlocks;
  for (std::size_t p; (p = lf.find("\r\n")) != std::string::npos;) lf.erase(p, 1);
  for (const std::string& bytes : {TwoBlocks, lf}) {
    TMemoryStream s;
    FillStream(s, bytes);
    TGeoMap map;
    EXPECT_TRUE(map.LoadCalDataFromXML(&s, "b"));
    EXPECT_EQ(map.CalibData().NumCalLines, 4);
    EXPECT_EQ(map.CalibData().CalLines[3].CalPoints[2], (TPoint{100, 100}));
  }
}

TEST(CalibXmlMapReader, DropsShortLinesAndRaisesWithComponentName) {
  TScratchDir dir;
  TGeoMap map;
  map.SetName("Map1");
  WriteBytes(dir.File("s.xml"),
             "<geomap sig=\"OrqCSuite\" model=\"parabolicip\">\n"
             "<calline type=\"meridian\" value=\"1\" npoints=\"2\">[1,2] [3,4]</calline>\n</geomap>\n");
  EXPECT_FALSE(map.LoadCalDataFromXML(dir.File("s.xml"), ""));
  EXPECT_EQ(map.CalibData().NumCalLines, 0);
  WriteBytes(dir.File("s.xml"), "<geomap sig=\"OrqCSuite\">\n<calline type=\"x\"></calline>\n</geomap>\n");
  EXPECT_EQ(MapError([&] { map.LoadCalDataFromXML(dir.File("s.xml"), ""); }),
            "Component \"Map1\": invalid type of graticule line: type=\"x\"");
  WriteBytes(dir.File("s.xml"),
             "<geomap sig=\"OrqCSuite\">\n<calquads npoints=\"1\"></calquads>\n</geomap>\n");
  EXPECT_EQ(MapError([&] { map.LoadCalDataFromXML(dir.File("s.xml"), ""); }),
            "Component \"Map1\": specified number of calibration points and actual number does not match");
}

TEST(CalibXmlMapReader, SaveAndLoadRoundTrip) {
  TScratchDir dir;
  TGeoMap map;
  map.SetCalibModel(cmParabolicIp);
  for (double lon : {10.0, 11.0})
    for (int y : {0, 50, 100}) map.AddCalibPoint(gtlMeridian, lon, lon == 10.0 ? 0 : 100, y);
  for (double lat : {50.0, 49.0})
    for (int x : {0, 50, 100}) map.AddCalibPoint(gtlParallel, lat, x, lat == 50.0 ? 0 : 100);
  map.SaveCalDataAsXML(dir.File("rt.xml"), "rt");
  TGeoMap other;
  ASSERT_TRUE(other.LoadCalDataFromXML(dir.File("rt.xml"), "rt"));
  EXPECT_EQ(other.CalibModel(), cmParabolicIp);
  EXPECT_EQ(other.CalibData().NumCalLines, 4);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(other.CalibData().CalLines[i], map.CalibData().CalLines[i]);

  TMemoryStream s;
  map.SaveCalDataAsXML(&s, "rt");
  s.SetPosition(0);
  TGeoMap third;
  ASSERT_TRUE(third.LoadCalDataFromXML(&s, ""));
  EXPECT_EQ(third.CalibData().NumCalLines, 4);

  // Text files stay open after a block, so a second block can follow.
  TTextFile f(dir.File("two.xml"));
  f.Rewrite();
  map.WriteCalDataToOpenXMLFile(f, true, "one");
  map.WriteCalDataToOpenXMLFile(f, false, "two");
  f.Close();
  f.Reset();
  EXPECT_TRUE(third.ReadCalDataFromOpenXMLFile(f, "one"));
  EXPECT_TRUE(third.ReadCalDataFromOpenXMLFile(f, "two"));
  EXPECT_FALSE(third.ReadCalDataFromOpenXMLFile(f, "one"));
  f.Close();
}

}  // namespace
TEST(CalibXmlMapReader, CalibDataFileLoadsTheFirstBlockAndItsImage) {
  TScratchDir dir;
  TGeoMap source;
  TBitmap image;
  image.SetSize(120, 80);
  image.SaveToFile(dir.File("Valley.bmp"));
  source.SetMapImgName(dir.File("Valley.bmp"));
  source.SetCalibModel(cmEquiRect);
  source.AddCalibPoint(46.0, 7.0, 0, 0);
  source.AddCalibPoint(45.0, 8.0, 119, 79);
  source.SaveCalDataAsXML(dir.File("valley.xml"), "v");

  // The block names its image in lower case; it is still found.
  TGeoMap map;
  map.SetCalibDataFile(dir.File("valley.xml"));
  EXPECT_EQ(map.CalibDataFile(), dir.File("valley.xml"));
  EXPECT_EQ(map.CalibModel(), cmEquiRect);
  EXPECT_EQ(map.CalibData().NumCalQuads, 2);
  EXPECT_EQ(map.MapImgWidth(), 120);
  EXPECT_EQ(map.MapImgHeight(), 80);
}

}  // namespace orq
