// GCPs as they come from another tool, turned into quadruples of one of our
// models (the rule is stated with ImportCalibration in Orq_GeoGdal.h).
#pragma once

#include <string>
#include <vector>

#include "GdalSupport.h"

namespace orq::gdal_detail {

struct TSourceGcp {
  double Pixel = 0, Line = 0, X = 0, Y = 0;  // GDAL pixel convention, X/Y in the source CRS
};

struct TGcpSource {
  std::string File;   // named in messages
  std::string Image;  // the image the GCPs belong to (absolute)
  int Width = 0, Height = 0;
  std::vector<TSourceGcp> Gcps;
  const OGRSpatialReference* Crs = nullptr;  // null: none given
  bool FromGeoTransform = false;             // an affine law, sampled
};

TImportedCalibration CalibrationFromGcps(const TGcpSource& Source, TCalibModel Requested);

}  // namespace orq::gdal_detail
