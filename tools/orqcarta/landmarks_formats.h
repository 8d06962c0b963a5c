// Landmarks as CSV and as GeoJSON points, both in UTF-8.
//
// CSV: a header row of field names (see landmarks_fields.h), then one row a
// landmark; fields quoted as RFC 4180 has it where they hold a comma, a quote,
// a line break or outer blanks. On reading, the columns may come in any order
// and any subset, but "lat" and "long" are required; a missing column, and an
// empty number field, keep the template's value.
//
// GeoJSON: a FeatureCollection of Point features, coordinates [long, lat, alt],
// the other fields as properties. On reading, a single Feature is accepted
// too; every feature needs a Point geometry; a property that is null keeps
// the template's value.
//
// Both readers raise EInputError naming the row or feature, and list the
// names of columns or properties they ignore in Ignored.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "orqcarta/Orq_GeoMap.h"

namespace orq::cli {

std::string LandmarksToCsv(const std::vector<TLandMark>& LandMarks);
std::vector<TLandMark> LandmarksFromCsv(std::string_view Text, const TLandMark& Template,
                                        std::vector<std::string>& Ignored);

std::string LandmarksToGeoJson(const std::vector<TLandMark>& LandMarks);
std::vector<TLandMark> LandmarksFromGeoJson(std::string_view Text, const TLandMark& Template,
                                            std::vector<std::string>& Ignored);

}  // namespace orq::cli
