// Where each grid conversion means something. The library converts
// whatever it is given; the tool refuses positions outside these ranges
// instead of printing numbers that look right and are not. Each check
// throws EInputError naming the limit.
#pragma once

namespace orq::cli {

// The transverse Mercator series reaches 1 m of error at 16.74 degrees
// from the central meridian (on the equator, where it is worst; measured
// against an exact projection): forward conversions stay within this.
inline constexpr double TMMaxLongitudeOffset = 16.7;
// An inverse result is kept when converting it forward again lands within
// this distance (m) of the input; beyond it the series no longer inverts.
inline constexpr double TMRoundTripTolerance = 1.0;
// UPS forward covers this many degrees around its pole.
inline constexpr double UPSMaxPoleDistance = 20.0;

// Longitude - CentralMeridian wrapped into -180..180, degrees.
double LongitudeOffset(double Longitude, double CentralMeridian);
void CheckTMOffset(double Latitude, double Longitude, double CentralMeridian);

// UTM grid coordinates as GeographicLib accepts them: easting 0..1000 km,
// northing -9100..9600 km (N) or 900..19600 km (S).
void CheckUTMGrid(bool South, double Easting, double Northing);
// UPS grid coordinates: 1200..2800 km (N) or 700..3300 km (S), both axes.
void CheckUPSGrid(bool South, double Easting, double Northing);
// Latitude within UPSMaxPoleDistance of a pole.
void CheckUPSLatitude(double Latitude);

}  // namespace orq::cli
