// TGraphic, the base of pictures that load and save themselves, and TBitmap,
// a 32-bit pixel surface with a pixel format that quantises what is stored.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "orqplatform/Components.h"
#include "orqplatform/GraphicsTypes.h"

namespace orq {

class TCanvas;
class TStream;

class TGraphic : public TPersistent {
 public:
  std::string ClassName() const override { return "TGraphic"; }

  virtual int Width() const = 0;
  virtual int Height() const = 0;
  bool Empty() const { return Width() <= 0 || Height() <= 0; }

  // Files go through the stream operations; failures to open raise
  // EFOpenError / EFCreateError, bad contents EInvalidGraphic.
  virtual void LoadFromFile(const std::string& FileName);
  virtual void SaveToFile(const std::string& FileName);
  // Reads from the stream's position to its end.
  virtual void LoadFromStream(TStream* Stream) = 0;
  virtual void SaveToStream(TStream* Stream) = 0;

  const TProgressEvent& OnProgress() const { return FOnProgress; }
  void SetOnProgress(TProgressEvent Handler) { FOnProgress = std::move(Handler); }

 protected:
  void Progress(TProgressStage Stage, int Percent, const std::string& Msg);

 private:
  TProgressEvent FOnProgress;
};

class TBitmap : public TGraphic {
 public:
  TBitmap();
  ~TBitmap() override;
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;

  std::string ClassName() const override { return "TBitmap"; }

  int Width() const override { return FWidth; }
  int Height() const override { return FHeight; }
  // Resizing keeps the pixels of the common top-left part; new pixels are
  // white. Negative sizes count as 0.
  void SetWidth(int Value) { SetSize(Value, FHeight); }
  void SetHeight(int Value) { SetSize(FWidth, Value); }
  void SetSize(int AWidth, int AHeight);

  TPixelFormat PixelFormat() const { return FPixelFormat; }
  // Quantises every stored pixel to the new format (see TPixelFormat).
  void SetPixelFormat(TPixelFormat Value);

  TCanvas* Canvas() { return FCanvas.get(); }

  // Row Row of the surface: Width() pixels as TColor (the top byte is 0).
  // Writers must keep the pixels quantised (QuantizeRow) for palette formats.
  // A row outside 0..Height()-1 raises EInvalidGraphic.
  uint32_t* ScanLine(int Row) {
    if (Row < 0 || Row >= FHeight) RowOutOfRange();
    return FPixels.data() + static_cast<size_t>(Row) * FWidth;
  }
  const uint32_t* ScanLine(int Row) const {
    if (Row < 0 || Row >= FHeight) RowOutOfRange();
    return FPixels.data() + static_cast<size_t>(Row) * FWidth;
  }

  // Brings a row of colours to what this bitmap's format can hold.
  void QuantizeRow(uint32_t* Row, int Count) const;
  TColor Quantize(TColor Color) const;
  // The fixed palette of pf1bit, pf4bit and pf8bit; empty for other formats.
  static const std::vector<TColor>& StandardPalette(TPixelFormat Format);

  // From another TBitmap (a copy of pixels and format) or anything that can
  // assign itself to a bitmap (TJPEGImage); nullptr empties the bitmap.
  void Assign(TPersistent* Source) override;
  void AssignTo(TPersistent* Dest) override;

  // BMP files only. Loading adopts the file's pixels exactly (palette
  // images keep their own colours) and sets PixelFormat from the file's bit
  // depth (16-bit files become pf15bit). Saving writes 24 bits a pixel for
  // pf15bit/pf16bit/pf24bit/pfDevice, 32 for pf32bit, 8 for pf8bit and 4 for
  // pf4bit and pf1bit; a palette image gets the bitmap's own colours as its
  // palette when they fit, the format's standard palette otherwise.
  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) override;

  // Replaces size and pixels without quantising them (decoders, Assign).
  void AdoptPixels(int AWidth, int AHeight, std::vector<uint32_t>&& Pixels, TPixelFormat Format);
  const std::vector<uint32_t>& PixelData() const { return FPixels; }

 private:
  // Kept out of line so that ScanLine inlines into pixel loops.
  [[noreturn]] static void RowOutOfRange();
  int FWidth = 0;
  int FHeight = 0;
  TPixelFormat FPixelFormat = pfDevice;
  std::vector<uint32_t> FPixels;
  std::unique_ptr<TCanvas> FCanvas;
};

}  // namespace orq
