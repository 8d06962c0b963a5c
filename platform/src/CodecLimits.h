// Size limits shared by the decoders, checked from the header before any
// pixel memory is allocated.
#pragma once

#include <cstdint>
#include <string>

#include "orqplatform/ImageCodecs.h"

// Private to the codecs; kept out of namespace orq proper so that helper
// names cannot clash with those of other platform files.
namespace orq::imgcodec {

// Widest and tallest image any decoder accepts.
constexpr int64_t kMaxImageDimension = 65535;
// At most 2^28 pixels (1 GiB of TColor) per decoded image.
constexpr int64_t kMaxImagePixels = int64_t{1} << 28;

// Raises EInvalidGraphic unless 1 <= Width, Height <= kMaxImageDimension and
// Width * Height <= kMaxImagePixels. Format names the file type in the message.
inline void CheckDecodeSize(int64_t Width, int64_t Height, const char* Format) {
  if (Width <= 0 || Height <= 0)
    throw EInvalidGraphic(std::string("Invalid ") + Format + " image size " + std::to_string(Width) + " x " +
                          std::to_string(Height));
  if (Width > kMaxImageDimension || Height > kMaxImageDimension || Width * Height > kMaxImagePixels)
    throw EInvalidGraphic(std::string(Format) + " image too large to decode (" + std::to_string(Width) + " x " +
                          std::to_string(Height) + ")");
}

// Raises EInvalidGraphic unless Image is a non-empty image whose pixel array
// matches its size.
inline void CheckEncodeImage(const TRawImage& Image, const char* Format) {
  if (Image.Width <= 0 || Image.Height <= 0)
    throw EInvalidGraphic(std::string("Cannot write an empty image as ") + Format);
  if (static_cast<uint64_t>(Image.Pixels.size()) !=
      static_cast<uint64_t>(Image.Width) * static_cast<uint64_t>(Image.Height))
    throw EInvalidGraphic(std::string("Cannot write ") + Format + ": pixel array does not match the image size");
}

// Reports percentages, each at most once and in order.
struct TProgressSteps {
  const TCodecProgress* Callback = nullptr;
  int Last = -1;
  void Report(uint64_t Done, uint64_t Total) {
    if (!Callback || !*Callback || Total == 0) return;
    const int Percent = static_cast<int>(Done * 100 / Total);
    if (Percent != Last) {
      Last = Percent;
      (*Callback)(Percent);
    }
  }
};

inline TColor RGBToColor(uint32_t R, uint32_t G, uint32_t B) { return R | G << 8 | B << 16; }
inline uint8_t ColorR(TColor C) { return static_cast<uint8_t>(C); }
inline uint8_t ColorG(TColor C) { return static_cast<uint8_t>(C >> 8); }
inline uint8_t ColorB(TColor C) { return static_cast<uint8_t>(C >> 16); }

}  // namespace orq::imgcodec
