#include "GeoDBLayers.h"

namespace orq {

const char* GeoDBLayerName(TgdbItem Kind) {
  static const char* const names[gitUndefined] = {"borders", "towns", "cities", "lakes",
                                                  "rivers",  "roads", "routes", "blobs"};
  return Kind >= gitBorder && Kind < gitUndefined ? names[Kind] : "undefined";
}

int TGeoDBOgrCounts::Total() const {
  int total = 0;
  for (int n : ByKind) total += n;
  return total;
}

namespace gdal_detail {

OGRwkbGeometryType GeometryOfKind(TgdbItem Kind) {
  switch (Kind) {
    case gitTown: return wkbPoint;
    case gitBorder:
    case gitCity:
    case gitLake: return wkbPolygon;
    case gitRiver:
    case gitRoad:
    case gitRoute: return wkbLineString;
    default: return wkbNone;
  }
}

}  // namespace gdal_detail
}  // namespace orq
