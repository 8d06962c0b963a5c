// Shared by the landmark drawing tests: symbols drawn on small white
// surfaces, read back as text rows or pixel sets.
#pragma once

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "../platform/canvas_art_test.h"
#include "orqcarta/geomap/LandmarkDrawing.h"

namespace orq::symbolart {

using Rows = std::vector<std::string>;
using PixelSet = std::set<std::pair<int, int>>;

// Outline 'F', fill and halo 'B'.
constexpr TColor kFG = 0x2040A0;
constexpr TColor kBG = 0x30C030;
// What the canvas holds before a symbol, so that what it sets shows.
constexpr TColor kPenBefore = clBlue;
constexpr TColor kBrushBefore = clYellow;

struct TSymbolCase {
  TLandMarkElement Kind;
  int Size = 1;
  bool Transparent = false;
  int Direction = 0;
  int Length = 0;
};

inline void Draw(TBitmap& Bmp, int W, int H, int X, int Y, const TSymbolCase& S) {
  testart::Blank(Bmp, W, H);
  TCanvas* cv = Bmp.Canvas();
  cv->Pen.Color = kPenBefore;
  cv->Brush.Color = kBrushBefore;
  cv->Brush.Style = bsSolid;
  DrawLandMarkSymbolOnCanvas(cv, X, Y, S.Kind, kFG, kBG, S.Size, S.Direction, S.Length, S.Transparent);
}

inline Rows Picture(int W, int H, int X, int Y, const TSymbolCase& S) {
  TBitmap bmp;
  Draw(bmp, W, H, X, Y, S);
  return testart::Art(bmp, clWhite, {{kFG, 'F'}, {kBG, 'B'}});
}

inline PixelSet PixelsOf(TBitmap& Bmp, TColor Color) {
  PixelSet out;
  for (int y = 0; y < Bmp.Height(); ++y)
    for (int x = 0; x < Bmp.Width(); ++x)
      if (Bmp.Canvas()->Pixels(x, y) == Color) out.insert({x, y});
  return out;
}

// The smallest rectangle (inclusive) around the pixels that are not white;
// Left > Right when there are none.
inline TRect InkBox(TBitmap& Bmp) {
  TRect r{Bmp.Width(), Bmp.Height(), -1, -1};
  for (int y = 0; y < Bmp.Height(); ++y)
    for (int x = 0; x < Bmp.Width(); ++x)
      if (Bmp.Canvas()->Pixels(x, y) != clWhite) {
        r.Left = std::min(r.Left, x), r.Right = std::max(r.Right, x);
        r.Top = std::min(r.Top, y), r.Bottom = std::max(r.Bottom, y);
      }
  return r;
}

}  // namespace orq::symbolart
