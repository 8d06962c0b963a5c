// JPEG through libjpeg-turbo: round trips within a small tolerance, greyscale
// and progressive files, quality clamping, progress reports, and files that
// are cut short or lie about their size.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "codec_test_support.h"

namespace orq {
namespace {

using namespace codectest;

TRawImage Decode(const Bytes& File, const TCodecProgress& Progress = {}) {
  return DecodeJpeg(File.data(), File.size(), Progress);
}

std::string DecodeError(const Bytes& File) {
  try {
    Decode(File);
  } catch (const EInvalidGraphic& E) {
    return E.what();
  }
  return "(decoded)";
}

// Offset of the first frame header (FF C0 or FF C2) of a file we wrote.
size_t FrameHeader(const Bytes& F) {
  for (size_t i = 2; i + 1 < F.size(); ++i)
    if (F[i] == 0xFF && (F[i + 1] == 0xC0 || F[i + 1] == 0xC2)) return i;
  return 0;
}

TEST(JpegCodec, RoundTripAtBestQualityIsClose) {
  const TRawImage Img = Smooth(40, 30);
  const Bytes F = EncodeJpeg(Img, 100);
  EXPECT_EQ(DetectImageFormat(F.data(), F.size()), TImageFileFormat::Jpeg);
  const TRawImage Back = Decode(F);
  EXPECT_EQ(Back.Width, 40);
  EXPECT_EQ(Back.Height, 30);
  EXPECT_EQ(Back.SourceBitsPerPixel, 24);
  EXPECT_LE(MaxChannelDifference(Back.Pixels, Img.Pixels), 6);
  // Channels must not be swapped: a pure red block stays red.
  TRawImage RedImg;
  RedImg.Width = RedImg.Height = 16;
  RedImg.Pixels.assign(256, Rgb(255, 0, 0));
  EXPECT_LE(MaxChannelDifference(Decode(EncodeJpeg(RedImg, 95)).Pixels, RedImg.Pixels), 3);
}

TEST(JpegCodec, QualityIsClampedAndMatters) {
  const TRawImage Img = Pattern(24, 16);
  EXPECT_EQ(EncodeJpeg(Img, -5), EncodeJpeg(Img, 1));
  EXPECT_EQ(EncodeJpeg(Img, 0), EncodeJpeg(Img, 1));
  EXPECT_EQ(EncodeJpeg(Img, 250), EncodeJpeg(Img, 100));
  EXPECT_LT(EncodeJpeg(Img, 10).size(), EncodeJpeg(Img, 90).size());
}

TEST(JpegCodec, GreyscaleAndProgressiveFiles) {
  const TRawImage Img = Smooth(33, 17);
  TJpegWriteOptions Grey;
  Grey.Quality = 100;
  Grey.Grayscale = true;
  const TRawImage G = Decode(EncodeJpeg(Img, Grey));
  EXPECT_EQ(G.SourceBitsPerPixel, 8);
  for (TColor C : G.Pixels) {
    EXPECT_EQ(C & 255, (C >> 8) & 255);
    EXPECT_EQ(C & 255, C >> 16);
  }

  TJpegWriteOptions Prog;
  Prog.Quality = 100;
  Prog.Progressive = true;
  const Bytes F = EncodeJpeg(Img, Prog);
  ASSERT_NE(FrameHeader(F), 0u);
  EXPECT_EQ(F[FrameHeader(F) + 1], 0xC2);
  EXPECT_LE(MaxChannelDifference(Decode(F).Pixels, Img.Pixels), 8);
  EXPECT_EQ(ReadImageSize(F.data(), F.size()).Width, 33);
}

TEST(JpegCodec, ProgressRunsFromZeroToHundred) {
  const TRawImage Img = Smooth(16, 300);
  std::vector<int> Seen;
  const Bytes F = EncodeJpeg(Img, 80, [&](int P) { Seen.push_back(P); });
  ASSERT_FALSE(Seen.empty());
  EXPECT_EQ(Seen.front(), 0);
  EXPECT_EQ(Seen.back(), 100);
  EXPECT_TRUE(std::is_sorted(Seen.begin(), Seen.end()));
  EXPECT_GT(Seen.size(), 50u);

  Seen.clear();
  Decode(F, [&](int P) { Seen.push_back(P); });
  ASSERT_FALSE(Seen.empty());
  EXPECT_EQ(Seen.front(), 0);
  EXPECT_EQ(Seen.back(), 100);
  EXPECT_TRUE(std::adjacent_find(Seen.begin(), Seen.end(), std::greater_equal<int>()) == Seen.end());

  // A callback may abort by throwing; nothing leaks.
  EXPECT_THROW(Decode(F, [](int P) { if (P > 50) throw std::runtime_error("stop"); }), std::runtime_error);
}

TEST(JpegCodec, TruncatedAndLyingFiles) {
  const Bytes F = EncodeJpeg(Pattern(64, 64), 90);
  EXPECT_EQ(DecodeError(Bytes(F.begin(), F.begin() + F.size() * 2 / 3)), "JPEG file truncated");
  // Only the end marker missing: every row is there.
  EXPECT_EQ(Decode(Bytes(F.begin(), F.end() - 2)).Pixels, Decode(F).Pixels);
  EXPECT_EQ(DecodeError(Bytes(F.begin(), F.begin() + 2)), "Not a JPEG file");
  EXPECT_EQ(DecodeError(Bytes(F.begin(), F.begin() + 100)), "JPEG file truncated");  // inside the tables
  TJpegWriteOptions Prog;
  Prog.Progressive = true;
  const Bytes P = EncodeJpeg(Pattern(64, 64), Prog);
  EXPECT_EQ(DecodeError(Bytes(P.begin(), P.begin() + P.size() * 2 / 3)), "JPEG file truncated");
  EXPECT_NE(DecodeError(Bytes{0xFF, 0xD8, 0xFF, 0xD9}).find("Invalid JPEG file"), std::string::npos);

  // The frame header claims 16000 x 16000, within the limits but far more
  // than the data can describe: refused before allocating.
  Bytes Big = F;
  const size_t Sof = FrameHeader(Big);
  Big[Sof + 5] = 0x3E, Big[Sof + 6] = 0x80, Big[Sof + 7] = 0x3E, Big[Sof + 8] = 0x80;
  EXPECT_EQ(DecodeError(Big), "JPEG file truncated");
  EXPECT_EQ(ReadImageSize(Big.data(), Big.size()).Width, 16000);
  Big[Sof + 5] = 0xEA, Big[Sof + 6] = 0x60, Big[Sof + 7] = 0xEA, Big[Sof + 8] = 0x60;
  EXPECT_NE(DecodeError(Big).find("too large"), std::string::npos);
  Bytes Zero = F;
  Zero[Sof + 7] = 0, Zero[Sof + 8] = 0;
  EXPECT_THROW(Decode(Zero), EInvalidGraphic);

  EXPECT_THROW(EncodeJpeg(TRawImage{}, 75), EInvalidGraphic);
}

TEST(JpegCodec, EndlessScansAreRefused) {
  TJpegWriteOptions Prog;
  Prog.Progressive = true;
  const Bytes F = EncodeJpeg(Pattern(8, 8), Prog);
  size_t LastScan = 0;
  for (size_t i = 2; i + 1 < F.size(); ++i)
    if (F[i] == 0xFF && F[i + 1] == 0xDA) LastScan = i;
  ASSERT_NE(LastScan, 0u);
  // Repeat the last scan until the file has far more scans than any encoder writes.
  Bytes Many(F.begin(), F.end() - 2);
  const Bytes Scan(F.begin() + LastScan, F.end() - 2);
  for (int i = 0; i < 1100; ++i) Append(Many, Scan);
  Many.insert(Many.end(), {0xFF, 0xD9});
  EXPECT_EQ(DecodeError(Many), "Invalid JPEG file: too many scans");
}

// Four-channel files, made once with libjpeg: 16 x 8 pixels, left half
// (C, M, Y, K) = (0, 255, 255, 0) as ink amounts, right half (0, 0, 0, 128).
// The Adobe file stores the inks inverted, as Adobe writers do; the YCCK one
// is Adobe too, transformed.
TEST(JpegCodec, CmykAndYcckConvertToRgb) {
  for (const char* Name : {"cmyk_adobe.jpg", "ycck_adobe.jpg", "cmyk_plain.jpg"}) {
    std::ifstream In(std::string(ORQ_TEST_DATA_DIR) + "/" + Name, std::ios::binary);
    ASSERT_TRUE(In) << Name;
    const Bytes F((std::istreambuf_iterator<char>(In)), std::istreambuf_iterator<char>());
    const TRawImage Img = Decode(F);
    ASSERT_EQ(Img.Width, 16) << Name;
    ASSERT_EQ(Img.Height, 8) << Name;
    EXPECT_EQ(Img.SourceBitsPerPixel, 24);
    const TColor Left = Img.Pixels[2 * 16 + 2], Right = Img.Pixels[5 * 16 + 13];
    EXPECT_LE(MaxChannelDifference({Left}, {Rgb(255, 0, 0)}), 4) << Name << " " << std::hex << Left;
    EXPECT_LE(MaxChannelDifference({Right}, {Rgb(127, 127, 127)}), 4) << Name << " " << std::hex << Right;
  }
}

}  // namespace
}  // namespace orq
