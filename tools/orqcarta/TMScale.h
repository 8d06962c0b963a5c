// Meridian convergence and point scale of the library's transverse
// Mercator at a position, for the grid users who need bearings and
// distances from grid coordinates.
#pragma once

#include "orqcarta/Orq_GeoBasics.h"

namespace orq::cli {

struct TGridScale {
  double Convergence = 0;  // degrees: bearing of grid north clockwise from true north
  double Scale = 1;        // point scale of the unscaled projection
};

// At Latitude, Longitude (degrees) about CentralMeridian (degrees). The
// library has the projection but not its derivatives; they are taken here
// by central differences of the same series (step 1e-5 rad, good to about
// 1e-10 in k and 1e-9 degrees in the convergence), so they belong to
// exactly the projection that produced the coordinates.
TGridScale TMConvergenceAndScale(double Latitude, double Longitude, double CentralMeridian, TGeoEllipsoid Ellipsoid);

}  // namespace orq::cli
