// What every conversion command shares: its options, its arguments, the
// help text on input, and how it runs over standard input.
#pragma once

#include <string>
#include <vector>

#include "AngleInput.h"
#include "LineInput.h"
#include "OutputFormat.h"
#include "orqcarta/Orq_GeoBasics.h"

namespace CLI {
class App;
}

namespace orq::cli {

struct TCliContext;

struct TConversionSetup {
  std::vector<std::string> Position;
  TOutputFormat Format;
  TAngleInput Angles;
  TErrorLines OnError;
  TGeoEllipsoid Ellipsoid = gelWGS84;
  bool Inverse = false;
};

// The paragraph on input lines that ends every conversion's help.
extern const char* const InputHelp;
// ... and the one on how angles may be written.
extern const char* const AngleHelp;

void AddPositionArgument(CLI::App& Command, TConversionSetup& Setup, const std::string& Meaning);
void AddEllipsoidOption(CLI::App& Command, TConversionSetup& Setup);
void AddInverseFlag(CLI::App& Command, TConversionSetup& Setup, const std::string& Description);
// --precision, --on-error, and for commands that read or write angles
// --lon-first, --wrap-longitude and --dms.
void AddLineOptions(CLI::App& Command, TConversionSetup& Setup, bool Angles);
// A degrees option read by the tool's own strict number parser.
void AddDegreesOption(CLI::App& Command, const std::string& Name, double& Target, const std::string& Description,
                      double Min, double Max);

// RunConversion with the setup's arguments, streams and error lines.
int RunSetup(std::string_view Command, const TConversionSetup& Setup, const TLineConverter& Convert,
             TCliContext& Context);

// The commands of the geodesy group that live in their own files.
void RegisterUtmCommands(CLI::App& App, TCliContext& Context);  // utm, zone
void RegisterMgrsCommand(CLI::App& App, TCliContext& Context);
void RegisterHelmertCommand(CLI::App& App, TCliContext& Context);

}  // namespace orq::cli
