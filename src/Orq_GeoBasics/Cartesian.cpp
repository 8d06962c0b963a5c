#include "CartesianKernels.h"

namespace orq {

void GeoToCartesian(double Latitude, double Longitude, double Height, TGeoEllipsoid Ellipsoid, double& X,
                    double& Y, double& Z) {
  detail::GeoToCartesianK(detail::EllipsoidConstants(Ellipsoid), Latitude, Longitude, Height, X, Y, Z);
}

void CartesianToGeo(double X, double Y, double Z, TGeoEllipsoid Ellipsoid, double& Latitude, double& Longitude,
                    double& Height) {
  detail::CartesianToGeoK(detail::EllipsoidConstants(Ellipsoid), X, Y, Z, Latitude, Longitude, Height);
}

}  // namespace orq
