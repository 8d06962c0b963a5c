// orqcarta: the command-line face of the library. main only builds the
// application from the command groups and maps the outcome to an exit code.
#include <CLI/CLI.hpp>
#include <exception>
#include <iostream>

#include "Commands.h"
#include "ErrorReport.h"

int main(int argc, char** argv) {
  using namespace orq::cli;
  try {
    CLI::App app{
        "orqcarta - geodesy on 61 ellipsoids and 271 datums: UTM, UPS, transverse Mercator, cartesian\n"
        "coordinates, Helmert datum shifts; listings of the built-in tables; a demo.\n"
        "Conversions take one position as arguments, or read one position a line from standard input.",
        "orqcarta"};
    app.set_version_flag("--version", "orqcarta " ORQCARTA_VERSION);
    app.require_subcommand(1);
    app.fallthrough(false);

    TCliContext context{std::cin, std::cout, std::cerr};
    RegisterGeodesyCommands(app, context);
    RegisterListingCommands(app, context);
    RegisterDemoCommand(app, context);
    RegisterDbCommands(app, context);
    RegisterBlankMapCommand(app, context);
    RegisterCalibCommands(app, context);
    RegisterLandmarksCommands(app, context);
    RegisterRenderCommand(app, context);
    RegisterAtlasCommand(app, context);

    try {
      app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
      const int code = app.exit(e);
      return code == 0 ? ExitOk : ExitUsage;
    }
    return context.ExitCode;
  } catch (const std::exception& e) {
    std::cerr << "orqcarta: " << e.what() << '\n';
  } catch (...) {
    std::cerr << "orqcarta: unexpected failure\n";
  }
  return ExitFailure;
}
