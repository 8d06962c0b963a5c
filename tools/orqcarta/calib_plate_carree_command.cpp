// orqcarta calib plate-carree: the calibration of a picture in plate carrée
// (equirectangular) whose edges lie on known parallels and meridians, such
// as the public-domain world maps and relief tiles.
#include <CLI/CLI.hpp>
#include <cmath>
#include <memory>
#include <optional>
#include <ostream>
#include <vector>

#include "Commands.h"
#include "ErrorReport.h"
#include "NumberParsing.h"
#include "orqplatform/FileUtils.h"
#include "orqplatform/ImageCodecs.h"
#include "tile_calibration.h"

namespace orq::cli {

namespace {

constexpr const char* CommandName = "calib plate-carree";

struct TPlateSetup {
  std::string Image, Area = "90,-180,-90,180", Caption, Output;
};

// "LAT_TOP,LON_LEFT,LAT_BOTTOM,LON_RIGHT"
std::vector<double> ParseArea(const std::string& Text) {
  std::vector<double> v;
  std::size_t start = 0;
  for (int i = 0; i < 4; ++i) {
    const std::size_t comma = Text.find(',', start);
    const auto value = ParseNumber(Text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
    if (!value || (i < 3) == (comma == std::string::npos)) break;
    v.push_back(*value);
    start = comma + 1;
  }
  if (v.size() != 4 || !(v[0] > v[2]) || !(v[1] < v[3]) || std::fabs(v[0]) > 90 || std::fabs(v[2]) > 90 ||
      std::fabs(v[1]) > 180 || std::fabs(v[3]) > 180)
    throw EUsageError("--area: expected LAT_TOP,LON_LEFT,LAT_BOTTOM,LON_RIGHT, top above bottom and left west of "
                      "right, not \"" + Printable(Text) + "\"");
  return v;
}

int RunPlate(const TPlateSetup& S, TCliContext& Context) {
  const std::vector<double> area = ParseArea(S.Area);
  const TImageSize size = ReadImageSize(FindFileIgnoringCase(S.Image));
  const TCalibData data = PlateCarreeCalibration(size.Width, size.Height, area[0], area[2], area[1], area[3]);
  WriteCalibration(S.Output, data, cmEquiRect, size.Width, size.Height, S.Image,
                   S.Caption.empty() ? ExtractFileName(S.Image) : S.Caption);
  Context.Out << S.Output << ": " << size.Width << " x " << size.Height << " pixels, latitude " << area[2] << " .. "
              << area[0] << ", longitude " << area[1] << " .. " << area[3] << '\n';
  return ExitOk;
}

}  // namespace

void RegisterCalibPlateCarreeCommand(CLI::App& Calib, TCliContext& Context) {
  auto setup = std::make_shared<TPlateSetup>();
  CLI::App* command = Calib.add_subcommand("plate-carree", "Calibrate a plate carrée picture from the positions of "
                                                           "its edges");
  command->callback([setup, &Context] {
    Context.ExitCode = RunReported(Context.Err, CommandName, [&] { return RunPlate(*setup, Context); });
  });
  command->add_option("IMAGE", setup->Image, "The picture (only its header is read)")->required();
  command->add_option("--area", setup->Area, "Its edges in degrees (default the whole earth: 90,-180,-90,180)")
      ->type_name("TOP,LEFT,BOTTOM,RIGHT");
  command->add_option("--caption", setup->Caption, "Caption of the block (default the file's name)");
  command->add_option("-o,--output", setup->Output, "The calibration file")->required()->type_name("OUT.xml");
  SetHelpText(*command,
              "Writes an equirect block with nine quadruples (corners, middles of the edges, centre) and the "
              "corners and resolution the map control derives from them.");
}

}  // namespace orq::cli
