// TBitmap files and streams: round trips by pixel format, progress, bad data.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "canvas_art_test.h"
#include "orqplatform/ImageCodecs.h"
#include "orqplatform/Streams.h"

namespace orq {
namespace {

void Picture(TBitmap& bmp, TPixelFormat f) {
  bmp.SetPixelFormat(f);
  bmp.SetSize(13, 7);  // odd sizes exercise row padding
  TCanvas& cv = *bmp.Canvas();
  cv.Brush.Color = clYellow;
  cv.Pen.Color = clNavy;
  cv.Rectangle(1, 1, 12, 6);
  cv.Pen.Color = 0x3A7BC2;
  cv.MoveTo(0, 6);
  cv.LineTo(13, 0);
}

TEST(BitmapFiles, StreamRoundTripKeepsPixelsAndFormat) {
  for (TPixelFormat f : {pf4bit, pf8bit, pf15bit, pf24bit, pf32bit}) {
    TBitmap a, b;
    Picture(a, f);
    TMemoryStream ms;
    a.SaveToStream(&ms);
    ms.SetPosition(0);
    b.LoadFromStream(&ms);
    EXPECT_EQ(b.Width(), 13);
    EXPECT_EQ(b.Height(), 7);
    EXPECT_EQ(b.PixelData(), a.PixelData()) << f;
    EXPECT_EQ(b.PixelFormat(), f == pf15bit ? pf24bit : f) << f;
  }
}

TEST(BitmapFiles, PaletteImagesWithManyColoursUseTheStandardPalette) {
  TBitmap a, b;
  a.SetPixelFormat(pf24bit);
  a.SetSize(40, 1);
  for (int i = 0; i < 40; ++i) a.Canvas()->SetPixels(i, 0, RGB(i * 6, 0, 0));
  // Adopt 40 distinct colours into a pf4bit bitmap without quantising.
  std::vector<uint32_t> copy = a.PixelData();
  a.AdoptPixels(40, 1, std::move(copy), pf4bit);
  TMemoryStream ms;
  a.SaveToStream(&ms);
  ms.SetPosition(0);
  b.LoadFromStream(&ms);
  for (int i = 0; i < 40; ++i) EXPECT_EQ(b.Canvas()->Pixels(i, 0), a.Quantize(RGB(i * 6, 0, 0)));
}

TEST(BitmapFiles, FileRoundTripAndProgress) {
  const auto path = (std::filesystem::temp_directory_path() / "orq_bitmap_files_test.bmp").string();
  TBitmap a, b;
  Picture(a, pf24bit);
  std::vector<TProgressStage> stages;
  a.SetOnProgress([&](TObject* Sender, TProgressStage Stage, uint8_t, bool, const TRect&, const std::string&) {
    EXPECT_EQ(Sender, &a);
    stages.push_back(Stage);
  });
  a.SaveToFile(path);
  b.LoadFromFile(path);
  EXPECT_EQ(b.PixelData(), a.PixelData());
  ASSERT_GE(stages.size(), 2u);
  EXPECT_EQ(stages.front(), psStarting);
  EXPECT_EQ(stages.back(), psEnding);
  std::remove(path.c_str());
}

TEST(BitmapFiles, BadDataRaisesAndLeavesTheBitmap) {
  TBitmap bmp;
  Picture(bmp, pf24bit);
  const auto before = bmp.PixelData();
  TMemoryStream junk;
  junk.WriteBuffer("BMjunk", 6);
  junk.SetPosition(0);
  EXPECT_THROW(bmp.LoadFromStream(&junk), EInvalidGraphic);
  TMemoryStream empty;
  EXPECT_THROW(bmp.LoadFromStream(&empty), EInvalidGraphic);
  EXPECT_EQ(bmp.PixelData(), before);
  EXPECT_THROW(bmp.LoadFromFile("/nonexistent/dir/none.bmp"), EFOpenError);
  EXPECT_THROW(bmp.SaveToFile("/nonexistent/dir/none.bmp"), EFCreateError);
}

}  // namespace
}  // namespace orq
