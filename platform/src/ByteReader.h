// Bounds-checked reads of little- and big-endian integers from a byte buffer.
// Every access is checked against the buffer's size; a read past the end
// raises EInvalidGraphic with the message the caller chose for that format.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "orqplatform/ImageCodecs.h"

// Private to the codecs; kept out of namespace orq proper so that helper
// names cannot clash with those of other platform files.
namespace orq::imgcodec {

class TByteReader {
 public:
  TByteReader(const uint8_t* Data, std::size_t Size, std::string TruncatedMessage)
      : FData(Data), FSize(Data ? Size : 0), FTruncated(std::move(TruncatedMessage)) {}

  std::size_t Size() const { return FSize; }
  const uint8_t* Data() const { return FData; }

  // True when Count bytes from Offset lie inside the buffer (no overflow).
  bool Has(uint64_t Offset, uint64_t Count) const { return Offset <= FSize && Count <= FSize - Offset; }
  void Need(uint64_t Offset, uint64_t Count) const {
    if (!Has(Offset, Count)) throw EInvalidGraphic(FTruncated);
  }

  uint8_t U8(uint64_t Offset) const {
    Need(Offset, 1);
    return FData[Offset];
  }
  uint16_t U16LE(uint64_t Offset) const {
    Need(Offset, 2);
    return static_cast<uint16_t>(FData[Offset] | FData[Offset + 1] << 8);
  }
  uint32_t U32LE(uint64_t Offset) const {
    Need(Offset, 4);
    return static_cast<uint32_t>(FData[Offset]) | static_cast<uint32_t>(FData[Offset + 1]) << 8 |
           static_cast<uint32_t>(FData[Offset + 2]) << 16 | static_cast<uint32_t>(FData[Offset + 3]) << 24;
  }
  int32_t S32LE(uint64_t Offset) const { return static_cast<int32_t>(U32LE(Offset)); }
  uint16_t U16BE(uint64_t Offset) const {
    Need(Offset, 2);
    return static_cast<uint16_t>(FData[Offset] << 8 | FData[Offset + 1]);
  }
  uint32_t U32BE(uint64_t Offset) const {
    Need(Offset, 4);
    return static_cast<uint32_t>(FData[Offset]) << 24 | static_cast<uint32_t>(FData[Offset + 1]) << 16 |
           static_cast<uint32_t>(FData[Offset + 2]) << 8 | static_cast<uint32_t>(FData[Offset + 3]);
  }

 private:
  const uint8_t* FData;
  std::size_t FSize;
  std::string FTruncated;
};

// Little-endian writers for the encoders.
inline void PutU16LE(std::vector<uint8_t>& Out, uint16_t V) {
  Out.push_back(static_cast<uint8_t>(V));
  Out.push_back(static_cast<uint8_t>(V >> 8));
}
inline void PutU32LE(std::vector<uint8_t>& Out, uint32_t V) {
  for (int i = 0; i < 4; ++i) Out.push_back(static_cast<uint8_t>(V >> (8 * i)));
}

}  // namespace orq::imgcodec
