// TJPEGImage: assignment to and from bitmaps, streams with a quality, progress.
#include <gtest/gtest.h>

#include <cstdlib>

#include "orqplatform/Canvas.h"
#include "orqplatform/ImageCodecs.h"
#include "orqplatform/JPEGImage.h"
#include "orqplatform/Streams.h"

namespace orq {
namespace {

void Gradient(TBitmap& bmp) {
  bmp.SetPixelFormat(pf24bit);
  bmp.SetSize(64, 48);
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x) bmp.Canvas()->SetPixels(x, y, RGB(x * 4, y * 5, 128));
}

int MaxChannelDiff(const TBitmap& a, const TBitmap& b) {
  int worst = 0;
  for (size_t i = 0; i < a.PixelData().size(); ++i)
    for (int s = 0; s < 24; s += 8)
      worst = std::max(worst, std::abs(int((a.PixelData()[i] >> s) & 0xFF) - int((b.PixelData()[i] >> s) & 0xFF)));
  return worst;
}

TEST(JPEGImage, BitmapThroughAJpegStreamAndBack) {
  TBitmap original, back;
  Gradient(original);
  TJPEGImage jpeg;
  jpeg.Assign(&original);
  EXPECT_EQ(jpeg.Width(), 64);
  jpeg.SetCompressionQuality(95);
  int progressCalls = 0;
  jpeg.SetOnProgress([&](TObject*, TProgressStage, uint8_t Percent, bool, const TRect&, const std::string&) {
    EXPECT_LE(Percent, 100);
    ++progressCalls;
  });
  TMemoryStream ms;
  jpeg.SaveToStream(&ms);
  ms.SetPosition(0);
  TJPEGImage loaded;
  loaded.LoadFromStream(&ms);
  back.Assign(&loaded);
  EXPECT_EQ(back.Width(), 64);
  EXPECT_EQ(back.Height(), 48);
  EXPECT_EQ(back.PixelFormat(), pf24bit);
  EXPECT_LE(MaxChannelDiff(original, back), 16);  // lossy, but close on a smooth picture
  EXPECT_GE(progressCalls, 2);
}

TEST(JPEGImage, QualityIsClampedAndEmptyImagesAreRefused) {
  TJPEGImage jpeg;
  jpeg.SetCompressionQuality(0);
  EXPECT_EQ(jpeg.CompressionQuality(), 1);
  jpeg.SetCompressionQuality(400);
  EXPECT_EQ(jpeg.CompressionQuality(), 100);
  TMemoryStream ms;
  EXPECT_THROW(jpeg.SaveToStream(&ms), EInvalidGraphic);
  ms.WriteBuffer("\xFF\xD8 not really", 13);
  ms.SetPosition(0);
  EXPECT_THROW(jpeg.LoadFromStream(&ms), EInvalidGraphic);
}

TEST(JPEGImage, AssignsOnlyPictures) {
  TJPEGImage jpeg;
  TBitmap bmp;
  EXPECT_THROW(jpeg.Assign(bmp.Canvas()), EConvertError);
  TJPEGImage other;
  Gradient(bmp);
  other.Assign(&bmp);
  other.SetCompressionQuality(40);
  jpeg.Assign(&other);
  EXPECT_EQ(jpeg.CompressionQuality(), 40);
  EXPECT_EQ(jpeg.PixelData(), bmp.PixelData());
}

}  // namespace
}  // namespace orq
