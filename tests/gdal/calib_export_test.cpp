// Calibrations out, with GDAL as the oracle: gdaltransform on the exported
// VRT against the map's own conversions, gdalinfo's GCP list against the
// quadruples, the world file against the affine law.
#include <cmath>
#include <cstring>
#include <sstream>

#include "GdalTestSupport.h"

namespace orq::test {
namespace {

constexpr int W = 600, H = 400;

// gdaltransform's answers for our pixels (GDAL's pixel centres x + 0.5).
std::vector<std::array<double, 2>> GdalPositions(const std::string& Vrt, const std::vector<TPoint>& Pixels,
                                                 const std::string& Options) {
  std::ostringstream in;
  in.precision(17);
  for (const TPoint& p : Pixels) in << p.X + 0.5 << ' ' << p.Y + 0.5 << '\n';
  const TToolRun run = RunGdalTool("gdaltransform", Options + " " + Quoted(Vrt), in.str());
  EXPECT_EQ(run.ExitCode, 0);
  std::vector<std::array<double, 2>> out;
  std::istringstream lines(run.Out);
  double x, y, z;
  while (lines >> x >> y >> z) out.push_back({x, y});
  return out;
}

std::string Sci(double V) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2e", V);
  return text;
}

// Largest difference, in degrees, between GDAL's positions and the map's.
double WorstDegrees(const TGeoMap& Map, const std::string& Vrt, const std::string& Options) {
  const std::vector<TPoint> pixels = RandomPixels(W, H, 200);
  const auto gdal = GdalPositions(Vrt, pixels, Options);
  EXPECT_EQ(gdal.size(), pixels.size());
  double worst = 0;
  for (std::size_t i = 0; i < gdal.size() && i < pixels.size(); ++i) {
    bool valid = false;
    const double lat = Map.CalcLatitude(pixels[i].X, pixels[i].Y, valid);
    const double lon = Map.CalcLongitude(pixels[i].X, pixels[i].Y, valid);
    EXPECT_TRUE(valid);
    worst = std::max({worst, std::fabs(gdal[i][0] - lon), std::fabs(gdal[i][1] - lat)});
  }
  return worst;
}

TEST(CalibExportOracle, GdalTransformAgreesWithEveryAffineAndBiquadraticModel) {
  TGdalScratch dir;
  {
    TGeoMap map;
    MakeMap(map, dir, "equirect", cmEquiRect, CurvedQuads(W, H), W, H);
    ASSERT_EQ(ExportCalibration(map, dir.File("equirect.vrt"), cefVRT).size(), 1u);
    const double worst = WorstDegrees(map, dir.File("equirect.vrt"), "-order 1");
    RecordProperty("equirect_order1_worst_deg", Sci(worst));
    EXPECT_LT(worst, 1e-8);
  }
  {
    TGeoMap map;
    MakeMap(map, dir, "biquad", cmBiquadraticPn, CurvedQuads(W, H), W, H);
    ExportCalibration(map, dir.File("biquad.vrt"), cefVRT);
    const double worst = WorstDegrees(map, dir.File("biquad.vrt"), "-order 2");
    RecordProperty("biquadratic_order2_worst_deg", Sci(worst));
    EXPECT_LT(worst, 1e-8);
    // The curvature is real: an affine warp misses it by far.
    EXPECT_GT(WorstDegrees(map, dir.File("biquad.vrt"), "-order 1"), 1e-3);
  }
  {
    TGeoMap map;
    MakeMap(map, dir, "utm", cmUTM, UtmQuads(W, H), W, H);
    SetUtmZone(map, 32, false);
    ExportCalibration(map, dir.File("utm.vrt"), cefVRT);
    const double worst = WorstDegrees(map, dir.File("utm.vrt"), "-order 1 -t_srs EPSG:4326");
    RecordProperty("utm_order1_worst_deg", Sci(worst));
    EXPECT_LT(worst, 1e-8);
  }
}

// GDAL's inverse warp takes positions back to the pixels our own
// geographic-to-pixel law gives: GDAL position p lies in our pixel floor(p).
int SamePixels(const TGeoMap& Map, const std::string& Vrt, const std::string& Options) {
  const std::vector<TPoint> pixels = RandomPixels(W, H, 200);
  std::ostringstream in;
  in.precision(17);
  std::vector<TPoint> ours;
  for (const TPoint& p : pixels) {
    bool valid = false;
    const double lat = Map.CalcLatitude(p.X, p.Y, valid), lon = Map.CalcLongitude(p.X, p.Y, valid);
    TPoint back{};
    EXPECT_TRUE(Map.CalcPixelCoords(lat, lon, back.X, back.Y));
    ours.push_back(back);
    in << lon << ' ' << lat << '\n';
  }
  const TToolRun run = RunGdalTool("gdaltransform", "-i " + Options + " " + Quoted(Vrt), in.str());
  std::istringstream lines(run.Out);
  int same = 0;
  double p, l, z;
  for (std::size_t i = 0; i < ours.size() && lines >> p >> l >> z; ++i)
    same += static_cast<int>(std::floor(p)) == ours[i].X && static_cast<int>(std::floor(l)) == ours[i].Y;
  return same;
}

TEST(CalibExportOracle, GdalsInverseWarpGivesOurPixels) {
  TGdalScratch dir;
  for (const auto& [model, order] : {std::pair{cmEquiRect, "-order 1"}, std::pair{cmBiquadraticPn, "-order 2"}}) {
    TGeoMap map;
    MakeMap(map, dir, "inverse", model, CurvedQuads(W, H), W, H);
    ExportCalibration(map, dir.File("inverse.vrt"), cefVRT);
    const int same = SamePixels(map, dir.File("inverse.vrt"), order);
    RecordProperty(std::string(CalibModelNames[model]) + "_same_pixels_of_200", same);
    EXPECT_EQ(same, 200) << CalibModelNames[model];
  }
}

TEST(CalibExportOracle, UtmGcpsAreMetresInTheCalibrationsZone) {
  TGdalScratch dir;
  TGeoMap map;
  MakeMap(map, dir, "south", cmUTM, UtmQuads(W, H), W, H);
  SetUtmZone(map, 33, true);
  ExportCalibration(map, dir.File("south.vrt"), cefVRT);
  const std::string info = RunGdalTool("gdalinfo", Quoted(dir.File("south.vrt"))).Out;
  EXPECT_NE(info.find("UTM zone 33S"), std::string::npos) << info;
  // Metres out of GDAL's affine warp equal our affine law at every pixel.
  const std::vector<TPoint> pixels = RandomPixels(W, H, 50);
  const auto gdal = GdalPositions(dir.File("south.vrt"), pixels, "-order 1");
  ASSERT_EQ(gdal.size(), pixels.size());
  const TCoef2x3& E = map.EquRectPLSP();
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    const double northing = E[0][0] + E[0][1] * pixels[i].X + E[0][2] * pixels[i].Y;
    const double easting = E[1][0] + E[1][1] * pixels[i].X + E[1][2] * pixels[i].Y;
    EXPECT_NEAR(gdal[i][0], easting, 1e-6);
    EXPECT_NEAR(gdal[i][1], northing, 1e-6);
  }
}

// The "gcpList" of gdalinfo -json, as (pixel, line, x, y).
std::vector<std::array<double, 4>> GcpList(const std::string& File) {
  const std::string json = RunGdalTool("gdalinfo", "-json " + Quoted(File)).Out;
  std::vector<std::array<double, 4>> gcps;
  std::size_t at = json.find("\"gcpList\"");
  auto number = [&](const char* Key, std::size_t From) {
    const std::size_t k = json.find(std::string("\"") + Key + "\":", From);
    return k == std::string::npos ? NAN : std::strtod(json.c_str() + k + std::strlen(Key) + 3, nullptr);
  };
  while (at != std::string::npos && (at = json.find("\"pixel\":", at)) != std::string::npos) {
    gcps.push_back({number("pixel", at), number("line", at), number("x", at), number("y", at)});
    ++at;
  }
  return gcps;
}

TEST(CalibExportOracle, GdalinfoListsExactlyTheQuadruplesInVrtAndAuxXml) {
  TGdalScratch dir;
  TGeoMap map;
  const std::vector<TCalQuad> quads = CurvedQuads(W, H);
  MakeMap(map, dir, "listed", cmBiquadraticPn, quads, W, H);
  ExportCalibration(map, dir.File("listed.vrt"), cefVRT);
  const std::vector<std::string> aux = ExportCalibration(map, "", cefAuxXml);
  ASSERT_EQ(aux.size(), 1u);
  EXPECT_EQ(aux[0], dir.File("listed.bmp.aux.xml"));
  for (const std::string& file : {dir.File("listed.vrt"), dir.File("listed.bmp")}) {
    const auto gcps = GcpList(file);
    ASSERT_EQ(gcps.size(), quads.size()) << file;
    for (std::size_t i = 0; i < quads.size(); ++i) {
      EXPECT_EQ(gcps[i][0], quads[i].MapX + 0.5) << file << " GCP " << i;
      EXPECT_EQ(gcps[i][1], quads[i].MapY + 0.5);
      // GDAL keeps 13 significant digits of a GCP's position.
      EXPECT_NEAR(gcps[i][2], quads[i].Longitude, 1e-11);
      EXPECT_NEAR(gcps[i][3], quads[i].Latitude, 1e-11);
    }
  }
}

TEST(CalibExportOracle, WorldFileCarriesTheAffineLawToTheLastDigit) {
  TGdalScratch dir;
  TGeoMap map;
  MakeMap(map, dir, "world", cmEquiRect, CurvedQuads(W, H), W, H);
  const std::vector<std::string> files = ExportCalibration(map, "", cefWorldFile);
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(files[0], dir.File("world.bpw"));
  EXPECT_EQ(files[1], dir.File("world.prj"));
  // GDAL reads the world file back as the image's geotransform, whose
  // origin is the top-left corner: half a pixel before our pixel (0, 0).
  const std::string info = RunGdalTool("gdalinfo", "-json " + Quoted(dir.File("world.bmp"))).Out;
  const std::size_t at = info.find("\"geoTransform\":[");
  ASSERT_NE(at, std::string::npos) << info;
  std::vector<double> gt;
  const char* p = info.c_str() + at + std::strlen("\"geoTransform\":[");
  for (int i = 0; i < 6; ++i) {
    char* end = nullptr;
    gt.push_back(std::strtod(p, &end));
    p = std::strchr(end, ',') ? std::strchr(end, ',') + 1 : end;
  }
  const TCoef2x3& E = map.EquRectPLSP();
  auto same = [](double a, double b) { return std::fabs(a - b) <= 1e-12 * std::max(std::fabs(a), std::fabs(b)); };
  EXPECT_TRUE(same(gt[1], E[1][1])) << gt[1] << " " << E[1][1];
  EXPECT_TRUE(same(gt[2], E[1][2])) << gt[2] << " " << E[1][2];
  EXPECT_TRUE(same(gt[4], E[0][1])) << gt[4] << " " << E[0][1];
  EXPECT_TRUE(same(gt[5], E[0][2])) << gt[5] << " " << E[0][2];
  EXPECT_TRUE(same(gt[0] + 0.5 * gt[1] + 0.5 * gt[2], E[1][0]));
  EXPECT_TRUE(same(gt[3] + 0.5 * gt[4] + 0.5 * gt[5], E[0][0]));
  EXPECT_NE(ReadText(files[1]).find("GCS_WGS_1984"), std::string::npos);
}

TEST(CalibExportGcps, ConicAndMillerBecomeAGridThroughTheModel) {
  TGdalScratch dir;
  for (TCalibModel model : {cmConicConformal, cmMillerCylindrical}) {
    TGeoMap map;
    MakeMap(map, dir, "grid", model, CurvedQuads(W, H), W, H);
    const TExportGcps g = CalibrationGcps(map, W, H);
    ASSERT_EQ(g.Gcps.size(), static_cast<std::size_t>(CalibExportGridSize * CalibExportGridSize));
    EXPECT_EQ(g.Gcps.front().Pixel, 0.5);
    EXPECT_EQ(g.Gcps.back().Pixel, W - 0.5);
    EXPECT_EQ(g.Gcps.back().Line, H - 0.5);
    for (const TExportGcp& p : g.Gcps) {
      bool valid = false;
      const int x = static_cast<int>(p.Pixel), y = static_cast<int>(p.Line);
      EXPECT_EQ(p.Y, map.CalcLatitude(x, y, valid));
      EXPECT_EQ(p.X, map.CalcLongitude(x, y, valid));
    }
  }
}

TEST(CalibExportGcps, ParabolicLinePointsArePositionedThroughTheModel) {
  TGdalScratch dir;
  TGeoMap map;
  MakeMap(map, dir, "lines", cmParabolicIp, {}, W, H);
  // Two parallels and two meridians of three points each; the corner
  // points are shared by a parallel and a meridian and appear once.
  map.AddCalibPoint(gtlParallel, 47, 50, 100);
  map.AddCalibPoint(gtlParallel, 47, 300, 98);
  map.AddCalibPoint(gtlParallel, 47, 550, 100);
  map.AddCalibPoint(gtlParallel, 46, 50, 300);
  map.AddCalibPoint(gtlParallel, 46, 300, 302);
  map.AddCalibPoint(gtlParallel, 46, 550, 300);
  map.AddCalibPoint(gtlMeridian, 6, 50, 100);
  map.AddCalibPoint(gtlMeridian, 6, 52, 200);
  map.AddCalibPoint(gtlMeridian, 6, 50, 300);
  map.AddCalibPoint(gtlMeridian, 10, 550, 100);
  map.AddCalibPoint(gtlMeridian, 10, 548, 200);
  map.AddCalibPoint(gtlMeridian, 10, 550, 300);
  const TExportGcps g = CalibrationGcps(map, W, H);
  ASSERT_EQ(g.Gcps.size(), 8u);
  EXPECT_EQ(g.Epsg, 4326);
  for (const TExportGcp& p : g.Gcps) {
    bool valid = false;
    EXPECT_NEAR(p.Y, map.CalcLatitude(static_cast<int>(p.Pixel), static_cast<int>(p.Line), valid), 0);
    EXPECT_TRUE(valid);
  }
  // A parallel's own points lie on it.
  EXPECT_NEAR(g.Gcps[1].Y, 47, 1e-9);
}

TEST(CalibExportRefusals, WhatCannotBeExportedSaysWhyAndWritesNothing) {
  TGdalScratch dir;
  {
    TGeoMap map;
    MakeMap(map, dir, "curved", cmBiquadraticPn, CurvedQuads(W, H), W, H);
    try {
      ExportCalibration(map, "", cefWorldFile);
      FAIL() << "a biquadratic law went into a world file";
    } catch (const EOrqGdalError& e) {
      EXPECT_NE(std::string(e.what()).find("not affine"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(fs::exists(dir.File("curved.bpw")));
    EXPECT_FALSE(fs::exists(dir.File("curved.prj")));
  }
  {
    TGeoMap map;
    map.SetSuppressPaint(true);
    map.CreateEmptyMapInMemory(45, 5, 48, 11, 1, 1, 300, 200, false);
    EXPECT_THROW(ExportCalibration(map, dir.File("memory.vrt"), cefVRT), EOrqGdalError);
    EXPECT_FALSE(fs::exists(dir.File("memory.vrt")));
  }
  {
    TGeoMap map;
    MakeMap(map, dir, "none", cmUndefined, CurvedQuads(W, H), W, H);
    EXPECT_THROW(ExportCalibration(map, dir.File("none.vrt"), cefVRT), EOrqGdalError);
    EXPECT_FALSE(fs::exists(dir.File("none.vrt")));
  }
}

}  // namespace
}  // namespace orq::test
