// orqcarta landmarks convert, run as a program; the XML files it writes are
// read back with the map control's own reader.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "ToolRunner.h"
#include "orqcarta/Orq_GeoMap.h"

namespace orq::cli::test {
namespace {

const std::string DataDir = ORQ_TEST_DATA_DIR;
const std::string SampleXml = DataDir + "/landmarks.xml";

// A scratch directory removed with its files at the end of the test.
class TScratch {
 public:
  TScratch() {
    char name[] = "/tmp/orq_lmconv_XXXXXX";
    Dir = mkdtemp(name);
  }
  ~TScratch() {
    const std::string cmd = "rm -rf '" + Dir + "'";
    if (std::system(cmd.c_str()) != 0) ADD_FAILURE() << cmd;
  }
  std::string File(const std::string& Name) const { return Dir + "/" + Name; }
  std::string Dir;
};

void WriteFile(const std::string& Path, const std::string& Text) { std::ofstream(Path, std::ios::binary) << Text; }

std::vector<TLandMark> LoadXml(const std::string& Path, const std::string& Id) {
  TGeoMap map;
  map.SetSuppressPaint(true);
  EXPECT_TRUE(map.LoadLandMarks(Path, Id)) << Path;
  std::vector<TLandMark> result;
  for (int i = 1; i <= map.NumLandMarks(); ++i) result.push_back(map.LandMarkData(i));
  return result;
}

std::string Convert(const std::string& Args) {
  const TToolRun run = RunTool("landmarks convert " + Args);
  EXPECT_EQ(run.ExitCode, 0) << Args << "\n" << run.Err;
  EXPECT_EQ(run.Err, "") << Args;
  return run.Out;
}

const char* const CsvHeader =
    "lat,long,alt,class,tag,symbol,size,colorfg,colorbg,transparent,direction,length,identifier,time,caption,"
    "capsize,capfont,capcolorfg,capcolorbg,captransparent,capdirection,capdx,capdy,caphalign,capvalign,capstyles";

TEST(LandmarksConvert, XmlToCsvWritesEveryFieldInUtf8) {
  const std::string csv = Convert("--id peaks --to csv '" + SampleXml + "' -");
  EXPECT_EQ(csv, std::string(CsvHeader) +
                     "\n45.8326,6.8652,4808,0,0,Cross,0,00000000,00000000,false,0,0,,,Mont Blanc,0,,00000000,"
                     "00000000,false,0,0,0,left,top,\n");

  const std::string all = Convert("--to csv '" + SampleXml + "' -");
  std::istringstream lines(all);
  std::string header, innsbruck, sydney;
  std::getline(lines, header);
  std::getline(lines, innsbruck);
  std::getline(lines, sydney);
  EXPECT_EQ(innsbruck,
            "47.26543,11.39277,574,3,-12,Square,9,000000FF,00FFFFFF,true,45,20,IBK,2024-05-01T12:30:00,"
            "\"Innsbruck, Tirol\",10,DejaVu Sans,00000000,00FFFFFF,false,0,0,8,center,top,bold+underline");
  // Windows-1252 in the file, UTF-8 in the CSV; the text is not unescaped.
  EXPECT_NE(sydney.find(",Z\xC3\xBCrich &amp; Gen\xC3\xA8ve \xE2\x80\x93 Stra\xC3\x9F" "e,"), std::string::npos)
      << sydney;
}

TEST(LandmarksConvert, RoundTripsThroughCsvAndGeoJsonKeepPositionsAndTexts) {
  TScratch tmp;
  const std::vector<TLandMark> original = LoadXml(SampleXml, "");
  ASSERT_EQ(original.size(), 3u);  // the first block reads on into the second
  for (const char* ext : {"csv", "geojson"}) {
    const std::string mid = tmp.File(std::string("mid.") + ext), back = tmp.File(std::string("back.") + ext + ".xml");
    Convert("'" + SampleXml + "' '" + mid + "'");
    Convert("--id again '" + mid + "' '" + back + "'");
    const std::vector<TLandMark> reread = LoadXml(back, "again");
    EXPECT_EQ(reread, original) << ext;
  }
  // The GeoJSON holds a FeatureCollection of Points at [long, lat, alt].
  const std::string json = Convert("--to geojson '" + SampleXml + "' -");
  EXPECT_EQ(json.rfind("{\n\"type\": \"FeatureCollection\",\n\"features\": [\n", 0), 0u);
  EXPECT_NE(json.find("\"coordinates\": [11.39277, 47.26543, 574]"), std::string::npos);
  EXPECT_NE(json.find("\"caption\": \"Innsbruck, Tirol\""), std::string::npos);
  EXPECT_NE(json.find("\"transparent\": true"), std::string::npos);
}

TEST(LandmarksConvert, PointsWithOnlyPositionsGetTheDefaultLandmark) {
  TScratch tmp;
  WriteFile(tmp.File("in.csv"), "lat,long,caption\n52.52,13.405,Berlin\n-1.5,-70,\n");
  Convert("'" + tmp.File("in.csv") + "' '" + tmp.File("out.xml") + "'");
  const std::vector<TLandMark> lms = LoadXml(tmp.File("out.xml"), "");
  ASSERT_EQ(lms.size(), 2u);
  TGeoMap map;
  TLandMark expected = map.LandMarkDefault();
  expected.Latitude = 52.52;
  expected.Longitude = 13.405;
  expected.Caption.Text = std::string("Berlin");
  EXPECT_EQ(lms[0], expected);
  EXPECT_EQ(lms[1].Latitude, -1.5);
  EXPECT_EQ(lms[1].Caption.Text.str(), "");

  // GeoJSON from standard input, with a foreign property that is listed.
  const TToolRun run = RunTool(
      "landmarks convert --from geojson - '" + tmp.File("j.xml") + "'",
      "{\"type\":\"FeatureCollection\",\"features\":[{\"type\":\"Feature\",\"geometry\":{\"type\":\"Point\","
      "\"coordinates\":[2.35,48.85]},\"properties\":{\"name\":\"Paris\",\"population\":2100000}}]}");
  EXPECT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(run.ErrLines(), std::vector<std::string>{
                                "orqcarta landmarks convert: ignoring \"population\" (not a landmark field)"});
  const std::vector<TLandMark> paris = LoadXml(tmp.File("j.xml"), "");
  ASSERT_EQ(paris.size(), 1u);
  EXPECT_EQ(paris[0].Caption.Text.str(), "Paris");
  EXPECT_EQ(paris[0].Longitude, 2.35);

  // Texts the code page lacks are written as "?", with a warning.
  WriteFile(tmp.File("cjk.csv"), "lat,long,caption\n35.68,139.69,\xE6\x9D\xB1\xE4\xBA\xAC\n1,2,ok\n");
  const TToolRun cjk = RunTool("landmarks convert '" + tmp.File("cjk.csv") + "' '" + tmp.File("cjk.xml") + "'");
  EXPECT_EQ(cjk.ExitCode, 0);
  EXPECT_EQ(cjk.ErrLines(), std::vector<std::string>{"orqcarta landmarks convert: 1 landmark has characters that the "
                                                     "XML file's code page (Windows-1252) lacks; they are written "
                                                     "as \"?\""});
  EXPECT_EQ(LoadXml(tmp.File("cjk.xml"), "")[0].Caption.Text.str(), "??");
}

TEST(LandmarksConvert, BadInputAndUsageAreReported) {
  TScratch tmp;
  WriteFile(tmp.File("bad.csv"), "lat,long\n1,2\n91,2\n");
  WriteFile(tmp.File("bad.geojson"), "{\"type\": \"FeatureCollection\", \"features\": [}");
  struct TCase {
    std::string Args;
    int Exit;
    std::string Err;
  };
  const TCase cases[] = {
      {"'" + tmp.File("bad.csv") + "' -  --to xml", 2,
       "orqcarta landmarks convert: the XML side must be a file, not \"-\""},
      {"'" + tmp.File("bad.csv") + "' '" + tmp.File("o.xml") + "'", 1,
       "orqcarta landmarks convert: " + tmp.File("bad.csv") + ": line 3: invalid latitude \"91\""},
      {"'" + tmp.File("bad.geojson") + "' '" + tmp.File("o.xml") + "'", 1,
       "orqcarta landmarks convert: " + tmp.File("bad.geojson") +
           ": JSON line 1, column 44: unexpected character"},
      {"--id nosuch '" + SampleXml + "' -  --to csv", 1,
       "orqcarta landmarks convert: " + SampleXml + ": no landmark block \"nosuch\" in \"" + SampleXml + "\""},
      {"'" + DataDir + "/symbols.xml' - --to csv", 1,
       "orqcarta landmarks convert: " + DataDir + "/symbols.xml: no landmark block in \"" + DataDir +
           "/symbols.xml\""},
      {"/nonexistent/in.xml - --to csv", 3, "orqcarta landmarks convert: cannot open \"/nonexistent/in.xml\""},
      {"'" + SampleXml + "' /nonexistent/out.csv", 3,
       "orqcarta landmarks convert: cannot create \"/nonexistent/out.csv\""},
      {"'" + SampleXml + "' /nonexistent/out.xml", 3,
       "orqcarta landmarks convert: cannot create \"/nonexistent/out.xml\""},
      {"'" + SampleXml + "' out.txt", 2,
       "orqcarta landmarks convert: cannot tell the format of \"out.txt\" from its extension; give --to"},
      {"--to shp '" + SampleXml + "' out.shp", 2,
       "orqcarta landmarks convert: unknown format \"shp\" (xml, csv, geojson, gpx, kml, kmz or gpkg)"},
  };
  for (const TCase& c : cases) {
    const TToolRun run = RunTool("landmarks convert " + c.Args);
    EXPECT_EQ(run.ExitCode, c.Exit) << c.Args;
    EXPECT_EQ(run.ErrLines(), std::vector<std::string>{c.Err}) << c.Args;
  }
  EXPECT_EQ(RunTool("landmarks convert only-one.csv").ExitCode, 2);
  EXPECT_EQ(RunTool("landmarks").ExitCode, 2);
}

}  // namespace
}  // namespace orq::cli::test
