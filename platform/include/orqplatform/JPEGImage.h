// TJPEGImage: a picture held as decoded pixels that loads and saves JPEG
// files (libjpeg-turbo) and assigns to and from TBitmap.
#pragma once

#include <string>
#include <vector>

#include "orqplatform/Bitmap.h"

namespace orq {

class TJPEGImage : public TGraphic {
 public:
  std::string ClassName() const override { return "TJPEGImage"; }

  int Width() const override { return FWidth; }
  int Height() const override { return FHeight; }

  // 1..100 (values outside are clamped); used by SaveToFile/SaveToStream.
  int CompressionQuality() const { return FQuality; }
  void SetCompressionQuality(int Value);

  // Raise EInvalidGraphic for data that is not a readable JPEG image.
  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) override;

  // From a TBitmap (its pixels) or another TJPEGImage; nullptr empties it.
  void Assign(TPersistent* Source) override;
  // To a TBitmap: the pixels, as pf24bit.
  void AssignTo(TPersistent* Dest) override;

  const std::vector<uint32_t>& PixelData() const { return FPixels; }

 private:
  int FWidth = 0;
  int FHeight = 0;
  int FQuality = 90;
  std::vector<uint32_t> FPixels;
};

}  // namespace orq
