// Listings of the built-in tables: ellipsoids, datums, countries. One
// record a line, fields separated by tabs (names contain blanks), no
// header, so that the output feeds cut, awk and spreadsheets directly;
// with --json an array of objects for programs.
#include <CLI/CLI.hpp>
#include <memory>
#include <ostream>

#include "CatalogueLookup.h"
#include "Commands.h"
#include "DatumEpsg.h"
#include "ErrorReport.h"
#include "JsonText.h"
#include "OutputFormat.h"
#include "orqcarta/Orq_GeoBasics.h"

namespace orq::cli {

namespace {

struct TListingSetup {
  std::string Filter;  // case-insensitive part of a line; empty: every line
  TOutputFormat Format;
  bool Json = false;
};

// One listed record: its tab-separated line (which the filter searches)
// and the same as a JSON object.
struct TListedRecord {
  std::string Line;
  std::string Json;
};

std::string JoinTabbed(std::initializer_list<std::string_view> Fields) {
  std::string line;
  for (std::string_view field : Fields) {
    if (!line.empty()) line += '\t';
    line += field;
  }
  return line;
}

// Writes the records MakeRecord(1..Count) whose line contains the filter.
template <typename RecordMaker>
int WriteListing(const TListingSetup& Setup, std::ostream& Out, int Count, RecordMaker MakeRecord) {
  const std::string filter = ToLower(Setup.Filter);
  bool first = true;
  if (Setup.Json) Out << '[';
  for (int n = 1; n <= Count; ++n) {
    const TListedRecord record = MakeRecord(n);
    if (!filter.empty() && ToLower(record.Line).find(filter) == std::string::npos) continue;
    if (Setup.Json) {
      Out << (first ? "\n" : ",\n") << record.Json;
    } else {
      Out << record.Line << '\n';
    }
    first = false;
  }
  if (Setup.Json) Out << (first ? "]\n" : "\n]\n");
  return ExitOk;
}

CLI::App* AddListing(CLI::App& App, TCliContext& Context, const std::string& Name, const std::string& Description,
                     const std::string& Columns, std::shared_ptr<TListingSetup> Setup,
                     std::function<TListedRecord(const TListingSetup&, int)> MakeRecord, int Count) {
  CLI::App* command = AddCommand(App, Context, Name, Description, [&Context, Setup, MakeRecord, Count] {
    return WriteListing(*Setup, Context.Out, Count, [&](int n) { return MakeRecord(*Setup, n); });
  });
  command->add_option("filter", Setup->Filter, "Only records containing this text (case-insensitive)")
      ->type_name("TEXT");
  command->add_flag("--json", Setup->Json, "A JSON array of objects, one a record, instead of tab-separated lines");
  SetHelpText(*command, "One line a record, tab-separated columns:\n  " + Columns +
                            "\nWith --json, an array of objects with the same values under the names of the "
                            "columns (lower case).");
  return command;
}

TListedRecord EllipsoidRecord(const TListingSetup& Setup, int n) {
  const auto e = static_cast<TGeoEllipsoid>(n - 1);
  const std::string flattening = FormatFixed(RecipFlattening(e), Setup.Format.DegreeDecimals());
  return {JoinTabbed({std::to_string(n - 1), GeoEllipsoidId[e], FormatShortest(GeoEllipsoidData[e][0]),
                      FormatShortest(GeoEllipsoidData[e][1]), flattening, GeoEllipsoidName[e]}),
          TJsonObject()
              .Integer("ordinal", n - 1)
              .Text("identifier", GeoEllipsoidId[e])
              .Number("semi_major_axis", GeoEllipsoidData[e][0])
              .Number("semi_minor_axis", GeoEllipsoidData[e][1])
              .Number("reciprocal_flattening", RecipFlattening(e))
              .Text("name", GeoEllipsoidName[e])
              .str()};
}

std::string EpsgCode(int Code) { return Code == 0 ? "null" : std::to_string(Code); }

TListedRecord DatumRecord(const TListingSetup&, int n) {
  const TGeoDatum& d = GeoDatumData[n - 1];
  const TDatumEpsg& epsg = DatumEpsg(n);
  const char* match = epsg.Match == 'S' ? "same" : epsg.Match == 'R' ? "rotation signs reversed"
                                                 : epsg.Match == 'N' ? "crs only" : "none";
  const std::string area = epsg.South == epsg.North
                               ? std::string("null")
                               : "[" + FormatShortest(epsg.South) + "," + FormatShortest(epsg.North) + "," +
                                     FormatShortest(epsg.West) + "," + FormatShortest(epsg.East) + "]";
  return {JoinTabbed({std::to_string(n), d.Name.str(), d.Area.str(), GeoEllipsoidId[d.Ellipsoid],
                      FormatShortest(d.DX), FormatShortest(d.DY), FormatShortest(d.DZ), FormatShortest(d.Scale),
                      FormatShortest(d.RotX), FormatShortest(d.RotY), FormatShortest(d.RotZ)}),
          TJsonObject()
              .Integer("number", n)
              .Text("name", d.Name.str())
              .Text("area", d.Area.str())
              .Text("ellipsoid", GeoEllipsoidId[d.Ellipsoid])
              .Number("dx", d.DX)
              .Number("dy", d.DY)
              .Number("dz", d.DZ)
              .Number("scale", d.Scale)
              .Number("rx", d.RotX)
              .Number("ry", d.RotY)
              .Number("rz", d.RotZ)
              .Raw("epsg_crs", EpsgCode(epsg.Crs))
              .Raw("epsg_transformation", EpsgCode(epsg.Transformation))
              .Text("epsg_match", match)
              .Raw("epsg_area", area)
              .str()};
}

TListedRecord CountryRecord(const TListingSetup&, int n) {
  const TCountryData& c = CountryData[n - 1];
  return {JoinTabbed({std::to_string(n), c.Name.str(), c.Fips10.str(), c.ISO3166_2.str(), c.ISO3166_3.str(),
                      FormatShortest(c.CLat), FormatShortest(c.CLong), c.Capital.str(), FormatShortest(c.CapLat),
                      FormatShortest(c.CapLong), std::to_string(c.CapAlt)}),
          TJsonObject()
              .Integer("number", n)
              .Text("name", c.Name.str())
              .Text("fips10_4", c.Fips10.str())
              .Text("iso_alpha_2", c.ISO3166_2.str())
              .Text("iso_alpha_3", c.ISO3166_3.str())
              .Number("centre_lat", c.CLat)
              .Number("centre_lon", c.CLong)
              .Text("capital", c.Capital.str())
              .Number("capital_lat", c.CapLat)
              .Number("capital_lon", c.CapLong)
              .Integer("capital_altitude", c.CapAlt)
              .str()};
}

}  // namespace

void RegisterListingCommands(CLI::App& App, TCliContext& Context) {
  auto ellipsoids = std::make_shared<TListingSetup>();
  CLI::App* command =
      AddListing(App, Context, "ellipsoids", "List the 61 ellipsoids",
                 "ORDINAL  IDENTIFIER  SEMI-MAJOR-AXIS(m)  SEMI-MINOR-AXIS(m)  RECIPROCAL-FLATTENING(0: sphere)  NAME",
                 ellipsoids, EllipsoidRecord, GeoEllipsoidCount);
  ellipsoids->Format.AddOption(*command);

  AddListing(App, Context, "datums", "List the 271 datums",
             "NUMBER  NAME  AREA  ELLIPSOID  DX  DY  DZ(m)  SCALE(ppm)  RX  RY  RZ(arc seconds)\n"
             "The shifts carry positions on the datum to WGS 84 (number 269). --json adds each record's EPSG "
             "geodetic CRS, the EPSG transformation to WGS 84 with the same parameters and its area of use "
             "[south, north, west, east], from PROJ's EPSG dataset.",
             std::make_shared<TListingSetup>(), DatumRecord, GeoDatumCount);

  AddListing(App, Context, "countries", "List the 231 countries with codes, centres and capitals",
             "NUMBER  NAME  FIPS10-4  ISO-ALPHA-2  ISO-ALPHA-3  CENTRE-LAT  CENTRE-LON  CAPITAL  CAPITAL-LAT  "
             "CAPITAL-LON  CAPITAL-ALTITUDE(m)",
             std::make_shared<TListingSetup>(), CountryRecord, CountryCount);
}

}  // namespace orq::cli
