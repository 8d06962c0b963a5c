// utm and zone: positions to UTM grid coordinates and back, and the zone
// and latitude band of a position.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <cmath>
#include <memory>

#include "Commands.h"
#include "ConversionSetup.h"
#include "ErrorReport.h"
#include "GridRanges.h"
#include "NumberParsing.h"
#include "PositionFields.h"
#include "TMScale.h"

namespace orq::cli {

namespace {

// Inside this offset from the central meridian the series inverts to
// well under a millimetre, so the round-trip check is skipped.
constexpr double UTMSafeOffset = 9.0;

struct TUtmSetup {
  TConversionSetup Conversion;
  std::string ZoneText;    // --zone as given
  int Zone = 0;            // from --zone; 0: none
  bool ZoneHemisphere = false;  // --zone carried N or S
  bool South = false;      // --south, or S in --zone
  bool StandardZone = false;
  bool Convergence = false;
};

double CentralMeridianDegrees(int Zone) { return 6.0 * Zone - 183.0; }

// Zone 1..60 without the Norway and Svalbard exceptions.
int StandardZoneOf(double Longitude) {
  const int zone = static_cast<int>(std::floor((Longitude + 180.0) / 6.0)) + 1;
  return std::clamp(zone, 1, 60);
}

void ParseZoneOption(TUtmSetup& Setup) {
  const std::string& text = Setup.ZoneText;
  if (text.empty()) return;
  if (const auto number = ParseInteger(text)) {
    if (*number < 1 || *number > 60) throw EUsageError("--zone: expected a zone 1..60, got '" + Printable(text, 20) + "'");
    Setup.Zone = *number;
    return;
  }
  std::vector<std::string_view> field{text};
  TZoneToken token;
  try {
    token = TakeZoneToken(field);
  } catch (const EInputError& e) {
    throw EUsageError(std::string("--zone: ") + e.what());
  }
  if (!token.Present || token.Zone == 0)
    throw EUsageError("--zone: expected a zone like 33N or 33S, got '" + Printable(text, 20) + "'");
  Setup.Zone = token.Zone;
  Setup.ZoneHemisphere = true;
  Setup.South = Setup.South || token.South;
}

void AppendZone(std::string& Out, int Zone, bool South) {
  Out += std::to_string(Zone);
  Out += South ? 'S' : 'N';
}

void AppendScale(std::string& Out, const TOutputFormat& Format, const TGridScale& Scale) {
  Out += ' ';
  AppendFixed(Out, Scale.Convergence, Format.DegreeDecimals());
  Out += ' ';
  AppendFixed(Out, Scale.Scale * UTMScaleFactor, Format.DegreeDecimals() + 1);
}

TLineConverter UtmForward(const TUtmSetup& u) {
  const TConversionSetup& s = u.Conversion;
  return [&u, &s](std::vector<std::string_view>& fields, std::string& out) {
    CheckFieldCount(fields, 2, 2, "latitude longitude");
    double latitude, longitude;
    s.Angles.Read(fields[0], fields[1], latitude, longitude);
    longitude = WrapLongitude(longitude);
    int zone = 0;
    bool south = latitude < 0;
    double easting = 0, northing = 0;
    if (u.Zone != 0) {
      zone = u.Zone;
      south = u.South;
      CheckTMOffset(latitude, longitude, CentralMeridianDegrees(zone));
      LatLongToUTM(latitude, longitude, s.Ellipsoid, zone, south, easting, northing);
      CheckUTMGrid(south, easting, northing);
    } else {
      if (latitude < -80 || latitude > 84) throw EInputError("latitude outside the UTM range -80..84 (use ups)");
      if (u.StandardZone) {
        zone = StandardZoneOf(longitude);
        LatLongToUTM(latitude, longitude, s.Ellipsoid, zone, south, easting, northing);
      } else {
        LatLongToUTM(latitude, longitude, s.Ellipsoid, zone, easting, northing);
      }
    }
    AppendZone(out, zone, south);
    s.Format.AppendMetres(out, easting);
    s.Format.AppendMetres(out, northing);
    if (u.Convergence)
      AppendScale(out, s.Format,
                  TMConvergenceAndScale(latitude, longitude, CentralMeridianDegrees(zone), s.Ellipsoid));
  };
}

TLineConverter UtmInverse(const TUtmSetup& u) {
  const TConversionSetup& s = u.Conversion;
  return [&u, &s](std::vector<std::string_view>& fields, std::string& out) {
    const TZoneToken token = TakeZoneToken(fields);
    const int zone = token.Present ? token.Zone : u.Zone;
    const bool south = token.Present ? token.South : u.South;
    if (zone == 0) throw EInputError("no zone: give --zone, or a zone like 32N or 33S in the line");
    double v[2];
    ReadNumbers(fields, 2, 2, "easting northing", v);
    CheckUTMGrid(south, v[0], v[1]);
    double latitude = 0, longitude = 0;
    UTMToLatLong(v[0], v[1], zone, south, s.Ellipsoid, latitude, longitude);
    const double offset = LongitudeOffset(longitude, CentralMeridianDegrees(zone));
    if (std::fabs(offset) > UTMSafeOffset) {
      double e, n;
      LatLongToUTM(latitude, longitude, s.Ellipsoid, zone, south, e, n);
      if (!(std::fabs(offset) <= TMMaxLongitudeOffset && std::hypot(e - v[0], n - v[1]) <= TMRoundTripTolerance))
        throw EInputError("grid position too far from the central meridian to invert within 1 m");
    }
    s.Format.AppendPosition(out, latitude, longitude);
    if (u.Convergence)
      AppendScale(out, s.Format, TMConvergenceAndScale(latitude, longitude, CentralMeridianDegrees(zone), s.Ellipsoid));
  };
}

void RegisterUtm(CLI::App& App, TCliContext& Context) {
  auto setup = std::make_shared<TUtmSetup>();
  CLI::App* command = AddCommand(
      App, Context, "utm", "Latitude/longitude <-> UTM zone, easting, northing", [&Context, setup] {
        TUtmSetup& u = *setup;
        ParseZoneOption(u);
        if (!u.Conversion.Inverse) {
          if (u.Zone != 0 && !u.ZoneHemisphere)
            throw EUsageError("--zone needs the hemisphere for a forward conversion: 33N or 33S");
          if (u.South && !u.ZoneHemisphere) throw EUsageError("--south only goes with --inverse (forward: --zone 33S)");
          if (u.Zone != 0 && u.StandardZone) throw EUsageError("--zone and --standard-zone exclude each other");
        } else if (u.StandardZone) {
          throw EUsageError("--standard-zone only goes with a forward conversion");
        }
        return RunSetup("utm", u.Conversion, u.Conversion.Inverse ? UtmInverse(u) : UtmForward(u), Context);
      });
  SetHelpText(
      *command,
      "Geographic position to UTM and back.\n"
      "  forward:   LATITUDE LONGITUDE (degrees)  ->  ZONE EASTING NORTHING, e.g. '0 9' -> '32N 500000.000 0.000'\n"
      "  --inverse: [ZONE] EASTING NORTHING (metres)  ->  LATITUDE LONGITUDE\n"
      "  --convergence adds GAMMA K: meridian convergence (degrees, grid north clockwise from true north) "
      "and point scale\n"
      "ZONE is the zone number followed by the hemisphere, N or S (32N, 33S): the letter is the hemisphere, "
      "not the latitude band. In --inverse mode a zone in the line (first or last field) wins over --zone and "
      "--south, so the forward output can be piped straight back.\n"
      "Zones: 6 degrees wide from -180, with the exceptions of the UTM zone table: 32V covers 3..12E "
      "between 56N and 64N (31V only 0..3E), and in band X (72N..84N) zones 31X 0..9E, 33X 9..21E, 35X "
      "21..33E, 37X 33..42E (no 32X, 34X, 36X). --standard-zone ignores these exceptions; --zone 33N "
      "projects into a chosen zone (a map that keeps its zone across a border) as far as its grid "
      "reaches. Latitude 84 exactly is still UTM, band X (GeographicLib switches to UPS there); latitudes "
      "beyond -80..84 belong to ups. A latitude of -0 is the equator: northern hemisphere, northing 0; "
      "any negative latitude, however small, is southern.\n"
      "Ranges: grid coordinates are accepted as GeographicLib does, easting 0..1000 km, northing "
      "-9100..9600 km (N) or 900..19600 km (S); an inverse result more than 9 degrees from the central "
      "meridian must convert back within 1 m." +
          std::string(InputHelp) + AngleHelp);
  AddPositionArgument(*command, setup->Conversion, "LATITUDE LONGITUDE, or with --inverse [ZONE] EASTING NORTHING");
  AddInverseFlag(*command, setup->Conversion, "Convert UTM coordinates to latitude and longitude");
  command->add_option("-z,--zone", setup->ZoneText,
                      "Forward: project into this zone, e.g. 33N or 33S. Inverse: zone 1..60 (33, or 33S) for "
                      "lines without a zone")
      ->type_name("ZONE");
  command->add_flag("-s,--south", setup->South, "Southern hemisphere for --inverse input lines without a zone");
  command->add_flag("--standard-zone", setup->StandardZone,
                    "Forward: the plain 6-degree zone, without the Norway and Svalbard exceptions");
  command->add_flag("-c,--convergence", setup->Convergence,
                    "Add meridian convergence (degrees) and point scale at the position");
  AddEllipsoidOption(*command, setup->Conversion);
  AddLineOptions(*command, setup->Conversion, true);
}

struct TZoneSetup {
  TConversionSetup Conversion;
  bool StandardZone = false;
  bool Json = false;
};

void RegisterZone(CLI::App& App, TCliContext& Context) {
  auto setup = std::make_shared<TZoneSetup>();
  CLI::App* command = AddCommand(App, Context, "zone", "UTM zone and band letter of a position", [&Context, setup] {
    const TZoneSetup& z = *setup;
    TLineConverter convert = [&z](std::vector<std::string_view>& fields, std::string& out) {
      CheckFieldCount(fields, 2, 2, "latitude longitude");
      double latitude, longitude;
      z.Conversion.Angles.Read(fields[0], fields[1], latitude, longitude);
      longitude = WrapLongitude(longitude);
      int zone = 0;
      char band = ' ';
      GeoToUTMZone(latitude, longitude, zone, band);
      if (zone == 0) throw EInputError("no UTM zone: latitude outside -80..84");
      if (z.StandardZone) zone = StandardZoneOf(longitude);
      if (z.Json) {
        out += "{\"zone\":" + std::to_string(zone) + ",\"band\":\"" + band + "\",\"hemisphere\":\"" +
               (latitude < 0 ? 'S' : 'N') + "\",\"central_meridian\":" +
               FormatShortest(CentralMeridianDegrees(zone)) + "}";
      } else {
        out += std::to_string(zone);
        out += band;
      }
    };
    // A JSON stream stays JSON: a bad line becomes null unless told otherwise.
    TConversionSetup conversion = z.Conversion;
    if (z.Json && conversion.OnError.Mode == TErrorLines::Placeholder && conversion.OnError.Text == "ERROR")
      conversion.OnError.Text = "null";
    return RunSetup("zone", conversion, convert, Context);
  });
  SetHelpText(*command,
              "UTM zone and latitude band letter of a position, e.g. '52.5 13.4' -> '33U', with the Norway and "
              "Svalbard exceptions (see 'orqcarta utm --help').\n"
              "  LATITUDE LONGITUDE  ->  ZONE+BAND\n"
              "  --json: one object a line, {\"zone\":33,\"band\":\"U\",\"hemisphere\":\"N\","
              "\"central_meridian\":15}" +
                  std::string(InputHelp) + AngleHelp);
  AddPositionArgument(*command, setup->Conversion, "LATITUDE LONGITUDE");
  command->add_flag("--standard-zone", setup->StandardZone, "The plain 6-degree zone, without the exceptions");
  command->add_flag("--json", setup->Json, "One JSON object a line instead of the zone text");
  setup->Conversion.OnError.AddOption(*command);
  setup->Conversion.Angles.AddOptions(*command);
}

}  // namespace

void RegisterUtmCommands(CLI::App& App, TCliContext& Context) {
  RegisterUtm(App, Context);
  RegisterZone(App, Context);
}

}  // namespace orq::cli
