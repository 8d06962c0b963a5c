// TGeoMap's mouse trace: recording points while the left button draws, and
// reading them back in geographic coordinates. The composition draws the
// stored trace (DrawMouseTrace).
#include "orqcarta/Orq_GeoMap.h"

namespace orq {

namespace {

constexpr uint16_t StrokeEnd = 1;     // no segment from this point to the next
constexpr uint16_t XorSegment = 2;    // the segment ending here is drawn in XOR
constexpr uint16_t InvalidPoint = 0xFFFF;

}  // namespace

TPoint TGeoMap::TraceControlPos(const TColoredPoint& P) const {
  return MapImageToControl(TPoint{RoundedOrZero(P.X), RoundedOrZero(P.Y)});
}

// A full trace ignores further points silently.
void TGeoMap::AppendTracePoint(int X, int Y) {
  if (FNumMTrace >= MouseTraceCapacity) return;
  const TPoint image = ControlToMapImage(TPoint{X, Y});
  TColoredPoint& p = FMTrace[FNumMTrace];
  p.X = image.X;
  p.Y = image.Y;
  p.Color = FMouseTraceColor;
  p.Flags = FMouseTraceInvert ? XorSegment : 0;
  ++FNumMTrace;
  if (FNumMTrace < 2) return;
  const TColoredPoint& prev = FMTrace[FNumMTrace - 2];
  if (prev.Flags & StrokeEnd) return;
  TCanvas* c = Canvas();
  c->Pen.Color = FMouseTraceColor;
  c->Pen.Style = psSolid;
  c->Pen.Mode = FMouseTraceInvert ? pmXor : pmCopy;
  const TPoint from = TraceControlPos(prev), to = TraceControlPos(p);
  c->MoveTo(from.X, from.Y);
  c->LineTo(to.X, to.Y);
  c->Pen.Mode = pmCopy;
}

void TGeoMap::ClearMouseTrace() {
  FNumMTrace = 0;
  Paint();
}

TColoredPoint TGeoMap::GetMTracePoint(int idx) const {
  TColoredPoint r;
  if (idx < 1 || idx > FNumMTrace) {
    r.Flags = InvalidPoint;
    return r;
  }
  r = FMTrace[idx - 1];
  const int x = RoundedOrZero(r.X), y = RoundedOrZero(r.Y);
  bool valid = false;
  const double lat = CalcLatitude(x, y, valid);
  const double lon = CalcLongitude(x, y, valid);
  if (valid) {
    r.X = lon;
    r.Y = lat;
  } else {
    r.Flags = InvalidPoint;
  }
  return r;
}

}  // namespace orq
