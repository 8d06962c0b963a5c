// TGeoDB: lifetime, opening and closing, the header, lazy writing, progress.
#include <algorithm>
#include <climits>
#include <cmath>

#include "ByteLayout.h"
#include "FileIO.h"
#include "SpatialIndex.h"
#include "orqbase/StringUtils.h"
#include "orqcarta/Orq_GeoDB.h"
#include "orqplatform/FileUtils.h"

namespace orq {

using namespace gdb_detail;

namespace {

const char* const kIndexExt[5] = {".orqgi0", ".orqgi1", ".orqgi2", ".orqgi3", ".orqgi4"};

// Opens Path read-only, creating it empty when it cannot be opened.
std::unique_ptr<TGdbFile> OpenOrCreate(const std::string& Path, bool& Created) {
  Created = false;
  if (auto f = TGdbFile::TryOpen(Path, TGdbFile::fmRead)) return f;
  TGdbFile(Path, TGdbFile::fmCreate).Close();
  Created = true;
  return std::make_unique<TGdbFile>(Path, TGdbFile::fmRead);
}

// Reads all whole 8-byte records of an index file. A trailing partial record
// (a file cut short) is ignored.
template <typename Rec>
std::vector<Rec> LoadIndexFile(const std::string& Path) {
  bool created;
  auto f = OpenOrCreate(Path, created);
  const int64_t count = std::min<int64_t>(f->Size() / kIxRecSize, INT32_MAX);
  std::vector<uint8_t> bytes(static_cast<size_t>(count) * kIxRecSize);
  const int64_t got = f->ReadAt(0, bytes.data(), static_cast<int64_t>(bytes.size()));
  std::vector<Rec> out(static_cast<size_t>(got / kIxRecSize));
  for (size_t i = 0; i < out.size(); ++i) DecodeIx(bytes.data() + i * kIxRecSize, out[i]);
  f->Close();
  return out;
}

}  // namespace

TGeoDB::TGeoDB(TComponent* AOwner) : TComponent(AOwner), FSpatial(std::make_unique<TSpatialIndex>()) {}

TGeoDB::~TGeoDB() {
  FNumSumItems = 0;
  // A destructor cannot report a failed save; the indexes can be rebuilt
  // from the summary with RecalcIndexes.
  try {
    ReleaseHeldFiles();
    if (FLazyWrite) SaveAllIndexes();
  } catch (...) {
  }
}

TFileLease TGeoDB::DataFileForWriting() { return TFileLease(FLazyWrite ? &FHeldGDD : nullptr, FNameGDD); }
TFileLease TGeoDB::SummaryFileForWriting() { return TFileLease(FLazyWrite ? &FHeldGDS : nullptr, FNameGDS); }

void TGeoDB::ReleaseHeldFiles() {
  // Both are released even when closing the first fails.
  std::unique_ptr<TGdbFile> gdd = std::move(FHeldGDD), gds = std::move(FHeldGDS);
  if (gdd) gdd->Close();
  if (gds) gds->Close();
}

void TGeoDB::Progress(int Percent) {
  if (FOnPercentDone && FOnPercDoneEnabled) FOnPercentDone(this, Percent);
}

void TGeoDB::Fail(const std::string& What) const {
  throw EOrqGeoDBError("Component \"" + Name() + "\": " + What);
}

std::string TGeoDB::DBName() const { return StripExtension(FNameGDS); }

void TGeoDB::SetDBName(const std::string& value) {
  ReleaseHeldFiles();
  if (value.empty()) {
    if (FLazyWrite) SaveAllIndexes();
    FNameIX = {};
    FLazyWrite = false;
    ClearState();
    return;
  }
  // The open database's deferred index changes would be lost otherwise.
  if (IsOpen() && FLazyWrite) SaveAllIndexes();
  OpenDatabase(StripExtension(value));
}

void TGeoDB::ClearState() {
  FSystemData = TgdbSystemData();
  FNameGDS.clear();
  FNameGDD.clear();
  FNameIX = {};
  FNumSumItems = 0;
  FSumData.clear();
  FIx0ItemId.clear();
  FIx1LatLo.clear();
  FIx2LatHi.clear();
  FIx3LongLo.clear();
  FIx4LongHi.clear();
  FIndexesUnsorted = false;
  FMaxItemId = 0;
  FSpatial->Reset();
}

void TGeoDB::OpenDatabase(const std::string& Base) {
  RecoverInterruptedCollection(Base);
  // Everything is read into locals first, so that a failure leaves no mix of
  // two databases behind: the component is then closed.
  std::array<std::string, 5> ixNames;
  for (int d = 0; d < 5; ++d) ixNames[static_cast<size_t>(d)] = Base + kIndexExt[d];
  try {
    std::vector<TIxLLRec> bounds[4];
    for (int d = 1; d <= 4; ++d) bounds[d - 1] = LoadIndexFile<TIxLLRec>(ixNames[static_cast<size_t>(d)]);
    std::vector<TIxItemIDRec> ids = LoadIndexFile<TIxItemIDRec>(ixNames[0]);

    // A data file created for a summary that already exists starts from a
    // fresh header, never from the one of a database opened before.
    TgdbSystemData header;
    const std::string gds = Base + ".orqgds";
    bool created;
    auto sf = OpenOrCreate(gds, created);
    if (created) header = TgdbSystemData();
    const int64_t count = std::min<int64_t>(sf->Size() / kSumRecSize, INT32_MAX);
    std::vector<uint8_t> bytes(static_cast<size_t>(count) * kSumRecSize);
    const int64_t got = sf->ReadAt(0, bytes.data(), static_cast<int64_t>(bytes.size()));
    sf->Close();
    std::vector<TgdbData> items(static_cast<size_t>(got / kSumRecSize));
    int32_t maxId = 0;
    for (size_t i = 0; i < items.size(); ++i) {
      items[i] = DecodeGdbData(bytes.data() + i * kSumRecSize);
      maxId = std::max(maxId, items[i].ItemId);
    }
    bytes = {};

    const std::string gdd = Base + ".orqgdd";
    uint8_t raw[kHeaderSize] = {};
    if (auto df = TGdbFile::TryOpen(gdd, TGdbFile::fmRead)) {
      // A data file cut inside its header reads as zeros beyond its end.
      df->ReadAt(0, raw, kHeaderSize);
      df->Close();
      header = DecodeSystemData(raw);
    } else {
      TGdbFile nf(gdd, TGdbFile::fmCreate);
      EncodeSystemData(header, raw);
      nf.WriteAt(0, raw, kHeaderSize);
      nf.Close();
    }

    FNameIX = ixNames;
    FIx1LatLo = std::move(bounds[0]);
    FIx2LatHi = std::move(bounds[1]);
    FIx3LongLo = std::move(bounds[2]);
    FIx4LongHi = std::move(bounds[3]);
    FIx0ItemId = std::move(ids);
    FNameGDS = gds;
    FNameGDD = gdd;
    FSumData = std::move(items);
    FNumSumItems = static_cast<int>(FSumData.size());
    FSystemData = header;
    FMaxItemId = maxId;
    FIndexesUnsorted = false;
    FSpatial->Reset();
  } catch (...) {
    FLazyWrite = false;
    ClearState();
    throw;
  }
}

void TGeoDB::WriteHeader(const char* Caller) {
  uint8_t raw[kHeaderSize];
  EncodeSystemData(FSystemData, raw);
  try {
    TFileLease f = DataFileForWriting();
    f->WriteAt(0, raw, kHeaderSize);
    f.Close();
  } catch (const EInOutError&) {
    Fail(std::string(Caller) + ": cannot open database.");
  }
}

void TGeoDB::SetDescription(const std::string& value) {
  if (!IsOpen()) return;
  FSystemData.Description = CutToChars(value, kDescriptionStored);
  WriteHeader("SetDescription");
}

void TGeoDB::SetRevision(int value) {
  if (!IsOpen()) return;
  FSystemData.Revision = value;
  WriteHeader("SetRevision");
}

void TGeoDB::SetLazyWrite(bool value) {
  if (value == FLazyWrite) return;
  FLazyWrite = value;
  if (!value) {
    ReleaseHeldFiles();
    SaveAllIndexes();
  }
}

void TGeoDB::WriteSummaryRecord(int Slot, const TgdbData& Rec) {
  uint8_t raw[kSumRecSize];
  EncodeGdbData(Rec, raw);
  TFileLease f = SummaryFileForWriting();
  // Written at its slot rather than at the end of the file, so that a torn
  // record left by an interrupted write is overwritten, never kept.
  f->WriteAt(static_cast<int64_t>(Slot) * kSumRecSize, raw, kSumRecSize);
  f.Close();
}

bool TGeoDB::SlotOf(int DbEntry, int& Slot) const {
  if (!IsOpen() || DbEntry < 1 || DbEntry > FNumSumItems) return false;
  Slot = DbEntry - 1;
  return true;
}

bool TGeoDB::RetrievalSlot(int DBEntry, int& Slot) const {
  if (!IsOpen()) return false;
  Slot = std::max(DBEntry - 1, 0);
  return Slot < FNumSumItems;
}

TgdbSystemInformation ReadSystemInformation(const std::string& FileName) {
  const std::string base = StripExtension(FileName);
  const std::string gdd = base + ".orqgdd";
  TGdbFile f(gdd, TGdbFile::fmRead);
  uint8_t raw[kHeaderSize];
  if (f.ReadAt(0, raw, kHeaderSize) < kHeaderSize) RaiseInOut("Not a database data file (shorter than its header):", gdd, 0);
  f.Close();
  const TgdbSystemData h = DecodeSystemData(raw);
  TgdbSystemInformation info;
  info.Description = h.Description;
  info.Revision = h.Revision;
  info.DBVersion = h.DBVersion;
  info.HighestID = h.HighestID;
  const int64_t size = FileSize(base + ".orqgds");
  info.NumEntries = size > 0 ? static_cast<int32_t>(std::min<int64_t>(size / kSumRecSize, INT32_MAX)) : 0;
  return info;
}

}  // namespace orq
