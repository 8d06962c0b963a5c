// BMP reader and writer: hand-built files of every supported layout decoded to
// known pixels, byte-exact headers of written files, round trips and the
// rejection of broken headers.
#include <gtest/gtest.h>

#include "codec_test_support.h"

namespace orq {
namespace {

using namespace codectest;

const TColor Red = Rgb(255, 0, 0), Blue = Rgb(0, 0, 255), White = Rgb(255, 255, 255);
const TColor C0 = Rgb(10, 20, 30), C1 = Rgb(40, 50, 60), C2 = Rgb(70, 80, 90), C3 = Rgb(100, 110, 120);

std::vector<TColor> Decoded(const Bytes& File) { return DecodeBmp(File.data(), File.size()).Pixels; }

std::string DecodeError(const Bytes& File) {
  try {
    DecodeBmp(File.data(), File.size());
  } catch (const EInvalidGraphic& E) {
    return E.what();
  }
  return "(decoded)";
}

TEST(BmpDecode, PaletteDepthsBottomUpAndTopDown) {
  BmpLayout S1;  // 1 bit, 3 x 2, bottom row first, rows padded to 4 bytes
  S1.Width = 3, S1.Height = 2, S1.BitCount = 1;
  S1.Extra = BmpPalette({Red, Blue});
  S1.Pixels = {0xA0, 0, 0, 0, 0x60, 0, 0, 0};
  EXPECT_EQ(Decoded(MakeBmp(S1)), (std::vector<TColor>{Red, Blue, Blue, Blue, Red, Blue}));

  BmpLayout S4;  // 4 bit with a 3-entry palette; index 5 lies past it
  S4.Width = 3, S4.BitCount = 4, S4.ClrUsed = 3;
  S4.Extra = BmpPalette({C0, C1, C2});
  S4.Pixels = {0x20, 0x50, 0, 0};
  EXPECT_EQ(Decoded(MakeBmp(S4)), (std::vector<TColor>{C2, C0, 0}));

  BmpLayout S8;  // 8 bit, negative height: top row first
  S8.Width = 2, S8.Height = -2, S8.BitCount = 8, S8.ClrUsed = 4;
  S8.Extra = BmpPalette({C0, C1, C2, C3});
  S8.Pixels = {1, 2, 0, 0, 3, 0, 0, 0};
  const TRawImage Img = DecodeBmp(MakeBmp(S8).data(), MakeBmp(S8).size());
  EXPECT_EQ(Img.Width, 2);
  EXPECT_EQ(Img.Height, 2);
  EXPECT_EQ(Img.SourceBitsPerPixel, 8);
  EXPECT_EQ(Img.Pixels, (std::vector<TColor>{C1, C2, C3, C0}));
}

TEST(BmpDecode, TrueColourDepthsAndPadding) {
  BmpLayout S24;  // 3 x 2; the last row may lack its padding
  S24.Width = 3, S24.Height = 2;
  S24.Pixels = {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0, 11, 12, 13, 14, 15, 16, 17, 18, 19};
  EXPECT_EQ(Decoded(MakeBmp(S24)), (std::vector<TColor>{Rgb(13, 12, 11), Rgb(16, 15, 14), Rgb(19, 18, 17),
                                                         Rgb(3, 2, 1), Rgb(6, 5, 4), Rgb(9, 8, 7)}));

  BmpLayout S32;  // B, G, R, and a fourth byte that is ignored
  S32.Height = -1, S32.BitCount = 32;
  S32.Pixels = {1, 2, 3, 0xFF};
  EXPECT_EQ(Decoded(MakeBmp(S32)), (std::vector<TColor>{Rgb(3, 2, 1)}));

  BmpLayout S16;  // no masks: 5-5-5, widened to 8 bits with rounding
  S16.Width = 3, S16.BitCount = 16;
  S16.Pixels = {0x00, 0x7C, 0x00, 0x02, 0x1F, 0x00, 0, 0};
  EXPECT_EQ(Decoded(MakeBmp(S16)), (std::vector<TColor>{Red, Rgb(0, 132, 0), Blue}));
}

TEST(BmpDecode, BitFieldMasks) {
  BmpLayout S565;  // masks after a 40-byte header
  S565.Width = 3, S565.BitCount = 16, S565.Compression = 3;
  for (uint32_t M : {0xF800u, 0x07E0u, 0x001Fu}) Le32(S565.Extra, M);
  S565.Pixels = {0xFF, 0xFF, 0xE0, 0x07, 0x20, 0x00, 0, 0};
  EXPECT_EQ(Decoded(MakeBmp(S565)), (std::vector<TColor>{White, Rgb(0, 255, 0), Rgb(0, 4, 0)}));

  BmpLayout V5;  // 10-10-10 masks inside a 124-byte header
  V5.InfoSize = 124, V5.BitCount = 32, V5.Compression = 3;
  V5.Masks[0] = 0x3FF00000, V5.Masks[1] = 0x000FFC00, V5.Masks[2] = 0x000003FF, V5.Masks[3] = 0xC0000000;
  Le32(V5.Pixels, 1023u << 20 | 512u << 10 | 0xC0000000u);
  EXPECT_EQ(Decoded(MakeBmp(V5)), (std::vector<TColor>{Rgb(255, 128, 0)}));

  BmpLayout V4 = V5;  // a 108-byte header, masks for B, G, R swapped around
  V4.InfoSize = 108;
  V4.Masks[0] = 0xFF, V4.Masks[1] = 0xFF00, V4.Masks[2] = 0xFF0000, V4.Masks[3] = 0;
  V4.Pixels = {1, 2, 3, 4};
  EXPECT_EQ(Decoded(MakeBmp(V4)), (std::vector<TColor>{Rgb(1, 2, 3)}));

  BmpLayout Holes = S565;  // masks must be contiguous runs of bits
  Holes.Extra.clear();
  for (uint32_t M : {0xF0F0u, 0x0F00u, 0x000Fu}) Le32(Holes.Extra, M);
  EXPECT_NE(DecodeError(MakeBmp(Holes)).find("mask"), std::string::npos);
}

TEST(BmpDecode, Os2CoreHeader) {
  Bytes B = {'B', 'M'};
  Le32(B, 14 + 12 + 6 + 4);
  Le32(B, 0);
  Le32(B, 14 + 12 + 6);
  Le32(B, 12);
  Le16(B, 2);  // width
  Le16(B, 1);  // height
  Le16(B, 1);
  Le16(B, 8);
  B.insert(B.end(), {30, 20, 10, 60, 50, 40});  // three-byte palette entries
  B.insert(B.end(), {1, 0, 0, 0});
  EXPECT_EQ(Decoded(B), (std::vector<TColor>{C1, C0}));
  EXPECT_EQ(ReadImageSize(B.data(), B.size()).Width, 2);
}

TEST(BmpDecode, RunLengthEncoded) {
  BmpLayout R8;
  R8.Width = 4, R8.Height = 2, R8.BitCount = 8, R8.Compression = 1, R8.ClrUsed = 4;
  R8.Extra = BmpPalette({C0, C1, C2, C3});
  // bottom row: a run of three 1s, end of line; top row: literal 2 3 1 (padded), end of bitmap
  R8.Pixels = {3, 1, 0, 0, 0, 3, 2, 3, 1, 0, 0, 1};
  EXPECT_EQ(Decoded(MakeBmp(R8)), (std::vector<TColor>{C2, C3, C1, C0, C1, C1, C1, C0}));

  BmpLayout R4 = R8;
  R4.BitCount = 4, R4.Compression = 2;
  // bottom: four pixels alternating 1 and 2, end of line; jump one right; two 3s; end
  R4.Pixels = {4, 0x12, 0, 0, 0, 2, 1, 0, 2, 0x33, 0, 1};
  EXPECT_EQ(Decoded(MakeBmp(R4)), (std::vector<TColor>{C0, C3, C3, C0, C1, C2, C1, C2}));

  BmpLayout Cut = R8;  // data ends before the image does
  Cut.Pixels = {3, 1, 0, 0, 0, 3};
  EXPECT_EQ(DecodeError(MakeBmp(Cut)), "BMP file truncated");
}

TEST(BmpDecode, RejectsBrokenHeaders) {
  BmpLayout Good;
  Good.Width = 3, Good.Height = 2;
  Good.Pixels.assign(24, 0);
  ASSERT_EQ(Decoded(MakeBmp(Good)).size(), 6u);

  BmpLayout S = Good;
  S.Pixels.resize(15);
  EXPECT_EQ(DecodeError(MakeBmp(S)), "BMP file truncated");
  S = Good, S.Compression = 4;
  EXPECT_NE(DecodeError(MakeBmp(S)).find("Unsupported BMP compression"), std::string::npos);
  S = Good, S.Compression = 1;  // RLE8 needs 8 bits per pixel
  EXPECT_NE(DecodeError(MakeBmp(S)).find("Unsupported BMP compression"), std::string::npos);
  S = Good, S.BitCount = 2;
  EXPECT_NE(DecodeError(MakeBmp(S)).find("Unsupported BMP bit depth"), std::string::npos);
  S = Good, S.Width = 0;
  EXPECT_NE(DecodeError(MakeBmp(S)).find("Invalid BMP image size"), std::string::npos);
  S = Good, S.Height = 0;
  EXPECT_NE(DecodeError(MakeBmp(S)).find("Invalid BMP image size"), std::string::npos);
  S = Good, S.Height = INT32_MIN;
  EXPECT_NE(DecodeError(MakeBmp(S)).find("too large"), std::string::npos);
  S = Good, S.Width = 70000;
  EXPECT_NE(DecodeError(MakeBmp(S)).find("too large"), std::string::npos);
  S = Good, S.Width = 30000, S.Height = 30000;  // each side fine, too many pixels
  EXPECT_NE(DecodeError(MakeBmp(S)).find("too large"), std::string::npos);
  S = Good, S.Width = 16384, S.Height = 16384;  // within limits: refused from the data size, not allocated
  EXPECT_EQ(DecodeError(MakeBmp(S)), "BMP file truncated");
  S = Good, S.InfoSize = 20;
  EXPECT_NE(DecodeError(MakeBmp(S)).find("Unsupported BMP header size"), std::string::npos);

  Bytes B = MakeBmp(Good);
  B[10] = 20;  // pixel data offset inside the headers
  EXPECT_NE(DecodeError(B).find("pixel data offset"), std::string::npos);
  B[10] = 0xFF, B[11] = 0xFF;  // past the end
  EXPECT_EQ(DecodeError(B), "BMP file truncated");
  EXPECT_EQ(DecodeError(Bytes(B.begin(), B.begin() + 20)), "BMP file truncated");
  EXPECT_EQ(DecodeError(Bytes{'B'}), "Not a BMP file");
}

TEST(BmpEncode, HeadersAreByteExact) {
  TRawImage Img;
  Img.Width = 2, Img.Height = 2;
  Img.Pixels = {Rgb(1, 2, 3), Rgb(4, 5, 6), Rgb(7, 8, 9), Rgb(10, 11, 12)};
  Bytes Want = {'B', 'M'};
  for (uint32_t V : {70u, 0u, 54u, 40u, 2u, 2u}) Le32(Want, V);
  Le16(Want, 1);
  Le16(Want, 24);
  for (uint32_t V : {0u, 16u, 2835u, 2835u, 0u, 0u}) Le32(Want, V);
  Want.insert(Want.end(), {9, 8, 7, 12, 11, 10, 0, 0, 3, 2, 1, 6, 5, 4, 0, 0});
  EXPECT_EQ(EncodeBmp(Img, 24), Want);

  // 4 bits, a three-colour palette: the near-red pixel takes the red entry
  Img.Width = 3, Img.Height = 1;
  Img.Pixels = {Red, White, Rgb(250, 10, 10)};
  Want = {'B', 'M'};
  for (uint32_t V : {70u, 0u, 66u, 40u, 3u, 1u}) Le32(Want, V);
  Le16(Want, 1);
  Le16(Want, 4);
  for (uint32_t V : {0u, 4u, 2835u, 2835u, 3u, 0u}) Le32(Want, V);
  Append(Want, BmpPalette({0, White, Red}));
  Want.insert(Want.end(), {0x21, 0x20, 0, 0});
  EXPECT_EQ(EncodeBmp(Img, 4, {0, White, Red}), Want);

  // 32 bits: B, G, R, 0 with no padding
  Img.Width = 1;
  Img.Pixels = {Rgb(1, 2, 3)};
  const Bytes B32 = EncodeBmp(Img, 32);
  ASSERT_EQ(B32.size(), 58u);
  EXPECT_EQ(B32[28], 32);
  EXPECT_EQ(Bytes(B32.begin() + 54, B32.end()), (Bytes{3, 2, 1, 0}));
}

TEST(BmpEncode, RoundTripsEveryDepth) {
  const TRawImage True = Pattern(7, 5);  // odd width: every row padded
  for (int Bits : {24, 32}) {
    const Bytes F = EncodeBmp(True, Bits);
    const TRawImage Back = DecodeBmp(F.data(), F.size());
    EXPECT_EQ(Back.Pixels, True.Pixels) << Bits;
    EXPECT_EQ(Back.SourceBitsPerPixel, Bits);
  }

  // Palette images: colours that are in the palette come back exactly.
  std::vector<TColor> Pal16;
  for (int i = 0; i < 16; ++i) Pal16.push_back(Rgb(i * 17, 255 - i * 17, (i * 91) & 255));
  TRawImage Img;
  Img.Width = 7, Img.Height = 5;
  for (int i = 0; i < 35; ++i) Img.Pixels.push_back(Pal16[(i * 7) % 16]);
  Bytes F = EncodeBmp(Img, 4, Pal16);
  EXPECT_EQ(DecodeBmp(F.data(), F.size()).Pixels, Img.Pixels);

  std::vector<TColor> Pal256(True.Pixels.begin(), True.Pixels.end());
  Pal256.resize(256, White);
  F = EncodeBmp(True, 8, Pal256);
  EXPECT_EQ(DecodeBmp(F.data(), F.size()).Pixels, True.Pixels);
  // Without a palette, an image of at most 256 colours keeps them.
  F = EncodeBmp(True, 8);
  EXPECT_EQ(DecodeBmp(F.data(), F.size()).Pixels, True.Pixels);
}

TEST(BmpCodec, ProgressByRows) {
  const TRawImage Img = Pattern(5, 200);
  std::vector<int> Seen;
  const Bytes F = EncodeBmp(Img, 24, {}, [&](int P) { Seen.push_back(P); });
  ASSERT_GT(Seen.size(), 50u);
  EXPECT_EQ(Seen.front(), 0);
  EXPECT_EQ(Seen.back(), 100);
  EXPECT_TRUE(std::adjacent_find(Seen.begin(), Seen.end(), std::greater_equal<int>()) == Seen.end());
  Seen.clear();
  EXPECT_EQ(DecodeImage(F.data(), F.size(), [&](int P) { Seen.push_back(P); }).Pixels, Img.Pixels);
  ASSERT_GT(Seen.size(), 50u);
  EXPECT_EQ(Seen.front(), 0);
  EXPECT_EQ(Seen.back(), 100);
  EXPECT_TRUE(std::adjacent_find(Seen.begin(), Seen.end(), std::greater_equal<int>()) == Seen.end());
}

TEST(BmpEncode, DefaultPalettes) {
  TRawImage Many = Pattern(40, 20);  // more than 256 colours: the colour cube
  const Bytes F = EncodeBmp(Many, 8);
  const TRawImage Back = DecodeBmp(F.data(), F.size());
  EXPECT_LE(MaxChannelDifference(Back.Pixels, Many.Pixels), 26);
  for (TColor C : Back.Pixels)
    for (int s = 0; s < 24; s += 8) EXPECT_EQ(((C >> s) & 255) % 51, 0u);

  TRawImage Img;  // the 16 classic colours for 4 bits
  Img.Width = 2, Img.Height = 1;
  Img.Pixels = {Rgb(128, 0, 0), Rgb(250, 250, 5)};
  const Bytes F4 = EncodeBmp(Img, 4);
  EXPECT_EQ(DecodeBmp(F4.data(), F4.size()).Pixels, (std::vector<TColor>{Rgb(128, 0, 0), Rgb(255, 255, 0)}));
}

TEST(BmpEncode, RefusesWhatItCannotWrite) {
  TRawImage Img = Pattern(2, 2);
  EXPECT_THROW(EncodeBmp(Img, 16), EInvalidGraphic);
  EXPECT_THROW(EncodeBmp(Img, 1), EInvalidGraphic);
  EXPECT_THROW(EncodeBmp(Img, 4, std::vector<TColor>(17, 0)), EInvalidGraphic);
  Img.Pixels.pop_back();
  EXPECT_THROW(EncodeBmp(Img, 24), EInvalidGraphic);
  EXPECT_THROW(EncodeBmp(TRawImage{}, 24), EInvalidGraphic);
}

}  // namespace
}  // namespace orq
