#include <CLI/CLI.hpp>
#include <algorithm>
#include <new>
#include <ostream>
#include <string_view>

#include "Commands.h"
#include "ErrorReport.h"

namespace orq::cli {

CLI::App* AddCommand(CLI::App& App, TCliContext& Context, const std::string& Name, const std::string& Description,
                     std::function<int()> Action) {
  CLI::App* command = App.add_subcommand(Name, Description);
  command->callback([&Context, Name, Action = std::move(Action)] {
    try {
      Context.ExitCode = Action();
      Context.Out.flush();
      if (!Context.Out) {
        ReportError(Context.Err, Name, "cannot write the output");
        Context.ExitCode = ExitFailure;
      }
    } catch (const EUsageError& e) {
      ReportError(Context.Err, Name, e.what());
      Context.ExitCode = ExitUsage;
    } catch (const std::bad_alloc&) {
      ReportError(Context.Err, Name, "out of memory");
      Context.ExitCode = ExitFailure;
    } catch (const std::exception& e) {
      ReportError(Context.Err, Name, e.what());
      Context.ExitCode = ExitFailure;
    }
  });
  return command;
}

void SetHelpText(CLI::App& Command, const std::string& Text) {
  constexpr std::size_t Width = 100;
  std::string wrapped;
  std::size_t start = 0;
  while (start <= Text.size()) {
    std::size_t end = Text.find('\n', start);
    if (end == std::string::npos) end = Text.size();
    std::string_view line(Text.data() + start, end - start);
    if (!line.empty() && line.front() == ' ') {
      wrapped.append(line);
    } else {
      // Break at the last blank that keeps the line within Width.
      while (line.size() > Width) {
        std::size_t cut = line.rfind(' ', Width);
        if (cut == std::string_view::npos || cut == 0) cut = Width;
        wrapped.append(line.substr(0, cut)).append("\n");
        line.remove_prefix(std::min(line.size(), cut + 1));
      }
      wrapped.append(line);
    }
    if (end < Text.size()) wrapped += '\n';
    start = end + 1;
  }
  Command.footer(wrapped);
}

}  // namespace orq::cli
