// Byte layouts of the database files, read and written field by field in
// little-endian order. Texts are a length byte and N Windows-1252 bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "orqcarta/Orq_GeoDB.h"

namespace orq::gdb_detail {

inline constexpr int kHeaderSize = 260;
inline constexpr int kSumRecSize = 120;
inline constexpr int kIxRecSize = 8;
inline constexpr int kPointSize = 8;
inline constexpr int kMetaSize = 1024;
inline constexpr int kBlockSize = 16384;
inline constexpr int kDescriptionStored = 60;  // characters a description keeps

inline void PutI32(uint8_t* p, int32_t v) {
  const uint32_t u = static_cast<uint32_t>(v);
  p[0] = static_cast<uint8_t>(u);
  p[1] = static_cast<uint8_t>(u >> 8);
  p[2] = static_cast<uint8_t>(u >> 16);
  p[3] = static_cast<uint8_t>(u >> 24);
}
inline int32_t GetI32(const uint8_t* p) {
  return static_cast<int32_t>(uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24);
}
inline void PutF32(uint8_t* p, float v) {
  uint32_t u;
  std::memcpy(&u, &v, 4);
  PutI32(p, static_cast<int32_t>(u));
}
inline float GetF32(const uint8_t* p) {
  const uint32_t u = static_cast<uint32_t>(GetI32(p));
  float v;
  std::memcpy(&v, &u, 4);
  return v;
}
inline void PutF64(uint8_t* p, double v) {
  uint64_t u;
  std::memcpy(&u, &v, 8);
  PutI32(p, static_cast<int32_t>(static_cast<uint32_t>(u)));
  PutI32(p + 4, static_cast<int32_t>(static_cast<uint32_t>(u >> 32)));
}
inline double GetF64(const uint8_t* p) {
  const uint64_t u = uint64_t{static_cast<uint32_t>(GetI32(p))} | uint64_t{static_cast<uint32_t>(GetI32(p + 4))} << 32;
  double v;
  std::memcpy(&v, &u, 8);
  return v;
}

// A string[N] field at p (N + 1 bytes): the text converted to Windows-1252
// and cut to N characters; the bytes after it are Fill.
void PutShortString(uint8_t* p, std::size_t N, const std::string& Utf8, uint8_t Fill);
// Reads a string[N] field; a length byte above N is taken as N.
std::string GetShortString(const uint8_t* p, std::size_t N);

void EncodeSystemData(const TgdbSystemData& Rec, uint8_t* Out);  // 260 bytes
TgdbSystemData DecodeSystemData(const uint8_t* In);
void EncodeGdbData(const TgdbData& Rec, uint8_t* Out);  // 120 bytes
TgdbData DecodeGdbData(const uint8_t* In);
void EncodeMetaInfo(const TMetaInfo& Rec, uint8_t* Out);  // 1024 bytes
TMetaInfo DecodeMetaInfo(const uint8_t* In);

inline void EncodeIx(const TIxItemIDRec& r, uint8_t* Out) {
  PutI32(Out, r.ItemID);
  PutI32(Out + 4, r.index);
}
inline void EncodeIx(const TIxLLRec& r, uint8_t* Out) {
  PutF32(Out, r.LLValue);
  PutI32(Out + 4, r.index);
}
inline void DecodeIx(const uint8_t* In, TIxItemIDRec& r) {
  r.ItemID = GetI32(In);
  r.index = GetI32(In + 4);
}
inline void DecodeIx(const uint8_t* In, TIxLLRec& r) {
  r.LLValue = GetF32(In);
  r.index = GetI32(In + 4);
}

}  // namespace orq::gdb_detail
