// QGIS georeferencer .points files: not a GDAL format, so read here.
#pragma once

#include <string>

#include "orqcarta/Orq_GeoGdal.h"

namespace orq::gdal_detail {

// IMAGE.points: an optional "#CRS: <WKT>" line, a header row naming the
// columns (mapX, mapY, sourceX, sourceY, enable ...; older files say pixelX,
// pixelY), then one GCP a row. sourceY counts upward from the top edge, so
// it is negative on the image. Disabled rows are skipped. The image is the
// file's name without ".points".
TImportedCalibration ImportQgisPoints(const std::string& Path, TCalibModel Model);

}  // namespace orq::gdal_detail
