// The layout of geo-database items in OGR layers, shared by export and
// import: layer names, attribute names, and which geometry each kind takes.
#pragma once

#include <ogrsf_frmts.h>

#include "orqcarta/Orq_GeoGdal.h"

namespace orq::gdal_detail {

// Attributes of every item layer (and of the BLOB table).
namespace dbf {
inline constexpr const char* ItemId = "item_id";
inline constexpr const char* Name = "name";
inline constexpr const char* Altitude = "altitude";
inline constexpr const char* Class = "class";
inline constexpr const char* Tag = "tag";
inline constexpr const char* Date = "date";  // TDateTime as a number, so that it comes back exactly
inline constexpr const char* State = "state";
inline constexpr const char* LatLow = "lat_low";
inline constexpr const char* LatHigh = "lat_high";
inline constexpr const char* LongLow = "long_low";
inline constexpr const char* LongHigh = "long_high";
inline constexpr const char* NumPoints = "num_points";  // outline points, the ring's closing point not counted
inline constexpr const char* Closed = "closed";
// Polygons: the turn of the outline as exported. Shapefiles store outer rings
// clockwise and turn the others round; the import turns them back.
inline constexpr const char* Clockwise = "clockwise";
// BLOB table only.
inline constexpr const char* Keywords = "keywords";
inline constexpr const char* Caption = "caption";
inline constexpr const char* FilePath = "file_path";
inline constexpr const char* Descriptor = "descriptor";
inline constexpr const char* Comment = "comment";
inline constexpr const char* Data = "data";
}  // namespace dbf

// wkbPoint for towns, wkbPolygon for borders, cities and lakes,
// wkbLineString for rivers, roads and routes, wkbNone for BLOBs.
OGRwkbGeometryType GeometryOfKind(TgdbItem Kind);
// True for the kinds whose outline has a "closed" flag of its own.
inline bool HasClosedFlag(TgdbItem Kind) { return Kind == gitBorder || Kind == gitCity; }

}  // namespace orq::gdal_detail
