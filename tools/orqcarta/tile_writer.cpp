// Row writers for tiles. The BMP one writes a standard bottom-up file,
// seeking to each row's place, so that every reader takes it.
#include "tile_writer.h"

#include <cstdio>
#include <stdexcept>
#include <vector>

#include "orqplatform/ImageCodecs.h"

namespace orq::cli {

namespace {

void Put16(uint8_t* P, uint32_t V) {
  P[0] = static_cast<uint8_t>(V);
  P[1] = static_cast<uint8_t>(V >> 8);
}
void Put32(uint8_t* P, uint32_t V) {
  Put16(P, V);
  Put16(P + 2, V >> 16);
}

class TBmpRowWriter final : public TTileWriter {
 public:
  TBmpRowWriter(const std::string& File, int Width, int Height)
      : FName(File), FWidth(Width), FHeight(Height), FStride((Width * 3 + 3) / 4 * 4), FRow(FStride, 0) {
    FFile = std::fopen(File.c_str(), "wb");
    if (!FFile) throw std::runtime_error("cannot create " + File);
    uint8_t header[54] = {'B', 'M'};
    const uint32_t imageBytes = static_cast<uint32_t>(FStride) * static_cast<uint32_t>(Height);
    Put32(header + 2, 54 + imageBytes);
    Put32(header + 10, 54);
    Put32(header + 14, 40);
    Put32(header + 18, static_cast<uint32_t>(Width));
    Put32(header + 22, static_cast<uint32_t>(Height));
    Put16(header + 26, 1);
    Put16(header + 28, 24);
    Put32(header + 34, imageBytes);
    Put32(header + 38, 3780);  // 96 dpi
    Put32(header + 42, 3780);
    Check(std::fwrite(header, 1, sizeof header, FFile) == sizeof header);
  }
  ~TBmpRowWriter() override {
    if (FFile) {
      std::fclose(FFile);
      std::remove(FName.c_str());
    }
  }
  void WriteRow(const TColor* Row) override {
    if (!FFile || FNext >= FHeight) throw std::runtime_error("BMP tile " + FName + ": no row expected");
    for (int x = 0; x < FWidth; ++x) {
      FRow[3 * x] = static_cast<uint8_t>(Row[x] >> 16);
      FRow[3 * x + 1] = static_cast<uint8_t>(Row[x] >> 8);
      FRow[3 * x + 2] = static_cast<uint8_t>(Row[x]);
    }
    const long offset = 54 + static_cast<long>(FHeight - 1 - FNext) * FStride;
    Check(std::fseek(FFile, offset, SEEK_SET) == 0 && std::fwrite(FRow.data(), 1, FRow.size(), FFile) == FRow.size());
    ++FNext;
  }
  void Close() override {
    if (!FFile) return;
    if (FNext != FHeight) throw std::runtime_error("BMP tile " + FName + " closed before its last row");
    const bool ok = std::fflush(FFile) == 0 && !std::ferror(FFile);
    const bool closed = std::fclose(FFile) == 0;
    FFile = nullptr;
    if (!ok || !closed) {
      std::remove(FName.c_str());
      throw std::runtime_error("cannot write " + FName);
    }
  }

 private:
  void Check(bool Ok) {
    if (!Ok) throw std::runtime_error("cannot write " + FName);
  }
  std::string FName;
  int FWidth, FHeight, FStride;
  std::vector<uint8_t> FRow;
  std::FILE* FFile = nullptr;
  int FNext = 0;
};

class TJpegTileWriter final : public TTileWriter {
 public:
  TJpegTileWriter(const std::string& File, int Width, int Height, int Quality)
      : FWriter(File, Width, Height, Options(Quality)) {}
  void WriteRow(const TColor* Row) override { FWriter.WriteRow(Row); }
  void Close() override { FWriter.Close(); }

 private:
  static TJpegWriteOptions Options(int Quality) {
    TJpegWriteOptions o;
    o.Quality = Quality;
    return o;
  }
  TJpegRowWriter FWriter;
};

}  // namespace

std::unique_ptr<TTileWriter> CreateTileWriter(TTileFormat Format, const std::string& File, int Width, int Height,
                                              int JpegQuality) {
  if (Format == TTileFormat::Jpeg) return std::make_unique<TJpegTileWriter>(File, Width, Height, JpegQuality);
  return std::make_unique<TBmpRowWriter>(File, Width, Height);
}

const char* TileExtension(TTileFormat Format) { return Format == TTileFormat::Jpeg ? ".jpg" : ".bmp"; }

}  // namespace orq::cli
