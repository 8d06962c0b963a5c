// Landmark captions: placed by alignment, rotated about their anchor.
#include <cmath>
#include <cstdint>
#include <string>

#include "LandmarkPixels.h"
#include "orqcarta/geomap/LandmarkDrawing.h"
#include "orqplatform/Canvas.h"
#include "orqplatform/Fonts.h"

namespace orq {
namespace {

// The canvas font turned by Direction degrees counterclockwise, through the
// logical font as a rotated caption font is built everywhere.
void RotateFont(TCanvas* Canvas, int Direction) {
  // Whole turns rotate alike; reduced only where tenths would overflow.
  const int tenths =
      Direction >= -INT32_MAX / 10 && Direction <= INT32_MAX / 10 ? Direction * 10 : Direction % 360 * 10;
  TLogFont lf = GetObject(Canvas->Font);
  lf.lfEscapement = tenths;
  lf.lfOrientation = tenths;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfOutPrecision = 0;
  lf.lfClipPrecision = 0;
  lf.lfQuality = ANTIALIASED_QUALITY;
  lf.lfPitchAndFamily = 0;
  Canvas->Font.SetHandle(CreateFontIndirect(lf));
}

}  // namespace

void DrawLandMarkCaption(TCanvas* Canvas, TPoint P, const TLMTextProperties& Caption) {
  const std::string text = Caption.Text;
  if (!Canvas || text.empty()) return;

  Canvas->Brush.Color = Caption.BGColor;
  Canvas->Font.Color = Caption.FGColor;
  Canvas->Font.Size = Caption.Size;
  Canvas->Font.Style = Caption.FontStyles;
  Canvas->Font.Name = Caption.FontName;
  // The caption's own font is upright; a rotation left by an earlier caption
  // must not carry over to one drawn at 0 degrees.
  Canvas->Font.Escapement = 0;
  Canvas->Font.Orientation = 0;
  Canvas->Brush.Style = Caption.Transparent ? bsClear : bsSolid;
  if (Caption.Direction != 0) RotateFont(Canvas, Caption.Direction);

  const int w = Canvas->TextWidth(text) / 2;
  const int h = Canvas->TextHeight(text) / 2;
  int a = 0, b = 0;
  switch (Caption.HAlignment) {
    case taLeftJustify:
      a = 0;
      break;
    case taRightJustify:
      a = 2 * w;
      break;
    case taCenter:
      a = w;
      break;
    default:
      return;
  }
  switch (Caption.VAlignment) {
    case vaTop:
      b = 0;
      break;
    case vaCenter:
      b = h;
      break;
    case vaBottom:
      b = 2 * h;
      break;
    default:
      return;
  }

  const double phi = Caption.Direction * landmark::kPi / 180.0;
  const double c = std::cos(phi), s = std::sin(phi);
  const int64_t rx = int64_t{P.X} + Caption.dx + landmark::Round(-a * c - b * s);
  const int64_t ry = int64_t{P.Y} + Caption.dy + landmark::Round(a * s - b * c);
  Canvas->TextOut(landmark::Pixel(rx), landmark::Pixel(ry), text);
}

}  // namespace orq
