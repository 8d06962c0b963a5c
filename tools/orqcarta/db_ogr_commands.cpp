// orqcarta db export / db import: geo-database items to and from GeoPackage,
// GeoJSON and shapefiles, through orqcarta_gdal.
#include <CLI/CLI.hpp>
#include <filesystem>
#include <memory>
#include <ostream>

#include "ErrorReport.h"
#include "db_commands.h"
#include "db_session.h"
#include "gdal_commands.h"
#include "orqcarta/Orq_GeoGdal.h"

namespace orq::cli {

namespace {

struct TExportSetup {
  std::string Name, Out, Format;
  std::vector<std::string> Kinds;
  bool Progress = false;
};

struct TImportSetup {
  std::string Name, Kind;
  std::vector<std::string> Sources;
  bool Progress = false;
};

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

TGeoDBOgrFormat FormatOf(const std::string& Given, const std::string& Out) {
  std::string name = Lower(Given);
  if (name.empty()) {
    name = Lower(std::filesystem::path(Out).extension().string());
    if (!name.empty()) name.erase(0, 1);
    if (name.empty() && std::filesystem::is_directory(Out)) name = "shp";
  }
  if (name == "gpkg") return dofGPKG;
  if (name == "geojson" || name == "json") return dofGeoJSON;
  if (name == "shp" || name == "shapefile") return dofShapefile;
  throw EUsageError("cannot tell the format of \"" + Printable(Out) + "\"; give --format gpkg, geojson or shp");
}

// "towns: 3, rivers: 2"
std::string CountsText(const TGeoDBOgrCounts& C) {
  std::string text;
  for (int k = gitBorder; k < gitUndefined; ++k)
    if (C.ByKind[k] > 0)
      text += (text.empty() ? "" : ", ") + std::string(GeoDBLayerName(static_cast<TgdbItem>(k))) + " " +
              std::to_string(C.ByKind[k]);
  return text.empty() ? "none" : text;
}

int RunExport(TCliContext& Context, const TExportSetup& S) {
  const std::string command = DbCommandName("export");
  TGeoDBOgrOptions options;
  for (const std::string& k : S.Kinds) {
    const TgdbItem kind = ParseKind(k);
    if (kind == gitUndefined) throw EUsageError("items of the kind Undefined have no layer");
    options.Kinds.push_back(kind);
  }
  const TGeoDBOgrFormat format = FormatOf(S.Format, S.Out);
  TDbSession session(S.Name, TDbSession::daRead, Context.Err, command, ShouldShowProgress(S.Progress));
  options.Progress = session.Progress().Handler();
  TGeoDBOgrCounts counts;
  try {
    counts = ExportGeoDB(session.Db(), S.Out, format, options);
  } catch (const EOrqGdalError& e) {
    session.Progress().Break();
    ReportError(Context.Err, command, e.what());
    return ExitFailure;
  }
  session.Finish();
  Context.Out << "exported " << counts.Total() << (counts.Total() == 1 ? " item" : " items") << " ("
              << CountsText(counts) << ")";
  if (counts.LeftOut > 0) Context.Out << "; " << counts.LeftOut << " of undefined kind left out";
  Context.Out << '\n';
  return ExitOk;
}

int RunImport(TCliContext& Context, const TImportSetup& S) {
  const std::string command = DbCommandName("import");
  TGeoDBOgrOptions options;
  if (!S.Kind.empty()) {
    options.LayerKind = ParseKind(S.Kind);
    if (options.LayerKind == gitUndefined) throw EUsageError("--kind names the kind of the items to make");
  }
  TDbSession session(S.Name, TDbSession::daWrite, Context.Err, command, ShouldShowProgress(S.Progress));
  options.Progress = session.Progress().Handler();
  TGeoDBOgrCounts counts;
  try {
    counts = ImportGeoDB(session.Db(), S.Sources, options);
  } catch (const EOrqGdalError& e) {
    session.Progress().Break();
    ReportError(Context.Err, command, e.what());
    return ExitBadInput;
  }
  session.Finish();
  Context.Out << "imported " << counts.Total() << (counts.Total() == 1 ? " item" : " items") << " ("
              << CountsText(counts) << ")";
  if (counts.Renumbered > 0) Context.Out << "; " << counts.Renumbered << " with a new ItemID";
  Context.Out << '\n';
  return ExitOk;
}

}  // namespace

void RegisterDbOgrCommands(CLI::App& Db, TCliContext& Context) {
  auto ex = std::make_shared<TExportSetup>();
  CLI::App* exportCmd = AddDbCommand(Db, Context, "export", "Export items to a GeoPackage, GeoJSON file or shapefiles",
                                     [&Context, ex] { return RunExport(Context, *ex); });
  exportCmd->add_option("DB", ex->Name, "The database")->required();
  exportCmd->add_option("OUT", ex->Out, "OUT.gpkg, OUT.geojson, OUT.shp, or a directory for shapefiles")->required();
  exportCmd->add_option("--kinds", ex->Kinds, "Only these kinds (town, border ...; comma-separated)")->delimiter(',');
  exportCmd->add_option("--format", ex->Format, "gpkg, geojson or shp (default: from OUT)");
  exportCmd->add_flag("--progress", ex->Progress, "Show a progress bar even when standard error is not a terminal");
  SetHelpText(*exportCmd,
              "One layer per kind: towns (points), borders, cities, lakes (polygons), rivers, roads, routes "
              "(line strings), and blobs, a table without geometry holding the meta information and the data "
              "(GeoPackage only). Every item keeps its ItemID (the item_id attribute, and the feature ID in a "
              "GeoPackage) and its other fields as attributes. A GeoJSON file or a single .shp holds one kind. "
              "An existing OUT is replaced.");

  auto im = std::make_shared<TImportSetup>();
  CLI::App* importCmd = AddDbCommand(Db, Context, "import", "Import items from GeoPackage, GeoJSON or shapefiles",
                                     [&Context, im] { return RunImport(Context, *im); });
  importCmd->add_option("DB", im->Name, "The database")->required();
  importCmd->add_option("IN", im->Sources, "Vector files GDAL reads")->required();
  importCmd->add_option("--kind", im->Kind, "The kind of the items of layers not named after a kind");
  importCmd->add_flag("--progress", im->Progress, "Show a progress bar even when standard error is not a terminal");
  SetHelpText(*importCmd,
              "A layer named after a kind (towns, Town, rivers ...) makes items of it; any other layer those of "
              "--kind, or towns when it holds points. Items keep their ItemID while it lies above the "
              "database's highest; the others get new ones. Every file is checked first: a geometry that does "
              "not fit the kind, a polygon with holes or a multi-part geometry is refused with its layer and "
              "feature, and nothing is added.");
}

}  // namespace orq::cli
