// Seven-parameter datum shift through the common frame (WGS 84): each datum's
// parameters carry its positions into that frame in the position-vector
// convention with small-angle rotations; leaving the frame applies the target
// datum's parameters with their signs reversed.
#include "CartesianKernels.h"

namespace orq {

using namespace detail;

namespace {
constexpr double kArcSecToRad = Pi / 180.0 / 3600.0;
}  // namespace

int HelmertTransform(int SourceDatum, double Latitude, double Longitude, double Height, int TargetDatum,
                     double& LatitudeOut, double& LongitudeOut, double& HeightOut) {
  const bool sourceValid = SourceDatum >= 1 && SourceDatum <= GeoDatumCount;
  const bool targetValid = TargetDatum >= 1 && TargetDatum <= GeoDatumCount;
  // The first failing check decides; NaN counts as out of range.
  int result = 0;
  if (!sourceValid)
    result = -1;
  else if (!targetValid)
    result = -2;
  else if (!(Latitude >= -90.0 && Latitude <= 90.0))
    result = -3;
  else if (!(Longitude >= -180.0 && Longitude <= 180.0))
    result = -4;

  if (!sourceValid || !targetValid) {
    LatitudeOut = Latitude;
    LongitudeOut = Longitude;
    HeightOut = Height;
    return result;
  }
  const TGeoDatum& src = GeoDatumData[SourceDatum - 1];
  const TGeoDatum& dst = GeoDatumData[TargetDatum - 1];

  double X, Y, Z;
  GeoToCartesianK(EllipsoidConstants(src.Ellipsoid), Latitude, Longitude, Height, X, Y, Z);

  const double k = 1.0 + src.Scale * 1e-6;
  double rx = src.RotX * kArcSecToRad, ry = src.RotY * kArcSecToRad, rz = src.RotZ * kArcSecToRad;
  const double X1 = k * (X - Y * rz + Z * ry) + src.DX;
  const double Y1 = k * (Y + X * rz - Z * rx) + src.DY;
  const double Z1 = k * (Z - X * ry + Y * rx) + src.DZ;

  const double kt = 1.0 - dst.Scale * 1e-6;
  rx = -dst.RotX * kArcSecToRad;
  ry = -dst.RotY * kArcSecToRad;
  rz = -dst.RotZ * kArcSecToRad;
  const double X2 = kt * (X1 - Y1 * rz + Z1 * ry) - dst.DX;
  const double Y2 = kt * (Y1 + X1 * rz - Z1 * rx) - dst.DY;
  const double Z2 = kt * (Z1 - X1 * ry + Y1 * rx) - dst.DZ;

  CartesianToGeoK(EllipsoidConstants(dst.Ellipsoid), X2, Y2, Z2, LatitudeOut, LongitudeOut, HeightOut);
  return result;
}

}  // namespace orq
