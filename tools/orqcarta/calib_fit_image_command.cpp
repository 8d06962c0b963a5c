// orqcarta calib fit-image: a calibrated map whose image exceeds the map
// control's pixel limit, scaled under it with its calibration.
#include <CLI/CLI.hpp>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <ostream>

#include "Commands.h"
#include "ErrorReport.h"
#include "OutputFormat.h"
#include "orqcarta/Orq_GeoMap.h"
#include "orqplatform/FileUtils.h"
#include "orqplatform/ImageCodecs.h"
#include "orqplatform/PictureFiles.h"
#include "orqplatform/StretchBlt.h"
#include "tile_calibration.h"

namespace orq::cli {

namespace {

constexpr const char* CommandName = "calib fit-image";

struct TFitSetup {
  std::string CalFile, Id, Output, Image;
  long long MaxPixels = MaxImagePixels;
};

std::string ReplaceExtension(const std::string& File, const std::string& Ext) {
  return std::filesystem::path(File).replace_extension(Ext).string();
}

int RunFit(const TFitSetup& S, TCliContext& Context) {
  if (S.MaxPixels < 100 * 100) throw EUsageError("--max-pixels: at least 10000");
  const std::string imageOut = S.Image.empty() ? ReplaceExtension(S.Output, ".png") : S.Image;
  TCalibData data;
  TCalibModel model = cmUndefined;
  if (!ReadCalibrationOrReport(S.CalFile, S.Id, data, model, CommandName, Context.Err)) return ExitBadInput;
  std::ifstream in(FindFileIgnoringCase(data.MapFName), std::ios::binary);
  if (data.MapFName.empty() || !in) {
    ReportError(Context.Err, CommandName, "cannot open the map image \"" + Printable(data.MapFName, 200) + "\"");
    return ExitFailure;
  }
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  TRawImage raw = DecodeImage(bytes.data(), bytes.size());
  const int w = raw.Width, h = raw.Height;
  int nw = w, nh = h;
  const double factor = FitFactor(w, h, S.MaxPixels, nw, nh);
  TBitmap source;
  source.AdoptPixels(w, h, std::move(raw.Pixels), pf24bit);
  TBitmap scaled;
  scaled.SetSize(nw, nh);
  SetStretchBltMode(scaled.Canvas(), HALFTONE);
  StretchBlt(scaled.Canvas(), 0, 0, nw, nh, source.Canvas(), 0, 0, w, h, SRCCOPY);
  SavePictureFile(scaled, imageOut);
  WriteCalibration(S.Output, MovedCalibration(data, factor, 0, 0), model, nw, nh, imageOut,
                   data.Caption.empty() ? std::filesystem::path(imageOut).stem().string() : data.Caption);
  Context.Out << "image:       " << w << " x " << h << " -> " << nw << " x " << nh << " pixels (factor "
              << FormatFixed(factor, 6) << ")\n"
              << "written:     " << imageOut << ", " << S.Output << '\n';
  return ExitOk;
}

}  // namespace

void RegisterCalibFitImageCommand(CLI::App& Calib, TCliContext& Context) {
  auto setup = std::make_shared<TFitSetup>();
  CLI::App* command = Calib.add_subcommand("fit-image", "Scale a map image under the map control's pixel limit, "
                                                        "with its calibration");
  command->callback([setup, &Context] {
    Context.ExitCode = RunReported(Context.Err, CommandName, [&] { return RunFit(*setup, Context); });
  });
  command->add_option("CALFILE", setup->CalFile, "Calibration file; its block names the image")->required();
  command->add_option("--id", setup->Id, "Identifier of the block (default: the first)");
  command->add_option("--max-pixels", setup->MaxPixels, "Pixel limit (default 3000000)")->type_name("N");
  command->add_option("--image", setup->Image, "The scaled image (.png, .bmp, .jpg; default OUT with .png)")
      ->type_name("FILE");
  command->add_option("-o,--output", setup->Output, "The new calibration file")->required()->type_name("OUT.xml");
  SetHelpText(*command,
              "The image is reduced by area averaging to the largest size within the limit (the aspect kept); "
              "every calibration pixel position is scaled with it as ResizeMap does, and the block is written "
              "with the new corners and resolution. Images up to 2^28 pixels are decoded whole; larger scans "
              "go through `orqcarta atlas split`.");
}

}  // namespace orq::cli
