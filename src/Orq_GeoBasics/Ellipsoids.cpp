// Parameters derived from the catalogue axes. The catalogue stores a and b,
// so flattening and eccentricity are always computed from them (WGS 84 thus
// gives 1/f = 298.257223560..., not the defining 298.257223563).
#include <cmath>

#include "orqcarta/Orq_GeoBasics.h"

namespace orq {

namespace {
// A value outside the enumeration would read past the catalogue.
TGeoEllipsoid Checked(TGeoEllipsoid e) {
  if (static_cast<unsigned>(e) >= static_cast<unsigned>(GeoEllipsoidCount))
    throw EOrqGeoBasicsError("invalid ellipsoid");
  return e;
}
double SemiMajor(TGeoEllipsoid e) { return GeoEllipsoidData[Checked(e)][0]; }
double SemiMinor(TGeoEllipsoid e) { return GeoEllipsoidData[Checked(e)][1]; }
}  // namespace

double GeoEllEccSquared(TGeoEllipsoid Ellipsoid) {
  const double a = SemiMajor(Ellipsoid), b = SemiMinor(Ellipsoid);
  return 1.0 - (b * b) / (a * a);
}

double GeoEllEccSquared(double Axis1, double Axis2) {
  const double ratio = Axis1 < Axis2 ? Axis1 / Axis2 : Axis2 / Axis1;
  return 1.0 - ratio * ratio;
}

double GeoEllEccSquared(double RecipFlat) {
  if (RecipFlat == 0) return 0;
  const double f = 1.0 / RecipFlat;
  return 2.0 * f - f * f;
}

double RecipFlattening(TGeoEllipsoid Ellipsoid) { return RecipFlattening(SemiMajor(Ellipsoid), SemiMinor(Ellipsoid)); }

double RecipFlattening(double SemiMajor, double SemiMinor) {
  if (SemiMajor == SemiMinor) return 0;
  return 1.0 / (1.0 - SemiMinor / SemiMajor);
}

double RecipFlattening(double EccSquared) {
  if (!(EccSquared >= 0 && EccSquared <= 1)) throw EOrqGeoBasicsError("invalid eccentricity");
  if (EccSquared == 0) return 0;
  return 1.0 / (1.0 - std::sqrt(1.0 - EccSquared));
}

double EllipsoidMinAxFlat(double SemiMajor, double RecipFlat) {
  if (!(RecipFlat >= 0)) throw EOrqGeoBasicsError("invalid reciprocal flattening");
  if (RecipFlat == 0) return SemiMajor;
  return SemiMajor * (1.0 - 1.0 / RecipFlat);
}

double EllipsoidMinAxEcc(double SemiMajor, double EccSquared) {
  if (!(EccSquared >= 0)) throw EOrqGeoBasicsError("invalid eccentricity");
  return SemiMajor * std::sqrt(1.0 - EccSquared);
}

}  // namespace orq
