#include "orqplatform/JPEGImage.h"

#include <algorithm>

#include "orqplatform/ImageCodecs.h"
#include "orqplatform/Streams.h"

namespace orq {

void TJPEGImage::SetCompressionQuality(int Value) { FQuality = std::clamp(Value, 1, 100); }

void TJPEGImage::LoadFromStream(TStream* Stream) {
  const int64_t size = std::max<int64_t>(Stream->Size() - Stream->Position(), 0);
  std::vector<uint8_t> data(static_cast<size_t>(size));
  if (size > 0) Stream->ReadBuffer(data.data(), size);
  Progress(psStarting, 0, "");
  TRawImage image = DecodeJpeg(data.data(), data.size(), [this](int Percent) { Progress(psRunning, Percent, ""); });
  FWidth = image.Width;
  FHeight = image.Height;
  FPixels = std::move(image.Pixels);
  Progress(psEnding, 100, "");
}

void TJPEGImage::SaveToStream(TStream* Stream) {
  if (FWidth <= 0 || FHeight <= 0) throw EInvalidGraphic("Cannot save an empty JPEG image");
  Progress(psStarting, 0, "");
  TRawImage image;
  image.Width = FWidth;
  image.Height = FHeight;
  image.Pixels = FPixels;
  const std::vector<uint8_t> file =
      EncodeJpeg(image, FQuality, [this](int Percent) { Progress(psRunning, Percent, ""); });
  Stream->WriteBuffer(file.data(), static_cast<int64_t>(file.size()));
  Progress(psEnding, 100, "");
}

void TJPEGImage::Assign(TPersistent* Source) {
  if (Source == nullptr) {
    FWidth = FHeight = 0;
    FPixels.clear();
    return;
  }
  if (auto* bmp = dynamic_cast<TBitmap*>(Source)) {
    FWidth = bmp->Width();
    FHeight = bmp->Height();
    FPixels = bmp->PixelData();
    return;
  }
  if (auto* jpeg = dynamic_cast<TJPEGImage*>(Source)) {
    if (jpeg == this) return;
    FWidth = jpeg->FWidth;
    FHeight = jpeg->FHeight;
    FPixels = jpeg->FPixels;
    FQuality = jpeg->FQuality;
    return;
  }
  TGraphic::Assign(Source);
}

void TJPEGImage::AssignTo(TPersistent* Dest) {
  if (auto* bmp = dynamic_cast<TBitmap*>(Dest)) {
    std::vector<uint32_t> copy = FPixels;
    bmp->AdoptPixels(FWidth, FHeight, std::move(copy), pf24bit);
    return;
  }
  TGraphic::AssignTo(Dest);
}

}  // namespace orq
