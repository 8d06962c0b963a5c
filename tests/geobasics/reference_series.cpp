#include "reference_series.h"

#include <cmath>

namespace orq::reference {

namespace {
constexpr double kPi = 3.14159265358979323846;
double A(TGeoEllipsoid e) { return GeoEllipsoidData[e][0]; }
double B(TGeoEllipsoid e) { return GeoEllipsoidData[e][1]; }
}  // namespace

double ArcLengthOfMeridian(double phi, TGeoEllipsoid e) {
  const double a = A(e), b = B(e);
  const double n = (a - b) / (a + b);
  const double alpha = ((a + b) / 2.0) * (1.0 + std::pow(n, 2.0) / 4.0 + std::pow(n, 4.0) / 64.0);
  const double beta = (-3.0 * n / 2.0) + (9.0 * std::pow(n, 3.0) / 16.0) + (-3.0 * std::pow(n, 5.0) / 32.0);
  const double gamma = (15.0 * std::pow(n, 2.0) / 16.0) + (-15.0 * std::pow(n, 4.0) / 32.0);
  const double delta = (-35.0 * std::pow(n, 3.0) / 48.0) + (105.0 * std::pow(n, 5.0) / 256.0);
  const double epsilon = 315.0 * std::pow(n, 4.0) / 512.0;
  return alpha * (phi + beta * std::sin(2.0 * phi) + gamma * std::sin(4.0 * phi) + delta * std::sin(6.0 * phi) +
                  epsilon * std::sin(8.0 * phi));
}

double FootpointLatitude(double y, TGeoEllipsoid e) {
  const double a = A(e), b = B(e);
  const double n = (a - b) / (a + b);
  const double alpha = ((a + b) / 2.0) * (1.0 + std::pow(n, 2.0) / 4.0 + std::pow(n, 4.0) / 64.0);
  const double yy = y / alpha;
  const double beta = (3.0 * n / 2.0) + (-27.0 * std::pow(n, 3.0) / 32.0) + (269.0 * std::pow(n, 5.0) / 512.0);
  const double gamma = (21.0 * std::pow(n, 2.0) / 16.0) + (-55.0 * std::pow(n, 4.0) / 32.0);
  const double delta = (151.0 * std::pow(n, 3.0) / 96.0) + (-417.0 * std::pow(n, 5.0) / 128.0);
  const double epsilon = 1097.0 * std::pow(n, 4.0) / 512.0;
  return yy + beta * std::sin(2.0 * yy) + gamma * std::sin(4.0 * yy) + delta * std::sin(6.0 * yy) +
         epsilon * std::sin(8.0 * yy);
}

void LatLongToTM(double phi, double lambda, double lambda0, TGeoEllipsoid e, double& x, double& y) {
  const double a = A(e), b = B(e);
  const double ep2 = (std::pow(a, 2.0) - std::pow(b, 2.0)) / std::pow(b, 2.0);
  const double nu2 = ep2 * std::pow(std::cos(phi), 2.0);
  const double N = std::pow(a, 2.0) / (b * std::sqrt(1 + nu2));
  const double t = std::tan(phi);
  const double t2 = t * t;
  const double l = lambda - lambda0;
  const double c = std::cos(phi);

  const double l3coef = 1.0 - t2 + nu2;
  const double l4coef = 5.0 - t2 + 9 * nu2 + 4.0 * (nu2 * nu2);
  const double l5coef = 5.0 - 18.0 * t2 + (t2 * t2) + 14.0 * nu2 - 58.0 * t2 * nu2;
  const double l6coef = 61.0 - 58.0 * t2 + (t2 * t2) + 270.0 * nu2 - 330.0 * t2 * nu2;
  const double l7coef = 61.0 - 479.0 * t2 + 179.0 * (t2 * t2) - (t2 * t2 * t2);
  const double l8coef = 1385.0 - 3111.0 * t2 + 543.0 * (t2 * t2) - (t2 * t2 * t2);

  x = N * c * l + (N / 6.0 * std::pow(c, 3.0) * l3coef * std::pow(l, 3.0)) +
      (N / 120.0 * std::pow(c, 5.0) * l5coef * std::pow(l, 5.0)) +
      (N / 5040.0 * std::pow(c, 7.0) * l7coef * std::pow(l, 7.0));
  y = reference::ArcLengthOfMeridian(phi, e) + (t / 2.0 * N * std::pow(c, 2.0) * std::pow(l, 2.0)) +
      (t / 24.0 * N * std::pow(c, 4.0) * l4coef * std::pow(l, 4.0)) +
      (t / 720.0 * N * std::pow(c, 6.0) * l6coef * std::pow(l, 6.0)) +
      (t / 40320.0 * N * std::pow(c, 8.0) * l8coef * std::pow(l, 8.0));
}

void TMToLatLong(double x, double y, double lambda0, TGeoEllipsoid e, double& phi, double& lambda) {
  const double a = A(e), b = B(e);
  const double phif = FootpointLatitude(y, e);
  const double ep2 = (std::pow(a, 2.0) - std::pow(b, 2.0)) / std::pow(b, 2.0);
  const double cf = std::cos(phif);
  const double nu2 = ep2 * std::pow(cf, 2.0);
  const double Nf = std::pow(a, 2.0) / (b * std::sqrt(1 + nu2));
  const double tf = std::tan(phif);
  const double tf2 = tf * tf;
  const double tf4 = tf2 * tf2;

  const double x1frac = 1.0 / (Nf * cf);
  const double x2frac = tf / (2.0 * std::pow(Nf, 2.0));
  const double x3frac = 1.0 / (6.0 * std::pow(Nf, 3.0) * cf);
  const double x4frac = tf / (24.0 * std::pow(Nf, 4.0));
  const double x5frac = 1.0 / (120.0 * std::pow(Nf, 5.0) * cf);
  const double x6frac = tf / (720.0 * std::pow(Nf, 6.0));
  const double x7frac = 1.0 / (5040.0 * std::pow(Nf, 7.0) * cf);
  const double x8frac = tf / (40320.0 * std::pow(Nf, 8.0));

  const double x2poly = -1.0 - nu2;
  const double x3poly = -1.0 - 2 * tf2 - nu2;
  const double x4poly = 5.0 + 3.0 * tf2 + 6.0 * nu2 - 6.0 * tf2 * nu2 - 3.0 * (nu2 * nu2) - 9.0 * tf2 * (nu2 * nu2);
  const double x5poly = 5.0 + 28.0 * tf2 + 24.0 * tf4 + 6.0 * nu2 + 8.0 * tf2 * nu2;
  const double x6poly = -61.0 - 90.0 * tf2 - 45.0 * tf4 - 107.0 * nu2 + 162.0 * tf2 * nu2;
  const double x7poly = -61.0 - 662.0 * tf2 - 1320.0 * tf4 - 720.0 * (tf4 * tf2);
  const double x8poly = 1385.0 + 3633.0 * tf2 + 4095.0 * tf4 + 1575 * (tf4 * tf2);

  phi = phif + x2frac * x2poly * (x * x) + x4frac * x4poly * std::pow(x, 4.0) + x6frac * x6poly * std::pow(x, 6.0) +
        x8frac * x8poly * std::pow(x, 8.0);
  lambda = lambda0 + x1frac * x + x3frac * x3poly * std::pow(x, 3.0) + x5frac * x5poly * std::pow(x, 5.0) +
           x7frac * x7poly * std::pow(x, 7.0);
}

void LatLongToUTM(double lat, double lon, TGeoEllipsoid e, int& zone, double& easting, double& northing) {
  char letter;
  GeoToUTMZone(lat, lon, zone, letter);
  double x, y;
  reference::LatLongToTM(lat * kPi / 180.0, lon * kPi / 180.0, UTMCentralMeridian(zone), e, x, y);
  easting = x * 0.9996 + 500000.0;
  northing = y * 0.9996;
  if (northing < 0) northing += 10000000.0;
}

void UTMToLatLong(double easting, double northing, int zone, bool south, TGeoEllipsoid e, double& lat,
                  double& lon) {
  const double x = (easting - 500000.0) / 0.9996;
  if (south) northing -= 10000000.0;
  const double y = northing / 0.9996;
  double phi, lambda;
  reference::TMToLatLong(x, y, UTMCentralMeridian(zone), e, phi, lambda);
  lat = phi * 180.0 / kPi;
  lon = lambda * 180.0 / kPi;
}

void GeoToCartesian(double lat, double lon, double h, TGeoEllipsoid e, double& X, double& Y, double& Z) {
  const double e2 = GeoEllEccSquared(e);
  const double a = A(e);
  const double phi = lat * kPi / 180.0, lambda = lon * kPi / 180.0;
  const double N = a / std::sqrt(1.0 - e2 * std::sin(phi) * std::sin(phi));
  X = (N + h) * std::cos(phi) * std::cos(lambda);
  Y = (N + h) * std::cos(phi) * std::sin(lambda);
  Z = (N * (1.0 - e2) + h) * std::sin(phi);
}

void CartesianToGeo(double X, double Y, double Z, TGeoEllipsoid e, double& lat, double& lon, double& h) {
  const double e2 = GeoEllEccSquared(e);
  const double rf = RecipFlattening(e);
  const double q = rf == 0 ? 1.0 : 1.0 - 1.0 / rf;
  const double a = A(e);
  const double p = std::sqrt(X * X + Y * Y);
  const double r = std::sqrt(p * p + Z * Z);
  const double u = std::atan((Z / p) * (q + e2 * a / r));
  const double phi = std::atan((Z * q + e2 * a * std::pow(std::sin(u), 3.0)) /
                               (q * (p - e2 * a * std::pow(std::cos(u), 3.0))));
  const double lambda = std::atan2(Y, X);
  h = p * std::cos(phi) + Z * std::sin(phi) - a * std::sqrt(1.0 - e2 * std::sin(phi) * std::sin(phi));
  lat = phi * 180.0 / kPi;
  lon = lambda * 180.0 / kPi;
}

}  // namespace orq::reference
