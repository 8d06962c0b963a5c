// Adding, replacing, deleting and updating items.
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>

#include "ByteLayout.h"
#include "FileIO.h"
#include "SpatialIndex.h"
#include "orqcarta/Orq_GeoDB.h"
#include "orqplatform/FileUtils.h"

namespace orq {

using namespace gdb_detail;

namespace {

int RoundPercent(double Value) { return static_cast<int>(std::nearbyint(Value)); }

// Opens a BLOB's source before anything is written, so that a missing file
// (or a directory) costs neither an ItemID nor bytes in the data file.
std::unique_ptr<TGdbFile> OpenBlobSource(const std::string& Path) {
  auto file = std::make_unique<TGdbFile>(Path, TGdbFile::fmRead);
  if (!FileExists(Path)) RaiseInOut("Not a regular file:", Path, EISDIR);
  return file;
}

// A summary record from the fields the caller supplies; the payload fields
// are filled in when the payload is written.
TgdbData UserRecord(int32_t ItemId, const std::string& Name, TgdbItem Kind, uint8_t ClassNumber, double Date,
                    int32_t StateFlag, float LatLow, float LatHigh, float LongLow, float LongHigh, float Altitude,
                    int32_t UserTag) {
  TgdbData rec;
  rec.ItemId = ItemId;
  rec.Name = Name;
  rec.BlobOffset = -1;
  rec.ClassFlag = ClassNumber;
  rec.Tag = UserTag;
  rec.Altitude = Altitude;
  rec.StateFlag = StateFlag;
  rec.Date = Date;
  rec.ItemKind = Kind;
  rec.LatLow = LatLow;
  rec.LatHigh = LatHigh;
  rec.LongLow = LongLow;
  rec.LongHigh = LongHigh;
  return rec;
}

}  // namespace

void TGeoDB::WritePayload(TgdbData& Rec, const std::vector<TSCoords>& Polygon, bool ClosedLine,
                          const TMetaInfo& MInfo, const void* Data, int64_t DataSize, TGdbFile* Source,
                          const char* Caller) {
  const TgdbItem kind = Rec.ItemKind;
  const bool isBlob = kind == gitBLOB;
  if (!IsPolygonKind(kind) && !isBlob) return;  // towns, undefined: no payload

  if (IsPolygonKind(kind)) {
    Rec.Closed = ClosedLine;
    Rec.LatLow = 90;
    Rec.LatHigh = -90;
    Rec.LongLow = 180;
    Rec.LongHigh = -180;
    for (const TSCoords& c : Polygon) {
      Rec.LatLow = std::min(Rec.LatLow, c.Latit);
      Rec.LatHigh = std::max(Rec.LatHigh, c.Latit);
      Rec.LongLow = std::min(Rec.LongLow, c.Longit);
      Rec.LongHigh = std::max(Rec.LongHigh, c.Longit);
    }
  }
  int64_t payloadSize = 0;
  if (IsPolygonKind(kind)) {
    if (Polygon.size() > static_cast<size_t>(INT32_MAX / kPointSize)) Fail(std::string(Caller) + ": polygon too large.");
    payloadSize = static_cast<int64_t>(Polygon.size()) * kPointSize;
  } else if (Source) {
    DataSize = Source->Size();
    double modified;
    if (FileAge(Source->Path(), modified)) Rec.Date = modified;
  }
  if (isBlob && DataSize > INT32_MAX) Fail(std::string(Caller) + ": BLOB too large.");

  TFileLease f = DataFileForWriting();
  // Never below the header, even in a data file cut short.
  const int64_t offset = std::max<int64_t>(f->Size(), kHeaderSize);
  // Offsets are 32-bit in the summary: a payload beyond that could never be
  // found again.
  if (offset > INT32_MAX)
    Fail(std::string(Caller) + ": the data file is full.");
  Rec.BlobOffset = static_cast<int32_t>(offset);

  if (IsPolygonKind(kind)) {
    const int n = static_cast<int>(Polygon.size());
    Rec.NumPoints = n;
    std::vector<uint8_t> bytes(static_cast<size_t>(payloadSize));
    for (int i = 0; i < n; ++i) {
      PutF32(bytes.data() + i * kPointSize, Polygon[static_cast<size_t>(i)].Latit);
      PutF32(bytes.data() + i * kPointSize + 4, Polygon[static_cast<size_t>(i)].Longit);
    }
    f->WriteAt(offset, bytes.data(), payloadSize);
    if (FOnPercentDone && FOnPercDoneEnabled)
      for (int i = 0; i < n; ++i) Progress(RoundPercent(i * 100.0 / n));
    f.Close();
    return;
  }

  uint8_t meta[kMetaSize];
  EncodeMetaInfo(MInfo, meta);
  f->WriteAt(offset, meta, kMetaSize);
  int64_t pos = offset + kMetaSize;
  std::vector<uint8_t> block(kBlockSize);
  if (Source) {
    const int64_t fileSize = DataSize;
    int64_t copied = 0;
    for (int64_t k = 1;; ++k) {
      const int64_t got = Source->ReadAt(copied, block.data(), kBlockSize);
      if (got <= 0) break;
      if (copied + got > INT32_MAX) Fail(std::string(Caller) + ": BLOB too large.");
      f->WriteAt(pos, block.data(), got);
      pos += got;
      copied += got;
      // The last block of a file would report beyond 100; a percentage never does.
      Progress(std::min(100, RoundPercent(static_cast<double>(k) * kBlockSize * 100.0 / static_cast<double>(fileSize))));
    }
    // The size is what was really copied, should the file have changed.
    Rec.Size = static_cast<int32_t>(copied);
  } else {
    Rec.Size = static_cast<int32_t>(DataSize);
    const auto* src = static_cast<const uint8_t*>(Data);
    int64_t done = 0;
    for (int64_t k = 1; done + kBlockSize <= DataSize; ++k) {
      f->WriteAt(pos, src + done, kBlockSize);
      pos += kBlockSize;
      done += kBlockSize;
      Progress(RoundPercent(static_cast<double>(k) * kBlockSize * 100.0 / static_cast<double>(DataSize)));
    }
    if (done < DataSize) f->WriteAt(pos, src + done, DataSize - done);
  }
  f.Close();
}

int TGeoDB::AddData(std::string& Name, const std::vector<TSCoords>& Polygon, bool ClosedLine, TgdbItem Kind,
                    uint8_t ClassNumber, double Date, int32_t StateFlag, float LatLow, float LatHigh, float LongLow,
                    float LongHigh, float Altitude, int32_t UserTag, const TMetaInfo& MInfo, const void* Data,
                    int64_t DataSize, const std::string* SourceFile) {
  if (!IsOpen()) return -1;
  if (Kind == gitBLOB && !SourceFile && (DataSize < 0 || (DataSize > 0 && Data == nullptr)))
    Fail("AddData: invalid BLOB data.");
  // The full name: the FilePath stored in the meta information may be cut.
  std::unique_ptr<TGdbFile> source;
  if (Kind == gitBLOB && SourceFile) source = OpenBlobSource(*SourceFile);
  if (FNumSumItems == INT32_MAX) Fail("AddData: the database is full.");

  Progress(0);
  const int32_t lastId = std::max(FSystemData.HighestID, FMaxItemId);
  if (lastId == INT32_MAX) Fail("AddData: no ItemID left.");
  FSystemData.HighestID = lastId + 1;
  WriteHeader("AddData");

  Name = CutToChars(Name, TgdbName::Capacity);
  TgdbData rec = UserRecord(FSystemData.HighestID, Name, Kind, ClassNumber, Date, StateFlag, LatLow, LatHigh, LongLow, LongHigh,
                            Altitude, UserTag);
  WritePayload(rec, Polygon, ClosedLine, MInfo, Data, DataSize, source.get(), "AddData");
  source.reset();

  WriteSummaryRecord(FNumSumItems, rec);
  FSumData.push_back(rec);
  ++FNumSumItems;
  FMaxItemId = std::max(FMaxItemId, rec.ItemId);
  InsertIntoIndex(FNumSumItems, rec);
  FSpatial->Changed(FNumSumItems - 1);
  SaveIndexesUnlessLazy();
  Progress(100);
  return FNumSumItems;
}

void TGeoDB::ReserveItemIDs(int32_t UpTo) {
  if (!IsOpen() || UpTo <= std::max(FSystemData.HighestID, FMaxItemId)) return;
  FSystemData.HighestID = UpTo;
  WriteHeader("ReserveItemIDs");
}

void TGeoDB::ReplaceData(int DBEntry, std::string& Name, const std::vector<TSCoords>& Polygon, bool ClosedLine,
                         TgdbItem Kind, uint8_t ClassNumber, double Date, int32_t StateFlag, float LatLow,
                         float LatHigh, float LongLow, float LongHigh, float Altitude, int32_t UserTag,
                         const TMetaInfo& MInfo, const void* Data, int64_t DataSize, const std::string* SourceFile) {
  int slot;
  if (!SlotOf(DBEntry, slot)) return;
  if (Kind == gitBLOB && !SourceFile && (DataSize < 0 || (DataSize > 0 && Data == nullptr)))
    Fail("ReplaceData: invalid BLOB data.");
  std::unique_ptr<TGdbFile> source;
  if (Kind == gitBLOB && SourceFile) source = OpenBlobSource(*SourceFile);
  Progress(0);
  Name = CutToChars(Name, TgdbName::Capacity);
  TgdbData rec = UserRecord(FSumData[static_cast<size_t>(slot)].ItemId, Name, Kind, ClassNumber, Date, StateFlag, LatLow, LatHigh, LongLow, LongHigh,
                            Altitude, UserTag);
  WritePayload(rec, Polygon, ClosedLine, MInfo, Data, DataSize, source.get(), "ReplaceData");
  source.reset();

  WriteSummaryRecord(slot, rec);
  RemoveIndexEntries(DBEntry);
  FSumData[static_cast<size_t>(slot)] = rec;
  InsertIntoIndex(DBEntry, rec);
  FSpatial->Changed(slot);
  SaveIndexesUnlessLazy();
  Progress(100);
}

void TGeoDB::DeleteData(int DbEntry) {
  int slot;
  if (!SlotOf(DbEntry, slot)) return;
  const int last = FNumSumItems - 1;
  {
    TFileLease f = SummaryFileForWriting();
    if (slot != last) {
      uint8_t raw[kSumRecSize];
      EncodeGdbData(FSumData[static_cast<size_t>(last)], raw);
      f->WriteAt(static_cast<int64_t>(slot) * kSumRecSize, raw, kSumRecSize);
    }
    f->Truncate(static_cast<int64_t>(last) * kSumRecSize);
    f.Close();
  }
  RemoveIndexEntries(DbEntry);
  if (slot != last) ReferToNewPosition(last, slot);
  FSumData[static_cast<size_t>(slot)] = FSumData[static_cast<size_t>(last)];
  FSumData.pop_back();
  FNumSumItems = last;
  // An index that was longer than the summary (damaged on disk) is cut.
  auto cut = [&](auto& Ix) {
    if (Ix.size() > static_cast<size_t>(FNumSumItems)) Ix.resize(static_cast<size_t>(FNumSumItems));
  };
  cut(FIx0ItemId);
  cut(FIx1LatLo);
  cut(FIx2LatHi);
  cut(FIx3LongLo);
  cut(FIx4LongHi);
  FSpatial->Changed(slot);
  SaveIndexesUnlessLazy();
}

bool TGeoDB::UpdateBasicData(int DbEntry, const TgdbData& GdbData) {
  int slot;
  if (!SlotOf(DbEntry, slot)) return false;
  TgdbData rec = FSumData[static_cast<size_t>(slot)];
  rec.Name = GdbData.Name;
  rec.Altitude = GdbData.Altitude;
  rec.ClassFlag = GdbData.ClassFlag;
  rec.Tag = GdbData.Tag;
  rec.Date = GdbData.Date;
  rec.StateFlag = GdbData.StateFlag;
  // A polygon's box follows from its points; other boxes are the user's.
  if (!IsPolygonKind(rec.ItemKind)) {
    rec.LatLow = GdbData.LatLow;
    rec.LatHigh = GdbData.LatHigh;
    rec.LongLow = GdbData.LongLow;
    rec.LongHigh = GdbData.LongHigh;
  }
  WriteSummaryRecord(slot, rec);
  RemoveIndexEntries(DbEntry);
  FSumData[static_cast<size_t>(slot)] = rec;
  InsertIntoIndex(DbEntry, rec);
  FSpatial->Changed(slot);
  SaveIndexesUnlessLazy();
  return true;
}

bool TGeoDB::UpdateMetaInfo(int DBEntry, const TMetaInfo& MetaInfo) {
  int slot;
  if (!SlotOf(DBEntry, slot)) return false;
  const TgdbData& rec = FSumData[static_cast<size_t>(slot)];
  if (rec.ItemKind != gitBLOB || rec.BlobOffset < kHeaderSize) return false;
  TGdbFile f(FNameGDD, TGdbFile::fmReadWrite);
  // Only inside the data file: a damaged offset must not make it grow.
  if (static_cast<int64_t>(rec.BlobOffset) + kMetaSize > f.Size()) return false;
  uint8_t meta[kMetaSize];
  EncodeMetaInfo(MetaInfo, meta);
  f.WriteAt(rec.BlobOffset, meta, kMetaSize);
  f.Close();
  return true;
}

}  // namespace orq
