// Hostile input: every sample file of every format, cut at each length and
// with random bytes changed (fixed seed), must decode or raise
// EInvalidGraphic -- never crash, read out of bounds or raise anything else.
// Run under the sanitizers to catch the silent faults.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>

#include "codec_test_support.h"

namespace orq {
namespace {

using namespace codectest;

struct Sample {
  std::string Name;
  TImageFileFormat Format;
  Bytes File;
};

std::vector<Sample> Samples() {
  std::vector<Sample> S;
  auto Bmp = [&](const std::string& Name, const Bytes& F) { S.push_back({Name, TImageFileFormat::Bmp, F}); };
  const TRawImage Img = Pattern(9, 6);
  std::vector<TColor> Pal(Img.Pixels.begin(), Img.Pixels.begin() + 16);
  Bmp("bmp4", EncodeBmp(Img, 4, Pal));
  Bmp("bmp8", EncodeBmp(Img, 8));
  Bmp("bmp24", EncodeBmp(Img, 24));
  Bmp("bmp32", EncodeBmp(Img, 32));
  BmpLayout B1;
  B1.Width = 11, B1.Height = -3, B1.BitCount = 1, B1.Extra = BmpPalette({0, 0xFFFFFF});
  B1.Pixels = {0xA5, 0x5A, 0, 0, 0xFF, 0x00, 0, 0, 0x0F, 0xF0, 0, 0};
  Bmp("bmp1", MakeBmp(B1));
  BmpLayout B16;
  B16.Width = 3, B16.Height = 2, B16.BitCount = 16, B16.Compression = 3, B16.InfoSize = 56;
  B16.Masks[0] = 0xF800, B16.Masks[1] = 0x07E0, B16.Masks[2] = 0x001F;
  B16.Pixels = {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0};
  Bmp("bmp16", MakeBmp(B16));
  BmpLayout R8;
  R8.Width = 6, R8.Height = 3, R8.BitCount = 8, R8.Compression = 1, R8.ClrUsed = 4;
  R8.Extra = BmpPalette({1, 2, 3, 4});
  R8.Pixels = {3, 1, 0, 0, 0, 3, 2, 3, 1, 0, 0, 2, 1, 1, 2, 2, 0, 0, 0, 1};
  Bmp("rle8", MakeBmp(R8));
  BmpLayout R4 = R8;
  R4.BitCount = 4, R4.Compression = 2;
  R4.Pixels = {4, 0x12, 0, 0, 0, 2, 1, 0, 2, 0x33, 0, 4, 0x12, 0x30, 0, 1};
  Bmp("rle4", MakeBmp(R4));

  S.push_back({"png", TImageFileFormat::Png, EncodePng(Img)});
  S.push_back({"png-palette", TImageFileFormat::Png,
               MakePng(4, 2, 2, 3, {0, 0b00011011, 0, 0b11100100}, {255, 0, 0, 0, 255, 0, 0, 0, 255, 9, 9, 9})});
  S.push_back({"png-interlaced", TImageFileFormat::Png,
               MakePng(3, 3, 8, 4, {0, 1, 2, 0, 3, 4, 0, 5, 6, 7, 8, 0, 9, 10, 0, 11, 12, 0, 13, 14, 15, 16, 17, 18},
                       {}, {}, 1)});

  S.push_back({"jpeg", TImageFileFormat::Jpeg, EncodeJpeg(Pattern(16, 16), 50)});
  TJpegWriteOptions Prog;
  Prog.Progressive = true;
  S.push_back({"jpeg-progressive", TImageFileFormat::Jpeg, EncodeJpeg(Pattern(16, 16), Prog)});
  TJpegWriteOptions Grey;
  Grey.Grayscale = true;
  S.push_back({"jpeg-grey", TImageFileFormat::Jpeg, EncodeJpeg(Pattern(16, 8), Grey)});
  std::ifstream In(std::string(ORQ_TEST_DATA_DIR) + "/ycck_adobe.jpg", std::ios::binary);
  S.push_back({"jpeg-ycck", TImageFileFormat::Jpeg,
               Bytes((std::istreambuf_iterator<char>(In)), std::istreambuf_iterator<char>())});
  return S;
}

// Runs the sample's own decoder (even when the signature was destroyed) and
// the size reader; returns a description of any fault.
std::string Probe(TImageFileFormat Format, const Bytes& F) {
  try {
    TRawImage Img;
    switch (Format) {
      case TImageFileFormat::Bmp: Img = DecodeBmp(F.data(), F.size()); break;
      case TImageFileFormat::Png: Img = DecodePng(F.data(), F.size()); break;
      default: Img = DecodeJpeg(F.data(), F.size()); break;
    }
    if (Img.Width <= 0 || Img.Height <= 0 || Img.Pixels.size() != size_t(Img.Width) * size_t(Img.Height))
      return "decoded image with inconsistent size";
  } catch (const EInvalidGraphic&) {
  } catch (const std::exception& E) {
    return std::string("decoder raised ") + E.what();
  }
  try {
    const TImageSize S = ReadImageSize(F.data(), F.size());
    if (S.Width <= 0 || S.Height <= 0) return "non-positive size read";
  } catch (const EInvalidGraphic&) {
  } catch (const std::exception& E) {
    return std::string("size reader raised ") + E.what();
  }
  return "";
}

TEST(CodecCorruptFiles, SamplesDecode) {
  for (const Sample& S : Samples()) {
    ASSERT_FALSE(S.File.empty()) << S.Name;
    EXPECT_EQ(DetectImageFormat(S.File.data(), S.File.size()), S.Format) << S.Name;
    EXPECT_EQ(Probe(S.Format, S.File), "") << S.Name;
  }
}

TEST(CodecCorruptFiles, EveryTruncationIsHandled) {
  for (const Sample& S : Samples())
    for (size_t Len = 0; Len < S.File.size(); ++Len) {
      const Bytes Cut(S.File.begin(), S.File.begin() + Len);
      const std::string Fault = Probe(S.Format, Cut);
      EXPECT_EQ(Fault, "") << S.Name << " cut at " << Len;
      if (!Fault.empty()) break;
    }
}

TEST(CodecCorruptFiles, RandomByteChangesAreHandled) {
  std::mt19937 Rng(20261208);
  for (const Sample& S : Samples()) {
    int Failures = 0;
    for (int Round = 0; Round < 4000 && Failures < 3; ++Round) {
      Bytes F = S.File;
      const int Changes = 1 + int(Rng() % 4);
      for (int c = 0; c < Changes; ++c) {
        const size_t At = Rng() % F.size();
        switch (Rng() % 4) {
          case 0: F[At] ^= uint8_t(1u << (Rng() % 8)); break;
          case 1: F[At] = 0xFF; break;
          case 2: F[At] = 0; break;
          default: F[At] = uint8_t(Rng()); break;
        }
      }
      if (Rng() % 8 == 0) F.resize(Rng() % F.size());
      const std::string Fault = Probe(S.Format, F);
      if (!Fault.empty()) {
        ++Failures;
        ADD_FAILURE() << S.Name << " round " << Round << ": " << Fault;
      }
    }
  }
}

}  // namespace
}  // namespace orq
