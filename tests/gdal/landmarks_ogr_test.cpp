// landmarks convert through OGR: GPX made by ogr2ogr, KML styles, GeoPackage
// fields, track points, and input that is not what it claims.
#include <sstream>

#include "../InProcessCommand.h"
#include "GdalTestSupport.h"
#include "orqplatform/DateTime.h"

namespace orq::test {
namespace {

using cli::RunInProcess;
using cli::TRun;

TRun Convert(std::vector<std::string> Args) {
  Args.insert(Args.begin(), "convert");
  return RunInProcess(cli::RegisterLandmarksCommands, "landmarks", std::move(Args));
}

// The lines of ogrinfo's feature dump that describe the points: geometry,
// name, elevation and time, for comparing two files' points.
std::vector<std::string> PointLines(const std::string& File, const std::string& Layer) {
  const std::string dump = RunGdalTool("ogrinfo", "-ro -al -q " + Quoted(File) + " " + Layer).Out;
  std::vector<std::string> lines;
  std::istringstream in(dump);
  std::string line;
  while (std::getline(in, line)) {
    const std::size_t start = line.find_first_not_of(' ');
    if (start == std::string::npos) continue;
    line = line.substr(start);
    for (const char* key : {"POINT", "name (String)", "ele (Real)", "time (DateTime)"})
      if (line.rfind(key, 0) == 0) lines.push_back(line);
  }
  return lines;
}

TEST(LandmarksOgr, GpxFromOgr2ogrImportsAndExportsBackToTheSamePoints) {
  TGdalScratch dir;
  WriteText(dir.File("wp.csv"),
            "name,lat,lon,ele,time\n"
            "Zurich Hauptbahnhof,47.378177,8.540192,408,2024-05-01T10:00:00Z\n"
            "Bern,46.948,7.4474,540.5,2024-05-01T12:30:15Z\n"
            "Piz Bernina,46.382222,9.908056,4048.6,2023-08-12T06:45:59Z\n");
  ASSERT_EQ(RunGdalTool("ogr2ogr", "-f GPX " + Quoted(dir.File("wp.gpx")) + " " + Quoted(dir.File("wp.csv")) +
                                       " -oo X_POSSIBLE_NAMES=lon -oo Y_POSSIBLE_NAMES=lat -oo AUTODETECT_TYPE=YES "
                                       "-nln waypoints")
                .ExitCode,
            0);

  TRun run = Convert({dir.File("wp.gpx"), dir.File("wp.csv.out"), "--to", "csv"});
  ASSERT_EQ(run.ExitCode, cli::ExitOk) << run.Err;
  const std::vector<TLandMark> lms = ReadLandmarksOgr(dir.File("wp.gpx"), lofGPX, TLandMark{});
  ASSERT_EQ(lms.size(), 3u);
  EXPECT_EQ(lms[0].Latitude, 47.378177);
  EXPECT_EQ(lms[0].Longitude, 8.540192);
  EXPECT_EQ(lms[0].Altitude, 408);
  EXPECT_EQ(std::string(lms[0].Identifier), "Zurich Hauptbah");  // 15 characters
  EXPECT_EQ(std::string(lms[0].Caption.Text), "Zurich Hauptbahnhof");
  EXPECT_EQ(lms[2].Time, EncodeDateTime(2023, 8, 12, 6, 45, 59, 0));
  EXPECT_NE(ReadText(dir.File("wp.csv.out")).find("Piz Bernina,"), std::string::npos);

  run = Convert({dir.File("wp.gpx"), dir.File("back.gpx")});
  ASSERT_EQ(run.ExitCode, cli::ExitOk) << run.Err;
  const std::vector<std::string> original = PointLines(dir.File("wp.gpx"), "waypoints");
  ASSERT_EQ(original.size(), 12u);
  EXPECT_EQ(PointLines(dir.File("back.gpx"), "waypoints"), original);
}

TEST(LandmarksOgr, GpxTrackPointsComeInTheirOrderAfterTheWaypoints) {
  TGdalScratch dir;
  WriteText(dir.File("trk.gpx"),
            "<?xml version=\"1.0\"?>\n<gpx version=\"1.1\" creator=\"test\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n"
            "<wpt lat=\"46.5\" lon=\"7.5\"><name>Start</name><sym>Square</sym></wpt>\n"
            "<trk><name>walk</name><trkseg>\n"
            "<trkpt lat=\"46.50\" lon=\"7.50\"><ele>1000</ele><time>2024-06-01T08:00:00Z</time></trkpt>\n"
            "<trkpt lat=\"46.51\" lon=\"7.52\"><ele>1100</ele><time>2024-06-01T08:10:00Z</time></trkpt>\n"
            "<trkpt lat=\"46.53\" lon=\"7.53\"><ele>1250</ele><time>2024-06-01T08:20:00Z</time></trkpt>\n"
            "</trkseg></trk>\n</gpx>\n");
  const std::vector<TLandMark> lms = ReadLandmarksOgr(dir.File("trk.gpx"), lofGPX, TLandMark{});
  ASSERT_EQ(lms.size(), 4u);
  EXPECT_EQ(lms[0].SymbolProps.Kind, lmSquare);
  EXPECT_EQ(std::string(lms[0].Identifier), "Start");
  EXPECT_EQ(lms[1].Time, EncodeDateTime(2024, 6, 1, 8, 0, 0, 0));
  for (int i = 2; i < 4; ++i) EXPECT_LT(lms[i - 1].Time, lms[i].Time);
  EXPECT_EQ(lms[3].Altitude, 1250);
  EXPECT_EQ(lms[3].Latitude, 46.53);
}

std::vector<TLandMark> StyledLandmarks() {
  std::vector<TLandMark> lms(3);
  const TLandMarkElement kinds[3] = {lmCircle, lmTriangle, lmSpade};
  const TColor colours[3] = {0x0000FF, 0x00FF00, 0x804020};
  for (int i = 0; i < 3; ++i) {
    TLandMark& lm = lms[static_cast<std::size_t>(i)];
    lm.Latitude = 46 + i * 0.25;
    lm.Longitude = 7.125 + i;
    lm.Altitude = 500 + i;
    lm.Identifier = "P" + std::to_string(i);
    lm.Caption.Text = "P" + std::to_string(i);
    lm.Time = EncodeDateTime(2025, 3, 1 + i, 9, 30, 15, 0);
    lm.SymbolProps.Kind = kinds[i];
    lm.SymbolProps.FGColor = colours[i];
  }
  return lms;
}

TEST(LandmarksOgr, KmlAndKmzKeepNamesTimesAltitudesAndSymbolStyles) {
  TGdalScratch dir;
  const std::vector<TLandMark> lms = StyledLandmarks();
  for (const auto& [name, format] : {std::pair{"marks.kml", lofKML}, std::pair{"marks.kmz", lofKMZ}}) {
    WriteLandmarksOgr(dir.File(name), format, lms);
    const std::vector<TLandMark> back = ReadLandmarksOgr(dir.File(name), format, TLandMark{});
    ASSERT_EQ(back.size(), lms.size()) << name;
    for (std::size_t i = 0; i < lms.size(); ++i) {
      EXPECT_EQ(back[i].Latitude, lms[i].Latitude) << name;
      EXPECT_EQ(back[i].Longitude, lms[i].Longitude);
      EXPECT_EQ(back[i].Altitude, lms[i].Altitude);
      EXPECT_EQ(std::string(back[i].Identifier), std::string(lms[i].Identifier));
      EXPECT_NEAR(back[i].Time, lms[i].Time, 1e-8);
      EXPECT_EQ(back[i].SymbolProps.Kind, lms[i].SymbolProps.Kind) << name << " " << i;
      EXPECT_EQ(back[i].SymbolProps.FGColor, lms[i].SymbolProps.FGColor) << name << " " << i;
    }
  }
  // What Google Earth reads: the placemark's icon style carries the colour (aabbggrr).
  EXPECT_NE(ReadText(dir.File("marks.kml")).find("<color>ff804020</color>"), std::string::npos);
}

TEST(LandmarksOgr, KmlSharedStylesGiveTheSymbolByItsIconName) {
  TGdalScratch dir;
  WriteText(dir.File("shared.kml"),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<kml xmlns=\"http://www.opengis.net/kml/2.2\"><Document>\n"
            "<Style id=\"red\"><IconStyle><color>ff0000ff</color><Icon><href>http://example.com/icons/Circle.png</href>"
            "</Icon></IconStyle></Style>\n"
            "<Placemark><name>Shared</name><styleUrl>#red</styleUrl><Point><coordinates>7.5,46.5,1200</coordinates>"
            "</Point></Placemark>\n"
            "<Placemark><name>Plain</name><Point><coordinates>7.6,46.6</coordinates></Point></Placemark>\n"
            "</Document></kml>\n");
  TLandMark start;
  start.SymbolProps.Kind = lmCross;
  const std::vector<TLandMark> lms = ReadLandmarksOgr(dir.File("shared.kml"), lofKML, start);
  ASSERT_EQ(lms.size(), 2u);
  EXPECT_EQ(lms[0].SymbolProps.Kind, lmCircle);
  EXPECT_EQ(lms[0].SymbolProps.FGColor, 0x0000FFu);  // red
  EXPECT_EQ(lms[0].Altitude, 1200);
  EXPECT_EQ(lms[1].SymbolProps.Kind, lmCross);  // no style: the template's
}

TEST(LandmarksOgr, GeoPackageKeepsEveryLandmarkField) {
  TGdalScratch dir;
  std::vector<TLandMark> lms = StyledLandmarks();
  lms[1].ClassFlag = 200;
  lms[1].Tag = -77;
  lms[1].Identifier = "ID-1";
  lms[1].Caption.Text = "Caption of one, not its identifier";
  lms[1].SymbolProps.Size = 13;
  lms[1].SymbolProps.BGColor = 0x123456;
  lms[1].SymbolProps.Transparent = true;
  lms[1].Caption.Size = 11;
  lms[1].Caption.FGColor = 0xABCDEF;
  lms[2].Time = 0;  // no time
  const TRun run = [&] {
    WriteLandmarksOgr(dir.File("in.gpkg"), lofGPKG, lms);
    return Convert({dir.File("in.gpkg"), dir.File("out.gpkg")});
  }();
  ASSERT_EQ(run.ExitCode, cli::ExitOk) << run.Err;
  TLandMark start;
  start.Time = 12345;  // what a missing time keeps
  const std::vector<TLandMark> back = ReadLandmarksOgr(dir.File("out.gpkg"), lofGPKG, start);
  ASSERT_EQ(back.size(), lms.size());
  const TLandMark& b = back[1];
  EXPECT_EQ(b.ClassFlag, 200);
  EXPECT_EQ(b.Tag, -77);
  EXPECT_EQ(std::string(b.Identifier), "ID-1");
  EXPECT_EQ(std::string(b.Caption.Text), "Caption of one, not its identifier");
  EXPECT_EQ(b.SymbolProps.Kind, lmTriangle);
  EXPECT_EQ(b.SymbolProps.Size, 13);
  EXPECT_EQ(b.SymbolProps.FGColor, 0x00FF00u);
  EXPECT_EQ(b.SymbolProps.BGColor, 0x123456u);
  EXPECT_TRUE(b.SymbolProps.Transparent);
  EXPECT_EQ(b.Caption.Size, 11);
  EXPECT_EQ(b.Caption.FGColor, 0xABCDEFu);
  EXPECT_NEAR(b.Time, lms[1].Time, 1e-8);
  EXPECT_EQ(b.Altitude, 501);
  EXPECT_EQ(back[2].Time, 12345);
}

TEST(LandmarksOgr, InputThatIsNotItsFormatFailsOnOneLineAndWritesNothing) {
  TGdalScratch dir;
  WriteText(dir.File("bad.gpx"), "this is not XML at all\n");
  TRun run = Convert({dir.File("bad.gpx"), dir.File("out.csv")});
  EXPECT_EQ(run.ExitCode, cli::ExitBadInput);
  EXPECT_EQ(run.Err.rfind("orqcarta landmarks convert: " + dir.File("bad.gpx") + ": ", 0), 0u) << run.Err;
  EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1) << run.Err;
  EXPECT_FALSE(fs::exists(dir.File("out.csv")));

  // A file broken off after GDAL has opened it is refused, not read in
  // part: large enough that GDAL meets the break only while reading.
  std::string cut = "<?xml version=\"1.0\"?>\n<gpx version=\"1.1\" creator=\"test\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n";
  for (int i = 0; i < 3000; ++i) cut += "<wpt lat=\"46.5\" lon=\"7.5\"><name>p" + std::to_string(i) + "</name></wpt>\n";
  WriteText(dir.File("cut.gpx"), cut + "<wpt lat=\"46.6\" lon=");
  run = Convert({dir.File("cut.gpx"), dir.File("out.csv")});
  EXPECT_EQ(run.ExitCode, cli::ExitBadInput) << run.Out;
  EXPECT_EQ(run.Err.rfind("orqcarta landmarks convert: " + dir.File("cut.gpx") + ": GDAL could not read all of it", 0),
            0u)
      << run.Err;
  EXPECT_FALSE(fs::exists(dir.File("out.csv")));

  run = Convert({dir.File("missing.kml"), dir.File("out.gpx")});
  EXPECT_EQ(run.ExitCode, cli::ExitBadInput);
  EXPECT_NE(run.Err.find("no such file"), std::string::npos) << run.Err;
  EXPECT_FALSE(fs::exists(dir.File("out.gpx")));

  run = Convert({dir.File("wp.csv"), "-", "--to", "gpx"});  // GPX goes to files only
  EXPECT_EQ(run.ExitCode, cli::ExitUsage);
}

}  // namespace
}  // namespace orq::test
