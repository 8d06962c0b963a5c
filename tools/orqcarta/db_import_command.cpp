// import-towns: towns from a CSV file, in one batch.
#include <sys/stat.h>

#include <CLI/CLI.hpp>
#include <fstream>
#include <istream>
#include <memory>
#include <ostream>
#include <stdexcept>

#include "ErrorReport.h"
#include "db_commands.h"
#include "db_session.h"
#include "db_town_csv.h"
#include "orqplatform/DateTime.h"

namespace orq::cli {

namespace {

struct TImportSetup {
  std::string Name;
  std::string Source;
  bool Progress = false;
};

long long RegularFileSize(const std::string& Path) {
  struct stat st {};
  return ::stat(Path.c_str(), &st) == 0 && S_ISREG(st.st_mode) ? static_cast<long long>(st.st_size) : -1;
}

int ImportTowns(TCliContext& Context, const TImportSetup& Setup) {
  const std::string command = DbCommandName("import-towns");
  const bool fromStdin = Setup.Source.empty() || Setup.Source == "-";
  std::ifstream file;
  if (!fromStdin) {
    file.open(Setup.Source, std::ios::binary);
    if (!file) throw std::runtime_error("cannot open " + Printable(Setup.Source));
  }
  std::istream& in = fromStdin ? Context.In : file;
  // Progress follows the bytes read; a pipe has no known length.
  const long long total = fromStdin ? -1 : RegularFileSize(Setup.Source);

  long number = 0;
  std::string line;
  while (std::getline(in, line)) {
    ++number;
    if (!IsBlankCsvLine(line)) break;
  }
  if (IsBlankCsvLine(line))
    throw EInputError("no heading row; the first line names the columns: name,lat,long[,altitude,class,tag]");
  const TTownCsvReader reader(line);
  if (!reader.IgnoredColumns().empty()) {
    std::string names;
    for (const std::string& column : reader.IgnoredColumns())
      names += (names.empty() ? "\"" : ", \"") + Printable(column, 40) + "\"";
    ReportError(Context.Err, command, "ignoring the column(s) " + names);
  }

  TDbSession session(Setup.Name, TDbSession::daWrite, Context.Err, command,
                     total > 0 && ShouldShowProgress(Setup.Progress));
  TGeoDB& db = session.Db();
  TProgressBar& bar = session.Progress();
  // One save of the indexes for the whole batch; each add's own 0 and 100
  // would only make the bar flicker.
  db.SetLazyWrite(true);
  db.SetOnPercDoneEnabled(false);
  const double date = Now();
  long imported = 0, rejected = 0;
  long long consumed = static_cast<long long>(line.size()) + 1;
  while (std::getline(in, line)) {
    ++number;
    consumed += static_cast<long long>(line.size()) + 1;
    if (total > 0) bar.Update(static_cast<int>(consumed * 100 / total));
    if (IsBlankCsvLine(line)) continue;
    try {
      TTownRow row = reader.ParseRow(line);
      if (CharacterCount(row.Name) > 59) {
        bar.Break();
        ReportLineError(Context.Err, command, number, "name cut to 59 characters", line);
      }
      db.AddTown(row.Name, date, 0, TSCoords{static_cast<float>(row.Latit), static_cast<float>(row.Longit)},
                 row.Altitude, row.ClassNumber, row.Tag);
      ++imported;
    } catch (const EInputError& e) {
      bar.Break();
      ReportLineError(Context.Err, command, number, e.what(), line);
      ++rejected;
    } catch (const std::exception& e) {
      // What was imported stays; say how far the import got.
      throw std::runtime_error("line " + std::to_string(number) + ": " + WithoutComponentPrefix(e.what()) + " (" +
                               std::to_string(imported) + " towns imported before)");
    }
  }
  if (in.bad()) throw std::runtime_error("cannot read " + (fromStdin ? std::string("standard input") : Printable(Setup.Source)));
  session.Finish();
  Context.Out << "imported " << imported << (imported == 1 ? " town" : " towns");
  if (rejected > 0) Context.Out << "; " << rejected << (rejected == 1 ? " line" : " lines") << " rejected";
  Context.Out << '\n';
  return rejected > 0 ? ExitBadInput : ExitOk;
}

}  // namespace

void RegisterDbImportCommand(CLI::App& Db, TCliContext& Context) {
  auto setup = std::make_shared<TImportSetup>();
  CLI::App* import = AddDbCommand(Db, Context, "import-towns", "Add towns from a CSV file",
                                  [&Context, setup] { return ImportTowns(Context, *setup); });
  import->add_option("DB", setup->Name, "The database")->required();
  import->add_option("CSV", setup->Source, "The CSV file; - or none: standard input");
  import->add_flag("--progress", setup->Progress, "Show a progress bar even when standard error is not a terminal");
  SetHelpText(*import,
              "The first row names the columns: name, lat, long and optionally altitude, class, tag, in any "
              "order (also latitude, lon, lng, longitude, alt, elevation); other columns are ignored. "
              "Separator: comma, or semicolon or tab when the first row uses it. Quote names that contain "
              "the separator: \"Washington, D.C.\".\n"
              "A bad row is reported with its line number and skipped; the others are imported, and the exit "
              "code is then 1.");
}

}  // namespace orq::cli
