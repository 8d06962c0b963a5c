// Text output of TCanvas through the FreeType engine.
#include <cmath>

#include "FontEngine.h"
#include "PixelFormats.h"
#include "orqbase/MathConstants.h"
#include "orqplatform/Bitmap.h"
#include "orqplatform/Canvas.h"
#include "orqplatform/Fonts.h"

namespace orq {
namespace {


void BlendGlyph(TBitmap* Surface, const text::Glyph& G, int OriginX, int OriginY, TColor Color) {
  const int W = Surface->Width(), H = Surface->Height();
  const int r = GetRValue(Color), g = GetGValue(Color), b = GetBValue(Color);
  for (int y = 0; y < G.Height; ++y) {
    const int py = OriginY + G.Top + y;
    if (py < 0 || py >= H) continue;
    uint32_t* row = Surface->ScanLine(py);
    for (int x = 0; x < G.Width; ++x) {
      const int px = OriginX + G.Left + x;
      if (px < 0 || px >= W) continue;
      const int a = G.Coverage[static_cast<size_t>(y) * G.Width + x];
      if (a == 0) continue;
      uint32_t out;
      if (a == 255) {
        out = Color & 0xFFFFFF;
      } else {
        const uint32_t d = row[px];
        auto mix = [a](int dst, int src) { return static_cast<uint32_t>(dst + ((src - dst) * a + (src > dst ? 127 : -127)) / 255); };
        out = mix(GetRValue(d), r) | (mix(GetGValue(d), g) << 8) | (mix(GetBValue(d), b) << 16);
      }
      row[px] = Surface->Quantize(out);
    }
  }
}

}  // namespace

TPoint TCanvas::TextExtent(const std::string& Text) {
  text::Face* face = text::FaceFor(Font);
  const text::FontMetrics m = text::Metrics(face);
  return TPoint{text::Layout(face, Text).Width, m.Ascent + m.Descent};
}

void TCanvas::TextOut(int X, int Y, const std::string& Text) {
  text::Face* face = text::FaceFor(Font);
  const text::FontMetrics m = text::Metrics(face);
  const text::LaidOutText line = text::Layout(face, Text);
  const int w = line.Width, h = m.Ascent + m.Descent;
  const int tenths = ((Font.Escapement % 3600) + 3600) % 3600;
  const double angle = tenths * Pi / 1800.0;
  const double c = std::cos(angle), s = std::sin(angle);
  // Along the text: (c, -s); down the cell: (s, c).
  auto at = [&](double along, double down) { return std::make_pair(X + along * c + down * s, Y - along * s + down * c); };
  auto band = [&](double top, double bottom, TColor Color) {
    if (tenths == 0) {
      const TBrush saved = Brush;
      Brush.Color = Color;
      Brush.Style = bsSolid;
      FillRect(TRect{X, Y + static_cast<int>(top), X + w, Y + static_cast<int>(bottom)});
      Brush = saved;
      return;
    }
    std::vector<TPoint> quad;
    for (auto [u, v] : {std::pair<double, double>{0, top}, {double(w), top}, {double(w), bottom}, {0, bottom}}) {
      const auto [px, py] = at(u, v);
      quad.push_back(TPoint{static_cast<int>(std::lround(px)), static_cast<int>(std::lround(py))});
    }
    const TPen savedPen = Pen;
    const TBrush savedBrush = Brush;
    Pen.Style = psClear;
    Pen.Mode = pmCopy;
    Brush.Color = Color;
    Brush.Style = bsSolid;
    Polygon(quad);
    Pen = savedPen;
    Brush = savedBrush;
  };

  if (Brush.Style == bsSolid && w > 0 && h > 0) band(0, h, Brush.Color);
  const bool mono = Font.Quality == fqNonAntialiased || Font.Quality == fqDraft;
  for (size_t i = 0; i < line.GlyphIndex.size(); ++i) {
    if (tenths == 0) {
      const text::Glyph g = text::Render(face, line.GlyphIndex[i], mono, 0.0, 0, 0);
      BlendGlyph(FSurface, g, X + line.PenX[i], Y + m.Ascent, Font.Color);
      continue;
    }
    const auto [ox, oy] = at(line.PenX[i], m.Ascent);
    const int ix = static_cast<int>(std::floor(ox)), iy = static_cast<int>(std::floor(oy));
    const int fx = static_cast<int>(std::lround((ox - ix) * 64)), fy = static_cast<int>(std::lround((oy - iy) * 64));
    const text::Glyph g = text::Render(face, line.GlyphIndex[i], mono, angle, fx, fy);
    BlendGlyph(FSurface, g, ix, iy, Font.Color);
  }
  if (Font.Style.contains(fsUnderline)) {
    const int top = m.Ascent + m.UnderlineOffset;
    band(top, top + m.LineThickness, Font.Color);
  }
  if (Font.Style.contains(fsStrikeOut)) {
    const int top = m.Ascent - m.StrikeOffset;
    band(top, top + m.LineThickness, Font.Color);
  }
  FPenPos = TPoint{X + w, Y};
}

TLogFont GetObject(const TFont& Font) {
  TLogFont lf;
  lf.lfHeight = -Font.PixelHeight();
  lf.lfEscapement = Font.Escapement;
  lf.lfOrientation = Font.Orientation;
  lf.lfWeight = Font.Style.contains(fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = Font.Style.contains(fsItalic);
  lf.lfUnderline = Font.Style.contains(fsUnderline);
  lf.lfStrikeOut = Font.Style.contains(fsStrikeOut);
  lf.lfCharSet = Font.Charset;
  lf.lfQuality = Font.Quality == fqNonAntialiased || Font.Quality == fqDraft ? NONANTIALIASED_QUALITY
                 : Font.Quality == fqAntialiased                         ? ANTIALIASED_QUALITY
                                                                          : 0;
  lf.lfFaceName = Font.Name;
  return lf;
}

TLogFont GetObject(const HFONT& Font) { return Font.LogFont; }

HFONT CreateFontIndirect(const TLogFont& LogFont) { return HFONT{LogFont}; }

HFONT TFont::Handle() const { return HFONT{GetObject(*this)}; }

void TFont::SetHandle(const HFONT& Value) {
  const TLogFont& lf = Value.LogFont;
  Name = lf.lfFaceName.empty() ? "MS Sans Serif" : lf.lfFaceName;
  // Size from the character height at 96 dpi, rounded; a positive (cell)
  // height is taken as the character height.
  const int pixels = lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight;
  if (pixels > 0) Size = (pixels * 72 + 48) / 96;
  Escapement = lf.lfEscapement;
  Orientation = lf.lfOrientation;
  Style = Style * TFontStyles{};  // cleared; the logical font says which apply
  if (lf.lfWeight >= 600) Style.insert(fsBold);
  if (lf.lfItalic) Style.insert(fsItalic);
  if (lf.lfUnderline) Style.insert(fsUnderline);
  if (lf.lfStrikeOut) Style.insert(fsStrikeOut);
  Charset = lf.lfCharSet;
  Quality = lf.lfQuality == NONANTIALIASED_QUALITY ? fqNonAntialiased
            : lf.lfQuality == ANTIALIASED_QUALITY  ? fqAntialiased
                                                   : fqDefault;
}

std::string ResolvedFontFile(const TFont& Font) { return text::FileOf(Font); }

}  // namespace orq
