// Loading the map image from a file: the pixel limit checked from the header,
// the request hook, extensions, missing files.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "images_test_support.h"

namespace orq {
namespace {

TEST(MapImageLoad, ImageOfExactlyTheLimitIsLoaded) {
  TImageScratchDir dir;
  const std::string name = dir.File("limit.jpg");
  WriteJpeg(name, 2000, 1500);
  TGeoMap map;
  map.SetTopLeft(TPoint{40, 50});
  map.SetMapImgName(name);
  EXPECT_EQ(map.MapImgFile(), name);
  EXPECT_EQ(map.MapImgWidth(), 2000);
  EXPECT_EQ(map.MapImgHeight(), 1500);
  EXPECT_EQ(map.MapBitmap()->Width(), 2000);
  EXPECT_EQ(map.AuxBmp()->Width(), 2000);
  EXPECT_EQ(map.AuxBmp()->Height(), 1500);
  EXPECT_EQ(map.TopLeft().X, 0);
  EXPECT_EQ(map.TopLeft().Y, 0);
}

// The header alone decides: the file holds no image data, so a decoder would
// fail with another message. The previous image stays in every respect.
TEST(MapImageLoad, ImageOverTheLimitIsRefusedFromItsHeaderAndTheOldImageStays) {
  TImageScratchDir dir;
  const std::string first = dir.File("first.bmp"), big = dir.File("big.jpg");
  WriteBmp(first, 120, 80, 0x123456);
  WriteJpegHeaderOnly(big, 2001, 1500);
  TGeoMap map;
  map.SetName("Map1");
  map.SetMapImgName(first);
  map.SetTopLeft(TPoint{7, 9});
  try {
    map.SetMapImgName(big);
    FAIL() << "no error";
  } catch (const EOrqGeoMapError& e) {
    EXPECT_EQ(std::string(e.what()), PixelLimitMessage("Map1", 2001, 1500));
  }
  EXPECT_EQ(map.MapImgFile(), first);
  EXPECT_EQ(map.MapImgWidth(), 120);
  EXPECT_EQ(map.MapImgHeight(), 80);
  EXPECT_EQ(map.MapBitmap()->Width(), 120);
  EXPECT_EQ(PixelAt(map.MapBitmap(), 60, 40), 0x123456u);
  EXPECT_EQ(map.TopLeft().X, 7);
}

// Peak resident memory of the calling process grows by this much in kB while
// Action runs, measured in a child so that earlier tests do not hide it.
template <typename Action>
long PeakGrowthKB(Action&& action) {
  int fds[2];
  if (pipe(fds) != 0) return -1;
  const pid_t pid = fork();
  if (pid == 0) {
    rusage before{}, after{};
    getrusage(RUSAGE_SELF, &before);
    action();
    getrusage(RUSAGE_SELF, &after);
    const long growth = after.ru_maxrss - before.ru_maxrss;
    (void)!write(fds[1], &growth, sizeof growth);
    _exit(0);
  }
  close(fds[1]);
  long growth = -1;
  if (read(fds[0], &growth, sizeof growth) != sizeof growth) growth = -1;
  close(fds[0]);
  waitpid(pid, nullptr, 0);
  return growth;
}

TEST(MapImageLoad, RefusingAHugeImageTakesNoMemoryForItsPixels) {
  TImageScratchDir dir;
  const std::string huge = dir.File("huge.jpg"), real = dir.File("real.jpg");
  WriteJpegHeaderOnly(huge, 30000, 30000);
  WriteJpeg(real, 2000, 1500);
  const long refusing = PeakGrowthKB([&] {
    TGeoMap map;
    try {
      map.SetMapImgName(huge);
    } catch (const EOrqGeoMapError&) {
    }
  });
  // The measurement can see a decode: 3000000 pixels take 12 MB at least.
  const long loading = PeakGrowthKB([&] {
    TGeoMap map;
    map.SetMapImgName(real);
  });
  RecordProperty("refusing_30000x30000_kB", std::to_string(refusing));
  RecordProperty("loading_2000x1500_kB", std::to_string(loading));
  ASSERT_GE(refusing, 0);
  EXPECT_LT(refusing, 50 * 1024);
  EXPECT_GT(loading, 10 * 1024);
}

TEST(MapImageLoad, RequestHandlerSubstitutesTheFileButTheNameStays) {
  TImageScratchDir dir;
  const std::string other = dir.File("other.bmp");
  WriteBmp(other, 150, 90, 0x00FF00);
  TGeoMap map;
  std::string asked;
  map.SetOnMapImageRequest([&](TObject* Sender, std::string& FileName) {
    EXPECT_EQ(Sender, &map);
    asked = FileName;
    FileName = other;
  });
  map.SetMapImgName("a.jpg");
  EXPECT_EQ(asked, "a.jpg");
  EXPECT_EQ(map.MapImgFile(), "a.jpg");
  EXPECT_EQ(map.MapImgWidth(), 150);
  EXPECT_EQ(PixelAt(map.MapBitmap(), 10, 10), 0x00FF00u);
}

// Extensions count without regard to case. A file of a format we do not
// read loads nothing, yet its name is taken with the size of the image the
// control holds; a missing file leaves no name and no size, but the bitmap.
TEST(MapImageLoad, FileNamesAndExtensions) {
  TImageScratchDir dir;
  const std::string jpeg = dir.File("CAPS.JPEG"), bmp = dir.File("Caps.BMP"), text = dir.File("notes.txt");
  WriteJpeg(jpeg, 64, 48);
  WriteBmp(bmp, 40, 30, 0xFF0000);
  std::ofstream(text) << "not an image";
  TGeoMap map;
  map.SetMapImgName(jpeg);
  EXPECT_EQ(map.MapImgWidth(), 64);
  map.SetMapImgName(bmp);
  EXPECT_EQ(map.MapImgWidth(), 40);

  map.SetMapImgName(text);
  EXPECT_EQ(map.MapImgFile(), text);
  EXPECT_EQ(map.MapImgWidth(), 40);
  EXPECT_EQ(map.MapImgHeight(), 30);
  EXPECT_EQ(PixelAt(map.MapBitmap(), 0, 0), 0xFF0000u);

  map.SetMapImgName(dir.File("absent.jpg"));
  EXPECT_EQ(map.MapImgFile(), "");
  EXPECT_EQ(map.MapImgWidth(), 0);
  EXPECT_EQ(map.MapImgHeight(), 0);
  EXPECT_EQ(map.MapBitmap()->Width(), 40);
}

}  // namespace
}  // namespace orq
