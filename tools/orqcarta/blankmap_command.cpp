// orqcarta blankmap: writes a blank map with frame, graticule and degree
// labels as FILE.bmp, and its calibration as FILE.xml, ready to be loaded by
// the map control or rendered with landmarks.
#include "blankmap_command.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <ostream>
#include <string>
#include <vector>

#include "ErrorReport.h"
#include "NumberParsing.h"
#include "orqcarta/Orq_GeoMap.h"
#include "orqmath/MathUtils.h"
#include "orqplatform/FileUtils.h"

namespace orq::cli {

namespace {

constexpr int DefaultWidth = 1000;
constexpr int MinSize = 100;
constexpr long long MaxPixels = MaxImagePixels;
constexpr double LinesWanted = 6;  // automatic spacing aims at about this many lines

struct TBlankMapSetup {
  std::string File;
  std::vector<std::string> Lat, Long;
  std::string DLat, DLong;
  int Width = 0, Height = 0;
  std::string Caption;
};

double NumberOption(const std::string& Text, const std::string& Option) {
  const auto value = ParseNumber(Text);
  if (!value) throw EUsageError(Option + ": not a number: \"" + Printable(Text) + "\"");
  return *value;
}

// LOW HIGH as given (either order), each within Limit degrees.
void ReadRange(const std::vector<std::string>& Texts, const std::string& Option, double Limit, double& Low,
               double& High) {
  Low = NumberOption(Texts.at(0), Option);
  High = NumberOption(Texts.at(1), Option);
  if (std::fabs(Low) > Limit || std::fabs(High) > Limit)
    throw EUsageError(Option + ": values must lie within -" + std::to_string(static_cast<int>(Limit)) + ".." +
                      std::to_string(static_cast<int>(Limit)));
  if (Low == High) throw EUsageError(Option + ": the two bounds must differ");
  if (High < Low) std::swap(Low, High);
}

// A 1-2-5 spacing that gives about LinesWanted lines over the span.
double AutomaticSpacing(double Span) { return Round125(Span / LinesWanted); }

double Spacing(const std::string& Text, const std::string& Option, double Span) {
  if (Text.empty()) return AutomaticSpacing(Span);
  const double value = NumberOption(Text, Option);
  if (!(value > 0)) throw EUsageError(Option + ": the line distance must be positive");
  return value;
}

// The height that keeps a degree of latitude about as long as a degree of
// longitude at the middle latitude (plate carree near the equator).
int AutomaticHeight(int Width, double LatLow, double LatHigh, double LongLow, double LongHigh) {
  const double midLat = (LatLow + LatHigh) / 2 * std::numbers::pi / 180;
  const double longSpan = (LongHigh - LongLow) * std::max(std::cos(midLat), 0.1);
  const double height = Width * (LatHigh - LatLow) / longSpan;
  const double maxHeight = static_cast<double>(MaxPixels / Width);
  return static_cast<int>(std::clamp(std::round(height), static_cast<double>(MinSize), maxHeight));
}

int RunBlankMap(const TBlankMapSetup& S, TCliContext& Context) {
  double latLow = 0, latHigh = 0, longLow = 0, longHigh = 0;
  ReadRange(S.Lat, "--lat", 90, latLow, latHigh);
  ReadRange(S.Long, "--long", 180, longLow, longHigh);
  const double dLat = Spacing(S.DLat, "--dlat", latHigh - latLow);
  const double dLong = Spacing(S.DLong, "--dlong", longHigh - longLow);
  const int width = S.Width > 0 ? S.Width : DefaultWidth;
  if (width < MinSize || width > MaxPixels / MinSize)
    throw EUsageError("--width: must lie within " + std::to_string(MinSize) + ".." +
                      std::to_string(MaxPixels / MinSize));
  const int height = S.Height > 0 ? S.Height : AutomaticHeight(width, latLow, latHigh, longLow, longHigh);
  if (height < MinSize || static_cast<long long>(width) * height > MaxPixels)
    throw EUsageError("--height: must be at least " + std::to_string(MinSize) + ", and width x height at most " +
                      std::to_string(MaxPixels) + " pixels");
  if ((latHigh - latLow) / dLat > 10000 || (longHigh - longLow) / dLong > 10000)
    throw EUsageError("--dlat/--dlong: more than 10000 lines; choose a larger line distance");

  const std::string bmpName = ChangeFileExt(S.File, ".bmp");
  const std::string xmlName = ChangeFileExt(S.File, ".xml");
  TGeoMap map;
  map.SetName("blankmap");
  map.SetSuppressPaint(true);  // nothing is shown; spare the composition
  map.CreateAndLoadEmptyMap(S.File, latLow, longLow, latHigh, longHigh, dLat, dLong, width, height, nullptr);
  if (map.MapImgWidth() != width || map.MapImgHeight() != height) {
    ReportError(Context.Err, "blankmap", "the written map could not be read back from " + Printable(bmpName));
    return ExitFailure;
  }
  if (!S.Caption.empty()) {
    // Written again with the caption; the writer adds the derived corners
    // and resolution, which an atlas needs to choose between its maps.
    map.SetCaption(S.Caption);
    map.SaveCalDataAsXML(xmlName, "Orq_geomap_caldata");
  }
  Context.Out << "map image:   " << bmpName << " (" << width << " x " << height << " pixels)\n"
              << "calibration: " << xmlName << " (block Orq_geomap_caldata, biquadratic)\n"
              << "area:        latitude " << latLow << " .. " << latHigh << ", longitude " << longLow << " .. "
              << longHigh << "\n"
              << "lines every: " << dLat << " deg latitude, " << dLong << " deg longitude\n";
  return ExitOk;
}

}  // namespace

void RegisterBlankMapCommand(CLI::App& App, TCliContext& Context) {
  auto setup = std::make_shared<TBlankMapSetup>();
  CLI::App* command = AddCommand(App, Context, "blankmap", "Calibrated blank map of a latitude/longitude rectangle",
                                 [setup, &Context] { return RunBlankMap(*setup, Context); });
  command->add_option("file", setup->File, "Output name; FILE.bmp and FILE.xml are written")
      ->required()
      ->type_name("FILE");
  command->add_option("--lat", setup->Lat, "Latitude bounds in degrees, south and north (either order)")
      ->required()
      ->expected(2)
      ->allow_extra_args(false)
      ->type_name("DEG");
  command->add_option("--long", setup->Long, "Longitude bounds in degrees, west and east (either order)")
      ->required()
      ->expected(2)
      ->allow_extra_args(false)
      ->type_name("DEG");
  command->add_option("--dlat", setup->DLat, "Distance of the parallels in degrees (default: about 6 lines)")
      ->type_name("DEG");
  command->add_option("--dlong", setup->DLong, "Distance of the meridians in degrees (default: about 6 lines)")
      ->type_name("DEG");
  command->add_option("--width", setup->Width, "Width in pixels (default 1000)")->type_name("PX");
  command->add_option("--height", setup->Height, "Height in pixels (default: from the area's aspect)")
      ->type_name("PX");
  command
      ->add_option("--caption", setup->Caption,
                   "Caption of the map; the calibration then also records its corners and resolution, so that "
                   "an atlas can choose it by resolution")
      ->type_name("TEXT");
  SetHelpText(*command,
              "The map has a frame 30 pixels inside its edges, a dotted line at 26 pixels, dashed silver parallels "
              "and meridians labelled in degrees, and is calibrated by nine points on the frame. Width x height "
              "may not exceed " + std::to_string(MaxPixels) + " pixels.\n"
              "Example:\n"
              "  orqcarta blankmap alps --lat 45.5 48 --long 5.5 16.5 --dlat 0.5 --dlong 1");
}

}  // namespace orq::cli
