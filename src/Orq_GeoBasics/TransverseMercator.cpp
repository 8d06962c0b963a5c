#include "TMKernels.h"

namespace orq {

double ArcLengthOfMeridian(double Phi, TGeoEllipsoid Ellipsoid) {
  const detail::TEllipsoidConstants& k = detail::EllipsoidConstants(Ellipsoid);
  double s, c;
  detail::SinCos(Phi, s, c);
  return detail::MeridianArc(k, Phi, s, c);
}

void LatLongToTM(double Phi, double Lambda, double Lambda0, TGeoEllipsoid Ellipsoid, double& X, double& Y) {
  detail::TMForward(detail::EllipsoidConstants(Ellipsoid), Phi, Lambda - Lambda0, X, Y);
}

void TMToLatLong(double X, double Y, double Lambda0, TGeoEllipsoid Ellipsoid, double& Phi, double& Lambda) {
  double l;
  detail::TMInverse(detail::EllipsoidConstants(Ellipsoid), X, Y, Phi, l);
  Lambda = Lambda0 + l;
}

}  // namespace orq
