// Calibrations in: round trips through our own exports, OziExplorer .map and
// QGIS .points files written here, projected GCPs, and the refusals.
#include <cpl_conv.h>
#include <ogr_spatialref.h>

#include <cmath>

#include "../InProcessCommand.h"
#include "GdalTestSupport.h"
#include "orqcarta/geomap/CalibXml.h"

namespace orq::test {
namespace {

using cli::RunInProcess;
using cli::TRun;

constexpr int W = 600, H = 400;

std::string Lower(std::string S) {
  for (char& c : S) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return S;
}

TRun RunCalib(std::vector<std::string> Args) { return RunInProcess(cli::RegisterCalibCommands, "calib", std::move(Args)); }

void ExpectSameQuads(const TCalibData& Got, const std::vector<TCalQuad>& Want, double Tolerance) {
  ASSERT_EQ(Got.NumCalQuads, static_cast<int>(Want.size()));
  for (std::size_t i = 0; i < Want.size(); ++i) {
    EXPECT_EQ(Got.CalQuads[i].MapX, Want[i].MapX) << "quadruple " << i;
    EXPECT_EQ(Got.CalQuads[i].MapY, Want[i].MapY) << "quadruple " << i;
    EXPECT_NEAR(Got.CalQuads[i].Latitude, Want[i].Latitude, Tolerance) << "quadruple " << i;
    EXPECT_NEAR(Got.CalQuads[i].Longitude, Want[i].Longitude, Tolerance) << "quadruple " << i;
  }
}

TEST(CalibImport, ExportedVrtComesBackAsTheSameQuadruplesAndModel) {
  TGdalScratch dir;
  struct TCase {
    TCalibModel Model;
    std::vector<TCalQuad> Quads;
  };
  // 25 GCPs choose the biquadratic model themselves; the affine one is named.
  for (const TCase& c : {TCase{cmBiquadraticPn, CurvedQuads(W, H)}, TCase{cmEquiRect, CurvedQuads(W, H)}}) {
    TGeoMap map;
    MakeMap(map, dir, "trip", c.Model, c.Quads, W, H);
    ExportCalibration(map, dir.File("trip.vrt"), cefVRT);
    const TImportedCalibration back =
        ImportCalibration(dir.File("trip.vrt"), c.Model == cmBiquadraticPn ? cmUndefined : c.Model);
    EXPECT_EQ(back.Model, c.Model);
    EXPECT_EQ(back.Data.MapFName, dir.File("trip.bmp"));
    EXPECT_EQ(back.ImageWidth, W);
    EXPECT_EQ(back.ImageHeight, H);
    ExpectSameQuads(back.Data, c.Quads, 1e-11);
  }
}

TEST(CalibImport, UtmGcpsStayMetresInTheirZone) {
  TGdalScratch dir;
  TGeoMap map;
  const std::vector<TCalQuad> quads = UtmQuads(W, H);
  MakeMap(map, dir, "utm", cmUTM, quads, W, H);
  SetUtmZone(map, 33, true);
  ExportCalibration(map, dir.File("utm.vrt"), cefVRT);
  const TImportedCalibration back = ImportCalibration(dir.File("utm.vrt"));
  EXPECT_EQ(back.Model, cmUTM);
  EXPECT_EQ(back.Data.UTMZone, 33);
  EXPECT_TRUE(back.Data.UTMSouth);
  EXPECT_EQ(back.Data.Ellipsoid, gelWGS84);
  ExpectSameQuads(back.Data, quads, 1e-5);
  // Asked for another model, the same GCPs become latitudes and longitudes.
  const TImportedCalibration geo = ImportCalibration(dir.File("utm.vrt"), cmEquiRect);
  EXPECT_EQ(geo.Model, cmEquiRect);
  double lat, lon;
  UTMToLatLong(quads[0].Longitude, quads[0].Latitude, 33, true, gelWGS84, lat, lon);
  EXPECT_NEAR(geo.Data.CalQuads[0].Latitude, lat, 1e-8);
  EXPECT_NEAR(geo.Data.CalQuads[0].Longitude, lon, 1e-8);
}

TEST(CalibImport, CommandWritesABlockThatLoadsIntoAMap) {
  TGdalScratch dir;
  TGeoMap map;
  MakeMap(map, dir, "cli", cmBiquadraticPn, CurvedQuads(W, H), W, H);
  ExportCalibration(map, dir.File("cli.vrt"), cefVRT);
  const TRun run = RunCalib({"import", dir.File("cli.vrt"), "-o", dir.File("cli_back.xml")});
  ASSERT_EQ(run.ExitCode, cli::ExitOk) << run.Err;
  EXPECT_NE(run.Out.find("model biquadraticpn, 25 quadruples"), std::string::npos) << run.Out;
  TGeoMap loaded;
  loaded.SetSuppressPaint(true);
  loaded.LoadCalDataFromXML(dir.File("cli_back.xml"), "");
  EXPECT_EQ(loaded.CalibModel(), cmBiquadraticPn);
  EXPECT_EQ(loaded.MapImgWidth(), W);
  // The file keeps five decimals: the same pixel lands within 1e-4 degrees.
  bool valid = false;
  EXPECT_NEAR(loaded.CalcLatitude(300, 200, valid), map.CalcLatitude(300, 200, valid), 1e-4);
  EXPECT_NEAR(loaded.CalcLongitude(300, 200, valid), map.CalcLongitude(300, 200, valid), 1e-4);
}

// An OziExplorer .map (a documented text format) with the points given in
// degrees and minutes.
std::string OziMap(const std::string& Image, const std::vector<TCalQuad>& Points) {
  std::string text =
      "OziExplorer Map Data File Version 2.2\r\ntest\r\n" + Image +
      "\r\n1 ,Map Code,\r\nWGS 84,WGS 84,   0.0000,   0.0000,WGS 84\r\nReserved 1\r\nReserved 2\r\n"
      "Magnetic Variation,,,E\r\nMap Projection,Latitude/Longitude,PolyCal,No,AutoCalOnly,No,BSBUseWPX,No\r\n";
  char line[256];
  for (std::size_t i = 0; i < Points.size(); ++i) {
    const TCalQuad& p = Points[i];
    const int latDeg = static_cast<int>(p.Latitude), lonDeg = static_cast<int>(p.Longitude);
    std::snprintf(line, sizeof line,
                  "Point%02zu,xy,%5d,%5d,in, deg,%4d,%8.4f,N,%4d,%8.4f,E, grid,   ,           ,           ,N\r\n", i + 1,
                  p.MapX, p.MapY, latDeg, (p.Latitude - latDeg) * 60, lonDeg, (p.Longitude - lonDeg) * 60);
    text += line;
  }
  text += "Projection Setup,,,,,,,,,,\r\nMM0,Yes\r\nIWH,Map Image Width/Height," + std::to_string(W) + "," +
          std::to_string(H) + "\r\n";
  return text;
}

TEST(CalibImport, OziExplorerMapGivesTheGcpsGdalinfoReports) {
  TGdalScratch dir;
  TGeoMap map;
  MakeMap(map, dir, "ozi", cmEquiRect, CurvedQuads(W, H), W, H);
  // Five points that no affine law fits exactly, so that GDAL keeps GCPs.
  const std::vector<TCalQuad> points = {{45.5, 5.5, 30, 350},  {45.5, 10.5, 570, 352}, {47.75, 5.5, 28, 40},
                                        {47.75, 10.5, 568, 38}, {46.6, 8.1, 300, 210}};
  WriteText(dir.File("ozi.map"), OziMap("ozi.bmp", points));
  const std::string info = RunGdalTool("gdalinfo", Quoted(dir.File("ozi.map"))).Out;
  ASSERT_NE(info.find("GCP[  4]"), std::string::npos) << info;
  const TRun run = RunCalib({"import", dir.File("ozi.map"), "-o", dir.File("ozi_back.xml")});
  ASSERT_EQ(run.ExitCode, cli::ExitOk) << run.Err;
  const TImportedCalibration back = ImportCalibration(dir.File("ozi.map"));
  EXPECT_EQ(back.Model, cmEquiRect);  // 3 to 5 GCPs
  EXPECT_EQ(back.Data.MapFName, dir.File("ozi.bmp"));
  ExpectSameQuads(back.Data, points, 1e-6);  // minutes with 4 decimals
}

TEST(CalibImport, WorldFileAndPrjGiveTheAffineLawBack) {
  TGdalScratch dir;
  TGeoMap map;
  MakeMap(map, dir, "wld", cmEquiRect, CurvedQuads(W, H), W, H);
  ExportCalibration(map, "", cefWorldFile);
  const TImportedCalibration back = ImportCalibration(dir.File("wld.bmp"));
  EXPECT_EQ(back.Model, cmEquiRect);
  ASSERT_EQ(back.Data.NumCalQuads, 9);
  for (int i = 0; i < 9; ++i) {
    const TCalQuad& q = back.Data.CalQuads[static_cast<std::size_t>(i)];
    bool valid = false;
    EXPECT_NEAR(q.Latitude, map.CalcLatitude(q.MapX, q.MapY, valid), 1e-12);
    EXPECT_NEAR(q.Longitude, map.CalcLongitude(q.MapX, q.MapY, valid), 1e-12);
  }
  EXPECT_EQ(back.Data.CalQuads[8].MapX, W - 1);
  EXPECT_EQ(back.Data.CalQuads[8].MapY, H - 1);
}

TEST(CalibImport, GeoTiffThatTheMapCannotLoadIsReferencedWithItsCorners) {
  TGdalScratch dir;
  TGeoMap map;
  MakeMap(map, dir, "tiff", cmEquiRect, CurvedQuads(W, H), W, H);
  ASSERT_EQ(RunGdalTool("gdal_translate", "-q -of GTiff -a_srs EPSG:4326 -a_ullr 5 48 11 45 " +
                                              Quoted(dir.File("tiff.bmp")) + " " + Quoted(dir.File("scan.tif")))
                .ExitCode,
            0);
  const TRun run = RunCalib({"import", dir.File("scan.tif"), "-o", dir.File("scan.xml")});
  ASSERT_EQ(run.ExitCode, cli::ExitOk) << run.Err;
  TCalibData data;
  TCalibModel model = cmUndefined;
  ASSERT_TRUE(ParseCalibData(dir.File("scan.xml"), "", data, model));
  EXPECT_EQ(model, cmEquiRect);
  EXPECT_EQ(data.MapFName, Lower(dir.File("scan.tif")));  // the block keeps names in lower case
  EXPECT_EQ(data.NumCalQuads, 9);
  // Corners are the positions of the corner pixels (0, 0) and (W, H), whose
  // centres lie half a pixel inside GDAL's image edges.
  const double dLat = 3.0 / H, dLong = 6.0 / W;
  EXPECT_NEAR(data.Corners[gcoTopLeft].Latit, 48 - 0.5 * dLat, 1e-5);
  EXPECT_NEAR(data.Corners[gcoTopLeft].Longit, 5 + 0.5 * dLong, 1e-5);
  EXPECT_NEAR(data.Corners[gcoBottomRight].Latit, 45 - 0.5 * dLat, 1e-5);
  EXPECT_NEAR(data.Corners[gcoBottomRight].Longit, 11 + 0.5 * dLong, 1e-5);
}

TEST(CalibImport, ProjectedGcpsAreConvertedToLatitudeAndLongitude) {
  TGdalScratch dir;
  TGeoMap map;
  MakeMap(map, dir, "merc", cmEquiRect, CurvedQuads(W, H), W, H);
  const std::vector<TCalQuad> points = {{45.2, 5.1, 10, 380}, {45.3, 10.9, 590, 390}, {47.9, 5.2, 5, 8},
                                        {47.8, 10.8, 595, 12}};
  // GDAL itself projects them to web Mercator metres.
  std::string in;
  for (const TCalQuad& p : points) in += std::to_string(p.Longitude) + " " + std::to_string(p.Latitude) + "\n";
  const TToolRun projected = RunGdalTool("gdaltransform", "-s_srs EPSG:4326 -t_srs EPSG:3857", in);
  std::istringstream metres(projected.Out);
  std::string gcps;
  for (const TCalQuad& p : points) {
    double x, y, z;
    ASSERT_TRUE(metres >> x >> y >> z);
    char arg[128];
    std::snprintf(arg, sizeof arg, " -gcp %d.5 %d.5 %.6f %.6f", p.MapX, p.MapY, x, y);
    gcps += arg;
  }
  ASSERT_EQ(RunGdalTool("gdal_translate", "-q -of VRT -a_srs EPSG:3857" + gcps + " " + Quoted(dir.File("merc.bmp")) +
                                              " " + Quoted(dir.File("merc.vrt")))
                .ExitCode,
            0);
  const TImportedCalibration back = ImportCalibration(dir.File("merc.vrt"));
  EXPECT_EQ(back.Model, cmEquiRect);
  ExpectSameQuads(back.Data, points, 1e-8);
}

TEST(CalibImport, QgisPointsFileIsReadByItsColumns) {
  TGdalScratch dir;
  TGeoMap map;
  MakeMap(map, dir, "qgis", cmEquiRect, CurvedQuads(W, H), W, H);
  // QGIS counts sourceY upward from the top edge; the disabled row is left out.
  WriteText(dir.File("qgis.bmp.points"),
            "mapX,mapY,sourceX,sourceY,enable,dX,dY,residual\n"
            "5.5,47.5,50.5,-40.5,1,0,0,0\n"
            "10.5,47.5,550.25,-40.5,1,0,0,0\n"
            "9,46,300,-300,0,0,0,0\n"
            "5.5,45.5,50.5,-360.5,1,0,0,0\n"
            "10.5,45.5,550.5,-360.9,1,0,0,0\n");
  const TImportedCalibration back = ImportCalibration(dir.File("qgis.bmp.points"));
  EXPECT_EQ(back.Model, cmEquiRect);
  EXPECT_EQ(back.Data.MapFName, dir.File("qgis.bmp"));
  ExpectSameQuads(back.Data,
                  {{47.5, 5.5, 50, 40}, {47.5, 10.5, 550, 40}, {45.5, 5.5, 50, 360}, {45.5, 10.5, 550, 360}}, 0);

  // With a UTM CRS on its first line the UTM model keeps the metres.
  char* wkt = nullptr;
  OGRSpatialReference utm;
  utm.importFromEPSG(32632);
  utm.exportToWkt(&wkt);
  WriteText(dir.File("qgis.bmp.points"), std::string("#CRS: ") + wkt +
                                             "\nmapX,mapY,sourceX,sourceY,enable\n"
                                             "480000,5300000,10.5,-10.5,1\n"
                                             "510000,5300000,590.5,-10.5,1\n"
                                             "480000,5280000,10.5,-390.5,1\n");
  CPLFree(wkt);
  const TImportedCalibration metres = ImportCalibration(dir.File("qgis.bmp.points"));
  EXPECT_EQ(metres.Model, cmUTM);
  EXPECT_EQ(metres.Data.UTMZone, 32);
  EXPECT_FALSE(metres.Data.UTMSouth);
  EXPECT_EQ(metres.Data.CalQuads[1].Longitude, 510000);
  EXPECT_EQ(metres.Data.CalQuads[1].Latitude, 5300000);

  WriteText(dir.File("qgis.bmp.points"), "mapX,mapY,sourceX,sourceY\n5.5,47.5,fifty,-40\n");
  EXPECT_THROW(ImportCalibration(dir.File("qgis.bmp.points")), EOrqGdalError);
}

TEST(CalibImportRefusals, BadInputIsOneLineNamingTheFileAndWritesNothing) {
  TGdalScratch dir;
  TGeoMap map;
  MakeMap(map, dir, "bad", cmEquiRect, CurvedQuads(W, H), W, H);
  WriteText(dir.File("one.map"), OziMap("bad.bmp", {{46, 7, 100, 100}}));
  ASSERT_EQ(RunGdalTool("gdal_translate", "-q -of VRT " + Quoted(dir.File("bad.bmp")) + " " + Quoted(dir.File("plain.vrt")))
                .ExitCode,
            0);
  struct TCase {
    std::string File, Says;
  };
  for (const TCase& c : {TCase{dir.File("one.map"), "1 GCP; a calibration needs at least 3"},
                         TCase{dir.File("plain.vrt"), "it holds no GCPs and no geotransform"},
                         TCase{dir.File("missing.vrt"), "no such file"}}) {
    const TRun run = RunCalib({"import", c.File, "-o", dir.File("out.xml")});
    EXPECT_EQ(run.ExitCode, cli::ExitBadInput) << c.File;
    EXPECT_EQ(run.Err, "orqcarta calib import: " + c.File + ": " + c.Says + "\n");
    EXPECT_FALSE(fs::exists(dir.File("out.xml")));
  }
  const TRun model = RunCalib({"import", dir.File("one.map"), "--model", "parabolicip", "-o", dir.File("out.xml")});
  EXPECT_EQ(model.ExitCode, cli::ExitUsage);
  EXPECT_FALSE(fs::exists(dir.File("out.xml")));
}

TEST(CalibExportCommand, WritesTheFilesItNamesAndRefusesANonAffineWorldFile) {
  TGdalScratch dir;
  TGeoMap map;
  MakeMap(map, dir, "cmd", cmBiquadraticPn, CurvedQuads(W, H), W, H);
  map.SaveCalDataAsXML(dir.File("cmd.xml"), "");
  TRun run = RunCalib({"export", dir.File("cmd.xml"), "--to", "vrt"});
  ASSERT_EQ(run.ExitCode, cli::ExitOk) << run.Err;
  EXPECT_EQ(run.Out, dir.File("cmd.vrt") + "\n");
  run = RunCalib({"export", dir.File("cmd.xml"), "--to", "aux", "-o", dir.File("elsewhere.aux.xml")});
  ASSERT_EQ(run.ExitCode, cli::ExitOk) << run.Err;
  EXPECT_TRUE(fs::exists(dir.File("elsewhere.aux.xml")));
  EXPECT_FALSE(fs::exists(dir.File("cmd.bmp.aux.xml")));
  run = RunCalib({"export", dir.File("cmd.xml"), "--to", "worldfile"});
  EXPECT_EQ(run.ExitCode, cli::ExitFailure);
  EXPECT_NE(run.Err.find("not affine"), std::string::npos) << run.Err;
  EXPECT_FALSE(fs::exists(dir.File("cmd.bpw")));
  run = RunCalib({"export", dir.File("cmd.xml"), "--to", "png"});
  EXPECT_EQ(run.ExitCode, cli::ExitUsage);
}

}  // namespace
}  // namespace orq::test
