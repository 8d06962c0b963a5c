// PNG reader and writer: exact round trips, hand-made files of the colour
// types and depths the writer never produces, transparency on white, and
// broken files.
#include <gtest/gtest.h>

#include "codec_test_support.h"

namespace orq {
namespace {

using namespace codectest;

TRawImage Decode(const Bytes& File) { return DecodePng(File.data(), File.size()); }

std::string DecodeError(const Bytes& File) {
  try {
    DecodePng(File.data(), File.size());
  } catch (const EInvalidGraphic& E) {
    return E.what();
  }
  return "(decoded)";
}

TEST(PngCodec, RoundTripIsExact) {
  for (auto [W, H] : {std::pair{1, 1}, {13, 7}, {64, 3}}) {
    const TRawImage Img = Pattern(W, H);
    const Bytes F = EncodePng(Img);
    EXPECT_EQ(DetectImageFormat(F.data(), F.size()), TImageFileFormat::Png);
    const TRawImage Back = Decode(F);
    EXPECT_EQ(Back.Width, W);
    EXPECT_EQ(Back.Height, H);
    EXPECT_EQ(Back.Pixels, Img.Pixels);
    EXPECT_EQ(Back.SourceBitsPerPixel, 24);
  }
  EXPECT_THROW(EncodePng(TRawImage{}), EInvalidGraphic);
}

TEST(PngCodec, GreyAndPaletteDepthsExpand) {
  // 1-bit grey, 3 x 2
  TRawImage G1 = Decode(MakePng(3, 2, 1, 0, {0, 0b10100000, 0, 0b01000000}));
  const TColor W = Rgb(255, 255, 255), K = 0;
  EXPECT_EQ(G1.Pixels, (std::vector<TColor>{W, K, W, K, W, K}));
  EXPECT_EQ(G1.SourceBitsPerPixel, 1);

  // 2-bit palette
  const Bytes Plte = {255, 0, 0, 0, 255, 0, 0, 0, 255};
  TRawImage P2 = Decode(MakePng(4, 1, 2, 3, {0, 0b00011001}, Plte));
  EXPECT_EQ(P2.Pixels, (std::vector<TColor>{Rgb(255, 0, 0), Rgb(0, 255, 0), Rgb(0, 0, 255), Rgb(0, 255, 0)}));
  EXPECT_EQ(P2.SourceBitsPerPixel, 4);

  // 16-bit grey keeps the high byte (rounded)
  TRawImage G16 = Decode(MakePng(1, 1, 16, 0, {0, 0x12, 0x34}));
  EXPECT_EQ(G16.Pixels, (std::vector<TColor>{Rgb(0x12, 0x12, 0x12)}));
}

TEST(PngCodec, TransparencyIsCompositedOnWhite) {
  // grey + alpha: opaque, fully transparent, half transparent black
  TRawImage GA = Decode(MakePng(3, 1, 8, 4, {0, 100, 255, 100, 0, 0, 128}));
  EXPECT_EQ(GA.Pixels, (std::vector<TColor>{Rgb(100, 100, 100), Rgb(255, 255, 255), Rgb(127, 127, 127)}));
  EXPECT_EQ(GA.SourceBitsPerPixel, 32);

  // 16-bit RGBA
  TRawImage RGBA = Decode(MakePng(1, 1, 16, 6, {0, 0xFF, 0xFF, 0x80, 0x00, 0, 0, 0xFF, 0xFF}));
  EXPECT_EQ(RGBA.Pixels, (std::vector<TColor>{Rgb(255, 128, 0)}));

  // RGB with a transparent colour (tRNS)
  TRawImage Key = Decode(MakePng(2, 1, 8, 2, {0, 10, 20, 30, 10, 20, 31}, {}, {0, 10, 0, 20, 0, 30}));
  EXPECT_EQ(Key.Pixels, (std::vector<TColor>{Rgb(255, 255, 255), Rgb(10, 20, 31)}));
}

TEST(PngCodec, InterlacedImage) {
  // 3 x 3 grey, value 10 * (y * 3 + x) + 1; Adam7 passes 1, 4, 5, 6, 6, 7
  auto V = [](int x, int y) { return uint8_t(10 * (y * 3 + x) + 1); };
  const Bytes Passes = {0, V(0, 0), 0, V(2, 0), 0, V(0, 2), V(2, 2), 0, V(1, 0), 0, V(1, 2),
                        0, V(0, 1), V(1, 1), V(2, 1)};
  const TRawImage Img = Decode(MakePng(3, 3, 8, 0, Passes, {}, {}, 1));
  ASSERT_EQ(Img.Pixels.size(), 9u);
  for (int i = 0; i < 9; ++i) EXPECT_EQ(Img.Pixels[i], Rgb(V(i % 3, i / 3), V(i % 3, i / 3), V(i % 3, i / 3))) << i;
}

TEST(PngCodec, BrokenFiles) {
  const Bytes Good = EncodePng(Pattern(20, 10));
  // Cut inside the image data.
  EXPECT_EQ(DecodeError(Bytes(Good.begin(), Good.begin() + Good.size() / 2)), "PNG file truncated");
  // Cut after the last image data chunk: the picture is complete.
  EXPECT_EQ(Decode(Bytes(Good.begin(), Good.end() - 12)).Pixels, Pattern(20, 10).Pixels);

  Bytes Crc = Good;
  Crc[20] ^= 1;  // inside IHDR, so its checksum fails
  EXPECT_NE(DecodeError(Crc).find("Invalid PNG file"), std::string::npos);

  // Declared sizes: zero, too wide, and large but far beyond what the data can hold.
  EXPECT_THROW(Decode(MakePng(0, 1, 8, 0, {0, 0})), EInvalidGraphic);
  EXPECT_THROW(Decode(MakePng(70000, 1, 8, 0, {0, 0})), EInvalidGraphic);
  EXPECT_EQ(DecodeError(MakePng(16000, 16000, 8, 6, {0, 0})), "PNG file truncated");
  // Bad colour type and depth combination, palette image without a palette.
  EXPECT_THROW(Decode(MakePng(1, 1, 3, 2, {0, 0})), EInvalidGraphic);
  EXPECT_THROW(Decode(MakePng(1, 1, 8, 3, {0, 0})), EInvalidGraphic);
  EXPECT_EQ(DecodeError(Bytes(Good.begin(), Good.begin() + 5)), "Not a PNG file");
}

}  // namespace
}  // namespace orq
