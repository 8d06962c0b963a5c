#include "TMKernels.h"
#include "UTMZoneRules.h"

namespace orq {

using namespace detail;

void LatLongToUTM(double Latitude, double Longitude, TGeoEllipsoid Ellipsoid, int& Zone, double& Easting,
                  double& Northing) {
  const TEllipsoidConstants& k = EllipsoidConstants(Ellipsoid);
  char letter;
  UTMZoneOf(Latitude, Longitude, Zone, letter);
  // Outside the UTM range the zone is 0 and the projection runs about meridian 0.
  const double lambda0 = UTMCentralMeridianOf(Zone);
  double x, y;
  TMForward(k, DegToRad(Latitude), DegToRad(Longitude) - lambda0, x, y);
  Easting = x * kUTMScale + kUTMFalseEasting;
  Northing = y * kUTMScale;
  if (Northing < 0) Northing += kUTMFalseNorthing;
}

void UTMToLatLong(double Easting, double Northing, int Zone, bool SouthernHemi, TGeoEllipsoid Ellipsoid,
                  double& Latitude, double& Longitude) {
  const TEllipsoidConstants& k = EllipsoidConstants(Ellipsoid);
  const double x = (Easting - kUTMFalseEasting) / kUTMScale;
  if (SouthernHemi) Northing -= kUTMFalseNorthing;
  const double y = Northing / kUTMScale;
  double phi, l;
  TMInverse(k, x, y, phi, l);
  Latitude = RadToDeg(phi);
  Longitude = RadToDeg(UTMCentralMeridianOf(Zone) + l);
}

}  // namespace orq
