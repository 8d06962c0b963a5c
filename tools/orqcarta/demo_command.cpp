// orqcarta demo: needs no input and shows what the geodesy does, on the
// capitals of the country table. (It becomes a rendered map once map
// rendering exists.)
#include <CLI/CLI.hpp>
#include <cmath>
#include <memory>
#include <numbers>
#include <ostream>

#include "CatalogueLookup.h"
#include "Commands.h"
#include "ErrorReport.h"
#include "OutputFormat.h"
#include "TextTable.h"
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

void RegisterDemoCommand(CLI::App& App, TCliContext& Context) {
  auto all = std::make_shared<bool>(false);
  CLI::App* command = AddCommand(
      App, Context, "demo", "Geodesy of country capitals: UTM, cartesian coordinates, datum shifts", [&Context, all] {
        const auto countries = ChooseCountries(*all);
        std::ostream& out = Context.Out;
        out << "orqcarta demo: " << countries.size() << " capitals from the country table of " << CountryCount
            << " countries\n\n";
        WriteUtmTable(out, countries);
        out << '\n';
        WriteCartesianTable(out, countries);
        out << '\n';
        WriteHelmertTable(out, countries);
        return ExitOk;
      });
  command->add_flag("-a,--all", *all, "Every capital of the country table, not only a handful");
}

}  // namespace orq::cli
