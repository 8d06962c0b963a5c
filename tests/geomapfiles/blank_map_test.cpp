#include <gtest/gtest.h>

#include <unistd.h>

#include <string>

#include "files_test_support.h"
#include "orqcarta/geomap/BlankMap.h"
#include "orqcarta/geomap/CalibXml.h"
#include "orqplatform/FileUtils.h"

namespace orq {
namespace {

constexpr TColor Black = 0x000000, Silver = 0xC0C0C0;

TEST(BlankMap, GeneratedFileMapHasFrameGraticuleAndNineQuadruples) {
  TScratchDir dir;
  TGeoMap m;
  m.SetSuppressPaint(true);
  int calls = 0;
  // Bounds given high to low come out ordered.
  m.CreateAndLoadEmptyMap(dir.File("blank.png"), 12, 23, 10, 20, 0.5, 1, 200, 160,
                          [&](TObject* sender, TCanvas* canvas, double latLo, double longLo, double latHi,
                              double longHi, int w, int h) {
                            ++calls;
                            EXPECT_EQ(sender, &m);
                            EXPECT_NE(canvas, nullptr);
                            EXPECT_EQ(latLo, 10);
                            EXPECT_EQ(longLo, 20);
                            EXPECT_EQ(latHi, 12);
                            EXPECT_EQ(longHi, 23);
                            EXPECT_EQ(w, 200);
                            EXPECT_EQ(h, 160);
                          });
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(m.MapImgFile(), dir.File("blank.bmp"));
  EXPECT_EQ(m.CalibModel(), cmBiquadraticPn);
  ASSERT_EQ(m.MapImgWidth(), 200);
  TCanvas* c = m.MapBitmap()->Canvas();
  // Frame at 30 on all four sides; the parallel of 10 lies on it and is not drawn.
  for (TPoint p : {TPoint{100, 30}, TPoint{170, 80}, TPoint{100, 130}, TPoint{30, 100}, TPoint{30, 30}})
    EXPECT_EQ(c->Pixels(p.X, p.Y), Black) << p.X << "," << p.Y;
  // Dotted inset at 26: about half its pixels.
  int dotted = 0;
  for (int x = 40; x < 160; ++x) dotted += c->Pixels(x, 26) == Black ? 1 : 0;
  EXPECT_GT(dotted, 40);
  EXPECT_LT(dotted, 80);
  // Dashed silver parallels at 10.5, 11 and 11.5 (rows 105, 80, 55), meridians
  // at 21 and 22 (columns 77 and 123); nothing silver between them.
  for (int y : {105, 80, 55}) {
    int silver = 0;
    for (int x = 90; x < 110; ++x) silver += c->Pixels(x, y) == Silver ? 1 : 0;
    EXPECT_GT(silver, 8) << y;
  }
  for (int x : {77, 123}) {
    int silver = 0;
    for (int y = 40; y < 120; ++y) silver += c->Pixels(x, y) == Silver ? 1 : 0;
    EXPECT_GT(silver, 40) << x;
  }
  for (int x = 90; x < 110; ++x) EXPECT_NE(c->Pixels(x, 81), Silver) << x;

  const std::string xml = ReadBytes(dir.File("blank.xml"));
  EXPECT_EQ(xml.find("utmzone"), std::string::npos);
  EXPECT_EQ(xml.find("resolution"), std::string::npos);
  TCalibData d;
  TCalibModel model;
  ASSERT_TRUE(ParseCalibData(dir.File("blank.xml"), BlankMapDataID, d, model));
  EXPECT_EQ(d.Caption, BlankMapCaption);
  ASSERT_EQ(d.NumCalQuads, 9);
  const int xs[] = {30, 100, 170}, ys[] = {130, 80, 30};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      EXPECT_EQ(d.CalQuads[i * 3 + j], (TCalQuad{10.0 + i, 20 + 1.5 * j, xs[j], ys[i]})) << i << j;
  bool valid = false;
  EXPECT_NEAR(m.CalcLatitude(100, 80, valid), 11, 1e-9);
  EXPECT_TRUE(valid);
}

TEST(BlankMap, ArgumentsAreNormalised) {
  TScratchDir dir;
  TGeoMap m;
  m.SetSuppressPaint(true);
  m.CreateAndLoadEmptyMap(dir.File("small"), 0, 0, 3, 3, 0, -2, 50, 20, nullptr);
  EXPECT_EQ(m.MapImgWidth(), 100);
  EXPECT_EQ(m.MapImgHeight(), 100);
  // Lines every degree: the parallels of 1 and 2 at rows 70 - Round(40 v / 3).
  for (int y : {57, 43}) {
    int silver = 0;
    for (int x = 31; x < 70; ++x) silver += m.MapBitmap()->Canvas()->Pixels(x, y) == Silver ? 1 : 0;
    EXPECT_GT(silver, 4) << y;  // the labels cover part of the line
  }

  m.SetName("Map1");
  EXPECT_THROW(m.CreateEmptyMapInMemory(0, 0, 1, 1, 1, 1, 3000, 1001, true, nullptr), EOrqGeoMapError);
  EXPECT_EQ(m.MapImgWidth(), 100);
}

TEST(BlankMap, InMemoryMapWithoutGrid) {
  TGeoMap m;
  m.SetSuppressPaint(true);
  bool drawn = false;
  m.CreateEmptyMapInMemory(40, 0, 50, 20, 1, 1, 400, 200, false,
                           [&](TObject*, TCanvas* c, double, double, double, double, int, int) {
                             drawn = true;
                             c->SetPixels(5, 5, 0x0000FF);
                           });
  EXPECT_TRUE(drawn);
  EXPECT_EQ(m.MapImgFile(), "$unknown$");
  EXPECT_EQ(m.CalibModel(), cmEquiRect);
  EXPECT_EQ(m.MapBitmap()->Canvas()->Pixels(5, 5), 0x0000FFu);
  EXPECT_EQ(m.MapBitmap()->Canvas()->Pixels(30, 30), 0xFFFFFFu);  // no frame
  const TCalibData& d = m.CalibData();
  ASSERT_EQ(d.NumCalQuads, 9);
  EXPECT_EQ(d.CalQuads[0], (TCalQuad{40, 0, 0, 200}));
  EXPECT_EQ(d.CalQuads[8], (TCalQuad{50, 20, 400, 0}));
  bool valid = false;
  EXPECT_NEAR(m.CalcLongitude(200, 100, valid), 10, 1e-9);
}

TEST(MapFiles, SaveMapWritesImageAndCalibration) {
  TScratchDir dir;
  TGeoMap m;
  m.SetSuppressPaint(true);
  m.CreateEmptyMapInMemory(40, 0, 50, 20, 1, 1, 120, 100, true, nullptr);
  m.SaveMap(dir.File("alps.bmp"), "alps");
  EXPECT_EQ(m.MapImgFile(), "alps.jpg");
  ASSERT_TRUE(FileExists(dir.File("alps.jpg")));
  TCalibData d;
  TCalibModel model;
  ASSERT_TRUE(ParseCalibData(dir.File("alps.xml"), "alps", d, model));
  EXPECT_EQ(d.MapFName, "alps.jpg");
  EXPECT_EQ(model, cmEquiRect);
  EXPECT_EQ(d.NumCalQuads, 9);
}

TEST(MapFiles, RenameMapImgKeepsDirectoryAndExtension) {
  TScratchDir dir;
  TGeoMap m;
  m.SetSuppressPaint(true);
  EXPECT_FALSE(m.RenameMapImg("x"));  // no image
  m.CreateAndLoadEmptyMap(dir.File("old.xml"), 0, 0, 1, 1, 1, 1, 100, 100, nullptr);
  EXPECT_FALSE(m.RenameMapImg("/??"));  // nothing left of the name
  EXPECT_TRUE(m.RenameMapImg("other dir/New Name.png"));
  EXPECT_EQ(m.MapImgFile(), dir.File("otherdirNewName.bmp"));
  EXPECT_TRUE(FileExists(dir.File("otherdirNewName.bmp")));
  EXPECT_FALSE(FileExists(dir.File("old.bmp")));
  DeleteFile(dir.File("otherdirNewName.bmp"));
  EXPECT_FALSE(m.RenameMapImg("again"));  // the file is gone
}

}  // namespace
}  // namespace orq
