// orqcarta atlas: registers calibration files with an atlas, lists them,
// and shows which map the atlas switches to at a position when zooming.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "Commands.h"
#include "ErrorReport.h"
#include "NumberParsing.h"
#include "orqcarta/Orq_GeoAtlas.h"
#include "orqplatform/FileUtils.h"
#include "orqplatform/PictureFiles.h"

namespace orq::cli {

namespace {

struct TAtlasSetup {
  std::vector<std::string> Inputs;
  bool List = false;
  std::string At;
  bool ZoomIn = false, ZoomOut = false;
  std::string Output;
};

// The files given, with a folder standing for its *.xml files (sorted, so
// that the order of registration does not depend on the directory).
std::vector<std::string> CalibrationFiles(const std::vector<std::string>& Inputs) {
  std::vector<std::string> files;
  for (const std::string& in : Inputs) {
    if (!DirectoryExists(in)) {
      files.push_back(in);
      continue;
    }
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(in))
      if (entry.is_regular_file() && LowerCase(entry.path().extension().string()) == ".xml")
        found.push_back(entry.path().string());
    std::sort(found.begin(), found.end());
    files.insert(files.end(), found.begin(), found.end());
  }
  return files;
}

void ReadPosition(const std::string& Text, double& Lat, double& Long) {
  const size_t comma = Text.find(',');
  const auto lat = ParseNumber(Text.substr(0, comma));
  const auto lon = comma == std::string::npos ? std::nullopt : ParseNumber(Text.substr(comma + 1));
  if (!lat || !lon || *lat < -90 || *lat > 90 || *lon < -180 || *lon > 180)
    throw EUsageError("--at: expected LAT,LON in degrees, got \"" + Printable(Text) + "\"");
  Lat = *lat;
  Long = *lon;
}

void ListMaps(const TGeoAtlas& Atlas, std::ostream& Out) {
  for (int i = 1; i <= Atlas.NumRegMaps(); ++i) {
    const TMapDefinition m = Atlas.Maps(i);
    Out << i << "  " << (m.Caption.empty() ? m.MapFName : m.Caption) << "\n"
        << "   file:       " << m.MapFName << "\n"
        << "   resolution: " << m.Resolution << " m/pixel\n"
        << "   corners:   ";
    static constexpr const char* names[] = {" top-left ", " bottom-left ", " bottom-right ", " top-right "};
    for (int c = gcoTopLeft; c <= gcoTopRight; ++c)
      Out << names[c] << m.Corners[c].Latit << "," << m.Corners[c].Longit;
    Out << "\n";
  }
}

// The map at the end of the walk: from the coarsest (finest) map that holds
// the position, zoomed in (out) as far as the atlas goes. 0 when none holds it.
int Walk(TGeoAtlas& Atlas, double Lat, double Long, bool In, std::ostream& Out) {
  int start = 0;
  for (int i = 1; i <= Atlas.NumRegMaps(); ++i) {
    const TMapDefinition m = Atlas.Maps(i);
    if (!PositionInMap(Lat, Long, m.Corners)) continue;
    if (start == 0 || (In ? m.Resolution > Atlas.Maps(start).Resolution : m.Resolution < Atlas.Maps(start).Resolution))
      start = i;
  }
  if (start == 0) return 0;
  if (!Atlas.SelectMap(start)) throw std::runtime_error("cannot load " + Atlas.Maps(start).MapFName);
  Atlas.CurrentMap()->BringLocationToCenter(Lat, Long);
  int current = start;
  for (int step = 0;; ++step) {
    Out << (step == 0 ? "start:   " : (In ? "zoom in: " : "zoom out:")) << " " << current << "  "
        << Atlas.MapSelector()->Text() << " (" << Atlas.Maps(current).Resolution << " m/pixel)\n";
    const double res = Atlas.CurrentMap()->CalibData().Resolution;
    const bool moved = In ? Atlas.ZoomIn(Lat, Long, res) : Atlas.ZoomOut(Lat, Long, res);
    if (!moved) break;
    current = Atlas.MapSelector()->ItemIndex() + 1;
  }
  return current;
}

int RunAtlas(const TAtlasSetup& S, TCliContext& Context) {
  if (S.ZoomIn && S.ZoomOut) throw EUsageError("--zoom-in and --zoom-out exclude each other");
  if (S.At.empty() && (S.ZoomIn || S.ZoomOut || !S.Output.empty()))
    throw EUsageError("--zoom-in, --zoom-out and -o need --at");
  TGeoAtlas atlas;
  atlas.SetBounds(0, 0, 800, 633);  // a map control of 800 x 600
  atlas.CurrentMap()->SetSuppressPaint(true);
  int failed = 0;
  for (const std::string& f : CalibrationFiles(S.Inputs)) {
    if (!atlas.RegisterMap(f)) {
      ReportError(Context.Err, "atlas", "no calibration block in " + Printable(f));
      ++failed;
    }
  }
  if (atlas.NumRegMaps() == 0) {
    ReportError(Context.Err, "atlas", "no map registered");
    return ExitBadInput;
  }
  if (S.List || S.At.empty()) ListMaps(atlas, Context.Out);
  if (!S.At.empty()) {
    double lat = 0, lon = 0;
    ReadPosition(S.At, lat, lon);
    const int pick = Walk(atlas, lat, lon, !S.ZoomOut, Context.Out);
    if (pick == 0) {
      ReportError(Context.Err, "atlas", "no registered map holds " + Printable(S.At));
      return ExitBadInput;
    }
    Context.Out << "map:      " << pick << "  " << atlas.MapSelector()->Text() << "\n";
    if (!S.Output.empty()) {
      TGeoMap* map = atlas.CurrentMap();
      map->SetSuppressPaint(false);
      map->Paint();
      SavePictureFile(*map->AuxBmp(), S.Output, map->Width(), map->Height());
      Context.Out << "picture:  " << S.Output << " (" << map->Width() << " x " << map->Height() << ")\n";
    }
  }
  return failed == 0 ? ExitOk : ExitBadInput;
}

}  // namespace

void RegisterAtlasSplitCommand(CLI::App& Atlas, TCliContext& Context);  // atlas_split_command.cpp

void RegisterAtlasCommand(CLI::App& App, TCliContext& Context) {
  auto setup = std::make_shared<TAtlasSetup>();
  auto split = std::make_shared<CLI::App*>(nullptr);
  CLI::App* command = AddCommand(App, Context, "atlas", "Register calibrated maps and zoom between them",
                                 [setup, split, &Context] {
                                   // "atlas split" has run and set the exit code.
                                   if (*split && (*split)->parsed()) return Context.ExitCode;
                                   if (setup->Inputs.empty())
                                     throw EUsageError("inputs: give calibration files or folders");
                                   return RunAtlas(*setup, Context);
                                 });
  command->add_option("inputs", setup->Inputs, "Calibration files, or folders of *.xml files")
      ->type_name("FOLDER|FILE");
  command->add_flag("--list", setup->List, "List the registered maps (also without --at)");
  command->add_option("--at", setup->At, "Position LAT,LON in degrees")->type_name("LAT,LON");
  command->add_flag("--zoom-in", setup->ZoomIn, "From the coarsest map holding the position, zoom in (default)");
  command->add_flag("--zoom-out", setup->ZoomOut, "From the finest map holding the position, zoom out");
  command->add_option("-o", setup->Output, "Render the chosen map centred on the position (.png, .bmp, .jpg)")
      ->type_name("OUT");
  SetHelpText(*command,
              "Each map is listed with its caption, resolution (metres per pixel) and corners. With --at the "
              "atlas starts at the coarsest map that holds the position and zooms in map by map as a zoom-mode "
              "click would, printing each map it switches to.\n"
              "Example:\n"
              "  orqcarta atlas maps/ --at 46.5,10.5 -o alps.png");
  RegisterAtlasSplitCommand(*command, Context);
  *split = command->get_subcommand("split");
}

}  // namespace orq::cli
