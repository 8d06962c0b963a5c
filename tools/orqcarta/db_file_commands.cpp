// Whole-database commands: create, info, reindex, gc, dump.
#include <sys/stat.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <ostream>

#include "ErrorReport.h"
#include "db_commands.h"
#include "db_session.h"

namespace orq::cli {

namespace {

struct TFileSetup {
  std::string Name;
  std::string Description;
  bool HasDescription = false;
  int Revision = 0;
  std::string OutputFile;
  bool Progress = false;
};

CLI::Option* AddDbArgument(CLI::App& Command, TFileSetup& Setup) {
  return Command.add_option("DB", Setup.Name, "The database")->required();
}

long long FileSize(const std::string& Path) {
  struct stat st {};
  return ::stat(Path.c_str(), &st) == 0 ? static_cast<long long>(st.st_size) : -1;
}

int CreateDatabase(TCliContext& Context, const TFileSetup& Setup) {
  const std::string command = DbCommandName("create");
  if (Setup.Name.empty()) throw EUsageError("the database name is empty");
  const TDbFiles files = TDbFiles::For(Setup.Name);
  // Opening an existing name would keep its items: create means new.
  if (files.AnyExists())
    throw std::runtime_error("the database \"" + Printable(files.Base) + "\" already exists");
  TGeoDB db;
  db.SetDBName(files.Base);
  if (Setup.HasDescription) {
    if (CharacterCount(Setup.Description) > 60) ReportError(Context.Err, command, "description cut to 60 characters");
    db.SetDescription(Setup.Description);
  }
  if (Setup.Revision != 0) db.SetRevision(Setup.Revision);
  db.SetDBName("");
  Context.Out << "created database " << files.Base << '\n';
  return ExitOk;
}

int ShowInfo(TCliContext& Context, const TFileSetup& Setup) {
  const TDbFiles files = TDbFiles::For(Setup.Name);
  if (FileSize(files.Data()) < 0)
    throw std::runtime_error("no database \"" + Printable(files.Base) + "\" (its data file " +
                             Printable(files.Data()) + " does not exist)");
  // Read without opening, so that asking never changes a file.
  const TgdbSystemInformation info = ReadSystemInformation(files.Data());
  std::ostream& out = Context.Out;
  out << "Database:    " << files.Base << '\n'
      << "Description: " << Printable(info.Description, 1000) << '\n'
      << "Revision:    " << info.Revision << '\n'
      << "Version:     " << info.DBVersion << '\n'
      << "Highest ID:  " << info.HighestID << '\n'
      << "Items:       " << info.NumEntries << '\n'
      << "Files:\n";
  auto fileLine = [&](const std::string& Path, const char* Role) {
    const long long size = FileSize(Path);
    out << "  " << Path << "  " << Role << ", " << (size < 0 ? std::string("missing") : std::to_string(size) + " bytes")
        << '\n';
  };
  fileLine(files.Data(), "data");
  fileLine(files.Summary(), "summary");
  fileLine(files.Index(0), "ItemID index");
  const char* bounds[4] = {"LatLow index", "LatHigh index", "LongLow index", "LongHigh index"};
  for (int d = 1; d <= 4; ++d) fileLine(files.Index(d), bounds[d - 1]);
  const bool summaryWhole = FileSize(files.Summary()) >= 0 && FileSize(files.Summary()) % 120 == 0;
  out << "Indexes:     "
      << (IndexFilesMatch(files, info.NumEntries) ? "match the items"
                                                   : "do not match the items; 'orqcarta db reindex' rebuilds them")
      << '\n';
  if (!summaryWhole) out << "Warning:     the summary file is missing or ends inside a record\n";
  return ExitOk;
}

int Reindex(TCliContext& Context, const TFileSetup& Setup) {
  TDbSession session(Setup.Name, TDbSession::daRead, Context.Err, DbCommandName("reindex"));
  session.Db().RecalcIndexes();
  const int count = session.Db().NumEntries();
  session.Finish();
  Context.Out << "rebuilt the indexes of " << count << (count == 1 ? " item\n" : " items\n");
  return ExitOk;
}

int CollectGarbage(TCliContext& Context, const TFileSetup& Setup) {
  TDbSession session(Setup.Name, TDbSession::daWrite, Context.Err, DbCommandName("gc"),
                     ShouldShowProgress(Setup.Progress));
  const long long freed = session.Db().GarbageCollection();
  session.Finish();
  Context.Out << "freed " << freed << " bytes; the data file holds " << FileSize(session.Files().Data())
              << " bytes\n";
  return ExitOk;
}

// A temporary file that is removed whatever happens.
class TTempFile {
 public:
  TTempFile() {
    const char* dir = std::getenv("TMPDIR");
    FPath = std::string(dir && *dir ? dir : "/tmp") + "/orqcarta_dump_XXXXXX";
    const int fd = mkstemp(FPath.data());
    if (fd < 0) throw std::runtime_error("cannot create a temporary file in " + FPath.substr(0, FPath.rfind('/')));
    close(fd);
  }
  ~TTempFile() { std::remove(FPath.c_str()); }
  const std::string& Path() const { return FPath; }

 private:
  std::string FPath;
};

int Dump(TCliContext& Context, const TFileSetup& Setup) {
  TDbSession session(Setup.Name, TDbSession::daRead, Context.Err, DbCommandName("dump"));
  if (!Setup.OutputFile.empty()) {
    session.Db().ExportDataDebug(Setup.OutputFile);
    return ExitOk;
  }
  TTempFile temp;
  session.Db().ExportDataDebug(temp.Path());
  std::ifstream in(temp.Path(), std::ios::binary);
  if (!in) throw std::runtime_error("cannot read the dump back from " + temp.Path());
  Context.Out << in.rdbuf();
  return ExitOk;
}

}  // namespace

void RegisterDbFileCommands(CLI::App& Db, TCliContext& Context) {
  auto setup = std::make_shared<TFileSetup>();

  CLI::App* create = AddDbCommand(Db, Context, "create", "Create a new, empty database",
                                  [&Context, setup] { return CreateDatabase(Context, *setup); });
  AddDbArgument(*create, *setup);
  create->add_option("-d,--description", setup->Description, "Description, at most 60 characters")
      ->each([setup](const std::string&) { setup->HasDescription = true; });
  create->add_option("-r,--revision", setup->Revision, "Revision number (default 0)");
  SetHelpText(*create,
              "Writes the seven files DB.orqgdd, DB.orqgds, DB.orqgi0 ... DB.orqgi4. A database that "
              "exists already is left alone.");

  CLI::App* info = AddDbCommand(Db, Context, "info", "Show the header, item count and file sizes",
                                [&Context, setup] { return ShowInfo(Context, *setup); });
  AddDbArgument(*info, *setup);
  SetHelpText(*info, "Reads the files without opening the database; nothing is changed.");
}

void RegisterDbMaintenanceCommands(CLI::App& Db, TCliContext& Context) {
  auto setup = std::make_shared<TFileSetup>();

  CLI::App* reindex = AddDbCommand(Db, Context, "reindex", "Rebuild the five index files from the summary",
                                   [&Context, setup] { return Reindex(Context, *setup); });
  AddDbArgument(*reindex, *setup);
  SetHelpText(*reindex,
              "The index files are derived from the summary file; rebuilding them repairs index files that "
              "are missing, cut short or out of date.");

  CLI::App* gc = AddDbCommand(Db, Context, "gc", "Remove replaced and deleted payloads from the data file",
                              [&Context, setup] { return CollectGarbage(Context, *setup); });
  AddDbArgument(*gc, *setup);
  gc->add_flag("--progress", setup->Progress, "Show a progress bar even when standard error is not a terminal");
  SetHelpText(*gc,
              "The data file only grows: replaced and deleted payloads stay in it. gc writes a new data file "
              "beside the old one and puts it in place only when it is complete.");

  CLI::App* dump = AddDbCommand(Db, Context, "dump", "Write a readable dump of header, items and indexes",
                                [&Context, setup] { return Dump(Context, *setup); });
  AddDbArgument(*dump, *setup);
  dump->add_option("-o,--output", setup->OutputFile, "Write to this file instead of standard output");
}

}  // namespace orq::cli
