// The map control TGeoMap: a raster map image tied to latitude and longitude
// by calibration data and one of six calibration models.
#pragma once

#include "orqbase/OrqError.h"
#include "orqcarta/Orq_GeoBasics.h"
#include "orqcarta/geomap/CalibMath.h"
#include "orqcarta/geomap/Records.h"

namespace orq {

// Failures of the map control, the symbol repository and the atlas.
class EOrqGeoMapError : public EOrqError {
 public:
  using EOrqError::EOrqError;
};

}  // namespace orq
