// The commands of the orqcarta tool, by group. Each group registers its
// subcommands on the application in its own file:
//
//   geodesy_commands.cpp    utm, ups, tm, cart, helmert, zone, mgrs (utm_, helmert_, mgrs_command.cpp)
//   listing_commands.cpp    ellipsoids, datums, countries
//   demo_command.cpp        demo
//   db_commands.cpp         db (its subcommands in db_*_commands.cpp, db_import_command.cpp)
//   blankmap_command.cpp    blankmap
//   calib_commands.cpp      calib show
//   landmarks_commands.cpp  landmarks convert
//   render_command.cpp      render
//   atlas_command.cpp       atlas
//
// A new group adds a
// Register...Commands declaration here, a <group>_commands.cpp that defines
// it with AddCommand, and one call in main.cpp.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>

namespace CLI {
class App;
}

namespace orq::cli {

// The process streams and the exit code a command leaves behind.
struct TCliContext {
  std::istream& In;
  std::ostream& Out;
  std::ostream& Err;
  int ExitCode = 0;
};

// Adds subcommand Name to App. Action runs when the subcommand is given;
// its result becomes the exit code. Exceptions never leave Action: bad
// option values (EUsageError) give ExitUsage, anything else ExitFailure,
// each with a message on Err.
CLI::App* AddCommand(CLI::App& App, TCliContext& Context, const std::string& Name, const std::string& Description,
                     std::function<int()> Action);

// Sets the text shown after the options in Command's --help: paragraphs are
// wrapped at 100 columns, lines that start with a blank are kept as they are.
void SetHelpText(CLI::App& Command, const std::string& Text);

void RegisterGeodesyCommands(CLI::App& App, TCliContext& Context);
void RegisterListingCommands(CLI::App& App, TCliContext& Context);
void RegisterDemoCommand(CLI::App& App, TCliContext& Context);
void RegisterDbCommands(CLI::App& App, TCliContext& Context);
void RegisterBlankMapCommand(CLI::App& App, TCliContext& Context);
void RegisterCalibCommands(CLI::App& App, TCliContext& Context);
void RegisterLandmarksCommands(CLI::App& App, TCliContext& Context);
void RegisterRenderCommand(CLI::App& App, TCliContext& Context);
void RegisterAtlasCommand(CLI::App& App, TCliContext& Context);

}  // namespace orq::cli
