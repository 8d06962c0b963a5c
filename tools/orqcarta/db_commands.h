// The `orqcarta db` command group, split by purpose. RegisterDbCommands
// (declared in Commands.h) adds the group and calls each part.
#pragma once

#include <functional>
#include <string>

#include "Commands.h"

namespace orq::cli {

// Like AddCommand, for a subcommand of `db`: errors are reported as
// "orqcarta db <name>: ..." and mapped to the tool's exit codes (bad
// arguments or input lines ExitBadInput, bad option values ExitUsage,
// failures of files or the database ExitFailure).
CLI::App* AddDbCommand(CLI::App& Db, TCliContext& Context, const std::string& Name, const std::string& Description,
                       std::function<int()> Action);

// "db <name>", the command's name in messages.
std::string DbCommandName(const std::string& Name);

// create, info
void RegisterDbFileCommands(CLI::App& Db, TCliContext& Context);
// reindex, gc, dump
void RegisterDbMaintenanceCommands(CLI::App& Db, TCliContext& Context);
// add-town, add-polygon, add-blob
void RegisterDbAddCommands(CLI::App& Db, TCliContext& Context);
// import-towns
void RegisterDbImportCommand(CLI::App& Db, TCliContext& Context);
// list, find, region, get-blob, delete
void RegisterDbQueryCommands(CLI::App& Db, TCliContext& Context);

}  // namespace orq::cli
