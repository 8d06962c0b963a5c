// orqcarta demo: needs no input. It draws the capitals of the country table
// on a generated map (demo_picture.cpp); with --geodesy it shows instead
// what the geodesy does with them.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <ostream>
#include <string>
#include <vector>

#include "CatalogueLookup.h"
#include "Commands.h"
#include "ErrorReport.h"
#include "NumberParsing.h"
#include "OutputFormat.h"
#include "TextTable.h"
#include "demo_picture.h"
#include "demo_world.h"
#include "orqcarta/Orq_GeoBasics.h"

namespace orq::cli {

namespace {

constexpr int WGS84Datum = 269;
constexpr int ED50Datum = 59;
constexpr int OSGB36Datum = 183;

// A spread of hemispheres, zones and datums.
const char* const DemoCountries[] = {"Germany", "United Kingdom", "Netherlands", "Norway",    "Spain",
                                     "Japan",   "South Africa",   "Argentina",   "Australia", "United States"};

std::vector<const TCountryData*> ChooseCountries(bool All) {
  std::vector<const TCountryData*> chosen;
  for (const TCountryData& country : CountryData) {
    if (country.Name.empty() || country.Capital.empty()) continue;
    bool wanted = All;
    for (const char* name : DemoCountries) wanted = wanted || country.Name == name;
    if (wanted) chosen.push_back(&country);
  }
  return chosen;
}

std::string Deg(double Value) { return FormatFixed(Value, 6); }
std::string Metres(double Value, int Decimals = 1) { return FormatFixed(Value, Decimals); }

double Distance(double Lat1, double Lon1, double Lat2, double Lon2) {
  double x1, y1, z1, x2, y2, z2;
  GeoToCartesian(Lat1, Lon1, 0, gelWGS84, x1, y1, z1);
  GeoToCartesian(Lat2, Lon2, 0, gelWGS84, x2, y2, z2);
  return std::hypot(x1 - x2, y1 - y2, z1 - z2);
}

void WriteUtmTable(std::ostream& Out, const std::vector<const TCountryData*>& Countries) {
  TTextTable table;
  for (const char* heading : {"Country", "Capital"}) table.AddColumn(heading, TTextTable::alLeft);
  for (const char* heading :
       {"Latitude", "Longitude", "Zone", "Easting", "Northing", "Back lat", "Back lon", "Round trip (mm)"})
    table.AddColumn(heading, TTextTable::alRight);
  for (const TCountryData* c : Countries) {
    int zone = 0;
    double easting = 0, northing = 0, lat = 0, lon = 0;
    LatLongToUTM(c->CapLat, c->CapLong, gelWGS84, zone, easting, northing);
    const bool south = c->CapLat < 0;
    UTMToLatLong(easting, northing, zone, south, gelWGS84, lat, lon);
    table.AddRow({c->Name, c->Capital, Deg(c->CapLat), Deg(c->CapLong), std::to_string(zone) + (south ? 'S' : 'N'),
                  Metres(easting), Metres(northing), Deg(lat), Deg(lon),
                  FormatFixed(Distance(c->CapLat, c->CapLong, lat, lon) * 1000, 3)});
  }
  Out << "UTM on WGS 84 (utm), and back (utm --inverse)\n\n";
  table.Write(Out);
}

void WriteCartesianTable(std::ostream& Out, const std::vector<const TCountryData*>& Countries) {
  TTextTable table;
  for (const char* heading : {"Country", "Capital"}) table.AddColumn(heading, TTextTable::alLeft);
  for (const char* heading : {"Height (m)", "X (m)", "Y (m)", "Z (m)"}) table.AddColumn(heading, TTextTable::alRight);
  for (const TCountryData* c : Countries) {
    double x = 0, y = 0, z = 0;
    GeoToCartesian(c->CapLat, c->CapLong, c->CapAlt, gelWGS84, x, y, z);
    table.AddRow({c->Name, c->Capital, std::to_string(c->CapAlt), Metres(x), Metres(y), Metres(z)});
  }
  Out << "Earth-centred cartesian coordinates on WGS 84 (cart), at the altitude of the capital\n\n";
  table.Write(Out);
}

void WriteHelmertTable(std::ostream& Out, const std::vector<const TCountryData*>& Countries) {
  TTextTable table;
  for (const char* heading : {"Country", "Capital"}) table.AddColumn(heading, TTextTable::alLeft);
  for (const char* heading : {"ED50 lat", "ED50 lon", "Moved (m)", "OSGB36 lat", "OSGB36 lon", "Moved (m)"})
    table.AddColumn(heading, TTextTable::alRight);
  for (const TCountryData* c : Countries) {
    std::vector<std::string> row{c->Name, c->Capital};
    for (int target : {ED50Datum, OSGB36Datum}) {
      double lat = 0, lon = 0, height = 0;
      if (HelmertTransform(WGS84Datum, c->CapLat, c->CapLong, c->CapAlt, target, lat, lon, height) == 0) {
        row.insert(row.end(), {Deg(lat), Deg(lon), Metres(Distance(c->CapLat, c->CapLong, lat, lon))});
      } else {
        row.insert(row.end(), {"-", "-", "-"});
      }
    }
    table.AddRow(std::move(row));
  }
  Out << "Datum shift (helmert) from " << DatumLabel(WGS84Datum) << ", number " << WGS84Datum << ",\n  to "
      << DatumLabel(ED50Datum) << ", number " << ED50Datum << ", and to " << DatumLabel(OSGB36Datum) << ", number "
      << OSGB36Datum << "\n"
      << "  (each datum's parameters are fitted to its own region; far from it the shift is only formal)\n\n";
  table.Write(Out);
}

}  // namespace

namespace {

int RunGeodesyTables(bool All, TCliContext& Context) {
  const auto countries = ChooseCountries(All);
  std::ostream& out = Context.Out;
  out << "orqcarta demo: " << countries.size() << " capitals from the country table of " << CountryCount
      << " countries\n\n";
  WriteUtmTable(out, countries);
  out << '\n';
  WriteCartesianTable(out, countries);
  out << '\n';
  WriteHelmertTable(out, countries);
  return ExitOk;
}

// "lat1,lon1,lat2,lon2", corners in either order.
void ParseRegion(const std::string& Text, TDemoRegion& Region) {
  std::vector<double> values;
  std::size_t start = 0;
  while (values.size() < 5) {
    const std::size_t comma = Text.find(',', start);
    const auto value = ParseNumber(Text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
    if (!value) break;
    values.push_back(*value);
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  if (values.size() != 4 || std::fabs(values[0]) > 90 || std::fabs(values[2]) > 90 || std::fabs(values[1]) > 180 ||
      std::fabs(values[3]) > 180 || values[0] == values[2] || values[1] == values[3])
    throw EUsageError("--region: expected LAT1,LON1,LAT2,LON2 in degrees enclosing an area, not \"" +
                      Printable(Text) + "\"");
  Region.LatLow = std::min(values[0], values[2]);
  Region.LatHigh = std::max(values[0], values[2]);
  Region.LongLow = std::min(values[1], values[3]);
  Region.LongHigh = std::max(values[1], values[3]);
  Region.IsDefault = false;
}

struct TDemoOptions {
  bool All = false, Geodesy = false, World = false;
  std::string Output = "demo.png", Region, WorldData = MarbleDataFolder;
};

}  // namespace

void RegisterDemoCommand(CLI::App& App, TCliContext& Context) {
  auto o = std::make_shared<TDemoOptions>();
  CLI::App* command = AddCommand(
      App, Context, "demo", "Capitals of the country table on a generated map (demo.png); --geodesy: their geodesy",
      [&Context, o] {
        if (o->Geodesy) return RunGeodesyTables(o->All, Context);
        if (o->All) throw EUsageError("--all goes with --geodesy");
        if (o->World) {
          if (!o->Region.empty()) throw EUsageError("--region does not go with --world");
          return RunWorldDemo(o->WorldData, o->Output, Context);
        }
        TDemoRegion region;
        region.WorldData = o->WorldData;
        if (!o->Region.empty()) ParseRegion(o->Region, region);
        return RunDemoPicture(region, o->Output, Context);
      });
  command->add_flag("--geodesy", o->Geodesy, "Tables of UTM, cartesian coordinates and datum shifts instead");
  command->add_flag("-a,--all", o->All, "With --geodesy: every capital of the country table, not only a handful");
  command->add_option("-o,--output", o->Output, "Picture file (.png, .bmp, .jpg; default demo.png)")
      ->type_name("FILE");
  command->add_flag("--world", o->World, "The capitals on Blue Marble (needs marble-data)");
  command->add_option("--marble-data", o->WorldData,
                      "Folder of marble-data (default /usr/share/marble/data; empty: do not use it)")
      ->type_name("DIR");
  command->add_option("--region", o->Region, "Area of the map (default Europe: 34,-25,72,45)")
      ->type_name("LAT1,LON1,LAT2,LON2");
  SetHelpText(*command,
              "Without options the demo needs no input: it generates a 1200 x 900 blank map of Europe, puts every "
              "capital of the country table that lies on it there, its symbol by the capital's altitude, its "
              "caption placed clear of the others where it can be, and writes demo.png in the current directory. "
              "When marble-data is installed, the MWDB-II coastlines and borders are drawn under the grid.\n"
              "--world puts every capital on NASA's Blue Marble instead, scaled under the map control's pixel "
              "limit.");
}

}  // namespace orq::cli
