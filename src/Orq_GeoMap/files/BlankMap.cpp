// Generating blank, calibrated maps of a latitude/longitude rectangle.
#include "orqcarta/geomap/BlankMap.h"

#include <cmath>
#include <utility>

#include "orqcarta/Orq_GeoMap.h"
#include "orqmath/DegreeToStr.h"
#include "orqplatform/FileUtils.h"
#include "orqplatform/TextFile.h"

namespace orq {

namespace {

constexpr int FrameMargin = 30;
constexpr int InsetMargin = 26;
constexpr TColor Silver = 0xC0C0C0;
// More lines than this would be closer than a pixel on any sensible map; a
// tiny distance must not keep the generator busy for hours.
constexpr double MaxGridLines = 100000;
constexpr long long MaxMapImagePixels = 3000000;

int RoundHalfEven(double v) { return static_cast<int>(std::nearbyint(v)); }

TDegreeFormat LabelFormat(double Distance) {
  if (Distance <= 0.06) return dfDegMinSec;
  return Distance != std::trunc(Distance) ? dfDecimalDegrees : dfDegrees;
}

struct TBlankMapArea {
  double LatLow, LongLow, LatHigh, LongHigh, dLat, dLong;
  int Wid, Hgt;
};

TBlankMapArea Normalised(double LatLow, double LongLow, double LatHigh, double LongHigh, double dLat, double dLong,
                         int Wid, int Hgt) {
  if (LatHigh < LatLow) std::swap(LatLow, LatHigh);
  if (LongHigh < LongLow) std::swap(LongLow, LongHigh);
  if (!(dLat > 0)) dLat = 1.0;
  if (!(dLong > 0)) dLong = 1.0;
  return {LatLow, LongLow, LatHigh, LongHigh, dLat, dLong, Wid < 100 ? 100 : Wid, Hgt < 100 ? 100 : Hgt};
}

void DrawRectangle(TCanvas* c, int Inset, int W, int H) {
  c->MoveTo(Inset, Inset);
  c->LineTo(W - Inset, Inset);
  c->LineTo(W - Inset, H - Inset);
  c->LineTo(Inset, H - Inset);
  c->LineTo(Inset, Inset);
}

void DrawFrameAndGraticule(TCanvas* c, const TBlankMapArea& a) {
  const int W = a.Wid, H = a.Hgt;
  DrawRectangle(c, FrameMargin, W, H);
  c->Pen.Style = psDot;
  DrawRectangle(c, InsetMargin, W, H);
  c->Pen.Style = psDash;
  c->Pen.Color = Silver;

  const double latSpan = a.LatHigh - a.LatLow, longSpan = a.LongHigh - a.LongLow;
  if (latSpan > 0 && std::isfinite(latSpan) && latSpan / a.dLat <= MaxGridLines) {
    const TDegreeFormat fmt = LabelFormat(a.dLat);
    for (double v = std::trunc(a.LatLow / a.dLat) * a.dLat; v < a.LatHigh; v += a.dLat) {
      const int y = H - FrameMargin - RoundHalfEven((v - a.LatLow) / latSpan * (H - 2 * FrameMargin));
      if (y <= FrameMargin || y >= H - FrameMargin) continue;
      c->MoveTo(FrameMargin, y);
      c->LineTo(W - FrameMargin, y);
      const std::string label = " " + DegreeToStr(std::fabs(v), fmt, 0) + (v >= 0 ? " N " : " S ");
      const int ty = y - c->TextHeight(label) / 2;
      c->TextOut(36, ty, label);
      c->TextOut(W - 36 - c->TextWidth(label), ty, label);
    }
  }
  if (longSpan > 0 && std::isfinite(longSpan) && longSpan / a.dLong <= MaxGridLines) {
    const TDegreeFormat fmt = LabelFormat(a.dLong);
    for (double u = std::trunc(a.LongLow / a.dLong) * a.dLong; u < a.LongHigh; u += a.dLong) {
      const int x = FrameMargin + RoundHalfEven((u - a.LongLow) / longSpan * (W - 2 * FrameMargin));
      if (x <= FrameMargin || x >= W - FrameMargin) continue;
      c->MoveTo(x, FrameMargin);
      c->LineTo(x, H - FrameMargin);
      const std::string label = " " + DegreeToStr(std::fabs(u), fmt, 0) + (u >= 0 ? " E " : " W ");
      const int tx = x - c->TextWidth(label) / 2;
      c->TextOut(tx, 24 - c->TextHeight(label), label);
      c->TextOut(tx, H - 24, label);
    }
  }
}

// Nine quadruples on a 3 x 3 grid over the frame (or the whole image).
TCalibData BlankMapCalibration(const TBlankMapArea& a, bool Framed) {
  TCalibData d;
  d.Caption = BlankMapCaption;
  d.Ellipsoid = gelWGS84;
  d.UTMZone = -1;
  d.UTMSouth = false;
  d.Resolution = 0;
  d.NumCalLines = 0;
  d.Corners[gcoTopLeft] = {a.LatHigh, a.LongLow};
  d.Corners[gcoBottomLeft] = {a.LatLow, a.LongLow};
  d.Corners[gcoBottomRight] = {a.LatLow, a.LongHigh};
  d.Corners[gcoTopRight] = {a.LatHigh, a.LongHigh};
  const double W = a.Wid, H = a.Hgt;
  d.NumCalQuads = 9;
  for (int i = 1; i <= 3; ++i)
    for (int j = 1; j <= 3; ++j) {
      TCalQuad& q = d.CalQuads[(i - 1) * 3 + j - 1];
      q.Latitude = a.LatLow + (a.LatHigh - a.LatLow) * (i - 1) / 2;
      q.Longitude = a.LongLow + (a.LongHigh - a.LongLow) * (j - 1) / 2;
      if (Framed) {
        q.MapX = RoundHalfEven((j - 1) * (W - 60) / 2 + 30);
        q.MapY = RoundHalfEven(H - 30 - (i - 1) * (H - 60) / 2);
      } else {
        q.MapX = RoundHalfEven((j - 1) * W / 2);
        q.MapY = RoundHalfEven(H - H * (i - 1) / 2);
      }
    }
  return d;
}

}  // namespace

// A map the control would refuse to load is refused before its bitmap is made.
static void CheckBlankMapSize(const TBlankMapArea& a, const std::function<std::string(const std::string&)>& Message) {
  if (static_cast<long long>(a.Wid) * a.Hgt > MaxMapImagePixels)
    throw EOrqGeoMapError(Message("Cannot use map image, maximum of " + std::to_string(MaxMapImagePixels) +
                                  " pixels exceeded (size of map is " + std::to_string(a.Wid) + " x " +
                                  std::to_string(a.Hgt) + ")"));
}

void TGeoMap::CreateAndLoadEmptyMap(const std::string& FName, double LatLow, double LongLow, double LatHigh,
                                    double LongHigh, double dLat, double dLong, int Wid, int Hgt,
                                    const TOnDrawMapDataEvent& OnDrawMapData) {
  const TBlankMapArea a = Normalised(LatLow, LongLow, LatHigh, LongHigh, dLat, dLong, Wid, Hgt);
  CheckBlankMapSize(a, [this](const std::string& Tail) { return ComponentMessage(Tail); });
  const std::string xmlName = ChangeFileExt(FName, ".xml");
  const std::string bmpName = ChangeFileExt(FName, ".bmp");
  TCalibData cal = BlankMapCalibration(a, true);
  {
    TBitmap bmp;
    bmp.SetPixelFormat(pf4bit);
    bmp.SetSize(a.Wid, a.Hgt);
    DrawFrameAndGraticule(bmp.Canvas(), a);
    if (OnDrawMapData)
      OnDrawMapData(this, bmp.Canvas(), a.LatLow, a.LongLow, a.LatHigh, a.LongHigh, a.Wid, a.Hgt);
    bmp.SaveToFile(bmpName);
  }
  ClearCalibData();
  cal.MapFName = bmpName;
  TTextFile f;
  f.AssignFile(xmlName);
  f.Rewrite();
  WriteRawCalDataToOpenXMLFile(f, true, BlankMapDataID, cal, cmBiquadraticPn);
  f.Close();
  LoadCalDataFromXML(xmlName, BlankMapDataID);
  Paint();
}

void TGeoMap::CreateEmptyMapInMemory(double LatLow, double LongLow, double LatHigh, double LongHigh, double dLat,
                                     double dLong, int Wid, int Hgt, bool ShowGrid,
                                     const TOnDrawMapDataEvent& OnDrawMapData) {
  const TBlankMapArea a = Normalised(LatLow, LongLow, LatHigh, LongHigh, dLat, dLong, Wid, Hgt);
  CheckBlankMapSize(a, [this](const std::string& Tail) { return ComponentMessage(Tail); });
  TCalibData cal = BlankMapCalibration(a, ShowGrid);
  {
    TBitmap bmp;
    bmp.SetPixelFormat(pf24bit);
    bmp.SetSize(a.Wid, a.Hgt);
    if (ShowGrid) DrawFrameAndGraticule(bmp.Canvas(), a);
    if (OnDrawMapData)
      OnDrawMapData(this, bmp.Canvas(), a.LatLow, a.LongLow, a.LatHigh, a.LongHigh, a.Wid, a.Hgt);
    SetMapBitMap(&bmp);
  }
  ClearCalibData();
  cal.MapFName = "$unknown$";
  FCalibModel = cmEquiRect;
  FCalibData = cal;
  RecalcCalibration();
  Paint();
}

}  // namespace orq
