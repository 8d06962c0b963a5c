// orqcarta calib show: what a calibration block holds, and how well its
// quadruples agree with the fitted model.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <cmath>
#include <fstream>
#include <new>
#include <memory>
#include <ostream>

#include "Commands.h"
#include "ErrorReport.h"
#include "OutputFormat.h"
#include "gdal_commands.h"
#include "orqcarta/Orq_GeoMap.h"

namespace orq::cli {

namespace {

constexpr const char* CommandName = "calib show";

struct TShowOptions {
  std::string File, Id;
};

bool UsesQuadruples(TCalibModel Model) { return Model >= cmBiquadraticPn && Model <= cmUTM; }

std::string Degrees(double Value) { return FormatFixed(Value, 5); }

// The residual scatter of the quadruples about the fitted model, from a map
// control that holds only the calibration (no image is needed for it).
bool ComputeQuality(const TCalibData& Data, TCalibModel Model, double& QualX, double& QualY) {
  if (!UsesQuadruples(Model) || Data.NumCalQuads < 1) return false;
  TGeoMap map;
  map.SetSuppressPaint(true);
  try {
    map.SetCalibData(Data);
    map.SetCalibModel(Model);
    map.RecalcCalibration();
    map.CalibQuality(QualX, QualY);
  } catch (const EOrqError&) {
    return false;  // a fit that cannot be made has no quality either
  }
  return std::isfinite(QualX) && std::isfinite(QualY);
}

void PrintBlock(std::ostream& Out, const TCalibData& d, TCalibModel Model) {
  static const char* const CornerNames[4] = {"top-left", "bottom-left", "bottom-right", "top-right"};
  const bool quadModel = UsesQuadruples(Model);
  Out << "model:       " << (Model >= cmParabolicIp && Model <= cmUndefined ? CalibModelNames[Model] : "?") << '\n';
  Out << "map file:    " << d.MapFName << '\n';
  Out << "caption:     " << d.Caption << '\n';
  Out << "corners:     lat lon\n";
  for (int c = 0; c < 4; ++c) {
    std::string name = CornerNames[c];
    name.resize(13, ' ');
    Out << "  " << name << Degrees(d.Corners[c].Latit) << ' ' << Degrees(d.Corners[c].Longit) << '\n';
  }
  Out << "resolution:  " << FormatFixed(d.Resolution, 3) << " m/pixel\n";
  if (d.UTMZone >= 1 && d.UTMZone <= 60)
    Out << "utm zone:    " << d.UTMZone << (d.UTMSouth ? " south" : " north") << '\n';
  else
    Out << "utm zone:    none\n";
  const int ell = static_cast<int>(d.Ellipsoid);
  if (ell >= 0 && ell < GeoEllipsoidCount)
    Out << "ellipsoid:   " << GeoEllipsoidId[ell] << " (" << GeoEllipsoidName[ell] << ")\n";

  double qx = 0, qy = 0;
  if (ComputeQuality(d, Model, qx, qy))
    Out << "quality:     x " << FormatFixed(qx, 3) << " y " << FormatFixed(qy, 3) << " pixels\n";
  else
    Out << "quality:     not computable ("
        << (!quadModel ? "the model uses no quadruples" : d.NumCalQuads < 1 ? "no quadruples" : "the fit failed")
        << ")\n";

  const int lines = std::clamp(d.NumCalLines, 0, MaxCalibLines);
  Out << "lines:       " << lines << '\n';
  for (int i = 0; i < lines; ++i) {
    const TCalibLine& l = d.CalLines[i];
    const int points = std::clamp(l.NumPoints, 0, MaxPointsPerLine);
    Out << "  " << (l.LineType == gtlParallel ? "parallel " : "meridian ") << FormatShortest(l.LineValue) << ": "
        << points << (points == 1 ? " point" : " points");
    for (int p = 0; p < points; ++p) Out << " [" << l.CalPoints[p].X << ',' << l.CalPoints[p].Y << ']';
    Out << '\n';
  }
  const int quads = std::clamp(d.NumCalQuads, 0, MaxCalibQuads);
  Out << "quadruples:  " << quads << (Model == cmUTM ? " (northing easting x y)" : " (lat lon x y)") << '\n';
  for (int i = 0; i < quads; ++i) {
    const TCalQuad& q = d.CalQuads[i];
    Out << "  " << Degrees(q.Latitude) << ' ' << Degrees(q.Longitude) << ' ' << q.MapX << ' ' << q.MapY << '\n';
  }
}

int RunShow(const TShowOptions& o, TCliContext& Context) {
  if (!std::ifstream(o.File)) {
    ReportError(Context.Err, CommandName, "cannot open \"" + Printable(o.File, 200) + "\"");
    return ExitFailure;
  }
  TCalibData data;
  data.UTMZone = -1;  // a block without "utmzone" has none
  TCalibModel model = cmUndefined;
  try {
    if (!ParseCalibData(o.File, o.Id, data, model)) {
      ReportError(Context.Err, CommandName,
                  (o.Id.empty() ? std::string("no calibration block") : "no calibration block \"" + Printable(o.Id) + "\"") +
                      " in \"" + Printable(o.File, 200) + "\"");
      return ExitBadInput;
    }
  } catch (const EOrqError& e) {
    ReportError(Context.Err, CommandName, "malformed block in \"" + Printable(o.File, 200) + "\": " + e.what());
    return ExitBadInput;
  }
  PrintBlock(Context.Out, data, model);
  return ExitOk;
}

}  // namespace

void RegisterCalibFitImageCommand(CLI::App& Calib, TCliContext& Context);     // calib_fit_image_command.cpp
void RegisterCalibPlateCarreeCommand(CLI::App& Calib, TCliContext& Context);  // calib_plate_carree_command.cpp

void RegisterCalibCommands(CLI::App& App, TCliContext& Context) {
  CLI::App* group = App.add_subcommand("calib", "Calibration files");
  group->require_subcommand(1);
  auto options = std::make_shared<TShowOptions>();
  CLI::App* show = AddCommand(*group, Context, "show", "Show a calibration block: model, corners, resolution, "
                                                       "quality, calibration lines and quadruples",
                              [options, &Context] { return RunReported(Context.Err, CommandName, [&] { return RunShow(*options, Context); }); });
  show->add_option("FILE", options->File, "Calibration file (XML)")->required();
  show->add_option("--id", options->Id, "Identifier of the block (default: the first block)");
  SetHelpText(*show,
              "Corners and resolution are those stored in the block. The quality is the residual scatter, in "
              "pixels, of the quadruples' pixels about the positions the fitted model gives them; it exists for "
              "the quadruple models (biquadraticpn, conicconformal, millercylindrical, equirect, utm).\n"
              "Exit codes: 0 done; 1 no such block, or a malformed one; 3 the file cannot be opened.");
  RegisterCalibFitImageCommand(*group, Context);
  RegisterCalibPlateCarreeCommand(*group, Context);
  RegisterCalibGdalCommands(*group, Context);
}

}  // namespace orq::cli
