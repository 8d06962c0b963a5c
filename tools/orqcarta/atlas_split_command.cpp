// orqcarta atlas split: a large calibrated scan cut into an atlas of tiles.
#include <CLI/CLI.hpp>
#include <filesystem>
#include <memory>
#include <ostream>

#include "Commands.h"
#include "ErrorReport.h"
#include "atlas_split.h"
#include "db_progress.h"
#include "orqplatform/FileUtils.h"
#include "tile_calibration.h"

namespace orq::cli {

namespace {

constexpr const char* CommandName = "atlas split";
// The largest square tile the map control takes (3,000,000 pixels).
constexpr int MaxTileSide = 1732;
constexpr int MinTileSide = 16;

struct TSplitSetup {
  std::string Image, CalFile, Id, Dir, Format = "bmp";
  int Tile = 1024, Quality = 90;
  bool Progress = false;
};

int RunSplit(const TSplitSetup& S, TCliContext& Context) {
  if (S.Tile < MinTileSide || S.Tile > MaxTileSide)
    throw EUsageError("--tile: expected " + std::to_string(MinTileSide) + ".." + std::to_string(MaxTileSide) +
                      " pixels (a tile holds at most " + std::to_string(MaxImagePixels) + " pixels)");
  if (S.Format != "bmp" && S.Format != "jpg") throw EUsageError("--format: bmp or jpg");
  if (S.Quality < 1 || S.Quality > 100) throw EUsageError("--quality: expected 1..100");
  TCalibData data;
  TCalibModel model = cmUndefined;
  if (!ReadCalibrationOrReport(S.CalFile, S.Id, data, model, CommandName, Context.Err)) return ExitBadInput;
  std::error_code ec;
  std::filesystem::create_directories(S.Dir, ec);
  if (!DirectoryExists(S.Dir)) {
    ReportError(Context.Err, CommandName, "cannot create the folder \"" + Printable(S.Dir, 200) + "\"");
    return ExitFailure;
  }
  TSplitOptions options;
  options.Tile = S.Tile;
  options.Format = S.Format == "jpg" ? TTileFormat::Jpeg : TTileFormat::Bmp;
  options.JpegQuality = S.Quality;
  options.Stem = std::filesystem::path(S.Image).stem().string();
  TProgressBar bar(Context.Err, ShouldShowProgress(S.Progress));
  const TSplitResult result = SplitImage(S.Image, data, model, S.Dir, options, [&bar](int p) { bar.Update(p); });
  bar.Finish();
  std::vector<int> perLevel(static_cast<std::size_t>(result.Levels), 0);
  for (const TSplitTile& t : result.Tiles) ++perLevel[static_cast<std::size_t>(t.Level)];
  Context.Out << "tiles:  " << result.Tiles.size() << " in " << result.Levels << (result.Levels == 1 ? " level" : " levels")
              << " (";
  for (int k = 0; k < result.Levels; ++k) Context.Out << (k ? ", " : "") << "level " << k << ": " << perLevel[static_cast<std::size_t>(k)];
  Context.Out << ")\nfolder: " << S.Dir << '\n';
  return ExitOk;
}

}  // namespace

void RegisterAtlasSplitCommand(CLI::App& Atlas, TCliContext& Context) {
  auto setup = std::make_shared<TSplitSetup>();
  CLI::App* command = Atlas.add_subcommand("split", "Cut a large calibrated scan into tiles and overview levels");
  command->callback([setup, &Context] {
    Context.ExitCode = RunReported(Context.Err, CommandName, [&] { return RunSplit(*setup, Context); });
  });
  command->add_option("IMAGE", setup->Image, "The scan (JPEG is decoded by rows; BMP and PNG whole)")->required();
  command->add_option("CALFILE", setup->CalFile, "Its calibration file")->required();
  command->add_option("--id", setup->Id, "Identifier of the calibration block (default: the first)");
  command->add_option("--tile", setup->Tile, "Largest tile side in pixels (16..1732, default 1024)")->type_name("N");
  command->add_option("--format", setup->Format, "Tile pictures: bmp (lossless, default) or jpg");
  command->add_option("--quality", setup->Quality, "JPEG quality of jpg tiles (default 90)");
  command->add_option("-o,--output", setup->Dir, "Folder for the tiles (created)")->required()->type_name("DIR");
  command->add_flag("--progress", setup->Progress, "Show a progress bar even when standard error is not a terminal");
  SetHelpText(*command,
              "Writes IMAGE's tiles of at most N x N pixels, and overview levels at half, a quarter ... of the "
              "resolution down to a level of one tile, each tile as a picture and a calibration file "
              "STEM_L<level>_R<row>_C<column>.xml that `orqcarta atlas DIR` registers: the atlas then goes "
              "from the overview to the detail as one zooms in.\n"
              "Every tile keeps the full set of calibration points, moved by its offset (and scaled to its "
              "level), so its pixel-to-position conversion is that of the full scan for the models that are "
              "affine in pixels (equirect, millercylindrical, utm) and for biquadraticpn; overview points are "
              "rounded to whole pixels.\n"
              "Only a few rows of the scan are decoded at a time, so a scan far larger than memory splits.");
}

}  // namespace orq::cli
