// orqcarta calib export / calib import: calibrations to and from the
// georeferencing files of GIS tools, through orqcarta_gdal.
#include <CLI/CLI.hpp>
#include <filesystem>
#include <fstream>
#include <memory>
#include <ostream>

#include "ErrorReport.h"
#include "gdal_commands.h"
#include "orqcarta/Orq_GeoGdal.h"

namespace orq::cli {

namespace {

constexpr const char* ExportName = "calib export";
constexpr const char* ImportName = "calib import";

struct TExportOptions {
  std::string File, Id, To, Out;
};

struct TImportOptions {
  std::string File, Model, Out, Id;
};

TCalibExportFormat ExportFormatOf(const std::string& Name) {
  std::string s = Name;
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (s == "vrt") return cefVRT;
  if (s == "aux" || s == "aux.xml") return cefAuxXml;
  if (s == "worldfile" || s == "world") return cefWorldFile;
  throw EUsageError("unknown export format \"" + Printable(Name) + "\" (vrt, aux or worldfile)");
}

int RunExport(const TExportOptions& o, TCliContext& Context) {
  const TCalibExportFormat format = ExportFormatOf(o.To);
  if (!std::ifstream(o.File)) {
    ReportError(Context.Err, ExportName, "cannot open \"" + Printable(o.File, 200) + "\"");
    return ExitFailure;
  }
  TGeoMap map;
  map.SetSuppressPaint(true);
  TCalibData probe;
  TCalibModel model = cmUndefined;
  if (!ParseCalibData(o.File, o.Id, probe, model)) {
    ReportError(Context.Err, ExportName, "no calibration block in \"" + Printable(o.File, 200) + "\"");
    return ExitBadInput;
  }
  if (probe.MapFName.empty()) {
    ReportError(Context.Err, ExportName, Printable(o.File, 200) + ": the calibration block names no map image");
    return ExitBadInput;
  }
  map.LoadCalDataFromXML(o.File, o.Id);
  std::string out = o.Out;
  if (format == cefVRT && out.empty()) out = std::filesystem::path(o.File).replace_extension(".vrt").string();
  try {
    for (const std::string& written : ExportCalibration(map, out, format)) Context.Out << written << '\n';
  } catch (const EOrqGdalError& e) {
    ReportError(Context.Err, ExportName, e.what());
    return ExitFailure;
  }
  return ExitOk;
}

int RunImport(const TImportOptions& o, TCliContext& Context) {
  TCalibModel model = cmUndefined;
  if (!o.Model.empty()) {
    std::string s = o.Model;
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    model = CalibModelFromName(s);
    if (model == cmUndefined || model == cmParabolicIp)
      throw EUsageError("--model takes a quadruple model: biquadraticpn, conicconformal, millercylindrical, "
                        "equirect or utm");
  }
  TImportedCalibration c;
  try {
    c = ImportCalibration(o.File, model);
  } catch (const EOrqGdalError& e) {
    ReportError(Context.Err, ImportName, e.what());
    return ExitBadInput;
  }
  try {
    SaveImportedCalibration(c, o.Out, o.Id);
  } catch (const EOrqError& e) {
    ReportError(Context.Err, ImportName, e.what());
    return ExitFailure;
  }
  Context.Out << "model " << CalibModelNames[c.Model] << ", " << c.Data.NumCalQuads << " quadruples";
  if (c.Model == cmUTM) Context.Out << " in UTM zone " << c.Data.UTMZone << (c.Data.UTMSouth ? " south" : " north");
  Context.Out << ", image " << c.Data.MapFName << " (" << c.ImageWidth << " x " << c.ImageHeight << ")\n";
  return ExitOk;
}

}  // namespace

void RegisterCalibGdalCommands(CLI::App& Calib, TCliContext& Context) {
  auto ex = std::make_shared<TExportOptions>();
  CLI::App* exportCmd = AddCommand(Calib, Context, "export", "Write a calibration as a GDAL VRT, .aux.xml or world file",
                                   [ex, &Context] { return RunReported(Context.Err, ExportName, [&] { return RunExport(*ex, Context); }); });
  exportCmd->add_option("CALFILE", ex->File, "Calibration file (XML)")->required();
  exportCmd->add_option("--to", ex->To, "vrt, aux or worldfile")->required();
  exportCmd->add_option("-o,--output", ex->Out,
                        "Output file (vrt: default CALFILE with .vrt; aux, worldfile: default beside the map image)");
  exportCmd->add_option("--id", ex->Id, "Identifier of the block (default: the first block)");
  SetHelpText(*exportCmd,
              "The GCPs are the quadruples (utm: easting and northing in the calibration's zone, the WGS 84 UTM "
              "EPSG code; otherwise EPSG:4326 longitude/latitude), the calibration lines' points for parabolicip, "
              "and an 11 x 11 grid of pixels converted through the model for conicconformal and "
              "millercylindrical, which GDAL's polynomial warp only approximates. The world file (.jgw, .pgw, "
              ".bpw) and its .prj need an affine model: equirect or utm. Our pixel (x, y) is GDAL's "
              "(x + 0.5, y + 0.5). The names of the files written are printed.\n"
              "Exit codes: 0 done; 1 no such block, or one without a map image; 3 a file cannot be read or "
              "written, or the model cannot be "
              "exported so.");

  auto im = std::make_shared<TImportOptions>();
  CLI::App* importCmd =
      AddCommand(Calib, Context, "import", "Make a calibration block from GCPs or a geotransform read through GDAL",
                 [im, &Context] { return RunReported(Context.Err, ImportName, [&] { return RunImport(*im, Context); }); });
  importCmd->add_option("FILE", im->File,
                        "OziExplorer .map, GeoTIFF, VRT, an image with .aux.xml or world file, or a QGIS .points file")
      ->required();
  importCmd->add_option("-o,--output", im->Out, "The calibration file to write (XML)")->required();
  importCmd->add_option("--model", im->Model, "biquadraticpn, conicconformal, millercylindrical, equirect or utm");
  importCmd->add_option("--id", im->Id, "Identifier of the block written (default: empty)");
  SetHelpText(*importCmd,
              "Model, unless --model names one: GCPs in a UTM CRS give utm (kept in metres); other GCPs are "
              "converted to WGS 84 latitude/longitude and give biquadraticpn from 6 GCPs on, equirect for 3 to 5; "
              "a geotransform gives equirect (utm in a UTM CRS). The image is referenced by its absolute path, "
              "not copied.\n"
              "Exit codes: 0 done; 1 the input has no usable georeferencing; 2 bad options; 3 the output cannot be "
              "written.");
}

}  // namespace orq::cli
