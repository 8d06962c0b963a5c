// orqcarta render: a calibrated map with its landmarks, composed by the map
// control as it would show it, written as a picture file.
#include "render_command.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <vector>
#include <ostream>
#include <string>

#include "ErrorReport.h"
#include "NumberParsing.h"
#include "OutputFormat.h"
#include "db_session.h"
#include "landmarks_formats.h"
#include "orqcarta/Orq_GeoMap.h"
#include "orqcarta/Orq_GeoMapDB.h"
#include "orqplatform/PictureFiles.h"

namespace orq::cli {

namespace {

constexpr const char* CommandName = "render";
constexpr int MinSide = 16, MaxSide = 8000;
constexpr long long MaxPicturePixels = 16000000;

struct TRenderSetup {
  std::string CalFile, Id, LandMarks, Symbols, Size = "800x600", Mag, Center, Graticule, GridDist, Output;
  std::string Db, Kinds, DbColor = "#1E3C78";
  bool Fit = false, NoAntiAlias = false;
};

double NumberOption(const std::string& Text, const std::string& Option) {
  const auto value = ParseNumber(Text);
  if (!value) throw EUsageError(Option + ": not a number: \"" + Printable(Text) + "\"");
  return *value;
}

void ParseSize(const std::string& Text, int& W, int& H) {
  const auto x = Text.find_first_of("xX");
  const auto w = x == std::string::npos ? std::nullopt : ParseInteger(Text.substr(0, x));
  const auto h = x == std::string::npos ? std::nullopt : ParseInteger(Text.substr(x + 1));
  if (!w || !h || *w < MinSide || *h < MinSide || *w > MaxSide || *h > MaxSide ||
      static_cast<long long>(*w) * *h > MaxPicturePixels)
    throw EUsageError("--size: expected WxH, each " + std::to_string(MinSide) + ".." + std::to_string(MaxSide) +
                      " and at most " + std::to_string(MaxPicturePixels) + " pixels, not \"" + Printable(Text) + "\"");
  W = *w;
  H = *h;
}

TShowGrat GraticuleKind(const std::string& Name) {
  static const struct {
    const char* Name;
    TShowGrat Kind;
  } kinds[] = {{"none", sgNone},   {"points", sgPoints}, {"lines", sgLines},
               {"both", sgPointsAndLines}, {"utm", sgUTMGrid}, {"points+utm", sgPointsAndUTMGrid}};
  for (const auto& k : kinds)
    if (Name == k.Name) return k.Kind;
  throw EUsageError("--graticule: unknown value \"" + Printable(Name) +
                    "\" (none, points, lines, both, utm, points+utm)");
}

std::string LowerExtension(const std::string& File) {
  const auto dot = File.find_last_of('.');
  const auto slash = File.find_last_of('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  std::string ext = File.substr(dot);
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
  return ext;
}

// "#RRGGBB" or "RRGGBB".
TColor ParseColour(const std::string& Text) {
  const std::string hex = !Text.empty() && Text[0] == '#' ? Text.substr(1) : Text;
  if (hex.size() != 6 || hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
    throw EUsageError("--db-color: expected #RRGGBB, not \"" + Printable(Text) + "\"");
  const unsigned long v = std::stoul(hex, nullptr, 16);
  return RGB(static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v));
}

// The item kinds of a comma-separated list; empty: every polygon kind.
std::vector<TgdbItem> ParseKinds(const std::string& Text) {
  std::vector<TgdbItem> kinds;
  std::size_t start = 0;
  while (!Text.empty() && start <= Text.size()) {
    const std::size_t comma = std::min(Text.find(',', start), Text.size());
    try {
      kinds.push_back(ParsePolygonKind(Text.substr(start, comma - start)));
    } catch (const EUsageError& e) {
      throw EUsageError(std::string("--kinds: ") + e.what());
    }
    start = comma + 1;
  }
  return kinds;
}

bool Readable(const std::string& File) { return static_cast<bool>(std::ifstream(File)); }

std::string ReadText(const std::string& File) {
  std::ifstream in(File, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// CSV and GeoJSON carry every symbol kind; the XML block knows lmPlus and
// lmUserDef only as lmCross. Returns false after reporting.
bool LoadLandMarkFile(TGeoMap& Map, const std::string& File, TCliContext& Context) {
  const std::string ext = LowerExtension(File);
  if (ext != ".csv" && ext != ".geojson" && ext != ".json") {
    if (Map.LoadLandMarks(File, "")) return true;
    ReportError(Context.Err, CommandName, "no landmark block in \"" + Printable(File, 200) + "\"");
    return false;
  }
  std::vector<std::string> ignored;
  try {
    const std::string text = ReadText(File);
    const auto landmarks = ext == ".csv" ? LandmarksFromCsv(text, Map.LandMarkDefault(), ignored)
                                         : LandmarksFromGeoJson(text, Map.LandMarkDefault(), ignored);
    for (const TLandMark& lm : landmarks) Map.AddLandMarkRecord(lm);
  } catch (const EInputError& e) {
    ReportError(Context.Err, CommandName, "\"" + Printable(File, 200) + "\": " + e.what());
    return false;
  }
  return true;
}

int Missing(TCliContext& Context, const std::string& What, const std::string& File) {
  ReportError(Context.Err, CommandName, "cannot open " + What + " \"" + Printable(File, 200) + "\"");
  return ExitFailure;
}

int NoBlock(TCliContext& Context, const std::string& What, const std::string& Id, const std::string& File) {
  ReportError(Context.Err, CommandName,
              "no " + What + " block" + (Id.empty() ? std::string() : " \"" + Printable(Id) + "\"") + " in \"" +
                  Printable(File, 200) + "\"");
  return ExitBadInput;
}

}  // namespace

void PrintPictureBounds(std::ostream& Out, const TGeoMap& Map) {
  static const struct {
    const char* Name;
    bool Right, Bottom;
  } corners[] = {{"top left:    ", false, false},
                 {"top right:   ", true, false},
                 {"bottom left: ", false, true},
                 {"bottom right:", true, true}};
  for (const auto& c : corners) {
    const TPoint image = Map.ControlToMapImage(TPoint{c.Right ? Map.Width() : 0, c.Bottom ? Map.Height() : 0});
    bool latValid = false, longValid = false;
    const double lat = Map.CalcLatitude(image, latValid);
    const double lon = Map.CalcLongitude(image, longValid);
    Out << c.Name << ' ';
    if (latValid && longValid)
      Out << "lat " << FormatFixed(lat, 6) << " lon " << FormatFixed(lon, 6) << '\n';
    else
      Out << "not convertible\n";
  }
}

namespace {

int RunRender(const TRenderSetup& S, TCliContext& Context) {
  int width = 0, height = 0;
  ParseSize(S.Size, width, height);
  if (S.Fit && !S.Mag.empty()) throw EUsageError("--mag and --fit exclude each other");
  double mag = 0;
  if (!S.Mag.empty()) {
    mag = NumberOption(S.Mag, "--mag");
    if (!(mag >= TGeoMap::MinMagnification && mag <= TGeoMap::MaxMagnification))
      throw EUsageError("--mag: must lie within 1/64..64");
  }
  const TShowGrat graticule = S.Graticule.empty() ? sgNone : GraticuleKind(S.Graticule);
  double gridDist = 0;
  if (!S.GridDist.empty()) {
    gridDist = NumberOption(S.GridDist, "--grid-dist");
    if (!(gridDist > 0 && gridDist <= TGeoMap::MaxGratLineDist))
      throw EUsageError("--grid-dist: must lie within 0..60 degrees (above 0)");
  }
  double centerLat = 0, centerLon = 0;
  if (!S.Center.empty()) {
    const auto comma = S.Center.find(',');
    const auto lat = comma == std::string::npos ? std::nullopt : ParseNumber(S.Center.substr(0, comma));
    const auto lon = comma == std::string::npos ? std::nullopt : ParseNumber(S.Center.substr(comma + 1));
    if (!lat || !lon || std::abs(*lat) > 90 || std::abs(*lon) > 180)
      throw EUsageError("--center: expected LAT,LON in degrees, not \"" + Printable(S.Center) + "\"");
    centerLat = *lat;
    centerLon = *lon;
  }
  const std::string ext = LowerExtension(S.Output);
  if (ext != ".png" && ext != ".bmp" && ext != ".jpg" && ext != ".jpeg")
    throw EUsageError("-o: unknown picture kind \"" + Printable(S.Output, 200) + "\" (.png, .bmp, .jpg)");

  if (!Readable(S.CalFile)) return Missing(Context, "calibration file", S.CalFile);
  if (!S.LandMarks.empty() && !Readable(S.LandMarks)) return Missing(Context, "landmark file", S.LandMarks);
  if (!S.Symbols.empty() && !Readable(S.Symbols)) return Missing(Context, "symbol file", S.Symbols);
  const std::vector<TgdbItem> kinds = ParseKinds(S.Kinds);
  // Declared before the map, so that they outlive its drawing handler.
  const TGeoDBItemFilter filter = [&kinds](const TgdbData& Item) {
    return kinds.empty() || std::find(kinds.begin(), kinds.end(), Item.ItemKind) != kinds.end();
  };
  TPen dbPen;
  dbPen.Color = ParseColour(S.DbColor);
  if (S.Db.empty() && (!S.Kinds.empty())) throw EUsageError("--kinds goes with --db");
  std::unique_ptr<TDbSession> db;
  if (!S.Db.empty()) db = std::make_unique<TDbSession>(S.Db, TDbSession::daRead, Context.Err, CommandName);

  TCalibData probe;
  TCalibModel model = cmUndefined;
  if (!ParseCalibData(S.CalFile, S.Id, probe, model)) return NoBlock(Context, "calibration", S.Id, S.CalFile);

  TGeoMap map;
  map.SetName("render");
  // Composed once, when everything is in place.
  map.SetSuppressPaint(true);
  map.SetBounds(0, 0, width, height);
  map.SetFrameStyle(frNone);
  map.SetAntiAlias(!S.NoAntiAlias);
  map.LoadCalDataFromXML(S.CalFile, S.Id);
  if (map.MapImgWidth() < 1 || map.MapImgHeight() < 1) {
    ReportError(Context.Err, CommandName,
                "the map image of \"" + Printable(S.CalFile, 200) + "\" could not be loaded (\"" +
                    Printable(probe.MapFName, 200) + "\")");
    return ExitFailure;
  }
  if (!S.LandMarks.empty() && !LoadLandMarkFile(map, S.LandMarks, Context)) return ExitBadInput;
  if (!S.Symbols.empty()) {
    TSymbolRepository symbols;
    if (!symbols.LoadFromFile(S.Symbols, "")) return NoBlock(Context, "symbol", "", S.Symbols);
    ApplySymbolPalette(map, symbols);
  }

  map.SetShowGraticule(graticule);
  if (gridDist > 0) map.SetGratLineDist(gridDist);
  if (mag > 0)
    map.SetMagnification(mag);
  else
    map.ZoomFitPage();
  if (!S.Center.empty()) map.BringLocationToCenter(centerLat, centerLon);

  int dbItems = 0;
  if (db) {
    map.SetOnBeforeRenderData([&](TObject*, TCanvas* Canvas) {
      dbItems = DrawGeoDBItems(map, db->Db(), Canvas, filter, dbPen);
    });
  }
  map.SetSuppressPaint(false);  // composes
  map.Paint();
  try {
    SavePictureFile(*map.AuxBmp(), S.Output, width, height);
  } catch (const std::exception& e) {
    ReportError(Context.Err, CommandName, "cannot write \"" + Printable(S.Output, 200) + "\": " + e.what());
    return ExitFailure;
  }
  Context.Out << "picture:       " << S.Output << " (" << width << " x " << height << " pixels)\n"
              << "magnification: " << FormatFixed(map.Magnification(), 6) << '\n'
              << "map image:     " << map.MapImgWidth() << " x " << map.MapImgHeight() << " pixels, "
              << map.NumLandMarks() << " landmarks\n";
  if (db) Context.Out << "db items:      " << dbItems << " drawn\n";
  PrintPictureBounds(Context.Out, map);
  return ExitOk;
}

}  // namespace

void RegisterRenderCommand(CLI::App& App, TCliContext& Context) {
  auto setup = std::make_shared<TRenderSetup>();
  CLI::App* command =
      AddCommand(App, Context, "render", "Picture of a calibrated map with its landmarks and grid (.png/.bmp/.jpg)",
                 [setup, &Context] { return RunRender(*setup, Context); });
  command->add_option("calfile", setup->CalFile, "Calibration file (XML); its map image is loaded with it")
      ->required()
      ->type_name("CALFILE");
  command->add_option("--id", setup->Id, "Identifier of the calibration block (default: the first)");
  command->add_option("--landmarks", setup->LandMarks, "Landmarks: XML (first block), .csv or .geojson")->type_name("FILE");
  command->add_option("--symbols", setup->Symbols, "Symbol file: a landmark with Tag n takes symbol n")
      ->type_name("FILE");
  command->add_option("--size", setup->Size, "Picture size in pixels (default 800x600)")->type_name("WxH");
  command->add_option("--mag", setup->Mag, "Picture pixels per image pixel (default: fit the whole map)")
      ->type_name("M");
  command->add_flag("--fit", setup->Fit, "Fit the whole map into the picture (the default)");
  command->add_option("--center", setup->Center, "Centre the picture on this position, as far as the map allows")
      ->type_name("LAT,LON");
  command->add_option("--graticule", setup->Graticule, "Grid: none, points, lines, both, utm, points+utm")
      ->type_name("KIND");
  command->add_option("--grid-dist", setup->GridDist, "Distance of the graticule lines (default: automatic)")
      ->type_name("DEG");
  command->add_option("--db", setup->Db, "Geo-database whose outlines in view are drawn under grid and landmarks")
      ->type_name("DB");
  command->add_option("--kinds", setup->Kinds, "With --db: the kinds drawn (default all polygon kinds)")
      ->type_name("border,lake,river");
  command->add_option("--db-color", setup->DbColor, "Colour of the outlines (default #1E3C78)")->type_name("#RRGGBB");
  command->add_flag("--no-antialias", setup->NoAntiAlias, "Scale the map image without smoothing");
  command->add_option("-o,--output", setup->Output, "Picture file; .png, .bmp or .jpg by its extension")
      ->required()
      ->type_name("OUT");
  SetHelpText(*command,
              "The picture is composed by the map control exactly as it paints: background, map image, grid, "
              "landmarks with captions. Printed: the file, its size, the magnification and the latitude and "
              "longitude of the picture's four corners.\n"
              "Exit codes: 0 done; 1 no such block; 2 bad options; 3 a file cannot be read or written.\n"
              "Example:\n"
              "  orqcarta blankmap alps --lat 45.5 48 --long 5.5 16.5\n"
              "  orqcarta render alps.xml --graticule lines -o alps.png");
}

}  // namespace orq::cli
