// Our own BMP codec. Reads 1/4/8/16/24/32-bit files, bottom-up and top-down,
// uncompressed, bit-field and RLE4/RLE8 compressed, with Windows (40 to 124
// byte) and OS/2 (12, 16 and 64 byte) info headers. Writes 4/8/24/32-bit
// uncompressed files with a 40-byte info header.
//
// Every offset and count is checked against the data before it is used:
// corrupt or truncated files raise EInvalidGraphic. Palette indexes that
// point past the palette the file holds give black. Alpha channels are
// ignored.
#include <algorithm>
#include <bit>
#include <climits>
#include <cstdint>
#include <unordered_map>

#include "BmpHeader.h"
#include "CodecLimits.h"

namespace orq {

using namespace imgcodec;

namespace {

constexpr const char* kTruncated = "BMP file truncated";

// One channel of a bit-field mask: where it sits and how to widen it to 8
// bits (rounded). Fields of up to 16 bits go through a table.
struct TChannel {
  uint32_t Mask = 0;
  int Shift = 0;
  uint64_t Max = 0;  // largest value of the field; 0 for an empty mask
  std::vector<uint8_t> Table;

  uint32_t Extract(uint32_t Pixel) const {
    const uint32_t V = (Pixel & Mask) >> Shift;
    if (!Table.empty()) return Table[V];
    if (Max == 0) return 0;
    return static_cast<uint32_t>((V * 255 + Max / 2) / Max);
  }
};

TChannel MakeChannel(uint32_t Mask, int BitCount) {
  TChannel C;
  if (Mask == 0) return C;
  if (BitCount < 32 && (Mask >> BitCount) != 0) throw EInvalidGraphic("Invalid BMP bit-field mask: wider than the pixel");
  C.Mask = Mask;
  C.Shift = std::countr_zero(Mask);
  const uint32_t Field = Mask >> C.Shift;
  if ((Field & (Field + 1)) != 0) throw EInvalidGraphic("Invalid BMP bit-field mask: bits not contiguous");
  C.Max = Field;
  if (Field <= 0xFFFF) {
    C.Table.resize(Field + 1);
    for (uint32_t V = 0; V <= Field; ++V) C.Table[V] = static_cast<uint8_t>((uint64_t{V} * 255 + Field / 2) / Field);
  }
  return C;
}

struct TLayout {
  TChannel Red, Green, Blue;
  std::vector<TColor> Palette;  // 2^BitCount entries for palette images, missing entries black
  uint64_t PixelStart = 0;
};

void ReadMasks(const TByteReader& R, const TBmpHeader& H, TLayout& L) {
  uint32_t Masks[3];
  const bool BitFields = H.Compression == kBiBitFields || H.Compression == kBiAlphaBitFields;
  if (BitFields) {
    if (H.MasksInHeader) {
      std::copy(H.Masks, H.Masks + 3, Masks);
    } else {
      const uint64_t At = kBmpFileHeaderSize + H.InfoSize;
      for (int i = 0; i < 3; ++i) Masks[i] = R.U32LE(At + 4 * i);
    }
  } else if (H.BitCount == 16) {
    Masks[0] = 0x7C00, Masks[1] = 0x03E0, Masks[2] = 0x001F;
  } else {
    Masks[0] = 0xFF0000, Masks[1] = 0xFF00, Masks[2] = 0xFF;
  }
  L.Red = MakeChannel(Masks[0], H.BitCount);
  L.Green = MakeChannel(Masks[1], H.BitCount);
  L.Blue = MakeChannel(Masks[2], H.BitCount);
}

// Masks stored after a 40-byte header push the palette and the default pixel
// start back by 12 or 16 bytes.
uint64_t MaskBytesAfterHeader(const TBmpHeader& H) {
  if (H.MasksInHeader || H.OS2) return 0;
  if (H.Compression == kBiBitFields) return 12;
  if (H.Compression == kBiAlphaBitFields) return 16;
  return 0;
}

void ReadPalette(const TByteReader& R, const TBmpHeader& H, TLayout& L) {
  const uint64_t PalStart = kBmpFileHeaderSize + H.InfoSize + MaskBytesAfterHeader(H);
  if (H.BitCount > 8) {
    L.PixelStart = H.OffBits ? H.OffBits : PalStart;
    return;
  }
  const uint32_t Full = 1u << H.BitCount;
  const uint32_t Count = (H.ClrUsed == 0 || H.ClrUsed > Full) ? Full : H.ClrUsed;
  const uint32_t EntrySize = H.Core ? 3 : 4;
  // The palette ends where the pixels begin; a short file holds fewer entries.
  uint64_t Limit = R.Size();
  if (H.OffBits > PalStart) Limit = std::min<uint64_t>(Limit, H.OffBits);
  const uint64_t Available = Limit > PalStart ? (Limit - PalStart) / EntrySize : 0;
  const uint32_t Stored = static_cast<uint32_t>(std::min<uint64_t>(Count, Available));
  L.Palette.assign(Full, 0);
  for (uint32_t i = 0; i < Stored; ++i) {
    const uint64_t At = PalStart + uint64_t{i} * EntrySize;
    L.Palette[i] = RGBToColor(R.U8(At + 2), R.U8(At + 1), R.U8(At));
  }
  L.PixelStart = H.OffBits ? H.OffBits : PalStart + uint64_t{Count} * EntrySize;
}

void DecodeRow(const uint8_t* Row, const TBmpHeader& H, const TLayout& L, TColor* Out) {
  const int64_t W = H.Width;
  switch (H.BitCount) {
    case 1:
      for (int64_t x = 0; x < W; ++x) Out[x] = L.Palette[(Row[x >> 3] >> (7 - (x & 7))) & 1];
      break;
    case 4:
      for (int64_t x = 0; x < W; ++x) Out[x] = L.Palette[(x & 1) ? Row[x >> 1] & 15 : Row[x >> 1] >> 4];
      break;
    case 8:
      for (int64_t x = 0; x < W; ++x) Out[x] = L.Palette[Row[x]];
      break;
    case 16:
      for (int64_t x = 0; x < W; ++x) {
        const uint32_t P = Row[2 * x] | Row[2 * x + 1] << 8;
        Out[x] = RGBToColor(L.Red.Extract(P), L.Green.Extract(P), L.Blue.Extract(P));
      }
      break;
    case 24:
      for (int64_t x = 0; x < W; ++x) Out[x] = RGBToColor(Row[3 * x + 2], Row[3 * x + 1], Row[3 * x]);
      break;
    case 32:
      for (int64_t x = 0; x < W; ++x) {
        const uint8_t* B = Row + 4 * x;
        const uint32_t P = B[0] | B[1] << 8 | B[2] << 16 | static_cast<uint32_t>(B[3]) << 24;
        Out[x] = RGBToColor(L.Red.Extract(P), L.Green.Extract(P), L.Blue.Extract(P));
      }
      break;
  }
}

void DecodeUncompressed(const TByteReader& R, const TBmpHeader& H, const TLayout& L, TRawImage& Img,
                        TProgressSteps& Progress) {
  const uint64_t W = static_cast<uint64_t>(H.Width), Ht = static_cast<uint64_t>(H.Height);
  const uint64_t RowBits = W * H.BitCount;
  const uint64_t Stride = (RowBits + 31) / 32 * 4;
  // The last row need not carry its padding.
  R.Need(L.PixelStart, Stride * (Ht - 1) + (RowBits + 7) / 8);
  Img.Pixels.resize(W * Ht);
  for (uint64_t r = 0; r < Ht; ++r) {
    const uint64_t y = H.TopDown ? r : Ht - 1 - r;
    DecodeRow(R.Data() + L.PixelStart + r * Stride, H, L, Img.Pixels.data() + y * W);
    Progress.Report(r + 1, Ht);
  }
}

// RLE8 and RLE4: runs and literal groups of palette indexes, with escapes for
// end of line, end of bitmap and a jump. Pixels the data never reaches keep
// palette entry 0; writes past the right edge are dropped.
void DecodeRle(const TByteReader& R, const TBmpHeader& H, const TLayout& L, TRawImage& Img,
               TProgressSteps& Progress) {
  const bool Rle4 = H.Compression == kBiRle4;
  const int64_t W = H.Width, Ht = H.Height;
  uint64_t End = R.Size();
  if (H.SizeImage != 0 && L.PixelStart + H.SizeImage < End) End = L.PixelStart + H.SizeImage;
  if (L.PixelStart > End) throw EInvalidGraphic(kTruncated);
  // A hostile header must not make a few bytes allocate a gigabyte: we take
  // at most 4096 pixels per byte of RLE data, beyond a first megapixel.
  const uint64_t DataBytes = End - L.PixelStart;
  if (static_cast<uint64_t>(W * Ht) > (uint64_t{1} << 20) + DataBytes * 4096)
    throw EInvalidGraphic("BMP file truncated: too little RLE data for the image size");

  Img.Pixels.assign(static_cast<uint64_t>(W * Ht), L.Palette[0]);
  int64_t x = 0, y = 0;
  auto Put = [&](unsigned Index) {
    if (x < W && y < Ht) Img.Pixels[static_cast<uint64_t>((H.TopDown ? y : Ht - 1 - y) * W + x)] = L.Palette[Index];
    ++x;
  };
  const TByteReader Rle(R.Data(), End, kTruncated);
  uint64_t Pos = L.PixelStart;
  while (y < Ht) {
    const uint8_t Count = Rle.U8(Pos), Value = Rle.U8(Pos + 1);
    Pos += 2;
    if (Count > 0) {
      for (unsigned i = 0; i < Count && x < W; ++i) Put(Rle4 ? ((i & 1) ? Value & 15 : Value >> 4) : Value);
      continue;
    }
    if (Value == 0) {  // end of line
      x = 0;
      ++y;
      Progress.Report(static_cast<uint64_t>(std::min(y, Ht)), static_cast<uint64_t>(Ht));
    } else if (Value == 1) {  // end of bitmap
      break;
    } else if (Value == 2) {  // jump right and up
      x += Rle.U8(Pos);
      y += Rle.U8(Pos + 1);
      Pos += 2;
    } else {  // literal group, padded to an even byte count
      const uint64_t Bytes = Rle4 ? (Value + 1u) / 2 : Value;
      Rle.Need(Pos, Bytes);
      for (unsigned i = 0; i < Value && x < W; ++i) {
        const uint8_t B = R.Data()[Pos + (Rle4 ? i / 2 : i)];
        Put(Rle4 ? ((i & 1) ? B & 15 : B >> 4) : B);
      }
      Pos += (Bytes + 1) & ~uint64_t{1};
    }
  }
}

}  // namespace

TBmpHeader imgcodec::ParseBmpHeader(const TByteReader& R) {
  if (R.Size() < 2 || R.Data()[0] != 'B' || R.Data()[1] != 'M') throw EInvalidGraphic("Not a BMP file");
  TBmpHeader H;
  H.OffBits = R.U32LE(10);
  H.InfoSize = R.U32LE(14);
  switch (H.InfoSize) {
    case 12: case 16: case 40: case 52: case 56: case 64: case 108: case 124: break;
    default: throw EInvalidGraphic("Unsupported BMP header size " + std::to_string(H.InfoSize));
  }
  R.Need(kBmpFileHeaderSize, H.InfoSize);
  constexpr uint64_t I = kBmpFileHeaderSize;
  if (H.InfoSize == 12) {
    H.Core = true;
    H.Width = R.U16LE(I + 4);
    H.Height = R.U16LE(I + 6);
    H.BitCount = R.U16LE(I + 10);
  } else {
    H.OS2 = H.InfoSize == 16 || H.InfoSize == 64;
    H.Width = R.S32LE(I + 4);
    const int64_t Height = R.S32LE(I + 8);
    H.TopDown = Height < 0;
    H.Height = Height < 0 ? -Height : Height;
    H.BitCount = R.U16LE(I + 14);
    if (H.InfoSize >= 40) {
      H.Compression = R.U32LE(I + 16);
      H.SizeImage = R.U32LE(I + 20);
      H.ClrUsed = R.U32LE(I + 32);
    }
    if (H.InfoSize >= 52 && !H.OS2) {
      H.MasksInHeader = true;
      for (int i = 0; i < 3; ++i) H.Masks[i] = R.U32LE(I + 40 + 4 * i);
      if (H.InfoSize >= 56) H.Masks[3] = R.U32LE(I + 52);
    }
  }
  if (H.Width <= 0 || H.Height <= 0)
    throw EInvalidGraphic("Invalid BMP image size " + std::to_string(H.Width) + " x " + std::to_string(H.Height));
  return H;
}

TRawImage DecodeBmp(const uint8_t* Data, std::size_t Size) { return DecodeBmp(Data, Size, TCodecProgress{}); }

TRawImage DecodeBmp(const uint8_t* Data, std::size_t Size, const TCodecProgress& Progress) {
  const TByteReader R(Data, Size, kTruncated);
  const TBmpHeader H = ParseBmpHeader(R);

  switch (H.BitCount) {
    case 1: case 4: case 8: case 16: case 24: case 32: break;
    default: throw EInvalidGraphic("Unsupported BMP bit depth " + std::to_string(H.BitCount));
  }
  const uint32_t C = H.Compression;
  const bool Supported = C == kBiRgb || (C == kBiRle8 && H.BitCount == 8) || (C == kBiRle4 && H.BitCount == 4) ||
                         (!H.OS2 && (C == kBiBitFields || C == kBiAlphaBitFields) &&
                          (H.BitCount == 16 || H.BitCount == 32));
  if (!Supported)
    throw EInvalidGraphic("Unsupported BMP compression " + std::to_string(C) + " at " + std::to_string(H.BitCount) +
                          " bits per pixel");
  CheckDecodeSize(H.Width, H.Height, "BMP");
  if (H.OffBits != 0 && H.OffBits < kBmpFileHeaderSize + H.InfoSize)
    throw EInvalidGraphic("Invalid BMP pixel data offset " + std::to_string(H.OffBits));

  TLayout L;
  if (H.BitCount > 8) ReadMasks(R, H, L);
  ReadPalette(R, H, L);

  TRawImage Img;
  Img.Width = static_cast<int>(H.Width);
  Img.Height = static_cast<int>(H.Height);
  Img.SourceBitsPerPixel = H.BitCount;
  TProgressSteps Steps{&Progress};
  Steps.Report(0, 1);
  if (C == kBiRle8 || C == kBiRle4)
    DecodeRle(R, H, L, Img, Steps);
  else
    DecodeUncompressed(R, H, L, Img, Steps);
  Steps.Report(1, 1);
  return Img;
}

namespace {

// The classic 16-colour palette, used when a 4-bit image is written without one.
const std::vector<TColor>& DefaultPalette16() {
  static const std::vector<TColor> P = {
      0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
      0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
  };
  return P;
}

// For an 8-bit image written without a palette: its own colours when there
// are at most 256 of them, else a 6 x 6 x 6 colour cube.
std::vector<TColor> DefaultPalette256(const TRawImage& Image) {
  std::vector<TColor> P;
  std::unordered_map<TColor, int> Seen;
  for (TColor C : Image.Pixels) {
    C &= 0xFFFFFF;
    if (Seen.emplace(C, 0).second) {
      if (P.size() == 256) {
        P.clear();
        for (int b = 0; b < 6; ++b)
          for (int g = 0; g < 6; ++g)
            for (int r = 0; r < 6; ++r) P.push_back(RGBToColor(r * 51, g * 51, b * 51));
        return P;
      }
      P.push_back(C);
    }
  }
  return P;
}

// Nearest palette entry by squared RGB distance; the first of equals wins, so
// a colour that is in the palette maps to itself.
class TNearestEntry {
 public:
  explicit TNearestEntry(const std::vector<TColor>& Palette) : FPalette(Palette) {}
  uint8_t operator()(TColor C) {
    C &= 0xFFFFFF;
    if (C == FLastColor) return FLastIndex;  // runs of one colour are the common case
    FLastColor = C;
    auto It = FCache.find(C);
    if (It != FCache.end()) return FLastIndex = It->second;
    int Best = 0;
    int64_t BestDist = INT64_MAX;
    for (std::size_t i = 0; i < FPalette.size(); ++i) {
      const TColor P = FPalette[i];
      const int64_t dr = int{ColorR(C)} - ColorR(P), dg = int{ColorG(C)} - ColorG(P), db = int{ColorB(C)} - ColorB(P);
      const int64_t D = dr * dr + dg * dg + db * db;
      if (D < BestDist) BestDist = D, Best = static_cast<int>(i);
    }
    FCache.emplace(C, static_cast<uint8_t>(Best));
    return FLastIndex = static_cast<uint8_t>(Best);
  }

 private:
  const std::vector<TColor>& FPalette;
  TColor FLastColor = 0xFFFFFFFF;  // no pixel has this value after masking
  uint8_t FLastIndex = 0;
  std::unordered_map<TColor, uint8_t> FCache;
};

}  // namespace

std::vector<uint8_t> EncodeBmp(const TRawImage& Image, int BitsPerPixel, const std::vector<TColor>& Palette) {
  return EncodeBmp(Image, BitsPerPixel, Palette, TCodecProgress{});
}

std::vector<uint8_t> EncodeBmp(const TRawImage& Image, int BitsPerPixel, const std::vector<TColor>& Palette,
                               const TCodecProgress& Progress) {
  if (BitsPerPixel != 4 && BitsPerPixel != 8 && BitsPerPixel != 24 && BitsPerPixel != 32)
    throw EInvalidGraphic("Cannot write a BMP file with " + std::to_string(BitsPerPixel) + " bits per pixel");
  CheckEncodeImage(Image, "BMP");
  const uint64_t W = static_cast<uint64_t>(Image.Width), Ht = static_cast<uint64_t>(Image.Height);
  const uint64_t Stride = (W * BitsPerPixel + 31) / 32 * 4;

  std::vector<TColor> Pal;
  if (BitsPerPixel <= 8) {
    const std::size_t MaxEntries = std::size_t{1} << BitsPerPixel;
    if (Palette.size() > MaxEntries)
      throw EInvalidGraphic("BMP palette of " + std::to_string(Palette.size()) + " entries for " +
                            std::to_string(BitsPerPixel) + " bits per pixel");
    Pal = !Palette.empty() ? Palette : BitsPerPixel == 4 ? DefaultPalette16() : DefaultPalette256(Image);
  }
  const uint64_t OffBits = kBmpFileHeaderSize + 40 + 4 * Pal.size();
  const uint64_t FileSize = OffBits + Stride * Ht;
  if (FileSize > UINT32_MAX) throw EInvalidGraphic("Image too large for a BMP file");

  std::vector<uint8_t> Out;
  Out.reserve(static_cast<std::size_t>(FileSize));
  // BITMAPFILEHEADER
  Out.push_back('B');
  Out.push_back('M');
  PutU32LE(Out, static_cast<uint32_t>(FileSize));
  PutU32LE(Out, 0);
  PutU32LE(Out, static_cast<uint32_t>(OffBits));
  // BITMAPINFOHEADER, 2835 pixels per metre = 72 dpi
  PutU32LE(Out, 40);
  PutU32LE(Out, static_cast<uint32_t>(W));
  PutU32LE(Out, static_cast<uint32_t>(Ht));
  PutU16LE(Out, 1);
  PutU16LE(Out, static_cast<uint16_t>(BitsPerPixel));
  PutU32LE(Out, kBiRgb);
  PutU32LE(Out, static_cast<uint32_t>(Stride * Ht));
  PutU32LE(Out, 2835);
  PutU32LE(Out, 2835);
  PutU32LE(Out, static_cast<uint32_t>(Pal.size()));
  PutU32LE(Out, 0);
  for (TColor C : Pal) {
    Out.push_back(ColorB(C));
    Out.push_back(ColorG(C));
    Out.push_back(ColorR(C));
    Out.push_back(0);
  }

  TNearestEntry Nearest(Pal);
  TProgressSteps Steps{&Progress};
  Steps.Report(0, 1);
  for (uint64_t r = 0; r < Ht; ++r) {
    const TColor* Src = Image.Pixels.data() + (Ht - 1 - r) * W;  // bottom row first
    const std::size_t RowStart = Out.size();
    Out.resize(RowStart + Stride, 0);
    uint8_t* Row = Out.data() + RowStart;
    for (uint64_t x = 0; x < W; ++x) {
      const TColor C = Src[x];
      switch (BitsPerPixel) {
        case 4: Row[x / 2] |= (x & 1) ? Nearest(C) : static_cast<uint8_t>(Nearest(C) << 4); break;
        case 8: Row[x] = Nearest(C); break;
        case 24:
          Row[3 * x] = ColorB(C), Row[3 * x + 1] = ColorG(C), Row[3 * x + 2] = ColorR(C);
          break;
        case 32:
          Row[4 * x] = ColorB(C), Row[4 * x + 1] = ColorG(C), Row[4 * x + 2] = ColorR(C);
          break;
      }
    }
    Steps.Report(r + 1, Ht);
  }
  return Out;
}

}  // namespace orq
