// Geo-database outlines on the map: DrawGeoDBItems pixel by pixel on a
// generated map, and `orqcarta render --db`.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "ToolRunner.h"
#include "orqcarta/Orq_GeoMapDB.h"
#include "orqplatform/ImageCodecs.h"

namespace orq::cli::test {
namespace {

namespace fs = std::filesystem;

const TColor Magenta = RGB(255, 0, 255);

class GeoDBItems : public ::testing::Test {
 protected:
  void SetUp() override {
    Dir = fs::temp_directory_path() / ("orq_geodb_items_" + std::to_string(::getpid()));
    fs::create_directories(Dir);
    Db.SetDBName((Dir / "geo").string());
    std::string name = "parallel 45";
    // Latitude 45 from longitude 2 to 18; a lake square; a town; an outline
    // far north of the map.
    Db.AddBorder(name, {{45, 2}, {45, 18}}, false, 0, 0, 45, 45, 2, 18, 0, 0, 0);
    name = "lake";
    Db.AddLake(name, {{42, 4}, {42, 6}, {44, 6}, {44, 4}, {42, 4}}, 0, 0, 42, 44, 4, 6, 0, 0, 0);
    name = "town";
    Db.AddTown(name, 0, 0, TSCoords{45, 10}, 0, 0, 0);
    name = "north";
    Db.AddRiver(name, {{70, 2}, {71, 3}}, 0, 0, 70, 71, 2, 3, 0, 0, 0);
    // Latitude 40..50, longitude 0..20 on 400 x 200 pixels, shown at 1:1.
    Map.SetSuppressPaint(true);
    Map.SetBounds(0, 0, 400, 200);
    Map.CreateEmptyMapInMemory(40, 0, 50, 20, 5, 5, 400, 200, false);
    Map.SetMagnification(1);
    Map.SetTopLeft(TPoint{0, 0});
  }
  void TearDown() override {
    Db.SetDBName("");
    fs::remove_all(Dir);
  }
  // Paints with the items drawn under the grid; the number drawn.
  int Paint(const TGeoDBItemFilter& Filter) {
    int drawn = -1;
    TPen pen;
    pen.Color = Magenta;
    Map.SetOnBeforeRenderData([&](TObject*, TCanvas* C) { drawn = DrawGeoDBItems(Map, Db, C, Filter, pen); });
    Map.SetSuppressPaint(false);
    Map.Paint();
    return drawn;
  }
  TPoint Where(double Lat, double Long) const {
    int x = 0, y = 0;
    EXPECT_TRUE(Map.CalcPixelCoords(Lat, Long, x, y));
    return Map.MapImageToControl(TPoint{x, y});
  }
  // The composition bitmap keeps the pixel format of the map image.
  bool Inked(TPoint P) { return Map.AuxBmp()->Canvas()->Pixels(P.X, P.Y) == Map.AuxBmp()->Quantize(Magenta); }
  int InkedCount() {
    int n = 0;
    for (int y = 0; y < Map.Height(); ++y)
      for (int x = 0; x < Map.Width(); ++x) n += Inked(TPoint{x, y});
    return n;
  }

  fs::path Dir;
  TGeoDB Db;
  TGeoMap Map;
};

TEST_F(GeoDBItems, OutlinesInViewAreDrawnThroughTheCalibration) {
  EXPECT_EQ(Paint(nullptr), 2);  // the town has no outline, the river is out of view
  // The parallel: every pixel from its first to its last point, ends included.
  const TPoint a = Where(45, 2), b = Where(45, 18);
  ASSERT_EQ(a.Y, b.Y);
  for (int x = a.X; x <= b.X; ++x) EXPECT_TRUE(Inked(TPoint{x, a.Y})) << x;
  EXPECT_FALSE(Inked(TPoint{a.X - 1, a.Y}));
  EXPECT_FALSE(Inked(TPoint{b.X + 1, a.Y}));
  // The lake's four corners, and nothing inside it.
  for (const TPoint p : {Where(42, 4), Where(42, 6), Where(44, 6), Where(44, 4)}) EXPECT_TRUE(Inked(p));
  const TPoint mid = Where(43, 5);
  EXPECT_FALSE(Inked(mid));
  const TPoint lakeLow = Where(42, 4), lakeHigh = Where(44, 6);
  const int lakeSide = lakeHigh.X - lakeLow.X + 1, lakeHeight = lakeLow.Y - lakeHigh.Y + 1;
  EXPECT_EQ(InkedCount(), (b.X - a.X + 1) + 2 * lakeSide + 2 * (lakeHeight - 2));
}

TEST_F(GeoDBItems, TheFilterChoosesAndAnEmptyViewDrawsNothing) {
  EXPECT_EQ(Paint([](const TgdbData& d) { return d.ItemKind == gitLake; }), 1);
  EXPECT_FALSE(Inked(Where(45, 10)));
  EXPECT_TRUE(Inked(Where(42, 5)));
  // Panned far away from every item.
  Map.SetSuppressPaint(true);
  Map.SetMagnification(8);
  Map.BringLocationToCenter(48, 19);
  EXPECT_EQ(Paint(nullptr), 0);
  EXPECT_EQ(InkedCount(), 0);
  // A closed database draws nothing.
  Db.SetDBName("");
  EXPECT_EQ(Paint(nullptr), 0);
}

std::vector<uint8_t> Pnt(std::initializer_list<int> Values) {
  std::vector<uint8_t> b;
  for (int v : Values) {
    b.push_back(static_cast<uint8_t>(v & 0xFF));
    b.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
  }
  return b;
}

class RenderDb : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("orq_render_db_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    ASSERT_EQ(RunTool("blankmap " + At("bm") + " --lat 40 50 --long 0 20 --width 600 --height 400").ExitCode, 0);
    ASSERT_EQ(RunTool("db create " + At("geo")).ExitCode, 0);
    // One line from (42N, 2E) to (48N, 18E), in arc-minutes.
    const auto bytes = Pnt({1001, 42 * 60, 2 * 60, 1, 48 * 60, 18 * 60});
    std::ofstream(dir / "L.PNT", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    ASSERT_EQ(RunTool("db import-pnt " + At("geo") + " " + At("L.PNT") + " --kind river").ExitCode, 0);
  }
  void TearDown() override { fs::remove_all(dir); }
  std::string At(const std::string& Name) const { return "'" + (dir / Name).string() + "'"; }
  int Magentas(const std::string& Picture) {
    std::ifstream in(dir / Picture, std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const TRawImage img = DecodePng(bytes.data(), bytes.size());
    int n = 0;
    // Magenta as a 15-bit map image keeps it: 248, 0, 248.
    for (TColor c : img.Pixels) n += (c & 0xF8F8F8) == (Magenta & 0xF8F8F8);
    return n;
  }
  fs::path dir;
};

TEST_F(RenderDb, DrawsTheChosenKindsInTheGivenColour) {
  TToolRun run = RunTool("render " + At("bm.xml") + " --db " + At("geo") + " --db-color '#FF00FF' -o " + At("a.png"));
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_NE(run.Out.find("db items:      1 drawn"), std::string::npos) << run.Out;
  // A diagonal line crosses at least as many pixels as its longer extent.
  EXPECT_GT(Magentas("a.png"), 200);
  run = RunTool("render " + At("bm.xml") + " --db " + At("geo") + " --kinds border,lake --db-color FF00FF -o " +
                At("b.png"));
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_NE(run.Out.find("db items:      0 drawn"), std::string::npos) << run.Out;
  EXPECT_EQ(Magentas("b.png"), 0);
}

TEST_F(RenderDb, BadOptionsAndMissingDatabasesAreReported) {
  const std::string base = "render " + At("bm.xml") + " -o " + At("c.png");
  const struct {
    std::string Args;
    int Exit;
    const char* Message;
  } cases[] = {
      {" --db " + At("geo") + " --db-color red", 2, "--db-color: expected #RRGGBB"},
      {" --db " + At("geo") + " --kinds lake,town", 2, "--kinds: \"town\" is not a polygon kind"},
      {" --kinds lake", 2, "--kinds goes with --db"},
      {" --db " + At("nothing"), 3, "nothing"},
  };
  for (const auto& c : cases) {
    const TToolRun run = RunTool(base + c.Args);
    EXPECT_EQ(run.ExitCode, c.Exit) << c.Args << ": " << run.Err;
    EXPECT_NE(run.Err.find(c.Message), std::string::npos) << c.Args << ": " << run.Err;
  }
  EXPECT_FALSE(fs::exists(dir / "nothing.orqgdd"));
}

}  // namespace
}  // namespace orq::cli::test
