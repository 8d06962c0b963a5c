// TSymbolRepository: a numbered list of named landmark symbols, a palette an
// application offers for its landmarks. Entries are numbered from 1.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "orqbase/BoundedString.h"
#include "orqcarta/geomap/Records.h"
#include "orqplatform/Components.h"

namespace orq {

class TTextFile;

struct TSymbol {
  TSymbolProperties Properties;
  TBoundedString<40> Name;
  int Category = 0;
  friend bool operator==(const TSymbol&, const TSymbol&) = default;
};

// Kind lmCross, size 8, black on red, opaque, direction 90, length 40, no
// name, category 0.
TSymbol DefaultSymbolRecord();

class TSymbolRepository : public TComponent {
 public:
  // Slots a new or freshly read list holds.
  static constexpr int InitialCapacity = 1000;

  explicit TSymbolRepository(TComponent* AOwner = nullptr);
  ~TSymbolRepository() override;

  std::string ClassName() const override { return "TSymbolRepository"; }

  int NumEntries() const { return FNEntries; }
  // A negative count is ignored; new entries are all zero (kind lmPlus).
  void SetNEntries(int value);
  void SetNumEntries(int value) { SetNEntries(value); }
  // Entry ix (1..NumEntries); outside that range reading gives
  // DefaultSymbolRecord and writing is ignored.
  TSymbol GetValues(int ix) const;
  void SetValues(int ix, const TSymbol& value);
  TSymbol Symbols(int ix) const { return GetValues(ix); }
  void SetSymbols(int ix, const TSymbol& value) { SetValues(ix, value); }

  void Backup();
  // Back to the list at the last Backup (empty without one).
  void Restore();
  // Every entry becomes DefaultSymbolRecord; the count stays.
  void Clear();

  // From another repository: both then share the entry tables, so an entry
  // written through one is seen by the other until either changes its
  // table's length (which gives that repository a table of its own). Other
  // sources go to the base class.
  void Assign(TPersistent* Source) override;
  void AssignTo(TPersistent* Dest) override;

  // Creates or overwrites FName with one block DataID. Raises EInOutError.
  void StoreOnFile(const std::string& FName, const std::string& DataID);
  // Reads the block DataID (the first with an empty DataID) from the file's
  // position; false with the list unchanged when there is none. Kinds
  // lmPlus and lmUserDef come back as lmCross.
  bool ReadFromOpenXMLFile(TTextFile& InFile, const std::string& DataID);
  // False when the file cannot be opened or holds no such block.
  bool LoadFromFile(const std::string& FName, const std::string& DataID);

  // Slots of the entry table (tests).
  int Capacity() const { return static_cast<int>(FSymbols->size()); }

 private:
  using TTable = std::vector<TSymbol>;
  // A table of exactly Count slots; shared tables are left to their other owner.
  void ResizeTable(std::shared_ptr<TTable>& Table, int Count);

  std::shared_ptr<TTable> FSymbols;
  int FNEntries = 0;
  std::shared_ptr<TTable> FSymbolsBak;
  int FNEntriesBak = 0;
};

}  // namespace orq
