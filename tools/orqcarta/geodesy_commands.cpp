// Conversion commands: ups, tm, cart here; utm and zone in utm_command.cpp,
// helmert in helmert_command.cpp, mgrs in mgrs_command.cpp. Each converts
// the position given as arguments, or each line of standard input.
#include <CLI/CLI.hpp>
#include <cmath>
#include <memory>
#include <numbers>

#include "Commands.h"
#include "ConversionSetup.h"
#include "ErrorReport.h"
#include "GridRanges.h"
#include "PositionFields.h"
#include "orqcarta/Orq_GeoBasics.h"

namespace orq::cli {

namespace {

constexpr double DegToRad = std::numbers::pi / 180;

void RegisterUps(CLI::App& App, TCliContext& Context) {
  auto setup = std::make_shared<TConversionSetup>();
  auto south = std::make_shared<bool>(false);
  CLI::App* command =
      AddCommand(App, Context, "ups", "Latitude/longitude <-> universal polar stereographic", [&Context, setup, south] {
        const TConversionSetup& s = *setup;
        if (!s.Inverse && *south) throw EUsageError("--south only goes with --inverse");
        TLineConverter convert;
        if (!s.Inverse) {
          convert = [&s](std::vector<std::string_view>& fields, std::string& out) {
            CheckFieldCount(fields, 2, 2, "latitude longitude");
            double latitude, longitude;
            s.Angles.Read(fields[0], fields[1], latitude, longitude);
            CheckUPSLatitude(latitude);
            double easting = 0, northing = 0;
            LatLongToUPS(latitude, WrapLongitude(longitude), s.Ellipsoid, easting, northing);
            out += latitude < 0 ? 'S' : 'N';
            s.Format.AppendMetres(out, easting);
            s.Format.AppendMetres(out, northing);
          };
        } else {
          convert = [&s, south](std::vector<std::string_view>& fields, std::string& out) {
            const TZoneToken token = TakeZoneToken(fields);
            if (token.Zone != 0) throw EInputError("a UPS position has a hemisphere, N or S, but no zone number");
            double v[2];
            ReadNumbers(fields, 2, 2, "easting northing", v);
            const bool southern = token.Present ? token.South : *south;
            CheckUPSGrid(southern, v[0], v[1]);
            double latitude = 0, longitude = 0;
            UPSToLatLong(v[0], v[1], southern, s.Ellipsoid, latitude, longitude);
            s.Format.AppendPosition(out, latitude, longitude);
          };
        }
        return RunSetup("ups", s, convert, Context);
      });
  SetHelpText(*command,
              "Geographic position to universal polar stereographic and back.\n"
              "  forward:   LATITUDE LONGITUDE  ->  HEMISPHERE EASTING NORTHING, e.g. '90 0' -> 'N 2000000.000 "
              "2000000.000'\n"
              "  --inverse: [HEMISPHERE] EASTING NORTHING  ->  LATITUDE LONGITUDE\n"
              "HEMISPHERE is N or S; the forward one follows the latitude's sign (0 is north). In --inverse mode a "
              "hemisphere in the line wins over --south. Forward positions must lie within 20 degrees of the "
              "pole (70..90, -90..-70); grid coordinates within 1200..2800 km (N) or 700..3300 km (S) on both "
              "axes, as GeographicLib accepts them." +
                  std::string(InputHelp) + AngleHelp);
  AddPositionArgument(*command, *setup, "LATITUDE LONGITUDE, or with --inverse [N|S] EASTING NORTHING");
  AddInverseFlag(*command, *setup, "Convert UPS coordinates to latitude and longitude");
  command->add_flag("-s,--south", *south, "Southern hemisphere for --inverse input lines without N or S");
  AddEllipsoidOption(*command, *setup);
  AddLineOptions(*command, *setup, true);
}

void RegisterTm(CLI::App& App, TCliContext& Context) {
  auto setup = std::make_shared<TConversionSetup>();
  auto lon0 = std::make_shared<double>(0.0);
  CLI::App* command =
      AddCommand(App, Context, "tm", "Latitude/longitude <-> transverse Mercator x, y", [&Context, setup, lon0] {
        const TConversionSetup& s = *setup;
        const double centre = *lon0;
        const double lambda0 = centre * DegToRad;
        TLineConverter convert;
        if (!s.Inverse) {
          convert = [&s, centre, lambda0](std::vector<std::string_view>& fields, std::string& out) {
            CheckFieldCount(fields, 2, 2, "latitude longitude");
            double latitude, longitude;
            s.Angles.Read(fields[0], fields[1], latitude, longitude);
            CheckTMOffset(latitude, longitude, centre);
            double x = 0, y = 0;
            LatLongToTM(latitude * DegToRad, longitude * DegToRad, lambda0, s.Ellipsoid, x, y);
            s.Format.AppendMetres(out, x);
            s.Format.AppendMetres(out, y);
          };
        } else {
          convert = [&s, centre, lambda0](std::vector<std::string_view>& fields, std::string& out) {
            double v[2];
            ReadNumbers(fields, 2, 2, "x y", v);
            double phi = 0, lambda = 0;
            TMToLatLong(v[0], v[1], lambda0, s.Ellipsoid, phi, lambda);
            const double latitude = phi / DegToRad, longitude = lambda / DegToRad;
            double x = NAN, y = NAN;
            if (std::fabs(latitude) <= 90 &&
                std::fabs(LongitudeOffset(longitude, centre)) <= TMMaxLongitudeOffset)
              LatLongToTM(phi, lambda, lambda0, s.Ellipsoid, x, y);
            if (!(std::hypot(x - v[0], y - v[1]) <= TMRoundTripTolerance))
              throw EInputError("no position within 1 m: the grid point lies beyond " +
                                FormatShortest(TMMaxLongitudeOffset) + " degrees from the central meridian or "
                                "beyond the poles");
            s.Format.AppendPosition(out, latitude, longitude);
          };
        }
        return RunSetup("tm", s, convert, Context);
      });
  SetHelpText(*command,
              "Transverse Mercator about a central meridian, unscaled, without false easting or northing.\n"
              "  forward:   LATITUDE LONGITUDE  ->  X Y (metres east of the central meridian, north of the equator)\n"
              "  --inverse: X Y  ->  LATITUDE LONGITUDE\n"
              "The projection is a series whose error grows with the distance from the central meridian: below "
              "1 mm within 6 degrees, 2 cm within 10, 1 m at 16.7 on the equator. Positions farther than 16.7 "
              "degrees in longitude from it are refused, and so are inverse results that do not convert back to "
              "their X Y within 1 m." +
                  std::string(InputHelp) + AngleHelp);
  AddPositionArgument(*command, *setup, "LATITUDE LONGITUDE, or with --inverse X Y");
  AddInverseFlag(*command, *setup, "Convert X Y to latitude and longitude");
  AddDegreesOption(*command, "-m,--lon0,--central-meridian", *lon0,
                   "Central meridian in degrees -180..180 (default: 0)", -180, 180);
  AddEllipsoidOption(*command, *setup);
  AddLineOptions(*command, *setup, true);
}

void RegisterCart(CLI::App& App, TCliContext& Context) {
  auto setup = std::make_shared<TConversionSetup>();
  CLI::App* command =
      AddCommand(App, Context, "cart", "Latitude/longitude/height <-> earth-centred X, Y, Z", [&Context, setup] {
        const TConversionSetup& s = *setup;
        TLineConverter convert;
        if (!s.Inverse) {
          convert = [&s](std::vector<std::string_view>& fields, std::string& out) {
            CheckFieldCount(fields, 2, 3, "latitude longitude [height]");
            double latitude, longitude, height = 0;
            s.Angles.Read(fields[0], fields[1], latitude, longitude);
            if (fields.size() > 2) ReadNumbers(std::span(fields).subspan(2), 1, 1, "height", &height);
            double x = 0, y = 0, z = 0;
            GeoToCartesian(latitude, longitude, height, s.Ellipsoid, x, y, z);
            s.Format.AppendMetres(out, x);
            s.Format.AppendMetres(out, y);
            s.Format.AppendMetres(out, z);
          };
        } else {
          convert = [&s](std::vector<std::string_view>& fields, std::string& out) {
            double v[3];
            ReadNumbers(fields, 3, 3, "X Y Z", v);
            if (v[0] == 0 && v[1] == 0 && v[2] == 0) throw EInputError("the earth's centre has no geographic position");
            double latitude = 0, longitude = 0, height = 0;
            CartesianToGeo(v[0], v[1], v[2], s.Ellipsoid, latitude, longitude, height);
            s.Format.AppendPosition(out, latitude, longitude);
            s.Format.AppendMetres(out, height);
          };
        }
        return RunSetup("cart", s, convert, Context);
      });
  SetHelpText(*command,
              "Geographic position to earth-centred cartesian coordinates and back.\n"
              "  forward:   LATITUDE LONGITUDE [HEIGHT]  ->  X Y Z (metres; HEIGHT above the ellipsoid, default 0)\n"
              "  --inverse: X Y Z  ->  LATITUDE LONGITUDE HEIGHT" +
                  std::string(InputHelp) + AngleHelp);
  AddPositionArgument(*command, *setup, "LATITUDE LONGITUDE [HEIGHT], or with --inverse X Y Z");
  AddInverseFlag(*command, *setup, "Convert X Y Z to latitude, longitude and height");
  AddEllipsoidOption(*command, *setup);
  AddLineOptions(*command, *setup, true);
}

}  // namespace

void RegisterGeodesyCommands(CLI::App& App, TCliContext& Context) {
  RegisterUtmCommands(App, Context);
  RegisterUps(App, Context);
  RegisterTm(App, Context);
  RegisterCart(App, Context);
  RegisterHelmertCommand(App, Context);
  RegisterMgrsCommand(App, Context);
}

}  // namespace orq::cli
