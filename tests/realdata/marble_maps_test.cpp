// The public-domain maps of marble-data through the library: Blue Marble
// fitted under the control's limit shows the capitals on land and the
// MWDB-II coastline on its coast; the SRTM pyramid makes an atlas that zooms
// level by level.
#include <algorithm>
#include <cmath>
#include <regex>
#include <set>

#include "RealData.h"
#include "orqcarta/Orq_GeoBasics.h"
#include "orqcarta/Orq_GeoMap.h"
#include "pnt_reader.h"
#include "tile_calibration.h"

namespace orq::cli::test {
namespace {

// Blue Marble's oceans are deep blue, from (0, 0, 56) to about (10, 40, 110):
// blue more than twice red and well above green. Land, and pixels that mix
// land and shallow sea, are not.
bool IsOcean(TColor C) {
  const int r = C & 0xFF, g = (C >> 8) & 0xFF, b = (C >> 16) & 0xFF;
  return b >= 40 && b > 2 * r + 20 && b > g + 25;
}

// Any water, also the dark teal of bays, fjords and shallow coastal seas:
// blue clearly above red and not much below green. Vegetation, desert,
// rock and ice all have blue at or below red.
bool IsWater(TColor C) {
  const int r = C & 0xFF, g = (C >> 8) & 0xFF, b = (C >> 16) & 0xFF;
  return b > r + 20 && b + 10 >= g;
}

class BlueMarble : public ScratchDir {
 protected:
  // Blue Marble fitted under the limit, loaded in a map control at 1:1.
  void Load() {
    const TRun fit = RunInProcess(RegisterCalibCommands, "calib",
                                  {"fit-image", (Calibrations() / "world/bluemarble.xml").string(), "-o", At("bm.xml")});
    ASSERT_EQ(fit.ExitCode, 0) << fit.Err;
    ASSERT_NE(fit.Out.find("2700 x 1350 -> 2448 x 1224 pixels"), std::string::npos) << fit.Out;
    Map.SetSuppressPaint(true);
    ASSERT_TRUE(Map.LoadCalDataFromXML(At("bm.xml"), "") || Map.MapImgWidth() > 0);
    ASSERT_EQ(Map.MapImgWidth(), 2448);
    ASSERT_LE(static_cast<long long>(Map.MapImgWidth()) * Map.MapImgHeight(), MaxImagePixels);
    Image = DecodeFile(At("bm.png"));
  }
  TColor Pixel(int X, int Y) const {
    X = std::clamp(X, 0, Image.Width - 1);
    Y = std::clamp(Y, 0, Image.Height - 1);
    return Image.Pixels[static_cast<std::size_t>(Y) * Image.Width + X];
  }
  TGeoMap Map;
  TRawImage Image;
};

// At Blue Marble's 16 km a pixel most small island states are sea. A
// country the image can show has land at its centre (the table's CLat,
// CLong); of those, 95 % of the capitals must be on land (their pixel, or
// one next to it for the capitals on a coast). Misses are listed.
TEST_F(BlueMarble, CapitalsLieOnLand) {
  ORQ_REQUIRE_CALIBRATIONS();
  Load();
  auto landNear = [this](double Lat, double Long) {
    int x = 0, y = 0;
    EXPECT_TRUE(Map.CalcPixelCoords(Lat, Long, x, y));
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx)
        if (!IsOcean(Pixel(x + dx, y + dy))) return true;
    return false;
  };
  int capitals = 0, shown = 0, shownOnLand = 0, onLand = 0;
  std::string misses, tooSmall;
  for (const TCountryData& c : CountryData) {
    if (c.Capital.empty()) continue;
    ++capitals;
    const bool capitalOnLand = landNear(c.CapLat, c.CapLong);
    onLand += capitalOnLand;
    const std::string name = std::string(c.Capital) + " (" + std::string(c.Name) + ")";
    if (!landNear(c.CLat, c.CLong)) {
      if (!capitalOnLand) tooSmall += "\n  " + name;
      continue;
    }
    ++shown;
    shownOnLand += capitalOnLand;
    if (!capitalOnLand) misses += "\n  " + name;
  }
  ASSERT_GT(capitals, 200);
  ASSERT_GT(shown, 170);
  EXPECT_GE(shownOnLand * 100, shown * 95) << shownOnLand << " of " << shown << "; on sea:" << misses;
  std::cout << onLand << " of " << capitals << " capitals on land; of the " << shown
            << " countries whose centre the image shows as land, " << shownOnLand << " capitals on land, on sea:"
            << misses << "\nsea at the country's centre and its capital:" << tooSmall << '\n';
}

TEST_F(BlueMarble, TheCoastlineLiesOnTheCoast) {
  ORQ_REQUIRE_CALIBRATIONS();
  // At 1:1 on the full 2700 x 1350 picture, converted by its own calibration
  // (the conversions need no image, so the control's limit does not matter).
  Image = DecodeFile(MarbleData() / "maps/earth/bluemarble/bluemarble.jpg");
  TCalibData data;
  TCalibModel model = cmUndefined;
  ASSERT_TRUE(ReadCalibration((Calibrations() / "world/bluemarble.xml").string(), "", data, model));
  Map.SetSuppressPaint(true);
  Map.SetCalibData(data);
  Map.SetCalibModel(model);
  // Beyond 60 degrees the sea ice makes land and sea look alike, so those
  // coasts are left out; 1,000 points spread evenly along the others.
  std::vector<TSCoords> points;
  for (const TPntLine& line : ReadPntFile((MarbleData() / "mwdbii/PCOAST.PNT").string(), 1).Lines)
    for (const TSCoords& p : line.Points)
      if (std::fabs(p.Latit) <= 60) points.push_back(p);
  ASSERT_GT(points.size(), 40000u);
  int sampled = 0, onCoast = 0;
  const std::size_t step = points.size() / 1000;
  for (std::size_t i = 0; i < points.size() && sampled < 1000; i += step) {
    int x = 0, y = 0;
    ASSERT_TRUE(Map.CalcPixelCoords(points[i].Latit, points[i].Longit, x, y));
    bool land = false, sea = false;
    for (int dy = -3; dy <= 3; ++dy)
      for (int dx = -3; dx <= 3; ++dx) (IsWater(Pixel(x + dx, y + dy)) ? sea : land) = true;
    ++sampled;
    onCoast += land && sea;
  }
  EXPECT_EQ(sampled, 1000);
  EXPECT_GE(onCoast, sampled * 90 / 100) << onCoast << " of " << sampled << " coastline points on the coast";
  std::cout << onCoast << " of " << sampled << " coastline points within 3 pixels of a land/sea change\n";
}

// The levels the atlas walks through, from "srtm level N ..." captions.
std::vector<int> LevelsWalked(const std::string& Out) {
  std::vector<int> levels;
  const std::regex step("^(start|zoom in|zoom out): +[0-9]+ +srtm level ([0-3])");
  std::istringstream lines(Out);
  for (std::string line; std::getline(lines, line);) {
    std::smatch m;
    if (std::regex_search(line, m, step)) levels.push_back(std::stoi(m[2]));
  }
  return levels;
}

TEST(SrtmAtlas, ZoomsLevelByLevelAndBack) {
  ORQ_REQUIRE_CALIBRATIONS();
  const std::string folder = (Calibrations() / "srtm").string();
  for (const char* at : {"48.8566,2.3522", "-33.9249,18.4241", "35.6895,139.6917"}) {
    const TRun in = RunInProcess(RegisterAtlasCommand, "atlas", {folder, "--at", at});
    ASSERT_EQ(in.ExitCode, 0) << at << ": " << in.Err;
    EXPECT_EQ(LevelsWalked(in.Out), (std::vector<int>{0, 1, 2, 3})) << at << "\n" << in.Out;
    const TRun out = RunInProcess(RegisterAtlasCommand, "atlas", {folder, "--at", at, "--zoom-out"});
    ASSERT_EQ(out.ExitCode, 0) << at << ": " << out.Err;
    EXPECT_EQ(LevelsWalked(out.Out), (std::vector<int>{3, 2, 1, 0})) << at << "\n" << out.Out;
  }
  // The tile the walk ends on is shown: its relief, not the empty map.
  fs::path picture = fs::temp_directory_path() / ("orq_srtm_" + std::to_string(::getpid()) + ".png");
  const TRun shown = RunInProcess(RegisterAtlasCommand, "atlas", {folder, "--at", "35.6895,139.6917", "-o", picture.string()});
  ASSERT_EQ(shown.ExitCode, 0) << shown.Err;
  const TRawImage pic = DecodeFile(picture);
  fs::remove(picture);
  std::set<TColor> colours(pic.Pixels.begin(), pic.Pixels.end());
  // (The grey relief keeps about 30 shades in the 15-bit map image; the
  // empty map has three colours.)
  EXPECT_GT(colours.size(), 15u) << "the level-3 tile at Tokyo was not drawn";
  // All 170 tiles are registered.
  const TRun list = RunInProcess(RegisterAtlasCommand, "atlas", {folder, "--list"});
  EXPECT_NE(list.Out.find("\n170  srtm level 3"), std::string::npos);
}

}  // namespace
}  // namespace orq::cli::test
