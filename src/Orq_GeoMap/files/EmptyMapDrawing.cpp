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

std::string NormaliseEmptyMapRequest(TEmptyMapRequest& Request) {
  for (double bound : {Request.LatLow, Request.LongLow, Request.LatHigh, Request.LongHigh})
    if (!std::isfinite(bound)) return "the bounds of a generated map must be finite numbers";
  if (Request.LatHigh < Request.LatLow) ExChange(Request.LatHigh, Request.LatLow);
  if (Request.LongHigh < Request.LongLow) ExChange(Request.LongHigh, Request.LongLow);
  if (!(Request.dLat > 0)) Request.dLat = 1.0;
  if (!(Request.dLong > 0)) Request.dLong = 1.0;
  if (Request.Wid < EmptyMapMinSize) Request.Wid = EmptyMapMinSize;
  if (Request.Hgt < EmptyMapMinSize) Request.Hgt = EmptyMapMinSize;
  if (!(Request.LatHigh > Request.LatLow) || !(Request.LongHigh > Request.LongLow))
    return "the bounds of a generated map enclose no area";
  // The first line lies at most one distance below the low bound.
  if ((Request.LatHigh - Request.LatLow) / Request.dLat > EmptyMapMaxLines ||
      (Request.LongHigh - Request.LongLow) / Request.dLong > EmptyMapMaxLines)
    return "the line distances of a generated map are too small for its bounds";
  return {};
}

std::string EmptyMapLineLabel(double Value, double Distance, bool Latitude) {
  const char* side = Latitude ? (Value >= 0 ? " N " : " S ") : (Value >= 0 ? " E " : " W ");
  return " " + DegreeToStr(std::fabs(Value), LabelFormat(Distance), 0) + side;
}

void DrawEmptyMapGraticule(TCanvas& Canvas, const TEmptyMapRequest& Request) {
  const int W = Request.Wid, H = Request.Hgt;
  DrawRectangle(Canvas, EmptyMapFrame, EmptyMapFrame, W - EmptyMapFrame, H - EmptyMapFrame);
  Canvas.Pen.Style = psDot;
  DrawRectangle(Canvas, EmptyMapInset, EmptyMapInset, W - EmptyMapInset, H - EmptyMapInset);
  Canvas.Pen.Style = psDash;
  Canvas.Pen.Color = SilverLine;

  const double latSpan = Request.LatHigh - Request.LatLow, longSpan = Request.LongHigh - Request.LongLow;
  ForEachLineValue(Request.LatLow, Request.LatHigh, Request.dLat, [&](double v) {
    const int y = H - 30 - RoundPixel((v - Request.LatLow) / latSpan * (H - 60));
    if (!(y > 30 && y < H - 30)) return;
    Canvas.MoveTo(30, y);
    Canvas.LineTo(W - 30, y);
    const std::string label = EmptyMapLineLabel(v, Request.dLat, true);
    const int top = y - Canvas.TextHeight(label) / 2;
    Canvas.TextOut(36, top, label);
    Canvas.TextOut(W - 36 - Canvas.TextWidth(label), top, label);
  });
  ForEachLineValue(Request.LongLow, Request.LongHigh, Request.dLong, [&](double u) {
    const int x = 30 + RoundPixel((u - Request.LongLow) / longSpan * (W - 60));
    if (!(x > 30 && x < W - 30)) return;
    Canvas.MoveTo(x, 30);
    Canvas.LineTo(x, H - 30);
    const std::string label = EmptyMapLineLabel(u, Request.dLong, false);
    const int left = x - Canvas.TextWidth(label) / 2;
    Canvas.TextOut(left, 24 - Canvas.TextHeight(label), label);
    Canvas.TextOut(left, H - 24, label);
  });
}

TCalibData EmptyMapCalibration(const TEmptyMapRequest& Request, bool Framed) {
  TCalibData cal;
  cal.Caption = BlankMapCaption;
  cal.Ellipsoid = gelWGS84;
  cal.UTMZone = -1;
  cal.UTMSouth = false;
  cal.Resolution = 0;
  cal.NumCalLines = 0;
  cal.Corners[gcoTopLeft] = TCoords{Request.LatHigh, Request.LongLow};
  cal.Corners[gcoBottomLeft] = TCoords{Request.LatLow, Request.LongLow};
  cal.Corners[gcoBottomRight] = TCoords{Request.LatLow, Request.LongHigh};
  cal.Corners[gcoTopRight] = TCoords{Request.LatHigh, Request.LongHigh};

  const double W = Request.Wid, H = Request.Hgt;
  cal.NumCalQuads = 9;
  for (int i = 1; i <= 3; ++i) {
    for (int j = 1; j <= 3; ++j) {
      TCalQuad& q = cal.CalQuads[(i - 1) * 3 + j - 1];
      q.Latitude = Request.LatLow + (Request.LatHigh - Request.LatLow) * (i - 1) / 2;
      q.Longitude = Request.LongLow + (Request.LongHigh - Request.LongLow) * (j - 1) / 2;
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
