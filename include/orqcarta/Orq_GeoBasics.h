// Geodesy: the ellipsoid catalogue, transverse Mercator, UTM and UPS grids,
// geodetic <-> earth-centred cartesian coordinates, Helmert datum shifts over
// the built-in datum table, and the country table.
//
// Units: angles in decimal degrees unless a function says radians; lengths
// and grid coordinates in metres. Latitude is north positive, longitude east
// positive. All functions are stateless and thread-safe.
#pragma once

#include <cstdint>
#include <string>

#include "orqbase/BoundedString.h"
#include "orqbase/OrqError.h"

namespace orq {

class EOrqGeoBasicsError : public EOrqError {
 public:
  using EOrqError::EOrqError;
};

// ---------------------------------------------------------------------------
// Ellipsoid catalogue
// ---------------------------------------------------------------------------

// The 61 reference ellipsoids. The order is part of the interface: tables
// indexed by this enumeration and stored files depend on it.
enum TGeoEllipsoid : int {
  gelWGS84,
  gelWGS72,
  gelWGS66,
  gelWGS60,
  gelClrk80RGS,
  gelClrk66,
  gelBess41,
  gelBess41Jap,
  gelBess41Nam,
  gelNewInt67,
  gelInt24,
  gelEver69,
  gelEver56,
  gelEver48,
  gelEver30Ind,
  gelEverPak,
  gelEverest,
  gelGRS80,
  gelAiry30,
  gelModifAiry,
  gelFish68,
  gelFish60,
  gelModifFish60,
  gelAuNat65,
  gelKrass40,
  gelHough60,
  gelSphere,
  gelIndo74,
  gelHelm06,
  gelSGS85,
  gelSAm69,
  gelATS77,
  gelAuthSph,
  gelBesselMod,
  gelCGCS2000,
  gelClrk58,
  gelClrk66Mich,
  gelClrk80,
  gelClrk80Arc,
  gelClrk80Benoit,
  gelClrk80IGN,
  gelClrk80intfoot,
  gelClrk80SGA22,
  gelDan76,
  gelEver30,
  gelEver75,
  gelGEM10C,
  gelGRS67,
  gelGRS67Mod,
  gelHughes80,
  gelIAG75,
  gelInt24AuthSph,
  gelOSU86F,
  gelOSU91A,
  gelPlessis17,
  gelPopVisSphere,
  gelPZ90,
  gelStruve60,
  gelWarOffice,
  gelHongKong63,
  gelNahrwan29
};
inline constexpr int GeoEllipsoidCount = 61;

enum THemisphere : int { hemiNorth, hemiSouth };

// Semi-major axis a ([e][0]) and semi-minor axis b ([e][1]) in metres. Every
// flattening and eccentricity is derived from these two; a sphere has a = b.
inline constexpr double GeoEllipsoidData[GeoEllipsoidCount][2] = {
    {6378137, 6356752.314245},  // gelWGS84
    {6378135, 6356750.519915},  // gelWGS72
    {6378145, 6356759.769356},  // gelWGS66
    {6378165, 6356783.286959},  // gelWGS60
    {6378249.145, 6356514.86955},  // gelClrk80RGS
    {6378206.4, 6356583.8},  // gelClrk66
    {6377397.155, 6356078.96284},  // gelBess41
    {6377397.155, 6356078.963},  // gelBess41Jap
    {6377483.865, 6356165.382966},  // gelBess41Nam
    {6378157.5, 6356772.2},  // gelNewInt67
    {6378388, 6356911.94613},  // gelInt24
    {6377295.664, 6356094.667915},  // gelEver69
    {6377301.243, 6356100.228368},  // gelEver56
    {6377304.063, 6356103.039},  // gelEver48
    {6377276.3452, 6356075.4133},  // gelEver30Ind
    {6377309.613, 6356108.570542},  // gelEverPak
    {6377298.556, 6356097.550301},  // gelEverest
    {6378137, 6356752.31414},  // gelGRS80
    {6377563.396, 6356256.91},  // gelAiry30
    {6377340.189, 6356034.448},  // gelModifAiry
    {6378150, 6356768.337303},  // gelFish68
    {6378166, 6356784.283666},  // gelFish60
    {6378155, 6356773.3205},  // gelModifFish60
    {6378160, 6356774.719},  // gelAuNat65
    {6378245, 6356863.0188},  // gelKrass40
    {6378270, 6356794.343479},  // gelHough60
    {6370997, 6370997},  // gelSphere
    {6378160, 6356774.504086},  // gelIndo74
    {6378200, 6356818.169628},  // gelHelm06
    {6378136, 6356751.301569},  // gelSGS85
    {6378160, 6356774.719},  // gelSAm69
    {6378135, 6356750.304922},  // gelATS77
    {6371000, 6371000},  // gelAuthSph
    {6377492.018, 6356173.508713},  // gelBesselMod
    {6378137, 6356752.31414},  // gelCGCS2000
    {6378293.6452, 6356617.987671},  // gelClrk58
    {6378450.0475, 6356826.62144},  // gelClrk66Mich
    {6378249.1448, 6356514.966196},  // gelClrk80
    {6378249.145, 6356514.966399},  // gelClrk80Arc
    {6378300.789, 6356566.435},  // gelClrk80Benoit
    {6378249.2, 6356515},  // gelClrk80IGN
    {6378306.3696, 6356571.996},  // gelClrk80intfoot
    {6378249.2, 6356514.996942},  // gelClrk80SGA22
    {6377019.2567, 6355762.525844},  // gelDan76
    {6377299.3656, 6356098.35901},  // gelEver30
    {6377299.151, 6356098.14512},  // gelEver75
    {6378137, 6356752.314245},  // gelGEM10C
    {6378160, 6356774.516091},  // gelGRS67
    {6378160, 6356774.719195},  // gelGRS67Mod
    {6378273, 6356889.449},  // gelHughes80
    {6378140, 6356755.288158},  // gelIAG75
    {6371228, 6371228},  // gelInt24AuthSph
    {6378136.2, 6356751.516927},  // gelOSU86F
    {6378136.3, 6356751.616592},  // gelOSU91A
    {6376523, 6355862.933256},  // gelPlessis17
    {6378137, 6378137},  // gelPopVisSphere
    {6378136, 6356751.361746},  // gelPZ90
    {6378298.3, 6356657.14267},  // gelStruve60
    {6378300, 6356751.689189},  // gelWarOffice
    {6378235.6, 6356560.13971},  // gelHongKong63
    {6378300.782, 6356566.42744},  // gelNahrwan29
};

// Display names ("WGS 1984" ...).
inline const std::string GeoEllipsoidName[GeoEllipsoidCount] = {
    "WGS 1984",
    "WGS 1972",
    "WGS 1966",
    "WGS 1960",
    "Clarke 1880 RGS",
    "Clarke 1866",
    "Bessel 1841",
    "Bessel 1841 (Japan)",
    "Bessel 1841 (Namibia)",
    "New International 1967",
    "International 1924",
    "Everest 1969 (Malaysia)",
    "Everest 1956 (India)",
    "Everest 1948",
    "Everest 1830 (India 1937 adj.)",
    "Everest (Pakistan)",
    "Everest (1967 Definition)",
    "GRS 1980",
    "Airy 1830",
    "Modified Airy",
    "Fisher 1968",
    "Fisher 1960",
    "Modified Fisher 1960",
    "Australian Nat 1965",
    "Krassovsky 1940",
    "Hough 1960",
    "Normal Sphere",
    "Indonesian 1974",
    "Helmert 1906",
    "SGS 1985",
    "South American 1969",
    "ATS77",
    "Authalic Sphere",
    "Bessel Modified",
    "CGCS2000",
    "Clarke 1858",
    "Clarke 1866 Michigan",
    "Clarke 1880",
    "Clarke 1880 (Arc)",
    "Clarke 1880 (Benoit)",
    "Clarke 1880 (IGN)",
    "Clarke 1880 (international foot)",
    "Clarke 1880 (SGA 1922)",
    "Danish 1876",
    "Everest (1830 Definition)",
    "Everest 1830 (1975 Definition)",
    "GEM 10C",
    "GRS 1967",
    "GRS 1967 Modified",
    "Hughes 1980",
    "IAG 1975",
    "International 1924 Authalic Sphere",
    "OSU86F",
    "OSU91A",
    "Plessis 1817",
    "Popular Visualisation Sphere",
    "PZ-90",
    "Struve 1860",
    "War Office",
    "Hong Kong 1963",
    "Nahrwan 1929",
};

// Identifiers, equal to the enumeration value names ("gelWGS84" ...); the
// calibration file format stores ellipsoids by these.
inline const std::string GeoEllipsoidId[GeoEllipsoidCount] = {
    "gelWGS84",
    "gelWGS72",
    "gelWGS66",
    "gelWGS60",
    "gelClrk80RGS",
    "gelClrk66",
    "gelBess41",
    "gelBess41Jap",
    "gelBess41Nam",
    "gelNewInt67",
    "gelInt24",
    "gelEver69",
    "gelEver56",
    "gelEver48",
    "gelEver30Ind",
    "gelEverPak",
    "gelEverest",
    "gelGRS80",
    "gelAiry30",
    "gelModifAiry",
    "gelFish68",
    "gelFish60",
    "gelModifFish60",
    "gelAuNat65",
    "gelKrass40",
    "gelHough60",
    "gelSphere",
    "gelIndo74",
    "gelHelm06",
    "gelSGS85",
    "gelSAm69",
    "gelATS77",
    "gelAuthSph",
    "gelBesselMod",
    "gelCGCS2000",
    "gelClrk58",
    "gelClrk66Mich",
    "gelClrk80",
    "gelClrk80Arc",
    "gelClrk80Benoit",
    "gelClrk80IGN",
    "gelClrk80intfoot",
    "gelClrk80SGA22",
    "gelDan76",
    "gelEver30",
    "gelEver75",
    "gelGEM10C",
    "gelGRS67",
    "gelGRS67Mod",
    "gelHughes80",
    "gelIAG75",
    "gelInt24AuthSph",
    "gelOSU86F",
    "gelOSU91A",
    "gelPlessis17",
    "gelPopVisSphere",
    "gelPZ90",
    "gelStruve60",
    "gelWarOffice",
    "gelHongKong63",
    "gelNahrwan29",
};

// First eccentricity squared e^2 = 1 - b^2/a^2 of a catalogue ellipsoid.
double GeoEllEccSquared(TGeoEllipsoid Ellipsoid);
// e^2 = 1 - (smaller/larger)^2 of two axis lengths given in either order.
double GeoEllEccSquared(double Axis1, double Axis2);
// e^2 = 2f - f^2 with f = 1/RecipFlat; 0 for RecipFlat = 0 (a sphere).
double GeoEllEccSquared(double RecipFlat);

// Reciprocal flattening 1/(1 - b/a); 0 for a sphere.
double RecipFlattening(TGeoEllipsoid Ellipsoid);
double RecipFlattening(double SemiMajor, double SemiMinor);
// From e^2: 1/(1 - sqrt(1 - e^2)); 0 for e^2 = 0. Raises EOrqGeoBasicsError
// "invalid eccentricity" when e^2 < 0 or e^2 > 1.
double RecipFlattening(double EccSquared);

// Semi-minor axis a(1 - 1/rf); a for rf = 0. Raises "invalid reciprocal
// flattening" when rf < 0 or rf is not a number.
double EllipsoidMinAxFlat(double SemiMajor, double RecipFlat);
// Semi-minor axis a*sqrt(1 - e^2). Raises "invalid eccentricity" when e^2 < 0
// or e^2 is not a number; e^2 > 1 gives NaN.
double EllipsoidMinAxEcc(double SemiMajor, double EccSquared);

// ---------------------------------------------------------------------------
// Transverse Mercator, UTM, UPS
// ---------------------------------------------------------------------------
//
// The projection and cartesian functions take a catalogue ellipsoid; a value
// outside the enumeration raises EOrqGeoBasicsError "invalid ellipsoid".
// The transverse Mercator is the classical series to l^8 with the meridian
// arc to n^5: against an exact projection it is good to about 20 um within
// 3 degrees of the central meridian, 1 mm within 6 and 15 mm within 9.

// The UTM grid: scale on the central meridian, false easting (m) and the
// false northing (m) that southern-hemisphere northings carry.
inline constexpr double UTMScaleFactor = 0.9996;
inline constexpr double UTMFalseEasting = 500000.0;
inline constexpr double UTMFalseNorthing = 10000000.0;

// Distance along the meridian from the equator to latitude Phi (radians), m.
// Valid range: -pi/2..pi/2 (beyond the poles the series runs on without
// meaning).
double ArcLengthOfMeridian(double Phi, TGeoEllipsoid Ellipsoid);
// Central meridian of a UTM zone 1..60 in radians; 0 for any other zone.
double UTMCentralMeridian(int Zone);

// UTM zone 1..60 and latitude band letter C..X (without I and O) of a
// position in degrees, with the Norway and Svalbard exceptions. Outside
// latitude -80..84 or longitude -180..<180, and for NaN: zone 0 and a blank
// letter.
void GeoToUTMZone(double Latitude, double Longitude, int& Zone, char& ZoneLetter);
// The zone as text, e.g. "32U"; empty when there is no zone.
std::string GeoToUTMZone(double Latitude, double Longitude);

// Unscaled transverse Mercator about central meridian Lambda0; angles in
// radians, X east and Y north in metres.
//
// Valid range of LatLongToTM: Phi -pi/2..pi/2 and Lambda - Lambda0 within
// 16.7 degrees, where the series error stays below 1 m (measured against an
// exact projection on WGS 84; worst on the equator: 0.98 m at 16.7, 1.0 m at
// 16.74). Beyond that the error grows fast (4 m at 20, 117 m at 30 degrees),
// and far beyond 90 degrees the output is meaningless. Nothing is raised.
//
// Valid range of TMToLatLong: grid points whose position lies within about
// 14 degrees of the central meridian (there the inverse error reaches 1 m,
// worst near latitude 59) and Y within the meridian quadrant (about
// +-10 002 km). Outside, results are finite but wrong, or NaN for
// non-finite input; converting the result forward again and comparing
// detects both.
void LatLongToTM(double Phi, double Lambda, double Lambda0, TGeoEllipsoid Ellipsoid, double& X, double& Y);
void TMToLatLong(double X, double Y, double Lambda0, TGeoEllipsoid Ellipsoid, double& Phi, double& Lambda);

// UTM forward: degrees in, zone (0 outside the UTM latitude range, then the
// projection is about the meridian 0), easting and northing in metres out.
// Valid range: latitude -80..84, longitude -180..<180; every position of a
// zone lies within 9 degrees of its central meridian (3 outside the Norway
// and Svalbard zones), so the transverse Mercator accuracy holds.
void LatLongToUTM(double Latitude, double Longitude, TGeoEllipsoid Ellipsoid, int& Zone, double& Easting,
                  double& Northing);
// UTM forward into a chosen zone 1..60 and hemisphere, for positions that
// belong to a neighbour zone's grid (a map that keeps its own zone across a
// zone border): degrees in, easting and northing in metres out; the northing
// carries the false northing when SouthernHemi is set, whatever the
// latitude's sign. Accurate as the transverse Mercator above, so to 1 mm
// within 6 degrees of the zone's central meridian. A zone outside 1..60
// gives NaN easting and northing.
void LatLongToUTM(double Latitude, double Longitude, TGeoEllipsoid Ellipsoid, int Zone, bool SouthernHemi,
                  double& Easting, double& Northing);
// UTM inverse; SouthernHemi says the northing carries the 10 000 000 m false northing.
// Valid range: the UTM grid as GeographicLib bounds it, easting 0..1000 km
// and northing -9100..9600 km (north) or 900..19600 km (south), for points
// that lie within the transverse Mercator range above (in the far corners
// of that grid, easting 0 at 9600 km north, they do not). Outside, results
// are computed but meaningless (northing 12 000 km gives latitude 107.9).
void UTMToLatLong(double Easting, double Northing, int Zone, bool SouthernHemi, TGeoEllipsoid Ellipsoid,
                  double& Latitude, double& Longitude);

// Universal polar stereographic; the hemisphere follows the latitude's sign
// (0 counts as north) forward and SouthernHemi inverse. Longitude 180 is
// taken as -180 (easting exactly 2 000 000 m); the grid origin inverts to
// the pole.
// Valid range: the formulas are closed and hold over the whole hemisphere
// (forward: latitude 0..90 or -90..<0, any longitude), but the grid is
// meant for 20 degrees around the pole, where the point scale stays within
// 0.994..1.025; at the equator it is near 2. Inverse: the UPS grid, 1200..
// 2800 km (north) or 700..3300 km (south) on both axes; farther out it
// still inverts, towards the equator.
void LatLongToUPS(double Latitude, double Longitude, TGeoEllipsoid Ellipsoid, double& Easting, double& Northing);
void UPSToLatLong(double Easting, double Northing, bool SouthernHemi, TGeoEllipsoid Ellipsoid, double& Latitude,
                  double& Longitude);

// ---------------------------------------------------------------------------
// Cartesian coordinates and datum transformation
// ---------------------------------------------------------------------------

// Geodetic (degrees, ellipsoidal height in m) to earth-centred cartesian X, Y, Z (m).
// Valid range: latitude -90..90, any finite longitude and height.
void GeoToCartesian(double Latitude, double Longitude, double Height, TGeoEllipsoid Ellipsoid, double& X,
                    double& Y, double& Z);
// Earth-centred cartesian to geodetic, closed formula without iteration
// (a few micrometres at terrestrial heights). On a sphere the axis ratio is 1
// and e^2 = 0, giving the geocentric latitude. On the polar axis (X = Y = 0)
// the latitude is +-90 by the sign of Z, the longitude 0 and the height
// |Z| - b; the centre itself gives latitude 0, longitude 0, height -a. The
// result is never NaN on or near the polar axis. Valid range: any point
// but the centre; the accuracy is measured for heights -1..10 km.
void CartesianToGeo(double X, double Y, double Z, TGeoEllipsoid Ellipsoid, double& Latitude, double& Longitude,
                    double& Height);

// One datum of the built-in table: the seven parameters that carry positions
// on this datum into the common frame (WGS 84, record 269).
struct TGeoDatum {
  TBoundedString<33> Name;  // as published, mostly upper case: "EUROPEAN DATUM 1950"
  TBoundedString<35> Area;  // region the parameter set applies to
  TGeoEllipsoid Ellipsoid;
  double DX, DY, DZ;        // translation, m
  double Scale;             // scale correction, parts per million
  double RotX, RotY, RotZ;  // rotations, arc seconds
};

inline constexpr int GeoDatumCount = 271;
// The datum table. Datums are numbered 1..271: element 0 holds datum 1.
extern const TGeoDatum GeoDatumData[GeoDatumCount];

// Transforms a position from datum SourceDatum to datum TargetDatum (numbers
// 1..271) through the common frame. Returns 0 on success, -1 for a source
// number out of range, -2 for a target number out of range, -3 for a
// latitude outside -90..90 or NaN, -4 for a longitude outside -180..180 or
// NaN; when several checks fail, the first of them in this order. Out-of-range
// angles are still transformed; with a datum number out of range the table
// is not read and the outputs are the inputs.
//
// Into the frame: X' = k (X - Y rz + Z ry) + dX and so on, k = 1 + s 1e-6,
// the position-vector convention with small-angle rotations. Out of it the
// target's seven parameters are applied with their signs reversed, which is
// not the exact inverse: for a scaled and rotated target it differs by the
// scale and rotation applied to the translation (1.7 cm for record 183).
int HelmertTransform(int SourceDatum, double Latitude, double Longitude, double Height, int TargetDatum,
                     double& LatitudeOut, double& LongitudeOut, double& HeightOut);

// ---------------------------------------------------------------------------
// Country table
// ---------------------------------------------------------------------------

struct TCountryData {
  TBoundedString<40> Name;       // English short name; alternatives joined by ';'
  TBoundedString<2> Fips10;      // FIPS 10-4 code, lower case
  TBoundedString<2> ISO3166_2;   // ISO 3166-1 alpha-2, lower case
  TBoundedString<3> ISO3166_3;   // ISO 3166-1 alpha-3, lower case
  double CLat, CLong;            // approximate centre, degrees
  TBoundedString<31> Capital;    // empty where there is none
  double CapLat, CapLong;        // capital position, degrees
  int32_t CapAlt;                // capital altitude, m; 0 where not recorded
};

inline constexpr int CountryCount = 231;
// The 231 countries sorted by Name. Countries are numbered 1..231: element 0
// holds country 1.
extern const TCountryData CountryData[CountryCount];

}  // namespace orq
