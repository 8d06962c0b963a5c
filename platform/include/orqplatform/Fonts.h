// The logical description of a font and the two calls that turn a TFont
// into one and back, for code that rotates a canvas's font:
//
//   TLogFont lf = GetObject(canvas->Font);
//   lf.lfEscapement = lf.lfOrientation = 450;
//   canvas->Font = CreateFontIndirect(lf);
//
// Font files: a family name is resolved with fontconfig (bold and italic
// select the matching face; when the family has none, the glyphs are
// emboldened or slanted); a name fontconfig does not know falls back to its
// sans-serif face, and without fontconfig to DejaVu Sans.
#pragma once

#include <cstdint>
#include <string>

#include "orqplatform/GraphicsTypes.h"

namespace orq {

constexpr int FW_NORMAL = 400;
constexpr int FW_BOLD = 700;

struct TLogFont {
  int lfHeight = 0;        // negative: character height in pixels; positive: cell height
  int lfWidth = 0;         // ignored (0: natural width)
  int lfEscapement = 0;    // tenths of a degree, counterclockwise
  int lfOrientation = 0;   // tenths of a degree; the text follows lfEscapement
  int lfWeight = FW_NORMAL;
  uint8_t lfItalic = 0;
  uint8_t lfUnderline = 0;
  uint8_t lfStrikeOut = 0;
  uint8_t lfCharSet = DEFAULT_CHARSET;
  uint8_t lfOutPrecision = 0;
  uint8_t lfClipPrecision = 0;
  uint8_t lfQuality = 0;   // 3 NONANTIALIASED_QUALITY, 4 ANTIALIASED_QUALITY, 0 default
  uint8_t lfPitchAndFamily = 0;
  std::string lfFaceName;
};

TLogFont GetObject(const TFont& Font);
// Colour is not part of the logical font: the result keeps Color (black by
// default); callers that replace a canvas font copy its colour over.
TFont CreateFontIndirect(const TLogFont& LogFont, TColor Color = clBlack);

// The file a font resolves to ("" when no font is available at all), for
// diagnostics and tests.
std::string ResolvedFontFile(const TFont& Font);

}  // namespace orq
