// The status-bar text for a map position: latitude and longitude in
// degrees-minutes-seconds and decimal degrees, and its UTM zone, easting and
// northing.
#pragma once

#include <string>

#include "orqcarta/Orq_GeoBasics.h"

namespace orq::viewer {

// "47°22'30.5\"N" for 47.37514, ... ; IsLatitude picks N/S or E/W.
std::string DegreesMinutesSeconds(double Degrees, bool IsLatitude);
// "47°22'30.5"N 8°32'24.0"E (47.375139, 8.540000)  UTM 32T 465 xxx E 5 246 xxx N"
// style; the UTM part is left out outside the UTM latitude range.
std::string PositionText(double Latitude, double Longitude, TGeoEllipsoid Ellipsoid);

}  // namespace orq::viewer
