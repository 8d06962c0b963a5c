// TBitmap's BMP files, through the BMP codec.
#include <algorithm>
#include <unordered_set>

#include "orqplatform/Bitmap.h"
#include "orqplatform/ImageCodecs.h"
#include "orqplatform/Streams.h"

namespace orq {
namespace {

std::vector<uint8_t> ReadRest(TStream* Stream) {
  const int64_t size = Stream->Size() - Stream->Position();
  std::vector<uint8_t> data(static_cast<size_t>(std::max<int64_t>(size, 0)));
  if (!data.empty()) Stream->ReadBuffer(data.data(), static_cast<int64_t>(data.size()));
  return data;
}

TPixelFormat FormatForDepth(int Bits) {
  switch (Bits) {
    case 1: return pf1bit;
    case 4: return pf4bit;
    case 8: return pf8bit;
    case 15:
    case 16: return pf15bit;
    case 32: return pf32bit;
    default: return pf24bit;
  }
}

// The bitmap's own colours when they fit into Limit entries, else the
// standard palette of the format.
std::vector<TColor> PaletteFor(const std::vector<uint32_t>& Pixels, size_t Limit, TPixelFormat Format) {
  std::unordered_set<TColor> seen;
  std::vector<TColor> own;
  for (uint32_t p : Pixels) {
    if (seen.insert(p).second) {
      own.push_back(p);
      if (own.size() > Limit) return TBitmap::StandardPalette(Format == pf1bit ? pf4bit : Format);
    }
  }
  std::sort(own.begin(), own.end());
  return own;
}

}  // namespace

void TBitmap::LoadFromStream(TStream* Stream) {
  std::vector<uint8_t> data = ReadRest(Stream);
  Progress(psStarting, 0, "");
  TRawImage image = DecodeBmp(data.data(), data.size());
  AdoptPixels(image.Width, image.Height, std::move(image.Pixels), FormatForDepth(image.SourceBitsPerPixel));
  Progress(psEnding, 100, "");
}

void TBitmap::SaveToStream(TStream* Stream) {
  Progress(psStarting, 0, "");
  TRawImage image;
  image.Width = FWidth;
  image.Height = FHeight;
  image.Pixels = FPixels;
  int bits = 24;
  std::vector<TColor> palette;
  switch (FPixelFormat) {
    case pf32bit: bits = 32; break;
    case pf8bit:
      bits = 8;
      palette = PaletteFor(FPixels, 256, pf8bit);
      break;
    case pf1bit:
    case pf4bit:
      bits = 4;
      palette = PaletteFor(FPixels, 16, pf4bit);
      break;
    default: break;
  }
  const std::vector<uint8_t> file = EncodeBmp(image, bits, palette);
  Stream->WriteBuffer(file.data(), static_cast<int64_t>(file.size()));
  Progress(psEnding, 100, "");
}

}  // namespace orq
