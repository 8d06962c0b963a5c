// Conversion commands: utm, ups, tm, cart, helmert, zone. Each converts
// the position given as arguments, or each line of standard input.
#include <CLI/CLI.hpp>
#include <memory>
#include <numbers>

#include "CatalogueLookup.h"
#include "Commands.h"
#include "ErrorReport.h"
#include "LineInput.h"
#include "NumberParsing.h"
#include "OutputFormat.h"
#include "PositionFields.h"
#include "orqcarta/Orq_GeoBasics.h"

namespace orq::cli {

namespace {

constexpr double DegToRad = std::numbers::pi / 180;

const char* const InputHelp =
    "\n\nInput: one position as arguments, or none and one position a line on standard input, fields "
    "separated by blanks and/or commas. Empty lines and lines starting with # are copied unchanged. "
    "A bad line is reported on standard error with its number; the other lines are still converted and "
    "the exit code is 1. Put -- before a position that starts with '-.'. Longitudes are printed in "
    "-180..<180.";

// What every conversion command has: its options and its arguments.
struct TConversionSetup {
  std::vector<std::string> Position;
  TOutputFormat Format;
  TGeoEllipsoid Ellipsoid = gelWGS84;
  bool Inverse = false;
};

void AddPositionArgument(CLI::App& Command, TConversionSetup& Setup, const std::string& Meaning) {
  Command.add_option("position", Setup.Position, Meaning)->type_name("NUMBER");
}

void AddEllipsoidOption(CLI::App& Command, TConversionSetup& Setup) {
  Command
      .add_option_function<std::string>(
          "-e,--ellipsoid", [&Setup](const std::string& text) { Setup.Ellipsoid = *FindEllipsoid(text); },
          "Ellipsoid: identifier (gelWGS84, or WGS84 without the prefix), display name or ordinal 0..60, "
          "case-insensitive; 'orqcarta ellipsoids' lists them (default: WGS84)")
      ->type_name("ELLIPSOID")
      ->check(CLI::Validator(
          [](std::string& text) -> std::string {
            return FindEllipsoid(text) ? std::string() : "unknown ellipsoid '" + Printable(text, 40) + "'";
          },
          "", "ELLIPSOID"));
}

void AddInverseFlag(CLI::App& Command, TConversionSetup& Setup, const std::string& Description) {
  Command.add_flag("-i,--inverse", Setup.Inverse, Description);
}

// A degrees option read by the tool's own strict number parser.
void AddDegreesOption(CLI::App& Command, const std::string& Name, double& Target, const std::string& Description,
                      double Min, double Max) {
  Command
      .add_option_function<std::string>(
          Name, [&Target](const std::string& text) { Target = *ParseNumber(text); }, Description)
      ->type_name("DEGREES")
      ->check(CLI::Validator(
          [Min, Max](std::string& text) -> std::string {
            const auto value = ParseNumber(text);
            if (!value || *value < Min || *value > Max)
              return "expected degrees " + FormatShortest(Min) + ".." + FormatShortest(Max) + ", got '" +
                     Printable(text, 40) + "'";
            return {};
          },
          "", "DEGREES"));
}

// ---------------------------------------------------------------------------

void RegisterUtm(CLI::App& App, TCliContext& Context) {
  auto setup = std::make_shared<TConversionSetup>();
  auto zone = std::make_shared<int>(0);
  auto south = std::make_shared<bool>(false);
  CLI::App* command = AddCommand(
      App, Context, "utm", "Latitude/longitude <-> UTM zone, easting, northing", [&Context, setup, zone, south] {
        const TConversionSetup& s = *setup;
        if (!s.Inverse && (*zone != 0 || *south))
          throw EUsageError("--zone and --south only go with --inverse (the forward zone follows the position)");
        TLineConverter convert;
        if (!s.Inverse) {
          convert = [&s](const std::vector<std::string_view>& fields) {
            const auto v = FieldsAsNumbers(fields, 2, 2, "latitude longitude");
            CheckLatitude(v[0]);
            CheckLongitude(v[1]);
            if (v[0] < -80 || v[0] > 84) throw EInputError("latitude outside the UTM range -80..84 (use ups)");
            int zoneOut = 0;
            double easting = 0, northing = 0;
            LatLongToUTM(v[0], WrapLongitude(v[1]), s.Ellipsoid, zoneOut, easting, northing);
            const std::string token = std::to_string(zoneOut) + (v[0] < 0 ? 'S' : 'N');
            return JoinFields({token, s.Format.Metres(easting), s.Format.Metres(northing)});
          };
        } else {
          convert = [&s, zone, south](const std::vector<std::string_view>& line) {
            std::vector<std::string_view> fields = line;
            const TZoneToken token = TakeZoneToken(fields);
            const int zoneIn = token.Present ? token.Zone : *zone;
            const bool southIn = token.Present ? token.South : *south;
            if (zoneIn == 0) throw EInputError("no zone: give --zone, or a zone like 32N or 33S in the line");
            const auto v = FieldsAsNumbers(fields, 2, 2, "easting northing");
            double latitude = 0, longitude = 0;
            UTMToLatLong(v[0], v[1], zoneIn, southIn, s.Ellipsoid, latitude, longitude);
            return JoinFields({s.Format.Degrees(latitude), s.Format.Degrees(WrapLongitude(longitude))});
          };
        }
        return RunConversion("utm", s.Position, convert, Context.In, Context.Out, Context.Err);
      });
  SetHelpText(
      *command,
      "Geographic position to UTM and back.\n"
      "  forward:   LATITUDE LONGITUDE (degrees)  ->  ZONE EASTING NORTHING, e.g. '0 9' -> '32N 500000.000 0.000'\n"
      "  --inverse: [ZONE] EASTING NORTHING (metres)  ->  LATITUDE LONGITUDE\n"
      "ZONE is the zone number followed by the hemisphere, N or S (32N, 33S): the letter is the hemisphere, "
      "not the latitude band. In --inverse mode a zone in the line (first or last field) wins over --zone and "
      "--south, so the forward output can be piped straight back. Latitudes beyond -80..84 belong to ups." +
          std::string(InputHelp));
  AddPositionArgument(*command, *setup, "LATITUDE LONGITUDE, or with --inverse [ZONE] EASTING NORTHING");
  AddInverseFlag(*command, *setup, "Convert UTM coordinates to latitude and longitude");
  command->add_option("-z,--zone", *zone, "Zone 1..60 for --inverse input lines without a zone")
      ->check(CLI::Range(1, 60));
  command->add_flag("-s,--south", *south, "Southern hemisphere for --inverse input lines without a zone");
  AddEllipsoidOption(*command, *setup);
  setup->Format.AddOption(*command);
}

void RegisterUps(CLI::App& App, TCliContext& Context) {
  auto setup = std::make_shared<TConversionSetup>();
  auto south = std::make_shared<bool>(false);
  CLI::App* command =
      AddCommand(App, Context, "ups", "Latitude/longitude <-> universal polar stereographic", [&Context, setup, south] {
        const TConversionSetup& s = *setup;
        if (!s.Inverse && *south) throw EUsageError("--south only goes with --inverse");
        TLineConverter convert;
        if (!s.Inverse) {
          convert = [&s](const std::vector<std::string_view>& fields) {
            const auto v = FieldsAsNumbers(fields, 2, 2, "latitude longitude");
            CheckLatitude(v[0]);
            CheckLongitude(v[1]);
            double easting = 0, northing = 0;
            LatLongToUPS(v[0], v[1], s.Ellipsoid, easting, northing);
            return JoinFields({v[0] < 0 ? "S" : "N", s.Format.Metres(easting), s.Format.Metres(northing)});
          };
        } else {
          convert = [&s, south](const std::vector<std::string_view>& line) {
            std::vector<std::string_view> fields = line;
            const TZoneToken token = TakeZoneToken(fields);
            if (token.Zone != 0) throw EInputError("a UPS position has a hemisphere, N or S, but no zone number");
            const auto v = FieldsAsNumbers(fields, 2, 2, "easting northing");
            double latitude = 0, longitude = 0;
            UPSToLatLong(v[0], v[1], token.Present ? token.South : *south, s.Ellipsoid, latitude, longitude);
            return JoinFields({s.Format.Degrees(latitude), s.Format.Degrees(WrapLongitude(longitude))});
          };
        }
        return RunConversion("ups", s.Position, convert, Context.In, Context.Out, Context.Err);
      });
  SetHelpText(*command,
              "Geographic position to universal polar stereographic and back.\n"
              "  forward:   LATITUDE LONGITUDE  ->  HEMISPHERE EASTING NORTHING, e.g. '90 0' -> 'N 2000000.000 "
              "2000000.000'\n"
              "  --inverse: [HEMISPHERE] EASTING NORTHING  ->  LATITUDE LONGITUDE\n"
              "HEMISPHERE is N or S; the forward one follows the latitude's sign (0 is north). In --inverse mode a "
              "hemisphere in the line wins over --south." +
                  std::string(InputHelp));
  AddPositionArgument(*command, *setup, "LATITUDE LONGITUDE, or with --inverse [N|S] EASTING NORTHING");
  AddInverseFlag(*command, *setup, "Convert UPS coordinates to latitude and longitude");
  command->add_flag("-s,--south", *south, "Southern hemisphere for --inverse input lines without N or S");
  AddEllipsoidOption(*command, *setup);
  setup->Format.AddOption(*command);
}

void RegisterTm(CLI::App& App, TCliContext& Context) {
  auto setup = std::make_shared<TConversionSetup>();
  auto lon0 = std::make_shared<double>(0.0);
  CLI::App* command =
      AddCommand(App, Context, "tm", "Latitude/longitude <-> transverse Mercator x, y", [&Context, setup, lon0] {
        const TConversionSetup& s = *setup;
        const double lambda0 = *lon0 * DegToRad;
        TLineConverter convert;
        if (!s.Inverse) {
          convert = [&s, lambda0](const std::vector<std::string_view>& fields) {
            const auto v = FieldsAsNumbers(fields, 2, 2, "latitude longitude");
            CheckLatitude(v[0]);
            CheckLongitude(v[1]);
            double x = 0, y = 0;
            LatLongToTM(v[0] * DegToRad, v[1] * DegToRad, lambda0, s.Ellipsoid, x, y);
            return JoinFields({s.Format.Metres(x), s.Format.Metres(y)});
          };
        } else {
          convert = [&s, lambda0](const std::vector<std::string_view>& fields) {
            const auto v = FieldsAsNumbers(fields, 2, 2, "x y");
            double phi = 0, lambda = 0;
            TMToLatLong(v[0], v[1], lambda0, s.Ellipsoid, phi, lambda);
            return JoinFields({s.Format.Degrees(phi / DegToRad), s.Format.Degrees(WrapLongitude(lambda / DegToRad))});
          };
        }
        return RunConversion("tm", s.Position, convert, Context.In, Context.Out, Context.Err);
      });
  SetHelpText(*command,
              "Transverse Mercator about a central meridian, unscaled, without false easting or northing.\n"
              "  forward:   LATITUDE LONGITUDE  ->  X Y (metres east of the central meridian, north of the equator)\n"
              "  --inverse: X Y  ->  LATITUDE LONGITUDE" +
                  std::string(InputHelp));
  AddPositionArgument(*command, *setup, "LATITUDE LONGITUDE, or with --inverse X Y");
  AddInverseFlag(*command, *setup, "Convert X Y to latitude and longitude");
  AddDegreesOption(*command, "-m,--lon0,--central-meridian", *lon0,
                   "Central meridian in degrees -180..180 (default: 0)", -180, 180);
  AddEllipsoidOption(*command, *setup);
  setup->Format.AddOption(*command);
}

void RegisterCart(CLI::App& App, TCliContext& Context) {
  auto setup = std::make_shared<TConversionSetup>();
  CLI::App* command =
      AddCommand(App, Context, "cart", "Latitude/longitude/height <-> earth-centred X, Y, Z", [&Context, setup] {
        const TConversionSetup& s = *setup;
        TLineConverter convert;
        if (!s.Inverse) {
          convert = [&s](const std::vector<std::string_view>& fields) {
            const auto v = FieldsAsNumbers(fields, 2, 3, "latitude longitude [height]");
            CheckLatitude(v[0]);
            CheckLongitude(v[1]);
            double x = 0, y = 0, z = 0;
            GeoToCartesian(v[0], v[1], v.size() > 2 ? v[2] : 0.0, s.Ellipsoid, x, y, z);
            return JoinFields({s.Format.Metres(x), s.Format.Metres(y), s.Format.Metres(z)});
          };
        } else {
          convert = [&s](const std::vector<std::string_view>& fields) {
            const auto v = FieldsAsNumbers(fields, 3, 3, "X Y Z");
            if (v[0] == 0 && v[1] == 0 && v[2] == 0) throw EInputError("the earth's centre has no geographic position");
            double latitude = 0, longitude = 0, height = 0;
            CartesianToGeo(v[0], v[1], v[2], s.Ellipsoid, latitude, longitude, height);
            return JoinFields(
                {s.Format.Degrees(latitude), s.Format.Degrees(WrapLongitude(longitude)), s.Format.Metres(height)});
          };
        }
        return RunConversion("cart", s.Position, convert, Context.In, Context.Out, Context.Err);
      });
  SetHelpText(*command,
              "Geographic position to earth-centred cartesian coordinates and back.\n"
              "  forward:   LATITUDE LONGITUDE [HEIGHT]  ->  X Y Z (metres; HEIGHT above the ellipsoid, default 0)\n"
              "  --inverse: X Y Z  ->  LATITUDE LONGITUDE HEIGHT" +
                  std::string(InputHelp));
  AddPositionArgument(*command, *setup, "LATITUDE LONGITUDE [HEIGHT], or with --inverse X Y Z");
  AddInverseFlag(*command, *setup, "Convert X Y Z to latitude, longitude and height");
  AddEllipsoidOption(*command, *setup);
  setup->Format.AddOption(*command);
}

void RegisterHelmert(CLI::App& App, TCliContext& Context) {
  auto setup = std::make_shared<TConversionSetup>();
  auto from = std::make_shared<std::string>();
  auto to = std::make_shared<std::string>();
  CLI::App* command = AddCommand(
      App, Context, "helmert", "Datum shift of latitude/longitude/height between two of the 271 datums",
      [&Context, setup, from, to] {
        const TConversionSetup& s = *setup;
        const int source = ResolveDatum("--from", *from);
        const int target = ResolveDatum("--to", *to);
        TLineConverter convert = [&s, source, target](const std::vector<std::string_view>& fields) {
          const auto v = FieldsAsNumbers(fields, 2, 3, "latitude longitude [height]");
          CheckLatitude(v[0]);
          CheckLongitude(v[1]);
          double latitude = 0, longitude = 0, height = 0;
          const int result =
              HelmertTransform(source, v[0], v[1], v.size() > 2 ? v[2] : 0.0, target, latitude, longitude, height);
          if (result != 0) throw EInputError("datum transformation failed (code " + std::to_string(result) + ")");
          return JoinFields(
              {s.Format.Degrees(latitude), s.Format.Degrees(WrapLongitude(longitude)), s.Format.Metres(height)});
        };
        return RunConversion("helmert", s.Position, convert, Context.In, Context.Out, Context.Err);
      });
  SetHelpText(*command,
              "Seven-parameter Helmert shift of a position from one datum to another.\n"
              "  LATITUDE LONGITUDE [HEIGHT]  ->  LATITUDE LONGITUDE HEIGHT (degrees, metres; HEIGHT default 0)\n"
              "Datums are given by number 1.." +
                  std::to_string(GeoDatumCount) +
                  " or by name, case-insensitive: WGS84 (269), WGS72 (268), ED50 (59, EUROPEAN DATUM 1950 (Europe)), "
                  "OSGB36 (183), a whole entry as 'orqcarta datums' prints it "
                  "(\"EUROPEAN DATUM 1950 (Europe)\"), a name, or a unique part of one. A name shared by several "
                  "entries is refused with the list of their numbers." +
                  std::string(InputHelp));
  AddPositionArgument(*command, *setup, "LATITUDE LONGITUDE [HEIGHT]");
  command->add_option("-f,--from", *from, "Datum of the input positions")->required()->type_name("DATUM");
  command->add_option("-t,--to", *to, "Datum of the output positions")->required()->type_name("DATUM");
  setup->Format.AddOption(*command);
}

void RegisterZone(CLI::App& App, TCliContext& Context) {
  auto setup = std::make_shared<TConversionSetup>();
  CLI::App* command = AddCommand(App, Context, "zone", "UTM zone and band letter of a position", [&Context, setup] {
    TLineConverter convert = [](const std::vector<std::string_view>& fields) {
      const auto v = FieldsAsNumbers(fields, 2, 2, "latitude longitude");
      CheckLatitude(v[0]);
      CheckLongitude(v[1]);
      const std::string zone = GeoToUTMZone(v[0], WrapLongitude(v[1]));
      if (zone.empty()) throw EInputError("no UTM zone: latitude outside -80..84");
      return zone;
    };
    return RunConversion("zone", setup->Position, convert, Context.In, Context.Out, Context.Err);
  });
  SetHelpText(*command,
              "UTM zone and latitude band letter of a position, e.g. '52.5 13.4' -> '33U', with the Norway and "
              "Svalbard exceptions.\n"
              "  LATITUDE LONGITUDE  ->  ZONE+BAND" +
                  std::string(InputHelp));
  AddPositionArgument(*command, *setup, "LATITUDE LONGITUDE");
}

}  // namespace

void RegisterGeodesyCommands(CLI::App& App, TCliContext& Context) {
  RegisterUtm(App, Context);
  RegisterUps(App, Context);
  RegisterTm(App, Context);
  RegisterCart(App, Context);
  RegisterHelmert(App, Context);
  RegisterZone(App, Context);
}

}  // namespace orq::cli
