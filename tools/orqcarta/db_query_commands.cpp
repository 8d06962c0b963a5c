// Reading and removing items: list, find, region, get-blob, delete.
#include <sys/stat.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <ostream>
#include <set>
#include <utility>

#include "ErrorReport.h"
#include "db_commands.h"
#include "db_item_format.h"
#include "db_session.h"
#include "orqbase/StringUtils.h"

namespace orq::cli {

namespace {

struct TQuerySetup {
  std::string Name;
  std::string Kind;
  int ClassNumber = -1;  // -1: any class
  bool Tsv = false;
  std::string Pattern;
  std::vector<std::string> Window;
  std::vector<std::string> Items;
  bool ById = false;
  std::string OutputFile;
  bool MetaOnly = false;
  bool Progress = false;
};

std::optional<TgdbItem> KindFilter(const TQuerySetup& Setup) {
  if (Setup.Kind.empty()) return std::nullopt;
  return ParseKind(Setup.Kind);
}

TItemLayout Layout(const TQuerySetup& Setup) { return Setup.Tsv ? ilTabSeparated : ilTable; }

void AddListingOptions(CLI::App& Command, TQuerySetup& Setup) {
  Command.add_option("--kind", Setup.Kind, "Only items of this kind (town, border, city, lake, river, road, route, "
                                           "blob, undefined)");
  Command.add_flag("--tsv", Setup.Tsv, "Tab-separated fields without a heading, for programs");
}

int List(TCliContext& Context, const TQuerySetup& Setup) {
  const auto kind = KindFilter(Setup);
  TDbSession session(Setup.Name, TDbSession::daRead, Context.Err, DbCommandName("list"));
  const TGeoDB& db = session.Db();
  std::vector<int> positions;
  for (int p = 1; p <= db.NumEntries(); ++p)
    if (!kind || db.Data(p).ItemKind == *kind) positions.push_back(p);
  WriteItems(Context.Out, db, positions, Layout(Setup));
  return ExitOk;
}

// SearchData finds items of one kind and class at a time; without such
// filters every kind and class present is searched and the hits merged.
int Find(TCliContext& Context, const TQuerySetup& Setup) {
  const auto kind = KindFilter(Setup);
  TDbSession session(Setup.Name, TDbSession::daRead, Context.Err, DbCommandName("find"));
  const TGeoDB& db = session.Db();
  std::set<std::pair<int, int>> groups;  // (kind, class) present in the database
  for (int p = 1; p <= db.NumEntries(); ++p) {
    const TgdbData d = db.Data(p);
    if (kind && d.ItemKind != *kind) continue;
    if (Setup.ClassNumber >= 0 && d.ClassFlag != Setup.ClassNumber) continue;
    groups.insert({static_cast<int>(d.ItemKind), d.ClassFlag});
  }
  std::vector<int> positions;
  for (const auto& [itemKind, classNumber] : groups) {
    for (int start = 1;;) {
      std::string name = Setup.Pattern;
      const int found =
          db.SearchData(name, static_cast<TgdbItem>(itemKind), start, static_cast<uint8_t>(classNumber));
      if (found == 0) break;
      positions.push_back(found);
      start = found + 1;
    }
  }
  std::sort(positions.begin(), positions.end());
  WriteItems(Context.Out, db, positions, Layout(Setup));
  return ExitOk;
}

int Region(TCliContext& Context, const TQuerySetup& Setup) {
  const double latLow = ParseLatitudeArgument(Setup.Window[0]), latHigh = ParseLatitudeArgument(Setup.Window[1]);
  const double longLow = ParseLongitudeArgument(Setup.Window[2]), longHigh = ParseLongitudeArgument(Setup.Window[3]);
  if (latLow > latHigh) throw EInputError("the low latitude " + Setup.Window[0] + " is above the high one");
  const auto kind = KindFilter(Setup);
  TDbSession session(Setup.Name, TDbSession::daRead, Context.Err, DbCommandName("region"));
  const TGeoDB& db = session.Db();
  std::vector<int> positions;
  if (longLow <= longHigh) {
    positions = db.FindItemsInRegion(latLow, latHigh, longLow, longHigh);
  } else {
    // A window across the 180th meridian is the two windows either side.
    positions = db.FindItemsInRegion(latLow, latHigh, longLow, 180);
    const std::vector<int> west = db.FindItemsInRegion(latLow, latHigh, -180, longHigh);
    positions.insert(positions.end(), west.begin(), west.end());
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
  }
  if (kind) std::erase_if(positions, [&](int p) { return db.Data(p).ItemKind != *kind; });
  WriteItems(Context.Out, db, positions, Layout(Setup));
  return ExitOk;
}

bool IsDirectory(const std::string& Path) {
  struct stat st {};
  return ::stat(Path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

int GetBlob(TCliContext& Context, const TQuerySetup& Setup) {
  TDbSession session(Setup.Name, TDbSession::daRead, Context.Err, DbCommandName("get-blob"),
                     ShouldShowProgress(Setup.Progress) && !Setup.MetaOnly);
  TGeoDB& db = session.Db();
  const int position = ResolveItem(db, Setup.Items.front(), Setup.ById);
  const TgdbData item = db.Data(position);
  if (item.ItemKind != gitBLOB)
    throw EInputError("item " + std::to_string(position) + " is a " + KindName(item.ItemKind) + ", not a BLOB");
  const std::string incomplete = "the data file ends inside the BLOB of item " + std::to_string(position);

  TMetaInfo meta;
  if (Setup.MetaOnly) {
    if (!db.GetMetaInfo(position, meta)) throw std::runtime_error(incomplete);
    Context.Out << "Name: " << Printable(item.Name.str(), 1000) << '\n' << "Size: " << item.Size << '\n';
    WriteMetaInfo(Context.Out, meta);
    return ExitOk;
  }
  if (!Setup.OutputFile.empty()) {
    std::string path = Setup.OutputFile;
    // Into a directory under the item's name, made safe as a file name.
    if (IsDirectory(path) || path.back() == '/') {
      const std::string file = ReduceStringToFN83CompliantChars(item.Name.str());
      if (file.empty()) throw EInputError("the item's name gives no file name; name the output file");
      if (path.back() != '/') path += '/';
      path += file;
    }
    if (!db.RetrieveBLOB(position, path, meta)) {
      std::remove(path.c_str());  // a cut copy must not pass for the BLOB
      throw std::runtime_error(incomplete);
    }
    session.Finish();
    return ExitOk;
  }
  TMemoryStream data;
  if (!db.RetrieveBLOB(position, meta, &data)) throw std::runtime_error(incomplete);
  session.Finish();
  Context.Out.write(static_cast<const char*>(data.Memory()), static_cast<std::streamsize>(data.Size()));
  return ExitOk;
}

int Delete(TCliContext& Context, const TQuerySetup& Setup) {
  TDbSession session(Setup.Name, TDbSession::daWrite, Context.Err, DbCommandName("delete"));
  TGeoDB& db = session.Db();
  // Positions change with every delete, ItemIDs never: all arguments are
  // checked and turned into ItemIDs before anything is deleted.
  std::vector<int> ids;
  for (const std::string& token : Setup.Items) {
    const int id = db.Data(ResolveItem(db, token, Setup.ById)).ItemId;
    if (std::find(ids.begin(), ids.end(), id) == ids.end()) ids.push_back(id);
  }
  db.SetLazyWrite(ids.size() > 1);
  for (int id : ids) {
    const int position = db.SearchForItemID(id);
    const TgdbData item = db.Data(position);
    const int last = db.NumEntries();
    const int movedId = db.Data(last).ItemId;
    db.DeleteData(position);
    Context.Out << "deleted position " << position << ": ItemID " << id << ", " << KindName(item.ItemKind) << " \""
                << Printable(item.Name.str(), 100) << "\"\n";
    if (position != last)
      Context.Out << "  ItemID " << movedId << " moved from position " << last << " to " << position << '\n';
  }
  session.Finish();
  return ExitOk;
}

}  // namespace

void RegisterDbQueryCommands(CLI::App& Db, TCliContext& Context) {
  auto setup = std::make_shared<TQuerySetup>();
  const std::string columns =
      "Columns: POS ITEMID KIND CLASS LATLOW LATHIGH LONGLOW LONGHIGH NAME, the bounding box in degrees.";

  CLI::App* list = AddDbCommand(Db, Context, "list", "List the items",
                                [&Context, setup] { return List(Context, *setup); });
  list->add_option("DB", setup->Name, "The database")->required();
  AddListingOptions(*list, *setup);
  SetHelpText(*list, columns);

  CLI::App* find = AddDbCommand(Db, Context, "find", "Find items by name",
                                [&Context, setup] { return Find(Context, *setup); });
  find->add_option("DB", setup->Name, "The database")->required();
  find->add_option("PATTERN", setup->Pattern, "Name pattern: * any characters, ? one character; case is ignored")
      ->required();
  AddListingOptions(*find, *setup);
  find->add_option("--class", setup->ClassNumber, "Only items of this class (0..255)")->check(CLI::Range(0, 255));
  SetHelpText(*find, "The pattern must match the whole name: \"bern\" finds Bern, \"bern*\" also Bernau. Quote "
                     "patterns with * or ? so that the shell leaves them alone.\n" + columns);

  CLI::App* region = AddDbCommand(Db, Context, "region", "Find the items whose bounding box meets a window",
                                  [&Context, setup] { return Region(Context, *setup); });
  region->add_option("DB", setup->Name, "The database")->required();
  region->add_option("WINDOW", setup->Window, "LATLOW LATHIGH LONGLOW LONGHIGH, degrees")->expected(4)->required();
  AddListingOptions(*region, *setup);
  SetHelpText(*region, "Boxes that only touch the window count. A LONGLOW east of LONGHIGH makes a window across "
                       "the 180th meridian. Negative values starting with \"-.\" need \"--\" before the "
                       "arguments.\n" + columns);

  CLI::App* get = AddDbCommand(Db, Context, "get-blob", "Write a BLOB's data to a file or standard output",
                               [&Context, setup] { return GetBlob(Context, *setup); });
  get->add_option("DB", setup->Name, "The database")->required();
  get->add_option("ITEM", setup->Items, "Position of the BLOB (an ItemID with --id)")->expected(1)->required();
  get->add_flag("--id", setup->ById, "ITEM is an ItemID");
  get->add_option("-o,--output", setup->OutputFile,
                  "Write to this file; to a directory under the item's name (default: standard output)");
  get->add_flag("--meta", setup->MetaOnly, "Print name, size and meta information instead of the data");
  get->add_flag("--progress", setup->Progress, "Show a progress bar even when standard error is not a terminal");

  CLI::App* del = AddDbCommand(Db, Context, "delete", "Delete items",
                               [&Context, setup] { return Delete(Context, *setup); });
  del->add_option("DB", setup->Name, "The database")->required();
  del->add_option("ITEM", setup->Items, "Positions of the items (ItemIDs with --id)")->required();
  del->add_flag("--id", setup->ById, "The ITEMs are ItemIDs");
  SetHelpText(*del,
              "The last item moves into the place of a deleted one, so positions change; ItemIDs do not. "
              "The payloads stay in the data file until 'orqcarta db gc'.");
}

}  // namespace orq::cli
