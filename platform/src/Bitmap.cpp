#include "orqplatform/Bitmap.h"

#include <algorithm>
#include <cstring>

#include "PixelFormats.h"
#include "orqplatform/Canvas.h"
#include "orqplatform/Exceptions.h"
#include "orqplatform/ImageCodecs.h"
#include "orqplatform/Streams.h"

namespace orq {

void TGraphic::LoadFromFile(const std::string& FileName) {
  TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&stream);
}

void TGraphic::SaveToFile(const std::string& FileName) {
  TFileStream stream(FileName, fmCreate);
  SaveToStream(&stream);
}

void TGraphic::Progress(TProgressStage Stage, int Percent, const std::string& Msg) {
  if (!FOnProgress) return;
  const auto p = static_cast<uint8_t>(std::clamp(Percent, 0, 100));
  FOnProgress(this, Stage, p, false, TRect{}, Msg);
}

TBitmap::TBitmap() : FCanvas(std::make_unique<TCanvas>(this)) {}
TBitmap::~TBitmap() = default;

void TBitmap::SetSize(int AWidth, int AHeight) {
  AWidth = std::max(AWidth, 0);
  AHeight = std::max(AHeight, 0);
  if (AWidth == FWidth && AHeight == FHeight) return;
  const size_t count = static_cast<size_t>(AWidth) * static_cast<size_t>(AHeight);
  std::vector<uint32_t> pixels(count, Quantize(clWhite));
  const int w = std::min(AWidth, FWidth), h = std::min(AHeight, FHeight);
  for (int y = 0; y < h && w > 0; ++y)
    std::memcpy(pixels.data() + static_cast<size_t>(y) * AWidth, FPixels.data() + static_cast<size_t>(y) * FWidth,
                w * sizeof(uint32_t));
  FPixels.swap(pixels);
  FWidth = AWidth;
  FHeight = AHeight;
}

void TBitmap::SetPixelFormat(TPixelFormat Value) {
  if (Value == FPixelFormat) return;
  FPixelFormat = Value;
  for (int y = 0; y < FHeight; ++y) QuantizeRow(ScanLine(y), FWidth);
}

void TBitmap::RowOutOfRange() { throw EInvalidGraphic("Scan line index out of range"); }

void TBitmap::QuantizeRow(uint32_t* Row, int Count) const { raster::QuantizeRow(Row, static_cast<size_t>(Count), FPixelFormat); }
TColor TBitmap::Quantize(TColor Color) const { return raster::Quantize(Color, FPixelFormat); }
const std::vector<TColor>& TBitmap::StandardPalette(TPixelFormat Format) { return raster::StandardPalette(Format); }

void TBitmap::AdoptPixels(int AWidth, int AHeight, std::vector<uint32_t>&& Pixels, TPixelFormat Format) {
  if (AWidth < 0 || AHeight < 0 || Pixels.size() != static_cast<size_t>(AWidth) * static_cast<size_t>(AHeight))
    throw EInvalidGraphic("Bitmap size does not match its pixels");
  FWidth = AWidth;
  FHeight = AHeight;
  FPixels = std::move(Pixels);
  FPixelFormat = Format;
  for (uint32_t& p : FPixels) p &= 0xFFFFFF;
}

void TBitmap::Assign(TPersistent* Source) {
  if (Source == nullptr) {
    SetSize(0, 0);
    return;
  }
  if (auto* other = dynamic_cast<TBitmap*>(Source)) {
    if (other == this) return;
    std::vector<uint32_t> copy = other->FPixels;
    AdoptPixels(other->FWidth, other->FHeight, std::move(copy), other->FPixelFormat);
    return;
  }
  TGraphic::Assign(Source);
}

void TBitmap::AssignTo(TPersistent* Dest) {
  if (auto* other = dynamic_cast<TBitmap*>(Dest)) {
    other->Assign(this);
    return;
  }
  TGraphic::AssignTo(Dest);
}

}  // namespace orq
