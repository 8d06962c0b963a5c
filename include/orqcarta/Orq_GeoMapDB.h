// Geo-database items drawn on a map: the bridge between TGeoDB and TGeoMap
// that every application holding both needs. It lives with the map (the map
// module uses the database; the database knows nothing of maps).
#pragma once

#include <functional>

#include "orqcarta/Orq_GeoDB.h"
#include "orqcarta/Orq_GeoMap.h"

namespace orq {

// Chooses the items to draw from their summary record; an empty filter takes
// every polygon item (borders, cities, lakes, rivers, roads, routes).
using TGeoDBItemFilter = std::function<bool(const TgdbData& Item)>;

// Draws, in control pixels on Canvas (the one OnBeforeRenderData and
// OnDataRendered hand over), the outline of each polygon item of DB whose
// bounding box meets the part of the map the control shows. Each point goes
// through CalcPixelCoords and MapImageToControl; a point the calibration
// cannot convert breaks the line there. Closed items are drawn closed. Towns
// and BLOBs have no outline and are skipped. The canvas pen is set to Pen and
// left so. Returns the number of items drawn; 0 when the map has no image or
// calibration, or the database is closed.
int DrawGeoDBItems(TGeoMap& Map, TGeoDB& DB, TCanvas* Canvas, const TGeoDBItemFilter& Filter, const TPen& Pen);

// The latitude/longitude box (degrees) the control's view covers, found from
// points along the edges of the window; false when the calibration converts
// none of them.
bool VisibleGeoBox(const TGeoMap& Map, double& LatLow, double& LatHigh, double& LongLow, double& LongHigh);

}  // namespace orq
