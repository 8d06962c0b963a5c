// Helpers of the map image tests: scratch directories, hand-made image
// headers and pixel counting.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "orqcarta/Orq_GeoMap.h"
#include "orqplatform/JPEGImage.h"

namespace orq {

// A fresh directory for one test, removed with its contents afterwards.
class TImageScratchDir {
 public:
  TImageScratchDir() {
    static int serial = 0;
    FPath = std::filesystem::temp_directory_path() /
            ("orq_geomapimages_" + std::to_string(::getpid()) + "_" + std::to_string(++serial));
    std::filesystem::create_directories(FPath);
  }
  ~TImageScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(FPath, ec);
  }
  std::string File(const std::string& Name) const { return (FPath / Name).string(); }
  std::string Path() const { return FPath.string() + "/"; }

 private:
  std::filesystem::path FPath;
};

inline std::string ReadFileBytes(const std::string& FileName) {
  std::ifstream in(FileName, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The start of a baseline JPEG up to its frame header: enough for the size,
// nothing a decoder could decode.
inline void WriteJpegHeaderOnly(const std::string& FileName, int Width, int Height) {
  const unsigned char bytes[] = {0xFF, 0xD8,                                      // SOI
                                 0xFF, 0xC0, 0x00, 0x11, 0x08,                    // SOF0, length 17, 8 bits
                                 static_cast<unsigned char>(Height >> 8), static_cast<unsigned char>(Height),
                                 static_cast<unsigned char>(Width >> 8), static_cast<unsigned char>(Width),
                                 0x03, 0x01, 0x22, 0x00, 0x02, 0x11, 0x01, 0x03, 0x11, 0x01,
                                 0xFF, 0xD9};  // EOI
  std::ofstream(FileName, std::ios::binary).write(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

// A real JPEG of the size, a colour ramp so that it is not trivially flat.
inline void WriteJpeg(const std::string& FileName, int Width, int Height) {
  TBitmap bmp;
  bmp.SetPixelFormat(pf24bit);
  bmp.SetSize(Width, Height);
  for (int y = 0; y < Height; ++y) {
    uint32_t* row = bmp.ScanLine(y);
    for (int x = 0; x < Width; ++x) row[x] = static_cast<uint32_t>((x & 0xFF) | ((y & 0xFF) << 8));
  }
  TJPEGImage jpeg;
  jpeg.Assign(&bmp);
  jpeg.SaveToFile(FileName);
}

inline void WriteBmp(const std::string& FileName, int Width, int Height, TColor Color) {
  TBitmap bmp;
  bmp.SetPixelFormat(pf24bit);
  bmp.SetSize(Width, Height);
  bmp.Canvas()->Brush.Color = Color;
  bmp.Canvas()->Pen.Color = Color;
  bmp.Canvas()->Rectangle(0, 0, Width, Height);
  bmp.SaveToFile(FileName);
}

inline TColor PixelAt(TBitmap* Bmp, int X, int Y) { return Bmp->ScanLine(Y)[X] & 0xFFFFFF; }

// Pixels of Color on row Y from X1 to X2 inclusive.
inline int CountInRow(TBitmap* Bmp, int Y, int X1, int X2, TColor Color) {
  int n = 0;
  for (int x = X1; x <= X2; ++x) n += PixelAt(Bmp, x, Y) == Color;
  return n;
}

inline int CountInColumn(TBitmap* Bmp, int X, int Y1, int Y2, TColor Color) {
  int n = 0;
  for (int y = Y1; y <= Y2; ++y) n += PixelAt(Bmp, X, y) == Color;
  return n;
}

inline std::string PixelLimitMessage(const std::string& Component, int W, int H) {
  return "Component \"" + Component + "\": Cannot use map image, maximum of 3000000 pixels exceeded (size of map is " +
         std::to_string(W) + " x " + std::to_string(H) + ")";
}

}  // namespace orq
