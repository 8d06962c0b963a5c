// Reading payloads back: polygons, BLOBs (to a file, memory or a stream) and
// meta information. A payload that reaches past the end of the data file
// (a file cut short, a damaged offset) is reported as not read.
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <functional>

#include "ByteLayout.h"
#include "FileIO.h"
#include "orqbase/StringUtils.h"
#include "orqcarta/Orq_GeoDB.h"

namespace orq {

using namespace gdb_detail;

namespace {

int RoundPercent(double Value) { return static_cast<int>(std::nearbyint(Value)); }

// The meta information of a BLOB record, when it lies inside the data file.
bool ReadMeta(const TGdbFile& F, const TgdbData& Rec, TMetaInfo& Meta) {
  if (Rec.ItemKind != gitBLOB || Rec.BlobOffset < 0) return false;
  uint8_t raw[kMetaSize];
  if (F.ReadAt(Rec.BlobOffset, raw, kMetaSize) < kMetaSize) return false;
  Meta = DecodeMetaInfo(raw);
  return true;
}

}  // namespace

bool TGeoDB::RetrievePolygon(int DBEntry, std::vector<TSCoords>& Polygon) {
  int slot;
  if (!RetrievalSlot(DBEntry, slot)) return false;
  const TgdbData rec = FSumData[static_cast<size_t>(slot)];
  Progress(0);
  bool ok = false;
  TGdbFile f(FNameGDD, TGdbFile::fmRead);
  if (IsPolygonKind(rec.ItemKind) && rec.BlobOffset >= 0 && rec.NumPoints >= 0) {
    const int64_t bytes = static_cast<int64_t>(rec.NumPoints) * kPointSize;
    // Checked before anything is allocated: a damaged count must not make
    // us reserve gigabytes.
    if (static_cast<int64_t>(rec.BlobOffset) + bytes <= f.Size()) {
      std::vector<uint8_t> raw(static_cast<size_t>(bytes));
      if (f.ReadAt(rec.BlobOffset, raw.data(), bytes) == bytes) {
        const int n = rec.NumPoints;
        Polygon.resize(static_cast<size_t>(n));
        const int step = n / 100 + 1;
        for (int i = 0; i < n; ++i) {
          Polygon[static_cast<size_t>(i)].Latit = GetF32(raw.data() + i * kPointSize);
          Polygon[static_cast<size_t>(i)].Longit = GetF32(raw.data() + i * kPointSize + 4);
          if ((i + 1) % step == 0) Progress(RoundPercent((i + 1) * 100.0 / n));
        }
        ok = true;
      }
    }
  }
  f.Close();
  Progress(100);
  return ok;
}

namespace {

// Copies Size bytes from Offset in blocks, giving each to Sink and reporting
// the share delivered. False when the data file ends first.
bool CopyBlocks(const TGdbFile& F, int64_t Offset, int64_t Size, const std::function<void(int)>& Report,
                const std::function<void(const uint8_t*, int64_t, int64_t)>& Sink) {
  std::vector<uint8_t> block(kBlockSize);
  int64_t done = 0;
  while (done < Size) {
    const int64_t want = std::min<int64_t>(kBlockSize, Size - done);
    const int64_t got = F.ReadAt(Offset + done, block.data(), want);
    if (got <= 0) return false;  // the bytes are missing
    Sink(block.data(), done, got);
    done += got;
    Report(RoundPercent(100.0 * static_cast<double>(done) / static_cast<double>(Size)));
  }
  return true;
}

}  // namespace

bool TGeoDB::RetrieveBLOB(int DBEntry, const std::string& Filepath, TMetaInfo& MetaInfo) {
  int slot;
  if (!RetrievalSlot(DBEntry, slot)) return false;
  const TgdbData rec = FSumData[static_cast<size_t>(slot)];
  TGdbFile f(FNameGDD, TGdbFile::fmRead);
  if (rec.ItemKind != gitBLOB) return false;
  Progress(0);
  if (!ReadMeta(f, rec, MetaInfo) || rec.Size < 0) return false;
  std::string target = Filepath;
  // A trailing backslash names a directory, as it does on the systems these
  // databases come from; here the separator is '/'.
  if (!target.empty() && target.back() == '\\') target.back() = '/';
  if (target.empty() || target.back() == '/') {
    // The reduction drops separators and leading dots, so a stored name
    // only ever names a file inside that directory, never ".." or the
    // directory itself.
    const std::string name = ReduceStringToFN83CompliantChars(rec.Name);
    if (name.empty()) Fail("RetrieveBLOB: invalid filename.");
    target += name;
  }
  bool complete;
  {
    TGdbFile out(target, TGdbFile::fmCreate);
    complete = CopyBlocks(
        f, static_cast<int64_t>(rec.BlobOffset) + kMetaSize, rec.Size, [this](int p) { Progress(p); },
        [&out](const uint8_t* b, int64_t at, int64_t n) { out.WriteAt(at, b, n); });
    out.Close();
  }
  f.Close();
  if (!complete) {
    // A partial copy must not pass for the BLOB.
    RemoveFileIfExists(target);
    return false;
  }
  Progress(100);
  return true;
}

bool TGeoDB::RetrieveBLOB(int DBEntry, TMetaInfo& MetaInfo, void* PBLOBData, int32_t SizeOfBLOBData) {
  int slot;
  if (!RetrievalSlot(DBEntry, slot)) return false;
  const TgdbData rec = FSumData[static_cast<size_t>(slot)];
  Progress(0);
  bool ok = false;
  TGdbFile f(FNameGDD, TGdbFile::fmRead);
  if (rec.ItemKind == gitBLOB && ReadMeta(f, rec, MetaInfo) && rec.Size >= 0) {
    if (SizeOfBLOBData < rec.Size)
      Fail("RetrieveBLOB: BLOB to be retrieved is larger than SizeOfBlobData.");
    if (rec.Size > 0 && PBLOBData == nullptr) Fail("RetrieveBLOB: no memory block given.");
    auto* dest = static_cast<uint8_t*>(PBLOBData);
    ok = CopyBlocks(
        f, static_cast<int64_t>(rec.BlobOffset) + kMetaSize, rec.Size, [this](int p) { Progress(p); },
        [dest](const uint8_t* b, int64_t at, int64_t n) { std::memcpy(dest + at, b, static_cast<size_t>(n)); });
  }
  f.Close();
  Progress(100);
  return ok;
}

bool TGeoDB::RetrieveBLOB(int DBEntry, TMetaInfo& MetaInfo, TMemoryStream* BlobStream) {
  int slot;
  if (!RetrievalSlot(DBEntry, slot)) return false;
  const TgdbData rec = FSumData[static_cast<size_t>(slot)];
  Progress(0);
  bool ok = false;
  TGdbFile f(FNameGDD, TGdbFile::fmRead);
  if (BlobStream) {
    // The size comes from the record whatever its kind; a damaged value is
    // kept within what the data file could hold.
    const int64_t size = std::clamp<int64_t>(rec.Size, 0, f.Size());
    BlobStream->SetSize(size);
    BlobStream->SetPosition(0);
    if (rec.ItemKind == gitBLOB && ReadMeta(f, rec, MetaInfo) && rec.Size >= 0 && rec.Size == size) {
      ok = CopyBlocks(
          f, static_cast<int64_t>(rec.BlobOffset) + kMetaSize, rec.Size, [this](int p) { Progress(p); },
          [BlobStream](const uint8_t* b, int64_t at, int64_t n) { BlobStream->Write(b, n); });
      if (!ok) BlobStream->SetSize(BlobStream->Position());
    }
  }
  f.Close();
  Progress(0);
  return ok;
}

bool TGeoDB::GetMetaInfo(int DBEntry, TMetaInfo& MetaInfo) {
  int slot;
  if (!RetrievalSlot(DBEntry, slot)) return false;
  TGdbFile f(FNameGDD, TGdbFile::fmRead);
  const bool ok = ReadMeta(f, FSumData[static_cast<size_t>(slot)], MetaInfo);
  f.Close();
  return ok;
}

}  // namespace orq
