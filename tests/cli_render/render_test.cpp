// orqcarta render and demo: pictures pixel for pixel against the goldens
// (ORQ_REGENERATE_GOLDENS=1 rewrites them instead), the corner positions
// they print, and one-line errors with their exit codes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "ToolRunner.h"
#include "orqplatform/ImageCodecs.h"

namespace orq::cli::test {
namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& File) {
  std::ifstream in(File, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

TRawImage Decode(const fs::path& File) {
  const std::string bytes = ReadBytes(File);
  return DecodePng(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

bool Regenerating() {
  const char* v = std::getenv("ORQ_REGENERATE_GOLDENS");
  return v && std::string(v) == "1";
}

// Compares the picture with golden Name, or replaces the golden.
void ExpectGolden(const fs::path& Picture, const std::string& Name) {
  const fs::path golden = fs::path(ORQ_GOLDEN_DIR) / Name;
  if (Regenerating()) {
    fs::copy_file(Picture, golden, fs::copy_options::overwrite_existing);
    std::cout << "REGENERATED golden picture " << golden << '\n';
    return;
  }
  ASSERT_TRUE(fs::exists(golden)) << golden << " is missing; run scripts/regenerate-golden-pictures.sh";
  const TRawImage want = Decode(golden), got = Decode(Picture);
  ASSERT_EQ(got.Width, want.Width) << Name;
  ASSERT_EQ(got.Height, want.Height) << Name;
  std::size_t differing = 0, first = 0;
  for (std::size_t i = 0; i < got.Pixels.size(); ++i)
    if (got.Pixels[i] != want.Pixels[i] && differing++ == 0) first = i;
  if (differing > 0) {
    const fs::path kept = fs::temp_directory_path() / ("orq_actual_" + Name);
    fs::copy_file(Picture, kept, fs::copy_options::overwrite_existing);
    ADD_FAILURE() << Name << ": " << differing << " pixels differ, the first at (" << first % got.Width << ", "
                  << first / got.Width << "); this run's picture is " << kept;
  }
}

class CliRender : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("orq_cli_render_" + std::to_string(::getpid()));
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }
  std::string At(const std::string& Name) const { return "'" + (dir / Name).string() + "'"; }
  // A framed blank map of latitude 40..50, longitude 0..20, 600 x 400 pixels:
  // the frame 30 pixels inside the edges carries the bounds.
  std::string BlankMap() {
    const TToolRun run = RunTool("blankmap " + At("bm") + " --lat 40 50 --long 0 20 --width 600 --height 400");
    EXPECT_EQ(run.ExitCode, 0) << run.Err;
    return At("bm.xml");
  }
  static std::string Symbols() { return std::string("'") + ORQ_TEST_DATA_DIR + "/all-symbols.csv'"; }
  fs::path dir;
};

TEST_F(CliRender, AllSymbolKindsAndRotatedCaptionsMatchTheGolden) {
  const std::string cal = BlankMap();
  const TToolRun run =
      RunTool("render " + cal + " --landmarks " + Symbols() + " --size 640x440 --graticule both -o " + At("r.png"));
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_NE(run.Out.find("(640 x 440 pixels)"), std::string::npos) << run.Out;
  EXPECT_NE(run.Out.find("10 landmarks"), std::string::npos) << run.Out;
  ExpectGolden(dir / "r.png", "render-all-symbols.png");
}

TEST_F(CliRender, ZoomedCentredViewWithoutSmoothingMatchesTheGolden) {
  const std::string cal = BlankMap();
  const TToolRun run = RunTool("render " + cal + " --landmarks " + Symbols() +
                               " --size 400x300 --mag 2 --center 45,12.5 --graticule lines --grid-dist 1"
                               " --no-antialias -o " + At("z.png"));
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_NE(run.Out.find("magnification: 2.000000"), std::string::npos) << run.Out;
  ExpectGolden(dir / "z.png", "render-zoomed.png");
}

// The golden is the generated map alone: the world data of marble-data,
// drawn when it is installed, are kept out (demo_world_test covers them).
TEST_F(CliRender, DemoPictureMatchesTheGolden) {
  const TToolRun run = RunTool("demo --marble-data '' -o " + At("demo.png"));
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(run.Err, "");
  EXPECT_NE(run.Out.find("demo.png (1200 x 900 pixels)"), std::string::npos) << run.Out;
  const std::regex placed("capitals: +([0-9]+) placed");
  std::smatch m;
  ASSERT_TRUE(std::regex_search(run.Out, m, placed)) << run.Out;
  EXPECT_GT(std::stoi(m[1]), 40);  // the capitals of Europe and its neighbours
  ExpectGolden(dir / "demo.png", "demo-europe.png");
}

TEST_F(CliRender, DemoWritesDemoPngInTheCurrentDirectoryAndTakesARegion) {
  const TToolRun run = RunTool("--version >/dev/null 2>&1; cd " + At("") + " && '" + std::string(ORQCARTA_BIN) +
                               "' demo --region 30,-20,-35,55");
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_TRUE(fs::exists(dir / "demo.png"));
  EXPECT_NE(run.Out.find("latitude -35 .. 30, longitude -20 .. 55"), std::string::npos) << run.Out;
  EXPECT_NE(run.Out.find("top left:     lat 30.000000 lon -20.000000"), std::string::npos) << run.Out;
}

// At the map's own size the fit is 1:1, so the corners lie 30 pixels outside
// the frame, where 540 pixels carry 20 degrees of longitude and 340 pixels 10
// degrees of latitude.
TEST_F(CliRender, PrintsTheCornersOfThePicture) {
  const std::string cal = BlankMap();
  const TToolRun run = RunTool("render " + cal + " --size 600x400 -o " + At("b.bmp"));
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_TRUE(fs::exists(dir / "b.bmp"));
  const double degPerPxLong = 20.0 / 540, degPerPxLat = 10.0 / 340;
  const struct {
    const char* Corner;
    double Lat, Long;
  } expected[] = {{"top left:", 50 + 30 * degPerPxLat, -30 * degPerPxLong},
                  {"top right:", 50 + 30 * degPerPxLat, 20 + 30 * degPerPxLong},
                  {"bottom left:", 40 - 30 * degPerPxLat, -30 * degPerPxLong},
                  {"bottom right:", 40 - 30 * degPerPxLat, 20 + 30 * degPerPxLong}};
  for (const auto& e : expected) {
    const std::regex line(std::string(e.Corner) + " +lat (\\S+) lon (\\S+)");
    std::smatch m;
    ASSERT_TRUE(std::regex_search(run.Out, m, line)) << e.Corner << '\n' << run.Out;
    EXPECT_NEAR(std::stod(m[1]), e.Lat, 1e-3) << e.Corner;
    EXPECT_NEAR(std::stod(m[2]), e.Long, 1e-3) << e.Corner;
  }
}

TEST_F(CliRender, ErrorsAreOneLineWithTheirExitCode) {
  const std::string cal = BlankMap();
  const std::string out = " -o " + At("x.png");
  const struct {
    std::string Args;
    int Exit;
    const char* Message;
  } cases[] = {
      {"render " + At("none.xml") + out, 3, "cannot open calibration file"},
      {"render " + cal + " --landmarks " + At("none.csv") + out, 3, "cannot open landmark file"},
      {"render " + cal + " --id nosuchblock" + out, 1, "no calibration block \"nosuchblock\""},
      {"render " + cal + " --graticule dots" + out, 2, "--graticule: unknown value \"dots\""},
      {"render " + cal + " --size 800" + out, 2, "--size: expected WxH"},
      {"render " + cal + " --size 10x600" + out, 2, "--size: expected WxH"},
      {"render " + cal + " --size 800xabc" + out, 2, "--size: expected WxH"},
      {"render " + cal + " --mag 2 --fit" + out, 2, "--mag and --fit exclude each other"},
      {"render " + cal + " --mag 0" + out, 2, "--mag: must lie within"},
      {"render " + cal + " --center 45" + out, 2, "--center: expected LAT,LON"},
      {"render " + cal + " -o " + At("x.gif"), 2, "-o: unknown picture kind"},
      {"render " + cal + " -o " + At("no/such/dir/x.png"), 3, "cannot write"},
      {"demo --region 1,2,3" + out, 2, "--region: expected LAT1,LON1,LAT2,LON2"},
      {"demo --all" + out, 2, "--all goes with --geodesy"},
  };
  for (const auto& c : cases) {
    const TToolRun run = RunTool(c.Args);
    EXPECT_EQ(run.ExitCode, c.Exit) << c.Args << '\n' << run.Err;
    ASSERT_EQ(run.ErrLines().size(), 1u) << c.Args << '\n' << run.Err;
    EXPECT_NE(run.Err.find(c.Message), std::string::npos) << c.Args << '\n' << run.Err;
    EXPECT_EQ(run.Out, "") << c.Args;
  }
  EXPECT_FALSE(fs::exists(dir / "x.png"));
}

}  // namespace
}  // namespace orq::cli::test
