// The logical description of a font and the calls that turn a TFont into
// one and back, for code that rotates a canvas's font:
//
//   TLogFont lf = GetObject(canvas->Font);
//   lf.lfEscapement = lf.lfOrientation = 450;
//   canvas->Font.SetHandle(CreateFontIndirect(lf));   // keeps Font.Color
//
// Font files: a family name is resolved with fontconfig (bold and italic
// select the matching face; when the family has none, the glyphs are
// emboldened or slanted); a name fontconfig does not know falls back to its
// sans-serif face, and without fontconfig to DejaVu Sans. TLogFont and HFONT
// are declared in GraphicsTypes.h.
#pragma once

#include <cstdint>
#include <string>

#include "orqplatform/GraphicsTypes.h"

namespace orq {

TLogFont GetObject(const TFont& Font);
TLogFont GetObject(const HFONT& Font);
HFONT CreateFontIndirect(const TLogFont& LogFont);

// The file a font resolves to ("" when no font is available at all), for
// diagnostics and tests.
std::string ResolvedFontFile(const TFont& Font);

}  // namespace orq
