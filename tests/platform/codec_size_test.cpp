// Format detection and header-only size reading, from memory and from files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "codec_test_support.h"
#include "orqplatform/Exceptions.h"
#include "orqplatform/Streams.h"

namespace orq {
namespace {

using namespace codectest;

TImageSize SizeOf(const Bytes& B) { return ReadImageSize(B.data(), B.size()); }

std::string SizeError(const Bytes& B) {
  try {
    SizeOf(B);
  } catch (const EInvalidGraphic& E) {
    return E.what();
  }
  return "(read)";
}

// A JPEG header: SOI, a JFIF segment, fill bytes, a DHT segment whose bytes
// would read as a size, then the frame header.
Bytes JpegHeader(uint8_t Sof, uint16_t W, uint16_t H) {
  Bytes B = {0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0};
  B.insert(B.end(), {0xFF, 0xFF, 0xFF, 0xC4, 0, 8, 0, 0x11, 0x22, 0x33, 0x44, 0});
  B.insert(B.end(), {0xFF, Sof, 0, 11, 8, uint8_t(H >> 8), uint8_t(H), uint8_t(W >> 8), uint8_t(W), 1, 1, 0x11, 0});
  return B;
}

TEST(ImageSize, DetectsFormatsBySignature) {
  const Bytes Png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  EXPECT_EQ(DetectImageFormat(Png.data(), 8), TImageFileFormat::Png);
  EXPECT_EQ(DetectImageFormat(Png.data(), 7), TImageFileFormat::Unknown);
  const Bytes Jpg = {0xFF, 0xD8, 0xFF};
  EXPECT_EQ(DetectImageFormat(Jpg.data(), 3), TImageFileFormat::Jpeg);
  EXPECT_EQ(DetectImageFormat(Jpg.data(), 2), TImageFileFormat::Unknown);
  const Bytes Bmp = {'B', 'M'};
  EXPECT_EQ(DetectImageFormat(Bmp.data(), 2), TImageFileFormat::Bmp);
  EXPECT_EQ(DetectImageFormat(nullptr, 10), TImageFileFormat::Unknown);
  const Bytes Text = {'G', 'I', 'F', '8', '9', 'a', 0, 0};
  EXPECT_EQ(DetectImageFormat(Text.data(), Text.size()), TImageFileFormat::Unknown);
  EXPECT_EQ(SizeError(Text), "Unknown image file format");
  EXPECT_THROW(DecodeImage(Text.data(), Text.size()), EInvalidGraphic);
  const Bytes P = EncodePng(Pattern(3, 2));
  EXPECT_EQ(DecodeImage(P.data(), P.size()).Pixels, Pattern(3, 2).Pixels);
}

TEST(ImageSize, ReadsEveryHeaderWithoutPixels) {
  BmpLayout S;
  S.Width = 3, S.Height = -2;  // top-down: the height is still positive
  Bytes Bmp = MakeBmp(S);  // no pixel data at all
  EXPECT_EQ(SizeOf(Bmp).Width, 3);
  EXPECT_EQ(SizeOf(Bmp).Height, 2);
  S.InfoSize = 124, S.Height = 5;
  EXPECT_EQ(SizeOf(MakeBmp(S)).Height, 5);

  const Bytes Png = MakePng(17, 9, 8, 2, {});
  EXPECT_EQ(SizeOf(Png).Width, 17);
  EXPECT_EQ(SizeOf(Png).Height, 9);

  for (uint8_t Sof : {0xC0, 0xC1, 0xC2, 0xC9}) {
    const TImageSize J = SizeOf(JpegHeader(Sof, 640, 480));
    EXPECT_EQ(J.Width, 640);
    EXPECT_EQ(J.Height, 480);
  }
}

TEST(ImageSize, ReportsHugeSizesInsteadOfAllocating) {
  BmpLayout S;
  S.Width = 60000, S.Height = -60000;
  EXPECT_EQ(SizeOf(MakeBmp(S)).Height, 60000);
  S.Width = INT32_MAX;
  EXPECT_EQ(SizeOf(MakeBmp(S)).Width, INT32_MAX);
  const TImageSize P = SizeOf(MakePng(0x7FFFFFFF, 0x7FFFFFFF, 8, 2, {}));
  EXPECT_EQ(int64_t{P.Width} * P.Height, int64_t{0x7FFFFFFF} * 0x7FFFFFFF);
  EXPECT_EQ(SizeOf(JpegHeader(0xC0, 65535, 65535)).Width, 65535);
  // One past the map limit of 3000000 pixels.
  EXPECT_EQ(SizeOf(JpegHeader(0xC0, 2001, 1500)).Width, 2001);
}

TEST(ImageSize, RejectsBrokenHeaders) {
  BmpLayout S;
  S.Width = 0;
  EXPECT_THROW(SizeOf(MakeBmp(S)), EInvalidGraphic);
  const Bytes Bmp = MakeBmp(BmpLayout{});
  EXPECT_EQ(SizeError(Bytes(Bmp.begin(), Bmp.begin() + 20)), "BMP file truncated");
  EXPECT_THROW(SizeOf(MakePng(0, 5, 8, 2, {})), EInvalidGraphic);
  EXPECT_THROW(SizeOf(MakePng(0x80000000u, 5, 8, 2, {})), EInvalidGraphic);
  const Bytes Png = MakePng(1, 1, 8, 2, {});
  EXPECT_EQ(SizeError(Bytes(Png.begin(), Png.begin() + 20)), "PNG file truncated");

  const Bytes J = JpegHeader(0xC0, 10, 10);
  EXPECT_EQ(SizeError(Bytes(J.begin(), J.end() - 8)), "JPEG file truncated");
  EXPECT_THROW(SizeOf(JpegHeader(0xC0, 10, 0)), EInvalidGraphic);  // height left to a DNL segment
  EXPECT_THROW(SizeOf(JpegHeader(0xC0, 0, 10)), EInvalidGraphic);
  EXPECT_THROW(SizeOf(Bytes{0xFF, 0xD8, 0xFF, 0xD9}), EInvalidGraphic);         // image ends first
  EXPECT_THROW(SizeOf(Bytes{0xFF, 0xD8, 0xFF, 0xDA, 0, 2}), EInvalidGraphic);   // scan before frame
  EXPECT_THROW(SizeOf(Bytes{0xFF, 0xD8, 0xFF, 0xE1, 0, 1, 0, 0}), EInvalidGraphic);  // length below 2
  // Stray bytes before a marker are skipped, but not without end.
  Bytes Stray(J.begin(), J.begin() + 20);  // SOI and the JFIF segment
  Stray.insert(Stray.end(), {1, 2, 3});
  Append(Stray, Bytes(J.begin() + 20, J.end()));
  EXPECT_EQ(SizeOf(Stray).Width, 10);
  Bytes Endless = {0xFF, 0xD8, 0xFF};
  Endless.resize(200000, 0x55);
  EXPECT_NE(SizeError(Endless).find("no marker"), std::string::npos);
}

class ImageSizeFile : public ::testing::Test {
 protected:
  void SetUp() override {
    // One directory per process and test: CTest may run the cases in parallel.
    Dir = std::filesystem::temp_directory_path() /
          ("orq_codec_size_" + std::to_string(::getpid()) + "_" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(Dir);
  }
  void TearDown() override { std::filesystem::remove_all(Dir); }
  std::string Write(const std::string& Name, const Bytes& B) {
    const std::string Path = (Dir / Name).string();
    std::ofstream(Path, std::ios::binary).write(reinterpret_cast<const char*>(B.data()), std::streamsize(B.size()));
    return Path;
  }
  std::filesystem::path Dir;
};

TEST_F(ImageSizeFile, ReadsFromFilesOfEveryFormat) {
  EXPECT_EQ(ReadImageSize(Write("a.png", EncodePng(Pattern(5, 4)))).Height, 4);
  EXPECT_EQ(ReadImageSize(Write("a.bmp", EncodeBmp(Pattern(7, 3), 24))).Width, 7);
  // Segments longer than the read window are skipped by seeking.
  Bytes J = {0xFF, 0xD8, 0xFF, 0xE1, 0xFF, 0xF0};
  J.resize(J.size() + 0xFFF0 - 2, 0xAB);
  const Bytes Header = JpegHeader(0xC2, 321, 123);
  Append(J, Bytes(Header.begin() + 2, Header.end()));
  const TImageSize S = ReadImageSize(Write("a.jpg", J));
  EXPECT_EQ(S.Width, 321);
  EXPECT_EQ(S.Height, 123);
  // Header only: a 4 GiB file (sparse) answers at once.
  BmpLayout Huge;
  Huge.Width = 32768, Huge.Height = 32768, Huge.BitCount = 32;
  const std::string HugePath = Write("huge.bmp", MakeBmp(Huge));
  std::filesystem::resize_file(HugePath, (uint64_t{1} << 32) + 54);
  const TImageSize H = ReadImageSize(HugePath);
  EXPECT_EQ(int64_t{H.Width} * H.Height, int64_t{1} << 30);
  // A file whose pixels were cut off still reports its size.
  const Bytes Bmp = EncodeBmp(Pattern(50, 40), 24);
  EXPECT_EQ(ReadImageSize(Write("cut.bmp", Bytes(Bmp.begin(), Bmp.begin() + 100))).Width, 50);
}

TEST(ImageSizeStream, ReadsFromThePositionAndRestoresIt) {
  TMemoryStream S;
  const Bytes Junk = {1, 2, 3, 4, 5};
  const Bytes Png = EncodePng(Pattern(6, 2));
  S.WriteBuffer(Junk.data(), Junk.size());
  S.WriteBuffer(Png.data(), Png.size());
  S.SetPosition(5);
  EXPECT_EQ(ReadImageSize(&S).Width, 6);
  EXPECT_EQ(S.Position(), 5);
  S.SetPosition(0);
  EXPECT_THROW(ReadImageSize(&S), EInvalidGraphic);
  EXPECT_EQ(S.Position(), 0);
}

TEST_F(ImageSizeFile, MissingEmptyAndForeignFiles) {
  EXPECT_THROW(ReadImageSize((Dir / "none.jpg").string()), EFOpenError);
  EXPECT_THROW(ReadImageSize(Write("empty.bmp", {})), EInvalidGraphic);
  EXPECT_THROW(ReadImageSize(Write("text.jpg", {'h', 'e', 'l', 'l', 'o'})), EInvalidGraphic);
}

}  // namespace
}  // namespace orq
