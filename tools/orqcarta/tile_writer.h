// Picture files written a row at a time, top row first, so that a tile is
// never held whole: BMP (24-bit, lossless) or JPEG.
#pragma once

#include <memory>
#include <string>

#include "orqplatform/Types.h"

namespace orq::cli {

class TTileWriter {
 public:
  virtual ~TTileWriter() = default;
  // Width pixels.
  virtual void WriteRow(const TColor* Row) = 0;
  // After the last row; a writer destroyed without Close removes its file.
  virtual void Close() = 0;
};

enum class TTileFormat { Bmp, Jpeg };

// Throws std::runtime_error (or the codec's exception) when the file cannot
// be created.
std::unique_ptr<TTileWriter> CreateTileWriter(TTileFormat Format, const std::string& File, int Width, int Height,
                                              int JpegQuality);

const char* TileExtension(TTileFormat Format);

}  // namespace orq::cli
