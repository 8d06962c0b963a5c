// The graticule layer: parallels and meridians through the calibration
// model, the fitted calibration lines of the parabolic model, the UTM grid
// and the calibration point markers.
#include <algorithm>
#include <cmath>
#include <memory>

#include "orqcarta/Orq_GeoMap.h"
#include "orqmath/CurveFit.h"
#include "orqmath/MathUtils.h"
#include "orqmath/StraightLine.h"

namespace orq {

namespace {

// More lines than this in one direction would paint the picture over
// (a spacing far below a pixel); such a family is left out rather than
// spending minutes on it.
constexpr double MaxLinesPerFamily = 10000;


// A cross and three concentric diamonds; the pen is left in Color.
void DrawCalibPointMarker(TCanvas* C, TPoint P, TColor Color) {
  const int x = P.X, y = P.Y;
  C->Pen.Color = Color;
  C->MoveTo(x - 8, y);
  C->LineTo(x + 8, y);
  C->MoveTo(x, y - 8);
  C->LineTo(x, y + 8);
  for (int r : {8, 9, 10}) {
    C->Pen.Color = r == 9 ? TColor{0xFFFFFF} : Color;
    C->MoveTo(x - r, y);
    C->LineTo(x, y - r);
    C->LineTo(x + r, y);
    C->LineTo(x, y + r);
    C->LineTo(x - r, y);
  }
}

// Lines per degree: 1 / Dist when a spacing is set, else the power of ten
// that gives at least one line across the span. 0 when the span cannot have
// lines (no extent, not finite).
double LinesPerDegree(double Dist, double Span) {
  if (Dist > 0) return 1 / Dist;
  double k = 1, s = std::fabs(Span);
  if (!(s > 0) || !std::isfinite(s)) return 0;
  while (s < 1) {
    k *= 10;
    s *= 10;
  }
  return k;
}

bool FamilyFits(double From, double To, double k) {
  return k > 0 && std::isfinite(From) && std::isfinite(To) && (To - From) * k <= MaxLinesPerFamily;
}

}  // namespace

void TGeoMap::DrawGraticule(TCanvas* C, const TMapView& View) const {
  const TShowGrat sg = FDisplay.ShowGraticule;
  const bool lines = sg == sgLines || sg == sgPointsAndLines;
  bool points = sg == sgPoints || sg == sgPointsAndLines;
  const int quads = std::clamp(FCalibData.NumCalQuads, 0, MaxCalibQuads);
  int minQuads = 3, parallelSegments = 10, meridianSegments = 10;
  switch (FCalibModel) {
    case cmParabolicIp:
      DrawParabolicCurves(C, View, lines, points);
      return;
    case cmBiquadraticPn:
      minQuads = 6;
      parallelSegments = meridianSegments = 100;
      break;
    case cmConicConformal:
      parallelSegments = 100;
      meridianSegments = 1;  // meridians of the conic projection are straight
      break;
    case cmMillerCylindrical:
      parallelSegments = meridianSegments = 100;
      break;
    case cmEquiRect:
      break;
    case cmUTM:
      points = points || sg == sgPointsAndUTMGrid;
      break;
    default:
      return;
  }
  if (lines && quads >= minQuads) DrawParallelsAndMeridians(C, View, parallelSegments, meridianSegments);
  if (FCalibModel == cmUTM && (sg == sgUTMGrid || sg == sgPointsAndUTMGrid) && quads >= 3) DrawUTMGrid(C, View);
  if (points)
    for (int q = 0; q < quads; ++q)
      DrawCalibPointMarker(C, View.ImageToControl(TPoint{FCalibData.CalQuads[q].MapX, FCalibData.CalQuads[q].MapY}),
                           FDisplay.ColorCalibPoints);
}

// Parallels from west to east and meridians from south to north, each a
// polyline of vertices converted through the model. A vertex the model
// cannot convert is drawn where the conversion leaves it (image pixel 0, 0).
void TGeoMap::DrawParallelsAndMeridians(TCanvas* C, const TMapView& View, int ParallelSegments,
                                        int MeridianSegments) const {
  const TCornerArray& k = FCalibData.Corners;
  const double south = std::min(k[gcoBottomLeft].Latit, k[gcoBottomRight].Latit);
  const double north = std::max(k[gcoTopLeft].Latit, k[gcoTopRight].Latit);
  const double west = std::min(k[gcoTopLeft].Longit, k[gcoBottomLeft].Longit);
  const double east = std::max(k[gcoTopRight].Longit, k[gcoBottomRight].Longit);
  C->Pen.Color = FDisplay.ColorGraticule;

  auto polyline = [&](double lat0, double lon0, double lat1, double lon1, int segments) {
    for (int j = 0; j <= segments; ++j) {
      int x = 0, y = 0;
      CalcPixelCoords(lat0 + (lat1 - lat0) * j / segments, lon0 + (lon1 - lon0) * j / segments, x, y);
      const TPoint p = View.ImageToControl(TPoint{x, y});
      if (j == 0)
        C->MoveTo(p.X, p.Y);
      else
        C->LineTo(p.X, p.Y);
    }
  };

  const double kLat = LinesPerDegree(FDisplay.GratLineDist, north - south);
  if (FamilyFits(south, north, kLat))
    for (double phi = std::trunc(south * kLat) / kLat; phi < north; phi += 1 / kLat)
      polyline(phi, west, phi, east, ParallelSegments);

  const double kLong = LinesPerDegree(FDisplay.GratLineDist, east - west);
  if (FamilyFits(west, east, kLong))
    for (double lambda = std::trunc(west * kLong) / kLong; lambda < east; lambda += 1 / kLong)
      polyline(south, lambda, north, lambda, MeridianSegments);
}

// Parabolic model: each calibration line's own parabola across the visible
// columns (parallels) or rows (meridians), and markers at its points. A line
// with fewer than three points determines no parabola and draws no curve.
void TGeoMap::DrawParabolicCurves(TCanvas* C, const TMapView& View, bool Lines, bool Points) const {
  const auto fit = std::make_unique<TCurveFit>();
  const double M = View.Magnification;
  const int numLines = std::clamp(FCalibData.NumCalLines, 0, MaxCalibLines);
  for (int l = 0; l < numLines; ++l) {
    const TCalibLine& line = FCalibData.CalLines[l];
    const int n = std::clamp(line.NumPoints, 0, MaxPointsPerLine);
    const bool parallel = line.LineType == gtlParallel;
    if (Lines && n >= 3) {
      C->Pen.Color = FDisplay.ColorGraticule;
      fit->Init();
      for (int p = 0; p < n; ++p) {
        const TPoint& cp = line.CalPoints[p];
        if (parallel)
          fit->EnterStatValue(cp.X, cp.Y);
        else
          fit->EnterStatValue(cp.Y, cp.X);
      }
      double k0 = 0, k1 = 0, k2 = 0, resid = 0;
      fit->CalcParabolFit(k0, k1, k2, resid);
      if (std::isfinite(k0) && std::isfinite(k1) && std::isfinite(k2)) {
        auto imagePoint = [&](int t) {
          const int u = RoundedOrZero(k0 + k1 * t + k2 * static_cast<double>(t) * t);
          return parallel ? TPoint{t, u} : TPoint{u, t};
        };
        int t = parallel ? View.TopLeft.X : View.TopLeft.Y;
        const double end = (parallel ? View.Width : View.Height) / M + t;
        TPoint p = View.ImageToControl(imagePoint(t));
        C->MoveTo(p.X, p.Y);
        while (t < end) {
          ++t;
          p = View.ImageToControl(imagePoint(t));
          C->LineTo(p.X, p.Y);
        }
      }
    }
    if (Points)
      for (int p = 0; p < n; ++p)
        DrawCalibPointMarker(C, View.ImageToControl(line.CalPoints[p]), FDisplay.ColorCalibPoints);
  }
}

// UTM grid of the calibration's affine law: northing lines across the
// image's full width and easting lines across its full height, clipped to
// the image's extent at this magnification.
void TGeoMap::DrawUTMGrid(TCanvas* C, const TMapView& View) const {
  const TCornerArray& k = FCalibData.Corners;
  const TGeoEllipsoid ell = FCalibData.Ellipsoid;
  int zone = 0;
  double eBL = 0, nBL = 0, eBR = 0, nBR = 0, eTL = 0, nTL = 0, eTR = 0, nTR = 0;
  LatLongToUTM(k[gcoBottomLeft].Latit, k[gcoBottomLeft].Longit, ell, zone, eBL, nBL);
  LatLongToUTM(k[gcoBottomRight].Latit, k[gcoBottomRight].Longit, ell, zone, eBR, nBR);
  LatLongToUTM(k[gcoTopLeft].Latit, k[gcoTopLeft].Longit, ell, zone, eTL, nTL);
  LatLongToUTM(k[gcoTopRight].Latit, k[gcoTopRight].Longit, ell, zone, eTR, nTR);

  double perMetre = 0;
  if (FDisplay.UTMGridDist >= 1) {
    perMetre = 1.0 / FDisplay.UTMGridDist;
  } else {
    perMetre = 1 / Round125(std::fabs(nTL - nBL) / 10);
    if (!(perMetre <= 1)) perMetre = 1;  // spacing below a metre, zero or not a number
  }
  const double M = View.Magnification;
  const double boxRight = FMapImgWidth * M, boxBottom = FMapImgHeight * M;
  C->Pen.Color = FDisplay.ColorGraticule;
  TSLine line;
  auto draw = [&](TPoint a, TPoint b) {
    const TPoint A = View.ImageToControl(a), B = View.ImageToControl(b);
    line.LineFrom2Points(A.X, A.Y, B.X, B.Y);
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    if (line.ClipBox(0, 0, boxRight, boxBottom, x1, y1, x2, y2)) {
      C->MoveTo(RoundedOrZero(x1), RoundedOrZero(y1));
      C->LineTo(RoundedOrZero(x2), RoundedOrZero(y2));
    }
  };

  if (FamilyFits(nBL, nTL + 1 / perMetre, perMetre))
    for (double n = std::trunc(nBL * perMetre) / perMetre; n < nTL + 1 / perMetre; n += 1 / perMetre)
      draw(TPoint{0, CalcUTMyFromNorthingX(n, 0)}, TPoint{FMapImgWidth, CalcUTMyFromNorthingX(n, FMapImgWidth)});
  if (FamilyFits(eBL, eBR, perMetre))
    for (double e = std::trunc(eBL * perMetre) / perMetre; e < eBR; e += 1 / perMetre)
      draw(TPoint{CalcUTMxFromEastingY(e, 0), 0}, TPoint{CalcUTMxFromEastingY(e, FMapImgHeight), FMapImgHeight});
}

}  // namespace orq
