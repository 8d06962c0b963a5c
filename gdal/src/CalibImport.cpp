// Calibrations in: GCPs or a geotransform from whatever GDAL opens, and the
// block written for them.
#include <cpl_conv.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "CalibGcps.h"
#include "QgisPoints.h"
#include "orqplatform/TextFile.h"

namespace orq {

using namespace gdal_detail;

namespace {

namespace fs = std::filesystem;

// The raster a georeferencing file describes: a VRT's or an OziExplorer
// map's first source, otherwise the file itself.
std::string ImageOfDataset(GDALDataset& Ds, const std::string& Path) {
  const std::string driver = Ds.GetDriver() ? Ds.GetDriver()->GetDescription() : "";
  if (driver == "VRT" || driver == "MAP") {
    char** files = Ds.GetFileList();
    std::string image;
    const std::string self = fs::absolute(Path).lexically_normal().string();
    for (int i = 0; files && files[i]; ++i) {
      const std::string f = fs::absolute(files[i]).lexically_normal().string();
      if (f != self && LowerExtension(f) != "xml") {
        image = f;
        break;
      }
    }
    CSLDestroy(files);
    if (!image.empty()) return image;
  }
  return fs::absolute(Path).lexically_normal().string();
}

bool ReadWholeText(const std::string& Path, std::string& Text) {
  std::ifstream f(Path, std::ios::binary);
  if (!f) return false;
  std::ostringstream s;
  s << f.rdbuf();
  Text = s.str();
  return true;
}

// A world file's CRS lives in IMAGE.prj when GDAL found none itself.
bool CrsFromPrj(const std::string& Image, OGRSpatialReference& Crs) {
  std::string text;
  if (!ReadWholeText(fs::path(Image).replace_extension(".prj").string(), text)) return false;
  Crs.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
  return Crs.SetFromUserInput(text.c_str()) == OGRERR_NONE;
}

// An affine geotransform sampled at 3 x 3 pixels spread over the image.
std::vector<TSourceGcp> SampleGeoTransform(const double Gt[6], int Width, int Height) {
  std::vector<TSourceGcp> gcps;
  const int xs[3] = {0, (Width - 1) / 2, Width - 1}, ys[3] = {0, (Height - 1) / 2, Height - 1};
  for (int y : ys)
    for (int x : xs) {
      const double p = x + 0.5, l = y + 0.5;
      gcps.push_back({p, l, Gt[0] + Gt[1] * p + Gt[2] * l, Gt[3] + Gt[4] * p + Gt[5] * l});
    }
  return gcps;
}

}  // namespace

TImportedCalibration ImportCalibration(const std::string& Path, TCalibModel Model) {
  if (LowerExtension(Path) == "points") return ImportQgisPoints(Path, Model);
  if (!fs::exists(Path)) throw EOrqGdalError(Path + ": no such file");
  TGdalErrorTrap trap;
  TDatasetPtr ds(GDALDataset::Open(Path.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY));
  if (!ds) Fail(Path, "GDAL cannot read it as a georeferenced raster", &trap);

  TGcpSource source;
  source.File = Path;
  source.Image = ImageOfDataset(*ds, Path);
  source.Width = ds->GetRasterXSize();
  source.Height = ds->GetRasterYSize();
  OGRSpatialReference crs;
  const int count = ds->GetGCPCount();
  if (count > 0) {
    const GDAL_GCP* g = ds->GetGCPs();
    for (int i = 0; i < count; ++i) source.Gcps.push_back({g[i].dfGCPPixel, g[i].dfGCPLine, g[i].dfGCPX, g[i].dfGCPY});
    if (const OGRSpatialReference* c = ds->GetGCPSpatialRef()) {
      crs = *c;
      source.Crs = &crs;
    }
  } else {
    double gt[6];
    if (ds->GetGeoTransform(gt) != CE_None)
      Fail(Path, "it holds no GCPs and no geotransform");
    if (source.Width < 1 || source.Height < 1) Fail(Path, "the raster is empty");
    source.Gcps = SampleGeoTransform(gt, source.Width, source.Height);
    source.FromGeoTransform = true;
    if (const OGRSpatialReference* c = ds->GetSpatialRef()) {
      crs = *c;
      source.Crs = &crs;
    } else if (CrsFromPrj(source.Image, crs)) {
      source.Crs = &crs;
    }
  }
  return CalibrationFromGcps(source, Model);
}

void SaveImportedCalibration(const TImportedCalibration& C, const std::string& XmlPath, const std::string& DataID) {
  TGeoMap map;
  map.SetSuppressPaint(true);
  map.SetCalibData(C.Data);
  map.SetCalibModel(C.Model);  // fits
  try {
    map.SetMapImgName(C.Data.MapFName);
  } catch (const EOrqError&) {
    // An image the map cannot hold (too large) is still the one referenced.
  }
  if (map.MapImgWidth() > 0) {
    map.SaveCalDataAsXML(XmlPath, DataID);
    return;
  }
  // An image the map does not load (a GeoTIFF, say): the corners through the
  // fitted model, no resolution (the map derives one only from an image it
  // holds).
  TCalibData data = map.CalibData();
  data.MapFName = C.Data.MapFName;
  auto corner = [&](int x, int y) {
    bool valid = false;
    const double lat = map.CalcLatitude(x, y, valid);
    return TCoords{lat, map.CalcLongitude(x, y, valid)};
  };
  data.Corners = {corner(0, 0), corner(0, C.ImageHeight), corner(C.ImageWidth, C.ImageHeight),
                  corner(C.ImageWidth, 0)};
  TTextFile f(XmlPath);
  f.SetIOChecks(false);
  f.Rewrite();
  if (f.IOResult() != 0) throw EOrqGdalError(XmlPath + ": cannot create the file");
  WriteRawCalDataToOpenXMLFile(f, true, DataID, data, C.Model);
  f.Close();
  if (f.IOResult() != 0) {
    RemoveQuietly(XmlPath);
    throw EOrqGdalError(XmlPath + ": cannot write the file");
  }
}

}  // namespace orq
