// Calibrations out: GCPs in a VRT or an .aux.xml, an affine law as a world
// file with its .prj.
#include <cpl_string.h>
#include <gdal_vrt.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <utility>

#include "GdalSupport.h"
#include "orqplatform/FileUtils.h"

namespace orq {

using namespace gdal_detail;

namespace {

constexpr const char* kUnknownImage = "$unknown$";

TExportGcp GcpAt(int x, int y, double X, double Y) { return TExportGcp{x + 0.5, y + 0.5, X, Y}; }

// A pixel converted through the map's model, when the model can.
bool ModelPosition(const TGeoMap& Map, int x, int y, double& Lat, double& Lon) {
  bool validLat = false, validLon = false;
  Lat = Map.CalcLatitude(x, y, validLat);
  Lon = Map.CalcLongitude(x, y, validLon);
  return validLat && validLon;
}

std::string ImageOf(const TGeoMap& Map) {
  std::string image = Map.MapImgFile();
  if (image.empty() || image == kUnknownImage) image = Map.CalibData().MapFName;
  if (image.empty() || image == kUnknownImage)
    throw EOrqGdalError("the map has no image file to georeference (it was made in memory)");
  // Calibration files keep the image name in lower case; the map finds the
  // file whatever its case, and so must GDAL.
  return std::filesystem::absolute(FindFileIgnoringCase(image)).string();
}

std::vector<GDAL_GCP> ToGdalGcps(const TExportGcps& G, std::vector<std::string>& Ids) {
  Ids.clear();
  for (std::size_t i = 0; i < G.Gcps.size(); ++i) Ids.push_back(std::to_string(i + 1));
  std::vector<GDAL_GCP> out(G.Gcps.size());
  for (std::size_t i = 0; i < G.Gcps.size(); ++i) {
    out[i].pszId = const_cast<char*>(Ids[i].c_str());
    out[i].pszInfo = const_cast<char*>("");
    out[i].dfGCPPixel = G.Gcps[i].Pixel;
    out[i].dfGCPLine = G.Gcps[i].Line;
    out[i].dfGCPX = G.Gcps[i].X;
    out[i].dfGCPY = G.Gcps[i].Y;
    out[i].dfGCPZ = 0;
  }
  return out;
}

TDatasetPtr OpenImage(const std::string& Image, const TGdalErrorTrap& Trap) {
  TDatasetPtr ds(GDALDataset::Open(Image.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY));
  if (!ds) Fail(Image, "GDAL cannot open the map image", &Trap);
  return ds;
}

std::string ReplaceExtension(const std::string& Path, const std::string& Ext) {
  return std::filesystem::path(Path).replace_extension(Ext).string();
}

void WriteTextFile(const std::string& Path, const std::string& Text) {
  std::ofstream f(Path, std::ios::binary | std::ios::trunc);
  f << Text;
  f.close();
  if (!f) {
    RemoveQuietly(Path);
    throw EOrqGdalError(Path + ": cannot write the file");
  }
}

std::vector<std::string> WriteVrt(const std::string& Image, const std::string& Path, const TExportGcps& G) {
  TGdalErrorTrap trap;
  TDatasetPtr src = OpenImage(Image, trap);
  GDALDriver* vrt = DriverNamed("VRT", Path);
  // Both names absolute, so that GDAL can refer to the image relative to the
  // VRT. The bands are built source by source rather than copied: a copy
  // would carry a geotransform from the image's own world file, which GDAL
  // would then prefer to our GCPs.
  const std::string target = std::filesystem::absolute(Path).string();
  const int w = src->GetRasterXSize(), h = src->GetRasterYSize();
  TDatasetPtr out(vrt->Create(target.c_str(), w, h, 0, GDT_Byte, nullptr));
  if (!out) Fail(Path, "cannot create the VRT", &trap);
  for (int b = 1; b <= src->GetRasterCount(); ++b) {
    GDALRasterBand* in = src->GetRasterBand(b);
    if (out->AddBand(in->GetRasterDataType(), nullptr) != CE_None) Fail(Path, "cannot add a band to the VRT", &trap);
    GDALRasterBand* band = out->GetRasterBand(b);
    if (VRTAddSimpleSource(static_cast<VRTSourcedRasterBandH>(band), in, 0, 0, w, h, 0, 0, w, h, nullptr,
                           VRT_NODATA_UNSET) != CE_None)
      Fail(Path, "cannot refer the VRT to the image", &trap);
    band->SetColorInterpretation(in->GetColorInterpretation());
    if (const GDALColorTable* colours = in->GetColorTable()) band->SetColorTable(const_cast<GDALColorTable*>(colours));
  }
  std::vector<std::string> ids;
  const std::vector<GDAL_GCP> gcps = ToGdalGcps(G, ids);
  const OGRSpatialReference srs = EpsgCrs(G.Epsg);
  if (out->SetGCPs(static_cast<int>(gcps.size()), gcps.data(), &srs) != CE_None) {
    out.reset();
    RemoveQuietly(Path);
    Fail(Path, "cannot store the GCPs", &trap);
  }
  out.reset();
  if (!std::filesystem::exists(Path)) Fail(Path, "the VRT was not written", &trap);
  return {Path};
}

std::vector<std::string> WriteAux(const std::string& Image, const std::string& Path, const TExportGcps& G) {
  TGdalErrorTrap trap;
  const std::string beside = Image + ".aux.xml";
  const std::string target = Path.empty() ? beside : Path;
  std::vector<std::string> ids;
  const std::vector<GDAL_GCP> gcps = ToGdalGcps(G, ids);
  const OGRSpatialReference srs = EpsgCrs(G.Epsg);
  {
    // A read-only dataset keeps what is set on it in its .aux.xml, written
    // when the dataset closes.
    TDatasetPtr ds = OpenImage(Image, trap);
    if (ds->SetGCPs(static_cast<int>(gcps.size()), gcps.data(), &srs) != CE_None)
      Fail(Image, "GDAL cannot keep GCPs for this image", &trap);
  }
  if (!std::filesystem::exists(beside)) Fail(beside, "GDAL did not write the .aux.xml file", &trap);
  if (target != beside) {
    std::error_code ec;
    std::filesystem::rename(beside, target, ec);
    if (ec) {
      RemoveQuietly(beside);
      throw EOrqGdalError(target + ": cannot write the file (" + ec.message() + ")");
    }
  }
  return {target};
}

// GDAL's own writer keeps 10 decimals, too few for degrees per pixel; the
// world file is six numbers, so it is written here with all 17 digits.
std::vector<std::string> WriteWorldFile(const TGeoMap& Map, const std::string& Image, const std::string& Path,
                                        const TExportGcps& G) {
  const TCalibModel model = Map.CalibModel();
  if (model != cmEquiRect && model != cmUTM)
    throw EOrqGdalError(Image + ": a world file holds an affine law only; the model " + CalibModelNames[model] +
                        " is not affine (export a VRT or .aux.xml instead)");
  std::string target = Path;
  if (target.empty()) {
    const std::string ext = LowerExtension(Image);
    if (ext.size() < 2) throw EOrqGdalError(Image + ": the image has no extension to derive the world file's from");
    target = ReplaceExtension(Image, std::string(".") + ext.front() + ext.back() + 'w');
  }
  const std::string prj = ReplaceExtension(target, ".prj");
  // Rows: [0] latitude or northing, [1] longitude or easting; all at our
  // pixel (0, 0), the centre of the top-left pixel, as world files have it.
  const TCoef2x3& E = Map.EquRectPLSP();
  char text[256];
  std::snprintf(text, sizeof text, "%.17g\n%.17g\n%.17g\n%.17g\n%.17g\n%.17g\n", E[1][1], E[0][1], E[1][2], E[0][2],
                E[1][0], E[0][0]);
  for (const auto& row : E)
    for (double v : row)
      if (!std::isfinite(v)) throw EOrqGdalError(Image + ": the calibration's affine law is not fitted");

  OGRSpatialReference srs = EpsgCrs(G.Epsg);
  char* wkt = nullptr;
  const char* const options[] = {"FORMAT=WKT1_ESRI", nullptr};
  if (srs.exportToWkt(&wkt, options) != OGRERR_NONE || !wkt) {
    CPLFree(wkt);
    throw EOrqGdalError(prj + ": cannot describe EPSG:" + std::to_string(G.Epsg) + " as WKT");
  }
  const std::string wktText = wkt;
  CPLFree(wkt);
  WriteTextFile(target, text);
  try {
    WriteTextFile(prj, wktText + "\n");
  } catch (...) {
    RemoveQuietly(target);
    throw;
  }
  return {target, prj};
}

}  // namespace

TExportGcps CalibrationGcps(const TGeoMap& Map, int ImageWidth, int ImageHeight) {
  const TCalibData& data = Map.CalibData();
  const TCalibModel model = Map.CalibModel();
  TExportGcps result;
  switch (model) {
    case cmBiquadraticPn:
    case cmEquiRect:
      for (int i = 0; i < data.NumCalQuads && i < MaxCalibQuads; ++i) {
        const TCalQuad& q = data.CalQuads[static_cast<std::size_t>(i)];
        result.Gcps.push_back(GcpAt(q.MapX, q.MapY, q.Longitude, q.Latitude));
      }
      break;
    case cmUTM:
      if (data.UTMZone < 1 || data.UTMZone > 60)
        throw EOrqGdalError("the UTM calibration has no zone (1..60)");
      result.Epsg = UtmEpsg(data.UTMZone, data.UTMSouth);
      for (int i = 0; i < data.NumCalQuads && i < MaxCalibQuads; ++i) {
        const TCalQuad& q = data.CalQuads[static_cast<std::size_t>(i)];
        result.Gcps.push_back(GcpAt(q.MapX, q.MapY, q.Longitude, q.Latitude));  // easting, northing
      }
      break;
    case cmParabolicIp: {
      std::set<std::pair<int, int>> seen;
      for (int l = 0; l < data.NumCalLines && l < MaxCalibLines; ++l) {
        const TCalibLine& line = data.CalLines[static_cast<std::size_t>(l)];
        for (int p = 0; p < line.NumPoints && p < MaxPointsPerLine; ++p) {
          const TPoint px = line.CalPoints[static_cast<std::size_t>(p)];
          double lat, lon;
          if (!seen.insert({px.X, px.Y}).second || !ModelPosition(Map, px.X, px.Y, lat, lon)) continue;
          result.Gcps.push_back(GcpAt(px.X, px.Y, lon, lat));
        }
      }
      break;
    }
    case cmConicConformal:
    case cmMillerCylindrical: {
      if (ImageWidth < 1 || ImageHeight < 1) throw EOrqGdalError("the map image has no size");
      const int n = CalibExportGridSize;
      for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i) {
          const int x = static_cast<int>(std::lround(static_cast<double>(i) * (ImageWidth - 1) / (n - 1)));
          const int y = static_cast<int>(std::lround(static_cast<double>(j) * (ImageHeight - 1) / (n - 1)));
          double lat, lon;
          if (ModelPosition(Map, x, y, lat, lon)) result.Gcps.push_back(GcpAt(x, y, lon, lat));
        }
      break;
    }
    default:
      throw EOrqGdalError("the map has no calibration model");
  }
  if (result.Gcps.empty()) throw EOrqGdalError("the calibration gives no ground control point");
  return result;
}

std::vector<std::string> ExportCalibration(const TGeoMap& Map, const std::string& Path, TCalibExportFormat Format) {
  const std::string image = ImageOf(Map);
  int width = 0, height = 0;
  {
    TGdalErrorTrap trap;
    TDatasetPtr ds = OpenImage(image, trap);
    width = ds->GetRasterXSize();
    height = ds->GetRasterYSize();
  }
  TExportGcps gcps;
  try {
    gcps = CalibrationGcps(Map, width, height);
  } catch (const EOrqGdalError& e) {
    throw EOrqGdalError(image + ": " + e.what());  // named by the map's image
  }
  switch (Format) {
    case cefVRT:
      if (Path.empty()) throw EOrqGdalError("no file name for the VRT");
      return WriteVrt(image, Path, gcps);
    case cefAuxXml: return WriteAux(image, Path, gcps);
    case cefWorldFile: return WriteWorldFile(Map, image, Path, gcps);
  }
  throw EOrqGdalError("unknown export format " + std::to_string(static_cast<int>(Format)));
}

}  // namespace orq
