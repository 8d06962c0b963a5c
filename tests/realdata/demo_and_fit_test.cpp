// The demo on marble-data, and the calibration commands that make real
// scans usable: plate-carree and fit-image.
#include <cmath>

#include "RealData.h"
#include "orqcarta/Orq_GeoMap.h"
#include "tile_calibration.h"

namespace orq::cli::test {
namespace {

TRun Calib(std::vector<std::string> Args) { return RunInProcess(RegisterCalibCommands, "calib", std::move(Args)); }
TRun Demo(std::vector<std::string> Args) { return RunInProcess(RegisterDemoCommand, "demo", std::move(Args)); }

class FitImage : public ScratchDir {};

TEST_F(FitImage, ScalesTheImageAndItsCalibrationUnderTheLimit) {
  // 2000 x 1000, left half red, right half blue, the whole earth.
  TRawImage img;
  img.Width = 2000;
  img.Height = 1000;
  for (int y = 0; y < img.Height; ++y)
    for (int x = 0; x < img.Width; ++x) img.Pixels.push_back(x < 1000 ? 0x0000FF : 0xFF0000);
  WriteBytes(At("wide.png"), EncodePng(img));
  TRun run = Calib({"plate-carree", At("wide.png"), "-o", At("wide.xml")});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  run = Calib({"fit-image", At("wide.xml"), "--max-pixels", "500000", "-o", At("fit.xml")});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_NE(run.Out.find("2000 x 1000 -> 1000 x 500 pixels (factor 0.500000)"), std::string::npos) << run.Out;
  const TRawImage fitted = DecodeFile(At("fit.png"));
  ASSERT_EQ(fitted.Width, 1000);
  ASSERT_EQ(fitted.Height, 500);
  // Area averaging keeps the halves apart: the pixels either side of the
  // middle are pure.
  EXPECT_EQ(fitted.Pixels[499], 0x0000FFu);
  EXPECT_EQ(fitted.Pixels[500], 0xFF0000u);
  TCalibData data;
  TCalibModel model = cmUndefined;
  ASSERT_TRUE(ReadCalibration(At("fit.xml"), "", data, model));
  EXPECT_EQ(model, cmEquiRect);
  ASSERT_EQ(data.NumCalQuads, 9);
  EXPECT_EQ(data.CalQuads[8].MapX, 1000);  // the bottom-right quadruple
  EXPECT_EQ(data.CalQuads[8].MapY, 500);
  EXPECT_DOUBLE_EQ(data.Corners[gcoBottomRight].Latit, -90);
  EXPECT_DOUBLE_EQ(data.Corners[gcoBottomRight].Longit, 180);
  // The map control takes the result and converts as before.
  TGeoMap map;
  map.SetSuppressPaint(true);
  map.LoadCalDataFromXML(At("fit.xml"), "");
  ASSERT_EQ(map.MapImgWidth(), 1000);
  int x = 0, y = 0;
  ASSERT_TRUE(map.CalcPixelCoords(45, 90, x, y));
  EXPECT_EQ(x, 750);
  EXPECT_EQ(y, 125);
}

TEST_F(FitImage, AnImageWithinTheLimitKeepsItsSizeAndBadInputIsReported) {
  TRawImage img;
  img.Width = 300;
  img.Height = 200;
  img.Pixels.assign(300 * 200, 0x808080);
  WriteBytes(At("s.png"), EncodePng(img));
  ASSERT_EQ(Calib({"plate-carree", At("s.png"), "--area", "50,5,45,15", "-o", At("s.xml")}).ExitCode, 0);
  TRun run = Calib({"fit-image", At("s.xml"), "-o", At("f.xml")});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_NE(run.Out.find("300 x 200 -> 300 x 200 pixels (factor 1.000000)"), std::string::npos) << run.Out;
  EXPECT_EQ(Calib({"plate-carree", At("s.png"), "--area", "45,5,50,15", "-o", At("x.xml")}).ExitCode, ExitUsage);
  EXPECT_EQ(Calib({"plate-carree", At("s.png"), "--area", "50,5,45", "-o", At("x.xml")}).ExitCode, ExitUsage);
  EXPECT_EQ(Calib({"fit-image", At("s.xml"), "--max-pixels", "99", "-o", At("x.xml")}).ExitCode, ExitUsage);
  run = Calib({"fit-image", At("none.xml"), "-o", At("x.xml")});
  EXPECT_EQ(run.ExitCode, ExitBadInput) << run.Err;
  fs::remove(At("s.png"));
  run = Calib({"fit-image", At("s.xml"), "-o", At("x.xml")});
  EXPECT_EQ(run.ExitCode, ExitFailure);
  EXPECT_NE(run.Err.find("cannot open the map image"), std::string::npos) << run.Err;
}

class DemoOnRealData : public ScratchDir {};

TEST_F(DemoOnRealData, DrawsTheWorldVectorsOnTheGeneratedMapAndSaysSo) {
  ORQ_REQUIRE_MARBLE_DATA();
  const TRun with = Demo({"-o", At("with.png")});
  ASSERT_EQ(with.ExitCode, 0) << with.Err;
  EXPECT_NE(with.Out.find("world data:    "), std::string::npos) << with.Out;
  EXPECT_NE(with.Out.find(" borders of MWDB-II (public domain) from "), std::string::npos) << with.Out;
  const TRun without = Demo({"--marble-data", At("nothing"), "-o", At("without.png")});
  ASSERT_EQ(without.ExitCode, 0) << without.Err;
  EXPECT_NE(without.Out.find("world data:    none (install marble-data"), std::string::npos) << without.Out;
  // The outlines change thousands of pixels; the coast of Brittany is one.
  const TRawImage a = DecodeFile(At("with.png")), b = DecodeFile(At("without.png"));
  ASSERT_EQ(a.Pixels.size(), b.Pixels.size());
  long differing = 0;
  for (std::size_t i = 0; i < a.Pixels.size(); ++i) differing += a.Pixels[i] != b.Pixels[i];
  EXPECT_GT(differing, 20000);
}

TEST_F(DemoOnRealData, WorldPutsTheCapitalsOnBlueMarble) {
  ORQ_REQUIRE_MARBLE_DATA();
  const TRun run = Demo({"--world", "-o", At("world.png")});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_NE(run.Out.find("fitted to 2448 x 1224 pixels (at most 3000000)"), std::string::npos) << run.Out;
  EXPECT_NE(run.Out.find("capitals:      230"), std::string::npos) << run.Out;
  const TRawImage pic = DecodeFile(At("world.png"));
  EXPECT_EQ(pic.Width, 1224);
  EXPECT_EQ(pic.Height, 612);
  EXPECT_EQ(Demo({"--world", "--marble-data", At("nothing"), "-o", At("x.png")}).ExitCode, ExitFailure);
  EXPECT_EQ(Demo({"--world", "--region", "1,2,3,4", "-o", At("x.png")}).ExitCode, ExitUsage);
}

}  // namespace
}  // namespace orq::cli::test
