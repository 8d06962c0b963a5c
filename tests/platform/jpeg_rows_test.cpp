// JPEG files read and written a few rows at a time: the same pixels as the
// whole-picture codec, and the failures a damaged file must give.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "orqplatform/Exceptions.h"
#include "orqplatform/ImageCodecs.h"

namespace orq {
namespace {

namespace fs = std::filesystem;

TRawImage Pattern(int W, int H) {
  TRawImage img;
  img.Width = W;
  img.Height = H;
  img.Pixels.resize(static_cast<std::size_t>(W) * H);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x)
      img.Pixels[static_cast<std::size_t>(y) * W + x] =
          static_cast<uint32_t>((x * 7) & 255) | static_cast<uint32_t>((y * 5) & 255) << 8 |
          static_cast<uint32_t>(((x + y) * 3) & 255) << 16;
  return img;
}

class JpegRows : public ::testing::Test {
 protected:
  fs::path Dir = fs::temp_directory_path() / ("orq_jpeg_rows_" + std::to_string(::getpid()));
  void SetUp() override { fs::create_directories(Dir); }
  void TearDown() override { fs::remove_all(Dir); }
  std::string Write(const std::string& Name, const std::vector<uint8_t>& Bytes) {
    const fs::path p = Dir / Name;
    std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(Bytes.data()),
                                              static_cast<std::streamsize>(Bytes.size()));
    return p.string();
  }
  static std::vector<uint8_t> Read(const std::string& File) {
    std::ifstream in(File, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
};

TEST_F(JpegRows, BandsAndSkipsGiveTheRowsOfTheWholeDecode) {
  for (const bool grey : {false, true}) {
    TJpegWriteOptions o;
    o.Grayscale = grey;
    const std::vector<uint8_t> bytes = EncodeJpeg(Pattern(123, 77), o);
    const TRawImage whole = DecodeJpeg(bytes.data(), bytes.size());
    TJpegRowReader reader(Write("a.jpg", bytes));
    ASSERT_EQ(reader.Width(), 123);
    ASSERT_EQ(reader.Height(), 77);
    EXPECT_EQ(reader.SourceBitsPerPixel(), grey ? 8 : 24);
    std::vector<TColor> rows;
    // Bands of uneven size, a skip in the middle, and a read past the end.
    ASSERT_EQ(reader.ReadRows(10, rows), 10);
    EXPECT_TRUE(std::equal(rows.begin(), rows.end(), whole.Pixels.begin()));
    ASSERT_EQ(reader.SkipRows(33), 33);
    EXPECT_EQ(reader.NextRow(), 43);
    ASSERT_EQ(reader.ReadRows(100, rows), 34);
    ASSERT_EQ(rows.size(), 34u * 123);
    EXPECT_TRUE(std::equal(rows.begin(), rows.end(), whole.Pixels.begin() + 43 * 123)) << "grey " << grey;
    EXPECT_EQ(reader.ReadRows(5, rows), 0);
    EXPECT_TRUE(rows.empty());
  }
}

TEST_F(JpegRows, TheRowWriterWritesTheBytesOfTheWholeEncoder) {
  const TRawImage img = Pattern(211, 64);
  TJpegWriteOptions o;
  o.Quality = 83;
  const std::string file = (Dir / "w.jpg").string();
  {
    TJpegRowWriter writer(file, img.Width, img.Height, o);
    for (int y = 0; y < img.Height; ++y) writer.WriteRow(img.Pixels.data() + static_cast<std::size_t>(y) * img.Width);
    writer.Close();
  }
  EXPECT_EQ(Read(file), EncodeJpeg(img, o));
}

TEST_F(JpegRows, AnUnfinishedWriterLeavesNoFile) {
  const TRawImage img = Pattern(40, 30);
  const std::string file = (Dir / "part.jpg").string();
  {
    TJpegRowWriter writer(file, img.Width, img.Height, TJpegWriteOptions{});
    writer.WriteRow(img.Pixels.data());
    EXPECT_THROW(writer.Close(), EInvalidGraphic);
  }
  EXPECT_FALSE(fs::exists(file));
  EXPECT_THROW(TJpegRowWriter(file, 0, 10, TJpegWriteOptions{}), EInvalidGraphic);
  EXPECT_THROW(TJpegRowWriter((Dir / "no" / "such.jpg").string(), 10, 10, TJpegWriteOptions{}), EFCreateError);
}

TEST_F(JpegRows, DamagedFilesAreRefused) {
  EXPECT_THROW(TJpegRowReader((Dir / "missing.jpg").string()), EFOpenError);
  EXPECT_THROW(TJpegRowReader(Write("text.jpg", {'h', 'e', 'l', 'l', 'o'})), EInvalidGraphic);
  const std::vector<uint8_t> bytes = EncodeJpeg(Pattern(300, 200), 90);
  // Cut inside the image data: the rows before the cut may come, then the
  // reader fails and stays failed.
  const std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(bytes.size() / 2));
  TJpegRowReader reader(Write("cut.jpg", cut));
  std::vector<TColor> rows;
  bool failed = false;
  try {
    while (reader.ReadRows(16, rows) > 0) {
    }
  } catch (const EInvalidGraphic& e) {
    failed = true;
    EXPECT_STREQ(e.what(), "JPEG file truncated");
  }
  EXPECT_TRUE(failed);
  EXPECT_THROW(reader.ReadRows(1, rows), EInvalidGraphic);
  EXPECT_THROW(reader.SkipRows(1), EInvalidGraphic);
}

TEST_F(JpegRows, ProgressiveFilesAreReadByRowsToo) {
  TJpegWriteOptions o;
  o.Progressive = true;
  const std::vector<uint8_t> bytes = EncodeJpeg(Pattern(90, 60), o);
  const TRawImage whole = DecodeJpeg(bytes.data(), bytes.size());
  TJpegRowReader reader(Write("p.jpg", bytes));
  std::vector<TColor> rows;
  ASSERT_EQ(reader.ReadRows(60, rows), 60);
  EXPECT_EQ(rows, whole.Pixels);
}

}  // namespace
}  // namespace orq
