#include <limits>

#include "TMKernels.h"
#include "UTMZoneRules.h"

namespace orq {

using namespace detail;

namespace {

// Unscaled grid coordinates about the zone's central meridian; both
// forwards scale and shift them.
void TMInZone(const TEllipsoidConstants& K, double Latitude, double Longitude, int Zone, double& X, double& Y) {
  TMForward(K, DegToRad(Latitude), DegToRad(Longitude) - UTMCentralMeridianOf(Zone), X, Y);
}

}  // namespace

void LatLongToUTM(double Latitude, double Longitude, TGeoEllipsoid Ellipsoid, int& Zone, double& Easting,
                  double& Northing) {
  const TEllipsoidConstants& k = EllipsoidConstants(Ellipsoid);
  char letter;
  UTMZoneOf(Latitude, Longitude, Zone, letter);
  // Outside the UTM range the zone is 0 and the projection runs about meridian 0.
  double x, y;
  TMInZone(k, Latitude, Longitude, Zone, x, y);
  Easting = x * UTMScaleFactor + UTMFalseEasting;
  Northing = y * UTMScaleFactor;
  if (Northing < 0) Northing += UTMFalseNorthing;
}

void LatLongToUTM(double Latitude, double Longitude, TGeoEllipsoid Ellipsoid, int Zone, bool SouthernHemi,
                  double& Easting, double& Northing) {
  const TEllipsoidConstants& k = EllipsoidConstants(Ellipsoid);
  if (Zone < 1 || Zone > 60) {
    Easting = Northing = std::numeric_limits<double>::quiet_NaN();
    return;
  }
  double x, y;
  TMInZone(k, Latitude, Longitude, Zone, x, y);
  Easting = x * UTMScaleFactor + UTMFalseEasting;
  Northing = y * UTMScaleFactor + (SouthernHemi ? UTMFalseNorthing : 0.0);
}

void UTMToLatLong(double Easting, double Northing, int Zone, bool SouthernHemi, TGeoEllipsoid Ellipsoid,
                  double& Latitude, double& Longitude) {
  const TEllipsoidConstants& k = EllipsoidConstants(Ellipsoid);
  const double x = (Easting - UTMFalseEasting) / UTMScaleFactor;
  if (SouthernHemi) Northing -= UTMFalseNorthing;
  const double y = Northing / UTMScaleFactor;
  double phi, l;
  TMInverse(k, x, y, phi, l);
  Latitude = RadToDeg(phi);
  Longitude = RadToDeg(UTMCentralMeridianOf(Zone) + l);
}

}  // namespace orq
