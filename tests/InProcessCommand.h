// Runs one orqcarta command group inside the test process, with its own
// streams, as the tool's main would.
#pragma once

#include <CLI/CLI.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "Commands.h"
#include "ErrorReport.h"

namespace orq::cli {

struct TRun {
  int ExitCode = -1;
  std::string Out, Err;
};

// Register adds the group to the application; Args follow the command name.
inline TRun RunInProcess(void (*Register)(CLI::App&, TCliContext&), const std::string& Command,
                         std::vector<std::string> Args) {
  std::istringstream in;
  std::ostringstream out, err;
  TCliContext context{in, out, err};
  CLI::App app{"test", "orqcarta"};
  app.require_subcommand(1);
  Register(app, context);
  Args.insert(Args.begin(), Command);
  std::vector<const char*> argv{"orqcarta"};
  for (const std::string& a : Args) argv.push_back(a.c_str());
  TRun run;
  try {
    app.parse(static_cast<int>(argv.size()), const_cast<char**>(argv.data()));
    run.ExitCode = context.ExitCode;
  } catch (const CLI::ParseError& e) {
    run.ExitCode = app.exit(e, out, err) == 0 ? ExitOk : ExitUsage;
  }
  run.Out = out.str();
  run.Err = err.str();
  return run;
}

}  // namespace orq::cli
