// Listings of the built-in tables: ellipsoids, datums, countries. One
// record a line, fields separated by tabs (names contain blanks), no
// header, so that the output feeds cut, awk and spreadsheets directly.
#include <CLI/CLI.hpp>
#include <memory>
#include <ostream>

#include "CatalogueLookup.h"
#include "Commands.h"
#include "ErrorReport.h"
#include "OutputFormat.h"
#include "orqcarta/Orq_GeoBasics.h"

namespace orq::cli {

namespace {

struct TListingSetup {
  std::string Filter;  // case-insensitive part of a line; empty: every line
  TOutputFormat Format;
};

std::string JoinTabbed(std::initializer_list<std::string_view> Fields) {
  std::string line;
  for (std::string_view field : Fields) {
    if (!line.empty()) line += '\t';
    line += field;
  }
  return line;
}

// Writes Count lines made by MakeLine(1..Count) that contain the filter.
template <typename LineMaker>
int WriteListing(const TListingSetup& Setup, std::ostream& Out, int Count, LineMaker MakeLine) {
  const std::string filter = ToLower(Setup.Filter);
  for (int n = 1; n <= Count; ++n) {
    const std::string line = MakeLine(n);
    if (filter.empty() || ToLower(line).find(filter) != std::string::npos) Out << line << '\n';
  }
  return ExitOk;
}

CLI::App* AddListing(CLI::App& App, TCliContext& Context, const std::string& Name, const std::string& Description,
                     const std::string& Columns, std::shared_ptr<TListingSetup> Setup,
                     std::function<std::string(const TListingSetup&, int)> MakeLine, int Count) {
  CLI::App* command = AddCommand(App, Context, Name, Description, [&Context, Setup, MakeLine, Count] {
    return WriteListing(*Setup, Context.Out, Count, [&](int n) { return MakeLine(*Setup, n); });
  });
  command->add_option("filter", Setup->Filter, "Only lines containing this text (case-insensitive)")->type_name("TEXT");
  SetHelpText(*command, "One line a record, tab-separated columns:\n  " + Columns);
  return command;
}

std::string EllipsoidLine(const TListingSetup& Setup, int n) {
  const auto e = static_cast<TGeoEllipsoid>(n - 1);
  return JoinTabbed({std::to_string(n - 1), GeoEllipsoidId[e], FormatShortest(GeoEllipsoidData[e][0]),
                     FormatShortest(GeoEllipsoidData[e][1]),
                     FormatFixed(RecipFlattening(e), Setup.Format.DegreeDecimals()), GeoEllipsoidName[e]});
}

std::string DatumLine(const TListingSetup&, int n) {
  const TGeoDatum& d = GeoDatumData[n - 1];
  return JoinTabbed({std::to_string(n), d.Name.str(), d.Area.str(), GeoEllipsoidId[d.Ellipsoid], FormatShortest(d.DX),
                     FormatShortest(d.DY), FormatShortest(d.DZ), FormatShortest(d.Scale), FormatShortest(d.RotX),
                     FormatShortest(d.RotY), FormatShortest(d.RotZ)});
}

std::string CountryLine(const TListingSetup&, int n) {
  const TCountryData& c = CountryData[n - 1];
  return JoinTabbed({std::to_string(n), c.Name.str(), c.Fips10.str(), c.ISO3166_2.str(), c.ISO3166_3.str(),
                     FormatShortest(c.CLat), FormatShortest(c.CLong), c.Capital.str(), FormatShortest(c.CapLat),
                     FormatShortest(c.CapLong), std::to_string(c.CapAlt)});
}

}  // namespace

void RegisterListingCommands(CLI::App& App, TCliContext& Context) {
  auto ellipsoids = std::make_shared<TListingSetup>();
  CLI::App* command =
      AddListing(App, Context, "ellipsoids", "List the 61 ellipsoids",
                 "ORDINAL  IDENTIFIER  SEMI-MAJOR-AXIS(m)  SEMI-MINOR-AXIS(m)  RECIPROCAL-FLATTENING(0: sphere)  NAME",
                 ellipsoids, EllipsoidLine, GeoEllipsoidCount);
  ellipsoids->Format.AddOption(*command);

  AddListing(App, Context, "datums", "List the 271 datums",
             "NUMBER  NAME  AREA  ELLIPSOID  DX  DY  DZ(m)  SCALE(ppm)  RX  RY  RZ(arc seconds)\n"
             "The shifts carry positions on the datum to WGS 84 (number 269).",
             std::make_shared<TListingSetup>(), DatumLine, GeoDatumCount);

  AddListing(App, Context, "countries", "List the 231 countries with codes, centres and capitals",
             "NUMBER  NAME  FIPS10-4  ISO-ALPHA-2  ISO-ALPHA-3  CENTRE-LAT  CENTRE-LON  CAPITAL  CAPITAL-LAT  "
             "CAPITAL-LON  CAPITAL-ALTITUDE(m)",
             std::make_shared<TListingSetup>(), CountryLine, CountryCount);
}

}  // namespace orq::cli
