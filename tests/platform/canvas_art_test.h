// Shared by the graphics tests: pictures of small surfaces as text rows, so
// that expected pixel sets read as what they draw.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "orqplatform/Bitmap.h"
#include "orqplatform/Canvas.h"

namespace orq::testart {

// One string per row of Bmp: '.' for Background, the mapped character for
// known colours, '?' for anything else.
inline std::vector<std::string> Art(TBitmap& Bmp, TColor Background, const std::map<TColor, char>& Keys) {
  std::vector<std::string> rows;
  for (int y = 0; y < Bmp.Height(); ++y) {
    std::string row;
    for (int x = 0; x < Bmp.Width(); ++x) {
      const TColor c = Bmp.Canvas()->Pixels(x, y);
      if (c == Background) {
        row += '.';
      } else {
        auto it = Keys.find(c);
        row += it == Keys.end() ? '?' : it->second;
      }
    }
    rows.push_back(row);
  }
  return rows;
}

// A white pf24bit surface of the given size.
inline void Blank(TBitmap& Bmp, int W, int H, TColor Fill = clWhite) {
  Bmp.SetPixelFormat(pf24bit);
  Bmp.SetSize(W, H);
  Bmp.Canvas()->Brush.Color = Fill;
  Bmp.Canvas()->Brush.Style = bsSolid;
  Bmp.Canvas()->FillRect(TRect{0, 0, W, H});
}

inline std::vector<std::string> Ink(TBitmap& Bmp) { return Art(Bmp, clWhite, {{clBlack, '#'}, {clRed, 'r'}, {clBlue, 'b'}}); }

}  // namespace orq::testart
