// orqcarta db: create, fill, query and maintain geo-databases from the shell.
#include "db_commands.h"

#include <CLI/CLI.hpp>
#include <new>
#include <ostream>

#include "ErrorReport.h"
#include "db_session.h"
#include "gdal_commands.h"

namespace orq::cli {

std::string DbCommandName(const std::string& Name) { return "db " + Name; }

CLI::App* AddDbCommand(CLI::App& Db, TCliContext& Context, const std::string& Name, const std::string& Description,
                       std::function<int()> Action) {
  const std::string command = DbCommandName(Name);
  return AddCommand(Db, Context, Name, Description, [&Context, command, Action = std::move(Action)] {
    try {
      return Action();
    } catch (const EInputError& e) {
      ReportError(Context.Err, command, e.what());
      return ExitBadInput;
    } catch (const EUsageError& e) {
      ReportError(Context.Err, command, e.what());
      return ExitUsage;
    } catch (const std::bad_alloc&) {
      ReportError(Context.Err, command, "out of memory");
      return ExitFailure;
    } catch (const std::exception& e) {
      ReportError(Context.Err, command, WithoutComponentPrefix(e.what()));
      return ExitFailure;
    }
  });
}

void RegisterDbImportPntCommand(CLI::App& Db, TCliContext& Context);  // db_import_pnt_command.cpp

void RegisterDbCommands(CLI::App& App, TCliContext& Context) {
  CLI::App* db = App.add_subcommand("db", "Create, fill, query and maintain geo-databases");
  db->require_subcommand(1);
  SetHelpText(*db,
              "DB names a database: its base name or any of its seven files (DB.orqgdd, DB.orqgds, "
              "DB.orqgi0 ... DB.orqgi4). Only 'create' makes a new one.\n"
              "Items are addressed by position (1..count; deleting an item moves the last one into its "
              "place) or, with --id, by their stable ItemID.\n"
              "Exit codes: 0 success; 1 bad arguments or input lines; 2 bad options; 3 a file or "
              "database failure.");
  RegisterDbFileCommands(*db, Context);
  RegisterDbAddCommands(*db, Context);
  RegisterDbImportCommand(*db, Context);
  RegisterDbImportPntCommand(*db, Context);
  RegisterDbQueryCommands(*db, Context);
  RegisterDbMaintenanceCommands(*db, Context);
  RegisterDbOgrCommands(*db, Context);
}

}  // namespace orq::cli
