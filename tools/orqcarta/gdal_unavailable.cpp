// A build without GDAL: the GDAL commands and landmark formats exist, so that
// their names are known, and say why they cannot work.
#include <CLI/CLI.hpp>
#include <stdexcept>

#include "ErrorReport.h"
#include "db_commands.h"
#include "gdal_commands.h"

namespace orq::cli {

namespace {

constexpr const char* Missing = "built without GDAL (configure with ORQ_WITH_GDAL=ON and libgdal-dev installed)";

void AddMissing(CLI::App& Group, TCliContext& Context, const std::string& GroupName, const std::string& Name,
                const std::string& Description) {
  CLI::App* c = AddCommand(Group, Context, Name, Description + " (needs GDAL)", [&Context, GroupName, Name] {
    ReportError(Context.Err, GroupName + " " + Name, Missing);
    return ExitFailure;
  });
  c->allow_extras();
}

}  // namespace

void RegisterCalibGdalCommands(CLI::App& Calib, TCliContext& Context) {
  AddMissing(Calib, Context, "calib", "export", "Write a calibration as a GDAL VRT, .aux.xml or world file");
  AddMissing(Calib, Context, "calib", "import", "Make a calibration block from GCPs or a geotransform");
}

void RegisterDbOgrCommands(CLI::App& Db, TCliContext& Context) {
  AddMissing(Db, Context, "db", "export", "Export items to a GeoPackage, GeoJSON file or shapefiles");
  AddMissing(Db, Context, "db", "import", "Import items from GeoPackage, GeoJSON or shapefiles");
}

std::vector<TLandMark> ReadOgrLandmarks(const std::string&, const std::string&, const TLandMark&) {
  throw std::runtime_error(std::string("GPX, KML, KMZ and GeoPackage: ") + Missing);
}

void WriteOgrLandmarks(const std::string&, const std::string&, const std::vector<TLandMark>&) {
  throw std::runtime_error(std::string("GPX, KML, KMZ and GeoPackage: ") + Missing);
}

}  // namespace orq::cli
