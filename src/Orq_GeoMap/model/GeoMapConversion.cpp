// TGeoMap's conversions between map-image pixels, control pixels and
// geographic coordinates, the derived corners and resolution, and the inside
// test.
#include <cmath>

#include "orqcarta/Orq_GeoMap.h"
#include "orqmath/SphereGeometry.h"

namespace orq {

namespace {

constexpr double SphereRadius = 6378000;                 // metres
constexpr double FullCircumference = 40074155.88919140;  // 2 pi R
constexpr double HalfCircumference = 20037077.94459570;  // pi R

}  // namespace

bool TGeoMap::UTMPixelToGeo(int x, int y, double& Lat, double& Long) const {
  TUTMMemo& m = FUTMMemo;
  const TCalibData& d = FCalibData;
  if (!(m.Filled && m.X == x && m.Y == y && m.E == FCoefs.EquRectPLSP && m.Zone == d.UTMZone && m.South == d.UTMSouth &&
        m.Ellipsoid == d.Ellipsoid)) {
    const TCoef2x3& E = FCoefs.EquRectPLSP;
    const double northing = E[0][0] + E[0][1] * x + E[0][2] * y;
    const double easting = E[1][0] + E[1][1] * x + E[1][2] * y;
    double lat = 0, lon = 0;
    UTMToLatLong(easting, northing, d.UTMZone, d.UTMSouth, d.Ellipsoid, lat, lon);
    m = TUTMMemo{std::isfinite(lat) && std::isfinite(lon), x, y, E, d.UTMZone, d.UTMSouth, d.Ellipsoid, lat, lon};
    if (!m.Filled) return false;
  }
  Lat = m.Lat;
  Long = m.Long;
  return true;
}

double TGeoMap::CalcLatitude(int x, int y, bool& valid) const {
  if (FCalibModel != cmUTM) return PixelToLatitude(CalibView(), x, y, valid);
  double lat = 0, lon = 0;
  valid = UTMPixelToGeo(x, y, lat, lon);
  return valid ? lat : 0;
}

double TGeoMap::CalcLongitude(int x, int y, bool& valid) const {
  if (FCalibModel != cmUTM) return PixelToLongitude(CalibView(), x, y, valid);
  double lat = 0, lon = 0;
  valid = UTMPixelToGeo(x, y, lat, lon);
  return valid ? lon : 0;
}

bool TGeoMap::CalcPixelCoords(double Lat, double Long, int& x, int& y) const {
  return GeoToPixel(CalibView(), Lat, Long, x, y);
}

bool TGeoMap::CalcPixelCoordsUTM(double Northing, double Easting, int& x, int& y) const {
  x = y = 0;
  if (FCalibModel != cmUTM) return false;
  return UTMToPixel(FCoefs.EquRectSPPL, Northing, Easting, x, y);
}

int TGeoMap::CalcUTMyFromNorthingX(double Northing, int x) const {
  const TCoef2x3& S = FCoefs.EquRectSPPL;
  if (S[0][2] == 0) return 0;
  const double easting = (x - S[0][0] - S[0][1] * Northing) / S[0][2];
  return RoundedOrZero(S[1][0] + S[1][1] * Northing + S[1][2] * easting);
}

int TGeoMap::CalcUTMxFromEastingY(double Easting, int y) const {
  const TCoef2x3& S = FCoefs.EquRectSPPL;
  if (S[1][1] == 0) return 0;
  const double northing = (y - S[1][0] - S[1][2] * Easting) / S[1][1];
  return RoundedOrZero(S[0][0] + S[0][1] * northing + S[0][2] * Easting);
}

TPoint TMapView::ControlToImage(TPoint P) const {
  return TPoint{RoundedOrZero(P.X / Magnification) + TopLeft.X, RoundedOrZero(P.Y / Magnification) + TopLeft.Y};
}

TPoint TMapView::ImageToControl(TPoint P) const {
  return TPoint{RoundedOrZero((static_cast<double>(P.X) - TopLeft.X) * Magnification),
                RoundedOrZero((static_cast<double>(P.Y) - TopLeft.Y) * Magnification)};
}

TMapView TGeoMap::CurrentView() const {
  return TMapView{Width(), Height(), FViewport.TopLeft, FViewport.Magnification};
}

TPoint TGeoMap::ControlToMapImage(TPoint APoint) const { return CurrentView().ControlToImage(APoint); }

TPoint TGeoMap::MapImageToControl(TPoint APoint) const { return CurrentView().ImageToControl(APoint); }

void TGeoMap::CalcExtentsAndResolution() {
  const int w = GrafBmp->Width(), h = GrafBmp->Height();
  auto corner = [&](int x, int y) {
    bool valid = false;
    const double lat = CalcLatitude(x, y, valid);
    const double lon = CalcLongitude(x, y, valid);
    return TCoords{lat, lon};
  };
  FCalibData.Corners[gcoTopLeft] = corner(0, 0);
  FCalibData.Corners[gcoBottomLeft] = corner(0, h);
  FCalibData.Corners[gcoBottomRight] = corner(w, h);
  FCalibData.Corners[gcoTopRight] = corner(w, 0);
  const TCoords left = corner(0, h / 2), right = corner(w, h / 2);
  if (w < 1) {
    FCalibData.Resolution = 0;
    return;
  }
  double d = SphereGreatCircleDist(SphereRadius, left.Latit, left.Longit, right.Latit, right.Longit);
  const double span = right.Longit - left.Longit;
  if (span > 360)
    d += FullCircumference;
  else if (span > 180)
    d += HalfCircumference;
  FCalibData.Resolution = d / w;
}

bool TGeoMap::IsPositionWithinMap(double Latit, double Longit) const {
  return PositionInMap(Latit, Longit, FCalibData.Corners);
}

bool PositionInMap(double Latit, double Longit, const TCornerArray& C) {
  const TCoords& c0 = C[gcoTopLeft];
  const TCoords& c3 = C[gcoTopRight];
  const double ref = (c3.Latit - c0.Latit) * (c0.Longit - Longit) + (c3.Longit - c0.Longit) * (Latit - c0.Latit);
  for (int k = 0; k < 3; ++k) {
    const TCoords& a = C[k];
    const TCoords& b = C[k + 1];
    const double s = (a.Latit - b.Latit) * (b.Longit - Longit) + (a.Longit - b.Longit) * (Latit - b.Latit);
    if (!(s * ref > 0)) return false;
  }
  return true;
}

void TGeoMap::PanMapToFillWindow() {
  const double a = FMapImgWidth - Width() / FViewport.Magnification;
  const double b = FMapImgHeight - Height() / FViewport.Magnification;
  if (FViewport.TopLeft.X > a) FViewport.TopLeft.X = RoundedOrZero(a);
  if (FViewport.TopLeft.Y > b) FViewport.TopLeft.Y = RoundedOrZero(b);
  if (FViewport.TopLeft.X < 0) FViewport.TopLeft.X = 0;
  if (FViewport.TopLeft.Y < 0) FViewport.TopLeft.Y = 0;
}

}  // namespace orq
