#include "QgisPoints.h"

#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "CalibGcps.h"

namespace orq::gdal_detail {

namespace {

std::string Trimmed(std::string s) {
  const auto notBlank = [](unsigned char c) { return c != ' ' && c != '\t' && c != '\r' && c != '\n'; };
  while (!s.empty() && !notBlank(static_cast<unsigned char>(s.back()))) s.pop_back();
  std::size_t i = 0;
  while (i < s.size() && !notBlank(static_cast<unsigned char>(s[i]))) ++i;
  return s.substr(i);
}

std::vector<std::string> SplitComma(const std::string& Line) {
  std::vector<std::string> fields;
  std::stringstream s(Line);
  std::string field;
  while (std::getline(s, field, ',')) fields.push_back(Trimmed(field));
  if (!Line.empty() && Line.back() == ',') fields.emplace_back();
  return fields;
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

bool ParseNumber(const std::string& Text, double& Value) {
  const char* end = Text.data() + Text.size();
  const auto r = std::from_chars(Text.data(), end, Value);
  return r.ec == std::errc() && r.ptr == end && std::isfinite(Value);
}

}  // namespace

TImportedCalibration ImportQgisPoints(const std::string& Path, TCalibModel Model) {
  std::ifstream in(Path, std::ios::binary);
  if (!in) throw EOrqGdalError(Path + ": cannot open the file");
  std::string image = Path.substr(0, Path.size() - std::string(".points").size());

  OGRSpatialReference crs;
  bool haveCrs = false;
  std::vector<std::string> header;
  int cx = -1, cy = -1, cp = -1, cl = -1, ce = -1;
  std::vector<TSourceGcp> gcps;
  std::string line;
  long number = 0;
  while (std::getline(in, line)) {
    ++number;
    line = Trimmed(line);
    if (line.empty()) continue;
    if (line[0] == '#') {
      const std::string tag = "#CRS:";
      if (line.compare(0, tag.size(), tag) == 0) {
        const std::string wkt = Trimmed(line.substr(tag.size()));
        crs.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
        if (!wkt.empty() && crs.SetFromUserInput(wkt.c_str()) != OGRERR_NONE)
          Fail(Path, "line " + std::to_string(number) + ": the CRS is not one GDAL knows");
        haveCrs = !wkt.empty();
      }
      continue;
    }
    const std::vector<std::string> fields = SplitComma(line);
    if (header.empty()) {
      header = fields;
      for (int i = 0; i < static_cast<int>(header.size()); ++i) {
        const std::string h = Lower(header[static_cast<std::size_t>(i)]);
        if (h == "mapx") cx = i;
        else if (h == "mapy") cy = i;
        else if (h == "sourcex" || h == "pixelx") cp = i;
        else if (h == "sourcey" || h == "pixely") cl = i;
        else if (h == "enable") ce = i;
      }
      if (cx < 0 || cy < 0 || cp < 0 || cl < 0)
        Fail(Path, "line " + std::to_string(number) + ": not a QGIS points header (mapX,mapY,sourceX,sourceY)");
      continue;
    }
    auto field = [&](int c) -> const std::string& {
      static const std::string none;
      return c >= 0 && c < static_cast<int>(fields.size()) ? fields[static_cast<std::size_t>(c)] : none;
    };
    if (ce >= 0 && field(ce) == "0") continue;
    TSourceGcp g;
    double sourceY = 0;
    if (!ParseNumber(field(cx), g.X) || !ParseNumber(field(cy), g.Y) || !ParseNumber(field(cp), g.Pixel) ||
        !ParseNumber(field(cl), sourceY))
      Fail(Path, "line " + std::to_string(number) + ": expected four numbers mapX,mapY,sourceX,sourceY");
    g.Line = -sourceY;
    gcps.push_back(g);
  }
  if (in.bad()) Fail(Path, "cannot read the file");
  if (header.empty()) Fail(Path, "no header row");

  TGcpSource source;
  source.File = Path;
  source.Image = std::filesystem::absolute(image).lexically_normal().string();
  {
    TGdalErrorTrap trap;
    TDatasetPtr ds(GDALDataset::Open(source.Image.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY));
    if (!ds) Fail(Path, "cannot open its image \"" + image + "\"", &trap);
    source.Width = ds->GetRasterXSize();
    source.Height = ds->GetRasterYSize();
  }
  source.Gcps = std::move(gcps);
  if (haveCrs) source.Crs = &crs;
  return CalibrationFromGcps(source, Model);
}

}  // namespace orq::gdal_detail
