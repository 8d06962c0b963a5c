// Generated blank maps: frame, inset, graticule and labels in pixels, the
// nine-point calibration on disk and in the control, normalisation and limits.
#include <gtest/gtest.h>

#include <cmath>

#include "images_test_support.h"
#include "orqmath/DegreeToStr.h"
#include "orqplatform/Canvas.h"
#include "orqplatform/FileUtils.h"

namespace orq {
namespace {

constexpr TColor Black = 0x000000, White = 0xFFFFFF, Silver = 0xC0C0C0;

// The label as the map writes it, drawn alone on a bitmap of the map's format.
std::unique_ptr<TBitmap> LabelAlone(const std::string& Text, TPixelFormat Format) {
  auto bmp = std::make_unique<TBitmap>();
  bmp->SetPixelFormat(Format);
  bmp->SetSize(1, 1);
  const int w = bmp->Canvas()->TextWidth(Text), h = bmp->Canvas()->TextHeight(Text);
  bmp->SetSize(w, h);
  bmp->Canvas()->TextOut(0, 0, Text);
  return bmp;
}

// True when the map holds exactly the label's pixels at (Left, Top).
bool HasLabelAt(TBitmap* Map, const std::string& Text, int Left, int Top) {
  const auto label = LabelAlone(Text, Map->PixelFormat());
  for (int y = 0; y < label->Height(); ++y)
    for (int x = 0; x < label->Width(); ++x)
      if (PixelAt(Map, Left + x, Top + y) != PixelAt(label.get(), x, y)) return false;
  return true;
}

std::string Label(double Value, TDegreeFormat Format, const char* Side) {
  return " " + DegreeToStr(Value, Format, 0) + Side;
}

// Latitudes 10..12 every 0.5 degrees, longitudes 20..23 every degree, 400 x 300.
class GeneratedMapTest : public ::testing::Test {
 protected:
  void SetUp() override {
    map.SetName("Gen");
    map.CreateAndLoadEmptyMap(dir.File("blank.bmp"), 10, 20, 12, 23, 0.5, 1, 400, 300, nullptr);
    bmp = map.MapBitmap();
  }
  TImageScratchDir dir;
  TGeoMap map;
  TBitmap* bmp = nullptr;
};

TEST_F(GeneratedMapTest, FrameIsSolidAndTheInsetDotted) {
  ASSERT_EQ(bmp->Width(), 400);
  ASSERT_EQ(bmp->Height(), 300);
  EXPECT_EQ(bmp->PixelFormat(), pf4bit);
  // Graticule lines start on the frame (their first pixel is a dash) and end
  // just before it.
  EXPECT_EQ(CountInRow(bmp, 30, 30, 370, Black), 339);
  EXPECT_EQ(PixelAt(bmp, 143, 30), Silver);
  EXPECT_EQ(PixelAt(bmp, 257, 30), Silver);
  EXPECT_EQ(CountInColumn(bmp, 30, 30, 270, Black), 238);
  for (int y : {90, 150, 210}) EXPECT_EQ(PixelAt(bmp, 30, y), Silver) << y;
  EXPECT_EQ(CountInRow(bmp, 270, 30, 370, Black), 341);
  EXPECT_EQ(CountInColumn(bmp, 370, 30, 270, Black), 241);
  EXPECT_EQ(PixelAt(bmp, 29, 150), White);
  EXPECT_EQ(PixelAt(bmp, 371, 150), White);

  for (int row : {26, 274}) {
    const int dots = CountInRow(bmp, row, 26, 374, Black);
    EXPECT_GT(dots, 349 * 2 / 5) << row;
    EXPECT_LT(dots, 349 * 3 / 5) << row;
    EXPECT_EQ(dots + CountInRow(bmp, row, 26, 374, White), 349) << row;
  }
  for (int col : {26, 374}) {
    const int dots = CountInColumn(bmp, col, 26, 274, Black);
    EXPECT_GT(dots, 249 * 2 / 5) << col;
    EXPECT_LT(dots, 249 * 3 / 5) << col;
  }
  for (int row : {25, 27, 28, 29}) EXPECT_EQ(CountInRow(bmp, row, 40, 120, White), 81) << row;
}

// The parallel at 10 falls on the frame and is neither drawn nor labelled.
TEST_F(GeneratedMapTest, ParallelsAreDashedSilverAtTheirRows) {
  for (int y : {210, 150, 90}) {
    const int silver = CountInRow(bmp, y, 150, 250, Silver);
    EXPECT_GT(silver, 101 * 3 / 5) << y;
    EXPECT_LT(silver, 101) << y;
    EXPECT_EQ(silver + CountInRow(bmp, y, 150, 250, White), 101) << y;
    EXPECT_EQ(CountInRow(bmp, y - 1, 150, 250, White), 101) << y;
  }
  EXPECT_EQ(CountInRow(bmp, 270, 30, 370, Black), 341);
  for (int y = 255; y < 270; ++y) EXPECT_EQ(CountInRow(bmp, y, 36, 120, White), 85) << y;
}

TEST_F(GeneratedMapTest, MeridiansAreDashedSilverAtTheirColumns) {
  // 21 and 22 E; 20 falls on the frame.
  for (int x : {143, 257}) {
    const int silver = CountInColumn(bmp, x, 100, 140, Silver);
    EXPECT_GT(silver, 41 * 3 / 5) << x;
    EXPECT_EQ(silver + CountInColumn(bmp, x, 100, 140, White), 41) << x;
  }
  // Only the parallels' first pixels: no meridian runs along the frame.
  EXPECT_EQ(CountInColumn(bmp, 30, 30, 270, Silver), 3);
}

TEST_F(GeneratedMapTest, LabelsUseTheFormatOfTheirSpacingOnBothSides) {
  const auto measure = LabelAlone(" ", pf4bit);
  TCanvas& canvas = *measure->Canvas();
  for (double v : {10.5, 11.0, 11.5}) {
    const std::string text = Label(v, dfDecimalDegrees, " N ");
    const int y = 300 - 30 - static_cast<int>((v - 10) / 2 * 240);
    const int top = y - canvas.TextHeight(text) / 2;
    EXPECT_TRUE(HasLabelAt(bmp, text, 36, top)) << text;
    EXPECT_TRUE(HasLabelAt(bmp, text, 400 - 36 - canvas.TextWidth(text), top)) << text;
  }
  for (auto [u, x] : {std::pair{21.0, 143}, std::pair{22.0, 257}}) {
    const std::string text = Label(u, dfDegrees, " E ");
    const int left = x - canvas.TextWidth(text) / 2;
    EXPECT_TRUE(HasLabelAt(bmp, text, left, 24 - canvas.TextHeight(text))) << text;
    EXPECT_TRUE(HasLabelAt(bmp, text, left, 300 - 24)) << text;
  }
}

TEST_F(GeneratedMapTest, CalibrationFileHoldsTheNineQuadruples) {
  const std::string xmlName = dir.File("blank.xml");
  const std::string xml = ReadFileBytes(xmlName);
  for (const char* absent : {"utmzone", "utmsouth", "resolution"}) EXPECT_EQ(xml.find(absent), std::string::npos);
  TCalibData cal;
  TCalibModel model = cmUndefined;
  ASSERT_TRUE(ParseCalibData(xmlName, "Orq_geomap_caldata", cal, model));
  EXPECT_EQ(model, cmBiquadraticPn);
  EXPECT_EQ(cal.Caption, "Map generated by TGeoMap");
  EXPECT_EQ(cal.MapFName, LowerCase(dir.File("blank.bmp")));
  ASSERT_EQ(cal.NumCalQuads, 9);
  const double lats[] = {10, 11, 12}, longs[] = {20, 21.5, 23};
  const int xs[] = {30, 200, 370}, ys[] = {270, 150, 30};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) {
      const TCalQuad& q = cal.CalQuads[i * 3 + j];
      EXPECT_EQ(q, (TCalQuad{lats[i], longs[j], xs[j], ys[i]})) << i << "," << j;
    }
  EXPECT_EQ(cal.Corners[gcoTopLeft], (TCoords{12, 20}));
  EXPECT_EQ(cal.Corners[gcoBottomRight], (TCoords{10, 23}));
}

TEST_F(GeneratedMapTest, ControlIsLoadedAndCalibrated) {
  EXPECT_EQ(map.MapImgFile(), LowerCase(dir.File("blank.bmp")));
  EXPECT_EQ(map.MapImgWidth(), 400);
  EXPECT_EQ(map.CalibModel(), cmBiquadraticPn);
  EXPECT_EQ(map.CalibData().NumCalQuads, 9);
  int x = 0, y = 0;
  ASSERT_TRUE(map.CalcPixelCoords(11.0, 21.5, x, y));
  EXPECT_EQ(x, 200);
  EXPECT_EQ(y, 150);
  bool valid = false;
  EXPECT_NEAR(map.CalcLatitude(370, 30, valid), 12.0, 1e-9);
  EXPECT_TRUE(valid);
  EXPECT_NEAR(map.CalcLongitude(370, 30, valid), 23.0, 1e-9);
}

TEST(GeneratedMap, BoundsInEitherOrderGiveTheSameMap) {
  TImageScratchDir dir;
  TGeoMap map;
  map.CreateAndLoadEmptyMap(dir.File("a.bmp"), 10, 20, 12, 23, 0.5, 1, 400, 300, nullptr);
  map.CreateAndLoadEmptyMap(dir.File("b.bmp"), 12, 23, 10, 20, 0.5, 1, 400, 300, nullptr);
  EXPECT_EQ(ReadFileBytes(dir.File("a.bmp")), ReadFileBytes(dir.File("b.bmp")));
  TCalibData a, b;
  TCalibModel ma, mb;
  ASSERT_TRUE(ParseCalibData(dir.File("a.xml"), "", a, ma));
  ASSERT_TRUE(ParseCalibData(dir.File("b.xml"), "", b, mb));
  EXPECT_EQ(a.CalQuads, b.CalQuads);
}

// Sizes below 100 become 100; a distance of 0 or less puts lines every degree.
TEST(GeneratedMap, SmallSizesAndUnusableDistancesAreNormalised) {
  TImageScratchDir dir;
  TGeoMap map;
  map.CreateAndLoadEmptyMap(dir.File("small.bmp"), 10, 20, 13, 23, 0.5, 1, 50, -7, nullptr);
  EXPECT_EQ(map.MapBitmap()->Width(), 100);
  EXPECT_EQ(map.MapBitmap()->Height(), 100);
  map.CreateAndLoadEmptyMap(dir.File("n.bmp"), 10, 20, 13, 23, 0, -2, 400, 360, nullptr);
  TBitmap* bmp = map.MapBitmap();
  // Parallels 11 and 12 at 330 - 100 and 330 - 200; meridians 21 and 22 at
  // 30 + 113.3 and 30 + 226.7.
  for (int y : {230, 130}) EXPECT_GT(CountInRow(bmp, y, 150, 250, Silver), 60) << y;
  EXPECT_EQ(CountInRow(bmp, 180, 150, 250, Silver), 0);
  for (int x : {143, 257}) EXPECT_GT(CountInColumn(bmp, x, 140, 220, Silver), 40) << x;
  EXPECT_EQ(CountInColumn(bmp, 200, 140, 220, Silver), 0);
}

TEST(GeneratedMap, CapitalsInTheNameStillLoadTheImage) {
  TImageScratchDir dir;
  TGeoMap map;
  map.CreateAndLoadEmptyMap(dir.File("Blank.BMP"), 10, 20, 12, 23, 0.5, 1, 400, 300, nullptr);
  EXPECT_TRUE(FileExists(dir.File("Blank.bmp")));
  EXPECT_TRUE(FileExists(dir.File("Blank.xml")));
  EXPECT_EQ(map.MapImgFile(), dir.File("Blank.bmp"));
  EXPECT_EQ(map.MapImgWidth(), 400);
  EXPECT_EQ(map.CalibData().NumCalQuads, 9);
}

TEST(GeneratedMap, DrawingProcedureSeesOrderedBoundsAndDrawsLast) {
  TImageScratchDir dir;
  TGeoMap map;
  int calls = 0;
  map.CreateAndLoadEmptyMap(
      dir.File("d.bmp"), 12, 23, 10, 20, 0.5, 1, 400, 300,
      [&](TObject* Sender, TCanvas* Canvas, double LatLow, double LongLow, double LatHigh, double LongHigh, int Wid,
          int Hgt) {
        ++calls;
        EXPECT_EQ(Sender, &map);
        EXPECT_EQ(LatLow, 10);
        EXPECT_EQ(LongLow, 20);
        EXPECT_EQ(LatHigh, 12);
        EXPECT_EQ(LongHigh, 23);
        EXPECT_EQ(Wid, 400);
        EXPECT_EQ(Hgt, 300);
        Canvas->SetPixels(30, 30, 0x0000FF);
      });
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(PixelAt(map.MapBitmap(), 30, 30), 0x0000FFu);
}

TEST(GeneratedMap, InMemoryWithoutGridIsBlankAndCalibratedOnTheWholeImage) {
  TGeoMap map;
  map.CreateEmptyMapInMemory(10, 20, 12, 23, 0.5, 1, 401, 301, false, nullptr);
  TBitmap* bmp = map.MapBitmap();
  EXPECT_EQ(bmp->PixelFormat(), pf24bit);
  for (int y : {0, 26, 30, 150, 300}) EXPECT_EQ(CountInRow(bmp, y, 0, 400, White), 401) << y;
  EXPECT_EQ(map.MapImgFile(), "$unknown$");
  EXPECT_EQ(map.CalibData().MapFName, "$unknown$");
  EXPECT_EQ(map.CalibModel(), cmEquiRect);
  const TCalibData& cal = map.CalibData();
  ASSERT_EQ(cal.NumCalQuads, 9);
  EXPECT_EQ(cal.CalQuads[0], (TCalQuad{10, 20, 0, 301}));
  EXPECT_EQ(cal.CalQuads[4], (TCalQuad{11, 21.5, 200, 150}));  // 200.5 and 150.5 to even
  EXPECT_EQ(cal.CalQuads[8], (TCalQuad{12, 23, 401, 0}));
  int x = 0, y = 0;
  ASSERT_TRUE(map.CalcPixelCoords(12.0, 23.0, x, y));
  EXPECT_EQ(x, 401);
  EXPECT_EQ(y, 0);
}

// On the frame, halves round to even too: (401 - 60) / 2 + 30 = 200.5 and
// 301 - 30 - 120.5 = 150.5.
TEST(GeneratedMap, InMemoryWithGridHasTheFrameAndIsCalibratedOnIt) {
  TGeoMap map;
  map.CreateEmptyMapInMemory(10, 20, 12, 23, 0.5, 1, 401, 301, true, nullptr);
  TBitmap* bmp = map.MapBitmap();
  EXPECT_EQ(CountInRow(bmp, 271, 30, 371, Black), 342);
  EXPECT_EQ(CountInColumn(bmp, 371, 30, 271, Black), 242);
  EXPECT_EQ(map.CalibData().CalQuads[4], (TCalQuad{11, 21.5, 200, 150}));
  EXPECT_EQ(map.CalibData().CalQuads[8], (TCalQuad{12, 23, 371, 30}));
}

// Refused before any pixel is allocated or any file written; the map keeps
// what it had.
TEST(GeneratedMap, UnusableRequestsAreRefusedAndChangeNothing) {
  TImageScratchDir dir;
  TGeoMap map;
  map.SetName("Gen");
  map.CreateEmptyMapInMemory(10, 20, 12, 23, 0.5, 1, 400, 300, true, nullptr);
  try {
    map.CreateAndLoadEmptyMap(dir.File("big.bmp"), 10, 20, 12, 23, 0.5, 1, 3000, 3000, nullptr);
    FAIL() << "no error";
  } catch (const EOrqGeoMapError& e) {
    EXPECT_EQ(std::string(e.what()), PixelLimitMessage("Gen", 3000, 3000));
  }
  EXPECT_FALSE(FileExists(dir.File("big.bmp")));
  EXPECT_THROW(map.CreateEmptyMapInMemory(10, 20, 12, 23, 0.5, 1, 100000, 100000, true, nullptr), EOrqGeoMapError);
  EXPECT_THROW(map.CreateEmptyMapInMemory(std::nan(""), 20, 12, 23, 0.5, 1, 400, 300, true, nullptr),
               EOrqGeoMapError);
  EXPECT_THROW(map.CreateEmptyMapInMemory(10, 20, 10, 23, 0.5, 1, 400, 300, true, nullptr), EOrqGeoMapError);
  EXPECT_THROW(map.CreateEmptyMapInMemory(10, 20, 12, 23, 1e-9, 1, 400, 300, true, nullptr), EOrqGeoMapError);
  // A file that cannot be written: the platform's error, and no half-loaded map.
  EXPECT_ANY_THROW(map.CreateAndLoadEmptyMap(dir.File("no/such/dir/m.bmp"), 0, 0, 1, 1, 0.5, 0.5, 200, 200, nullptr));
  EXPECT_EQ(map.MapImgWidth(), 400);
  EXPECT_EQ(map.CalibModel(), cmEquiRect);
  EXPECT_EQ(map.CalibData().NumCalQuads, 9);
}

// Spacings of 0.06 degrees and less are labelled with minutes and seconds.
TEST(GeneratedMap, FineSpacingIsLabelledInMinutesAndSeconds) {
  TGeoMap map;
  map.CreateEmptyMapInMemory(10, 20, 10.1, 20.1, 0.05, 0.05, 400, 300, true, nullptr);
  TBitmap* bmp = map.MapBitmap();
  const auto measure = LabelAlone(" ", pf24bit);
  TCanvas& canvas = *measure->Canvas();
  const std::string text = Label(201 * 0.05, dfDegMinSec, " N ");
  EXPECT_NE(text.find('\''), std::string::npos) << text;
  EXPECT_TRUE(HasLabelAt(bmp, text, 36, 150 - canvas.TextHeight(text) / 2)) << text;
}

}  // namespace
}  // namespace orq
