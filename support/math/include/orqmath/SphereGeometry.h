// Distances on a sphere.
#pragma once

namespace orq {

// Great-circle distance between (Lat1, Long1) and (Lat2, Long2), given in
// degrees, on a sphere of the given radius; the result is in the unit of the
// radius, 0 .. pi*Radius. Uses the atan2 form of the Vincenty formula, which
// stays accurate for coincident, tiny and antipodal distances alike.
double SphereGreatCircleDist(double Radius, double Lat1, double Long1, double Lat2, double Long2);

}  // namespace orq
