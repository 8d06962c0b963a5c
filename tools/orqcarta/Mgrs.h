// Military grid reference system: UTM and UPS grid positions written as a
// grid zone, a 100 km square and digits, e.g. 33UUU9139017855.
#pragma once

#include <string>
#include <string_view>

#include "orqcarta/Orq_GeoBasics.h"

namespace orq::cli {

inline constexpr int MgrsMaxDigits = 5;  // per axis: 1 m

// The reference of a position (degrees), with Digits 0..5 per axis (0: the
// 100 km square, 5: 1 m). UTM from -80 up to but not including 84 with the
// Norway and Svalbard zones, UPS beyond, as GeographicLib does; latitude
// bands are 8 degrees from C at -80, X is 12 (72..84). Grid coordinates are
// truncated, not rounded, so the reference names the square that contains
// the position. Throws EInputError outside -90..90 or for NaN.
std::string MgrsForward(double Latitude, double Longitude, TGeoEllipsoid Ellipsoid, int Digits);

struct TMgrsPosition {
  double Latitude = 0, Longitude = 0;  // degrees
  int Digits = 0;                      // per axis, as given
};

// The centre of the square a reference names ("33UUU9139017855",
// "33uuu 91390 17855", "ZGC 2500 5000"); blanks are ignored, letters may be
// lower case. Throws EInputError for a malformed reference, a square that
// does not exist in its zone, or a square outside its latitude band.
TMgrsPosition MgrsReverse(std::string_view Reference, TGeoEllipsoid Ellipsoid);

}  // namespace orq::cli
