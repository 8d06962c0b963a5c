// TBitmap: pixel formats quantise what is stored; size changes; Assign.
#include <gtest/gtest.h>

#include "canvas_art_test.h"
#include "orqplatform/Exceptions.h"
#include "orqplatform/JPEGImage.h"

namespace orq {
namespace {

TColor StoreAs(TPixelFormat f, TColor c) {
  TBitmap bmp;
  bmp.SetPixelFormat(f);
  bmp.SetSize(1, 1);
  bmp.Canvas()->SetPixels(0, 0, c);
  return bmp.Canvas()->Pixels(0, 0);
}

TEST(BitmapFormat, HighColourFormatsKeepTheirBits) {
  EXPECT_EQ(StoreAs(pf15bit, 0x0F1E2D), 0x081828u);
  EXPECT_EQ(StoreAs(pf15bit, 0xFFFFFF), 0xF8F8F8u);
  EXPECT_EQ(StoreAs(pf16bit, 0x0F1E2D), 0x081C28u);  // green keeps 6 bits
  EXPECT_EQ(StoreAs(pf24bit, 0x0F1E2D), 0x0F1E2Du);
  EXPECT_EQ(StoreAs(pf32bit, 0xFF0F1E2D), 0x0F1E2Du);  // the top byte is not colour
}

TEST(BitmapFormat, Pf15bitRoundTripKeepsFiveBitValues) {
  TBitmap bmp;
  bmp.SetPixelFormat(pf24bit);
  bmp.SetSize(32, 1);
  for (int i = 0; i < 32; ++i) bmp.Canvas()->SetPixels(i, 0, RGB(i * 8, 255 - i * 8, i * 8 + 7));
  bmp.SetPixelFormat(pf15bit);
  bmp.SetPixelFormat(pf24bit);
  for (int i = 0; i < 32; ++i) EXPECT_EQ(bmp.Canvas()->Pixels(i, 0), RGB(i * 8, (255 - i * 8) & 0xF8, i * 8));
  // XOR drawing stays reversible in pf15bit.
  bmp.SetPixelFormat(pf15bit);
  const auto before = bmp.PixelData();
  bmp.Canvas()->Pen.Mode = pmXor;
  bmp.Canvas()->Pen.Color = 0x123456;
  for (int k = 0; k < 2; ++k) {
    bmp.Canvas()->MoveTo(0, 0);
    bmp.Canvas()->LineTo(32, 0);
  }
  EXPECT_EQ(bmp.PixelData(), before);
}

TEST(BitmapFormat, Pf4bitTakesTheNearestClassicColour) {
  EXPECT_EQ(StoreAs(pf4bit, 0x7F7F7F), clGray);
  EXPECT_EQ(StoreAs(pf4bit, 0x0000F0), clRed);
  EXPECT_EQ(StoreAs(pf4bit, 0xD0D0D0), clSilver);
  EXPECT_EQ(StoreAs(pf4bit, 0x404040), clBlack);  // equally far from black and grey: the first entry
  // Every palette colour survives a round trip through the format.
  TBitmap bmp;
  bmp.SetPixelFormat(pf24bit);
  bmp.SetSize(16, 1);
  const auto& palette = TBitmap::StandardPalette(pf4bit);
  ASSERT_EQ(palette.size(), 16u);
  for (int i = 0; i < 16; ++i) bmp.Canvas()->SetPixels(i, 0, palette[i]);
  bmp.SetPixelFormat(pf4bit);
  bmp.SetPixelFormat(pf24bit);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(bmp.Canvas()->Pixels(i, 0), palette[i]);
}

TEST(BitmapFormat, Pf8bitCubeAndGreys) {
  EXPECT_EQ(TBitmap::StandardPalette(pf8bit).size(), 256u);
  EXPECT_EQ(StoreAs(pf8bit, 0x336699), 0x336699u);  // on the cube
  EXPECT_EQ(StoreAs(pf8bit, 0x346599), 0x336699u);
  EXPECT_EQ(StoreAs(pf8bit, 0x7F7F7F), 0x7C7C7Cu);  // grey 20 of 40 beats the cube
  EXPECT_EQ(StoreAs(pf8bit, 0x0000FE), 0x0000FFu);
}

TEST(BitmapFormat, Pf1bitByLuminance) {
  EXPECT_EQ(StoreAs(pf1bit, 0x808080), clWhite);
  EXPECT_EQ(StoreAs(pf1bit, 0x7F7F7F), clBlack);
  EXPECT_EQ(StoreAs(pf1bit, clRed), clBlack);
  EXPECT_EQ(StoreAs(pf1bit, clYellow), clWhite);
}

TEST(BitmapFormat, ShapesAndStretchesAreQuantisedToo) {
  TBitmap bmp;
  bmp.SetPixelFormat(pf4bit);
  bmp.SetSize(6, 6);
  EXPECT_EQ(bmp.Canvas()->Pixels(5, 5), clWhite);
  bmp.Canvas()->Brush.Color = 0x0000F0;
  bmp.Canvas()->Pen.Color = 0x101010;
  bmp.Canvas()->Rectangle(0, 0, 6, 6);
  EXPECT_EQ(bmp.Canvas()->Pixels(0, 0), clBlack);
  EXPECT_EQ(bmp.Canvas()->Pixels(3, 3), clRed);
}

TEST(BitmapFormat, ResizingKeepsTheTopLeftAndFillsWhite) {
  TBitmap bmp;
  bmp.SetPixelFormat(pf24bit);
  bmp.SetSize(2, 2);
  bmp.Canvas()->SetPixels(1, 1, clRed);
  bmp.SetWidth(3);
  bmp.SetHeight(3);
  EXPECT_EQ(bmp.Canvas()->Pixels(1, 1), clRed);
  EXPECT_EQ(bmp.Canvas()->Pixels(2, 2), clWhite);
  bmp.SetSize(-5, 4);
  EXPECT_EQ(bmp.Width(), 0);
  EXPECT_TRUE(bmp.Empty());
  EXPECT_EQ(bmp.Canvas()->Pixels(0, 0), CLR_INVALID);
  bmp.Canvas()->SetPixels(0, 0, clRed);  // ignored
  bmp.Canvas()->Rectangle(0, 0, 4, 4);
}

TEST(BitmapFormat, AssignCopiesAndRefusesStrangers) {
  TBitmap a, b;
  a.SetPixelFormat(pf15bit);
  a.SetSize(3, 2);
  a.Canvas()->SetPixels(2, 1, clBlue);
  b.Assign(&a);
  EXPECT_EQ(b.Width(), 3);
  EXPECT_EQ(b.PixelFormat(), pf15bit);
  EXPECT_EQ(b.Canvas()->Pixels(2, 1), 0xF80000u);
  a.Canvas()->SetPixels(2, 1, clRed);  // a deep copy
  EXPECT_EQ(b.Canvas()->Pixels(2, 1), 0xF80000u);

  TJPEGImage jpeg;
  jpeg.Assign(&b);
  TBitmap c;
  c.Assign(&jpeg);
  EXPECT_EQ(c.PixelFormat(), pf24bit);
  EXPECT_EQ(c.PixelData(), b.PixelData());

  try {
    b.Assign(a.Canvas());
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "Cannot assign a TCanvas to a TBitmap");
  }
  b.Assign(nullptr);
  EXPECT_TRUE(b.Empty());
}

}  // namespace
}  // namespace orq
