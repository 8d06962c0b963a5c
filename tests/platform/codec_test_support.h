// Helpers for the codec tests: byte builders for hand-made BMP and PNG files
// and small synthetic images.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "orqplatform/ImageCodecs.h"

namespace orq::codectest {

using Bytes = std::vector<uint8_t>;

inline void Le16(Bytes& B, uint32_t V) {
  B.push_back(uint8_t(V));
  B.push_back(uint8_t(V >> 8));
}
inline void Le32(Bytes& B, uint32_t V) {
  for (int i = 0; i < 4; ++i) B.push_back(uint8_t(V >> (8 * i)));
}
inline void Be32(Bytes& B, uint32_t V) {
  for (int i = 3; i >= 0; --i) B.push_back(uint8_t(V >> (8 * i)));
}
inline void Append(Bytes& B, const Bytes& More) { B.insert(B.end(), More.begin(), More.end()); }

constexpr TColor Rgb(uint32_t R, uint32_t G, uint32_t B) { return R | G << 8 | B << 16; }

// A BMP file: file header, a Windows info header of InfoSize bytes (40, 52,
// 56, 108 or 124; masks go into the header from 52 on), then Extra (masks
// after a 40-byte header, or a palette), then Pixels. The palette and masks
// are the caller's bytes, so broken layouts can be built too.
struct BmpLayout {
  uint32_t InfoSize = 40;
  int32_t Width = 1;
  int32_t Height = 1;
  uint16_t BitCount = 24;
  uint32_t Compression = 0;
  uint32_t ClrUsed = 0;
  uint32_t Masks[4] = {0, 0, 0, 0};
  Bytes Extra;
  Bytes Pixels;
};

inline Bytes MakeBmp(const BmpLayout& S) {
  Bytes B;
  const uint32_t OffBits = 14 + S.InfoSize + uint32_t(S.Extra.size());
  B.push_back('B');
  B.push_back('M');
  Le32(B, OffBits + uint32_t(S.Pixels.size()));
  Le32(B, 0);
  Le32(B, OffBits);
  Le32(B, S.InfoSize);
  Le32(B, uint32_t(S.Width));
  Le32(B, uint32_t(S.Height));
  Le16(B, 1);
  Le16(B, S.BitCount);
  Le32(B, S.Compression);
  Le32(B, uint32_t(S.Pixels.size()));
  Le32(B, 2835);
  Le32(B, 2835);
  Le32(B, S.ClrUsed);
  Le32(B, 0);
  for (uint32_t i = 0; 40 + 4 * i < S.InfoSize; ++i) Le32(B, i < 4 ? S.Masks[i] : 0);
  Append(B, S.Extra);
  Append(B, S.Pixels);
  return B;
}

// Palette bytes B, G, R, 0 for each colour.
inline Bytes BmpPalette(const std::vector<TColor>& Colors) {
  Bytes B;
  for (TColor C : Colors) {
    B.push_back(uint8_t(C >> 16));
    B.push_back(uint8_t(C >> 8));
    B.push_back(uint8_t(C));
    B.push_back(0);
  }
  return B;
}

inline uint32_t Crc32(const uint8_t* P, size_t N, uint32_t Crc = 0) {
  Crc = ~Crc;
  for (size_t i = 0; i < N; ++i) {
    Crc ^= P[i];
    for (int k = 0; k < 8; ++k) Crc = (Crc >> 1) ^ (0xEDB88320u & (0u - (Crc & 1)));
  }
  return ~Crc;
}

inline void PngChunk(Bytes& B, const char* Type, const Bytes& Data) {
  Be32(B, uint32_t(Data.size()));
  const size_t Start = B.size();
  B.insert(B.end(), Type, Type + 4);
  Append(B, Data);
  Be32(B, Crc32(B.data() + Start, B.size() - Start));
}

// A zlib stream of stored (uncompressed) deflate blocks.
inline Bytes ZlibStored(const Bytes& Raw) {
  Bytes Z = {0x78, 0x01};
  size_t Pos = 0;
  do {
    const size_t N = std::min<size_t>(65535, Raw.size() - Pos);
    Z.push_back(Pos + N == Raw.size() ? 1 : 0);
    Le16(Z, uint32_t(N));
    Le16(Z, uint32_t(~N & 0xFFFF));
    Z.insert(Z.end(), Raw.begin() + Pos, Raw.begin() + Pos + N);
    Pos += N;
  } while (Pos < Raw.size());
  uint32_t A = 1, B = 0;
  for (uint8_t C : Raw) A = (A + C) % 65521, B = (B + A) % 65521;
  Be32(Z, B << 16 | A);
  return Z;
}

// A PNG file from raw scanlines (each starting with its filter byte), with
// optional PLTE and tRNS chunk contents.
inline Bytes MakePng(uint32_t Width, uint32_t Height, uint8_t Depth, uint8_t ColorType, const Bytes& Scanlines,
                     const Bytes& Plte = {}, const Bytes& Trns = {}, uint8_t Interlace = 0) {
  Bytes B = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  Bytes Ihdr;
  Be32(Ihdr, Width);
  Be32(Ihdr, Height);
  Ihdr.insert(Ihdr.end(), {Depth, ColorType, 0, 0, Interlace});
  PngChunk(B, "IHDR", Ihdr);
  if (!Plte.empty()) PngChunk(B, "PLTE", Plte);
  if (!Trns.empty()) PngChunk(B, "tRNS", Trns);
  PngChunk(B, "IDAT", ZlibStored(Scanlines));
  PngChunk(B, "IEND", {});
  return B;
}

// A W x H image with every channel varying, so that swapped channels, flipped
// rows or lost padding show up.
inline TRawImage Pattern(int W, int H) {
  TRawImage Img;
  Img.Width = W;
  Img.Height = H;
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) Img.Pixels.push_back(Rgb((x * 37 + y * 11) & 255, (y * 53 + 7) & 255, (x * y * 13 + 91) & 255));
  return Img;
}

// A smooth image for the lossy codec.
inline TRawImage Smooth(int W, int H) {
  TRawImage Img;
  Img.Width = W;
  Img.Height = H;
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) Img.Pixels.push_back(Rgb(x * 255 / W, y * 255 / H, (x + y) * 127 / (W + H) + 64));
  return Img;
}

inline int MaxChannelDifference(const std::vector<TColor>& A, const std::vector<TColor>& B) {
  int Max = 0;
  for (size_t i = 0; i < A.size() && i < B.size(); ++i)
    for (int s = 0; s < 24; s += 8) {
      const int D = int((A[i] >> s) & 255) - int((B[i] >> s) & 255);
      Max = std::max(Max, D < 0 ? -D : D);
    }
  return Max;
}

}  // namespace orq::codectest
