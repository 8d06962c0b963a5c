#include "orqplatform/PictureFiles.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "orqplatform/Bitmap.h"
#include "orqplatform/Exceptions.h"
#include "orqplatform/FileUtils.h"
#include "orqplatform/ImageCodecs.h"
#include "orqplatform/Streams.h"

namespace orq {

namespace {

TRawImage TopLeftPart(const TBitmap& Bitmap, int Width, int Height) {
  TRawImage image;
  image.Width = Width;
  image.Height = Height;
  image.Pixels.resize(static_cast<size_t>(Width) * Height);
  for (int y = 0; y < Height; ++y) {
    const uint32_t* row = Bitmap.ScanLine(y);
    std::copy(row, row + Width, image.Pixels.begin() + static_cast<ptrdiff_t>(y) * Width);
  }
  return image;
}

void WriteWholeFile(const std::string& FileName, const std::vector<uint8_t>& Bytes) {
  std::ofstream out(FileName, std::ios::binary | std::ios::trunc);
  if (out) out.write(reinterpret_cast<const char*>(Bytes.data()), static_cast<std::streamsize>(Bytes.size()));
  if (out) out.close();
  if (!out) {
    std::remove(FileName.c_str());
    throw EFCreateError("Cannot create file \"" + FileName + "\"");
  }
}

}  // namespace

void SavePictureFile(const TBitmap& Bitmap, const std::string& FileName, int Width, int Height, int JpegQuality) {
  if (Width < 1 || Width > Bitmap.Width()) Width = Bitmap.Width();
  if (Height < 1 || Height > Bitmap.Height()) Height = Bitmap.Height();
  if (Width < 1 || Height < 1) throw EInvalidGraphic("Cannot write an empty picture to \"" + FileName + "\"");
  const std::string ext = LowerCase(ExtractFileExt(FileName));
  const TRawImage image = TopLeftPart(Bitmap, Width, Height);
  if (ext == ".png") {
    WriteWholeFile(FileName, EncodePng(image));
  } else if (ext == ".jpg" || ext == ".jpeg") {
    WriteWholeFile(FileName, EncodeJpeg(image, JpegQuality));
  } else if (ext == ".bmp") {
    TBitmap part;
    part.AdoptPixels(Width, Height, std::vector<uint32_t>(image.Pixels), Bitmap.PixelFormat());
    TMemoryStream stream;
    part.SaveToStream(&stream);
    const auto* bytes = static_cast<const uint8_t*>(stream.Memory());
    WriteWholeFile(FileName, std::vector<uint8_t>(bytes, bytes + stream.Size()));
  } else {
    throw EInvalidGraphic("Unknown picture file extension \"" + ext + "\" (use .png, .bmp or .jpg)");
  }
}

}  // namespace orq
