// Adding single items: add-town, add-polygon, add-blob.
#include <sys/stat.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cmath>
#include <fstream>
#include <istream>
#include <limits>
#include <memory>
#include <ostream>

#include "ErrorReport.h"
#include "LineInput.h"
#include "PositionFields.h"
#include "db_commands.h"
#include "db_session.h"
#include "orqplatform/DateTime.h"

namespace orq::cli {

namespace {

// What every added item may carry besides its name and shape.
struct TItemFields {
  std::string Altitude;  // text, so that a bad value is an input error with its text
  int ClassNumber = 0;
  int Tag = 0;
  int StateFlag = 0;
};

struct TAddSetup {
  std::string Name;  // the database
  std::string ItemName;
  std::string Latit, Longit;
  std::string Kind;
  std::string Source;  // points or BLOB file; "-" or empty: standard input
  bool Closed = false;
  std::vector<std::string> Box;
  std::string Origin;
  std::string Keywords, Caption, Descriptor, Comment;
  bool Progress = false;
  TItemFields Fields;
};

void AddItemOptions(CLI::App& Command, TItemFields& Fields) {
  Command.add_option("--altitude", Fields.Altitude, "Altitude (any unit; stored as given)")->type_name("NUMBER");
  Command.add_option("--class", Fields.ClassNumber, "Class number 0..255 (default 0)")->check(CLI::Range(0, 255));
  Command.add_option("--tag", Fields.Tag, "User tag, a 32-bit integer (default 0)");
  Command.add_option("--state", Fields.StateFlag, "State flags, a 32-bit integer (default 0)");
}

float Altitude(const TItemFields& Fields) {
  if (Fields.Altitude.empty()) return 0;
  const double value = ParseNumberArgument("altitude", Fields.Altitude);
  if (std::abs(value) > std::numeric_limits<float>::max())
    throw EInputError("altitude " + Fields.Altitude + " out of range");
  return static_cast<float>(value);
}

// Items are found by name; one without a name could only be found by position.
void CheckItemName(const std::string& Name) {
  if (Name.find_first_not_of(" \t") == std::string::npos) throw EInputError("the item name is empty");
}

void ReportAdded(std::ostream& Out, const TGeoDB& Db, int Position) {
  const TgdbData d = Db.Data(Position);
  Out << "added \"" << Printable(d.Name.str(), 100) << "\": position " << Position << ", ItemID " << d.ItemId << '\n';
}

int AddTown(TCliContext& Context, const TAddSetup& Setup) {
  const std::string command = DbCommandName("add-town");
  const TSCoords location{static_cast<float>(ParseLatitudeArgument(Setup.Latit)),
                          static_cast<float>(ParseLongitudeArgument(Setup.Longit))};
  const float altitude = Altitude(Setup.Fields);
  CheckItemName(Setup.ItemName);
  WarnIfNameCut(Context.Err, command, Setup.ItemName);
  TDbSession session(Setup.Name, TDbSession::daWrite, Context.Err, command);
  std::string name = Setup.ItemName;
  const int position = session.Db().AddTown(name, Now(), Setup.Fields.StateFlag, location, altitude,
                                            static_cast<uint8_t>(Setup.Fields.ClassNumber), Setup.Fields.Tag);
  session.Finish();
  ReportAdded(Context.Out, session.Db(), position);
  return ExitOk;
}

// Reads "lat long" lines; every bad line is reported, and any bad line
// refuses the whole polygon: a shape with a point missing is a wrong shape.
std::vector<TSCoords> ReadPoints(std::istream& In, std::ostream& Err, const std::string& Command) {
  std::vector<TSCoords> points;
  bool bad = false;
  long number = 0;
  for (std::string line; std::getline(In, line);) {
    ++number;
    if (IsPassThroughLine(line)) continue;
    try {
      const auto fields = SplitFields(line);
      const std::vector<double> values = FieldsAsNumbers(fields, 2, 2, "latitude longitude");
      CheckLatitude(values[0]);
      CheckLongitude(values[1]);
      points.push_back({static_cast<float>(values[0]), static_cast<float>(values[1])});
    } catch (const EInputError& e) {
      ReportLineError(Err, Command, number, e.what(), line);
      bad = true;
    }
  }
  if (In.bad()) throw std::runtime_error("cannot read the points");
  if (bad) throw EInputError("no polygon added");
  if (points.empty()) throw EInputError("no points given; a polygon needs at least one \"lat long\" line");
  return points;
}

int AddPolygon(TCliContext& Context, const TAddSetup& Setup) {
  const std::string command = DbCommandName("add-polygon");
  const TgdbItem kind = ParsePolygonKind(Setup.Kind);
  // Lakes are always closed lines, rivers, roads and routes never.
  if (Setup.Closed && kind != gitBorder && kind != gitCity && kind != gitLake)
    throw EUsageError(std::string("a ") + GDB_ITEMNAMES[kind] + " is always stored open; --closed applies to " +
                      "borders and cities");
  const float altitude = Altitude(Setup.Fields);
  CheckItemName(Setup.ItemName);
  WarnIfNameCut(Context.Err, command, Setup.ItemName);

  std::vector<TSCoords> points;
  if (Setup.Source.empty() || Setup.Source == "-") {
    points = ReadPoints(Context.In, Context.Err, command);
  } else {
    std::ifstream in(Setup.Source);
    if (!in) throw std::runtime_error("cannot open the points file " + Printable(Setup.Source));
    points = ReadPoints(in, Context.Err, command);
  }

  TDbSession session(Setup.Name, TDbSession::daWrite, Context.Err, command, ShouldShowProgress(Setup.Progress));
  TGeoDB& db = session.Db();
  std::string name = Setup.ItemName;
  const double date = Now();
  const auto cls = static_cast<uint8_t>(Setup.Fields.ClassNumber);
  const int state = Setup.Fields.StateFlag, tag = Setup.Fields.Tag;
  // The bounding box is computed from the points; the box passed is unused.
  int position = -1;
  switch (kind) {
    case gitBorder: position = db.AddBorder(name, points, Setup.Closed, date, state, 0, 0, 0, 0, altitude, cls, tag); break;
    case gitCity: position = db.AddCity(name, points, Setup.Closed, date, state, 0, 0, 0, 0, altitude, cls, tag); break;
    case gitLake: position = db.AddLake(name, points, date, state, 0, 0, 0, 0, altitude, cls, tag); break;
    case gitRiver: position = db.AddRiver(name, points, date, state, 0, 0, 0, 0, altitude, cls, tag); break;
    case gitRoad: position = db.AddRoad(name, points, date, state, 0, 0, 0, 0, altitude, cls, tag); break;
    default: position = db.AddRoute(name, points, date, state, 0, 0, 0, 0, altitude, cls, tag); break;
  }
  session.Finish();
  ReportAdded(Context.Out, db, position);
  return ExitOk;
}

struct TBox {
  float LatLow = 0, LatHigh = 0, LongLow = 0, LongHigh = 0;
};

TBox ParseBox(const std::vector<std::string>& Values) {
  if (Values.empty()) return {};
  const double latLow = ParseLatitudeArgument(Values[0]), latHigh = ParseLatitudeArgument(Values[1]);
  const double longLow = ParseLongitudeArgument(Values[2]), longHigh = ParseLongitudeArgument(Values[3]);
  if (latLow > latHigh) throw EInputError("--box: the low latitude is above the high one");
  if (longLow > longHigh) throw EInputError("--box: the low longitude is east of the high one");
  return {static_cast<float>(latLow), static_cast<float>(latHigh), static_cast<float>(longLow),
          static_cast<float>(longHigh)};
}

void SetMetaText(std::ostream& Err, const std::string& Command, const char* Field, const std::string& Value,
                 std::size_t Limit, auto& Target) {
  if (CharacterCount(Value) > Limit)
    ReportError(Err, Command, std::string(Field) + " cut to " + std::to_string(Limit) + " characters");
  Target = Value;
}

bool IsRegularFile(const std::string& Path) {
  struct stat st {};
  return ::stat(Path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

int AddBlob(TCliContext& Context, const TAddSetup& Setup) {
  const std::string command = DbCommandName("add-blob");
  const bool fromStdin = Setup.Source == "-";
  if (fromStdin && Setup.ItemName.empty()) throw EUsageError("a BLOB from standard input needs --name");
  // Checked here: the database would only find out after it has given out
  // an ItemID.
  if (!fromStdin && !IsRegularFile(Setup.Source))
    throw std::runtime_error("cannot read " + Printable(Setup.Source) + ": not an existing file");
  const TBox box = ParseBox(Setup.Box);
  const float altitude = Altitude(Setup.Fields);
  TMetaInfo meta;
  SetMetaText(Context.Err, command, "keywords", Setup.Keywords, 255, meta.Keywords);
  SetMetaText(Context.Err, command, "caption", Setup.Caption, 127, meta.Caption);
  SetMetaText(Context.Err, command, "descriptor", Setup.Descriptor, 255, meta.Descriptor);
  SetMetaText(Context.Err, command, "comment", Setup.Comment, 255, meta.Comment);
  if (!Setup.ItemName.empty()) WarnIfNameCut(Context.Err, command, Setup.ItemName);

  TMemoryStream data;
  if (fromStdin) {
    std::string bytes{std::istreambuf_iterator<char>(Context.In), std::istreambuf_iterator<char>()};
    if (Context.In.bad()) throw std::runtime_error("cannot read standard input");
    data.Write(bytes.data(), static_cast<int64_t>(bytes.size()));
  }

  TDbSession session(Setup.Name, TDbSession::daWrite, Context.Err, command, ShouldShowProgress(Setup.Progress));
  TGeoDB& db = session.Db();
  const auto cls = static_cast<uint8_t>(Setup.Fields.ClassNumber);
  const int state = Setup.Fields.StateFlag, tag = Setup.Fields.Tag;
  int position = -1;
  if (fromStdin) {
    meta.FilePath = Setup.Origin;
    position = db.AddBLOB(Setup.ItemName, Now(), state, box.LatLow, box.LatHigh, box.LongLow, box.LongHigh, altitude,
                          cls, tag, meta, &data);
  } else if (!Setup.Origin.empty()) {
    const std::string nameInDb = Setup.ItemName.empty() ? Setup.Source : Setup.ItemName;
    position = db.AddBLOB(Setup.Source, nameInDb, Setup.Origin, 0, state, box.LatLow, box.LatHigh, box.LongLow,
                          box.LongHigh, altitude, cls, tag, meta);
  } else if (!Setup.ItemName.empty()) {
    position = db.AddBLOB(Setup.Source, Setup.ItemName, 0, state, box.LatLow, box.LatHigh, box.LongLow, box.LongHigh,
                          altitude, cls, tag, meta);
  } else {
    position = db.AddBLOB(Setup.Source, 0, state, box.LatLow, box.LatHigh, box.LongLow, box.LongHigh, altitude, cls,
                          tag, meta);
  }
  session.Finish();
  ReportAdded(Context.Out, db, position);
  return ExitOk;
}

}  // namespace

void RegisterDbAddCommands(CLI::App& Db, TCliContext& Context) {
  auto setup = std::make_shared<TAddSetup>();

  CLI::App* town = AddDbCommand(Db, Context, "add-town", "Add a town at a position",
                                [&Context, setup] { return AddTown(Context, *setup); });
  town->add_option("DB", setup->Name, "The database")->required();
  town->add_option("NAME", setup->ItemName, "Name, at most 59 characters")->required();
  town->add_option("LAT", setup->Latit, "Latitude, degrees north")->required();
  town->add_option("LONG", setup->Longit, "Longitude, degrees east")->required();
  AddItemOptions(*town, setup->Fields);
  SetHelpText(*town, "Prints the new item's position and ItemID. A latitude or longitude starting with "
                     "\"-.\" needs \"--\" before the arguments.");

  CLI::App* polygon = AddDbCommand(Db, Context, "add-polygon", "Add a border, city, lake, river, road or route",
                                   [&Context, setup] { return AddPolygon(Context, *setup); });
  polygon->add_option("DB", setup->Name, "The database")->required();
  polygon->add_option("NAME", setup->ItemName, "Name, at most 59 characters")->required();
  polygon->add_option("KIND", setup->Kind, "border, city, lake, river, road or route")->required();
  polygon->add_option("POINTS", setup->Source, "File of \"lat long\" lines; - or none: standard input");
  polygon->add_flag("--closed", setup->Closed, "The outline is a closed line (borders and cities)");
  polygon->add_flag("--progress", setup->Progress, "Show a progress bar even when standard error is not a terminal");
  AddItemOptions(*polygon, setup->Fields);
  SetHelpText(*polygon,
              "One point a line, latitude then longitude in degrees, separated by blanks or a comma; empty "
              "lines and lines starting with # are skipped. A bad line is reported with its number and "
              "nothing is added. The bounding box is computed from the points. Lakes are always stored "
              "closed, rivers, roads and routes open.");

  CLI::App* blob = AddDbCommand(Db, Context, "add-blob", "Add a file (a scan, a photo ...) as a BLOB",
                                [&Context, setup] { return AddBlob(Context, *setup); });
  blob->add_option("DB", setup->Name, "The database")->required();
  blob->add_option("FILE", setup->Source, "The file to store; - for standard input (needs --name)")->required();
  blob->add_option("--name", setup->ItemName, "Item name (default: the file's name)");
  blob->add_option("--origin", setup->Origin, "File path to record in the meta information instead of FILE");
  blob->add_option("--keywords", setup->Keywords, "Keywords (at most 255 characters)");
  blob->add_option("--caption", setup->Caption, "Caption (at most 127 characters)");
  blob->add_option("--descriptor", setup->Descriptor, "Descriptor (at most 255 characters)");
  blob->add_option("--comment", setup->Comment, "Comment (at most 255 characters)");
  blob->add_option("--box", setup->Box, "Bounding box: LATLOW LATHIGH LONGLOW LONGHIGH (default all 0)")
      ->type_name("DEG")
      ->expected(4)
      ->allow_extra_args(false);
  blob->add_flag("--progress", setup->Progress, "Show a progress bar even when standard error is not a terminal");
  AddItemOptions(*blob, setup->Fields);
  SetHelpText(*blob, "The item's date is the file's modification time (now, for standard input).");
}

}  // namespace orq::cli
