// The commands and landmark formats that work through GDAL/OGR (calib
// export/import, db export/import, GPX/KML/KMZ/GeoPackage landmarks). With
// GDAL they live in calib_gdal_commands.cpp, db_ogr_commands.cpp and
// landmarks_ogr_formats.cpp; a build without GDAL links gdal_unavailable.cpp
// instead, whose commands say so.
#pragma once

#include <string>
#include <vector>

#include "Commands.h"
#include "orqcarta/Orq_GeoMap.h"

namespace orq::cli {

// calib export, calib import
void RegisterCalibGdalCommands(CLI::App& Calib, TCliContext& Context);
// db export, db import
void RegisterDbOgrCommands(CLI::App& Db, TCliContext& Context);

// True for the lower-case names and extensions of the OGR landmark formats:
// gpx, kml, kmz, gpkg.
inline bool IsOgrLandmarkFormat(const std::string& LowerName) {
  return LowerName == "gpx" || LowerName == "kml" || LowerName == "kmz" || LowerName == "gpkg";
}
// Format is the --from/--to value, or empty for the file's extension. Bad
// input raises EInputError, a file that cannot be written runtime_error.
std::vector<TLandMark> ReadOgrLandmarks(const std::string& Path, const std::string& Format, const TLandMark& Template);
void WriteOgrLandmarks(const std::string& Path, const std::string& Format, const std::vector<TLandMark>& LandMarks);

}  // namespace orq::cli
