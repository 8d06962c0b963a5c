// What every part of orqcarta_gdal shares: GDAL's drivers registered once,
// GDAL's error messages captured instead of printed, handles that close
// themselves, and the CRSs the library writes.
#pragma once

#include <gdal_priv.h>
#include <ogr_spatialref.h>
#include <ogrsf_frmts.h>

#include <memory>
#include <string>

#include "orqcarta/Orq_GeoGdal.h"

namespace orq::gdal_detail {

// Registers GDAL's drivers on first use.
void EnsureGdalRegistered();

// While alive, GDAL's errors and warnings go to this object, not to stderr;
// LastMessage() is the last error GDAL reported ("" when none).
class TGdalErrorTrap {
 public:
  TGdalErrorTrap();
  ~TGdalErrorTrap();
  TGdalErrorTrap(const TGdalErrorTrap&) = delete;
  TGdalErrorTrap& operator=(const TGdalErrorTrap&) = delete;
  const std::string& LastMessage() const { return FMessage; }

 private:
  static void CPL_STDCALL Handler(CPLErr Class, CPLErrorNum Number, const char* Message);
  std::string FMessage;
};

struct TDatasetCloser {
  void operator()(GDALDataset* d) const { GDALClose(d); }
};
using TDatasetPtr = std::unique_ptr<GDALDataset, TDatasetCloser>;

struct TFeatureDeleter {
  void operator()(OGRFeature* f) const { OGRFeature::DestroyFeature(f); }
};
using TFeaturePtr = std::unique_ptr<OGRFeature, TFeatureDeleter>;

// "FILE: WHAT" as an EOrqGdalError, GDAL's own message appended when there is one.
[[noreturn]] void Fail(const std::string& File, const std::string& What, const TGdalErrorTrap* Trap = nullptr);

// EPSG:4326 with longitude as X, as every file here stores it.
OGRSpatialReference Wgs84LonLat();
// An EPSG CRS with GIS axis order (X east, Y north).
OGRSpatialReference EpsgCrs(int Code);
// WGS 84 UTM zone 1..60.
int UtmEpsg(int Zone, bool South);

// The file's extension, lower case, without the dot ("" when none).
std::string LowerExtension(const std::string& Path);
// Removes a file if it exists; errors ignored (used to undo partial output).
void RemoveQuietly(const std::string& Path);
// A file written under a temporary name beside its target and renamed over
// it once complete, so that a failed write leaves an old file as it was.
// The temporary name keeps the target's extension, by which some drivers
// choose their variant (KML or KMZ).
class TReplacingFile {
 public:
  explicit TReplacingFile(std::string Target);
  ~TReplacingFile();
  TReplacingFile(const TReplacingFile&) = delete;
  TReplacingFile& operator=(const TReplacingFile&) = delete;
  const std::string& Temporary() const { return FTemporary; }
  // Renames the temporary file to the target; EOrqGdalError when it cannot.
  void Commit();

 private:
  std::string FTarget, FTemporary;
  bool FCommitted = false;
};

// The GDAL driver of that name, or a failure naming File.
GDALDriver* DriverNamed(const char* Name, const std::string& File);

}  // namespace orq::gdal_detail
