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
// top row first. Pixels carry no alpha: decoders leave the high byte 0 (BMP
// alpha channels are ignored, PNG transparency is composited on white) and
// encoders ignore it.
struct TRawImage {
  int Width = 0;
  int Height = 0;
  std::vector<TColor> Pixels;
  // Bits per pixel the file stored (1, 4, 8, 16, 24, 32). BMP: the file's
  // depth. PNG: palette and grey images their depth (2-bit as 4, 16-bit grey
  // as 24), colour 24, colour or grey with alpha 32. JPEG: 8 for grey, else 24.
  int SourceBitsPerPixel = 24;
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
// that a caller can refuse an oversized image before allocating for it. The
// size is reported as the header states it (each side 1..2^31-1; compute
// Width * Height in 64 bits), even beyond what the decoders accept.
// Raises EInvalidGraphic for an unknown or corrupt header, EFOpenError when
// the file cannot be opened. The file variant reads only the headers.
TImageSize ReadImageSize(const std::string& FileName);
TImageSize ReadImageSize(const uint8_t* Data, std::size_t Size);
// From Stream's current position, which is restored afterwards.
TImageSize ReadImageSize(TStream* Stream);

// Every decoder refuses images wider or taller than 65535 pixels or with more
// than 2^28 pixels, and files far too small for the size they declare,
// before allocating for them.

// 1/4/8/16/24/32 bits per pixel, bottom-up or top-down, uncompressed, bit
// fields or RLE4/RLE8. Palette indexes past the file's palette give black;
// pixels an RLE file leaves out take palette entry 0. An RLE file may describe
// at most 4096 pixels per byte of data beyond its first megapixel.
TRawImage DecodeBmp(const uint8_t* Data, std::size_t Size);
// The same, reporting progress 0..100 by rows.
TRawImage DecodeBmp(const uint8_t* Data, std::size_t Size, const TCodecProgress& Progress);
// BitsPerPixel 24 or 32 writes true colour; 4 or 8 writes a palette image
// with Palette (at most 16 or 256 entries); each pixel takes the nearest
// palette entry (the first of equally near ones). An empty Palette means the
// 16 classic colours for 4 bits, and for 8 bits the image's own colours when
// there are at most 256, else a 6 x 6 x 6 colour cube. Empty images (0 pixels)
// cannot be written.
std::vector<uint8_t> EncodeBmp(const TRawImage& Image, int BitsPerPixel, const std::vector<TColor>& Palette = {});
std::vector<uint8_t> EncodeBmp(const TRawImage& Image, int BitsPerPixel, const std::vector<TColor>& Palette,
                               const TCodecProgress& Progress);

// Decodes by the signature (DetectImageFormat); EInvalidGraphic for an
// unknown format. Progress is reported for BMP and JPEG.
TRawImage DecodeImage(const uint8_t* Data, std::size_t Size, const TCodecProgress& Progress = {});

// Greyscale, colour and CMYK/YCCK files, sequential or progressive. A file
// cut inside its image data raises EInvalidGraphic ("JPEG file truncated");
// one that lacks only its end marker, or a progressive file cut between two
// scans, gives the picture it holds. Progress goes from 0 to 100 with the
// output rows.
TRawImage DecodeJpeg(const uint8_t* Data, std::size_t Size, const TCodecProgress& Progress = {});
// Quality 1..100; values outside are clamped.
std::vector<uint8_t> EncodeJpeg(const TRawImage& Image, int Quality, const TCodecProgress& Progress = {});

struct TJpegWriteOptions {
  int Quality = 75;          // 1..100, clamped
  bool Progressive = false;  // progressive instead of baseline sequential
  bool Grayscale = false;    // one grey channel (luminance) instead of colour
};
std::vector<uint8_t> EncodeJpeg(const TRawImage& Image, const TJpegWriteOptions& Options,
                                const TCodecProgress& Progress = {});

// A JPEG file decoded a band of rows at a time, for scans too large to hold
// whole: only the rows asked for are ever converted to pixels. A baseline
// (sequential) file keeps libjpeg's memory to a few rows of blocks; a
// progressive one needs its whole coefficient buffer, so it is refused above
// 2^28 pixels. Sides up to 65500 (JPEG's own limit); no pixel-count limit for
// sequential files. Raises EFOpenError when the file cannot be opened,
// EInvalidGraphic for a file that is not a readable JPEG, from the reading
// calls too when the data turn out corrupt or truncated; after that the
// reader refuses further reads.
class TJpegRowReader {
 public:
  explicit TJpegRowReader(const std::string& FileName);
  ~TJpegRowReader();
  TJpegRowReader(const TJpegRowReader&) = delete;
  TJpegRowReader& operator=(const TJpegRowReader&) = delete;

  int Width() const;
  int Height() const;
  // 8 for grey, else 24, as DecodeJpeg reports it.
  int SourceBitsPerPixel() const;
  // Rows delivered or skipped so far (the next row to come).
  int NextRow() const;
  // Decodes the next rows, at most Count, into Rows (resized to rows x
  // Width, top row first); returns how many (0 past the last row).
  int ReadRows(int Count, std::vector<TColor>& Rows);
  // Passes over the next rows without producing them; returns how many.
  int SkipRows(int Count);

 private:
  struct TState;
  TState* F;
};

// A JPEG file written a row at a time (baseline, YCbCr or grey), so that a
// picture is never held whole. Close must follow the last row; a writer
// destroyed before that removes its partial file. Raises EFCreateError when
// the file cannot be created, EInvalidGraphic for a bad size or a failing
// write.
class TJpegRowWriter {
 public:
  TJpegRowWriter(const std::string& FileName, int Width, int Height, const TJpegWriteOptions& Options);
  ~TJpegRowWriter();
  TJpegRowWriter(const TJpegRowWriter&) = delete;
  TJpegRowWriter& operator=(const TJpegRowWriter&) = delete;

  // The next row: Width pixels.
  void WriteRow(const TColor* Row);
  // After Height rows: completes and closes the file.
  void Close();

 private:
  struct TState;
  TState* F;
};

// Every PNG colour type and depth, interlaced or not; alpha and tRNS
// transparency are composited on white. Chunks after the image data are not
// read, so a file cut after its last IDAT still decodes.
TRawImage DecodePng(const uint8_t* Data, std::size_t Size);
// 8-bit RGB.
std::vector<uint8_t> EncodePng(const TRawImage& Image);

}  // namespace orq
