// The BMP file and info headers, shared by the decoder and the size reader.
#pragma once

#include <cstdint>

#include "ByteReader.h"

// Private to the codecs; kept out of namespace orq proper so that helper
// names cannot clash with those of other platform files.
namespace orq::imgcodec {

enum : uint32_t {
  kBiRgb = 0,
  kBiRle8 = 1,
  kBiRle4 = 2,
  kBiBitFields = 3,
  kBiAlphaBitFields = 6,
};

constexpr uint32_t kBmpFileHeaderSize = 14;

struct TBmpHeader {
  uint32_t OffBits = 0;   // bfOffBits: start of the pixel data (0 when the writer left it out)
  uint32_t InfoSize = 0;  // biSize: 12 (OS/2 1.x core), 16/64 (OS/2 2.x), 40, 52, 56, 108, 124
  bool Core = false;      // palette entries of 3 bytes instead of 4
  bool OS2 = false;       // OS/2 2.x header: compression 3 and 4 mean other things
  int64_t Width = 0;
  int64_t Height = 0;     // always positive; TopDown tells the row order
  bool TopDown = false;
  uint16_t BitCount = 0;
  uint32_t Compression = kBiRgb;
  uint32_t SizeImage = 0;
  uint32_t ClrUsed = 0;
  bool MasksInHeader = false;  // V2 and later headers carry the bit-field masks
  uint32_t Masks[4] = {0, 0, 0, 0};  // red, green, blue, alpha
};

// Parses the file header and the info header. Raises EInvalidGraphic for a
// missing signature, an unknown header size, a non-positive width or a zero
// height, and "BMP file truncated" when the headers do not fit in Data.
// Does not check the size limits of the decoder.
TBmpHeader ParseBmpHeader(const TByteReader& Data);

}  // namespace orq::imgcodec
