// Interoperability through GDAL/OGR: calibrated maps to and from the
// georeferencing files of GIS tools (VRT, .aux.xml, world files, OziExplorer
// .map, GeoTIFF, QGIS .points), landmarks to and from GPS and GIS point
// formats (GPX, KML/KMZ, GeoPackage), and geo-database items to and from OGR
// vector files (GeoPackage, GeoJSON, shapefiles).
//
// Pixels: our map-image pixel (x, y) is the pixel whose centre GDAL calls
// (x + 0.5, y + 0.5); GDAL's pixel/line coordinates count from the top-left
// corner of the image. Going out, GCPs get the half pixel added; coming in,
// a GCP at GDAL position (p, l) becomes our pixel (floor p, floor l).
// Geographic coordinates are WGS 84 degrees, longitude as X.
//
// Every function raises EOrqGdalError with a one-line message naming the
// file on failure, and then leaves no output file behind.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "orqbase/OrqError.h"
#include "orqcarta/Orq_GeoDB.h"
#include "orqcarta/Orq_GeoMap.h"

namespace orq {

class EOrqGdalError : public EOrqError {
 public:
  using EOrqError::EOrqError;
};

// ---------------------------------------------------------------------------
// Calibrations out
// ---------------------------------------------------------------------------

enum TCalibExportFormat : int {
  cefVRT,        // a GDAL virtual raster over the map image, carrying the GCPs
  cefAuxXml,     // IMAGE.aux.xml beside the image, the same GCPs
  cefWorldFile,  // world file and .prj beside the image (affine models only)
};

// The conic and Miller models have no GDAL equivalent: they are exported as
// GCPs on this many by this many pixels, evenly spread over the image with
// its edge rows and columns included, each converted through the model;
// the pixels the model cannot convert are left out.
inline constexpr int CalibExportGridSize = 11;

// The GCPs a calibration exports, in GDAL's pixel convention, X/Y in the CRS
// named by Epsg (4326 longitude/latitude, or 326zz/327zz for cmUTM: easting
// and northing in the calibration's zone). Quadruple models give their
// quadruples, cmParabolicIp the points of its calibration lines positioned
// through the model, the conic and Miller models a grid (see above). Raises
// EOrqGdalError for cmUndefined or a calibration that gives no GCP.
struct TExportGcp {
  double Pixel = 0, Line = 0, X = 0, Y = 0;
};
struct TExportGcps {
  int Epsg = 4326;
  std::vector<TExportGcp> Gcps;
};
TExportGcps CalibrationGcps(const TGeoMap& Map, int ImageWidth, int ImageHeight);

// Writes Map's calibration in Format and returns the names of the files
// written. Path is the VRT for cefVRT; for cefAuxXml and cefWorldFile an
// empty Path puts the files beside the map image (IMAGE.aux.xml; IMAGE.jgw,
// .pgw or .bpw after GDAL's first-and-last-letter convention, and IMAGE.prj),
// where GIS tools look for them. The world file needs an affine model
// (cmEquiRect, cmUTM); its numbers are written with 17 significant digits.
// The map image is read through GDAL for its size only; it is referenced,
// never copied.
std::vector<std::string> ExportCalibration(const TGeoMap& Map, const std::string& Path, TCalibExportFormat Format);

// ---------------------------------------------------------------------------
// Calibrations in
// ---------------------------------------------------------------------------

// A calibration read from another tool's files. Data holds the quadruples
// (for cmUTM northing and easting in metres, UTMZone and UTMSouth set),
// MapFName the map image as an absolute path; Model is the model chosen.
struct TImportedCalibration {
  TCalibData Data;
  TCalibModel Model = cmUndefined;
  int ImageWidth = 0, ImageHeight = 0;
};

// Reads GCPs or a geotransform through GDAL from anything that carries them:
// an OziExplorer .map, a GeoTIFF, a VRT, an image with .aux.xml, or an image
// with a world file (and IMAGE.prj, or a CRS GDAL finds itself). A file
// ending in ".points" is read as a QGIS georeferencer points file (for the
// image of its name without ".points"). A geotransform becomes 9 quadruples
// on a 3 x 3 grid of pixels over the image.
//
// The model, unless Model names one: a UTM CRS gives cmUTM with the GCPs
// kept in metres; otherwise the GCPs are converted to WGS 84 latitude and
// longitude, and 6 or more GCPs give cmBiquadraticPn, 3 to 5 cmEquiRect. A
// geotransform gives the affine model (cmUTM or cmEquiRect). A named
// quadruple model takes the converted GCPs; cmParabolicIp and cmUndefined
// are refused. Fewer than 3 GCPs, more than MaxCalibQuads, GCPs in a CRS that
// cannot be converted, and a file with neither GCPs nor a geotransform raise
// EOrqGdalError. GCPs without a CRS are taken as WGS 84 longitude/latitude
// when they lie within its range.
TImportedCalibration ImportCalibration(const std::string& Path, TCalibModel Model = cmUndefined);

// Writes an imported calibration as a calibration block (identifier DataID)
// to XmlPath, with corners derived through the fitted model. The image is
// not opened by the map unless it is one the map can load.
void SaveImportedCalibration(const TImportedCalibration& Calibration, const std::string& XmlPath,
                             const std::string& DataID);

// ---------------------------------------------------------------------------
// Landmarks
// ---------------------------------------------------------------------------

enum TLandmarkOgrFormat : int { lofGPX, lofKML, lofKMZ, lofGPKG };

// Reads point landmarks: GPX waypoints, route points and track points (in
// file order, the track points as one list like a trace), KML/KMZ
// placemarks, GeoPackage point layers. Every landmark starts as Template;
// the name becomes identifier (15 characters) and caption text (80), the
// description the caption text when there is no name, time the time,
// elevation (or Z) the altitude, and a symbol name or KML icon style the
// symbol where the format has one.
std::vector<TLandMark> ReadLandmarksOgr(const std::string& Path, TLandmarkOgrFormat Format,
                                        const TLandMark& Template);
// Writes the landmarks as GPX waypoints, KML/KMZ placemarks (the symbol and
// its colour as the placemark's style) or one GeoPackage point layer
// "landmarks" with every landmark field. An existing file is replaced.
void WriteLandmarksOgr(const std::string& Path, TLandmarkOgrFormat Format, const std::vector<TLandMark>& LandMarks);

// ---------------------------------------------------------------------------
// Geo-database
// ---------------------------------------------------------------------------

enum TGeoDBOgrFormat : int { dofGPKG, dofGeoJSON, dofShapefile };

// Layer names by item kind ("borders", "towns" ...; "blobs" for gitBLOB).
const char* GeoDBLayerName(TgdbItem Kind);

struct TGeoDBOgrOptions {
  // The kinds to export (all when empty).
  std::vector<TgdbItem> Kinds;
  // For import: the kind of every layer whose name is not a kind's layer
  // name (gitUndefined: tell from the geometry, refusing ambiguous ones).
  TgdbItem LayerKind = gitUndefined;
  // Percentages 0..100 of the items done.
  TOnPercentDoneEvent Progress;
};

// Items written or read, by kind, and for import those that got a new
// ItemID (none given, or one at or below the database's highest ID).
// Export also counts the items of undefined kind, which have no layer.
struct TGeoDBOgrCounts {
  std::array<int, gitUndefined> ByKind{};
  int Renumbered = 0;
  int LeftOut = 0;
  int Total() const;
};

// Exports the open database: one layer per kind (towns as points; borders,
// cities and lakes as polygons; rivers, roads and routes as line strings;
// BLOBs, with their meta information and data, as the non-spatial table
// "blobs", GeoPackage only), each item's fields as attributes (item_id,
// name, altitude, class, tag, date, state, the bounding box, num_points,
// closed). An existing output file is replaced. A GeoJSON file holds one
// layer, so it takes exactly one kind; a shapefile path names a directory
// that receives one shapefile per layer. BLOBs asked for in any format but
// GeoPackage are refused.
TGeoDBOgrCounts ExportGeoDB(TGeoDB& Db, const std::string& Path, TGeoDBOgrFormat Format,
                            const TGeoDBOgrOptions& Options = {});

// Imports every layer of an OGR vector file into the open database. A layer
// named after a kind takes that kind; another takes Options.LayerKind, or
// else its geometry's (points are towns; polygons and line strings are
// ambiguous and refused). Items keep their ItemID when it lies above the
// database's highest ID (they are added in ItemID order); the others get new
// ones. The whole file is checked before anything is added: a geometry that
// does not fit the kind, a polygon with holes, a multi-part geometry, or an
// unsupported layer raises EOrqGdalError and leaves the database unchanged.
TGeoDBOgrCounts ImportGeoDB(TGeoDB& Db, const std::string& Path, const TGeoDBOgrOptions& Options = {});
// The same for several files, all checked before the first item is added.
TGeoDBOgrCounts ImportGeoDB(TGeoDB& Db, const std::vector<std::string>& Paths, const TGeoDBOgrOptions& Options = {});

}  // namespace orq
