// atlas split: every tile holds exactly its part of the scan (or of the
// overview level it belongs to), and converts pixels to positions as the
// whole scan does. A synthetic JPEG made by rows runs always; Blue Marble
// when marble-data is there.
#include <cmath>
#include <map>

#include "RealData.h"
#include "atlas_split.h"
#include "orqplatform/FileUtils.h"
#include "orqcarta/Orq_GeoMap.h"
#include "tile_calibration.h"

namespace orq::cli::test {
namespace {

TRun Atlas(std::vector<std::string> Args) {
  Args.insert(Args.begin(), "split");
  return RunInProcess(RegisterAtlasCommand, "atlas", std::move(Args));
}

TColor At(const TRawImage& Img, int X, int Y) { return Img.Pixels[static_cast<std::size_t>(Y) * Img.Width + X]; }

// The level-k picture as the splitter averages it: each pixel from the 2 x 2
// pixels of the level above (fewer at an odd edge), rounded to nearest.
TRawImage Halve(const TRawImage& Up) {
  TRawImage d;
  d.Width = (Up.Width + 1) / 2;
  d.Height = (Up.Height + 1) / 2;
  d.Pixels.resize(static_cast<std::size_t>(d.Width) * d.Height);
  for (int y = 0; y < d.Height; ++y)
    for (int x = 0; x < d.Width; ++x) {
      uint32_t sum[3] = {0, 0, 0}, n = 0;
      for (int dy = 0; dy < 2; ++dy)
        for (int dx = 0; dx < 2; ++dx) {
          const int sx = 2 * x + dx, sy = 2 * y + dy;
          if (sx >= Up.Width || sy >= Up.Height) continue;
          const TColor c = At(Up, sx, sy);
          for (int ch = 0; ch < 3; ++ch) sum[ch] += (c >> (8 * ch)) & 0xFF;
          ++n;
        }
      d.Pixels[static_cast<std::size_t>(y) * d.Width + x] =
          (sum[0] + n / 2) / n | ((sum[1] + n / 2) / n) << 8 | ((sum[2] + n / 2) / n) << 16;
    }
  return d;
}

// A map control holding only a calibration: enough for conversions.
struct TCalibratedMap {
  TGeoMap Map;
  TCalibratedMap(const TCalibData& Data, TCalibModel Model, int W, int H) {
    Map.SetSuppressPaint(true);
    TBitmap blank;
    blank.SetSize(W, H);
    Map.SetMapBitMap(&blank);
    Map.SetCalibData(Data);
    Map.SetCalibModel(Model);
  }
};

struct TSplitCheck {
  int Tiles = 0, Levels = 0;
  double WorstDegrees = 0;
};

// Checks every tile in Dir against the scan and its calibration.
TSplitCheck CheckSplit(const fs::path& Dir, const TRawImage& Scan, const TCalibData& Data, TCalibModel Model,
                       int Tile) {
  TSplitCheck out;
  std::vector<TRawImage> levels{Scan};
  TCalibratedMap full(Data, Model, std::min(Scan.Width, 1000), std::min(Scan.Height, 1000));
  for (const auto& entry : fs::directory_iterator(Dir)) {
    if (entry.path().extension() != ".xml") continue;
    TCalibData tileData;
    TCalibModel tileModel = cmUndefined;
    EXPECT_TRUE(ReadCalibration(entry.path().string(), "", tileData, tileModel)) << entry.path();
    int level = 0, row = 0, column = 0;
    const std::string stem = entry.path().stem().string();
    EXPECT_EQ(std::sscanf(stem.c_str() + stem.rfind("_L"), "_L%d_R%d_C%d", &level, &row, &column), 3) << stem;
    while (static_cast<int>(levels.size()) <= level) levels.push_back(Halve(levels.back()));
    out.Levels = std::max(out.Levels, level + 1);
    const TRawImage& pic = levels[static_cast<std::size_t>(level)];
    const TRawImage tile = DecodeFile(FindFileIgnoringCase(tileData.MapFName));
    EXPECT_LE(tile.Width, Tile);
    EXPECT_LE(tile.Height, Tile);
    EXPECT_EQ(tile.Width, std::min(Tile, pic.Width - column * Tile)) << stem;
    EXPECT_EQ(tile.Height, std::min(Tile, pic.Height - row * Tile)) << stem;
    long differing = 0;
    for (int y = 0; y < tile.Height; ++y)
      for (int x = 0; x < tile.Width; ++x) differing += At(tile, x, y) != At(pic, column * Tile + x, row * Tile + y);
    EXPECT_EQ(differing, 0) << stem;
    ++out.Tiles;
    if (level != 0) continue;
    // Full-resolution tiles convert exactly as the scan does.
    TCalibratedMap part(tileData, tileModel, tile.Width, tile.Height);
    for (int y = 0; y <= tile.Height; y += std::max(1, tile.Height / 7))
      for (int x = 0; x <= tile.Width; x += std::max(1, tile.Width / 7)) {
        bool v1 = false, v2 = false, v3 = false, v4 = false;
        const double lat = part.Map.CalcLatitude(x, y, v1), lon = part.Map.CalcLongitude(x, y, v2);
        const double wantLat = full.Map.CalcLatitude(x + column * Tile, y + row * Tile, v3);
        const double wantLon = full.Map.CalcLongitude(x + column * Tile, y + row * Tile, v4);
        EXPECT_TRUE(v1 && v2 && v3 && v4);
        out.WorstDegrees = std::max({out.WorstDegrees, std::fabs(lat - wantLat), std::fabs(lon - wantLon)});
      }
  }
  // The last level is one tile.
  int lastLevelTiles = 0;
  for (const auto& entry : fs::directory_iterator(Dir))
    lastLevelTiles += entry.path().extension() == ".xml" &&
                      entry.path().stem().string().find("_L" + std::to_string(out.Levels - 1) + "_") != std::string::npos;
  EXPECT_EQ(lastLevelTiles, 1);
  return out;
}

class AtlasSplit : public ScratchDir {};

TEST_F(AtlasSplit, ASyntheticScanWrittenAndReadByRowsSplitsExactly) {
  // Odd sizes, so that the last tiles and the overview edges are partial.
  const int W = 1301, H = 901;
  const std::string scan = At("scan.jpg");
  {
    TJpegRowWriter writer(scan, W, H, TJpegWriteOptions{});
    std::vector<TColor> row(W);
    for (int y = 0; y < H; ++y) {
      for (int x = 0; x < W; ++x)
        row[static_cast<std::size_t>(x)] = static_cast<TColor>((x ^ y) & 255) | static_cast<TColor>(x * 255 / W) << 8 |
                                           static_cast<TColor>(y * 255 / H) << 16;
      writer.WriteRow(row.data());
    }
    writer.Close();
  }
  ASSERT_EQ(Atlas({"--help"}).ExitCode, ExitOk);
  WriteCalibration(At("scan.xml"), PlateCarreeCalibration(W, H, 60, 30, -10, 40), cmEquiRect, W, H, scan, "scan");
  // The reference is the block as stored (positions to 5 decimals).
  TCalibData data;
  TCalibModel model = cmUndefined;
  ASSERT_TRUE(ReadCalibration(At("scan.xml"), "", data, model));
  const TRun run = Atlas({scan, At("scan.xml"), "--tile", "256", "-o", At("tiles")});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  // 6 x 4, 3 x 2, 2 x 1, 1 x 1.
  EXPECT_EQ(run.Out, "tiles:  33 in 4 levels (level 0: 24, level 1: 6, level 2: 2, level 3: 1)\nfolder: " +
                         At("tiles") + "\n");
  const TSplitCheck check = CheckSplit(Dir / "tiles", DecodeFile(scan), data, model, 256);
  EXPECT_EQ(check.Tiles, 33);
  EXPECT_LE(check.WorstDegrees, 1e-9);
}

TEST_F(AtlasSplit, BadOptionsAreRefused) {
  EXPECT_EQ(Atlas({"x.jpg", "x.xml", "--tile", "2000", "-o", At("t")}).ExitCode, ExitUsage);
  EXPECT_EQ(Atlas({"x.jpg", "x.xml", "--format", "gif", "-o", At("t")}).ExitCode, ExitUsage);
  const TRun run = Atlas({At("x.jpg"), At("none.xml"), "-o", At("t")});
  EXPECT_EQ(run.ExitCode, ExitBadInput);
  EXPECT_NE(run.Err.find("no calibration block"), std::string::npos) << run.Err;
}

TEST_F(AtlasSplit, BlueMarbleInto1024PixelTilesIsExact) {
  ORQ_REQUIRE_CALIBRATIONS();
  const fs::path image = MarbleData() / "maps/earth/bluemarble/bluemarble.jpg";
  const fs::path cal = Calibrations() / "world/bluemarble.xml";
  const TRun run = Atlas({image.string(), cal.string(), "--tile", "1024", "-o", At("bm")});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_NE(run.Out.find("tiles:  9 in 3 levels (level 0: 6, level 1: 2, level 2: 1)"), std::string::npos) << run.Out;
  TCalibData data;
  TCalibModel model = cmUndefined;
  ASSERT_TRUE(ReadCalibration(cal.string(), "", data, model));
  const TSplitCheck check = CheckSplit(Dir / "bm", DecodeFile(image), data, model, 1024);
  EXPECT_EQ(check.Tiles, 9);
  EXPECT_LE(check.WorstDegrees, 1e-9);
  // The atlas goes from the overview to a full-resolution tile at Paris.
  const TRun walk = RunInProcess(RegisterAtlasCommand, "atlas", {At("bm"), "--at", "48.85,2.35"});
  ASSERT_EQ(walk.ExitCode, 0) << walk.Err;
  EXPECT_NE(walk.Out.find("start:    9  bluemarble level 2 row 0 column 0"), std::string::npos) << walk.Out;
  EXPECT_NE(walk.Out.find("map:      2  bluemarble level 0 row 0 column 1"), std::string::npos) << walk.Out;
}

}  // namespace
}  // namespace orq::cli::test
