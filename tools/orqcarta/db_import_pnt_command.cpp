// import-pnt: the lines of an MWDB-II vector file as polygon items.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <filesystem>
#include <memory>
#include <ostream>
#include <stdexcept>

#include "ErrorReport.h"
#include "db_commands.h"
#include "db_session.h"
#include "orqplatform/DateTime.h"
#include "pnt_reader.h"

namespace orq::cli {

namespace {

struct TPntSetup {
  std::string Name, Source, Kind = "border";
  int MinLevel = 1;
  bool Progress = false;
};

int AddLine(TGeoDB& Db, TgdbItem Kind, std::string Name, const TPntLine& Line, double Date) {
  float latLow = 90, latHigh = -90, longLow = 180, longHigh = -180;
  for (const TSCoords& p : Line.Points) {
    latLow = std::min(latLow, p.Latit);
    latHigh = std::max(latHigh, p.Latit);
    longLow = std::min(longLow, p.Longit);
    longHigh = std::max(longHigh, p.Longit);
  }
  const bool closed = Line.Points.size() >= 3 && Line.Points.front() == Line.Points.back();
  const int tag = Line.Header;
  switch (Kind) {
    case gitBorder:
      return Db.AddBorder(Name, Line.Points, closed, Date, 0, latLow, latHigh, longLow, longHigh, 0, 0, tag);
    case gitCity:
      return Db.AddCity(Name, Line.Points, closed, Date, 0, latLow, latHigh, longLow, longHigh, 0, 0, tag);
    case gitLake: return Db.AddLake(Name, Line.Points, Date, 0, latLow, latHigh, longLow, longHigh, 0, 0, tag);
    case gitRiver: return Db.AddRiver(Name, Line.Points, Date, 0, latLow, latHigh, longLow, longHigh, 0, 0, tag);
    case gitRoad: return Db.AddRoad(Name, Line.Points, Date, 0, latLow, latHigh, longLow, longHigh, 0, 0, tag);
    default: return Db.AddRoute(Name, Line.Points, Date, 0, latLow, latHigh, longLow, longHigh, 0, 0, tag);
  }
}

int ImportPnt(TCliContext& Context, const TPntSetup& Setup) {
  const std::string command = DbCommandName("import-pnt");
  const TgdbItem kind = ParsePolygonKind(Setup.Kind);
  if (Setup.MinLevel < 1 || Setup.MinLevel > 5) throw EUsageError("--min-level: expected 1..5");
  // Read and checked before the database is touched: a bad file adds nothing.
  TDbSession session(Setup.Name, TDbSession::daWrite, Context.Err, command, ShouldShowProgress(Setup.Progress));
  TProgressBar& bar = session.Progress();
  const TPntContents contents = ReadPntFile(Setup.Source, Setup.MinLevel, [&bar](int p) { bar.Update(p / 2); });

  TGeoDB& db = session.Db();
  db.SetLazyWrite(true);
  db.SetOnPercDoneEnabled(false);
  const double date = Now();
  const std::string stem = std::filesystem::path(Setup.Source).stem().string();
  long points = 0;
  std::size_t done = 0;
  for (const TPntLine& line : contents.Lines) {
    try {
      AddLine(db, kind, stem + " " + std::to_string(line.Header), line, date);
    } catch (const std::exception& e) {
      throw std::runtime_error(WithoutComponentPrefix(e.what()) + " (" + std::to_string(done) +
                               " lines imported before)");
    }
    points += static_cast<long>(line.Points.size());
    ++done;
    bar.Update(50 + static_cast<int>(done * 50 / contents.Lines.size()));
  }
  session.Finish();
  Context.Out << "imported " << done << (done == 1 ? " line" : " lines") << ", " << points << " points, from "
              << contents.Records << " records";
  if (contents.AntimeridianSplits > 0) Context.Out << "; " << contents.AntimeridianSplits << " cut at 180 degrees";
  if (contents.DroppedPoints > 0)
    Context.Out << "; " << contents.DroppedPoints << " points below level " << Setup.MinLevel << " left out";
  if (contents.ShortLines > 0) Context.Out << "; " << contents.ShortLines << " lines of one point skipped";
  Context.Out << '\n';
  return ExitOk;
}

}  // namespace

void RegisterDbImportPntCommand(CLI::App& Db, TCliContext& Context) {
  auto setup = std::make_shared<TPntSetup>();
  CLI::App* import = AddDbCommand(Db, Context, "import-pnt", "Add the lines of an MWDB-II vector file (.PNT)",
                                  [&Context, setup] { return ImportPnt(Context, *setup); });
  import->add_option("DB", setup->Name, "The database")->required();
  import->add_option("FILE", setup->Source, "The PNT file")->required();
  import->add_option("--kind", setup->Kind, "Item kind of the lines: border, lake, river, road, route, city")
      ->type_name("KIND");
  import->add_option("--min-level", setup->MinLevel,
                     "Leave out points of a finer detail level than this (1 finest, keeps all .. 5 coarsest)")
      ->type_name("L");
  import->add_flag("--progress", setup->Progress, "Show a progress bar even when standard error is not a terminal");
  SetHelpText(*import,
              "Each line of the file becomes one item named after the file and the line's header "
              "(\"PCOAST 1001\"), its Tag the header, its bounding box from its points; a line whose ends meet "
              "is stored closed. A line crossing the antimeridian is cut there into two items. Positions are "
              "stored in degrees (the file holds arc-minutes).\n"
              "A file that is not a whole number of records, or holds a position out of range, is refused "
              "before anything is added (exit code 1).");
}

}  // namespace orq::cli
