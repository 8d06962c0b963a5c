#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <string>

#include "files_test_support.h"
#include "orqplatform/ImageCodecs.h"
#include "orqplatform/JPEGImage.h"

namespace orq {
namespace {

std::string MapError(const std::function<void()>& f) {
  try {
    f();
  } catch (const EOrqGeoMapError& e) {
    return e.what();
  }
  return "(no exception)";
}

void SaveJpeg(const std::string& FileName, int w, int h) {
  TBitmap bmp;
  bmp.SetSize(w, h);
  TJPEGImage jpeg;
  jpeg.Assign(&bmp);
  jpeg.SaveToFile(FileName);
}

void SaveBmp(const std::string& FileName, int w, int h) {
  TBitmap bmp;
  bmp.SetPixelFormat(pf24bit);
  bmp.SetSize(w, h);
  bmp.SaveToFile(FileName);
}

// A small JPEG whose frame header claims another size: decoding it would
// need memory for the claimed size.
void SaveJpegClaiming(const std::string& FileName, int w, int h) {
  SaveJpeg(FileName, 8, 8);
  std::string bytes = ReadBytes(FileName);
  const std::size_t sof = bytes.find("\xFF\xC0");
  ASSERT_NE(sof, std::string::npos);
  bytes[sof + 5] = static_cast<char>(h >> 8);
  bytes[sof + 6] = static_cast<char>(h & 0xFF);
  bytes[sof + 7] = static_cast<char>(w >> 8);
  bytes[sof + 8] = static_cast<char>(w & 0xFF);
  WriteBytes(FileName, bytes);
}

long PeakRssKb() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss;
}

TEST(MapImages, PixelLimitIsCheckedFromTheHeader) {
  TScratchDir dir;
  TGeoMap m;
  m.SetSuppressPaint(true);
  SaveJpeg(dir.File("limit.jpg"), 2000, 1500);
  m.SetMapImgName(dir.File("limit.jpg"));
  EXPECT_EQ(m.MapImgWidth(), 2000);
  EXPECT_EQ(m.MapImgHeight(), 1500);

  SaveJpegClaiming(dir.File("over.jpg"), 2001, 1500);
  m.SetName("Map1");
  EXPECT_EQ(MapError([&] { m.SetMapImgName(dir.File("over.jpg")); }),
            "Component \"Map1\": Cannot use map image, maximum of 3000000 pixels exceeded (size of map is 2001 x 1500)");
  // The previous image stays whole.
  EXPECT_EQ(m.MapImgFile(), dir.File("limit.jpg"));
  EXPECT_EQ(m.MapBitmap()->Width(), 2000);
  EXPECT_EQ(m.MapImgWidth(), 2000);

  SaveJpegClaiming(dir.File("huge.jpg"), 30000, 30000);
  const long before = PeakRssKb();
  EXPECT_THROW(m.SetMapImgName(dir.File("huge.jpg")), EOrqGeoMapError);
  const long growthKb = PeakRssKb() - before;
  RecordProperty("PeakRssGrowthKb", std::to_string(growthKb));
  EXPECT_LT(growthKb, 50 * 1024);
  EXPECT_EQ(m.MapBitmap()->Height(), 1500);
}

TEST(MapImages, FormatsByExtensionAndMissingFiles) {
  TScratchDir dir;
  TGeoMap m;
  m.SetSuppressPaint(true);
  SaveBmp(dir.File("a.bmp"), 30, 20);
  m.SetMapImgName(dir.File("a.bmp"));
  EXPECT_EQ(m.MapImgWidth(), 30);
  m.SetTopLeft(TPoint{5, 5});
  SaveJpeg(dir.File("b.JPEG"), 40, 10);
  m.SetMapImgName(dir.File("b.JPEG"));
  EXPECT_EQ(m.MapImgWidth(), 40);
  EXPECT_EQ(m.TopLeft(), (TPoint{0, 0}));

  // Another extension loads nothing; name and previous size are taken.
  WriteBytes(dir.File("c.gif"), "GIF89a");
  m.SetMapImgName(dir.File("c.gif"));
  EXPECT_EQ(m.MapImgFile(), dir.File("c.gif"));
  EXPECT_EQ(m.MapImgWidth(), 40);

  {
    TRawImage raw{12, 7, std::vector<TColor>(84, 0x00FF00), 24};
    const std::vector<uint8_t> png = EncodePng(raw);
    WriteBytes(dir.File("d.png"), std::string(png.begin(), png.end()));
  }
  m.SetMapImgName(dir.File("d.png"));
  EXPECT_EQ(m.MapImgWidth(), 12);
  EXPECT_EQ(m.MapBitmap()->Canvas()->Pixels(3, 3), 0x00FF00u);

  m.SetMapImgName(dir.File("none.jpg"));
  EXPECT_EQ(m.MapImgFile(), "");
  EXPECT_EQ(m.MapImgWidth(), 0);
  EXPECT_EQ(m.MapBitmap()->Width(), 12);  // the bitmap itself stays
}

TEST(MapImages, RequestHandlerMayNameAnotherFile) {
  TScratchDir dir;
  SaveBmp(dir.File("real.bmp"), 33, 44);
  TGeoMap m;
  m.SetSuppressPaint(true);
  std::string asked;
  m.SetOnMapImageRequest([&](TObject*, std::string& name) {
    asked = name;
    name = dir.File("real.bmp");
  });
  m.SetMapImgName("a.jpg");
  EXPECT_EQ(asked, "a.jpg");
  EXPECT_EQ(m.MapImgFile(), "a.jpg");
  EXPECT_EQ(m.MapImgWidth(), 33);
  EXPECT_EQ(m.MapImgHeight(), 44);
}

TEST(MapImages, CalibrationBlockLoadsItsImage) {
  TScratchDir dir;
  SaveBmp(dir.File("alps.bmp"), 50, 60);
  WriteBytes(dir.File("alps.xml"), "<geomap sig=\"OrqCSuite\" map=\"" + dir.File("alps.bmp") + "\">\n</geomap>\n");
  TGeoMap m;
  m.SetSuppressPaint(true);
  EXPECT_FALSE(m.LoadCalDataFromXML(dir.File("alps.xml"), ""));  // no graticule, but the image is there
  EXPECT_EQ(m.MapImgWidth(), 50);
  EXPECT_EQ(m.MapImgFile(), dir.File("alps.bmp"));
}

}  // namespace
}  // namespace orq
