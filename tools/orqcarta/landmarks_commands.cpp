// orqcarta landmarks convert: landmark XML blocks to and from CSV and
// GeoJSON points. The XML side goes through the map control's own reader and
// the library's block writer, so what it writes loads into any map.
#include <CLI/CLI.hpp>
#include <fstream>
#include <new>
#include <iterator>
#include <memory>
#include <sstream>

#include "Commands.h"
#include "ErrorReport.h"
#include "landmarks_fields.h"
#include "gdal_commands.h"
#include "landmarks_formats.h"
#include "orqcarta/Orq_GeoMap.h"
#include "orqplatform/TextFile.h"

namespace orq::cli {

namespace {

constexpr const char* CommandName = "landmarks convert";

enum TLandmarkFormat : int { lffXml, lffCsv, lffGeoJson, lffOgr };

TLandmarkFormat ParseFormatName(const std::string& Name) {
  std::string s = Name;
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (s == "xml") return lffXml;
  if (s == "csv") return lffCsv;
  if (s == "geojson" || s == "json") return lffGeoJson;
  if (IsOgrLandmarkFormat(s)) return lffOgr;
  throw EUsageError("unknown format \"" + Printable(Name) + "\" (xml, csv, geojson, gpx, kml, kmz or gpkg)");
}

// The format named by --from/--to, or else by the file's extension.
TLandmarkFormat FormatOf(const std::string& Given, const std::string& Path, const char* Option) {
  if (!Given.empty()) return ParseFormatName(Given);
  const std::size_t dot = Path.rfind('.');
  const std::size_t slash = Path.rfind('/');
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) {
    std::string ext = Path.substr(dot + 1);
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ext == "xml") return lffXml;
    if (ext == "csv") return lffCsv;
    if (ext == "geojson" || ext == "json") return lffGeoJson;
    if (IsOgrLandmarkFormat(ext)) return lffOgr;
  }
  throw EUsageError("cannot tell the format of \"" + Printable(Path) + "\" from its extension; give " + Option);
}

std::string ReadWholeFile(const std::string& Path, std::istream& In) {
  if (Path == "-") return std::string(std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>());
  std::ifstream f(Path, std::ios::binary);
  if (!f) throw std::runtime_error("cannot open \"" + Printable(Path) + "\"");
  std::ostringstream text;
  text << f.rdbuf();
  if (f.bad()) throw std::runtime_error("cannot read \"" + Printable(Path) + "\"");
  return text.str();
}

std::vector<TLandMark> ReadXml(const std::string& Path, const std::string& Id) {
  if (!std::ifstream(Path)) throw std::runtime_error("cannot open \"" + Printable(Path) + "\"");
  TGeoMap map;
  map.SetSuppressPaint(true);
  if (!map.LoadLandMarks(Path, Id))
    throw EInputError(Id.empty() ? "no landmark block in \"" + Printable(Path) + "\""
                                 : "no landmark block \"" + Printable(Id) + "\" in \"" + Printable(Path) + "\"");
  std::vector<TLandMark> result;
  result.reserve(static_cast<std::size_t>(map.NumLandMarks()));
  for (int i = 1; i <= map.NumLandMarks(); ++i) result.push_back(map.LandMarkData(i));
  return result;
}

void WriteXml(const std::string& Path, const std::string& Id, const std::vector<TLandMark>& LandMarks) {
  TTextFile f(Path);
  f.SetIOChecks(false);
  f.Rewrite();
  if (f.IOResult() != 0) throw std::runtime_error("cannot create \"" + Printable(Path) + "\"");
  WriteLandMarkBlock(f, true, Id, LandMarks);
  f.Close();
  if (f.IOResult() != 0) throw std::runtime_error("cannot write \"" + Printable(Path) + "\"");
}

void WriteText(const std::string& Path, const std::string& Text, std::ostream& Out) {
  if (Path == "-") {
    Out << Text;
    return;
  }
  std::ofstream f(Path, std::ios::binary | std::ios::trunc);
  if (!f) throw std::runtime_error("cannot create \"" + Printable(Path) + "\"");
  f << Text;
  f.close();
  if (!f) throw std::runtime_error("cannot write \"" + Printable(Path) + "\"");
}

// Landmark XML files are Windows-1252: count the landmarks whose texts
// would not survive the trip.
int CountLossyInCodePage(const std::vector<TLandMark>& LandMarks) {
  auto fits = [](const std::string& Text) { return Cp1252ToUtf8(Utf8ToCp1252(Text)) == Text; };
  int count = 0;
  for (const TLandMark& lm : LandMarks)
    if (!fits(lm.Caption.Text) || !fits(lm.Identifier) || !fits(lm.Caption.FontName)) ++count;
  return count;
}

struct TConvertOptions {
  std::string In, Out, Id, From, To;
  bool Quiet = false;
};

int RunConvert(const TConvertOptions& o, TCliContext& Context) {
  const TLandmarkFormat from = FormatOf(o.From, o.In, "--from");
  const TLandmarkFormat to = FormatOf(o.To, o.Out, "--to");
  if ((from == lffXml && o.In == "-") || (to == lffXml && o.Out == "-"))
    throw EUsageError("the XML side must be a file, not \"-\"");
  if ((from == lffOgr && o.In == "-") || (to == lffOgr && o.Out == "-"))
    throw EUsageError("GPX, KML, KMZ and GeoPackage sides must be files, not \"-\"");

  std::vector<TLandMark> landmarks;
  std::vector<std::string> ignored;
  try {
    if (from == lffXml) {
      landmarks = ReadXml(o.In, o.Id);
    } else if (from == lffOgr) {
      landmarks = ReadOgrLandmarks(o.In, o.From, NewLandmarkTemplate());
    } else {
      const std::string text = ReadWholeFile(o.In, Context.In);
      const TLandMark start = NewLandmarkTemplate();
      landmarks = from == lffCsv ? LandmarksFromCsv(text, start, ignored) : LandmarksFromGeoJson(text, start, ignored);
    }
  } catch (const EInputError& e) {
    ReportError(Context.Err, CommandName, Printable(o.In, 200) + ": " + e.what());
    return ExitBadInput;
  }
  if (!o.Quiet)
    for (const std::string& name : ignored)
      ReportError(Context.Err, CommandName, "ignoring \"" + Printable(name) + "\" (not a landmark field)");

  if (to == lffXml && !o.Quiet) {
    const int lossy = CountLossyInCodePage(landmarks);
    if (lossy > 0)
      ReportError(Context.Err, CommandName,
                  std::to_string(lossy) + (lossy == 1 ? " landmark has" : " landmarks have") +
                      " characters that the XML file's code page (Windows-1252) lacks; they are written as \"?\"");
  }
  switch (to) {
    case lffXml: WriteXml(o.Out, o.Id, landmarks); break;
    case lffCsv: WriteText(o.Out, LandmarksToCsv(landmarks), Context.Out); break;
    case lffGeoJson: WriteText(o.Out, LandmarksToGeoJson(landmarks), Context.Out); break;
    case lffOgr: WriteOgrLandmarks(o.Out, o.To, landmarks); break;
  }
  return ExitOk;
}

}  // namespace

void RegisterLandmarksCommands(CLI::App& App, TCliContext& Context) {
  CLI::App* group = App.add_subcommand("landmarks", "Landmark files: convert between XML, CSV and GeoJSON");
  group->require_subcommand(1);
  auto options = std::make_shared<TConvertOptions>();
  CLI::App* convert =
      AddCommand(*group, Context, "convert", "Convert landmarks between the XML block, CSV and GeoJSON points",
                 [options, &Context] { return RunReported(Context.Err, CommandName, [&] { return RunConvert(*options, Context); }); });
  convert->add_option("IN", options->In, "Input file (\"-\": standard input, CSV or GeoJSON only)")->required();
  convert->add_option("OUT", options->Out, "Output file (\"-\": standard output, CSV or GeoJSON only)")->required();
  convert->add_option("--id", options->Id,
                      "Identifier of the XML block to read (default: the first) or to write (default: empty)");
  convert->add_option("--from", options->From,
                      "Input format: xml, csv, geojson, gpx, kml, kmz or gpkg (default: from the extension)");
  convert->add_option("--to", options->To,
                      "Output format: xml, csv, geojson, gpx, kml, kmz or gpkg (default: from the extension)");
  convert->add_flag("-q,--quiet", options->Quiet, "Do not list ignored CSV columns or GeoJSON properties");

  std::string fields;
  for (const std::string& name : LandmarkFieldNames()) fields += (fields.empty() ? "" : ",") + name;
  SetHelpText(*convert,
              "CSV columns and GeoJSON properties (coordinates [long, lat, alt] in GeoJSON):\n"
              "  " + fields + "\n"
              "Only lat and long are required; a missing field takes the map's default landmark value. "
              "Colours are the 8 hexadecimal digits of the colour value (00BBGGRR), times YYYY-MM-DDTHH:MM:SS, "
              "symbols Plus, Square, Triangle, Circle, ArrowFrom, ArrowTo, CrossBox, Spade, Cross or "
              "User-Defined, font styles bold+italic+underline+strikeout.\n"
              "The XML form knows Plus and User-Defined symbols only as Cross, and quotes in texts are "
              "written as apostrophes.\n"
              "GPX (waypoints, route and track points), KML/KMZ placemarks and GeoPackage points go through "
              "GDAL: name -> identifier and caption, time, elevation -> altitude, symbol (GPX sym, KML icon "
              "style); a GeoPackage keeps every field but the caption's font.\n"
              "Exit codes: 0 done; 1 the input is malformed or holds no such block; 2 bad options; "
              "3 a file cannot be opened or written.");
}

}  // namespace orq::cli
