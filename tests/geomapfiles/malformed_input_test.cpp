// Every reader against truncated, oversized, binary and empty input: no
// crash, nothing stored beyond a record's capacity, only the documented
// errors.
#include <gtest/gtest.h>

#include <unistd.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "files_test_support.h"
#include "orqcarta/geomap/CalibXml.h"
#include "orqcarta/geomap/SymbolRepository.h"

namespace orq {
namespace {

std::string Oversized() {
  std::string t = "<geomap sig=\"OrqCSuite\" id=\"big\" model=\"parabolicip\" caption=\"" + std::string(1000, 'c') +
                  "\" map=\"" + std::string(1000, 'm') + ".bmp\">\n";
  t += "<corners>[1,2] [3,4] [5,6] [7,8] [9,10] [11,12]</corners>\n";
  for (int l = 0; l < 30; ++l) {
    t += "<calline type=\"meridian\" value=\"" + std::to_string(l) + "\" npoints=\"12\">";
    for (int p = 0; p < 12; ++p) t += "[" + std::to_string(p) + "," + std::to_string(l) + "] ";
    t += "</calline>\n";
  }
  t += "<calquads npoints=\"300\">";
  for (int q = 0; q < 300; ++q) t += "[1.5,2.5," + std::to_string(q) + ",7] ";
  t += "</calquads>\n";
  t += "<gmlandmarks sig=\"OrqCSuite\" id=\"big\">\n<lmsymbols sig=\"OrqCSuite\" id=\"big\">\n";
  t += "<landmark lat=\"" + std::string(1000, '9') + "\" captext=\"" + std::string(1000, 'x') + "\" id=\"" +
       std::string(1000, 'i') + "\" capfnm=\"" + std::string(1000, 'f') + "\" capfst=\"" + std::string(1000, '1') +
       "\" date=\"" + std::string(1000, '2') + "\" colorfg=\"" + std::string(1000, 'F') + "\"/>\n";
  t += "<symbol name=\"" + std::string(1000, 'n') + "\" size=\"" + std::string(1000, '7') + "\"/>\n";
  t += "</geomap>\n";
  return t;
}

std::vector<std::string> MalformedInputs() {
  std::vector<std::string> inputs = {"", "\n", "\r\n\r\n", "<", "<geomap sig=\"orqcsuite\"",
                                     "<geomap sig=\"orqcsuite\">\n<calline type=\"meridian\" npoints=\"",
                                     "<geomap sig=\"orqcsuite\">\n<corners>[[[]]]][,,,][", Oversized()};
  const std::string big = Oversized();
  for (std::size_t cut = 0; cut < big.size(); cut += 97) inputs.push_back(big.substr(0, cut));
  std::mt19937 rng(20261208);
  for (int i = 0; i < 20; ++i) {
    std::string bytes(2000, '\0');
    for (char& c : bytes) c = static_cast<char>(rng());
    inputs.push_back(bytes);
    // The same behind signature lines, so the element readers see it.
    inputs.push_back("<geomap sig=\"OrqCSuite\">\n<gmlandmarks sig=\"OrqCSuite\">\n<lmsymbols sig=\"OrqCSuite\">\n" +
                     bytes + "<calquads npoints=\"1\">[" + bytes.substr(0, 40) + "]</calquads>");
  }
  return inputs;
}

void ExpectWithinCapacity(const TCalibData& d) {
  ASSERT_GE(d.NumCalLines, 0);
  ASSERT_LE(d.NumCalLines, MaxCalibLines);
  for (int i = 0; i < d.NumCalLines; ++i) {
    ASSERT_GE(d.CalLines[i].NumPoints, 0);
    ASSERT_LE(d.CalLines[i].NumPoints, MaxPointsPerLine);
  }
  ASSERT_GE(d.NumCalQuads, 0);
  ASSERT_LE(d.NumCalQuads, MaxCalibQuads);
}

// Runs a reader; reading errors of the calibration format are allowed.
void Survives(const std::function<void()>& Read) {
  try {
    Read();
  } catch (const EOrqGeoMapError&) {
  }
}

TEST(MalformedInput, CalibrationReadersStayWithinTheRecord) {
  TScratchDir dir;
  const std::string file = dir.File("bad.xml");
  for (const std::string& input : MalformedInputs()) {
    WriteBytes(file, input);
    TCalibData d;
    TCalibModel model;
    Survives([&] { ParseCalibData(file, "", d, model); });
    ExpectWithinCapacity(d);
    TMemoryStream s;
    FillStream(s, input);
    TCalibData fromStream;
    Survives([&] { ParseCalibData(&s, "", fromStream, model); });
    ExpectWithinCapacity(fromStream);

    TGeoMap map;
    map.SetSuppressPaint(true);
    Survives([&] { map.LoadCalDataFromXML(file, ""); });
    ExpectWithinCapacity(map.CalibData());
    FillStream(s, input);
    Survives([&] { map.LoadCalDataFromXML(&s, ""); });
    ExpectWithinCapacity(map.CalibData());
  }
}

TEST(MalformedInput, ExtraEntriesAreIgnored) {
  TScratchDir dir;
  WriteBytes(dir.File("big.xml"), Oversized());
  TCalibData d;
  TCalibModel model;
  ASSERT_TRUE(ParseCalibData(dir.File("big.xml"), "big", d, model));
  EXPECT_EQ(d.NumCalLines, MaxCalibLines);
  EXPECT_EQ(d.CalLines[24].LineValue, 24);
  EXPECT_EQ(d.CalLines[24].NumPoints, MaxPointsPerLine);
  EXPECT_EQ(d.CalLines[24].CalPoints[9], (TPoint{9, 24}));
  EXPECT_EQ(d.NumCalQuads, MaxCalibQuads);
  EXPECT_EQ(d.CalQuads[199], (TCalQuad{1.5, 2.5, 199, 7}));
  EXPECT_EQ(d.Corners[3], (TCoords{7, 8}));
  EXPECT_EQ(d.Caption, std::string(1000, 'c'));

  TGeoMap map;
  map.SetSuppressPaint(true);
  map.LoadCalDataFromXML(dir.File("big.xml"), "big");
  EXPECT_EQ(map.CalibData().NumCalLines, MaxCalibLines);
  EXPECT_EQ(map.CalibData().NumCalQuads, MaxCalibQuads);
}

TEST(MalformedInput, LandmarkAndSymbolReaders) {
  TScratchDir dir;
  const std::string file = dir.File("bad.xml");
  for (const std::string& input : MalformedInputs()) {
    WriteBytes(file, input);
    TGeoMap map;
    map.SetSuppressPaint(true);
    map.LoadLandMarks(file, "");
    ASSERT_LE(map.NumLandMarks(), map.LandMarkCapacity());
    for (int i = 1; i <= map.NumLandMarks(); ++i) {
      const TLandMark lm = map.LandMarkData(i);
      ASSERT_LE(lm.Caption.Text.length(), 80u);
      ASSERT_LE(lm.Identifier.length(), 15u);
    }
    TSymbolRepository r;
    r.LoadFromFile(file, "");
    ASSERT_LE(r.NumEntries(), r.Capacity());
    for (int i = 1; i <= r.NumEntries(); ++i) ASSERT_LE(r.Symbols(i).Name.length(), 40u);
  }
  WriteBytes(file, Oversized());
  TGeoMap map;
  ASSERT_TRUE(map.LoadLandMarks(file, "BIG"));
  ASSERT_EQ(map.NumLandMarks(), 1);
  EXPECT_EQ(map.LandMarkData(1).Latitude, std::numeric_limits<double>::max());
  EXPECT_EQ(map.LandMarkData(1).Caption.Text.str(), std::string(80, 'x'));
  EXPECT_EQ(map.LandMarkData(1).Time, 0.0);
  TSymbolRepository r;
  ASSERT_TRUE(r.LoadFromFile(file, "big"));
  ASSERT_EQ(r.NumEntries(), 1);
  EXPECT_EQ(r.Symbols(1).Properties.Size, 2147483647);
}

}  // namespace
}  // namespace orq
