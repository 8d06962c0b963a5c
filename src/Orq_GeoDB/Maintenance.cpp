// Garbage collection of the data file, its crash recovery, and the debug dump.
#include <algorithm>
#include <cerrno>
#include <cinttypes>
#include <climits>
#include <cstdio>
#include <map>

#include "ByteLayout.h"
#include "FileIO.h"
#include "SpatialIndex.h"
#include "orqcarta/Orq_GeoDB.h"
#include "orqplatform/FileUtils.h"

namespace orq {

using namespace gdb_detail;

namespace {

// The collection writes a new data file and a new summary beside the old
// ones. Renaming the data file is the commit point; the summary follows.
std::string CollectedDataName(const std::string& Base) { return Base + ".orqgdd.gctmp"; }
std::string CollectedSummaryName(const std::string& Base) { return Base + ".orqgds.gcpending"; }

int64_t PayloadLength(const TgdbData& d) {
  if (IsPolygonKind(d.ItemKind)) return static_cast<int64_t>(d.NumPoints) * kPointSize;
  return kMetaSize + static_cast<int64_t>(d.Size);
}

}  // namespace

void TGeoDB::RecoverInterruptedCollection(const std::string& Base) {
  const std::string pendingSummary = CollectedSummaryName(Base);
  if (!FileExists(pendingSummary)) {
    RemoveFileIfExists(CollectedDataName(Base));
    return;
  }
  if (FileExists(CollectedDataName(Base))) {
    // Interrupted before the commit: the old files are intact.
    RemoveFileIfExists(CollectedDataName(Base));
    RemoveFileIfExists(pendingSummary);
  } else {
    // Interrupted after the commit: the new data file needs its summary.
    ReplaceFile(pendingSummary, Base + ".orqgds");
  }
}

int64_t TGeoDB::GarbageCollection() {
  if (!IsOpen()) return -1;
  ReleaseHeldFiles();  // the files are about to be replaced
  Progress(0);
  const std::string base = DBName();
  TGdbFile old(FNameGDD, TGdbFile::fmRead);
  const int64_t oldSize = std::max<int64_t>(old.Size(), kHeaderSize);

  // Payload extents by old offset; items sharing an offset share the payload.
  std::map<int64_t, int64_t> extents;
  for (int i = 0; i < FNumSumItems; ++i) {
    const TgdbData& d = FSumData[static_cast<size_t>(i)];
    if ((!IsPolygonKind(d.ItemKind) && d.ItemKind != gitBLOB) || d.BlobOffset < 0) continue;
    const int64_t len = PayloadLength(d);
    if (d.NumPoints < 0 || d.BlobOffset < kHeaderSize || d.BlobOffset + len > old.Size())
      Fail("GarbageCollection: the payload of item " + std::to_string(i + 1) + " lies outside the data file.");
    int64_t& e = extents[d.BlobOffset];
    e = std::max(e, len);
  }

  std::map<int64_t, int64_t> moved;
  const std::string tempData = CollectedDataName(base);
  const std::string tempSummary = CollectedSummaryName(base);
  int64_t newSize = kHeaderSize;
  {
    TGdbFile out(tempData, TGdbFile::fmCreate);
    uint8_t header[kHeaderSize];
    EncodeSystemData(FSystemData, header);
    out.WriteAt(0, header, kHeaderSize);
    std::vector<uint8_t> block(kBlockSize);
    for (const auto& [offset, len] : extents) {
      moved[offset] = newSize;
      for (int64_t done = 0; done < len;) {
        const int64_t n = std::min<int64_t>(kBlockSize, len - done);
        if (old.ReadAt(offset + done, block.data(), n) != n)
          RaiseInOut("Cannot read file", FNameGDD, 0);
        out.WriteAt(newSize + done, block.data(), n);
        done += n;
      }
      newSize += len;
    }
    out.Sync();
    out.Close();
  }
  old.Close();

  std::vector<TgdbData> items = FSumData;
  for (TgdbData& d : items) {
    if ((!IsPolygonKind(d.ItemKind) && d.ItemKind != gitBLOB)) {
      d.BlobOffset = -1;  // kinds without payload reference nothing
    } else if (d.BlobOffset >= 0) {
      d.BlobOffset = static_cast<int32_t>(moved[d.BlobOffset]);
    }
  }
  {
    std::vector<uint8_t> raw(items.size() * kSumRecSize);
    for (size_t i = 0; i < items.size(); ++i) EncodeGdbData(items[i], raw.data() + i * kSumRecSize);
    TGdbFile out(tempSummary, TGdbFile::fmCreate);
    out.WriteAt(0, raw.data(), static_cast<int64_t>(raw.size()));
    out.Sync();
    out.Close();
  }
  ReplaceFile(tempData, FNameGDD);
  ReplaceFile(tempSummary, FNameGDS);
  FSumData = std::move(items);
  Progress(100);
  return oldSize - newSize;
}

void TGeoDB::ExportDataDebug(const std::string& FileName) {
  std::FILE* out = std::fopen(FileName.c_str(), "w");
  if (!out) RaiseInOut("Cannot create file", FileName, errno);
  EnsureIndexesSorted();
  std::fprintf(out, "Database: %s\n", DBName().c_str());
  std::fprintf(out, "HighestID: %" PRId32 "\nDBVersion: %" PRId32 "\nDescription: %s\nRevision: %" PRId32 "\n",
               FSystemData.HighestID, FSystemData.DBVersion, FSystemData.Description.c_str(), FSystemData.Revision);
  std::fprintf(out, "NumEntries: %d\n\nItems:\n", FNumSumItems);
  for (int i = 0; i < FNumSumItems; ++i) {
    const TgdbData& d = FSumData[static_cast<size_t>(i)];
    const int kind = static_cast<int>(d.ItemKind);
    std::fprintf(out,
                 "%d: ItemId=%" PRId32 " Kind=%s Name=\"%s\" Altitude=%g Class=%u Tag=%" PRId32 " BlobOffset=%" PRId32
                 " Date=%.6f StateFlag=%" PRId32 " Lat=[%.7g, %.7g] Long=[%.7g, %.7g] NumPoints/Size=%" PRId32
                 " Closed=%d\n",
                 i + 1, d.ItemId, kind >= 0 && kind <= gitUndefined ? GDB_ITEMNAMES[kind] : "Undefined",
                 d.Name.c_str(), static_cast<double>(d.Altitude), static_cast<unsigned>(d.ClassFlag), d.Tag,
                 d.BlobOffset, d.Date, d.StateFlag, static_cast<double>(d.LatLow), static_cast<double>(d.LatHigh),
                 static_cast<double>(d.LongLow), static_cast<double>(d.LongHigh), d.NumPoints, d.Closed ? 1 : 0);
  }
  std::fprintf(out, "\nIndex 0 (ItemID -> position):\n");
  for (size_t i = 0; i < FIx0ItemId.size(); ++i)
    std::fprintf(out, "%zu: %" PRId32 " -> %" PRId32 "\n", i + 1, FIx0ItemId[i].ItemID, FIx0ItemId[i].index + 1);
  const char* names[4] = {"LatLow", "LatHigh", "LongLow", "LongHigh"};
  const std::vector<TIxLLRec>* bounds[4] = {&FIx1LatLo, &FIx2LatHi, &FIx3LongLo, &FIx4LongHi};
  for (int d = 0; d < 4; ++d) {
    std::fprintf(out, "\nIndex %d (%s -> position):\n", d + 1, names[d]);
    for (size_t i = 0; i < bounds[d]->size(); ++i)
      std::fprintf(out, "%zu: %.7g -> %" PRId32 "\n", i + 1, static_cast<double>((*bounds[d])[i].LLValue),
                   (*bounds[d])[i].index + 1);
  }
  const bool failed = std::ferror(out) != 0;
  if (std::fclose(out) != 0 || failed) RaiseInOut("Cannot write file", FileName, errno);
}

}  // namespace orq
