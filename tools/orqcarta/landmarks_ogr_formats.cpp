// GPX, KML/KMZ and GeoPackage landmarks for landmarks convert, through
// orqcarta_gdal.
#include <stdexcept>

#include "ErrorReport.h"
#include "gdal_commands.h"
#include "orqcarta/Orq_GeoGdal.h"

namespace orq::cli {

namespace {

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

TLandmarkOgrFormat OgrFormatOf(const std::string& Given, const std::string& Path) {
  std::string name = Lower(Given);
  if (name.empty()) {
    const std::size_t dot = Path.rfind('.');
    if (dot != std::string::npos) name = Lower(Path.substr(dot + 1));
  }
  if (name == "gpx") return lofGPX;
  if (name == "kml") return lofKML;
  if (name == "kmz") return lofKMZ;
  if (name == "gpkg") return lofGPKG;
  throw EUsageError("\"" + Printable(Given.empty() ? Path : Given) + "\" is no GPX, KML, KMZ or GeoPackage format");
}

// The library's message names the file first; the command adds its own.
std::string WithoutFilePrefix(const std::string& Message, const std::string& Path) {
  const std::string prefix = Path + ": ";
  return Message.compare(0, prefix.size(), prefix) == 0 ? Message.substr(prefix.size()) : Message;
}

}  // namespace

std::vector<TLandMark> ReadOgrLandmarks(const std::string& Path, const std::string& Format, const TLandMark& Template) {
  const TLandmarkOgrFormat format = OgrFormatOf(Format, Path);
  try {
    return ReadLandmarksOgr(Path, format, Template);
  } catch (const EOrqGdalError& e) {
    throw EInputError(WithoutFilePrefix(e.what(), Path));
  }
}

void WriteOgrLandmarks(const std::string& Path, const std::string& Format, const std::vector<TLandMark>& LandMarks) {
  const TLandmarkOgrFormat format = OgrFormatOf(Format, Path);
  try {
    WriteLandmarksOgr(Path, format, LandMarks);
  } catch (const EOrqGdalError& e) {
    throw std::runtime_error(e.what());
  }
}

}  // namespace orq::cli
