#include "CalibGcps.h"

#include <cmath>
#include <memory>

namespace orq::gdal_detail {

namespace {

bool AllWithinLonLat(const std::vector<TSourceGcp>& Gcps) {
  for (const TSourceGcp& g : Gcps)
    if (!(std::fabs(g.X) <= 180 && std::fabs(g.Y) <= 90)) return false;
  return true;
}

// Our ellipsoid of the CRS's, matched on both axes to a millimetre.
TGeoEllipsoid EllipsoidOf(const OGRSpatialReference& Crs, const std::string& File) {
  OGRErr err = OGRERR_NONE;
  const double a = Crs.GetSemiMajor(&err), b = Crs.GetSemiMinor(&err);
  for (int e = 0; e < GeoEllipsoidCount; ++e)
    if (std::fabs(GeoEllipsoidData[e][0] - a) < 1e-3 && std::fabs(GeoEllipsoidData[e][1] - b) < 1e-3)
      return static_cast<TGeoEllipsoid>(e);
  Fail(File, "the ellipsoid of the UTM CRS (a = " + std::to_string(a) + " m) is none of ours");
}

int PixelOf(double GdalCoordinate, const std::string& File) {
  const double f = std::floor(GdalCoordinate);
  if (!(std::fabs(f) <= MaxPixelCoordinate)) Fail(File, "a GCP lies outside any pixel range");
  return static_cast<int>(f);
}

TCalibModel DefaultModel(const TGcpSource& S, bool Utm) {
  if (Utm) return cmUTM;
  if (S.FromGeoTransform) return cmEquiRect;
  return S.Gcps.size() >= 6 ? cmBiquadraticPn : cmEquiRect;
}

}  // namespace

TImportedCalibration CalibrationFromGcps(const TGcpSource& S, TCalibModel Requested) {
  const int n = static_cast<int>(S.Gcps.size());
  if (n < 3) Fail(S.File, std::to_string(n) + (n == 1 ? " GCP" : " GCPs") + "; a calibration needs at least 3");
  if (n > MaxCalibQuads)
    Fail(S.File, std::to_string(n) + " GCPs; a calibration holds at most " + std::to_string(MaxCalibQuads));
  if (Requested == cmParabolicIp || Requested < cmParabolicIp || Requested > cmUndefined)
    Fail(S.File, "GCPs make quadruples; the parabolic model takes calibration lines");

  OGRSpatialReference lonLat = Wgs84LonLat();
  const OGRSpatialReference* crs = S.Crs;
  if (!crs) {
    if (!AllWithinLonLat(S.Gcps)) Fail(S.File, "the GCPs have no CRS and are not longitudes and latitudes");
    crs = &lonLat;
  }
  int north = 0;
  const int zone = crs->IsProjected() ? crs->GetUTMZone(&north) : 0;
  if (Requested == cmUTM && zone == 0) Fail(S.File, "the UTM model needs GCPs in a UTM CRS");
  const bool utm = zone != 0 && (Requested == cmUndefined || Requested == cmUTM);

  TImportedCalibration result;
  result.Model = Requested == cmUndefined ? DefaultModel(S, utm) : Requested;
  result.ImageWidth = S.Width;
  result.ImageHeight = S.Height;
  TCalibData& d = result.Data;
  d.MapFName = S.Image;
  d.UTMZone = -1;
  d.NumCalQuads = n;

  std::vector<double> xs(S.Gcps.size()), ys(S.Gcps.size());
  for (std::size_t i = 0; i < S.Gcps.size(); ++i) {
    xs[i] = S.Gcps[i].X;
    ys[i] = S.Gcps[i].Y;
  }
  if (utm) {
    d.UTMZone = zone;
    d.UTMSouth = north == 0;
    d.Ellipsoid = EllipsoidOf(*crs, S.File);
  } else if (!crs->IsSame(&lonLat)) {
    std::unique_ptr<OGRCoordinateTransformation> ct(OGRCreateCoordinateTransformation(crs, &lonLat));
    if (!ct || !ct->Transform(n, xs.data(), ys.data()))
      Fail(S.File, "the GCPs' CRS cannot be converted to latitude and longitude");
  }
  for (int i = 0; i < n; ++i) {
    TCalQuad& q = d.CalQuads[static_cast<std::size_t>(i)];
    if (!std::isfinite(xs[static_cast<std::size_t>(i)]) || !std::isfinite(ys[static_cast<std::size_t>(i)]))
      Fail(S.File, "GCP " + std::to_string(i + 1) + " has no finite position");
    q.Latitude = ys[static_cast<std::size_t>(i)];  // northing in cmUTM
    q.Longitude = xs[static_cast<std::size_t>(i)];  // easting in cmUTM
    q.MapX = PixelOf(S.Gcps[static_cast<std::size_t>(i)].Pixel, S.File);
    q.MapY = PixelOf(S.Gcps[static_cast<std::size_t>(i)].Line, S.File);
  }
  return result;
}

}  // namespace orq::gdal_detail
