// What every `orqcarta db` command shares: finding the files of a database
// named on the command line, opening it without ever creating one by
// accident, wiring the progress bar, and reading item references, kinds and
// numbers from arguments.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "db_progress.h"
#include "orqcarta/Orq_GeoDB.h"

namespace orq::cli {

// The seven file names of a database. The name may be the base or any of the
// database's file names: its extension goes, as when the database opens it.
struct TDbFiles {
  std::string Base;

  static TDbFiles For(const std::string& Name);
  std::string Data() const { return Base + ".orqgdd"; }
  std::string Summary() const { return Base + ".orqgds"; }
  // d = 0 for the item-ID index, 1..4 for the bound indexes.
  std::string Index(int d) const { return Base + ".orqgi" + std::to_string(d); }
  // True when any of the seven files exists.
  bool AnyExists() const;
};

// An existing database opened for one command. Opening a missing database
// would silently create an empty one, so a missing data or summary file is
// refused with a runtime_error instead. A database opened for writing whose
// index files do not match its summary (a crash, a file copied alone) gets
// its indexes rebuilt first, with a note on Err.
class TDbSession {
 public:
  enum TAccess { daRead, daWrite };
  TDbSession(const std::string& Name, TAccess Access, std::ostream& Err, std::string_view Command,
             bool ShowProgress = false);
  ~TDbSession();

  TGeoDB& Db() { return *FDb; }
  const TDbFiles& Files() const { return FFiles; }
  TProgressBar& Progress() { return FProgress; }
  // Saves what LazyWrite held back and completes the bar; the database
  // stays open. Called when a command has succeeded, so that a failing save
  // is reported (the destructor saves too, but silently).
  void Finish();

 private:
  TDbFiles FFiles;
  TProgressBar FProgress;
  std::unique_ptr<TGeoDB> FDb;
};

// True when each index file holds one record per item.
bool IndexFilesMatch(const TDbFiles& Files, int NumEntries);

// The position of the item an argument names: a position 1..NumEntries, or
// with ById an ItemID. Throws EInputError when there is no such item.
int ResolveItem(const TGeoDB& Db, std::string_view Token, bool ById);

// An item kind by name ("town", "Border", case-insensitive) or ordinal 0..8.
// Throws EUsageError naming the kinds.
TgdbItem ParseKind(std::string_view Token);
// The kinds a polygon can be.
TgdbItem ParsePolygonKind(std::string_view Token);

// A finite decimal number; What names it in the error ("latitude").
double ParseNumberArgument(std::string_view What, std::string_view Token);
// A latitude in -90..90 / longitude in -180..180.
double ParseLatitudeArgument(std::string_view Token);
double ParseLongitudeArgument(std::string_view Token);

// A library message without its "Component "...": " prefix: the tool names
// the command itself.
std::string WithoutComponentPrefix(std::string_view Message);

// Characters of a UTF-8 text, as the database counts them when it cuts.
std::size_t CharacterCount(std::string_view Text);

// Warns on Err when Name is longer than the characters a TgdbName holds.
void WarnIfNameCut(std::ostream& Err, std::string_view Command, std::string_view Name);

}  // namespace orq::cli
