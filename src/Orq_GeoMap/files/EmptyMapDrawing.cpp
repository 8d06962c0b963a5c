// Blank map generation: normalising the request, drawing frame and graticule,
// and the nine-point calibration that ties the drawing to the bounds.
#include "EmptyMapDrawing.h"

#include <cmath>

#include "orqbase/BaseTypes.h"
#include "orqcarta/geomap/BlankMap.h"
#include "orqcarta/geomap/CalibMath.h"
#include "orqmath/DegreeToStr.h"
#include "orqmath/MathUtils.h"
#include "orqplatform/Canvas.h"

namespace orq {

namespace {

constexpr TColor SilverLine = 0xC0C0C0;

// Round half to even; callers keep the values within the pixel range.
int RoundPixel(double Value) {
  int pixel = 0;
  RoundToPixel(Value, pixel);
  return pixel;
}

TDegreeFormat LabelFormat(double Distance) {
  if (Distance <= 0.06) return dfDegMinSec;
  if (Distance != std::trunc(Distance)) return dfDecimalDegrees;
  return dfDegrees;
}

// The values k * Distance from the multiple of Distance at or just toward
// zero from Low, below High. Computed by multiplication, so long runs do not
// drift the way repeated addition would.
template <typename Visit>
void ForEachLineValue(double Low, double High, double Distance, Visit&& visit) {
  const double first = std::trunc(Low / Distance);
  for (double k = 0;; ++k) {
    const double v = (first + k) * Distance;
    if (!(v < High)) break;
    visit(v);
  }
}

void DrawRectangle(TCanvas& Canvas, int Left, int Top, int Right, int Bottom) {
  Canvas.MoveTo(Left, Top);
  Canvas.LineTo(Right, Top);
  Canvas.LineTo(Right, Bottom);
  Canvas.LineTo(Left, Bottom);
  Canvas.LineTo(Left, Top);
}

}  // namespace

std::string NormaliseEmptyMapSpec(TEmptyMapSpec& Spec) {
  for (double bound : {Spec.LatLow, Spec.LongLow, Spec.LatHigh, Spec.LongHigh})
    if (!std::isfinite(bound)) return "the bounds of a generated map must be finite numbers";
  if (Spec.LatHigh < Spec.LatLow) ExChange(Spec.LatHigh, Spec.LatLow);
  if (Spec.LongHigh < Spec.LongLow) ExChange(Spec.LongHigh, Spec.LongLow);
  if (!(Spec.dLat > 0)) Spec.dLat = 1.0;
  if (!(Spec.dLong > 0)) Spec.dLong = 1.0;
  if (Spec.Wid < EmptyMapMinSize) Spec.Wid = EmptyMapMinSize;
  if (Spec.Hgt < EmptyMapMinSize) Spec.Hgt = EmptyMapMinSize;
  if (!(Spec.LatHigh > Spec.LatLow) || !(Spec.LongHigh > Spec.LongLow))
    return "the bounds of a generated map enclose no area";
  // The first line lies at most one distance below the low bound.
  if ((Spec.LatHigh - Spec.LatLow) / Spec.dLat > EmptyMapMaxLines ||
      (Spec.LongHigh - Spec.LongLow) / Spec.dLong > EmptyMapMaxLines)
    return "the line distances of a generated map are too small for its bounds";
  return {};
}

std::string EmptyMapLineLabel(double Value, double Distance, bool Latitude) {
  const char* side = Latitude ? (Value >= 0 ? " N " : " S ") : (Value >= 0 ? " E " : " W ");
  return " " + DegreeToStr(std::fabs(Value), LabelFormat(Distance), 0) + side;
}

void DrawEmptyMapGraticule(TCanvas& Canvas, const TEmptyMapSpec& Spec) {
  const int W = Spec.Wid, H = Spec.Hgt;
  DrawRectangle(Canvas, EmptyMapFrame, EmptyMapFrame, W - EmptyMapFrame, H - EmptyMapFrame);
  Canvas.Pen.Style = psDot;
  DrawRectangle(Canvas, EmptyMapInset, EmptyMapInset, W - EmptyMapInset, H - EmptyMapInset);
  Canvas.Pen.Style = psDash;
  Canvas.Pen.Color = SilverLine;

  const double latSpan = Spec.LatHigh - Spec.LatLow, longSpan = Spec.LongHigh - Spec.LongLow;
  ForEachLineValue(Spec.LatLow, Spec.LatHigh, Spec.dLat, [&](double v) {
    const int y = H - 30 - RoundPixel((v - Spec.LatLow) / latSpan * (H - 60));
    if (!(y > 30 && y < H - 30)) return;
    Canvas.MoveTo(30, y);
    Canvas.LineTo(W - 30, y);
    const std::string label = EmptyMapLineLabel(v, Spec.dLat, true);
    const int top = y - Canvas.TextHeight(label) / 2;
    Canvas.TextOut(36, top, label);
    Canvas.TextOut(W - 36 - Canvas.TextWidth(label), top, label);
  });
  ForEachLineValue(Spec.LongLow, Spec.LongHigh, Spec.dLong, [&](double u) {
    const int x = 30 + RoundPixel((u - Spec.LongLow) / longSpan * (W - 60));
    if (!(x > 30 && x < W - 30)) return;
    Canvas.MoveTo(x, 30);
    Canvas.LineTo(x, H - 30);
    const std::string label = EmptyMapLineLabel(u, Spec.dLong, false);
    const int left = x - Canvas.TextWidth(label) / 2;
    Canvas.TextOut(left, 24 - Canvas.TextHeight(label), label);
    Canvas.TextOut(left, H - 24, label);
  });
}

TCalibData EmptyMapCalibration(const TEmptyMapSpec& Spec, bool Framed) {
  TCalibData cal;
  cal.Caption = BlankMapCaption;
  cal.Ellipsoid = gelWGS84;
  cal.UTMZone = -1;
  cal.UTMSouth = false;
  cal.Resolution = 0;
  cal.NumCalLines = 0;
  cal.Corners[gcoTopLeft] = TCoords{Spec.LatHigh, Spec.LongLow};
  cal.Corners[gcoBottomLeft] = TCoords{Spec.LatLow, Spec.LongLow};
  cal.Corners[gcoBottomRight] = TCoords{Spec.LatLow, Spec.LongHigh};
  cal.Corners[gcoTopRight] = TCoords{Spec.LatHigh, Spec.LongHigh};

  const double W = Spec.Wid, H = Spec.Hgt;
  cal.NumCalQuads = 9;
  for (int i = 1; i <= 3; ++i) {
    for (int j = 1; j <= 3; ++j) {
      TCalQuad& q = cal.CalQuads[(i - 1) * 3 + j - 1];
      q.Latitude = Spec.LatLow + (Spec.LatHigh - Spec.LatLow) * (i - 1) / 2;
      q.Longitude = Spec.LongLow + (Spec.LongHigh - Spec.LongLow) * (j - 1) / 2;
      if (Framed) {
        q.MapX = RoundPixel((j - 1) * (W - 60) / 2 + 30);
        q.MapY = RoundPixel(H - 30 - (i - 1) * (H - 60) / 2);
      } else {
        q.MapX = RoundPixel((j - 1) * W / 2);
        q.MapY = RoundPixel(H - H * (i - 1) / 2);
      }
    }
  }
  return cal;
}

}  // namespace orq
