// Saving a map as JPEG with its calibration, and renaming the image file.
#include <gtest/gtest.h>

#include "images_test_support.h"
#include "orqplatform/FileUtils.h"

namespace orq {
namespace {

// A 300 x 200 map of 46..48 N, 7..10 E with an equirectangular calibration.
void MakeAlps(TGeoMap& map) {
  TBitmap bmp;
  bmp.SetPixelFormat(pf24bit);
  bmp.SetSize(300, 200);
  bmp.Canvas()->Pen.Color = 0x0000FF;
  bmp.Canvas()->Brush.Color = 0x0000FF;
  bmp.Canvas()->Rectangle(0, 90, 300, 111);
  map.SetMapBitMap(&bmp);
  map.SetCalibModel(cmEquiRect);
  map.AddCalibPoint(48.0, 7.0, 0, 0);
  map.AddCalibPoint(46.0, 7.0, 0, 200);
  map.AddCalibPoint(46.0, 10.0, 300, 200);
  map.AddCalibPoint(48.0, 10.0, 300, 0);
}

TEST(SaveMap, WritesCalibrationAndJpegBesideTheGivenName) {
  TImageScratchDir dir;
  TGeoMap map;
  MakeAlps(map);
  map.SaveMap(dir.File("alps.bmp"), "alps");
  EXPECT_FALSE(FileExists(dir.File("alps.bmp")));
  ASSERT_TRUE(FileExists(dir.File("alps.xml")));
  ASSERT_TRUE(FileExists(dir.File("alps.jpg")));
  EXPECT_EQ(map.MapImgFile(), "alps.jpg");
  const std::string xml = ReadFileBytes(dir.File("alps.xml"));
  EXPECT_NE(xml.find("id=\"alps\" model=\"equirect\" map=\"alps.jpg\""), std::string::npos) << xml;

  // Read back from the directory: the image is the saved one, the
  // calibration converts as before.
  TGeoMap back;
  back.SetOnMapImageRequest([&](TObject*, std::string& FileName) { FileName = dir.Path() + FileName; });
  back.LoadCalDataFromXML(dir.File("alps.xml"), "alps");
  EXPECT_EQ(back.CalibData().NumCalQuads, 4);
  EXPECT_EQ(back.MapImgFile(), "alps.jpg");
  EXPECT_EQ(back.MapImgWidth(), 300);
  EXPECT_EQ(back.MapImgHeight(), 200);
  EXPECT_EQ(back.CalibModel(), cmEquiRect);
  int x = 0, y = 0;
  ASSERT_TRUE(back.CalcPixelCoords(47.0, 8.5, x, y));
  EXPECT_EQ(x, 150);
  EXPECT_EQ(y, 100);
  // JPEG keeps the red band recognisable.
  const TColor c = PixelAt(back.MapBitmap(), 150, 100);
  EXPECT_GT(c & 0xFF, 0xC0u);
  EXPECT_LT((c >> 8) & 0xFF, 0x40u);
}

TEST(SaveMap, WithoutAnImageRaisesAndWritesNothing) {
  TImageScratchDir dir;
  TGeoMap map;
  map.SetName("Empty");
  EXPECT_THROW(map.SaveMap(dir.File("none.jpg"), "x"), EOrqGeoMapError);
  EXPECT_FALSE(FileExists(dir.File("none.xml")));
  EXPECT_FALSE(FileExists(dir.File("none.jpg")));
  EXPECT_EQ(map.MapImgFile(), "");
}

TEST(SaveMap, FailedWriteKeepsTheImageName) {
  TImageScratchDir dir;
  TGeoMap map;
  MakeAlps(map);
  EXPECT_ANY_THROW(map.SaveMap(dir.File("no/such/dir/alps.bmp"), "alps"));
  EXPECT_EQ(map.MapImgFile(), "$unknown$");
}

class RenameMapImgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    original = dir.File("a.jpg");
    WriteJpeg(original, 40, 30);
    map.SetMapImgName(original);
  }
  TImageScratchDir dir;
  TGeoMap map;
  std::string original;
};

TEST_F(RenameMapImgTest, KeepsDirectoryAndExtensionAndReducesTheName) {
  EXPECT_TRUE(map.RenameMapImg("other dir/Neue Karte+.png"));
  // Separators go with the other characters 8.3 names cannot hold, so the
  // directory part of the new name becomes part of the name.
  const std::string expected = dir.File("otherdirNeueKarte.jpg");
  EXPECT_EQ(map.MapImgFile(), expected);
  EXPECT_TRUE(FileExists(expected));
  EXPECT_FALSE(FileExists(original));
}

TEST_F(RenameMapImgTest, RefusesWhenTheImageFileIsGone) {
  std::filesystem::remove(original);
  EXPECT_FALSE(map.RenameMapImg("b"));
  EXPECT_EQ(map.MapImgFile(), original);
  TGeoMap fromMemory;
  TBitmap bmp;
  bmp.SetSize(10, 10);
  fromMemory.SetMapBitMap(&bmp);
  EXPECT_FALSE(fromMemory.RenameMapImg("b"));
  EXPECT_EQ(fromMemory.MapImgFile(), "$unknown$");
}

// Another file of the new name is never overwritten; the image keeps its name.
TEST_F(RenameMapImgTest, RefusesToReplaceAnotherFile) {
  const std::string other = dir.File("b.jpg");
  WriteJpeg(other, 8, 8);
  const std::string otherBytes = ReadFileBytes(other);
  EXPECT_FALSE(map.RenameMapImg("b"));
  EXPECT_EQ(map.MapImgFile(), original);
  EXPECT_TRUE(FileExists(original));
  EXPECT_EQ(ReadFileBytes(other), otherBytes);
}

// Nothing of the name survives reduction: renaming would make a hidden ".jpg".
TEST_F(RenameMapImgTest, RefusesANameThatReducesToNothing) {
  EXPECT_FALSE(map.RenameMapImg("/ :*?"));
  EXPECT_FALSE(map.RenameMapImg(""));
  EXPECT_EQ(map.MapImgFile(), original);
  EXPECT_TRUE(FileExists(original));
}

}  // namespace
}  // namespace orq
