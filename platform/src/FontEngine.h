// Internal: FreeType faces resolved through fontconfig, cached by file, size
// and style, and glyph rendering for the canvas.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "orqplatform/GraphicsTypes.h"

namespace orq::text {

struct Glyph {
  int Left = 0, Top = 0;  // bitmap position: x right, y down from the pen origin
  int Width = 0, Height = 0;
  std::vector<uint8_t> Coverage;  // Width * Height, 0..255
};

struct LaidOutText {
  std::vector<unsigned> GlyphIndex;
  std::vector<int> PenX;  // pen position of each glyph along the line, pixels
  int Width = 0;
};

struct FontMetrics {
  int Ascent = 0, Descent = 0;  // pixels above and below the baseline
  int UnderlineOffset = 0;      // below the baseline
  int StrikeOffset = 0;         // above the baseline
  int LineThickness = 1;
};

class Face;  // opaque

// The face for Font (never null unless no font file exists at all).
Face* FaceFor(const TFont& Font);
FontMetrics Metrics(Face* F);
LaidOutText Layout(Face* F, const std::string& Utf8);
// Renders a glyph whose pen origin sits at the sub-pixel offset (FracX,
// FracY) in 1/64 pixel from an integer point, rotated by Angle radians
// counterclockwise.
Glyph Render(Face* F, unsigned GlyphIndex, bool Mono, double Angle, int FracX, int FracY);
std::string FileOf(const TFont& Font);

}  // namespace orq::text
