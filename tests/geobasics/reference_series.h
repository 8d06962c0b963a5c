// A plain, line-by-line transcription of the projection and cartesian
// formulas, with no precomputation and every sine and power taken directly.
// The library's optimised versions are checked against it.
#pragma once

#include "orqcarta/Orq_GeoBasics.h"

namespace orq::reference {

double ArcLengthOfMeridian(double Phi, TGeoEllipsoid Ellipsoid);
double FootpointLatitude(double Y, TGeoEllipsoid Ellipsoid);
void LatLongToTM(double Phi, double Lambda, double Lambda0, TGeoEllipsoid Ellipsoid, double& X, double& Y);
void TMToLatLong(double X, double Y, double Lambda0, TGeoEllipsoid Ellipsoid, double& Phi, double& Lambda);
void LatLongToUTM(double Latitude, double Longitude, TGeoEllipsoid Ellipsoid, int& Zone, double& Easting,
                  double& Northing);
void UTMToLatLong(double Easting, double Northing, int Zone, bool SouthernHemi, TGeoEllipsoid Ellipsoid,
                  double& Latitude, double& Longitude);
void GeoToCartesian(double Latitude, double Longitude, double Height, TGeoEllipsoid Ellipsoid, double& X,
                    double& Y, double& Z);
// Valid off the polar axis only (p > 0).
void CartesianToGeo(double X, double Y, double Z, TGeoEllipsoid Ellipsoid, double& Latitude, double& Longitude,
                    double& Height);

}  // namespace orq::reference
