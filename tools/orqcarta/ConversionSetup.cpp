#include "ConversionSetup.h"

#include <CLI/CLI.hpp>

#include "CatalogueLookup.h"
#include "Commands.h"
#include "ErrorReport.h"
#include "NumberParsing.h"

namespace orq::cli {

const char* const InputHelp =
    "\n\nInput: one position as arguments, or none and one position a line on standard input, fields "
    "separated by blanks and/or commas. Empty lines and lines starting with # are copied unchanged. "
    "A bad line is reported on standard error with its number, and the output gets a placeholder line "
    "for it (--on-error), so that output line N always belongs to input line N; the other lines are still "
    "converted and the exit code is 1. Put -- before a position that starts with '-.'. Longitudes are "
    "printed in -180..<180.";

const char* const AngleHelp =
    "\n\nAngles: decimal degrees (47.375, -8.5), degrees-minutes-seconds 47°22'30.5\" (also with º ′ ″ ''), "
    "47d22m30.5s or 47:22:30.5, and degrees-minutes 47°22.5'; a hemisphere letter N S E W before or after "
    "the number instead of a sign (8.5W = -8.5). With letters, they decide which field is the latitude "
    "(\"8.5E 47N\" reads); without, the latitude comes first unless --lon-first. An s after the minutes "
    "is the seconds mark, not south. Longitudes beyond +-180 are refused unless --wrap-longitude wraps them "
    "(350 -> -10).";

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

void AddLineOptions(CLI::App& Command, TConversionSetup& Setup, bool Angles) {
  Setup.Format.AddOption(Command);
  Setup.OnError.AddOption(Command);
  if (Angles) {
    Setup.Angles.AddOptions(Command);
    Setup.Format.AddDmsOption(Command);
  }
}

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

int RunSetup(std::string_view Command, const TConversionSetup& Setup, const TLineConverter& Convert,
             TCliContext& Context) {
  return RunConversion(Command, Setup.Position, Convert, Context.In, Context.Out, Context.Err, Setup.OnError);
}

}  // namespace orq::cli
