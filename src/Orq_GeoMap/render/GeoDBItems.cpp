// Geo-database outlines drawn on the map control's canvas.
#include <algorithm>
#include <cmath>
#include <vector>

#include "orqcarta/Orq_GeoMapDB.h"

namespace orq {

namespace {

// Points per window edge sampled for the visible box: enough to follow the
// bend of a conic or UTM graticule across one window.
constexpr int EdgeSamples = 16;
// The box grows by this share of its size on every side, so that an outline
// whose box only touches the window's edge still reaches into it.
constexpr double BoxMargin = 0.02;

}  // namespace

bool VisibleGeoBox(const TGeoMap& Map, double& LatLow, double& LatHigh, double& LongLow, double& LongHigh) {
  const int w = Map.Width(), h = Map.Height();
  LatLow = LongLow = HUGE_VAL;
  LatHigh = LongHigh = -HUGE_VAL;
  bool any = false;
  auto take = [&](int x, int y) {
    const TPoint image = Map.ControlToMapImage(TPoint{x, y});
    bool latOk = false, longOk = false;
    const double lat = Map.CalcLatitude(image, latOk);
    const double lon = Map.CalcLongitude(image, longOk);
    if (!latOk || !longOk || !std::isfinite(lat) || !std::isfinite(lon)) return;
    any = true;
    LatLow = std::min(LatLow, lat);
    LatHigh = std::max(LatHigh, lat);
    LongLow = std::min(LongLow, lon);
    LongHigh = std::max(LongHigh, lon);
  };
  for (int i = 0; i <= EdgeSamples; ++i) {
    const int x = static_cast<int>(std::lround(static_cast<double>(w) * i / EdgeSamples));
    const int y = static_cast<int>(std::lround(static_cast<double>(h) * i / EdgeSamples));
    take(x, 0);
    take(x, h);
    take(0, y);
    take(w, y);
  }
  if (!any) return false;
  const double dLat = (LatHigh - LatLow) * BoxMargin, dLong = (LongHigh - LongLow) * BoxMargin;
  LatLow = std::max(-90.0, LatLow - dLat);
  LatHigh = std::min(90.0, LatHigh + dLat);
  LongLow = std::max(-180.0, LongLow - dLong);
  LongHigh = std::min(180.0, LongHigh + dLong);
  return true;
}

int DrawGeoDBItems(TGeoMap& Map, TGeoDB& DB, TCanvas* Canvas, const TGeoDBItemFilter& Filter, const TPen& Pen) {
  if (!Canvas || DB.DBName().empty() || Map.MapImgWidth() < 1 || Map.MapImgHeight() < 1) return 0;
  double latLow = 0, latHigh = 0, longLow = 0, longHigh = 0;
  if (!VisibleGeoBox(Map, latLow, latHigh, longLow, longHigh)) return 0;
  Canvas->Pen = Pen;
  int drawn = 0;
  std::vector<TSCoords> polygon;
  std::vector<TPoint> run;
  auto flush = [&] {
    if (run.size() >= 2) Canvas->Polyline(run);
    run.clear();
  };
  for (const int entry : DB.FindItemsInRegion(latLow, latHigh, longLow, longHigh)) {
    const TgdbData item = DB.GetSumdata(entry);
    if (!IsPolygonKind(item.ItemKind) || (Filter && !Filter(item))) continue;
    if (!DB.RetrievePolygon(entry, polygon) || polygon.empty()) continue;
    run.clear();
    for (const TSCoords& p : polygon) {
      int x = 0, y = 0;
      if (!Map.CalcPixelCoords(p.Latit, p.Longit, x, y)) {
        flush();
        continue;
      }
      run.push_back(Map.MapImageToControl(TPoint{x, y}));
    }
    // Polyline leaves out the end point; closing repeats the first point, an
    // open line gets its last pixel drawn by one step more.
    if (item.Closed && run.size() == polygon.size() && run.size() >= 3) {
      run.push_back(run.front());
    } else if (!run.empty()) {
      const TPoint last = run.back();
      run.push_back(TPoint{last.X + 1, last.Y});
    }
    flush();
    ++drawn;
  }
  return drawn;
}

}  // namespace orq
