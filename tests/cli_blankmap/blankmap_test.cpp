// orqcarta blankmap: files written, their calibration, option errors.
#include <gtest/gtest.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cmath>
#include <filesystem>
#include <sstream>
#include <vector>

#include "../InProcessCommand.h"
#include "ErrorReport.h"
#include "blankmap_command.h"
#include "orqcarta/Orq_GeoMap.h"
#include "orqplatform/FileUtils.h"

namespace orq::cli {
namespace {

TRun RunBlankMap(std::vector<std::string> Args) { return RunInProcess(RegisterBlankMapCommand, "blankmap", std::move(Args)); }

class BlankMapCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = std::filesystem::temp_directory_path() / ("orq_cli_blankmap_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
  }
  void TearDown() override { std::filesystem::remove_all(dir); }
  std::string File(const std::string& Name) const { return (dir / Name).string(); }
  std::filesystem::path dir;
};

TEST_F(BlankMapCommand, WritesACalibratedMapOfTheRectangle) {
  const TRun run =
      RunBlankMap({File("alps"), "--lat", "48", "45.5", "--long", "5.5", "16.5", "--dlat", "0.5", "--width", "800",
                   "--height", "400"});
  ASSERT_EQ(run.ExitCode, ExitOk) << run.Err;
  EXPECT_NE(run.Out.find("800 x 400"), std::string::npos) << run.Out;
  ASSERT_TRUE(FileExists(File("alps.bmp")));
  ASSERT_TRUE(FileExists(File("alps.xml")));

  TGeoMap map;
  map.SetOnMapImageRequest([&](TObject*, std::string& Name) { Name = File("alps.bmp"); });
  map.LoadCalDataFromXML(File("alps.xml"), "Orq_geomap_caldata");
  EXPECT_EQ(map.MapImgWidth(), 800);
  EXPECT_EQ(map.MapImgHeight(), 400);
  EXPECT_EQ(map.CalibModel(), cmBiquadraticPn);
  int x = 0, y = 0;
  ASSERT_TRUE(map.CalcPixelCoords(45.5, 5.5, x, y));
  EXPECT_EQ(x, 30);
  EXPECT_EQ(y, 370);
  ASSERT_TRUE(map.CalcPixelCoords(48, 16.5, x, y));
  EXPECT_EQ(x, 770);
  EXPECT_EQ(y, 30);
}

// A caption makes a map an atlas can use: the block carries the caption,
// the corners and the resolution.
TEST_F(BlankMapCommand, ACaptionAddsCornersAndResolution) {
  const TRun run = RunBlankMap({File("fine"), "--lat", "46.4", "46.6", "--long", "10.6", "10.9", "--width", "600",
                                "--caption", "Fine map"});
  ASSERT_EQ(run.ExitCode, ExitOk) << run.Err;
  TCalibData data;
  TCalibModel model = cmUndefined;
  ASSERT_TRUE(ParseCalibData(File("fine.xml"), "", data, model));
  EXPECT_EQ(data.Caption, "Fine map");
  EXPECT_EQ(model, cmBiquadraticPn);
  // 0.3 degrees of longitude at 46.5 N over the 540 pixels inside the frame.
  EXPECT_NEAR(data.Resolution, 0.3 * 111320 * std::cos(46.5 * 3.141592653589793 / 180) / 540, 1.0);
  // The image reaches 30 pixels beyond the frame on every side.
  EXPECT_GT(data.Corners[gcoTopLeft].Latit, 46.6);
  EXPECT_LT(data.Corners[gcoTopLeft].Longit, 10.6);
  EXPECT_LT(data.Corners[gcoBottomRight].Latit, 46.4);
  EXPECT_GT(data.Corners[gcoBottomRight].Longit, 10.9);
}

// Without spacing and height the tool picks a 1-2-5 spacing and the aspect
// of the area at its middle latitude.
TEST_F(BlankMapCommand, ChoosesSpacingAndHeight) {
  const TRun run = RunBlankMap({File("equator"), "--lat", "-5", "5", "--long", "-10", "10"});
  ASSERT_EQ(run.ExitCode, ExitOk) << run.Err;
  EXPECT_NE(run.Out.find("1000 x 500"), std::string::npos) << run.Out;
  EXPECT_NE(run.Out.find("lines every: 2 deg latitude, 5 deg longitude"), std::string::npos) << run.Out;
}

TEST_F(BlankMapCommand, RefusesUnusableOptionsWithoutWriting) {
  struct TCase {
    std::vector<std::string> Args;
    const char* Message;
  };
  const TCase cases[] = {
      {{File("m"), "--lat", "10", "x", "--long", "1", "2"}, "--lat: not a number"},
      {{File("m"), "--lat", "10", "95", "--long", "1", "2"}, "--lat: values must lie within"},
      {{File("m"), "--lat", "10", "10", "--long", "1", "2"}, "--lat: the two bounds must differ"},
      {{File("m"), "--lat", "10", "11", "--long", "1", "2", "--dlong", "0"}, "--dlong: the line distance"},
      {{File("m"), "--lat", "10", "11", "--long", "1", "2", "--width", "3000", "--height", "3000"}, "--height"},
      {{File("m"), "--lat", "10", "11", "--long", "1", "2", "--dlat", "0.00001"}, "more than 10000 lines"},
  };
  for (const TCase& c : cases) {
    const TRun run = RunBlankMap(c.Args);
    EXPECT_EQ(run.ExitCode, ExitUsage) << c.Message;
    EXPECT_NE(run.Err.find(c.Message), std::string::npos) << run.Err;
  }
  EXPECT_EQ(RunBlankMap({File("m"), "--lat", "10", "--long", "1", "2"}).ExitCode, ExitUsage);
  EXPECT_FALSE(FileExists(File("m.bmp")));
  EXPECT_FALSE(FileExists(File("m.xml")));
}

TEST_F(BlankMapCommand, ReportsAFileThatCannotBeWritten) {
  const TRun run = RunBlankMap({File("no/such/dir/m"), "--lat", "10", "11", "--long", "1", "2"});
  EXPECT_EQ(run.ExitCode, ExitFailure);
  EXPECT_EQ(run.Err.rfind("orqcarta blankmap: ", 0), 0u) << run.Err;
  EXPECT_TRUE(run.Out.empty()) << run.Out;
}

}  // namespace
}  // namespace orq::cli
