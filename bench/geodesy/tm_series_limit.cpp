// Where the transverse Mercator series stops being good to 1 m: for each
// longitude offset from the central meridian, the worst forward error over
// all latitudes and the worst inverse error, against GeographicLib's exact
// projection on WGS 84. The orqcarta tool's TM limit comes from this table.
//
//   build/bin/tm_series_limit [step-degrees]
#include <GeographicLib/TransverseMercatorExact.hpp>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>

#include "orqcarta/Orq_GeoBasics.h"

int main(int argc, char** argv) {
  const double step = argc > 1 ? std::atof(argv[1]) : 0.25;
  const GeographicLib::TransverseMercatorExact exact(GeographicLib::Constants::WGS84_a(),
                                                     GeographicLib::Constants::WGS84_f(), 1.0);
  constexpr double Rad = std::numbers::pi / 180;
  std::printf("offset(deg)  forward(m)  at-lat  inverse(m)  at-lat\n");
  for (double offset = 1; offset <= 30 + 1e-9; offset += step) {
    double forward = 0, inverse = 0, forwardLat = 0, inverseLat = 0;
    for (double lat = 0; lat < 89.99; lat += 0.05) {
      double X, Y, x, y;
      exact.Forward(0, lat, offset, X, Y);
      orq::LatLongToTM(lat * Rad, offset * Rad, 0, orq::gelWGS84, x, y);
      if (const double e = std::hypot(x - X, y - Y); e > forward) {
        forward = e;
        forwardLat = lat;
      }
      // Inverse: on the ground, between the point and where our inverse puts it.
      double phi, lambda, X2, Y2;
      orq::TMToLatLong(X, Y, 0, orq::gelWGS84, phi, lambda);
      exact.Forward(0, phi / Rad, lambda / Rad, X2, Y2);
      if (const double e = std::hypot(X2 - X, Y2 - Y); e > inverse) {
        inverse = e;
        inverseLat = lat;
      }
    }
    std::printf("%10.2f  %10.4f  %6.2f  %10.4f  %6.2f\n", offset, forward, forwardLat, inverse, inverseLat);
  }
}
