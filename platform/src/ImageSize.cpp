// Format detection, header-only size reading, and decoding by signature. The file variant reads a
// small prefix for BMP and PNG and walks the JPEG markers with seeks, so a
// huge image costs a few reads, never its pixel data.
#include <algorithm>
#include <cstring>
#include <memory>

#include "BmpHeader.h"
#include "ByteReader.h"
#include "orqplatform/ImageCodecs.h"
#include "orqplatform/Streams.h"

namespace orq {

using namespace imgcodec;

namespace {

constexpr uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// Random access to the bytes of an image, from memory or from a stream.
class TByteSource {
 public:
  virtual ~TByteSource() = default;
  virtual uint64_t Size() const = 0;
  // Copies up to Count bytes from Offset; returns how many were available.
  virtual std::size_t ReadAt(uint64_t Offset, uint8_t* Buffer, std::size_t Count) = 0;
};

class TMemorySource : public TByteSource {
 public:
  TMemorySource(const uint8_t* Data, std::size_t Size) : FData(Data), FSize(Data ? Size : 0) {}
  uint64_t Size() const override { return FSize; }
  std::size_t ReadAt(uint64_t Offset, uint8_t* Buffer, std::size_t Count) override {
    if (Offset >= FSize) return 0;
    const std::size_t N = static_cast<std::size_t>(std::min<uint64_t>(Count, FSize - Offset));
    std::memcpy(Buffer, FData + Offset, N);
    return N;
  }

 private:
  const uint8_t* FData;
  std::size_t FSize;
};

// The bytes of a stream from Base on.
class TStreamSource : public TByteSource {
 public:
  TStreamSource(TStream& Stream, int64_t Base)
      : FStream(Stream), FBase(Base), FSize(static_cast<uint64_t>(std::max<int64_t>(Stream.Size() - Base, 0))) {}
  uint64_t Size() const override { return FSize; }
  std::size_t ReadAt(uint64_t Offset, uint8_t* Buffer, std::size_t Count) override {
    if (Offset >= FSize) return 0;
    FStream.Seek(FBase + static_cast<int64_t>(Offset), soBeginning);
    const int64_t N = FStream.Read(Buffer, static_cast<int64_t>(Count));
    return N > 0 ? static_cast<std::size_t>(N) : 0;
  }

 private:
  TStream& FStream;
  int64_t FBase;
  uint64_t FSize;
};

// Byte-wise access through a small window, for the marker walk.
class TWindowReader {
 public:
  explicit TWindowReader(TByteSource& Source) : FSource(Source) {}
  // The byte at Offset; raises "JPEG file truncated" past the end.
  uint8_t At(uint64_t Offset) {
    if (Offset < FStart || Offset >= FStart + FFilled) {
      FStart = Offset;
      FFilled = FSource.ReadAt(Offset, FWindow, sizeof FWindow);
      if (FFilled == 0) throw EInvalidGraphic("JPEG file truncated");
    }
    return FWindow[Offset - FStart];
  }
  uint16_t U16BE(uint64_t Offset) { return static_cast<uint16_t>(At(Offset) << 8 | At(Offset + 1)); }

 private:
  TByteSource& FSource;
  uint8_t FWindow[4096];
  uint64_t FStart = 0;
  std::size_t FFilled = 0;
};

TImageSize CheckedSize(int64_t Width, int64_t Height, const char* Format) {
  if (Width <= 0 || Height <= 0 || Width > INT32_MAX || Height > INT32_MAX)
    throw EInvalidGraphic(std::string("Invalid ") + Format + " image size " + std::to_string(Width) + " x " +
                          std::to_string(Height));
  return TImageSize{static_cast<int>(Width), static_cast<int>(Height)};
}

TImageSize BmpSize(TByteSource& Source) {
  uint8_t Head[kBmpFileHeaderSize + 124];
  const std::size_t N = Source.ReadAt(0, Head, sizeof Head);
  const TBmpHeader H = ParseBmpHeader(TByteReader(Head, N, "BMP file truncated"));
  return CheckedSize(H.Width, H.Height, "BMP");
}

TImageSize PngSize(TByteSource& Source) {
  uint8_t Head[24];
  const std::size_t N = Source.ReadAt(0, Head, sizeof Head);
  const TByteReader R(Head, N, "PNG file truncated");
  R.Need(0, sizeof Head);
  if (R.U32BE(8) != 13 || std::memcmp(Head + 12, "IHDR", 4) != 0)
    throw EInvalidGraphic("Invalid PNG file: IHDR chunk missing");
  return CheckedSize(R.U32BE(16), R.U32BE(20), "PNG");
}

// Walks the markers from SOI to the first frame header (SOF0..SOF15 except
// DHT, JPG and DAC), skipping segments by their length.
TImageSize JpegSize(TByteSource& Source) {
  TWindowReader R(Source);
  if (R.At(0) != 0xFF || R.At(1) != 0xD8) throw EInvalidGraphic("Not a JPEG file");
  // Stray and fill bytes between segments are tolerated, but only so many.
  constexpr int kMaxSegments = 100000;
  constexpr uint64_t kMaxStrayBytes = 65536;
  uint64_t Pos = 2, Stray = 0;
  for (int Segment = 0; Segment < kMaxSegments; ++Segment) {
    if (R.At(Pos) != 0xFF) {
      if (++Stray > kMaxStrayBytes) throw EInvalidGraphic("Invalid JPEG file: no marker found");
      ++Pos;
      continue;
    }
    ++Pos;
    while (R.At(Pos) == 0xFF) {  // fill bytes
      if (++Stray > kMaxStrayBytes) throw EInvalidGraphic("Invalid JPEG file: no marker found");
      ++Pos;
    }
    const uint8_t M = R.At(Pos++);
    if (M == 0x00) continue;  // a stuffed zero outside entropy data: stray
    if (M == 0x01 || M == 0xD8 || (M >= 0xD0 && M <= 0xD7)) continue;  // markers without a segment
    if (M == 0xD9 || M == 0xDA) throw EInvalidGraphic("Invalid JPEG file: no frame header before the image data");
    const uint16_t Length = R.U16BE(Pos);
    if (Length < 2) throw EInvalidGraphic("Invalid JPEG file: bad segment length");
    if (M >= 0xC0 && M <= 0xCF && M != 0xC4 && M != 0xC8 && M != 0xCC) {
      if (Length < 8) throw EInvalidGraphic("Invalid JPEG file: short frame header");
      const uint16_t Height = R.U16BE(Pos + 3), Width = R.U16BE(Pos + 5);
      if (Height == 0) throw EInvalidGraphic("Unsupported JPEG file: image height defined after the frame header");
      return CheckedSize(Width, Height, "JPEG");
    }
    Pos += Length;
  }
  throw EInvalidGraphic("Invalid JPEG file: too many segments before the frame header");
}

TImageSize SizeFromSource(TByteSource& Source) {
  uint8_t Head[8];
  const std::size_t N = Source.ReadAt(0, Head, sizeof Head);
  switch (DetectImageFormat(Head, N)) {
    case TImageFileFormat::Bmp: return BmpSize(Source);
    case TImageFileFormat::Png: return PngSize(Source);
    case TImageFileFormat::Jpeg: return JpegSize(Source);
    case TImageFileFormat::Unknown: break;
  }
  throw EInvalidGraphic("Unknown image file format");
}

}  // namespace

TImageFileFormat DetectImageFormat(const uint8_t* Data, std::size_t Size) {
  if (!Data) return TImageFileFormat::Unknown;
  if (Size >= 2 && Data[0] == 'B' && Data[1] == 'M') return TImageFileFormat::Bmp;
  if (Size >= 3 && Data[0] == 0xFF && Data[1] == 0xD8 && Data[2] == 0xFF) return TImageFileFormat::Jpeg;
  if (Size >= 8 && std::memcmp(Data, kPngSignature, 8) == 0) return TImageFileFormat::Png;
  return TImageFileFormat::Unknown;
}

TRawImage DecodeImage(const uint8_t* Data, std::size_t Size, const TCodecProgress& Progress) {
  switch (DetectImageFormat(Data, Size)) {
    case TImageFileFormat::Bmp: return DecodeBmp(Data, Size, Progress);
    case TImageFileFormat::Jpeg: return DecodeJpeg(Data, Size, Progress);
    case TImageFileFormat::Png: return DecodePng(Data, Size);
    case TImageFileFormat::Unknown: break;
  }
  throw EInvalidGraphic("Unknown image file format");
}

TImageSize ReadImageSize(const uint8_t* Data, std::size_t Size) {
  TMemorySource Source(Data, Size);
  return SizeFromSource(Source);
}

TImageSize ReadImageSize(const std::string& FileName) {
  TFileStream Stream(FileName, fmOpenRead | fmShareDenyWrite);
  TStreamSource Source(Stream, 0);
  return SizeFromSource(Source);
}

TImageSize ReadImageSize(TStream* Stream) {
  if (!Stream) throw EInvalidGraphic("No stream to read an image size from");
  const int64_t Start = Stream->Position();
  TStreamSource Source(*Stream, Start);
  try {
    const TImageSize Size = SizeFromSource(Source);
    Stream->SetPosition(Start);
    return Size;
  } catch (...) {
    Stream->SetPosition(Start);
    throw;
  }
}

}  // namespace orq
