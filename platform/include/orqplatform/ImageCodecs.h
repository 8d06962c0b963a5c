// Image file codecs below TBitmap and TJPEGImage: BMP (our own), JPEG
// (libjpeg-turbo) and PNG (libpng). They work on decoded pixel arrays so that
// the graphics classes and the file formats stay independent. Every decoder
// checks sizes against the data it was given: a corrupt or truncated file
// raises EInvalidGraphic, never reads out of bounds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "orqplatform/Exceptions.h"
#include "orqplatform/Types.h"

namespace orq {

class TStream;

class EInvalidGraphic : public Exception {
 public:
  using Exception::Exception;
};

// A decoded image: Width x Height pixels as TColor (0x00BBGGRR), row-major,
// top row first.
struct TRawImage {
  int Width = 0;
  int Height = 0;
  std::vector<TColor> Pixels;
  int SourceBitsPerPixel = 24;  // bits per pixel the file stored (1, 4, 8, 16, 24, 32)
};

enum class TImageFileFormat { Unknown, Bmp, Jpeg, Png };

struct TImageSize {
  int Width = 0;
  int Height = 0;
};

// Called with a percentage 0..100 while a large image is decoded or encoded.
using TCodecProgress = std::function<void(int Percent)>;

// The format from the first bytes (signature), not from the file name.
TImageFileFormat DetectImageFormat(const uint8_t* Data, std::size_t Size);

// Width and height from the file header only, without decoding pixels, so
// that a caller can refuse an oversized image before allocating for it.
// Raises EInvalidGraphic for an unknown or corrupt header, EFOpenError when
// the file cannot be opened.
TImageSize ReadImageSize(const std::string& FileName);
TImageSize ReadImageSize(const uint8_t* Data, std::size_t Size);

TRawImage DecodeBmp(const uint8_t* Data, std::size_t Size);
// BitsPerPixel 24 or 32 writes true colour; 4 or 8 writes a palette image
// with Palette (at most 16 or 256 entries); each pixel takes the nearest
// palette entry.
std::vector<uint8_t> EncodeBmp(const TRawImage& Image, int BitsPerPixel, const std::vector<TColor>& Palette = {});

TRawImage DecodeJpeg(const uint8_t* Data, std::size_t Size, const TCodecProgress& Progress = {});
// Quality 1..100.
std::vector<uint8_t> EncodeJpeg(const TRawImage& Image, int Quality, const TCodecProgress& Progress = {});

TRawImage DecodePng(const uint8_t* Data, std::size_t Size);
std::vector<uint8_t> EncodePng(const TRawImage& Image);

}  // namespace orq
